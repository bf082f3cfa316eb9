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
// The line computes a flow of 0 m³/h as 1 m³/h: the model's flows count at least that much.
constexpr double kleinsterStrom = 1;
// Smallest slope a path counts with [Pa/(m³/h)]: a path without loss takes a finite share.
constexpr double kleinsteSteigung = 1e-9;
// The model is solved until no end's flow moves by more than this [m³/h] (a tenth of the
// whole m³/h the line is computed with) ...
constexpr double modellToleranz = 0.1;
// ... or this many steps were taken.
constexpr int modellMaxSchritte = 20;

// The line's structure as the walk sees it, by flat index from the line head.
struct Gefuege {
    int basis = 0;
    std::vector<int> reihe;                      // walked nodes in flat order
    std::vector<int> naechster;                  // next node of the chain, -1 at its end
    std::vector<int> zweige;                     // branches (0, 1, 2)
    std::vector<std::array<int, 2>> zweigAnfang; // first node of each branch chain, -1 none
    std::vector<int> ende;      // index into the ends for a chain end with an outlet, else -1
    std::vector<int> endKnoten; // per end: its node, -1 when it takes no part
    int erster = -1;

    Gefuege(const StrangErgebnis& e, const std::vector<SimulationsEnde>& enden,
            const Rechenkontext& k) {
        basis = e.basis;
        const size_t n = e.knoten.size();
        naechster.assign(n, -1);
        zweige.assign(n, 0);
        zweigAnfang.assign(n, {-1, -1});
        ende.assign(n, -1);
        endKnoten.assign(enden.size(), -1);
        const auto idx = [&](const tmylistitem* x) {
            if (!x) return -1;
            const int i = x->Index() - basis;
            return (i >= 0 && static_cast<size_t>(i) < n && e.knoten[static_cast<size_t>(i)].knoten)
                       ? i
                       : -1;
        };
        reihe.reserve(n);
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
            if (i >= 0 && naechster[static_cast<size_t>(i)] < 0 && enden[k2].mitStrom() &&
                enden[k2].v0 > 0) {
                ende[static_cast<size_t>(i)] = static_cast<int>(k2);
                endKnoten[k2] = i;
            }
        }
        if (e.kopf) erster = idx(e.kopf->getChild());
    }
};

double verlust(const Durchgang& d) {
    return d.gerechnet && d.dp > -999 ? d.dp : 0;
}

// The flow of every passage when the ends take `x`: summed from the ends upwards.
struct Stroeme {
    std::vector<double> knoten; // entering the node
    std::vector<double> haupt;
    std::vector<std::array<double, 2>> zweig;

    void summieren(const Gefuege& g, const std::vector<double>& x) {
        const size_t n = g.naechster.size();
        knoten.assign(n, 0);
        haupt.assign(n, 0);
        zweig.assign(n, {0, 0});
        for (auto it = g.reihe.rbegin(); it != g.reihe.rend(); ++it) {
            const size_t i = static_cast<size_t>(*it);
            const int nx = g.naechster[i];
            double f = nx >= 0          ? knoten[static_cast<size_t>(nx)]
                       : g.ende[i] >= 0 ? x[static_cast<size_t>(g.ende[i])]
                                        : 0;
            haupt[i] = f;
            for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z) {
                const int a = g.zweigAnfang[i][z];
                zweig[i][z] = a >= 0 ? knoten[static_cast<size_t>(a)] : 0;
                f += zweig[i][z];
            }
            knoten[i] = f;
        }
    }
};

// The loss of one passage as a function of its flow, f(q) = a + c·q², matched to the loss the
// line's last run found at its flow and to the slope between that run and the one before
// (without an earlier run, or with the same flow in both, the slope of a loss ~ q²). So a
// silencer of a given loss or a fitting whose zeta follows the division of the flow is
// followed as closely as a duct. A passage that regains pressure keeps ~ q².
struct Verlustmodell {
    double a = 0, c = 0;

    double f(double q) const {
        const double w = std::max(q, kleinsterStrom);
        return a + c * w * w;
    }
    double steigung(double q) const { return 2 * c * std::max(q, kleinsterStrom); }

