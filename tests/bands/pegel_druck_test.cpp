#include "bands/pegel_druck.h"
#include "report/report_document.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zephan;

namespace {

TPegel spektrum(double a, double b, double c, double d, double e, double f, double g, double h) {
    TPegel p;
    setzen8(p, a, b, c, d, e, f, g, h);
    return p;
}

} // namespace

TEST(PegelDruck, FrequenzzeileOeffnetDieTabelle) {
    TDruck d;
    d.clear();
    druckePegel(d, "egal", "egal", oktavFrequenzen);
    druckePegel(d, "Oktavleistungspegel L°(sub w,okt°(-sub ", "dB",
                spektrum(42.5, 43.5, 44.5, -0.5, 60.49, 1000.4, -1000, 3));
    ASSERT_EQ(d.m.size(), 3);
    EXPECT_EQ(d.m[0], "°TK1|2,46,5,-7,-7,-7,-7,-7,-7,-7");
    EXPECT_EQ(d.m[1], "Oktavmittenfrequenz|[Hz]|63|125|250|500|1.000|2.000|4.000");
    // whole numbers, halves to the even neighbour
    EXPECT_EQ(d.m[2], "Oktavleistungspegel L°(sub w,okt°(-sub |[dB]|42|44|44|0|60|1.000|-1.000");
}

TEST(PegelDruck, NurDieFrequenzzeileIstEineFrequenzzeile) {
    // a level row that happens to hold 4000 at 4 kHz stays a level row
    TDruck d;
    druckePegel(d, "Zeile", "dB", spektrum(1, 2, 3, 4, 5, 6, 4000, 0));
    ASSERT_EQ(d.m.size(), 1);
    EXPECT_EQ(d.m[0], "Zeile|[dB]|1|2|3|4|5|6|4.000");
    EXPECT_FALSE(istFrequenzzeile(spektrum(1, 2, 3, 4, 5, 6, 4000, 0)));
    EXPECT_TRUE(istFrequenzzeile(spektrum(63, 125, 250, 500, 1000, 2000, 4000, 0)));
}

TEST(PegelDruck, WerteMitPassendenNachkommastellen) {
    TDruck d;
    druckeWerte(d, "f°(sub m°(-sub /(v°(* °(zeta )", "1/m",
                spektrum(9.876, 12.34, 123.4, -3.456, 99.96, 0, 100.5, 5));
    druckeWerte(d, "Nachhallzeit T", "s", spektrum(1.6, 1.2, 0.95, 0.8, 0.7, 0.6, 0.55, 0.5));
    // druckeWerte does not open a table for the frequency row
    druckeWerte(d, "f", "Hz", oktavFrequenzen);
    ASSERT_EQ(d.m.size(), 3);
    EXPECT_EQ(d.m[0], "f°(sub m°(-sub /(v°(* °(zeta )|[1/m]|9,88|12,3|123|-3,46|100,0|0,00|100");
    EXPECT_EQ(d.m[1], "Nachhallzeit T|[s]|1,60|1,20|0,95|0,80|0,70|0,60|0,55");
    EXPECT_EQ(d.m[2], "f|[Hz]|63,0|125|250|500|1.000|2.000|4.000");
}

TEST(PegelDruck, LeereEinheitUndUngueltigeWerte) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(pegelZeile("Richtungsfaktor Q  (Bild 30)", "", spektrum(1, 2, 3, 4, 5, 6, 7, 8)),
              "Richtungsfaktor Q  (Bild 30)|[-]|1|2|3|4|5|6|7");
    EXPECT_EQ(werteZeile("Q", "", spektrum(nan, 1, 1, 1, 1, 1, 1, 1)),
              "Q|[-]|-|1,00|1,00|1,00|1,00|1,00|1,00");
    EXPECT_EQ(pegelZeile("L", "dB", spektrum(nan, 1, 1, 1, 1, 1, 1, 1)), "L|[dB]|-|1|1|1|1|1|1");
}

TEST(PegelDruck, OhneAufzeichnungKeineZeilen) {
    TDruck d;
    {
        DruckenAus aus(d);
        druckePegel(d, "", "", oktavFrequenzen);
        druckeWerte(d, "x", "dB", pegel(1));
    }
    EXPECT_TRUE(d.m.isEmpty());
    druckeWerte(d, "x", "dB", pegel(1));
    EXPECT_EQ(d.m.size(), 1);
}
