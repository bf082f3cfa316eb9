#include "component_test_tree.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "pressure/calc_context.h"
#include "pressure/network_walk.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <map>

using namespace zephan;
using testbaum::satz;

namespace {

// Counts every hook per node and carries the number of passages on the path, so each chain
// end can be checked against the path that leads to it.
class Zaehler : public Netzklient<int> {
public:
    std::map<const tmylistitem*, int> knotenAnzahl, durchgaenge, enden;
    std::map<std::pair<const tmylistitem*, int>, int> abzweige;
    std::map<const tmylistitem*, int> endWert;
    std::vector<QString> fehler;
    const tmylistitem* stoppBei = nullptr;

    bool knoten(tmylistitem* n, const int&) override {
        ++knotenAnzahl[n];
        return n != stoppBei;
    }
    bool abzweig(tmylistitem* n, int zweig, const int& vorher, int& imZweig) override {
        if (!knotenAnzahl.count(n)) fehler.push_back("branch before node " + n->position());
        ++abzweige[{n, zweig}];
        imZweig = vorher + 1;
        return true;
    }
    bool durchgang(tmylistitem* n, int& wert) override {
        if (!knotenAnzahl.count(n)) fehler.push_back("passage before node " + n->position());
        ++durchgaenge[n];
        ++wert;
        return true;
    }
    void kettenende(tmylistitem* n, const int& wert) override {
        if (!durchgaenge.count(n)) fehler.push_back("end before passage " + n->position());
        ++enden[n];
        endWert[n] = wert;
    }
};

bool istBehaelter(const tmylistitem* n) {
    return typVon(n) == typAbzweig;
}

int anschluesse(const tmylistitem* n) {
    const tBasisDaten_* k = basisDaten(typVon(n));
    return k ? k->enden : 0;
}

// Passages on the path to a chain end, counted from the tree: every node of the end's chain
// up to the end, and per branch on the way the branch passage and the nodes before its piece.
int passagenBis(const tmylistitem* ende) {
    int anzahl = ende->IndexInLevel() + 1;
    for (const tmylistitem* x = ende->parent(); x && x->Level() > 0; x = x->parent()) {
        if (istBehaelter(x)) continue; // the cross above counts
        anzahl += x->IndexInLevel() + 1;
    }
    return anzahl;
}

} // namespace

TEST(Netzgang, EveryNodeOncePerPassEveryChainEndOnce) {
    for (uint32_t seed : {1u, 4u, 9u}) {
        ProjektBaum baum;
        baum.setPlanungFuerNeue([] { return false; });
        ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{2, 60, seed}), 0);
        const Rechenkontext k = testKontext();
        for (int s = 0; s < baum.topCount(); ++s) {
            tmylistitem* kopf = baum.topLevel(s);
            Zaehler z;
            for (int durchlauf = 1; durchlauf <= 2; ++durchlauf) {
                ASSERT_TRUE(netzGehen(kopf, z, 0, k));
                int kreuze = 0, stuecke = 0, endenErwartet = 0;
                const tmylistitem* ende = kopf->lastDescendant()->getNext();
                for (const tmylistitem* n = kopf->getChild(); n != ende; n = n->getNext()) {
                    const std::string wo = n->position().toStdString();
                    if (istBehaelter(n)) {
                        EXPECT_EQ(z.knotenAnzahl.count(n), 0u) << wo;
                        continue;
                    }
                    EXPECT_EQ(z.knotenAnzahl[n], durchlauf) << wo;
                    EXPECT_EQ(z.durchgaenge[n], durchlauf) << wo;
                    const int e = anschluesse(n);
                    EXPECT_EQ(z.abzweige[std::make_pair(n, 1)], e >= 3 ? durchlauf : 0) << wo;
                    EXPECT_EQ(z.abzweige[std::make_pair(n, 2)], e == 4 ? durchlauf : 0) << wo;
                    kreuze += e == 4;
                    stuecke += e == 3;
                    if (!n->getNextSibling()) {
                        ++endenErwartet;
                        EXPECT_EQ(z.enden[n], durchlauf) << wo;
                        EXPECT_EQ(z.endWert[n], passagenBis(n)) << wo;
                    } else {
                        EXPECT_EQ(z.enden.count(n), 0u) << wo;
                    }
                }
                EXPECT_EQ(static_cast<int>(z.enden.size()), endenErwartet);
                // The generated line holds both kinds of branching, or the test proves little.
                EXPECT_GT(kreuze, 0) << "seed " << seed;
                EXPECT_GT(stuecke, 0) << "seed " << seed;
                EXPECT_TRUE(z.fehler.empty()) << z.fehler.front().toStdString();
            }
        }
    }
}

TEST(Netzgang, TenThousandLevelsWalkWithoutRecursion) {
    testbaum::Baum t;
    tmylistitem* kopf = t.strang(typZuluft);
    tmylistitem* eltern = kopf;
    const int tiefe = 10000;
    for (int k = 0; k < tiefe; ++k) {
        tmylistitem* stueck = t.neu(eltern, satz(typAbzweigstueck90, {400, 200, 200, 200}, true));
        t.ende(eltern, true, 100); // outlet and room behind the piece
        eltern = stueck;
    }
    t.ende(eltern, true, 100);
    Zaehler z;
    ASSERT_TRUE(netzGehen(kopf, z, 0, testKontext()));
    EXPECT_EQ(z.enden.size(), static_cast<size_t>(tiefe + 1));
    EXPECT_EQ(z.knotenAnzahl.size(), static_cast<size_t>(3 * tiefe + 2));
    // The deepest room: every piece's branch passage, no main passage of a piece.
    const tmylistitem* tiefster = eltern->getChild()->getNextSibling();
    EXPECT_EQ(z.endWert[tiefster], tiefe + 2);
    // The room right behind the first piece: the piece's main passage, outlet, room.
    EXPECT_EQ(z.endWert[kopf->child(2)], 3);
}

TEST(Netzgang, ATargetWalksOnlyItsPathAndAStopEndsTheWalk) {
    testbaum::Baum t;
    tmylistitem* kopf = t.strang(typZuluft);
    t.neu(kopf, satz(typDeltaP, {200, -1, -1, -1, -1, -1, 1}, false, 0));
    tmylistitem* stueck = t.neu(kopf, satz(typAbzweigstueck90, {400, 200, 200, 200}, true));
    t.ende(stueck, true, 100);
    tmylistitem* hauptAuslass = t.ende(kopf, true, 100);
    tmylistitem* ziel = stueck->child(1);

    Zaehler z;
    ASSERT_TRUE(netzGehen(kopf, z, 0, testKontext(), ziel));
    ASSERT_EQ(z.enden.size(), 1u);
    EXPECT_EQ(z.enden.begin()->first, ziel);
    EXPECT_EQ(z.endWert[ziel], 1 + 1 + 2);      // first node, branch passage, outlet, room
    EXPECT_EQ(z.durchgaenge.count(stueck), 0u); // the chain ends after the target's branch
    EXPECT_EQ(z.knotenAnzahl.count(hauptAuslass), 0u);

    Zaehler stopp;
    stopp.stoppBei = stueck;
    EXPECT_FALSE(netzGehen(kopf, stopp, 0, testKontext()));
    EXPECT_EQ(stopp.knotenAnzahl.size(), 2u);
    EXPECT_TRUE(stopp.enden.empty());
    EXPECT_TRUE(stopp.abzweige.empty());
}
