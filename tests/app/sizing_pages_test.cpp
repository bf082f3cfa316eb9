// The sizing controls of the duct and pipe pages, driven through the window offscreen: the
// example project's duct 1.5.1 carries 1000 m³/h.
#include "app_fixture.h"

#include "app/number_field.h"
#include "network/settings.h"
#include "sizing/vorschlag.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace zephan::testing {
namespace {

class SizingPages : public Fenster {
protected:
    // Types a value over the field's text and leaves it with Tab (Return would apply the page).
    void eingeben(const char* name, const QString& text) {
        auto* f = feld<Zahlenfeld>(name);
        f->setFocus();
        f->selectAll();
        if (text.isEmpty())
            QTest::keyClick(f, Qt::Key_Delete);
        else
            QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    QString text(const char* name) { return feld<QLabel>(name)->text(); }
    void klick(const char* name) { QTest::mouseClick(feld<QPushButton>(name), Qt::LeftButton); }
    // The pipe page for the flow of 1.5.1, out of planning.
    void rohrSeite() {
        fenster->knotenAuswaehlen(at("1.5.1"));
        fenster->seiten()->setCurrentIndex(Tk_DVform::SeiteRohr);
        ASSERT_EQ(s().editDaten().typ, int(typRohr));
        auto* planung = feld<QCheckBox>("RohrPlanung");
        if (planung->isChecked())
            QTest::mouseClick(planung, Qt::LeftButton, {}, QPoint(8, planung->height() / 2));
        ASSERT_FALSE(s().editDaten().planung);
    }
};

TEST_F(SizingPages, DuctDesignVelocityGivesTheSuggestedSize) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.1"));
    ASSERT_EQ(s().editDaten().typ, int(typKanal));
    ASSERT_EQ(feld<Zahlenfeld>("KanalVolumenstrom")->wert(), 1000);
    ASSERT_FALSE(s().editDaten().planung);

    eingeben("KanalAuslegung", QStringLiteral("5"));
    EXPECT_EQ(feld<Zahlenfeld>("KanalBreite")->wert(), 250);
    EXPECT_EQ(feld<Zahlenfeld>("KanalHoehe")->wert(), 250);
    EXPECT_EQ(s().editDaten().i[0], 250);
    EXPECT_EQ(s().editDaten().i[1], 250);
    EXPECT_EQ(s().editDaten().i[4], 5);
    EXPECT_EQ(s().editDaten().p[0], QStringLiteral("4,44"));
    EXPECT_EQ(text("KanalGeschwindigkeit"), QStringLiteral("4,44"));
    EXPECT_EQ(text("KanalBerechnetMass"), QStringLiteral("236 [mm]"));
    EXPECT_EQ(text("KanalBerechnetFlaeche"), QStringLiteral("0,06 [m²]"));
    EXPECT_EQ(text("KanalBerechnetWert"), QStringLiteral("-"));
    EXPECT_EQ(text("KanalVorschlagMass"), QStringLiteral("250 [mm]"));
    EXPECT_EQ(text("KanalVorschlagFlaeche"), QStringLiteral("0,06 [m²]"));
    EXPECT_EQ(text("KanalVorschlagWert"), QStringLiteral("4,4 [m/s]"));
    EXPECT_EQ(text("KanalFlaeche"), QStringLiteral("0,063 [m²]"));

    // A width limit below the square edge keeps the width and makes the duct higher.
    eingeben("KanalMaxBreite", QStringLiteral("200"));
    eingeben("KanalAuslegung", QStringLiteral("5"));
    EXPECT_EQ(s().editDaten().i[0], 200);
    EXPECT_EQ(s().editDaten().i[1], 300);
    EXPECT_EQ(s().editDaten().i[2], 200);
    EXPECT_EQ(s().editDaten().p[0], QStringLiteral("4,63"));
    // A limit below 10 means none.
    eingeben("KanalMaxBreite", QStringLiteral("5"));
    eingeben("KanalAuslegung", QStringLiteral("5"));
    EXPECT_EQ(s().editDaten().i[2], -1);
    EXPECT_EQ(feld<Zahlenfeld>("KanalMaxBreite")->text(), QString());
    EXPECT_EQ(s().editDaten().i[0], 250);

