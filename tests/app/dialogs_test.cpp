// The settings dialog, the catalogue editor and the message dialog's buttons.
#include "app_fixture.h"

#include "app/catalogue_editor.h"
#include "app/number_field.h"
#include "app/settings_dialog.h"
#include "network/catalogue_tree.h"
#include "network/tree_item_model.h"
#include "store/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace zephan::testing {
namespace {

QStringList eintraege(QListWidget* l) {
    QStringList r;
    for (int k = 0; k < l->count(); ++k) r << l->item(k)->text();
    return r;
}

using SettingsDialog = Fenster;

TEST_F(SettingsDialog, WithoutSettingsFileTheDefaultsAreShownAndWrittenBack) {
    Tk_Einstellform dlg;
    auto* kanal = dlg.findChild<QListWidget*>(QStringLiteral("KanalListe"));
    auto* rohr = dlg.findChild<QListWidget*>(QStringLiteral("RohrListe"));
    ASSERT_TRUE(kanal && rohr);
    EXPECT_EQ(kanal->count(), 17);
    EXPECT_EQ(kanal->item(0)->text(), QStringLiteral("100"));
    EXPECT_EQ(kanal->item(16)->text(), QStringLiteral("2800"));
    EXPECT_EQ(rohr->count(), 34);
    EXPECT_EQ(rohr->item(0)->text(), QStringLiteral("40"));
    EXPECT_EQ(rohr->item(33)->text(), QStringLiteral("2800"));
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QStringLiteral("PaProM"))->text(), QStringLiteral("0,5"));
    // Bands 125, 250, 1000 and 2000 Hz.
    QStringList an;
    for (const char* hz : {"63", "125", "250", "500", "1000", "2000", "4000"})
        if (dlg.findChild<QCheckBox*>(QStringLiteral("Band") + QLatin1String(hz))->isChecked())
            an << QLatin1String(hz);
    EXPECT_EQ(an, (QStringList{"125", "250", "1000", "2000"}));
    // The hidden page stays hidden.
    auto* seiten = dlg.findChild<QTabWidget*>(QStringLiteral("Seiten"));
    EXPECT_EQ(seiten->count(), 4);
    EXPECT_FALSE(seiten->isTabVisible(3));
    EXPECT_EQ(seiten->tabText(3), QStringLiteral("Aufmaß"));

    dlg.accept(); // closing writes the file
    TIniFile2 ini(einstellungsDatei());
    const QString text = ini.ReadString(QStringLiteral("Abmessung"), QStringLiteral("Kanal"));
    EXPECT_EQ(text, QStringLiteral("100|150|200|250|300|400|500|600|800|1000|1200|1400|1600|1800|"
                                   "2000|2500|2800|"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Isolierung"), QStringLiteral("Anzahl"), -1), 5);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Isolierung"), QStringLiteral("Material1")),
              QStringLiteral("Mineralwolle"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Isolierung"), QStringLiteral("Dicke1"), -1), 30);
    // Read again: the same lists, no empty entry.
    Einstellungen e;
    ASSERT_TRUE(einstellungenLaden(e, einstellungsDatei()));
    EXPECT_EQ(e.kanalMasse(), einstellungen().kanalMasse());
    EXPECT_EQ(e.rohrMasse().size(), 34);
}

TEST_F(SettingsDialog, AddingAndRemovingStandardSizes) {
    Tk_Einstellform dlg;
    auto* rohr = dlg.findChild<QListWidget*>(QStringLiteral("RohrListe"));
    auto* mass = dlg.findChild<Zahlenfeld*>(QStringLiteral("Mass"));
    auto* hinzu = dlg.findChild<QPushButton*>(QStringLiteral("RohrHinzu"));
    mass->setText(QStringLiteral("350"));
    QTest::mouseClick(hinzu, Qt::LeftButton);
    QStringList r = eintraege(rohr);
    ASSERT_EQ(r.size(), 35);
    EXPECT_EQ(r.indexOf(QStringLiteral("350")), r.indexOf(QStringLiteral("315")) + 1);
    EXPECT_EQ(r.indexOf(QStringLiteral("355")), r.indexOf(QStringLiteral("350")) + 1);
    EXPECT_EQ(rohr->currentItem()->text(), QStringLiteral("350"));
    // An existing size, 0, an empty field and values outside 10 ... 100000 add nothing.
    for (const char* t : {"350", "0", "", "5", "100001"}) {
        mass->setText(QLatin1String(t));
        QTest::mouseClick(hinzu, Qt::LeftButton);
        EXPECT_EQ(rohr->count(), 35) << t;
    }
    // "löschen" removes every selected entry of its own list only.
    rohr->clearSelection();
    rohr->item(0)->setSelected(true);
    rohr->item(1)->setSelected(true);
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("RohrLoeschen")), Qt::LeftButton);
    EXPECT_EQ(rohr->count(), 33);
    EXPECT_EQ(rohr->item(0)->text(), QStringLiteral("63"));
    EXPECT_EQ(dlg.findChild<QListWidget*>(QStringLiteral("KanalListe"))->count(), 17);
    EXPECT_EQ(einstellungen().rohrMasse().first(), 63);
}

