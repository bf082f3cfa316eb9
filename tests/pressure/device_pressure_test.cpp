#include "network/dvdata.h"
#include "pressure/calc_context.h"
#include "pressure/component_rule.h"
#include "pressure/device_data.h"
#include "pressure/device_pressure.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>
#include <limits>

using namespace zephan;

namespace {

using Art = RegelErgebnis::Art;

// One device record; dimensions in mm.
DVdata geraet(int typ, bool eckig, int tag1, int tag2, double a, double b = -1) {
    DVdata d;
    initNode(d, false);
    d.typ = typ;
    d.eckig = eckig;
    d.tag1 = tag1;
    d.tag2 = tag2;
    d.i[0] = a;
    d.i[1] = b;
    d.p[0] = QStringLiteral("9,99");
    d.p[1] = QStringLiteral("7,777");
    return d;
}

struct Lauf {
    RegelErgebnis erg;
    DVdata rec;
    QStringList zeilen;
};

// Runs the device rule on a copy of `rec` with the flow q [m³/h], writing into a fresh
// recording document.
Lauf rechne(const DVdata& rec, double q, bool zuluft = true, double rho = 1.2,
            bool drucken = true) {
    Lauf l{{}, rec, {}};
    TDruck d;
    d.drucken = drucken;
    const Rechenkontext k = testKontext();
    RegelEingabe e{l.rec, 1, zuluft, q, 1, 1, 1, rho, d, k};
    l.erg = geraeteRegel(e);
    l.zeilen = d.m;
    return l;
}

const QString nurFormeln =
    QStringLiteral("Es sind nur die Formeln für DN 100, 125, 160 und 200 vorhanden");

} // namespace

// --- Helpers ---------------------------------------------------------------------------------

TEST(Zweipunkt, GeradeDurchZweiPunkteNichtNegativ) {
    // FD-300-H first size at 175 m³/h: 7 + (49 − 7)/(250 − 100)·(175 − 100) = 28
    EXPECT_DOUBLE_EQ(zweipunkt(175, 49, 250, 7, 100), 28.0);
    // beyond the second point the line continues
    EXPECT_DOUBLE_EQ(zweipunkt(400, 49, 250, 7, 100), 91.0);
    // 50 m³/h would read −7 Pa: held at 0
    EXPECT_DOUBLE_EQ(zweipunkt(50, 49, 250, 7, 100), 0.0);
    // two points at one x: the first y, not a division by zero
    EXPECT_DOUBLE_EQ(zweipunkt(300, 20, 100, 12, 100), 12.0);
    EXPECT_DOUBLE_EQ(zweipunkt(std::numeric_limits<double>::quiet_NaN(), 49, 250, 7, 100), 0.0);
}

TEST(Gitterflaeche, TabelleZwischenhoehenUndFehlendeMasse) {
    EXPECT_DOUBLE_EQ(gitterflaeche(425, 1025), 0.285);
    EXPECT_DOUBLE_EQ(gitterflaeche(125, 225), 0.015);
    EXPECT_DOUBLE_EQ(gitterflaeche(225, 725), 0.107);
    EXPECT_DOUBLE_EQ(gitterflaeche(325, 1225), 0.256);
    // every height from 525 mm reads the last row
    EXPECT_DOUBLE_EQ(gitterflaeche(525, 1025), 0.355);
    EXPECT_DOUBLE_EQ(gitterflaeche(900, 1225), 0.427);
    // other heights below 525 mm: 60 % of the face area
    EXPECT_NEAR(gitterflaeche(200, 300), 0.036, 1e-12);
    EXPECT_NEAR(gitterflaeche(500, 777), 0.6 * 500 * 777 / 1e6, 1e-12);
    // sizes the maker does not make
    EXPECT_EQ(gitterflaeche(425, 225), -1);
    EXPECT_EQ(gitterflaeche(325, 225), -1);
    EXPECT_EQ(gitterflaeche(125, 300), -1);
    EXPECT_EQ(gitterflaeche(600, 825), -1);
    // no side, no area
    EXPECT_EQ(gitterflaeche(0, 1025), -1);
    EXPECT_EQ(gitterflaeche(200, 0), -1);
    EXPECT_EQ(gitterflaeche(-200, -300), -1);
}

