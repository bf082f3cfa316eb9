#include "editing/kette_kopieren.h"
#include "editing_fixture.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/tree_position.h"
#include "network/type_codes.h"

using namespace zephan;
using namespace zephan::testing;

namespace {

// The example: line 1 supplies (1.1 outside grille, 1.2 duct, 1.3 fan, 1.4 duct, 1.5 branch
// piece with 1.5.1 duct, 1.5.2 bend, 1.5.3 duct, 1.5.4 outlet, 1.5.5 room; 1.6 duct, 1.7
// outlet, 1.8 room), line 2 extracts (2.1 exhaust grille, 2.2 fan, 2.3 extract grille, 2.4
// room).
class Kopieren : public Sitzung {
protected:
    void SetUp() override {
        Sitzung::SetUp();
        ASSERT_NO_FATAL_FAILURE(beispielLaden());
        vorher = datei(QStringLiteral("vorher.pro"));
        ASSERT_FALSE(vorher.isEmpty());
    }

    // Positions and types of a line, "pos:typ" in tree order.
    QString linie(const char* kopf) {
        QStringList t;
        const tmylistitem* k = at(kopf);
        const tmylistitem* ende = k->lastDescendant()->getNext();
        for (const tmylistitem* n = k->getChild(); n != ende; n = n->getNext())
            t << n->position() + QLatin1Char(':') + QString::number(typVon(n));
        return t.join(QLatin1Char(' '));
    }

    // Copies, checks the one undo step, and gives the file back byte for byte on undo and the
    // copy again on redo.
    void kopieren(const char* start, const char* ziel) {
        const KopierPlan plan = kopierPruefen(at(start), at(ziel));
        ASSERT_TRUE(plan.ok()) << plan.meldung.toStdString();
        const int schritte = s.undoStack().anzahl();
        ASSERT_TRUE(s.kopieren(at(start), plan));
        EXPECT_EQ(s.undoStack().anzahl(), schritte + 1);
        EXPECT_TRUE(s.geaendert());
        nachher = datei(QStringLiteral("nachher.pro"));
        ASSERT_TRUE(s.rueckgaengig());
        EXPECT_EQ(datei(QStringLiteral("zurueck.pro")), vorher) << start << " -> " << ziel;
        ASSERT_TRUE(s.wiederholen());
        EXPECT_EQ(datei(QStringLiteral("wieder.pro")), nachher) << start << " -> " << ziel;
    }

    QByteArray vorher, nachher;
};

} // namespace

// Every refusal with its message; nothing changes and nothing enters the history.
TEST_F(Kopieren, RefusalsInTheirOrder) {
    const struct {
        const char* start;
        const char* ziel;
        QString meldung;
    } faelle[] = {
        {"1.6", "1.2", kopiertext::vorVentilator}, // a duct before the fan
        {"1.6", "1.3", kopiertext::vorVentilator}, // the fan itself
        {"2.3", "2.1", kopiertext::vorVentilator}, // the exhaust grille
        {"1.4", "1.6", kopiertext::imStartteil},   // a later sibling
        {"1.6", "1.4", kopiertext::imStartteil},   // an earlier sibling
        {"1.4", "1.5.3", kopiertext::imStartteil}, // in the branch of a later piece
        {"1.5.1", "1.5.3", kopiertext::imStartteil},
        {"1.7", "1.8", kopiertext::imStartteil},     // a room behind its outlet
        {"1.5.2", "1.5", kopiertext::verteilstueck}, // a piece with its branch
        {"1.5.2", "1.4", kopiertext::hinterZiel},    // the start would go with 1.5
        {"1.5.5", "1.4", kopiertext::hinterZiel},
        {"1", "1.6", kopiertext::keinBauteil},
        {"2", "1.6", kopiertext::keinBauteil},
    };
    for (const auto& f : faelle) {
        const KopierPlan plan = kopierPruefen(at(f.start), at(f.ziel));
        EXPECT_FALSE(plan.ok()) << f.start << " -> " << f.ziel;
        EXPECT_EQ(plan.meldung, f.meldung) << f.start << " -> " << f.ziel;
        EXPECT_FALSE(s.kopieren(at(f.start), plan));
    }
    EXPECT_FALSE(s.kannRueckgaengig());
    EXPECT_EQ(datei(QStringLiteral("danach.pro")), vorher);
    // Without start or target nothing is planned and nothing said.
    for (const KopierPlan& p :
         {kopierPruefen(nullptr, at("1.6")), kopierPruefen(at("1.6"), nullptr)}) {
        EXPECT_FALSE(p.ok());
        EXPECT_TRUE(p.meldung.isEmpty());
    }
}

