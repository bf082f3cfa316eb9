#include "bands/kurve.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace zephan;

namespace {

TKurve dreiPunkte(int typ) {
    TKurve k(typ);
    k.Add(0, 0);
    k.Add(10, 100);
    k.Add(20, 50);
    return k;
}

} // namespace

TEST(Kurve, LinearInnenAussenUndAmRand) {
    for (int typ : {TKurve::linear, TKurve::linear3}) {
        const TKurve k = dreiPunkte(typ);
        EXPECT_EQ(k.anzahl(), 2);
        EXPECT_FLOAT_EQ(k.wert(5), 50);
        EXPECT_FLOAT_EQ(k.wert(15), 75);
        EXPECT_FLOAT_EQ(k.wert(10), 100);
        EXPECT_FLOAT_EQ(k.wert(0), 0);
        // above the last point the last segment goes on
        EXPECT_FLOAT_EQ(k.wert(25), 25);
        EXPECT_FLOAT_EQ(k.wert(40), -50);
        // below the first point the first value holds
        EXPECT_FLOAT_EQ(k.wert(-5), 0);
        EXPECT_FLOAT_EQ(k.wert(-1000), 0);
    }
}

TEST(Kurve, LogarithmischInX) {
    TKurve k(TKurve::logX);
    k.Add(10, 0);
    k.Add(1000, 20);
    // lg 100 lies half way between lg 10 and lg 1000
    EXPECT_NEAR(k.wert(100), 10, 1e-5);
    // 20 lg(x/10) / 2 = 10 lg(x/10)
    EXPECT_NEAR(k.wert(31.6227766f), 5, 1e-4);
    EXPECT_NEAR(k.wert(10000), 30, 1e-4);
    EXPECT_FLOAT_EQ(k.wert(1), 0);

    // x <= 0 cannot be a logarithmic point: stored as 0.0001
    TKurve z(TKurve::logX);
    z.Add(0, 1);
    z.Add(-3, 2);
    ASSERT_EQ(z.xWerte().size(), 2u);
    EXPECT_EQ(z.xWerte()[0], 0.0001f);
    EXPECT_EQ(z.xWerte()[1], 0.0001f);
    // a linear curve keeps them
    TKurve l(TKurve::linear);
    l.Add(-3, 2);
    EXPECT_EQ(l.xWerte()[0], -3.0f);
}

TEST(Kurve, LogarithmischInY) {
    TKurve k(TKurve::logY);
    k.Add(0, 1);
    k.Add(10, 100);
    EXPECT_NEAR(k.wert(5), 10, 1e-4);
    EXPECT_NEAR(k.wert(2.5f), 3.16227766, 1e-5);
    EXPECT_NEAR(k.wert(15), 1000, 1e-2);
    // a y <= 0 has no logarithm: no result instead of NaN
    TKurve n(TKurve::logY);
    n.Add(0, -10);
    n.Add(10, 100);
    EXPECT_EQ(n.wert(5), -1);
}

TEST(Kurve, SonderfaelleUndFehler) {
    RecordingSeam seam;
    TKurve leer(TKurve::linear, &seam);
    EXPECT_EQ(leer.anzahl(), -1);
    EXPECT_EQ(leer.wert(3), -1);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], "Kurve leer [o]");

    TKurve eins;
    eins.Add(7, 42);
    for (float x : {-100.0f, 0.0f, 7.0f, 1e6f}) EXPECT_EQ(eins.wert(x), 42) << x;

    TKurve falsch = dreiPunkte(4);
    EXPECT_EQ(falsch.wert(5), -1);
    falsch.SetTyp(TKurve::linear);
    EXPECT_FLOAT_EQ(falsch.wert(5), 50);

    // points stored linear at x = 0, then read logarithmically: no logarithm of 0
    TKurve umgestellt = dreiPunkte(TKurve::linear);
    umgestellt.SetTyp(TKurve::logX);
    EXPECT_EQ(umgestellt.wert(5), -1);
    EXPECT_NEAR(umgestellt.wert(15), 100 - 50 * std::log10(1.5) / std::log10(2.0), 1e-4);

    EXPECT_EQ(dreiPunkte(0).wert(std::numeric_limits<float>::quiet_NaN()), -1);

    // two points at one x give a step, never a division by zero
    TKurve stufe;
    stufe.Add(0, 0);
    stufe.Add(0, 5);
    stufe.Add(10, 10);
    EXPECT_EQ(stufe.wert(0), 0);
    EXPECT_FLOAT_EQ(stufe.wert(5), 7.5);
    TKurve ende;
    ende.Add(0, 0);
    ende.Add(10, 5);
    ende.Add(10, 8);
    EXPECT_EQ(ende.wert(20), 8);
    EXPECT_FLOAT_EQ(ende.wert(4), 2);
}

