#include "network/network_tree.h"

#include "network/catalogue.h"
#include "network/settings.h"

#include <memory>

namespace zephan {

ProjektBaum::ProjektBaum() {
    pfadZeichen = QLatin1Char('\\');
    OnItemAdd = [this](tmylistitem* item) {
        auto d = std::make_shared<DVdata>();
        initNode(*d, planungFuerNeue_ ? planungFuerNeue_() : einstellungen().immerPlanen());
        item->Data = std::move(d);
    };
    OnItemDelete = [](tmylistitem* item) { item->Data.reset(); };
}

DVdata* nodeDaten(const tmylistitem* node) {
    return node ? node->dataAs<DVdata>() : nullptr;
}

const tBasisDaten_* nodeKatalog(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    return d ? kat.get(d->typ) : nullptr;
}

tmylistitem* strangKopf(const tmylistitem* node) {
    if (!node) return nullptr;
    auto* n = const_cast<tmylistitem*>(node);
    while (n->parent()) n = n->parent();
    return n;
}

} // namespace zephan
