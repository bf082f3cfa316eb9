#include "network/record_snapshot.h"

#include "network/network_tree.h"

#include <algorithm>

namespace zephan {

// --- node state ---------------------------------------------------------------------------------

KnotenZustand KnotenZustand::von(const tmylistitem* node) {
    KnotenZustand z;
    if (!node) return z;
    if (const DVdata* d = nodeDaten(node)) z.daten = *d;
    z.caption = node->caption();
    z.imageIndex = node->imageIndex;
    z.stateIndex = node->stateIndex;
    z.expanded = node->expanded;
    return z;
}

void KnotenZustand::anwenden(tmylistitem* node) const {
    if (!node) return;
    if (daten) {
        if (DVdata* d = nodeDaten(node))
            *d = *daten;
        else
            node->Data = std::make_shared<DVdata>(*daten);
    } else {
        node->Data.reset();
    }
    node->setCaption(caption);
    node->imageIndex = imageIndex;
    node->stateIndex = stateIndex;
    node->expanded = expanded;
    node->owner()->knotenGeaendert(node);
}

int flatIndex(const tmylistitem* node) {
    return node ? node->Index() : -1;
}

namespace {

KnotenEintrag eintragVon(const tmylistitem* node) {
    KnotenEintrag e;
    e.index = node->Index();
    e.elternIndex = flatIndex(node->parent());
    e.geschwisterPos = node->IndexInLevel();
    e.zustand = KnotenZustand::von(node);
    return e;
}

// A new node as child number `pos` of the node at `elternIndex` (-1: top level). Null when
// the tree has no such place.
tmylistitem* einfuegenAn(ProjektBaum& baum, int elternIndex, int pos) {
    if (pos < 0) return nullptr;
    const QString leer = QStringLiteral("leer");
    if (elternIndex < 0) {
        if (pos > baum.topCount()) return nullptr;
        if (pos < baum.topCount()) return baum.Insert(baum.topLevel(pos)->Index(), leer);
        return baum.Add(leer);
    }
    tmylistitem* eltern = baum.item(elternIndex);
    if (!eltern || pos > eltern->childCount()) return nullptr;
    if (pos < eltern->childCount()) return baum.Insert(eltern->child(pos)->Index(), leer);
    return baum.AddChild(eltern, leer);
}

bool einfuegen(ProjektBaum& baum, const std::vector<KnotenEintrag>& eintraege) {
    for (const KnotenEintrag& e : eintraege) {
        tmylistitem* n = einfuegenAn(baum, e.elternIndex, e.geschwisterPos);
        if (!n) return false;
        e.zustand.anwenden(n);
        if (n->Index() != e.index) return false;
    }
    return true;
}

bool entfernen(ProjektBaum& baum, const std::vector<KnotenEintrag>& eintraege) {
    // From the back, so every index still names the node it was recorded for and a node's
    // descendants are gone before the node itself.
    for (auto it = eintraege.rbegin(); it != eintraege.rend(); ++it) {
        tmylistitem* n = baum.item(it->index);
        if (!n) return false;
        baum.Delete(n);
    }
    return true;
}

bool zustaende(ProjektBaum& baum, const std::vector<KnotenAenderung>& liste, bool nachher) {
    for (const KnotenAenderung& a : liste) {
        tmylistitem* n = baum.item(a.index);
        if (!n) return false;
        (nachher ? a.nachher : a.vorher).anwenden(n);
    }
    return true;
}

} // namespace

// --- recording ----------------------------------------------------------------------------------

BaumAufzeichnung::BaumAufzeichnung(const std::vector<tmylistitem*>& knoten,
                                   const std::vector<tmylistitem*>& teilbaeume) {
    for (tmylistitem* wurzel : teilbaeume) teilbaumVormerken(wurzel);
    for (tmylistitem* n : knoten) vormerken(n);
}

void BaumAufzeichnung::teilbaumVormerken(tmylistitem* wurzel) {
    if (!wurzel) return;
    // Indexes by counting along the walk: asking each node would cost its earlier siblings
    // every time.
    int index = wurzel->Index();
    const int wurzelEltern = flatIndex(wurzel->parent());
    const tmylistitem* ende = wurzel->lastDescendant()->getNext();
    for (tmylistitem* n = wurzel; n && n != ende; n = n->getNext(), ++index) {
        if (vorgemerkt(n)) continue;
        KnotenEintrag e;
        e.index = index;
        e.elternIndex = n == wurzel ? wurzelEltern : vorher_.at(n->parent()).index;
        e.geschwisterPos = n->IndexInLevel();
        e.zustand = KnotenZustand::von(n);
        vorher_.emplace(n, std::move(e));
    }
}

bool BaumAufzeichnung::vorgemerkt(const tmylistitem* node) const {
    return vorher_.count(node) || neu_.count(const_cast<tmylistitem*>(node));
}

void BaumAufzeichnung::vormerken(tmylistitem* node) {
    if (node && !vorgemerkt(node)) vorher_.emplace(node, eintragVon(node));
}

void BaumAufzeichnung::hinzugefuegt(tmylistitem* node) {
    neu_.insert(node);
}

void BaumAufzeichnung::entfernt(tmylistitem* node) {
    if (neu_.erase(node)) return;
    auto it = vorher_.find(node);
    if (it == vorher_.end()) {
        vollstaendig_ = false;
        return;
    }
    entfernt_.push_back(std::move(it->second));
    vorher_.erase(it);
}

BaumBefehl BaumAufzeichnung::abschliessen(QString name) {
    BaumBefehl b;
    b.name = std::move(name);
    for (const auto& [node, eintrag] : vorher_) {
        KnotenZustand jetzt = KnotenZustand::von(node);
        if (jetzt == eintrag.zustand) continue;
        b.geaendert.push_back({node->Index(), eintrag.zustand, std::move(jetzt)});
    }
    for (tmylistitem* n : neu_) b.eingefuegt.push_back(eintragVon(n));
    b.entfernt = std::move(entfernt_);
    const auto nachIndex = [](const auto& x, const auto& y) { return x.index < y.index; };
    std::sort(b.geaendert.begin(), b.geaendert.end(), nachIndex);
    std::sort(b.eingefuegt.begin(), b.eingefuegt.end(), nachIndex);
    std::sort(b.entfernt.begin(), b.entfernt.end(), nachIndex);
    vorher_.clear();
    neu_.clear();
    return b;
}

// --- subtree state ------------------------------------------------------------------------------

TeilbaumZustand::TeilbaumZustand(tmylistitem* wurzel) : wurzel_(wurzel) {
    if (!wurzel_) return;
    const tmylistitem* ende = wurzel_->lastDescendant()->getNext();
    for (tmylistitem* n = wurzel_; n && n != ende; n = n->getNext())
        knoten_.emplace_back(n, KnotenZustand::von(n));
}

bool TeilbaumZustand::gleicheForm() const {
    if (!wurzel_) return knoten_.empty();
    const tmylistitem* ende = wurzel_->lastDescendant()->getNext();
    size_t k = 0;
    for (const tmylistitem* n = wurzel_; n && n != ende; n = n->getNext(), ++k)
        if (k >= knoten_.size() || knoten_[k].first != n) return false;
    return k == knoten_.size();
}

int TeilbaumZustand::abweichend() const {
    if (!gleicheForm()) return -1;
    int anzahl = 0;
    for (const auto& [n, zustand] : knoten_)
        if (!(KnotenZustand::von(n) == zustand)) ++anzahl;
    return anzahl;
}

int TeilbaumZustand::wiederherstellen() const {
    if (!gleicheForm()) return -1;
    int anzahl = 0;
    for (const auto& [n, zustand] : knoten_) {
        if (KnotenZustand::von(n) == zustand) continue;
        zustand.anwenden(n);
        ++anzahl;
    }
    return anzahl;
}

// --- applying -----------------------------------------------------------------------------------

bool befehlRueckgaengig(ProjektBaum& baum, const BaumBefehl& b) {
    return zustaende(baum, b.geaendert, false) && entfernen(baum, b.eingefuegt) &&
           einfuegen(baum, b.entfernt);
}

bool befehlWiederholen(ProjektBaum& baum, const BaumBefehl& b) {
    return entfernen(baum, b.entfernt) && einfuegen(baum, b.eingefuegt) &&
           zustaende(baum, b.geaendert, true);
}

} // namespace zephan
