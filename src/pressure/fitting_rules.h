#pragma once

#include "pressure/component_rule.h"

#include <QString>

namespace zephan {

// Type rules of the straight runs and fittings: 2 Kanal, 3 Rohr, 6 Volumenstrom,
// 16 Querschnittsänderung, 20 Übergangsbogen, 21 (and 22) Bogen, 23 Segmentkrümmer, 24 Etage,
// 26 Kanal->Rohr, 27 Rohr->Kanal, 28 Knie, 30 to 35, 37 to 39 branch pieces, 40 Drosselklappe
// and 44 Volumenstromregler. A rule either stores velocity and zeta in p[0] / p[1] (ZetaRegel,
// the caller's tail turns them into a loss), sets the loss itself (DpRegel) or stops with a
// report line (Stopp). Any other type gives KeineRegel; the devices 9 to 12, 41 and 43 have
// their own rules (geraeteRegel).
RegelErgebnis formstueckRegel(RegelEingabe& e);

// True when `typ` has a rule of its own (here or among the device rules); such a rule needs
// the flow through the component.
bool hatTypRegel(int typ);

// Factor K of a converging junction for the sections a (outlet), b (branch), c (main) and the
// flows Q (total) and Qx (passage): 1 when a + b = c, a ≠ c or b/c ≤ 0.35; otherwise with
// g = Qx/Q: 0.9·(1 − g) for g ≤ 0.4, else 0.55.
double abzweigfaktor(double a, double b, double c, double Q, double Qx);

// Report lines of the rules.
namespace regeltext {
inline const QString laengeNull = QStringLiteral("Länge gleich Null -> Bauteil wird ignoriert");
inline const QString segmentZuEng =
    QStringLiteral("Bei einem Segment muss Radius/Durchmesser>2 sein. Sonst mehr Segmente wählen.");
// A dimension the rule needs is missing, zero or negative.
inline const QString massFehlt =
    QStringLiteral("Abmessung fehlt oder ist nicht größer als Null -> keine Berechnung möglich");
// The chosen option combination has no loss coefficient.
inline const QString keinZeta = QStringLiteral("Für diese Auswahl ist kein Zetawert vorhanden.");
// The flow through the component is unknown (an outlet without flow downstream).
inline const QString flussUnbekannt =
    QStringLiteral("Volumenstrom nicht bekannt -> keine Berechnung möglich");
// The inputs give no finite velocity or coefficient.
inline const QString nichtBerechenbar =
    QStringLiteral("Zetawert nicht berechenbar. Bitte Angaben prüfen.");
// A zeta calculation without a velocity or zeta number.
inline const QString zetaFehlt =
    QStringLiteral("Geschwindigkeit oder Zetawert fehlt -> keine Berechnung möglich");
// "Kein Wert in Tabelle 131 gefunden."
QString tabelleOhneWert(int nr);
} // namespace regeltext

} // namespace zephan
