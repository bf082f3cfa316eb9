#pragma once

#include "bands/pegel.h"

namespace zephan {

class Geraeuschbericht;
class Rechenblatt;

// Flow noise of a change of direction (VDI 2081 section 5.2.2) for the diameter d_a [mm], the
// velocity v [m/s] and the velocity ratio r = v_h/v_a, with a fixed rounding radius of 40 mm.
// Each argument is first raised to at least 0.01 and every Strouhal number to at least 1.
// Writes the frequency row and the work rows 1 to 6 (printed) and returns the sum of rows 2
// to 6.
TPegel umlenkgeraeusch(double da, double v, double r, const Geraeuschbericht& b, Rechenblatt& rb);

} // namespace zephan
