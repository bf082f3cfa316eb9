#include "pressure/fitting_rules.h"

#include "pressure/calc_context.h"

#include "pressure/duct_hydraulics.h"
#include "pressure/fitting_curves.h"
#include "pressure/titelzahl.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace zephan {

QString regeltext::tabelleOhneWert(int nr) {
    return QStringLiteral("Kein Wert in Tabelle ") + QString::number(nr) +
           QStringLiteral(" gefunden.");
}

namespace {

using Art = RegelErgebnis::Art;

constexpr double gradProRad = 180.0 / std::numbers::pi;

// Far beyond any chart or table, still inside single precision.
constexpr double kurvenGrenze = 1e30;

// Tables of the loss coefficients (titled-number tables).
constexpr int tabDiffusor = 130;
constexpr int tabKonfusor = 131;
constexpr int tabUmlenkung = 132;
constexpr int tabAbzweig = 133;
constexpr int tabDrosselklappe = 143;
constexpr int tabRegelklappe = 144;

bool endlich(double x) {
    return std::isfinite(x);
}

// A dimension the rules can divide by.
bool mass(double x) {
    return endlich(x) && x > 0;
}

// A length that may be zero.
bool laenge(double x) {
    return endlich(x) && x >= 0;
}

double quadrat(double x) {
    return x * x;
}

RegelErgebnis stopp(RegelEingabe& e, const QString& zeile, double dp = keinErgebnis) {
    e.druck.add(zeile);
    return {Art::Stopp, dp};
}

// Stores velocity and zeta as the tail expects them; a value that is not finite stops instead.
RegelErgebnis zetaRegel(RegelEingabe& e, double w, double zeta, int wNachkomma = 2) {
    if (!endlich(w) || !endlich(zeta)) return stopp(e, regeltext::nichtBerechenbar);
    e.rec.p[0] = formatZahl(w, wNachkomma);
    e.rec.p[1] = formatZahl(zeta, 3);
    e.vGenau = w;
    e.zetaGenau = zeta;
    return {Art::ZetaRegel, keinErgebnis};
}

// A table value, or nothing (with a report line) when the table gives none. Every table of
// the rules holds values of 0 and above; -1 is the tables' failure value.
std::optional<double> tabelle(RegelEingabe& e, int nr, double spalte, double zeile) {
    if (!endlich(spalte) || !endlich(zeile)) {
        e.druck.add(regeltext::nichtBerechenbar);
        return std::nullopt;
    }
    const double w = e.k.tabellen->erg(nr, std::clamp(spalte, -kurvenGrenze, kurvenGrenze),
                                       std::clamp(zeile, -kurvenGrenze, kurvenGrenze));
    if (!endlich(w) || w < 0) {
        e.druck.add(regeltext::tabelleOhneWert(nr));
        return std::nullopt;
    }
    return w;
}

// A curve value; the charts are read in single precision. An argument that is no number gives
// none, so the rule stops instead of storing the curve's failure value -1.
double kurve(const TKurve& k, double x) {
    if (!endlich(x)) return std::numeric_limits<double>::quiet_NaN();
    return k.wert(static_cast<float>(std::clamp(x, -kurvenGrenze, kurvenGrenze)));
}

double geschw(double q, double a) {
    return q / 3600 / a;
}

// The area ratio the nozzle and diffuser charts are read over: the smaller section over the
// larger (their columns run from 0.1 to 0.64). A reduction given as main over reduced
// section would lie above 1 and always read the chart's last column.
double flaechenverhaeltnis(double a, double b) {
    return std::min(a, b) / std::max(a, b);
}

// Deflection angle of the bend options "Umlenkwinkel 90°", "60°", "45°", "30°", "15°".
double bogenwinkel(int tag1) {
    switch (tag1) {
    case 1:
        return 60;
    case 2:
        return 45;
    case 3:
        return 30;
    case 4:
        return 15;
    default:
        return 90;
    }
}

// --- 2 Kanal, 3 Rohr ------------------------------------------------------------------------

RegelErgebnis geradeRegel(RegelEingabe& e) {
    DVdata& d = e.rec;
    if (!mass(d.i[0]) || (d.typ == typKanal && !mass(d.i[1])))
        return stopp(e, regeltext::massFehlt);
    // Extreme dimensions can overflow the friction calculation half way through its report;
    // such a run is tried silently first so no unprintable number reaches the report.
    if (e.druck.drucken && materialKs(d.p[2]) >= 0) {
        DVdata probe = d;
        DruckenAus still(e.druck);
        const double dp = geradeStrecke(probe, e.Q, &e.druck, e.rho);
        if (!endlich(dp) || dp <= -999) {
            e.druck.drucken = true;
            e.druck.add(regeltext::nichtBerechenbar);
            return {Art::Stopp, keinErgebnis};
        }
    }
    const double dp = geradeStrecke(d, e.Q, &e.druck, e.rho);
    // Unknown material: the straight run has written its line.
    if (dp <= -999) return {Art::Stopp, keinErgebnis};
    // A run of length 0 yields its gradient in Pa/m; in a path it must not count as Pa.
    if (e.modus >= 1 && d.i[5] == 0) return {Art::DpRegel, 0};
    return {Art::DpRegel, dp};
}

// --- 16 Querschnittsänderung ----------------------------------------------------------------

RegelErgebnis querschnittRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const double L = d.i[5];
    if (L == 0) return stopp(e, regeltext::laengeNull, 0);
    if (!laenge(L)) return stopp(e, regeltext::massFehlt);
    double A1, A2, d1, d2;
    if (d.eckig) {
        if (!mass(d.i[0]) || !mass(d.i[1]) || !mass(d.i[2]) || !mass(d.i[3]))
            return stopp(e, regeltext::massFehlt);
        A1 = flaeche_eckig(d.i[0], d.i[1]);
        A2 = flaeche_eckig(d.i[2], d.i[3]);
        d1 = dhydr(d.i[0], d.i[1]);
        d2 = dhydr(d.i[2], d.i[3]);
    } else {
        if (!mass(d.i[0]) || !mass(d.i[2])) return stopp(e, regeltext::massFehlt);
        A1 = flaeche_rund(d.i[0]);
        A2 = flaeche_rund(d.i[2]);
        d1 = d.i[0];
        d2 = d.i[2];
    }
    const double Av = std::min(A1, A2);
    const double theta = std::fabs(std::atan(std::fabs(d1 - d2) / 2 / L) * gradProRad);
    // A section that widens in the direction of the air (supply from the smaller inlet,
    // extract from the smaller outlet) is a diffuser: guide vanes lower its share and the
    // friction is taken over the inlet. Any other section (equal areas included) is a nozzle.
    // Both charts are read over the area ratio small/large; asking the nozzle chart for a
    // widening section, with a ratio above 1, would always read its last column.
    const double verhaeltnis = flaechenverhaeltnis(A1, A2);
    const bool weitet = (A1 < A2 && e.zuluft) || (A1 > A2 && !e.zuluft);
    double zeta1, x;
    if (weitet) {
        const auto t = tabelle(e, tabDiffusor, verhaeltnis, theta);
        if (!t) return {Art::Stopp, keinErgebnis};
        zeta1 = *t;
        if (d.tag1 == 1) zeta1 *= 0.65; // "stetig mit Leitschaufeln"
        x = L / d1;
    } else {
        const auto t = tabelle(e, tabKonfusor, verhaeltnis, theta);
        if (!t) return {Art::Stopp, keinErgebnis};
        zeta1 = *t;
        x = L / d2;
    }
    const auto reib = tabelle(e, tabUmlenkung, 0, x);
    if (!reib) return {Art::Stopp, keinErgebnis};
    return zetaRegel(e, geschw(e.Q, Av), zeta1 + *reib + 0.1);
}

