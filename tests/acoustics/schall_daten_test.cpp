#include "acoustics/schall_daten.h"
#include "bands/acoustic_curves.h"

#include <gtest/gtest.h>

using namespace zephan;

// The carried tables read back to the maker's and the charts' numbers.

namespace {

void spektrumGleich(const TPegel& p, std::initializer_list<double> e) {
    int k = 0;
    for (double x : e) EXPECT_DOUBLE_EQ(p[k++], x) << "slot " << k;
}

} // namespace

TEST(Schalldaten, DiscValvesLv) {
    const Schalldaten& d = schalldaten();
    ASSERT_EQ(d.tellerventile.size(), 8u);
    struct Z {
        bool zu;
        int dn;
        double v1, v2;
        int spalt;
        std::initializer_list<double> dl;
    };
    const Z erwartet[] = {
        {true, 100, 70, 95, 9, {7, 4, 3, -1, -6, -15, -26, -37}},
        {true, 125, 123, 155, 12, {8, -1, 3, -2, -8, -7, -26, -38}},
        {true, 160, 205, 280, 15, {8, 1, 3, 0, -7, -17, -26, -37}},
        {true, 200, 240, 310, 15, {13, 8, 3, -1, -10, -18, -22, -35}},
        {false, 100, 80, 115, 0, {0, -4, -6, -5, -6, -4, -16, -28}},
        {false, 125, 115, 180, 0, {-1, -3, -3, -7, -7, -3, -18, -29}},
        {false, 160, 180, 252, 0, {5, -2, -3, -4, -3, -8, -17, -28}},
        {false, 200, 230, 360, 0, {3, -1, -4, -6, -2, -10, -19, -26}},
    };
    for (const Z& z : erwartet) {
        const TellerventilDaten* t = d.tellerventil(z.zu, z.dn);
        ASSERT_TRUE(t) << z.dn;
        EXPECT_EQ(t->v1, z.v1);
        EXPECT_EQ(t->l1, 30);
        EXPECT_EQ(t->v2, z.v2);
        EXPECT_EQ(t->l2, 40);
        EXPECT_EQ(t->spalt, z.spalt);
        spektrumGleich(t->deltaL, z.dl);
    }
    EXPECT_FALSE(d.tellerventil(true, 150));
}

TEST(Schalldaten, FireValvesFv) {
    const Schalldaten& d = schalldaten();
    ASSERT_EQ(d.brandschutzventile.size(), 8u);
    struct Z {
        bool zu;
        int dn;
        double c2, c1, c0;
    };
    const Z erwartet[] = {
        {true, 100, -0.0013, 0.51042, 4.0625},    {true, 125, -0.00069, 0.40398, 3.86145},
        {true, 160, -0.00031, 0.27976, 7.35902},  {true, 200, -0.0008, 0.43539, -8.15988},
        {false, 100, -0.00231, 0.75769, -9.5},    {false, 125, -0.00048, 0.37857, 2.7619},
        {false, 160, -0.00017, 0.24502, 6.18182}, {false, 200, -0.00037, 0.2963, -5.17593},
    };
    for (const Z& z : erwartet) {
        const BrandschutzventilDaten* t = d.brandschutzventil(z.zu, z.dn);
        ASSERT_TRUE(t) << z.dn;
        EXPECT_DOUBLE_EQ(t->c2, z.c2);
        EXPECT_DOUBLE_EQ(t->c1, z.c1);
        EXPECT_DOUBLE_EQ(t->c0, z.c0);
    }
}

