#pragma once

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"

namespace zephan::testing {

// A supply line built node by node: grille and fan, the nodes a test adds, outlet and room.
class Strang {
public:
    explicit Strang(ProjektBaum& baum) : baum_(baum) {
        kopf = baum_.Add(QStringLiteral("leer"));
        DVdata& h = daten(kopf, typZuluft);
        h.p[1] = QStringLiteral("1,200");
        h.p[2] = QStringLiteral("1");
        DVdata& g = neu(kopf, typAussenluftgitter);
        g.tag1 = 1;
        g.i[3] = 1000;
        g.planung = true;
        DVdata& f = neu(kopf, typVentilator);
        f.tag1 = 0;
        f.i[0] = 1000;
        f.i[1] = 1000;
        f.i[6] = 100;
    }

    DVdata& neu(tmylistitem* eltern, int typ, tmylistitem** knoten = nullptr) {
        tmylistitem* n = baum_.AddChild(eltern, QStringLiteral("leer"));
        if (knoten) *knoten = n;
        return daten(n, typ);
    }
    DVdata& kanal(tmylistitem* eltern, int b, int h, tmylistitem** knoten = nullptr) {
        DVdata& d = neu(eltern, typKanal, knoten);
        d.eckig = true;
        d.tag1 = 0;
        d.i[0] = b;
        d.i[1] = h;
        d.i[5] = 2000;
        d.p[2] = QStringLiteral("Stahlblech");
        d.planung = b < 0;
        return d;
    }
    DVdata& planStueck(tmylistitem* eltern, int typ, tmylistitem** knoten = nullptr) {
        DVdata& d = neu(eltern, typ, knoten);
        d.tag1 = 0;
        d.tag2 = 0;
        d.planung = true;
        return d;
    }
    void ende(tmylistitem* eltern, int q) {
        DVdata& a = neu(eltern, typZuluftauslass);
        a.tag1 = 1;
        a.i[2] = 1;
        a.i[3] = q;
        a.i[4] = 1;
        a.planung = true;
        neu(eltern, typRaum);
    }
    tmylistitem* kopf = nullptr;

private:
    DVdata& daten(tmylistitem* n, int typ) {
        DVdata& d = *nodeDaten(n);
        initNode(d, false);
        d.typ = typ;
        nodeRefresh(basisDatenTabelle(), n);
        return d;
    }
    ProjektBaum& baum_;
};

} // namespace zephan::testing
