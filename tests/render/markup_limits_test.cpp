#include "render_support.h"

#include "render/diagram.h"
#include "render/masse.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

// The drawing of every page of a laid-out document, as the preview records it.
QList<TSeitenBild> gezeichnet(Gelegt& g) {
    TSeitenBilder bilder;
    EXPECT_TRUE(g.layout->zeichnen(bilder));
    EXPECT_TRUE(g.layout->fehler().isEmpty());
    return bilder.seiten;
}

// Whether everything drawn on a page lies on its paper (the white page itself included).
bool aufDemPapier(const TSeitenBild& s) {
    return QRect(0, 0, s.druckb + 1, s.druckh + 1).contains(s.bild.boundingRect());
}

} // namespace

// Column widths far beyond the paper ("99999999999" percent, 1e308) are held to the paper
// width: the table stays within two paper widths instead of landing anywhere.
TEST(MarkupLimits, TableWidthsAreHeldToThePaper) {
    for (const QString w : {"99999999999", "1e308", "-1e308", "1e-308"}) {
        Gelegt g({"°TK0|0," + w + ",10", "links|rechts", QString(), "Danach"});
        ASSERT_EQ(g.seiten(), 1);
        const QList<TSeitenBild> s = gezeichnet(g);
        ASSERT_EQ(s.size(), 1);
        const QRect r = s[0].bild.boundingRect();
        EXPECT_GE(r.left(), 0) << w.toStdString();
        EXPECT_LE(r.right(), 2 * 2100 + 200) << w.toStdString();
        // A right-aligned column as wide as the paper sets its text beyond the paper.
        if (!w.startsWith(QLatin1Char('-'))) {
            EXPECT_TRUE(seitenTexte(g).value(0).contains(QStringLiteral("links")));
        }
    }
}

// An indent wider than the text puts the text at the right margin, one word a line.
TEST(MarkupLimits, IndentIsHeldToTheTextWidth) {
    Gelegt g({"°L2147483647", "Text hier", "°L0", "wieder links"});
    const QString t = seitenTexte(g).value(0);
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("Text\\s+hier")))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("wieder links")));
    EXPECT_TRUE(aufDemPapier(gezeichnet(g).value(0)));
}

