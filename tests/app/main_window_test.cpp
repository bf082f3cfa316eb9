// The user flows of the main window, driven through its controls offscreen.
#include "app_fixture.h"

#include "app/number_field.h"
#include "app/tree_columns.h"

#include "network/model_queries.h"
#include "network/tree_item_model.h"
#include "pressure/air_density.h"
#include "store/number_format.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/druck_fenster.h"
#include <QTreeView>
#include <QTreeWidget>

namespace zephan::testing {
namespace {

using MainWindow = Fenster;

// Runs `aktion` while a timer works the modal dialog named `name` and then closes it.
template <class F, class G> void mitDialog(const QString& name, F aktion, G bedienen) {
    bool gesehen = false;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != name || gesehen) return;
        gesehen = true;
        bedienen(static_cast<QDialog*>(w));
    });
    t.start(10);
    aktion();
    EXPECT_TRUE(gesehen) << name.toStdString();
}

TEST_F(MainWindow, StartWithoutSettingsOpensTheExampleAndSelectsTheFirstLine) {
    fenster->start();
    const QString beispiel = benutzer.filePath(QStringLiteral("Beispiel.pro"));
    EXPECT_TRUE(QFile::exists(beispiel));
    EXPECT_EQ(s().projekt().dateiname(), beispiel);
    EXPECT_EQ(s().selektiert(), s().baum().topitem());
    EXPECT_EQ(fenster->seiten()->currentIndex(), int(Tk_DVform::SeiteStrang));
    EXPECT_EQ(feld<QComboBox>("StrangArt")->currentText(), QStringLiteral("Zuluft"));
    EXPECT_EQ(feld<QLineEdit>("Dichte")->text(), QStringLiteral("1,200"));
    EXPECT_EQ(fenster->statusText(0), QStringLiteral("Position: 1"));
    EXPECT_FALSE(s().geaendert());
    EXPECT_TRUE(fenster->windowTitle().contains(QStringLiteral("Luftkanalnetzberechnung")));
    EXPECT_TRUE(fenster->windowTitle().startsWith(QStringLiteral("Zephan 0.1")));
    // The view shows the tree and follows the session's selection.
    EXPECT_EQ(BaumModell::knoten(fenster->baumAnsicht()->currentIndex()), s().baum().topitem());
    EXPECT_EQ(fenster->modell()->rowCount(), s().baum().topCount());
    EXPECT_FALSE(feld<QPushButton>("BauteilBtn")->isVisibleTo(fenster.get()));
    EXPECT_FALSE(feld<QPushButton>("AufmassBtn")->isVisibleTo(fenster.get()));
}

TEST_F(MainWindow, TheLastProjectIsOpenedAgainAtTheNextStart) {
    fenster->start();
    const QString kopie = daten.filePath(QStringLiteral("kopie.pro"));
    sichernUnter = kopie;
    ASSERT_TRUE(fenster->sichernAlsMenu());
    fenster->close(); // writes "Lastpro"
    neuesFenster();
    fenster->start();
    EXPECT_EQ(s().projekt().dateiname(), kopie);
}

