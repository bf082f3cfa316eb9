#include "editing/page_check.h"
#include "editing_fixture.h"
#include "network/catalogue.h"
#include "network/model_queries.h"

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

using Typen = std::vector<int>;

// --- line heads and their automatic children ------------------------------------------------

TEST_F(Sitzung, NewSupplyLineGetsGrilleFanOutletRoomAndApplyingAgainAddsNothing) {
    s.neu();
    s.strangSeite(0, QStringLiteral(" 7 Nord "), QStringLiteral("1,2"));
    s.editDaten().Text = QStringLiteral("  Erste Zeile\nzweite Zeile ");
    ASSERT_TRUE(s.strangEinfuegen());
    EXPECT_TRUE(seam.fragen.isEmpty()); // the first line needs no question

    tmylistitem* kopf = at("1");
    EXPECT_EQ(kinderTypen(kopf), (Typen{9, 13, 10, 4}));
    EXPECT_EQ(kopf->caption(), "Zuluft: 7 Nord");
    const DVdata& k = rec("1");
    EXPECT_EQ(k.p[1], "1,200");
    EXPECT_EQ(k.p[2], "7 Nord");
    EXPECT_EQ(k.Text, "Erste Zeileþzweite Zeile");
    EXPECT_EQ(k.fehler, 0);
    EXPECT_FALSE(k.planung);
    // The room is selected, focused and in the buffer.
    EXPECT_EQ(s.selektiert(), at("1.4"));
    EXPECT_EQ(s.fokussiert(), at("1.4"));
    EXPECT_EQ(s.editDaten().typ, 4);

    s.auswaehlen(kopf);
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(kinderTypen(kopf), (Typen{9, 13, 10, 4}));
    EXPECT_EQ(s.baum().count(), 5);
}

TEST_F(Sitzung, NewExtractLineGetsExhaustGrilleFanExtractGrilleRoom) {
    neuerStrang(1, QStringLiteral("A"));
    EXPECT_EQ(kinderTypen(at("1")), (Typen{11, 13, 12, 4}));
    EXPECT_EQ(at("1")->caption(), "Abluft: A");
}

TEST_F(Sitzung, AutomaticChildrenStartFromAResetRecordNotTheLineHead) {
    einstellungen().setRaumdB(35);
    einstellungen().setNachhallzeit(800);
    einstellungen().setAbstand(4);
    s.strangSeite(0, QStringLiteral("K1"));
    s.editDaten().Text = QStringLiteral("Beschreibung");
    ASSERT_TRUE(s.strangEinfuegen());

    const DVdata& gitter = rec("1.1");
    EXPECT_EQ(gitter.p[1], ""); // not the line's density
    EXPECT_EQ(gitter.p[2], ""); // not the line's identifier
    EXPECT_EQ(gitter.Text, ""); // not the line's description
    EXPECT_EQ(gitter.fehler, 1);
    EXPECT_TRUE(gitter.planung); // the setting, and grilles can be planned
    EXPECT_TRUE(gitter.eckig);
    EXPECT_EQ(at("1.1")->caption(), "Außenluftgitter");

    const DVdata& fan = rec("1.2");
    EXPECT_EQ(fan.tag1, -1);
    EXPECT_EQ(fan.i[1], 1000);
    EXPECT_EQ(fan.fehler, 1);
    EXPECT_FALSE(fan.planung); // a fan cannot be planned

    const DVdata& raum = rec("1.4");
    EXPECT_EQ(raum.fehler, 1);
    EXPECT_EQ(raum.i[0], -1);
    EXPECT_EQ(raum.i[1], 0);
    EXPECT_EQ(raum.i[3], 35);
    EXPECT_EQ(raum.i[4], 800);
    EXPECT_EQ(raum.i[5], 4);
    EXPECT_EQ(raum.p[2], "");
    EXPECT_FALSE(raum.planung);

    einstellungen().setImmerPlanen(false);
    s.strangSeite(0, QStringLiteral("K2"));
    seam.antworten = {0};
    ASSERT_TRUE(s.strangEinfuegen());
    EXPECT_FALSE(rec("2.1").planung);
}

