#pragma once

#include "pressure/calc_context.h"

namespace zephan {

// A calculation context over the program's own catalogue, titled-number tables and work sheet,
// with a copy of the settings as they stand now. The windows and the command-line tool start
// their calculations with it; the calculations themselves never reach for the program's state.
Rechenkontext programmKontext();

} // namespace zephan
