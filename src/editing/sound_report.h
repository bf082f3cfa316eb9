#pragma once

#include <QString>

namespace zephan {

class TDruck;
class UserSeam;
class tmylistitem;
struct ProjektDaten;

// "Schallpegelberechnung für ausgewähltes Bauteil" (the page's "s", F9): the flow noise of the
// selected component as a report of its own, one part per passage of a branch fitting, each
// closed by its A-weighted total. The calculation writes nothing into the tree.
struct GeraeuschBerichtErgebnis {
    bool bericht = false; // the document holds the report
    QString meldung;      // why there is none (for the status bar)
};
GeraeuschBerichtErgebnis geraeuschBericht(tmylistitem* node, TDruck& druck,
                                          const ProjektDaten& projekt, UserSeam* seam);

// The A-weighted total of a flow-noise spectrum; false when a band holds no level (the
// no-result or abort marker).
bool aBewerteterPegel(const double (&baender)[7], double& la);

} // namespace zephan
