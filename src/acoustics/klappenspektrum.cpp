#include "acoustics/klappenspektrum.h"

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "bands/kurve.h"

namespace zephan {

namespace {

TPegel zwischen(const Spektrumzeile& a, const Spektrumzeile& b, double v) {
    TPegel p = pegel(pegelNichtBerechnet);
    const double t = teile(v - a.x, b.x - a.x);
    for (int k = 0; k < bandAnzahl; ++k) p[k] = a.pegel[k] + (b.pegel[k] - a.pegel[k]) * t;
    return p;
}

} // namespace

TPegel klappenspektrum(int h, int b, double v, const Geraeuschbericht& bericht,
                       const Schalldaten& daten) {
    if (daten.klappen.empty() || daten.breitenkorrektur.empty()) return pegel(pegelNichtBerechnet);
    const KlappenGruppe* gruppe = &daten.klappen.back();
    for (const KlappenGruppe& g : daten.klappen) {
        if (g.hoehe > h) {
            gruppe = &g;
            break;
        }
    }
    const auto& z = gruppe->zeilen;
    v = endlich(v);
    TPegel spektrum;
    QString titel = QStringLiteral("Schalleistungspegel für b=634 mm");
    if (z.size() == 1 || v <= z[0].x) {
        spektrum = z[0].pegel;
        spektrum[7] = pegelNichtBerechnet;
    } else if (v <= z[1].x) {
        spektrum = zwischen(z[0], z[1], v);
    } else if (z.size() >= 3) {
        spektrum = zwischen(z[1], z[2], v);
    } else {
        // A height with two velocity rows only: above the second row the line through both
        // is continued, and the row says so.
        spektrum = zwischen(z[0], z[1], v);
        titel += QStringLiteral(", extrapoliert aus ") + berichtZahl(z[0].x, -1) +
                 QStringLiteral(" und ") + berichtZahl(z[1].x, -1) + QStringLiteral(" m/s");
    }
    bericht.pegel(titel, QStringLiteral("dB"), spektrum);

    TKurve breite(TKurve::linear);
    for (const Kurvenstuetze& s : daten.breitenkorrektur)
        breite.Add(static_cast<float>(s.x), static_cast<float>(s.y));
    const double kb = endlich(breite.wert(static_cast<float>(b)));
    bericht.pegel(QStringLiteral("Korrektur für die Breite"), QStringLiteral("dB"), pegel(kb));
    TPegel ergebnis = pegel(pegelNichtBerechnet);
    for (int k = 0; k < bandAnzahl; ++k) ergebnis[k] = spektrum[k] + kb;
    return ergebnis;
}

} // namespace zephan
