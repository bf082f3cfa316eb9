#pragma once

#include "bands/pegel.h"

#include <QString>
#include <vector>

namespace zephan {

class tmylistitem;
struct ProjektDaten;
struct Rechenkontext;

// One component on the way between two components, with the passage the way takes.
struct Streckenglied {
    tmylistitem* knoten = nullptr;
    int seite = 0;
    TPegel D{}; // its attenuation, 0 where it has none
};

struct Streckendaempfung {
    bool ok = false;
    QString meldung; // why the two cannot be taken
    std::vector<Streckenglied> glieder;
    TPegel summe{};
};

// The attenuation of the network between two components of one line: the band-wise sum of
// the attenuations of every component on the sound's way from the one further upstream to
// the other, both included. The way follows the branches (the passage into a branch counts
// as the branch's attenuation). Two components of which neither lies on the other's way from
// the fan are refused. With a report document in the context the derivation is written
// (cleared first, with the project head when `projekt` is given); `hinweis` adds the note that
// the sum is no method of the standard.
Streckendaempfung daempfungZwischen(tmylistitem* start, tmylistitem* ziel,
                                    const Rechenkontext& kontext, bool hinweis = false,
                                    const ProjektDaten* projekt = nullptr);

} // namespace zephan
