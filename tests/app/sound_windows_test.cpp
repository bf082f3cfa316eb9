// The sound inputs of the main window driven as a user does: the sound preset, the room
// spectrum, the reverberation times per band, the rooms overview and the flow-noise report.
#include "app_fixture.h"
#include "support/test_context.h"

#include "acoustics/stroemungsgeraeusch.h"
#include "app/number_field.h"
#include "app/raum_fenster.h"
#include "app/raumband_fenster.h"
#include "app/schallvorgabe_fenster.h"
#include "app/spektrum_balken.h"
#include "bands/pegel.h"
#include "pressure/calc_context.h"
#include "store/number_format.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>

namespace zephan::testing {
namespace {

using SoundWindows = Fenster;

// Runs `aktion` while a timer works the modal dialog named `name` once it is the active modal
// window (the same way as the main window's tests).
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

void tippen(Zahlenfeld* f, const QString& text) {
    f->clear();
    QTest::keyClicks(f, text);
}

// A double click as the view receives it: press, release, double click, release (sent
// directly, so no double-click interval of the platform decides).
void doppelklick(QWidget* w, QPoint pos) {
    const QPointF global = w->mapToGlobal(QPointF(pos));
    const auto senden = [&](QEvent::Type t, Qt::MouseButtons knoepfe) {
        QMouseEvent e(t, QPointF(pos), global, Qt::LeftButton, knoepfe, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    senden(QEvent::MouseButtonPress, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, Qt::NoButton);
    senden(QEvent::MouseButtonDblClick, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, Qt::NoButton);
}

void ok(QDialog* d) {
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Okbutton")), Qt::LeftButton);
}

TEST_F(SoundWindows, SoundPresetRefusesAFieldOutOfRangeAndIsOneUndoStep) {
    fenster->start();
    tmylistitem* fan = at("1.3");
    fenster->knotenAuswaehlen(fan);
    auto* box = feld<QCheckBox>("SchallCheck");
    auto* knopf = feld<QPushButton>("SchallBtn");
    ASSERT_TRUE(knopf->isVisibleTo(fenster.get()));
    ASSERT_TRUE(knopf->isEnabled());
    EXPECT_FALSE(box->isChecked());
    bool nochOffen = false;
    mitDialog(
        QStringLiteral("k_Schallvorgabeform"), [&] { QTest::mouseClick(knopf, Qt::LeftButton); },
        [&](QDialog* d) {
            auto* f = static_cast<Tk_Schallvorgabeform*>(d);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Schallwerte vorgeben"));
            // A component without presets: empty fields, both rows off.
            EXPECT_TRUE(f->peg()[0]->text().isEmpty());
            EXPECT_FALSE(f->checkG()->isChecked());
            EXPECT_FALSE(f->peg()[0]->isEnabled());
            QTest::mouseClick(f->checkG(), Qt::LeftButton, {},
                              QPoint(6, f->checkG()->height() / 2));
            ASSERT_TRUE(f->checkG()->isChecked());
            EXPECT_TRUE(f->peg()[0]->isEnabled());
            EXPECT_FALSE(f->ped()[0]->isEnabled());
            const char* werte[] = {"250", "72", "74,5", "71", "68", "64", "-5"};
            for (int k = 0; k < 7; ++k)
                tippen(f->peg()[static_cast<size_t>(k)], QString::fromLatin1(werte[k]));
            // The bars follow the table.
            EXPECT_EQ(f->balken()->werte(0)[2], 74.5);
            EXPECT_GT(f->balken()->balkenHoehe(0, 1), 0);
            EXPECT_LT(f->balken()->balkenHoehe(0, 6), 0); // -5 dB hangs below the base line
            EXPECT_EQ(f->balken()->balkenHoehe(1, 0), 0); // an empty band draws no bar
            ok(d);
            nochOffen = d->isVisible();
            tippen(f->peg()[0], QStringLiteral("70"));
            ok(d);
        });
    EXPECT_TRUE(nochOffen);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0], QStringLiteral("Der Wert im Feld \"Geräusch 63 Hz\" ist nicht möglich "
                                        "(zulässig: -20 bis 199 dB)."));
    const DVdata& d = *nodeDaten(fan);
    EXPECT_EQ(d.schall, 1);
    EXPECT_EQ(d.sg[0], 70);
    EXPECT_EQ(d.sg[2], 74.5);
    EXPECT_EQ(d.sg[6], 0); // -5 is stored as 0
    EXPECT_EQ(d.sd[0], 0);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(s().geaendert());
    EXPECT_TRUE(fenster->windowTitle().endsWith(QStringLiteral(" *")));

    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(nodeDaten(fan)->schall, 0);
    EXPECT_EQ(nodeDaten(fan)->sg[0], -1);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(s().geaendert());
    ASSERT_TRUE(fenster->wiederholen());
    EXPECT_EQ(nodeDaten(fan)->sg[0], 70);
    EXPECT_TRUE(box->isChecked());

    // Cancel leaves everything as it was; the box shows the preset still.
    const int schritte = s().undoStack().anzahl();
    mitDialog(
        QStringLiteral("k_Schallvorgabeform"), [&] { QTest::mouseClick(box, Qt::LeftButton); },
        [&](QDialog* dlg) {
            auto* f = static_cast<Tk_Schallvorgabeform*>(dlg);
            EXPECT_TRUE(f->checkG()->isChecked());
            EXPECT_EQ(f->peg()[0]->text(), QStringLiteral("70,0"));
            dlg->reject();
        });
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(s().undoStack().anzahl(), schritte);
}

TEST_F(SoundWindows, RoomSpectrumPutsTheEnergeticTotalIntoTheRoomLevel) {
    fenster->start();
    tmylistitem* raum = at("1.8");
    fenster->knotenAuswaehlen(raum);
    auto* slot3 = feld<Zahlenfeld>("Formt3");
    EXPECT_TRUE(slot3->isEnabled());
    mitDialog(
        QStringLiteral("k_SchallRaumSpektrumform"),
        [&] { QTest::mouseClick(feld<QPushButton>("Spektrum3"), Qt::LeftButton); },
        [&](QDialog* d) {
            auto* f = static_cast<Tk_RaumBandform*>(d);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Raumschallpegel angeben [dB A]"));
            EXPECT_EQ(f->checkG()->text(), QStringLiteral("genaue Vorgabe"));
            EXPECT_EQ(f->mittetxt()->text(), QStringLiteral("40"));
            EXPECT_TRUE(f->mittetxt()->isEnabled());
            f->checkG()->click();
            EXPECT_FALSE(f->mittetxt()->isEnabled());
            // Checked with empty bands: OK names the first one.
            ok(d);
            EXPECT_TRUE(d->isVisible());
            for (Zahlenfeld* z : f->peg()) tippen(z, QStringLiteral("40"));
            EXPECT_EQ(f->mittetxt()->text(), QStringLiteral("48,45"));
            ok(d);
        });
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0],
              QStringLiteral("Das Feld \"Raumschallpegel 63 Hz\" darf nicht leer sein."));
    EXPECT_EQ(nodeDaten(raum)->i[3], 48);
    EXPECT_TRUE(nodeDaten(raum)->raumSpektrumangabe);
    EXPECT_EQ(nodeDaten(raum)->RaumSpektrum[4], 40);
    EXPECT_EQ(slot3->text(), QStringLiteral("48"));
    EXPECT_FALSE(slot3->isEnabled()); // the spectrum is in force
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(nodeDaten(raum)->i[3], 40);
    EXPECT_FALSE(nodeDaten(raum)->raumSpektrumangabe);
    EXPECT_TRUE(slot3->isEnabled());
    EXPECT_EQ(slot3->text(), QStringLiteral("40"));
}

