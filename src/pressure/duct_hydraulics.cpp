#include "pressure/duct_hydraulics.h"

#include "network/dvdata.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>
#include <numbers>

namespace zephan {

namespace {

QString z(double x, int d) {
    return formatZahl(x, d);
}

bool endlich(double x) {
    return std::isfinite(x);
}

// The whole-number flow shown beside a velocity that was itself computed from a whole-number
// flow: without the small allowance 1000 m³/h would come back as 999.
double ganzerVolumenstrom(double q) {
    return static_cast<double>(kuerzen(q + 1e-6));
}

// The document to write into, or null while nothing is recorded.
TDruck* aufzeichnend(TDruck* druck) {
    return druck && druck->drucken ? druck : nullptr;
}

} // namespace

double flaeche_eckig(double a, double b) {
    return a * b / 1e6;
}

double flaeche_rund(double d) {
    return (d / 1000) * (d / 1000) / 4 * std::numbers::pi;
}

double dhydr(double a, double b) {
    return 2 * a * b / (a + b);
}

double dgleich(double a, double b) {
    return std::sqrt(4 * a * b / std::numbers::pi);
}

double geschwindigkeit(double q, double a) {
    return q / 3600 / a;
}

double zeta_aus_dp(double dp, double v, double rho) {
    return 2 * dp / (v * v * rho);
}

double quadratisch(double v, double k, double c) {
    return (v / c) * (v / c) * k;
}

const std::array<Material, 10>& Materialtabelle() {
    static const std::array<Material, 10> tabelle{{{"Stahlblech", 0.15},
                                                   {"Kunststoff", 0.01},
                                                   {"Wickelfalz", 0.17},
                                                   {"Holz", 0.5},
                                                   {"flexibler Schlauch", 0.8},
                                                   {"Rabitz", 2.0},
                                                   {"Beton", 2.0},
                                                   {"gemauert", 4.0},
                                                   {"Faserzement", 0.15},
                                                   {"Promat", 0.15}}};
    return tabelle;
}

double materialKs(const QString& name) {
    for (const Material& m : Materialtabelle())
        if (name == QString::fromUtf8(m.name)) return m.ks;
    return -1;
}

QString tresult::text() const {
    if (!ok) return QStringLiteral("Fehler");
    if (art == 0) return z(static_cast<double>(i), 0) + QStringLiteral(" [") + einheit + ']';
    if (art == 1) return z(s, nachk) + QStringLiteral(" [") + einheit + ']';
    return QStringLiteral("Fehler. Result.art nicht gesetzt.");
}

void dvberechnen(const tDVvorgabe& vg, tresult& r, TDruck* druck, double rho,
                 Reibungswerte* werte) {
    r = tresult();
    const double v = vg.v;
    const double b = vg.b;
    const double h = vg.h;
    const double ks = vg.ks;
    const int32_t art = vg.art;

    // Checked before the first line, so a bad request leaves no half derivation behind.
    if (!endlich(v) || v < 0 || !endlich(rho) || rho <= 0) return;
    if (art == artFormstueck) {
        if (!endlich(vg.zeta)) return;
    } else if (art == artEckig) {
        if (!endlich(b) || !endlich(h) || b <= 0 || h <= 0 || !endlich(ks) || ks < 0) return;
    } else if (art == artRund || art == artRundStill) {
        if (!endlich(b) || b <= 0 || !endlich(ks) || ks < 0) return;
    } else {
        return;
    }

    TDruck* d = art == artRundStill ? nullptr : aufzeichnend(druck);
    const bool zeilen = d && (art == artEckig || art == artRund);

    if (d) {
        const QString kopf = QStringLiteral("Druckverlust nach VDI 2087 (5.1998)");
        if (art == artFormstueck) {
            d->add(kopf);
            d->leer();
        } else {
            d->headline(kopf);
            d->add(QStringLiteral("Vorgaben:"));
        }
    }

    if (art == artFormstueck) {
        if (d) {
            d->add(QStringLiteral("Art: Formstück    Geschwindigkeit v: ") + z(v, 2) +
                   QStringLiteral(" [m/s]  °(zeta : ") + z(vg.zeta, 3) +
                   QStringLiteral("[];  Dichte: ") + z(rho, 3) + QStringLiteral(" [kg/m³]"));
            d->leer();
        }
        r.ok = true;
        r.art = 1;
        r.einheit = QStringLiteral("Pa");
        r.nachk = 2;
        r.s = vg.zeta * rho * v * v / 2;
        if (d) {
            // ζ times the dynamic pressure ρ/2·v² is the fitting's loss, not the dynamic
            // pressure itself. A line that began with an escape would be taken for a command
            // and never printed, hence the word in front.
            d->add(
                QStringLiteral("Druckverlust °(delta p = °(zeta  °(*  °(roh /2 °(*  v²           "
                               "VDI 2087 (5)"));
            d->add(QStringLiteral("Druckverlust °(delta p = ") + z(vg.zeta, 2) +
                   QStringLiteral(" °(*  ") + z(rho / 2, 2) + QStringLiteral(" °(*  ") +
                   z(v * v, 1));
            d->leer();
        }
        return;
    }

    double dh = 0; // hydraulic diameter [m]
    if (art == artEckig) {
        const double q = ganzerVolumenstrom(v * b * h * 3.6 / 1000);
        dh = 2 * b * h / (b + h);
        if (d) {
            d->add(QStringLiteral("Art: rechteckiger Kanal"));
            d->add(QStringLiteral("Geschwindigkeit v : ") + z(v, 2) +
                   QStringLiteral(" [m/s];  Volumenstrom: ") + z(q, 0) +
                   QStringLiteral(" [m³/h];  Dichte: ") + z(rho, 3) + QStringLiteral(" [kg/m³]"));
            d->add(QStringLiteral("Breite: ") + z(b, 0) + QStringLiteral(" [mm]; Höhe: ") +
                   z(h, 0) + QStringLiteral(" [mm]; Rauhigkeitshöhe ks: ") + z(ks, 3) +
                   QStringLiteral(" [mm]"));
            d->leer();
            d->add(QStringLiteral("d°(sub h°(-sub  = 2 °(* Breite °(*  Höhe/(Breite+Höhe)         "
                                  "VDI 2087 (3)"));
            d->add(QStringLiteral("d°(sub h°(-sub  = ") + z(dh, 1) + QStringLiteral(" [mm]"));
        }
        dh /= 1000;
    } else {
        dh = b / 1000;
        if (d) {
            const double q =
                ganzerVolumenstrom(v * std::numbers::pi * (b / 1000) * (b / 1000) / 4 * 3600);
            d->add(QStringLiteral("Art: runder Kanal"));
            d->add(QStringLiteral("Geschwindigkeit v : ") + z(v, 2) +
                   QStringLiteral(" [m/s];  Volumenstrom: ") + z(q, 0) +
                   QStringLiteral(" [m³/h]; Dichte: ") + z(rho, 3) + QStringLiteral(" [kg/m³]"));
            d->add(QStringLiteral("d°(sub h°(-sub    : ") + z(b, 0) + QStringLiteral(" [mm]"));
            d->add(QStringLiteral("Rauhigkeitshöhe ks: ") + z(ks, 3) + QStringLiteral(" [mm]"));
            d->leer();
        }
    }

    const double ksd = ks / dh / 1000;
    const long long Re = runden(dh * v / 15 * 1e6);
    if (zeilen) {
        // The markup knows no escape for a lone "°": the index goes through sub/-sub, and the
        // viscosity is written as what it is, ν = 15·10⁻⁶ m²/s.
        d->add(QStringLiteral("ksd = ks / d°(sub h°(-sub  = ") + z(ksd, 6));
        d->add(QStringLiteral("Re = v °(*  d°(sub h°(-sub  / °(nüh  = v °(*  d°(sub h°(-sub  / "
                              "(15 °(*  10°(super -6°(-super ) = ") +
               z(static_cast<double>(Re), 0));
    }

    double lambda = 0;
    if (Re < reynoldsGrenze) {
        if (zeilen) d->add(QStringLiteral("VDI 2087, Tab 2: Hagen-Poiseuillesches Reibungsgesetz"));
        // Re is 0 only for a velocity of (almost) 0, where R is 0 whatever λ is.
        lambda = 64.0 / static_cast<double>(Re < 1 ? 1 : Re);
    } else {
        const double re = static_cast<double>(Re);
        const bool glatt = ksd < 0.00005;
        const double start = glatt ? 0.01 : 0.03;
        const double toleranz = glatt ? 0.0002 : 0.0001;
        if (zeilen) {
            d->leer();
            d->add(glatt
                       ? QStringLiteral(
                             "VDI 2087, Tab 2: Prandtl-Kármansches Reibungsgesetz für glatte Rohre")
                       : QStringLiteral("VDI 2087, Tab 2: Übergangsfunktion nach Colebrook"));
            d->add(QStringLiteral("Reibungsbeiwert °(lambda  iterativ. Startwert: °(lambda = ") +
                   z(start, 2));
        }
        lambda = start;
        double vorher = lambda + 1;
        int i = 1;
        while (i < 20 && std::fabs(vorher - lambda) > toleranz) {
            vorher = lambda;
            const double nenner =
                glatt ? 2 * std::log10(re * std::sqrt(lambda)) - 0.8
                      : -2 * std::log10(2.51 / (re * std::sqrt(lambda)) + ksd / 3.72);
            lambda = (1 / nenner) * (1 / nenner);
            if (zeilen)
                d->add(
                    QStringLiteral("  ") + QString::number(i) +
                    (glatt ? QStringLiteral(". °(lambda = ") : QStringLiteral(". °(lambda  = ")) +
                    z(lambda, 4));
            ++i;
        }
        if (!glatt && std::sqrt(lambda) * re * ksd > 200) {
            const double nenner = 1.14 - 2 * std::log10(ksd);
            lambda = (1 / nenner) * (1 / nenner);
            if (zeilen) {
                d->leer();
                d->add(QStringLiteral(
                    "VDI 2087, Tab 2: Prandtl-Kármansches Reibungsgesetz für rauhe Rohre"));
                d->add(QStringLiteral("Bedingung: Re °(* °(sqrt °(lambda  °(* ks / d°(sub h°(-sub  "
                                      "> 200 erfüllt."));
                d->add(QString::number(i) + QStringLiteral(". °(lambda  = ") + z(lambda, 4));
            }
        }
    }
    if (zeilen) d->add(QStringLiteral(" °(->  °(lambda =  ") + z(lambda, 3));

    r.ok = true;
    r.art = 1;
    r.einheit = QStringLiteral("Pa/m");
    r.nachk = 2;
    r.s = lambda / dh * rho / 2 * v * v;
    if (werte) *werte = Reibungswerte{dh, Re, ksd, lambda};
    if (zeilen) {
        d->add(QStringLiteral("R= °(lambda  / d°(sub h°(-sub   °(*    °(roh /2    °(*     v²       "
                              "                       VDI 2087 (1)"));
        d->add(QStringLiteral("R= ") + z(lambda, 3) + QStringLiteral(" / ") + z(dh, 2) +
               QStringLiteral(" °(* ") + z(rho / 2, 2) + QStringLiteral(" °(* ") + z(v * v, 1) +
               QStringLiteral(" = ") + r.text());
    }
}

double zetadruck(double v, double zeta, TDruck* druck, double rho) {
    if (aufzeichnend(druck)) {
        tresult r;
        tDVvorgabe vg;
        vg.art = artFormstueck;
        vg.v = v;
        vg.zeta = zeta;
        dvberechnen(vg, r, druck, rho);
        return r.ok ? r.s : keinErgebnis;
    }
    const double dp = zeta * rho * v * v / 2;
    return endlich(dp) ? dp : keinErgebnis;
}

double geradeStrecke(DVdata& d, double q, TDruck* druck, double rho) {
    const bool kanal = d.typ == typKanal;
    if (!kanal && d.typ != typRohr) return keinErgebnis;
    q = std::fabs(q);
    if (q == 0) q = 1;
    const double a = kanal ? flaeche_eckig(d.i[0], d.i[1]) : flaeche_rund(d.i[0]);
    if (!d.planung && (!endlich(a) || d.i[0] <= 0 || (kanal && d.i[1] <= 0))) return keinErgebnis;
    const double v = d.planung ? -1 : geschwindigkeit(q, a);
    d.p[0] = z(v, 2);
    // A run in planning has no dimensions yet: no gradient to compute.
    if (d.planung || !endlich(v)) return keinErgebnis;

    const double ks = materialKs(d.p[2]);
    if (ks < 0) {
        if (TDruck* doc = aufzeichnend(druck))
            doc->add(kanal ? QStringLiteral("Material nicht gefunden: ") + d.p[2]
                           : QStringLiteral("Material ") + d.p[2] +
                                 QStringLiteral(" nicht gefunden."));
        return keinErgebnis;
    }
    tDVvorgabe vg;
    vg.ks = ks;
    vg.v = v;
    vg.art = kanal ? artEckig : artRund;
    vg.b = d.i[0];
    vg.h = d.i[1];
    tresult r;
    dvberechnen(vg, r, druck, rho);
    if (!r.ok) return keinErgebnis;
    if (d.i[5] == 0) return r.s;
    const double dp = r.s * d.i[5] / 1000;
    // The derivation ends with the run's own loss, wherever it is printed.
    if (TDruck* doc = aufzeichnend(druck); doc && d.i[5] > 0) {
        doc->leer();
        doc->add(QStringLiteral("Druckverlust °(delta p = l °(*  R = ") + z(d.i[5] / 1000, 2) +
                 QStringLiteral(" [m] °(*  ") + z(r.s, 2) + QStringLiteral(" [Pa/m] = ") +
                 z(dp, 2) + QStringLiteral(" [Pa]"));
    }
    return dp;
}

double geradeStrecke(const TBasisDatenTabelle& kat, tmylistitem* node, TDruck* druck, double rho) {
    DVdata* daten = nodeDaten(node);
    if (!daten) return keinErgebnis;
    DVdata arbeit = *daten;
    const double ergebnis = geradeStrecke(arbeit, volumenstrom(kat, node), druck, rho);
    if (ergebnis > -999) *daten = arbeit;
    return ergebnis;
}

int rohrsuchen(double q, double rMax, double rho) {
    q = std::fabs(q);
    if (!endlich(q) || q == 0 || !endlich(rMax) || rMax <= 0) return -1;
    tDVvorgabe vg;
    vg.art = artRundStill;
    vg.ks = 0.15;
    tresult r;
    for (int d = 12; d <= rohrsuchenGrenze; d += 2) {
        vg.b = d;
        vg.v = geschwindigkeit(q, flaeche_rund(d));
        dvberechnen(vg, r, nullptr, rho);
        if (r.ok && r.s < rMax) return d;
    }
    return -1;
}

StreckenAnzeige berechne1Strecke(DVdata& editDaten, double q, TDruck& druck, bool drucken,
                                 double rho) {
    druck.drucken = drucken;
    StreckenAnzeige anzeige;
    q = std::fabs(q);
    if (q == 0) q = 1;
    const double ergebnis = geradeStrecke(editDaten, q, &druck, rho);
    anzeige.ergebnis = ergebnis;
    if (ergebnis > -999) {
        const double laenge = editDaten.i[5];
        const double R = laenge == 0 ? ergebnis : ergebnis * 1000 / laenge;
        anzeige.ergebnisLabel = z(ergebnis, 2) + QStringLiteral(" [Pa]");
        anzeige.gefaelleLabel = QStringLiteral("R= ") + z(R, 2) + QStringLiteral(" [Pa/m]");
    } else {
        anzeige.ergebnisLabel = QStringLiteral("-");
    }
    // Also after a failure, so later calculations do not write into this report.
    druck.drucken = false;
    return anzeige;
}

StreckenAnzeige berechne1Strecke(const TBasisDatenTabelle& kat, const tmylistitem* selected,
                                 DVdata& editDaten, TDruck& druck, bool drucken) {
    const double q = selected ? volumenstrom(kat, selected) : -1;
    return berechne1Strecke(editDaten, q, druck, drucken, strangDichte(selected));
}

} // namespace zephan
