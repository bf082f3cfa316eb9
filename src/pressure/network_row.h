#pragma once

#include "network/dvdata.h"

#include <QString>

namespace zephan {

class TBasisDatenTabelle;
struct tBasisDaten_;
class tmylistitem;

// The table of the network report's component rows: format, head and unit row.
namespace strangtabelle {
inline const QString format = QStringLiteral("0,15,*,-8,-7,-7,-7,-8,-8,-8");
// Head of the worst path's table (a blank after the flow symbol) ...
inline const QString kopf =
    QStringLiteral("Position|Bauteil|°.V |a/d|b|v|Zeta|°(delta p|°(delta p°(colsub ext°(col-sub");
// ... and of the balancing blocks.
inline const QString kopfAbgleich =
    QStringLiteral("Position|Bauteil|°.V|a/d|b|v|Zeta|°(delta p|°(delta p°(colsub ext°(col-sub");
inline const QString einheiten = QStringLiteral("||m³/h|mm|mm|m/s|-|Pa|Pa");
} // namespace strangtabelle

// Which computed values a component's row shows: the velocity and the zeta cell are left
// empty where the type has no such value (rooms, volume-flow points and preset losses show
// neither; ducts, pipes and the fan no zeta). The command-line tool's tree listing uses the
// same rule, so both show the same cells.
struct StrangZellen {
    bool v = true;
    bool zeta = true;
};
StrangZellen strangZellen(const DVdata& rec, const tBasisDaten_* kat);

// What a row stands for.
struct StrangzeilenDaten {
    const tmylistitem* knoten = nullptr;
    const DVdata* rec = nullptr; // record after the calculation (velocity and zeta texts)
    // The velocity and zeta texts when they differ from the record's p[0] and p[1] (a branch
    // passage); null: the record's.
    const QString* v = nullptr;
    const QString* zeta = nullptr;
    // The node's position when the caller knows it; null: asked of the node.
    const QString* position = nullptr;
    const TBasisDatenTabelle* katalog = nullptr; // must be given
    int volumenstrom = -1;                       // the node's flow [m³/h]
    double dp = -1000;    // the passage's loss [Pa]; the fan's is 0 in the path
    double dpExt = 0;     // running external loss including this passage [Pa]
    bool abzweig = false; // the branch passage of a branch piece ("->")
};

// The report row of a component (nine cells separated by "|", see strangtabelle).
QString strangzeile(const StrangzeilenDaten& z);

// The title cell: the node's title, with the length of a duct or pipe and the remark where the
// type shows one.
QString strangTitel(const TBasisDatenTabelle& katalog, const DVdata& rec);

} // namespace zephan
