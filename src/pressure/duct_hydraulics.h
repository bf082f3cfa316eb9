#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace zephan {

class TBasisDatenTabelle;
class TDruck;
class tmylistitem;
struct DVdata;

// Cross sections and velocities (dimensions in mm, areas in m², flows in m³/h).

// a·b/10⁶ [m²]
double flaeche_eckig(double a, double b);
// (d/1000)²/4·π [m²]
double flaeche_rund(double d);
// hydraulic diameter 2·a·b/(a+b) [mm]
double dhydr(double a, double b);
// diameter of the circle of equal area √(4·a·b/π) [mm]
double dgleich(double a, double b);
// velocity [m/s] of the flow q [m³/h] through the area a [m²]
double geschwindigkeit(double q, double a);
// loss coefficient of a pressure loss dp [Pa] at velocity v [m/s] and density rho
double zeta_aus_dp(double dp, double v, double rho);
// a loss k [Pa] given at the reference velocity c, scaled to velocity v: (v/c)²·k
double quadratisch(double v, double k, double c);

// Kinematic viscosity 15·10⁻⁶ m²/s and the laminar/turbulent limit.
constexpr double viskositaet = 15e-6;
constexpr int reynoldsGrenze = 2320;

// Materials of ducts and pipes with their roughness ks [mm], looked up by exact name.
struct Material {
    const char* name;
    double ks;
};
const std::array<Material, 10>& Materialtabelle();
// ks [mm] of the material, or -1 when the name is not in the table.
double materialKs(const QString& name);

// Request to the friction kernel.
struct tDVvorgabe {
    double ks = 0;   // roughness [mm]
    double v = 0;    // mean velocity [m/s]
    int32_t art = 0; // 0 rectangular duct, 1 round duct, 2 fitting, 3 round duct, no report
    double b = 0;    // width (art 0) or diameter (art 1, 3) [mm]
    double h = 0;    // height [mm], art 0
    double zeta = 0; // loss coefficient, art 2
};

// Kinds of a request.
constexpr int32_t artEckig = 0;
constexpr int32_t artRund = 1;
constexpr int32_t artFormstueck = 2;
constexpr int32_t artRundStill = 3;

// Result of the friction kernel.
struct tresult {
    bool ok = false;
    QString einheit;  // "Pa/m" or "Pa"
    int32_t art = -1; // 0 whole number in i, 1 decimal in s
    int64_t i = 0;
    double s = 0;
    uint8_t nachk = 0; // decimals when printed

    double wert() const { return art == 0 ? static_cast<double>(i) : s; }
    // "1,23 [Pa/m]"; "Fehler" when not ok; "Fehler. Result.art nicht gesetzt." for another art.
    QString text() const;
};

// What the friction calculation found on its way (for the command-line tool and tests).
struct Reibungswerte {
    double dh = 0;     // hydraulic diameter [m]
    long long Re = 0;  // Reynolds number
    double ksd = 0;    // relative roughness
    double lambda = 0; // friction factor
};

// Pressure gradient R [Pa/m] of a straight run (art 0, 1, 3) or dynamic pressure loss [Pa] of
// a fitting (art 2) at density rho. With a document that is recording and art ≠ 3 the
// derivation is written into it line by line. Dimensions ≤ 0, a negative velocity or
// roughness and numbers that are not finite give ok = false and write nothing.
void dvberechnen(const tDVvorgabe& vorgabe, tresult& result, TDruck* druck, double rho,
                 Reibungswerte* werte = nullptr);

// Δp = ζ·ρ·v²/2 [Pa]; with a recording document its derivation is written (as art 2).
double zetadruck(double v, double zeta, TDruck* druck, double rho);

// No result of a pressure-loss calculation; callers take anything ≤ -999 as none.
constexpr double keinErgebnis = -1000;

// Straight run of a duct (type 2, "Kanal") or pipe (type 3, "Rohr") with the flow q [m³/h]:
// stores the velocity (2 decimals) in p[0], looks up p[2] in the material table and returns
// R·i[5]/1000 [Pa], or R [Pa/m] when the length i[5] is 0. A recording document receives the
// friction derivation and, for a run with a length, the line Δp = l·R. An unknown material writes
// "Material nicht gefunden: " + name (duct) or "Material " + name + " nicht gefunden." (pipe)
// and gives keinErgebnis, as do a record in planning, another type and dimensions ≤ 0. A flow
// of 0 counts as 1 m³/h; a negative flow is taken by its amount.
double geradeStrecke(DVdata& d, double q, TDruck* druck, double rho);

// The straight run of a duct or pipe node with the node's own volume flow, at density rho:
// runs on a copy of the record and stores it back (with the new velocity text) only when a
// result came out. keinErgebnis for no node or record.
double geradeStrecke(const TBasisDatenTabelle& kat, tmylistitem* node, TDruck* druck, double rho);

// Smallest round diameter (12, 14, 16, ... mm) whose gradient for the flow q [m³/h] in a
// steel pipe (ks 0.15 mm) lies below rMax [Pa/m]; -1 for a flow of 0, a limit ≤ 0 or when no
// diameter up to 5000 mm will do.
int rohrsuchen(double q, double rMax, double rho);
constexpr int rohrsuchenGrenze = 5000; // mm

// What the edit panel shows after the interactive calculation of a duct or pipe.
struct StreckenAnzeige {
    double ergebnis = keinErgebnis; // Pa, or Pa/m for a run of length 0
    QString ergebnisLabel;          // "12,34 [Pa]" or "-"
    QString gefaelleLabel;          // "R= 0,87 [Pa/m]"; empty: the label stays as it is
};

// The interactive calculation of the duct or pipe in the edit buffer with the selected
// node's flow q (-1 when unknown) at density rho. The document records while it runs when
// `drucken` is set and is switched off at the end.
StreckenAnzeige berechne1Strecke(DVdata& editDaten, double q, TDruck& druck, bool drucken,
                                 double rho);

// The same for the selected node of the tree: its volume flow (-1 when there is no node) and
// the density of its line.
StreckenAnzeige berechne1Strecke(const TBasisDatenTabelle& kat, const tmylistitem* selected,
                                 DVdata& editDaten, TDruck& druck, bool drucken);

} // namespace zephan
