#include "app/spektrum_balken.h"

#include "store/number_format.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zephan {

SpektrumBalken::SpektrumBalken(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpektrumBalken"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int SpektrumBalken::reiheHinzufuegen(const QColor& farbe) {
    Reihe r;
    r.werte.fill(-1);
    r.farbe = farbe;
    reihen_.push_back(r);
    update();
    return static_cast<int>(reihen_.size()) - 1;
}

void SpektrumBalken::setWerte(int reihe, const BandWerte& werte) {
    if (reihe < 0 || reihe >= static_cast<int>(reihen_.size())) return;
    reihen_[static_cast<size_t>(reihe)].werte = werte;
    update();
}

void SpektrumBalken::setAktiv(int reihe, bool aktiv) {
    if (reihe < 0 || reihe >= static_cast<int>(reihen_.size())) return;
    reihen_[static_cast<size_t>(reihe)].aktiv = aktiv;
    update();
}

void SpektrumBalken::setSkala(double min, double max, const QString& einheit) {
    min_ = min;
    max_ = max > min ? max : min + 1;
    einheit_ = einheit;
    update();
}

BandWerte SpektrumBalken::werte(int reihe) const {
    if (reihe < 0 || reihe >= static_cast<int>(reihen_.size())) return {};
    return reihen_[static_cast<size_t>(reihe)].werte;
}

bool SpektrumBalken::aktiv(int reihe) const {
    return reihe >= 0 && reihe < static_cast<int>(reihen_.size()) &&
           reihen_[static_cast<size_t>(reihe)].aktiv;
}

// Each band as wide as its caption "125" with room to spare, the scale's numbers beside.
QSize SpektrumBalken::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QStringLiteral("-0000")) + 12 +
                vorgabeBandAnzahl * (fm.horizontalAdvance(QStringLiteral("125")) + 20),
            fm.height() * 9};
}

QSize SpektrumBalken::minimumSizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QStringLiteral("-0000")) + 12 +
                vorgabeBandAnzahl * (fm.horizontalAdvance(QStringLiteral("125")) + 8),
            fm.height() * 6};
}

// The plot area: room for the scale's numbers on the left and the band captions below.
QRect SpektrumBalken::zeichenflaeche() const {
    const QFontMetrics fm = fontMetrics();
    const int links = fm.horizontalAdvance(QStringLiteral("-0000")) + 6;
    const int oben = fm.height() + fm.height() / 2 + 2;
    const int unten = fm.height() + 4;
    return QRect(links, oben, std::max(10, width() - links - 6),
                 std::max(10, height() - oben - unten));
}

int SpektrumBalken::balkenHoehe(int reihe, int band) const {
    if (reihe < 0 || reihe >= static_cast<int>(reihen_.size()) || band < 0 ||
        band >= vorgabeBandAnzahl)
        return 0;
    const double w = reihen_[static_cast<size_t>(reihe)].werte[static_cast<size_t>(band)];
    if (w == -1 || !std::isfinite(w)) return 0;
    const double basis = std::clamp(0.0, min_, max_);
    const double anteil = (std::clamp(w, min_, max_) - basis) / (max_ - min_);
    return static_cast<int>(std::lround(anteil * zeichenflaeche().height()));
}

void SpektrumBalken::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect f = zeichenflaeche();
    const QFontMetrics fm = fontMetrics();
    p.fillRect(f, palette().base());
    // The zero line (or the lower edge) is the bars' base.
    const double basis = std::clamp(0.0, min_, max_);
    const int y0 =
        f.bottom() - static_cast<int>(std::lround((basis - min_) / (max_ - min_) * f.height()));
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(f.adjusted(0, 0, -1, -1));
    p.drawLine(f.left(), y0, f.right(), y0);

    // The scale: its ends and the unit.
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const auto zahl = [&](double x, int y) {
        const QString t = formatZahl(x, 0);
        p.drawText(QRect(0, y - fm.height() / 2, f.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, t);
    };
    zahl(max_, f.top());
    zahl(min_, f.bottom());
    if (basis != min_) zahl(basis, y0);
    p.drawText(QRect(f.left(), 0, f.width(), fm.height()), Qt::AlignRight | Qt::AlignTop, einheit_);

    const int n = std::max<int>(1, static_cast<int>(reihen_.size()));
    const double gruppe = double(f.width()) / vorgabeBandAnzahl;
    const double balken = std::max(2.0, (gruppe - 6) / n);
    for (int b = 0; b < vorgabeBandAnzahl; ++b) {
        const int gx = f.left() + static_cast<int>(std::lround(b * gruppe));
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        p.drawText(QRect(gx, f.bottom() + 2, static_cast<int>(gruppe), fm.height() + 2),
                   Qt::AlignHCenter | Qt::AlignTop, bandKopf(b));
        for (int r = 0; r < static_cast<int>(reihen_.size()); ++r) {
            const Reihe& reihe = reihen_[static_cast<size_t>(r)];
            const double w = reihe.werte[static_cast<size_t>(b)];
            if (w == -1 || !std::isfinite(w)) continue;
            const double v = std::clamp(w, min_, max_);
            const int y =
                f.bottom() - static_cast<int>(std::lround((v - min_) / (max_ - min_) * f.height()));
            const int x = gx + 3 + static_cast<int>(std::lround(r * balken));
            QColor c = reihe.farbe;
            if (!reihe.aktiv) c.setAlpha(70);
            const QRect bar(QPoint(x, std::min(y, y0)),
                            QPoint(x + static_cast<int>(balken) - 2, std::max(y, y0)));
            p.fillRect(bar, c);
        }
    }
}

} // namespace zephan