TEST_F(Sitzung, NewLineGoesBelowOrAboveTheSelectedLineAndAKeyIsUsedOnce) {
    neuerStrang(0, QStringLiteral("1"));
    neuerStrang(1, QStringLiteral("9")); // no answer queued: first button, below
    EXPECT_EQ(seam.fragen.last(),
              "Soll der neue Strang unter dem anderen Strang eingefügt werden? [j|n]");
    EXPECT_EQ(at("2")->caption(), "Abluft: 9");

    s.auswaehlen(at("2"));
    s.strangSeite(0, QStringLiteral("0"));
    seam.antworten = {1}; // no: above the selected line
    ASSERT_TRUE(s.strangEinfuegen());
    EXPECT_EQ(at("1")->caption(), "Zuluft: 1");
    EXPECT_EQ(at("2")->caption(), "Zuluft: 0");
    EXPECT_EQ(at("3")->caption(), "Abluft: 9");

    s.auswaehlen(at("1"));
    s.strangSeite(0, QStringLiteral("5"));
    seam.antworten = {0}; // yes: after the selected line, before its next sibling
    ASSERT_TRUE(s.strangEinfuegen());
    EXPECT_EQ(at("2")->caption(), "Zuluft: 5");

    const int vorher = s.baum().count();
    const int fragen = seam.fragen.size();
    s.strangSeite(0, QStringLiteral(" 5 "));
    EXPECT_FALSE(s.strangEinfuegen());
    EXPECT_EQ(letzteMeldung(), "Einen Strang mit diesem Namen gibt es schon.");
    EXPECT_EQ(seam.fragen.size(), fragen);
    EXPECT_EQ(s.baum().count(), vorher);

    // Closing the question inserts nothing.
    s.strangSeite(1, QStringLiteral("neu"));
    seam.antworten = {-1};
    EXPECT_FALSE(s.strangEinfuegen());
    EXPECT_EQ(s.baum().count(), vorher);

    s.strangSeite(1, QStringLiteral("   "));
    EXPECT_FALSE(s.strangEinfuegen());
    EXPECT_EQ(letzteMeldung(), "Bitte Strangart, Dichte und Kennung angeben.");
}

// --- components -------------------------------------------------------------------------------

TEST_F(Sitzung, CrossGetsTwoBranchesEachWithOutletAndRoom) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2")); // the fan
    waehle(37);
    rec("1.2").eckig = true;
    s.editDaten().eckig = false;
    ASSERT_TRUE(s.bauteilEinfuegen());

    tmylistitem* kreuz = at("1.3");
    EXPECT_EQ(nodeDaten(kreuz)->typ, 37);
    ASSERT_EQ(kinderTypen(kreuz), (Typen{5, 5}));
    EXPECT_EQ(at("1.3.1")->caption(), "Abzweig: 1");
    EXPECT_EQ(at("1.3.2")->caption(), "Abzweig: 2");
    EXPECT_EQ(rec("1.3.1").tag1, 0);
    EXPECT_EQ(rec("1.3.2").tag1, 1);
    EXPECT_FALSE(rec("1.3.1").eckig); // the cross's shape
    EXPECT_EQ(kinderTypen(at("1.3.1")), (Typen{10, 4}));
    EXPECT_EQ(kinderTypen(at("1.3.2")), (Typen{10, 4}));
    EXPECT_FALSE(at("1.3.1")->expanded);
    EXPECT_EQ(s.selektiert(), at("1.3.2.1"));
    // The main line still ends with outlet and room.
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 13, 37, 10, 4}));
}

TEST_F(Sitzung, BranchPieceGetsOutletAndRoomOfTheLineKind) {
    neuerStrang(1, QStringLiteral("A"));
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1.3")), (Typen{12, 4}));
    EXPECT_EQ(s.selektiert(), at("1.3.2"));
    // No neighbour check or calculation ran on the new piece.
    EXPECT_EQ(rec("1.3").fehler, 0);
}

