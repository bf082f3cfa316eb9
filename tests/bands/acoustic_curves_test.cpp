#include "bands/acoustic_curves.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

using namespace zephan;

TEST(AkustikKurven, AuslassSpektrum) {
    TKurve k = bild19Kurve();
    EXPECT_EQ(k.typ(), TKurve::logX);
    EXPECT_EQ(k.anzahl(), 5);
    // below the chart: its first value
    EXPECT_EQ(k.wert(0.05f), -10);
    EXPECT_EQ(auslassSpektrum(0.05), -10);
    // beyond the chart: -29 - 6 (lg 1000 - lg 400)/(lg 600 - lg 400)
    EXPECT_NEAR(k.wert(1000), -42.5591, 1e-3);
    EXPECT_EQ(auslassSpektrum(1000), -42);
    // -8 + (lg 30 - lg 6)/(lg 60 - lg 6) = -7.301: truncated toward zero
    EXPECT_NEAR(k.wert(30), -7.30103, 1e-4);
    EXPECT_EQ(auslassSpektrum(30), -7);
    EXPECT_EQ(auslassSpektrum(100), -10);
    EXPECT_EQ(auslassSpektrum(600), -35);
}

TEST(AkustikKurven, DrosselklappenSpektrum) {
    TKurve k = bild22Kurve();
    EXPECT_EQ(k.typ(), TKurve::logX);
    EXPECT_EQ(k.anzahl(), 7);
    EXPECT_EQ(drosselklappenSpektrum(1), -12);
    EXPECT_EQ(drosselklappenSpektrum(10), -5);
    // -8 - 7 lg 2 / lg 5 = -11.015
    EXPECT_NEAR(k.wert(200), -11.01474, 1e-4);
    EXPECT_EQ(drosselklappenSpektrum(200), -11);
    EXPECT_EQ(drosselklappenSpektrum(2000), -27);
}

TEST(AkustikKurven, Richtfaktor) {
    // 45 degrees, room centre: between (100; 1.8) and (300; 2.9)
    EXPECT_NEAR(richtfaktor(abstrahlwinkel45, raummitte, 200), 2.35, 1e-5);
    EXPECT_EQ(richtfaktor(abstrahlwinkel45, raummitte, 5), 0);
    // 45 degrees, corner: below the chart the first value
    EXPECT_EQ(richtfaktor(abstrahlwinkel45, raumecke, 5), 8);
    EXPECT_NEAR(richtfaktor(abstrahlwinkel45, raumecke, 75), 5.6, 1e-5);
    EXPECT_NEAR(richtfaktor(abstrahlwinkel45, wandmitte, 1000), 3.8, 1e-6);
    EXPECT_NEAR(richtfaktor(abstrahlwinkel45, raumkante, 2000), 4.1, 1e-5);
    // 0 degrees, corner: 8 + 0.2 (1500 - 10)/2990
    EXPECT_NEAR(richtfaktor(0, raumecke, 1500), 8.09967, 1e-4);
    EXPECT_NEAR(richtfaktor(0, raumkante, 300), 6.75, 1e-5);
    EXPECT_NEAR(richtfaktor(0, wandmitte, 125), 4.5, 1e-5);
    EXPECT_NEAR(richtfaktor(0, raummitte, 20), 0.75, 1e-6);
    // any other angle code reads the 0 degree curves
    EXPECT_EQ(richtfaktor(7, raumkante, 300), richtfaktor(0, raumkante, 300));
    EXPECT_EQ(richtfaktor(-1, raummitte, 20), richtfaktor(0, raummitte, 20));
    EXPECT_EQ(bild30Kurve(1, raummitte).typ(), TKurve::linear3);
}

TEST(AkustikKurven, UnbekannterQuellortLiefertLeereKurve) {
    RecordingSeam seam;
    EXPECT_EQ(richtfaktor(0, 4, 100, &seam), -1);
    EXPECT_EQ(richtfaktor(1, -1, 100, &seam), -1);
    ASSERT_EQ(seam.fragen.size(), 2);
    EXPECT_EQ(seam.fragen[0], "Kurve leer [o]");
    EXPECT_TRUE(bild30Punkte(1, 4).empty());
}