TEST_F(MainWindow, EditInsertDeleteUndoRedoSaveAndReopen) {
    fenster->start();
    const int anzahl = s().baum().count();

    // Select the bend: its page, option and fields.
    tmylistitem* bogen = at("1.5.2");
    ASSERT_NE(bogen, nullptr);
    ASSERT_EQ(nodeDaten(bogen)->typ, int(typBogen));
    fenster->baumAnsicht()->setCurrentIndex(fenster->modell()->indexVon(bogen));
    EXPECT_EQ(s().selektiert(), bogen);
    EXPECT_EQ(fenster->seiten()->currentIndex(), int(Tk_DVform::SeiteFormstueck));
    EXPECT_EQ(feld<QTreeWidget>("treeform")->currentItem()->text(0), QStringLiteral("Bogen"));
    auto* box1 = feld<QListWidget>("FormBox1");
    EXPECT_EQ(box1->currentRow(), nodeDaten(bogen)->tag1);
    EXPECT_EQ(box1->item(0)->text(), QStringLiteral("Umlenkwinkel 90°"));
    EXPECT_EQ(feld<QListWidget>("FormBox2")->count(), 2); // links/rechts, hoch/runter
    auto* breite = feld<Zahlenfeld>("Formt0");
    EXPECT_TRUE(breite->isVisibleTo(fenster.get()));
    EXPECT_EQ(feld<QLabel>("FormtText0")->text(), QStringLiteral("Breite"));
    EXPECT_EQ(feld<QLabel>("FormtEinheit0")->text(), QStringLiteral("[mm]"));
    EXPECT_EQ(breite->wert(), nodeDaten(bogen)->i[0]);
    EXPECT_FALSE(feld<Zahlenfeld>("Formt5")->isVisibleTo(fenster.get()));
    EXPECT_TRUE(feld<QLabel>("DavorLabel")->text().startsWith(QStringLiteral("Kanal")));

    // Another angle, applied.
    box1->setCurrentRow(2); // 45°
    EXPECT_EQ(s().editDaten().tag1, 2);
    ASSERT_TRUE(feld<QPushButton>("UebernehmenBtn")->isEnabled());
    QTest::mouseClick(feld<QPushButton>("UebernehmenBtn"), Qt::LeftButton);
    EXPECT_EQ(nodeDaten(bogen)->tag1, 2);
    EXPECT_TRUE(bogen->caption().contains(QStringLiteral("45")));
    EXPECT_TRUE(s().geaendert());
    EXPECT_TRUE(fenster->aktion(QStringLiteral("Rückgängig"))->isEnabled());

    // A duct below the branch piece, from the duct page.
    tmylistitem* abzweig = at("1.5");
    fenster->knotenAuswaehlen(abzweig);
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteKanal);
    EXPECT_EQ(s().editDaten().typ, int(typKanal));
    QTest::keyClicks(feld<Zahlenfeld>("KanalBreite"), QStringLiteral("500"));
    QTest::keyClicks(feld<Zahlenfeld>("KanalHoehe"), QStringLiteral("300"));
    QTest::mouseClick(feld<QPushButton>("KanalL3"), Qt::LeftButton);
    EXPECT_EQ(s().editDaten().i[5], 3000);
    EXPECT_EQ(s().editDaten().p[2], QStringLiteral("Stahlblech"));
    EXPECT_FALSE(feld<QLabel>("KanalGeschwindigkeit")->text().isEmpty());
    ASSERT_TRUE(feld<QPushButton>("EinfuegenBtn")->isEnabled())
        << fenster->statusText(3).toStdString() << " / "
        << feld<QLabel>("ErgebnisLabel")->text().toStdString() << " planung "
        << s().editDaten().planung;
    QTest::mouseClick(feld<QPushButton>("EinfuegenBtn"), Qt::LeftButton);
    ASSERT_EQ(s().baum().count(), anzahl + 1);
    tmylistitem* neu = s().selektiert();
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(nodeDaten(neu)->typ, int(typKanal));
    EXPECT_EQ(nodeDaten(neu)->i[5], 3000);
    EXPECT_EQ(BaumModell::knoten(fenster->baumAnsicht()->currentIndex()), neu);
    const QString neuPos = neu->position();
    const QStringList mitKanal = baumText();

    // Delete it, undo, redo.
    ASSERT_TRUE(feld<QPushButton>("LoeschenBtn")->isEnabled());
    QTest::mouseClick(feld<QPushButton>("LoeschenBtn"), Qt::LeftButton);
    EXPECT_EQ(s().baum().count(), anzahl);
    EXPECT_EQ(fenster->modell()->rowCount(fenster->modell()->indexVon(at("1"))),
              at("1")->childCount());
    QTest::keyClick(fenster.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s().baum().count(), anzahl + 1);
    EXPECT_EQ(baumText(), mitKanal);
    QTest::keyClick(fenster.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(s().baum().count(), anzahl);
    QTest::keyClick(fenster.get(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(baumText(), mitKanal);
    EXPECT_EQ(nodeDaten(at(neuPos.toLatin1().constData()))->typ, int(typKanal));

    // F7 stops at the new duct, which still waits for sizing, and selects it.
    QTest::keyClick(fenster.get(), Qt::Key_F7);
    EXPECT_EQ(berichte, 0);
    EXPECT_EQ(fragen.value(0), QStringLiteral("Bauteil befindet sich noch im Status Planung.\n\n"
                                              "Position: ") +
                                   neuPos);
    EXPECT_EQ(s().selektiert()->position(), neuPos);
    // Without it the report window shows the worst path.
    fenster->rueckgaengig();
    EXPECT_EQ(s().baum().count(), anzahl);
    QTest::keyClick(fenster.get(), Qt::Key_F7);
    EXPECT_EQ(berichte, 1);
    EXPECT_TRUE(bericht.join(QLatin1Char('\n')).contains(QStringLiteral("Ungünstigste")))
        << bericht.join(QLatin1Char('\n')).left(2000).toStdString();

    // Save and open again: the same tree.
    const QStringList vorher = baumText();
    sichernUnter = daten.filePath(QStringLiteral("flow.pro"));
    ASSERT_TRUE(fenster->sichernAlsMenu());
    EXPECT_FALSE(s().geaendert());
    neuesFenster();
    ASSERT_TRUE(fenster->ladenDatei(sichernUnter));
    EXPECT_EQ(baumText(), vorher);
}

TEST_F(MainWindow, F7ShowsTheReportInTheReportWindow) {
    // A window as the program makes it, showing reports in its report window.
    Tk_DVform eigen;
    eigen.show();
    ASSERT_TRUE(eigen.ladenDatei(beispielAnlegen(benutzer.path())));
    QString gezeigt;
    int seiten = 0;
    QTimer schliessen;
    QObject::connect(&schliessen, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QLatin1String("Druckvorschau")) return;
        gezeigt = w->objectName();
        seiten = eigen.druckFenster()->AnzahlSeiten();
        w->close();
    });
    schliessen.start(20);
    eigen.druckverlustberechnung(false);
    EXPECT_EQ(gezeigt, QStringLiteral("Druckvorschau"));
    EXPECT_GT(seiten, 0);
    EXPECT_TRUE(eigen.druck().m.join(QLatin1Char('\n')).contains(QStringLiteral("Ungünstigste")));
    eigen.session().projekt().setGeaendert(false);
}