TEST_F(Sitzung, AnOutletWithoutRoomGetsOneAsItsNextSibling) {
    // A chain from an older file that ends in an outlet.
    ProjektBaum& b = s.baum();
    tmylistitem* kopf = b.Add(QStringLiteral("x"));
    nodeDaten(kopf)->typ = 0;
    nodeDaten(kopf)->p[2] = QStringLiteral("1");
    tmylistitem* stueck = b.AddChild(kopf, QStringLiteral("x"));
    nodeDaten(stueck)->typ = 30;
    tmylistitem* auslass = b.AddChild(stueck, QStringLiteral("x"));
    nodeDaten(auslass)->typ = 10;
    b.AddChild(kopf, QStringLiteral("x")); // the piece's next sibling
    nodeDaten(kopf->child(1))->typ = 2;
    for (tmylistitem* n = b.topitem(); n; n = n->getNext()) nodeRefresh(basisDatenTabelle(), n);

    s.auswaehlen(auslass);
    s.editDaten().i[3] = 300;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(kinderTypen(stueck), (Typen{10, 4}));
    EXPECT_EQ(rec("1.1.2").i[3], 30); // room defaults, not the outlet's flow
    EXPECT_EQ(rec("1.1.1").i[3], 300);
    EXPECT_EQ(kinderTypen(kopf), (Typen{30, 2}));
}

TEST_F(Sitzung, PlacementBelowAboveAndTheQuestionAtTheStartOfAChain) {
    neuerStrang();
    gitterFertig();
    // After a grille always below.
    s.auswaehlen(at("1.1"));
    waehle(21);
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 21, 13, 10, 4}));
    EXPECT_EQ(s.selektiert(), at("1.2"));
    EXPECT_EQ(s.fokussiert(), at("1.2"));
    EXPECT_EQ(at("1.2")->caption(), "Bogen 90°");

    // A node with a previous sibling: below with the setting on ...
    s.auswaehlen(at("1.3")); // fan
    waehle(41);
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 21, 13, 41, 10, 4}));
    EXPECT_EQ(rec("1.4").i[5], 1000); // a new silencer's length

    // ... and above with it off.
    einstellungen().setBauteilUnter(false);
    s.auswaehlen(at("1.4"));
    waehle(44);
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 21, 13, 44, 41, 10, 4}));

    // Before an outlet always above.
    s.auswaehlen(at("1.6"));
    waehle(40);
    ASSERT_TRUE(s.bauteilEinfuegen()) << letzteMeldung().toStdString();
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 21, 13, 44, 41, 40, 10, 4}));
    EXPECT_TRUE(seam.fragen.isEmpty());
}

TEST_F(Sitzung, FirstNodeOfAChainAsksWhereTheNewPieceGoes) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    ASSERT_TRUE(s.bauteilEinfuegen());
    // A duct first in the branch chain, put above the outlet.
    s.auswaehlen(at("1.3.1"));
    waehle(2);
    ASSERT_TRUE(s.bauteilEinfuegen());
    ASSERT_EQ(kinderTypen(at("1.3")), (Typen{2, 10, 4}));
    EXPECT_TRUE(seam.fragen.isEmpty());

    s.auswaehlen(at("1.3.1"));
    waehle(21);
    seam.antworten = {1}; // "dadrüber"
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(seam.fragen.last(), "Wo soll das Bauteil eingefügt werden? [dadrunter|dadrüber]");
    EXPECT_EQ(kinderTypen(at("1.3")), (Typen{21, 2, 10, 4}));

    s.auswaehlen(at("1.3.1"));
    waehle(28);
    seam.antworten = {0}; // "dadrunter"
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1.3")), (Typen{21, 28, 2, 10, 4}));

    s.auswaehlen(at("1.3.1"));
    waehle(19);
    seam.antworten = {-1}; // closed: nothing
    EXPECT_FALSE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(at("1.3")), (Typen{21, 28, 2, 10, 4}));
}

