#pragma once

#include <QString>

namespace zephan {

class tmylistitem;

// Air state of the pressure-loss calculations. Each line carries its own density in its line
// head; a calculation takes it from there (strangDichte) into its context, so nothing about the
// air is kept process-wide.

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

// The density of the line a node belongs to: the number stored in its line head's p[1]
// (read as dichteAusText); dichteStandard when there is no node or no record.
double strangDichte(const tmylistitem* node);

} // namespace zephan
