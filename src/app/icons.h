#pragma once

#include <QIcon>
#include <QPixmap>

namespace zephan {

// The picture list ("Formenlist"): index = catalogue picture number + 16, drawn from the
// program's SVG pictograms; index 15 is the picture of a type without catalogue entry. The
// state icons are the node states (1 incomplete, 2 planning, 5 no result, 6 shape, 7 size,
// 8 speed). Icons are drawn once and kept.
QIcon bildIcon(int bildIndex);
QIcon zustandIcon(int zustand);
// The tree's picture of a node: its type's pictogram with the state icon in the lower
// right corner.
QIcon baumIcon(int bildIndex, int zustand);
// The program's own icon.
QIcon programmIcon();

} // namespace zephan