TEST_F(Sitzung, BelowTheLastChildStaysUnderItsParent) {
    // A branch chain without room (older file): its duct is the piece's last child, and the
    // piece is followed by another node of the line.
    ProjektBaum& b = s.baum();
    tmylistitem* kopf = b.Add(QStringLiteral("x"));
    nodeDaten(kopf)->typ = 0;
    const auto neu = [&](tmylistitem* eltern, int typ) {
        tmylistitem* n = b.AddChild(eltern, QStringLiteral("x"));
        nodeDaten(n)->typ = typ;
        nodeDaten(n)->planung = false;
        nodeRefresh(basisDatenTabelle(), n);
        return n;
    };
    neu(kopf, 9);
    neu(kopf, 13);
    tmylistitem* stueck = neu(kopf, 30);
    neu(stueck, 21);
    tmylistitem* kanal = neu(stueck, 2);
    neu(kopf, 10);
    neu(kopf, 4);

    s.auswaehlen(kanal);
    waehle(28);
    ASSERT_TRUE(s.bauteilEinfuegen());
    EXPECT_EQ(kinderTypen(stueck), (Typen{21, 2, 28}));
    EXPECT_EQ(kinderTypen(kopf), (Typen{9, 13, 30, 10, 4}));
    EXPECT_EQ(s.selektiert(), at("1.3.3"));
}

// --- every refusal of an insertion --------------------------------------------------------------

TEST_F(Sitzung, EveryInsertionRefusalShowsItsMessageAndLeavesTheTree) {
    neuerStrang();
    const int anzahl = s.baum().count();
    const auto abgelehnt = [&](const char* text) {
        EXPECT_FALSE(s.bauteilEinfuegen());
        EXPECT_EQ(letzteMeldung(), QString::fromUtf8(text));
        EXPECT_EQ(s.baum().count(), anzahl);
    };

    // Automatic-only types.
    s.auswaehlen(at("1.2"));
    for (int typ : {4, 5, 9, 10, 13}) {
        s.editDaten() = DVdata{};
        s.editDaten().typ = typ;
        abgelehnt("Dieses Bauteil kann nicht eingefügt werden.");
    }
    // An incomplete buffer.
    waehle(21);
    s.editDaten().planung = false;
    abgelehnt("Fehlende Informationen");
    waehle(8);
    s.editDaten().p[0].clear();
    abgelehnt("Geschwindigkeit fehlt");
    waehle(8);
    s.editDaten().p[1].clear();
    abgelehnt("Zeta fehlt");
    waehle(7);
    s.editDaten().i[6] = -1;
    abgelehnt("Druckverlust fehlt");
    // No focused node.
    waehle(21);
    s.fokussieren(nullptr);
    abgelehnt("Ausgewählter Knotenpunkt enthält keine Daten.");
    // The line head.
    s.fokussieren(at("1"));
    abgelehnt("Bitte nicht den Strang auswählen");
    // An unfinished grille before the fan.
    s.fokussieren(at("1.2"));
    abgelehnt("Bitte erst die anderen Bauteile vervollständigen.");

    gitterFertig();
    // With "Bauteile dadrunter einfügen": not below a room ...
    waehle(21);
    s.fokussieren(at("1.4"));
    abgelehnt("Sie können dadrunter kein neues Bauteil einfügen.");
    // ... nor below an outlet that has a previous sibling.
    s.fokussieren(at("1.3"));
    abgelehnt("Sie können dadrunter kein neues Bauteil einfügen.");
    // Without it: not above a grille, nor above a room (it would split the outlet from it).
    einstellungen().setBauteilUnter(false);
    s.fokussieren(at("1.1"));
    abgelehnt("Sie können darüber kein neues Bauteil einfügen.");
    s.fokussieren(at("1.4"));
    abgelehnt("Sie können darüber kein neues Bauteil einfügen.");
    // A piece with three ends before the fan: refused above the fan, allowed below it only
    // with the setting on.
    waehle(30);
    s.fokussieren(at("1.2"));
    abgelehnt("Sie können das Bauteil nicht vor dem Ventilator einfügen.");
    einstellungen().setBauteilUnter(true);
    s.fokussieren(at("1.1"));
    abgelehnt("Sie können das Bauteil nicht vor dem Ventilator einfügen.");
    EXPECT_EQ(s.editDaten().typ, 30);
}

