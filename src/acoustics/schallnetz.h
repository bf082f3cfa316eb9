#pragma once

#include "bands/pegel.h"

#include <QString>
#include <vector>

namespace zephan {

class ProjektBaum;
class tmylistitem;
struct ProjektDaten;
struct Rechenkontext;
class UserSeam;

// One element of a room's table: the component (and the passage through it) with its flow
// noise N and attenuation D; for the room-to-fan order also the attenuation S between the
// element and the room and the element's level R in the room; L the running room level.
// A band without a level (no source met yet, or an element without noise) is NaN.
struct Elementzeile {
    QString name;
    TPegel N{}, D{}, S{}, R{}, L{};
};

struct Raumergebnis {
    tmylistitem* raum = nullptr;
    QString name;
    int zulaessig = 0;                  // L_a,zul [dB(A)]
    TPegel ziel{};                      // permitted octave levels of the table
    TPegel L{};                         // octave level in the room, NaN: no level
    TPegel auslass{};                   // octave level at the outlet (fan-to-room order)
    double LA = 0;                      // A-level; NaN: no level
    double LAAuslass = 0;               // NaN: no level
    std::vector<Elementzeile> elemente; // see SchallnetzOptionen::elementzeilen
    bool fehler = false;                // the room's state is an error: not computed
};

struct Schallstrang {
    tmylistitem* kopf = nullptr;
    std::vector<Raumergebnis> raeume;
    int schlimmster = -1; // index of the worst room, -1 when no room exceeds its target
};

struct SchallnetzOptionen {
    // true: every line (or `nurStrang`) in full; false: the selected node's line, restricted
    // to the path to the end of the selected node's chain unless it lies before the fan.
    bool ganzerStrang = true;
    tmylistitem* auswahl = nullptr;
    tmylistitem* nurStrang = nullptr;
    // Summary mode: only the worst room's path in detail, then the summary table.
    bool zusammenfassung = false;
    // Append to the report as it stands (after the pressure report); false: clear it first.
    bool anhaengen = false;
    // With a restricted run: only the room's section and the legend are written, not the
    // line's heading and the components' sections.
    bool nurRaumteil = false;
    // Keep every room's element rows in the result; false: only the report holds them (the
    // rooms' levels stay), so a line of thousands of rooms does not hold every table twice.
    bool elementzeilen = false;
    const ProjektDaten* projekt = nullptr;
    // Messages and status texts; null: the context's progress seam.
    UserSeam* seam = nullptr;
};

struct SchallnetzErgebnis {
    bool ok = false;
    QString meldung;             // why the run stopped (empty on a cancel)
    tmylistitem* halt = nullptr; // the node that stopped it
    std::vector<Schallstrang> straenge;
};

// The sound level in every room of a line (VDI 2081): each component's flow noise carried
// along the network to the room, lowered by the attenuation met on the way and by the room,
// summed per band, A-weighted and compared with the room's permitted level. The order of the
// tables (room to fan, or fan to room), the shown bands and the outlet level follow the
// context's settings. Before the sound, the pressure calculation of the line runs silently,
// so the fan's noise reads its current required pressure; a stop there stops the run with
// that calculation's message. The report goes to the context's document; a stop or a cancel
// leaves the document as it was. Nothing in the tree is changed.
SchallnetzErgebnis schallnetzberechnung(ProjektBaum& baum, const Rechenkontext& kontext,
                                        const SchallnetzOptionen& optionen = {});

// The A-weighted level of an octave spectrum (seven bands, NaN bands left out); NaN when no
// band holds a level.
double aPegel(const TPegel& L);

} // namespace zephan
