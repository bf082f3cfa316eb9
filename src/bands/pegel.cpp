#include "bands/pegel.h"

#include <climits>
#include <cmath>

namespace zephan {

TPegel pegel(double wert) {
    TPegel p;
    p.fill(wert);
    return p;
}

bool ganzerPegel(const TPegel& p, double wert) {
    for (int k = 0; k < bandAnzahl; ++k)
        if (p[k] != wert) return false;
    return true;
}

void setzen(TPegel& p, double wert) {
    p.fill(wert);
}

void setzen8(TPegel& p, double s1, double s2, double s3, double s4, double s5, double s6, double s7,
             double s8) {
    p = TPegel{s1, s2, s3, s4, s5, s6, s7, s8};
}

void addiere(const TPegel& a, const TPegel& b, TPegel& c) {
    for (int k = 0; k < bandAnzahl; ++k) c[k] = a[k] + b[k];
}

double gesamtpegel(const TPegel& a) {
    double summe = 0;
    for (int k = 0; k < bandAnzahl; ++k) summe += std::pow(10.0, a[k] / 10.0);
    return 10.0 * std::log10(summe);
}

void pegeladdition(const TPegel& a, const TPegel& b, TPegel& c) {
    for (int k = 0; k < bandAnzahl; ++k)
        c[k] = 10.0 * std::log10(std::pow(10.0, a[k] / 10.0) + std::pow(10.0, b[k] / 10.0));
}

void skaliere(const TPegel& a, double faktor, TPegel& c) {
    for (int k = 0; k < bandAnzahl; ++k) c[k] = a[k] * faktor;
}

void negiere(const TPegel& a, TPegel& c) {
    for (int k = 0; k < bandAnzahl; ++k) c[k] = -a[k];
}

int aufrunden(double x) {
    if (std::isnan(x)) return static_cast<int>(pegelNichtBerechnet);
    // Keep the step inside int: a huge level is nonsense anyway, but must not be undefined.
    if (x >= static_cast<double>(INT_MAX) - 1) return INT_MAX;
    if (x <= static_cast<double>(INT_MIN) + 1) return INT_MIN;
    const int ganz = static_cast<int>(std::trunc(x));
    return x > 0 ? ganz + 1 : ganz - 1;
}

} // namespace zephan
