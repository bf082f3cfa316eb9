#pragma once

namespace zephan {

class Volumenstroeme;
class tmylistitem;

// What the neighbour check reads from the settings.
struct NachbarEinstellungen {
    int toleranz = 2;  // "Abweichung": joint dimensions may differ by this many mm
    int auslegung = 0; // "Auslegung": 0 sizing by maximum velocity, 1 by friction gradient
};

// The settings' values at the moment of use (the tolerance kept within 0 ... 10 mm).
NachbarEinstellungen nachbarEinstellungen();

// Recomputes the state code `fehler` of a node: 1 incomplete, 6 shape against a neighbour,
// 7 dimensions against a neighbour beyond the tolerance, 5 a duct or pipe without flow, 8 a
// duct or pipe faster than its design velocity (`i[4]`, when given). Stores the record into
// the node (with the completeness corrections and, for silencers and fire dampers, a fresh
// velocity text) and refreshes its caption and icon. Returns the code; -1 for no node or a
// node without record. `stroeme`: the flows of the tree or line, when the caller has them.
int nachbarpruefung(tmylistitem* node, const NachbarEinstellungen& einstellungen,
                    const Volumenstroeme* stroeme = nullptr);
// The same with the current settings.
int nachbarpruefung(tmylistitem* node, const Volumenstroeme* stroeme = nullptr);

} // namespace zephan
