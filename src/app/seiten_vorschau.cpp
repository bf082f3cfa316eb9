#include "app/seiten_vorschau.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace zephan {

namespace {
constexpr int rand = 12; // desk around the page, pixels
}

TSeitenVorschau::TSeitenVorschau(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TSeitenVorschau::setSeiten(TSeitenSpeicher* seiten) {
    seiten_ = seiten;
    seite_ = anzahl() > 0 ? 0 : -1;
    cacheSeite_ = -1;
    cache_ = QImage();
    bereiche();
    neuZeichnen();
}

void TSeitenVorschau::setSeite(int s) {
    if (anzahl() == 0) return;
    s = std::clamp(s, 0, anzahl() - 1);
    if (s == seite_) return;
    seite_ = s;
    bereiche();
    verticalScrollBar()->setValue(0);
    neuZeichnen();
}

double TSeitenVorschau::faktor() const {
    // 100 % shows the paper at its real size.
    const double pxProMm = logicalDpiX() / 25.4;
    return zoom() / 100.0 * pxProMm / 10.0;
}

int TSeitenVorschau::zoom() const {
    if (art_ == frei || seite_ < 0) return zoom_;
    const TSeitenEintrag& s = seiten_->eintrag(seite_);
    const double pxProZehntel = logicalDpiX() / 254.0;
    const double bw = (viewport()->width() - 2 * rand) / (s.druckb * pxProZehntel);
    const double bh = (viewport()->height() - 2 * rand) / (s.druckh * pxProZehntel);
    double f = art_ == breite ? bw : art_ == hoehe ? bh : std::min(bw, bh);
    return std::clamp(static_cast<int>(std::floor(f * 100)), zoomMin, zoomMax);
}

void TSeitenVorschau::setZoom(int prozent) {
    const int z = std::clamp(prozent, zoomMin, zoomMax);
    if (art_ == frei && z == zoom_) return;
    zoom_ = z;
    art_ = frei;
    bereiche();
    neuZeichnen();
}

void TSeitenVorschau::setZoomArt(ZoomArt art) {
    if (art == frei) zoom_ = zoom();
    art_ = art;
    bereiche();
    neuZeichnen();
}

QSize TSeitenVorschau::seitenGroesse() const {
    if (seite_ < 0) return {};
    const TSeitenEintrag& s = seiten_->eintrag(seite_);
    const double f = faktor();
    return {static_cast<int>(std::lround(s.druckb * f)),
            static_cast<int>(std::lround(s.druckh * f))};
}

void TSeitenVorschau::bereiche() {
    const QSize g = seitenGroesse();
    horizontalScrollBar()->setRange(0, std::max(0, g.width() + 2 * rand - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, g.height() + 2 * rand - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void TSeitenVorschau::neuZeichnen() {
    viewport()->update();
    if (geaendert) geaendert();
}

QImage TSeitenVorschau::seitenBild(int seite, double f) const {
    if (!seiten_ || seite < 0 || seite >= anzahl()) return {};
    const std::shared_ptr<const TSeitenBild> bildSeite = seiten_->seite(seite);
    const TSeitenBild& s = *bildSeite;
    QImage bild(std::max(1, static_cast<int>(std::lround(s.druckb * f))),
                std::max(1, static_cast<int>(std::lround(s.druckh * f))), QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(f, f);
    seiteAbspielen(p, s);
    return bild;
}

void TSeitenVorschau::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    if (seite_ < 0) return;
    const TSeitenEintrag& s = seiten_->eintrag(seite_);
    const double f = faktor();
    // The page is drawn once per zoom; scrolling only moves the picture.
    if (cacheSeite_ != seite_ || cacheFaktor_ != f) {
        cache_ = seitenBild(seite_, f);
        // A page asked for while the layout was busy comes back blank: drawn again next time.
        const bool bereit = seiten_->bereit();
        cacheSeite_ = bereit ? seite_ : -1;
        cacheFaktor_ = f;
    }
    const QSize g = cache_.size();
    int x = rand - horizontalScrollBar()->value();
    int y = rand - verticalScrollBar()->value();
    if (g.width() + 2 * rand < viewport()->width()) x = (viewport()->width() - g.width()) / 2;
    if (g.height() + 2 * rand < viewport()->height()) y = (viewport()->height() - g.height()) / 2;
    p.fillRect(QRect(x + 3, y + 3, g.width(), g.height()), QColor(60, 60, 60)); // shadow
    p.drawImage(x, y, cache_);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRect(x - 1, y - 1, g.width() + 1, g.height() + 1));
    if (druckbereichZeigen_ && !druckbereich_.isEmpty()) {
        QRect r = druckbereich_;
        if (s.quer) r = QRect(r.y(), s.druckh - r.x() - r.width(), r.height(), r.width());
        p.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        p.drawRect(QRectF(x + r.x() * f, y + r.y() * f, r.width() * f, r.height() * f));
    }
}

void TSeitenVorschau::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    bereiche();
    if (art_ != frei)
        if (geaendert) geaendert();
}

void TSeitenVorschau::wheelEvent(QWheelEvent* e) {
    if (e->modifiers() & Qt::ControlModifier) {
        if (e->angleDelta().y() > 0) zoomIn();
        if (e->angleDelta().y() < 0) zoomOut();
        e->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(e);
}

void TMiniaturen::setSeiten(TSeitenSpeicher* seiten) {
    beginResetModel();
    seiten_ = seiten;
    bilder_.clear();
    endResetModel();
}

int TMiniaturen::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !seiten_ ? 0 : seiten_->anzahl();
}

QVariant TMiniaturen::data(const QModelIndex& index, int role) const {
    if (!seiten_ || !index.isValid() || index.row() >= seiten_->anzahl()) return {};
    if (role == Qt::DisplayRole) return QString::number(index.row() + 1);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignHCenter | Qt::AlignBottom);
    if (role != Qt::DecorationRole) return {};
    auto it = bilder_.constFind(index.row());
    if (it != bilder_.constEnd()) return *it;
    const std::shared_ptr<const TSeitenBild> seite = seiten_->seite(index.row());
    const TSeitenBild& s = *seite;
    const double f = static_cast<double>(breitePx) / std::max(s.druckb, s.druckh);
    QImage bild(std::max(1, static_cast<int>(s.druckb * f)),
                std::max(1, static_cast<int>(s.druckh * f)), QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(f, f);
        seiteAbspielen(p, s);
        p.resetTransform();
        p.setPen(Qt::gray);
        p.drawRect(bild.rect().adjusted(0, 0, -1, -1));
    }
    // A long report keeps only the thumbnails seen last.
    if (bilder_.size() > 200) bilder_.clear();
    const QPixmap px = QPixmap::fromImage(bild);
    if (seiten_->bereit()) bilder_.insert(index.row(), px);
    return px;
}

} // namespace zephan
