#include "pressure/titelzahl.h"

#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace zephan;

namespace {

// An evaluation table as sectioned text: column parameters, row keys and values.
QByteArray tabelle(int nr, int art, const QStringList& x, const QStringList& y,
                   const std::vector<QStringList>& werte, int nach0 = 1, int nach1 = 1,
                   int nach2 = 2) {
    QString s = QStringLiteral("[%1]\nBeschreibung=Test %1\nAnzahl=%2\nParameter=%3\n"
                               "Rechentabelle=1\nErgebnisart=%4\nNachkommastellen0=%5\n"
                               "Nachkommastellen1=%6\nNachkommastellen2=%7\n")
                    .arg(nr)
                    .arg(y.size())
                    .arg(x.size())
                    .arg(art)
                    .arg(nach0)
                    .arg(nach1)
                    .arg(nach2);
    for (int c = 0; c < x.size(); ++c) s += QStringLiteral("Dat0_%1=%2\n").arg(c + 1).arg(x[c]);
    for (int r = 0; r < y.size(); ++r) {
        s += QStringLiteral("Dat%1_0=%2\n").arg(r + 1).arg(y[r]);
        for (int c = 0; c < x.size(); ++c)
            s += QStringLiteral("Dat%1_%2=%3\n").arg(r + 1).arg(c + 1).arg(werte[r][c]);
    }
    return (s + '\n').toUtf8();
}

const double keineZahl = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(TitelzahlMitgeliefert, Kniestueck150) {
    RecordingSeam seam;
    titelzahli& tab = titelzahlen();
    tab.setSeam(&seam);
    // between Str 4 and 10: 12 + 3/6·(-5 - 12)
    EXPECT_DOUBLE_EQ(tab.erg(150, 0.5, 7), 3.5);
    // outside the keys the edge values, whatever X is
    EXPECT_DOUBLE_EQ(tab.erg(150, 0.5, 1), 20.0);
    EXPECT_DOUBLE_EQ(tab.erg(150, 3.0, 1000), -45.0);
    EXPECT_DOUBLE_EQ(tab.erg(150, 0.0, 400), -40.0);
    EXPECT_DOUBLE_EQ(tab.erg(150, 0.1, 500), -42.5);
    EXPECT_TRUE(seam.fragen.isEmpty());
    tab.setSeam(nullptr);

    TTitelzahl D;
    D.Nr = 150;
    ASSERT_TRUE(tab.load(D));
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Strömungsgeräusch in Kniestücken"));
    EXPECT_TRUE(D.rechentab);
    EXPECT_EQ(D.rechenart, rechenartInterpolieren);
    EXPECT_EQ(D.par, 1);
    EXPECT_EQ(D.anzahl, 8);
    EXPECT_EQ(D.titel[0], QStringLiteral("Querschnittsverhältnis"));
    EXPECT_EQ(D.titel[1], QStringLiteral("Strouhalzahl Str"));
    EXPECT_EQ(D.titel[2], QStringLiteral("Schalleistungspegel"));
    EXPECT_EQ(D.nach[0], 2);
    EXPECT_EQ(D.nach[1], 0);
    EXPECT_EQ(D.nach[2], 1);
    EXPECT_EQ(D.dat[1][0], QStringLiteral("0,30"));
    EXPECT_EQ(D.dat[0][3], QStringLiteral("10"));
    EXPECT_EQ(D.dat[1][3], QStringLiteral("-5,0"));
    EXPECT_EQ(D.dat[0][8], QStringLiteral("600"));
}

// The values of the charts the component pressure loss reads, checked cell by cell.
TEST(TitelzahlMitgeliefert, DruckverlustTabellenZelleFuerZelle) {
    titelzahli& tab = titelzahlen();
    struct Tab {
        int nr;
        std::vector<double> x, y;
        std::vector<std::vector<double>> w; // [row][col]
    };
    const std::vector<Tab> tabellen{
        {130,
         {0.1, 0.2, 0.3, 0.4, 0.5, 0.6},
         {6, 10, 16, 30, 60, 90, 180},
         {{0.07, 0.05, 0.04, 0.03, 0.02, 0.01},
          {0.12, 0.10, 0.07, 0.06, 0.04, 0.03},
          {0.22, 0.17, 0.13, 0.10, 0.07, 0.05},
          {0.52, 0.41, 0.31, 0.23, 0.16, 0.10},
          {0.93, 0.74, 0.57, 0.41, 0.29, 0.18},
          {0.89, 0.70, 0.54, 0.39, 0.28, 0.17},
          {0.83, 0.65, 0.50, 0.37, 0.26, 0.16}}},
        {131,
         {0.10, 0.16, 0.25, 0.39, 0.45, 0.64},
         {5, 10, 20, 40, 60},
         {{0.006, 0.006, 0.006, 0.005, 0.005, 0.003},
          {0.014, 0.013, 0.013, 0.011, 0.010, 0.007},
          {0.030, 0.029, 0.027, 0.027, 0.023, 0.016},
          {0.068, 0.066, 0.063, 0.056, 0.052, 0.037},
          {0.062, 0.087, 0.094, 0.105, 0.111, 0.114}}},
        {132,
         {0},
         {0, 0.25, 0.5, 0.75, 1, 2, 3, 4},
         {{0}, {0.10}, {0.12}, {0.14}, {0.15}, {0.15}, {0.16}, {0.16}}},
        {133,
         {0, 1, 2, 3},
         {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.7, 1.0, 2.0, 3.0},
         {{1.0, 1.0, 1.0, 1.0},
          {0.9, 0.9, 0.9, 1.0},
          {0.8, 0.8, 0.8, 0.9},
          {0.5, 0.6, 0.7, 0.8},
          {0.4, 0.5, 0.6, 0.8},
          {0.3, 0.5, 0.6, 0.8},
          {0.0, 0.2, 0.5, 0.7},
          {0.0, 0.2, 0.6, 0.9},
          {1.0, 1.2, 2.0, 3.0},
          {3.5, 4.2, 5.0, 6.0}}},
        {143,
         {0},
         {5, 10, 15, 20, 25, 30, 40, 50, 60, 65, 70, 90},
         {{0.24},
          {0.52},
          {0.90},
          {1.54},
          {2.51},
          {3.91},
          {10.8},
          {32.6},
          {118},
          {255},
          {750},
          {10000}}},
        {144,
         {0},
         {0, 10, 20, 30, 40, 50, 60, 70, 80, 85},
         {{0.05}, {0.12}, {0.60}, {1.9}, {4.0}, {8.0}, {17.0}, {30.0}, {80.0}, {420.0}}},
    };
    for (const Tab& t : tabellen) {
        TTitelzahl D;
        D.Nr = t.nr;
        ASSERT_TRUE(tab.load(D)) << t.nr;
        EXPECT_EQ(D.par, static_cast<int>(t.x.size())) << t.nr;
        EXPECT_EQ(D.anzahl, static_cast<int>(t.y.size())) << t.nr;
        for (size_t r = 0; r < t.y.size(); ++r)
            for (size_t c = 0; c < t.x.size(); ++c)
                EXPECT_NEAR(tab.erg(t.nr, t.x[c], t.y[r]), t.w[r][c], 1e-12)
                    << "table " << t.nr << " row " << t.y[r] << " column " << t.x[c];
    }
    TTitelzahl D;
    D.Nr = 130;
    tab.load(D);
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Wiederstandsbeiwert für Diffusor"));
    EXPECT_EQ(D.rechenart, rechenartInterpolieren);
    D.Nr = 131;
    tab.load(D);
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Wiederstandsbeiwert für Konfusor"));
    EXPECT_EQ(D.rechenart, rechenartStufe);
    D.Nr = 133;
    tab.load(D);
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Zeta für Abzweig <90°"));
    D.Nr = 144;
    tab.load(D);
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Widerstandsbeiwerte Regelklappe"));
}

TEST(TitelzahlMitgeliefert, ZwischenwerteUndStufen) {
    titelzahli& tab = titelzahlen();
    // 130 bilinear: row 10 gives 0.085, row 16 gives 0.15 at r = 0.25; θ = 13 halfway
    EXPECT_NEAR(tab.erg(130, 0.25, 13), 0.1175, 1e-12);
    // only along X on a row key, only along Y on a column
    EXPECT_NEAR(tab.erg(130, 0.45, 60), 0.35, 1e-12);
    EXPECT_NEAR(tab.erg(130, 0.3, 45), 0.44, 1e-12);
    // beyond the corners
    EXPECT_NEAR(tab.erg(130, 0.05, 2), 0.07, 1e-12);
    EXPECT_NEAR(tab.erg(130, 0.9, 300), 0.16, 1e-12);
    // 131 steps: nearest column (0.16 for 0.2), first row key >= Y (20 for 15)
    EXPECT_NEAR(tab.erg(131, 0.2, 15), 0.029, 1e-12);
    EXPECT_NEAR(tab.erg(131, 0.7, 61), 0.114, 1e-12);
    // 132: first key >= 0.6 is 0.75; past the end the last row; the column does not matter
    EXPECT_NEAR(tab.erg(132, 0, 0.6), 0.14, 1e-12);
    EXPECT_NEAR(tab.erg(132, 1, 10), 0.16, 1e-12);
    // 133 column 2 between the velocity ratios 0.5 and 0.7
    EXPECT_NEAR(tab.erg(133, 2, 0.6), 0.55, 1e-12);
    // 143 between 60° and 65°; 144 at angle 0
    EXPECT_NEAR(tab.erg(143, 0, 62.5), 186.5, 1e-9);
    EXPECT_NEAR(tab.erg(144, 0, 0), 0.05, 1e-12);
}

TEST(TitelzahlMitgeliefert, ListenUndTestbild) {
    RecordingSeam seam;
    titelzahli& tab = titelzahlen();
    tab.setSeam(&seam);
    // a plain list has no value: -1 without a message
    EXPECT_EQ(tab.erg(110, 0, 0), -1);
    EXPECT_EQ(tab.erg(120, 1, 1), -1);
    EXPECT_TRUE(seam.fragen.isEmpty());
    tab.setSeam(nullptr);

    TTitelzahl D;
    D.Nr = 110;
    ASSERT_TRUE(tab.load(D));
    EXPECT_FALSE(D.rechentab);
    EXPECT_EQ(D.par, 1);
    EXPECT_EQ(D.anzahl, 20);
    EXPECT_EQ(D.nach[0], -1);
    EXPECT_EQ(D.einheit[1], QStringLiteral("m/s"));
    EXPECT_EQ(D.dat[0][0], QStringLiteral("Außenluftansaugung"));
    EXPECT_FALSE(D.dat[1][20].isEmpty());

    D.Nr = 120;
    ASSERT_TRUE(tab.load(D));
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Baustofftabelle"));
    EXPECT_EQ(D.par, 5);
    EXPECT_EQ(D.anzahl, 30);
    // a column with 0 decimals is read as whole numbers
    EXPECT_EQ(D.nach[1], 0);
    EXPECT_EQ(D.dat[1][0], QStringLiteral("2400"));

    D.Nr = 1;
    ASSERT_TRUE(tab.load(D));
    EXPECT_EQ(D.Beschreibung, QStringLiteral("Testbild"));
    EXPECT_EQ(D.par, 2);
    EXPECT_EQ(D.anzahl, 3);
    EXPECT_NEAR(tab.erg(1, 1.5, 15), 22.5, 1e-12);
}

TEST(Titelzahl, FehlendeTabelleSchliesstDenSpeicherNicht) {
    RecordingSeam seam;
    QByteArray daten = tabelle(5, 2, {"1,0", "2,0"}, {"0", "10"}, {{"0", "0"}, {"10", "20"}});
    titelzahli t(daten, &seam);
    EXPECT_EQ(t.erg(999, 1, 1), -1);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], QStringLiteral("TitelZahlDialog: Tabelle 999 existiert nicht [o]"));
    EXPECT_EQ(t.letzterFehler().code, -1098);
    // every other table stays usable, the failing one keeps failing without new messages
    EXPECT_DOUBLE_EQ(t.erg(5, 1.5, 5), 7.5);
    EXPECT_EQ(t.erg(999, 1, 1), -1);
    EXPECT_EQ(seam.fragen.size(), 1);
    EXPECT_TRUE(t.offen());
    TTitelzahl D;
    D.Nr = 999;
    EXPECT_FALSE(t.load(D));
    D.Nr = -3;
    EXPECT_FALSE(t.load(D));
    EXPECT_EQ(t.erg(-3, 1, 1), -1);
    EXPECT_EQ(seam.fragen.size(), 1);
}