TEST_F(Sitzung, ATypeForTheOtherLineKindIsRefusedAndClearedFromTheBuffer) {
    // The carried catalogue restricts only grilles and outlets, which are never inserted, so
    // a flow controller is restricted to extract lines for this test.
    auto original = basisDatenTabelle().shared(44);
    ASSERT_TRUE(original);
    auto nurAbluft = std::make_shared<tBasisDaten_>(*original);
    nurAbluft->strangtypok = 2;
    basisDatenTabelle().setzen(44, nurAbluft);

    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    EXPECT_FALSE(s.typWaehlen(44));
    EXPECT_EQ(letzteMeldung(), "Bauteil kann nur im Abluft eingebaut werden.");
    EXPECT_EQ(s.editDaten().typ, -1);

    s.editDaten() = DVdata{};
    s.editDaten().typ = 44;
    s.editDaten().planung = true;
    EXPECT_FALSE(s.bauteilEinfuegen());
    EXPECT_EQ(letzteMeldung(), "Bauteil kann nur im Abluft eingebaut werden.");
    EXPECT_EQ(s.editDaten().typ, -1);
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 13, 10, 4}));
    basisDatenTabelle().setzen(44, original);
}

TEST_F(Sitzung, ChoosingATypeNeedsASelectedNodeAndFillsTheTypeDefaults) {
    EXPECT_FALSE(s.typWaehlen(21));
    EXPECT_EQ(seam.fragen.last(), "Bitte zuerst Position im Strang auswählen. [o]");

    neuerStrang();
    s.auswaehlen(at("1.2"));
    EXPECT_FALSE(s.typWaehlen(12));
    EXPECT_EQ(letzteMeldung(), "Bauteil kann nur im Abluft eingebaut werden.");
    EXPECT_EQ(s.editDaten().typ, -1);

    ASSERT_TRUE(s.typWaehlen(4));
    EXPECT_EQ(s.editDaten().i[1], 0);
    EXPECT_EQ(s.editDaten().i[3], 30);
    EXPECT_EQ(s.editDaten().i[4], 1000);
    EXPECT_EQ(s.editDaten().i[5], 3);
    EXPECT_EQ(s.editDaten().tag2, 0);
    ASSERT_TRUE(s.typWaehlen(10));
    EXPECT_EQ(s.editDaten().i[2], 1);
    EXPECT_EQ(s.editDaten().tag1, 0); // the catalogue's default option
    ASSERT_TRUE(s.typWaehlen(41));
    EXPECT_EQ(s.editDaten().i[5], 1000);
    ASSERT_TRUE(s.typWaehlen(21));
    EXPECT_EQ(s.editDaten().tag1, 0);
    EXPECT_EQ(s.editDaten().tag2, 0);
    EXPECT_TRUE(s.editDaten().planung);
    ASSERT_TRUE(s.typWaehlen(40));
    EXPECT_FALSE(s.editDaten().eckig); // the damper is round
}

// --- applying ---------------------------------------------------------------------------------

TEST_F(Sitzung, ABendOverADeltaPIsRefusedSilentlyAZetaValueIsTaken) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(7);
    ASSERT_TRUE(s.bauteilEinfuegen());
    ASSERT_EQ(rec("1.3").typ, 7);
    const DVdata vorher = rec("1.3");
    const int meldungenVorher = meldungen().size();
    const int fragenVorher = seam.fragen.size();
    const bool geaendert = s.geaendert();

    s.auswaehlen(at("1.3"));
    waehle(21);
    EXPECT_FALSE(s.uebernehmen());
    EXPECT_EQ(rec("1.3"), vorher);
    EXPECT_EQ(meldungen().size(), meldungenVorher);
    EXPECT_EQ(seam.fragen.size(), fragenVorher);
    EXPECT_EQ(s.geaendert(), geaendert);
    EXPECT_EQ(s.undoStack().anzahl(), 3);

    waehle(8);
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(rec("1.3").typ, 8);
    EXPECT_EQ(at("1.3")->caption(), "Zetawert");
}

