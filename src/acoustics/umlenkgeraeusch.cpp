#include "acoustics/umlenkgeraeusch.h"

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "bands/rechenblatt.h"

#include <algorithm>
#include <cmath>

namespace zephan {

namespace {
constexpr double argumentBoden = 0.01;
constexpr double radius = 40; // mm
} // namespace

TPegel umlenkgeraeusch(double da, double v, double r, const Geraeuschbericht& b, Rechenblatt& rb) {
    const auto boden = [](double x) {
        return std::isfinite(x) ? std::max(x, argumentBoden) : argumentBoden;
    };
    da = boden(da);
    v = boden(v);
    r = boden(r);
    b.frequenzen();
    TPegel& st = rb[1];
    TPegel& norm = rb[2];
    TPegel& band = rb[3];
    TPegel& durchmesser = rb[4];
    TPegel& geschwindigkeit = rb[5];
    TPegel& rundung = rb[6];
    for (int k = 0; k < 8; ++k) {
        st[k] = std::max(1.0, endlich(oktavFrequenzen[k] * da / 1000 / v, 1));
        const double lgSt = lg(st[k]);
        norm[k] = 12 - 21.5 * std::pow(lgSt, 1.268) + (32 + 13 * lgSt) * lg(r);
        band[k] = 10 * lg(bandbreiten[k]);
        durchmesser[k] = 30 * lg(da / 1000);
        geschwindigkeit[k] = 50 * lg(v);
        rundung[k] = 13.9 * (3.43 - lgSt) * (0.15 - radius / da);
    }
    b.werte(QStringLiteral("St= f°(sub m °(-sub °(*  d°(sub a °(-sub / v°(sub a°(-sub"),
            QStringLiteral("-"), st);
    b.pegel(QStringLiteral("Normierter Schalleisungspegel (Bild 17)"), QStringLiteral("dB"), norm);
    b.pegel(QStringLiteral("10 lg °(delta f°(sub okt °(-sub (Tabelle 1)"), QStringLiteral("dB"),
            band);
    b.pegel(QStringLiteral("30 lg d°(sub a°(-sub"), QStringLiteral("dB"), durchmesser);
    b.pegel(QStringLiteral("50 lg v°(sub a°(-sub"), QStringLiteral("dB"), geschwindigkeit);
    b.pegel(QStringLiteral("Einfluß des Abrundungsradius (Bild 18)"), QStringLiteral("dB"),
            rundung);
    TPegel summe = rb.zeilensumme(2, 6);
    bandsEndlich(summe);
    return summe;
}

} // namespace zephan