    static Verlustmodell anpassen(double q, double dp, double qAlt, double dpAlt, bool mitAlt) {
        const double w = std::max(q, kleinsterStrom);
        // A passage that regains pressure does so by the other flows of its piece (a joining
        // flow drags it along): its regain is kept as it is, whatever its own flow.
        if (!(dp > 0)) return {dp, 0};
        const double quadratisch = 2 * dp / w;
        double s = quadratisch;
        const double wAlt = std::max(qAlt, kleinsterStrom);
        // A slope beyond these bounds is taken for an effect of the other flows, not of this
        // passage's own.
        if (mitAlt && std::abs(w - wAlt) >= 1)
            s = std::clamp((dp - dpAlt) / (w - wAlt), 0.1 * quadratisch, 2 * quadratisch);
        const double c = s / (2 * w);
        return {dp - c * w * w, c};
    }
};

// Per passage of the line: its model, and the flow and loss of the run it was matched to.
struct Modelle {
    std::vector<Verlustmodell> haupt;
    std::vector<std::array<Verlustmodell, 2>> zweig;
    std::vector<double> qHaupt, dpHaupt;
    std::vector<std::array<double, 2>> qZweig, dpZweig;
    bool mitAlt = false;

    explicit Modelle(size_t n)
        : haupt(n), zweig(n), qHaupt(n, 0), dpHaupt(n, 0), qZweig(n, {0, 0}), dpZweig(n, {0, 0}) {}

    // Matches every passage to the core result `e`, computed with the flows `s`.
    void anpassen(const Gefuege& g, const StrangErgebnis& e, const Stroeme& s) {
        for (const int ii : g.reihe) {
            const size_t i = static_cast<size_t>(ii);
            const KnotenErgebnis& r = e.knoten[i];
            const double dp = verlust(r.haupt);
            haupt[i] = Verlustmodell::anpassen(s.haupt[i], dp, qHaupt[i], dpHaupt[i], mitAlt);
            qHaupt[i] = s.haupt[i];
            dpHaupt[i] = dp;
            for (size_t z = 0; z < static_cast<size_t>(g.zweige[i]); ++z) {
                const double dz = verlust(r.abzweig[z]);
                zweig[i][z] =
                    Verlustmodell::anpassen(s.zweig[i][z], dz, qZweig[i][z], dpZweig[i][z], mitAlt);
                qZweig[i][z] = s.zweig[i][z];
                dpZweig[i][z] = dz;
            }
        }
        mitAlt = true;
    }
};

// The balanced state of the model: the flows of the ends and, per node, its passages.
struct Aufteilung {
    std::vector<double> stroeme; // per end
    std::vector<double> druck;   // per end: external loss of its path [Pa]
    std::vector<Gleichgewicht::Durchgaenge> knoten;
};

// Solves the models for the flows `x` of the ends (in: where to start; out: the balance) at
// which every path from each junction ends at the same pressure. Newton's method over the
// tree: each path is taken linear in its flow, parallel paths are combined from the ends
// upwards (a path of slope G takes a share of any change proportional to 1/G), and the
// change of the fan's flow, none, is split from the top down. A step that would empty an end
// stops where it runs dry; such an end stays shut until the pressure at its junction beats
// its loss at no flow.
class Modellloesung {
public:
    Modellloesung(const Gefuege& g, const Modelle& m) : g_(g), m_(m) {
        const size_t n = g.naechster.size();
        pDach_.assign(n, 0);
        steig_.assign(n, 0);
        zu_.assign(n, true);
        pHaupt_.assign(n, 0);
        gHaupt_.assign(n, 0);
        pZweig_.assign(n, {0, 0});
        gZweig_.assign(n, {0, 0});
        delta_.assign(n, 0);
        p_.assign(n, 0);
    }