TEST(Titelzahl, FuenfzigZeilenLadenEinundfuenfzigNicht) {
    QStringList y;
    std::vector<QStringList> w;
    for (int r = 0; r < 51; ++r) {
        y << QString::number(r);
        w.push_back({QString::number(2 * r)});
    }
    QByteArray daten = tabelle(8, 2, {"0"}, y, w, 0, 0, 1);
    w.pop_back();
    daten += tabelle(7, 2, {"0"}, y.mid(0, 50), w, 0, 0, 1);
    RecordingSeam seam;
    titelzahli t(daten, &seam);
    TTitelzahl D;
    D.Nr = 7;
    ASSERT_TRUE(t.load(D));
    EXPECT_EQ(D.anzahl, 50);
    EXPECT_DOUBLE_EQ(t.erg(7, 0, 48.5), 97);
    D.Nr = 8;
    EXPECT_FALSE(t.load(D));
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(
        seam.fragen[0],
        QStringLiteral("TitelZahl: Die Anzahl der Zeilen überschreitet das Maximum; Tab.8 [o]"));
    EXPECT_EQ(t.letzterFehler().code, -1095);
    EXPECT_EQ(t.erg(8, 0, 1), -1);
    EXPECT_DOUBLE_EQ(t.erg(7, 0, 10), 20);
}

