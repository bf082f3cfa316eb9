#pragma once

// The flow-noise models, one per family of components, behind stroemungsgeraeusch. Each
// model writes its derivation and sets `ergebnis`; it returns false when it ended early
// without the closing empty line.

#include "bands/pegel.h"
#include "network/dvdata.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace zephan {

class Geraeuschbericht;
class Rechenblatt;
class tmylistitem;
struct Rechenkontext;
struct Schalldaten;
struct StrangErgebnis;

struct GeraeuschEingabe {
    tmylistitem* knoten;
    const DVdata& rec; // copy of the record after the pressure-loss pass
    int seite;         // passage of a branch fitting
    double V;          // flow of the component [m³/h], 0 when unknown
    double rho;        // air density of the line [kg/m³]
    const Rechenkontext& k;
    const Geraeuschbericht& b;
    Rechenblatt& rb;
    const Schalldaten& daten;
    const StrangErgebnis* druckpass; // the line's pressure pass when the caller ran it
};

bool modellKanal(const GeraeuschEingabe& e, TPegel& ergebnis);             // duct, pipe, splitter
bool modellAuslass(const GeraeuschEingabe& e, TPegel& ergebnis);           // grilles and outlets
bool modellTellerventil(const GeraeuschEingabe& e, TPegel& ergebnis);      // Trox LV
bool modellBrandschutzventil(const GeraeuschEingabe& e, TPegel& ergebnis); // FV-K90
bool modellVentilator(const GeraeuschEingabe& e, TPegel& ergebnis);
bool modellBogen(const GeraeuschEingabe& e, TPegel& ergebnis);
bool modellKnie(const GeraeuschEingabe& e, TPegel& ergebnis);
bool modellAbzweig(const GeraeuschEingabe& e, TPegel& ergebnis);       // branch fittings
bool modellSattelstutzen(const GeraeuschEingabe& e, TPegel& ergebnis); // saddle, trouser
bool modellDrosselklappe(const GeraeuschEingabe& e, TPegel& ergebnis);
bool modellBrandschutzklappe(const GeraeuschEingabe& e, TPegel& ergebnis);
bool modellVolumenstromregler(const GeraeuschEingabe& e, TPegel& ergebnis);

// Steps of the duct model from the level on, shared with bends of small angle: the rows
// L_w, f/v and the relative spectrum of velocity v [m/s] and section S [m²].
TPegel kanalSpektrum(double v, double S, const Geraeuschbericht& b, Rechenblatt& rb);

// --- guarded arithmetic: no logarithm of 0 or below and no division by 0 reaches a result
// Smallest argument of a logarithm.
inline constexpr double lgBoden = 1e-9;
inline double lg(double x) {
    return std::log10(std::isfinite(x) && x > lgBoden ? x : lgBoden);
}
// a / b; 0 when b is 0 or the quotient is no finite number.
inline double teile(double a, double b) {
    const double q = b != 0 ? a / b : 0;
    return std::isfinite(q) ? q : 0;
}
// Section areas [m²] from dimensions in mm; 0 for dimensions not given.
inline double kreisflaeche(double d) {
    return d > 0 ? M_PI * (d / 1000) * (d / 1000) / 4 : 0;
}
inline double rechteckflaeche(double a, double b) {
    return a > 0 && b > 0 ? a * b / 1e6 : 0;
}
// Diameter [mm] of the circle with the area of an a × b rectangle.
inline double gleichwertigerDurchmesser(double a, double b) {
    return a > 0 && b > 0 ? std::sqrt(4 * a * b / M_PI) : 0;
}
// A value that the formulas can take: finite, else `ersatz`.
inline double endlich(double x, double ersatz = 0) {
    return std::isfinite(x) ? x : ersatz;
}
// Truncates toward zero within the int range.
inline int ganz(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<int>(std::clamp(std::trunc(x), -2.0e9, 2.0e9));
}
// Every band of p finite: a band that is not becomes pegelNichtBerechnet.
inline void bandsEndlich(TPegel& p) {
    for (double& x : p)
        if (!std::isfinite(x)) x = pegelNichtBerechnet;
}
// The flow of a neighbour node [m³/h]; 0 when there is none or it is unknown.
double nachbarStrom(const GeraeuschEingabe& e, const tmylistitem* n);

} // namespace zephan