TEST(Kurve, UntereGrenze) {
    TKurve k;
    k.Add(0, 10);
    k.Add(10, -10);
    EXPECT_FALSE(k.minGesetzt());
    EXPECT_FLOAT_EQ(k.wert(8), -6);
    k.setmin(0);
    EXPECT_TRUE(k.minGesetzt());
    EXPECT_EQ(k.wert(8), 0);
    EXPECT_FLOAT_EQ(k.wert(2), 6);
    EXPECT_EQ(k.wert(30), 0);
    k.setmin(20);
    EXPECT_EQ(k.wert(-5), 20) << "the first point's value is limited too";
}

TEST(Kurve, ClearErlaubtNeuePunkte) {
    RecordingSeam seam;
    TKurve k = dreiPunkte(TKurve::linear);
    k.setSeam(&seam);
    k.Clear();
    EXPECT_EQ(k.anzahl(), -1);
    EXPECT_EQ(k.wert(5), -1);
    EXPECT_EQ(seam.fragen.size(), 1);
    k.Add(0, 1);
    k.Add(1, 3);
    EXPECT_EQ(k.anzahl(), 1);
    EXPECT_FLOAT_EQ(k.wert(0.5f), 2);
}

TEST(Kurve, Spektruminterpolation) {
    TKurve k(TKurve::logX); // the kind does not matter for spectra
    k.add(100, 40, 41, 42, 43, 44, 45, 46, 47);
    k.add(200, 50, 51, 52, 53, 54, 55, 56, 57);
    EXPECT_EQ(k.anzahl(), 1);
    TPegel p = pegel(0);
    k.wertp(150, p);
    for (int s = 0; s < 8; ++s) EXPECT_DOUBLE_EQ(p[s], 45 + s) << "slot " << s;
    // extrapolated on both sides, unlike wert
    k.wertp(50, p);
    for (int s = 0; s < 8; ++s) EXPECT_DOUBLE_EQ(p[s], 35 + s) << "slot " << s;
    k.wertp(300, p);
    for (int s = 0; s < 8; ++s) EXPECT_DOUBLE_EQ(p[s], 60 + s) << "slot " << s;

    // three points: the segment is found from the left
    k.add(400, 30, 30, 30, 30, 30, 30, 30, 30);
    k.wertp(300, p);
    EXPECT_DOUBLE_EQ(p[0], 40);
    EXPECT_DOUBLE_EQ(p[7], 43.5);
}

TEST(Kurve, SpektrumLeerOderEinPunkt) {
    TKurve leer;
    TPegel p = pegel(7);
    leer.wertp(10, p);
    for (int s = 0; s < 5; ++s) EXPECT_EQ(p[s], -1000) << "slot " << s;
    for (int s = 5; s < 8; ++s) EXPECT_EQ(p[s], 7) << "slot " << s;

    TKurve eins;
    TPegel punkt;
    setzen8(punkt, 1.25, 2, 3, 4, 5, 6, 7, 8);
    eins.addp(3, punkt);
    for (float x : {-10.0f, 3.0f, 99.0f}) {
        p = pegel(0);
        eins.wertp(x, p);
        EXPECT_EQ(p, punkt) << x;
    }

    // x = NaN with two points: nothing interpolated
    eins.addp(4, punkt);
    p = pegel(7);
    eins.wertp(std::numeric_limits<float>::quiet_NaN(), p);
    EXPECT_EQ(p[0], -1000);
    EXPECT_EQ(p[7], 7);
}

TEST(Kurve, SpektrumwerteGenauigkeit) {
    // addp keeps the spectrum as given, add takes single-precision values
    TPegel genau = pegel(0.1);
    TKurve k;
    k.addp(0, genau);
    k.add(1, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f);
    TPegel p;
    k.wertp(0, p);
    EXPECT_EQ(p[0], 0.1);
    k.wertp(1, p);
    EXPECT_EQ(p[0], static_cast<double>(0.1f));
    EXPECT_NE(p[0], 0.1);
}
