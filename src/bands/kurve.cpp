#include "bands/kurve.h"

#include "store/trace_log.h"
#include "store/user_seam.h"

#include <cmath>

namespace zephan {

namespace {

using Ext = long double;

// The segment (r, m) that serves x: m is the first point with x <= x_m, at least 1, and the
// last point when x lies beyond it.
template <typename XAt> int segmentEnde(int anzahl, XAt xAt, float x) {
    const int letzter = anzahl - 1;
    int m = 0;
    while (m <= letzter && !(x <= xAt(m))) ++m;
    if (m > letzter) m = letzter;
    if (m == 0) m = 1;
    return m;
}

// Linear interpolation on the segment; a segment of zero width (two points at one x) is a
// step rather than a division by zero.
Ext linearAuf(Ext x, Ext xr, Ext yr, Ext xm, Ext ym) {
    if (xm == xr) return x > xm ? ym : yr;
    return yr + (ym - yr) / (xm - xr) * (x - xr);
}

} // namespace

TKurve::TKurve(int typ, UserSeam* seam) : Ftyp(typ), seam_(seam) {}

void TKurve::Add(float x, float y) {
    if (Ftyp == logX && x <= 0) x = 0.0001f;
    arX.push_back(x);
    arY.push_back(y);
    ++FAnzahl;
}

void TKurve::add(float x, float s1, float s2, float s3, float s4, float s5, float s6, float s7,
                 float s8) {
    ar2.push_back({x, TPegel{s1, s2, s3, s4, s5, s6, s7, s8}});
    ++FAnzahl;
}

void TKurve::addp(float x, const TPegel& p) {
    ar2.push_back({x, p});
    ++FAnzahl;
}

void TKurve::Clear() {
    arX.clear();
    arY.clear();
    ar2.clear();
    FAnzahl = -1;
}

void TKurve::SetTyp(int typ) {
    Ftyp = typ;
}

void TKurve::setmin(float minwert) {
    FMinset = true;
    Fmin = minwert;
}

float TKurve::wert(float x) const {
    if (arX.empty()) {
        trace(QStringLiteral("Kurve leer"));
        if (seam_) seam_->meldung(QStringLiteral("Kurve leer"), UserSeam::Kind::Fehler);
        return -1;
    }
    if (std::isnan(x)) return -1; // a failed formula upstream; no point to read
    Ext y;
    if (arX.size() == 1 || x < arX.front()) {
        y = arY.front();
    } else {
        const int m = segmentEnde(
            static_cast<int>(arX.size()), [this](int i) { return arX[i]; }, x);
        const int r = m - 1;
        const Ext xr = arX[r], xm = arX[m], yr = arY[r], ym = arY[m];
        switch (Ftyp) {
        case linear:
        case linear3:
            y = linearAuf(x, xr, yr, xm, ym);
            break;
        case logX:
            // Points stored before a change to this kind may sit at x <= 0; no logarithm there.
            if (xr <= 0 || xm <= 0 || x <= 0) return -1;
            y = linearAuf(std::log10(static_cast<Ext>(x)), std::log10(xr), yr, std::log10(xm), ym);
            break;
        case logY:
            if (yr <= 0 || ym <= 0) return -1;
            y = std::pow(static_cast<Ext>(10),
                         linearAuf(x, xr, std::log10(yr), xm, std::log10(ym)));
            break;
        default:
            return -1;
        }
    }
    if (FMinset && y < Fmin) y = Fmin;
    return static_cast<float>(y);
}

void TKurve::wertp(float x, TPegel& result) const {
    for (int k = 0; k < 5; ++k) result[k] = pegelNichtBerechnet;
    if (ar2.empty()) return;
    if (ar2.size() == 1) {
        result = ar2.front().values;
        return;
    }
    if (std::isnan(x)) return;
    const int m = segmentEnde(
        static_cast<int>(ar2.size()), [this](int i) { return ar2[i].x; }, x);
    const int r = m - 1;
    for (int k = 0; k < 8; ++k)
        result[k] = static_cast<double>(
            linearAuf(x, ar2[r].x, ar2[r].values[k], ar2[m].x, ar2[m].values[k]));
}

} // namespace zephan
