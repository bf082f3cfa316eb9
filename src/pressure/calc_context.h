#pragma once

#include "network/model_queries.h"
#include "network/settings.h"

#include <memory>

namespace zephan {

class Rechenblatt;
class TBasisDatenTabelle;
class TDruck;
class UserSeam;
class Volumenstroeme;
class titelzahli;
struct tBasisDaten_;

// Everything a calculation works with besides the tree: where its report lines go, the air
// density of its line, the settings as they stood when it started, the catalogue, the
// titled-number tables, the octave work sheet, the flows of the tree and the progress with
// cancel. The calculations read these from the context only, so a window can run one while the
// user edits the settings, and tests can run many side by side.
//
// A context is made from the catalogue, settings, tables and work sheet it is to use, with the
// standard air density and no report; the program's own are put together at the edge
// (editing/program_context.h). Two contexts with their own tables and sheets can compute side
// by side in two threads.
struct Rechenkontext {
    Rechenkontext(const TBasisDatenTabelle& katalog,
                  std::shared_ptr<const Einstellungen> einstellungen, titelzahli& tabellen,
                  Rechenblatt& rechenblatt);

    // Report document; null: the lines are dropped. Lines are also dropped while the
    // document's recording switch is off.
    TDruck* druck = nullptr;
    // Air density [kg/m³] of the line.
    double rho = 0;
    // The settings as they stood when the context was made.
    std::shared_ptr<const Einstellungen> einstellungen;
    // Never null.
    const TBasisDatenTabelle* katalog;
    titelzahli* tabellen;
    Rechenblatt* rechenblatt;
    // The flows of the tree or line, found in one pass; null: asked node by node. Callers that
    // calculate many components should pass them.
    const Volumenstroeme* stroeme = nullptr;
    // Progress and cancel; null: no progress, never cancelled.
    UserSeam* fortschritt = nullptr;
    // Flows tried instead of the records' (m³/h per node); null: the records' own. The
    // network calculation builds its flows with them and the components read them, so a
    // simulation can iterate on flows without touching any record.
    const Stromvorgaben* stromvorgaben = nullptr;
    // true: the components' losses from their velocity and zeta as found, not as rounded to
    // the texts the page shows, so a loss follows the flow without steps (an iteration on
    // flows); the texts are the same either way.
    bool ungerundet = false;

    const TBasisDatenTabelle& kat() const { return *katalog; }
    // The catalogue entry of a type code; null for an empty slot.
    const tBasisDaten_* typ(int code) const;
    const Einstellungen& settings() const { return *einstellungen; }
    // Reports a step; false once the user asked to cancel.
    bool weiter(int done, int total) const;
    // The flow a node's record holds in `wert`, or the one given for the node instead.
    double strom(const tmylistitem* node, double wert) const;
};

// Only one calculation runs at a time: the window polls for cancel while one runs, and a
// second start (a key pressed again) is refused. The entry points a user starts (F7, the
// summary, a simulation) hold this guard for their whole run; the calculation cores they
// call, once or many times over, take it as proof that a run was started and never take it
// themselves, so a simulation can run the line's core again and again under its one guard.
class Rechenlauf {
public:
    Rechenlauf();
    // A pass that a calculation makes inside another one for its numbers alone (the fan's flow
    // noise reads the pressure of its line): it is no run of its own, so it neither waits for
    // nor blocks the one run, and runs in whatever thread its caller does.
    static Rechenlauf innerhalb();
    ~Rechenlauf();
    Rechenlauf(const Rechenlauf&) = delete;
    Rechenlauf& operator=(const Rechenlauf&) = delete;

    // False when another calculation was already running: do not start.
    bool gestartet() const { return gestartet_; }
    static bool laeuft();

private:
    Rechenlauf(bool gestartet, bool eigen);

    bool gestartet_;
    bool eigen_; // holds the program's one run
};

} // namespace zephan
