#include "acoustics/pegelsenkung.h"
#include "acoustics/schall_daten.h"
#include "geraeusch_test_baum.h"
#include "network/type_codes.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephan;
using namespace zephan::schalltest;

// Attenuation of every component family, checked against numbers worked out by hand from the
// tables and formulas of VDI 2081.

namespace {

struct Senkung {
    TPegel p{};
    QStringList zeilen;
};

Senkung senkung(tmylistitem* n, int seite = 0, UserSeam* seam = nullptr) {
    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    k.fortschritt = seam;
    Senkung s;
    s.p = pegelsenkung(n, seite, k);
    s.zeilen = doc.m;
    return s;
}

void baender(const TPegel& p, std::initializer_list<double> e, double tol = 1e-9) {
    int k = 0;
    for (double x : e) {
        EXPECT_NEAR(p[k], x, tol) << "band " << k;
        ++k;
    }
}

// A line with one component; `danach` adds the nodes that follow it.
struct Einzel {
    Baum t;
    tmylistitem* s = t.strang();
    tmylistitem* n = nullptr;
    explicit Einzel(const DVdata& d) { n = t.neu(s, d); }
};

} // namespace

TEST(Kanaldaempfung, SizeClassesOfBothShapes) {
    struct Fall {
        bool eckig;
        int d, l;
        std::initializer_list<double> e;
    };
    const Fall faelle[] = {
        // 400 x 200: d_h 267 mm, second class; 1 kHz 0.2 dB/m (the printed 0.02 is a typo)
        {true, 267, 5000, {3.0, 3.0, 2.25, 1.5, 1.0, 1.0, 1.0}},
        {true, 200, 1000, {0.6, 0.6, 0.45, 0.3, 0.3, 0.3, 0.3}},
        {true, 201, 1000, {0.6, 0.6, 0.45, 0.3, 0.2, 0.2, 0.2}},
        {true, 800, 2000, {1.2, 1.2, 0.6, 0.3, 0.3, 0.3, 0.3}},
        {true, 801, 1000, {0.45, 0.3, 0.15, 0.1, 0.05, 0.05, 0.05}},
        {false, 0, 1000, {0.1, 0.1, 0.15, 0.15, 0.3, 0.3, 0.3}},
        {false, 400, 1000, {0.05, 0.1, 0.1, 0.15, 0.2, 0.2, 0.2}},
        {false, 800, 1000, {0, 0.05, 0.05, 0.1, 0.15, 0.15, 0.15}},
        {false, 801, 1000, {0, 0, 0, 0.05, 0.05, 0.05, 0.05}},
        {false, 5000, 500, {0, 0, 0, 0.025, 0.025, 0.025, 0.025}},
        // a length not given (-1) attenuates nothing rather than amplifying
        {true, 300, -1, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.eckig << " " << f.d << " " << f.l);
        baender(kanaldaempfung(f.eckig, f.d, f.l), f.e);
    }
    Schalldaten leer;
    EXPECT_TRUE(ganzerPegel(kanaldaempfung(true, 300, 1000, &leer), pegelNichtBerechnet));
}

TEST(Umlenkdaempfung, ShiftByTheCutOffFrequency) {
    struct Fall {
        bool knie;
        double fG;
        const char* schritte;
        std::initializer_list<double> e;
    };
    const Fall faelle[] = {
        {false, 333, " Schritte: +1", {0, 1, 2, 3, 3, 3, 3, 3}},   // 500 x 300 bend, 90°
        {false, 65.05, " Schritte: -1", {2, 3, 3, 3, 3, 3, 3, 3}}, // round 3000 mm
        {false, 0, " Schritte: -1", {2, 3, 3, 3, 3, 3, 3, 3}},
        {false, 166.5, " Schritte: 0", {1, 2, 3, 3, 3, 3, 3, 3}},    // a = 1000 mm
        {false, 1951.38, " Schritte: +4", {0, 0, 0, 0, 1, 2, 3, 3}}, // round 100 mm
        {true, 832.5, " Schritte: +3", {0, 0, 0, 3, 7, 6, 3, 3}},    // knee a = 200 mm
        {true, 80, " Schritte: -1", {7, 6, 3, 3, 3, 3, 3, 3}},
        {true, 1e6, " Schritte: +7", {0, 0, 0, 0, 0, 0, 0, 3}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.fG);
        QString zeile = QStringLiteral("x");
        baender(umlenkdaempfung(f.knie, f.fG, zeile), f.e);
        EXPECT_EQ(zeile, QStringLiteral("x") + QString::fromUtf8(f.schritte));
    }
}

