#pragma once

#include "bands/kurve.h"

#include <array>
#include <optional>

namespace zephan {

// Maker data of the Trox devices whose pressure loss the device rules read: grille areas,
// disc-valve and fire-valve coefficients, swirl-diffuser characteristics and the fire-damper
// chart. All values as published by the maker; sizes in mm, flows in m³/h, losses in Pa.

// Effective area [m²] of an "-AG" grille of height h (row) and width b (column).
struct GitterZeile {
    double hoehe;                  // mm; the last row stands for every height from 525 mm up
    std::array<double, 9> flaeche; // per width of gitterBreiten(); -1 where the size is not made
};
const std::array<double, 9>& gitterBreiten();
const std::array<GitterZeile, 5>& gitterTabelle();
// Heights from this one up read the last row of the table.
constexpr double gitterHoeheGross = 525;

// Pressure loss Δp = a·Q² + b·Q + c of a disc valve or fire valve of nominal size dn,
// with the gap width s [mm] printed for the supply disc valve.
struct VentilKennlinie {
    int dn;
    double a;
    double b;
    double c;
    int spalt;

    double druckverlust(double q) const { return a * q * q + b * q + c; }
};
using VentilTabelle = std::array<VentilKennlinie, 4>;
// Disc valve LV, extract ("LVS") and supply ("Z-LVS").
const VentilTabelle& tellerventilAbluft();
const VentilTabelle& tellerventilZuluft();
// Fire valves FV-K90 / FVZ-K30 in position 1, extract and supply.
const VentilTabelle& brandschutzventilAbluft();
const VentilTabelle& brandschutzventilZuluft();
// The entry of nominal size dn, or nothing for a size the maker does not list.
std::optional<VentilKennlinie> ventilKennlinie(const VentilTabelle& tabelle, double dn);

// Swirl diffuser FD: the loss is the straight line through two points (Q, Δp) of the
// maker's chart, one per entry of the size list (series -H then -V, five sizes each).
struct DralldurchlassKennlinie {
    double x1, y1; // Q [m³/h], Δp [Pa]
    double x2, y2;
};
const std::array<DralldurchlassKennlinie, 10>& dralldurchlass();

// Loss coefficient of the round fire damper FKRS-02-K90 by nominal size (100, 125, 160,
// 200); nothing for any other size.
std::optional<double> fkrsZeta(double dn);

// The two factor curves of the rectangular fire damper: over the height h and over the
// width b [mm]. Linear, built once.
const TKurve& bskKurveHoehe();
const TKurve& bskKurveBreite();
// The largest height and width of the maker's chart [mm].
constexpr double bskHoeheMax = 797;
constexpr double bskBreiteMax = 1500;
// Loss coefficient of a rectangular fire damper of height h and width b [mm]: the product
// of both curves. A size above the chart takes the value of its last point (extrapolating
// would let the coefficient fall towards 0 and below, the unsafe side for sizing a fan); below
// the first point the first value holds. -1 for sizes that are no number.
double bsk_zeta(double h, double b);
// True when h or b lies above the maker's chart.
inline bool bskAusserhalb(double h, double b) {
    return h > bskHoeheMax || b > bskBreiteMax;
}

} // namespace zephan