TEST_F(MainWindow, LineReportsAndSummaryGoToTheReportWindow) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.2"));
    fenster->aktion(QStringLiteral("Strangverlauf"))->trigger();
    ASSERT_EQ(berichte, 1);
    const QString verlauf = bericht.join(QLatin1Char('\n'));
    EXPECT_TRUE(verlauf.contains(QStringLiteral("1.5.2"))) << verlauf.left(1500).toStdString();
    EXPECT_FALSE(verlauf.contains(QStringLiteral("2.1|")));
    // Every bend of the selected line.
    fenster->aktion(QStringLiteral("für ein Bauteil zusammenstellen"))->trigger();
    ASSERT_EQ(berichte, 2);
    EXPECT_TRUE(bericht.join(QLatin1Char('\n')).contains(QStringLiteral("Bogen")));
    // The summary leaves out the balancing blocks.
    fenster->aktion(QStringLiteral("Zusammenfassung"))->trigger();
    ASSERT_EQ(berichte, 3);
    const QString zusammen = bericht.join(QLatin1Char('\n'));
    EXPECT_FALSE(zusammen.contains(QStringLiteral("Erforderliche Korrektur für Abgleich")));
    fenster->aktion(QStringLiteral("Druckverlustberechnung"))->trigger();
    EXPECT_TRUE(bericht.join(QLatin1Char('\n'))
                    .contains(QStringLiteral("Erforderliche Korrektur für Abgleich")));
    // Without a selection there is no line to follow.
    fenster->knotenAuswaehlen(nullptr);
    fenster->aktion(QStringLiteral("Strangverlauf"))->trigger();
    EXPECT_EQ(berichte, 4);
    EXPECT_EQ(fragen.value(0),
              QStringLiteral("Für den Strangverlauf bitte erst einen Strang auswählen."));
}

