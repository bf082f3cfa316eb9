#pragma once

#include "editing/sound_preset_model.h"

namespace zephan {

// The rules of the two band windows of a room without a window: the room spectrum
// ("Raumschallpegel angeben [dB A]") and the reverberation times per band ("genaue
// Nachhallzeit angeben [msek]"). Both have seven band fields, a check box that puts the bands
// in force and a mean field ("Raumschallpegel" / "mittlere Nachhallzeit") that the room's
// value slot 3 / 4 takes on OK.
enum class RaumBandArt { Spektrum, Nachhallzeit };

struct RaumBandText {
    QString titel;     // window caption
    QString check;     // "genaue Vorgabe" / "genau Vorgabe"
    QString mitte;     // "Raumschallpegel" / "mittlere Nachhallzeit"
    QString einheit;   // "[dB A]" / "[msek]"
    QString bandFeld;  // the band fields' name in messages
    int mitteSlot = 3; // the value slot of the room the mean field belongs to
};
RaumBandText raumBandText(RaumBandArt art);

namespace bereiche {
Bereich raumSpektrumBand();      // 0 ... 99 dB
Bereich raumSchallpegel();       // 0 ... 99 dB(A)
Bereich nachhallzeitBand();      // 1 ... 9999 ms: the room attenuation divides by it
Bereich mittlereNachhallzeit();  // 0 ... 9999 ms
Bereich raumBand(RaumBandArt a); // the band fields of the window
Bereich raumMitte(RaumBandArt a);
} // namespace bereiche

struct RaumBandVorgabe {
    BandWerte baender{};
    bool genau = false; // the bands are in force
    double mitte = -1;  // the mean field; -1 empty
};

// What the window shows for the record: a given band (spectrum > -1, time >= 0) shows its
// value, else the field is empty; the box is checked when all seven are given and the record's
// flag is set; the mean field shows the whole-number value of slot 3 / 4.
RaumBandVorgabe raumBandAnsicht(const DVdata& d, RaumBandArt art);
// While the bands are in force the mean field follows them: the energetic total
// 10·lg Σ 10^(L/10) of the spectrum, the arithmetic mean of the times. -1 while a band is
// empty or out of range.
double raumBandMitte(RaumBandArt art, const BandWerte& baender);
// The mean as the field shows it: "48,45" dB, "985,7" ms.
QString raumBandMitteText(RaumBandArt art, double mitte);
// The message for the first field that keeps OK from closing the window (a band in force out
// of range or empty, the mean field out of range or empty); empty when all are fine.
QString raumBandFehler(RaumBandArt art, const RaumBandVorgabe& v);
// OK: the seven bands as whole numbers (empty or negative as 0), the flag, and slot 3 / 4 :=
// the whole-number value of the mean field.
void raumBandSetzen(RaumBandArt art, const RaumBandVorgabe& v, DVdata& d);

} // namespace zephan