// --- 20 Übergangsbogen, 21 / 22 Bogen -----------------------------------------------------------

RegelErgebnis bogenRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const double k = kurve(kurve_winkel(), bogenwinkel(d.tag1));
    double A, zeta0;
    if (d.typ == typUebergangsbogen) {
        if (!mass(d.i[0]) || !mass(d.i[1]) || !mass(d.i[2]) || !mass(d.i[3]))
            return stopp(e, regeltext::massFehlt);
        A = std::min(flaeche_eckig(d.i[0], d.i[1]), flaeche_eckig(d.i[2], d.i[3]));
        zeta0 = kurve(kurve_radius(), d.i[4] / dhydr(d.i[0], d.i[1])) *
                kurve(kurve_seitenverhaeltnis(), d.i[0] / d.i[1]);
    } else if (d.eckig) {
        if (!mass(d.i[0]) || !mass(d.i[1])) return stopp(e, regeltext::massFehlt);
        A = flaeche_eckig(d.i[0], d.i[1]);
        // The side ratio is the side across the bend plane over the side in it. The bend
        // direction says which side lies in the plane: "links/rechts" (tag2 0) turns in the
        // plane of the width, "hoch/runter" (tag2 1) in the plane of the height. A bend
        // without a direction keeps the older choice by the angle option.
        double r;
        if (d.tag2 == 0)
            r = d.i[1] / d.i[0];
        else if (d.tag2 == 1)
            r = d.i[0] / d.i[1];
        else
            r = d.tag1 == 0 ? d.i[1] / d.i[0] : d.i[0] / d.i[1];
        zeta0 = kurve(kurve_radius(), d.i[4] / dhydr(d.i[0], d.i[1])) *
                kurve(kurve_seitenverhaeltnis(), r);
    } else {
        if (!mass(d.i[0])) return stopp(e, regeltext::massFehlt);
        A = flaeche_rund(d.i[0]);
        // Without a radius (-1) the ratio is negative and the chart gives its first value.
        zeta0 = kurve(kurve_radius(), d.i[4] / d.i[0]);
    }
    return zetaRegel(e, geschw(e.Q, A), k * zeta0 + 0.1);
}

