#include "network/catalogue.h"
#include "network/flow_sums.h"
#include "network/model_queries.h"
#include "network/network_tree.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace zephan;

namespace {

tmylistitem* knoten(ProjektBaum& b, tmylistitem* eltern, int typ, double wert = -1) {
    tmylistitem* n =
        eltern ? b.AddChild(eltern, QStringLiteral("leer")) : b.Add(QStringLiteral("leer"));
    DVdata& d = *nodeDaten(n);
    initNode(d, false);
    d.typ = typ;
    d.eckig = true;
    if (typ == typVolumenstrom) d.i[0] = wert;
    if (typ == typZuluftauslass || typ == typAussenluftgitter) d.i[3] = wert;
    return n;
}

// An outlet with its room at the end of a chain.
tmylistitem* auslass(ProjektBaum& b, tmylistitem* eltern, double q) {
    tmylistitem* a = knoten(b, eltern, typZuluftauslass, q);
    knoten(b, eltern, typRaum);
    return a;
}

// Every node's flow as the queries answer it equals the one pass over the whole tree.
::testing::AssertionResult wieNeuBerechnet(const ProjektBaum& b) {
    const Volumenstroeme alle(basisDatenTabelle(), b);
    for (const tmylistitem* n = b.topitem(); n; n = n->getNext())
        if (volumenstrom(basisDatenTabelle(), n) != alle[n])
            return ::testing::AssertionFailure()
                   << n->position().toStdString() << ": " << volumenstrom(basisDatenTabelle(), n)
                   << " statt " << alle[n];
    return ::testing::AssertionSuccess();
}

// A supply line: grille 3000, fan, duct, a cross with chains of 300 and 400, duct, a volume-flow
// point of 555 (which stands for everything after it), then a branch piece with a chain of 50
// and the main chain's own outlet of 20.
class Kreuzstrang : public ::testing::Test {
protected:
    void SetUp() override {
        kopf = knoten(b, nullptr, typZuluft);
        knoten(b, kopf, typAussenluftgitter, 3000);
        fan = knoten(b, kopf, typVentilator);
        k1 = knoten(b, kopf, typKanal);
        kreuz = knoten(b, kopf, typKreuzstueck);
        for (int k = 0; k < 2; ++k) {
            tmylistitem* z = knoten(b, kreuz, typAbzweig);
            knoten(b, z, typKanal);
            (k == 0 ? a300 : a400) = auslass(b, z, k == 0 ? 300 : 400);
        }
        k2 = knoten(b, kopf, typKanal);
        punkt = knoten(b, kopf, typVolumenstrom, 555);
        stueck = knoten(b, kopf, 30);
        knoten(b, stueck, typKanal);
        a50 = auslass(b, stueck, 50);
        k3 = knoten(b, kopf, typKanal);
        a20 = auslass(b, kopf, 20);
    }

    ProjektBaum b;
    tmylistitem *kopf, *fan, *k1, *kreuz, *a300, *a400, *k2, *punkt, *stueck, *a50, *k3, *a20;
};

} // namespace

TEST_F(Kreuzstrang, KeptSumsAnswerAsTheWalkAndAreKept) {
    Flusssummen f(b);
    EXPECT_EQ(b.flusssummen(), &f);
    EXPECT_TRUE(f.aktiv());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 300 + 400 + 555);
    EXPECT_GT(f.gespeichert(), 5);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), kreuz), 1255);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k2), 555);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), stueck),
              555); // a branch piece right after a point takes its value
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), stueck->child(0)), 50);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k3), 20);
    EXPECT_TRUE(wieNeuBerechnet(b));
    // Without the store the same numbers come from walking.
    b.setFlusssummen(nullptr);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1255);
    b.setFlusssummen(&f);
}