TEST(GeraeteDaten, BrandschutzklappeKurvenUndNennweiten) {
    // chart points: 1.14 · 1.3 at 400 × 400
    EXPECT_NEAR(bsk_zeta(400, 400), 1.482, 1e-5);
    // between points: H(300) = 2.5 − 0.89·48/66, B(500) = 1.2 − 0.1·51/54
    EXPECT_NEAR(bsk_zeta(300, 500), (2.5 - 0.89 * 48 / 66) * (1.2 - 0.1 * 51 / 54), 1e-5);
    // below the first point the first value holds
    EXPECT_NEAR(bsk_zeta(100, 100), 4.32 * 2.2, 1e-5);
    // Above the chart the last point holds: extrapolated, the height curve fell to 0.001 at
    // 1570 mm and below 0 at 1580 mm, where a damper then had no result.
    for (double h : {797.0, 1000.0, 1570.0, 1580.0, 2000.0})
        EXPECT_NEAR(bsk_zeta(h, 400), 0.54 * 1.3, 1e-5) << h;
    EXPECT_NEAR(bsk_zeta(400, 1800), 1.14 * 0.8, 1e-5);
    EXPECT_FALSE(bskAusserhalb(797, 1500));
    EXPECT_TRUE(bskAusserhalb(798, 400));
    EXPECT_TRUE(bskAusserhalb(400, 1501));
    EXPECT_EQ(bsk_zeta(1e300, 400), -1);

    EXPECT_EQ(fkrsZeta(100).value_or(-1), 1.9);
    EXPECT_EQ(fkrsZeta(200).value_or(-1), 0.6);
    EXPECT_FALSE(fkrsZeta(150).has_value());

    ASSERT_TRUE(ventilKennlinie(tellerventilZuluft(), 125).has_value());
    EXPECT_EQ(ventilKennlinie(tellerventilZuluft(), 125)->spalt, 12);
    EXPECT_FALSE(ventilKennlinie(brandschutzventilAbluft(), 250).has_value());
}

TEST(GeraeteVolumenstrom, AuslaesseUndAbluftgitterJeGeraet) {
    DVdata auslass = geraet(typZuluftauslass, true, 0, -1, 400, 200);
    auslass.i[4] = 4;
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(auslass, 1000), 250.0);
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(auslass, -1000), 250.0);
    auslass.i[4] = -1; // count not given: one device
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(auslass, 1000), 1000.0);
    auslass.i[4] = 0.5;
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(auslass, 1000), 1000.0);

    DVdata aussenluft = geraet(typAussenluftgitter, true, 0, 0, 400, 200);
    aussenluft.i[4] = 4; // no count slot: the whole flow
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(aussenluft, 1000), 1000.0);
    EXPECT_DOUBLE_EQ(geraeteVolumenstrom(aussenluft, 0), 1.0);
}

// --- Inlet grilles 9 and 12 ------------------------------------------------------------------

TEST(Einlassgitter, StroemenInKanalNachKante) {
    const char* zeta[] = {"0,45", "0,25", "0,05", "0,01"};
    const char* zeile[] = {"Typ: scharf", "Typ: gebrochen", "Typ: gerundet", "Typ: stark gerundet"};
    for (int typ : {typAussenluftgitter, typAbluftgitter}) {
        for (int k = 0; k < 4; ++k) {
            const Lauf l = rechne(geraet(typ, true, 0, k, 400, 200), 1000);
            EXPECT_EQ(l.erg.art, Art::ZetaRegel);
            EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47")); // 1000/3600/0.08
            EXPECT_EQ(l.rec.p[1], QString::fromUtf8(zeta[k]));
            EXPECT_EQ(l.zeilen, QStringList{QString::fromUtf8(zeile[k])});
        }
    }
    // no edge chosen: the stored ζ stays
    const Lauf l = rechne(geraet(typAussenluftgitter, true, 0, -1, 400, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::KeineRegel);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("7,777"));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
}

TEST(Einlassgitter, ScharfkantigUndKonusEckigUndRund) {
    Lauf l = rechne(geraet(typAussenluftgitter, true, 1, -1, 400, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::ZetaRegel);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("1,25"));
    EXPECT_TRUE(l.zeilen.isEmpty());
    l = rechne(geraet(typAussenluftgitter, false, 1, -1, 200), 500);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,9"));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("4,42")); // 500/3600/0.0314159

    const char* eckig[] = {"0,15", "0,15", "0,25", "0,35"};
    const char* rund[] = {"0,1", "0,1", "0,15", "0,25"};
    const char* winkel[] = {"Winkel: 15°", "Winkel: 30°", "Winkel: 45°", "Winkel: 60°"};
    for (int k = 0; k < 4; ++k) {
        l = rechne(geraet(typAbluftgitter, true, 2, k, 400, 200), 1000, false);
        EXPECT_EQ(l.rec.p[1], QString::fromUtf8(eckig[k]));
        EXPECT_EQ(l.zeilen, QStringList{QString::fromUtf8(winkel[k])});
        l = rechne(geraet(typAbluftgitter, false, 2, k, 200), 500, false);
        EXPECT_EQ(l.rec.p[1], QString::fromUtf8(rund[k]));
        EXPECT_EQ(l.zeilen, QStringList{QString::fromUtf8(winkel[k])});
    }
}

