#include "pressure/fitting_curves.h"

#include <span>

namespace zephan {

namespace {

struct Punkt {
    float x;
    float y;
};

constexpr Punkt punkteRadius[] = {{0.5f, 1.18f}, {0.6f, 0.77f}, {0.7f, 0.51f},  {0.8f, 0.37f},
                                  {0.9f, 0.28f}, {1.0f, 0.21f}, {1.25f, 0.19f}, {1.5f, 0.17f},
                                  {2.0f, 0.15f}, {4.0f, 0.11f}};

constexpr Punkt punkteWinkel[] = {{0, 0},      {20, 0.31f},  {30, 0.45f}, {45, 0.6f},
                                  {60, 0.78f}, {75, 0.9f},   {90, 1.0f},  {110, 1.13f},
                                  {130, 1.2f}, {150, 1.28f}, {180, 1.4f}};

constexpr Punkt punkteSeitenverhaeltnis[] = {
    {0.25f, 1.3f}, {0.5f, 1.17f}, {0.75f, 1.09f}, {1, 1.0f},  {1.5f, 0.9f}, {2, 0.85f},
    {3, 0.85f},    {4, 0.9f},     {5, 0.95f},     {6, 0.98f}, {7, 1.0f},    {8, 1.0f}};

constexpr Punkt punkteEtageSteil[] = {{0, 0},        {0.4f, 0.62f}, {0.6f, 0.9f},  {0.8f, 1.61f},
                                      {1.0f, 2.63f}, {1.2f, 3.61f}, {1.4f, 4.01f}, {1.6f, 4.18f},
                                      {1.8f, 4.22f}, {2.0f, 4.18f}, {2.4f, 3.65f}, {2.8f, 3.3f},
                                      {3.2f, 3.2f},  {4, 3.08f},    {5, 2.92f},    {6, 2.8f},
                                      {7, 2.7f},     {9, 2.6f},     {10, 2.45f}};

constexpr Punkt punkteEtageFlach[] = {{0, 0},     {0.3f, 0.1f}, {0.5f, 0.12f}, {0.8f, 0.14f},
                                      {1, 0.15f}, {2, 0.15f},   {3, 0.16f},    {4, 0.16f},
                                      {5, 0.16f}, {6, 0.16f}};

constexpr Punkt punkteSattelZu[] = {{0, 0.73f},    {0.1f, 0.68f}, {0.2f, 0.64f}, {0.3f, 0.6f},
                                    {0.4f, 0.55f}, {0.5f, 0.52f}, {0.6f, 0.5f},  {0.7f, 0.49f},
                                    {0.8f, 0.52f}, {0.9f, 0.56f}, {1.0f, 0.65f}};

constexpr Punkt punkteSattelAb[] = {{0, 0.8f},     {0.1f, 0.7f},  {0.2f, 0.63f}, {0.3f, 0.6f},
                                    {0.4f, 0.61f}, {0.5f, 0.68f}, {0.6f, 0.7f},  {0.7f, 0.75f},
                                    {0.8f, 0.9f},  {0.9f, 1.3f},  {1.0f, 1.9f}};

TKurve bauen(std::span<const Punkt> punkte) {
    TKurve k(TKurve::linear);
    for (const Punkt& p : punkte) k.Add(p.x, p.y);
    k.setmin(0);
    return k;
}

} // namespace

const TKurve& kurve_radius() {
    static const TKurve k = bauen(punkteRadius);
    return k;
}

const TKurve& kurve_winkel() {
    static const TKurve k = bauen(punkteWinkel);
    return k;
}

const TKurve& kurve_seitenverhaeltnis() {
    static const TKurve k = bauen(punkteSeitenverhaeltnis);
    return k;
}

const TKurve& kurve_etage_steil() {
    static const TKurve k = bauen(punkteEtageSteil);
    return k;
}

const TKurve& kurve_etage_flach() {
    static const TKurve k = bauen(punkteEtageFlach);
    return k;
}

const TKurve& kurve_sattel_zu() {
    static const TKurve k = bauen(punkteSattelZu);
    return k;
}

const TKurve& kurve_sattel_ab() {
    static const TKurve k = bauen(punkteSattelAb);
    return k;
}

} // namespace zephan
