#pragma once

#include "bands/pegel.h"

#include <QString>
#include <unordered_map>

namespace zephan {

class TDruck;

// The spectrum rows written during one run, so that an equal row is not built again. A row
// is a function of its title, unit, kind and values alone; a large network holds many equal
// components (the same sizes and flows) whose derivations repeat row for row, and every copy
// of an equal row then shares one text instead of costing its own memory.
class Pegelzeilen {
public:
    // pegelZeile(titel, einheit, p), or werteZeile when `werte`, made on first use.
    const QString& zeile(const QString& titel, const QString& einheit, const TPegel& p, bool werte);
    // The row appended to the document, as TDruck::add appends it.
    void schreiben(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p,
                   bool werte);

    // Number of distinct rows made.
    size_t anzahl() const { return zeilen_.size(); }

private:
    struct Schluessel {
        QString titel, einheit;
        bool werte;
        TPegel p;
        bool operator==(const Schluessel& o) const;
    };
    struct Hash {
        size_t operator()(const Schluessel& k) const;
    };
    struct Zeile {
        QString text;
        bool umbruch; // holds a carriage return, which the document turns into its break
    };
    const Zeile& eintrag(const QString& titel, const QString& einheit, const TPegel& p, bool werte);
    std::unordered_map<Schluessel, Zeile, Hash> zeilen_;
};

} // namespace zephan
