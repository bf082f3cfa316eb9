#pragma once

#include "bands/pegel.h"

#include <array>

namespace zephan {

// The octave work sheet: eight numbered spectrum rows (1..8) into which a component
// calculation writes its intermediate spectra before it sums a range of them. Rows keep their
// contents between calculations; a calculation reads only rows it has written itself.
// Calculations take the sheet as an argument so that they stay reentrant and testable;
// rechenblatt() is the program's one sheet for the windows.
class Rechenblatt {
public:
    static constexpr int zeilenAnzahl = 8;

    // Every row starts with pegelNichtBerechnet in all slots.
    Rechenblatt();

    static bool gueltigeZeile(int nr) { return nr >= 1 && nr <= zeilenAnzahl; }

    // Row nr (1..8). A number outside 1..8 is a fault of the caller: it is written to the
    // trace log and a scratch row (all pegelNichtBerechnet on every access) is handed out,
    // so the sheet is never written out of bounds.
    TPegel& zeile(int nr);
    const TPegel& zeile(int nr) const;
    TPegel& operator[](int nr) { return zeile(nr); }
    const TPegel& operator[](int nr) const { return zeile(nr); }

    // c := row `erste`, then for each following row up to `letzte` c[k] += row[k] over the
    // seven bands. A row number outside 1..8 gives pegelNichtBerechnet in all slots, a
    // trace line and *ok = false.
    TPegel zeilensumme(int erste, int letzte, bool* ok = nullptr) const;

    // All rows back to pegelNichtBerechnet.
    void leeren();

private:
    std::array<TPegel, zeilenAnzahl> zeilen_;
    mutable TPegel ausserhalb_;
};

// The program's one work sheet.
Rechenblatt& rechenblatt();

} // namespace zephan
