#pragma once

#include <QString>

namespace zephan {

class ProjektBaum;
class TBasisDatenTabelle;
class TDruck;
class UserSeam;
class tmylistitem;
struct ProjektDaten;

// The two smaller line reports. Both replace the document's lines with the project head and
// their table; false (with the message through the seam) when there is nothing to list.

// "Strangverlauf": every node of the selected node's line with its flow, a node with children
// followed by their rows, each chain closed by an empty row.
bool strangverlauf(const TBasisDatenTabelle& kat, ProjektBaum& baum, const tmylistitem* auswahl,
                   TDruck& druck, const ProjektDaten& projekt, UserSeam* seam);

// "für ein Bauteil zusammenstellen": every node of type `typ` with its flow and short title,
// searched in the selected line and the lines after it (a line head selected) or in the
// selected node's chain; a node's children are visited before the node. Without a selection
// the first node is selected. False when the tree is empty or `typ` is -1.
bool bauteilZusammenstellen(const TBasisDatenTabelle& kat, ProjektBaum& baum, int typ,
                            TDruck& druck, const ProjektDaten& projekt);

inline const QString keinStrangverlauf =
    QStringLiteral("Für den Strangverlauf bitte erst einen Strang auswählen.");

} // namespace zephan
