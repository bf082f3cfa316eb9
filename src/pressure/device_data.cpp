#include "pressure/device_data.h"

#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

constexpr double nicht = -1; // size not made

TKurve kurveAus(std::initializer_list<std::pair<float, float>> punkte) {
    TKurve k(TKurve::linear);
    for (const auto& [x, y] : punkte) k.Add(x, y);
    return k;
}

} // namespace

const std::array<double, 9>& gitterBreiten() {
    static const std::array<double, 9> breiten{225, 325, 425, 525, 625, 725, 825, 1025, 1225};
    return breiten;
}

const std::array<GitterZeile, 5>& gitterTabelle() {
    static const std::array<GitterZeile, 5> tabelle{{
        {125, {0.015, 0.021, 0.029, 0.036, 0.043, 0.054, 0.057, 0.072, 0.086}},
        {225, {0.029, 0.043, 0.057, 0.072, 0.086, 0.107, 0.114, 0.142, 0.172}},
        {325, {nicht, 0.064, 0.086, 0.108, 0.129, 0.161, 0.172, 0.214, 0.256}},
        {425, {nicht, nicht, nicht, nicht, 0.172, nicht, 0.228, 0.285, 0.342}},
        {gitterHoeheGross, {nicht, nicht, nicht, nicht, nicht, nicht, nicht, 0.355, 0.427}},
    }};
    return tabelle;
}

const VentilTabelle& tellerventilAbluft() {
    static const VentilTabelle t{{{100, 0.01039, -0.08052, 1.93766, 0},
                                  {125, 0.0042, 0.0122, -0.25172, 0},
                                  {160, 0.00216, -0.05413, 1.62388, 0},
                                  {200, 0.00049, 0.18297, -14.64338, 0}}};
    return t;
}

const VentilTabelle& tellerventilZuluft() {
    static const VentilTabelle t{{{100, 0.00551, 0.20752, -5.84053, 9},
                                  {125, 0.00254, 0.11071, -3.77495, 12},
                                  {160, 0.00081, 0.11992, -8.1243, 15},
                                  {200, 0.00064, 0.02187, -0.98167, 15}}};
    return t;
}

const VentilTabelle& brandschutzventilAbluft() {
    static const VentilTabelle t{{{100, 0.00516, -0.02156, 1.18782, 0},
                                  {125, 0.00334, 0.00926, 0, 0},
                                  {160, 0.00247, -0.06889, 2.70833, 0},
                                  {200, 0.0013, -0.00531, -0.01487, 0}}};
    return t;
}

const VentilTabelle& brandschutzventilZuluft() {
    static const VentilTabelle t{{{100, 0.00669, -0.12385, 5.46154, 0},
                                  {125, 0.00488, -0.15938, 6.77032, 0},
                                  {160, 0.00279, -0.03935, 1.71887, 0},
                                  {200, 0.00157, 0.00102, -0.14884, 0}}};
    return t;
}

std::optional<VentilKennlinie> ventilKennlinie(const VentilTabelle& tabelle, double dn) {
    for (const VentilKennlinie& k : tabelle)
        if (dn == k.dn) return k;
    return std::nullopt;
}

const std::array<DralldurchlassKennlinie, 10>& dralldurchlass() {
    static const std::array<DralldurchlassKennlinie, 10> kennlinien{{
        {100, 7, 250, 49},    // FD-300-H
        {150, 5.5, 500, 70},  // -400
        {200, 5, 600, 48},    // -500
        {250, 5.5, 900, 68},  // -600
        {250, 5.5, 900, 68},  // -625: charted together with -600
        {100, 8, 250, 49},    // FD-300-V
        {200, 10, 500, 69},   // -400
        {350, 15, 700, 65},   // -500
        {400, 12, 1200, 100}, // -600
        {400, 12, 1200, 100}, // -625
    }};
    return kennlinien;
}

std::optional<double> fkrsZeta(double dn) {
    if (dn == 100) return 1.9;
    if (dn == 125) return 1.1;
    if (dn == 160) return 0.9;
    if (dn == 200) return 0.6;
    return std::nullopt;
}

const TKurve& bskKurveHoehe() {
    static const TKurve k = kurveAus({{201, 4.32},
                                      {252, 2.5},
                                      {318, 1.61},
                                      {357, 1.34},
                                      {400, 1.14},
                                      {449, 0.98},
                                      {503, 0.86},
                                      {565, 0.75},
                                      {634, 0.67},
                                      {711, 0.6},
                                      {797, 0.54}});
    return k;
}

const TKurve& bskKurveBreite() {
    static const TKurve k = kurveAus({{201, 2.2},
                                      {252, 1.8},
                                      {318, 1.6},
                                      {357, 1.4},
                                      {400, 1.3},
                                      {449, 1.2},
                                      {503, 1.1},
                                      {565, 1.1},
                                      {634, 1.0},
                                      {711, 0.9},
                                      {797, 0.9},
                                      {894, 0.8},
                                      {1003, 0.8},
                                      {1125, 0.8},
                                      {1262, 0.8},
                                      {1416, 0.8},
                                      {1500, 0.8}});
    return k;
}

double bsk_zeta(double h, double b) {
    // The curves read in single precision: a size beyond its range would become infinite there.
    if (!std::isfinite(h) || !std::isfinite(b) || std::fabs(h) > 1e9 || std::fabs(b) > 1e9)
        return -1;
    h = std::min(h, bskHoeheMax);
    b = std::min(b, bskBreiteMax);
    return static_cast<double>(bskKurveHoehe().wert(static_cast<float>(h))) *
           static_cast<double>(bskKurveBreite().wert(static_cast<float>(b)));
}

} // namespace zephan