TEST(Einlassgitter, OhneRegelUndOhneQuerschnitt) {
    // weather grille / swirl diffuser: the stored ζ is used, the velocity is refreshed
    Lauf l = rechne(geraet(typAussenluftgitter, true, 3, -1, 400, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::KeineRegel);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("7,777"));
    // the maker entries exist for the extract grille only
    for (int tag1 : {4, 5, 6, 7}) {
        l = rechne(geraet(typAussenluftgitter, false, tag1, -1, 125), 100);
        EXPECT_EQ(l.erg.art, Art::KeineRegel) << tag1;
        EXPECT_TRUE(l.zeilen.isEmpty());
    }
    // a grille without area keeps a velocity of 0 (written with one decimal)
    l = rechne(geraet(typAussenluftgitter, true, 1, -1, 0, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::ZetaRegel);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("0,0"));
    // two negative sides do not make an area
    l = rechne(geraet(typAbluftgitter, true, 1, -1, -400, -200), 1000);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("0,0"));
}

TEST(Einlassgitter, AbluftLueftungsgitterAG) {
    // 225 × 125: A_eff 0.015 m², v = 100/3600/0.015 = 1.852, Δp = 30·(v/9)² = 1.270 Pa
    DVdata d = geraet(typAbluftgitter, true, 4, -1, 225, 125);
    Lauf l = rechne(d, 100, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 1.27015, 1e-4);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("1,85"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,617")); // 2·30/81/1.2
    EXPECT_EQ(l.zeilen,
              (QStringList{
                  QStringLiteral("Trox Lüftungsgitter Serie -AG  1/1/D/5"),
                  QStringLiteral(
                      "Vorgabe: Abluft; Breite: 225 [mm]; Höhe: 125 [mm]; Anzahl der Gitter: -1"),
                  QStringLiteral("A°(colsub eff°(col-sub = 0,015 [m²];  v = 1,9 [m/s]")}));

    // two grilles of the room share 200 m³/h: the same as one grille at 100 m³/h
    d.i[4] = 2;
    l = rechne(d, 200, false);
    EXPECT_NEAR(l.erg.dp, 1.27015, 1e-4);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("1,85"));

    // ζ at another density: 2·30/81/1.15
    l = rechne(geraet(typAbluftgitter, true, 4, -1, 225, 125), 100, false, 1.15);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,644"));
}

