#pragma once

#include <QString>

namespace zephan {

class tmylistitem;

// Air state of the pressure-loss calculations. The density is one value for the whole program
// (1.2 kg/m³ at start); each line's calculation sets it from the line head. Calculations take
// the density as an argument where they can; callers that run one line's calculation hold a
// DichteScope so the line's density cannot outlive that calculation.

constexpr double dichteStandard = 1.2; // kg/m³, start value and fallback
constexpr int luftdruckHpa = 1013;     // barometric pressure used for the density
constexpr double dichteMinimum = 0.5;  // kg/m³, sensible bounds of a stored density
constexpr double dichteMaximum = 2.0;

// Density [kg/m³] of moist air at relative humidity phi [%] and temperature t [°C]. Meant for
// the ranges of the density dialog (t -50 ... 50, phi 0 ... 100); an input for which the
// formula gives no density within dichteMinimum ... dichteMaximum gives dichteStandard.
double luftdichte(double phi, double t);

// Saturation pressure of water vapour [hPa] at t [°C].
double saettigungsdruck(double t);

// A stored density text ("1,200"): blanks and "+" ignored, decimal comma. A text that is no
// number or lies outside dichteMinimum ... dichteMaximum gives dichteStandard.
double dichteAusText(const QString& text);

// The process-wide density used by calculations that are not given one.
double dichte();

// Sets the process-wide density for as long as the scope lives and restores the previous
// value afterwards. Values outside the sensible bounds (or not finite) are taken as
// dichteStandard.
class DichteScope {
public:
    explicit DichteScope(double rho);
    ~DichteScope();
    DichteScope(const DichteScope&) = delete;
    DichteScope& operator=(const DichteScope&) = delete;

    double wert() const { return wert_; }

private:
    double vorher_;
    double wert_;
};

// The density of the line a node belongs to: the number stored in its line head's p[1]
// (read as dichteAusText); dichteStandard when there is no node or no record.
double strangDichte(const tmylistitem* node);

// Sets the program-wide density to that of the selected node's line for as long as the
// returned scope lives:  auto dichteDesStrangs = setdichte(node);
[[nodiscard]] DichteScope setdichte(const tmylistitem* node);

} // namespace zephan