TEST_F(Kreuzstrang, ARecordChangedInACommandIsSeenBeforeAndAfterEveryQuestion) {
    Flusssummen f(b);
    ASSERT_EQ(volumenstrom(basisDatenTabelle(), k1), 1255);
    // Staged first, written after: the next question sees it.
    f.vormerken(a300);
    nodeDaten(a300)->i[3] = 350;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1305);
    // Written again after a question, still in the same command.
    nodeDaten(a300)->i[3] = 360;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), kreuz), 1315);
    f.befehlEnde();
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1315);
    EXPECT_TRUE(wieNeuBerechnet(b));

    // An announced change outside a command.
    nodeDaten(a400)->i[3] = -1;
    b.knotenGeaendert(a400);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), -1);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k2),
              555); // the unknown outlet is not downstream of it
    nodeDaten(a400)->i[3] = 400;
    b.knotenGeaendert(a400);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1315);

    // The point's own value, and the point turned into a duct: the chain after it counts.
    f.vormerken(punkt);
    nodeDaten(punkt)->i[0] = 600;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 360 + 400 + 600);
    nodeDaten(punkt)->typ = typKanal;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 360 + 400 + 50 + 20);
    f.befehlEnde();
    EXPECT_TRUE(wieNeuBerechnet(b));

    // A cross's branch container that is no longer one drops its chain from the cross.
    tmylistitem* zweig = kreuz->child(1);
    f.vormerken(zweig);
    nodeDaten(zweig)->typ = typKanal;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), kreuz), 360 + 50 + 20);
    f.befehlEnde();
    EXPECT_TRUE(wieNeuBerechnet(b));
}

TEST_F(Kreuzstrang, InsertsAndRemovesChangeWhatTheNodesAroundThemFeed) {
    Flusssummen f(b);
    ASSERT_TRUE(wieNeuBerechnet(b));
    struct Fall {
        const char* was;
        std::function<void()> aendern;
        int k1;
        int k2;
    };
    const std::vector<Fall> faelle = {
        {"point removed", [&] { b.Delete(punkt); }, 300 + 400 + 70, 70},
        {"new point before the duct",
         [&] {
             tmylistitem* p = b.Insert(k2->Index(), QStringLiteral("leer"));
             nodeDaten(p)->typ = typVolumenstrom; // written after the node is linked
             nodeDaten(p)->i[0] = 100;
         },
         800, 70},
        {"outlet of a cross's chain removed with its room",
         [&] {
             tmylistitem* z = a300->parent();
             b.Delete(a300->getNextSibling());
             b.Delete(a300);
             knoten(b, z, typZuluftauslass, 250);
         },
         250 + 400 + 100, 70},
        {"branch chain in front of the branch piece's first duct",
         [&] {
             tmylistitem* n = b.Insert(stueck->child(0)->Index(), QStringLiteral("leer"));
             nodeDaten(n)->typ = typZuluftauslass;
             nodeDaten(n)->i[3] = 5;
         },
         750, 25},
        {"the main chain's last outlet and room removed",
         [&] {
             b.Delete(a20->getNextSibling());
             b.Delete(a20);
         },
         750, 5},
        {"a room appended after the duct that now ends the chain",
         [&] { knoten(b, kopf, typRaum); }, 750, 5},
        {"the cross removed with both chains", [&] { b.Delete(kreuz); }, 100, 5},
    };
    for (const Fall& fall : faelle) {
        fall.aendern();
        f.befehlEnde();
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), fall.k1) << fall.was;
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), k2), fall.k2) << fall.was;
        EXPECT_TRUE(wieNeuBerechnet(b)) << fall.was;
    }
}