TEST(Pegelsenkung, RectangularDuctWithReportLines) {
    Einzel t(satz(typKanal, {400, 200, -1, -1, 5, 5000}, true));
    const Senkung s = senkung(t.n);
    baender(s.p, {3.0, 3.0, 2.25, 1.5, 1.0, 1.0, 1.0});
    const QStringList erwartet{
        QStringLiteral("Pegelsenkung Kanal (Abschnitt 6.1)"),
        QStringLiteral("Vorgabe:"),
        QStringLiteral("a:400 [mm]; b:200 [mm];  d°(sub h°(-sub =267 [mm];  l: 5.000 [mm]"),
        QStringLiteral("°TK1|2,46,5,-7,-7,-7,-7,-7,-7,-7"),
        QStringLiteral("Oktavmittenfrequenz|[Hz]|63|125|250|500|1.000|2.000|4.000"),
        QStringLiteral("°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|3,00|3,00|2,25|1,50|1,00|"
                       "1,00|1,00"),
        QString()};
    EXPECT_EQ(s.zeilen.join('\n').toStdString(), erwartet.join('\n').toStdString());
}

TEST(Pegelsenkung, RoundDuctClassesAndSplitter) {
    Einzel a(satz(typRohr, {800, -1, -1, -1, -1, 1000}));
    baender(senkung(a.n).p, {0, 0.05, 0.05, 0.1, 0.15, 0.15, 0.15});
    EXPECT_EQ(senkung(a.n).zeilen[2], QStringLiteral("d:800 [mm];  l: 1.000 [mm]"));
    Einzel b(satz(typRohr, {801, -1, -1, -1, -1, 1000}));
    baender(senkung(b.n).p, {0, 0, 0, 0.05, 0.05, 0.05, 0.05});
    Einzel c(satz(typAufteilstueck, {1000, 1000, -1, -1, -1, 2000}, true));
    baender(senkung(c.n).p, {0.9, 0.6, 0.3, 0.2, 0.1, 0.1, 0.1});
}