// A list may start at the largest whole number and count on past it.
TEST(MarkupLimits, ListCountsOnPastTheLargestStart) {
    Gelegt g({"°N1,2147483647", "eins", "zwei", QString(), "Ende"});
    const QString t = seitenTexte(g).value(0);
    EXPECT_TRUE(t.contains(QStringLiteral("2147483647)"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("2147483648)"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("-2147483648)")));
}

// A diagram placed at 2147483647 percent is as wide as the paper at most, as high as the
// text area at most, and stays on the paper.
TEST(MarkupLimits, DiagramPlacementIsHeldToThePage) {
    const QStringList diagramm{"°Dctyp:1|links:2147483647|breite:2147483647|hoehe:2147483647",
                               "°DNtext:a",
                               "1|2",
                               "3|4",
                               QString(),
                               "Danach"};
    Gelegt g(diagramm);
    ASSERT_EQ(g.seiten(), 2); // the diagram fills the text area, the line after it follows
    const QList<TSeitenBild> s = gezeichnet(g);
    for (const TSeitenBild& b : s) EXPECT_TRUE(aufDemPapier(b)) << b.bild.boundingRect().x();
    EXPECT_TRUE(seitenTexte(g).value(1).contains(QStringLiteral("Danach")));
    Gelegt links({"°Dctyp:1|links:-2147483647|breite:50|hoehe:20", "°DNtext:a", "1|2"});
    for (const TSeitenBild& b : gezeichnet(links)) EXPECT_TRUE(aufDemPapier(b));
}

// Values of 1e308 (and their sums, which overflow to infinity) draw inside the diagram's frame.
TEST(MarkupLimits, DiagramOfHugeValuesDrawsInsideItsFrame) {
    const QList<QStringList> faelle{
        {"°Dctyp:1|breite:50|hoehe:20", "°DNtext:a", "1e308|1e308", "-1e308|-1e308", "0|0"},
        {"°Dctyp:4|breite:50|hoehe:20", "°DXvon:-1e308|bis:1e308|step:1e307", "°DNtext:a",
         "1e308|1e308", "1e308|1e308", "-1e308|-1e308"},
        {"°Dctyp:3|breite:50|hoehe:20", "°DXvon:0|bis:10|step:1", "°DNtext:a|size:2147483647",
         "1e308|1e308", "5|-1e308"},
        {"°Dctyp:2|breite:50|hoehe:20", "°DXtyp:2", "°DNtext:a|nach:-2147483648", "1e308|1e308"},
    };
    for (const QStringList& f : faelle) {
        guiAnwendung();
        tDiagramm d;
        const int typ = f[0].mid(7, 1).toInt();
        d.Clear(static_cast<tDiagramm_typ>(typ), QStringLiteral("Groß"), true, true);
        for (int k = 1; k < f.size(); ++k) {
            if (f[k].startsWith(QStringLiteral("°D")))
                d.st(f[k].mid(2));
            else
                d.addZeile(f[k]);
        }
        d.links = 300;
        d.oben = 400;
        d.breite = 1000;
        d.hoehe = 600;
        QPicture bild;
        {
            QPainter p(&bild);
            TmyCanvas c;
            c.painter = &p;
            d.draw(c);
        }
        const QRect rahmen(300, 400, 1001, 601);
        EXPECT_TRUE(rahmen.contains(bild.boundingRect()))
            << f.join('/').toStdString() << ": " << bild.boundingRect().x() << ","
            << bild.boundingRect().y() << " " << bild.boundingRect().width() << "x"
            << bild.boundingRect().height();
        // And the same block in a document lays out on one page.
        Gelegt g(f);
        EXPECT_EQ(g.seiten(), 1);
        for (const TSeitenBild& b : gezeichnet(g)) EXPECT_TRUE(aufDemPapier(b));
    }
}

// A picture asked for at 1e9 mm is at most as wide as the paper; placed by position it stays
// on the paper, placed at the margin it reaches no further than a paper-wide one.
TEST(MarkupLimits, PicturePlacementIsHeldToThePaper) {
    QString module;
    for (int k = 0; k < 21 * 21; ++k) module += (k % 3) ? QLatin1Char('0') : QLatin1Char('1');
    const QString def = QStringLiteral("°GXqr|QRDATA|w=21,h=21,data=") + module;
    for (const QString platz : {"°GNqr,B1e9,L1e9,O1e9", "°GNqr,B1e9", "°GNqr,B20,L-1e9,O-1e9",
                                "°GNqr,B1e308%", "°GNqr,L1e9"}) {
        Gelegt g({def, "Davor", platz, "Danach"});
        EXPECT_TRUE(g.layout->meldungen().isEmpty()) << platz.toStdString();
        const QList<TSeitenBild> s = gezeichnet(g);
        for (const TSeitenBild& b : s) {
            const QRect r = b.bild.boundingRect();
            if (platz.contains(QLatin1Char('L'))) {
                EXPECT_TRUE(aufDemPapier(b)) << platz.toStdString() << ": " << r.width();
            }
            EXPECT_TRUE(QRect(0, 0, 2100 + 200 + 1, 2971).contains(r))
                << platz.toStdString() << ": " << r.width() << "x" << r.height();
        }
        EXPECT_TRUE(seitenTexte(g).join(QString()).contains(QStringLiteral("Danach")));
    }
}

// Font sizes, escapes and widths at their largest keep every width in range: a line of
// thousands of 500-point characters without a blank is measured and set without overflow.
TEST(MarkupLimits, HugeWordsAtTheLargestSize) {
    const QString wort(200000, QLatin1Char('W'));
    Gelegt g({"°H500", wort, "°(colfs500 " + wort + "\t" + wort, "°T0|B,*", wort + "|x", "a|b", "",
              "°.VVVV" + wort, "°H10", "Ende"});
    EXPECT_GE(g.seiten(), 3);
    EXPECT_TRUE(seitenTexte(g).last().contains(QStringLiteral("Ende")));
    TmyCanvas c;
    c.font.groesse = 500;
    // Far wider than any paper, and held at the bound rather than wrapping round.
    EXPECT_EQ(c.mytextwidth(wort), massGrenze);
    EXPECT_EQ(c.mytextwidth(wort + "\t" + wort + "°(zeta " + wort), massGrenze);
}
