#include "pressure/neighbour_check.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "pressure/duct_hydraulics.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

bool formIstEckig(int form) {
    return form == formEckigMass || form == formEckigOhne;
}

bool formMitMassen(int form) {
    return form == formRundMass || form == formEckigMass;
}

class Pruefung {
public:
    Pruefung(const TBasisDatenTabelle& kat, const tmylistitem* node, const DVdata& d,
             const tBasisDaten_& t, int toleranz)
        : kat_(kat), node_(node), d_(d), t_(t), toleranz_(toleranz) {}

    bool abweichend(double x, double y) const { return x - toleranz_ > y || y > x + toleranz_; }

    // The shape the node shows at its inlet; false for a type without a cross-section.
    bool hatForm() const { return t_.eckig >= formRund && t_.eckig <= formBeides; }
    bool erwartetEckig() const {
        return t_.eckig == formEckig || (t_.eckig == formBeides && d_.eckig);
    }

    // Shape only: 6 when the joint's shape is the other one.
    int formPruefen(bool ok, int form, bool eckigErwartet) const {
        if (!ok) return fehlerOk;
        return formIstEckig(form) != eckigErwartet ? fehlerEckigRund : fehlerOk;
    }

    // Shape and dimensions. A joint without dimensions (a fan, a zeta node) or one that could
    // not be determined has nothing to compare with.
    int massPruefen(bool ok, int form, double a, double b, bool eckigErwartet, double na, double nb,
                    bool mitB) const {
        if (!ok) return fehlerOk;
        if (formIstEckig(form) != eckigErwartet) return fehlerEckigRund;
        if (!formMitMassen(form)) return fehlerOk;
        if (abweichend(na, a)) return fehlerMasse;
        if (eckigErwartet && mitB && abweichend(nb, b)) return fehlerMasse;
        return fehlerOk;
    }

    void nachbar(bool eintritt, double& a, double& b, int& form, bool& ok) const {
        a = b = -1;
        form = formUnbestimmt;
        ok = anschlussNachbar(kat_, node_, eintritt, a, b, form);
    }

    // Types without dimensions, or plannable types in planning: shapes only.
    int nurFormen(bool inPlanung) const {
        if (!hatForm()) return fehlerOk;
        const bool erwartet = erwartetEckig();
        const bool planForm2 = inPlanung && t_.eckig == formBeides;
        double a, b;
        int form;
        bool ok;
        if (t_.davorchk && !planForm2) {
            nachbar(true, a, b, form, ok);
            if (int f = formPruefen(ok, form, erwartet)) return f;
        }
        if (t_.danachchk && !planForm2) {
            nachbar(false, a, b, form, ok);
            if (int f = formPruefen(ok, form, t_.eckigwechsel ? !erwartet : erwartet)) return f;
        }
        if (t_.enden == 3 && t_.danachchk && !inPlanung) {
            a = b = -1;
            form = formUnbestimmt;
            ok = anschluss(kat_, node_->getChild(), true, a, b, form);
            if (int f = formPruefen(ok, form, t_.eckigwechsel ? !erwartet : erwartet)) return f;
        }
        return fehlerOk;
    }

