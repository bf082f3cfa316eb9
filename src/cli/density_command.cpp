#include "cli/command.h"
#include "pressure/air_density.h"

#include <cmath>

namespace zephan::cli {
namespace {

const Command density("density", "density TEMP PHI", [](const QStringList& args) {
    if (args.size() != 2) return usage("density");
    double t = 0, phi = 0;
    QString grund;
    if (!zahlArgument(args[0], t, grund) || !zahlArgument(args[1], phi, grund))
        return fehler(grund);
    // the ranges of the density dialog
    if (t < -50 || t > 50)
        return fehler(QStringLiteral("Die Lufttemperatur muss zwischen -50 und 50 °C liegen."));
    if (phi < 0 || phi > 100)
        return fehler(QStringLiteral("Die relative Luftfeuchte muss zwischen 0 und 100 % liegen."));
    keyValue(QStringLiteral("rho"), luftdichte(phi, t));
    return exitOk;
});

} // namespace
} // namespace zephan::cli
