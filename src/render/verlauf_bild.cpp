#include "render/verlauf_bild.h"

#include "pressure/druckverlauf.h"
#include "render/diagram.h"
#include "render/report_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

// The report canvas counts in 0.1 mm; a screen pixel at 96 dpi is 254 / 96 of them.
constexpr double proPixel = 96.0 / 254.0;

const QColor rot(255, 0, 0);
const QColor blau(0, 0, 255);
const QColor silber(192, 192, 192);

int ganz(double x) {
    return static_cast<int>(std::trunc(x));
}

} // namespace

int markupZeichnen(QPainter& p, int x, int y, const QString& text, int punkte) {
    p.save();
    p.translate(x, y);
    p.scale(proPixel, proPixel);
    TmyCanvas c;
    c.painter = &p;
    c.font.groesse = punkte;
    c.brushStil = Qt::NoBrush;
    const int w = c.mytextout(0, 0, text);
    p.restore();
    return static_cast<int>(std::lround(w * proPixel));
}

int markupBreite(const QString& text, int punkte) {
    TmyCanvas c;
    c.font.groesse = punkte;
    return static_cast<int>(std::lround(c.mytextwidth(text) * proPixel));
}

VerlaufSkala verlaufSkala(Druckverlauf& v, bool vereinfacht) {
    VerlaufSkala s;
    s.oben = tDiagramm::ladderUp(vereinfacht ? std::trunc(v.maxwert1) : v.maxwert2);
    // Rounded once: -40 is no ladder value, and rounding it again would move the bottom to
    // -50 on every redrawing.
    if (!v.minwertGerundet) {
        if (v.minwert > -20) v.minwert = -20;
        v.minwert = tDiagramm::ladderUp(v.minwert);
        if (v.minwert > -40) v.minwert = -40;
        v.minwertGerundet = true;
    }
    s.unten = v.minwert;
    s.gitter = {tDiagramm::ladderUp(s.oben / 2 - 1), tDiagramm::ladderUp(s.oben / 4 - 1),
                tDiagramm::ladderUp(v.minwert / 2 + 1)};
    return s;
}

int verlaufBreite(const Druckverlauf& v) {
    return verlaufLinks + (v.anz() + 2) * verlaufBr + 260;
}

void verlaufZeichnen(QPainter& p, int W, int Hi, Druckverlauf& v, const VerlaufAnsicht& o) {
    const int links = verlaufLinks;
    const int br = verlaufBr;
    const int H = Hi - 30;

    const VerlaufSkala skala = verlaufSkala(v, o.vereinfacht);
    const double T = skala.oben;
    const double B = std::fabs(skala.unten);
    const auto y = [&](double pa) { return H - ganz(pa / (T + B) * H + B / (T + B) * H); };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 0, W, Hi, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, W - 1, Hi - 1);
    p.drawLine(0, H, W, H);
    p.drawLine(links - 2, y(0), W, y(0));
    p.drawLine(links, 10, links, H);
    QFont f = p.font();
    f.setPixelSize(11);
    p.setFont(f);
    const QFontMetrics fm(f);
    const auto rechtsbuendig = [&](const QString& t, int xEnde, int yOben) {
        p.drawText(xEnde - fm.horizontalAdvance(t), yOben + fm.ascent(), t);
    };
    rechtsbuendig(QStringLiteral("0"), links - 5, y(0) - 8);
    p.drawText(links - 15, 10 + fm.ascent(), QStringLiteral("Pa"));

    for (double g : skala.gitter) {
        const int yg = y(g);
        p.setPen(QPen(Qt::black, 1));
        rechtsbuendig(QString::number(ganz(g)), links - 5, yg - 8);
        p.drawLine(links - 2, yg, links, yg);
        p.setPen(QPen(silber, 1));
        p.drawLine(links, yg, W - 2, yg);
    }

    const auto x = [&](int k) { return links + (k + 1) * br - 6; };
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k <= v.anz(); ++k)
        p.drawText(links + k * br + 10, H + 10 + fm.ascent(), QString::number(k + 1));

    for (int i = 1; i <= v.anz(); ++i) {
        const TDaten& a = v.a[static_cast<size_t>(i - 1)];
        const TDaten& b = v.a[static_cast<size_t>(i)];
        if (!o.vereinfacht && b.titel.left(8) == QStringLiteral("Ventilat")) {
            p.setPen(QPen(rot, 1));
            const QPoint spitze(x(i) - 4, y(a.pt + v.totald));
            p.drawLine(QPoint(x(i - 1), y(a.pt)), spitze);
            p.drawLine(spitze, QPoint(x(i), y(b.pt)));
            const int q = y(a.pt + v.totald + b.pd);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(x(i) - 4, q - 1, x(i) - 4, q + 1);
            continue;
        }
        p.setPen(QPen(rot, 1));
        p.drawLine(x(i - 1), y(a.pt), x(i), y(b.pt));
        p.setPen(QPen(blau, 1));
        p.drawLine(x(i) - 1, y(std::fabs(b.pd)), x(i) + 1, y(std::fabs(b.pd)));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(x(i - 1), y(a.pt + a.pd), x(i), y(b.pt + b.pd));
        if (o.pdAnzeigen) {
            p.setPen(QPen(blau, 1));
            p.drawLine(x(i - 1), y(a.pt), x(i - 1), y(a.pt + a.pd));
        }
    }

    // The point list over the chart, with the legend at its top.
    int w = 190;
    for (const TDaten& a : v.a) w = std::max(w, fm.horizontalAdvance(a.titel));
    const int xl = W - w - 10;
    const int nrBreite = fm.horizontalAdvance(QString::number(v.anz() + 1));
    const int unten = 50 + 15 * std::max(v.anz(), 0) + fm.height() + 4;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRect(QPoint(xl - 5 - nrBreite - 5, 15), QPoint(W - 5, unten)));
    p.setBrush(Qt::NoBrush);
    const struct {
        QColor farbe;
        int abRechts;
        QString text;
    } legende[] = {{blau, 180, QStringLiteral("p°(sub dyn°(-sub")},
                   {rot, 130, QStringLiteral("°(delta p°(sub stat.°(-sub")},
                   {Qt::black, 70, QStringLiteral("°(delta p°(sub total°(-sub")}};
    for (const auto& e : legende) {
        const int lx = W - e.abRechts;
        p.setPen(QPen(e.farbe, 1));
        p.drawLine(lx, 30, lx + 15, 30);
        markupZeichnen(p, lx + 20, 22, e.text);
    }
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k <= v.anz(); ++k) {
        const int yk = 50 + 15 * k;
        rechtsbuendig(QString::number(k + 1), xl - 5, yk);
        p.drawText(xl, yk + fm.ascent(), v.a[static_cast<size_t>(k)].titel);
    }
    p.restore();
}

QImage verlaufBild(Druckverlauf& v, int breite, int hoehe, const VerlaufAnsicht& o) {
    QImage bild(std::max(breite, 1), std::max(hoehe, 1), QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    verlaufZeichnen(p, bild.width(), bild.height(), v, o);
    return bild;
}

} // namespace zephan