TEST_F(MainWindow, AddingAProjectAppendsItsLinesAsOneUndoStep) {
    fenster->start();
    const QStringList vorher = baumText();
    const int linien = s().baum().topCount();
    oeffnen = benutzer.filePath(QStringLiteral("Beispiel.pro"));
    ASSERT_TRUE(fenster->hinzufuegenMenu());
    EXPECT_EQ(s().baum().topCount(), 2 * linien);
    EXPECT_TRUE(s().geaendert());
    EXPECT_EQ(fenster->modell()->rowCount(), 2 * linien);
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(baumText(), vorher);
    EXPECT_EQ(fenster->modell()->rowCount(), linien);
    EXPECT_FALSE(s().geaendert());
    // A file that is no project leaves everything as it was.
    QFile kaputt(daten.filePath(QStringLiteral("kaputt.pro")));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("kein Projekt");
    kaputt.close();
    oeffnen = kaputt.fileName();
    EXPECT_FALSE(fenster->hinzufuegenMenu());
    EXPECT_FALSE(fenster->ladenMenu());
    EXPECT_EQ(baumText(), vorher);
    EXPECT_EQ(s().projekt().dateiname(), benutzer.filePath(QStringLiteral("Beispiel.pro")));
    EXPECT_FALSE(fragen.isEmpty());
}

TEST_F(MainWindow, GroupChoicesFollowTheProjectsGroups) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    auto* gruppe = feld<QComboBox>("KanalGruppe");
    const bool mitGruppen = !s().projekt().daten().Gruppen.trimmed().isEmpty();
    EXPECT_EQ(gruppe->isVisibleTo(fenster.get()), mitGruppen);
    // Groups typed on the project page appear on the next page change, "unbekannt" first.
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteProjekt);
    feld<QPlainTextEdit>("Gruppen")->setPlainText(QStringLiteral(" Keller \n\nDach"));
    EXPECT_TRUE(s().geaendert());
    EXPECT_EQ(s().projekt().daten().Gruppen, QStringLiteral(" Keller \n\nDach"));
    fenster->knotenAuswaehlen(at("1.2"));
    ASSERT_EQ(gruppe->count(), 3);
    EXPECT_EQ(gruppe->itemText(0), QStringLiteral("unbekannt"));
    EXPECT_EQ(gruppe->itemText(1), QStringLiteral("Keller"));
    EXPECT_TRUE(gruppe->isVisibleTo(fenster.get()));
    EXPECT_TRUE(feld<QLabel>("KanalGruppeText")->isVisibleTo(fenster.get()));
    // Choosing a group writes it into the buffer; "unbekannt" is stored empty.
    gruppe->setCurrentIndex(2);
    emit gruppe->activated(2);
    EXPECT_EQ(s().editDaten().Gruppe, QStringLiteral("Dach"));
    gruppe->setCurrentIndex(0);
    emit gruppe->activated(0);
    EXPECT_EQ(s().editDaten().Gruppe, QString());
}

TEST_F(MainWindow, SettingsDialogRestartsTheSaveCountdownAtFullBudget) {
    einstellungen().setAutoSave(true);
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.2"));
    feld<QListWidget>("FormBox1")->setCurrentRow(1);
    ASSERT_TRUE(fenster->uebernehmenClick());
    for (int t = 0; t < 20; ++t) fenster->SavetimerTimer();
    EXPECT_EQ(s().projekt().autoSave().budget(), 200);
    mitDialog(
        QStringLiteral("k_Einstellform"), [this] { fenster->einstellungenMenu(); },
        [](QDialog* d) { d->accept(); });
    EXPECT_EQ(s().projekt().autoSave().budget(), 300);
    EXPECT_TRUE(s().projekt().autoSave().laeuft());
    // Automatic saving switched off in the dialog: no countdown afterwards.
    mitDialog(
        QStringLiteral("k_Einstellform"), [this] { fenster->einstellungenMenu(); },
        [](QDialog* d) {
            d->findChild<QCheckBox*>(QStringLiteral("AutoSave"))->setChecked(false);
            d->accept();
        });
    EXPECT_FALSE(s().projekt().autoSave().laeuft());
    EXPECT_EQ(fenster->aktion(QStringLiteral("Sichern"))->text(), QStringLiteral("Sichern (-)"));
}

