#pragma once

#include <QHash>
#include <QString>

namespace zephan {
class ProjektBaum;
class tmylistitem;
} // namespace zephan

namespace zephan::cli {

// The calculated columns of `tree FILE --calc`: every node checked against its neighbours and
// its main passage calculated, in flat order at its line's density, giving velocity, zeta and
// pressure loss in machine format.
class TreeCalc {
public:
    // Calculates every node of the tree (the nodes receive their velocity and zeta texts).
    explicit TreeCalc(ProjektBaum& baum);

    // "\tv\tzeta\tdp" for a node; a cell stays empty where the network report's row leaves it
    // empty (line heads and branch nodes have none at all). A failed calculation, an incomplete
    // node among them, shows dp -1000.
    QString spalten(const tmylistitem* n) const;

    // The same values for a person: velocity and zeta rounded as the report's rows (1 and 2
    // decimals, German), the loss with 1 decimal or "Fehler"; empty cells as above.
    struct Zellen {
        QString v, zeta, dp;
    };
    Zellen zellen(const tmylistitem* n) const;

private:
    struct Werte {
        bool v = false, zeta = false;
        QString vText, zetaText; // as stored by the calculation
        double dp = 0;
    };
    // Nodes without values (line heads, branch containers) are missing.
    QHash<const tmylistitem*, Werte> werte_;
};

} // namespace zephan::cli
