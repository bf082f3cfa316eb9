#pragma once

#include <QHash>
#include <QString>

namespace zephan {
class ProjektBaum;
class tmylistitem;
} // namespace zephan

namespace zephan::cli {

// The calculated columns of `tree FILE --calc`: every node's main passage calculated in flat
// order at its line's density, giving velocity, zeta and pressure loss in machine format.
class TreeCalc {
public:
    // Calculates every node of the tree (the nodes receive their velocity and zeta texts).
    explicit TreeCalc(ProjektBaum& baum);

    // "\tv\tzeta\tdp" for a node; a cell stays empty where the node's type has no such value
    // (line heads and branch nodes have none at all; ducts and pipes no zeta; a preset loss no
    // velocity and zeta). A failed calculation shows dp -1000.
    QString spalten(const tmylistitem* n) const;

private:
    QHash<const tmylistitem*, QString> spalten_;
};

} // namespace zephan::cli