TEST_F(SettingsDialog, OkTakesTheControlsAndAbbrechenPutsEverythingBack) {
    fenster->start();
    Tk_Einstellform dlg;
    // "Abbrechen" leaves the settings as they were, the sizes added to a list too.
    dlg.show();
    const Einstellungen vorher = einstellungen();
    dlg.findChild<QCheckBox*>(QStringLiteral("ImmerPlanen"))->setChecked(!vorher.immerPlanen());
    dlg.findChild<QRadioButton*>(QStringLiteral("NachGefaelle"))->setChecked(true);
    dlg.findChild<QLineEdit*>(QStringLiteral("Mass"))->setText(QStringLiteral("350"));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("RohrHinzu")), Qt::LeftButton);
    ASSERT_NE(einstellungen().rohrMasse(), vorher.rohrMasse());
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("AbbrechenBtn")), Qt::LeftButton);
    EXPECT_EQ(einstellungen().immerPlanen(), vorher.immerPlanen());
    EXPECT_EQ(einstellungen().nachGefaelle(), vorher.nachGefaelle());
    EXPECT_EQ(einstellungen().rohrMasse(), vorher.rohrMasse());

    dlg.show();
    dlg.findChild<QCheckBox*>(QStringLiteral("ImmerPlanen"))->setChecked(false);
    dlg.findChild<QRadioButton*>(QStringLiteral("NachGefaelle"))->setChecked(true);
    EXPECT_TRUE(einstellungen().nachGefaelle()); // at once
    dlg.findChild<QCheckBox*>(QStringLiteral("Band63"))->setChecked(true);
    dlg.findChild<QCheckBox*>(QStringLiteral("Band125"))->setChecked(false);
    dlg.findChild<QSpinBox*>(QStringLiteral("RaumdB"))->setValue(35);
    EXPECT_TRUE(einstellungen().immerPlanen()); // only when closed with "OK"
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("OkBtn")), Qt::LeftButton);
    EXPECT_FALSE(einstellungen().immerPlanen());
    EXPECT_EQ(einstellungen().raumdB(), 35);
    EXPECT_EQ(einstellungen().schallText(), QStringLiteral("63,250,1K,2K,"));
    // The duct page then captions its design field by gradient.
    fenster->knotenAuswaehlen(at("1.2"));
    EXPECT_EQ(feld<QLabel>("KanalAuslegungText")->text(), QStringLiteral("Rohrreibungsgefälle"));
    EXPECT_EQ(feld<QLabel>("KanalAuslegungEinheit")->text(), QStringLiteral("[Pa/m]"));
}

using CatalogueEditor = Fenster;

tmylistitem* eintragMitTyp(Bauteilkatalog& k, int typ) {
    for (tmylistitem* n = k.baum().topitem(); n; n = n->getNext())
        if (n->Level() > 0 && Bauteilkatalog::eintrag(n) && Bauteilkatalog::eintrag(n)->typ == typ)
            return n;
    return nullptr;
}

