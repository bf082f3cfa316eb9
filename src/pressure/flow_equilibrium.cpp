#include "pressure/flow_equilibrium.h"

#include "network/catalogue.h"
#include "network/network_tree.h"
#include "pressure/calc_context.h"
#include "pressure/network_walk.h"
#include "pressure/simulation_path.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace zephan {

std::vector<long long> ganzeAnteile(const std::vector<double>& anteile) {
    std::vector<long long> r(anteile.size(), 0);
    const double summe = std::accumulate(anteile.begin(), anteile.end(), 0.0);
    long long rest = std::llround(summe);
    std::vector<size_t> reihe(anteile.size());
    for (size_t k = 0; k < anteile.size(); ++k) {
        const double a = std::max(0.0, anteile[k]);
        r[k] = static_cast<long long>(std::floor(a));
        rest -= r[k];
        reihe[k] = k;
    }
    std::stable_sort(reihe.begin(), reihe.end(), [&](size_t a, size_t b) {
        return anteile[a] - std::floor(anteile[a]) > anteile[b] - std::floor(anteile[b]);
    });
    for (size_t k = 0; rest > 0 && !reihe.empty(); k = (k + 1) % reihe.size(), --rest)
        ++r[reihe[k]];
    return r;
}

namespace {

constexpr double offen = std::numeric_limits<double>::infinity();
// Resistances at or below this count as this: a path that regains pressure still takes a
// finite share.
constexpr double kleinsterWiderstand = 1e-12;

// The line's structure as the walk sees it, by flat index from the line head.
struct Gefuege {
    int basis = 0;
    std::vector<int> reihe;                      // walked nodes in flat order
    std::vector<int> naechster;                  // next node of the chain, -1 at its end
    std::vector<int> zweige;                     // branches (0, 1, 2)
    std::vector<std::array<int, 2>> zweigAnfang; // first node of each branch chain, -1 none
    std::vector<int> ende; // index into the ends for a chain end with an outlet, else -1
    int erster = -1;

