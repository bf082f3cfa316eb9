#pragma once

#include <QString>

namespace zephan {

class tMylistviewBase;
class tmylistitem;

// The node at a dotted position as `tmylistitem::position` writes it ("1.5.2": the first
// top-level node, its fifth child, that child's second child); null when there is none.
tmylistitem* knotenAnPosition(const tMylistviewBase& baum, const QString& position);

} // namespace zephan
