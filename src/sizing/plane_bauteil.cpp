#include "sizing/plane_bauteil.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/neighbour_check.h"
#include "sizing/vorschlag.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

struct Gelenk {
    bool ok = false;
    double a = -1, b = -1;
    int form = formUnbestimmt;

    bool eckig() const { return form == formEckigMass || form == formEckigOhne; }
    // A joint whose dimensions can be taken over by a node of the given shape.
    bool passt(bool knotenEckig) const {
        if (!ok || a <= 0) return false;
        if (form == formEckigMass) return knotenEckig && b > 0;
        return form == formRundMass && !knotenEckig;
    }
};

Gelenk nachbarGelenk(const TBasisDatenTabelle& kat, const tmylistitem* node, bool eintritt) {
    Gelenk g;
    g.ok = anschlussNachbar(kat, node, eintritt, g.a, g.b, g.form);
    return g;
}

Gelenk eigenesGelenk(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    Gelenk g;
    if (node) g.ok = anschluss(kat, node, true, g.a, g.b, g.form);
    return g;
}

void setzen(DVdata& d, int slot, double wert) {
    if (slot >= 0 && slot < static_cast<int>(d.i.size())) d.i[static_cast<size_t>(slot)] = wert;
}

double slotWert(const DVdata& d, int slot) {
    return wertSlot(d, slot);
}

// Width (or diameter) and height of a joint into two slots; the height only where the slot
// exists and the joint is rectangular.
void uebernehmen(DVdata& d, int slotA, int slotB, const Gelenk& g) {
    setzen(d, slotA, g.a);
    if (g.form == formEckigMass) setzen(d, slotB, g.b);
}

bool hatText(const tBasisDaten_& t, int slot, bool eckig) {
    const tDatSlot& s = t.dat[static_cast<size_t>(slot)];
    return !(eckig ? s.texteckig : s.textrund).isEmpty();
}

class Planer {
public:
    Planer(DVdata& d, tmylistitem* node, int phase, const Rechenkontext& k, int klasse)
        : d_(d), node_(node), phase_(phase), k_(k), e_(k.settings()), klasse_(klasse) {}

    void planen(const tBasisDaten_& t);

private:
    double fluss() const {
        return k_.stroeme ? (*k_.stroeme)[node_] : volumenstrom(k_.kat(), node_);
    }
    int klasse() {
        if (klasse_ < 0) klasse_ = abschnitt(node_);
        return klasse_;
    }
    void dreiEnden(const tBasisDaten_& t);
    void mitMassen(const tBasisDaten_& t);
    void auslassSlot(const tBasisDaten_& t);
    bool dimensionieren(const tBasisDaten_& t);
    void abhaengige(const tBasisDaten_& t);

    DVdata& d_;
    tmylistitem* node_;
    int phase_;
    const Rechenkontext& k_;
    const Einstellungen& e_;
    int klasse_;
    double Q_ = -1;
};

void Planer::dreiEnden(const tBasisDaten_& t) {
    const Gelenk ein = nachbarGelenk(k_.kat(), node_, true);
    if (ein.passt(d_.eckig)) {
        uebernehmen(d_, t.eina, t.einb, ein);
        d_.fehler = fehlerOk;
    }
    // The branch: the first node of the branch chain (of the first chain for a cross).
    const tmylistitem* kette = node_->getChild();
    if (t.enden >= 4 && kette) kette = kette->getChild();
    const Gelenk abz = eigenesGelenk(k_.kat(), kette);
    if (abz.ok && t.eckig == formBeides && d_.fehler != fehlerOk && abz.form >= 0)
        d_.eckig = t.eckigwechsel ? !abz.eckig() : abz.eckig();
    if (abz.passt(t.eckigwechsel ? !d_.eckig : d_.eckig)) {
        setzen(d_, t.abza, abz.a);
        if (abz.form == formEckigMass && t.abzb >= 0) setzen(d_, t.abzb, abz.b);
    }
    if (t.ausa >= 0) {
        const Gelenk aus = eigenesGelenk(k_.kat(), node_->getNextSibling());
        if (aus.passt(d_.eckig)) {
            setzen(d_, t.ausa, aus.a);
            if (aus.form == formEckigMass && t.ausb >= 0) setzen(d_, t.ausb, aus.b);
            // Slot 6 holds the outlet width only where the type has no value of its own there
            // (the reducing pieces keep their reducing length in it).
            if (!hatText(t, 6, d_.eckig)) d_.i[6] = aus.a;
        }
    }
}

