// Flow noise of fittings: bends (VDI 2081 section 5.2.2), knees, branch fittings and saddle
// and trouser pieces (section 6.3.2).

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/umlenkgeraeusch.h"
#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "network/tree_container.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/titelzahl.h"
#include "store/number_format.h"

#include <QStringBuilder>

namespace zephan {

namespace {

// Angle options of bends from 30° down: treated as a straight duct.
constexpr int winkelKlein = 3;
// Branch velocity taken when the branch carries no flow.
constexpr double vaBoden = 0.01; // m/s
// A knee without flow is taken at this velocity.
constexpr double vBoden = 0.001; // m/s
// Table of the knee chart L_p* over a/b and Str.
constexpr int tabelleKnie = 150;

QString mm(double x) {
    return berichtZahl(x, 0) + QStringLiteral(" [mm]");
}

void oktavleistung(const Geraeuschbericht& b, const TPegel& p) {
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub"), QStringLiteral("dB"), p);
}

} // namespace

bool modellBogen(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    const bool uebergang = d.typ == typUebergangsbogen;
    const bool eckig = d.eckig || uebergang;
    b.zeile(QStringLiteral("Strömungsgeräusch für Umlenkung (Abschnitt 5.2.2)"));
    b.zeile(QStringLiteral("Vorgabe:"));
    const double da = eckig ? gleichwertigerDurchmesser(d.i[0], d.i[1]) : d.i[0];
    if (b.an()) {
        QString z;
        if (eckig) {
            z = QStringLiteral("a:") + mm(d.i[0]) + QStringLiteral("; b:") + mm(d.i[1]) +
                QStringLiteral(";  ");
            if (uebergang)
                z += QStringLiteral("a°(sub a°(-sub  : ") + mm(d.i[2]) +
                     QStringLiteral("; b°(sub a°(-sub : ") + mm(d.i[3]) + QStringLiteral(";  ");
        }
        b.zeile(z % QStringLiteral("d°(sub a°(-sub : ") % mm(da));
    }
    const double S = eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
    double v = 0, r = 1;
    if (uebergang) {
        const double vh = teile(e.V / 3600, S);
        const double va = teile(e.V / 3600, rechteckflaeche(d.i[2], d.i[3]));
        r = teile(vh, va);
        if (b.an())
            b.zeile(QStringLiteral("v°(sub h°(-sub : ") % berichtZahl(vh, 1) %
                    QStringLiteral("; v°(sub a°(-sub  : ") % berichtZahl(va, 1) %
                    QStringLiteral(" [m/s];  v°(sub h°(-sub /v°(sub a°(-sub  = ") %
                    berichtZahl(r, 2) % QStringLiteral(";   Abrundungsradius: 40 [mm]"));
        v = vh;
    } else {
        v = teile(e.V / 3600, S);
        if (b.an())
            b.zeile(QStringLiteral("v°(sub a °(-sub : ") % berichtZahl(v, 1) %
                    QStringLiteral(" [m/s];  v°(sub h°(-sub /v°(sub a°(-sub = ") %
                    berichtZahl(r, 2) % QStringLiteral(";   Abrundungsradius: 40 [mm]"));
    }
    if (d.tag1 < winkelKlein) {
        b.zeile(QStringLiteral("Winkel °(>=  45°"));
        ergebnis = umlenkgeraeusch(da, v, r, b, e.rb);
        oktavleistung(b, ergebnis);
        return true;
    }
    b.zeile(QStringLiteral("Winkel < 45°  °(->  Strömungsgeräusch für Kanäle"));
    if (b.an()) b.zeile(QStringLiteral("S= ") % berichtZahl(S, 3) % QStringLiteral(" [m²]"));
    if (v <= 0) {
        b.zeile(QStringLiteral("v=0 [m/s]"));
        ergebnis = pegel(0);
        return true;
    }
    b.frequenzen();
    ergebnis = kanalSpektrum(v, S, b, e.rb);
    return true;
}

bool modellKnie(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    b.zeile(QStringLiteral("Strömungsgeräusch für Knie"));
    b.zeile(QStringLiteral("Vorgabe:"));
    const double dm = gleichwertigerDurchmesser(d.i[0], d.i[1]) / 1000;
    double v = endlich(leseZahl(d.p[0], nullptr, 0));
    if (b.an()) {
        b.zeile(QStringLiteral("a: ") % mm(d.i[0]) % QStringLiteral(";  b:") % mm(d.i[1]) %
                QStringLiteral("; d=") % berichtZahl(dm, 3) % QStringLiteral(" [m];  v:") %
                berichtZahl(v, 1) % QStringLiteral(" [m/s]"));
        b.zeile(QStringLiteral("Abrundungsradius: 0 [mm],  Winkel 90°"));
    }
    if (v <= 0) v = vBoden;
    b.frequenzen();
    TPegel& lp = e.rb[1];
    TPegel& str = e.rb[2];
    TPegel& stern = e.rb[3];
    const float seiten = static_cast<float>(teile(d.i[0], d.i[1]));
    titelzahli* tabellen = e.k.tabellen;
    for (int k = 0; k < 8; ++k) {
        lp[k] = 10 * lg(bandbreiten[k]) + 30 * lg(dm) + 50 * lg(v);
        str[k] = oktavFrequenzen[k] * dm / v;
        stern[k] = k < bandAnzahl
                       ? endlich(tabellen->erg(tabelleKnie, seiten, static_cast<float>(str[k])))
                       : pegelNichtBerechnet;
    }
    b.pegel(QStringLiteral("L°(sub p°(-sub  =10 lg °(delta f+30 lg dm + 50 lg v"),
            QStringLiteral("dB"), lp);
    b.werte(QStringLiteral("Str=f°(sub m°(-sub  °(* d/v"), QStringLiteral("-"), str);
    b.pegel(QStringLiteral("L°(sub p*°(-sub  aus Bild"), QStringLiteral("dB"), stern);
    ergebnis = pegel(pegelNichtBerechnet);
    addiere(lp, stern, ergebnis);
    bandsEndlich(ergebnis);
    oktavleistung(b, ergebnis);
    return true;
}

bool modellAbzweig(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    if (e.seite < 0) return true;
    const bool rund39 = d.typ == typAbzweigstueck90Rund;
    const bool reduziert =
        d.typ == typAbzweigreduzierstueck90 || d.typ == typAbzweigreduzierstueckSchraeg;
    const bool eckigerAbzweig = d.eckig && !rund39;
    const double da = eckigerAbzweig ? gleichwertigerDurchmesser(d.i[2], d.i[3]) : d.i[2];
    const double S2 = d.eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
    const double Sa = eckigerAbzweig ? rechteckflaeche(d.i[2], d.i[3]) : kreisflaeche(d.i[2]);
    const double S1 =
        reduziert ? (d.eckig ? rechteckflaeche(d.i[4], d.i[5]) : kreisflaeche(d.i[4])) : S2;
    const double vh = teile(e.V / 3600, S2);
    // The branch's flow: a cross holds its branches in two containers.
    const tmylistitem* a = nullptr;
    const tBasisDaten_* kat = e.k.typ(d.typ);
    const tmylistitem* n = e.knoten;
    if (kat && kat->enden == 4) {
        const tmylistitem* behaelter = n ? n->getNext() : nullptr;
        if (e.seite != 1 && behaelter) behaelter = behaelter->getNextSibling();
        a = behaelter ? behaelter->getNext() : nullptr;
    } else {
        a = n ? n->getNext() : nullptr;
    }
    double va = teile(nachbarStrom(e, a) / 3600, Sa);
    if (va <= 0) va = vaBoden;
    const double r = teile(vh, va);
    if (e.seite == 0) {
        b.zeile(QStringLiteral("Strömungsgeräusch für Verzweigung (Abschnitt 6.3.2)"));
        b.zeile(QStringLiteral("Vorgabe:"));
        if (b.an()) {
            if (eckigerAbzweig)
                b.zeile(QStringLiteral("a : ") % mm(d.i[2]) % QStringLiteral("; b : ") %
                        mm(d.i[3]));
            b.zeile(QStringLiteral("d°(sub a°(-sub : ") % mm(da));
            b.zeile(QStringLiteral("v°(sub h°(-sub : ") % berichtZahl(vh, 1) %
                    QStringLiteral(" [m/s];   v°(sub a°(-sub : ") % berichtZahl(va, 1) %
                    QStringLiteral(" [m/s];   v°(sub h°(-sub /v°(sub a°(-sub =") %
                    berichtZahl(r, 3));
            b.zeile(QStringLiteral("S°(sub a°(-sub : ") % berichtZahl(Sa, 4) %
                    QStringLiteral(" [m²];  S°(sub 1°(-sub : ") % berichtZahl(S1, 4) %
                    QStringLiteral(" [m²];  S°(sub 2°(-sub : ") % berichtZahl(S2, 4) %
                    QStringLiteral(" [m²]"));
            b.zeile(QStringLiteral("Abrundungsradius: 40 [mm]"));
            b.leer();
        }
        const TPegel umlenkung = umlenkgeraeusch(da, va, r, b, e.rb);
        e.rb[1] = umlenkung;
        const double verzweigung = teile(S1, S1 + S2);
        const double m = teile(Sa, S1 + S2);
        setzen(e.rb[2], ganz(10 * lg(verzweigung)));
        setzen(e.rb[3], ganz(10 * lg(teile((1 + m) * (1 + m), 4 * m))));
        if (b.an()) {
            b.pegel(QStringLiteral("S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )=") +
                        berichtZahl(verzweigung, 2) + QStringLiteral(" Verzweigung"),
                    QStringLiteral("-"), e.rb[2]);
            b.pegel(QStringLiteral("S°(sub a°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )=") +
                        berichtZahl(m, 2) + QStringLiteral(" Querschnittsprung"),
                    QStringLiteral("-"), e.rb[3]);
        }
        ergebnis = e.rb.zeilensumme(1, 3);
    } else {
        b.zeile(QStringLiteral("Strömungsgeräusch für Abzweig (Abschnitt 6.3.2)"));
        b.zeile(QStringLiteral("Vorgabe:"));
        if (b.an()) {
            if (eckigerAbzweig)
                b.zeile(QStringLiteral("a  : ") % mm(d.i[2]) % QStringLiteral(";  b  : ") %
                        mm(d.i[3]));
            b.zeile(QStringLiteral("d°(sub a°(-sub= ") % mm(da));
            b.zeile(QStringLiteral("v°(sub h°(-sub : ") % berichtZahl(vh, 1) %
                    QStringLiteral(" [m/s];  v°(sub a°(-sub : ") % berichtZahl(va, 1) %
                    QStringLiteral(" [m/s];  v°(sub h°(-sub /v°(sub a°(-sub : ") %
                    berichtZahl(r, 3));
            b.zeile(QStringLiteral("Abrundungsradius:  40 [mm]"));
        }
        ergebnis = umlenkgeraeusch(da, va, r, b, e.rb);
    }
    bandsEndlich(ergebnis);
    oktavleistung(b, ergebnis);
    return true;
}

bool modellSattelstutzen(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    b.zeile(QStringLiteral("Strömungsgeräusch für Abzweige (Abschnitt 6.3.2)"));
    if (d.typ == typHosenstueck) b.zeile(QStringLiteral("Vorgabe:"));
    double da, S2, Sa;
    if (d.eckig) {
        da = gleichwertigerDurchmesser(d.i[2], d.i[3]);
        S2 = rechteckflaeche(d.i[0], d.i[1]);
        Sa = rechteckflaeche(d.i[2], d.i[3]);
    } else {
        da = d.i[2];
        S2 = kreisflaeche(d.i[0]);
        Sa = kreisflaeche(d.i[2]);
    }
    const double vh = teile(e.V / 3600, S2);
    double va = teile(nachbarStrom(e, e.knoten ? e.knoten->getNext() : nullptr) / 3600, Sa);
    if (va <= 0) va = vaBoden;
    const double r = teile(vh, va);
    if (b.an()) {
        b.zeile(QStringLiteral("d°(sub a°(-sub  = ") % mm(da));
        b.zeile(QStringLiteral("v°(sub h°(-sub  : ") % berichtZahl(vh, 1) %
                QStringLiteral(" [m/s]; v°(sub a°(-sub : ") % berichtZahl(va, 1) %
                QStringLiteral(" [m/s];  v°(sub h°(-sub /v°(sub a°(-sub = ") % berichtZahl(r, 3));
        b.zeile(QStringLiteral("Abrundungsradius: 40 [mm]"));
    }
    ergebnis = umlenkgeraeusch(da, va, r, b, e.rb);
    oktavleistung(b, ergebnis);
    return true;
}

} // namespace zephan