// --- 23 Segmentkrümmer ------------------------------------------------------------------------

// zeta0 by angle option (25°, 30°, 45°, 60°, 90°), segment option (1, 2, 3, 4, 5-8 segments)
// and radius ratio band (< 1.5, < 2, < 3, >= 3); -1 where the chart has no value.
constexpr double segmentZeta[5][5][4] = {
    // 25°: one value for any number of segments (filled in by the lookup)
    {{0.062, 0.062, 0.062, 0.062},
     {0.062, 0.062, 0.062, 0.062},
     {0.062, 0.062, 0.062, 0.062},
     {0.062, 0.062, 0.062, 0.062},
     {0.062, 0.062, 0.062, 0.062}},
    // 30°
    {{0.156, 0.156, 0.156, 0.156},
     {0.2, 0.144, 0.126, 0.062},
     {-1, -1, -1, -1},
     {-1, -1, -1, -1},
     {-1, -1, -1, -1}},
    // 45°
    {{0.332, 0.332, 0.332, 0.332},
     {0.3, 0.192, 0.168, 0.124},
     {0.2, 0.162, 0.138, 0.077},
     {-1, -1, -1, -1},
     {-1, -1, -1, -1}},
    // 60°
    {{0.564, 0.564, 0.564, 0.564},
     {0.3, 0.25, 0.218, 0.203},
     {0.3, 0.211, 0.179, 0.118},
     {0.2, 0.133, 0.109, 0.081},
     {0.2, 0.133, 0.117, 0.086}},
    // 90°
    {{1.19, 1.19, 1.19, 1.19},
     {0.4, 0.32, 0.28, 0.291},
     {0.4, 0.27, 0.23, 0.217},
     {0.2, 0.17, 0.15, 0.139},
     {0.2, 0.17, 0.15, 0.13}},
};

double segmentKruemmerZeta(int winkel, int segmente, double r) {
    if (winkel < 0 || winkel > 4) return -1;
    if (winkel == 0) return segmentZeta[0][0][0];
    if (segmente < 0 || segmente > 4) return -1;
    const int band = r < 1.5 ? 0 : r < 2 ? 1 : r < 3 ? 2 : 3;
    return segmentZeta[winkel][segmente][band];
}

RegelErgebnis segmentRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (!mass(d.i[0])) return stopp(e, regeltext::massFehlt);
    const double r = d.i[4] / d.i[0];
    if (d.tag2 == 0 && !(r > 2)) return stopp(e, regeltext::segmentZuEng);
    const double zeta0 = segmentKruemmerZeta(d.tag1, d.tag2, r);
    // A combination outside the chart would give a negative coefficient.
    if (zeta0 < 0) return stopp(e, regeltext::keinZeta);
    return zetaRegel(e, geschw(e.Q, flaeche_rund(d.i[0])), zeta0 + 0.1, 3);
}

// --- 24 Etage -----------------------------------------------------------------------------------

