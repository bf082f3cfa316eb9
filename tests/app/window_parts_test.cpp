// The window layer's own parts: panel and window-size storage, the number field, the progress
// window's cancel, the search through a line and the tree's pictures.
#include "app_fixture.h"

#include "app/icons.h"
#include "app/number_field.h"
#include "app/page_fields.h"
#include "app/panel_store.h"
#include "app/tree_search.h"
#include "app/window_seam.h"
#include "store/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QVBoxLayout>

namespace zephan::testing {
namespace {

struct Panel {
    QWidget w;
    QWidget* unter = new QWidget(&w);
    QLineEdit* text = new QLineEdit(&w);
    Zahlenfeld* zahl = new Zahlenfeld(2, &w);
    QCheckBox* check = new QCheckBox(&w);
    QComboBox* index = new QComboBox(&w);
    QComboBox* editierbar = new QComboBox(&w);
    QPlainTextEdit* memo = new QPlainTextEdit(unter);
    QLineEdit* ohne = new QLineEdit(&w);

    Panel() {
        text->setObjectName(QStringLiteral("Firma"));
        text->setProperty("NameFeld", QStringLiteral("*"));
        zahl->setProperty("NameFeld", QStringLiteral("Wert"));
        check->setProperty("NameFeld", QStringLiteral("An"));
        index->addItems({"a", "b", "c"});
        index->setProperty("NameFeld", QStringLiteral("Wahl"));
        editierbar->setEditable(true);
        editierbar->setProperty("NameFeld", QStringLiteral("Frei"));
        memo->setProperty("NameFeld", QStringLiteral("Notiz"));
        ohne->setObjectName(QStringLiteral("Ohne"));
    }
};

TEST(PanelStore, ControlsRoundTripThroughASectionWithLineBreaksAsThorn) {
    anwendung();
    Panel a;
    a.text->setText(QStringLiteral("Müller & Söhne"));
    a.zahl->setText(QStringLiteral("12,5"));
    a.check->setChecked(true);
    a.index->setCurrentIndex(2);
    a.editierbar->setEditText(QStringLiteral("frei"));
    a.memo->setPlainText(QStringLiteral("Zeile 1\nZeile 2"));
    a.ohne->setText(QStringLiteral("nicht gespeichert"));
    TIniFile2 ini;
    panel_save(&a.w, ini, QStringLiteral("Eigenschaften"), true);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Eigenschaften"), QStringLiteral("Firma")),
              QStringLiteral("Müller & Söhne"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Eigenschaften"), QStringLiteral("Notiz")),
              QStringLiteral("Zeile 1þZeile 2"));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("Eigenschaften"), QStringLiteral("Ohne")));

    Panel b;
    b.ohne->setText(QStringLiteral("bleibt"));
    panel_load(&b.w, ini, QStringLiteral("Eigenschaften"), true);
    EXPECT_EQ(b.text->text(), a.text->text());
    EXPECT_EQ(b.zahl->wert(), 12.5);
    EXPECT_TRUE(b.check->isChecked());
    EXPECT_EQ(b.index->currentIndex(), 2);
    EXPECT_EQ(b.editierbar->currentText(), QStringLiteral("frei"));
    EXPECT_EQ(b.memo->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
    EXPECT_EQ(b.ohne->text(), QStringLiteral("bleibt"));

    // Without sub-panels the memo below is neither written nor read.
    TIniFile2 flach;
    panel_save(&a.w, flach, QStringLiteral("S"), false);
    EXPECT_FALSE(flach.ValueExists(QStringLiteral("S"), QStringLiteral("Notiz")));
    // Missing keys: edit fields and check boxes keep what they show, the editable box and
    // the memo are emptied.
    Panel c;
    c.text->setText(QStringLiteral("alt"));
    c.check->setChecked(true);
    c.editierbar->setEditText(QStringLiteral("weg"));
    c.memo->setPlainText(QStringLiteral("weg"));
    panel_load(&c.w, TIniFile2(), QStringLiteral("leer"), true);
    EXPECT_EQ(c.text->text(), QStringLiteral("alt"));
    EXPECT_TRUE(c.check->isChecked());
    EXPECT_EQ(c.editierbar->currentText(), QString());
    EXPECT_EQ(c.memo->toPlainText(), QString());
}

TEST(PanelStore, WindowPositionIsStoredPerWindowAndPulledBackOntoTheScreen) {
    anwendung();
    QWidget a;
    a.setObjectName(QStringLiteral("Testform"));
    a.setGeometry(40, 50, 300, 200);
    TIniFile2 ini;
    formsize_save(&a, ini);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FensterTestform"), QStringLiteral("Links"), -9), 40);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FensterTestform"), QStringLiteral("VonOben"), -9),
              50);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("FensterTestform"), QStringLiteral("Breite"), -9),
              300);
    QWidget b;
    b.setObjectName(QStringLiteral("Testform"));
    formsize_load(&b, ini);
    EXPECT_EQ(b.geometry(), QRect(40, 50, 300, 200));
    // Off the screen to the left and far below: back at the edges.
    ini.WriteInteger(QStringLiteral("FensterTestform"), QStringLiteral("Links"), -500);
    ini.WriteInteger(QStringLiteral("FensterTestform"), QStringLiteral("VonOben"), 100000);
    formsize_load(&b, ini);
    EXPECT_EQ(b.geometry().left(), 0);
    EXPECT_LT(b.geometry().bottom(), 100000);
    EXPECT_GE(b.geometry().top(), 0);
}

