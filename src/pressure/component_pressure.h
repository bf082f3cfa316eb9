#pragma once

#include "network/dvdata.h"
#include "pressure/calc_context.h"

#include <QString>

namespace zephan {

class tmylistitem;

// Passages of a component calculation.
constexpr int modusDatensatz = 0; // the given record with a given flow, no tree context
constexpr int modusDurchgang = 1; // main passage ("Durchgang")
constexpr int modusAbzweig1 = 2;  // first (or only) branch
constexpr int modusAbzweig2 = 3;  // second branch of a cross

// Pressure loss [Pa] of one passage of a component; -1000 (keinErgebnis) when there is none.
//
// Modes 1 to 3 copy the node's record into `rec`, compute the passage with the flows of the
// node's neighbours and copy `rec` (velocity text p[0], zeta text p[1]) back
// into the node - except when the calculation stops early or a rule stops with a report line;
// the node then keeps its texts. Mode 0 computes `rec` itself with the flow Q [m³/h], whose
// sign gives the direction (>= 0 supply); `node` is then only used for the neighbours of a fan.
// `rec` may be the node's own record.
double bauteildruck(int modus, tmylistitem* node, DVdata& rec, double Q,
                    const Rechenkontext& kontext);

// The same passage without touching the tree: `stand` stands for the node's record (the
// caller's copy, with what earlier calculations of the walk gave it); it is read instead of
// the node's and receives the texts where bauteildruck would store them in the node. The
// node itself is only asked for its neighbours and flows.
double bauteildruckAuf(int modus, const tmylistitem* node, DVdata& stand, DVdata& rec,
                       const Rechenkontext& kontext);

// The fan's report lines.
QString ventilatorZeileGeraet(double dp);    // "Druckverlust Gerät ..." + dp(1) + " Pa"
QString ventilatorZeileDynamisch(double pd); // "      dynamisch ..." + pd(1) + " Pa"

} // namespace zephan
