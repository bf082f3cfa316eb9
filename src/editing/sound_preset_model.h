#pragma once

#include "editing/field_range.h"
#include "network/dvdata.h"

#include <QString>
#include <array>

namespace zephan {

// The rules of the preset windows' octave-band fields without a window. Seven fields per row,
// 63 Hz ... 4 kHz; the eighth slot of a stored spectrum is never edited. A field value of -1
// is an empty field.
inline constexpr int vorgabeBandAnzahl = 7;
using BandWerte = std::array<double, vorgabeBandAnzahl>;

// The caption above band field k: "63", "125", "250", "500", "1K", "2K", "4K".
QString bandKopf(int k);
// The band as a field name in messages: "63 Hz" ... "4000 Hz".
QString bandName(int k);

namespace bereiche {
Bereich schallGeraeusch(); // a noise preset: -20 ... 199 dB
Bereich schallDaempfung(); // an attenuation preset: 0 ... 199 dB
} // namespace bereiche

// "Schallwerte vorgeben": the noise and the attenuation preset of a component.
struct SchallVorgabe {
    BandWerte geraeusch{};
    BandWerte daempfung{};
    bool geraeuschAn = false; // "Geräusch"
    bool daempfungAn = false; // "Dämpfung"
};

// What the window shows for the record: a band given (> -1) shows its value, else the field is
// empty; a row is checked when all seven of its bands are given and its bit of `schall` is set.
SchallVorgabe schallVorgabeAnsicht(const DVdata& d);
// The message for the first field in force (of a checked row) whose value is out of its range,
// naming the field; empty when OK may close the window.
QString schallVorgabeFehler(const SchallVorgabe& v);
// OK: both rows are stored whether checked or not, an empty or negative value as 0 (and a
// value above the range of an unchecked row as the range's top); `schall`
// gets bit 1 for "Geräusch" and bit 2 for "Dämpfung".
void schallVorgabeSetzen(const SchallVorgabe& v, DVdata& d);

// The message for a band field out of range or left empty where a value is required; empty
// when the value is fine. `name` is the field's name in the message.
QString bandFeldFehler(const QString& name, double wert, const Bereich& b, bool pflicht);

} // namespace zephan