TEST_F(MainWindow, DensityDialogEntersTheAirDensityOfTheLine) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1"));
    mitDialog(
        QStringLiteral("DichteDialog"), [this] { fenster->dichteBerechnen(); },
        [](QDialog* d) {
            auto* t = d->findChild<QDoubleSpinBox*>(QStringLiteral("Temperatur"));
            auto* phi = d->findChild<QDoubleSpinBox*>(QStringLiteral("Feuchte"));
            EXPECT_EQ(t->value(), 20);
            EXPECT_EQ(phi->value(), 80);
            EXPECT_EQ(t->minimum(), -50);
            EXPECT_EQ(phi->maximum(), 100);
            t->setValue(0);
            phi->setValue(50);
            d->accept();
        });
    const QString erwartet = formatZahlOhneGruppen(luftdichte(50, 0), 3);
    EXPECT_EQ(feld<QLineEdit>("Dichte")->text(), erwartet);
    EXPECT_EQ(s().editDaten().p[1], erwartet);
    EXPECT_NE(erwartet, QStringLiteral("1,200"));
    // Cancelled: nothing entered.
    mitDialog(
        QStringLiteral("DichteDialog"), [this] { fenster->dichteBerechnen(); },
        [](QDialog* d) { d->reject(); });
    EXPECT_EQ(feld<QLineEdit>("Dichte")->text(), erwartet);
}

TEST_F(MainWindow, CalculateButtonReportsTheBufferedComponent) {
    fenster->start();
    tmylistitem* bogen = at("1.5.2");
    fenster->knotenAuswaehlen(bogen);
    const QString ergebnis = feld<QLabel>("ErgebnisLabel")->text();
    EXPECT_TRUE(ergebnis.endsWith(QStringLiteral("[Pa]"))) << ergebnis.toStdString();
    ASSERT_TRUE(feld<QPushButton>("BerechnenBtn")->isEnabled());
    QTest::mouseClick(feld<QPushButton>("BerechnenBtn"), Qt::LeftButton);
    ASSERT_EQ(berichte, 1);
    EXPECT_FALSE(bericht.isEmpty());
    // "&drucken" shows the same document again.
    QTest::mouseClick(feld<QPushButton>("DruckenBtn"), Qt::LeftButton);
    EXPECT_EQ(berichte, 2);
    // A component in planning cannot be calculated.
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteRohr);
    EXPECT_TRUE(s().editDaten().planung);
    EXPECT_FALSE(feld<QPushButton>("BerechnenBtn")->isEnabled());
}

TEST_F(MainWindow, PlanningCheckBoxOfTheDuctPageKeepsTheSizes) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    auto* planung = feld<QCheckBox>("KanalPlanung");
    ASSERT_FALSE(s().editDaten().planung);
    // On the box itself (the check box is as wide as its column).
    const QPoint box(8, planung->height() / 2);
    QTest::mouseClick(planung, Qt::LeftButton, {}, box);
    EXPECT_TRUE(s().editDaten().planung);
    QTest::mouseClick(planung, Qt::LeftButton, {}, box);
    EXPECT_FALSE(s().editDaten().planung);
    EXPECT_EQ(feld<Zahlenfeld>("KanalBreite")->wert(), s().editDaten().i[0]);
    EXPECT_GT(s().editDaten().i[0], 0);
    EXPECT_FALSE(feld<QLabel>("KanalGeschwindigkeit")->text().isEmpty());
}

TEST_F(MainWindow, RoomPageShowsItsSlotsAndTheSpectrumButtons) {
    fenster->start();
    tmylistitem* raum = at("1.5.5");
    ASSERT_EQ(nodeDaten(raum)->typ, int(typRaum));
    fenster->knotenAuswaehlen(raum);
    EXPECT_EQ(feld<QLabel>("FormtText0")->text(), QStringLiteral("Raumvolumen"));
    EXPECT_EQ(feld<QLabel>("FormtEinheit0")->text(), QStringLiteral("[m³]"));
    // Slot 2 is the text "Kennung" (p2), slot 5 has one decimal.
    EXPECT_TRUE(feld<QLineEdit>("FormtP2")->isVisibleTo(fenster.get()));
    EXPECT_FALSE(feld<Zahlenfeld>("Formt2")->isVisibleTo(fenster.get()));
    EXPECT_EQ(feld<QLineEdit>("FormtP2")->text(), nodeDaten(raum)->p[2]);
    EXPECT_EQ(feld<Zahlenfeld>("Formt5")->text(), formatZahlOhneGruppen(nodeDaten(raum)->i[5], 1));
    auto* spektrum = feld<QPushButton>("Spektrum3");
    EXPECT_TRUE(spektrum->isVisibleTo(fenster.get()));
    EXPECT_TRUE(spektrum->isEnabled());
    // The room's second list: the radiation angle.
    EXPECT_EQ(feld<QListWidget>("FormBox2")->item(1)->text(), QStringLiteral("Abstrahlwinkel 45°"));
    // A bend has no spectrum.
    fenster->knotenAuswaehlen(at("1.5.2"));
    EXPECT_FALSE(spektrum->isVisibleTo(fenster.get()));
    // The room's identifier edited on the page goes into p2.
    fenster->knotenAuswaehlen(raum);
    QTest::keyClicks(feld<QLineEdit>("FormtP2"), QStringLiteral("a"));
    EXPECT_EQ(s().editDaten().p[2], nodeDaten(raum)->p[2] + QStringLiteral("a"));
}