TEST(Titelzahl, TextspalteUndRechenartUndSpalten) {
    QByteArray daten = tabelle(9, 2, {"1"}, {"1"}, {{"1"}}, 1, -1, 1);
    daten += tabelle(10, -1, {"1"}, {"1"}, {{"4,5"}});
    daten += tabelle(11, 7, {"1"}, {"1"}, {{"4,5"}});
    daten += "[12]\nAnzahl=1\nParameter=7\nRechentabelle=1\n\n[13]\nAnzahl=0\nParameter=1\n"
             "Rechentabelle=1\nErgebnisart=2\nNachkommastellen0=1\nNachkommastellen1=1\n"
             "Nachkommastellen2=1\nDat0_1=1,0\n";
    RecordingSeam seam;
    titelzahli t(daten, &seam);
    EXPECT_EQ(t.erg(9, 1, 1), -1);
    EXPECT_EQ(t.letzterFehler().text, QStringLiteral("TitelZahl: Strings nicht erlaubt. Nr.9"));
    EXPECT_EQ(t.letzterFehler().code, -1095);
    EXPECT_EQ(t.erg(10, 1, 1), -1);
    EXPECT_EQ(t.letzterFehler().text,
              QStringLiteral("TitelZahl: Rechenart wurde nicht festgelegt."));
    EXPECT_EQ(t.letzterFehler().code, -1093);
    // an unknown kind is no kind either
    EXPECT_EQ(t.erg(11, 1, 1), -1);
    EXPECT_EQ(t.letzterFehler().code, -1093);
    // more columns than the record holds
    EXPECT_EQ(t.erg(12, 1, 1), -1);
    EXPECT_EQ(t.letzterFehler().text, QStringLiteral("TitelZahl: Ungültige Spaltenzahl; Tab.12"));
    // a table without rows has no Y
    EXPECT_EQ(t.erg(13, 1, 1), -1);
    EXPECT_EQ(t.letzterFehler().text,
              QStringLiteral("TitelZahl: Y-Wert wurde nicht in Tabelle 13 gefunden."));
    EXPECT_EQ(seam.fragen.size(), 5);
}

