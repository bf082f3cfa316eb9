// Room attenuation (VDI 2081 section 7.7) and the reflection at the open end of an outlet
// (section 7.6).

#include "acoustics/daempfung_modelle.h"
#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "bands/acoustic_curves.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "store/user_seam.h"

#include <cmath>
#include <numbers>

#include <QStringBuilder>

namespace zephan {

namespace {

// Effective section of an outlet: its area divided by 1.2.
constexpr double effektivTeiler = 1.2;
// c' = 333/(4 pi) [m/s] of the end reflection.
constexpr double cStrich = 333 / (4 * std::numbers::pi);

// The place of the source in the room and its solid-angle factor.
struct Ort {
    const char* text;
    double omega;
};
constexpr Ort orte[] = {{"Schallquelle in Raummitte", 4},
                        {"Wandmitte", 2},
                        {"Mitte einer Raumkante", 1},
                        {"Raumecke", 0.5}};

bool ortGueltig(int tag1) {
    return tag1 >= 0 && tag1 < static_cast<int>(std::size(orte));
}

QString winkelText(int tag2) {
    if (tag2 == 0) return QStringLiteral("0°");
    if (tag2 == 1) return QStringLiteral("45°");
    return QString();
}

double querschnitt(const DVdata& d) {
    return d.eckig ? rechteckflaeche(d.i[0], d.i[1]) : kreisflaeche(d.i[0]);
}

} // namespace

bool daempfungRaum(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    // Without a chosen source position (or one outside the chart) the room lowers nothing.
    if (!ortGueltig(d.tag1)) return false;
    e.b.zeile(QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)"));
    e.b.zeile(QStringLiteral("Vorgaben:"));
    const double V = endlich(d.i[0]);
    // The radiating section is the outlet's, which stands before the room.
    const DVdata* auslass = nodeDaten(e.knoten->getPrevSibling());
    if (V <= 0 || !auslass) return false;

    const double Tm = endlich(d.i[4]) / 1000;
    const double r = endlich(d.i[5]);
    const double S = querschnitt(*auslass);
    const double Seff = S / effektivTeiler;
    if (e.b.an()) {
        e.b.zeile(QStringLiteral("V: ") % berichtZahl(V, 0) %
                  QStringLiteral(" [m³];  T°(sub mittel°(-sub :") % berichtZahl(Tm, 2) %
                  QStringLiteral(" [s]") %
                  (d.nachhallzeitangabe ? QStringLiteral(" Vorgabe-Spektrum") : QString()) %
                  QStringLiteral("  S: ") % berichtZahl(S, 3) %
                  QStringLiteral(" [m²] ;  S°(sub eff°(-sub = ") % berichtZahl(Seff, 3) %
                  QStringLiteral(" [m²]"));
        e.b.zeile(QStringLiteral("kleinster Abstand r: ") % berichtZahl(r, 1) %
                  QStringLiteral(" [m] ; Ort der Schallquelle: ") %
                  QString::fromUtf8(orte[d.tag1].text) % QStringLiteral(";  Abstrahlwinkel: ") %
                  winkelText(d.tag2));
    }
    e.b.frequenzen();

    TPegel T = pegel(0), A = pegel(0), x = pegel(0), Q = pegel(0);
    const TKurve richtung = bild30Kurve(d.tag2, d.tag1, e.k.fortschritt);
    for (int k = 0; k < bandAnzahl; ++k) {
        T[k] = d.nachhallzeitangabe ? d.nachhallzeit[static_cast<size_t>(k)] / 1000.0
                                    : Tm * (1.6 - 0.3583 * k + 0.0292 * k * k);
        A[k] = teile(0.163 * V, T[k]);
        x[k] = oktavFrequenzen[k] * std::sqrt(std::max(Seff, 0.0));
        Q[k] = endlich(richtung.wert(static_cast<float>(x[k])));
        // A reverberation time not given (or none at all) leaves the diffuse part out rather
        // than making it infinite.
        const double summe = teile(Q[k], 4 * std::numbers::pi * r * r) + teile(4, A[k]);
        ergebnis[k] = summe > 0 ? std::nearbyint(-10 * lg(summe)) : 0;
    }
    e.b.werte(QStringLiteral("Nachhallzeit T"), QStringLiteral("s"), T);
    e.b.werte(QStringLiteral("A=0,163°(* V/T (Gl. 36)"), QStringLiteral("m²"), A);
    e.b.werte(QStringLiteral("f°(sub m°(-sub  °(* °(sqrt (S°(sub eff°(-sub )"),
              QStringLiteral("m/s"), x);
    e.b.werte(QStringLiteral("Richtungsfaktor Q  (Bild 30)"), QStringLiteral("-"), Q);
    e.b.pegel(QStringLiteral("Raumdämpfungsmaß L°(sub w°(-sub -L (Gl. 35)"), QStringLiteral("dB"),
              ergebnis);
    return true;
}

bool daempfungMuendung(const DaempfungEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    e.b.zeile(QStringLiteral("Pegelsenkung Mündungsreflexion (Abschnitt 7.6)"));
    e.b.zeile(QStringLiteral("Vorgabe:"));
    double S = 0, m = 1;
    if (d.eckig) {
        S = rechteckflaeche(d.i[0], d.i[1]);
        m = teile(d.i[0], d.i[1]);
        if (e.b.an())
            e.b.zeile(QStringLiteral("m=L/H = ") % berichtZahl(d.i[0], 0) %
                      QStringLiteral(" [mm] / ") % berichtZahl(d.i[1], 0) %
                      QStringLiteral(" [mm]= ") % berichtZahl(m, 2));
    } else {
        S = kreisflaeche(d.i[0]);
        e.b.zeile(QStringLiteral("m: 1"));
    }
    const double Seff = S / effektivTeiler;
    if (e.b.an())
        e.b.zeile(QStringLiteral("S:") % berichtZahl(S, 3) %
                  QStringLiteral(" [m²] ; S°(sub eff°(-sub = ") % berichtZahl(Seff, 3) %
                  QStringLiteral(" [m²]"));

    const tmylistitem* raum = e.knoten->getNextSibling();
    const DVdata* r = nodeDaten(raum);
    if (!r || r->typ != typRaum) {
        if (e.k.fortschritt)
            e.k.fortschritt->meldung(
                QStringLiteral("Fehler in der Struktur! Raum fehlt nach Gitter: ") +
                    e.knoten->position() + QLatin1Char(' ') + e.knoten->caption(),
                UserSeam::Kind::Fehler);
        return false;
    }
    if (!ortGueltig(r->tag1)) return false;
    const Ort& ort = orte[r->tag1];
    if (e.b.an())
        e.b.zeile(QStringLiteral("Ort des Kanalendes: ") % QString::fromUtf8(ort.text) %
                  QStringLiteral("   °(ohm = ") % berichtZahl(ort.omega, 1) %
                  QStringLiteral(" °(*  °(pi"));
    e.b.frequenzen();
    for (int k = 0; k < bandAnzahl; ++k) {
        const double f = oktavFrequenzen[k];
        const double c = cStrich / f;
        ergebnis[k] = 10 * lg(1 + teile(ort.omega * std::numbers::pi * c * c, Seff)) +
                      m * (0.04283 * lg(f * std::sqrt(std::max(Seff, 0.0))) - 0.0303);
    }
    e.b.werte(QStringLiteral("Pegelsenkung (Bild 28)"), QStringLiteral("dB"), ergebnis);
    return true;
}

} // namespace zephan
