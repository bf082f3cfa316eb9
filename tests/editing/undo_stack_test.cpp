#include "editing/undo_stack.h"
#include "editing_fixture.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "network/tree_item_model.h"

#include <QAbstractItemModelTester>

#include <map>
#include <random>

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

// Every node in flat order with its level and everything an edit can change.
using Bild = std::vector<std::pair<int, KnotenZustand>>;

Bild bild(const ProjektBaum& b) {
    Bild r;
    for (const tmylistitem* n = b.topitem(); n; n = n->getNext())
        r.emplace_back(n->Level(), KnotenZustand::von(n));
    return r;
}

class Rueckgaengig : public Sitzung {
protected:
    void beispielLaden() {
        ASSERT_NO_FATAL_FAILURE(Sitzung::beispielLaden());
        ASSERT_EQ(s.baum().count(), 19);
    }

    tmylistitem* zufallsKnoten(std::mt19937& rng) {
        if (s.baum().count() == 0) return nullptr;
        return s.baum().item(static_cast<int>(rng() % static_cast<unsigned>(s.baum().count())));
    }

    // One random edit a user could make; true when it changed the project.
    bool zufallsEdit(std::mt19937& rng) {
        static const int typen[] = {2,  3,  6,  7,  8,  16, 19, 20, 21, 23, 24, 26, 27, 28,
                                    30, 31, 32, 33, 34, 35, 37, 38, 39, 40, 41, 43, 44};
        const int art = static_cast<int>(rng() % 20);
        s.auswaehlen(zufallsKnoten(rng));
        seam.antworten = {static_cast<int>(rng() % 2)};
        if (art < 8) { // insert a component
            if (!s.selektiert()) return false;
            waehle(typen[rng() % std::size(typen)]);
            s.editDaten().Text = QString::number(rng() % 1000);
            return s.bauteilEinfuegen();
        }
        if (art < 12) { // change values and apply
            if (!s.selektiert()) return false;
            DVdata& b = s.editDaten();
            b.i[rng() % 7] = static_cast<double>(rng() % 3000);
            if (b.typ > 1) b.Text = QStringLiteral("geändert ") + QString::number(rng() % 100);
            b.planung = rng() % 2 == 0;
            return s.uebernehmen();
        }
        if (art < 15) // delete
            return s.knotenLoeschen();
        if (art < 17) { // change the type and apply
            if (!s.selektiert()) return false;
            waehle(typen[rng() % std::size(typen)]);
            return s.uebernehmen();
        }
        if (art < 19) { // a new line
            s.strangSeite(static_cast<int>(rng() % 2),
                          QStringLiteral("Z") + QString::number(rng()));
            return s.strangEinfuegen();
        }
        tmylistitem* eltern = zufallsKnoten(rng);
        return eltern && s.kindAnhaengen(eltern, 21, rng() % 2 == 0);
    }
};

// --- whole sessions -----------------------------------------------------------------------------

namespace {

QStringList modellWarnungen;

void warnungMerken(QtMsgType typ, const QMessageLogContext&, const QString& text) {
    if (typ != QtDebugMsg && typ != QtInfoMsg) modellWarnungen.append(text);
}

// The model's rows, depth first, as "level caption" lines.
void modellBild(const QAbstractItemModel& m, const QModelIndex& eltern, int level,
                QStringList& out) {
    for (int r = 0; r < m.rowCount(eltern); ++r) {
        const QModelIndex i = m.index(r, 0, eltern);
        out.append(QString::number(level) + QLatin1Char(' ') + i.data().toString());
        modellBild(m, i, level + 1, out);
    }
}

QStringList baumZeilen(const ProjektBaum& b) {
    QStringList out;
    for (const tmylistitem* n = b.topitem(); n; n = n->getNext())
        out.append(QString::number(n->Level()) + QLatin1Char(' ') + n->caption());
    return out;
}

} // namespace

