#include "pressure/component_pressure.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/component_rule.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/fitting_rules.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zephan {

namespace {

using Art = RegelErgebnis::Art;

bool istGeraet(int typ) {
    return (typ >= typAussenluftgitter && typ <= typAbluftgitter) || typ == typSchalldaempfer ||
           typ == typBrandschutzklappe;
}

class Fluesse {
public:
    explicit Fluesse(const Rechenkontext& k) : k_(k) {}
    double operator()(const tmylistitem* n) const {
        if (!n) return -1;
        return k_.stroeme ? (*k_.stroeme)[n] : volumenstrom(k_.kat(), n);
    }
    const TBasisDatenTabelle& kat() const { return k_.kat(); }

private:
    const Rechenkontext& k_;
};

// The "Volumenstrom" point right before a node, or null.
const DVdata* volumenstromDavor(const tmylistitem* node) {
    const DVdata* v = nodeDaten(node->getPrevSibling());
    return v && v->typ == typVolumenstrom ? v : nullptr;
}

struct Stroeme {
    double Q = -1;
    double QD = 1;
    double QA1 = 1;
    double QA2 = 1;
};

Stroeme stroemeImBaum(const tmylistitem* node, int modus, int enden, const Fluesse& fluss,
                      const Rechenkontext& kontext) {
    Stroeme s;
    if (enden == 3) {
        s.QD = fluss(node->getNextSibling());
        s.QA1 = fluss(node->getChild());
        if (const DVdata* v = volumenstromDavor(node)) {
            s.Q = kontext.strom(node->getPrevSibling(), v->i[0]);
            if (modus == modusDurchgang)
                s.QA1 = std::max(0.0, s.Q - s.QD);
            else
                s.QD = std::max(0.0, s.Q - s.QA1);
        } else {
            s.Q = s.QD + s.QA1;
        }
    } else if (enden == 4) {
        // Two branch containers (type 5), each holding its branch chain.
        const tmylistitem* zweig1 = node->getChild();
        const tmylistitem* zweig2 = zweig1 ? zweig1->getNextSibling() : nullptr;
        s.QD = fluss(node->getNextSibling());
        s.QA1 = fluss(zweig1 ? zweig1->getChild() : nullptr);
        s.QA2 = fluss(zweig2 ? zweig2->getChild() : nullptr);
        if (const DVdata* v = volumenstromDavor(node)) {
            s.Q = kontext.strom(node->getPrevSibling(), v->i[0]);
            if (modus == modusDurchgang) {
                if (s.Q - s.QD <= 0)
                    s.QA1 = s.QA2 = 1;
                else
                    s.QA1 = s.QA2 = (s.Q - s.QD) / 2;
            } else if (modus == modusAbzweig1) {
                if (s.Q - s.QA1 <= 0) {
                    s.QD = s.QA2 = 1;
                } else if (s.Q - s.QA1 > s.QD) {
                    s.QA2 = std::max(1.0, s.Q - s.QA1 - s.QD);
                } else {
                    s.QD = s.Q - s.QA1;
                    s.QA2 = 1;
                }
            } else {
                if (s.Q - s.QA2 <= 0) {
                    s.QD = s.QA1 = 1;
                } else if (s.Q - s.QA2 > s.QD) {
                    s.QA1 = s.Q - s.QA2 - s.QD;
                } else {
                    s.QD = s.Q - s.QA2;
                    s.QA1 = 1;
                }
            }
        } else {
            s.Q = s.QD + s.QA1 + s.QA2;
        }
    } else {
        s.Q = fluss(node);
    }
    return s;
}

// Area [m²] of a joint as `anschluss` describes it; 1 m² where it has no section.
double anschlussFlaeche(int form, double a, double b) {
    double A = 1;
    if (form == formRundMass)
        A = flaeche_rund(a);
    else if (form == formEckigMass)
        A = flaeche_eckig(a, b);
    return std::isfinite(A) && A > 0 ? A : 1;
}

// The fan adds the dynamic pressure at its connection to its own loss.
double ventilator(const tmylistitem* node, DVdata& rec, double ergebnis, const Fluesse& fluss,
                  TDruck& doc, double rho) {
    double a = -1, b = -1;
    int form = formUnbestimmt;
    double A = 1;
    double Qf;
    const tmylistitem* vor = node ? node->getPrevSibling() : nullptr;
    const tmylistitem* nach = node ? node->getNextSibling() : nullptr;
    if (vor && anschluss(fluss.kat(), vor, false, a, b, form)) {
        Qf = fluss(vor);
        A = anschlussFlaeche(form, a, b);
    } else {
        Qf = fluss(nach);
        b = -1;
        if (nach && anschluss(fluss.kat(), nach, true, a, b, form))
            A = anschlussFlaeche(form, a, b);
    }
    if (Qf < 0) Qf = 0; // unknown flow
    rec.p[0] = formatZahl(Qf / 3600 / A, 2);
    const double v = leseZahl(rec.p[0], nullptr, 0);
    const double pd = v * v * rho * 0.5;
    doc.add(ventilatorZeileGeraet(ergebnis));
    doc.add(ventilatorZeileDynamisch(pd));
    // The fan's i[4] belongs to the network calculation (the external pressure the fan has to
    // deliver); the internal loss is only this result.
    return ergebnis + pd;
}

} // namespace

