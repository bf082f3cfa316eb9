// The network sound run from the main window, driven as a user does: F9 with the attenuation,
// F10 over the selected line, F11 restricted to the selected chain, "Druck und Schall
// berechnen" and the summary with "Schall hinzufügen"; F9 on a room.
#include "app_fixture.h"
#include "app_support.h"

#include "app/schall2_fenster.h"
#include "network/network_tree.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "support/golden.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace zephan::testing {
namespace {

using SoundNetwork = Fenster;

int anzahl(const QStringList& bericht, const QString& zeile) {
    return static_cast<int>(bericht.count(zeile));
}

TEST_F(SoundNetwork, F9AddsTheAttenuation) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    fenster->aktion(QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil"))->trigger();
    ASSERT_EQ(berichte, 1);
    EXPECT_TRUE(bericht.contains(QStringLiteral("Strömungsgeräusch für Kanäle (Abschnitt 5.2.1)")));
    // duct 500 x 300, 2 m: d_h 375 mm
    EXPECT_TRUE(bericht.contains(QStringLiteral("Pegelsenkung Kanal (Abschnitt 6.1)")));
    EXPECT_TRUE(bericht.contains(QStringLiteral(
        "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|1,20|1,20|0,90|0,60|0,40|0,40|0,40")));
}

TEST_F(SoundNetwork, F9OnARoomShowsItsAttenuationAndTheLevelArrivingInIt) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.8"));
    auto* s9 = feld<QPushButton>("SBtn");
    ASSERT_TRUE(s9->isEnabled());
    QTest::mouseClick(s9, Qt::LeftButton);
    ASSERT_EQ(berichte, 1);
    EXPECT_FALSE(fortschrittBeimBericht);
    const QString diagramm = QStringLiteral(
        "°Dctyp:2|links:0|breite:100|hoehe:40|text:Oktavpegel im Raum [dB]|hliniey:1");
    const int senkung =
        static_cast<int>(bericht.indexOf(QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)")));
    // the fan-to-room order of the default settings
    const int raum =
        static_cast<int>(bericht.indexOf(QStringLiteral("°ÜStrömungsgeräuschberechnung Raum 1")));
    EXPECT_GT(senkung, 0);
    EXPECT_GT(raum, senkung);
    // the level the whole line's run gives the room, and its chart
    EXPECT_TRUE(bericht.contains(QStringLiteral("A-Schallpegel L°(sub a°(-sub = 51 [dB]")));
    EXPECT_EQ(anzahl(bericht, diagramm), 1);
    EXPECT_FALSE(bericht.contains(QStringLiteral("°ÜStrömungsgeräusch und Pegelsenkung.")));
    EXPECT_EQ(s().selektiert(), at("1.8"));
    EXPECT_FALSE(s().geaendert());

    // A duct on the way still in planning: the attenuation is shown, the report and the
    // status bar say why the level is missing, and the room stays selected.
    nodeDaten(at("1.4"))->planung = true;
    fenster->aktion(QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil"))->trigger();
    ASSERT_EQ(berichte, 2);
    const QString grund = QStringLiteral(
        "Schallpegel im Raum nicht berechnet: Bauteil befindet sich noch im Status Planung. (1.4)");
    EXPECT_TRUE(bericht.contains(QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)")));
    EXPECT_EQ(bericht.last(), grund);
    EXPECT_EQ(anzahl(bericht, diagramm), 0);
    EXPECT_EQ(fenster->statusText(3), grund);
    EXPECT_EQ(s().selektiert(), at("1.8"));
}

TEST_F(SoundNetwork, SummaryWithSoundAsPdf) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.2"));
    fenster->aktion(QStringLiteral("Schall hinzufügen"))->setChecked(true);
    fenster->aktion(QStringLiteral("Zusammenfassung"))->trigger();
    ASSERT_EQ(berichte, 1);
    TDruck doc;
    doc.m = bericht;
    TLayoutEinstellungen e;
    e.heute = QDate(2024, 3, 1);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("zusammenfassung.pdf"));
    QString fehler;
    ASSERT_TRUE(berichtAlsPdf(doc, pdf, e, &fehler)) << fehler.toStdString();
    const QStringList seiten = pdfSeiten(pdf);
    ASSERT_GE(seiten.size(), 2);
    expectGolden(QStringLiteral("schall_beispiel"), QStringLiteral("zusammenfassung_pdf.txt"),
                 seiten.join(QLatin1Char('\f')));
}

TEST_F(SoundNetwork, F10F11AndTheCombinedReports) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.5.2"));
    QAction* f10 = fenster->aktion(QStringLiteral("Schallnetzberechnung"));
    ASSERT_NE(f10, nullptr);
    EXPECT_TRUE(f10->isEnabled());
    EXPECT_EQ(f10->shortcut(), QKeySequence(Qt::Key_F10));
    f10->trigger();
    ASSERT_EQ(berichte, 1);
    const QString kopf = QStringLiteral("°ÜZusammenfassung Schallpegelberechnung");
    EXPECT_EQ(anzahl(bericht, kopf), 1);
    // the selected node's line: its two rooms
    EXPECT_TRUE(bericht.contains(QStringLiteral("2|40|48|8")));
    EXPECT_TRUE(bericht.contains(QStringLiteral("1|40|51|11")));
    EXPECT_FALSE(bericht.contains(QStringLiteral("3|40|51|11")));
    EXPECT_FALSE(s().geaendert());

