#include "app/tree_search.h"

#include "network/network_tree.h"

namespace zephan {

SuchTreffer bauteilSuchen(tmylistitem* start, int typ) {
    SuchTreffer r;
    tmylistitem* kopf = strangKopf(start);
    if (!kopf || !kopf->hasChildren()) return r;
    const tmylistitem* ende = kopf->lastDescendant();
    tmylistitem* n = start == ende ? nullptr : start->getNext();
    // At most one full round through the line.
    for (int schritte = 0; schritte <= kopf->CountAlle() + 1; ++schritte) {
        if (!n) {
            n = kopf->getChild();
            r.umlauf = true;
        }
        const DVdata* d = nodeDaten(n);
        if (d && d->typ == typ) {
            r.knoten = n;
            return r;
        }
        if (n == start) return SuchTreffer{};
        n = n == ende ? nullptr : n->getNext();
    }
    return SuchTreffer{};
}

} // namespace zephan
