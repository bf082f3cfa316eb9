#pragma once

#include "bands/kurve.h"

#include <span>

namespace zephan {

class UserSeam;

// Point data of the acoustic charts of VDI 2081 (July 2001) that the sound calculation reads
// through TKurve, named after their figure numbers there.

struct Kurvenpunkt {
    float x;
    float y;
};

// Relative spectrum of air outlets (Bild 19): x = f_m/(v zeta) [1/m], y = dL [dB], log in x.
std::span<const Kurvenpunkt> bild19Punkte();
// Relative spectrum of throttle dampers (Bild 22): x = f_m/(v zeta^0.3), y = dL [dB], log in x.
std::span<const Kurvenpunkt> bild22Punkte();

// Directivity factor Q (Bild 30): x = f_m sqrt(S_eff) [m/s], y = Q, linear.
// Source positions as the room stores them.
enum Quellort : int { raummitte = 0, wandmitte = 1, raumkante = 2, raumecke = 3 };
// Radiation angle code 1 selects the 45 degree curves, any other code the 0 degree curves.
inline constexpr int abstrahlwinkel45 = 1;
// Points of one curve; empty for a position outside 0..3.
std::span<const Kurvenpunkt> bild30Punkte(int winkel, int position);

// The charts as curves ready to read.
TKurve bild19Kurve(UserSeam* seam = nullptr);
TKurve bild22Kurve(UserSeam* seam = nullptr);
// An empty curve for a position outside 0..3 (reading it shows "Kurve leer", Q = -1).
TKurve bild30Kurve(int winkel, int position, UserSeam* seam = nullptr);

// dL of the outlet chart at x, truncated toward zero to a whole number.
int auslassSpektrum(double x);
// dL of the throttle-damper chart at x, truncated toward zero to a whole number.
int drosselklappenSpektrum(double x);
// Q at x for the angle code and source position.
double richtfaktor(int winkel, int position, double x, UserSeam* seam = nullptr);

} // namespace zephan
