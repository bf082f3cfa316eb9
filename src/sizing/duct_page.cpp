#include "sizing/duct_page.h"

#include "pressure/duct_hydraulics.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

double laengeAusFeld(double wert) {
    return wert < 100 ? wert * 1000 : wert;
}

double schnellLaenge(int meter) {
    return leseZahl(QString::number(meter) + QStringLiteral("000"));
}

int vAnpassen(const QString& geschwindigkeit) {
    bool ok = false;
    const double v = leseZahl(geschwindigkeit, &ok);
    if (!ok || !std::isfinite(v) || v < 0) return -1;
    return static_cast<int>(kuerzen(v)) + 1;
}

int hoeheZurBreite(const QList<int>& kanal, double breite, double Q, double v) {
    if (Q < 0 || v <= 0 || breite <= 0 || kanal.isEmpty()) return -1;
    const double flaeche = Q / 3600 / v;
    for (int s : kanal)
        if (breite * s / 1e6 >= flaeche) return s;
    return kanal.last();
}

RohrNachbar rohrNachbar(const QList<int>& rohre, double d, double Q, bool groesser) {
    RohrNachbar r;
    r.text = QStringLiteral("-");
    if (Q < 0) return r;
    if (groesser) {
        for (int m : rohre)
            if (m > d) {
                r.durchmesser = m;
                break;
            }
    } else {
        for (int m : rohre)
            if (m < d) r.durchmesser = m;
    }
    if (r.durchmesser > 0) r.text = formatZahl(Q / 3600 / flaeche_rund(r.durchmesser), 1);
    return r;
}

} // namespace zephan