TEST(Titelzahl, ExakteSuche) {
    QByteArray daten =
        tabelle(20, 0, {"10", "20"}, {"0,5", "1,0"}, {{"1,5", "2,5"}, {"3,5", "4,5"}}, 0, 1, 1);
    RecordingSeam seam;
    titelzahli t(daten, &seam);
    EXPECT_DOUBLE_EQ(t.erg(20, 20, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(t.erg(20, 10, 1.0), 3.5);
    // X is rounded to a whole number, Y written with one decimal before comparing
    EXPECT_DOUBLE_EQ(t.erg(20, 19.6, 1.04), 4.5);
    EXPECT_TRUE(seam.fragen.isEmpty());
    // halves go to the even neighbour: 10.5 is "10", 15 is nowhere
    EXPECT_DOUBLE_EQ(t.erg(20, 10.5, 0.5), 1.5);
    EXPECT_EQ(t.erg(20, 15, 0.5), -1);
    EXPECT_EQ(t.letzterFehler().text,
              QStringLiteral("TitelZahl: X-Wert wurde nicht in Tabelle 20 gefunden."));
    EXPECT_EQ(t.letzterFehler().code, -1092);
    EXPECT_EQ(t.erg(20, 10, 0.7), -1);
    EXPECT_EQ(t.letzterFehler().text,
              QStringLiteral("TitelZahl: Y-Wert wurde nicht in Tabelle 20 gefunden."));
    EXPECT_EQ(t.erg(20, keineZahl, 0.5), -1);
    EXPECT_EQ(t.letzterFehler().text,
              QStringLiteral("TitelZahl: X-Wert wurde nicht in Tabelle 20 gefunden."));
    EXPECT_EQ(seam.fragen.size(), 3);
}

TEST(Titelzahl, StufeNaechsteSpalte) {
    QByteArray daten = tabelle(21, 1, {"10", "20", "30"}, {"1", "2", "3"},
                               {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}}, 0, 0, 1);
    titelzahli t(daten);
    EXPECT_DOUBLE_EQ(t.erg(21, 21, 1), 2);
    EXPECT_DOUBLE_EQ(t.erg(21, 26, 1), 3);
    // equally near: the first one
    EXPECT_DOUBLE_EQ(t.erg(21, 25, 1), 2);
    EXPECT_DOUBLE_EQ(t.erg(21, -100, 1), 1);
    // first row key >= Y, else the last
    EXPECT_DOUBLE_EQ(t.erg(21, 30, 1.2), 6);
    EXPECT_DOUBLE_EQ(t.erg(21, 30, 0), 3);
    EXPECT_DOUBLE_EQ(t.erg(21, 30, 99), 9);
}

TEST(Titelzahl, GleicheStuetzstellenGebenKeinNaN) {
    QByteArray daten =
        tabelle(22, 2, {"1,0", "1,0"}, {"5", "5"}, {{"1", "2"}, {"3", "4"}}, 1, 0, 1);
    titelzahli t(daten);
    const double w = t.erg(22, 0.5, 1);
    EXPECT_FALSE(std::isnan(w));
    EXPECT_DOUBLE_EQ(w, 1);
    EXPECT_DOUBLE_EQ(t.erg(22, 1.0, 5), 1);
    EXPECT_EQ(t.erg(22, 1.0, keineZahl), -1);
}

TEST(Titelzahl, SpeichernUndWiederLaden) {
    QByteArray daten =
        tabelle(5, 2, {"1,0", "2,0"}, {"0", "10"}, {{"0", "0"}, {"10", "20"}}, 1, 0, 1);
    titelzahli t(daten);
    TTitelzahl D;
    D.Nr = 5;
    ASSERT_TRUE(t.load(D));
    EXPECT_DOUBLE_EQ(t.erg(5, 2, 10), 20);
    D.dat[2][2] = QStringLiteral("40,0");
    D.Beschreibung = QStringLiteral("geändert");
    t.save(D);
    EXPECT_TRUE(t.chang());
    EXPECT_DOUBLE_EQ(t.erg(5, 2, 10), 40);
    TTitelzahl E;
    E.Nr = 5;
    ASSERT_TRUE(t.load(E));
    EXPECT_EQ(E.Beschreibung, QStringLiteral("geändert"));
    EXPECT_EQ(E.dat[2][2], QStringLiteral("40,0"));
    EXPECT_EQ(E.dat[1][0], QStringLiteral("1,0"));

    titelzahli::clear(E);
    EXPECT_EQ(E.Nr, 5);
    EXPECT_EQ(E.anzahl, 0);
    EXPECT_TRUE(E.Beschreibung.isEmpty());
    EXPECT_TRUE(E.dat[2][2].isEmpty());
}

TEST(Titelzahl, UnlesbareDatenGebenMinusEins) {
    RecordingSeam seam;
    // the same section twice cannot be read
    titelzahli t(QByteArray("[5]\nAnzahl=1\n[5]\nAnzahl=2\n"), &seam);
    EXPECT_FALSE(t.offen());
    EXPECT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(t.erg(5, 1, 1), -1);
    QByteArray muell;
    for (int i = 0; i < 4096; ++i) muell += static_cast<char>((i * 37 + 11) % 256);
    titelzahli u(muell);
    EXPECT_EQ(u.erg(150, 0.5, 7), -1);
}