TEST(Einlassgitter, AbluftLueftungsgitterFehler) {
    Lauf l = rechne(geraet(typAbluftgitter, false, 4, -1, 200), 100, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Werte für Rund sind nicht vorhanden.")});

    l = rechne(geraet(typAbluftgitter, true, 4, -1, 300, 125), 100, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    ASSERT_EQ(l.zeilen.size(), 3);
    EXPECT_EQ(l.zeilen[2], QStringLiteral("Maß nicht vorhanden"));

    // height 0 is between no listed heights: 0.6·0·b = 0 is no area either
    l = rechne(geraet(typAbluftgitter, true, 4, -1, 300, 0), 100, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen.last(), QStringLiteral("Maß nicht vorhanden"));
}

TEST(Einlassgitter, AbluftTellerventil) {
    // DN 100 at 80 m³/h: 0.01039·6400 − 0.08052·80 + 1.93766 = 61.992 Pa
    Lauf l = rechne(geraet(typAbluftgitter, false, 5, -1, 100), 80, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 61.99206, 1e-5);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("2,83"));  // 80/3600/0.007854
    EXPECT_EQ(l.rec.p[1], QStringLiteral("7,777")); // a Δp-rule leaves ζ alone
    EXPECT_EQ(l.zeilen,
              (QStringList{QStringLiteral("Trox Lüftungsventil Serie LV  1/4/D/4"),
                           QStringLiteral("LVS  Größe 100  Spaltbreite s= 0 [mm]  °(delta "
                                          "p°(colsub t°(col-sub = 62,0 [Pa]")}));

    // DN 200 at 50 m³/h: 1.225 + 9.1485 − 14.64338 = −4.270; the fit is handed on unclipped
    l = rechne(geraet(typAbluftgitter, false, 5, -1, 200), 50, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, -4.26988, 1e-5);
    EXPECT_TRUE(l.zeilen.last().endsWith(QStringLiteral("= -4,3 [Pa]")));

    // the nominal size is the diameter without its fraction
    l = rechne(geraet(typAbluftgitter, false, 5, -1, 125.9), 100, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 0.0042 * 10000 + 0.0122 * 100 - 0.25172, 1e-9);

    l = rechne(geraet(typAbluftgitter, true, 5, -1, 100, 100), 80, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{nurFormeln});
    l = rechne(geraet(typAbluftgitter, false, 5, -1, 150), 80, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen, QStringList{nurFormeln + '.'});
}

TEST(Einlassgitter, AbluftBrandschutzventil) {
    // DN 160 at 150 m³/h: 0.00247·22500 − 0.06889·150 + 2.70833 = 47.950 Pa
    Lauf l = rechne(geraet(typAbluftgitter, false, 6, -1, 160), 150, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 47.94983, 1e-5);
    EXPECT_EQ(l.zeilen,
              (QStringList{QStringLiteral("Trox Brandschutzventile Serien FV-K90 FVZ-K30 4/4/D/4"),
                           QStringLiteral("Abluft  Größe 160  Stellung 1")}));
    // DN 200 at 5 m³/h reads −0.009 Pa: clipped at 0
    l = rechne(geraet(typAbluftgitter, false, 6, -1, 200), 5, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_EQ(l.erg.dp, 0);

    l = rechne(geraet(typAbluftgitter, true, 6, -1, 160, 160), 150, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen, QStringList{nurFormeln});
    l = rechne(geraet(typAbluftgitter, false, 6, -1, 250), 150, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{nurFormeln + '.'});
}

TEST(Einlassgitter, RevisionsoeffnungOhneVerlust) {
    const Lauf l = rechne(geraet(typAbluftgitter, true, 7, -1, 400, 200), 1000, false);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_EQ(l.erg.dp, 0);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
}

// --- Supply outlet 10 ------------------------------------------------------------------------

TEST(Zuluftauslass, FesteBeiwerte) {
    const char* zeta[] = {"1,0", "1,0", "1,5", "1,8"};
    for (int k = 0; k < 4; ++k) {
        const Lauf l = rechne(geraet(typZuluftauslass, true, k, -1, 400, 200), 1000);
        EXPECT_EQ(l.erg.art, Art::ZetaRegel);
        EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
        EXPECT_EQ(l.rec.p[1], QString::fromUtf8(zeta[k]));
        EXPECT_TRUE(l.zeilen.isEmpty());
    }
    // four outlets in the room: the velocity of one
    DVdata d = geraet(typZuluftauslass, true, 0, -1, 400, 200);
    d.i[4] = 4;
    EXPECT_EQ(rechne(d, 1000).rec.p[0], QStringLiteral("0,87"));
    // no area: velocity 0 with two decimals
    EXPECT_EQ(rechne(geraet(typZuluftauslass, false, 0, -1, 0), 1000).rec.p[0],
              QStringLiteral("0,00"));
    // nothing chosen: no rule
    EXPECT_EQ(rechne(geraet(typZuluftauslass, true, -1, -1, 400, 200), 1000).erg.art,
              Art::KeineRegel);
}

TEST(Zuluftauslass, DralldurchlassNachGroesse) {
    // FD-300-H, first size, 175 m³/h: 28 Pa
    DVdata d = geraet(typZuluftauslass, false, 4, 0, 300);
    Lauf l = rechne(d, 175);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 28.0, 1e-12);
    EXPECT_TRUE(l.zeilen.isEmpty());
    // two diffusers in the room share 350 m³/h: each is read at 175 m³/h
    d.i[4] = 2;
    EXPECT_NEAR(rechne(d, 350).erg.dp, 28.0, 1e-12);

    // every size of both series at the flow of its first point gives its first loss
    const double erster[][2] = {{100, 7}, {150, 5.5}, {200, 5},  {250, 5.5}, {250, 5.5},
                                {100, 8}, {200, 10},  {350, 15}, {400, 12},  {400, 12}};
    for (int k = 0; k < 10; ++k) {
        l = rechne(geraet(typZuluftauslass, false, 4, k, 300), erster[k][0]);
        EXPECT_NEAR(l.erg.dp, erster[k][1], 1e-9) << k;
    }
    // FD-300-V -625 at 800 m³/h: 12 + 88/800·400 = 56
    EXPECT_NEAR(rechne(geraet(typZuluftauslass, false, 4, 9, 300), 800).erg.dp, 56.0, 1e-9);
    // -500 of the H series at 400 m³/h: 5 + 43/400·200 = 26.5
    EXPECT_NEAR(rechne(geraet(typZuluftauslass, false, 4, 2, 300), 400).erg.dp, 26.5, 1e-9);
    // well below the chart the line would go negative
    EXPECT_EQ(rechne(geraet(typZuluftauslass, false, 4, 0, 300), 50).erg.dp, 0);

    // no size chosen: no result
    for (int tag2 : {-1, 10}) {
        l = rechne(geraet(typZuluftauslass, false, 4, tag2, 300), 175);
        EXPECT_EQ(l.erg.art, Art::Stopp);
        EXPECT_EQ(l.erg.dp, -1000);
    }
}

TEST(Zuluftauslass, LueftungsgitterAGundDG) {
    // 425 high × 1025 wide at 1000 m³/h: A_eff 0.285, v 0.97, Δp = 62·(v/9)² = 0.73 Pa
    DVdata d = geraet(typZuluftauslass, true, 5, 0, 1025, 425);
    Lauf l = rechne(d, 1000);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 0.727130, 1e-6);
    EXPECT_EQ(formatZahl(l.erg.dp, 2), QStringLiteral("0,73"));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("0,97"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("1,276")); // 2·62/81/1.2
    EXPECT_EQ(l.zeilen,
              (QStringList{QStringLiteral("Trox Lüftungsgitter Serie -AG und -DG  1/1/D/5"),
                           QStringLiteral("Vorgabe:  Breite: 1.025 [mm]; Höhe: 425 [mm]; Anzahl "
                                          "der Gitter: -1; 100% geöffnet"),
                           QStringLiteral("A°(colsub eff°(col-sub = 0,285 [m²];  v = 1,0 [m/s]")}));

    // two grilles: half the velocity, a quarter of the loss
    d.i[2] = 2;
    l = rechne(d, 1000);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("0,49"));
    EXPECT_NEAR(l.erg.dp, 0.181782, 1e-6);
    EXPECT_EQ(l.zeilen.last(),
              QStringLiteral("A°(colsub eff°(col-sub = 0,285 [m²];  v = 0,5 [m/s]"));

    l = rechne(geraet(typZuluftauslass, false, 5, 0, 400), 1000);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Bitte eckige Maße angeben!")});

    l = rechne(geraet(typZuluftauslass, true, 5, 0, 1025, 430), 1000);
    EXPECT_EQ(l.erg.art, Art::DpRegel); // between listed heights: 60 % free area
    EXPECT_NEAR(l.erg.dp, 62 * std::pow(1000 / 3600.0 / (0.6 * 0.43 * 1.025) / 9, 2), 1e-9);
    l = rechne(geraet(typZuluftauslass, true, 5, 0, 1000, 425), 1000);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen.last(), QStringLiteral("Maß nicht vorhanden"));
}

