#pragma once

#include "bands/kurve.h"

namespace zephan {

// The chart curves of the fitting rules, each built once from its point table and read with
// TKurve::wert (linear). Read beyond their last point the charts would extrapolate below zero
// (a very wide bend, a very long offset); a loss coefficient cannot be negative, so every
// curve is held at 0 from below.

// Bend factor over bend radius / diameter.
const TKurve& kurve_radius();
// Angle factor over the deflection angle in degrees.
const TKurve& kurve_winkel();
// Side-ratio factor of a rectangular bend.
const TKurve& kurve_seitenverhaeltnis();
// Offsets over offset length / diameter: steep (above 45°) and flat.
const TKurve& kurve_etage_steil();
const TKurve& kurve_etage_flach();
// Round saddle branch over the flow ratio, supply and extract.
const TKurve& kurve_sattel_zu();
const TKurve& kurve_sattel_ab();

} // namespace zephan
