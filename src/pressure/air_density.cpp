#include "pressure/air_density.h"

#include "network/network_tree.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {
double begrenzt(double rho) {
    if (!std::isfinite(rho) || rho < dichteMinimum || rho > dichteMaximum) return dichteStandard;
    return rho;
}
} // namespace

double saettigungsdruck(double t) {
    if (t >= 0) return 288.68 * std::pow(1.098 + t / 100, 8.02) / 100;
    return 4.689 * std::pow(1.486 + t / 100, 12.3) / 100;
}

double luftdichte(double phi, double t) {
    const double ps = saettigungsdruck(t);
    const double anteil = phi / 100 * ps;
    // water content [g/kg] and the relative humidity computed back from it
    const double x = 1000 * 0.622 * anteil / (luftdruckHpa - anteil);
    const double phiZurueck = (x / 1000) * luftdruckHpa / (x / 1000 + 0.622) / ps * 100;
    const double pD = phiZurueck / 100 * ps * 100; // vapour partial pressure [Pa]
    const double p = luftdruckHpa * 100.0;
    const double T = t + 273.15;
    const double rho = ((p - pD) * 0.348 / T + pD * 0.216 / T) / 100;
    // Far outside the dialog's ranges the formula breaks down (vapour pressure above the total
    // pressure); such a value would not be kept as a line's density anyway.
    return begrenzt(rho);
}

double dichteAusText(const QString& text) {
    bool ok = false;
    const double rho = leseZahl(text, &ok);
    return ok ? begrenzt(rho) : dichteStandard;
}

double strangDichte(const tmylistitem* node) {
    const DVdata* kopf = nodeDaten(strangKopf(node));
    return kopf ? dichteAusText(kopf->p[1]) : dichteStandard;
}

} // namespace zephan