TEST(Zuluftauslass, Tellerventil) {
    // DN 125 at 100 m³/h: 0.00254·10000 + 0.11071·100 − 3.77495 = 32.70 Pa
    Lauf l = rechne(geraet(typZuluftauslass, false, 6, -1, 125), 100);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 32.69605, 1e-6);
    EXPECT_EQ(formatZahl(l.erg.dp, 2), QStringLiteral("32,70"));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("2,26"));
    EXPECT_EQ(l.zeilen, (QStringList{QStringLiteral("Trox Lüftungsventil Serie LV  1/4/D/4"),
                                     QStringLiteral("Z-LVS  Größe 125  Spaltbreite s= 12 [mm]")}));
    // gap widths of the other sizes
    EXPECT_EQ(rechne(geraet(typZuluftauslass, false, 6, -1, 100), 100).zeilen.last(),
              QStringLiteral("Z-LVS  Größe 100  Spaltbreite s= 9 [mm]"));
    EXPECT_EQ(rechne(geraet(typZuluftauslass, false, 6, -1, 200), 300).zeilen.last(),
              QStringLiteral("Z-LVS  Größe 200  Spaltbreite s= 15 [mm]"));
    // DN 100 at 10 m³/h reads −3.21 Pa: clipped at 0
    EXPECT_EQ(rechne(geraet(typZuluftauslass, false, 6, -1, 100), 10).erg.dp, 0);
    // three valves in the room at 300 m³/h: each at 100 m³/h
    DVdata d = geraet(typZuluftauslass, false, 6, -1, 125);
    d.i[4] = 3;
    EXPECT_NEAR(rechne(d, 300).erg.dp, 32.69605, 1e-6);

    for (const DVdata& falsch : {geraet(typZuluftauslass, true, 6, -1, 125, 125),
                                 geraet(typZuluftauslass, false, 6, -1, 150)}) {
        l = rechne(falsch, 100);
        EXPECT_EQ(l.erg.art, Art::Stopp);
        EXPECT_EQ(l.erg.dp, -1000);
        EXPECT_EQ(l.zeilen, QStringList{nurFormeln});
    }
}

TEST(Zuluftauslass, Brandschutzventil) {
    // DN 200 supply at 300 m³/h: 0.00157·90000 + 0.00102·300 − 0.14884 = 141.457 Pa
    Lauf l = rechne(geraet(typZuluftauslass, false, 7, -1, 200), 300);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 141.45716, 1e-6);
    EXPECT_EQ(l.zeilen,
              (QStringList{QStringLiteral("Trox Brandschutzventile Serien FV-K90 FVZ-K30 4/4/D/4"),
                           QStringLiteral("Zuluft  Größe 200  Stellung 1")}));
    // DN 125 at 20 m³/h reads 1.952 − 3.188 + 6.770 = 5.535 Pa
    EXPECT_NEAR(rechne(geraet(typZuluftauslass, false, 7, -1, 125), 20).erg.dp,
                0.00488 * 400 - 0.15938 * 20 + 6.77032, 1e-9);

    l = rechne(geraet(typZuluftauslass, true, 7, -1, 200, 200), 300);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral(
                            "Es sind nur die Werte für DN 100, 125, 160 und 200 vorhanden")});
    l = rechne(geraet(typZuluftauslass, false, 7, -1, 200), 300, false);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Es sind keine Formeln für Abluft vorhanden")});
    l = rechne(geraet(typZuluftauslass, false, 7, -1, 250), 300);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(
        l.zeilen,
        (QStringList{QStringLiteral("Trox Brandschutzventile Serien FV-K90 FVZ-K30 4/4/D/4"),
                     QStringLiteral("Größe 250 nicht vorhanden. Nur 100, 125, 160 und 200.")}));
}

