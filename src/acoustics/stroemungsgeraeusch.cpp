#include "acoustics/stroemungsgeraeusch.h"

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"

namespace zephan {

namespace {

// Options of the outlets that select a maker's model.
constexpr int zuluftTellerventil = 6;
constexpr int zuluftBrandschutzventil = 7;
constexpr int zuluftRevision = 8;
constexpr int abluftTellerventil = 5;
constexpr int abluftBrandschutzventil = 6;
constexpr int abluftRevision = 7;

using Modell = bool (*)(const GeraeuschEingabe&, TPegel&);

bool modellRevision(const GeraeuschEingabe&, TPegel& ergebnis) {
    ergebnis = pegel(0);
    return true;
}

bool modellQuerschnitt(const GeraeuschEingabe& e, TPegel&) {
    e.b.zeile(QStringLiteral("Strömungsgeräusch für Querschnittsänderung"));
    e.b.zeile(QStringLiteral("nicht vorhanden (Abschnitt 6.3)"));
    return true;
}

Modell modellVon(const DVdata& d) {
    switch (d.typ) {
    case typKanal:
    case typRohr:
    case typAufteilstueck:
        return modellKanal;
    case typAussenluftgitter:
    case typFortluftgitter:
        return modellAuslass;
    case typZuluftauslass:
        if (d.tag1 == zuluftTellerventil) return modellTellerventil;
        if (d.tag1 == zuluftBrandschutzventil) return modellBrandschutzventil;
        if (d.tag1 == zuluftRevision) return modellRevision;
        return modellAuslass;
    case typAbluftgitter:
        if (d.tag1 == abluftTellerventil) return modellTellerventil;
        if (d.tag1 == abluftBrandschutzventil) return modellBrandschutzventil;
        if (d.tag1 == abluftRevision) return modellRevision;
        return modellAuslass;
    case typVentilator:
        return modellVentilator;
    case typQuerschnittsaenderung:
        return modellQuerschnitt;
    case typUebergangsbogen:
    case typBogen:
        return modellBogen;
    case typKnie:
        return modellKnie;
    case typAbzweigstueck90:
    case typAbzweigreduzierstueck90:
    case typAbzweigstueckSchraeg:
    case typAbzweigreduzierstueckSchraeg:
    case typKreuzstueck:
    case typAbzweigstueck90Rund:
        return modellAbzweig;
    case typSattelstutzen90:
    case typHosenstueck:
    case typAltSattelstutzenEckig:
        return modellSattelstutzen;
    case typDrosselklappe:
        return modellDrosselklappe;
    case typBrandschutzklappe:
        return modellBrandschutzklappe;
    case typVolumenstromregler:
        return modellVolumenstromregler;
    default:
        return nullptr;
    }
}

// The pressure-loss calculation of the passage on a copy, so the velocity and zeta texts are
// current; the node's own record is put back as it was.
DVdata mitDruckverlust(tmylistitem* node, int seite, const Rechenkontext& kontext, double rho) {
    DVdata* eigen = nodeDaten(node);
    const DVdata gesichert = *eigen;
    const int enden = endenVon(kontext.kat(), gesichert.typ);
    int modus = modusDurchgang;
    if (seite == 1 && enden >= 3) modus = modusAbzweig1;
    if (seite == 2 && enden == 4) modus = modusAbzweig2;
    Rechenkontext still = kontext;
    still.druck = nullptr;
    still.rho = rho;
    DVdata arbeit;
    bauteildruck(modus, node, arbeit, 0, still);
    *eigen = gesichert;
    return arbeit;
}

} // namespace

bool hatStroemungsgeraeusch(int typ) {
    DVdata d;
    d.typ = typ;
    return modellVon(d) != nullptr;
}

double nachbarStrom(const GeraeuschEingabe& e, const tmylistitem* n) {
    if (!n) return 0;
    const int q = e.k.stroeme ? (*e.k.stroeme)[n] : volumenstrom(e.k.kat(), n);
    return q > 0 ? q : 0;
}

TPegel stroemungsgeraeusch(tmylistitem* node, int seite, const Rechenkontext& kontext,
                           const GeraeuschOptionen& o) {
    TPegel ergebnis = pegel(pegelNichtBerechnet);
    const DVdata* eigen = nodeDaten(node);
    if (!eigen) return ergebnis;
    DVdata rec = *eigen;
    if (rec.planung) return ergebnis;
    // A room and a line head are no components: they write nothing.
    if (rec.typ == typRaum || istStrangTyp(rec.typ)) return ergebnis;

    const Geraeuschbericht b(kontext.druck, o.zeilen);
    const tBasisDaten_* kat = kontext.typ(rec.typ);
    if (kat && kat->schall && (rec.schall & 1)) {
        for (size_t k = 0; k < ergebnis.size(); ++k) ergebnis[k] = endlich(rec.sg[k], 0);
        b.zeile(QStringLiteral("Strömungsgeräusch Vorgabe"));
        b.frequenzen();
        b.pegel(QStringLiteral("Vorgabe"), QStringLiteral("dB"), ergebnis);
        b.leer();
        return ergebnis;
    }

    const Modell modell = modellVon(rec);
    if (!modell) {
        b.leer();
        return ergebnis;
    }
    // Only the models that read the velocity and zeta texts or the density need the
    // pressure-loss pass and the line's density; the others read dimensions and flows alone,
    // so they skip both.
    const bool liestTexte =
        modell == modellAuslass || modell == modellKnie || modell == modellDrosselklappe;
    const double rho = liestTexte ? strangDichte(node) : dichteStandard;
    if (liestTexte) rec = mitDruckverlust(node, seite, kontext, rho);

    Rechenblatt& rb = *kontext.rechenblatt;
    const int q = kontext.stroeme ? (*kontext.stroeme)[node] : volumenstrom(kontext.kat(), node);
    const GeraeuschEingabe e{
        node,    rec, seite, q > 0 ? static_cast<double>(q) : 0.0, rho,
        kontext, b,   rb,    o.daten ? *o.daten : schalldaten(),   o.druckpass};
    const bool leerzeile = modell(e, ergebnis);
    bandsEndlich(ergebnis);
    if (leerzeile) b.leer();
    return ergebnis;
}

} // namespace zephan
