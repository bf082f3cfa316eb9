// User flows through the edit pages of the main window offscreen: Return applies the page,
// a fitting shows its velocity and zeta as soon as it is selected, planning hides the sizes,
// values out of range are marked and refused, a click puts the cursor behind the number, the
// pages' layout, and the density dialog's decimal comma.
#include "app_fixture.h"
#include "editing/program_context.h"
#include "network/catalogue.h"

#include "app/dichte_dialog.h"
#include "app/number_field.h"
#include "network/model_queries.h"
#include "pressure/air_density.h"
#include "pressure/interactive_component.h"
#include "report/report_document.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace zephan::testing {
namespace {

class EditPages : public Fenster {
protected:
    // Types over the field's text and presses Return.
    void eingebenReturn(QLineEdit* f, const QString& text) {
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    void klickCheck(QCheckBox* c) {
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
    }
};

TEST_F(EditPages, ReturnInAFieldAppliesThePage) {
    fenster->start();
    tmylistitem* kanal = at("1.5.1");
    fenster->knotenAuswaehlen(kanal);
    ASSERT_EQ(nodeDaten(kanal)->i[5], 2000);
    // 7 is metres: the length action runs first, then the page is applied to the node.
    eingebenReturn(feld<Zahlenfeld>("KanalLaenge"), QStringLiteral("7"));
    EXPECT_EQ(feld<Zahlenfeld>("KanalLaenge")->text(), QStringLiteral("7000"));
    EXPECT_EQ(nodeDaten(kanal)->i[5], 7000);
    EXPECT_TRUE(s().geaendert());
    eingebenReturn(feld<QLineEdit>("KanalBemerkung"), QStringLiteral("Flur"));
    EXPECT_EQ(nodeDaten(kanal)->Text, QStringLiteral("Flur"));

    // The component page: a value field and the remark.
    tmylistitem* bogen = at("1.5.2");
    fenster->knotenAuswaehlen(bogen);
    ASSERT_EQ(s().editDaten().typ, 21);
    eingebenReturn(feld<QLineEdit>("FormBemerkung"), QStringLiteral("Bogen Flur"));
    EXPECT_EQ(nodeDaten(bogen)->Text, QStringLiteral("Bogen Flur"));
    auto* hoehe = feld<Zahlenfeld>("Formt1");
    ASSERT_TRUE(hoehe->isVisibleTo(fenster.get()));
    ASSERT_EQ(nodeDaten(bogen)->i[1], 300);
    eingebenReturn(hoehe, QStringLiteral("250"));
    EXPECT_EQ(nodeDaten(bogen)->i[1], 250);

    // Return where "Über&nehmen" is not possible applies nothing: the duct page over the bend.
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteKanal);
    ASSERT_FALSE(feld<QPushButton>("UebernehmenBtn")->isEnabled());
    eingebenReturn(feld<Zahlenfeld>("KanalLaenge"), QStringLiteral("3"));
    EXPECT_EQ(nodeDaten(bogen)->typ, 21);
}

TEST_F(EditPages, AFittingShowsItsVelocityAndZetaWhenSelected) {
    fenster->start();
    tmylistitem* bogen = at("1.5.2");
    // A bend never calculated: nothing stored yet.
    nodeDaten(bogen)->p[0].clear();
    nodeDaten(bogen)->p[1].clear();
    DVdata kopie = *nodeDaten(bogen);
    TDruck druck;
    druck.drucken = false;
    const BauteilAnzeige erwartet =
        berechne1Bauteil(programmKontext(), kopie, bogen, druck, false, strangDichte(bogen));
    ASSERT_FALSE(erwartet.geschwindigkeit.isEmpty());
    ASSERT_FALSE(erwartet.zeta.isEmpty());

    fenster->knotenAuswaehlen(bogen);
    // 1000 m³/h through 500 × 300 mm.
    EXPECT_EQ(erwartet.geschwindigkeit, QStringLiteral("1,85"));
    EXPECT_EQ(feld<Zahlenfeld>("FormGeschwindigkeit")->text(), erwartet.geschwindigkeit);
    EXPECT_EQ(feld<Zahlenfeld>("FormZeta")->text(), erwartet.zeta);
    EXPECT_EQ(feld<QLabel>("ErgebnisLabel")->text(), erwartet.ergebnisLabel);
    EXPECT_TRUE(erwartet.ergebnisLabel.endsWith(QStringLiteral(" [Pa]")));

    // Another angle: the fields follow at once.
    feld<QListWidget>("FormBox1")->setCurrentRow(3);
    EXPECT_EQ(feld<Zahlenfeld>("FormZeta")->text(), s().editDaten().p[1]);
    EXPECT_NE(feld<Zahlenfeld>("FormZeta")->text(), erwartet.zeta);
}

TEST_F(EditPages, PlanningHidesTheSizesOfTheSection) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.1"));
    auto* planung = feld<QCheckBox>("KanalPlanung");
    ASSERT_FALSE(planung->isChecked());
    const auto sichtbar = [this](const char* name) {
        return feld<QWidget>(name)->isVisibleTo(fenster.get());
    };
    EXPECT_TRUE(sichtbar("KanalBreite"));
    EXPECT_TRUE(sichtbar("KanalGeschwindigkeit"));
    klickCheck(planung);
    ASSERT_TRUE(s().editDaten().planung);
    for (const char* n : {"KanalBreite", "KanalHoehe", "KanalGeschwindigkeit", "KanalFlaeche",
                          "KanalVorschlagMass", "KanalVAnpassen"})
        EXPECT_FALSE(sichtbar(n)) << n;
    // What planning still needs stays: limits, length, design value, material.
    for (const char* n : {"KanalMaxBreite", "KanalLaenge", "KanalAuslegung", "KanalBox"})
        EXPECT_TRUE(sichtbar(n)) << n;
    klickCheck(planung);
    EXPECT_TRUE(sichtbar("KanalBreite"));

    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteRohr);
    auto* rohrPlanung = feld<QCheckBox>("RohrPlanung");
    if (!rohrPlanung->isChecked()) klickCheck(rohrPlanung);
    EXPECT_FALSE(sichtbar("RohrDurchmesser"));
    EXPECT_FALSE(sichtbar("RohrGeschwindigkeit"));
    EXPECT_TRUE(sichtbar("RohrAuslegung"));
}