// A room target stands for the node before its outlet: outlet and room are replaced.
TEST_F(Kopieren, OntoARoomReplacesItsOutletAndTheRoom) {
    const KopierPlan plan = kopierPruefen(at("1.6"), at("1.5.5"));
    EXPECT_EQ(plan.ziel, at("1.5.3"));
    EXPECT_FALSE(plan.inZiel);
    EXPECT_FALSE(plan.umwandeln);
    kopieren("1.6", "1.5.5");
    EXPECT_EQ(linie("1"), QStringLiteral("1.1:9 1.2:2 1.3:13 1.4:2 1.5:30 1.5.1:2 1.5.2:21 "
                                         "1.5.3:2 1.5.4:2 1.5.5:10 1.5.6:4 1.6:2 1.7:10 1.8:4"));
    EXPECT_EQ(rec("1.5.4"), rec("1.6"));
    EXPECT_EQ(rec("1.5.5"), rec("1.7"));
    EXPECT_EQ(rec("1.5.6"), rec("1.8"));
    EXPECT_EQ(s.selektiert(), at("1.5.4"));
    EXPECT_EQ(at("1.5.4")->caption(), at("1.6")->caption());
}

// Everything behind a plain target goes; the copy takes its place.
TEST_F(Kopieren, BehindAComponentInAnotherBranch) {
    kopieren("1.6", "1.5.2");
    EXPECT_EQ(linie("1"), QStringLiteral("1.1:9 1.2:2 1.3:13 1.4:2 1.5:30 1.5.1:2 1.5.2:21 "
                                         "1.5.3:2 1.5.4:10 1.5.5:4 1.6:2 1.7:10 1.8:4"));
}

// From a supply line into an extract line: the outside grille becomes an exhaust grille and
// the supply outlets extract grilles, branches included; the source keeps its types.
TEST_F(Kopieren, SupplyIntoExtractConvertsGrillesAndOutlets) {
    const KopierPlan plan = kopierPruefen(at("1.1"), at("2.4"));
    EXPECT_EQ(plan.ziel, at("2.2")); // room, then its grille, stand for the fan before them
    EXPECT_TRUE(plan.umwandeln);
    kopieren("1.1", "2.4");
    EXPECT_EQ(linie("2"),
              QStringLiteral("2.1:11 2.2:13 2.3:11 2.4:2 2.5:13 2.6:2 2.7:30 2.7.1:2 2.7.2:21 "
                             "2.7.3:2 2.7.4:12 2.7.5:4 2.8:2 2.9:12 2.10:4"));
    EXPECT_EQ(linie("1"), QStringLiteral("1.1:9 1.2:2 1.3:13 1.4:2 1.5:30 1.5.1:2 1.5.2:21 "
                                         "1.5.3:2 1.5.4:10 1.5.5:4 1.6:2 1.7:10 1.8:4"));
    // Apart from the type, the records are the source's.
    DVdata gitter = rec("2.3");
    gitter.typ = typAussenluftgitter;
    EXPECT_EQ(gitter, rec("1.1"));
    // And back: extract into supply.
    EXPECT_EQ(kopierTyp(typFortluftgitter, true), typAussenluftgitter);
    EXPECT_EQ(kopierTyp(typAbluftgitter, true), typZuluftauslass);
    EXPECT_EQ(kopierTyp(typAbluftgitter, false), typAbluftgitter);
    EXPECT_EQ(kopierTyp(typKanal, true), typKanal);
}

