#include "render/page_target.h"

#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>

namespace zephan {

void aufZehntelMillimeter(QPainter& painter) {
    QPaintDevice* d = painter.device();
    painter.resetTransform();
    painter.scale(d->logicalDpiX() / 254.0, d->logicalDpiY() / 254.0);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Small bitmaps and QR codes are enlarged: sharp pixels, not a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QPainter* TSeitenBilder::seiteBeginnen(int, int druckb, int druckh, bool quer) {
    TSeitenBild s;
    s.druckb = druckb;
    s.druckh = druckh;
    s.quer = quer;
    seiten.append(std::move(s));
    painter_ = std::make_unique<QPainter>(&seiten.last().bild);
    painter_->setRenderHint(QPainter::Antialiasing, true);
    return painter_.get();
}

void TSeitenBilder::seiteBeenden() {
    if (painter_) painter_->end();
    painter_.reset();
}

void seiteAbspielen(QPainter& painter, const TSeitenBild& seite) {
    painter.save();
    painter.setClipRect(QRect(0, 0, seite.druckb, seite.druckh), Qt::IntersectClip);
    // A picture plays itself scaled by the device's resolution against the screen's; the
    // page is already in 0.1 mm, so that scaling is taken back.
    if (const QPaintDevice* d = painter.device(); d && d->logicalDpiX() > 0 && d->logicalDpiY() > 0)
        painter.scale(static_cast<double>(seite.bild.logicalDpiX()) / d->logicalDpiX(),
                      static_cast<double>(seite.bild.logicalDpiY()) / d->logicalDpiY());
    painter.drawPicture(0, 0, seite.bild);
    painter.restore();
}

namespace {
QPageLayout seitenLayout(int druckb, int druckh) {
    const bool quer = druckb > druckh;
    const QSizeF mm(std::min(druckb, druckh) / 10.0, std::max(druckb, druckh) / 10.0);
    QPageLayout l(QPageSize(mm, QPageSize::Millimeter),
                  quer ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                  QPageLayout::Millimeter);
    // A printer's minimum margins would refuse the layout (and keep the old orientation); the
    // pages are drawn from the paper's corner anyway.
    l.setMode(QPageLayout::FullPageMode);
    return l;
}
} // namespace

TGeraeteZiel::TGeraeteZiel(QPagedPaintDevice* geraet, int von, int bis)
    : geraet_(geraet), von_(std::max(1, von)), bis_(bis) {}

TGeraeteZiel::~TGeraeteZiel() {
    if (painter_.isActive()) painter_.end();
}

QPainter* TGeraeteZiel::seiteBeginnen(int nummer, int druckb, int druckh, bool) {
    if (fehler_ || abbruch_ || nummer < von_ || (bis_ >= 1 && nummer > bis_)) return nullptr;
    const QPageLayout layout = seitenLayout(druckb, druckh);
    if (!begonnen_) {
        geraet_->setPageLayout(layout);
        if (!painter_.begin(geraet_)) {
            fehler_ = true;
            return nullptr;
        }
        begonnen_ = true;
    } else {
        geraet_->setPageLayout(layout);
        if (!geraet_->newPage()) {
            fehler_ = true;
            return nullptr;
        }
    }
    aufZehntelMillimeter(painter_);
    return &painter_;
}

void TGeraeteZiel::seiteBeenden() {
    if (!begonnen_ || fehler_) return;
    ++geschrieben_;
    if (nachSeite && !nachSeite(geschrieben_)) abbruch_ = true;
}

bool TGeraeteZiel::abschliessen() {
    if (painter_.isActive() && !painter_.end()) fehler_ = true;
    return !fehler_ && !abbruch_;
}

bool TGeraeteZiel::abgebrochen() const {
    return abbruch_ || fehler_;
}

bool seitenAusgeben(const QList<TSeitenBild>& seiten, QPagedPaintDevice* geraet, int von, int bis,
                    int durchlaeufe, const std::function<bool(int)>& nachSeite) {
    const int n = static_cast<int>(seiten.size());
    von = std::max(1, von);
    if (bis < 1 || bis > n) bis = n;
    TGeraeteZiel ziel(geraet);
    ziel.nachSeite = nachSeite;
    for (int d = 0; d < std::max(1, durchlaeufe) && !ziel.abgebrochen(); ++d)
        for (int p = von; p <= bis && !ziel.abgebrochen(); ++p) {
            const TSeitenBild& s = seiten[p - 1];
            QPainter* painter = ziel.seiteBeginnen(p, s.druckb, s.druckh, s.quer);
            if (!painter) break;
            seiteAbspielen(*painter, s);
            ziel.seiteBeenden();
        }
    return ziel.abschliessen() && von <= bis;
}

TPngZiel::TPngZiel(QString ordner, int dpi) : ordner_(std::move(ordner)), dpi_(dpi) {
    QDir().mkpath(ordner_);
}

TPngZiel::~TPngZiel() = default;

QPainter* TPngZiel::seiteBeginnen(int nummer, int druckb, int druckh, bool) {
    nummer_ = nummer;
    const double k = dpi_ / 254.0;
    bild_ = QImage(static_cast<int>(druckb * k + 0.5), static_cast<int>(druckh * k + 0.5),
                   QImage::Format_RGB32);
    const int dpm = static_cast<int>(dpi_ / 0.0254 + 0.5);
    bild_.setDotsPerMeterX(dpm);
    bild_.setDotsPerMeterY(dpm);
    bild_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&bild_);
    aufZehntelMillimeter(*painter_);
    return painter_.get();
}

void TPngZiel::seiteBeenden() {
    if (!painter_) return;
    painter_->end();
    painter_.reset();
    const QString datei = QDir(ordner_).filePath(
        QStringLiteral("seite_%1.png").arg(nummer_, 3, 10, QLatin1Char('0')));
    if (bild_.save(datei, "PNG"))
        dateien.append(datei);
    else
        fehler_ = true;
    bild_ = QImage();
}

} // namespace zephan
