#include "pressure/simulation.h"

#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/flow_equilibrium.h"
#include "pressure/network_pressure_core.h"
#include "pressure/simulation_path.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <algorithm>
#include <cmath>

namespace zephan {

double angepassterStrom(double dpmax, double x, double summeV0, double summeV, double vAlt) {
    if (!(x > 0) || !(summeV > 0)) return vAlt;
    return static_cast<double>(runden(((dpmax / x) * 0.6 + 0.4 * summeV0 / summeV) * vAlt));
}

bool simulationFertig(int zyklus, double summeV0, double summeV) {
    if (zyklus >= simulationMaxZyklen || !(summeV > 0)) return true;
    return std::abs(1 - summeV0 / summeV) < 0.1;
}

namespace {

// The progress of one core run mapped onto the part of the whole simulation it stands for;
// messages and the cancel flag pass through to the caller's seam.
class Teilfortschritt : public UserSeam {
public:
    static constexpr int gesamt = 1000;

    explicit Teilfortschritt(UserSeam* aussen) : aussen_(aussen) {}

    void bereich(double von, double bis) {
        von_ = von;
        bis_ = bis;
    }
    int frage(const QString& text, const QString& buttons, Kind kind) override {
        return aussen_ ? aussen_->frage(text, buttons, kind) : 0;
    }
    void status(int panel, const QString& text) override {
        if (aussen_) aussen_->status(panel, text);
    }
    bool fortschritt(int done, int total) override {
        if (!aussen_) return true;
        const double anteil = total > 0 ? std::clamp(double(done) / total, 0.0, 1.0) : 0;
        // Never the last step: that would close the progress window before the run ends.
        const int schritt =
            std::min(gesamt - 1, int(std::lround((von_ + (bis_ - von_) * anteil) * gesamt)));
        return aussen_->fortschritt(schritt, gesamt);
    }

private:
    UserSeam* aussen_;
    double von_ = 0, bis_ = 0;
};

// Share of the progress bar the estimate takes; the equilibrium has the rest.
constexpr double anteilSchaetzung = 0.5;

enum class Modus { Anfang, Anpassen, Auswerten };

class Simulation {
public:
    Simulation(const Rechenlauf& lauf, tmylistitem* kopf, const Rechenkontext& k,
               SimulationsErgebnis& e)
        : lauf_(lauf), kopf_(kopf), fortschritt_(k.fortschritt), e_(e), kontext_(k) {
        kontext_.fortschritt = k.fortschritt ? &fortschritt_ : nullptr;
        kontext_.stromvorgaben = &vorgaben_;
        knotenzahl_ = kopf->CountAlle();
    }

    // One pass over the line. The initial and the evaluating pass compute the line at the
    // flows given so far; the adjusting pass moves every outlet's flow by the losses the
    // last pass found, at the flows that pass was computed with.
    bool simulationsLauf(Modus modus) {
        if (modus == Modus::Anpassen) {
            for (SimulationsEnde& x : e_.enden) {
                if (!x.mitStrom()) continue;
                x.v = angepassterStrom(e_.dpmax, x.dp, e_.summeV0, e_.summeV, x.v);
                vorgaben_[x.auslass] = x.v;
            }
            return true;
        }
        if (!kern(vorgaben_, letztes_)) return false;
        if (modus == Modus::Anfang) {
            e_.rho = letztes_.rho;
            e_.enden = simulationsEnden(letztes_);
            for (size_t k = 0; k < e_.enden.size(); ++k) {
                SimulationsEnde& x = e_.enden[k];
                x.dp0 = x.dp = pfadMitVentilator(letztes_, x.knoten, letztes_.enden[k].dpExt);
                if (!x.mitStrom()) continue;
                e_.summeV0 += x.v0;
                e_.dp0max = std::max(e_.dp0max, x.dp0);
            }
            e_.summeV = e_.summeV0;
            e_.dpmax = e_.dp0max;
            return true;
        }
        e_.summeV = 0;
        e_.dpmax = 0;
        for (size_t k = 0; k < e_.enden.size() && k < letztes_.enden.size(); ++k) {
            SimulationsEnde& x = e_.enden[k];
            x.dp = pfadMitVentilator(letztes_, x.knoten, letztes_.enden[k].dpExt);
            if (!x.mitStrom()) continue;
            e_.dpmax = std::max(e_.dpmax, x.dp);
            e_.summeV += x.v;
        }
        return true;
    }