TEST(Zuluftauslass, RevisionsoeffnungOhneVerlust) {
    const Lauf l = rechne(geraet(typZuluftauslass, true, 8, -1, 400, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_EQ(l.erg.dp, 0);
}

// --- Exhaust grille 11 -----------------------------------------------------------------------

TEST(Fortluftgitter, BeiwerteNachGitterart) {
    const char* zeta[] = {"1,0", "1,0", "1,5", "1,8"};
    for (int k = 0; k < 4; ++k) {
        const Lauf l = rechne(geraet(typFortluftgitter, false, k, -1, 200), 500);
        EXPECT_EQ(l.erg.art, Art::ZetaRegel);
        EXPECT_EQ(l.rec.p[0], QStringLiteral("4,42"));
        EXPECT_EQ(l.rec.p[1], QString::fromUtf8(zeta[k]));
    }
    Lauf l = rechne(geraet(typFortluftgitter, true, 4, -1, 400, 200), 1000);
    EXPECT_EQ(l.erg.art, Art::KeineRegel);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("7,777"));
    // the count slot means nothing here: the whole flow
    DVdata d = geraet(typFortluftgitter, true, 0, -1, 400, 200);
    d.i[4] = 4;
    EXPECT_EQ(rechne(d, 1000).rec.p[0], QStringLiteral("3,47"));
    l = rechne(geraet(typFortluftgitter, true, 0, -1, 400, 0), 1000);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("0,0"));
}

// --- Silencer 41 -----------------------------------------------------------------------------

TEST(Schalldaempfer, RundWieFlexrohr) {
    // ⌀ 200, 1.5 m, 500 m³/h: v = 4.421 m/s, Re = 58946, ks/d = 0.00075, Colebrook
    // λ = 0.02274, R = 1.3336 Pa/m, Δp = 2.000 Pa
    DVdata d = geraet(typSchalldaempfer, false, 0, -1, 200);
    d.i[5] = 1500;
    Lauf l = rechne(d, 500);
    EXPECT_EQ(l.erg.art, Art::Stopp); // the result stands without the tail
    EXPECT_NEAR(l.erg.dp, 2.0004, 2e-4);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("4,42"));
    ASSERT_GE(l.zeilen.size(), 3);
    EXPECT_EQ(l.zeilen[0], QStringLiteral("Berechnung wie ein Flexrohr"));
    EXPECT_EQ(l.zeilen[1], QStringLiteral("°ÜDruckverlust nach VDI 2087 (5.1998)"));
    EXPECT_TRUE(l.zeilen.contains(QStringLiteral("Rauhigkeitshöhe ks: 0,150 [mm]")));
    EXPECT_TRUE(l.zeilen.last().endsWith(QStringLiteral(" = 1,33 [Pa/m]")))
        << l.zeilen.last().toStdString();

    // the pipe silencer (entry 1) is computed the same way
    d.tag1 = 1;
    EXPECT_NEAR(rechne(d, 500).erg.dp, 2.0004, 2e-4);
    // a length not given loses nothing rather than a negative amount
    d.i[5] = -1;
    l = rechne(d, 500);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, 0);
}

TEST(Schalldaempfer, KanalUndEckigOhneGrundlage) {
    for (int tag1 : {2, 3}) {
        const Lauf l = rechne(geraet(typSchalldaempfer, false, tag1, -1, 200), 500);
        EXPECT_EQ(l.erg.art, Art::Stopp);
        EXPECT_EQ(l.erg.dp, -1000);
        EXPECT_EQ(
            l.zeilen,
            (QStringList{
                QStringLiteral("Noch keine Berechnungsgrundlage für Kanalschalldämpfer vorhanden."),
                QStringLiteral("Bitte Druckverlust manuell vorgeben.")}));
    }
    Lauf l = rechne(geraet(typSchalldaempfer, true, 0, -1, 400, 200), 500);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen,
              QStringList{QStringLiteral("Sie haben einen eckigen Schalldämpfer gewählt.")});
    // a round silencer of diameter 0 divides by nothing
    l = rechne(geraet(typSchalldaempfer, false, 0, -1, 0), 500);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen,
              (QStringList{QStringLiteral("Berechnung wie ein Flexrohr"),
                           QStringLiteral("Querschnitt gleich Null -> keine Berechnung möglich")}));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("9,99"));
}

// --- Fire damper 43 --------------------------------------------------------------------------

