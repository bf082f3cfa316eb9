#include "editing/edit_session.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "sizing/sizing_tree.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zephan;
using zephan::testing::Strang;

// A planning run through the session is one step: undo gives every record back.
TEST(PlanungSitzung, OneUndoStepAndPrefill) {
    RecordingSeam seam;
    EditSession session(seam);
    session.projekt().setAutomatischSichern([] { return false; });
    session.baum().setPlanungFuerNeue([] { return false; });
    Strang s(session.baum());
    tmylistitem* zweiter = nullptr;
    s.kanal(s.kopf, 400, 200);
    s.planStueck(s.kopf, typQuerschnittsaenderung);
    s.kanal(s.kopf, 200, 200, &zweiter);
    s.ende(s.kopf, 1000);
    std::vector<DVdata> vorher;
    for (tmylistitem* n = s.kopf; n; n = n->getNext()) vorher.push_back(*nodeDaten(n));

    session.auswaehlen(s.kopf);
    ASSERT_TRUE(session.planen());
    EXPECT_EQ(session.undoStack().anzahl(), 1);
    EXPECT_EQ(nodeDaten(s.kopf->child(3))->i[5], 250);
    ASSERT_TRUE(session.rueckgaengig());
    size_t k = 0;
    for (tmylistitem* n = s.kopf; n; n = n->getNext(), ++k) EXPECT_EQ(*nodeDaten(n), vorher[k]);
    ASSERT_TRUE(session.wiederholen());

    // A bend chosen at the second duct starts with the size its inlet gives.
    session.auswaehlen(zweiter);
    ASSERT_TRUE(session.typWaehlen(typBogen));
    EXPECT_TRUE(session.editDaten().eckig);
    EXPECT_EQ(session.editDaten().i[0], 200);
    EXPECT_EQ(session.editDaten().i[1], 200);
}