RegelErgebnis etageRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const double H = d.i[4];
    const double L = d.i[5];
    if (!laenge(H) || !laenge(L)) return stopp(e, regeltext::massFehlt);
    const double theta = std::atan2(H, L) * gradProRad;
    const double Lschraeg = std::hypot(H, L);
    double zeta = 0;
    double A;
    if (d.eckig) {
        if (!mass(d.i[0]) || !mass(d.i[1]) || !mass(d.i[2]) || !mass(d.i[3]))
            return stopp(e, regeltext::massFehlt);
        const double A1 = flaeche_eckig(d.i[0], d.i[1]);
        const double A2 = flaeche_eckig(d.i[2], d.i[3]);
        // The friction share of a steep offset is read over the offset length and the
        // hydraulic diameter of the inlet, the section the velocity refers to - as the round
        // offset reads it over its diameter.
        if (theta > 15) zeta = kurve(kurve_etage_flach(), Lschraeg / dhydr(d.i[0], d.i[1]));
        if (A1 > A2) {
            const auto t = tabelle(e, tabKonfusor, A2 / A1, theta);
            if (!t) return {Art::Stopp, keinErgebnis};
            zeta += *t * (1 - A2 / A1);
        } else if (A1 < A2) {
            if (theta > 25) {
                const auto t = tabelle(e, tabDiffusor, A1 / A2, theta);
                if (!t) return {Art::Stopp, keinErgebnis};
                zeta += *t;
            } else {
                const double t = std::tan(theta / 2 / gradProRad);
                zeta += 4 * t * std::pow(t, 0.25) * quadrat(1 - A1 / A2);
            }
        }
        A = A1;
    } else {
        if (!mass(d.i[0])) return stopp(e, regeltext::massFehlt);
        const double x = Lschraeg / d.i[0];
        zeta = theta > 45 ? kurve(kurve_etage_steil(), x) : kurve(kurve_etage_flach(), x);
        A = flaeche_rund(d.i[0]);
    }
    return zetaRegel(e, geschw(e.Q, A), zeta + 0.1);
}

// --- 26 Kanal->Rohr, 27 Rohr->Kanal
// ---------------------------------------------------------------

RegelErgebnis uebergangRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (!mass(d.i[0]) || !mass(d.i[1]) || !mass(d.i[2])) return stopp(e, regeltext::massFehlt);
    const double Aeckig = flaeche_eckig(d.i[0], d.i[1]);
    const double Arund = flaeche_rund(d.i[2]);
    const bool kanalRohr = d.typ == typKanalRohr;
    if (kanalRohr && d.tag1 == 2) // "Stutzen an Kanal"
        return zetaRegel(e, geschw(e.Q, Aeckig), 2.0);
    const double L = d.i[5];
    if (!laenge(L)) return stopp(e, regeltext::massFehlt);
    double Ain = kanalRohr ? Aeckig : Arund;
    double Aout = kanalRohr ? Arund : Aeckig;
    if (!e.zuluft) std::swap(Ain, Aout);
    const double de = 2 * std::sqrt(d.i[0] * d.i[1] / std::numbers::pi);
    const double theta = std::fabs(2 * std::atan2((de - d.i[2]) / 2, L) * gradProRad);
    // Flow from the duct into the pipe.
    const bool zumRohr = (kanalRohr && e.zuluft) || (!kanalRohr && !e.zuluft);
    double zeta1, Av, dr;
    if (Ain > Aout) {
        const auto t = tabelle(e, tabKonfusor, Aout / Ain, theta);
        if (!t) return {Art::Stopp, keinErgebnis};
        zeta1 = *t;
        Av = Aout;
        dr = zumRohr ? d.i[2] : dhydr(d.i[0], d.i[1]);
    } else {
        const auto t = tabelle(e, tabDiffusor, Ain / Aout, theta);
        if (!t) return {Art::Stopp, keinErgebnis};
        zeta1 = *t;
        if (d.tag1 == 1) zeta1 *= 0.65; // "mit Leitschaufeln"
        Av = Ain;
        dr = zumRohr ? dhydr(d.i[0], d.i[1]) : d.i[2];
    }
    const auto reib = tabelle(e, tabUmlenkung, 1, L / dr);
    if (!reib) return {Art::Stopp, keinErgebnis};
    return zetaRegel(e, geschw(e.Q, Av), zeta1 + *reib + 0.1);
}

