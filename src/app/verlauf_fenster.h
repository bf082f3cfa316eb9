#pragma once

#include "pressure/druckverlauf.h"

#include <QDialog>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace zephan {

class EditSession;
class FensterSeam;
class TDruck;

// A label that shows text with the report's inline escapes (subscripts, Greek letters).
class MarkupLabel : public QWidget {
    Q_OBJECT
public:
    explicit MarkupLabel(QWidget* parent = nullptr);
    void setText(const QString& text);
    QString text() const { return text_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString text_;
};

// The drawing of the profile; it reports the mouse position to its window.
class VerlaufBild : public QWidget {
    Q_OBJECT
public:
    VerlaufBild(Druckverlauf& verlauf, const bool& vereinfacht, const bool& pd, QWidget* parent);
    int mausX() const { return mausX_; }

signals:
    void mausBewegt(int x);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    Druckverlauf& verlauf_;
    const bool& vereinfacht_;
    const bool& pd_;
    int mausX_ = -1;
};

// The pressure profile of one path ("&Grafik"): the static, total and dynamic pressure from
// the line head to the chain end chosen in the list, the point list, the readout of the point
// under the mouse, and the profile as a report ("&drucken").
class Tk_DVVerlaufform : public QDialog {
    Q_OBJECT
public:
    Tk_DVVerlaufform(EditSession& session, TDruck& druck, FensterSeam& seam,
                     QWidget* parent = nullptr);

    // Fills the chain-end list of the line of `kopf` and shows the window modally.
    void zeigen(tmylistitem* kopf);
    // Fills the window for the line without showing it (the first chain end chosen).
    void fuellen(tmylistitem* kopf);

    // Collects the points for the chosen chain end and draws them.
    void ComboChange();
    // The readout for the mouse at x in the drawing.
    void ImageMouseMove(int x);
    // The profile into the report window.
    void DruckenClick();

    // Shows the report document; the main window pauses its automatic save meanwhile.
    // Without it the document goes to the seam's report window directly.
    std::function<void()> berichtZeigen;

    const Druckverlauf& verlauf() const { return verlauf_; }
    QLabel* stranglabel() const { return stranglabel_; }
    QComboBox* combo() const { return combo_; }
    QLabel* wertecpt() const { return wertecpt_; }
    MarkupLabel* label1() const { return label1_; }
    QLabel* hinweis() const { return hinweis_; }
    QCheckBox* einfachchk() const { return einfachchk_; }
    QCheckBox* pdcheck() const { return pdcheck_; }
    QPushButton* druckenbtn() const { return druckenbtn_; }
    QPushButton* okbutton1() const { return okbutton1_; }
    VerlaufBild* bild() const { return bild_; }

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void anzeigen();

    EditSession& session_;
    TDruck& druck_;
    FensterSeam& seam_;
    tmylistitem* kopf_ = nullptr;
    std::vector<const tmylistitem*> enden_;
    Druckverlauf verlauf_;
    bool vereinfacht_ = false;
    bool pd_ = false;

    QScrollArea* flaeche_ = nullptr;
    VerlaufBild* bild_ = nullptr;
    QLabel* stranglabel_ = nullptr;
    QComboBox* combo_ = nullptr;
    QLabel* wertecpt_ = nullptr;
    MarkupLabel* label1_ = nullptr;
    QLabel* hinweis_ = nullptr;
    QCheckBox* einfachchk_ = nullptr;
    QCheckBox* pdcheck_ = nullptr;
    QPushButton* druckenbtn_ = nullptr;
    QPushButton* okbutton1_ = nullptr;
};

} // namespace zephan
