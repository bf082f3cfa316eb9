#include "network/settings.h"
#include "pressure/duct_hydraulics.h"
#include "sizing/vorschlag.h"

#include <gtest/gtest.h>

using namespace zephan;

namespace {

struct Fall {
    const char* name;
    double Q;
    bool gefaelle;
    bool eckig;
    double x;
    double Wmax, Hmax;
    double W, H;
    const char* v;
};

} // namespace

// Worked examples with the default standard sizes: limits, the lists running out, pipes.
TEST(Vorschlag, SizesFromVelocityAndLimits) {
    const Fall faelle[] = {
        // A = 0.0556 m², s0 = 236 mm: the square 250 × 250 at 4.44 m/s.
        {"ohne Grenzen", 1000, false, true, 5, -1, -1, 250, 250, "4,44"},
        // A width limit below the square edge keeps the width and makes the duct higher.
        {"Breite 200", 1000, false, true, 5, 200, -1, 200, 300, "4,63"},
        // 220 is no standard edge: 200 already reaches the area with the height 300.
        {"Breite 220", 1000, false, true, 5, 220, -1, 200, 300, "4,63"},
        {"Breite 500", 1000, false, true, 5, 500, -1, 500, 150, "3,70"},
        {"Höhe 200", 1000, false, true, 5, -1, 200, 300, 200, "4,63"},
        {"Höhe 400", 1000, false, true, 5, -1, 400, 150, 400, "4,63"},
        {"Breite und Höhe", 1000, false, true, 5, 200, 250, 200, 250, "5,56"},
        // No standard edge reaches s0 = 3333 mm: the largest edges, not the limit value 0.
        {"Liste zu kurz", 200000, false, true, 5, -1, -1, 2800, 2800, "7,09"},
        {"Rohr", 1000, false, false, 5, -1, -1, -1, 300, "3,93"},
        // Above every standard diameter the target diameter itself.
        {"Rohr zu groß", 200000, false, false, 5, -1, -1, -1, 3761, "5,00"},
        {"negativer Volumenstrom", -5, false, true, 5, -1, -1, 0, 0, "0,00"},
    };
    const Einstellungen e;
    for (const Fall& f : faelle) {
        const Vorschlag v = vorschlag(f.Q, f.gefaelle, f.eckig, f.x, f.Wmax, f.Hmax, e, 1.2);
        EXPECT_TRUE(v.ok) << f.name;
        EXPECT_EQ(v.W, f.W) << f.name;
        EXPECT_EQ(v.H, f.H) << f.name;
        EXPECT_EQ(v.geschwindigkeit, QString::fromUtf8(f.v)) << f.name;
    }
}

// Without a design velocity there is nothing to divide by: refused, not infinite.
TEST(Vorschlag, NoDesignVelocityIsRefused) {
    const Einstellungen e;
    for (double x : {0.0, -3.0}) {
        EXPECT_FALSE(vorschlag(1000, false, true, x, -1, -1, e, 1.2).ok) << x;
        EXPECT_FALSE(vorschlag(1000, false, false, x, -1, -1, e, 1.2).ok) << x;
    }
    // By gradient a missing value falls back to the setting (0,5 Pa/m).
    const Vorschlag ohne = vorschlag(1000, true, false, 0, -1, -1, e, 1.2);
    const Vorschlag mit = vorschlag(1000, true, false, 0.5, -1, -1, e, 1.2);
    EXPECT_TRUE(ohne.ok);
    EXPECT_EQ(ohne.H, mit.H);
}

// By gradient the chosen standard pipe stays below the gradient, and the next smaller one
// exceeds it, checked against the friction of a steel pipe.
TEST(Vorschlag, PipeByGradientIsTheSmallestStandardBelowIt) {
    const Einstellungen e;
    const QList<int>& rohre = e.rohrMasse();
    const auto gefaelle = [](double Q, double d) {
        tDVvorgabe vg;
        vg.art = artRundStill;
        vg.ks = 0.15;
        vg.b = d;
        vg.v = geschwindigkeit(Q, flaeche_rund(d));
        tresult r;
        dvberechnen(vg, r, nullptr, 1.2);
        EXPECT_TRUE(r.ok);
        return r.s;
    };
    int geprueft = 0;
    for (double Q : {150.0, 800.0, 2500.0, 12000.0})
        for (double R : {0.5, 1.0, 2.5}) {
            const Vorschlag v = vorschlag(Q, true, false, R, -1, -1, e, 1.2);
            ASSERT_TRUE(v.ok);
            const int pos = rohre.indexOf(static_cast<int>(v.H));
            ASSERT_GT(pos, 0) << Q << " " << R << " " << v.H;
            EXPECT_LE(gefaelle(Q, v.H), R) << Q << " " << R;
            EXPECT_GT(gefaelle(Q, rohre[pos - 1]), R) << Q << " " << R;
            ++geprueft;
        }
    EXPECT_EQ(geprueft, 12);
}

TEST(Vorschlag, StandardLengths) {
    // A change of section from 400 × 200 to 200 × 200: dh 266.7 against 200, 116 mm → 250.
    EXPECT_EQ(querschnittLaenge(dhydr(400, 200) - dhydr(200, 200)), 250);
    const std::pair<double, int> quer[] = {{0, 250},    {143, 250},  {144, 500},
                                           {344, 500},  {345, 750},  {487, 750},
                                           {488, 1000}, {659, 1000}, {660, 1500}};
    for (auto [delta, l] : quer) EXPECT_EQ(querschnittLaenge(delta), l) << delta;
    const std::pair<double, int> ueber[] = {{300, 250}, {301, 500}, {599, 500},
                                            {600, 750}, {799, 750}, {800, 1000}};
    for (auto [laenge, l] : ueber) EXPECT_EQ(uebergangLaenge(laenge), l) << laenge;
}
