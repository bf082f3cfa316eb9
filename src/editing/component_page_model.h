#pragma once

#include "editing/field_range.h"
#include "network/dvdata.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zephan {

struct tBasisDaten_;

// The rules of the component page ("Formstück") without a window: what the page shows for the
// record in the edit buffer and how its controls write back into the record.

// One of the seven value slots "Formt0" ... "Formt6".
struct WertSlotAnsicht {
    bool sichtbar = false;
    bool text = false; // the text field p2 instead of a number
    QString caption;
    QString einheit; // "[mm]", or empty
    int stellen = 0;
    bool aktiv = true;     // disabled while a room spectrum or band reverberation is given
    bool spektrum = false; // the "Spektrum" button beside slots 3 and 4
    double wert = -1;      // number slots
    QString textWert;      // text slots
    Bereich bereich;
};

// The preset inputs below the value slots.
struct VorgabeAnsicht {
    bool vorgebenSichtbar = false; // "Werte vorgeben"
    bool vorgebenGesetzt = false;
    bool zetaSichtbar = false; // "Zeta" check box
    bool zetaGesetzt = false;
    bool druckModus = false; // the first field is "Druckverlust" [Pa] and "Zeta" is hidden
    bool geschwindigkeitAktiv = false;
    bool zetaAktiv = false;
};

struct KomponentenAnsicht {
    bool planungSichtbar = false;
    bool eintrittEckigSichtbar = false;
    QStringList box1; // "FormBox1", shown when not empty
    QStringList box2; // "FormBox2"
    bool box2Sichtbar = false;
    std::array<WertSlotAnsicht, 7> werte;
    VorgabeAnsicht vorgabe;
    bool schallSichtbar = false;
};

// What the page shows for the record (after `komponentenSeite` has prepared it).
KomponentenAnsicht komponentenAnsicht(const DVdata& d);
VorgabeAnsicht vorgabeAnsicht(const DVdata& d, const tBasisDaten_* k);
WertSlotAnsicht wertSlotAnsicht(const DVdata& d, const tBasisDaten_* k, int slot);

// The entries of a second option list text ("a|b|" → a, b).
QStringList optionsEintraege(const QString& liste);

// The check boxes "Werte vorgeben" and "Zeta" as the record's preset mode: 0 without "Werte
// vorgeben", -1 with a visible and checked "Zeta", else 1; a type whose normal mode is manual
// (5) never leaves the zeta preset.
int vorgabeAusChecks(bool vorgeben, bool zeta, const tBasisDaten_* k);

// What the option controls of the page hold.
struct KomponentenOptionen {
    int tag1 = -1; // -1: the list shows nothing chosen
    int tag2 = -1;
    bool box1Gezeigt = false;
    bool box2Gezeigt = false;
    bool vorgeben = false;
    bool zeta = false;
    bool eckigGezeigt = false;
    bool eckig = false;
    QString gruppe;
    QString bemerkung;
};
// Writes the options into the record (all but "Planung"); true when the page shows something
// else now (another first choice, shape or preset mode) and is to be built again.
bool optionenInPuffer(const KomponentenOptionen& o, DVdata& d);

// A value field: slot k (0 ... 6) writes p2 (text slot) or i[k]; the preset field 7 writes
// i6 in pressure mode and p0 otherwise; 8 ("Zeta") writes p1.
void wertInPuffer(int k, double zahl, const QString& text, DVdata& d);
// Whether the buffer is in pressure mode (`vorgabe` 1, or 0 with the catalogue's mode 4).
bool druckModus(const DVdata& d, const tBasisDaten_* k);

} // namespace zephan