TEST_F(Sitzung, NoFocusOrNoTypeEndsApplyingWithoutAMessage) {
    neuerStrang();
    s.fokussieren(nullptr);
    EXPECT_FALSE(s.uebernehmen());
    s.auswaehlen(at("1.1"));
    s.editDaten().typ = -1;
    EXPECT_FALSE(s.uebernehmen());
    EXPECT_EQ(s.undoStack().anzahl(), 1);
}

TEST_F(Sitzung, AFailedCalculationMarksOnlyACompleteNodeWithState5) {
    neuerStrang();
    // Incomplete (the grille's flow missing): the state stays 1, so the insertion check
    // before the fan still sees it.
    s.auswaehlen(at("1.1"));
    s.editDaten().i[3] = -1;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(rec("1.1").fehler, 1);
    s.auswaehlen(at("1.2"));
    waehle(21);
    EXPECT_FALSE(s.bauteilEinfuegen());
    EXPECT_EQ(letzteMeldung(), "Bitte erst die anderen Bauteile vervollständigen.");

    // Complete but in planning: no pressure loss, state 5.
    gitterFertig();
    EXPECT_EQ(rec("1.1").fehler, 5);
    EXPECT_EQ(at("1.1")->stateIndex, 2); // planning icon

    // Complete and not in planning: computed, state 0.
    s.auswaehlen(at("1.1"));
    s.editDaten().planung = false;
    s.editDaten().i[0] = 500;
    s.editDaten().i[1] = 300;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(rec("1.1").fehler, 0);
    EXPECT_EQ(rec("1.1").p[0], "3,70"); // 2000 m³/h through 0,15 m²
}

// --- deleting ---------------------------------------------------------------------------------

TEST_F(Sitzung, DeletingARoomOutletFanOrGrilleIsRefused) {
    neuerStrang();
    for (const char* pos : {"1.4", "1.3", "1.2", "1.1"}) {
        s.auswaehlen(at(pos));
        EXPECT_FALSE(s.knotenLoeschen()) << pos;
        EXPECT_EQ(letzteMeldung(), "Dieses Stück gehört zum Strang.") << pos;
    }
    EXPECT_EQ(s.baum().count(), 5);
    EXPECT_EQ(s.undoStack().anzahl(), 1);
}

TEST_F(Sitzung, DeletingAComponentTakesItsSubtreeAndSelectsTheNextSibling) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    ASSERT_TRUE(s.bauteilEinfuegen());
    ASSERT_EQ(s.baum().count(), 8);
    s.auswaehlen(at("1.3"));
    ASSERT_TRUE(s.knotenLoeschen());
    EXPECT_EQ(kinderTypen(at("1")), (Typen{9, 13, 10, 4}));
    EXPECT_EQ(s.selektiert(), at("1.3"));
    EXPECT_EQ(s.editDaten().typ, 10);
}

TEST_F(Sitzung, DeletingALineAsksFirst) {
    neuerStrang(0, QStringLiteral("1"));
    neuerStrang(1, QStringLiteral("2"));
    s.auswaehlen(at("1"));
    seam.antworten = {1}; // "a"
    EXPECT_FALSE(s.knotenLoeschen());
    EXPECT_EQ(seam.fragen.last(), "Wollen Sie wirklich den Strang löschen? [löschen|a]");
    EXPECT_EQ(s.baum().topCount(), 2);

    seam.antworten = {0};
    ASSERT_TRUE(s.knotenLoeschen());
    EXPECT_EQ(s.baum().topCount(), 1);
    EXPECT_EQ(s.baum().count(), 5);
    EXPECT_EQ(s.selektiert(), at("1"));
    EXPECT_EQ(at("1")->caption(), "Abluft: 2");
    EXPECT_TRUE(s.geaendert());
}