TEST(Schalldaten, RectangularFireDampersAndWidthCurve) {
    const Schalldaten& d = schalldaten();
    std::vector<int> hoehen;
    for (const KlappenGruppe& g : d.klappen) hoehen.push_back(g.hoehe);
    EXPECT_EQ(hoehen, (std::vector<int>{201, 252, 318, 357, 400, 449, 503, 565, 634, 711, 797}));
    const auto zeilen = [&](int h) {
        for (const KlappenGruppe& g : d.klappen)
            if (g.hoehe == h) return g.zeilen;
        return std::vector<Spektrumzeile>{};
    };
    EXPECT_EQ(zeilen(400).size(), 2u);
    ASSERT_EQ(zeilen(201).size(), 3u);
    EXPECT_EQ(zeilen(201)[0].x, 2);
    spektrumGleich(zeilen(201)[0].pegel, {30, 30, 32, 31, 25, 18, 15, 15});
    spektrumGleich(zeilen(252)[2].pegel, {52, 51, 51, 53, 53, 48, 41, 34});
    EXPECT_EQ(zeilen(318)[2].x, 7);
    spektrumGleich(zeilen(357)[1].pegel, {46, 45, 46, 46, 46, 39, 32, 25});
    spektrumGleich(zeilen(400)[1].pegel, {46, 45, 46, 46, 45, 39, 32, 25});
    spektrumGleich(zeilen(449)[2].pegel, {53, 52, 52, 54, 54, 49, 42, 35});
    // The five largest heights share their rows.
    for (int h : {503, 565, 634, 711, 797}) {
        const auto z = zeilen(h);
        ASSERT_EQ(z.size(), 3u) << h;
        EXPECT_EQ(z[0].x, 3);
        EXPECT_EQ(z[1].x, 5);
        EXPECT_EQ(z[2].x, 8);
        spektrumGleich(z[0].pegel, {34, 34, 36, 35, 29, 22, 15, 15});
        spektrumGleich(z[2].pegel, {56, 55, 55, 57, 57, 52, 45, 38});
    }
    const std::vector<std::pair<double, double>> kb{
        {201, -2.3}, {252, -2.5}, {318, -1.8}, {357, -1.7}, {400, -1.5}, {449, -1.2},
        {503, -0.9}, {565, -0.5}, {634, 0},    {711, 0.5},  {797, 1.0},  {894, 1.6},
        {1003, 2.2}, {1125, 2.8}, {1262, 3.5}, {1416, 4.2}, {1500, 4.5}};
    ASSERT_EQ(d.breitenkorrektur.size(), kb.size());
    for (size_t k = 0; k < kb.size(); ++k) {
        EXPECT_EQ(d.breitenkorrektur[k].x, kb[k].first);
        EXPECT_DOUBLE_EQ(d.breitenkorrektur[k].y, kb[k].second);
    }
}

TEST(Schalldaten, RoundFireDamperFkrs) {
    const Schalldaten& d = schalldaten();
    ASSERT_EQ(d.fkrs.size(), 4u);
    for (const FkrsGroesse& g : d.fkrs) {
        ASSERT_EQ(g.zeilen.size(), 6u) << g.dn;
        const double v[] = {4, 6, 8, 10, 12, 15};
        for (size_t k = 0; k < 6; ++k) EXPECT_EQ(g.zeilen[k].x, v[k]);
    }
    spektrumGleich(d.fkrsGroesse(100)->zeilen[0].pegel, {17, 46, 43, 34, 25, 17, 10, 9});
    spektrumGleich(d.fkrsGroesse(100)->zeilen[5].pegel, {69, 67, 63, 63, 62, 58, 55, 50});
    spektrumGleich(d.fkrsGroesse(125)->zeilen[3].pegel, {48, 55, 52, 52, 46, 47, 41, 30});
    spektrumGleich(d.fkrsGroesse(160)->zeilen[4].pegel, {56, 58, 54, 51, 49, 49, 45, 39});
    spektrumGleich(d.fkrsGroesse(200)->zeilen[1].pegel, {46, 41, 35, 30, 25, 23, 15, 12});
    spektrumGleich(d.fkrsGroesse(200)->zeilen[5].pegel, {65, 59, 55, 52, 51, 53, 50, 46});
}

TEST(Schalldaten, ControllerFlowsAndTellingRows) {
    const Schalldaten& d = schalldaten();
    ASSERT_EQ(d.regler.size(), 7u);
    EXPECT_EQ(d.reglerGroesse(80)->stroeme, (std::array<double, 5>{40, 72, 108, 144, 162}));
    EXPECT_EQ(d.reglerGroesse(315)->stroeme, (std::array<double, 5>{828, 1440, 2070, 2700, 3312}));
    EXPECT_EQ(d.reglerGroesse(200)->stroeme, (std::array<double, 5>{324, 576, 828, 1080, 1296}));
    const ReglerDaten& r80 = *d.reglerGroesse(80);
    spektrumGleich(*r80.pegel[0][0], {66, 51, 42, 40, 39, 36, 30, 25});
    spektrumGleich(*r80.pegel[0][4], {55, 61, 56, 49, 44, 46, 43, 39});
    spektrumGleich(*r80.pegel[3][0], {66, 59, 54, 51, 48, 50, 53, 54});
    spektrumGleich(*r80.pegel[3][4], {71, 71, 68, 64, 60, 57, 57, 58});
    const ReglerDaten& r100 = *d.reglerGroesse(100);
    spektrumGleich(*r100.pegel[0][0], {68, 50, 42, 38, 31, 24, 16, 7});
    spektrumGleich(*r100.pegel[1][4], {68, 68, 65, 60, 56, 53, 45, 43});
    spektrumGleich(*r100.pegel[2][3], {73, 69, 67, 63, 59, 55, 50, 49});
    // Seven rows in all; nothing else is carried.
    int zeilen = 0;
    for (const ReglerDaten& r : d.regler)
        for (const auto& druck : r.pegel)
            for (const auto& p : druck) zeilen += p.has_value();
    EXPECT_EQ(zeilen, 7);
}