TEST(Pegelsenkung, BendsAndKnees) {
    struct Fall {
        DVdata d;
        std::initializer_list<double> e;
        const char* zeile; // the line before the frequency row
    };
    DVdata uebergang = satz(typUebergangsbogen, {500, 300, -1, -1, 500}, true, 0);
    const Fall faelle[] = {
        {satz(typBogen, {500, 300, -1, -1, 500}, true, 0),
         {0, 1, 2, 3, 3, 3, 3},
         "Winkel °(>=  45°  größte Seite a: 500 [mm];  Gleichung 34: f°(sub G°(-sub  = 333,0 "
         "[Hz] Schritte: +1"},
        // a transition bend is attenuated like a bend
        {uebergang,
         {0, 1, 2, 3, 3, 3, 3},
         "Winkel °(>=  45°  größte Seite a: 500 [mm];  Gleichung 34: f°(sub G°(-sub  = 333,0 "
         "[Hz] Schritte: +1"},
        {satz(typBogen, {3000, -1, -1, -1, 1500}, false, 2),
         {2, 3, 3, 3, 3, 3, 3},
         "Winkel °(>=  45°  Gleichung 34: f°(sub G°(-sub  = 65,0 [Hz] Schritte: -1"},
        {satz(typAltBogenRund, {100, -1, -1, -1, 100}, false, 1),
         {0, 0, 0, 0, 1, 2, 3},
         "Winkel °(>=  45°  Gleichung 34: f°(sub G°(-sub  = 1.951,4 [Hz] Schritte: +4"},
        {satz(typKnie, {200, 100}, true),
         {0, 0, 0, 3, 7, 6, 3},
         "Winkel °(>=  45°  größte Seite a: 200 [mm];  Gleichung 34: f°(sub G°(-sub  = 832,5 "
         "[Hz] Schritte: +3"},
        // 30°, round 400 mm, radius 200 mm: arc l = pi/6 (200 + 200) = 209 mm, class 201-400
        {satz(typBogen, {400, -1, -1, -1, 200}, false, 3),
         {0.01045, 0.0209, 0.0209, 0.03135, 0.0418, 0.0418, 0.0418},
         "l: 209 [mm]"},
        // 15°, 500 x 300 without radius: arc pi/12 * 250 = 65 mm, d_h 375 mm
        {satz(typBogen, {500, 300, -1, -1, -1}, true, 4),
         {0.039, 0.039, 0.02925, 0.0195, 0.013, 0.013, 0.013},
         "l: 65 [mm]"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeile);
        Einzel t(f.d);
        const Senkung s = senkung(t.n);
        baender(s.p, f.e);
        const int freq = s.zeilen.indexOf(QStringLiteral("°TK1|2,46,5,-7,-7,-7,-7,-7,-7,-7"));
        ASSERT_GT(freq, 0);
        EXPECT_EQ(s.zeilen[freq - 1], QString::fromUtf8(f.zeile));
    }
    Einzel knie(satz(typKnie, {200, 100}, true));
    EXPECT_EQ(senkung(knie.n).zeilen[0],
              QStringLiteral("Pegelsenkung Umlenkung Knie (Abschnitt 6.2)"));
    Einzel flach(satz(typBogen, {500, 300, -1, -1, -1}, true, 4));
    EXPECT_EQ(senkung(flach.n).zeilen[3],
              QStringLiteral("Winkel <  45°  °(->  Pegelsenkung Kanal"));
}

