#pragma once

#include "pressure/network_pressure_core.h"
#include "pressure/network_pressure_results.h"

#include <QString>
#include <functional>
#include <vector>

namespace zephan {

class ProjektBaum;
class TDruck;
class UserSeam;
class tmylistitem;
struct ProjektDaten;
struct Rechenkontext;

// The network pressure-loss calculation: every path from a line head to each chain end, the
// most unfavourable one, the fan's required pressure and the balancing of the other ends.

struct NetzOptionen {
    // true: every line of the project in full; false: the selected node's line, restricted to
    // the path to the end of the selected node's chain unless it lies before the fan.
    bool ganzerStrang = true;
    // The selected node (for `ganzerStrang` false); null: the tree's selection.
    tmylistitem* auswahl = nullptr;
    // With `ganzerStrang`: only this line, in full; null: every line.
    tmylistitem* nurStrang = nullptr;
    // Summary mode: the balancing blocks are left out of the report.
    bool zusammenfassung = false;
    // Messages and status texts; null: the context's progress seam.
    UserSeam* seam = nullptr;
    // The project page for the report head; null: a head without project data.
    const ProjektDaten* projekt = nullptr;
    // Called when the calculation begins and when it ends (however it ends), so the caller
    // can stop the automatic save and restore it.
    std::function<void()> anfang;
    std::function<void()> ende;
};

// Runs the calculation and, when it completes, replaces the report document of the context
// (`kontext.druck`; null: none) with the report: the project head, then per line the worst
// path, the summary of the ends, the fan's pressure and the balancing blocks. Each line is
// computed at its own density (from its line head). A cancel or a stop leaves the report
// document as it was; a stop selects its node and tells its message.
//
// The guarded entry for a user's command: it refuses to start while another calculation runs.
// It writes nothing into the records: what the tree keeps of the results (the first fan's
// i[4], state codes, velocity and zeta texts) is stored by netzErgebnisSchreiben.
NetzErgebnis netzberechnen(ProjektBaum& baum, const Rechenkontext& kontext,
                           const NetzOptionen& optionen = {});

// "Zusammenfassung": the calculation of every line in summary mode; `schall` (when given) then
// appends the sound half after a page break.
NetzErgebnis zusammenfassung(ProjektBaum& baum, const Rechenkontext& kontext,
                             NetzOptionen optionen = {},
                             const std::function<void(TDruck&)>& schall = {});

} // namespace zephan