TEST(NumberField, EmptyIsMinusOneAndValuesUseTheDecimalComma) {
    anwendung();
    Zahlenfeld z(1);
    EXPECT_EQ(z.wert(), -1);
    z.setWert(3.24);
    EXPECT_EQ(z.text(), QStringLiteral("3,2"));
    z.setWert(1234.56);
    EXPECT_EQ(z.text(), QStringLiteral("1234,6")); // no grouping in a field
    z.setWert(-1);
    EXPECT_EQ(z.text(), QString());
    z.setText(QStringLiteral("1.234,5"));
    EXPECT_EQ(z.wert(), 1234.5);
    z.setText(QStringLiteral("x"));
    EXPECT_EQ(z.wert(), -1);
}

TEST(NumberField, KeepsToItsRangeAndTakesNoSignWhereNoneIsPossible) {
    anwendung();
    Zahlenfeld z(0);
    z.setBereich(bereiche::abmessung());
    const struct {
        const char* text;
        bool gueltig;
    } faelle[] = {{"", true},       {"10", true},      {"9", false},    {"10000", true},
                  {"10001", false}, {"250300", false}, {"1.000", true}, {"x", false}};
    for (const auto& f : faelle) {
        z.setText(QString::fromLatin1(f.text));
        EXPECT_EQ(z.gueltig(), f.gueltig) << f.text;
        EXPECT_EQ(z.property("ungueltig").toBool(), !f.gueltig) << f.text;
        EXPECT_EQ(z.toolTip().isEmpty(), f.gueltig) << f.text;
    }
    // No sign for a dimension; a zeta may be negative.
    int pos = 0;
    QString minus = QStringLiteral("-5");
    EXPECT_EQ(z.validator()->validate(minus, pos), QValidator::Invalid);
    z.setBereich(bereiche::zeta());
    EXPECT_EQ(z.validator()->validate(minus, pos), QValidator::Acceptable);
    z.setText(minus);
    EXPECT_TRUE(z.gueltig());
    // About ten digits wide, whatever the layout offers.
    const int ziffer = z.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    EXPECT_GE(z.sizeHint().width(), 10 * ziffer);
    EXPECT_LE(z.sizeHint().width(), 13 * ziffer);
    EXPECT_EQ(z.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
}

TEST(KurzLabel, ShortensALongTextAndKeepsItWholeInTheTooltip) {
    anwendung();
    KurzLabel l(nullptr, 20);
    const QString lang = QStringLiteral("Kanal 500 x 300 [mm]; Länge: 2.000 [mm]; Stahlblech");
    l.setLangText(lang);
    l.show();
    l.resize(l.fontMetrics().horizontalAdvance(QStringLiteral("Kanal 500")), 20);
    EXPECT_TRUE(l.text().endsWith(QChar(0x2026))) << l.text().toStdString();
    EXPECT_TRUE(lang.startsWith(l.text().chopped(1)));
    EXPECT_EQ(l.toolTip(), lang);
    EXPECT_EQ(l.langText(), lang);
    EXPECT_LE(l.sizeHint().width(), 20 * l.fontMetrics().averageCharWidth());
    l.resize(2000, 20);
    EXPECT_EQ(l.text(), lang);
}

TEST(ProgressWindow, CancelStopsTheNextStep) {
    anwendung();
    QWidget eltern;
    FensterSeam seam(&eltern);
    EXPECT_TRUE(seam.fortschritt(0, 10));
    auto* dlg = eltern.findChild<QProgressDialog*>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->labelText(), QStringLiteral("Berechne..."));
    dlg->cancel();
    EXPECT_FALSE(seam.fortschritt(1, 10));
    // A new run starts with a fresh window.
    EXPECT_TRUE(seam.fortschritt(0, 3));
    EXPECT_TRUE(seam.fortschritt(3, 3));
}

using Search = Fenster;

TEST_F(Search, GoesRoundTheLineAndReportsTheRound) {
    fenster->start();
    const SuchTreffer a = bauteilSuchen(at("1.6"), typKanal);
    EXPECT_EQ(a.knoten, at("1.2"));
    EXPECT_TRUE(a.umlauf);
    const SuchTreffer b = bauteilSuchen(at("1.1"), typKanal);
    EXPECT_EQ(b.knoten, at("1.2"));
    EXPECT_FALSE(b.umlauf);
    // The only fan of the extract line finds itself again; a type not in the line: nothing.
    EXPECT_EQ(bauteilSuchen(at("2.2"), typVentilator).knoten, at("2.2"));
    EXPECT_EQ(bauteilSuchen(at("2.2"), typBogen).knoten, nullptr);
    // From the line head into its chain.
    EXPECT_EQ(bauteilSuchen(at("1"), typVentilator).knoten, at("1.3"));
}

TEST(Icons, EveryCataloguePictureHasItsOwnPictogram) {
    anwendung();
    const QImage unbekannt = bildIcon(15).pixmap(32, 32).toImage();
    for (int nr : {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 17, 18, 19, 21,
                   22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40}) {
        const QImage bild = bildIcon(nr + 16).pixmap(32, 32).toImage();
        EXPECT_FALSE(bild.isNull()) << nr;
        EXPECT_NE(bild, unbekannt) << nr;
    }
    // A state draws over the picture.
    EXPECT_NE(baumIcon(18, 1).pixmap(32, 32).toImage(), baumIcon(18, -1).pixmap(32, 32).toImage());
    EXPECT_FALSE(zustandIcon(2).isNull());
    EXPECT_TRUE(zustandIcon(3).isNull());
}

} // namespace
} // namespace zephan::testing