TEST(Schalldaten, FanDesignsAndCharts) {
    const Schalldaten& d = schalldaten();
    ASSERT_TRUE(d.ventilator(0) && d.ventilator(1) && d.ventilator(2));
    EXPECT_EQ(d.ventilator(0)->K, 34);
    EXPECT_EQ(d.ventilator(0)->c, 0.4);
    EXPECT_EQ(d.ventilator(0)->bild, 13);
    EXPECT_EQ(d.ventilator(1)->K, 36);
    EXPECT_EQ(d.ventilator(1)->c, 0.15);
    EXPECT_EQ(d.ventilator(1)->bild, 14);
    EXPECT_EQ(d.ventilator(2)->K, 42);
    EXPECT_EQ(d.ventilator(2)->c, 0.6);
    EXPECT_EQ(d.ventilator(2)->bild, 13);
    EXPECT_EQ(d.bild13, (std::array<double, 4>{18.91, -46.47, 33.01, -5.17}));
    EXPECT_EQ(d.bild14, (std::array<double, 4>{1.5, -0.453, -7.05, 6.11}));
    // At the optimum flow the surcharges are 0.28 and 0.107 dB.
    EXPECT_NEAR(d.bild13[0] + d.bild13[1] + d.bild13[2] + d.bild13[3], 0.28, 1e-12);
    EXPECT_NEAR(d.bild14[0] + d.bild14[1] + d.bild14[2] + d.bild14[3], 0.107, 1e-12);
    // Bild 19 and 22 as the band charts hold them.
    const auto gleich = [](const std::vector<Kurvenstuetze>& a, std::span<const Kurvenpunkt> b) {
        ASSERT_EQ(a.size(), b.size());
        for (size_t k = 0; k < a.size(); ++k) {
            EXPECT_FLOAT_EQ(static_cast<float>(a[k].x), b[k].x);
            EXPECT_FLOAT_EQ(static_cast<float>(a[k].y), b[k].y);
        }
    };
    gleich(d.bild19, bild19Punkte());
    gleich(d.bild22, bild22Punkte());
    EXPECT_EQ(d.bild19.front().x, 0.1);
    EXPECT_EQ(d.bild22.back().y, -27);
}

TEST(Schalldaten, AMalformedTableIsEmptyAndTheOthersStay) {
    SchalldatenTexte t = getrageneSchalldaten();
    t.tellerventil += "zu 250 1 2 3\n";
    t.fkrs += "100 3 1 2 3 4 5 6 7 8\n";              // velocity not ascending
    t.regler += "pegel 100 300 80 1 2 3 4 5 6 7 8\n"; // no such pressure curve
    const Schalldaten d = schalldatenLesen(t);
    EXPECT_TRUE(d.tellerventile.empty());
    EXPECT_TRUE(d.regler.empty());
    EXPECT_TRUE(d.fkrs.empty());
    EXPECT_EQ(d.brandschutzventile.size(), 8u);
    EXPECT_EQ(d.klappen.size(), 11u);
    // A comment and blank lines are no data.
    SchalldatenTexte k;
    k.brandschutzventil = "# nur Kommentar\n\n  zu 100 1 2 3 # Rest\n";
    const Schalldaten e = schalldatenLesen(k);
    ASSERT_EQ(e.brandschutzventile.size(), 1u);
    EXPECT_EQ(e.brandschutzventile[0].c0, 3);
}

