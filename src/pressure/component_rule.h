#pragma once

#include "network/dvdata.h"

#include <limits>

namespace zephan {

class TDruck;
struct Rechenkontext;

// What one type rule of the component pressure loss hands back to the common tail.
struct RegelErgebnis {
    enum class Art {
        KeineRegel, // no rule for this choice: the tail decides (stored velocity and zeta texts)
        ZetaRegel,  // velocity and zeta stored in p[0] / p[1]; the tail computes the loss
        DpRegel,    // the rule set the loss itself in `dp` (clipped at 0 by the tail)
        Stopp,      // report line written; `dp` is the result (-1000 unless the rule says),
                    // no tail and no copy-back into the node
    };
    Art art = Art::KeineRegel;
    double dp = -1000;
};

// The working values a type rule reads. The rule writes p[0] and p[1] of `rec`.
struct RegelEingabe {
    DVdata& rec;            // work record
    int modus;              // 0 given record, 1 main passage, 2 branch 1, 3 branch 2
    bool zuluft;            // air direction
    double Q;               // flow entering the fitting [m3/h], never 0
    double QD;              // main passage continuing
    double QA1;             // first branch
    double QA2;             // second branch
    double rho;             // air density [kg/m3]
    TDruck& druck;          // report document; lines are dropped while its recording is off
    const Rechenkontext& k; // tables and catalogue of the calculation
    // The velocity [m/s] and zeta a rule stored in p[0] / p[1], before they were rounded to
    // their texts; NaN when the rule did not say. The tail takes them when the context asks
    // for unrounded losses.
    double vGenau = std::numeric_limits<double>::quiet_NaN();
    double zetaGenau = std::numeric_limits<double>::quiet_NaN();
};

// Rules of the terminal and in-line devices with fixed coefficients or maker data:
// grilles 9 and 12, supply outlet 10, exhaust grille 11, silencer 41, fire damper 43.
// Returns Art::KeineRegel for any other type.
RegelErgebnis geraeteRegel(RegelEingabe& e);

} // namespace zephan
