#include "pressure/network_pressure_core.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/neighbour_check.h"
#include "pressure/network_walk.h"
#include "pressure/position_cache.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <cassert>
#include <cmath>
#include <optional>

namespace zephan {

namespace {

// What rides along a path: the external loss so far and whether a branch passage on the way
// had no result.
struct Pfadwert {
    double dpExt = 0;
    bool unvollstaendig = false;
};

QString endName(const DVdata& d, const Rechenkontext& k) {
    if (!d.p[2].isEmpty()) return d.p[2];
    const tBasisDaten_* t = k.typ(d.typ);
    return t ? t->titel : QString();
}

// The first fan of the line head's own chain.
tmylistitem* ersterVentilator(const tmylistitem* kopf) {
    for (tmylistitem* n = kopf->getChild(); n; n = n->getNextSibling())
        if (typVon(n) == typVentilator) return n;
    return nullptr;
}

// The pressure calculation as a client of the walk. Every node's record is taken from the
// tree once and then kept in its result: each later calculation of the node (a branch
// passage, then the main passage; the balancing pass after the search pass) starts from what
// the one before left, as if it had been stored in the node.
class Druckklient : public Netzklient<Pfadwert> {
public:
    Druckklient(StrangErgebnis& e, const Rechenkontext& k, const Volumenstroeme& stroeme,
                const StrangOptionen& o)
        : e_(e), k_(k), stroeme_(stroeme), o_(o), einst_(nachbarEinstellungen(k.settings())) {}

    int durchlauf = 1; // 1 search pass, 2 balancing pass
    Positionen positionen;

    bool knoten(tmylistitem* n, const Pfadwert&) override {
        int& schritt = o_.schritt ? *o_.schritt : schritt_;
        if (!k_.weiter(++schritt, o_.gesamt)) {
            e_.status = NetzStatus::Abgebrochen;
            return false;
        }
        KnotenErgebnis& r = platz(n);
        DVdata stand = standVon(n, r);
        nachbarZustand(n, stand, einst_, k_);
        r.von(stand);
        const tBasisDaten_* kat = k_.typ(stand.typ);
        if (kat && kat->enden >= 3) {
            e_.hatAbzweige = true;
            if (!e_.erstesStueck) e_.erstesStueck = n;
        }
        if (stand.planung) return stopp(n, netztext::planung);
        if (stand.typ != typRaum) {
            if (stand.fehler == fehlerUnvollstaendig) return stopp(n, netztext::unvollstaendig);
            if (stand.fehler == fehlerVolumenstrom) return stopp(n, netztext::allgemein);
        }
        return true;
    }

    bool abzweig(tmylistitem* n, int zweig, const Pfadwert& vorher, Pfadwert& imZweig) override {
        KnotenErgebnis& r = platz(n);
        DVdata arbeit;
        const double dpA = rechnen(zweig == 1 ? modusAbzweig1 : modusAbzweig2, n, r, arbeit);
        Durchgang& d = r.abzweig[static_cast<size_t>(zweig - 1)];
        d = {true, dpA, vorher.dpExt + dpA, arbeit.p[0], arbeit.p[1]};
        const bool fehlt = dpA < -999;
        imZweig.dpExt = vorher.dpExt + (fehlt ? 0 : dpA);
        imZweig.unvollstaendig = vorher.unvollstaendig || fehlt;
        return true;
    }

    bool durchgang(tmylistitem* n, Pfadwert& w) override {
        KnotenErgebnis& r = platz(n);
        DVdata arbeit;
        double dp = rechnen(modusDurchgang, n, r, arbeit);
        if (arbeit.typ == typVentilator && dp > -999) {
            // The fan's own loss is no part of the path: it is printed in the fan summary.
            e_.mitVentilator = true;
            e_.ventilatorVerlust = arbeit.i[6] != 0 ? dp : 0;
            e_.ventilatorStrom = stroeme_[n];
            dp = 0;
        }
        r.haupt = {true, dp, w.dpExt + dp, arbeit.p[0], arbeit.p[1]};
        if (dp < -999) {
            const QString& text = r.planung                          ? netztext::planung
                                  : r.fehler == fehlerUnvollstaendig ? netztext::unvollstaendig
                                                                     : netztext::bauteilFehler;
            return stopp(n, text);
        }
        w.dpExt += dp;
        return true;
    }