TEST_F(MainWindow, ExtractGrilleInASupplyLineLeavesNoType) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteFormstueck);
    fenster->typListeGewaehlt(QStringLiteral("Abluftgitter"));
    EXPECT_EQ(s().editDaten().typ, -1);
    EXPECT_EQ(fenster->statusText(3),
              QStringLiteral("Bauteil kann nur im Abluft eingebaut werden."));
    // In the extract line it is taken.
    fenster->knotenAuswaehlen(at("2.1"));
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteFormstueck);
    fenster->typListeGewaehlt(QStringLiteral("Abluftgitter"));
    EXPECT_EQ(s().editDaten().typ, int(typAbluftgitter));
    // A group caption chooses nothing; without a selected node the message box says why.
    fenster->typListeGewaehlt(QStringLiteral("Verzweigung"));
    EXPECT_EQ(s().editDaten().typ, int(typAbluftgitter));
    fenster->knotenAuswaehlen(nullptr);
    fenster->typListeGewaehlt(QStringLiteral("Bogen"));
    EXPECT_EQ(fragen.value(0), QStringLiteral("Bitte zuerst Position im Strang auswählen."));
}

TEST_F(MainWindow, MaterialsAreChosenInTheListOrReportedMissing) {
    fenster->start();
    tmylistitem* kanal = at("1.2");
    ASSERT_EQ(nodeDaten(kanal)->typ, int(typKanal));
    nodeDaten(kanal)->p[2] = QStringLiteral("Beton");
    fenster->knotenAuswaehlen(kanal);
    EXPECT_EQ(fenster->seiten()->currentIndex(), int(Tk_DVform::SeiteKanal));
    EXPECT_EQ(feld<QTreeWidget>("KanalBox")->currentItem()->text(0), QStringLiteral("Beton"));
    EXPECT_EQ(feld<QTreeWidget>("KanalBox")->currentItem()->text(1), QStringLiteral("2,00"));
    EXPECT_TRUE(fragen.isEmpty());
    // The pipe list has no "Beton"; a name nobody knows is reported by name.
    nodeDaten(kanal)->p[2] = QStringLiteral("Gold");
    fenster->knotenAuswaehlen(kanal);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0], QStringLiteral("Material \"Gold\" nicht gefunden."));
    EXPECT_EQ(feld<QTreeWidget>("KanalBox")->topLevelItemCount(), 7);
    EXPECT_EQ(feld<QTreeWidget>("RohrBox")->topLevelItemCount(), 4);
    EXPECT_EQ(feld<QTreeWidget>("RohrBox")->topLevelItem(3)->text(0),
              QStringLiteral("flexibler Schlauch"));
}

TEST_F(MainWindow, LongPositionsAreShortenedInTheStatusBar) {
    fenster->start();
    ProjektBaum& b = s().baum();
    b.Clear();
    tmylistitem* n = b.Add(QStringLiteral("kopf"));
    nodeDaten(n)->typ = typZuluft;
    // 1.12.3.4.5.6.7.8.9.10
    const int kinder[] = {12, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int k : kinder) {
        tmylistitem* letztes = nullptr;
        for (int i = 0; i < k; ++i) letztes = b.AddChild(n, QStringLiteral("x"));
        nodeDaten(letztes)->typ = typKanal;
        n = letztes;
    }
    ASSERT_EQ(n->position(), QStringLiteral("1.12.3.4.5.6.7.8.9.10"));
    fenster->knotenAuswaehlen(n);
    EXPECT_EQ(fenster->statusText(0), QStringLiteral("Position: ...4.5.6.7.8.9.10"));
    fenster->knotenAuswaehlen(n->parent()->parent()->parent()->parent()->parent()->parent());
    EXPECT_EQ(fenster->statusText(0), QStringLiteral("Position: 1.12.3.4"));
}

