// Attenuation of components and rooms (VDI 2081, July 2001, sections 6 and 7): the common
// steps, the duct and bend models and the two table helpers.

#include "acoustics/pegelsenkung.h"

#include "acoustics/daempfung_modelle.h"
#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "network/catalogue.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/duct_hydraulics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QStringBuilder>

namespace zephan {

namespace {

// Closed inspection openings among the outlet options: no open duct end.
constexpr int zuluftRevision = 8;
constexpr int abluftRevision = 7;

// Bend angle options 30° and 15° are read as a short duct.
constexpr int winkel30 = 3;

using Modell = bool (*)(const DaempfungEingabe&, TPegel&);

bool keineDaempfung(const DaempfungEingabe&, TPegel&) {
    return true;
}

bool querschnittsuebergang(const DaempfungEingabe& e, TPegel&) {
    e.b.zeile(QStringLiteral(
        "Pegelsenkung stetiger Querschnittsübergang nicht vorhanden. (Abschnitt 6.3)"));
    return true;
}

Modell modellVon(const DVdata& d) {
    switch (d.typ) {
    case typKanal:
    case typRohr:
    case typAufteilstueck:
        return daempfungKanal;
    case typRaum:
        return daempfungRaum;
    case typZuluftauslass:
        return d.tag1 == zuluftRevision ? nullptr : daempfungMuendung;
    case typAbluftgitter:
        return d.tag1 == abluftRevision ? nullptr : daempfungMuendung;
    case typQuerschnittsaenderung:
        return querschnittsuebergang;
    case typUebergangsbogen:
    case typBogen:
    case typAltBogenRund:
    case typKnie:
        return daempfungUmlenkung;
    case typAbzweigstueck90:
    case typAbzweigreduzierstueck90:
    case typAbzweigstueckSchraeg:
    case typAbzweigreduzierstueckSchraeg:
    case typKreuzstueck:
    case typAbzweigstueck90Rund:
        return daempfungVerzweigung;
    case typSattelstutzen90:
        return daempfungSattelstutzen;
    case typHosenstueck:
        return daempfungHosenstueck;
    case typSchalldaempfer:
        return daempfungSchalldaempfer;
    default:
        return keineDaempfung;
    }
}

double dh(double a, double b) {
    return a > 0 && b > 0 ? dhydr(a, b) : 0;
}

} // namespace

bool hatPegelsenkung(int typ) {
    DVdata d;
    d.typ = typ;
    const Modell m = modellVon(d);
    return m && m != keineDaempfung && m != querschnittsuebergang;
}

TPegel kanaldaempfung(bool eckig, int d, int l, const Schalldaten* daten) {
    const Kanaldaempfungsklasse* klasse = (daten ? *daten : schalldaten()).kanalKlasse(eckig, d);
    if (!klasse) return pegel(pegelNichtBerechnet);
    TPegel p;
    const double meter = std::max(l, 0) / 1000.0;
    for (size_t k = 0; k < p.size(); ++k) p[k] = klasse->proMeter[k] * meter;
    return p;
}

TPegel umlenkdaempfung(bool knie, double fG, QString& zeile, const Schalldaten* daten) {
    const Schalldaten& t = daten ? *daten : schalldaten();
    const std::optional<TPegel>& basis = knie ? t.knieDaempfung : t.bogenDaempfung;
    if (!basis) return pegel(pegelNichtBerechnet);
    TPegel p = *basis;
    int unter = 0;
    while (unter < static_cast<int>(p.size()) && std::numbers::sqrt2 * oktavFrequenzen[unter] < fG)
        ++unter;
    const int s = unter - 1;
    for (int schritt = 0; schritt < s; ++schritt) {
        for (size_t k = p.size() - 1; k > 0; --k) p[k] = p[k - 1];
        p[0] = 0;
    }
    for (int schritt = 0; schritt < -s; ++schritt)
        for (size_t k = 0; k + 1 < p.size(); ++k) p[k] = p[k + 1];
    zeile += QStringLiteral(" Schritte: ") + (s > 0 ? QStringLiteral("+") : QString()) +
             QString::number(s);
    return p;
}

TPegel pegelsenkung(tmylistitem* node, int seite, const Rechenkontext& kontext,
                    const Schalldaten* daten, Pegelzeilen* zeilen) {
    TPegel ergebnis = pegel(pegelNichtBerechnet);
    const DVdata* eigen = nodeDaten(node);
    if (!eigen) return ergebnis;
    const DVdata rec = *eigen;
    if (rec.planung || istStrangTyp(rec.typ)) return ergebnis;

    const Geraeuschbericht b(kontext.druck, zeilen);
    const tBasisDaten_* kat = kontext.typ(rec.typ);
    if (kat && kat->schall && (rec.schall & 2)) {
        for (size_t k = 0; k < ergebnis.size(); ++k) ergebnis[k] = endlich(rec.sd[k], 0);
        b.zeile(QStringLiteral("Dämpfungsvorgabe"));
        b.frequenzen();
        b.pegel(QStringLiteral("Vorgabe"), QStringLiteral("dB"), ergebnis);
        b.leer();
        return ergebnis;
    }

    const Modell modell = modellVon(rec);
    if (!modell) return ergebnis;
    const DaempfungEingabe e{node, rec, seite, kontext, b, daten ? *daten : schalldaten()};
    const bool leerzeile = modell(e, ergebnis);
    bandsEndlich(ergebnis);
    if (leerzeile) b.leer();
    return ergebnis;
}

bool daempfungKanal(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    e.b.zeile(QStringLiteral("Pegelsenkung Kanal (Abschnitt 6.1)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    const double l = d.i[5];
    const double durchmesser = d.eckig ? dh(d.i[0], d.i[1]) : d.i[0];
    if (e.b.an()) {
        const QString laenge =
            QStringLiteral(" [mm];  l: ") + berichtZahl(l, 0) + QStringLiteral(" [mm]");
        if (d.eckig)
            e.b.zeile(QStringLiteral("a:") % berichtZahl(d.i[0], 0) % QStringLiteral(" [mm]; b:") %
                      berichtZahl(d.i[1], 0) % QStringLiteral(" [mm];  d°(sub h°(-sub =") %
                      berichtZahl(durchmesser, 0) % laenge);
        else
            e.b.zeile(QStringLiteral("d:") % berichtZahl(durchmesser, 0) % laenge);
    }
    e.b.frequenzen();
    ergebnis =
        kanaldaempfung(d.eckig, ganz(std::nearbyint(endlich(durchmesser))), ganz(l), &e.daten);
    e.b.werte(QStringLiteral("°(delta L°(sub w°(-sub  °(* l (Tabelle 5)"), QStringLiteral("dB"),
              ergebnis);
    return true;
}

bool daempfungUmlenkung(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const bool knie = d.typ == typKnie;
    e.b.zeile(knie ? QStringLiteral("Pegelsenkung Umlenkung Knie (Abschnitt 6.2)")
                   : QStringLiteral("Pegelsenkung Umlenkung (Abschnitt 6.2)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    const double durchmesser = d.eckig ? dh(d.i[0], d.i[1]) : d.i[0];
    if (e.b.an()) {
        if (d.eckig)
            e.b.zeile(QStringLiteral("a:") % berichtZahl(d.i[0], 0) % QStringLiteral(" [mm]; b:") %
                      berichtZahl(d.i[1], 0) % QStringLiteral(" [mm];   d°(sub h°(-sub =") %
                      berichtZahl(durchmesser, 0) % QStringLiteral(" [mm]"));
        else
            e.b.zeile(QStringLiteral("d:") % berichtZahl(durchmesser, 0) % QStringLiteral(" [mm]"));
    }

    if (knie || d.tag1 < winkel30) {
        QString zeile;
        double fG = 0;
        if (d.eckig) {
            const int a = ganz(std::max({endlich(d.i[0]), endlich(d.i[1]), 1.0}));
            fG = 333 / (2 * a / 1000.0);
            zeile =
                QStringLiteral("größte Seite a: ") + berichtZahl(a, 0) + QStringLiteral(" [mm];  ");
        } else {
            fG = teile(195.138, durchmesser / 1000);
        }
        zeile += QStringLiteral("Gleichung 34: f°(sub G°(-sub  = ") + berichtZahl(fG, 1) +
                 QStringLiteral(" [Hz]");
        ergebnis = umlenkdaempfung(knie, fG, zeile, &e.daten);
        e.b.zeile(QStringLiteral("Winkel °(>=  45°  ") % zeile);
        e.b.frequenzen();
        e.b.pegel(QStringLiteral("°(delta L°(sub w°(-sub  (Tabelle 7+Rotiert)"),
                  QStringLiteral("dB"), ergebnis);
        return true;
    }

    // Below 45° the bend counts as a duct as long as its centre-line arc.
    e.b.zeile(QStringLiteral("Winkel <  45°  °(->  Pegelsenkung Kanal"));
    const double alpha = (d.tag1 == winkel30 ? 30.0 : 15.0) * std::numbers::pi / 180;
    const double l = endlich(alpha * (d.i[0] / 2 + std::max(d.i[4], 0.0)));
    if (e.b.an())
        e.b.zeile(QStringLiteral("l: ") % berichtZahl(ganz(l), 0) % QStringLiteral(" [mm]"));
    e.b.frequenzen();
    ergebnis = kanaldaempfung(d.eckig, ganz(durchmesser), ganz(l), &e.daten);
    e.b.werte(QStringLiteral("°(delta L°(sub w°(-sub  °(* l (Tabelle 5)"), QStringLiteral("dB"),
              ergebnis);
    return true;
}

} // namespace zephan
