#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "report/report_document.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephan;

// Generated projects are the input of every benchmark: each node must pass the neighbour
// check and each passage must have a result, or the benchmarks measure failure paths.
TEST(GeneratedProject, EveryNodeFitsItsNeighboursAndEveryPassageComputes) {
    for (uint32_t seed : {1u, 5u, 11u}) {
        ProjektBaum baum;
        baum.setPlanungFuerNeue([] { return false; });
        GeneratorOptionen o;
        o.straenge = 4;
        o.auslaesse = 40;
        o.seed = seed;
        ASSERT_GT(projektErzeugen(baum, o), 0);

        const Volumenstroeme stroeme(basisDatenTabelle(), baum);
        TDruck still;
        still.drucken = false;
        Rechenkontext u = testKontext();
        u.druck = &still;
        u.stroeme = &stroeme;
        int gerechnet = 0;
        for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
            const int typ = nodeDaten(n)->typ;
            EXPECT_EQ(nachbarpruefung(n, u), 0)
                << "seed " << seed << " at " << n->position().toStdString() << " type " << typ;
            if (n->Level() == 0 || typ == 4 || typ == 5) continue;
            DVdata arbeit;
            const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
            EXPECT_TRUE(std::isfinite(dp));
            EXPECT_NE(dp, -1000) << "seed " << seed << " at " << n->position().toStdString()
                                 << " type " << typ;
            ++gerechnet;
        }
        EXPECT_GT(gerechnet, 100);
    }
}
