#pragma once

#include "bands/pegel.h"

namespace zephan {

class Geraeuschbericht;
struct Schalldaten;

// Sound power of a rectangular Trox fire damper of height h and width b [mm] at the face
// velocity v [m/s]: the maker's spectra of a 634 mm wide damper for the height group (the
// smallest tabulated height above h; from 797 mm the 797 mm group), read at v (the first row
// below its velocity, linear in v between the rows, beyond the last rows extrapolated from
// them), plus the width correction K_b. Writes the rows "Schalleistungspegel für b=634 mm"
// and "Korrektur für die Breite". All bands pegelNichtBerechnet when the data are missing.
TPegel klappenspektrum(int h, int b, double v, const Geraeuschbericht& bericht,
                       const Schalldaten& daten);

} // namespace zephan