TEST_F(CatalogueEditor, ClickingAnEntryFillsTheFieldsAndUpdateKeepsItsPlace) {
    Bauteilkatalog katalog;
    ASSERT_TRUE(katalog.ladenStandard());
    TBauteilForm_ form(nullptr, &katalog);
    tmylistitem* bogen = eintragMitTyp(katalog, 21);
    ASSERT_NE(bogen, nullptr);
    const int index = bogen->Index();
    form.baumAnsicht()->setCurrentIndex(
        static_cast<BaumModell*>(form.baumAnsicht()->model())->indexVon(bogen));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("Titel"))->text(), QStringLiteral("Bogen"));
    // The tree's second column is the type code.
    const QModelIndex i = form.baumAnsicht()->currentIndex();
    EXPECT_EQ(i.siblingAtColumn(1).data().toString(), QStringLiteral("21"));
    EXPECT_EQ(form.baumAnsicht()->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("TypNr"));
    EXPECT_EQ(form.findChild<QSpinBox*>(QStringLiteral("TypNr"))->value(), 21);
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Titelint"))->text(),
              QStringLiteral("LUEFTUNG#FORMSTUECK#BOGEN"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("Formbox1"))->text(),
              QStringLiteral("Umlenkwinkel 90°|60°|45°|30°|15°"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("Eckig0"))->text(),
              QStringLiteral("Breite"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("Rund0"))->text(),
              QStringLiteral("Durchmesser"));
    EXPECT_EQ(form.findChild<QSpinBox*>(QStringLiteral("Min0"))->value(), -3);
    EXPECT_EQ(form.findChild<Zahlenfeld*>(QStringLiteral("AusA"))->text(), QString()); // -1
    // The joint slots show only with dimensions, each label together with its field.
    auto* masse = form.findChild<QComboBox*>(QStringLiteral("Abmessungen"));
    for (int mit : {0, 1}) {
        masse->setCurrentIndex(mit);
        for (const char* j : {"EinA", "EinB", "AusA", "AusB", "AbzweigA", "AbzweigB"}) {
            const QString name = QLatin1String(j);
            EXPECT_EQ(form.findChild<Zahlenfeld*>(name)->isVisibleTo(&form), mit == 1) << j;
            EXPECT_EQ(form.findChild<QLabel*>(name + QStringLiteral("Text"))->isVisibleTo(&form),
                      mit == 1)
                << j;
        }
    }
    // The fields read back give the same entry.
    tBasisDaten_ erwartet = *Bauteilkatalog::eintrag(bogen);
    erwartet.titelint.clear(); // computed, not a field
    EXPECT_EQ(form.felder(), erwartet);

    // Same title: replaced in place.
    form.findChild<QLineEdit*>(QStringLiteral("Formbox1"))->setText(QStringLiteral("90°|45°"));
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("UpdateBtn")), Qt::LeftButton);
    EXPECT_TRUE(fragen.isEmpty());
    tmylistitem* jetzt = katalog.baum().item(index);
    EXPECT_EQ(Bauteilkatalog::eintrag(jetzt)->box1, QStringLiteral("90°|45°"));
    EXPECT_EQ(jetzt->caption(), QStringLiteral("Bogen"));
    EXPECT_EQ(katalog.count(), 71);
}

TEST_F(CatalogueEditor, ChangedTitleAsksAndYesAddsANewEntryBeforeTheOld) {
    Bauteilkatalog katalog;
    ASSERT_TRUE(katalog.ladenStandard());
    TBauteilForm_ form(nullptr, &katalog);
    tmylistitem* knie = eintragMitTyp(katalog, 28);
    const int index = knie->Index();
    form.baumAnsicht()->setCurrentIndex(
        static_cast<BaumModell*>(form.baumAnsicht()->model())->indexVon(knie));
    form.findChild<QLineEdit*>(QStringLiteral("Titel"))->setText(QStringLiteral("Knie scharf"));
    antworten = {0}; // yes: new entry
    form.updateClick();
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen[0], neuAnlegenFrage);
    EXPECT_EQ(katalog.count(), 72);
    EXPECT_EQ(katalog.baum().item(index)->caption(), QStringLiteral("Knie scharf"));
    EXPECT_EQ(katalog.baum().item(index + 1)->caption(), QStringLiteral("Knie"));
    EXPECT_EQ(katalog.baum().item(index)->parent(), katalog.baum().item(index + 1)->parent());
    // No: a rename in place.
    form.baumAnsicht()->setCurrentIndex(static_cast<BaumModell*>(form.baumAnsicht()->model())
                                            ->indexVon(katalog.baum().item(index + 1)));
    form.findChild<QLineEdit*>(QStringLiteral("Titel"))->setText(QStringLiteral("Knick"));
    antworten = {1};
    form.updateClick();
    EXPECT_EQ(katalog.count(), 72);
    EXPECT_EQ(katalog.baum().item(index + 1)->caption(), QStringLiteral("Knick"));
    // "löschen" takes the entry and everything below it, without a question.
    tmylistitem* gruppe = katalog.baum().item(index)->parent();
    const int unter = gruppe->CountAlle();
    form.baumAnsicht()->setCurrentIndex(
        static_cast<BaumModell*>(form.baumAnsicht()->model())->indexVon(gruppe));
    form.loeschenClick();
    EXPECT_EQ(katalog.count(), 72 - unter - 1);
    EXPECT_EQ(fragen.size(), 2);
}

