// Flow noise of straight ducts and pipes (VDI 2081 section 5.2.1).

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "bands/rechenblatt.h"

#include <QStringBuilder>

namespace zephan {

namespace {
// A duct without flow is taken at this velocity so that every logarithm stays finite.
constexpr double vBoden = 0.001; // m/s
} // namespace

TPegel kanalSpektrum(double v, double S, const Geraeuschbericht& b, Rechenblatt& rb) {
    TPegel& lw = rb[1];
    TPegel& fv = rb[2];
    TPegel& dl = rb[3];
    setzen(lw, 7 + 50 * lg(v) + 10 * lg(S));
    for (int k = 0; k < 8; ++k) {
        fv[k] = oktavFrequenzen[k] / v;
        dl[k] = -2 - 26 * lg(1.14 + 0.02 * fv[k]);
    }
    b.pegel(QStringLiteral("L°(sub w°(-sub =7+50 lg v+10 lg S (Gl. 16)"), QStringLiteral("dB"), lw);
    b.pegel(QStringLiteral("f°(sub m°(-sub /v"), QStringLiteral("1/m"), fv);
    b.pegel(QStringLiteral("Relatives Frequenzspektrum (Bild 16)"), QStringLiteral("dB"), dl);
    TPegel ergebnis = pegel(pegelNichtBerechnet);
    addiere(lw, dl, ergebnis);
    bandsEndlich(ergebnis);
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub"), QStringLiteral("dB"),
            ergebnis);
    return ergebnis;
}

bool modellKanal(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    e.b.zeile(QStringLiteral("Strömungsgeräusch für Kanäle (Abschnitt 5.2.1)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    const double S = d.eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
    double v = teile(e.V, S) / 3600;
    if (v <= 0) v = vBoden;
    if (e.b.an())
        e.b.zeile(QStringLiteral("v: ") % berichtZahl(v, 1) % QStringLiteral(" [m/s];  S= ") %
                  berichtZahl(S, 3) % QStringLiteral(" [m²]"));
    e.b.frequenzen();
    ergebnis = kanalSpektrum(v, S, e.b, e.rb);
    return true;
}

} // namespace zephan