// --- 28 Knie
// ----------------------------------------------------------------------------------------

RegelErgebnis knieRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (!mass(d.i[0]) || !mass(d.i[1])) return stopp(e, regeltext::massFehlt);
    const double r = d.i[1] / d.i[0];
    const double zeta = r > 2 ? 0.6 : r > 1 ? 1.2 : r > 0.5 ? 1.7 : 2.1;
    return zetaRegel(e, geschw(e.Q, flaeche_eckig(d.i[0], d.i[1])), zeta);
}

// --- sections of the branch pieces ------------------------------------------------------------

struct Abzweigquerschnitte {
    double A = 0;  // main
    double Aa = 0; // branch
};

// Main and branch of the pieces 30, 34, 35, 37, 38 (rectangular or round by `eckig`) and 39
// (rectangular main, round branch).
std::optional<Abzweigquerschnitte> abzweigquerschnitte(const DVdata& d) {
    const bool hauptEckig = d.eckig || d.typ == typAbzweigstueck90Rund;
    const bool abzEckig = d.eckig && d.typ != typAbzweigstueck90Rund;
    if (!mass(d.i[0]) || (hauptEckig && !mass(d.i[1])) || !mass(d.i[2]) ||
        (abzEckig && !mass(d.i[3])))
        return std::nullopt;
    Abzweigquerschnitte q;
    q.A = hauptEckig ? flaeche_eckig(d.i[0], d.i[1]) : flaeche_rund(d.i[0]);
    q.Aa = abzEckig ? flaeche_eckig(d.i[2], d.i[3]) : flaeche_rund(d.i[2]);
    return q;
}

// --- 30, 31, 38, 39 branch pieces 90° ---------------------------------------------------------

RegelErgebnis abzweig90Regel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const auto q = abzweigquerschnitte(d);
    if (!q) return stopp(e, regeltext::massFehlt);
    const double A = q->A;
    const double Aa = q->Aa;
    const bool reduzier = d.typ == typAbzweigreduzierstueck90;
    double Ar = A;
    double theta = 0;
    if (reduzier) {
        if (!mass(d.i[4]) || (d.eckig && !mass(d.i[5])) || !laenge(d.i[6]))
            return stopp(e, regeltext::massFehlt);
        Ar = d.eckig ? flaeche_eckig(d.i[4], d.i[5]) : flaeche_rund(d.i[4]);
        theta = std::atan2(std::fabs(d.i[0] - d.i[4]) / 2, d.i[6]) * gradProRad;
    }
    const double w = geschw(e.Q, A);
    const double xD = e.QD / e.Q;
    const double xA = e.QA1 / e.Q;
    const double wa = geschw(e.QA1, Aa);
    const bool rund39 = d.typ == typAbzweigstueck90Rund;
    double zeta;
    if (e.modus < 2) {
        if (rund39) {
            if (e.zuluft)
                zeta = d.tag1 == 0 ? 0.1 : 0.4 * xA * xA; // "scharfkantig" / "gerundet"
            else
                zeta = 1.55 * xA - xA * xA;
        } else if (e.zuluft) {
            double zetaR = 0;
            if (reduzier) {
                const auto t = tabelle(e, tabKonfusor, flaechenverhaeltnis(A, Ar), theta);
                if (!t) return {Art::Stopp, keinErgebnis};
                zetaR = *t * quadrat(1 - xA) * quadrat(A / Ar) + 0.1;
            }
            zeta = 0.4 * xD * xD + zetaR;
        } else {
            double zetaR = 0;
            if (reduzier) {
                const auto t = tabelle(e, tabDiffusor, flaechenverhaeltnis(A, Ar), theta);
                if (!t) return {Art::Stopp, keinErgebnis};
                zetaR = *t + 0.1;
            }
            zeta = 1.55 * xD - xD * xD + zetaR;
        }
    } else if (e.zuluft) {
        if (rund39 && d.tag1 == 0) {
            zeta = 1.0;
        } else {
            const double zeta0 = wa / w > 0.8 ? 0.9 : 1.0;
            zeta = 0.9 * zeta0 * (1 + quadrat(xA * A / Aa));
        }
    } else {
        const double K = rund39 ? 1.0 : abzweigfaktor(Ar, Aa, A, e.Q, e.QA1);
        zeta = K * (1 + quadrat(xA * A / Aa) - 2 * quadrat(1 - xA));
    }
    return zetaRegel(e, w, zeta);
}

