#pragma once

#include "pressure/component_rule.h"

namespace zephan {

// Pressure loss of grilles, outlets, silencers and fire dampers (types 9, 10, 11, 12, 41, 43):
// the rules behind geraeteRegel (declared in component_rule.h) and their helpers.

// The straight line through (x1, y1) and (x2, y2) read at x: y1 + (y2 − y1)/(x2 − x1)·(x − x1),
// but 0 when that is negative. Two points at the same x give y1; a result that is not a
// number gives 0.
double zweipunkt(double x, double y2, double x2, double y1, double x1);

// Effective area [m²] of an "-AG" grille of height h and width b [mm]: the maker's table for
// the listed heights (every height from 525 mm reads the last row), 0.6·h·b/10⁶ for any other
// height below 525 mm, and -1 when the width is not made at that height or a side is not
// above 0.
double gitterflaeche(double h, double b);

// The flow of one device [m³/h]. An outlet (10) or extract grille (12) stands for all such
// devices of its room: the flow reaching the rule is theirs together (i[3]) and i[4] is their
// number, so each device passes q / max(1, i[4]). Every other device takes q as it is. The
// amount is used, and 0 counts as 1 m³/h.
double geraeteVolumenstrom(const DVdata& rec, double q);

} // namespace zephan
