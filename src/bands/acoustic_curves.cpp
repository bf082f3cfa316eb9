#include "bands/acoustic_curves.h"

#include <cmath>

namespace zephan {

namespace {

constexpr Kurvenpunkt bild19[] = {{0.1f, -10}, {6, -8},    {60, -7},
                                  {100, -10},  {400, -29}, {600, -35}};

constexpr Kurvenpunkt bild22[] = {{2, -12},  {5, -5},    {20, -5},    {50, -7},
                                  {100, -8}, {500, -15}, {1000, -21}, {2000, -27}};

// 45 degrees
constexpr Kurvenpunkt q45Mitte[] = {{10, 0},     {50, 1.3f},   {100, 1.8f},
                                    {300, 2.9f}, {1000, 3.4f}, {3000, 3.8f}};
constexpr Kurvenpunkt q45Wand[] = {{20, 2}, {300, 3.3f}, {1000, 3.8f}, {3000, 3.9f}};
constexpr Kurvenpunkt q45Kante[] = {{20, 4}, {50, 3.7f}, {300, 3.8f}, {1000, 4.0f}, {3000, 4.2f}};
constexpr Kurvenpunkt q45Ecke[] = {{20, 8}, {50, 6}, {100, 5.2f}, {1000, 4.2f}, {3000, 4.4f}};
// 0 degrees
constexpr Kurvenpunkt q0Mitte[] = {{10, 0}, {30, 1.5f}, {100, 3.2f}, {1000, 7.0f}, {3000, 7.1f}};
constexpr Kurvenpunkt q0Wand[] = {{10, 2}, {50, 3.1f}, {200, 5.9f}, {1000, 7.8f}};
constexpr Kurvenpunkt q0Kante[] = {{10, 4}, {50, 5}, {100, 5.9f}, {500, 7.6f}, {1000, 7.8f}};
constexpr Kurvenpunkt q0Ecke[] = {{10, 8}, {3000, 8.2f}};

TKurve kurveAus(std::span<const Kurvenpunkt> punkte, int typ, UserSeam* seam) {
    TKurve k(typ, seam);
    for (const auto& p : punkte) k.Add(p.x, p.y);
    return k;
}

// Toward zero; an infinite value (x = infinity extrapolated) must not reach the int
// conversion.
int abgeschnitten(float y) {
    if (!std::isfinite(y)) return -1;
    return static_cast<int>(std::trunc(y));
}

} // namespace

std::span<const Kurvenpunkt> bild19Punkte() {
    return bild19;
}
std::span<const Kurvenpunkt> bild22Punkte() {
    return bild22;
}

std::span<const Kurvenpunkt> bild30Punkte(int winkel, int position) {
    const bool w45 = winkel == abstrahlwinkel45;
    switch (position) {
    case raummitte:
        return w45 ? std::span<const Kurvenpunkt>(q45Mitte) : q0Mitte;
    case wandmitte:
        return w45 ? std::span<const Kurvenpunkt>(q45Wand) : q0Wand;
    case raumkante:
        return w45 ? std::span<const Kurvenpunkt>(q45Kante) : q0Kante;
    case raumecke:
        return w45 ? std::span<const Kurvenpunkt>(q45Ecke) : q0Ecke;
    default:
        return {};
    }
}

TKurve bild19Kurve(UserSeam* seam) {
    return kurveAus(bild19, TKurve::logX, seam);
}
TKurve bild22Kurve(UserSeam* seam) {
    return kurveAus(bild22, TKurve::logX, seam);
}
TKurve bild30Kurve(int winkel, int position, UserSeam* seam) {
    return kurveAus(bild30Punkte(winkel, position), TKurve::linear3, seam);
}

int auslassSpektrum(double x) {
    return abgeschnitten(bild19Kurve().wert(static_cast<float>(x)));
}

int drosselklappenSpektrum(double x) {
    return abgeschnitten(bild22Kurve().wert(static_cast<float>(x)));
}

double richtfaktor(int winkel, int position, double x, UserSeam* seam) {
    return bild30Kurve(winkel, position, seam).wert(static_cast<float>(x));
}

} // namespace zephan
