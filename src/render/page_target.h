#pragma once

#include <QList>
#include <QPainter>
#include <QPicture>
#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;

namespace zephan {

// Where the drawing pass puts its pages. A target receives one page after the other with the
// paper size of each page in 0.1 mm and hands back a painter that maps 0.1 mm to its device,
// or nullptr for a page it does not want (outside a printed range): the pass then only follows
// the page without drawing.
class TSeitenZiel {
public:
    virtual ~TSeitenZiel() = default;
    // nummer counts from 1.
    virtual QPainter* seiteBeginnen(int nummer, int druckb, int druckh, bool quer) = 0;
    virtual void seiteBeenden() = 0;
    // After the last page; false when the device failed.
    virtual bool abschliessen() { return true; }
    // True once the target wants the pass to stop (a cancelled print job).
    virtual bool abgebrochen() const { return false; }
};

// One recorded page: a picture in 0.1 mm plus its paper size.
struct TSeitenBild {
    QPicture bild;
    int druckb = 2100;
    int druckh = 2970;
    bool quer = false;
};

// Records every page as a picture: the preview, the thumbnails, and any later print or PDF
// replay these pictures instead of laying the document out again.
class TSeitenBilder : public TSeitenZiel {
public:
    QList<TSeitenBild> seiten;

    QPainter* seiteBeginnen(int nummer, int druckb, int druckh, bool quer) override;
    void seiteBeenden() override;

private:
    std::unique_ptr<QPainter> painter_;
};

// Replays a recorded page onto a painter whose unit is already 0.1 mm.
void seiteAbspielen(QPainter& painter, const TSeitenBild& seite);

// A paged device (QPdfWriter, or a printer set to full page): one device page per report page, each
// with its own paper size and orientation, pages outside von..bis (counting from 1; bis < 1 = to
// the end) skipped.
class TGeraeteZiel : public TSeitenZiel {
public:
    explicit TGeraeteZiel(QPagedPaintDevice* geraet, int von = 1, int bis = -1);
    ~TGeraeteZiel() override;

    QPainter* seiteBeginnen(int nummer, int druckb, int druckh, bool quer) override;
    void seiteBeenden() override;
    bool abschliessen() override;
    bool abgebrochen() const override;
    // Called after each finished page with the number of pages written; return false to
    // cancel the job.
    std::function<bool(int)> nachSeite;

private:
    QPagedPaintDevice* geraet_;
    int von_, bis_;
    QPainter painter_;
    bool begonnen_ = false;
    bool fehler_ = false;
    bool abbruch_ = false;
    int geschrieben_ = 0;
};

// Replays recorded pages onto a paged device (a printer set to full page, or a PDF writer):
// pages von..bis (counting from 1; bis < 1 = to the end), the whole range `durchlaeufe` times.
// nachSeite is called after each page with the pages written so far; false cancels. False
// when cancelled or when the device failed.
bool seitenAusgeben(const QList<TSeitenBild>& seiten, QPagedPaintDevice* geraet, int von = 1,
                    int bis = -1, int durchlaeufe = 1,
                    const std::function<bool(int)>& nachSeite = {});

// Writes every page as a PNG file "seite_NNN.png" into a folder at a given resolution.
class TPngZiel : public TSeitenZiel {
public:
    TPngZiel(QString ordner, int dpi = 150);
    ~TPngZiel() override;

    QPainter* seiteBeginnen(int nummer, int druckb, int druckh, bool quer) override;
    void seiteBeenden() override;
    bool abschliessen() override { return !fehler_; }
    QStringList dateien;

private:
    QString ordner_;
    int dpi_;
    int nummer_ = 0;
    QImage bild_;
    std::unique_ptr<QPainter> painter_;
    bool fehler_ = false;
};

// Sets up a painter so that one unit is 0.1 mm on its device.
void aufZehntelMillimeter(QPainter& painter);

} // namespace zephan