TEST(Brandschutzklappe, EckigNachKurve) {
    // 400 × 400 at 2000 m³/h: A 0.16 m², w 3.47 m/s, ζ = 1.14·1.3
    Lauf l = rechne(geraet(typBrandschutzklappe, true, 0, -1, 400, 400), 2000);
    EXPECT_EQ(l.erg.art, Art::ZetaRegel);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,47"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("1,482"));
    EXPECT_TRUE(l.zeilen.isEmpty());
    // width 500, height 300: the height is read from i[1], the width from i[0]
    l = rechne(geraet(typBrandschutzklappe, true, 0, -1, 500, 300), 2000);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("2,048"));
    EXPECT_EQ(l.rec.p[0], QStringLiteral("3,70"));
    // other entries: free cross-section, no coefficient
    l = rechne(geraet(typBrandschutzklappe, true, 1, -1, 500, 300), 2000);
    EXPECT_EQ(l.erg.art, Art::ZetaRegel);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,000"));

    // 600 wide, 2000 high: above the maker's chart, the largest damper's coefficient (0.54 ·
    // B(600) = 0.54 · 1.04928) with a line that says so.
    l = rechne(geraet(typBrandschutzklappe, true, 0, -1, 600, 2000), 2000);
    EXPECT_EQ(l.erg.art, Art::ZetaRegel);
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,567"));
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Maße außerhalb der Herstellerdaten: °(zeta "
                                                   "der größten Klappe der Kennlinie verwendet")});
    l = rechne(geraet(typBrandschutzklappe, true, 0, -1, 600, 0), 2000);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.zeilen,
              QStringList{QStringLiteral("Querschnitt gleich Null -> keine Berechnung möglich")});
}

TEST(Brandschutzklappe, RundFKRS) {
    // DN 160 at 300 m³/h: A 0.0201 m², w 4.1447 m/s, ζ 0.9, Δp = 0.9·0.6·w² = 9.276 Pa
    Lauf l = rechne(geraet(typBrandschutzklappe, false, 0, -1, 160), 300);
    EXPECT_EQ(l.erg.art, Art::DpRegel);
    EXPECT_NEAR(l.erg.dp, 9.27623, 1e-5);
    EXPECT_EQ(l.rec.p[0], QStringLiteral("4,14"));
    EXPECT_EQ(l.rec.p[1], QStringLiteral("0,900"));
    EXPECT_EQ(
        l.zeilen,
        (QStringList{
            QStringLiteral("Trox - Serie FKRS-02-K90 mit allgemeiner bauaufsichtlicher "
                           "Zulassung 4/10/D/2"),
            QStringLiteral("Vorgabe:"), QStringLiteral("DN: 160 [mm]"),
            QStringLiteral("A = 0,020 [m²]"), QStringLiteral("Druckverlust nach VDI 2087 (5.1998)"),
            QString(),
            QStringLiteral("Art: Formstück    Geschwindigkeit v: 4,14 [m/s]  °(zeta : "
                           "0,900[];  Dichte: 1,200 [kg/m³]"),
            QString(),
            QStringLiteral("Druckverlust °(delta p = °(zeta  °(*  °(roh /2 °(*  v²           VDI "
                           "2087 (5)"),
            QStringLiteral("Druckverlust °(delta p = 0,90 °(*  0,60 °(*  17,2"), QString()}));

    // the other sizes: 1.9 / 1.1 / 0.6
    EXPECT_EQ(rechne(geraet(typBrandschutzklappe, false, 0, -1, 100), 100).rec.p[1],
              QStringLiteral("1,900"));
    EXPECT_EQ(rechne(geraet(typBrandschutzklappe, false, 0, -1, 125), 100).rec.p[1],
              QStringLiteral("1,100"));
    EXPECT_EQ(rechne(geraet(typBrandschutzklappe, false, 0, -1, 200.5), 100).rec.p[1],
              QStringLiteral("0,600"));

    l = rechne(geraet(typBrandschutzklappe, false, 0, -1, 150), 300);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen.size(), 4);
    EXPECT_EQ(l.zeilen.last(), nurFormeln + '.');
    EXPECT_EQ(l.rec.p[0], QStringLiteral("9,99"));
}

TEST(Brandschutzklappe, RundFreierQuerschnittUndBrandschott) {
    for (int tag1 : {1, 2}) {
        Lauf l = rechne(geraet(typBrandschutzklappe, false, tag1, -1, 160), 300);
        EXPECT_EQ(l.erg.art, Art::DpRegel);
        EXPECT_EQ(l.erg.dp, 0);
        EXPECT_EQ(l.rec.p[0], QStringLiteral("4,14"));
        EXPECT_EQ(l.rec.p[1], QStringLiteral("0,900"));
        EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("A = 0,020 [m²]")});
        // a size without a coefficient is no failure here
        l = rechne(geraet(typBrandschutzklappe, false, tag1, -1, 150), 300);
        EXPECT_EQ(l.erg.art, Art::DpRegel);
        EXPECT_EQ(l.erg.dp, 0);
        EXPECT_EQ(l.rec.p[1], QStringLiteral("0,000"));
        EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("A = 0,018 [m²]")});
    }
    const Lauf l = rechne(geraet(typBrandschutzklappe, false, 1, -1, 0), 300);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
}