TEST(Schalldaten, DuctAttenuationTable) {
    const Schalldaten& d = schalldaten();
    ASSERT_EQ(d.kanaldaempfung.size(), 8u);
    struct Z {
        bool eckig;
        int ab;
        std::initializer_list<double> dl;
    };
    const Z erwartet[] = {
        {true, 0, {0.6, 0.6, 0.45, 0.3, 0.3, 0.3, 0.3, 0.3}},
        {true, 201, {0.6, 0.6, 0.45, 0.3, 0.2, 0.2, 0.2, 0.2}},
        {true, 401, {0.6, 0.6, 0.3, 0.15, 0.15, 0.15, 0.15, 0.15}},
        {true, 801, {0.45, 0.3, 0.15, 0.1, 0.05, 0.05, 0.05, 0.05}},
        {false, 0, {0.1, 0.1, 0.15, 0.15, 0.3, 0.3, 0.3, 0.3}},
        {false, 201, {0.05, 0.1, 0.1, 0.15, 0.2, 0.2, 0.2, 0.2}},
        {false, 401, {0, 0.05, 0.05, 0.1, 0.15, 0.15, 0.15, 0.15}},
        {false, 801, {0, 0, 0, 0.05, 0.05, 0.05, 0.05, 0.05}},
    };
    for (const Z& z : erwartet) {
        SCOPED_TRACE(z.ab);
        const Kanaldaempfungsklasse* k = d.kanalKlasse(z.eckig, z.ab);
        ASSERT_TRUE(k);
        EXPECT_EQ(k->ab, z.ab);
        spektrumGleich(k->proMeter, z.dl);
    }
    // the upper bound of each class and values below every bound
    EXPECT_EQ(d.kanalKlasse(true, 200)->ab, 0);
    EXPECT_EQ(d.kanalKlasse(true, 400)->ab, 201);
    EXPECT_EQ(d.kanalKlasse(false, 800)->ab, 401);
    EXPECT_EQ(d.kanalKlasse(false, -5)->ab, 0);
    EXPECT_EQ(d.kanalKlasse(false, 100000)->ab, 801);
}

TEST(Schalldaten, BendSpectraAndSilencer) {
    const Schalldaten& d = schalldaten();
    ASSERT_TRUE(d.bogenDaempfung && d.knieDaempfung);
    spektrumGleich(*d.bogenDaempfung, {1, 2, 3, 3, 3, 3, 3, 3});
    spektrumGleich(*d.knieDaempfung, {3, 7, 6, 3, 3, 3, 3, 3});
    ASSERT_EQ(d.schalldaempfer.size(), 12u);
    struct Z {
        int l, dn;
        std::initializer_list<double> il;
    };
    const Z erwartet[] = {
        {1000, 100, {4, 6, 10, 20, 33, 41, 31, 10}}, {1000, 150, {3, 5, 8, 16, 29, 35, 21, 10}},
        {1000, 200, {2, 4, 6, 13, 26, 30, 21, 10}},  {1000, 250, {1, 3, 5, 11, 24, 25, 14, 8}},
        {1000, 315, {0, 2, 4, 8, 19, 21, 9, 3}},     {1000, 355, {0, 1, 3, 7, 17, 16, 6, 2}},
        {1500, 100, {4, 7, 13, 26, 38, 44, 33, 15}}, {1500, 150, {3, 6, 11, 23, 36, 40, 28, 15}},
        {1500, 200, {2, 5, 8, 20, 33, 36, 23, 10}},  {1500, 250, {2, 4, 6, 16, 27, 29, 18, 9}},
        {1500, 315, {1, 2, 5, 12, 23, 23, 14, 6}},   {1500, 355, {0, 1, 3, 10, 19, 17, 11, 5}},
    };
    for (const Z& z : erwartet) {
        const SchalldaempferDaten* s = d.schalldaempferGroesse(z.l, z.dn);
        ASSERT_TRUE(s) << z.l << " " << z.dn;
        spektrumGleich(s->einfuegung, z.il);
    }
    EXPECT_FALSE(d.schalldaempferGroesse(1200, 200));
    EXPECT_FALSE(d.schalldaempferGroesse(1000, 160));
}

TEST(Schalldaten, MalformedAttenuationTablesAreEmpty) {
    SchalldatenTexte t = getrageneSchalldaten();
    t.kanaldaempfung += "eckig 100 1 2 3 4 5 6 7 8\n"; // bound not ascending
    t.umlenkdaempfung += "winkel 1 2 3 4 5 6 7 8\n";
    t.schalldaempfer += "1000 100 1 2\n";
    const Schalldaten d = schalldatenLesen(t);
    EXPECT_TRUE(d.kanaldaempfung.empty());
    EXPECT_FALSE(d.kanalKlasse(true, 300));
    EXPECT_FALSE(d.bogenDaempfung);
    EXPECT_FALSE(d.knieDaempfung);
    EXPECT_TRUE(d.schalldaempfer.empty());
    EXPECT_EQ(d.tellerventile.size(), 8u);
}
