// Flow noise of throttle dampers (VDI 2081, 2000 edition, section 6.3.4) and of fire dampers
// from the maker's data.

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/klappenspektrum.h"
#include "acoustics/schall_daten.h"
#include "bands/kurve.h"
#include "bands/rechenblatt.h"
#include "store/number_format.h"

#include <QStringBuilder>

namespace zephan {

namespace {

constexpr int klappeTrox = 0;
constexpr int klappeFreierQuerschnitt = 1;
constexpr int klappeBrandschott = 2;

void oktavleistung(const Geraeuschbericht& b, const TPegel& p) {
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub"), QStringLiteral("dB"), p);
}

} // namespace

bool modellDrosselklappe(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    b.zeile(QStringLiteral("Strömungsgeräusch für Drosselklappe (VDI2081 2000, Abschnitt 6.3.4 )"));
    b.zeile(QStringLiteral("Vorgabe:"));
    const double S = kreisflaeche(d.i[0]);
    if (b.an()) b.zeile(QStringLiteral("S : ") % berichtZahl(S, 3) % QStringLiteral(" [m²]"));
    double v = 0, zeta = 0;
    if (d.vorgabe == 0 || d.vorgabe == -1) {
        v = endlich(leseZahl(d.p[0], nullptr, 0));
        zeta = endlich(leseZahl(d.p[1], nullptr, 0));
        if (b.an())
            b.zeile(QStringLiteral("v : ") % berichtZahl(v, 1) %
                    QStringLiteral(" [m/s];  °(Zeta : ") % berichtZahl(zeta, 3) %
                    QStringLiteral(" []"));
    } else {
        const double dpt = endlich(d.i[6]);
        if (b.an())
            b.zeile(QStringLiteral("Gesamtdruckverlust: ") % berichtZahl(dpt, 1) %
                    QStringLiteral(" [Pa]"));
        v = teile(endlich(d.i[3]), S) / 3600;
        zeta = v > 0 ? endlich(2 * dpt / (v * v) / e.rho) : 0;
        if (b.an())
            b.zeile(QStringLiteral("v   = ") % berichtZahl(v, 1) %
                    QStringLiteral(" [m/s];  °(Zeta = ") % berichtZahl(zeta, 3) %
                    QStringLiteral(" []"));
    }
    b.frequenzen();
    // A damper without loss (or with a loss that is no number) aborts; one without flow makes
    // no noise.
    if (zeta <= 0) {
        ergebnis = pegel(pegelAbgebrochen);
        b.pegel(QStringLiteral("Abbruch. Oktavleistungspegel L°(sub w,okt°(-sub"),
                QStringLiteral("dB"), ergebnis);
        return true;
    }
    if (v <= 0) return true;
    TPegel& lw = e.rb[1];
    TPegel& x = e.rb[2];
    TPegel& dl = e.rb[3];
    // The damper's total level from the values at hand, as for devices with a loss
    // coefficient: L_w = 10 + 60 lg v + 30 lg zeta + 10 lg S.
    setzen(lw, 10 + 60 * lg(v) + 30 * lg(zeta) + 10 * lg(S));
    TKurve bild22(TKurve::logX);
    for (const Kurvenstuetze& p : e.daten.bild22)
        bild22.Add(static_cast<float>(p.x), static_cast<float>(p.y));
    const double nenner = v * std::pow(zeta, 0.3);
    for (int k = 0; k < 8; ++k) {
        x[k] = teile(oktavFrequenzen[k], nenner);
        dl[k] = ganz(bild22.wert(static_cast<float>(x[k])));
    }
    b.pegel(QStringLiteral("L°(sub w°(-sub =10+60 lg v+30 lg °(Zeta +10 lg S"),
            QStringLiteral("dB"), lw);
    b.pegel(QStringLiteral("f°(sub m°(-sub /(v°(* °(Zeta °(colsuper 0,3°(col-super  )"),
            QStringLiteral("1/m"), x);
    b.pegel(QStringLiteral("Relatives Frequenzspektrum (Bild 22)"), QStringLiteral("dB"), dl);
    ergebnis = pegel(pegelNichtBerechnet);
    addiere(lw, dl, ergebnis);
    bandsEndlich(ergebnis);
    oktavleistung(b, ergebnis);
    return true;
}

bool modellBrandschutzklappe(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    const int art = d.tag1 < 0 ? klappeTrox : d.tag1;
    const double A = d.eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
    const double v = teile(e.V / 3600, A);
    const int dn = ganz(d.i[0]);
    const auto masse = [&] {
        if (!b.an()) return;
        if (d.eckig)
            b.zeile(QStringLiteral("Breite: ") % berichtZahl(d.i[0], 0) %
                    QStringLiteral(" [mm]; Höhe: ") % berichtZahl(d.i[1], 0) %
                    QStringLiteral(" [mm];   A = ") % berichtZahl(A, 3) %
                    QStringLiteral(" [m²];  v = ") % berichtZahl(v, 1) % QStringLiteral(" [m/s]"));
        else
            b.zeile(QStringLiteral("DN: ") % berichtZahl(dn, 0) % QStringLiteral(" [mm];   A = ") %
                    berichtZahl(A, 3) % QStringLiteral(" [m²];  v = ") % berichtZahl(v, 1) %
                    QStringLiteral(" [m/s]"));
    };
    if (art == klappeFreierQuerschnitt || art == klappeBrandschott || art != klappeTrox) {
        b.zeile(
            art == klappeBrandschott
                ? QStringLiteral("Strömungsgeräusch für Brandschott 18017")
                : QStringLiteral("Strömungsgeräusch für Brandschutzklappen freier Querschnitt"));
        b.zeile(QStringLiteral("Vorgabe:"));
        masse();
        b.zeile(QStringLiteral("Keine Berechnungsdaten hinterlegt."));
        return true;
    }
    if (d.eckig) {
        b.zeile(QStringLiteral("Strömungsgeräusch für Brandschutzklappen (Trox FK-K90, FKW-K90, "
                               "W-FK-K90)"));
        b.zeile(QStringLiteral("Vorgabe:"));
        masse();
        b.frequenzen();
        ergebnis = klappenspektrum(ganz(d.i[1]), ganz(d.i[0]), v, b, e.daten);
        bandsEndlich(ergebnis);
        oktavleistung(b, ergebnis);
        return true;
    }
    b.zeile(QStringLiteral("Trox - Serie FKRS-02-K90 mit allgemeiner bauaufsichtlicher Zulassung "
                           "4/10/D/2"));
    b.zeile(QStringLiteral("Vorgabe:"));
    masse();
    const FkrsGroesse* g = e.daten.fkrsGroesse(dn);
    if (!g) {
        b.zeile(QStringLiteral("DN nicht vorhanden"));
        return false;
    }
    TKurve kurve(TKurve::linear);
    for (const Spektrumzeile& z : g->zeilen) kurve.addp(static_cast<float>(z.x), z.pegel);
    ergebnis = pegel(pegelNichtBerechnet);
    kurve.wertp(static_cast<float>(v), ergebnis);
    bandsEndlich(ergebnis);
    b.frequenzen();
    oktavleistung(b, ergebnis);
    return true;
}

} // namespace zephan
