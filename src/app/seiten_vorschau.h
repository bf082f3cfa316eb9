#pragma once

#include "render/page_cache.h"

#include <QAbstractListModel>
#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QRect>
#include <functional>

namespace zephan {

// The preview of laid-out pages: shows one page at a time, drawn when it is shown, on a grey desk,
// zoomed freely (10 % ... 400 %, 100 % = paper size on the screen) or fitted to the width, the
// height or the whole page, with the printer's printable area drawn as a dashed frame.
class TSeitenVorschau : public QAbstractScrollArea {
public:
    enum ZoomArt { frei = 0, breite = 1, hoehe = 2, ganzeSeite = 3 };
    static constexpr int zoomMin = 10;
    static constexpr int zoomMax = 400;
    static constexpr int zoomSchritt = 10;

    explicit TSeitenVorschau(QWidget* parent = nullptr);

    // The pages shown; the preview keeps a pointer, the owner keeps them alive.
    void setSeiten(TSeitenSpeicher* seiten);
    int anzahl() const { return seiten_ ? seiten_->anzahl() : 0; }
    // Current page counting from 0 (-1 without pages).
    int seite() const { return seite_; }
    void setSeite(int s);

    // Zoom in percent as shown; in a fitted state it follows the window size.
    int zoom() const;
    ZoomArt zoomArt() const { return art_; }
    void setZoom(int prozent); // free zoom, kept inside 10 ... 400
    void setZoomArt(ZoomArt art);
    void zoomIn() { setZoom(zoom() + zoomSchritt); }
    void zoomOut() { setZoom(zoom() - zoomSchritt); }

    // Printable area of the printer in 0.1 mm on the paper; empty: none shown.
    void setDruckbereich(const QRect& bereich) { druckbereich_ = bereich, neuZeichnen(); }
    void setDruckbereichZeigen(bool ja) { druckbereichZeigen_ = ja, neuZeichnen(); }

    // The page as an image at the current zoom (what the window shows; also for screenshots).
    QImage seitenBild(int seite, double pixelProZehntelMm) const;

    // Called when the page or the zoom changed.
    std::function<void()> geaendert;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    double faktor() const; // screen pixels per 0.1 mm
    QSize seitenGroesse() const;
    void bereiche();
    void neuZeichnen();

    TSeitenSpeicher* seiten_ = nullptr;
    int seite_ = -1;
    int zoom_ = 100;
    ZoomArt art_ = frei;
    QRect druckbereich_;
    bool druckbereichZeigen_ = true;
    QImage cache_;
    int cacheSeite_ = -1;
    double cacheFaktor_ = 0;
};

// The thumbnails: one small picture per page, drawn when the view first asks for it.
class TMiniaturen : public QAbstractListModel {
public:
    static constexpr int breitePx = 110;
    void setSeiten(TSeitenSpeicher* seiten);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    TSeitenSpeicher* seiten_ = nullptr;
    mutable QHash<int, QPixmap> bilder_;
};

} // namespace zephan