TEST_F(MainWindow, AutomaticSaveAfterFiveMinutesOfTicks) {
    einstellungen().setAutoSave(true);
    fenster->start();
    QAction* sichern = fenster->aktion(QStringLiteral("Sichern"));
    ASSERT_NE(sichern, nullptr);
    EXPECT_EQ(sichern->text(), QStringLiteral("Sichern (-)"));
    tmylistitem* bogen = at("1.5.2");
    fenster->knotenAuswaehlen(bogen);
    feld<QListWidget>("FormBox1")->setCurrentRow(1);
    ASSERT_TRUE(fenster->uebernehmenClick());
    EXPECT_EQ(sichern->text(), QStringLiteral("Sichern (5 Min.)"));
    const QString temp = s().projekt().tempDatei();
    // 59 ticks of 5 seconds: not yet.
    for (int t = 0; t < 59; ++t) fenster->SavetimerTimer();
    EXPECT_FALSE(QFile::exists(temp));
    fenster->SavetimerTimer();
    EXPECT_TRUE(QFile::exists(temp)) << temp.toStdString();
    EXPECT_TRUE(s().geaendert()); // the project itself is not saved
}

TEST_F(MainWindow, ShiftOnTheButtonComputesOnlyTheSelectedLine) {
    fenster->start();
    const auto zeilenMit = [this](const QString& text) {
        int n = 0;
        for (const QString& z : bericht) n += z.contains(text) ? 1 : 0;
        return n;
    };
    fenster->knotenAuswaehlen(at("1.8"));
    QTest::mouseClick(feld<QPushButton>("DruckverlustBtn"), Qt::LeftButton);
    ASSERT_EQ(berichte, 1);
    const int alle = zeilenMit(QStringLiteral("Abluft"));
    EXPECT_GT(alle, 0);
    QTest::mouseClick(feld<QPushButton>("DruckverlustBtn"), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(berichte, 2);
    EXPECT_EQ(zeilenMit(QStringLiteral("Abluft")), 0);
    EXPECT_GT(zeilenMit(QStringLiteral("Zuluft")), 0);
    // F8 is the same as Shift on the button; the menu's F7 computes every line.
    fenster->aktion(QStringLiteral("Druckverlustberechnung nur vom ausgewählten Strang"))
        ->trigger();
    EXPECT_EQ(zeilenMit(QStringLiteral("Abluft")), 0);
    fenster->aktion(QStringLiteral("Druckverlustberechnung"))->trigger();
    EXPECT_EQ(zeilenMit(QStringLiteral("Abluft")), alle);
}

TEST_F(MainWindow, ChangedProjectIsNotDroppedByOpenNewOrClose) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.2"));
    feld<QListWidget>("FormBox1")->setCurrentRow(1);
    ASSERT_TRUE(fenster->uebernehmenClick());
    const QStringList geaendert = baumText();
    oeffnen = benutzer.filePath(QStringLiteral("Beispiel.pro"));

    // "Laden...": keep the window's project with the third answer.
    antworten = {2};
    EXPECT_FALSE(fenster->ladenMenu());
    EXPECT_EQ(fragen.last(), QStringLiteral("Das Projekt wurde verändert."));
    EXPECT_EQ(fragenKnoepfe.last(), QStringLiteral("speichern|nicht speichern|A"));
    EXPECT_EQ(baumText(), geaendert);
    // "Hinzufügen...": the same question first.
    antworten = {2};
    EXPECT_FALSE(fenster->hinzufuegenMenu());
    EXPECT_EQ(fragen.last(), QStringLiteral("Das Projekt wurde verändert."));
    EXPECT_EQ(baumText(), geaendert);
    // "Neu...": yes, then keep.
    antworten = {0, 2};
    EXPECT_FALSE(fenster->neuMenu());
    EXPECT_EQ(baumText(), geaendert);
    // Closing: keep the window open.
    antworten = {2};
    EXPECT_FALSE(fenster->close());
    // "nicht speichern" drops the changes and opens the file.
    antworten = {1};
    EXPECT_TRUE(fenster->ladenMenu());
    EXPECT_NE(baumText(), geaendert);
    EXPECT_FALSE(s().geaendert());
    // "Neu..." on an unchanged project asks only its own question.
    fragen.clear();
    antworten = {0};
    EXPECT_TRUE(fenster->neuMenu());
    EXPECT_EQ(fragen, QStringList{QStringLiteral("Wollen Sie ein neues Projekt anfangen?")});
    EXPECT_EQ(s().baum().count(), 0);
    EXPECT_EQ(fenster->statusText(3), QStringLiteral("neues Projekt"));
    EXPECT_TRUE(s().geaendert());
    EXPECT_FALSE(fenster->seiten()->isTabEnabled(Tk_DVform::SeiteKanal));
}