TEST_F(Kopieren, ExtractIntoSupply) {
    kopieren("2.3", "1.8");
    EXPECT_EQ(linie("1"), QStringLiteral("1.1:9 1.2:2 1.3:13 1.4:2 1.5:30 1.5.1:2 1.5.2:21 "
                                         "1.5.3:2 1.5.4:10 1.5.5:4 1.6:2 1.7:10 1.8:4"));
    EXPECT_EQ(typVon(at("1.7")), typZuluftauslass);
    EXPECT_EQ(rec("1.7").i[3], rec("2.3").i[3]);
}

// An outlet or room that begins its chain takes the first copied record itself.
TEST_F(Kopieren, AnOutletOrRoomFirstInItsChainIsWrittenOver) {
    for (const char* erst : {"1.5.4", "1.5.5"}) {
        SetUp();
        // Only the outlet and the room (or only the room) stay in the branch.
        const tmylistitem* bleibt = at(erst);
        while (at("1.5.1") != bleibt) s.baum().Delete(at("1.5.1"));
        vorher = datei(QStringLiteral("vorher.pro"));
        const KopierPlan plan = kopierPruefen(at("1.6"), at("1.5.1"));
        ASSERT_TRUE(plan.ok()) << plan.meldung.toStdString();
        EXPECT_TRUE(plan.inZiel);
        EXPECT_EQ(plan.ziel, at("1.5.1"));
        kopieren("1.6", "1.5.1");
        EXPECT_EQ(linie("1"), QStringLiteral("1.1:9 1.2:2 1.3:13 1.4:2 1.5:30 1.5.1:2 1.5.2:10 "
                                             "1.5.3:4 1.6:2 1.7:10 1.8:4"))
            << erst;
        EXPECT_EQ(rec("1.5.1"), rec("1.6"));
    }
}

// A generated supply line, with pieces and crosses whose branches nest several levels deep,
// copied whole onto the room of a generated extract line: the copy has the source's shape,
// every record the source's with grilles and outlets converted, and undo gives the file back.
TEST_F(Kopieren, ADeeplyBranchedLineCopiedWhole) {
    s.neu();
    ASSERT_GT(projektErzeugen(s.baum(), GeneratorOptionen{2, 40, 5}), 0);
    vorher = datei(QStringLiteral("vorher.pro"));
    tmylistitem* quelle = at("1")->getChild();
    const tmylistitem* l2 = at("2");
    tmylistitem* raum = l2->lastDescendant();
    while (raum->parent() != l2) raum = raum->parent();
    ASSERT_EQ(typVon(raum), typRaum);
    const KopierPlan plan = kopierPruefen(quelle, raum);
    ASSERT_TRUE(plan.ok()) << plan.meldung.toStdString();
    ASSERT_TRUE(plan.umwandeln);
    const int vorL2 = l2->CountAlle();
    const int hinter = plan.ziel->IndexInLevel();
    // Behind the target the old chain's end goes; the source line comes whole.
    int weg = 0;
    for (const tmylistitem* n = plan.ziel->getNextSibling(); n; n = n->getNextSibling())
        weg += 1 + n->CountAlle();
    kopieren("1.1", qPrintable(raum->position()));
    EXPECT_EQ(l2->CountAlle(), vorL2 - weg + at("1")->CountAlle());

    // Walk source and copy side by side: the same levels below their chains, the same
    // records apart from the converted types.
    const tmylistitem* a = quelle;
    const tmylistitem* b = l2->child(hinter + 1);
    const tmylistitem* aEnde = at("1")->lastDescendant()->getNext();
    int verglichen = 0, umgewandelt = 0, tiefste = 0;
    for (; a != aEnde; a = a->getNext(), b = b->getNext(), ++verglichen) {
        ASSERT_TRUE(b);
        ASSERT_EQ(b->Level(), a->Level()) << a->position().toStdString();
        DVdata d = *nodeDaten(b);
        if (d.typ != nodeDaten(a)->typ) ++umgewandelt;
        EXPECT_EQ(d.typ, kopierTyp(nodeDaten(a)->typ, true));
        d.typ = nodeDaten(a)->typ;
        EXPECT_EQ(d, *nodeDaten(a)) << a->position().toStdString();
        tiefste = std::max(tiefste, a->Level());
    }
    EXPECT_EQ(verglichen, at("1")->CountAlle());
    EXPECT_GT(umgewandelt, 10);
    EXPECT_GE(tiefste, 3);
}