// --- 32, 33 branch pieces below 90° ------------------------------------------------------------

double abzweigK(int tag1) {
    switch (tag1) {
    case 0:
        return 1.93;
    case 1:
        return 1.74;
    case 2:
        return 1.41;
    default:
        return 1.0;
    }
}

RegelErgebnis abzweigSpitzRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const bool reduzier = d.typ == typAbzweigreduzierstueckSchraeg;
    if (!mass(d.i[0]) || !mass(d.i[2]) || (reduzier && (!mass(d.i[4]) || !laenge(d.i[6]))))
        return stopp(e, regeltext::massFehlt);
    const double A = flaeche_rund(d.i[0]);
    const double Aa = flaeche_rund(d.i[2]);
    const double Ar = reduzier ? flaeche_rund(d.i[4]) : A;
    const double theta =
        reduzier ? std::atan2(std::fabs(d.i[0] - d.i[4]) / 2, d.i[6]) * gradProRad : 0;
    const double w = geschw(e.Q, A);
    const double x = e.QA1 / e.Q;
    const double wa = geschw(e.QA1, Aa);
    const bool abzweig = e.modus >= 2;
    double zeta;
    if (e.zuluft) {
        if (abzweig) {
            const auto t = tabelle(e, tabAbzweig, d.tag1, wa / w);
            if (!t) return {Art::Stopp, keinErgebnis};
            zeta = *t;
        } else {
            zeta = 0.4 * x * x;
            if (reduzier) {
                const auto t = tabelle(e, tabKonfusor, flaechenverhaeltnis(A, Ar), theta);
                if (!t) return {Art::Stopp, keinErgebnis};
                zeta += *t * quadrat(1 - x) * quadrat(A / Ar) + 0.1;
            }
        }
    } else {
        const double k = abzweigK(d.tag1);
        if (abzweig) {
            const double K = abzweigfaktor(A, Aa, A, e.Q, e.QA1);
            // (1 - x)², as in the converging branch of types 30 and 31.
            zeta = K * (1 + quadrat(x * A / Aa) - 2 * quadrat(1 - x) - k * (A / Aa) * x * x);
            if (reduzier) {
                const auto t = tabelle(e, tabDiffusor, flaechenverhaeltnis(A, Ar), theta);
                if (!t) return {Art::Stopp, keinErgebnis};
                zeta += *t + 0.1;
            }
        } else {
            zeta = 1 - quadrat(1 - x) - k * (A / Aa) * x * x + 0.1;
        }
    }
    return zetaRegel(e, w, zeta);
}

// --- 34 Sattelstutzen 90° ----------------------------------------------------------------------

RegelErgebnis sattelRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (d.eckig) {
        const auto q = abzweigquerschnitte(d);
        if (!q) return stopp(e, regeltext::massFehlt);
        const double w = geschw(e.Q, q->A);
        const double Qx = e.modus >= 2 ? e.QA1 : e.QD;
        const double wx = geschw(Qx, q->Aa);
        const double r = wx / w;
        double zeta;
        if (e.zuluft) {
            zeta = r > 1.3 ? 1.0 : r > 1.0 ? 1.3 : r > 0.8 ? 1.8 : r > 0.6 ? 3.0 : 6.5;
            return zetaRegel(e, w, zeta);
        }
        const double a = q->Aa / q->A;
        if (a <= 0.6)
            zeta = r > 1.3 ? 1.4 : r > 1.0 ? 2.0 : r > 0.7 ? 5.0 : 11.0;
        else if (a <= 0.9)
            zeta = r > 1.3 ? 1.4 : r > 1.0 ? 1.6 : r > 0.7 ? 2.7 : 6.0;
        else
            zeta = r > 1.0 ? 2.0 : r > 0.7 ? 2.5 : 4.0;
        return zetaRegel(e, wx, zeta);
    }
    if (!mass(d.i[0])) return stopp(e, regeltext::massFehlt);
    const double w = geschw(e.Q, flaeche_rund(d.i[0]));
    const TKurve& f = e.zuluft ? kurve_sattel_zu() : kurve_sattel_ab();
    double zeta = 0;
    if (e.modus == 1)
        zeta = kurve(f, e.QD / e.Q);
    else if (e.modus == 2)
        zeta = kurve(f, e.QA1 / e.Q);
    return zetaRegel(e, w, zeta);
}