QString ventilatorZeileGeraet(double dp) {
    return QStringLiteral("Druckverlust Gerät °(delta p°(colsub int°(col-sub :  ") +
           formatZahl(dp, 1) + QStringLiteral(" Pa");
}

QString ventilatorZeileDynamisch(double pd) {
    return QStringLiteral("      dynamisch °(delta p°(colsub dyn°(col-sub :  ") +
           formatZahl(pd, 1) + QStringLiteral(" Pa");
}

namespace {

// The calculation of a passage; `knoten` is the node's record as the caller keeps it: read
// first and given the results back (the tree's own record, or a copy the caller holds).
double rechnen(int modus, const tmylistitem* node, DVdata& rec, double Q,
               const Rechenkontext& kontext, DVdata* knoten) {
    if (modus < modusDatensatz || modus > modusAbzweig2) return keinErgebnis;
    // Without a report the rules write into a document that records nothing.
    thread_local TDruck keinBericht;
    keinBericht.drucken = false;
    TDruck& doc = kontext.druck ? *kontext.druck : keinBericht;
    const double rho = kontext.rho > 0 ? kontext.rho : dichteStandard;
    const Fluesse fluss(kontext);

    // --- preparation
    double ergebnis = keinErgebnis;
    // The node's state code comes with its record; the node's own record must not lose it
    // before the check for an incomplete record below.
    if (knoten != &rec) rec.fehler = 0;
    bool zuluft;
    Stroeme s;
    bool flussUnbekannt = false;
    if (modus == modusDatensatz) {
        zuluft = !(Q < 0);
        s.Q = std::isfinite(Q) ? std::fabs(Q) : 0;
    } else {
        if (!knoten) return keinErgebnis;
        if (knoten != &rec) rec = *knoten;
        zuluft = istZuluft(node);
        const tBasisDaten_* kat = kontext.typ(rec.typ);
        const int enden = kat ? kat->enden : 0;
        s = stroemeImBaum(node, modus, enden, fluss, kontext);
        // -1 is an outlet without flow somewhere downstream.
        flussUnbekannt =
            !(s.Q >= 0) || (enden >= 3 && (s.QD < 0 || s.QA1 < 0)) || (enden == 4 && s.QA2 < 0);
    }
    const tBasisDaten_* kat = kontext.typ(rec.typ);

    // Early ends: the node keeps its record as it is.
    if (rec.typ == typRaum && rec.planung) return rec.i[1];
    if (rec.fehler == fehlerUnvollstaendig) return keinErgebnis;
    if (kat && kat->planung && rec.planung) return keinErgebnis;

    // A flow of exactly 0 m³/h is taken as 1 m³/h, so every flow ratio stays defined.
    for (double* q : {&s.Q, &s.QD, &s.QA1, &s.QA2})
        if (*q == 0) *q = 1;

    // --- type rule
    // Set as soon as a rule has fixed the loss itself: the tail must not replace it with a
    // loss from the velocity and zeta texts.
    bool ergebnisGesetzt = false;
    // The velocity and zeta the rule found before they were rounded to their texts.
    double vGenau = std::numeric_limits<double>::quiet_NaN();
    double zetaGenau = vGenau;
    if (rec.vorgabe == 0 && rec.typ <= typVolumenstromregler) {
        const QString altV = rec.p[0];
        const QString altZeta = rec.p[1];
        RegelErgebnis r;
        if (flussUnbekannt && hatTypRegel(rec.typ)) {
            doc.add(regeltext::flussUnbekannt);
            r = {Art::Stopp, keinErgebnis};
        } else {
            RegelEingabe e{rec, modus, zuluft, s.Q, s.QD, s.QA1, s.QA2, rho, doc, kontext};
            r = istGeraet(rec.typ) ? geraeteRegel(e) : formstueckRegel(e);
            vGenau = e.vGenau;
            zetaGenau = e.zetaGenau;
        }
        if (r.art == Art::Stopp) {
            // A stopped rule is not copied into the node. The work record keeps what the rule
            // stored (a silencer's velocity beside its loss, which the callers read), unless it
            // is the node's own record.
            if (knoten == &rec) {
                rec.p[0] = altV;
                rec.p[1] = altZeta;
            }
            return std::isfinite(r.dp) ? r.dp : keinErgebnis;
        }
        if (r.art == Art::DpRegel) {
            ergebnis = std::isfinite(r.dp) ? std::max(0.0, r.dp) : keinErgebnis;
            if (!std::isfinite(r.dp)) doc.add(regeltext::nichtBerechenbar);
            ergebnisGesetzt = true;
        }
    }

    // --- tail
    if (rec.typ == typRaum) {
        ergebnis = rec.i[1];
    } else if (rec.vorgabe == 1 || (rec.vorgabe == 0 && kat && kat->vorgabe == 4)) {
        ergebnis = rec.i[6];
    } else if (rec.typ >= typZetawert && rec.typ <= typLetzteKomponente && !ergebnisGesetzt) {
        bool okV = false, okZeta = false;
        double v = leseZahl(rec.p[0], &okV);
        double zeta = leseZahl(rec.p[1], &okZeta);
        if (kontext.ungerundet) {
            if (okV && std::isfinite(vGenau)) v = vGenau;
            if (okZeta && std::isfinite(zetaGenau)) zeta = zetaGenau;
        }
        if (okV && okZeta) {
            ergebnis = zetadruck(v, zeta, &doc, rho);
        } else {
            doc.add(regeltext::zetaFehlt);
            ergebnis = keinErgebnis;
        }
    }
    if (!std::isfinite(ergebnis)) {
        doc.add(regeltext::nichtBerechenbar);
        ergebnis = keinErgebnis;
    }
    if (rec.typ == typVentilator && ergebnis > -999)
        ergebnis = ventilator(node, rec, ergebnis, fluss, doc, rho);

    if (knoten && knoten != &rec) *knoten = rec;
    return ergebnis;
}

} // namespace

double bauteildruck(int modus, tmylistitem* node, DVdata& rec, double Q,
                    const Rechenkontext& kontext) {
    DVdata* knoten = modus == modusDatensatz ? nullptr : nodeDaten(node);
    if (modus != modusDatensatz && !knoten) return keinErgebnis;
    return rechnen(modus, node, rec, Q, kontext, knoten);
}

double bauteildruckAuf(int modus, const tmylistitem* node, DVdata& stand, DVdata& rec,
                       const Rechenkontext& kontext) {
    if (modus == modusDatensatz || !node) return keinErgebnis;
    return rechnen(modus, node, rec, 0, kontext, &stand);
}

} // namespace zephan
