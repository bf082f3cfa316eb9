#include "pressure/device_pressure.h"

#include "pressure/device_data.h"
#include "pressure/duct_hydraulics.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zephan {

namespace {

using Art = RegelErgebnis::Art;

bool endlich(double x) {
    return std::isfinite(x);
}

// A number in a report line.
QString z(double x, int d) {
    return formatZahl(x, d);
}

// A number stored in a record text (no grouping, as in the edit fields).
QString gespeichert(double x, int d) {
    return formatZahlOhneGruppen(x, d);
}

RegelErgebnis keineRegel() {
    return {Art::KeineRegel, keinErgebnis};
}
RegelErgebnis zetaRegel() {
    return {Art::ZetaRegel, keinErgebnis};
}
RegelErgebnis dpRegel(double dp) {
    return {Art::DpRegel, dp};
}
RegelErgebnis stopp(double dp = keinErgebnis) {
    return {Art::Stopp, dp};
}

const QString nurFormeln =
    QStringLiteral("Es sind nur die Formeln für DN 100, 125, 160 und 200 vorhanden");
const QString nurWerte =
    QStringLiteral("Es sind nur die Werte für DN 100, 125, 160 und 200 vorhanden");
const QString massFehlt = QStringLiteral("Maß nicht vorhanden");
// Sizes or flows so far out that a velocity or loss would overflow.
const QString ausserhalb = QStringLiteral("Werte außerhalb des Rechenbereichs");
// A device whose cross-section comes out as 0 (a side of 0 or less) would divide by it.
const QString querschnittNull =
    QStringLiteral("Querschnitt gleich Null -> keine Berechnung möglich");

// The record's own cross-section [m²]: i[0]×i[1] rectangular, circle of i[0] round; 0 when a
// side is 0 or less (two negative sides must not make a positive area) or the area is no
// finite number.
double querschnitt(const DVdata& r) {
    double a = 0;
    if (r.eckig) {
        if (r.i[0] > 0 && r.i[1] > 0) a = flaeche_eckig(r.i[0], r.i[1]);
    } else if (r.i[0] > 0) {
        a = flaeche_rund(r.i[0]);
    }
    return endlich(a) && a > 0 ? a : 0;
}

// Nominal size of a valve or damper: the diameter without its fraction.
double nennweite(double d) {
    return std::trunc(d);
}

// Stores the velocity on the area a; `beiNull` is the text of a device without area.
void speichereGeschwindigkeit(RegelEingabe& e, double q, double a, const QString& beiNull) {
    e.rec.p[0] = a > 0 ? gespeichert(q / 3600 / a, 2) : beiNull;
    if (a > 0) e.vGenau = q / 3600 / a;
}

// "-AG" (and "-DG") grille of the maker: loss k·(v/9)² at the velocity v in the effective
// area, per grille when i[2] grilles share the flow.
RegelErgebnis lueftungsgitter(RegelEingabe& e, double q, double k) {
    DVdata& r = e.rec;
    const double aEff = gitterflaeche(r.i[1], r.i[0]);
    if (aEff <= 0) {
        e.druck.add(massFehlt);
        return stopp();
    }
    double v = q / 3600 / aEff;
    if (endlich(r.i[2]) && r.i[2] > 1) v /= r.i[2];
    e.druck.add(QStringLiteral("A°(colsub eff°(col-sub = ") + z(aEff, 3) +
                QStringLiteral(" [m²];  v = ") + z(v, 1) + QStringLiteral(" [m/s]"));
    const double dp = k * (v / 9) * (v / 9);
    double zeta = zeta_aus_dp(dp, v, e.rho);
    // ζ of this law does not depend on v; only a vanishing v² (an absurd grille count) needs
    // the closed form.
    if (!endlich(zeta)) zeta = 2 * k / 81 / e.rho;
    r.p[0] = gespeichert(v, 2);
    r.p[1] = gespeichert(zeta, 3);
    return dpRegel(dp);
}

// --- Inlet grilles 9 "Außenluftgitter" and 12 "Abluftgitter" --------------------------------

RegelErgebnis einlassgitter(RegelEingabe& e, double q) {
    DVdata& r = e.rec;
    TDruck& d = e.druck;
    speichereGeschwindigkeit(e, q, querschnitt(r), QStringLiteral("0,0"));
    const bool abluftgitter = r.typ == typAbluftgitter;

    switch (r.tag1) {
    case 0: { // "Strömen in Kanal", by the inlet edge
        static const std::array<const char*, 4> zeta{"0,45", "0,25", "0,05", "0,01"};
        static const std::array<const char*, 4> kante{"scharf", "gebrochen", "gerundet",
                                                      "stark gerundet"};
        if (r.tag2 < 0 || r.tag2 > 3) return keineRegel();
        r.p[1] = QString::fromUtf8(zeta[r.tag2]);
        d.add(QStringLiteral("Typ: ") + QString::fromUtf8(kante[r.tag2]));
        return zetaRegel();
    }
    case 1: // "scharfkantiger Eintritt in Kanal"
        r.p[1] = r.eckig ? QStringLiteral("1,25") : QStringLiteral("0,9");
        return zetaRegel();
    case 2: { // "Einströmkonus", by the cone angle
        static const std::array<const char*, 4> eckig{"0,15", "0,15", "0,25", "0,35"};
        static const std::array<const char*, 4> rund{"0,1", "0,1", "0,15", "0,25"};
        static const std::array<const char*, 4> winkel{"15°", "30°", "45°", "60°"};
        if (r.tag2 < 0 || r.tag2 > 3) return keineRegel();
        r.p[1] = QString::fromUtf8(r.eckig ? eckig[r.tag2] : rund[r.tag2]);
        d.add(QStringLiteral("Winkel: ") + QString::fromUtf8(winkel[r.tag2]));
        return zetaRegel();
    }
    case 4: { // "Trox-Lüftungsgitter"
        if (!abluftgitter) return keineRegel();
        if (!r.eckig) {
            d.add(QStringLiteral("Werte für Rund sind nicht vorhanden."));
            return stopp();
        }
        d.add(QStringLiteral("Trox Lüftungsgitter Serie -AG  1/1/D/5"));
        d.add(QStringLiteral("Vorgabe: Abluft; Breite: ") + z(r.i[0], 0) +
              QStringLiteral(" [mm]; Höhe: ") + z(r.i[1], 0) +
              QStringLiteral(" [mm]; Anzahl der Gitter: ") + z(r.i[2], 0));
        return lueftungsgitter(e, q, 30);
    }
    case 5: { // "Tellerventil"
        if (!abluftgitter) return keineRegel();
        if (r.eckig) {
            d.add(nurFormeln);
            return stopp();
        }
        const double dn = nennweite(r.i[0]);
        const auto kennlinie = ventilKennlinie(tellerventilAbluft(), dn);
        if (!kennlinie) {
            d.add(nurFormeln + '.');
            return stopp();
        }
        // The maker's fit, not clipped here: the common tail keeps a loss from going below 0.
        const double dp = kennlinie->druckverlust(q);
        d.add(QStringLiteral("Trox Lüftungsventil Serie LV  1/4/D/4"));
        d.add(QStringLiteral("LVS  Größe ") + z(dn, 0) +
              QStringLiteral("  Spaltbreite s= 0 [mm]  °(delta p°(colsub t°(col-sub = ") +
              z(dp, 1) + QStringLiteral(" [Pa]"));
        return dpRegel(dp);
    }
    case 6: { // "BS Tellerventil"
        if (!abluftgitter) return keineRegel();
        if (r.eckig) {
            d.add(nurFormeln);
            return stopp();
        }
        const double dn = nennweite(r.i[0]);
        const auto kennlinie = ventilKennlinie(brandschutzventilAbluft(), dn);
        if (!kennlinie) {
            d.add(nurFormeln + '.');
            return stopp();
        }
        const double dp = std::max(0.0, kennlinie->druckverlust(q));
        d.add(QStringLiteral("Trox Brandschutzventile Serien FV-K90 FVZ-K30 4/4/D/4"));
        d.add(QStringLiteral("Abluft  Größe ") + z(dn, 0) + QStringLiteral("  Stellung 1"));
        return dpRegel(dp);
    }
    case 7: // "Revisionsöffnung, geschlossen"
        return abluftgitter ? dpRegel(0) : keineRegel();
    default: // 3: weather grille / swirl diffuser; nothing chosen
        return keineRegel();
    }
}

// --- Supply outlet 10 "Zuluftauslass" --------------------------------------------------------

RegelErgebnis zuluftauslass(RegelEingabe& e, double q) {
    DVdata& r = e.rec;
    TDruck& d = e.druck;
    speichereGeschwindigkeit(e, q, querschnitt(r), gespeichert(0, 2));

    switch (r.tag1) {
    case 0: // "Zuluftauslass, normal"
    case 1: // "scharfkantiger Austritt"
        r.p[1] = QStringLiteral("1,0");
        return zetaRegel();
    case 2: // vertical guide vanes
        r.p[1] = QStringLiteral("1,5");
        return zetaRegel();
    case 3: // horizontal guide vanes
        r.p[1] = QStringLiteral("1,8");
        return zetaRegel();
    case 4: { // "Trox-Dralldurchlaß": size from the second list
        const auto& kennlinien = dralldurchlass();
        if (r.tag2 < 0 || r.tag2 >= static_cast<int>(kennlinien.size())) return stopp();
        const DralldurchlassKennlinie& k = kennlinien[r.tag2];
        return dpRegel(zweipunkt(q, k.y2, k.x2, k.y1, k.x1));
    }
    case 5: // "Trox-Lüftungsgitter"
        if (!r.eckig) {
            d.add(QStringLiteral("Bitte eckige Maße angeben!"));
            return stopp();
        }
        d.add(QStringLiteral("Trox Lüftungsgitter Serie -AG und -DG  1/1/D/5"));
        d.add(QStringLiteral("Vorgabe:  Breite: ") + z(r.i[0], 0) +
              QStringLiteral(" [mm]; Höhe: ") + z(r.i[1], 0) +
              QStringLiteral(" [mm]; Anzahl der Gitter: ") + z(r.i[2], 0) +
              QStringLiteral("; 100% geöffnet"));
        return lueftungsgitter(e, q, 62);
    case 6: { // "Tellerventil"
        if (r.eckig) {
            d.add(nurFormeln);
            return stopp();
        }
        const double dn = nennweite(r.i[0]);
        const auto kennlinie = ventilKennlinie(tellerventilZuluft(), dn);
        if (!kennlinie) {
            d.add(nurFormeln);
            return stopp();
        }
        const double dp = std::max(0.0, kennlinie->druckverlust(q));
        d.add(QStringLiteral("Trox Lüftungsventil Serie LV  1/4/D/4"));
        d.add(QStringLiteral("Z-LVS  Größe ") + z(dn, 0) + QStringLiteral("  Spaltbreite s= ") +
              QString::number(kennlinie->spalt) + QStringLiteral(" [mm]"));
        return dpRegel(dp);
    }
    case 7: { // "BS Tellerventil"
        if (r.eckig) {
            d.add(nurWerte);
            return stopp();
        }
        if (!e.zuluft) {
            d.add(QStringLiteral("Es sind keine Formeln für Abluft vorhanden"));
            return stopp();
        }
        d.add(QStringLiteral("Trox Brandschutzventile Serien FV-K90 FVZ-K30 4/4/D/4"));
        const double dn = nennweite(r.i[0]);
        const auto kennlinie = ventilKennlinie(brandschutzventilZuluft(), dn);
        if (!kennlinie) {
            d.add(QStringLiteral("Größe ") + z(dn, 0) +
                  QStringLiteral(" nicht vorhanden. Nur 100, 125, 160 und 200."));
            return stopp();
        }
        const double dp = std::max(0.0, kennlinie->druckverlust(q));
        d.add(QStringLiteral("Zuluft  Größe ") + z(dn, 0) + QStringLiteral("  Stellung 1"));
        return dpRegel(dp);
    }
    case 8: // "Revisionsöffnung, geschlossen"
        return dpRegel(0);
    default:
        return keineRegel();
    }
}

// --- Exhaust grille 11 "Fortluftgitter" ------------------------------------------------------

RegelErgebnis fortluftgitter(RegelEingabe& e, double q) {
    DVdata& r = e.rec;
    speichereGeschwindigkeit(e, q, querschnitt(r), QStringLiteral("0,0"));
    switch (r.tag1) {
    case 0:
    case 1:
        r.p[1] = QStringLiteral("1,0");
        return zetaRegel();
    case 2:
        r.p[1] = QStringLiteral("1,5");
        return zetaRegel();
    case 3:
        r.p[1] = QStringLiteral("1,8");
        return zetaRegel();
    default: // 4 "Wetterschutzgitter": the stored ζ
        return keineRegel();
    }
}

// --- Silencer 41 "Schalldämpfer" -------------------------------------------------------------

RegelErgebnis schalldaempfer(RegelEingabe& e, double q) {
    DVdata& r = e.rec;
    TDruck& d = e.druck;
    if (r.tag1 >= 2) { // duct silencer
        d.add(QStringLiteral("Noch keine Berechnungsgrundlage für Kanalschalldämpfer vorhanden."));
        d.add(QStringLiteral("Bitte Druckverlust manuell vorgeben."));
        return stopp();
    }
    if (r.eckig) {
        d.add(QStringLiteral("Sie haben einen eckigen Schalldämpfer gewählt."));
        return stopp();
    }
    // A round silencer loses about as much as a flexible pipe of its length.
    d.add(QStringLiteral("Berechnung wie ein Flexrohr"));
    const double a = querschnitt(r);
    if (a <= 0) {
        d.add(querschnittNull);
        return stopp();
    }
    const double v = q / 3600 / a;
    // The friction calculation counts the Reynolds number in whole numbers; absurd sizes or
    // flows would run past that range.
    if (!(v / viskositaet * r.i[0] / 1000 < 1e15)) {
        d.add(ausserhalb);
        return stopp();
    }
    r.p[0] = gespeichert(v, 2);
    tDVvorgabe vg;
    vg.ks = 0.15;
    vg.v = v;
    vg.art = artRund;
    vg.b = r.i[0];
    tresult res;
    dvberechnen(vg, res, &d, e.rho);
    if (!res.ok) return stopp();
    // A length not given (-1) must not turn the loss negative.
    const double laenge = endlich(r.i[5]) && r.i[5] > 0 ? r.i[5] : 0;
    return stopp(res.wert() * laenge / 1000); // an overflow is caught by geraeteRegel
}

// --- Fire damper 43 "Brandschutzklappe" ------------------------------------------------------

const QString bskAusserhalbText = QStringLiteral(
    "Maße außerhalb der Herstellerdaten: °(zeta der größten Klappe der Kennlinie verwendet");

RegelErgebnis brandschutzklappe(RegelEingabe& e, double q) {
    DVdata& r = e.rec;
    TDruck& d = e.druck;

    if (r.eckig) {
        const double a = querschnitt(r);
        if (a <= 0) {
            d.add(querschnittNull);
            return stopp();
        }
        const double zeta = r.tag1 == 0 ? bsk_zeta(r.i[1], r.i[0]) : 0;
        if (r.tag1 == 0 && bskAusserhalb(r.i[1], r.i[0])) d.add(bskAusserhalbText);
        if (!endlich(zeta) || zeta < 0) {
            d.add(massFehlt);
            return stopp();
        }
        r.p[0] = gespeichert(q / a / 3600, 2);
        r.p[1] = gespeichert(zeta, 3);
        e.vGenau = q / a / 3600;
        e.zetaGenau = zeta;
        return zetaRegel();
    }

    const double dn = nennweite(r.i[0]);
    const std::optional<double> zetaDn = fkrsZeta(dn);
    if (r.tag1 == 0) {
        d.add(QStringLiteral(
            "Trox - Serie FKRS-02-K90 mit allgemeiner bauaufsichtlicher Zulassung 4/10/D/2"));
        d.add(QStringLiteral("Vorgabe:"));
        d.add(QStringLiteral("DN: ") + z(r.i[0], 0) + QStringLiteral(" [mm]"));
        if (!zetaDn) {
            d.add(nurFormeln + '.');
            return stopp();
        }
    }
    const double zeta = zetaDn.value_or(0);
    const double a = querschnitt(r);
    if (a <= 0) {
        d.add(querschnittNull);
        return stopp();
    }
    const double w = q / a / 3600;
    r.p[0] = gespeichert(w, 2);
    r.p[1] = gespeichert(zeta, 3);
    e.vGenau = w;
    e.zetaGenau = zeta;
    d.add(QStringLiteral("A = ") + z(a, 3) + QStringLiteral(" [m²]"));
    if (r.tag1 != 0) return dpRegel(0); // free cross-section, fire barrier: no loss of its own

    tDVvorgabe vg;
    vg.art = artFormstueck;
    vg.zeta = zeta;
    vg.v = w;
    tresult res;
    dvberechnen(vg, res, &d, e.rho);
    if (!res.ok) return stopp();
    return dpRegel(res.wert()); // an overflowed loss is caught by geraeteRegel
}

RegelErgebnis regel(RegelEingabe& e) {
    const double q = geraeteVolumenstrom(e.rec, e.Q);
    switch (e.rec.typ) {
    case typAussenluftgitter:
    case typAbluftgitter:
        return einlassgitter(e, q);
    case typZuluftauslass:
        return zuluftauslass(e, q);
    case typFortluftgitter:
        return fortluftgitter(e, q);
    case typSchalldaempfer:
        return schalldaempfer(e, q);
    case typBrandschutzklappe:
        return brandschutzklappe(e, q);
    default:
        return keineRegel();
    }
}

// Every number the rule handed back or stored is finite: the loss of a Δp-rule or a stop
// with a result, and each record text the rule wrote.
bool endlichesErgebnis(const RegelErgebnis& erg, const DVdata& vorher, const DVdata& nachher) {
    if (!endlich(erg.dp)) return false;
    for (int k = 0; k < 2; ++k) {
        if (nachher.p[k] == vorher.p[k]) continue;
        bool ok = false;
        leseZahl(nachher.p[k], &ok);
        if (!ok) return false;
    }
    return true;
}

} // namespace