TEST(Pegelsenkung, BranchSplitsByPassage) {
    struct Fall {
        DVdata d;
        int seite;
        double dl;
        const char* flaechen;
        const char* anteil;
    };
    const Fall faelle[] = {
        {satz(typAbzweigstueck90, {500, 300, 500, 300}, true), 0, 3.0103,
         "Durchgang S°(sub 1°(-sub : 0,1500 [m²]; Abzweig   S°(sub 2°(-sub : 0,1500 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )= 0,50"},
        {satz(typAbzweigstueck90, {500, 300, 250, 300}, true), 0, 1.76091,
         "Durchgang S°(sub 1°(-sub : 0,1500 [m²]; Abzweig   S°(sub 2°(-sub : 0,0750 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )= 0,67"},
        {satz(typAbzweigstueck90, {500, 300, 250, 300}, true), 1, 4.77121,
         "Abzweig   S°(sub 1°(-sub : 0,0750 [m²];  Durchgang S°(sub 2°(-sub : 0,1500 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )= 0,33"},
        // reducing piece: the passage is the reduced section i[4] x i[5]
        {satz(typAbzweigreduzierstueck90, {500, 300, 250, 300, 250, 300}, true), 0, 3.0103,
         "Durchgang S°(sub 1°(-sub : 0,0750 [m²]; Abzweig   S°(sub 2°(-sub : 0,0750 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )= 0,50"},
        {satz(typKreuzstueck, {500, 300, 250, 300}, true), 0, 3.0103,
         "Durchgang S°(sub 1°(-sub : 0,1500 [m²]; Abzweig   S°(sub 2°(-sub : 0,0750 [m²];   "
         "Abzweig 2 S°(sub 3°(-sub : 0,0750 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub +S°(sub 3°(-sub )= 0,50"},
        {satz(typKreuzstueck, {500, 300, 250, 300}, true), 2, 6.0206,
         "Abzweig 2  S°(sub 1°(-sub : 0,0750 [m²];  Abzweig 1  S°(sub 2°(-sub : 0,0750 [m²];  "
         "Durchgang  S°(sub 3°(-sub : 0,1500 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub +S°(sub 3°(-sub )= 0,25"},
        // round branch on a rectangular duct: branch area is the circle of i[2]
        {satz(typAbzweigstueck90Rund, {500, 300, 200}, true), 1,
         10 * std::log10(0.181416 / 0.031416),
         "Abzweig   S°(sub 1°(-sub : 0,0314 [m²];  Durchgang S°(sub 2°(-sub : 0,1500 [m²]",
         "S°(sub 1°(-sub /(S°(sub 1°(-sub +S°(sub 2°(-sub )= 0,17"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.flaechen);
        Einzel t(f.d);
        const Senkung s = senkung(t.n, f.seite);
        for (int k = 0; k < bandAnzahl; ++k) EXPECT_NEAR(s.p[k], f.dl, 1e-4);
        ASSERT_GE(s.zeilen.size(), 6);
        EXPECT_EQ(s.zeilen[3], QString::fromUtf8(f.flaechen));
        EXPECT_EQ(s.zeilen[4], QString::fromUtf8(f.anteil));
    }
    Einzel a(satz(typAbzweigstueck90, {500, 300, 500, 300}, true));
    EXPECT_EQ(senkung(a.n, 0).zeilen[0],
              QStringLiteral("Pegelsenkung für Verzweigung (Abschnitt 7.4)"));
    EXPECT_EQ(senkung(a.n, 1).zeilen[0],
              QStringLiteral("Pegelsenkung für Abzweig  (Abschnitt 7.4)"));
    EXPECT_EQ(senkung(a.n, 1).zeilen[2], QStringLiteral("Bauteilform: eckig"));
    // a branch without dimensions lowers nothing (no logarithm of 0)
    Einzel ohne(satz(typAbzweigstueck90, {}, true));
    baender(senkung(ohne.n).p, {0, 0, 0, 0, 0, 0, 0});
}

TEST(Pegelsenkung, SaddleAndTrouserPiecesHalveThePower) {
    Einzel sattel(satz(typSattelstutzen90, {500, -1, 200}));
    const Senkung s = senkung(sattel.n);
    for (int k = 0; k < bandAnzahl; ++k) EXPECT_NEAR(s.p[k], 3.0103, 1e-4);
    EXPECT_EQ(s.zeilen[0],
              QStringLiteral("Pegelsenkung für Sattelstutzen Abzweig (Abschnitt 7.4)"));
    EXPECT_EQ(s.zeilen[2], QStringLiteral("Abzweig S°(sub 1°(-sub =S°(sub 2°(-sub = 0,0314 [m²]"));
    EXPECT_EQ(s.zeilen.last(), QString());
    Einzel gabel(satz(typSattelstutzen90, {500, 300, 200, 100}, true));
    EXPECT_EQ(senkung(gabel.n).zeilen[0],
              QStringLiteral("Pegelsenkung für Gabelung Abzweig (Abschnitt 7.4)"));
    EXPECT_EQ(senkung(gabel.n).zeilen[2],
              QStringLiteral("Abzweig S°(sub 1°(-sub =S°(sub 2°(-sub = 0,0200 [m²]"));
    Einzel hose(satz(typHosenstueck, {300, -1, 200}));
    const Senkung h = senkung(hose.n);
    for (int k = 0; k < bandAnzahl; ++k) EXPECT_NEAR(h.p[k], 3.0103, 1e-4);
    ASSERT_EQ(h.zeilen.size(), 9);
    EXPECT_EQ(h.zeilen[6], QStringLiteral("°(delta L°(sub w°(-sub  (Gleichung 34)|[dB]|3,01|3,01|"
                                          "3,01|3,01|3,01|3,01|3,01"));
    EXPECT_EQ(h.zeilen[7],
              QStringLiteral("Gesamtpegelsenkung °(delta L°(sub w°(-sub|[dB]|3,01|3,01|"
                             "3,01|3,01|3,01|3,01|3,01"));
}