TEST_F(MainWindow, SearchFindsTheNextNodeOfTheBufferTypeInTheLine) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    QTest::keyClick(fenster.get(), Qt::Key_F3);
    EXPECT_EQ(s().selektiert(), at("1.4"));
    fenster->suchen();
    EXPECT_EQ(s().selektiert(), at("1.5.1")); // into the branch
    fenster->suchen();
    EXPECT_EQ(s().selektiert(), at("1.5.3"));
    fenster->suchen();
    EXPECT_EQ(s().selektiert(), at("1.6")); // out of it
    fenster->suchen();
    EXPECT_EQ(s().selektiert(), at("1.2")); // round again, never into the next line
}

TEST_F(MainWindow, CtrlRightClickOnTheButtonBarRevealsTheHiddenCommands) {
    fenster->start();
    QWidget* leiste = fenster->findChild<QWidget*>(QStringLiteral("Knopfleiste"));
    ASSERT_NE(leiste, nullptr);
    QTest::mouseClick(leiste, Qt::RightButton);
    EXPECT_FALSE(feld<QPushButton>("BauteilBtn")->isVisibleTo(fenster.get()));
    QTest::mouseClick(leiste, Qt::RightButton, Qt::ControlModifier);
    EXPECT_TRUE(feld<QPushButton>("BauteilBtn")->isVisibleTo(fenster.get()));
    EXPECT_TRUE(fenster->aktion(QStringLiteral("Komponenten überschreiben..."))->isVisible());
    EXPECT_FALSE(feld<QPushButton>("AufmassBtn")->isVisibleTo(fenster.get()));
    // The revealed button opens the catalogue editor with its tree expanded.
    int eintraege = 0;
    mitDialog(
        QStringLiteral("Bauteilform"),
        [this] { QTest::mouseClick(feld<QPushButton>("BauteilBtn"), Qt::LeftButton); },
        [&eintraege](QDialog* d) {
            auto* baum = d->findChild<QTreeView*>(QStringLiteral("Baum"));
            eintraege = baum->model()->rowCount();
            EXPECT_TRUE(baum->isExpanded(baum->model()->index(0, 0)));
            d->reject();
        });
    EXPECT_EQ(eintraege, 4); // "Lüftung", "Kälte", "Heizung", "-"
}

TEST_F(MainWindow, LinePageInsertsANewLineAndRefusesADuplicate) {
    fenster->start();
    const int linien = s().baum().topCount();
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteKanal);
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteStrang);
    auto* art = feld<QComboBox>("StrangArt");
    EXPECT_EQ(art->currentIndex(), -1);
    art->setCurrentIndex(1);
    emit art->activated(1);
    QTest::keyClicks(feld<QLineEdit>("Kennung"), QStringLiteral("Nord"));
    ASSERT_TRUE(feld<QPushButton>("EinfuegenBtn")->isEnabled());
    antworten = {0};
    ASSERT_TRUE(fenster->einfuegenClick());
    EXPECT_EQ(s().baum().topCount(), linien + 1);
    // The same key again: no second line.
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteKanal);
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteStrang);
    art->setCurrentIndex(1);
    emit art->activated(1);
    QTest::keyClicks(feld<QLineEdit>("Kennung"), QStringLiteral("Nord"));
    EXPECT_FALSE(feld<QPushButton>("EinfuegenBtn")->isEnabled());
}

} // namespace
} // namespace zephan::testing
