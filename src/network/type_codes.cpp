#include "network/type_codes.h"

#include "network/catalogue.h"
#include "network/network_tree.h"

namespace zephan {

int typVon(const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    return d ? d->typ : typKeiner;
}

int endenVon(const TBasisDatenTabelle& kat, int typ) {
    const tBasisDaten_* k = kat.get(typ);
    return k ? k->enden : 0;
}

int endenVon(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    const tBasisDaten_* k = nodeKatalog(kat, node);
    return k ? k->enden : 0;
}

double wertSlot(const DVdata& d, int slot) {
    return (slot >= 0 && slot < static_cast<int>(d.i.size())) ? d.i[static_cast<size_t>(slot)]
                                                              : -1.0;
}

} // namespace zephan