void Planer::auslassSlot(const tBasisDaten_& t) {
    if (t.ausa < 0) return;
    const Gelenk aus = nachbarGelenk(k_.kat(), node_, false);
    const bool ausEckig = t.eckigwechsel ? !d_.eckig : d_.eckig;
    if (aus.passt(ausEckig)) uebernehmen(d_, t.ausa, t.ausb, aus);
}

void Planer::mitMassen(const tBasisDaten_& t) {
    const Gelenk ein = nachbarGelenk(k_.kat(), node_, true);
    if (t.eckig == formBeides && ein.ok && ein.form >= 0) d_.eckig = ein.eckig();
    if (ein.passt(d_.eckig)) {
        uebernehmen(d_, t.eina, t.einb, ein);
        d_.fehler = fehlerOk;
    } else if (t.ausa >= 0 && !t.eckigwechsel) {
        const Gelenk aus = nachbarGelenk(k_.kat(), node_, false);
        if (t.eckig == formBeides && !ein.ok && aus.ok && aus.form >= 0) d_.eckig = aus.eckig();
        if (aus.passt(d_.eckig)) {
            uebernehmen(d_, t.eina, t.einb, aus);
            d_.fehler = fehlerOk;
        }
    }
    // A fitting that no neighbour gives a size (a grille at the end of its line, an outlet
    // after a branch piece) is sized like a run of its own.
    if (d_.fehler != fehlerOk && phase_ == phaseRueckwaerts && !istStrecke(d_.typ))
        dimensionieren(t);
    if (d_.fehler == fehlerOk) auslassSlot(t);
}

bool Planer::dimensionieren(const tBasisDaten_& t) {
    const bool gefaelle = e_.nachGefaelle();
    const double x = gefaelle ? e_.paProM() : e_.designGeschwindigkeit(klasse());
    const bool kanal = d_.typ == typKanal;
    const double Wmax = kanal ? d_.i[2] : -1;
    const double Hmax = kanal ? d_.i[3] : -1;
    const Vorschlag v = vorschlag(Q_, gefaelle, d_.eckig, x, Wmax, Hmax, e_, k_.rho);
    if (!v.ok) return false;
    if (d_.eckig) {
        setzen(d_, t.eina, v.W);
        setzen(d_, t.einb, v.H);
    } else {
        setzen(d_, t.eina, v.H);
    }
    if (istStrecke(d_.typ)) {
        d_.p[0] = v.geschwindigkeit;
        d_.i[4] = gefaelle ? (kanal ? std::trunc(x * 100) : d_.i[4]) : x;
    }
    d_.fehler = fehlerOk;
    return true;
}