double zweipunkt(double x, double y2, double x2, double y1, double x1) {
    const double y = x2 == x1 ? y1 : y1 + (y2 - y1) / (x2 - x1) * (x - x1);
    return endlich(y) && y > 0 ? y : 0;
}

double gitterflaeche(double h, double b) {
    if (!endlich(h) || !endlich(b) || h <= 0 || b <= 0) return -1;
    const auto& tabelle = gitterTabelle();
    const GitterZeile* zeile = nullptr;
    for (const GitterZeile& z : tabelle)
        if (h == z.hoehe) zeile = &z;
    if (!zeile && h >= gitterHoeheGross) zeile = &tabelle.back();
    if (!zeile) return 0.6 * h * b / 1e6; // a height between the listed ones: 60 % free
    const auto& breiten = gitterBreiten();
    for (std::size_t k = 0; k < breiten.size(); ++k)
        if (b == breiten[k]) return zeile->flaeche[k];
    return -1;
}

double geraeteVolumenstrom(const DVdata& rec, double q) {
    q = std::fabs(q);
    if (q == 0) q = 1;
    if (rec.typ == typZuluftauslass || rec.typ == typAbluftgitter) {
        const double anzahl = rec.i[4];
        if (endlich(anzahl) && anzahl > 1) q /= anzahl;
    }
    return q;
}

RegelErgebnis geraeteRegel(RegelEingabe& e) {
    // Absurd sizes or flows (a user may type 1e300) can overflow a velocity or a loss. Such a
    // result must neither reach the report nor the record: with recording on, the rule first
    // runs silently on a copy, so no line with an overflowed number is ever written.
    if (!endlich(e.Q)) {
        e.druck.add(ausserhalb);
        return stopp();
    }
    if (e.druck.drucken) {
        DVdata probe = e.rec;
        RegelErgebnis erg;
        {
            DruckenAus aus(e.druck);
            RegelEingabe pe{probe, e.modus, e.zuluft, e.Q, e.QD, e.QA1, e.QA2, e.rho, e.druck, e.k};
            erg = regel(pe);
        }
        if (!endlichesErgebnis(erg, e.rec, probe)) {
            e.druck.add(ausserhalb);
            return stopp();
        }
    }
    const DVdata alt = e.rec;
    const RegelErgebnis erg = regel(e);
    if (!endlichesErgebnis(erg, alt, e.rec)) {
        e.rec.p = alt.p;
        e.druck.add(ausserhalb);
        return stopp();
    }
    return erg;
}

} // namespace zephan