TEST_F(SoundWindows, ReverberationPerBandGivesTheMeanTime) {
    fenster->start();
    tmylistitem* raum = at("2.4");
    fenster->knotenAuswaehlen(raum);
    mitDialog(
        QStringLiteral("k_NachHallzeitvorgabeform"),
        [&] { QTest::mouseClick(feld<QPushButton>("Spektrum4"), Qt::LeftButton); },
        [&](QDialog* d) {
            auto* f = static_cast<Tk_RaumBandform*>(d);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("genaue Nachhallzeit angeben [msek]"));
            f->checkG()->click();
            const char* t[] = {"1200", "1100", "1000", "1000", "900", "900", "800"};
            for (int k = 0; k < 7; ++k)
                tippen(f->peg()[static_cast<size_t>(k)], QString::fromLatin1(t[k]));
            EXPECT_EQ(f->mittetxt()->text(), QStringLiteral("985,7"));
            EXPECT_EQ(f->balken()->werte(0)[0], 1200);
            ok(d);
        });
    EXPECT_TRUE(fragen.isEmpty());
    const DVdata& d = *nodeDaten(raum);
    EXPECT_EQ(d.i[4], 986);
    EXPECT_TRUE(d.nachhallzeitangabe);
    EXPECT_EQ(d.nachhallzeit[1], 1100);
    EXPECT_FALSE(feld<Zahlenfeld>("Formt4")->isEnabled());
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_FALSE(nodeDaten(raum)->nachhallzeitangabe);
    EXPECT_EQ(nodeDaten(raum)->nachhallzeit[1], -1);
}