    // No design velocity: refused, the sizes stay.
    eingeben("KanalAuslegung", QStringLiteral("0"));
    EXPECT_EQ(fenster->statusText(3), QStringLiteral("Bitte Auslegungswert eingeben"));
    EXPECT_EQ(s().editDaten().i[0], 250);
    EXPECT_EQ(s().editDaten().i[1], 250);

    // Without a flow nothing is sized.
    feld<Zahlenfeld>("KanalVolumenstrom")->setWert(-1);
    eingeben("KanalAuslegung", QStringLiteral("3"));
    EXPECT_EQ(fenster->statusText(3), QStringLiteral("Bitte Position im Strang auswählen"));
    EXPECT_EQ(s().editDaten().i[0], 250);
    EXPECT_EQ(s().editDaten().i[1], 250);

    // Another node: the results of the last sizing go.
    fenster->knotenAuswaehlen(at("1.5.3"));
    EXPECT_EQ(text("KanalVorschlagMass"), QString());
    EXPECT_EQ(text("KanalFlaeche"), QStringLiteral("0,150 [m²]")); // 500 × 300
}

TEST_F(SizingPages, DuctByGradientKeepsTheGradientTimes100) {
    einstellungen().setAuslegung(1);
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.1"));
    ASSERT_EQ(s().editDaten().typ, int(typKanal));
    EXPECT_EQ(text("KanalAuslegungText"), QStringLiteral("Rohrreibungsgefälle"));
    EXPECT_EQ(text("KanalAuslegungEinheit"), QStringLiteral("[Pa/m]"));
    eingeben("KanalAuslegung", QStringLiteral("0,8"));
    EXPECT_EQ(s().editDaten().i[4], 80);
    const Vorschlag v = vorschlag(1000, true, true, 0.8, -1, -1, einstellungen(), 1.2);
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(s().editDaten().i[0], v.W);
    EXPECT_EQ(s().editDaten().i[1], v.H);
    EXPECT_EQ(s().editDaten().p[0], v.geschwindigkeit);
    // A gradient has no square-duct rows.
    EXPECT_EQ(text("KanalBerechnetMass"), QString());
    EXPECT_EQ(text("KanalVorschlagMass"), QString());
}

TEST_F(SizingPages, DuctWidthLengthAndVAnpassen) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.1"));
    ASSERT_EQ(s().editDaten().typ, int(typKanal));
    eingeben("KanalBreite", QStringLiteral("400"));
    eingeben("KanalHoehe", QStringLiteral("200"));
    EXPECT_EQ(s().editDaten().p[0], QStringLiteral("3,47"));
    EXPECT_EQ(text("KanalFlaeche"), QStringLiteral("0,080 [m²]"));

    // "v anpassen": one whole m/s above the velocity, into the field only.
    klick("KanalVAnpassen");
    EXPECT_EQ(feld<Zahlenfeld>("KanalAuslegung")->wert(), 4);
    EXPECT_EQ(s().editDaten().i[4], 4);
    EXPECT_EQ(s().editDaten().i[0], 400);
    EXPECT_EQ(s().editDaten().i[1], 200);

    // A width without a height: the height that reaches 4 m/s (1000/3600/4 = 0,069 m²).
    eingeben("KanalHoehe", QString());
    eingeben("KanalBreite", QStringLiteral("500"));
    EXPECT_EQ(feld<Zahlenfeld>("KanalHoehe")->wert(), 150);
    EXPECT_EQ(s().editDaten().i[1], 150);
    // A narrow width needs a tall duct; a width below the smallest edge chooses nothing.
    eingeben("KanalHoehe", QString());
    eingeben("KanalBreite", QStringLiteral("100"));
    EXPECT_EQ(s().editDaten().i[1], 800);
    eingeben("KanalHoehe", QString());
    eingeben("KanalBreite", QStringLiteral("90"));
    EXPECT_EQ(s().editDaten().i[1], -1);

    // Lengths below 100 are metres.
    const struct {
        const char* eingabe;
        double mm;
    } laengen[] = {{"12", 12000}, {"150", 150}, {"99", 99000}, {"100", 100}};
    for (const auto& l : laengen) {
        eingeben("KanalLaenge", QString::fromLatin1(l.eingabe));
        EXPECT_EQ(feld<Zahlenfeld>("KanalLaenge")->wert(), l.mm) << l.eingabe;
        EXPECT_EQ(s().editDaten().i[5], l.mm) << l.eingabe;
    }
}