TEST(Pegelsenkung, RoomAttenuation) {
    // 100 m³, T_m 0.5 s, r 2 m, source in the room's corner at 0°, outlet 400 x 200 mm:
    // S_eff = 0.08/1.2 m²; Q of the corner curve is 8.0 ... 8.07.
    Baum t;
    tmylistitem* s = t.strang();
    t.neu(s, satz(typZuluftauslass, {400, 200, 1, 500, 1}, true, 0));
    DVdata r = satz(typRaum, {100, -1, -1, 35, 500, 2}, false, 3);
    r.tag2 = 0;
    tmylistitem* raum = t.neu(s, r);
    const Senkung a = senkung(raum);
    // 63 Hz: T = 0.8 s, A = 0.163 * 100 / 0.8 = 20.375 m², x = 16.3 m/s, Q = 8.0004:
    // -10 lg(8.0004/(16 pi) + 4/20.375) = 4.49 -> 4; 250 Hz: 5.498 -> 5; 4 kHz: 6.54 -> 7
    baender(a.p, {4, 5, 5, 6, 6, 6, 7});
    ASSERT_EQ(a.zeilen.size(), 12);
    EXPECT_EQ(a.zeilen[0], QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)"));
    EXPECT_EQ(a.zeilen[2], QStringLiteral("V: 100 [m³];  T°(sub mittel°(-sub :0,50 [s]  S: 0,080 "
                                          "[m²] ;  S°(sub eff°(-sub = 0,067 [m²]"));
    EXPECT_EQ(a.zeilen[3], QStringLiteral("kleinster Abstand r: 2,0 [m] ; Ort der Schallquelle: "
                                          "Raumecke;  Abstrahlwinkel: 0°"));
    EXPECT_EQ(a.zeilen[6], QStringLiteral("Nachhallzeit T|[s]|0,80|0,64|0,50|0,39|0,32|0,27|0,25"));
    EXPECT_EQ(a.zeilen[7].section('|', 0, 2), QStringLiteral("A=0,163°(* V/T (Gl. 36)|[m²]|20,4"));
    EXPECT_EQ(a.zeilen[10],
              QStringLiteral("Raumdämpfungsmaß L°(sub w°(-sub -L (Gl. 35)|[dB]|4|5|5|6|6|6|7"));

    // Per-band times of 1 s: A = 16.3 m² in every band, 3.93 dB -> 4
    DVdata& rec = *nodeDaten(raum);
    rec.nachhallzeitangabe = true;
    rec.nachhallzeit = {1000, 1000, 1000, 1000, 1000, 1000, 1000};
    const Senkung b = senkung(raum);
    baender(b.p, {4, 4, 4, 4, 4, 4, 4});
    EXPECT_TRUE(b.zeilen[2].contains(QStringLiteral(" [s] Vorgabe-Spektrum  S: ")));

    // Per-band times left unset: the diffuse part is left out, no infinite level.
    rec.nachhallzeit = {-1, -1, -1, -1, -1, -1, -1};
    for (double x : senkung(raum).p) EXPECT_TRUE(std::isfinite(x));

    // No source position, no volume: nothing.
    rec.nachhallzeitangabe = false;
    rec.tag1 = -1;
    const Senkung c = senkung(raum);
    EXPECT_TRUE(ganzerPegel(c.p, pegelNichtBerechnet));
    EXPECT_TRUE(c.zeilen.isEmpty());
    rec.tag1 = 3;
    rec.i[0] = 0;
    const Senkung d = senkung(raum);
    EXPECT_TRUE(ganzerPegel(d.p, pegelNichtBerechnet));
    EXPECT_EQ(d.zeilen.size(), 2);
}