// --- Recording and other types ---------------------------------------------------------------

TEST(Geraeteregel, OhneAufzeichnungGleicheWerteKeineZeilen) {
    DVdata d = geraet(typBrandschutzklappe, false, 0, -1, 160);
    const Lauf mit = rechne(d, 300);
    const Lauf ohne = rechne(d, 300, true, 1.2, false);
    EXPECT_TRUE(ohne.zeilen.isEmpty());
    EXPECT_EQ(ohne.erg.art, mit.erg.art);
    EXPECT_DOUBLE_EQ(ohne.erg.dp, mit.erg.dp);
    EXPECT_EQ(ohne.rec.p, mit.rec.p);

    // other type codes are not handled here and stay untouched
    DVdata bogen = geraet(21, false, 0, -1, 200);
    const Lauf l = rechne(bogen, 500);
    EXPECT_EQ(l.erg.art, Art::KeineRegel);
    EXPECT_EQ(l.rec, bogen);
    EXPECT_TRUE(l.zeilen.isEmpty());
}

TEST(Geraeteregel, UeberlaufWirdKeinErgebnis) {
    // 1e300 m³/h through the grille overflows the loss: no line with a broken number, the
    // stored texts stay as they were
    const DVdata d = geraet(typZuluftauslass, true, 5, 0, 1025, 425);
    const Lauf l = rechne(d, 1e300);
    EXPECT_EQ(l.erg.art, Art::Stopp);
    EXPECT_EQ(l.erg.dp, -1000);
    EXPECT_EQ(l.zeilen, QStringList{QStringLiteral("Werte außerhalb des Rechenbereichs")});
    EXPECT_EQ(l.rec.p, d.p);
    const Lauf still = rechne(d, 1e300, true, 1.2, false);
    EXPECT_EQ(still.erg.art, Art::Stopp);
    EXPECT_EQ(still.rec.p, d.p);

    const Lauf nan = rechne(geraet(typFortluftgitter, true, 0, -1, 400, 200),
                            std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(nan.erg.art, Art::Stopp);
    EXPECT_EQ(nan.rec.p[0], QStringLiteral("9,99"));
}

// What is wrong with one run of the sweep below, or empty: a loss that is not finite, a stop
// whose result is neither "none" nor a loss, a record text that does not read as a number, a
// report line holding a number that failed to format (shown as a lone "-") or inf/nan.
std::string fehlerImLauf(const DVdata& d, double q) {
    static const QRegularExpression kaputt(QStringLiteral("(?<![\\w-])-(?![\\w>-])|nan|inf"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QString trox = QStringLiteral(
        "Trox - Serie FKRS-02-K90 mit allgemeiner bauaufsichtlicher Zulassung 4/10/D/2");
    const Lauf l = rechne(d, q, q > 0);
    if (!std::isfinite(l.erg.dp)) return "loss not finite";
    if (l.erg.art == Art::Stopp && l.erg.dp != -1000 && l.erg.dp < 0) return "negative stop";
    for (int k = 0; k < 2; ++k) {
        bool ok = false;
        leseZahl(l.rec.p[k], &ok);
        if (!ok) return "p" + std::to_string(k) + " = " + l.rec.p[k].toStdString();
    }
    for (const QString& z : l.zeilen)
        if (z != trox && z.contains(kaputt)) return "line " + z.toStdString();
    return {};
}

// Every device, option, shape, size and flow a user can type: nothing written is infinite or
// not a number, and every stored text reads back as a number.
TEST(Geraeteregel, AbtastungEndlicheWerte) {
    const double masse[] = {0, -1, 0.001, 125, 1025, 1e300};
    const double zweite[] = {0, -1, 425, 1e300};
    const double stroeme[] = {1, -350, 1e6, 1e300};
    int laeufe = 0;
    for (int typ : {typAussenluftgitter, typZuluftauslass, typFortluftgitter, typAbluftgitter,
                    typSchalldaempfer, typBrandschutzklappe}) {
        for (int eckig = 0; eckig < 2; ++eckig) {
            for (int tag1 = -1; tag1 <= 9; ++tag1) {
                for (int tag2 : {-1, 0, 9, 10}) {
                    for (double a : masse) {
                        for (double b : zweite) {
                            DVdata d = geraet(typ, eckig, tag1, tag2, a, b);
                            d.i[2] = b == 425 ? 2 : a;  // grille count
                            d.i[4] = b == 425 ? 3 : -a; // devices in the room
                            d.i[5] = a;                 // silencer length
                            for (double q : stroeme) {
                                ++laeufe;
                                const std::string fehler = fehlerImLauf(d, q);
                                ASSERT_EQ(fehler, "")
                                    << "type " << typ << " eckig " << eckig << " tag1 " << tag1
                                    << " tag2 " << tag2 << " a " << a << " b " << b << " q " << q;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(laeufe, 6 * 2 * 11 * 4 * 6 * 4 * 4);
}