TEST_F(Rueckgaengig, AnItemModelFollowsEditsUndoAndRedoRowByRowWithoutReset) {
    beispielLaden();
    BaumModell modell(s.baum());
    modellWarnungen.clear();
    const QtMessageHandler vorher = qInstallMessageHandler(warnungMerken);
    QAbstractItemModelTester tester(&modell,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    int eingefuegt = 0, entfernt = 0, geaendert = 0, resets = 0;
    QObject::connect(&modell, &QAbstractItemModel::rowsInserted, [&] { ++eingefuegt; });
    QObject::connect(&modell, &QAbstractItemModel::rowsRemoved, [&] { ++entfernt; });
    QObject::connect(&modell, &QAbstractItemModel::dataChanged, [&] { ++geaendert; });
    QObject::connect(&modell, &QAbstractItemModel::modelReset, [&] { ++resets; });
    // A view holds on to a node deep in the tree while everything around it changes.
    const QPersistentModelIndex gehalten = modell.indexVon(at("1.4"));

    std::mt19937 rng(77);
    int edits = 0;
    for (int versuch = 0; edits < 200 && versuch < 10000; ++versuch) {
        if (zufallsEdit(rng)) ++edits;
        // Now and then step back and forward through the history.
        if (versuch % 7 == 3 && s.rueckgaengig() && versuch % 2 == 1) s.wiederholen();
    }
    ASSERT_EQ(edits, 200);
    while (s.rueckgaengig()) {
    }
    for (int k = 0; k < 20 && s.wiederholen(); ++k) {
    }
    qInstallMessageHandler(vorher);

    EXPECT_TRUE(modellWarnungen.isEmpty()) << modellWarnungen.join('\n').toStdString();
    EXPECT_EQ(resets, 0);
    EXPECT_GT(eingefuegt, 100);
    EXPECT_GT(entfernt, 50);
    EXPECT_GT(geaendert, 100);
    QStringList bildModell;
    modellBild(modell, {}, 0, bildModell);
    EXPECT_EQ(bildModell, baumZeilen(s.baum()));
    if (gehalten.isValid()) {
        EXPECT_EQ(BaumModell::knoten(gehalten)->owner(), &s.baum());
    }

    // Opening a project is one reset.
    beispielLaden();
    EXPECT_EQ(resets, 1);
    bildModell.clear();
    modellBild(modell, {}, 0, bildModell);
    EXPECT_EQ(bildModell, baumZeilen(s.baum()));
}

TEST_F(Rueckgaengig, TwoHundredRandomEditsUndoneGiveBackTheSavedFileRedoneTheEditedOne) {
    beispielLaden();
    const QByteArray gesichert = datei(QStringLiteral("a.pro"));
    const Bild anfang = bild(s.baum());
    EXPECT_FALSE(s.geaendert());

    std::mt19937 rng(20240611);
    int edits = 0;
    for (int versuch = 0; edits < 200 && versuch < 10000; ++versuch)
        if (zufallsEdit(rng)) ++edits;
    ASSERT_EQ(edits, 200);
    ASSERT_EQ(s.undoStack().anzahl(), 200);
    // Every kind of operation took part.
    std::map<QString, int> arten;
    for (const BaumBefehl& b : s.undoStack().befehle()) ++arten[b.name];
    for (const char* name :
         {"Bauteil einfügen", "Übernehmen", "Löschen", "Strang einfügen", "Anhängen"})
        EXPECT_GE(arten[QString::fromUtf8(name)], 5) << name;
    EXPECT_TRUE(s.geaendert());
    const Bild bearbeitetBild = bild(s.baum());
    const int selBearbeitet = flatIndex(s.selektiert());
    const DVdata pufferBearbeitet = s.editDaten();
    const QByteArray bearbeitet = datei(QStringLiteral("b.pro"));
    ASSERT_NE(bearbeitet, gesichert);

    for (int k = 0; k < 200; ++k) ASSERT_TRUE(s.rueckgaengig()) << k;
    EXPECT_FALSE(s.kannRueckgaengig());
    EXPECT_FALSE(s.rueckgaengig());
    EXPECT_EQ(datei(QStringLiteral("c.pro")), gesichert);
    EXPECT_TRUE(bild(s.baum()) == anfang);

    for (int k = 0; k < 200; ++k) ASSERT_TRUE(s.wiederholen()) << k;
    EXPECT_FALSE(s.wiederholen());
    EXPECT_EQ(datei(QStringLiteral("d.pro")), bearbeitet);
    EXPECT_TRUE(bild(s.baum()) == bearbeitetBild);
    EXPECT_EQ(flatIndex(s.selektiert()), selBearbeitet);
    EXPECT_EQ(s.editDaten(), pufferBearbeitet);
}

TEST_F(Rueckgaengig, UndoRestoresTreeSelectionFocusAndBuffer) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(30);
    const DVdata gewaehlt = s.editDaten();
    const Bild vorher = bild(s.baum());
    ASSERT_TRUE(s.bauteilEinfuegen());
    const Bild nachher = bild(s.baum());
    ASSERT_EQ(s.selektiert(), at("1.3.2"));

    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_TRUE(bild(s.baum()) == vorher);
    EXPECT_EQ(s.selektiert(), at("1.2"));
    EXPECT_EQ(s.fokussiert(), at("1.2"));
    EXPECT_EQ(s.editDaten(), gewaehlt);

    ASSERT_TRUE(s.wiederholen());
    EXPECT_TRUE(bild(s.baum()) == nachher);
    EXPECT_EQ(s.selektiert(), at("1.3.2"));
    EXPECT_EQ(s.editDaten().typ, 4);

    // Deleting a line and undoing it brings back every node with its record.
    s.auswaehlen(at("1"));
    seam.antworten = {0};
    ASSERT_TRUE(s.knotenLoeschen());
    EXPECT_EQ(s.baum().count(), 0);
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_TRUE(bild(s.baum()) == nachher);
    EXPECT_EQ(s.selektiert(), at("1"));
}

