#pragma once

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
// A context made with the default constructor takes the program's catalogue, tables and work
// sheet, a copy of its settings and the process-wide density at that moment, and no report.
struct Rechenkontext {
    Rechenkontext();

    // Report document; null: the lines are dropped. Lines are also dropped while the
    // document's recording switch is off.
    TDruck* druck = nullptr;
    // Air density [kg/m³] of the line.
    double rho = 0;
    // The settings as they stood when the context was made.
    std::shared_ptr<const Einstellungen> einstellungen;
    const TBasisDatenTabelle* katalog = nullptr;
    titelzahli* tabellen = nullptr;
    Rechenblatt* rechenblatt = nullptr;
    // The flows of the tree or line, found in one pass; null: asked node by node. Callers that
    // calculate many components should pass them.
    const Volumenstroeme* stroeme = nullptr;
    // Progress and cancel; null: no progress, never cancelled.
    UserSeam* fortschritt = nullptr;

    // The catalogue entry of a type code; null for an empty slot.
    const tBasisDaten_* typ(int code) const;
    const Einstellungen& settings() const { return *einstellungen; }
    // Reports a step; false once the user asked to cancel.
    bool weiter(int done, int total) const;
};

// Only one calculation runs at a time: the window polls for cancel while one runs, and a
// second start (a key pressed again) is refused. Hold a guard for the whole calculation.
class Rechenlauf {
public:
    Rechenlauf();
    ~Rechenlauf();
    Rechenlauf(const Rechenlauf&) = delete;
    Rechenlauf& operator=(const Rechenlauf&) = delete;

    // False when another calculation was already running: do not start.
    bool gestartet() const { return gestartet_; }
    static bool laeuft();

private:
    bool gestartet_;
};

} // namespace zephan
