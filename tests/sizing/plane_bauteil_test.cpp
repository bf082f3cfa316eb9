#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "pressure/duct_hydraulics.h"
#include "sizing/duct_page.h"
#include "sizing/plane_bauteil.h"
#include "sizing/planen.h"
#include "sizing/sizing_tree.h"
#include "sizing/vorschlag.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

using namespace zephan;
using zephan::testing::Strang;

namespace {

class Planung : public ::testing::Test {
protected:
    void SetUp() override {
        baum.setPlanungFuerNeue([] { return false; });
    }
    ProjektBaum baum;
    Strang s{baum};
    RecordingSeam seam;
    Rechenkontext k = testKontext();
};

} // namespace

// 400 × 200 to 200 × 200: the change of section takes both sizes and the length 250 mm; the
// outlet takes the duct's size and the grille at the line's start is sized on its own.
TEST_F(Planung, ChangeOfSectionBetweenFixedDucts) {
    tmylistitem* q = nullptr;
    s.kanal(s.kopf, 400, 200);
    s.planStueck(s.kopf, typQuerschnittsaenderung, &q);
    s.kanal(s.kopf, 200, 200);
    s.ende(s.kopf, 1000);

    const PlanErgebnis r = planen(s.kopf, seam, k);
    EXPECT_TRUE(r.abgeschlossen) << r.meldung.toStdString();
    const DVdata& d = *nodeDaten(q);
    EXPECT_FALSE(d.planung);
    EXPECT_EQ(d.fehler, 0);
    EXPECT_EQ((std::array<double, 4>{d.i[0], d.i[1], d.i[2], d.i[3]}),
              (std::array<double, 4>{400, 200, 200, 200}));
    EXPECT_EQ(d.i[5], 250);
    const DVdata& auslass = *nodeDaten(s.kopf->child(5));
    EXPECT_EQ(auslass.i[0], 200);
    EXPECT_EQ(auslass.i[1], 200);
    EXPECT_FALSE(nodeDaten(s.kopf->child(0))->planung);
    EXPECT_EQ(seam.statusTexte.last(), QStringLiteral("3: Planung abgeschlossen."));
}

// A reducing branch piece keeps its reducing length in slot 6: it is found from the step to
// the reduced outlet, not overwritten by the outlet width.
TEST_F(Planung, ReducingPieceKeepsItsReducingLength) {
    tmylistitem* stueck = nullptr;
    s.kanal(s.kopf, -1, -1);
    s.planStueck(s.kopf, typAbzweigreduzierstueck90, &stueck);
    s.kanal(stueck, -1, -1);
    s.ende(stueck, 300);
    s.kanal(s.kopf, -1, -1);
    s.ende(s.kopf, 2000);

    const PlanErgebnis r = planen(s.kopf, seam, k);
    ASSERT_TRUE(r.abgeschlossen) << r.meldung.toStdString();
    const DVdata& d = *nodeDaten(stueck);
    const DVdata& danach = *nodeDaten(stueck->getNextSibling());
    EXPECT_FALSE(d.planung);
    EXPECT_EQ(d.i[4], danach.i[0]);
    EXPECT_EQ(d.i[5], danach.i[1]);
    EXPECT_EQ(d.i[6], querschnittLaenge(dhydr(d.i[0], d.i[1]) - dhydr(danach.i[0], danach.i[1])));
    EXPECT_EQ(d.i[2], nodeDaten(stueck->getChild())->i[0]);
}

// The backward run judges the branch chains too: an incomplete duct in a branch stops it.
TEST_F(Planung, BranchChainsAreJudged) {
    tmylistitem* t = nullptr;
    tmylistitem* luecke = nullptr;
    s.kanal(s.kopf, -1, -1);
    s.planStueck(s.kopf, typAbzweigstueck90, &t);
    s.kanal(t, 200, 200, &luecke).i[5] = -1; // no length
    s.ende(t, 300);
    s.kanal(s.kopf, -1, -1);
    s.ende(s.kopf, 700);

    tmylistitem* gezeigt = nullptr;
    const PlanErgebnis r = planen(s.kopf, seam, k, [&](tmylistitem* n) { gezeigt = n; });
    EXPECT_FALSE(r.abgeschlossen);
    EXPECT_EQ(r.halt, luecke);
    EXPECT_EQ(gezeigt, luecke);
    EXPECT_EQ(r.meldung, QString::fromUtf8(planText::fehlendeInfo));
    EXPECT_EQ(seam.statusTexte.last(), QStringLiteral("3: Fehler in Planung"));
}