TEST(Pegelsenkung, RoomWithoutOutletContributesNothing) {
    Baum t;
    tmylistitem* s = t.strang();
    tmylistitem* raum = t.neu(s, satz(typRaum, {100, -1, -1, 35, 500, 2}, false, 3));
    EXPECT_TRUE(ganzerPegel(senkung(raum).p, pegelNichtBerechnet));
}

TEST(Pegelsenkung, EndReflectionPerSolidAngle) {
    struct Fall {
        DVdata auslass;
        int ort;
        std::initializer_list<double> e;
        const char* ortZeile;
    };
    const Fall faelle[] = {
        // round 200 mm at a wall's middle, Omega = 2: at 63 Hz
        // 10 lg(1 + 2 pi (26.4993/63)² / 0.02618) + (0.04283 lg(63 * 0.1618) - 0.0303) = 16.39
        {satz(typZuluftauslass, {200, -1, 1, 300, 1}, false, 0),
         1,
         {16.394, 10.739, 5.7164, 2.2893, 0.74071, 0.25643, 0.13560},
         "Ort des Kanalendes: Wandmitte   °(ohm = 2,0 °(*  °(pi"},
        // 400 x 200 in a corner, Omega = 0.5, m = 2
        {satz(typAbluftgitter, {400, 200, 1, 300, 1}, true, 0),
         3,
         {7.1770, 3.2050, 1.1144, 0.39854, 0.21728, 0.18972, 0.20207},
         "Ort des Kanalendes: Raumecke   °(ohm = 0,5 °(*  °(pi"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ortZeile);
        Baum t;
        tmylistitem* s = t.strang(f.auslass.typ == typAbluftgitter ? 1 : 0);
        tmylistitem* a = t.neu(s, f.auslass);
        t.neu(s, satz(typRaum, {100, -1, -1, 35, 500, 2}, false, f.ort));
        const Senkung r = senkung(a);
        baender(r.p, f.e, 1e-3);
        EXPECT_EQ(r.zeilen[0], QStringLiteral("Pegelsenkung Mündungsreflexion (Abschnitt 7.6)"));
        EXPECT_EQ(r.zeilen[4], QString::fromUtf8(f.ortZeile));
    }
    Baum t;
    tmylistitem* s = t.strang();
    tmylistitem* a = t.neu(s, satz(typZuluftauslass, {400, 200, 1, 300, 1}, true, 0));
    t.neu(s, satz(typRaum, {100, -1, -1, 35, 500, 2}, false, 3));
    const Senkung r = senkung(a);
    EXPECT_EQ(r.zeilen[2], QStringLiteral("m=L/H = 400 [mm] / 200 [mm]= 2,00"));
    EXPECT_EQ(r.zeilen[3], QStringLiteral("S:0,080 [m²] ; S°(sub eff°(-sub = 0,067 [m²]"));

    // The closed inspection opening is no open end.
    Einzel revision(satz(typZuluftauslass, {400, 200, 1, 300, 1}, true, 8));
    const Senkung rv = senkung(revision.n);
    EXPECT_TRUE(ganzerPegel(rv.p, pegelNichtBerechnet));
    EXPECT_TRUE(rv.zeilen.isEmpty());
}

TEST(Pegelsenkung, OutletWithoutRoomIsReported) {
    Baum t;
    tmylistitem* s = t.strang();
    tmylistitem* a = t.neu(s, satz(typZuluftauslass, {400, 200, 1, 300, 1}, true, 0));
    a->setCaption(QStringLiteral("Zuluftauslass"));
    RecordingSeam seam;
    const Senkung r = senkung(a, 0, &seam);
    EXPECT_TRUE(ganzerPegel(r.p, pegelNichtBerechnet));
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(
        seam.fragen[0],
        QStringLiteral("Fehler in der Struktur! Raum fehlt nach Gitter: 1.1 Zuluftauslass [o]"));
}

