// The neighbour check: completeness, shapes and dimensions at every joint, flow and velocity of
// ducts and pipes, the velocity text of silencers and fire dampers.

#include "component_test_tree.h"
#include "support/test_context.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "pressure/neighbour_check.h"

#include <gtest/gtest.h>

#include <memory>

namespace zephan {
namespace {

using testbaum::satz;

DVdata kanal(double b, double h, double vMax = 5) {
    DVdata d = satz(2, {b, h, -1, -1, vMax, 1000}, true, 0);
    d.p[2] = QStringLiteral("Stahlblech");
    return d;
}

DVdata rohr(double d, double vMax = 5) {
    DVdata r = satz(3, {d, -1, -1, -1, vMax, 1000});
    r.p[2] = QStringLiteral("Stahlblech");
    return r;
}

constexpr NachbarEinstellungen standard{2, 0};

struct Nachbar : public ::testing::Test {
    testbaum::Baum b;
    tmylistitem* strang = nullptr;

    void SetUp() override { strang = b.strang(0); }

    tmylistitem* neu(const DVdata& d) { return b.neu(strang, d); }
    // An outlet of the given size (rectangular b x h, round with h = -1) and its room.
    void ende(double q = 1000, double breite = 500, double hoehe = 300) {
        ende(strang, q, breite, hoehe);
    }
    void ende(tmylistitem* parent, double q, double breite, double hoehe) {
        b.neu(parent, satz(10, {breite, hoehe, 1, q, 1}, hoehe > 0, 0));
        b.neu(parent, satz(4, {300, 0}));
    }
    int pruefe(tmylistitem* n, NachbarEinstellungen e = standard) {
        return nachbarpruefung(n, e, testKontext());
    }
};

TEST_F(Nachbar, EqualDuctsAreConsistent) {
    tmylistitem* a = neu(kanal(500, 300));
    neu(kanal(500, 300));
    ende();
    EXPECT_EQ(pruefe(a), fehlerOk);
    EXPECT_EQ(nodeDaten(a)->fehler, fehlerOk);
    EXPECT_EQ(a->caption(), QStringLiteral("Kanal")); // refreshed
}

TEST_F(Nachbar, DimensionsWithinAndBeyondTheTolerance) {
    tmylistitem* a = neu(kanal(500, 300));
    tmylistitem* n = neu(kanal(502, 300));
    ende();
    EXPECT_EQ(pruefe(a), fehlerOk);
    nodeDaten(n)->i[0] = 503;
    EXPECT_EQ(pruefe(a), fehlerMasse);
    EXPECT_EQ(nodeDaten(a)->fehler, fehlerMasse);
    nodeDaten(n)->i[0] = 500;
    nodeDaten(n)->i[1] = 297;
    EXPECT_EQ(pruefe(a), fehlerMasse);
    EXPECT_EQ(pruefe(a, {5, 0}), fehlerOk);
    // The following duct sees the same joint from its inlet.
    EXPECT_EQ(pruefe(n), fehlerMasse);
}

TEST_F(Nachbar, RoundAfterRectangularIsAShapeError) {
    tmylistitem* a = neu(kanal(500, 300));
    tmylistitem* r = neu(rohr(400));
    ende();
    EXPECT_EQ(pruefe(a), fehlerEckigRund);
    EXPECT_EQ(pruefe(r), fehlerEckigRund);
}

TEST_F(Nachbar, DuctAfterAFanHasNothingToCompare) {
    // The fan's joint cannot be determined: no shape and no dimension error.
    neu(satz(13, {2000, 2000, -1, -1, -1, -1, 100}, false, 0));
    tmylistitem* k = neu(kanal(500, 300));
    ende();
    EXPECT_EQ(pruefe(k), fehlerOk);
}

TEST_F(Nachbar, JointWithoutDimensionsIsCheckedForShapeOnly) {
    // A rectangular component type without dimensions (a user's catalogue entry).
    auto eintrag = std::make_shared<tBasisDaten_>();
    eintrag->typ = 45;
    eintrag->titel = QStringLiteral("Einbau");
    eintrag->enden = 2;
    eintrag->eckig = formEckig;
    eintrag->eina = eintrag->einb = eintrag->ausa = eintrag->ausb = -1;
    eintrag->abza = eintrag->abzb = -1;
    auto& tabelle = basisDatenTabelle();
    const auto alt = tabelle.shared(45);
    tabelle.setzen(45, eintrag);
    neu(satz(45));
    tmylistitem* k = neu(kanal(500, 300));
    ende();
    const int beiKanal = pruefe(k);
    nodeDaten(k)->typ = 3;
    nodeDaten(k)->eckig = false;
    const int beiRohr = pruefe(k);
    tabelle.setzen(45, alt);
    EXPECT_EQ(beiKanal, fehlerOk);
    EXPECT_EQ(beiRohr, fehlerEckigRund);
}

// A calculation keeps the settings and catalogue it started with: a change of the sizing rule
// or a catalogue refilled meanwhile (the settings dialog, the catalogue editor) does not reach
// it, while a new context sees the change.
TEST_F(Nachbar, AContextKeepsTheSettingsAndCatalogueItWasMadeWith) {
    tmylistitem* k = neu(kanal(400, 200, 3)); // 3.47 m/s against 3 m/s
    ende(1000, 400, 200);
    const Einstellungen vorher = einstellungen();
    einstellungen().setAuslegung(0);
    const Rechenkontext nachGeschwindigkeit = testKontext();
    einstellungen().setAuslegung(1);
    EXPECT_EQ(nachbarpruefung(k, nachGeschwindigkeit), fehlerGeschwindigkeit);
    EXPECT_EQ(nachbarpruefung(k, testKontext()), fehlerOk); // by gradient: no velocity limit
    einstellungen() = vorher;

    // Without a catalogue entry the node cannot be judged and keeps its record.
    Rechenkontext ohneKatalog = testKontext();
    TBasisDatenTabelle leer;
    ohneKatalog.katalog = &leer;
    EXPECT_EQ(ohneKatalog.typ(typKanal), nullptr);
    EXPECT_NE(testKontext().typ(typKanal), nullptr);
}

// One calculation at a time: a second start while one runs is refused, and the guard is free
// again once the first ends.
TEST(Rechenlauf, ASecondStartIsRefusedWhileOneRuns) {
    EXPECT_FALSE(Rechenlauf::laeuft());
    {
        Rechenlauf erster;
        ASSERT_TRUE(erster.gestartet());
        EXPECT_TRUE(Rechenlauf::laeuft());
        Rechenlauf zweiter;
        EXPECT_FALSE(zweiter.gestartet());
    }
    EXPECT_FALSE(Rechenlauf::laeuft());
    Rechenlauf wieder;
    EXPECT_TRUE(wieder.gestartet());
}

TEST_F(Nachbar, DuctVelocityAgainstItsDesignVelocity) {
    // 1000 m³/h through 400x200: 3.47 m/s.
    tmylistitem* k = neu(kanal(400, 200, 3));
    ende(1000, 400, 200);
    EXPECT_EQ(pruefe(k), fehlerGeschwindigkeit);
    EXPECT_EQ(pruefe(k, {2, 1}), fehlerOk); // sizing by friction gradient
    nodeDaten(k)->i[4] = 4;
    EXPECT_EQ(pruefe(k), fehlerOk);
    nodeDaten(k)->i[4] = -1; // no design velocity given
    EXPECT_EQ(pruefe(k), fehlerOk);
}

TEST_F(Nachbar, PipeWithoutFlow) {
    tmylistitem* r = neu(rohr(200));
    ende(-1, 200, -1);
    EXPECT_EQ(pruefe(r), fehlerVolumenstrom);
}

TEST_F(Nachbar, IncompleteRecordIsStored) {
    DVdata d = kanal(-1, 300);
    tmylistitem* k = neu(d);
    ende();
    EXPECT_EQ(pruefe(k), fehlerUnvollstaendig);
    EXPECT_EQ(nodeDaten(k)->fehler, fehlerUnvollstaendig);
    EXPECT_EQ(k->stateIndex, fehlerUnvollstaendig);
    EXPECT_EQ(nachbarpruefung(nullptr, standard, testKontext()), -1);
}

TEST_F(Nachbar, PlanningChecksShapesOnly) {
    tmylistitem* a = neu(kanal(500, 300));
    DVdata plan = kanal(-1, -1);
    plan.planung = true;
    tmylistitem* p = neu(plan);
    ende();
    EXPECT_EQ(pruefe(p), fehlerOk); // no dimensions to compare yet
    nodeDaten(a)->typ = 3;
    nodeDaten(a)->eckig = false;
    nodeDaten(a)->i[0] = 400;
    EXPECT_EQ(pruefe(p), fehlerEckigRund);
}

TEST_F(Nachbar, BranchJointOfABranchPiece) {
    neu(kanal(500, 300));
    tmylistitem* st = neu(satz(30, {500, 300, 300, 250}, true));
    neu(kanal(500, 300));
    ende(2000);
    tmylistitem* abz = b.neu(st, kanal(300, 250));
    ende(st, 1000, 300, 250);
    EXPECT_EQ(pruefe(st), fehlerOk);
    EXPECT_EQ(pruefe(abz), fehlerOk);
    nodeDaten(abz)->i[0] = 400;
    EXPECT_EQ(pruefe(st), fehlerMasse);
    EXPECT_EQ(pruefe(abz), fehlerMasse);
    nodeDaten(abz)->typ = 3;
    nodeDaten(abz)->eckig = false;
    EXPECT_EQ(pruefe(st), fehlerEckigRund);
}

TEST_F(Nachbar, BothBranchChainsOfACross) {
    tmylistitem* kreuz = neu(satz(37, {500, 300, 300, 250}, true));
    neu(kanal(500, 300));
    ende(1500);
    DVdata zweig = satz(5);
    zweig.tag1 = 0;
    tmylistitem* z1 = b.neu(kreuz, zweig);
    b.neu(z1, kanal(300, 250));
    ende(z1, 1000, 300, 250);
    zweig.tag1 = 1;
    tmylistitem* z2 = b.neu(kreuz, zweig);
    tmylistitem* k2 = b.neu(z2, kanal(300, 250));
    ende(z2, 200, 300, 250);
    EXPECT_EQ(pruefe(kreuz), fehlerOk);
    nodeDaten(k2)->i[1] = 200;
    EXPECT_EQ(pruefe(kreuz), fehlerMasse);
}

TEST_F(Nachbar, ShapeChangingTransition) {
    // Duct -> pipe: rectangular inlet 400x200, round outlet 250.
    neu(kanal(400, 200));
    tmylistitem* ue = neu(satz(26, {400, 200, 250, -1, -1, 300}, true, 0));
    tmylistitem* r = neu(rohr(250));
    ende(1000, 250, -1);
    EXPECT_EQ(pruefe(ue), fehlerOk);
    nodeDaten(r)->i[0] = 260;
    EXPECT_EQ(pruefe(ue), fehlerMasse);
    nodeDaten(r)->typ = 2;
    nodeDaten(r)->eckig = true;
    nodeDaten(r)->i[0] = 250;
    nodeDaten(r)->i[1] = 250;
    EXPECT_EQ(pruefe(ue), fehlerEckigRund);
}

TEST_F(Nachbar, SilencerAndFireDamperGetAFreshVelocity) {
    DVdata sd = satz(41, {200, -1, -1, -1, -1, 1000}, false, 1);
    sd.p[0] = QStringLiteral("alt");
    neu(rohr(200));
    tmylistitem* s = neu(sd);
    neu(rohr(200));
    ende(500, 200, -1);
    EXPECT_EQ(pruefe(s), fehlerOk);
    EXPECT_EQ(nodeDaten(s)->p[0], QStringLiteral("4,42"));
    // The telephony silencer keeps its text.
    nodeDaten(s)->tag1 = 0;
    nodeDaten(s)->p[0] = QStringLiteral("alt");
    pruefe(s);
    EXPECT_EQ(nodeDaten(s)->p[0], QStringLiteral("alt"));

    tmylistitem* t = b.strang(0);
    tmylistitem* bsk = b.neu(t, satz(43, {400, 200}, true, 0));
    ende(t, 1440, 400, 200);
    EXPECT_EQ(nachbarpruefung(bsk, standard, testKontext()), fehlerOk);
    EXPECT_EQ(nodeDaten(bsk)->p[0], QStringLiteral("5,00"));
}

TEST(NachbarEinstellungenTest, DefaultsOfTheSettings) {
    const NachbarEinstellungen e = nachbarEinstellungen(einstellungen());
    EXPECT_EQ(e.toleranz, 2);
    EXPECT_EQ(e.auslegung, 0);
}

} // namespace
} // namespace zephan