// --- 35 Hosenstück ------------------------------------------------------------------------------

RegelErgebnis hosenRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const auto q = abzweigquerschnitte(d);
    if (!q) return stopp(e, regeltext::massFehlt);
    const double w = geschw(e.Q, q->A);
    const double Qx = e.modus == 1 ? e.QD : e.QA1;
    double zeta;
    if (e.zuluft) {
        double alpha;
        switch (d.tag1) {
        case 1:
            alpha = 30;
            break;
        case 2:
            alpha = 45;
            break;
        case 3:
            alpha = 60;
            break;
        default:
            alpha = 15;
        }
        const double s = geschw(Qx, q->Aa) / w;
        const double K = abzweigfaktor(q->Aa, q->Aa, q->A, e.Q, Qx);
        zeta = (1 + s * s - 2 * s * std::cos(alpha / gradProRad)) * K;
    } else {
        double c1, c2, c3, c4;
        switch (d.tag1) {
        case 0:
            c1 = 0.07, c2 = 7.3, c3 = 3.7, c4 = 2.64;
            break;
        case 1:
            c1 = 0.25, c2 = 6.6, c3 = 3.0, c4 = 2.3;
            break;
        case 2:
            c1 = 0.5, c2 = 5.6, c3 = 2.0, c4 = 1.8;
            break;
        case 3:
            c1 = 0.82, c2 = 4.3, c3 = 0.7, c4 = 1.16;
            break;
        default:
            return stopp(e, regeltext::keinZeta);
        }
        const double y = Qx / e.Q;
        zeta = c1 * (std::pow(y, 4) + std::pow(1 - y, 4)) + c2 * y - c3 * y * y - c4;
    }
    return zetaRegel(e, w, zeta);
}

// --- 37 Kreuzstück ------------------------------------------------------------------------------

RegelErgebnis kreuzRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    const auto q = abzweigquerschnitte(d);
    if (!q) return stopp(e, regeltext::massFehlt);
    const double A = q->A;
    const double Aa = q->Aa;
    // The catalogue gives the cross no option list, so tag1 stays -1 and only that branch of
    // each choice below is reached; the others are kept for a catalogue that offers options.
    double zeta = 0;
    double w;
    if (e.zuluft) {
        w = geschw(e.Q, A);
        if (e.modus < 2) {
            zeta = 0.4 * quadrat((e.QA1 + e.QA2) / e.Q);
        } else {
            const double Qx = e.modus == 2 ? e.QA1 : e.QA2;
            const double wx = geschw(Qx, Aa);
            if (d.tag1 == 0) {
                const double zeta0 = wx / w > 0.8 ? 0.9 : 1.0;
                zeta = 0.9 * zeta0 * (1 + quadrat(Qx / e.Q * A / Aa));
            } else {
                const int spalte = d.tag1 == 1 ? 3 : d.tag1 == 2 ? 2 : d.tag1 == 3 ? 1 : 0;
                const auto t = tabelle(e, tabAbzweig, spalte, wx / w);
                if (!t) return {Art::Stopp, keinErgebnis};
                zeta = *t;
            }
        }
    } else {
        double k;
        switch (d.tag1) {
        case 0:
            k = 0;
            break;
        case 2:
            k = 1.42;
            break;
        case 3:
            k = 1.73;
            break;
        case 4:
            k = 1.93;
            break;
        default:
            k = 1.0;
        }
        w = geschw(e.QD, A);
        const double n = e.Q / e.QD;
        if (e.modus < 2) {
            const double qv = e.QA2 / e.QA1;
            zeta = (1 - (n + 1) / quadrat(0.25 * n + 0.75)) * n * n + 1 -
                   n * n * k * (qv * qv + 1) / quadrat(qv + 1) * quadrat(e.QD / e.Q - 1);
        } else {
            // Branch 2 is branch 1 with the two branch flows exchanged.
            const double Qx = e.modus == 2 ? e.QA1 : e.QA2;
            const double Qy = e.modus == 2 ? e.QA2 : e.QA1;
            const double qv = Qy / Qx;
            const double eq = Qx / e.QD;
            const double l = e.QD / Qx - (qv + 1);
            const double nenner = 4 - (qv + 1) * eq;
            if (nenner == 0) return stopp(e, regeltext::nichtBerechenbar);
            zeta = quadrat(eq * A / Aa) + 1 - 8 * eq * eq * l * l / nenner -
                   (qv * qv + 1) * eq * eq * k * A / Aa;
        }
    }
    if (!endlich(zeta)) return stopp(e, regeltext::nichtBerechenbar);
    return zetaRegel(e, w, std::max(zeta, 0.5));
}

