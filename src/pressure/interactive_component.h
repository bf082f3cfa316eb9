#pragma once

#include "network/dvdata.h"
#include "pressure/duct_hydraulics.h"

#include <QString>

namespace zephan {

struct Rechenkontext;
class TDruck;
class tmylistitem;

// What the edit panel shows after the interactive calculation of a component.
struct BauteilAnzeige {
    enum class Feld {
        Unveraendert, // the field keeps what it shows
        Leeren,       // the field is emptied
        Zeigen,       // the field shows the value below
    };

    double ergebnis = keinErgebnis; // main passage [Pa]
    // "12,34 [Pa]", "zu groß!", "Fehler. Prüfen", "Fehler", "in Planung" or "-"
    QString ergebnisLabel;
    // The pressure-loss value field (a preset loss, i[6]).
    Feld wertFeld = Feld::Unveraendert;
    double wert = -1;
    // The velocity and zeta fields (p[0], p[1] of the edit buffer after the calculation).
    Feld zetaFelder = Feld::Unveraendert;
    QString geschwindigkeit;
    QString zeta;
};

// The interactive calculation of the component in the edit buffer (a type 4 or 6 ... 50) with
// the selected node (null for none). A node of the buffer's type is calculated in its place
// with the buffer's values (main passage, and with `drucken` each branch into the report);
// otherwise the buffer alone is calculated with the node's flow. The buffer receives the
// velocity and zeta texts and, when the calculation fails or gives more than 9999 Pa, the
// state code 5. The document records while it runs when `drucken` is set and is switched off
// at the end.
BauteilAnzeige berechne1Bauteil(const Rechenkontext& kontext, DVdata& editDaten, tmylistitem* node,
                                TDruck& druck, bool drucken, double rho);

} // namespace zephan