void Planer::abhaengige(const tBasisDaten_& t) {
    switch (d_.typ) {
    case typKanal:
    case typRohr: {
        const double A =
            d_.typ == typKanal ? flaeche_eckig(d_.i[0], d_.i[1]) : flaeche_rund(d_.i[0]);
        if (!(A > 0) || !std::isfinite(A)) {
            d_.fehler = fehlerVolumenstrom;
            break;
        }
        const double v = Q_ / 3600 / A;
        d_.p[0] = formatZahl(v, 2);
        if (d_.typ == typKanal && e_.nachGefaelle())
            d_.i[4] = std::trunc(e_.paProM() * 100); // the page shows it as the gradient
        else if (!e_.nachGefaelle())
            // Also a run that took its size from a neighbour: its design velocity is the
            // section's, and the velocity check asks when the size runs faster.
            d_.i[4] = e_.designGeschwindigkeit(klasse());
        else
            d_.i[4] = std::trunc(v) + 1;
        break;
    }
    case typQuerschnittsaenderung:
        if (d_.i[2] > 0 && (!d_.eckig || d_.i[3] > 0)) {
            const double delta =
                d_.eckig ? dhydr(d_.i[0], d_.i[1]) - dhydr(d_.i[2], d_.i[3]) : d_.i[0] - d_.i[2];
            d_.i[5] = querschnittLaenge(delta);
        }
        break;
    case typKanalRohr:
    case typRohrKanal: // the pipe-to-duct piece follows the same rule
        if (d_.i[0] > 0 && d_.i[1] > 0 && d_.i[2] > 0)
            d_.i[5] = uebergangLaenge(std::trunc(dhydr(d_.i[0], d_.i[1])) + d_.i[2]);
        break;
    case typAbzweigreduzierstueck90:
    case typAbzweigreduzierstueckSchraeg:
        // The reducing length from the step between main passage and reduced outlet.
        if (d_.i[4] > 0 && (!d_.eckig || d_.i[5] > 0)) {
            const double delta =
                d_.eckig ? dhydr(d_.i[0], d_.i[1]) - dhydr(d_.i[4], d_.i[5]) : d_.i[0] - d_.i[4];
            d_.i[6] = querschnittLaenge(delta);
        }
        break;
    case typBogen: {
        const double ratio = d_.eckig ? e_.kanalRdh() : e_.rohrRdh();
        const double a = slotWert(d_, t.eina);
        if (a > 0) d_.i[4] = std::trunc(ratio * a);
        break;
    }
    case typBrandschutzklappe:
        d_.i[2] = 0;
        break;
    default:
        break;
    }
}

void Planer::planen(const tBasisDaten_& t) {
    if (t.eckig == formEckig || t.eckig == formUnwichtig)
        d_.eckig = true;
    else if (t.eckig == formRund)
        d_.eckig = false;
    if (!t.planung) d_.planung = false;
    if (!d_.planung) return;
    Q_ = fluss();
    if (Q_ < 0) return;
    d_.fehler = fehlerUnvollstaendig;

    if (t.enden >= 3)
        dreiEnden(t);
    else if (t.mitmasse)
        mitMassen(t);
    if (d_.fehler != fehlerOk && istStrecke(d_.typ)) dimensionieren(t);
    if (!t.mitmasse && t.eckig == formBeides) {
        const Gelenk ein = nachbarGelenk(k_.kat(), node_, true);
        if (ein.ok && ein.form >= 0) d_.eckig = ein.eckig();
        d_.fehler = fehlerOk;
    }
    if (d_.fehler != fehlerOk) return;
    abhaengige(t);
    if (d_.fehler != fehlerOk) return;

    // Determined: out of planning, unless a size it may choose is still open.
    d_.planung = false;
    for (int k = 0; k < anzahlDatSlots; ++k)
        if (t.dat[static_cast<size_t>(k)].min == -3 && hatText(t, k, d_.eckig) &&
            d_.i[static_cast<size_t>(k)] == -1)
            d_.planung = true;
}

} // namespace

void planeBauteil(DVdata& arbeit, tmylistitem* node, int phase, const Rechenkontext& kontext,
                  int abschnittKlasse) {
    DVdata* gespeichert = nodeDaten(node);
    if (!gespeichert) return;
    if (phase != phaseVorbelegen) arbeit = *gespeichert;
    if (const tBasisDaten_* t = kontext.typ(arbeit.typ)) {
        Planer p(arbeit, node, phase, kontext, abschnittKlasse);
        p.planen(*t);
    }
    if (phase == phaseVorbelegen) return;
    *gespeichert = arbeit;
    nachbarpruefung(node, kontext);
    arbeit = *gespeichert;
}

} // namespace zephan
