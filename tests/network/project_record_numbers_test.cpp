// Node records write and read their numbers without the general number formatter and reader
// where the text is plain; the texts and values must be exactly theirs.

#include "network/catalogue.h"
#include "network/dvdata.h"
#include "network/project_file.h"
#include "store/ini_file.h"
#include "store/number_format.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace zephan;

namespace {

bool gleicheBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(RecordNumbers, ValuesAreWrittenAsTheFormatterWritesThem) {
    // A catalogue may give a value slot anything from -10 to 10 decimals: a duct whose seven
    // slots carry seven of them at a time.
    const auto original = basisDatenTabelle().shared(2);
    ASSERT_TRUE(original);
    const double werte[] = {800,
                            -1,
                            2.5,
                            -2.5,
                            0.125,
                            1e14,
                            -1e14,
                            0.0004,
                            -0.0004,
                            123.456,
                            1234.5,
                            1e20,
                            -3.75,
                            7,
                            -0.0,
                            99999999999999.0,
                            std::numeric_limits<double>::quiet_NaN()};
    int geprueft = 0;
    for (int erste = -10; erste <= 10; erste += 7) {
        auto eintrag = std::make_shared<tBasisDaten_>(*original);
        for (int k = 0; k < 7; ++k) eintrag->dat[static_cast<size_t>(k)].nastellen = erste + k;
        ASSERT_TRUE(basisDatenTabelle().setzen(2, eintrag));
        for (const double v : werte) {
            DVdata d;
            initNode(d, false);
            d.typ = 2;
            d.i.fill(v);
            TIniFile2 ini;
            recordSchreiben(ini, "0", d);
            for (int k = 0; k < 7; ++k) {
                const int stellen = erste + k;
                const QString key = QStringLiteral("I") + QString::number(k);
                const QString erwartet = formatZahlOhneGruppen(v, stellen);
                if (v == 0 || erwartet == formatZahlOhneGruppen(0, stellen)) {
                    EXPECT_FALSE(ini.ValueExists("0", key)) << v << " with " << stellen;
                } else {
                    EXPECT_EQ(ini.ReadString("0", key), erwartet) << v << " with " << stellen;
                    ++geprueft;
                }
            }
        }
    }
    basisDatenTabelle().setzen(2, original);
    EXPECT_GT(geprueft, 300);
}

TEST(RecordNumbers, BandsKeepOneDecimal) {
    DVdata d;
    initNode(d, false);
    d.typ = 2;
    d.schall = 1;
    d.sg = {0, -1, 44.5, 50, -0.0, 1e15, 2.25, 0};
    TIniFile2 ini;
    recordSchreiben(ini, "0", d);
    const QStringList texte = {"0,0",
                               "-1,0",
                               "44,5",
                               "50,0",
                               "0,0",
                               formatZahlOhneGruppen(1e15, 1),
                               formatZahlOhneGruppen(2.25, 1)};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(ini.ReadString("0", "SG" + QString::number(k)), texte[k]) << k;
}

TEST(RecordNumbers, ValuesAreReadAsTheGeneralReaderReadsThem) {
    const QStringList texte = {"-1",
                               "800",
                               "1,500",
                               "-0",
                               "007",
                               "1.234,5",
                               "+3,7",
                               " 5",
                               "1,",
                               ",5",
                               "-",
                               "",
                               "0,1",
                               "1,2,3",
                               "-0,0",
                               "2,50 ",
                               "abc",
                               "12345678901234567890123",
                               "-12345678901234567890,123456789012345",
                               "4e5",
                               "0,30000000000000004441",
                               "9007199254740993"};
    for (int start = 0; start < texte.size(); start += 7) {
        TIniFile2 ini;
        ini.WriteInteger("0", "Typ", 2);
        const int anzahl = static_cast<int>(std::min<qsizetype>(7, texte.size() - start));
        for (int k = 0; k < anzahl; ++k)
            ini.WriteString("0", "I" + QString::number(k), texte[start + k]);
        DVdata d;
        ASSERT_TRUE(recordLesen(ini, "0", d));
        for (int k = 0; k < anzahl; ++k) {
            const QString& t = texte[start + k];
            const double erwartet = leseZahl(t, nullptr, 0);
            EXPECT_TRUE(gleicheBits(d.i[static_cast<size_t>(k)], erwartet))
                << '"' << t.toStdString() << "\" read " << d.i[static_cast<size_t>(k)]
                << ", expected " << erwartet;
        }
    }
}

TEST(RecordNumbers, KeysInAnyOrderAndCaseAreReadAcrossManySections) {
    // The reader guesses the next key from the sections before; sections that differ must
    // not be misread. The first line of a key counts.
    TIniFile2 ini;
    ini.addtext("[0]\r\nTyp=2\r\nI0=500\r\nI1=300\r\nI5=2000\r\nP2=Holz\r\n\r\n"
                "[1]\r\nTyp=2\r\nI0=400\r\nI1=200\r\nI5=1000\r\nP2=Stahl\r\n\r\n"
                "[2]\r\nI5=1500\r\ntyp=2\r\ni1=250\r\nI0=450\r\nI0=999\r\n\r\n"
                "[3]\r\nTyp=2\r\nUnbekannt=1\r\nI0=350\r\nI5=3000\r\n");
    const double i0[] = {500, 400, 450, 350};
    const double i1[] = {300, 200, 250, 0};
    const double i5[] = {2000, 1000, 1500, 3000};
    const char* p2[] = {"Holz", "Stahl", "", ""};
    for (int s = 0; s < 4; ++s) {
        DVdata d;
        ASSERT_TRUE(recordLesen(ini, QString::number(s), d)) << s;
        EXPECT_EQ(d.typ, 2) << s;
        EXPECT_EQ(d.i[0], i0[s]) << s;
        EXPECT_EQ(d.i[1], i1[s]) << s;
        EXPECT_EQ(d.i[5], i5[s]) << s;
        EXPECT_EQ(d.p[2], QString::fromLatin1(p2[s])) << s;
    }
}
