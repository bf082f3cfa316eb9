// The main window while and after it calculates, as a user meets it: the progress window, edits
// during a run, the values a run writes, and what the window asks before typed values are lost.
#include "app_fixture.h"

#include "app/problem_list.h"
#include "app/tree_columns.h"
#include "network/tree_item_model.h"
#include "pressure/network_pressure.h"
#include "sizing/planen.h"
#include "store/user_seam.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace zephan::testing {
namespace {

using Rechnen = Fenster;

// What the window showed when a question came: was a progress window open, which node was
// selected, which page was shown.
struct Blick {
    bool fortschritt = false;
    tmylistitem* auswahl = nullptr;
    int seite = -1;
};

TEST_F(Rechnen, ProgressClosesBeforeTheReportAndBeforeTheMessageOfAStop) {
    fenster->start();
    QTest::keyClick(fenster.get(), Qt::Key_F7);
    ASSERT_EQ(berichte, 1);
    EXPECT_FALSE(fortschrittBeimBericht);
    EXPECT_FALSE(fenster->seam().fortschrittOffen());
    // The same after F8 and after Shift on the button.
    fenster->aktion(QStringLiteral("Druckverlustberechnung nur vom ausgewählten Strang"))
        ->trigger();
    QTest::mouseClick(feld<QPushButton>("DruckverlustBtn"), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(berichte, 3);
    EXPECT_FALSE(fortschrittBeimBericht);
    EXPECT_FALSE(fenster->seam().fortschrittOffen());

    // A duct still in planning stops the run: the message names its position, and the window
    // shows that duct on its page, with no progress window over the message.
    tmylistitem* kanal = at("1.5.3");
    nodeDaten(kanal)->planung = true;
    QList<Blick> blicke;
    setzeAntwortgeber([&](const QString& text, const QString&) {
        fragen << text;
        blicke << Blick{fenster->seam().fortschrittOffen(),
                        BaumModell::knoten(fenster->baumAnsicht()->currentIndex()),
                        fenster->seiten()->currentIndex()};
        return 0;
    });
    fenster->knotenAuswaehlen(at("1"));
    fragen.clear();
    QTest::keyClick(fenster.get(), Qt::Key_F7);
    EXPECT_EQ(berichte, 3);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0], netztext::planung + QStringLiteral("\n\nPosition: 1.5.3"));
    EXPECT_FALSE(blicke[0].fortschritt);
    EXPECT_EQ(blicke[0].auswahl, kanal);
    EXPECT_EQ(blicke[0].seite, int(Tk_DVform::SeiteKanal));
    EXPECT_EQ(s().selektiert(), kanal);
    EXPECT_FALSE(fenster->seam().fortschrittOffen());
    // The window takes commands again.
    EXPECT_TRUE(fenster->aktion(QStringLiteral("Druckverlustberechnung"))->isEnabled());
    EXPECT_TRUE(fenster->centralWidget()->isEnabled());
}

TEST_F(Rechnen, PlanningShowsTheNodeItStopsAtBeforeItsMessage) {
    fenster->start();
    // A bend without its angle cannot be planned around.
    tmylistitem* bogen = at("1.5.2");
    nodeDaten(bogen)->tag1 = -1;
    QList<Blick> blicke;
    setzeAntwortgeber([&](const QString& text, const QString&) {
        fragen << text;
        blicke << Blick{false, BaumModell::knoten(fenster->baumAnsicht()->currentIndex()),
                        fenster->seiten()->currentIndex()};
        return 0;
    });
    fenster->knotenAuswaehlen(at("1"));
    fragen.clear();
    fenster->planenClick();
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0],
              QString::fromUtf8(planText::fehlendeInfo) + QStringLiteral("\n\nPosition: 1.5.2"));
    EXPECT_EQ(blicke[0].auswahl, bogen);
    EXPECT_EQ(blicke[0].seite, int(Tk_DVform::SeiteFormstueck));
    EXPECT_EQ(s().selektiert(), bogen);
}

