#pragma once

namespace zephan {

class tmylistitem;
struct DVdata;
struct Rechenkontext;

// Phases of `planeBauteil`.
constexpr int phaseVorbelegen = 0; // prefill a record from the neighbours of a node, store nothing
constexpr int phaseVorwaerts = 1;
constexpr int phaseRueckwaerts = 2;

// Plans one node (`planeBauteil`): a node in planning whose flow is known takes its
// dimensions from its neighbours (fittings) or from the design velocity or gradient (ducts
// and pipes), then its dependent values (velocity, design value, transition lengths, bend
// radius). In phases 1 and 2 the node's record is copied into `arbeit` first, stored back,
// checked against its neighbours, and the checked record copied into `arbeit` again, so its
// `fehler` and `planung` tell the outcome. In phase 0 `arbeit` is a record about to be
// inserted at `node` and only it changes.
//
// `abschnittKlasse` is the node's section class when the caller knows it (-1: found here).
// Settings, catalogue and flows come from the context.
void planeBauteil(DVdata& arbeit, tmylistitem* node, int phase, const Rechenkontext& kontext,
                  int abschnittKlasse = -1);

} // namespace zephan