    void loesen(std::vector<double>& x) {
        gesperrt_.assign(x.size(), false);
        std::vector<double> d(x.size(), 0);
        for (int schritt = 0; schritt < modellMaxSchritte; ++schritt) {
            s_.summieren(g_, x);
            newton(d);
            // An empty end that would give yet more is shut; the step is made anew.
            bool neu = false;
            for (size_t k = 0; k < x.size(); ++k)
                if (g_.endKnoten[k] >= 0 && !gesperrt_[k] && x[k] <= 0 && d[k] < 0)
                    gesperrt_[k] = neu = true;
            if (neu) {
                --schritt;
                continue;
            }
            // Ends the step would empty stop at no flow; the ends that gain take that much
            // less, so the flows still add up. Below the least flow the line computes, a path
            // no longer changes with its flow (its loss stands at that of the least flow): an
            // end the step takes below it runs dry, or it would stay there out of balance.
            const auto weg = [&](size_t k) { return x[k] + d[k] < kleinsterStrom ? x[k] : -d[k]; };
            double ab = 0, mehr = 0;
            for (size_t k = 0; k < x.size(); ++k) {
                if (g_.endKnoten[k] < 0 || gesperrt_[k]) continue;
                if (d[k] < 0)
                    ab += weg(k);
                else
                    mehr += d[k];
            }
            const double anteil = mehr > 0 ? ab / mehr : 0;
            double groesste = 0;
            for (size_t k = 0; k < x.size(); ++k) {
                if (g_.endKnoten[k] < 0 || gesperrt_[k]) continue;
                const double schritt = d[k] < 0 ? -weg(k) : anteil * d[k];
                x[k] = std::max(0.0, x[k] + schritt);
                groesste = std::max(groesste, std::abs(schritt));
            }
            if (groesste > modellToleranz) continue;
            // Settled: a shut end whose junction now offers more than its loss at no flow
            // opens again.
            bool auf = false;
            for (size_t k = 0; k < x.size(); ++k) {
                if (!gesperrt_[k]) continue;
                const size_t i = static_cast<size_t>(g_.endKnoten[k]);
                if (p_[i] - m_.haupt[i].f(0) > modellToleranz) gesperrt_[k] = !(auf = true);
            }
            if (!auf) break;
        }
        s_.summieren(g_, x);
    }

    // The loss every open path ends with in the balance [Pa].
    double balanciert() const { return g_.erster >= 0 ? p_[static_cast<size_t>(g_.erster)] : 0; }