TEST_F(Rechnen, EditsDuringACalculationAreRefusedAndASecondF7LeavesTheFirstRunAlone) {
    fenster->start();
    const auto aufbau = [this] {
        QStringList r;
        for (tmylistitem* n = s().baum().topitem(); n; n = n->getNext())
            r << n->position() + QLatin1Char('|') + QString::number(nodeDaten(n)->typ);
        return r;
    };
    const QStringList vorher = aufbau();
    const int anzahl = s().baum().count();
    fenster->knotenAuswaehlen(at("1.6"));
    // The first turn of the event loop inside the run is where a click or key of the user
    // would land; everything the user could do there is tried.
    bool gesehen = false;
    QTimer::singleShot(0, fenster.get(), [&] {
        gesehen = true;
        EXPECT_TRUE(s().rechnungLaeuft());
        EXPECT_TRUE(fenster->seam().fortschrittOffen());
        EXPECT_FALSE(fenster->centralWidget()->isEnabled());
        EXPECT_FALSE(fenster->aktion(QStringLiteral("Rückgängig"))->isEnabled());
        EXPECT_FALSE(fenster->loeschenClick());
        EXPECT_FALSE(fenster->rueckgaengig());
        EXPECT_FALSE(fenster->einfuegenClick());
        EXPECT_FALSE(fenster->uebernehmenClick());
        fenster->knotenAuswaehlen(at("2.2"));
        fenster->allesPlanenClick();
        // A second F7 is ignored; the first run's progress window stays.
        fenster->druckverlustberechnung(false);
        EXPECT_TRUE(fenster->seam().fortschrittOffen());
        EXPECT_EQ(fenster->statusText(3),
                  QStringLiteral("Während einer Berechnung kann das Projekt nicht bearbeitet "
                                 "werden."));
    });
    QTest::keyClick(fenster.get(), Qt::Key_F7);
    ASSERT_TRUE(gesehen);
    EXPECT_EQ(berichte, 1);
    EXPECT_EQ(s().baum().count(), anzahl);
    EXPECT_EQ(s().selektiert(), at("1.6"));
    EXPECT_TRUE(fragen.isEmpty()) << fragen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(aufbau(), vorher);
    EXPECT_FALSE(s().rechnungLaeuft());
    EXPECT_TRUE(fenster->centralWidget()->isEnabled());
    // Afterwards the same delete goes through.
    EXPECT_TRUE(fenster->loeschenClick());
    EXPECT_EQ(s().baum().count(), anzahl - 1);
}

TEST_F(Rechnen, ValuesACalculationWritesReachTheBufferTheChangedMarkAndTheFile) {
    fenster->start();
    tmylistitem* ventilator = at("1.3");
    ASSERT_EQ(nodeDaten(ventilator)->typ, int(typVentilator));
    // A project whose fan's required pressure was never computed.
    nodeDaten(ventilator)->i[4] = 0;
    sichernUnter = daten.filePath(QStringLiteral("berechnet.pro"));
    ASSERT_TRUE(fenster->sichernAlsMenu());
    ASSERT_FALSE(s().geaendert());
    fenster->knotenAuswaehlen(ventilator);
    ASSERT_EQ(s().editDaten().i[4], 0);

    fenster->druckverlustberechnung(false);
    ASSERT_EQ(berichte, 1);
    const double druck = nodeDaten(ventilator)->i[4];
    EXPECT_GT(druck, 0);
    EXPECT_EQ(s().editDaten().i[4], druck);
    EXPECT_TRUE(s().geaendert());
    EXPECT_TRUE(fenster->windowTitle().endsWith(QStringLiteral(" *")));
    EXPECT_FALSE(s().pufferVeraendert());

    // "Übernehmen" on the fan keeps what the calculation wrote.
    ASSERT_TRUE(fenster->uebernehmenClick());
    EXPECT_EQ(nodeDaten(ventilator)->i[4], druck);
    // "Sichern" (not only "Sichern als") writes it.
    ASSERT_TRUE(fenster->sichernMenu());
    EXPECT_FALSE(s().geaendert());
    const QString datei = s().projekt().dateiname();
    neuesFenster();
    ASSERT_TRUE(fenster->ladenDatei(datei));
    EXPECT_EQ(nodeDaten(at("1.3"))->i[4], druck);

    // A run that changes nothing leaves the project unchanged.
    fenster->druckverlustberechnung(false);
    EXPECT_FALSE(s().geaendert());
}

