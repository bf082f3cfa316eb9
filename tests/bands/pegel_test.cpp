#include "bands/pegel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using namespace zephan;

namespace {

TPegel spektrum(double a, double b, double c, double d, double e, double f, double g, double h) {
    TPegel p;
    setzen8(p, a, b, c, d, e, f, g, h);
    return p;
}

} // namespace

TEST(Pegel, SetzenFuelltAlleAchtSlots) {
    TPegel p = spektrum(1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[7], 8);
    setzen(p, pegelNichtBerechnet);
    for (double v : p) EXPECT_EQ(v, -1000);
    EXPECT_TRUE(ganzerPegel(p, pegelNichtBerechnet));
    EXPECT_FALSE(ganzerPegel(p, pegelAbgebrochen));
    // the 8 kHz slot does not decide
    p[7] = 12;
    EXPECT_TRUE(ganzerPegel(p, -1000));
    p[6] = 12;
    EXPECT_FALSE(ganzerPegel(p, -1000));
    EXPECT_TRUE(ganzerPegel(pegel(-900), pegelAbgebrochen));
    EXPECT_TRUE(ganzerPegel(pegel(-1), pegelNichtGegeben));
}

TEST(Pegel, GesamtpegelIstDieEnergetischeSummeDerSiebenBaender) {
    // 60 dB in seven bands: 60 + 10 lg 7; the 8 kHz slot must not count
    EXPECT_NEAR(gesamtpegel(spektrum(60, 60, 60, 60, 60, 60, 60, 200)), 68.45098, 1e-5);
    // 10 lg(10^7 + 10^6 + ... + 10^1) = 10 lg 11111110
    EXPECT_NEAR(gesamtpegel(spektrum(70, 60, 50, 40, 30, 20, 10, 0)), 70.457574, 1e-6);
    // two equal bands, the rest "nothing computed": 3 dB above one band
    EXPECT_NEAR(gesamtpegel(spektrum(50, -1000, -1000, 50, -1000, -1000, -1000, 0)), 53.0103, 1e-4);
    EXPECT_NEAR(gesamtpegel(spektrum(45, -1000, -1000, -1000, -1000, -1000, -1000, 99)), 45.0,
                1e-9);
}

TEST(Pegel, AbewertungUndAPegel) {
    // octave levels of a room, A-weighted band by band, then summed
    const TPegel raum = spektrum(55, 52, 48, 45, 42, 38, 33, 77);
    TPegel bewertet = pegel(5);
    addiere(raum, aBewertung, bewertet);
    const double erwartet[] = {28.8, 35.9, 39.4, 41.8, 42.0, 39.2, 34.0};
    for (int k = 0; k < 7; ++k) EXPECT_NEAR(bewertet[k], erwartet[k], 1e-9) << "band " << k;
    EXPECT_EQ(bewertet[7], 5) << "addiere leaves the 8 kHz slot of the result alone";
    EXPECT_NEAR(gesamtpegel(bewertet), 47.417245, 1e-6);

    // flat 60 dB spectrum: A-level 66.25 dB
    TPegel flach = pegel(60);
    addiere(flach, aBewertung, flach); // result may alias an argument
    EXPECT_NEAR(flach[0], 33.8, 1e-9);
    EXPECT_NEAR(flach[5], 61.2, 1e-9);
    EXPECT_EQ(flach[7], 60);
    EXPECT_NEAR(gesamtpegel(flach), 66.253944, 1e-6);
}

TEST(Pegel, PermittedOctaveLevelsFromTheAllowance) {
    // a room allowed 35 dB(A): permitted octave levels = 35 + L_Okt,max
    TPegel zulaessig;
    addiere(pegel(35), oktavZuschlag, zulaessig);
    const double erwartet[] = {56, 46, 39, 33, 30, 29, 29};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(zulaessig[k], erwartet[k]) << "band " << k;
}

TEST(Pegel, PegeladditionBandweise) {
    TPegel c = pegel(7);
    pegeladdition(spektrum(60, 60, -1000, 30, 0, 0, 0, 0), spektrum(60, 50, 45, 30, 0, 0, 0, 0), c);
    EXPECT_NEAR(c[0], 63.0103, 1e-4);
    EXPECT_NEAR(c[1], 60.41393, 1e-5);
    EXPECT_NEAR(c[2], 45.0, 1e-9);
    EXPECT_NEAR(c[3], 33.0103, 1e-4);
    EXPECT_NEAR(c[4], 3.0103, 1e-4);
    EXPECT_EQ(c[7], 7);
}

TEST(Pegel, SkaliereUndNegiere) {
    const TPegel a = spektrum(1, -2, 3.5, 0, 10, 20, 30, 40);
    TPegel c = pegel(9);
    skaliere(a, 0.5, c);
    EXPECT_EQ(c[0], 0.5);
    EXPECT_EQ(c[1], -1);
    EXPECT_EQ(c[2], 1.75);
    EXPECT_EQ(c[6], 15);
    EXPECT_EQ(c[7], 9);
    negiere(a, c);
    EXPECT_EQ(c[0], -1);
    EXPECT_EQ(c[1], 2);
    EXPECT_EQ(c[6], -30);
    EXPECT_EQ(c[7], 9);
}

TEST(Pegel, AufrundenHebtImmerVonNullWeg) {
    EXPECT_EQ(aufrunden(35.0), 36);
    EXPECT_EQ(aufrunden(35.01), 36);
    EXPECT_EQ(aufrunden(35.2), 36);
    EXPECT_EQ(aufrunden(35.99), 36);
    EXPECT_EQ(aufrunden(0.0), -1);
    EXPECT_EQ(aufrunden(-2.5), -3);
    EXPECT_EQ(aufrunden(-3.0), -4);
    EXPECT_EQ(aufrunden(0.3), 1);
    // a broken formula upstream must not become a plausible level
    EXPECT_EQ(aufrunden(std::numeric_limits<double>::quiet_NaN()), -1000);
    EXPECT_EQ(aufrunden(1e30), INT_MAX);
    EXPECT_EQ(aufrunden(-std::numeric_limits<double>::infinity()), INT_MIN);
}
