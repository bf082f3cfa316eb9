// "Welcher Volumenstrom stellt sich ein..." from the menu, as a user runs it on the example:
// the progress window with its own text, the report, a cancel, and a project left as it was.
#include "app_fixture.h"

#include "pressure/simulation.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>
#include <QTimer>

namespace zephan::testing {
namespace {

using Simulation = Fenster;

QProgressDialog* fortschrittFenster() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) return p;
    return nullptr;
}

TEST_F(Simulation, MenuShowsBothTablesAndLeavesTheProjectAsItWas) {
    fenster->start();
    QAction* a = fenster->aktion(QStringLiteral("Welcher Volumenstrom stellt sich ein..."));
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isEnabled());
    const QStringList vorher = baumText();
    fenster->knotenAuswaehlen(at("1.6"));
    QString text;
    QTimer::singleShot(0, fenster.get(), [&] {
        if (QProgressDialog* p = fortschrittFenster()) text = p->labelText();
    });
    a->trigger();
    EXPECT_EQ(text, simtext::simuliere);
    ASSERT_EQ(berichte, 1) << fragen.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(fortschrittBeimBericht);
    const QString kopf = s().baum().topLevel(0)->caption();
    EXPECT_TRUE(bericht.contains(QStringLiteral("°Ü") + kopf + simtext::titel))
        << bericht.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(bericht.contains(QStringLiteral("°TK1|0,15,*,-8,-8,-10,-9,-6")));
    EXPECT_TRUE(bericht.contains(simtext::warnung));
    EXPECT_TRUE(bericht.contains(QStringLiteral("°Ü") + simtext::gleichgewicht));
    EXPECT_FALSE(bericht.filter(QStringLiteral("Iterationen: ")).isEmpty());
    EXPECT_TRUE(fragen.isEmpty()) << fragen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(baumText(), vorher);
    EXPECT_FALSE(s().projekt().geaendert());
    EXPECT_FALSE(s().rechnungLaeuft());
    // The next calculation's progress shows its own text again.
    text.clear();
    QTimer::singleShot(0, fenster.get(), [&] {
        if (QProgressDialog* p = fortschrittFenster()) text = p->labelText();
    });
    fenster->druckverlustberechnung(false);
    EXPECT_EQ(text, QStringLiteral("Berechne..."));
}

TEST_F(Simulation, CancelShowsNoReportAndChangesNothing) {
    fenster->start();
    const QStringList vorher = baumText();
    fenster->knotenAuswaehlen(at("2.2"));
    bool abgebrochen = false;
    QTimer::singleShot(0, fenster.get(), [&] {
        if (QProgressDialog* p = fortschrittFenster()) {
            p->cancel();
            abgebrochen = true;
        }
    });
    fenster->WelcherVbtnClick();
    EXPECT_TRUE(abgebrochen);
    EXPECT_EQ(berichte, 0);
    EXPECT_TRUE(fragen.isEmpty()) << fragen.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(fenster->seam().fortschrittOffen());
    EXPECT_EQ(baumText(), vorher);
    EXPECT_FALSE(s().projekt().geaendert());
    EXPECT_FALSE(s().rechnungLaeuft());
}

TEST_F(Simulation, NoSelectionDoesNothingAndAStopIsReported) {
    fenster->start();
    fenster->knotenAuswaehlen(nullptr);
    fenster->WelcherVbtnClick();
    EXPECT_EQ(berichte, 0);
    EXPECT_TRUE(fragen.isEmpty());
    // A component of the line in planning stops the run with the core's message.
    tmylistitem* bogen = at("1.5");
    ASSERT_NE(bogen, nullptr);
    nodeDaten(bogen)->planung = true;
    fenster->knotenAuswaehlen(at("1.2"));
    fenster->WelcherVbtnClick();
    EXPECT_EQ(berichte, 0);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_TRUE(fragen[0].startsWith(QStringLiteral("Bauteil befindet sich noch im Status "
                                                    "Planung.")))
        << fragen[0].toStdString();
    EXPECT_TRUE(fragen[0].endsWith(QStringLiteral("Position: 1.5"))) << fragen[0].toStdString();
}

} // namespace
} // namespace zephan::testing