TEST_F(SoundWindows, RoomsOverviewSharesRowsEditsFlowsAndLevelsAndJumps) {
    fenster->start();
    // The extract room gets the identifier of supply room "1".
    nodeDaten(at("2.4"))->p[2] = QStringLiteral("1");
    QAction* menu = fenster->aktion(QStringLiteral("Raumübersicht..."));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isEnabled());
    mitDialog(
        QStringLiteral("k_Raumform"), [&] { menu->trigger(); },
        [&](QDialog* d) {
            auto* f = static_cast<Tk_Raumform*>(d);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Raumübersicht"));
            EXPECT_EQ(f->label1()->text(), QStringLiteral("Räume: 2"));
            QTreeWidget* v = f->view();
            ASSERT_EQ(v->topLevelItemCount(), 2);
            QTreeWidgetItem* eins = v->topLevelItem(1);
            EXPECT_EQ(eins->text(0), QStringLiteral("1"));
            for (int c = 1; c < 5; ++c) EXPECT_FALSE(eins->text(c).isEmpty()) << c;
            EXPECT_EQ(eins->text(1), QStringLiteral("1.000"));
            EXPECT_FALSE(f->btnZu()->isEnabled());
            v->setCurrentItem(eins);
            EXPECT_TRUE(f->btnZu()->isEnabled());
            EXPECT_TRUE(f->btnAb()->isEnabled());
            v->setCurrentItem(v->topLevelItem(0));
            EXPECT_FALSE(f->btnAb()->isEnabled());

            // A double click on "Vol. Zu" of row "1" asks for the volume flow.
            v->setCurrentItem(eins);
            const QRect zelle = v->visualRect(v->model()->index(1, 1));
            mitDialog(
                QStringLiteral("Raumeingabe"), [&] { doppelklick(v->viewport(), zelle.center()); },
                [&](QDialog* e) {
                    auto* in = static_cast<QInputDialog*>(e);
                    EXPECT_EQ(in->windowTitle(), QStringLiteral("Volumenstrom ändern"));
                    EXPECT_EQ(in->labelText(), QStringLiteral("Zuluft m³/h"));
                    EXPECT_EQ(in->intValue(), 1000);
                    in->setIntValue(850);
                    in->accept();
                });
            EXPECT_EQ(eins->text(1), QStringLiteral("850"));
            // "dB Ab": the extract room's level.
            mitDialog(
                QStringLiteral("Raumeingabe"), [&] { f->zelleBearbeiten(1, RaumSpalte::DbAb); },
                [&](QDialog* e) {
                    auto* in = static_cast<QInputDialog*>(e);
                    EXPECT_EQ(in->labelText(), QStringLiteral("Abluft db(A)"));
                    in->setIntValue(32);
                    in->accept();
                });
            EXPECT_EQ(eins->text(4), QStringLiteral("32"));
            // "Raum AB" selects the extract room in the main window; the overview stays.
            QTest::mouseClick(f->btnAb(), Qt::LeftButton);
            EXPECT_EQ(s().selektiert(), at("2.4"));
            EXPECT_TRUE(d->isVisible());
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Okbutton1")),
                              Qt::LeftButton);
        });
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 850);
    EXPECT_EQ(nodeDaten(at("2.4"))->i[3], 32);
    EXPECT_TRUE(s().geaendert());
    // The selected room's page shows the new level.
    EXPECT_EQ(feld<Zahlenfeld>("Formt3")->text(), QStringLiteral("32"));
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(nodeDaten(at("2.4"))->i[3], 40);
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 1000);
    ASSERT_TRUE(fenster->wiederholen());
    EXPECT_EQ(nodeDaten(at("1.7"))->i[3], 850);
}

TEST_F(SoundWindows, F9ShowsTheFlowNoiseReportOfTheSelectedComponent) {
    fenster->start();
    tmylistitem* kanal = at("1.2");
    fenster->knotenAuswaehlen(kanal);
    EXPECT_TRUE(feld<QPushButton>("SBtn")->isEnabled());
    QAction* f9 = fenster->aktion(QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil"));
    ASSERT_NE(f9, nullptr);
    EXPECT_EQ(f9->shortcut(), QKeySequence(Qt::Key_F9));
    f9->trigger();
    ASSERT_EQ(berichte, 1);
    EXPECT_TRUE(bericht.contains(QStringLiteral("Strömungsgeräusch für Kanäle (Abschnitt 5.2.1)")));
    const TPegel p = stroemungsgeraeusch(kanal, 0, testKontext());
    double summe = 0;
    for (int k = 0; k < bandAnzahl; ++k)
        summe +=
            std::pow(10, (p[static_cast<size_t>(k)] + aBewertung[static_cast<size_t>(k)]) / 10);
    EXPECT_TRUE(bericht.contains(QStringLiteral("A-bewerteter Schallleistungspegel "
                                                "L°(sub WA°(-sub  = ") +
                                 formatZahl(10 * std::log10(summe), 1) + QStringLiteral(" dB(A)")));
    EXPECT_FALSE(s().geaendert());
    // A line head has no flow noise: a message, no report.
    fenster->knotenAuswaehlen(at("1"));
    f9->trigger();
    EXPECT_EQ(berichte, 1);
    EXPECT_EQ(fenster->statusText(3),
              QStringLiteral("Für dieses Bauteil wird kein Strömungsgeräusch berechnet."));
}

} // namespace
} // namespace zephan::testing