    Gefuege(const StrangErgebnis& e, const std::vector<SimulationsEnde>& enden,
            const Rechenkontext& k) {
        basis = e.basis;
        const size_t n = e.knoten.size();
        naechster.assign(n, -1);
        zweige.assign(n, 0);
        zweigAnfang.assign(n, {-1, -1});
        ende.assign(n, -1);
        const auto idx = [&](const tmylistitem* x) {
            if (!x) return -1;
            const int i = x->Index() - basis;
            return (i >= 0 && static_cast<size_t>(i) < n && e.knoten[static_cast<size_t>(i)].knoten)
                       ? i
                       : -1;
        };
        for (size_t i = 0; i < n; ++i) {
            tmylistitem* x = e.knoten[i].knoten;
            if (!x) continue;
            reihe.push_back(static_cast<int>(i));
            naechster[i] = idx(x->getNextSibling());
            const tBasisDaten_* kat = k.typ(typVon(x));
            const int enden3 = kat ? kat->enden : 0;
            zweige[i] = zweigAnzahl(enden3);
            for (int z = 1; z <= zweige[i]; ++z) {
                tmylistitem* behaelter = zweigBehaelter(x, enden3, z);
                zweigAnfang[i][static_cast<size_t>(z - 1)] =
                    behaelter ? idx(behaelter->getChild()) : -1;
            }
        }
        for (size_t k2 = 0; k2 < enden.size(); ++k2) {
            const int i = idx(enden[k2].knoten);
            // An outlet designed for no flow is closed.
            if (i >= 0 && enden[k2].mitStrom() && enden[k2].v0 > 0)
                ende[static_cast<size_t>(i)] = static_cast<int>(k2);
        }
        if (e.kopf) erster = idx(e.kopf->getChild());
    }
};

double verlust(const Durchgang& d) {
    return d.gerechnet && d.dp > -999 ? d.dp : 0;
}

// The loss coefficients c of every passage [Pa/(m³/h)²]. A passage that carries no flow in a
// run keeps the coefficient of the last run in which it carried some, so that a path pushed
// to nothing is not taken for one without resistance.
struct Beiwerte {
    std::vector<double> haupt;
    std::vector<std::array<double, 2>> zweig;
    explicit Beiwerte(size_t n) : haupt(n, 0), zweig(n, {0, 0}) {}
};

// One split of the fan's flow with the resistances of the core result `e`, computed at the
// whole flows `ganz` of the ends: the new flows of the ends and, per node, its passages.
struct Aufteilung {
    std::vector<double> stroeme; // per end
    std::vector<double> druck;   // per end: external loss of its path [Pa]
    std::vector<Gleichgewicht::Durchgaenge> knoten;
};

Aufteilung aufteilen(const Gefuege& g, const StrangErgebnis& e, const std::vector<long long>& ganz,
                     double gesamt, Beiwerte& c) {
    const size_t n = e.knoten.size();
    // Flows the core computed with, summed from the ends upwards.
    std::vector<double> fluss(n, 0), flussHaupt(n, 0);
    std::vector<std::array<double, 2>> flussZweig(n, {0, 0});
    for (auto it = g.reihe.rbegin(); it != g.reihe.rend(); ++it) {
        const size_t i = static_cast<size_t>(*it);
        const int nx = g.naechster[i];
        double f = nx >= 0          ? fluss[static_cast<size_t>(nx)]
                   : g.ende[i] >= 0 ? static_cast<double>(ganz[static_cast<size_t>(g.ende[i])])
                                    : 0;
        flussHaupt[i] = f;
        for (int z = 0; z < g.zweige[i]; ++z) {
            const int a = g.zweigAnfang[i][static_cast<size_t>(z)];
            flussZweig[i][static_cast<size_t>(z)] = a >= 0 ? fluss[static_cast<size_t>(a)] : 0;
            f += flussZweig[i][static_cast<size_t>(z)];
        }
        fluss[i] = f;
    }
    // A passage that regains pressure counts as one without loss: a path of no or negative
    // resistance would draw the whole flow.
    const auto beiwert = [](double dp, double q, double& wert) {
        if (q > 0) wert = std::max(0.0, dp / (q * q));
    };
    // Resistances from the ends upwards.
    std::vector<double> widerstand(n, offen);
    std::vector<double> rHaupt(n, offen);
    std::vector<std::array<double, 2>> rZweig(n, {offen, offen});
    for (auto it = g.reihe.rbegin(); it != g.reihe.rend(); ++it) {
        const size_t i = static_cast<size_t>(*it);
        const KnotenErgebnis& r = e.knoten[i];
        beiwert(verlust(r.haupt), flussHaupt[i], c.haupt[i]);
        const int nx = g.naechster[i];
        if (nx >= 0) {
            const double weiter = widerstand[static_cast<size_t>(nx)];
            rHaupt[i] = std::isfinite(weiter) ? c.haupt[i] + weiter : offen;
        } else {
            rHaupt[i] = g.ende[i] >= 0 ? c.haupt[i] : offen;
        }
        if (g.zweige[i] == 0) {
            widerstand[i] = rHaupt[i];
            continue;
        }
        double leitwert = 0; // sum of 1/√R over the open paths
        bool einer = false;
        const auto dazu = [&](double rr) {
            if (!std::isfinite(rr)) return;
            einer = true;
            leitwert += 1 / std::sqrt(std::max(rr, kleinsterWiderstand));
        };
        dazu(rHaupt[i]);
        for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z) {
            beiwert(verlust(r.abzweig[z]), flussZweig[i][z], c.zweig[i][z]);
            const int a = g.zweigAnfang[i][z];
            const double weiter = a >= 0 ? widerstand[static_cast<size_t>(a)] : offen;
            rZweig[i][z] = std::isfinite(weiter) ? c.zweig[i][z] + weiter : offen;
            dazu(rZweig[i][z]);
        }
        widerstand[i] = einer ? 1 / (leitwert * leitwert) : offen;
    }

    // The fan's flow split from the top down.
    Aufteilung a;
    a.stroeme.assign(ganz.size(), 0);
    a.druck.assign(ganz.size(), 0);
    a.knoten.assign(n, {});
    std::vector<double> q(n, 0), p(n, 0);
    if (g.erster >= 0) q[static_cast<size_t>(g.erster)] = gesamt;
    for (const int ii : g.reihe) {
        const size_t i = static_cast<size_t>(ii);
        Gleichgewicht::Durchgaenge& d = a.knoten[i];
        double anteilHaupt = 1;
        std::array<double, 2> anteilZweig{0, 0};
        if (g.zweige[i] > 0) {
            const auto w = [](double rr) {
                return std::isfinite(rr) ? 1 / std::sqrt(std::max(rr, kleinsterWiderstand)) : 0.0;
            };
            double summe = w(rHaupt[i]);
            for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z) summe += w(rZweig[i][z]);
            anteilHaupt = summe > 0 ? w(rHaupt[i]) / summe : 0;
            for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z)
                anteilZweig[z] = summe > 0 ? w(rZweig[i][z]) / summe : 0;
        }
        const double qh = q[i] * anteilHaupt;
        d.strom = qh;
        d.dp = c.haupt[i] * qh * qh;
        const int nx = g.naechster[i];
        if (nx >= 0) {
            q[static_cast<size_t>(nx)] = qh;
            p[static_cast<size_t>(nx)] = p[i] + d.dp;
        } else if (g.ende[i] >= 0) {
            a.stroeme[static_cast<size_t>(g.ende[i])] = qh;
            a.druck[static_cast<size_t>(g.ende[i])] = p[i] + d.dp;
        }
        for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z) {
            const double qz = q[i] * anteilZweig[z];
            d.zweigStrom[z] = qz;
            d.zweigDp[z] = c.zweig[i][z] * qz * qz;
            const int an = g.zweigAnfang[i][z];
            if (an >= 0) {
                q[static_cast<size_t>(an)] = qz;
                p[static_cast<size_t>(an)] = p[i] + d.zweigDp[z];
            }
        }
    }
    return a;
}

} // namespace