TEST(Pegelsenkung, TelephonySilencer) {
    DVdata d = satz(typSchalldaempfer, {200, -1, -1, -1, -1, 1000}, false, 0);
    d.tag2 = 0;
    Einzel t(d);
    const Senkung s = senkung(t.n);
    baender(s.p, {2, 4, 6, 13, 26, 30, 21});
    EXPECT_EQ(s.zeilen[0], QStringLiteral("Telefonie-Schalldämpfer - Lindab SLF-A25"));
    EXPECT_EQ(s.zeilen[1], QStringLiteral("Länge: 1.000 [mm] ; Durchmesser: 200 [mm]"));
    EXPECT_EQ(s.zeilen.last(), QString());

    nodeDaten(t.n)->i[5] = 1200;
    const Senkung l = senkung(t.n);
    EXPECT_TRUE(ganzerPegel(l.p, pegelAbgebrochen));
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Länge 1.200mm existiert nicht")});
    nodeDaten(t.n)->i[5] = 1500;
    nodeDaten(t.n)->i[0] = 160;
    const Senkung dn = senkung(t.n);
    EXPECT_TRUE(ganzerPegel(dn.p, pegelAbgebrochen));
    EXPECT_EQ(dn.zeilen, QStringList{QStringLiteral("DN 160 existiert nicht")});
    nodeDaten(t.n)->i[0] = 355;
    baender(senkung(t.n).p, {0, 1, 3, 10, 19, 17, 11});
    // other silencers carry no data
    nodeDaten(t.n)->tag1 = 1;
    EXPECT_TRUE(ganzerPegel(senkung(t.n).p, pegelNichtBerechnet));
}

TEST(Pegelsenkung, PresetPlanningAndComponentsWithoutModel) {
    DVdata d = satz(typSchalldaempfer, {200, -1, -1, -1, -1, 1000}, false, 0);
    d.tag2 = 0;
    d.schall = 2;
    d.sd = {5, 6, 7, 8, 9, 10, 11, 12};
    Einzel t(d);
    const Senkung s = senkung(t.n);
    baender(s.p, {5, 6, 7, 8, 9, 10, 11});
    EXPECT_EQ(s.zeilen[0], QStringLiteral("Dämpfungsvorgabe"));
    EXPECT_EQ(s.zeilen[3], QStringLiteral("Vorgabe|[dB]|5|6|7|8|9|10|11"));
    // the sound-power preset bit alone does not replace the attenuation
    nodeDaten(t.n)->schall = 1;
    baender(senkung(t.n).p, {2, 4, 6, 13, 26, 30, 21});

    nodeDaten(t.n)->planung = true;
    const Senkung p = senkung(t.n);
    EXPECT_TRUE(ganzerPegel(p.p, pegelNichtBerechnet));
    EXPECT_TRUE(p.zeilen.isEmpty());

    Einzel quer(satz(typQuerschnittsaenderung, {500, 300}, true));
    const Senkung q = senkung(quer.n);
    EXPECT_TRUE(ganzerPegel(q.p, pegelNichtBerechnet));
    EXPECT_EQ(q.zeilen, (QStringList{QStringLiteral("Pegelsenkung stetiger Querschnittsübergang "
                                                    "nicht vorhanden. (Abschnitt 6.3)"),
                                     QString()}));
    Einzel fan(satz(typVentilator, {2000, 2000}));
    EXPECT_TRUE(ganzerPegel(senkung(fan.n).p, pegelNichtBerechnet));
    EXPECT_TRUE(hatPegelsenkung(typBogen));
    EXPECT_TRUE(hatPegelsenkung(typUebergangsbogen));
    EXPECT_FALSE(hatPegelsenkung(typVentilator));
    EXPECT_FALSE(hatPegelsenkung(typQuerschnittsaenderung));
}
