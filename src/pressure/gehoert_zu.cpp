#include "pressure/gehoert_zu.h"

#include "network/tree_container.h"

namespace zephan {

bool gehoertZu(const tmylistitem* erster, const tmylistitem* ziel) {
    if (!erster || !ziel || ziel->Level() < erster->Level()) return false;
    // Walking back from the last sibling of the target meets every sibling of the target, then
    // each ancestor with its earlier siblings: the same answer from the ancestor at the level
    // of `erster`, without walking the siblings.
    const tmylistitem* vorfahr = ziel;
    while (vorfahr->Level() > erster->Level()) vorfahr = vorfahr->parent();
    if (!vorfahr || vorfahr->parent() != erster->parent() || vorfahr->owner() != erster->owner())
        return false;
    if (vorfahr == ziel) return true; // siblings of the target, before or after it
    return erster->IndexInLevel() <= vorfahr->IndexInLevel();
}

} // namespace zephan
