#include "editing/room_overview_model.h"
#include "editing_fixture.h"
#include "network/project_file.h"
#include "network/type_codes.h"
#include "store/trace_log.h"

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

// The example: supply rooms "2" (1.5.5 after the outlet 1.5.4) and "1" (1.8 after 1.7), the
// extract room "3" (2.4 after the grille 2.3); every outlet 1000 m³/h, every room 40 dB(A).
class Raeume : public Sitzung {
protected:
    void SetUp() override {
        Sitzung::SetUp();
        ASSERT_NO_FATAL_FAILURE(beispielLaden());
    }
    // Each row as "name|volzu|volab|dbzu|dbab".
    QStringList zeilen() {
        QStringList r;
        for (const RaumZeile& z : raumListe(s.baum())) {
            QString t = z.name;
            for (int c = 1; c < raumSpaltenAnzahl; ++c)
                t += QLatin1Char('|') + raumZellenText(z, static_cast<RaumSpalte>(c));
            r << t;
        }
        return r;
    }
    RaumZeile zeile(const QString& name) {
        for (const RaumZeile& z : raumListe(s.baum()))
            if (z.name == name) return z;
        ADD_FAILURE() << name.toStdString();
        return {};
    }
};

TEST_F(Raeume, TheExampleListsItsThreeRooms) {
    TraceLog::instance().clear();
    EXPECT_EQ(zeilen(), (QStringList{QStringLiteral("2|1.000||40|"), QStringLiteral("1|1.000||40|"),
                                     QStringLiteral("3||1.000||40")}));
    // Every node was visited and written to the trace log as its path and text.
    EXPECT_GE(TraceLog::instance().lines().size(), s.baum().count());
    const RaumZeile r = zeile(QStringLiteral("3"));
    EXPECT_EQ(r.zu, nullptr);
    EXPECT_EQ(r.ab, at("2.4"));
    EXPECT_EQ(raumZellenKnoten(r, RaumSpalte::VolAb), at("2.3"));
    EXPECT_FALSE(raumZelleBearbeitbar(r, RaumSpalte::VolZu));
    EXPECT_FALSE(raumZelleBearbeitbar(r, RaumSpalte::DbZu));
    EXPECT_TRUE(raumZelleBearbeitbar(r, RaumSpalte::DbAb));
}

TEST_F(Raeume, AnEmptyTreeHasNoRows) {
    s.neu();
    EXPECT_TRUE(raumListe(s.baum()).empty());
}

TEST_F(Raeume, SupplyAndExtractRoomOfOneIdentifierShareARow) {
    RaumZeile r = zeile(QStringLiteral("3"));
    ASSERT_TRUE(s.raumNameSetzen(r, QStringLiteral("  1 ")));
    EXPECT_EQ(r.name, QStringLiteral("1"));
    EXPECT_EQ(nodeDaten(at("2.4"))->p[2], QStringLiteral("1"));
    EXPECT_EQ(at("2.4")->caption(), QStringLiteral("Raum: 1"));
    EXPECT_TRUE(s.geaendert());
    EXPECT_EQ(zeilen(),
              (QStringList{QStringLiteral("2|1.000||40|"), QStringLiteral("1|1.000|1.000|40|40")}));
    const RaumZeile eins = zeile(QStringLiteral("1"));
    EXPECT_EQ(eins.zu, at("1.8"));
    EXPECT_EQ(eins.ab, at("2.4"));
    // The same name, an empty one: nothing changes, no command.
    const int schritte = s.undoStack().anzahl();
    RaumZeile e = eins;
    EXPECT_FALSE(s.raumNameSetzen(e, QStringLiteral("1")));
    EXPECT_FALSE(s.raumNameSetzen(e, QStringLiteral("   ")));
    EXPECT_EQ(s.undoStack().anzahl(), schritte);
    // Renaming the shared row renames both rooms in one command.
    ASSERT_TRUE(s.raumNameSetzen(e, QStringLiteral("Büro")));
    EXPECT_EQ(nodeDaten(at("1.8"))->p[2], QStringLiteral("Büro"));
    EXPECT_EQ(nodeDaten(at("2.4"))->p[2], QStringLiteral("Büro"));
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(nodeDaten(at("1.8"))->p[2], QStringLiteral("1"));
    EXPECT_EQ(nodeDaten(at("2.4"))->p[2], QStringLiteral("1"));
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(nodeDaten(at("2.4"))->p[2], QStringLiteral("3"));
    EXPECT_EQ(at("2.4")->caption(), QStringLiteral("Raum: 3"));
    EXPECT_FALSE(s.geaendert());
    ASSERT_TRUE(s.wiederholen());
    EXPECT_EQ(zeilen().size(), 2);
}