TEST_F(Sitzung, ALineCannotTakeTheKeyOfAnotherLine) {
    neuerStrang(0, QStringLiteral("1"));
    neuerStrang(0, QStringLiteral("2"));
    s.auswaehlen(at("2"));
    s.editDaten().p[2] = QStringLiteral("1 ");
    EXPECT_FALSE(s.uebernehmen());
    EXPECT_EQ(letzteMeldung(), "Einen Strang mit diesem Namen gibt es schon.");
    EXPECT_EQ(at("2")->caption(), "Zuluft: 2");
    s.editDaten().p[2] = QStringLiteral("3");
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(at("2")->caption(), "Zuluft: 3");
    EXPECT_EQ(kinderTypen(at("2")), (Typen{9, 13, 10, 4}));
}

TEST_F(Sitzung, NodesWithoutRecordAreSkippedNotFollowed) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    ASSERT_TRUE(s.bauteilEinfuegen());
    at("1.1")->Data.reset();   // the grille before the fan
    at("1.3.2")->Data.reset(); // the branch's room
    s.auswaehlen(at("1.3"));
    EXPECT_EQ(seam.statusTexte[seam.statusTexte.size() - 3], "1: Abzweigstück 90°");
    s.auswaehlen(at("1.2"));
    waehle(21);
    EXPECT_TRUE(s.bauteilEinfuegen());
    s.auswaehlen(at("1.1"));
    EXPECT_FALSE(s.uebernehmen());
    s.fokussieren(at("1.1"));
    EXPECT_FALSE(s.bauteilEinfuegen());
    EXPECT_EQ(letzteMeldung(), "Ausgewählter Knotenpunkt enthält keine Daten.");
    // A node of no known type can be removed.
    EXPECT_TRUE(s.knotenLoeschen());
    EXPECT_EQ(kinderTypen(at("1")), (Typen{13, 21, 30, 10, 4}));
}

// --- status bar ---------------------------------------------------------------------------------

TEST_F(Sitzung, SelectingShowsPositionCaptionFlowAndState) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    ASSERT_TRUE(s.bauteilEinfuegen());
    s.auswaehlen(at("1.3.1"));
    s.editDaten().i[3] = 1250;
    s.editDaten().tag1 = 0;
    ASSERT_TRUE(s.uebernehmen());
    s.auswaehlen(at("1.3.2"));
    s.editDaten().p[2] = QStringLiteral("Büro");
    ASSERT_TRUE(s.uebernehmen());

    seam.statusTexte.clear();
    s.auswaehlen(at("1.3"));
    EXPECT_EQ(seam.statusTexte,
              (QStringList{"0: Position: 1.3", "1: Abzweigstück 90°     Büro (1250 m³/h)",
                           "2: ", "3: "}));
    seam.statusTexte.clear();
    s.auswaehlen(at("1.1"));
    EXPECT_EQ(seam.statusTexte,
              (QStringList{"0: Position: 1.1", "1: Strömen in Kanal", "2: V= 2.000 m³/h", "3: "}));
}

TEST_F(Sitzung, ALongPositionLosesItsFirstThreeParts) {
    // 1.12.3.4.5.6.7.8.9.10: 21 characters.
    ProjektBaum& b = s.baum();
    tmylistitem* n = b.Add(QStringLiteral("x"));
    for (int tiefe = 2; tiefe <= 10; ++tiefe) {
        const int anzahl = tiefe == 2 ? 12 : tiefe;
        tmylistitem* kind = nullptr;
        for (int k = 0; k < anzahl; ++k) kind = b.AddChild(n, QStringLiteral("x"));
        n = kind;
    }
    nodeDaten(n)->typ = 2;
    ASSERT_EQ(n->position(), "1.12.3.4.5.6.7.8.9.10");
    s.auswaehlen(n);
    EXPECT_TRUE(seam.statusTexte.contains(QStringLiteral("0: Position: ...4.5.6.7.8.9.10")));
    seam.statusTexte.clear();
    s.auswaehlen(n->parent()); // 1.12.3.4.5.6.7.8.9: 17 characters
    EXPECT_EQ(seam.statusTexte.value(0), "0: Position: 1.12.3.4.5.6.7.8.9");
}

} // namespace
