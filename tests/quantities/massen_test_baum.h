#pragma once

// Small project trees for the bill of quantities and the overwrite.

#include "network/dvdata.h"
#include "network/network_tree.h"

#include <QString>
#include <gtest/gtest.h>
#include <initializer_list>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zephan::massentest {

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

// A duct a x b of length l (mm), with a remark and a group when given.
inline DVdata kanal(double a, double b, double l, const QString& text = QString(),
                    const QString& gruppe = QString()) {
    DVdata d = satz(2, {a, b, -1, -1, -1, l}, true, 0);
    d.Text = text;
    d.Gruppe = gruppe;
    return d;
}

inline DVdata rohr(double dn, double l, const QString& gruppe = QString()) {
    DVdata d = satz(3, {dn, -1, -1, -1, -1, l});
    d.Gruppe = gruppe;
    return d;
}

struct Baum {
    ProjektBaum baum;

    Baum() {
        baum.setPlanungFuerNeue([] { return false; });
    }

    tmylistitem* strang(int typ = 0) {
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
};

} // namespace zephan::massentest
