// Flow noise of grilles and outlets: the general air outlet (VDI 2081 section 5.2.3), the Trox
// disc valves LV and FV-K90 / FVZ-K30 from the maker's data, and the closed inspection
// opening.
//
// i[3] of an outlet is the flow of all outlets of its room and i[4] their number: the maker's
// data and the formulas are evaluated for one device and 10 lg n is added.

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "bands/kurve.h"
#include "bands/rechenblatt.h"
#include "network/type_codes.h"
#include "store/number_format.h"

#include <QStringBuilder>

namespace zephan {

namespace {

// Number of outlets in the room; the catalogue's minimum is 1.
double anzahl(const DVdata& d) {
    return d.i[4] >= 1 && std::isfinite(d.i[4]) ? std::trunc(d.i[4]) : 1;
}

// Flow of one outlet [m³/h].
double einzelstrom(const GeraeuschEingabe& e) {
    return teile(e.V, anzahl(e.rec));
}

// The surcharge of n outlets as row 4, added to the result; nothing for one outlet.
void mehrereAuslaesse(const GeraeuschEingabe& e, double n, TPegel& ergebnis) {
    if (n <= 1) return;
    TPegel& z = e.rb[4];
    setzen(z, 10 * lg(n));
    if (e.b.an())
        e.b.pegel(QStringLiteral("Anzahl im Raum:") + berichtZahl(n, 0), QStringLiteral("dB"), z);
    addiere(ergebnis, z, ergebnis);
}

TKurve kurveAus(const std::vector<Kurvenstuetze>& punkte, int typ) {
    TKurve k(typ);
    for (const Kurvenstuetze& p : punkte) k.Add(static_cast<float>(p.x), static_cast<float>(p.y));
    return k;
}

} // namespace

bool modellAuslass(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    b.zeile(QStringLiteral("Strömungsgeräusch für Luftdurchlaß (Abschnitt 5.2.3)"));
    b.zeile(QStringLiteral("Vorgabe:"));
    const double S = d.eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
    if (b.an()) b.zeile(QStringLiteral("S   : ") % berichtZahl(S, 3) % QStringLiteral(" [m²]"));
    const double n = anzahl(d);
    TPegel& lw = e.rb[1];
    double v = 0, zeta = 0;
    if (d.vorgabe == 0 || d.vorgabe == -1) {
        v = endlich(leseZahl(d.p[0], nullptr, 0));
        zeta = endlich(leseZahl(d.p[1], nullptr, 0));
        if (b.an())
            b.zeile(QStringLiteral("v   : ") % berichtZahl(v, 1) %
                    QStringLiteral(" [m/s];    °(zeta : ") % berichtZahl(zeta, 3) %
                    QStringLiteral(" [], Anzahl im Raum:") % berichtZahl(n, 0));
        // No velocity or no loss: no noise (a negative text is a value not given).
        if (v <= 0 || zeta <= 0) return false;
        b.frequenzen();
        setzen(lw, aufrunden(10 + 60 * lg(v) + 25 * lg(zeta) + 10 * lg(S)));
        b.pegel(QStringLiteral("L°(sub w°(-sub =10+60 lg v+25 lg °(Zeta +10 lg S (Gl. 19)"),
                QStringLiteral("dB"), lw);
    } else {
        const double dpt = endlich(d.i[6]);
        if (b.an())
            b.zeile(QStringLiteral("Gesamtdruckverlust: ") % berichtZahl(dpt, 1) %
                    QStringLiteral(" [Pa], Anzahl im Raum:") % berichtZahl(n, 0));
        const double q = einzelstrom(e);
        v = teile(q / 3600, S);
        zeta = v > 0 && dpt > 0 ? endlich(2 * dpt / (v * v) / e.rho) : 0;
        b.frequenzen();
        setzen(lw, zeta > 0 ? aufrunden(-19 + 10 * lg(q / 3600) - 10 * lg(v) + 30 * lg(dpt)) : 0);
        b.pegel(QStringLiteral("L°(sub w°(-sub =-19+10 lg °.V - 10 lg v + 30 lg °(delta "
                               "p°(sub t°(-sub  (Gl. 21)"),
                QStringLiteral("dB"), lw);
        if (zeta <= 0) {
            ergebnis = pegel(pegelAbgebrochen);
            b.pegel(QStringLiteral("Abbruch. Oktavleistungspegel L°(sub w,okt°(-sub"),
                    QStringLiteral("dB"), ergebnis);
            return true;
        }
    }
    TPegel& x = e.rb[2];
    TPegel& dl = e.rb[3];
    const TKurve bild19 = kurveAus(e.daten.bild19, TKurve::logX);
    for (int k = 0; k < 8; ++k) {
        x[k] = teile(oktavFrequenzen[k], v * zeta);
        dl[k] = ganz(bild19.wert(static_cast<float>(x[k])));
    }
    b.pegel(QStringLiteral("f°(sub m°(-sub /(v°(* °(zeta )"), QStringLiteral("1/m"), x);
    b.pegel(QStringLiteral("Relatives Frequenzspektrum (Bild 19)"), QStringLiteral("dB"), dl);
    ergebnis = pegel(pegelNichtBerechnet);
    addiere(lw, dl, ergebnis);
    mehrereAuslaesse(e, n, ergebnis);
    bandsEndlich(ergebnis);
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub"), QStringLiteral("dB"),
            ergebnis);
    return true;
}

