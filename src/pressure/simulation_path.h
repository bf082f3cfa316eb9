#pragma once

// What the simulation reads from the line's core result: the chain ends with the outlet that
// holds each end's flow, and each end's path loss with the fan's own loss, which the pressure
// calculation keeps apart from the paths.

#include "pressure/simulation.h"

namespace zephan {

// The chain ends of a computed line in walk order, with position, name, outlet and the
// outlet's design flow.
std::vector<SimulationsEnde> simulationsEnden(const StrangErgebnis& e);

// The loss of the path to `ende` [Pa]: its external loss `dpExt` plus the fan's own loss when
// the line's first fan lies on that path.
double pfadMitVentilator(const StrangErgebnis& e, const tmylistitem* ende, double dpExt);

} // namespace zephan
