#include "quantities/massen_liste.h"

#include "network/dvdata.h"

#include <algorithm>
#include <tuple>

namespace zephan {

namespace {

// Rectangular items (two sizes) first, then round ones (one size), then those without size.
int formRang(const TMassen& m) {
    if (m.size1 > 0 && m.size2 > 0) return 0;
    if (m.size1 > 0) return 1;
    return 2;
}

} // namespace

void MassenListe::hinzufuegen(const TBasisDatenTabelle& kat, const DVdata& d) {
    TMassen neu = massenPosten(kat, d);
    Schluessel schluessel{neu.typ, neu.titel_mit_size};
    const auto it = index_.constFind(schluessel);
    int k = 0;
    if (it != index_.constEnd()) {
        k = *it;
    } else {
        k = static_cast<int>(posten_.size());
        index_.insert(std::move(schluessel), k);
        posten_.push_back(std::move(neu));
    }
    posten_[static_cast<size_t>(k)].anz += massenZuwachs(d);
}

bool massenVor(const TMassen& a, const TMassen& b) {
    const int ra = formRang(a), rb = formRang(b);
    if (std::tie(a.typ, ra) != std::tie(b.typ, rb))
        return std::tie(a.typ, ra) < std::tie(b.typ, rb);
    // Larger cross-sections first.
    if (a.size1 != b.size1) return a.size1 > b.size1;
    if (a.size2 != b.size2) return a.size2 > b.size2;
    if (a.size3 != b.size3) return a.size3 < b.size3;
    if (a.size4 != b.size4) return a.size4 < b.size4;
    return a.titel_mit_size.compare(b.titel_mit_size, Qt::CaseSensitive) < 0;
}

void MassenListe::sortieren() {
    std::stable_sort(posten_.begin(), posten_.end(), massenVor);
    index_.clear(); // positions changed; a sorted list takes no more items
    for (size_t k = 0; k < posten_.size(); ++k)
        index_.insert(Schluessel{posten_[k].typ, posten_[k].titel_mit_size}, static_cast<int>(k));
}

void MassenListe::clear() {
    posten_.clear();
    index_.clear();
}

} // namespace zephan