    Aufteilung ergebnis(const std::vector<double>& x) const {
        Aufteilung a;
        a.stroeme = x;
        a.druck.assign(x.size(), 0);
        const size_t n = g_.naechster.size();
        a.knoten.assign(n, {});
        std::vector<double> p(n, 0);
        for (const int ii : g_.reihe) {
            const size_t i = static_cast<size_t>(ii);
            Gleichgewicht::Durchgaenge& d = a.knoten[i];
            d.strom = s_.haupt[i];
            d.dp = m_.haupt[i].f(d.strom);
            const int nx = g_.naechster[i];
            if (nx >= 0)
                p[static_cast<size_t>(nx)] = p[i] + d.dp;
            else if (g_.ende[i] >= 0)
                a.druck[static_cast<size_t>(g_.ende[i])] = p[i] + d.dp;
            for (size_t z = 0; z < static_cast<size_t>(g_.zweige[i]); ++z) {
                d.zweigStrom[z] = s_.zweig[i][z];
                d.zweigDp[z] = m_.zweig[i][z].f(d.zweigStrom[z]);
                const int an = g_.zweigAnfang[i][z];
                if (an >= 0) p[static_cast<size_t>(an)] = p[i] + d.zweigDp[z];
            }
        }
        return a;
    }

private:
    // One step of Newton's method at the flows `s_`: the change `d` of every end's flow.
    void newton(std::vector<double>& d) {
        // Each path from the ends upwards: its loss and its slope, the open paths of a
        // junction combined.
        for (auto it = g_.reihe.rbegin(); it != g_.reihe.rend(); ++it) {
            const size_t i = static_cast<size_t>(*it);
            double leitwert = 0, summe = 0; // sums of 1/G and of P/G over the open paths
            const auto dazu = [&](double p, double gg) {
                const double w = 1 / std::max(gg, kleinsteSteigung);
                leitwert += w;
                summe += p * w;
            };
            const double qh = s_.haupt[i];
            pHaupt_[i] = m_.haupt[i].f(qh);
            gHaupt_[i] = m_.haupt[i].steigung(qh);
            const int nx = g_.naechster[i];
            const int k = g_.ende[i];
            bool offenH = false;
            if (nx >= 0) {
                offenH = !zu_[static_cast<size_t>(nx)];
                pHaupt_[i] += pDach_[static_cast<size_t>(nx)];
                gHaupt_[i] += steig_[static_cast<size_t>(nx)];
            } else {
                offenH = k >= 0 && !gesperrt_[static_cast<size_t>(k)];
            }
            if (offenH) dazu(pHaupt_[i], gHaupt_[i]);
            for (size_t z = 0; z < static_cast<size_t>(g_.zweige[i]); ++z) {
                const int an = g_.zweigAnfang[i][z];
                const double qz = s_.zweig[i][z];
                pZweig_[i][z] = m_.zweig[i][z].f(qz);
                gZweig_[i][z] = m_.zweig[i][z].steigung(qz);
                const bool o = an >= 0 && !zu_[static_cast<size_t>(an)];
                if (an >= 0) {
                    pZweig_[i][z] += pDach_[static_cast<size_t>(an)];
                    gZweig_[i][z] += steig_[static_cast<size_t>(an)];
                }
                if (o) dazu(pZweig_[i][z], gZweig_[i][z]);
            }
            zu_[i] = leitwert == 0;
            pDach_[i] = zu_[i] ? pHaupt_[i] : summe / leitwert;
            steig_[i] = zu_[i] ? offen : 1 / leitwert;
        }
        // The change split from the top down; shut paths get none and learn the pressure
        // their junction offers.
        for (const int ii : g_.reihe) {
            const size_t i = static_cast<size_t>(ii);
            if (static_cast<int>(i) == g_.erster) {
                delta_[i] = 0;
                p_[i] = pDach_[i];
            }
            const auto anteil = [&](double pp, double gg) {
                return (p_[i] - pp) / std::max(gg, kleinsteSteigung);
            };
            const int nx = g_.naechster[i];
            const int k = g_.ende[i];
            const bool offenH = nx >= 0 ? !zu_[static_cast<size_t>(nx)]
                                        : k >= 0 && !gesperrt_[static_cast<size_t>(k)];
            double rest = delta_[i];
            for (size_t z = 0; z < static_cast<size_t>(g_.zweige[i]); ++z) {
                const int an = g_.zweigAnfang[i][z];
                if (an < 0) continue;
                const size_t a = static_cast<size_t>(an);
                const double dz = zu_[a] || zu_[i] ? 0 : anteil(pZweig_[i][z], gZweig_[i][z]);
                rest -= dz;
                delta_[a] = dz;
                p_[a] = p_[i] - m_.zweig[i][z].f(s_.zweig[i][z]) -
                        m_.zweig[i][z].steigung(s_.zweig[i][z]) * dz;
            }
            // The main path takes what the branches leave, so the flows always add up.
            const double dh = offenH && !zu_[i] ? rest : 0;
            const double ph =
                p_[i] - m_.haupt[i].f(s_.haupt[i]) - m_.haupt[i].steigung(s_.haupt[i]) * dh;
            if (nx >= 0) {
                delta_[static_cast<size_t>(nx)] = dh;
                p_[static_cast<size_t>(nx)] = ph;
            } else if (k >= 0) {
                d[static_cast<size_t>(k)] = dh;
            }
        }
    }

    const Gefuege& g_;
    const Modelle& m_;
    Stroeme s_;
    std::vector<bool> gesperrt_;
    std::vector<double> pDach_, steig_, pHaupt_, gHaupt_;
    std::vector<std::array<double, 2>> pZweig_, gZweig_;
    std::vector<bool> zu_;
    std::vector<double> delta_, p_;
};

} // namespace

