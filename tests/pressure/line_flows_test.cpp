// The line core reads the flows a caller has found already (a network sound run finds them
// once for the whole tree) and finds its own otherwise: the results are the same either way.

#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_core.h"
#include "support/node_results.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <string>

using namespace zephan;

namespace {

struct Generiert {
    ProjektBaum baum;
    explicit Generiert(uint32_t seed, int straenge = 3) {
        baum.setPlanungFuerNeue([] { return false; });
        projektErzeugen(baum, GeneratorOptionen{straenge, 30, seed});
    }
};

StrangErgebnis rechnen(tmylistitem* kopf, const Volumenstroeme* stroeme,
                       const Stromvorgaben* vorgaben = nullptr) {
    const Rechenlauf lauf;
    EXPECT_TRUE(lauf.gestartet());
    Rechenkontext k = testKontext();
    k.stroeme = stroeme;
    k.stromvorgaben = vorgaben;
    return strangRechnen(lauf, kopf, k);
}

// Every number and text of two results of the same line.
void gleich(const StrangErgebnis& a, const StrangErgebnis& b) {
    ASSERT_TRUE(a.fertig());
    ASSERT_TRUE(b.fertig());
    EXPECT_EQ(a.maximum, b.maximum);
    EXPECT_EQ(a.ventilatorVerlust, b.ventilatorVerlust);
    EXPECT_EQ(a.ventilatorStrom, b.ventilatorStrom);
    EXPECT_EQ(a.ventilatorDruck, b.ventilatorDruck);
    EXPECT_EQ(a.unguenstigstes, b.unguenstigstes);
    ASSERT_EQ(a.enden.size(), b.enden.size());
    for (size_t k = 0; k < a.enden.size(); ++k) {
        EXPECT_EQ(a.enden[k].knoten, b.enden[k].knoten);
        EXPECT_EQ(a.enden[k].dpExt, b.enden[k].dpExt);
    }
    ASSERT_EQ(a.abgleich.size(), b.abgleich.size());
    for (size_t k = 0; k < a.abgleich.size(); ++k)
        EXPECT_EQ(a.abgleich[k].dpExt, b.abgleich[k].dpExt);
    zephan::testing::knotenGleich(a.knoten, b.knoten);
}

// The first outlet of a line.
tmylistitem* ersterAuslass(tmylistitem* kopf) {
    for (tmylistitem* n = kopf->getNext(); n && n->Level() > 0; n = n->getNext())
        if (istAuslass(typVon(n))) return n;
    return nullptr;
}

} // namespace

TEST(StrangFluesse, FlowsOfTheTreeGiveTheSameResultAsTheLinesOwn) {
    for (uint32_t seed : {1u, 7u}) {
        Generiert g(seed);
        const Volumenstroeme alle(basisDatenTabelle(), g.baum);
        for (tmylistitem* kopf = g.baum.topitem(); kopf; kopf = kopf->getNextSibling()) {
            SCOPED_TRACE(kopf->position().toStdString() + " seed " + std::to_string(seed));
            const StrangErgebnis eigen = rechnen(kopf, nullptr);
            EXPECT_GT(eigen.maximum, 0);
            EXPECT_TRUE(eigen.hatAbzweige);
            gleich(eigen, rechnen(kopf, &alle));
            const Volumenstroeme strang(basisDatenTabelle(), kopf);
            gleich(eigen, rechnen(kopf, &strang));
        }
    }
}

TEST(StrangFluesse, GivenFlowsAreReadNotFoundAgain) {
    Generiert g(3);
    tmylistitem* kopf = g.baum.topitem();
    tmylistitem* auslass = ersterAuslass(kopf);
    ASSERT_NE(auslass, nullptr);
    const Volumenstroeme vorher(basisDatenTabelle(), g.baum);
    const int q = vorher[auslass];
    ASSERT_GT(q, 0);
    nodeDaten(auslass)->i[3] = q + 100;
    const size_t k = static_cast<size_t>(auslass->Index() - kopf->Index());
    // Flows found before the edit are what the core takes ...
    EXPECT_EQ(rechnen(kopf, &vorher).knoten[k].volumenstrom, q);
    // ... while without them the line's own are found, from the records as they are now.
    EXPECT_EQ(rechnen(kopf, nullptr).knoten[k].volumenstrom, q + 100);
}

TEST(StrangFluesse, FlowsThatDoNotCoverTheLineOrFlowsTriedInsteadAreNotRead) {
    Generiert g(5);
    tmylistitem* erster = g.baum.topitem();
    tmylistitem* zweiter = erster->getNextSibling();
    ASSERT_NE(zweiter, nullptr);
    tmylistitem* auslass = ersterAuslass(erster);
    ASSERT_NE(auslass, nullptr);
    const size_t k = static_cast<size_t>(auslass->Index() - erster->Index());
    const Volumenstroeme anderer(basisDatenTabelle(), zweiter);
    const Volumenstroeme alle(basisDatenTabelle(), g.baum);
    const int q = alle[auslass];

    EXPECT_TRUE(alle.umfasst(erster));
    EXPECT_TRUE(alle.umfasst(zweiter));
    EXPECT_TRUE(alle.umfasst(auslass));
    EXPECT_FALSE(anderer.umfasst(erster));
    EXPECT_TRUE(anderer.umfasst(zweiter));
    EXPECT_FALSE(anderer.umfasst(nullptr));
    // Another line's flows: the core finds this line's own.
    gleich(rechnen(erster, nullptr), rechnen(erster, &anderer));

    // Flows tried instead of the records' win over the flows of the context.
    const Stromvorgaben vorgaben{{auslass, q + 40.0}};
    const Volumenstroeme mitVorgaben(basisDatenTabelle(), erster, &vorgaben);
    EXPECT_FALSE(mitVorgaben.umfasst(erster));
    EXPECT_EQ(mitVorgaben[auslass], q + 40);
    EXPECT_EQ(rechnen(erster, &alle, &vorgaben).knoten[k].volumenstrom, q + 40);
    // Flows found with values tried instead do not stand for the records' own.
    EXPECT_EQ(rechnen(erster, &mitVorgaben).knoten[k].volumenstrom, q);
}
