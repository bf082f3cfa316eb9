#pragma once

#include "bands/pegel.h"

namespace zephan {

class TDruck;

// The chart that closes a room's section: the room's octave level against its permitted
// level, one line each over the bands 1 (63 Hz) … 7 (4 kHz), as a diagram block. A band
// without a level leaves its point out. The legend is kept short, so it stays clear of the
// title.
void raumDiagramm(TDruck& d, const TPegel& L, const TPegel& ziel);

} // namespace zephan
