#pragma once

// The flows at which a tree of ducts is in balance. The fan delivers its design flow; every
// passage of a component loses c·V̇² with c taken from its loss at the flow it last carried.
// Parallel paths are combined from the ends upwards (a path of resistance R carries a share
// proportional to 1/√R), the fan's flow is split from the top down, the line is computed at
// the new flows to re-evaluate every c, and this repeats until no end's flow moves by more
// than 0.1 % (or by less than half a m³/h, since the line is computed in whole m³/h). A
// passage that regains pressure counts as lossless in the split; a step that moves the flows
// further than the one before is shortened, so a split that swings settles, and after a few
// rounds every step is shortened, so also a split about a loss that jumps stands still. The
// line's runs are to take the losses unrounded (Rechenkontext::ungerundet): the steps of the
// rounded velocity and zeta texts would keep the split from settling.

#include "pressure/simulation.h"

#include <functional>

namespace zephan {

// Runs the line's core calculation with the given flows; false when it stopped or was
// cancelled (the result then tells why).
using Kernlauf = std::function<bool(const Stromvorgaben& stroeme, StrangErgebnis& ergebnis)>;

// Most re-evaluations before the equilibrium gives up (it then reports the last split).
constexpr int gleichgewichtMaxIterationen = 50;
// Rounds in which every end takes its whole step; after them the steps shrink to an eighth
// round by round, so the flows stand still after a few more.
constexpr int gleichgewichtFreieRunden = 6;
// An end's flow may move by this fraction between two splits and still count as settled.
constexpr double gleichgewichtToleranz = 0.001;
// A path whose loss ends this close to the balanced one [Pa] counts as settled, too.
constexpr double gleichgewichtDruckToleranz = 0.25;

// Finds the equilibrium of the line whose core result at the design flows is `start`. The
// ends with an outlet (`auslass`) share the sum of their design flows `v0`; they receive
// `vGleich` (whole m³/h, summing exactly to the fan's flow) and `dpGleich` (the external loss
// of their path in the balanced state, plus the fan's own loss where the fan is on the path).
// False when a core run stopped or was cancelled; `stopp` then holds that run's result.
bool gleichgewichtRechnen(const Kernlauf& kern, const StrangErgebnis& start,
                          std::vector<SimulationsEnde>& enden, const Rechenkontext& kontext,
                          Gleichgewicht& gleich, StrangErgebnis& stopp);

// Whole numbers for shares that sum to a whole number: each share rounded down, the rest
// given one by one to the largest remainders (the earlier of equal ones first).
std::vector<long long> ganzeAnteile(const std::vector<double>& anteile);

} // namespace zephan