TEST_F(Rechnen, LeavingANodeWithTypedValuesAsksWhetherToApplyThem) {
    fenster->start();
    tmylistitem* kanal = at("1.6");
    ASSERT_EQ(nodeDaten(kanal)->typ, int(typKanal));
    const double laenge = nodeDaten(kanal)->i[5];
    ASSERT_NE(laenge, 7000);
    const auto tippen = [&] {
        fenster->knotenAuswaehlen(kanal);
        QTest::mouseClick(feld<QPushButton>("KanalL7"), Qt::LeftButton);
        ASSERT_EQ(s().editDaten().i[5], 7000);
        fragen.clear();
        fragenKnoepfe.clear();
    };
    const auto klicken = [&](const char* pos) {
        fenster->baumAnsicht()->setCurrentIndex(fenster->modell()->indexVon(at(pos)));
    };

    // "Abbrechen": the duct stays selected with the typed length, in the view too.
    tippen();
    antworten = {2};
    klicken("1.7");
    EXPECT_EQ(fragen, QStringList{QStringLiteral("Änderungen übernehmen?")});
    EXPECT_EQ(fragenKnoepfe, QStringList{QStringLiteral("j|n|a")});
    EXPECT_EQ(s().selektiert(), kanal);
    EXPECT_EQ(BaumModell::knoten(fenster->baumAnsicht()->currentIndex()), kanal);
    EXPECT_EQ(s().editDaten().i[5], 7000);
    EXPECT_EQ(nodeDaten(kanal)->i[5], laenge);

    // "Nein": the other node is shown, the duct keeps its length.
    antworten = {1};
    klicken("1.7");
    EXPECT_EQ(s().selektiert(), at("1.7"));
    EXPECT_EQ(nodeDaten(kanal)->i[5], laenge);
    EXPECT_FALSE(s().geaendert());

    // "Ja": applied first, as one step that can be undone.
    tippen();
    antworten = {0};
    klicken("1.7");
    EXPECT_EQ(s().selektiert(), at("1.7"));
    EXPECT_EQ(nodeDaten(kanal)->i[5], 7000);
    EXPECT_TRUE(s().geaendert());
    fenster->rueckgaengig();
    EXPECT_EQ(nodeDaten(kanal)->i[5], laenge);

    // Nothing typed: no question.
    fenster->knotenAuswaehlen(kanal);
    fragen.clear();
    klicken("1.8");
    EXPECT_TRUE(fragen.isEmpty()) << fragen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(s().selektiert(), at("1.8"));
}

TEST_F(Rechnen, StatusBarFollowsInsertAndNewProject) {
    fenster->start();
    // A bend inserted behind the duct 1.6: the status bar shows the new node.
    fenster->knotenAuswaehlen(at("1.6"));
    fenster->typListeGewaehlt(QStringLiteral("Bogen"));
    ASSERT_TRUE(fenster->einfuegenClick()) << fenster->statusText(3).toStdString();
    tmylistitem* neu = s().selektiert();
    ASSERT_NE(neu, at("1.6"));
    EXPECT_EQ(fenster->statusText(0), QStringLiteral("Position: ") + neu->position());
    EXPECT_EQ(fenster->statusText(1), neu->caption());

    antworten = {0, 1}; // a new project, without saving the changed one
    ASSERT_TRUE(fenster->neuMenu());
    EXPECT_EQ(fenster->statusText(0), QString());
    EXPECT_EQ(fenster->statusText(1), QString());
    EXPECT_EQ(fenster->statusText(2), QString());
    EXPECT_EQ(fenster->statusText(3), QStringLiteral("neues Projekt"));
}