    void lauf() {
        fortschritt_.bereich(0, 0.1 * anteilSchaetzung);
        if (!simulationsLauf(Modus::Anfang)) return;
        if (e_.summeV0 > 0) {
            for (int r = 1;; ++r) {
                simulationsLauf(Modus::Anpassen);
                fortschritt_.bereich(std::min(1.0, r / 10.0) * anteilSchaetzung,
                                     std::min(1.0, r / 10.0 + 0.1) * anteilSchaetzung);
                if (!simulationsLauf(Modus::Auswerten)) return;
                e_.zyklen = r;
                if (simulationFertig(r, e_.summeV0, e_.summeV)) break;
            }
        }
        // The equilibrium starts again from the design flows; its runs take the losses without
        // the steps of the rounded texts, which would keep the split from settling.
        vorgaben_.clear();
        kontext_.ungerundet = true;
        int schritt = 0;
        const Kernlauf gleichKern = [&](const Stromvorgaben& s, StrangErgebnis& r) {
            ++schritt;
            const double breite = (1 - anteilSchaetzung) / gleichgewichtMaxIterationen;
            fortschritt_.bereich(anteilSchaetzung + (schritt - 1) * breite,
                                 anteilSchaetzung + schritt * breite);
            return kern(s, r);
        };
        StrangErgebnis stopp;
        if (!gleichgewichtRechnen(gleichKern, anfang_, e_.enden, kontext_, e_.gleich, stopp))
            melden(stopp);
    }

private:
    bool kern(const Stromvorgaben& s, StrangErgebnis& r) {
        Rechenkontext k = kontext_;
        k.stromvorgaben = &s;
        StrangOptionen o;
        o.schritt = &schritt_;
        o.gesamt = knotenzahl_;
        // The simulation reads the paths' losses only.
        o.abgleich = false;
        schritt_ = 0;
        r = strangRechnen(lauf_, kopf_, k, o);
        if (!anfangDa_ && r.fertig()) {
            anfang_ = r;
            anfangDa_ = true;
        }
        if (!r.fertig()) {
            melden(r);
            return false;
        }
        return true;
    }

    void melden(const StrangErgebnis& r) {
        e_.status = r.status;
        e_.meldung = r.meldung;
        e_.stoppKnoten = r.stoppKnoten;
    }

    const Rechenlauf& lauf_;
    tmylistitem* kopf_;
    Teilfortschritt fortschritt_;
    SimulationsErgebnis& e_;
    Rechenkontext kontext_;
    Stromvorgaben vorgaben_;
    StrangErgebnis letztes_;
    StrangErgebnis anfang_;
    bool anfangDa_ = false;
    int schritt_ = 0;
    int knotenzahl_ = 0;
};

} // namespace

SimulationsErgebnis netzSimulieren(const Rechenlauf& lauf, const tmylistitem* knoten,
                                   const Rechenkontext& kontext) {
    SimulationsErgebnis e;
    tmylistitem* kopf = strangKopf(knoten);
    if (!kopf || !istStrangTyp(typVon(kopf))) {
        e.status = knoten ? NetzStatus::KeinStrang : NetzStatus::KeineAuswahl;
        e.meldung = knoten ? simtext::keinStrang : QString();
        return e;
    }
    e.kopf = kopf;
    Simulation(lauf, kopf, kontext, e).lauf();
    return e;
}

SimulationsErgebnis netzSimulieren(const tmylistitem* knoten, const Rechenkontext& kontext) {
    const Rechenlauf lauf;
    if (!lauf.gestartet()) {
        SimulationsErgebnis e;
        e.status = NetzStatus::LaeuftSchon;
        e.meldung = netztext::laeuftSchon;
        return e;
    }
    return netzSimulieren(lauf, knoten, kontext);
}

} // namespace zephan
