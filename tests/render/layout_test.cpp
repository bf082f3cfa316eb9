#include "render_support.h"

#include "render/diagram.h"
#include "render/table_design.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <limits>

using namespace zephan;

namespace {

QStringList zeilen(int n, const QString& prefix = QStringLiteral("Zeile ")) {
    QStringList z;
    for (int k = 0; k < n; ++k) z << prefix + QString::number(k);
    return z;
}

} // namespace

// 66 lines of 3.8 mm fit between 20 mm and the foot zone of an A4 page.
TEST(Layout, PageStartsOfPlainText) {
    Gelegt g(zeilen(150));
    EXPECT_EQ(g.starts(), (QList<int>{0, 66, 132}));
    EXPECT_EQ(g.nummern(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(g.layout->seiten()[0].oben, 200);
}

TEST(Layout, DocumentOfOnlyPageBreaksGivesOnePage) {
    Gelegt g({QStringLiteral("°XA"), QStringLiteral("°XA"), QStringLiteral("°XA0")});
    EXPECT_EQ(g.seiten(), 1);
    Gelegt leer(QStringList{});
    EXPECT_EQ(leer.seiten(), 1);
    // A break at the top of an empty page makes no blank page either.
    Gelegt oben({QStringLiteral("°XA"), QStringLiteral("Text"), QStringLiteral("°XA")});
    EXPECT_EQ(oben.seiten(), 1);
}

TEST(Layout, ThreeHeadLinesPutTheFirstTextLineAt30mm) {
    QStringList d{QStringLiteral("°KS1_0_Firma|Mitte|Rechts"),
                  QStringLiteral("°KS1_1_Projekt-Nr: 1"), QStringLiteral("°KS1_2_Projekt: Test"),
                  QStringLiteral("Text")};
    Gelegt g(d);
    EXPECT_EQ(g.layout->seiten()[0].oben, 300);
    d.removeAt(2);
    Gelegt zwei(d);
    EXPECT_EQ(zwei.layout->seiten()[0].oben, 260);
}

TEST(Layout, HeadingInTheLowerHalfMovesWithItsText) {
    QStringList d = zeilen(40);
    d << QStringLiteral("°ÜÜberschrift unten") << zeilen(40, QStringLiteral("Danach "));
    Gelegt g(d);
    EXPECT_EQ(g.starts(), (QList<int>{0, 40}));
    // The same heading at the top of a page stays there.
    QStringList oben = zeilen(66);
    oben << QStringLiteral("°ÜÜberschrift oben") << zeilen(100, QStringLiteral("Danach "));
    Gelegt h(oben);
    EXPECT_EQ(h.starts(), (QList<int>{0, 66, 131}));
}

TEST(Layout, NumberingRestartsAndCountsPagesPerRun) {
    Gelegt g({"A", "°XA", "B", "°XA0", "C", "°XA", "D", "°XA", "E"});
    EXPECT_EQ(g.nummern(), (QList<int>{1, 2, 1, 2, 3}));
    QList<int> gesamt;
    for (const auto& s : g.layout->seiten()) gesamt << s.seitenGesamt;
    EXPECT_EQ(gesamt, (QList<int>{2, 2, 3, 3, 3}));
    const QStringList t = seitenTexte(g);
    ASSERT_EQ(t.size(), 5);
    EXPECT_TRUE(t[1].contains(QStringLiteral("Seite 2/2")));
    EXPECT_TRUE(t[2].contains(QStringLiteral("Seite 1/3")));
    EXPECT_TRUE(t[4].contains(QStringLiteral("01.03.2024")));
}

TEST(Layout, TableRepeatsItsHeadOnTheNextPage) {
    QStringList d{QStringLiteral("°TK1|1,10,*"), QStringLiteral("Nr|Bauteil")};
    for (int k = 0; k < 80; ++k)
        d << QString::number(k) + QStringLiteral("|Kanal ") + QString::number(k);
    d << QString();
    Gelegt g(d);
    ASSERT_EQ(g.seiten(), 2);
    const QStringList t = seitenTexte(g);
    EXPECT_TRUE(t[0].trimmed().startsWith(QStringLiteral("Nr")));
    EXPECT_TRUE(t[1].trimmed().startsWith(QStringLiteral("Nr"))) << t[1].left(40).toStdString();
    // A table that ends right after its head rows draws nothing.
    Gelegt leer({QStringLiteral("°TK1|1,10,*"), QStringLiteral("Kopf|Zeile"), QString(), "Text"});
    EXPECT_FALSE(seitenTexte(leer).value(0).contains(QStringLiteral("Kopf")));
}

// A kept block that moves is laid out again from the state it began with: a list inside it
// counts from 1 on the new page, not on from where the old page stopped.
TEST(Layout, KeptBlockRestoresTheWholeStateWhenItMoves) {
    QStringList d = zeilen(60);
    d << QStringLiteral("°XB") << QStringLiteral("°N1") << "eins"
      << "zwei"
      << "drei"
      << "vier" << QString() << "Ende";
    Gelegt g(d);
    ASSERT_EQ(g.starts(), (QList<int>{0, 61}));
    const QStringList t = seitenTexte(g);
    ASSERT_EQ(t.size(), 2);
    EXPECT_TRUE(t[1].contains(QStringLiteral("1)")));
    EXPECT_TRUE(t[1].contains(QStringLiteral("4)")));
    EXPECT_FALSE(t[1].contains(QStringLiteral("5)")));
    EXPECT_FALSE(t[0].contains(QStringLiteral("eins")));
}

// A picture that does not fit below the text goes to the next page whole instead of being
// squeezed into the rest of the page.
TEST(Layout, PictureNearTheFootStartsTheNextPage) {
    QString module;
    for (int k = 0; k < 21 * 21; ++k) module += (k % 3) ? QLatin1Char('0') : QLatin1Char('1');
    QStringList d{QStringLiteral("°GXqr|QRDATA|w=21,h=21,data=") + module};
    d << zeilen(60) << QStringLiteral("°GNqr") << QStringLiteral("Nach dem Bild");
    Gelegt g(d);
    EXPECT_EQ(g.starts(), (QList<int>{0, 61}));
    EXPECT_TRUE(g.layout->meldungen().isEmpty()) << g.layout->meldungen().join(';').toStdString();
}

// A row higher than a page breaks inside its cells and goes on over the next pages, each
// with the head above it; nothing is lost at the page foot.
TEST(Layout, RowTallerThanAPageBreaksInsideItsCells) {
    QString lang;
    for (int k = 0; k < 1200; ++k) lang += QStringLiteral("Wort%1 ").arg(k); // about 9 KB
    const QStringList tabelle{"°TK1|1,10,*", "Nr|Beschreibung", "1|" + lang.trimmed(),
                              "2|kurz",      QString(),         "Danach"};
    // At the top of a page, and opened low on a page (the kept table moves first).
    for (const int davor : {0, 60}) {
        Gelegt g(zeilen(davor) + tabelle);
        ASSERT_GE(g.seiten(), 3) << davor;
        EXPECT_EQ(g.layout->seiten()[g.seiten() - 1].startZeile, -1);
        const QStringList t = seitenTexte(g);
        ASSERT_EQ(t.size(), g.seiten());
        const QString alles = t.join(QLatin1Char(' '));
        for (int k = 0; k < 1200; ++k)
            ASSERT_TRUE(alles.contains(QRegularExpression(QStringLiteral("\\bWort%1\\b").arg(k))))
                << "Wort" << k << " fehlt, davor " << davor;
        const int ersteTabellenSeite = davor == 0 ? 0 : 1;
        EXPECT_TRUE(t[ersteTabellenSeite].contains(QStringLiteral("Wort0")));
        for (int p = ersteTabellenSeite; p < t.size(); ++p)
            EXPECT_TRUE(t[p].trimmed().startsWith(QStringLiteral("Nr")))
                << p << ": " << t[p].left(40).toStdString();
        EXPECT_TRUE(t.last().contains(QStringLiteral("kurz")));
        EXPECT_TRUE(t.last().contains(QStringLiteral("Danach")));

        // A page drawn alone (as the preview does) shows what the whole drawing shows.
        TSeitenBilder alle;
        ASSERT_TRUE(g.layout->zeichnen(alle));
        EXPECT_TRUE(g.layout->fehler().isEmpty());
        ASSERT_EQ(alle.seiten.size(), g.seiten());
        for (int p = 1; p <= g.seiten(); ++p) {
            TSeitenBilder eine;
            ASSERT_TRUE(g.layout->seitenZeichnen(eine, p, p));
            ASSERT_EQ(eine.seiten.size(), 1);
            EXPECT_EQ(eine.seiten[0].bild.size(), alle.seiten[p - 1].bild.size()) << p;
        }
    }
}

// A head row higher than half a page is drawn once and not repeated, so the row under it
// still moves on by whole pages of text.
TEST(Layout, HeadHigherThanHalfAPageIsNotRepeated) {
    QString kopf, rumpf;
    for (int k = 0; k < 400; ++k) kopf += QStringLiteral("Kopf%1 ").arg(k);
    for (int k = 0; k < 1500; ++k) rumpf += QStringLiteral("Wort%1 ").arg(k);
    Gelegt g({"°TK1|1,10,*", "K|" + kopf.trimmed(), "1|" + rumpf.trimmed(), QString()});
    const QStringList t = seitenTexte(g);
    ASSERT_EQ(t.size(), g.seiten());
    const QString alles = t.join(QLatin1Char(' '));
    EXPECT_EQ(alles.count(QStringLiteral("Kopf399")), 1);
    for (const QString& w :
         {QStringLiteral("Kopf0"), QStringLiteral("Wort0"), QStringLiteral("Wort1499")})
        EXPECT_TRUE(alles.contains(w)) << w.toStdString();
    EXPECT_LE(g.seiten(), 6);
}

TEST(Layout, PageBreakInsideAParagraph) {
    QStringList d = zeilen(64);
    QString lang;
    for (int k = 0; k < 120; ++k) lang += QStringLiteral("Wort%1 ").arg(k);
    d << lang << QStringLiteral("Danach");
    Gelegt g(d);
    ASSERT_EQ(g.seiten(), 2);
    EXPECT_EQ(g.layout->seiten()[1].startZeile, -1);
    EXPECT_EQ(g.starts()[1], 64);
    const QStringList t = seitenTexte(g);
    EXPECT_TRUE(t[0].contains(QStringLiteral("Wort0")));
    EXPECT_TRUE(t[1].contains(QStringLiteral("Wort119")));
}

TEST(Layout, LandscapeLinesStartANewPageWithExchangedPaper) {
    Gelegt g({"hoch", "°Q1", "quer", "°Q", "wieder hoch"});
    ASSERT_EQ(g.seiten(), 3);
    EXPECT_FALSE(g.layout->seiten()[0].quer);
    EXPECT_TRUE(g.layout->seiten()[1].quer);
    EXPECT_EQ(g.layout->seiten()[1].druckb, 2970);
    EXPECT_EQ(g.layout->seiten()[2].druckb, 2100);
    // At the top of an empty page the page itself turns.
    Gelegt h({"°Q1", "quer"});
    EXPECT_EQ(h.seiten(), 1);
    EXPECT_TRUE(h.layout->seiten()[0].quer);
}

// Bad input gets a message and a sane layout, never a crash or an endless loop.
TEST(Layout, GuardsAndMessages) {
    struct Fall {
        QStringList doc;
        QString meldung; // expected message, empty for none
    };
    QString breit = QStringLiteral("°TK0|0");
    for (int k = 0; k < 102; ++k) breit += QStringLiteral(",1");
    const QList<Fall> faelle{
        {{breit, "a|b", ""}, "Tabelle mit mehr als 101 Spalten: die übrigen Spalten fehlen"},
        {{"°TK0|0,50,50", "°ZC5|", "a|b|c", ""}, ""},
        {{"°TK0|0,0,0", "sehr langer Text in einer Spalte ohne Breite|x", ""}, ""},
        {{"°TK0|0,80,40,*", "a|b|c", ""}, "Tabellenbreite * negativ!"},
        {{"°H0", "Text"}, "Schriftgröße ungültig: 0"},
        {{"°X", "Text"}, "druck.X: Parameter fehlt"},
        {{"°GNfehlt", "Text"}, "Grafik nicht gefunden: fehlt"},
        {{"°GXq|QRDATA|w=2,h=2,data=101", "°GNq"}, "QRDATA w und h ergibt nich data"},
        {{"°Dctyp:9|breite:50|hoehe:20", "1|2"},
         "Diagrammwert ausswerhalb des zulässigen Bereiches"},
        {{"°Dctyp:1|breite:50|hoehe:20", "1|2", "°DNtext:a", "2|3"}, "Keine Datenreihe vorhanden!"},
        {{"°Dctyp:1|breite:0|hoehe:0", "°DNtext:a", "1|2"}, ""},
        {{"°Dctyp:1|breite:50|hoehe:20", "°DNtext:leer"}, ""},
        {{"°Dctyp:1|breite:50|hoehe:20", "°DXvon:0|bis:10|step:0", "°DNtext:a", "1|2"}, ""},
    };
    for (const Fall& f : faelle) {
        Gelegt g(f.doc);
        EXPECT_EQ(g.seiten(), 1) << f.doc.join('\n').toStdString();
        if (f.meldung.isEmpty())
            EXPECT_TRUE(g.layout->meldungen().isEmpty())
                << g.layout->meldungen().join(';').toStdString();
        else
            EXPECT_TRUE(g.layout->meldungen().contains(f.meldung))
                << f.meldung.toStdString() << " in "
                << g.layout->meldungen().join(';').toStdString();
        TSeitenBilder bilder;
        EXPECT_TRUE(g.layout->zeichnen(bilder));
        EXPECT_EQ(bilder.seiten.size(), 1);
    }
}

TEST(Layout, LetterListsGoOnPastTheAlphabet) {
    QStringList d{QStringLiteral("°Na")};
    d << zeilen(28, QStringLiteral("Punkt ")) << QString();
    Gelegt g(d);
    const QString t = seitenTexte(g).join(QString());
    EXPECT_TRUE(t.contains(QStringLiteral("z)")));
    EXPECT_TRUE(t.contains(QStringLiteral("ab)")));
}

// Preview pictures, PDF and PNG follow the same page cache.
TEST(Layout, EveryTargetGetsTheSamePages) {
    QStringList d = zeilen(200);
    d.insert(50, QStringLiteral("°Q1"));
    Gelegt g(d);
    TSeitenBilder bilder;
    ASSERT_TRUE(g.layout->zeichnen(bilder));
    EXPECT_EQ(bilder.seiten.size(), g.seiten());
    EXPECT_EQ(bilder.seiten[1].druckb, 2970);
    QTemporaryDir dir;
    TPngZiel png(dir.filePath(QStringLiteral("png")), 30);
    ASSERT_TRUE(g.layout->zeichnen(png));
    EXPECT_EQ(png.dateien.size(), g.seiten());
    EXPECT_EQ(seitenTexte(g).size(), g.seiten());
    EXPECT_TRUE(g.layout->fehler().isEmpty());
}

TEST(TableDesign, FieldsModifyOrReplace) {
    struct Fall {
        QString alt, feld, neu;
    };
    const QList<Fall> faelle{
        {"LR", "+U", "LRU"}, {"LUR", "-U", "LR"},   {"LU2R", "-U", "LR"},  {"l", "+r", "r"},
        {"o", "+u", "u"},    {"LUR", "", "LUR"},    {"LUR", "+", "LUR"},   {"LUR", "F", "F"},
        {"", "+C2", "C2"},   {"C2L", "+C3", "LC3"}, {"LOUR", "-O", "LUR"}, {"LR", "+U2F", "LRU2F"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(designAnwenden(f.alt, f.feld), f.neu)
            << f.alt.toStdString() << " " << f.feld.toStdString();
    const TZellDesign z = designLesen(u"rmL2UC3H2FQ");
    EXPECT_EQ(z.horizontal, 'r');
    EXPECT_EQ(z.vertikal, 'm');
    EXPECT_EQ(z.links, 4);
    EXPECT_EQ(z.unten, 1);
    EXPECT_EQ(z.spalten, 3);
    EXPECT_EQ(z.zeilen, 2);
    EXPECT_TRUE(z.fett && z.quer);
}

TEST(TableDesign, DefinitionLine) {
    const TTabellenDefinition a = tabellenDefinitionLesen(u"K0|1,80,-15");
    EXPECT_EQ(a.koepfe, 0);
    EXPECT_EQ(a.stil, 1);
    EXPECT_EQ(a.breiten, (QStringList{"80", "-15"}));
    EXPECT_EQ(rumpfDesignFuerStil(1, 0, a.koepfe > 0), QStringLiteral("LOUR"));
    const TTabellenDefinition b = tabellenDefinitionLesen(u"1,80,-15");
    EXPECT_EQ(b.koepfe, 1);
    EXPECT_EQ(rumpfDesignFuerStil(1, 0, b.koepfe > 0), QStringLiteral("LUR"));
    EXPECT_EQ(rumpfDesignFuerStil(3, 1, true), QStringLiteral("L"));
    EXPECT_EQ(tabellenDefinitionLesen(u"K|,*").stil, 0);
}

TEST(Diagram, LadderValues) {
    const QList<std::pair<double, double>> hoch{{0, 0},   {1, 2},       {3, 5},
                                                {11, 15}, {76, 100},    {101, 150},
                                                {-3, -5}, {1600, 2000}, {7400, 7500}};
    for (auto [v, l] : hoch) EXPECT_EQ(tDiagramm::ladderUp(v), l) << v;
    // Values between 0 and 2 go down to 0, not up to 2.
    const QList<std::pair<double, double>> runter{{0.5, 0}, {1.99, 0}, {2, 2},    {4, 2},
                                                  {97, 75}, {-3, -5},  {160, 150}};
    for (auto [v, l] : runter) EXPECT_EQ(tDiagramm::ladderDown(v), l) << v;
}

TEST(Diagram, TicksLandOnZeroAndAlwaysEnd) {
    EXPECT_EQ(tDiagramm::ticks(-15, 30, 10), (QList<double>{-15, -5, 0, 10, 20, 30}));
    EXPECT_EQ(tDiagramm::ticks(5, 10, 0), (QList<double>{5}));
    EXPECT_EQ(tDiagramm::ticks(5, 10, -1), (QList<double>{5}));
    EXPECT_EQ(tDiagramm::ticks(0, 1e12, 1).size(), 1000);
}

TEST(Diagram, AutomaticScaling) {
    guiAnwendung();
    struct Fall {
        QList<double> y;
        double von, bis, step;
    };
    const QList<Fall> faelle{
        {{-3, 50, 97}, -10, 100, 10},
        {{0.5, 1.5}, 0, 2, 2},
        {{5, 5}, 5, 6, 1},
    };
    for (const Fall& f : faelle) {
        tDiagramm d;
        d.Clear(dia_linie, QString(), false, false);
        d.st(QStringLiteral("Ntext:a"));
        for (int k = 0; k < f.y.size(); ++k) d.add(k, f.y[k]);
        d.breite = 1000;
        d.hoehe = 600;
        TmyCanvas c;
        d.draw(c);
        EXPECT_EQ(d.yachse_.von_, f.von);
        EXPECT_EQ(d.yachse_.bis_, f.bis);
        EXPECT_EQ(d.yachse_.step_, f.step);
        EXPECT_EQ(d.xachse_.text_, QStringLiteral("Achse"));
    }
}

TEST(Diagram, SettingsLines) {
    tDiagramm d;
    d.st(QStringLiteral("Xvon:1.000,5|bis:2000|step:250|text:Volumenstrom|typ:3"));
    EXPECT_EQ(d.xachse_.von_, 1000.5);
    EXPECT_EQ(d.xachse_.bis_, 2000);
    EXPECT_EQ(d.xachse_.step_, 250);
    EXPECT_EQ(d.xachse_.TextFormat_, at_datumTMY);
    d.st(QStringLiteral("yvon:0|bis:10"));
    EXPECT_TRUE(d.yachse2_.enabled_);
    d.st(QStringLiteral("Ntext:Netz|typ:3|farbe:#00FF00|size:4|mtyp:2|schatten:1"));
    d.st(QStringLiteral("Ntext:Zweite"));
    ASSERT_EQ(d.datenreihen.count(), 2);
    const TDatenreihe& r = d.datenreihen.list[0];
    EXPECT_EQ(r.typ, dia_saeule_gruppiert);
    EXPECT_EQ(r.Farbe, QColor(0, 255, 0));
    EXPECT_EQ(r.mark.size, 4);
    EXPECT_EQ(r.mark.typ, 2);
    EXPECT_TRUE(r.mark.schatten && r.aufAchseY2_);
    EXPECT_EQ(d.datenreihen.list[1].Farbe, QColor(0, 0, 255)); // the second default colour
}

TEST(Diagram, RecordingModeWritesTheBlock) {
    TDruck doc;
    tDiagramm d;
    d.drucken = true;
    d.dokument = &doc;
    d.Clear(dia_linie, QStringLiteral("Kurve"), true, false);
    d.NeueReihe(QStringLiteral("Netz"), 1, 1, 0xFF0000);
    d.add(1, 2.5);
    d.setAchse(QStringLiteral("X"), "0", "10", "1", QStringLiteral("V"));
    EXPECT_EQ(doc.m, (QStringList{"°Dctyp:1|links:0|breite:100|hoehe:40|text:Kurve|hliniex:1",
                                  "°DNtext:Netz|nach:1|typ:1|farbe:#FF0000", "1,0|2,5",
                                  "°DXvon:0|bis:10|step:1|text:V"}));
}

TEST(Canvas, InlineEscapes) {
    guiAnwendung();
    TmyCanvas c;
    // Symbols and literal words advance by their width plus 3, fragments by theirs plus 2.
    const int a = c.textwidth(u"a");
    EXPECT_EQ(c.mytextwidth(u"a"), a + 2);
    EXPECT_EQ(c.mytextwidth(u"°(zeta "), c.textwidth(QString(QChar(0x03B6))) + 3);
    EXPECT_EQ(c.mytextwidth(u"°(lamda "), c.textwidth(u"lamda") + 3);
    EXPECT_EQ(c.mytextwidth(u"°.V "), c.textwidth(u"V") + 1);
    // Subscript at two thirds of the height; the style ends with the call.
    const int sub = c.mytextwidth(u"°(sub 1°(-sub");
    TSchrift klein;
    EXPECT_EQ(sub, SchriftMetrik::breite(klein, c.h() * 2 / 3, u"1") + 2);
    EXPECT_EQ(c.font.index, 0);
    c.mytextout(0, 0, u"°(colfett °(colrot x");
    EXPECT_TRUE(c.font.fett);
    EXPECT_EQ(c.font.farbe, 0xFFFF0000u);
    c.mytextout(0, 0, u"°(col- x");
    EXPECT_FALSE(c.font.fett);
    c.mytextout(0, 0, u"°(colfs14 °(color#00FF00 x");
    EXPECT_EQ(c.font.groesse, 14);
    EXPECT_EQ(c.font.farbe, 0xFF00FF00u);
    c.mytextout(0, 0, u"°(colfs0 x");
    EXPECT_EQ(c.font.groesse, 14);
    EXPECT_EQ(TmyCanvas::farbeLesen(u"clBlue"), QColor(0, 0, 255));
    EXPECT_EQ(TmyCanvas::farbeLesen(u"unbekannt"), QColor(Qt::black));
}

// The quick fit check of the table cells never says "fits" where the measured width does not,
// and stays within a tenth of it, so the measuring pass can leave most cells unshaped.
TEST(Canvas, QuickFitNeverExceedsTheMeasuredWidth) {
    guiAnwendung();
    const QStringList texte{"AV",
                            "To",
                            "LT",
                            "Yo",
                            "ff",
                            "fi",
                            "1.234,56",
                            "-12,5",
                            "Übergangsstück",
                            "Zuluftauslass Raum 12",
                            "WAVY Tower",
                            "ÄÖÜß äöü",
                            "500×300",
                            "W",
                            "(Pa)",
                            "r/d=1,0",
                            "  zwei  Blanks "};
    for (const bool fett : {false, true}) {
        for (const int groesse : {8, 10, 14}) {
            TSchrift s;
            s.fett = fett;
            s.groesse = groesse;
            const int h = s.hoehe();
            for (const QString& t : texte) {
                SCOPED_TRACE(t.toStdString());
                const int genau = SchriftMetrik::breite(s, h, t);
                const int schranke = SchriftMetrik::breiteHoechstens(s, h, t);
                EXPECT_GE(schranke, genau);
                // Kerning that narrows a pair is left out of the bound.
                EXPECT_LE(schranke, genau * 11 / 10 + 3);
            }
        }
    }
    // Beyond Latin-1 there is no bound.
    TSchrift s;
    EXPECT_EQ(SchriftMetrik::breiteHoechstens(s, s.hoehe(), u"⌀"), std::numeric_limits<int>::max());

    TmyCanvas c;
    const int w = c.mytextwidth(u"Kanal 500×300");
    EXPECT_TRUE(c.passtSicher(u"Kanal 500x300", w + 10));
    EXPECT_FALSE(c.passtSicher(u"Kanal 500x300", c.mytextwidth(u"Kanal 500x300") - 1));
    EXPECT_FALSE(c.passtSicher(u"°(colfett Kanal", 100000)); // escapes are measured
    EXPECT_FALSE(c.passtSicher(u"a\tb", 100000));            // so are tabs
    EXPECT_FALSE(c.passtSicher(u"°.V ", 100000));
    const int bogen = c.mytextwidth(u"Bogen 90°"); // a degree sign is text
    EXPECT_TRUE(c.passtSicher(u"Bogen 90°", bogen * 11 / 10 + 4));
}