// A size problem is asked about: going on finishes the run, cancelling stops at the node.
TEST_F(Planung, SizeProblemAsksAndCanBeCancelled) {
    for (int antwort : {0, 1}) {
        ProjektBaum b;
        b.setPlanungFuerNeue([] { return false; });
        Strang z(b);
        tmylistitem* bogen = nullptr;
        z.kanal(z.kopf, 400, 200);
        z.planStueck(z.kopf, typBogen, &bogen);
        z.kanal(z.kopf, 200, 200);
        z.ende(z.kopf, 1000);
        RecordingSeam frager;
        frager.antworten = {antwort};
        const PlanErgebnis r = planen(z.kopf, frager, k);
        ASSERT_FALSE(frager.fragen.isEmpty());
        // The question names the node it is about: the duct behind the bend.
        EXPECT_EQ(frager.fragen.first(),
                  QString::fromUtf8(planText::masse) + QStringLiteral("\n\nPosition: ") +
                      bogen->getNextSibling()->position() + QStringLiteral(" [weiter|a]"));
        EXPECT_EQ(r.abgeschlossen, antwort == 0);
        // Judged backwards, the duct behind the bend is the first to meet the step.
        EXPECT_EQ(r.halt, antwort == 0 ? nullptr : bogen->getNextSibling());
        EXPECT_EQ(nodeDaten(bogen)->i[4], 400); // radius ratio 1 × width
    }
}

// The pipe-to-duct piece gets a standard length by the rule of the duct-to-pipe piece.
TEST_F(Planung, PipeToDuctGetsALength) {
    DVdata& rohr = s.neu(s.kopf, typRohr);
    rohr.i[0] = 250;
    rohr.i[5] = 2000;
    rohr.p[2] = QStringLiteral("Stahlblech");
    tmylistitem* uebergang = nullptr;
    s.planStueck(s.kopf, typRohrKanal, &uebergang);
    s.kanal(s.kopf, 300, 200);
    s.ende(s.kopf, 1000);

    DVdata arbeit;
    planeBauteil(arbeit, uebergang, phaseRueckwaerts, k);
    EXPECT_FALSE(arbeit.planung);
    EXPECT_EQ((std::array<double, 4>{arbeit.i[0], arbeit.i[1], arbeit.i[2], arbeit.i[5]}),
              (std::array<double, 4>{300, 200, 250, 500})); // 240 + 250 → 500
}

// "p" asks, puts only plannable types into planning and clears shape, size and speed states.
TEST_F(Planung, AllToPlanning) {
    s.kanal(s.kopf, 400, 200).fehler = fehlerMasse;
    s.ende(s.kopf, 1000);
    RecordingSeam nein;
    nein.antworten = {1};
    EXPECT_FALSE(allesPlanen(s.kopf, nein, k));
    EXPECT_FALSE(nodeDaten(s.kopf->child(2))->planung);

    EXPECT_TRUE(allesPlanen(s.kopf, seam, k));
    EXPECT_EQ(seam.fragen,
              QStringList{QString::fromUtf8(planText::allesFrage) + QStringLiteral(" [j|n]")});
    const std::pair<int, bool> erwartet[] = {{typAussenluftgitter, true},
                                             {typVentilator, false},
                                             {typKanal, true},
                                             {typZuluftauslass, true},
                                             {typRaum, false}};
    for (int c = 0; c < 5; ++c) {
        const DVdata& d = *nodeDaten(s.kopf->child(c));
        EXPECT_EQ(d.typ, erwartet[c].first);
        EXPECT_EQ(d.planung, erwartet[c].second) << c;
    }
    EXPECT_EQ(nodeDaten(s.kopf->child(2))->fehler, 0);
    EXPECT_EQ(seam.statusTexte.last(), QStringLiteral("3: Alles auf planen gesetzt."));
}

TEST(DuctPage, LengthsVelocityAndPipeNeighbours) {
    EXPECT_EQ(laengeAusFeld(12), 12000);
    EXPECT_EQ(laengeAusFeld(150), 150);
    EXPECT_EQ(schnellLaenge(15), 15000);
    EXPECT_EQ(vAnpassen(QStringLiteral("4,3")), 5);
    EXPECT_EQ(vAnpassen(QStringLiteral("5,00")), 6);
    EXPECT_EQ(vAnpassen(QStringLiteral("x")), -1);
    const QList<int> rohre = Einstellungen().rohrMasse();
    const RohrNachbar ab = rohrNachbar(rohre, 250, 1000, false);
    const RohrNachbar auf = rohrNachbar(rohre, 250, 1000, true);
    EXPECT_EQ(ab.durchmesser, 230);
    EXPECT_EQ(ab.text, QStringLiteral("6,7"));
    EXPECT_EQ(auf.durchmesser, 255);
    EXPECT_EQ(auf.text, QStringLiteral("5,4"));
    EXPECT_EQ(rohrNachbar(rohre, 40, 1000, false).text, QStringLiteral("-"));
    EXPECT_EQ(rohrNachbar(rohre, 2800, 1000, true).durchmesser, -1);
    EXPECT_EQ(rohrNachbar(rohre, 250, -1, true).text, QStringLiteral("-"));
}