TEST_F(Rechnen, TreeColumnsAndTheProblemListShowWhatAnEngineerReads) {
    fenster->start();
    const auto zelle = [this](const char* pos, int spalte) {
        const QModelIndex i = fenster->modell()->indexVon(at(pos));
        return i.siblingAtColumn(spalte).data().toString();
    };
    EXPECT_EQ(zelle("1.2", BaumSpalten::Mass), QStringLiteral("500×300"));
    EXPECT_EQ(zelle("1.2", BaumSpalten::Volumenstrom), QStringLiteral("2.000"));
    EXPECT_EQ(zelle("1.5.3", BaumSpalten::Volumenstrom), QStringLiteral("1.000"));
    EXPECT_EQ(zelle("1", BaumSpalten::Volumenstrom), QString());
    EXPECT_EQ(zelle("1.2", BaumSpalten::Druckverlust), QString()); // nothing calculated yet
    fenster->druckverlustberechnung(false);
    EXPECT_EQ(zelle("1.2", BaumSpalten::Geschwindigkeit), QStringLiteral("3,70"));
    // The loss of each main passage as the report's rows give it (the duct 1.2: 0,9 Pa).
    EXPECT_EQ(zelle("1.2", BaumSpalten::Druckverlust).left(3), QStringLiteral("0,9"));
    EXPECT_EQ(zelle("1.5.4", BaumSpalten::Druckverlust).left(3), QStringLiteral("2,1"));
    EXPECT_EQ(zelle("1", BaumSpalten::Druckverlust), QString());
    EXPECT_EQ(zelle("1.5.2", BaumSpalten::Zeta), nodeDaten(at("1.5.2"))->p[1]);
    EXPECT_FALSE(nodeDaten(at("1.5.2"))->p[1].isEmpty());

    // A duct in planning: tooltip and problem list name it; a click on the list selects it.
    fenster->probleme()->show();
    EXPECT_EQ(fenster->probleme()->anzahl(), 0);
    fenster->knotenAuswaehlen(at("1.6"));
    feld<QCheckBox>("KanalPlanung")->click();
    ASSERT_TRUE(s().editDaten().planung);
    ASSERT_TRUE(fenster->uebernehmenClick());
    // An edit makes the losses of the last calculation stale: they go.
    EXPECT_EQ(zelle("1.2", BaumSpalten::Druckverlust), QString());
    EXPECT_EQ(fenster->modell()->indexVon(at("1.6")).data(Qt::ToolTipRole).toString(),
              QStringLiteral("1.6: Bauteil befindet sich noch im Status Planung."));
    ASSERT_EQ(fenster->probleme()->anzahl(), 1);
    EXPECT_TRUE(fenster->probleme()->liste()->item(0)->text().startsWith(QStringLiteral("1.6  ")));
    fenster->knotenAuswaehlen(at("2"));
    emit fenster->probleme()->liste()->itemClicked(fenster->probleme()->liste()->item(0));
    EXPECT_EQ(s().selektiert(), at("1.6"));

    // A hidden column stays hidden at the next start.
    fenster->baumAnsicht()->header()->setSectionHidden(BaumSpalten::Zeta, true);
    s().projekt().setGeaendert(false);
    ASSERT_TRUE(fenster->close());
    neuesFenster();
    EXPECT_TRUE(fenster->baumAnsicht()->header()->isSectionHidden(BaumSpalten::Zeta));
    EXPECT_FALSE(fenster->baumAnsicht()->header()->isSectionHidden(BaumSpalten::Mass));
}

} // namespace
} // namespace zephan::testing
