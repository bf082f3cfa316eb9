#pragma once

namespace zephan {

class Einstellungen;
struct DVdata;
class Volumenstroeme;
class tmylistitem;
struct Rechenkontext;

// What the neighbour check reads from the settings.
struct NachbarEinstellungen {
    int toleranz = 2;  // "Abweichung": joint dimensions may differ by this many mm
    int auslegung = 0; // "Auslegung": 0 sizing by maximum velocity, 1 by friction gradient
};

// The values of the given settings (the tolerance kept within 0 ... 10 mm).
NachbarEinstellungen nachbarEinstellungen(const Einstellungen& einstellungen);

// Recomputes the state code `fehler` of a node: 1 incomplete, 6 shape against a neighbour,
// 7 dimensions against a neighbour beyond the tolerance, 5 a duct or pipe without flow, 8 a
// duct or pipe faster than its design velocity (`i[4]`, when given). Stores the record into
// the node (with the completeness corrections and, for silencers and fire dampers, a fresh
// velocity text) and refreshes its caption and icon. Returns the code; -1 for no node or a
// node without record. The catalogue and the flows of the tree or line (when the caller has
// them) come from the context.
int nachbarpruefung(tmylistitem* node, const NachbarEinstellungen& einstellungen,
                    const Rechenkontext& kontext);
// The same check on `d`, the node's record as the caller holds it, without touching the node:
// sets d's state code and corrections and returns the code. The neighbours are read from the
// tree.
int nachbarZustand(const tmylistitem* node, DVdata& d, const NachbarEinstellungen& einstellungen,
                   const Rechenkontext& kontext);
// The same with the tolerance and sizing rule of the context's settings.
int nachbarpruefung(tmylistitem* node, const Rechenkontext& kontext);

} // namespace zephan