    // F11: the path to the selected chain only, no summary.
    QAction* f11 =
        fenster->aktion(QStringLiteral("Schallpegelberechnung nur vom ausgewählten Strang"));
    EXPECT_EQ(f11->shortcut(), QKeySequence(Qt::Key_F11));
    f11->trigger();
    ASSERT_EQ(berichte, 2);
    EXPECT_EQ(anzahl(bericht, kopf), 0);
    EXPECT_EQ(bericht.filter(QStringLiteral("Strömungsgeräuschberechnung Raum")).size() +
                  bericht.filter(QStringLiteral("Schallpegel der Anlagenelemente im Raum")).size(),
              1);

    // The button runs the line; with Shift held, the selected chain's path.
    auto* knopf = feld<QPushButton>("SchallnetzBtn");
    ASSERT_NE(knopf, nullptr);
    EXPECT_TRUE(knopf->isEnabled());
    QTest::mouseClick(knopf, Qt::LeftButton);
    ASSERT_EQ(berichte, 3);
    EXPECT_EQ(anzahl(bericht, kopf), 1);
    QTest::mouseClick(knopf, Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_EQ(berichte, 4);
    EXPECT_EQ(anzahl(bericht, kopf), 0);

    // Pressure and sound in one document: the pressure report stays in front.
    fenster->aktion(QStringLiteral("Druck und Schall berechnen"))->trigger();
    ASSERT_EQ(berichte, 5);
    const int schall =
        static_cast<int>(bericht.indexOf(QStringLiteral("°ÜStrömungsgeräusch und Pegelsenkung.")));
    ASSERT_GT(schall, 0);
    EXPECT_EQ(bericht[schall - 1], QStringLiteral("°XA"));
    EXPECT_EQ(anzahl(bericht, kopf), 1);

    // The summary with "Schall hinzufügen": the worst room's path and the sound summary follow.
    QAction* hinzu = fenster->aktion(QStringLiteral("Schall hinzufügen"));
    hinzu->setChecked(true);
    fenster->aktion(QStringLiteral("Zusammenfassung"))->trigger();
    ASSERT_EQ(berichte, 6);
    EXPECT_EQ(anzahl(bericht, kopf), 1);
    EXPECT_GT(bericht.indexOf(kopf), 0);
    hinzu->setChecked(false);
    fenster->aktion(QStringLiteral("Zusammenfassung"))->trigger();
    ASSERT_EQ(berichte, 7);
    EXPECT_EQ(anzahl(bericht, kopf), 0);
}

TEST_F(SoundNetwork, AttenuationBetweenTwoComponentsPickedInTheTree) {
    fenster->start();
    fenster->knotenAuswaehlen(at("1.4"));
    fenster->aktion(QStringLiteral("Schalldämpfung zwischen 2 Bauteilen..."))->trigger();
    Tk_schall2form* f = fenster->schall2form();
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(f->startnode(), at("1.4"));
    EXPECT_EQ(f->zieltxt()->text(), QStringLiteral("-"));
    EXPECT_TRUE(f->zielRadio()->isChecked());
    EXPECT_FALSE(f->okbutton1()->isEnabled());

    // The target is picked in the tree while the window stays open.
    fenster->knotenAuswaehlen(at("1.5.3"));
    EXPECT_EQ(f->zielnode(), at("1.5.3"));
    ASSERT_TRUE(f->okbutton1()->isEnabled());
    QTest::mouseClick(f->okbutton1(), Qt::LeftButton);
    ASSERT_EQ(berichte, 1);
    EXPECT_TRUE(
        bericht.contains(QStringLiteral("°ÜSchalldämpfung des Kanalnetzes zwischen 2 Bauteilen")));
    EXPECT_TRUE(bericht.contains(QStringLiteral("Aus diesem Grund ist hier ein eigener/nicht "
                                                "überprüfter Weg gewählt worden:")));
    // ducts 1.4, 1.5.1, 1.5.3, the branch passage of 1.5 and the bend 1.5.2
    EXPECT_TRUE(bericht.contains(QStringLiteral("Summe °(delta L|[dB]|7|8|8|8|7|7|7")));

    // Two rooms in different branches: neither lies on the other's way.
    f->startRadio()->setChecked(true);
    fenster->knotenAuswaehlen(at("1.8"));
    f->zielRadio()->setChecked(true);
    fenster->knotenAuswaehlen(at("1.5.5"));
    EXPECT_FALSE(f->Okbutton1Click());
    EXPECT_EQ(berichte, 1);
    ASSERT_FALSE(fragen.isEmpty());
    EXPECT_EQ(fragen.last(), QStringLiteral("Start und Ziel liegen nicht auf einem Schallweg: "
                                            "keines der beiden Bauteile liegt vor dem anderen."));
    // The same node twice.
    fenster->knotenAuswaehlen(at("1.8"));
    EXPECT_FALSE(f->Okbutton1Click());
    EXPECT_EQ(berichte, 1);
    EXPECT_EQ(fragen.last(), QStringLiteral("Start und Ziel dürfen nicht identisch sein"));
    f->hinweis()->setChecked(false);
    fenster->knotenAuswaehlen(at("1.6"));
    f->startRadio()->setChecked(true);
    fenster->knotenAuswaehlen(at("1.8"));
    EXPECT_TRUE(f->Okbutton1Click());
    EXPECT_EQ(berichte, 2);
    EXPECT_FALSE(bericht.contains(QStringLiteral("Aus diesem Grund ist hier ein eigener/nicht "
                                                 "überprüfter Weg gewählt worden:")));
    EXPECT_FALSE(s().geaendert());
}

} // namespace
} // namespace zephan::testing