TEST_F(EditPages, ValuesOutOfRangeAreMarkedAndRefused) {
    fenster->start();
    tmylistitem* kanal = at("1.5.1");
    fenster->knotenAuswaehlen(kanal);
    auto* breite = feld<Zahlenfeld>("KanalBreite");
    breite->setFocus();
    breite->selectAll();
    QTest::keyClicks(breite, QStringLiteral("250300"));
    EXPECT_FALSE(breite->gueltig());
    EXPECT_TRUE(breite->property("ungueltig").toBool());
    EXPECT_EQ(breite->toolTip(), QStringLiteral("zulässig: 10 bis 10.000 mm"));
    EXPECT_EQ(fenster->ungueltigesFeld(),
              QStringLiteral("Der Wert im Feld \"Breite\" ist nicht möglich (zulässig: 10 bis "
                             "10.000 mm)."));
    ASSERT_TRUE(feld<QPushButton>("UebernehmenBtn")->isEnabled());
    fragen.clear();
    QTest::mouseClick(feld<QPushButton>("UebernehmenBtn"), Qt::LeftButton);
    ASSERT_EQ(fragen.size(), 1);
    EXPECT_EQ(fragen.front(), fenster->ungueltigesFeld());
    EXPECT_EQ(nodeDaten(kanal)->i[0], 500); // the node keeps its width
    // Return refuses the same way.
    QTest::keyClick(breite, Qt::Key_Return);
    EXPECT_EQ(fragen.size(), 2);
    EXPECT_EQ(nodeDaten(kanal)->i[0], 500);

    // Corrected: no mark, applied.
    breite->selectAll();
    QTest::keyClicks(breite, QStringLiteral("400"));
    EXPECT_TRUE(breite->gueltig());
    EXPECT_TRUE(breite->toolTip().isEmpty());
    EXPECT_EQ(fenster->ungueltigesFeld(), QString());
    QTest::mouseClick(feld<QPushButton>("UebernehmenBtn"), Qt::LeftButton);
    EXPECT_EQ(nodeDaten(kanal)->i[0], 400);

    // A length takes no sign: "-12,5" is typed as 12,5 (metres).
    auto* laenge = feld<Zahlenfeld>("KanalLaenge");
    laenge->setFocus();
    laenge->selectAll();
    QTest::keyClicks(laenge, QStringLiteral("-12,5"));
    EXPECT_EQ(laenge->text(), QStringLiteral("12,5"));

    // A pipe of 250300 mm shows no area and no neighbour sizes.
    fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteRohr);
    auto* planung = feld<QCheckBox>("RohrPlanung");
    if (planung->isChecked()) klickCheck(planung);
    auto* d = feld<Zahlenfeld>("RohrDurchmesser");
    d->setFocus();
    QTest::keyClicks(d, QStringLiteral("250300"));
    EXPECT_FALSE(d->gueltig());
    EXPECT_EQ(feld<QLabel>("RohrFlaeche")->text(), QString());
    EXPECT_EQ(feld<QPushButton>("RohrUp")->text(), QStringLiteral("-"));
    EXPECT_TRUE(fenster->ungueltigesFeld().contains(QStringLiteral("\"Durchmesser\"")));
}