TEST_F(Kreuzstrang, LoadsCalculationsAndManyChangesMakeTheStoreWalk) {
    Flusssummen f(b);
    ASSERT_EQ(volumenstrom(basisDatenTabelle(), k1), 1255);
    ASSERT_GT(f.gespeichert(), 0);

    // A calculation: nothing is kept or trusted until it ends.
    f.aussetzen();
    EXPECT_FALSE(f.aktiv());
    EXPECT_EQ(f.gespeichert(), 0);
    nodeDaten(a300)->i[3] = 310;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1265);
    EXPECT_EQ(f.gespeichert(), 0);
    f.fortsetzen();
    EXPECT_TRUE(f.aktiv());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1265);

    // A whole subtree staged: walking until the command ends, then kept afresh.
    f.teilbaumVormerken();
    EXPECT_FALSE(f.aktiv());
    nodeDaten(a400)->i[3] = 410;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1275);
    f.befehlEnde();
    EXPECT_TRUE(f.aktiv());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1275);

    // More nodes added in one command than are followed one by one.
    for (int k = 0; k < 70; ++k) knoten(b, k3, typKanal);
    EXPECT_FALSE(f.aktiv());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 1275);
    f.befehlEnde();
    EXPECT_TRUE(f.aktiv());
    EXPECT_TRUE(wieNeuBerechnet(b));

    // A tree cleared (as before a load) drops everything.
    ASSERT_GT(f.gespeichert(), 0);
    b.Clear();
    EXPECT_EQ(f.gespeichert(), 0);
    EXPECT_TRUE(f.aktiv());
}

TEST_F(Kreuzstrang, AnotherBranchKindInTheCatalogueDropsTheKeptSums) {
    Flusssummen f(b);
    ASSERT_EQ(f.summe(k1, basisDatenTabelle()), 1255);
    // The same types, the cross's code now taken as a plain piece.
    TBasisDatenTabelle anders;
    for (int k = 0; k < TBasisDatenTabelle::anzahl; ++k)
        anders.setzen(k, basisDatenTabelle().shared(k));
    auto kreuzEintrag = std::make_shared<tBasisDaten_>(*basisDaten(typKreuzstueck));
    kreuzEintrag->enden = 2;
    anders.setzen(typKreuzstueck, kreuzEintrag);
    ASSERT_GT(f.gespeichert(), 2);
    // The sums read the branch kinds of the program's table, so only the drop is seen here:
    // what is kept afterwards is what the one question needs (the duct and the point).
    f.summe(k2, anders);
    EXPECT_EQ(f.gespeichert(), 2);
    f.summe(k1, anders);
    EXPECT_GT(f.gespeichert(), 2);
    EXPECT_EQ(f.summe(k2, basisDatenTabelle()), 555);
    EXPECT_EQ(f.gespeichert(), 2);
}

TEST(Flusssummen, ALongChainIsSummedWithoutRecursionAndAnEditAtItsHeadStaysLocal) {
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, typZuluft);
    knoten(b, kopf, typAussenluftgitter, 1);
    tmylistitem* fan = knoten(b, kopf, typVentilator);
    tmylistitem* eltern = kopf;
    const int tiefe = 3000;
    for (int k = 0; k < tiefe; ++k) {
        tmylistitem* s = knoten(b, eltern, 30);
        knoten(b, eltern, typKanal);
        auslass(b, eltern, 2);
        eltern = s;
    }
    auslass(b, eltern, 2);
    Flusssummen f(b);
    tmylistitem* erster = fan->getNextSibling();
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), erster), 2 * (tiefe + 1));
    const int gespeichert = f.gespeichert();
    EXPECT_GT(gespeichert, 3 * tiefe); // each level's branch piece, duct and outlet

    // A bend right after the fan: only the nodes before it lose their sums.
    tmylistitem* bogen = b.Insert(erster->Index(), QStringLiteral("leer"));
    nodeDaten(bogen)->typ = typBogen;
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), bogen), 2 * (tiefe + 1));
    EXPECT_EQ(f.gespeichert(), gespeichert + 1);
    b.Delete(bogen);
    f.befehlEnde();
    EXPECT_EQ(f.gespeichert(), gespeichert);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), erster), 2 * (tiefe + 1));
    EXPECT_TRUE(wieNeuBerechnet(b));
}
