#pragma once

#include "pressure/network_pressure_results.h"

namespace zephan {

class TDruck;

// The report of one computed line, written from its results: the headline, the summary of
// the ends, the fan's pressure, the worst path (or the path to the target) and, unless
// `zusammenfassung`, the balancing blocks.
void strangBerichtSchreiben(TDruck& bericht, const StrangErgebnis& ergebnis, bool zusammenfassung);

} // namespace zephan
