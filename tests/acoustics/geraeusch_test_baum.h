#pragma once

// Small project trees for the flow-noise tests: a line head and a chain below it, the
// component under test with the outlets that give it its flow.

#include "acoustics/stroemungsgeraeusch.h"
#include "bands/pegel.h"
#include "network/dvdata.h"
#include "network/network_tree.h"
#include "pressure/calc_context.h"
#include "report/report_document.h"
#include "support/test_context.h"

#include <QStringList>
#include <cmath>
#include <initializer_list>

namespace zephan::schalltest {

// A record of type `typ` with the values i[0], i[1], ... (the rest -1).
inline DVdata satz(int typ, std::initializer_list<double> werte = {}, bool eckig = false,
                   int tag1 = -1) {
    DVdata d;
    d.typ = typ;
    d.eckig = eckig;
    d.tag1 = tag1;
    size_t k = 0;
    for (double w : werte) d.i[k++] = w;
    return d;
}

struct Baum {
    ProjektBaum baum;

    Baum() {
        baum.setPlanungFuerNeue([] { return false; });
    }

    // A line head: 0 supply, 1 extract, with the density text.
    tmylistitem* strang(int typ = 0, const QString& dichte = QStringLiteral("1,200")) {
        tmylistitem* n = baum.Add(QStringLiteral("Strang"));
        DVdata d;
        d.typ = typ;
        d.p[1] = dichte;
        d.p[2] = QStringLiteral("S1");
        *nodeDaten(n) = d;
        return n;
    }

    tmylistitem* neu(tmylistitem* parent, const DVdata& d) {
        tmylistitem* n = baum.AddChild(parent, QStringLiteral("leer"));
        *nodeDaten(n) = d;
        return n;
    }

    // A supply outlet (or extract grille) of flow q with its room; returns the outlet.
    tmylistitem* ende(tmylistitem* parent, double q, bool zuluft = true) {
        tmylistitem* a = neu(parent, satz(zuluft ? 10 : 12, {400, 200, 1, q, 1}, true, 0));
        neu(parent, satz(4, {300, 0}));
        return a;
    }
};

// The flow noise of `n` with its report lines.
struct Lauf {
    TPegel p{};
    QStringList zeilen;
};

inline Lauf rechne(tmylistitem* n, int seite = 0, const GeraeuschOptionen& o = {}) {
    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    Lauf l;
    l.p = stroemungsgeraeusch(n, seite, k, o);
    l.zeilen = doc.m;
    return l;
}

inline double lg(double x) {
    return std::log10(x);
}

} // namespace zephan::schalltest
