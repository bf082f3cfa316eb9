#pragma once

#include "bands/pegel.h"

#include <QString>

namespace zephan {

class Pegelzeilen;
class tmylistitem;
struct Rechenkontext;
struct Schalldaten;

// The octave-band level reduction dL_w [dB] that sound travelling through the network
// undergoes in one component (VDI 2081, July 2001): straight ducts, bends and knees, branch
// splits, the reflection at the open end of an outlet, the listed silencer and, for a room,
// the room attenuation L_w - L. A positive value lowers the level. The derivation goes to the
// context's report (none when it has no report or does not record); a message (the missing
// room after an outlet) goes to the context's seam.
//
// `seite` chooses the passage of a branch fitting: 0 the main passage, 1 the branch, 2 the
// second branch of a cross piece. pegelNichtBerechnet in every band means no attenuation (no
// model, planning, missing room data), pegelAbgebrochen a silencer size without data. A
// component with an attenuation preset returns the preset. The node's record and its
// neighbours are read, never changed; every band of the result is a finite number. With the
// spectrum rows of a run (`zeilen`), rows equal to earlier ones share their text.
TPegel pegelsenkung(tmylistitem* node, int seite, const Rechenkontext& kontext,
                    const Schalldaten* daten = nullptr, Pegelzeilen* zeilen = nullptr);

// The duct attenuation of Tabelle 5 for the size class of d [mm] (hydraulic diameter of a
// rectangular duct, diameter of a round one) times the length l/1000 [mm]; a negative length
// counts as none. pegelNichtBerechnet when the table is missing.
TPegel kanaldaempfung(bool eckig, int d, int l, const Schalldaten* daten = nullptr);

// The bend (or knee) spectrum of Tabelle 7 shifted by the cut-off frequency f_G [Hz] of the
// section: s octaves up (or one down when f_G is at or below the upper edge of the 63 Hz band),
// where s + 1 bands have their upper edge below f_G. Appends " Schritte: " and the signed step
// count to `zeile`.
TPegel umlenkdaempfung(bool knie, double fG, QString& zeile, const Schalldaten* daten = nullptr);

// True when the type code has an attenuation model.
bool hatPegelsenkung(int typ);

} // namespace zephan
