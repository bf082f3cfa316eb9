// The bill of quantities from the menu and the window "Komponenten überschreiben", driven as a
// user drives them.

#include "app/ueberschreib_fenster.h"
#include "app_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace zephan::testing {
namespace {

using Massen = Fenster;

template <class T> T* im(QWidget* w, const char* name) {
    T* t = w->findChild<T*>(QLatin1String(name));
    EXPECT_NE(t, nullptr) << name;
    return t;
}

std::vector<double> laengen(EditSession& s) {
    std::vector<double> l;
    for (tmylistitem* n = s.baum().topitem(); n; n = n->getNext())
        if (nodeDaten(n)->typ == 2) l.push_back(nodeDaten(n)->i[5]);
    return l;
}

TEST_F(Massen, MenuShowsTheBillOfQuantitiesOfTheExample) {
    fenster->start();
    QAction* a = fenster->aktion(QStringLiteral("Massenauszug"));
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isEnabled());
    a->trigger();
    EXPECT_EQ(berichte, 1);
    EXPECT_TRUE(bericht.contains(QStringLiteral("°ÜKanallängen")));
    EXPECT_TRUE(bericht.contains(QStringLiteral("°ÜFormstücke / Einzelbauteile")));
    EXPECT_FALSE(bericht.filter(QStringLiteral("Stk")).isEmpty());
    // An empty project: the message and no report.
    antworten = {1}; // "nicht speichern" if asked
    fenster->session().neu();
    fragen.clear();
    a->trigger();
    EXPECT_EQ(berichte, 1);
    EXPECT_TRUE(fragen.contains(QStringLiteral("Es existiert kein Strang.")));
}

TEST_F(Massen, CsvGoesToTheChosenFile) {
    fenster->start();
    sichernUnter = daten.filePath(QStringLiteral("massen.csv"));
    EXPECT_TRUE(fenster->massenauszugCsvMenu());
    QFile f(sichernUnter);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    EXPECT_TRUE(b.startsWith("\xEF\xBB\xBFGruppe;Abschnitt;Bezeichnung;Menge;Einheit\r\n"));
    EXPECT_TRUE(b.contains(";Kanall\xC3\xA4ngen;Kanal, "));
    // Cancelled dialog: nothing written.
    sichernUnter.clear();
    EXPECT_FALSE(fenster->massenauszugCsvMenu());
}

TEST_F(Massen, OverwriteSetsTheLengthOfEveryDuctOfTheLineAsOneUndoStep) {
    fenster->start();
    QAction* a = fenster->aktion(QStringLiteral("Komponenten überschreiben..."));
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->isVisible());
    fenster->versteckteZeigen();
    EXPECT_TRUE(a->isVisible());
    EXPECT_TRUE(a->isEnabled());

    const std::vector<double> vorher = laengen(s());
    ASSERT_EQ(vorher.size(), 5u);
    fenster->knotenAuswaehlen(at("1.5.1"));
    a->trigger();
    Tk_AllSetform* w = fenster->allSetform();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(im<QLabel>(w, "Komponente")->text(), QStringLiteral("Kanal"));
    // The length row shows the buffer's value; rows without caption are disabled.
    EXPECT_EQ(im<QLineEdit>(w, "Wert5")->text(),
              QString::number(static_cast<int>(nodeDaten(at("1.5.1"))->i[5])));
    EXPECT_FALSE(im<QCheckBox>(w, "Zeile6")->isEnabled());
    EXPECT_EQ(im<QComboBox>(w, "PlanungErgebnis")->currentIndex(), 0);

    im<QCheckBox>(w, "Zeile5")->setChecked(true);
    im<QLineEdit>(w, "Wert5")->setText(QStringLiteral("2500"));
    im<QCheckBox>(w, "Nachfragen")->setChecked(false);
    QTest::mouseClick(im<QPushButton>(w, "Setzen"), Qt::LeftButton);
    EXPECT_EQ(laengen(s()), std::vector<double>(5, 2500));
    EXPECT_TRUE(s().geaendert());
    EXPECT_EQ(fenster->statusText(3), QStringLiteral("5 Bauteile überschrieben."));
    // The page of the selected duct shows the new length.
    EXPECT_EQ(s().editDaten().i[5], 2500);

    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_EQ(laengen(s()), vorher);
    EXPECT_FALSE(s().kannRueckgaengig());
    ASSERT_TRUE(fenster->wiederholen());
    EXPECT_EQ(laengen(s()), std::vector<double>(5, 2500));
    QTest::mouseClick(im<QPushButton>(w, "Abbruch"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Massen, OverwriteAsksPerComponentAndCancelKeepsWhatWasDone) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    fenster->Allesetzen1Click();
    Tk_AllSetform* w = fenster->allSetform();
    ASSERT_TRUE(w->isVisible());
    EXPECT_TRUE(im<QCheckBox>(w, "Nachfragen")->isChecked());
    im<QCheckBox>(w, "Zeile0")->setChecked(true);
    im<QLineEdit>(w, "Wert0")->setText(QStringLiteral("630"));
    // Main and end sections: 1.2 Yes, 1.4 No, 1.5.1 Cancel; 1.5.3 and 1.6 are not reached.
    im<QCheckBox>(w, "Verzweigung")->setChecked(false);
    fragen.clear();
    antworten = {0, 1, 2};
    QTest::mouseClick(im<QPushButton>(w, "Setzen"), Qt::LeftButton);
    EXPECT_EQ(fragen.count(QStringLiteral("Bauteil überschreiben?")), 3);
    EXPECT_EQ(nodeDaten(at("1.2"))->i[0], 630);
    EXPECT_NE(nodeDaten(at("1.4"))->i[0], 630);
    EXPECT_NE(nodeDaten(at("1.5.1"))->i[0], 630);
    EXPECT_NE(nodeDaten(at("1.6"))->i[0], 630);
    // The run ends where it began.
    EXPECT_EQ(s().selektiert(), at("1.2"));
    ASSERT_TRUE(fenster->rueckgaengig());
    EXPECT_NE(nodeDaten(at("1.2"))->i[0], 630);
}

TEST_F(Massen, TheProjectPageNamesTheGroupFields) {
    fenster->start();
    EXPECT_EQ(feld<QCheckBox>("MassenauszugMitGruppen")->text(),
              QStringLiteral("Gruppen bei Massenauszug berücksichtigen"));
}

} // namespace
} // namespace zephan::testing
