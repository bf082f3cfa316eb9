#include "sizing/vorschlag.h"

#include "network/settings.h"
#include "pressure/duct_hydraulics.h"
#include "store/number_format.h"

#include <cmath>
#include <numbers>

namespace zephan {

namespace {

// The first standard size at least `x`; -1 when none is that large.
int ersteAb(const QList<int>& s, double x) {
    for (int m : s)
        if (m >= x) return m;
    return -1;
}

// The largest standard size not above `x`; the smallest when all are above.
int groessteBis(const QList<int>& s, double x) {
    int r = s.front();
    for (int m : s)
        if (m <= x) r = m;
    return r;
}

// The first size that reaches the area with the other edge `kante`, or the largest.
int ersteFuerFlaeche(const QList<int>& s, double kante, double flaeche) {
    for (int m : s)
        if (kante * m / 1e6 >= flaeche) return m;
    return s.back();
}

// The first size that reaches the limit or the area with the other edge, or the largest.
int ersteBisGrenze(const QList<int>& s, double grenze, double kante, double flaeche) {
    for (int m : s)
        if (m >= grenze || kante * m / 1e6 >= flaeche) return m;
    return s.back();
}

// Height under a height limit once the width is fixed.
double hoeheMitGrenze(const QList<int>& s, double W, double Hmax, double flaeche) {
    if (Hmax <= 0) return ersteFuerFlaeche(s, W, flaeche);
    const int h = ersteBisGrenze(s, Hmax, W, flaeche);
    return h < Hmax ? h : Hmax;
}

} // namespace

Vorschlag vorschlag(double Q, bool nachGefaelle, bool eckig, double x, double W, double H,
                    const Einstellungen& e, double rho) {
    Vorschlag r;
    if (!std::isfinite(Q) || !std::isfinite(x)) return r;
    if (Q < 0) {
        r.ok = true;
        r.geschwindigkeit = formatZahl(0, 2);
        return r;
    }
    double s0 = 0;   // target edge or diameter [mm]
    double ziel = 0; // target area [m²]
    if (nachGefaelle) {
        if (x < 0.1) x = e.paProM();
        const int d = rohrsuchen(Q, x, rho);
        if (d < 0 && Q > 0) return r; // no gradient to size with
        s0 = std::max(d, 0);
        ziel = flaeche_rund(s0);
    } else {
        // Without a design velocity the area would be a division by zero.
        if (x <= 0) return r;
        ziel = Q / x / 3600;
        s0 = 1000 * std::sqrt(ziel);
    }
    r.ok = true;

    if (!eckig) {
        const double d0 = nachGefaelle ? s0 : 1000 * std::sqrt(4 * ziel / std::numbers::pi);
        const int standard = ersteAb(e.rohrMasse(), d0);
        const double d = standard >= 0 ? standard : d0;
        r.W = -1;
        r.H = std::trunc(d);
        r.geschwindigkeit = formatZahl(Q / 3600 / flaeche_rund(r.H), 2);
        return r;
    }

    const QList<int>& s = e.kanalMasse();
    const double Wmax = W > 0 ? W : 0;
    const double Hmax = H > 0 ? H : 0;
    if (Wmax <= 0 && Hmax <= 0) {
        // With no standard edge as large as the target, the largest, as everywhere else.
        const int w = ersteAb(s, s0);
        W = w >= 0 ? w : s.back();
        H = ersteFuerFlaeche(s, W, ziel);
    } else if (Wmax <= 0) {
        H = s0 <= Hmax ? groessteBis(s, Hmax) : Hmax;
        W = ersteFuerFlaeche(s, H, ziel);
    } else if (Wmax < s0) {
        W = Wmax;
        H = hoeheMitGrenze(s, W, Hmax, ziel);
        const int w = ersteBisGrenze(s, Wmax, H, ziel);
        if (w < Wmax) W = w;
    } else {
        W = groessteBis(s, Wmax);
        H = hoeheMitGrenze(s, W, Hmax, ziel);
    }
    r.W = W;
    r.H = H;
    r.geschwindigkeit = formatZahl(Q / 3600 / flaeche_eckig(W, H), 2);
    return r;
}

int querschnittLaenge(double delta) {
    const double l = std::trunc(std::fabs(delta) / std::sin(35 * std::numbers::pi / 180));
    if (l < 250) return 250;
    if (l < 600) return 500;
    if (l < 850) return 750;
    if (l < 1150) return 1000;
    return 1500;
}

int uebergangLaenge(double laenge) {
    if (laenge <= 300) return 250;
    if (laenge < 600) return 500;
    if (laenge < 800) return 750;
    return 1000;
}

} // namespace zephan
