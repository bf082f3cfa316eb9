#pragma once

namespace zephan {

class TDruck;
struct ProjektDaten;
struct SimulationsErgebnis;

// The simulation's report: the project head, the estimate's table of every chain end with
// the design and simulated path losses and flows, the sums before and after with the warning
// that the estimate is no more than that, and below it the equilibrium's table with the
// number of iterations. Clears the document first and switches its recording on.
void simulationsBericht(TDruck& bericht, const SimulationsErgebnis& e, const ProjektDaten& projekt);

} // namespace zephan