TEST_F(EditPages, AClickPutsTheCursorBehindTheNumber) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.1"));
    auto* laenge = feld<Zahlenfeld>("KanalLaenge");
    ASSERT_EQ(laenge->text(), QStringLiteral("2000"));
    feld<QLineEdit>("KanalBemerkung")->setFocus();
    // Left of the right-aligned digits.
    QTest::mouseClick(laenge, Qt::LeftButton, {}, QPoint(3, laenge->height() / 2));
    EXPECT_EQ(laenge->cursorPosition(), 4);
    QTest::keyClicks(laenge, QStringLiteral("5"));
    EXPECT_EQ(laenge->text(), QStringLiteral("20005"));
    // A second click inside the focused field places the cursor where it hits.
    QTest::mouseClick(laenge, Qt::LeftButton, {}, QPoint(3, laenge->height() / 2));
    EXPECT_EQ(laenge->cursorPosition(), 0);
}

TEST_F(EditPages, FieldsHaveAReadableWidthAndNamesAreWhole) {
    for (const QSize groesse : {QSize(1280, 800), QSize(1920, 1080)}) {
        fenster->resize(groesse);
        fenster->start();
        fenster->knotenAuswaehlen(at("1.5.1"));
        QApplication::processEvents();
        const int ziffer =
            feld<Zahlenfeld>("KanalLaenge")->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        for (const char* n :
             {"KanalVolumenstrom", "KanalBreite", "KanalLaenge", "KanalAuslegung"}) {
            const int w = feld<Zahlenfeld>(n)->width();
            EXPECT_GE(w, 8 * ziffer) << n;
            EXPECT_LE(w, 14 * ziffer) << n;
        }
        // Every material and every type of the list readable in full.
        for (const char* liste : {"KanalBox", "RohrBox"}) {
            auto* l = feld<QTreeWidget>(liste);
            for (int r = 0; r < l->topLevelItemCount(); ++r)
                EXPECT_GE(l->header()->sectionSize(0),
                          l->fontMetrics().horizontalAdvance(l->topLevelItem(r)->text(0)))
                    << l->topLevelItem(r)->text(0).toStdString();
        }
        auto* typen = feld<QTreeWidget>("treeform");
        EXPECT_GE(typen->columnWidth(0), typen->fontMetrics().horizontalAdvance(
                                             QStringLiteral("Abzweigreduzierstück <90°")));

        // The fan's slot and the preset fields line up with the other value fields.
        fenster->knotenAuswaehlen(at("1.3"));
        int links = -1;
        for (QLineEdit* f : feld<QWidget>("Wertepanel")->findChildren<QLineEdit*>()) {
            if (!f->isVisibleTo(fenster.get())) continue;
            if (links < 0) links = f->x();
            EXPECT_EQ(f->x(), links) << f->objectName().toStdString();
        }
        EXPECT_GE(links, 0);

        // The neighbour captions ask for no more than 40 characters, so they leave the tree its
        // room, and show the whole caption as tooltip.
        fenster->knotenAuswaehlen(at("1.5.2"));
        auto* davor = feld<QLabel>("DavorLabel");
        EXPECT_EQ(davor->toolTip(), nodeInfo(basisDatenTabelle(), at("1.5.1"), 0));
        EXPECT_LE(davor->sizeHint().width(), 40 * davor->fontMetrics().averageCharWidth());
        EXPECT_LE(fenster->width(), groesse.width());
        fenster->session().projekt().setGeaendert(false);
        neuesFenster();
    }
}

TEST(DichteDialog, ShowsAndTakesTheDecimalComma) {
    anwendung();
    DichteDialog d;
    EXPECT_EQ(d.temperatur()->text(), QStringLiteral("20,00"));
    EXPECT_EQ(d.feuchte()->text(), QStringLiteral("80,00"));
    d.temperatur()->selectAll();
    QTest::keyClicks(d.temperatur(), QStringLiteral("12,5"));
    EXPECT_EQ(d.temperatur()->value(), 12.5);
    EXPECT_EQ(d.dichte(), luftdichte(80, 12.5));
}

TEST_F(EditPages, DensityDialogOfTheLinePageUsesTheDecimalComma) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1"));
    QString temperatur;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] {
        auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!w || w->objectName() != QLatin1String("DichteDialog") || !temperatur.isNull()) return;
        temperatur = w->findChild<QDoubleSpinBox*>(QStringLiteral("Temperatur"))->text();
        w->reject();
    });
    t.start(10);
    QTest::mouseClick(feld<QPushButton>("DichteBtn"), Qt::LeftButton);
    EXPECT_EQ(temperatur, QStringLiteral("20,00"));
}

} // namespace
} // namespace zephan::testing
