#pragma once

#include "bands/pegel.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace zephan {

// The maker data and chart points of the flow-noise calculation, read from the text tables
// carried in the program (":/data/schall/"). Every table is a plain list of lines with
// whitespace-separated values ("." decimal point, "#" starts a comment); a table that is
// missing or has a malformed line is empty and its model finds no data.

// Trox disc valve LV: L_WA [dB] through two points (flow, level), the printed gap width and
// the relative spectrum of one size and direction.
struct TellerventilDaten {
    bool zuluft = true;
    int dn = 0;
    double v1 = 0, l1 = 0, v2 = 0, l2 = 0;
    int spalt = 0;
    TPegel deltaL{};
    // L_WA at the flow q [m³/h] of one valve, before the 10 dB floor.
    double lwa(double q) const { return l1 + (l2 - l1) / (v2 - v1) * (q - v1); }
};

// Trox fire-protection disc valve FV-K90 / FVZ-K30: L = c2 q² + c1 q + c0 at setting 1.
struct BrandschutzventilDaten {
    bool zuluft = true;
    int dn = 0;
    double c2 = 0, c1 = 0, c0 = 0;
    double pegel(double q) const { return c2 * q * q + c1 * q + c0; }
};

// One row of maker data: a spectrum at a value of x (velocity, flow, ...).
struct Spektrumzeile {
    double x = 0;
    TPegel pegel{};
};

// Rectangular fire damper 634 mm wide: the velocity rows of one height group.
struct KlappenGruppe {
    int hoehe = 0;
    std::vector<Spektrumzeile> zeilen; // ascending velocity
};

// Round fire damper FKRS-02-K90: the velocity rows of one size.
struct FkrsGroesse {
    int dn = 0;
    std::vector<Spektrumzeile> zeilen; // ascending velocity
};

struct Kurvenstuetze {
    double x = 0;
    double y = 0;
};

// Constant-volume-flow controller Serie R.
struct ReglerDaten {
    static constexpr std::array<int, 4> druecke{100, 250, 500, 1000}; // Pa
    int dn = 0;
    std::array<double, 5> stroeme{}; // flow points [m³/h]
    // Spectrum per pressure difference and flow point; empty where the maker's value is not
    // carried.
    std::array<std::array<std::optional<TPegel>, 5>, 4> pegel;
};

// A fan design: the constant K, c of the relative spectrum and the flow-surcharge chart.
struct VentilatorBauart {
    int option = 0;
    double K = 0;
    double c = 0;
    int bild = 13;
};

// One size class of the duct attenuation per metre: from `ab` [mm] up to the next class.
struct Kanaldaempfungsklasse {
    bool eckig = true;
    int ab = 0;
    TPegel proMeter{}; // dB/m
};

// Insertion loss of one listed silencer size.
struct SchalldaempferDaten {
    int laenge = 0; // mm
    int dn = 0;     // mm
    TPegel einfuegung{};
};

struct Schalldaten {
    std::vector<TellerventilDaten> tellerventile;
    std::vector<BrandschutzventilDaten> brandschutzventile;
    std::vector<KlappenGruppe> klappen; // ascending height
    std::vector<Kurvenstuetze> breitenkorrektur;
    std::vector<FkrsGroesse> fkrs;
    std::vector<ReglerDaten> regler;
    std::vector<VentilatorBauart> ventilatoren;
    std::array<double, 4> bild13{}; // polynomial coefficients a0..a3
    std::array<double, 4> bild14{};
    std::vector<Kurvenstuetze> bild19;
    std::vector<Kurvenstuetze> bild22;
    std::vector<Kanaldaempfungsklasse> kanaldaempfung; // per shape ascending `ab`
    std::optional<TPegel> bogenDaempfung;              // base spectra before the shift
    std::optional<TPegel> knieDaempfung;
    std::vector<SchalldaempferDaten> schalldaempfer;

    const TellerventilDaten* tellerventil(bool zuluft, int dn) const;
    const BrandschutzventilDaten* brandschutzventil(bool zuluft, int dn) const;
    const FkrsGroesse* fkrsGroesse(int dn) const;
    const ReglerDaten* reglerGroesse(int dn) const;
    const VentilatorBauart* ventilator(int option) const;
    // The class of d [mm] for the shape (the first one for d below every bound); null when the
    // table carries none for the shape.
    const Kanaldaempfungsklasse* kanalKlasse(bool eckig, int d) const;
    const SchalldaempferDaten* schalldaempferGroesse(int laenge, int dn) const;
};

// The table texts by name, for tests that read other data.
struct SchalldatenTexte {
    QByteArray tellerventil, brandschutzventil, klappen, breitenkorrektur, fkrs, regler, kurven;
    QByteArray kanaldaempfung, umlenkdaempfung, schalldaempfer;
};
// The carried tables.
SchalldatenTexte getrageneSchalldaten();
// Parses the tables; a table with a malformed line is left empty and the line goes to the
// trace log.
Schalldaten schalldatenLesen(const SchalldatenTexte& texte);
// The program's data, read once on first use.
const Schalldaten& schalldaten();

} // namespace zephan
