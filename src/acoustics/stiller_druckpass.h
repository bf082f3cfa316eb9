#pragma once

#include "pressure/network_pressure.h"

#include <QString>

namespace zephan {

class tmylistitem;
struct Rechenkontext;

// The pressure-loss calculation of one line run for its results alone: no report, no message,
// nothing written into the tree (neither records nor captions nor the selection). It is the
// search pass, which finds every end, the worst path and the fan's pressure; the balancing
// pass is left out, so `strang.abgleich` stays empty.
struct Druckpass {
    bool ok = false;
    QString meldung;             // why the pass stopped
    tmylistitem* halt = nullptr; // the node it stopped at, if any
    StrangErgebnis strang;       // the line's result when ok
};

// The fan's total pressure [Pa] from a line's result: the external pressure the network
// calculation stores in the fan (whole pascals) plus the fan's internal loss.
double ventilatorGesamtdruck(const StrangErgebnis& s);

// Runs the pass for the line of `knoten`, as part of the calculation that asks: it does not
// wait for or block the one run a user starts. The flows of the context are read when they
// cover the line (a caller that computes many lines finds them once).
Druckpass stillerDruckpass(tmylistitem* knoten, const Rechenkontext& kontext);

} // namespace zephan