    void kettenende(tmylistitem* n, const Pfadwert& w) override {
        const DVdata* d = nodeDaten(n);
        const QString name = d ? endName(*d, k_) : QString();
        if (durchlauf == 1) {
            StrangEnde ende;
            ende.knoten = n;
            ende.position = positionen.von(n);
            ende.name = name;
            ende.dpExt = w.dpExt;
            ende.unvollstaendig = w.unvollstaendig;
            e_.enden.push_back(std::move(ende));
            // Only a strictly larger loss replaces the worst end, so of equal ends the first
            // stays; the first end is kept even when its loss is not above 0.
            if (w.dpExt > e_.maximum || e_.unguenstigstes < 0) {
                if (w.dpExt > e_.maximum) e_.maximum = w.dpExt;
                e_.unguenstigstes = static_cast<int>(e_.enden.size()) - 1;
            }
        } else if (e_.maximum - w.dpExt > 0) {
            e_.abgleich.push_back({n, name, w.dpExt});
        }
    }

private:
    KnotenErgebnis& platz(tmylistitem* n) {
        const size_t k = static_cast<size_t>(n->Index() - e_.basis);
        KnotenErgebnis& r = e_.knoten[k];
        if (r.knoten != n) {
            r.knoten = n;
            r.volumenstrom = stroeme_[n];
            if (const DVdata* d = nodeDaten(n)) r.von(*d);
        }
        return r;
    }

    // The node's record as the walk has left it so far.
    static DVdata standVon(const tmylistitem* n, const KnotenErgebnis& r) {
        const DVdata* d = nodeDaten(n);
        DVdata stand = d ? *d : DVdata{};
        r.auf(stand);
        return stand;
    }

    double rechnen(int modus, tmylistitem* n, KnotenErgebnis& r, DVdata& arbeit) {
        DVdata stand = standVon(n, r);
        double dp = bauteildruckAuf(modus, n, stand, arbeit, k_);
        r.von(stand);
        return std::isfinite(dp) ? dp : keinErgebnis;
    }

    bool stopp(tmylistitem* n, const QString& text) {
        e_.status = NetzStatus::Stopp;
        e_.meldung = text;
        e_.stoppKnoten = n;
        return false;
    }

    StrangErgebnis& e_;
    const Rechenkontext& k_;
    const Volumenstroeme& stroeme_;
    const StrangOptionen& o_;
    NachbarEinstellungen einst_;
    int schritt_ = 0;
};

} // namespace

StrangErgebnis strangRechnen(const Rechenlauf& lauf, tmylistitem* kopf,
                             const Rechenkontext& kontext, const StrangOptionen& o) {
    assert(lauf.gestartet());
    (void)lauf;
    StrangErgebnis e;
    e.kopf = kopf;
    e.katalog = kontext.katalog;
    e.ziel = o.ziel;
    if (!kopf) return e;
    // The flows the context gives for the whole line are taken as they are; otherwise (none
    // given, or flows tried instead of the records') the line's own are found.
    std::optional<Volumenstroeme> eigene;
    const bool gegeben =
        kontext.stroeme && !kontext.stromvorgaben && kontext.stroeme->umfasst(kopf);
    const Volumenstroeme& stroeme =
        gegeben ? *kontext.stroeme : eigene.emplace(kontext.kat(), kopf, kontext.stromvorgaben);
    // The component rules write their report lines into a document that records nothing.
    TDruck still;
    still.drucken = false;
    Rechenkontext k = kontext;
    k.rho = strangDichte(kopf);
    k.stroeme = &stroeme;
    k.druck = &still;
    e.rho = k.rho;
    e.basis = kopf->Index();
    e.knoten.resize(static_cast<size_t>(kopf->CountAlle()) + 1);

    Druckklient klient(e, k, stroeme, o);
    if (!netzGehen(kopf, klient, Pfadwert{}, k, o.ziel)) return e;
    if (e.unguenstigstes >= 0)
        e.pfad = e.pfadZu(e.enden[static_cast<size_t>(e.unguenstigstes)].knoten);
    if (o.ziel && e.hatAbzweige) return e;
    if (e.hatAbzweige && o.abgleich) {
        klient.durchlauf = 2;
        if (!netzGehen(kopf, klient, Pfadwert{}, k)) return e;
    }
    // The fan is told the external pressure it has to deliver; the flow noise of the fan
    // reads it.
    e.ventilator = ersterVentilator(kopf);
    e.ventilatorDruck = static_cast<double>(kuerzen(e.maximum));
    return e;
}

} // namespace zephan