    // Types with dimensions, not in planning: shapes and dimensions at every joint.
    int mitMassen() const {
        if (!hatForm()) return fehlerOk;
        const bool erwartet = erwartetEckig();
        double a, b;
        int form;
        bool ok;

        nachbar(true, a, b, form, ok);
        if (int f = massPruefen(ok, form, a, b, erwartet, wertSlot(d_, t_.eina),
                                wertSlot(d_, t_.einb), true))
            return f;

        nachbar(false, a, b, form, ok);
        const bool ausEckig = (t_.eckigwechsel && t_.enden < 3) ? !erwartet : erwartet;
        double na, nb;
        bool mitB;
        if (t_.ausa >= 0) {
            na = wertSlot(d_, t_.ausa);
            nb = wertSlot(d_, t_.ausb);
            mitB = t_.ausb >= 0;
        } else {
            na = wertSlot(d_, t_.eina);
            nb = wertSlot(d_, t_.einb);
            mitB = true;
        }
        if (int f = massPruefen(ok, form, a, b, ausEckig, na, nb, mitB)) return f;

        if (t_.enden >= 3) {
            const bool abzEckig = erwartet && !t_.eckigwechsel;
            if (t_.abza >= 0) {
                na = wertSlot(d_, t_.abza);
                nb = wertSlot(d_, t_.abzb);
                mitB = t_.abzb >= 0;
            } else {
                na = wertSlot(d_, t_.eina);
                nb = wertSlot(d_, t_.einb);
                mitB = true;
            }
            const tmylistitem* kind = node_->getChild();
            const tmylistitem* ketten[2] = {kind, nullptr};
            if (t_.enden == 4) {
                // A cross: the first node of each branch chain below its two branch nodes.
                const tmylistitem* zweig2 = kind ? kind->getNextSibling() : nullptr;
                ketten[0] = kind ? kind->getChild() : nullptr;
                ketten[1] = zweig2 ? zweig2->getChild() : nullptr;
            }
            for (const tmylistitem* k : ketten) {
                if (!k) continue;
                a = b = -1;
                form = formUnbestimmt;
                ok = anschluss(kat_, k, true, a, b, form);
                if (int f = massPruefen(ok, form, a, b, abzEckig, na, nb, mitB)) return f;
            }
        }
        return fehlerOk;
    }

private:
    const TBasisDatenTabelle& kat_;
    const tmylistitem* node_;
    const DVdata& d_;
    const tBasisDaten_& t_;
    int toleranz_;
};

} // namespace

NachbarEinstellungen nachbarEinstellungen(const Einstellungen& einstellungen) {
    NachbarEinstellungen e;
    e.toleranz = std::clamp(einstellungen.abweichung(), 0, 10);
    e.auslegung = einstellungen.auslegung();
    return e;
}

int nachbarZustand(const tmylistitem* node, DVdata& d, const NachbarEinstellungen& einst,
                   const Rechenkontext& kontext) {
    const tBasisDaten_* t = kontext.typ(d.typ);
    const Volumenstroeme* stroeme = kontext.stroeme;
    if (!vollstaendig(kontext.kat(), d) || !t) return d.fehler;
    d.fehler = fehlerOk;
    const Pruefung p(kontext.kat(), node, d, *t, einst.toleranz);
    const bool inPlanung = t->planung && d.planung;
    if (!t->mitmasse || inPlanung)
        d.fehler = p.nurFormen(inPlanung);
    else
        d.fehler = p.mitMassen();

    if (d.fehler == fehlerOk && !d.planung && einst.auslegung == 0) {
        const auto fluss = [&](const tmylistitem* n) {
            return stroeme ? (*stroeme)[n] : volumenstrom(kontext.kat(), n);
        };
        if (d.typ == typKanal || d.typ == typRohr) {
            const double Q = fluss(node);
            const double A =
                d.typ == typKanal ? flaeche_eckig(d.i[0], d.i[1]) : flaeche_rund(d.i[0]);
            if (Q < 0) d.fehler = fehlerVolumenstrom;
            // No design velocity given (-1): nothing to exceed.
            else if (A > 0 && d.i[4] > 0 && Q / 3600 / A > d.i[4])
                d.fehler = fehlerGeschwindigkeit;
        } else if ((d.typ == typSchalldaempfer && d.tag1 != 0) || d.typ == typBrandschutzklappe) {
            const double Q = fluss(node);
            const double A = d.eckig ? flaeche_eckig(d.i[0], d.i[1]) : flaeche_rund(d.i[0]);
            if (A != 0 && std::isfinite(A) && Q >= 0) d.p[0] = formatZahl(Q / 3600 / A, 2);
        }
    }
    return d.fehler;
}

int nachbarpruefung(tmylistitem* node, const NachbarEinstellungen& einst,
                    const Rechenkontext& kontext) {
    DVdata* gespeichert = nodeDaten(node);
    if (!gespeichert) return -1;
    DVdata d = *gespeichert;
    nachbarZustand(node, d, einst, kontext);
    *gespeichert = d;
    nodeRefresh(kontext.kat(), node);
    return d.fehler;
}

int nachbarpruefung(tmylistitem* node, const Rechenkontext& kontext) {
    return nachbarpruefung(node, nachbarEinstellungen(kontext.settings()), kontext);
}

} // namespace zephan