TEST_F(SizingPages, PipeDesignVelocityAndNeighbourDiameters) {
    fenster->start();
    rohrSeite();
    ASSERT_EQ(feld<Zahlenfeld>("RohrVolumenstrom")->wert(), 1000);

    eingeben("RohrAuslegung", QStringLiteral("5"));
    EXPECT_EQ(s().editDaten().i[0], 300);
    EXPECT_EQ(s().editDaten().i[4], 5);
    EXPECT_EQ(feld<Zahlenfeld>("RohrDurchmesser")->wert(), 300);
    EXPECT_EQ(text("RohrBerechnetFlaeche"), QStringLiteral("0,056 [m²]"));
    EXPECT_EQ(text("RohrBerechnetMass"), QStringLiteral("265 [mm]"));
    EXPECT_EQ(text("RohrVorschlagMass"), QStringLiteral("300 [mm]"));
    EXPECT_EQ(text("RohrVorschlagFlaeche"), QStringLiteral("0,071 [m²]"));
    EXPECT_EQ(text("RohrVorschlagWert"), QStringLiteral("3,93 [m/s]"));
    EXPECT_EQ(text("RohrFlaeche"), QStringLiteral("0,071 [m²]"));
    EXPECT_EQ(s().editDaten().p[0], QStringLiteral("3,93"));
    EXPECT_EQ(feld<QPushButton>("RohrDown")->text(), QStringLiteral("5,4")); // 255
    EXPECT_EQ(feld<QPushButton>("RohrUp")->text(), QStringLiteral("3,6"));   // 315

    // Typing a diameter offers its standard neighbours; clicking takes them.
    eingeben("RohrDurchmesser", QStringLiteral("250"));
    EXPECT_EQ(feld<QPushButton>("RohrDown")->text(), QStringLiteral("6,7")); // 230
    EXPECT_EQ(feld<QPushButton>("RohrUp")->text(), QStringLiteral("5,4"));   // 255
    klick("RohrUp");
    EXPECT_EQ(s().editDaten().i[0], 255);
    EXPECT_EQ(feld<Zahlenfeld>("RohrDurchmesser")->wert(), 255);
    EXPECT_EQ(feld<QPushButton>("RohrUp")->text(), QStringLiteral("3,9")); // 300
    klick("RohrDown");
    klick("RohrDown");
    EXPECT_EQ(s().editDaten().i[0], 200);
    EXPECT_EQ(feld<QPushButton>("RohrDown")->text(), QStringLiteral("10,9")); // 180
    EXPECT_EQ(s().editDaten().p[0], QStringLiteral("8,84"));
    EXPECT_EQ(text("RohrFlaeche"), QStringLiteral("0,031 [m²]"));

    // "v anpassen" on the pipe: 8,84 → 9.
    klick("RohrVAnpassen");
    EXPECT_EQ(feld<Zahlenfeld>("RohrAuslegung")->wert(), 9);
    EXPECT_EQ(s().editDaten().i[0], 200);

    // Diameters below 20 mm are ignored by the neighbour buttons and the area.
    eingeben("RohrDurchmesser", QStringLiteral("15"));
    EXPECT_EQ(text("RohrFlaeche"), QStringLiteral("0,031 [m²]"));
    EXPECT_EQ(s().editDaten().i[0], 200);
    // The smallest and largest standard diameters have no neighbour on one side.
    eingeben("RohrDurchmesser", QStringLiteral("40"));
    EXPECT_EQ(feld<QPushButton>("RohrDown")->text(), QStringLiteral("-"));
    klick("RohrDown");
    EXPECT_EQ(s().editDaten().i[0], 40);
    eingeben("RohrDurchmesser", QStringLiteral("2800"));
    EXPECT_EQ(feld<QPushButton>("RohrUp")->text(), QStringLiteral("-"));

    // The length field as on the duct page.
    eingeben("RohrLaenge", QStringLiteral("12"));
    EXPECT_EQ(s().editDaten().i[5], 12000);
}

} // namespace
} // namespace zephan::testing
