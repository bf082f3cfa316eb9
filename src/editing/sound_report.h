#pragma once

#include <QString>

namespace zephan {

class ProjektBaum;
class TDruck;
class UserSeam;
class tmylistitem;
struct ProjektDaten;

// "Schallpegelberechnung für ausgewähltes Bauteil" (the page's "s", F9): the flow noise of the
// selected component as a report of its own, one part per passage of a branch fitting, each
// closed by its A-weighted total. For a room: its attenuation, then the sound arriving in it
// (the room's section of the network sound run of its line, restricted to the path to the
// room). The calculation writes nothing into the tree.
struct GeraeuschBerichtErgebnis {
    bool bericht = false; // the document holds the report
    QString meldung;      // why there is none, or why the room's level is missing
};
GeraeuschBerichtErgebnis geraeuschBericht(ProjektBaum& baum, tmylistitem* node, TDruck& druck,
                                          const ProjektDaten& projekt, UserSeam* seam);

// The A-weighted total of a flow-noise spectrum; false when a band holds no level (the
// no-result or abort marker).
bool aBewerteterPegel(const double (&baender)[7], double& la);

} // namespace zephan
