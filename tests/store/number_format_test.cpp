#include "store/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <vector>

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

// Exact ties round away from zero, as in every report so far; whole numbers and values just
// beside a tie take the same digits.
TEST(NumberFormat, TiesWholeNumbersAndLargeValues) {
    const struct {
        double x;
        int d;
        const char* text;
    } faelle[] = {
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {0.5, 0, "1"},
        {12.5, 0, "13"},
        {0.25, 1, "0,3"},
        {0.125, 2, "0,13"},
        {0.35, 1, "0,3"},   // stored a little below 0,35
        {-0.05, 1, "-0,1"}, // stored a little beyond -0,05
        {0.045, 2, "0,04"},
        {1234567.0, 2, "1.234.567,00"},
        {-0.0, 2, "0,00"},
        {999999999999999.0, 0, "999.999.999.999.999"},
        {1e15, 0, "1.000.000.000.000.000"},
        {1e20, 0, "100.000.000.000.000.000.000"},
        {2251799813685248.5, 0, "2.251.799.813.685.249"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(formatZahl(f.x, f.d), QString::fromUtf8(f.text)) << f.x << " " << f.d;
}

TEST(NumberFormat, ReadsPlainAndUnusualDecimalsAlike) {
    const struct {
        const char* text;
        bool ok;
        double wert;
        bool negativ;
    } faelle[] = {
        {"007,5", true, 7.5, false},    {"-0", true, 0, true},
        {"-0,0", true, 0, true},        {",5", true, 0.5, false},
        {"5,", true, 5, false},         {"1e3", true, 1000, false},
        {"12 345", true, 12345, false}, {"1.234,5", true, 1234.5, false},
        {"-12,75", true, -12.75, true}, {"1,2,3", false, -7, true},
    };
    for (const auto& f : faelle) {
        bool ok = !f.ok;
        const double v = leseZahl(QString::fromUtf8(f.text), &ok, -7);
        EXPECT_EQ(ok, f.ok) << f.text;
        EXPECT_EQ(v, f.wert) << f.text;
        EXPECT_EQ(std::signbit(v), f.negativ) << f.text;
    }
}

// A number kept as text rounds on its own decimal digits: "5,35" is 5,4 although the double
// nearest to 5.35 lies below it.
TEST(NumberFormat, DecimalTextRoundsHalfUpOnItsDigits) {
    struct Fall {
        const char* text;
        int d;
        const char* erwartet;
    } faelle[] = {
        {"5,35", 1, "5,4"},         {"5,34", 1, "5,3"},    {"0,125", 2, "0,13"},
        {"-5,35", 1, "-5,4"},       {"9,96", 1, "10,0"},   {"999,95", 1, "1.000,0"},
        {"1.234,45", 1, "1.234,5"}, {"2,5", 0, "3"},       {"12", 2, "12,00"},
        {"5,3", 1, "5,3"},          {"-0,04", 1, "0,0"},   {" +7,25 ", 1, "7,3"},
        {",35", 1, "0,4"},          {"1e3", 1, "1.000,0"},
    };
    for (const Fall& f : faelle) {
        bool ok = false;
        EXPECT_EQ(formatZahltext(QString::fromUtf8(f.text), f.d, &ok),
                  QString::fromUtf8(f.erwartet))
            << f.text;
        EXPECT_TRUE(ok) << f.text;
    }
    bool ok = true;
    EXPECT_TRUE(formatZahltext(QStringLiteral("abc"), 1, &ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(formatZahltext(QString(), 1, &ok).isEmpty());
    EXPECT_FALSE(ok);
}

// Appending writes exactly what formatZahl writes, behind what the line holds already.
TEST(NumberFormat, AppendingWritesWhatFormatZahlWrites) {
    struct Fall {
        double x;
        int d;
        const char* text;
    };
    const Fall faelle[] = {
        {1234567.891, 2, "1.234.567,89"},
        {-0.004, 2, "0,00"},
        {-1234.5, 0, "-1.235"},
        {2.5, 0, "3"},
        {12.5, -3, "12,5"},
        {1e20, 0, "100.000.000.000.000.000.000"},
        {0.125, 2, "0,13"},
        {-888, 0, "-888"},
        {std::nan(""), 1, "-"},
        {HUGE_VAL, 0, "-"},
        {999.96, 1, "1.000,0"},
        {7, 3, "7,000"},
        // whole numbers without decimals, the most of a report's table cells
        {0, 0, "0"},
        {-0.0, 0, "0"},
        {7, 0, "7"},
        {-7, 0, "-7"},
        {42, 0, "42"},
        {999, 0, "999"},
        {-999, 0, "-999"},
        {1000, 0, "1.000"},
        {-1000, 0, "-1.000"},
        // decimals of the binary value, rounded to the nearest (0,275 lies above, 2,675 and
        // 1,005 below the half; 9,995 scaled lands on the half itself)
        {0.275, 2, "0,28"},
        {2.675, 2, "2,67"},
        {1.005, 2, "1,00"},
        {9.995, 2, "9,99"},
        {99.95, 1, "100,0"},
        {123.456, 1, "123,5"},
        {-5.55, 1, "-5,5"},
        {0.05, 1, "0,1"},
        {-0.0049, 2, "0,00"},
        {1234.5678, 3, "1.234,568"},
        {0.1 + 0.2, 1, "0,3"},
        {-1234.049999, 1, "-1.234,0"},
        {0.5, -2, "0,5"},
        // an exact half away from zero
        {-2.25, 1, "-2,3"},
    };
    QString zeile = QStringLiteral("Titel");
    QString erwartet = zeile;
    // the same into a line buffer on the stack, and written to raw storage
    Zeilenpuffer puffer;
    textAnhaengen(puffer, zeile);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(formatZahl(f.x, f.d), QString::fromUtf8(f.text));
        zeile += QLatin1Char('|');
        formatZahlAnhaengen(zeile, f.x, f.d);
        puffer.append(QLatin1Char('|'));
        formatZahlAnhaengen(puffer, f.x, f.d);
        QChar roh[zahlTextMax(3)];
        const qsizetype n = formatZahlSchreiben(roh, f.x, f.d);
        EXPECT_EQ(QString(roh, n), QString::fromUtf8(f.text));
        erwartet += QLatin1Char('|') + QString::fromUtf8(f.text);
    }
    EXPECT_EQ(zeile, erwartet);
    EXPECT_EQ(QString(puffer.constData(), puffer.size()), erwartet);
}

// The room formatZahlSchreiben needs covers the longest number there is.
TEST(NumberFormat, WritingTheLargestNumbersFitsTheirRoom) {
    for (const double x : {DBL_MAX, -DBL_MAX, 1e300, -123456789012345.678})
        for (const int d : {0, 2, -3, 16}) {
            SCOPED_TRACE(d);
            std::vector<QChar> roh(static_cast<size_t>(zahlTextMax(d)));
            const qsizetype n = formatZahlSchreiben(roh.data(), x, d);
            EXPECT_LE(n, zahlTextMax(d));
            EXPECT_EQ(QString(roh.data(), n), formatZahl(x, d));
        }
}
