#include "network/flow_sums.h"

#include "network/network_tree.h"
#include "network/type_codes.h"

namespace zephan {

namespace {

// More nodes changing in one command than are worth following one by one.
constexpr size_t beobachtetGrenze = 64;

// The nodes whose sums read the sum of `n`: the sibling before it; for the first node of a
// chain the parent (a branch piece, or a branch container at the end of its chain), the node
// two levels up (a cross reads the chains of its branch containers) and the node after the
// parent (a room after a branch container stands for that container's chain).
template <class F> void leser(const tmylistitem* n, F f) {
    if (const tmylistitem* vor = n->getPrevSibling()) {
        f(vor);
        return;
    }
    const tmylistitem* p = n->parent();
    if (!p) return;
    f(p);
    if (const tmylistitem* gp = p->parent()) f(gp);
    if (const tmylistitem* nach = p->getNextSibling()) f(nach);
}

bool istRaum(const tmylistitem* n) {
    return n && typVon(n) == typRaum;
}

} // namespace

Flusssummen::Flusssummen(ProjektBaum& baum) : baum_(baum) {
    baum_.beobachterHinzufuegen(this);
    baum_.setFlusssummen(this);
}

Flusssummen::~Flusssummen() {
    if (baum_.flusssummen() == this) baum_.setFlusssummen(nullptr);
    baum_.beobachterEntfernen(this);
}

// A kept sum was built only from kept sums, so once a sum is not kept, nothing kept is built
// on it and the walk up from there can stop.
void Flusssummen::verwerfen(const tmylistitem* node) {
    if (!node || werte_.erase(node) == 0) return;
    arbeit_.clear();
    leser(node, [this](const tmylistitem* n) { arbeit_.push_back(n); });
    while (!arbeit_.empty()) {
        const tmylistitem* n = arbeit_.back();
        arbeit_.pop_back();
        if (werte_.erase(n) > 0) leser(n, [this](const tmylistitem* l) { arbeit_.push_back(l); });
    }
}

void Flusssummen::datenGeaendert(const tmylistitem* node) {
    verwerfen(node);
    // A room at the end of a chain stands for the node before it.
    if (const tmylistitem* nach = node->getNextSibling(); istRaum(nach)) verwerfen(nach);
    // A cross reads which of its children are branch containers.
    if (const tmylistitem* p = node->parent(); p && endenGespeichert(p) == 4) verwerfen(p);
}

void Flusssummen::umgebungGeaendert(const tmylistitem* node) {
    // The node before now feeds another one (or ends the chain).
    const tmylistitem* vor = node->getPrevSibling();
    verwerfen(vor);
    if (const tmylistitem* nach = node->getNextSibling(); istRaum(nach)) verwerfen(nach);
    const tmylistitem* p = node->parent();
    if (p && (!vor || endenGespeichert(p) == 4)) {
        // The chain's first node or a cross's branch containers changed.
        verwerfen(p);
        verwerfen(p->parent());
        verwerfen(p->getNextSibling());
    }
}

void Flusssummen::beobachtete() {
    for (const tmylistitem* n : beobachtet_) datenGeaendert(n);
}

int Flusssummen::endenGespeichert(const tmylistitem* node) const {
    const int typ = typVon(node);
    if (!endenBekannt_ || typ < 0 || typ >= TBasisDatenTabelle::anzahl) return 0;
    return enden_[static_cast<size_t>(typ)];
}

void Flusssummen::katalogPruefen(const TBasisDatenTabelle& katalog) {
    std::array<int, TBasisDatenTabelle::anzahl> enden{};
    for (int k = 0; k < TBasisDatenTabelle::anzahl; ++k) {
        const tBasisDaten_* t = katalog.get(k);
        enden[static_cast<size_t>(k)] = t ? t->enden : -1;
    }
    if (endenBekannt_ && enden == enden_) return;
    leeren();
    enden_ = enden;
    endenBekannt_ = true;
}

Flusssumme Flusssummen::summe(const tmylistitem* start, const TBasisDatenTabelle& katalog) {
    if (!start) return 0;
    katalogPruefen(katalog);
    beobachtete();
    if (const auto it = werte_.find(start); it != werte_.end()) return it->second;

    // Sums are found from the nodes they read, without recursion: a node waits on the stack
    // until the sums it needs are kept.
    std::vector<const tmylistitem*> stapel{start};
    std::vector<const tmylistitem*> fehlend;
    const std::function<Flusssumme(const tmylistitem*)> lesen =
        [&](const tmylistitem* n) -> Flusssumme {
        if (!n) return 0;
        if (const auto it = werte_.find(n); it != werte_.end()) return it->second;
        fehlend.push_back(n);
        return 0;
    };
    while (!stapel.empty()) {
        const tmylistitem* x = stapel.back();
        if (werte_.count(x) > 0) {
            stapel.pop_back();
            continue;
        }
        fehlend.clear();
        const Flusssumme s = summeSchritt(katalog, x, lesen);
        if (fehlend.empty()) {
            werte_.emplace(x, s);
            stapel.pop_back();
        } else {
            stapel.insert(stapel.end(), fehlend.begin(), fehlend.end());
        }
    }
    return werte_.at(start);
}

void Flusssummen::vormerken(const tmylistitem* node) {
    if (!node || ueberlauf_) return;
    beobachtet_.insert(node);
    if (beobachtet_.size() > beobachtetGrenze) {
        teilbaumVormerken();
        return;
    }
    datenGeaendert(node);
}

void Flusssummen::teilbaumVormerken() {
    ueberlauf_ = true;
    beobachtet_.clear();
    leeren();
}

void Flusssummen::befehlEnde() {
    beobachtete();
    beobachtet_.clear();
    if (ueberlauf_) {
        leeren();
        ueberlauf_ = false;
    }
}

void Flusssummen::aussetzen() {
    ausgesetzt_ = true;
    beobachtet_.clear();
    leeren();
}

void Flusssummen::fortsetzen() {
    leeren();
    ausgesetzt_ = false;
}

void Flusssummen::leeren() {
    werte_.clear();
}

void Flusssummen::eingefuegt(tmylistitem* node) {
    umgebungGeaendert(node);
    // A new node's record is written after it is linked.
    vormerken(node);
}

void Flusssummen::vorEntfernen(tmylistitem* node) {
    umgebungGeaendert(node);
    const tmylistitem* ende = node->lastDescendant();
    for (const tmylistitem* n = node;; n = n->getNext()) {
        werte_.erase(n);
        beobachtet_.erase(n);
        if (n == ende) break;
    }
}

void Flusssummen::geaendert(tmylistitem* node) {
    datenGeaendert(node);
}

void Flusssummen::vorZuruecksetzen() {
    zurueckgesetzt_ = true;
    beobachtet_.clear();
    leeren();
}

void Flusssummen::zurueckgesetzt() {
    leeren();
    beobachtet_.clear();
    zurueckgesetzt_ = false;
    ueberlauf_ = false;
}

} // namespace zephan