bool modellTellerventil(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    const bool zuluft = d.typ == typZuluftauslass;
    const int dn = ganz(d.i[0]);
    const TellerventilDaten* t = e.daten.tellerventil(zuluft, dn);
    if (!t) return false;
    const double n = anzahl(d);
    const double q = einzelstrom(e);
    const double lwa = std::max(10.0, endlich(t->lwa(q), 10));
    if (b.an()) {
        b.zeile(QStringLiteral("Strömungsgeräusch Lüftungsventil"));
        if (zuluft)
            b.zeile(QStringLiteral("Vorgabe: Trox Serie LV, 1/4/D/4     Größe: ") %
                    berichtZahl(dn, 0) % QStringLiteral("  Spaltbreite:") %
                    berichtZahl(t->spalt, 0) % QStringLiteral("[mm]   °.V °(sub ZU°(-sub :") %
                    berichtZahl(q, -1) % QStringLiteral("[m³/h]  Anzahl:") % berichtZahl(n, 0));
        else
            b.zeile(
                QStringLiteral("Vorgabe: Trox Serie LV, 1/4/D/4     Größe:") % berichtZahl(dn, 0) %
                QStringLiteral("  Spaltbreite: 0[mm]   °.V °(sub AB°(-sub :") % berichtZahl(q, -1) %
                QStringLiteral("[m³/h], Anzahl im Raum:") % berichtZahl(n, 0));
    }
    b.frequenzen();
    TPegel& l = e.rb[1];
    TPegel& dl = e.rb[2];
    setzen(l, lwa);
    dl = t->deltaL;
    b.pegel(QStringLiteral("A-bewertete Schalleistung"), QStringLiteral("dB"), l);
    b.pegel(QStringLiteral("Relativ-Spektrum °(delta L"), QStringLiteral("dB"), dl);
    ergebnis = pegel(pegelNichtBerechnet);
    addiere(l, dl, ergebnis);
    mehrereAuslaesse(e, n, ergebnis);
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub"), QStringLiteral("dB"),
            ergebnis);
    return true;
}

bool modellBrandschutzventil(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    const bool zuluft = d.typ == typZuluftauslass;
    const int dn = ganz(d.i[0]);
    const BrandschutzventilDaten* t = e.daten.brandschutzventil(zuluft, dn);
    if (!t) return false;
    const double n = anzahl(d);
    const double l = std::max(10.0, endlich(t->pegel(einzelstrom(e)), 10));
    const double zuschlag = 10 * lg(n);
    ergebnis = pegel(pegelNichtBerechnet);
    for (int k = 0; k < bandAnzahl; ++k) ergebnis[k] = l + zuschlag;
    if (b.an()) {
        b.zeile(QStringLiteral("Strömungsgeräusch Brandschutzventil"));
        if (zuluft)
            b.zeile(QStringLiteral("Trox Serie FV-K90 und FVZ-K30, 4/4/D/4, Anzahl im Raum:") %
                    berichtZahl(n, 0));
        else
            b.zeile(QStringLiteral("Trox Serie FV-K90 und FVZ-K30, 4/4/D/4    Größe:") %
                    berichtZahl(dn, 0) % QStringLiteral(", Anzahl im Raum:") % berichtZahl(n, 0));
        QString z = (zuluft ? QStringLiteral("Zuluft") : QStringLiteral("Abluft")) +
                    QStringLiteral(" Schalleistungspegel bei Stellung 1: ") + berichtZahl(l, 0) +
                    QStringLiteral(" [dB]");
        if (n > 1)
            z += QStringLiteral(" Anzahl:") + berichtZahl(n, 0) + QStringLiteral(" -> +") +
                 berichtZahl(zuschlag, 1) + QStringLiteral(" = ") + berichtZahl(l + zuschlag, 1) +
                 QStringLiteral("[dB]");
        b.zeile(z);
    }
    return true;
}

} // namespace zephan