TEST_F(Rueckgaengig, TheChangedMarkFollowsUndoToTheSavedState) {
    s.projekt().setAutomatischSichern([] { return true; });
    beispielLaden();
    EXPECT_FALSE(s.geaendert());
    s.auswaehlen(at("1.2"));
    s.editDaten().i[5] = 3000;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_TRUE(s.geaendert());
    EXPECT_TRUE(s.projekt().autoSave().laeuft());

    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_FALSE(s.geaendert());
    EXPECT_FALSE(s.projekt().autoSave().laeuft());
    ASSERT_TRUE(s.wiederholen());
    EXPECT_TRUE(s.geaendert());

    datei(QStringLiteral("gesichert.pro"));
    EXPECT_FALSE(s.geaendert());
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_TRUE(s.geaendert());
    ASSERT_TRUE(s.wiederholen());
    EXPECT_FALSE(s.geaendert());

    // A new edit after an undo drops the branch that held the saved state: no position of
    // the history is the saved one any more.
    ASSERT_TRUE(s.rueckgaengig());
    s.auswaehlen(at("1.4"));
    s.editDaten().i[5] = 2500;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_FALSE(s.kannWiederholen());
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_TRUE(s.geaendert());
}

TEST_F(Rueckgaengig, AChangeOfTheProjectPageKeepsTheMarkThroughUndo) {
    beispielLaden();
    s.projekt().daten().Memo = QStringLiteral("neu");
    s.markiereGeaendert();
    s.auswaehlen(at("1.2"));
    ASSERT_TRUE(s.uebernehmen());
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_TRUE(s.geaendert());
}