bool gleichgewichtRechnen(const Kernlauf& kern, const StrangErgebnis& start,
                          std::vector<SimulationsEnde>& enden, const Rechenkontext& kontext,
                          Gleichgewicht& gleich, StrangErgebnis& stopp) {
    gleich = Gleichgewicht{};
    const Gefuege g(start, enden, kontext);
    std::vector<long long> ganz(enden.size(), 0);
    double gesamt = 0;
    for (size_t k = 0; k < enden.size(); ++k) {
        if (g.endKnoten[k] < 0) continue;
        ganz[k] = std::llround(enden[k].v0);
        gesamt += static_cast<double>(ganz[k]);
    }
    gleich.strom = gesamt;

    StrangErgebnis aktuell = start;
    Modelle m(start.knoten.size());
    Modellloesung loesung(g, m);
    Stroeme s;
    std::vector<double> x(enden.size(), 0);
    // Per end: the share of its step taken, and the direction of its last step. An end that
    // turns back has stepped over its balance (a loss of the line that jumps, a fitting
    // whose zeta follows the other flows): its steps are halved until it goes one way again.
    std::vector<double> schritt(enden.size(), 1);
    std::vector<int> richtung(enden.size(), 0);
    // The share of every step taken once the free rounds are over: an eighth of the last each
    // round. A loss that jumps with the flows (the joining formula of an extract cross near
    // its pole, a wye whose branch loss follows the other flows) leaves no split that is in
    // balance on both sides of the jump; the steps then shrink until the whole flows stand,
    // at the jump.
    double daempfung = 1;
    for (int it = 1; it <= gleichgewichtMaxIterationen; ++it) {
        gleich.iterationen = it;
        for (size_t k = 0; k < enden.size(); ++k) x[k] = static_cast<double>(ganz[k]);
        s.summieren(g, x);
        m.anpassen(g, aktuell, s);
        loesung.loesen(x);
        const double balanciert = loesung.balanciert();
        bool ruhig = true;
        for (size_t k = 0; k < enden.size(); ++k) {
            if (g.endKnoten[k] < 0) continue;
            const double vorher = static_cast<double>(ganz[k]);
            const double d = std::abs(x[k] - vorher);
            // Below half a m³/h nothing shows: the line is computed in whole m³/h.
            if (d <= std::max(gleichgewichtToleranz * vorher, 0.5)) continue;
            // An end that runs dry is computed at 1 m³/h: nothing smaller shows either.
            if (vorher <= kleinsterStrom && x[k] < kleinsterStrom) continue;
            // A path that already ends within a quarter pascal of the balance is in balance,
            // however far the flow would still move: the flatter a path, the less its
            // pressure says about its flow.
            if (k < aktuell.enden.size() && x[k] > 0 &&
                std::abs(aktuell.enden[k].dpExt - balanciert) <= gleichgewichtDruckToleranz)
                continue;
            ruhig = false;
        }
        // Settled: no flow moved noticeably, or the line would be computed with the very
        // same whole flows again and so give the same split.
        if (ruhig || ganzeAnteile(x) == ganz) {
            gleich.konvergiert = true;
            break;
        }
        if (it == gleichgewichtMaxIterationen) break;
        if (it > gleichgewichtFreieRunden) daempfung /= 8;
        std::vector<double> anteile(enden.size(), 0);
        double summe = 0;
        for (size_t k = 0; k < enden.size(); ++k) {
            if (g.endKnoten[k] < 0) continue;
            const double d = x[k] - static_cast<double>(ganz[k]);
            const int r = d > 0 ? 1 : d < 0 ? -1 : 0;
            if (r != 0 && r == -richtung[k])
                schritt[k] = std::max(1.0 / 16, schritt[k] / 2);
            else if (r != 0)
                schritt[k] = std::min(1.0, schritt[k] * 2);
            if (r != 0) richtung[k] = r;
            anteile[k] = static_cast<double>(ganz[k]) + daempfung * schritt[k] * d;
            summe += anteile[k];
        }
        // The shortened steps no longer add up to the fan's flow: all share the difference.
        if (summe > 0)
            for (double& a : anteile) a *= gesamt / summe;
        std::vector<long long> neu = ganzeAnteile(anteile);
        // Nothing would change: the ends still off have each been shortened to less than a
        // whole m³/h, going to and fro about a jump of the line's own losses.
        if (neu == ganz) {
            gleich.konvergiert = true;
            break;
        }
        ganz = std::move(neu);
        Stromvorgaben vorgaben;
        vorgaben.reserve(enden.size());
        for (size_t k = 0; k < enden.size(); ++k)
            if (g.endKnoten[k] >= 0) vorgaben[enden[k].auslass] = static_cast<double>(ganz[k]);
        StrangErgebnis naechstes;
        if (!kern(vorgaben, naechstes)) {
            stopp = std::move(naechstes);
            return false;
        }
        aktuell = std::move(naechstes);
    }
    Aufteilung a = loesung.ergebnis(x);
    const std::vector<long long> endgueltig = ganzeAnteile(x);
    for (size_t k = 0; k < enden.size(); ++k) {
        SimulationsEnde& e = enden[k];
        e.vGleich = g.endKnoten[k] >= 0 ? static_cast<double>(endgueltig[k]) : 0;
        e.dpGleich = pfadMitVentilator(aktuell, e.knoten, a.druck[k]);
    }
    gleich.knoten = std::move(a.knoten);
    gleich.gerechnet = true;
    return true;
}

} // namespace zephan
