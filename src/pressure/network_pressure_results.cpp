#include "pressure/network_pressure_results.h"

#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/tree_container.h"

namespace zephan {

void KnotenErgebnis::von(const DVdata& d) {
    fehler = d.fehler;
    planung = d.planung;
    eckig = d.eckig;
    v = d.p[0];
    zeta = d.p[1];
}

void KnotenErgebnis::auf(DVdata& d) const {
    d.fehler = fehler;
    d.planung = planung;
    d.eckig = eckig;
    d.p[0] = v;
    d.p[1] = zeta;
}

const KnotenErgebnis* StrangErgebnis::ergebnis(const tmylistitem* n) const {
    if (!n) return nullptr;
    const int k = n->Index() - basis;
    if (k < 0 || k >= static_cast<int>(knoten.size())) return nullptr;
    const KnotenErgebnis& e = knoten[static_cast<size_t>(k)];
    return e.knoten == n ? &e : nullptr;
}

DVdata StrangErgebnis::daten(const tmylistitem* n) const {
    const DVdata* d = nodeDaten(n);
    DVdata r = d ? *d : DVdata{};
    if (const KnotenErgebnis* e = ergebnis(n)) e->auf(r);
    return r;
}

std::vector<PfadKnoten> StrangErgebnis::pfadZu(const tmylistitem* ende,
                                               const tmylistitem* ab) const {
    std::vector<PfadKnoten> rueck;
    const auto zeile = [&](const tmylistitem* n, int zweig) {
        const KnotenErgebnis* r = ergebnis(n);
        if (!r || zweig > static_cast<int>(r->abzweig.size())) return;
        const Durchgang& d = zweig == 0 ? r->haupt : r->abzweig[static_cast<size_t>(zweig - 1)];
        rueck.push_back({n, zweig != 0, r->volumenstrom, d.v, d.zeta, d.dp, d.dpExt, zweig});
    };
    const tmylistitem* x = ende;
    bool selbst = true;
    while (x) {
        const tmylistitem* eltern = x->parent();
        const bool oben = !eltern || eltern == kopf;
        for (const tmylistitem* y = selbst ? x : x->getPrevSibling(); y; y = y->getPrevSibling()) {
            if (oben && ab && y->IndexInLevel() < ab->IndexInLevel()) break;
            zeile(y, 0);
        }
        if (oben) break;
        // A branch chain hangs below its branch piece, or below one of a cross's two branch
        // containers.
        const tmylistitem* stueck = eltern;
        int zweig = 1;
        if (typVon(eltern) == typAbzweig && eltern->parent()) {
            stueck = eltern->parent();
            zweig = eltern->IndexInLevel() + 1;
        }
        zeile(stueck, zweig);
        x = stueck;
        selbst = false;
    }
    return {rueck.rbegin(), rueck.rend()};
}

int strangErgebnisSchreiben(const StrangErgebnis& e) {
    int geaendert = 0;
    const auto schreiben = [&](tmylistitem* n, const KnotenErgebnis* k) {
        DVdata* d = nodeDaten(n);
        if (!d) return;
        const DVdata vorher = *d;
        if (k) k->auf(*d);
        if (n == e.ventilator) d->i[4] = e.ventilatorDruck;
        nodeRefresh(*e.katalog, n);
        if (!(*d == vorher)) ++geaendert;
    };
    for (const KnotenErgebnis& k : e.knoten)
        if (k.knoten) schreiben(k.knoten, &k);
    if (e.ventilator && !e.ergebnis(e.ventilator)) schreiben(e.ventilator, nullptr);
    return geaendert;
}

int netzErgebnisSchreiben(const NetzErgebnis& ergebnis) {
    int geaendert = 0;
    for (const StrangErgebnis& s : ergebnis.straenge) geaendert += strangErgebnisSchreiben(s);
    return geaendert;
}

} // namespace zephan
