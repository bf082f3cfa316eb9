#include "network/tree_container.h"

#include "network/tree_listener.h"

#include <algorithm>

namespace zephan {

namespace {

// Columns beyond this are ignored: a damaged file must not make a node allocate gigabytes.
constexpr int maxColumns = 1024;

bool passt(const QString& caption, const QString& text, SuchTyp typ) {
    switch (typ) {
    case SuchTyp::gleich:
        return caption.compare(text, Qt::CaseInsensitive) == 0;
    case SuchTyp::beginntMit:
        return caption.startsWith(text, Qt::CaseInsensitive);
    case SuchTyp::enthaelt:
        return caption.contains(text, Qt::CaseInsensitive);
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// tmylistitem

int tmylistitem::Index() const {
    return owner_->indexOf(this);
}

int tmylistitem::CountAlle() const {
    return owner_->indexOf(lastDescendant()) - owner_->indexOf(this);
}

tmylistitem* tmylistitem::getNextSibling() const {
    const auto& sibs = owner_->siblingsOf(this);
    const auto k = static_cast<std::size_t>(sibIndex_) + 1;
    return k < sibs.size() ? sibs[k] : nullptr;
}

tmylistitem* tmylistitem::getPrevSibling() const {
    if (sibIndex_ == 0) return nullptr;
    return owner_->siblingsOf(this)[static_cast<std::size_t>(sibIndex_) - 1];
}

QString tmylistitem::position() const {
    // Every row of a large report starts with a position: the text is measured first, then
    // written from its end up through the parents into one string.
    auto stellen = [](int z) {
        int s = 1;
        for (; z >= 10; z /= 10) ++s;
        return s;
    };
    qsizetype laenge = 0;
    for (const tmylistitem* n = this; n; n = n->parent_)
        laenge += stellen(n->sibIndex_ + 1) + (n == this ? 0 : 1);
    QString result(laenge, Qt::Uninitialized);
    QChar* o = result.data() + laenge;
    for (const tmylistitem* n = this; n; n = n->parent_) {
        if (n != this) *--o = QLatin1Char('.');
        for (int z = n->sibIndex_ + 1;; z /= 10) {
            *--o = QLatin1Char(static_cast<char>('0' + z % 10));
            if (z < 10) break;
        }
    }
    return result;
}

QString tmylistitem::pfad() const {
    QStringList teile;
    for (const tmylistitem* n = this; n; n = n->parent_) teile.prepend(n->caption());
    return teile.join(owner_->pfadZeichen);
}

tmylistitem* tmylistitem::child(int i) const {
    if (i < 0 || i >= static_cast<int>(kids_.size())) return nullptr;
    return kids_[static_cast<std::size_t>(i)];
}

tmylistitem* tmylistitem::lastDescendant() const {
    const tmylistitem* n = this;
    while (!n->kids_.empty()) n = n->kids_.back();
    return const_cast<tmylistitem*>(n);
}

bool tmylistitem::isAncestorOf(const tmylistitem* other) const {
    if (!other || other->owner_ != owner_ || other->level_ < level_) return false;
    while (other && other->level_ > level_) other = other->parent_;
    return other == this;
}

QString tmylistitem::text(int column) const {
    if (column < 0 || column >= texts_.size()) return QString();
    return texts_[column];
}

void tmylistitem::setText(int column, const QString& text) {
    if (column < 0 || column >= maxColumns) return;
    while (texts_.size() <= column) texts_.append(QString());
    texts_[column] = text;
}

void tmylistitem::Delete() {
    owner_->Delete(this);
}

// ---------------------------------------------------------------------------------------------
// tMylistviewBase

tMylistviewBase::tMylistviewBase(bool tree) : tree_(tree) {}

void tMylistviewBase::beobachterHinzufuegen(BaumBeobachter* b) {
    if (b && std::find(beobachter_.begin(), beobachter_.end(), b) == beobachter_.end())
        beobachter_.push_back(b);
}

void tMylistviewBase::beobachterEntfernen(BaumBeobachter* b) {
    beobachter_.erase(std::remove(beobachter_.begin(), beobachter_.end(), b), beobachter_.end());
}

// Listeners may read the tree but not change its structure while they are told.
template <class F> void tMylistviewBase::melden(F f) {
    if (beobachter_.empty()) return;
    const bool warBusy = busy_;
    busy_ = true;
    for (BaumBeobachter* b : std::vector<BaumBeobachter*>(beobachter_)) f(*b);
    busy_ = warBusy;
}

void tMylistviewBase::knotenGeaendert(tmylistitem* node) {
    if (!isMine(node) || zuruecksetzen_ > 0) return;
    melden([&](BaumBeobachter& b) { b.geaendert(node); });
}

void tMylistviewBase::beginZuruecksetzen() {
    if (zuruecksetzen_++ == 0) melden([](BaumBeobachter& b) { b.vorZuruecksetzen(); });
}

void tMylistviewBase::endZuruecksetzen() {
    if (zuruecksetzen_ == 0) return;
    if (--zuruecksetzen_ == 0) melden([](BaumBeobachter& b) { b.zurueckgesetzt(); });
}

tMylistviewBase::~tMylistviewBase() {
    // No events here: the owner's handlers may refer to objects that are already gone. The
    // records are released with the nodes.
    tmylistitem* n = first_;
    while (n) {
        tmylistitem* next = n->next_;
        delete n;
        n = next;
    }
}

std::vector<tmylistitem*>& tMylistviewBase::siblingsOf(const tmylistitem* node) {
    return node->parent_ ? node->parent_->kids_ : tops_;
}

const std::vector<tmylistitem*>& tMylistviewBase::siblingsOf(const tmylistitem* node) const {
    return node->parent_ ? node->parent_->kids_ : tops_;
}

bool tMylistviewBase::indexiert(const tmylistitem* node) const {
    return node->index_ >= 0 && static_cast<std::size_t>(node->index_) < flat_.size() &&
           flat_[static_cast<std::size_t>(node->index_)] == node;
}

void tMylistviewBase::indexErweitern(int bis, const tmylistitem* node) const {
    tmylistitem* n = flat_.empty() ? first_ : flat_.back()->next_;
    while (n && static_cast<int>(flat_.size()) < bis) {
        n->index_ = static_cast<int>(flat_.size());
        flat_.push_back(n);
        if (n == node) break;
        n = n->next_;
    }
}

void tMylistviewBase::indexKuerzen(int ab) const {
    if (ab >= 0 && static_cast<std::size_t>(ab) < flat_.size())
        flat_.resize(static_cast<std::size_t>(ab));
}

int tMylistviewBase::indexOf(const tmylistitem* node) const {
    if (!indexiert(node)) indexErweitern(count_, node);
    return node->index_;
}

tmylistitem* tMylistviewBase::item(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    if (static_cast<std::size_t>(index) >= flat_.size()) indexErweitern(index + 1);
    return flat_[static_cast<std::size_t>(index)];
}

tmylistitem* tMylistviewBase::topLevel(int i) const {
    if (i < 0 || i >= static_cast<int>(tops_.size())) return nullptr;
    return tops_[static_cast<std::size_t>(i)];
}

tmylistitem* tMylistviewBase::createAt(tmylistitem* parent, int sibPos, tmylistitem* flatBefore,
                                       const QString& caption) {
    if (zuruecksetzen_ == 0) melden([&](BaumBeobachter& b) { b.vorEinfuegen(parent, sibPos); });
    auto* n = new tmylistitem(this);
    n->parent_ = parent;
    n->level_ = parent ? parent->level_ + 1 : 0;
    n->texts_.append(caption);

    // flat list
    n->prev_ = flatBefore;
    n->next_ = flatBefore ? flatBefore->next_ : first_;
    if (n->prev_)
        n->prev_->next_ = n;
    else
        first_ = n;
    if (n->next_)
        n->next_->prev_ = n;
    else
        last_ = n;

    // sibling list
    auto& sibs = parent ? parent->kids_ : tops_;
    sibs.insert(sibs.begin() + sibPos, n);
    for (std::size_t k = static_cast<std::size_t>(sibPos); k < sibs.size(); ++k)
        sibs[k]->sibIndex_ = static_cast<int>(k);

    // The flat index stays good up to the node before; appending (loading) keeps it whole.
    if (!flatBefore) {
        indexKuerzen(0);
    } else if (indexiert(flatBefore)) {
        const int p = flatBefore->index_ + 1;
        indexKuerzen(p);
        if (static_cast<std::size_t>(p) == flat_.size()) {
            n->index_ = p;
            flat_.push_back(n);
        }
    }
    ++count_;

    if (OnItemAdd) {
        busy_ = true;
        OnItemAdd(n);
        busy_ = false;
    }
    if (zuruecksetzen_ == 0) melden([&](BaumBeobachter& b) { b.eingefuegt(n); });
    return n;
}

tmylistitem* tMylistviewBase::Add(const QString& caption) {
    if (busy_) return nullptr;
    return createAt(nullptr, static_cast<int>(tops_.size()), last_, caption);
}

tmylistitem* tMylistviewBase::AddChild(tmylistitem* node, const QString& caption) {
    if (busy_) return nullptr;
    if (!node) return Add(caption);
    if (!isMine(node)) return nullptr;
    return createAt(node, static_cast<int>(node->kids_.size()), node->lastDescendant(), caption);
}

tmylistitem* tMylistviewBase::Insert(int index, const QString& caption) {
    if (busy_) return nullptr;
    if (index < 0) index = 0;
    if (index >= count_) return Add(caption);
    tmylistitem* folgt = item(index);
    return createAt(folgt->parent_, folgt->sibIndex_, folgt->prev_, caption);
}

void tMylistviewBase::Delete(tmylistitem* node) {
    if (busy_ || !isMine(node)) return;
    removeSubtree(node);
}

void tMylistviewBase::removeSubtree(tmylistitem* node) {
    // The subtree is one contiguous run of the flat list: node and its CountAlle successors.
    int anzahl = 1;
    tmylistitem* const eltern = node->parent_;
    const int zeile = node->sibIndex_;
    if (zuruecksetzen_ == 0) melden([&](BaumBeobachter& b) { b.vorEntfernen(node); });
    tmylistitem* letzter = node;
    while (letzter->next_ && letzter->next_->level_ > node->level_) {
        letzter = letzter->next_;
        ++anzahl;
    }

    if (OnItemDelete) {
        busy_ = true;
        tmylistitem* n = node;
        for (int k = 0; k < anzahl; ++k, n = n->next_) OnItemDelete(n);
        busy_ = false;
    }

    // The handlers may have asked for indexes: the flat index is cut only now.
    if (indexiert(node)) indexKuerzen(node->index_);

    // unlink from the flat list
    tmylistitem* vor = node->prev_;
    tmylistitem* nach = letzter->next_;
    if (vor)
        vor->next_ = nach;
    else
        first_ = nach;
    if (nach)
        nach->prev_ = vor;
    else
        last_ = vor;
    letzter->next_ = nullptr;

    // unlink from the siblings
    auto& sibs = siblingsOf(node);
    sibs.erase(sibs.begin() + node->sibIndex_);
    for (std::size_t k = static_cast<std::size_t>(node->sibIndex_); k < sibs.size(); ++k)
        sibs[k]->sibIndex_ = static_cast<int>(k);
    count_ -= anzahl;

    for (tmylistitem* n = node; n;) {
        tmylistitem* next = n->next_;
        if (n == selected_) selected_ = nullptr;
        if (n == focused_) focused_ = nullptr;
        delete n;
        n = next;
    }
    if (zuruecksetzen_ == 0) melden([&](BaumBeobachter& b) { b.entfernt(eltern, zeile); });
}

void tMylistviewBase::Clear() {
    if (busy_) return;
    beginZuruecksetzen();
    if (OnItemDelete) {
        busy_ = true;
        for (tmylistitem* n = first_; n; n = n->next_) OnItemDelete(n);
        busy_ = false;
    }
    for (tmylistitem* n = first_; n;) {
        tmylistitem* next = n->next_;
        delete n;
        n = next;
    }
    tops_.clear();
    first_ = last_ = nullptr;
    count_ = 0;
    selected_ = focused_ = nullptr;
    flat_.clear();
    endZuruecksetzen();
}

tmylistitem* tMylistviewBase::such(const QString& text, int column, tmylistitem* start,
                                   bool searchdown, SuchTyp searchtype) const {
    if (start && start->owner_ != this) return nullptr;
    if (column < 0 && column != -2) column = 0;
    tmylistitem* n =
        start ? (searchdown ? start->next_ : start->prev_) : (searchdown ? first_ : last_);
    for (; n; n = searchdown ? n->next_ : n->prev_) {
        if (column == -2) {
            for (const QString& t : std::as_const(n->texts_))
                if (passt(t, text, searchtype)) return n;
        } else if (passt(n->text(column), text, searchtype)) {
            return n;
        }
    }
    return nullptr;
}

tmylistitem* tMylistviewBase::such(const QString& text, int column, tmylistitem* start,
                                   bool searchdown, int searchtype) const {
    if (searchtype < 0 || searchtype > 2) return nullptr;
    return such(text, column, start, searchdown, static_cast<SuchTyp>(searchtype));
}

tmylistitem* tMylistviewBase::suchPfad(const QString& path) const {
    if (path.isEmpty()) return nullptr;
    const QStringList teile = path.split(pfadZeichen);
    const std::vector<tmylistitem*>* ebene = &tops_;
    tmylistitem* gefunden = nullptr;
    for (const QString& teil : teile) {
        gefunden = nullptr;
        for (tmylistitem* n : *ebene) {
            if (n->caption().compare(teil, Qt::CaseInsensitive) == 0) {
                gefunden = n;
                break;
            }
        }
        if (!gefunden) return nullptr;
        ebene = &gefunden->kids_;
    }
    return gefunden;
}

void tMylistviewBase::setSelected(tmylistitem* node) {
    if (node && !isMine(node)) return;
    if (selected_) selected_->selected_ = false;
    selected_ = node;
    if (node) node->selected_ = true;
}

void tMylistviewBase::setItemFocused(tmylistitem* node) {
    if (node && !isMine(node)) return;
    focused_ = node;
}

} // namespace zephan
