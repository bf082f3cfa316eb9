#pragma once

// Small project trees for the component calculations.

#include "network/dvdata.h"
#include "network/network_tree.h"
#include "report/report_document.h"

#include <QStringList>
#include <initializer_list>

namespace zephan::testbaum {

// A record of type `typ` with the given values i[0], i[1], ... (the rest -1).
inline DVdata satz(int typ, std::initializer_list<double> werte = {}, bool eckig = false,
                   int tag1 = -1, int tag2 = -1) {
    DVdata d;
    d.typ = typ;
    d.eckig = eckig;
    d.tag1 = tag1;
    d.tag2 = tag2;
    size_t k = 0;
    for (double w : werte) d.i[k++] = w;
    return d;
}

// An outlet (10) or extract grille (12) with its flow, followed by nothing.
inline DVdata auslass(int typ, double q) {
    return satz(typ, {400, 200, 1, q, 1}, true, 0);
}

struct Baum {
    ProjektBaum baum;

    Baum() {
        baum.setPlanungFuerNeue([] { return false; });
    }

    // A line head: 0 supply, 1 extract.
    tmylistitem* strang(int typ) {
        tmylistitem* n = baum.Add(QStringLiteral("Strang"));
        DVdata d;
        d.typ = typ;
        d.p[1] = QStringLiteral("1,200");
        *nodeDaten(n) = d;
        return n;
    }

    tmylistitem* neu(tmylistitem* parent, const DVdata& d) {
        tmylistitem* n = baum.AddChild(parent, QStringLiteral("leer"));
        *nodeDaten(n) = d;
        return n;
    }

    // An outlet (or extract grille) with its room below `parent`.
    tmylistitem* ende(tmylistitem* parent, bool zuluft, double q) {
        tmylistitem* a = neu(parent, auslass(zuluft ? 10 : 12, q));
        neu(parent, satz(4, {300, 0}));
        return a;
    }
};

// The lines written while a document records.
inline QStringList zeilen(const TDruck& d) {
    return d.m;
}

} // namespace zephan::testbaum