TEST_F(Raeume, FlowsAndLevelsAreEditedInPlaceEachOneCommand) {
    const RaumZeile r = zeile(QStringLiteral("1"));
    ASSERT_TRUE(s.raumWertSetzen(r, RaumSpalte::VolZu, 850));
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 850);
    EXPECT_TRUE(s.geaendert());
    ASSERT_TRUE(s.raumWertSetzen(r, RaumSpalte::DbZu, 35));
    EXPECT_EQ(nodeDaten(at("1.8"))->i[3], 35);
    EXPECT_EQ(zeilen().value(1), QStringLiteral("1|850||35|"));
    // The value the cell holds, a missing room, a value out of range: nothing.
    const int schritte = s.undoStack().anzahl();
    EXPECT_FALSE(s.raumWertSetzen(r, RaumSpalte::DbZu, 35));
    EXPECT_FALSE(s.raumWertSetzen(r, RaumSpalte::DbAb, 30));
    EXPECT_FALSE(s.raumWertSetzen(r, RaumSpalte::DbZu, 100));
    EXPECT_EQ(s.undoStack().anzahl(), schritte);

    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(nodeDaten(at("1.8"))->i[3], 40);
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 850);
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 1000);
    EXPECT_FALSE(s.geaendert());
    ASSERT_TRUE(s.wiederholen());
    ASSERT_TRUE(s.wiederholen());
    EXPECT_EQ(zeilen().value(1), QStringLiteral("1|850||35|"));
}

TEST_F(Raeume, TheSelectedNodesBufferFollowsAnEdit) {
    s.auswaehlen(at("1.8"));
    s.editDaten().i[0] = 99; // typed, not applied
    ASSERT_TRUE(s.raumWertSetzen(zeile(QStringLiteral("1")), RaumSpalte::DbZu, 30));
    EXPECT_EQ(s.editDaten().i[3], 30);
    EXPECT_EQ(s.editDaten().i[0], 99);
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(s.editDaten().i[3], 40);
}

TEST_F(Raeume, OfTwoSupplyRoomsOfOneNameOnlyTheFirstIsListedAndEdited) {
    RaumZeile zwei = zeile(QStringLiteral("2"));
    ASSERT_TRUE(s.raumNameSetzen(zwei, QStringLiteral("1")));
    const std::vector<RaumZeile> liste = raumListe(s.baum());
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_EQ(liste[0].name, QStringLiteral("1"));
    EXPECT_EQ(liste[0].zu, at("1.5.5"));
    ASSERT_TRUE(s.raumWertSetzen(liste[0], RaumSpalte::VolZu, 600));
    EXPECT_EQ(nodeDaten(at("1.5.4"))->i[3], 600);
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 1000);
}

TEST_F(Raeume, ARoomAfterANodeThatIsNoOutletHasAReadOnlyVolumeCell) {
    // The node before room "1" is no outlet: its i[3] is no volume flow of the room.
    nodeDaten(at("1.7"))->typ = typZetawert;
    nodeDaten(at("1.7"))->i[3] = 123;
    const RaumZeile r = zeile(QStringLiteral("1"));
    EXPECT_EQ(raumZellenKnoten(r, RaumSpalte::VolZu), nullptr);
    EXPECT_FALSE(raumZelleBearbeitbar(r, RaumSpalte::VolZu));
    EXPECT_EQ(raumZellenText(r, RaumSpalte::VolZu), QString());
    EXPECT_FALSE(s.raumWertSetzen(r, RaumSpalte::VolZu, 500));
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 123);
    EXPECT_FALSE(s.kannRueckgaengig());
    // The room's own level stays editable.
    EXPECT_TRUE(s.raumWertSetzen(r, RaumSpalte::DbZu, 33));
}

TEST_F(Raeume, ARoomThatIsNotTheLastOfItsChainIsNotListed) {
    // Room "1" followed by another node of its chain.
    tmylistitem* raum = at("1.8");
    s.auswaehlen(raum);
    ASSERT_NE(s.kindAnhaengen(raum->parent(), typKanal, false), nullptr);
    EXPECT_EQ(zeilen(),
              (QStringList{QStringLiteral("2|1.000||40|"), QStringLiteral("3||1.000||40")}));
}

TEST(RaumEingabe, TitlesPromptsAndRanges) {
    EXPECT_EQ(raumEingabe(RaumSpalte::Name).titel, QStringLiteral("Raumbezeichnung ändern"));
    EXPECT_EQ(raumEingabe(RaumSpalte::Name).prompt, QStringLiteral("Name:"));
    EXPECT_EQ(raumEingabe(RaumSpalte::VolAb).prompt, QStringLiteral("Abluft m³/h"));
    EXPECT_EQ(raumEingabe(RaumSpalte::DbZu).titel, QStringLiteral("Schallpegelvorgabe ändern"));
    EXPECT_EQ(raumEingabe(RaumSpalte::DbAb).prompt, QStringLiteral("Abluft db(A)"));
    EXPECT_EQ(raumEingabe(RaumSpalte::VolZu).bereich.max, 1000000);
    EXPECT_EQ(raumSpaltenTitel(RaumSpalte::VolZu), QStringLiteral("Vol. Zu"));
}

} // namespace
