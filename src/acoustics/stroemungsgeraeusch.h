#pragma once

#include "bands/pegel.h"

namespace zephan {

class Pegelzeilen;
class tmylistitem;
struct Rechenkontext;
struct Schalldaten;
struct StrangErgebnis;

struct GeraeuschOptionen {
    // The line's pressure result when the caller has run the pressure calculation of the line
    // (a network sound run does so once per line); null: a fan runs a silent pass itself.
    const StrangErgebnis* druckpass = nullptr;
    // The maker data and charts; null: those carried in the program.
    const Schalldaten* daten = nullptr;
    // The spectrum rows of the run, shared by equal rows; null: each row is built.
    Pegelzeilen* zeilen = nullptr;
};

// The octave-band sound power L_w,okt [dB] that the air flow generates in one component, with
// its derivation written to the context's report (none when it has no report or does not
// record). `seite` chooses the passage of a branch fitting: 0 main passage, 1 or 2 the branch
// (cross: branch 1 or 2), negative: none. Bands 63 Hz ... 4 kHz are meaningful.
//
// pegelNichtBerechnet in every band means no flow noise (no model, planning, no data, no flow),
// pegelAbgebrochen an outlet or damper without loss. A component with a sound preset returns
// the preset. The calculation reads the node's record and the tree around it and changes
// neither; it overwrites rows of the context's work sheet. Every band of the result is a
// finite number.
TPegel stroemungsgeraeusch(tmylistitem* node, int seite, const Rechenkontext& kontext,
                           const GeraeuschOptionen& optionen = {});

// True when the type code has a flow-noise model.
bool hatStroemungsgeraeusch(int typ);

} // namespace zephan