bool gleichgewichtRechnen(const Kernlauf& kern, const StrangErgebnis& start,
                          std::vector<SimulationsEnde>& enden, const Rechenkontext& kontext,
                          Gleichgewicht& gleich, StrangErgebnis& stopp) {
    gleich = Gleichgewicht{};
    const Gefuege g(start, enden, kontext);
    std::vector<long long> ganz(enden.size(), 0);
    std::vector<double> vorher(enden.size(), 0);
    double gesamt = 0;
    for (size_t k = 0; k < enden.size(); ++k) {
        if (!enden[k].mitStrom() || !(enden[k].v0 > 0)) continue;
        ganz[k] = std::llround(enden[k].v0);
        vorher[k] = enden[k].v0;
        gesamt += static_cast<double>(ganz[k]);
    }
    gleich.strom = gesamt;

    StrangErgebnis aktuell = start;
    Aufteilung a;
    Beiwerte c(start.knoten.size());
    // A step that moves the flows further than the one before was too long: from then on
    // only part of each step is taken.
    double schrittweite = 1;
    double letzteAbweichung = std::numeric_limits<double>::infinity();
    for (int it = 1; it <= gleichgewichtMaxIterationen; ++it) {
        gleich.iterationen = it;
        a = aufteilen(g, aktuell, ganz, gesamt, c);
        std::vector<double> anteile(enden.size(), 0);
        bool ruhig = true;
        double abweichung = 0;
        for (size_t k = 0; k < enden.size(); ++k) {
            if (!enden[k].mitStrom()) continue;
            anteile[k] = a.stroeme[k];
            const double d = std::abs(a.stroeme[k] - vorher[k]);
            // Below half a m³/h nothing shows: the line is computed in whole m³/h.
            if (d > std::max(gleichgewichtToleranz * vorher[k], 0.5)) ruhig = false;
            abweichung = std::max(abweichung, d);
        }
        // Settled: no flow moved noticeably, or the line would be computed with the very
        // same whole flows again and so give the same split.
        if (ruhig || ganzeAnteile(anteile) == ganz) {
            gleich.konvergiert = true;
            break;
        }
        if (it == gleichgewichtMaxIterationen) break;
        if (abweichung >= letzteAbweichung) schrittweite = std::max(0.25, schrittweite / 2);
        letzteAbweichung = abweichung;
        for (size_t k = 0; k < enden.size(); ++k)
            if (enden[k].mitStrom())
                anteile[k] = vorher[k] + schrittweite * (a.stroeme[k] - vorher[k]);
        ganz = ganzeAnteile(anteile);
        vorher = anteile;
        Stromvorgaben vorgaben;
        for (size_t k = 0; k < enden.size(); ++k)
            if (enden[k].mitStrom()) vorgaben[enden[k].auslass] = static_cast<double>(ganz[k]);
        StrangErgebnis naechstes;
        if (!kern(vorgaben, naechstes)) {
            stopp = std::move(naechstes);
            return false;
        }
        aktuell = std::move(naechstes);
    }
    std::vector<double> anteile(enden.size(), 0);
    for (size_t k = 0; k < enden.size(); ++k)
        if (enden[k].mitStrom()) anteile[k] = a.stroeme[k];
    const std::vector<long long> endgueltig = ganzeAnteile(anteile);
    for (size_t k = 0; k < enden.size(); ++k) {
        SimulationsEnde& x = enden[k];
        x.vGleich = x.mitStrom() ? static_cast<double>(endgueltig[k]) : 0;
        x.dpGleich = pfadMitVentilator(aktuell, x.knoten, a.druck[k]);
    }
    gleich.knoten = std::move(a.knoten);
    gleich.gerechnet = true;
    return true;
}

} // namespace zephan
