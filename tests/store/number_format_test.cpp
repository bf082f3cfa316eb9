#include "store/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephan;

TEST(NumberFormat, WritesGermanWithGroupingAndFixedDecimals) {
    EXPECT_EQ(formatZahl(1234567.891, 2), "1.234.567,89");
    EXPECT_EQ(formatZahl(3.4722, 2), "3,47");
    EXPECT_EQ(formatZahl(-1000, 0), "-1.000");
    EXPECT_EQ(formatZahl(0.5, 3), "0,500");
    EXPECT_EQ(formatZahl(-0.001, 2), "0,00");
    EXPECT_EQ(formatZahl(999, 1), "999,0");
}

TEST(NumberFormat, NegativeDecimalsTrimTrailingZerosAndComma) {
    EXPECT_EQ(formatZahl(1.5, -3), "1,5");
    EXPECT_EQ(formatZahl(2.0, -3), "2");
    EXPECT_EQ(formatZahl(1234.1256, -2), "1.234,13");
    EXPECT_EQ(formatZahlOhneGruppen(1234.5, 1), "1234,5");
}

TEST(NumberFormat, VolumeFlowIsWholeNumberRoundedHalfEven) {
    EXPECT_EQ(formatVolumenstrom(1000.4), "1.000");
    EXPECT_EQ(formatVolumenstrom(2.5), "2");
    EXPECT_EQ(formatVolumenstrom(3.5), "4");
}

TEST(NumberFormat, ReadsGermanNumbers) {
    bool ok = false;
    EXPECT_DOUBLE_EQ(leseZahl(" 1.234,5 ", &ok), 1234.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(leseZahl("+0,25"), 0.25);
    EXPECT_DOUBLE_EQ(leseZahl("abc", &ok), -1);
    EXPECT_FALSE(ok);
    EXPECT_EQ(leseGanzzahl("12,7"), 12);
    EXPECT_EQ(leseGanzzahl("1.500"), 1500);
    EXPECT_EQ(leseGanzzahl("x"), -1);
    EXPECT_EQ(leseGanzzahl(""), -1);
}

TEST(NumberFormat, RoundingRules) {
    EXPECT_EQ(runden(0.5), 0);
    EXPECT_EQ(runden(1.5), 2);
    EXPECT_EQ(runden(-2.5), -2);
    EXPECT_EQ(runden(2.6), 3);
    EXPECT_EQ(kuerzen(-2.7), -2);
    EXPECT_EQ(kuerzen(2.7), 2);
    EXPECT_EQ(runden(1e300), 9200000000000000000LL);
    EXPECT_EQ(kuerzen(-1e300), -9200000000000000000LL);
    EXPECT_EQ(runden(std::nan("")), 0);
}