// --- 40 Drosselklappe, 44 Volumenstromregler
// ------------------------------------------------------

RegelErgebnis drosselRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (!mass(d.i[0])) return stopp(e, regeltext::massFehlt);
    const auto t = tabelle(e, tabDrosselklappe, 0, d.i[2]);
    if (!t) return {Art::Stopp, keinErgebnis};
    return zetaRegel(e, geschw(e.Q, flaeche_rund(d.i[0])), *t);
}

RegelErgebnis reglerRegel(RegelEingabe& e) {
    const DVdata& d = e.rec;
    if (!mass(d.i[0]) || (d.eckig && !mass(d.i[1]))) return stopp(e, regeltext::massFehlt);
    const double A = d.eckig ? flaeche_eckig(d.i[0], d.i[1]) : flaeche_rund(d.i[0]);
    // The controller is taken fully open: the control damper's value at 0°.
    const auto t = tabelle(e, tabRegelklappe, 0, 0);
    if (!t) return {Art::Stopp, keinErgebnis};
    return zetaRegel(e, geschw(e.Q, A), *t);
}

} // namespace

double abzweigfaktor(double a, double b, double c, double Q, double Qx) {
    if (a + b == c || a != c || b / c <= 0.35) return 1;
    const double g = Qx / Q;
    return g <= 0.4 ? 0.9 * (1 - g) : 0.55;
}

bool hatTypRegel(int typ) {
    switch (typ) {
    case typKanal:
    case typRohr:
    case typAussenluftgitter:
    case typZuluftauslass:
    case typFortluftgitter:
    case typAbluftgitter:
    case typQuerschnittsaenderung:
    case typUebergangsbogen:
    case typBogen:
    case typAltBogenRund:
    case typSegmentkruemmer:
    case typEtage:
    case typKanalRohr:
    case typRohrKanal:
    case typKnie:
    case typAbzweigstueck90:
    case typAbzweigreduzierstueck90:
    case typAbzweigstueckSchraeg:
    case typAbzweigreduzierstueckSchraeg:
    case typSattelstutzen90:
    case typHosenstueck:
    case typKreuzstueck:
    case typAufteilstueck:
    case typAbzweigstueck90Rund:
    case typDrosselklappe:
    case typSchalldaempfer:
    case typBrandschutzklappe:
    case typVolumenstromregler:
        return true;
    default:
        return false;
    }
}

RegelErgebnis formstueckRegel(RegelEingabe& e) {
    switch (e.rec.typ) {
    case typKanal:
    case typRohr:
        return geradeRegel(e);
    case typVolumenstrom:
        return {Art::DpRegel, 0};
    case typQuerschnittsaenderung:
        return querschnittRegel(e);
    case typUebergangsbogen:
    case typBogen:
    case typAltBogenRund:
        return bogenRegel(e);
    case typSegmentkruemmer:
        return segmentRegel(e);
    case typEtage:
        return etageRegel(e);
    case typKanalRohr:
    case typRohrKanal:
        return uebergangRegel(e);
    case typKnie:
        return knieRegel(e);
    case typAbzweigstueck90:
    case typAbzweigreduzierstueck90:
    case typAbzweigstueck90Rund:
    // The dividing piece splits the main flow into a continuing and a branching passage
    // with the main and branch sections of the plain branch piece; it is taken as one.
    case typAufteilstueck:
        return abzweig90Regel(e);
    case typAbzweigstueckSchraeg:
    case typAbzweigreduzierstueckSchraeg:
        return abzweigSpitzRegel(e);
    case typSattelstutzen90:
        return sattelRegel(e);
    case typHosenstueck:
        return hosenRegel(e);
    case typKreuzstueck:
        return kreuzRegel(e);
    case typDrosselklappe:
        return drosselRegel(e);
    case typVolumenstromregler:
        return reglerRegel(e);
    default:
        return {Art::KeineRegel, keinErgebnis};
    }
}

} // namespace zephan
