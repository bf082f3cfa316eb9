#pragma once

#include "quantities/massen_posten.h"

#include <QHash>
#include <QString>
#include <vector>

namespace zephan {

struct DVdata;

// The items of one group pass. Equal items are found through a hash on category and item
// text, so a large project merges in linear time; the items keep the order in which they were
// first seen until they are sorted.
class MassenListe {
public:
    // Adds one counted component: to the item of its category and text, or as a new item.
    void hinzufuegen(const TBasisDatenTabelle& kat, const DVdata& d);
    // Sorts stably on the full key: category; rectangular before round before the rest; size1
    // and size2 descending; size3, size4 and the item text ascending.
    void sortieren();

    const std::vector<TMassen>& posten() const { return posten_; }
    bool leer() const { return posten_.empty(); }
    void clear();

private:
    struct Schluessel {
        int typ;
        QString text;
        bool operator==(const Schluessel&) const = default;
    };
    friend size_t qHash(const Schluessel& k, size_t seed) {
        return qHashMulti(seed, k.typ, k.text);
    }

    std::vector<TMassen> posten_;
    QHash<Schluessel, int> index_; // category and item text -> position in posten_
};

// The order of two items as sortieren() uses it.
bool massenVor(const TMassen& a, const TMassen& b);

} // namespace zephan