TEST_F(Rueckgaengig, LoadingAndNewProjectStartTheHistoryAfresh) {
    beispielLaden();
    s.auswaehlen(at("1.2"));
    ASSERT_TRUE(s.uebernehmen());
    ASSERT_TRUE(s.kannRueckgaengig());
    ASSERT_TRUE(s.laden(dir.filePath(QStringLiteral("ex.pro"))));
    EXPECT_FALSE(s.kannRueckgaengig());
    EXPECT_FALSE(s.geaendert());

    s.auswaehlen(at("1.2"));
    ASSERT_TRUE(s.uebernehmen());
    s.neu();
    EXPECT_FALSE(s.kannRueckgaengig());
    EXPECT_EQ(s.baum().count(), 0);
    EXPECT_TRUE(s.geaendert());
    EXPECT_EQ(letzteMeldung(), "neues Projekt");

    // A file that cannot be read leaves the project and its name as they were.
    neuerStrang();
    EXPECT_FALSE(s.laden(dir.filePath(QStringLiteral("fehlt.pro"))));
    EXPECT_EQ(s.baum().count(), 5);
    EXPECT_TRUE(s.kannRueckgaengig());
    EXPECT_EQ(s.projekt().dateiname(), "");
}

TEST_F(Rueckgaengig, AddingAProjectIsOneCommand) {
    beispielLaden();
    const QByteArray gesichert = datei(QStringLiteral("a.pro"));
    ASSERT_TRUE(s.hinzufuegen(dir.filePath(QStringLiteral("ex.pro"))));
    EXPECT_EQ(s.baum().topCount(), 4);
    EXPECT_EQ(s.baum().count(), 38);
    EXPECT_TRUE(s.geaendert());
    EXPECT_EQ(s.selektiert(), at("1"));
    EXPECT_EQ(s.editDaten().typ, 0);
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(s.baum().count(), 19);
    EXPECT_FALSE(s.geaendert());
    EXPECT_EQ(datei(QStringLiteral("b.pro")), gesichert);
    ASSERT_TRUE(s.wiederholen());
    EXPECT_EQ(s.baum().count(), 38);
    EXPECT_EQ(at("3")->caption(), "Zuluft: 1 Beispiel");

    EXPECT_FALSE(s.hinzufuegen(dir.filePath(QStringLiteral("fehlt.pro"))));
    EXPECT_EQ(s.undoStack().anzahl(), 1);
}

// --- the command itself -------------------------------------------------------------------------

TEST(BaumBefehl, ATreeThatDoesNotFitTheCommandIsRefused) {
    ProjektBaum baum;
    tmylistitem* a = baum.Add(QStringLiteral("a"));
    BaumAufzeichnung auf({a});
    tmylistitem* b = baum.AddChild(a, QStringLiteral("b"));
    auf.hinzugefuegt(b);
    nodeDaten(a)->typ = 2;
    const BaumBefehl befehl = auf.abschliessen(QStringLiteral("test"));
    ASSERT_EQ(befehl.eingefuegt.size(), 1u);
    EXPECT_EQ(befehl.eingefuegt[0].index, 1);
    EXPECT_EQ(befehl.eingefuegt[0].elternIndex, 0);
    ASSERT_EQ(befehl.geaendert.size(), 1u);
    EXPECT_EQ(befehl.geaendert[0].vorher.daten->typ, -1);
    EXPECT_EQ(befehl.geaendert[0].nachher.daten->typ, 2);

    ProjektBaum leer;
    EXPECT_FALSE(befehlRueckgaengig(leer, befehl));
    EXPECT_TRUE(befehlRueckgaengig(baum, befehl));
    EXPECT_EQ(baum.count(), 1);
    EXPECT_EQ(nodeDaten(baum.topitem())->typ, -1);
    EXPECT_TRUE(befehlWiederholen(baum, befehl));
    EXPECT_EQ(baum.count(), 2);
    EXPECT_EQ(nodeDaten(baum.topitem())->typ, 2);
}

TEST(BaumBefehl, ARemovalOutsideTheRecordedLinesMakesTheRecordIncomplete) {
    ProjektBaum baum;
    tmylistitem* a = baum.Add(QStringLiteral("a"));
    tmylistitem* b = baum.Add(QStringLiteral("b"));
    BaumAufzeichnung auf({a});
    auf.entfernt(b);
    EXPECT_FALSE(auf.vollstaendig());
}

} // namespace