TEST_F(CatalogueEditor, ClearEmptiesTheFieldsButKeepsCodePictureAndTextBoxes) {
    Bauteilkatalog katalog;
    ASSERT_TRUE(katalog.ladenStandard());
    TBauteilForm_ form(nullptr, &katalog);
    tmylistitem* raum = eintragMitTyp(katalog, 4);
    form.baumAnsicht()->setCurrentIndex(
        static_cast<BaumModell*>(form.baumAnsicht()->model())->indexVon(raum));
    ASSERT_TRUE(form.findChild<QCheckBox*>(QStringLiteral("Text2"))->isChecked());
    form.clearClick();
    const tBasisDaten_ e = form.felder();
    EXPECT_EQ(e.typ, 4);
    EXPECT_EQ(e.bildnr, Bauteilkatalog::eintrag(raum)->bildnr);
    EXPECT_TRUE(e.titel.isEmpty());
    EXPECT_TRUE(e.box1.isEmpty());
    EXPECT_TRUE(e.dat[2].text); // kept
    EXPECT_TRUE(e.dat[0].texteckig.isEmpty());
    EXPECT_EQ(e.dat[0].min, -1);
    EXPECT_EQ(e.dat[0].max, -1);
    EXPECT_EQ(e.defaultindex, -1);
    EXPECT_EQ(e.eina, -1);
    EXPECT_TRUE(e.davorchk && e.danachchk && e.delpossible);
    EXPECT_FALSE(e.Nachhallzeit);
    EXPECT_EQ(e.strangtypok, 0);
}

TEST_F(CatalogueEditor, SaveWritesTheCatalogueIntoTheDataFolder) {
    TBauteilForm_ form; // the program's catalogue
    const QString datei = daten.filePath(QStringLiteral("Bauteil.ini"));
    ASSERT_FALSE(QFile::exists(datei));
    ASSERT_TRUE(form.sichernClick());
    TIniFile2 ini(datei);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("List"), QStringLiteral("Count"), -1),
              bauteilkatalog().count());
    // Read again it gives the same type table entries.
    Bauteilkatalog wieder;
    ASSERT_TRUE(wieder.ladenDatei(datei));
    TBasisDatenTabelle t;
    wieder.tabelleFuellen(t);
    EXPECT_EQ(*t.get(21), *basisDaten(21));
    // Changing "BildNr." while the title is the entry's own sets its picture at once.
    tmylistitem* bogen = eintragMitTyp(bauteilkatalog(), 21);
    const int bild = Bauteilkatalog::eintrag(bogen)->bildnr;
    form.baumAnsicht()->setCurrentIndex(
        static_cast<BaumModell*>(form.baumAnsicht()->model())->indexVon(bogen));
    form.findChild<QSpinBox*>(QStringLiteral("BildNr"))->setValue(bild + 1);
    EXPECT_EQ(Bauteilkatalog::eintrag(bogen)->bildnr, bild + 1);
    EXPECT_EQ(bogen->imageIndex, bild + 1 + 16);
    form.findChild<QSpinBox*>(QStringLiteral("BildNr"))->setValue(bild);
}

TEST(MessageDialog, ShortCodesBecomeGermanButtons) {
    EXPECT_EQ(dialogKnoepfe(QStringLiteral("speichern|nicht speichern|A")),
              (QStringList{"speichern", "nicht speichern", "Abbrechen"}));
    EXPECT_EQ(dialogKnoepfe(QStringLiteral("j|n|a")), (QStringList{"&Ja", "&Nein", "Abbrechen"}));
    EXPECT_EQ(
        dialogKnoepfe(QStringLiteral("y|o|alle|all|i|w|löschen")),
        (QStringList{"&Ja", "OK", "A&lle", "A&lle", "&Ignorieren", "&Wiederholen", "löschen"}));
    EXPECT_EQ(dialogTitel(UserSeam::Kind::Bestaetigen), QStringLiteral("Bestätigen"));
    EXPECT_EQ(dialogTitel(UserSeam::Kind::Warnung), QStringLiteral("Warnung"));
}

} // namespace
} // namespace zephan::testing
