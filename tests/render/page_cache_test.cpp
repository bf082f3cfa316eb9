#include "render_support.h"

#include "render/page_cache.h"
#include "support/golden.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QStringList goldenDokument(const char* fall) {
    QFile f(goldenPath(QString::fromLatin1(fall), QStringLiteral("doc.txt")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList z = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!z.isEmpty() && z.last().isEmpty()) z.removeLast();
    return z;
}

// A page played onto an image at 60 dpi.
QImage bild(const TSeitenBild& s) {
    const double f = 60.0 / 254.0;
    QImage b(static_cast<int>(s.druckb * f), static_cast<int>(s.druckh * f), QImage::Format_RGB32);
    b.fill(Qt::white);
    QPainter p(&b);
    p.scale(f, f);
    seiteAbspielen(p, s);
    return b;
}

// Reports that break pages in every way: tables crossing pages with repeated heads, headings
// that move with their text, paragraphs longer than a page, carry-over texts, landscape pages,
// restarted page numbers, head sets that change, lists and indents.
QStringList gemischt() {
    QStringList m{QStringLiteral("°KS1_0_Büro|Mitte|Blatt [seite]/[seiten]"),
                  QStringLiteral("°KS1_1_Projekt-Nr: 3"), QStringLiteral("°KS1_2_Projekt: Test"),
                  QStringLiteral("°KS2_0_Folgeseite [seite]"), QStringLiteral("°U Übertrag")};
    QString lang;
    for (int k = 0; k < 900; ++k) lang += QStringLiteral("Wort%1 ").arg(k);
    for (int a = 0; a < 6; ++a) {
        m << QStringLiteral("°ÜAbschnitt °(colfett %1").arg(a) << QStringLiteral("°TK1|1,8,*,-20")
          << QStringLiteral("Nr|Bauteil|°(delta p");
        for (int k = 0; k < 45 + 7 * a; ++k)
            m << QStringLiteral("%1|Kanal %2 mit einem längeren Namen, der umbricht, wenn er "
                                "zu lang wird für die Spalte|%3,5")
                     .arg(k)
                     .arg(a)
                     .arg(k % 9);
        m << QString() << QStringLiteral("°L2") << lang << QStringLiteral("°L0");
        m << QStringLiteral("°N1") << QStringLiteral("Punkt eins") << QStringLiteral("Punkt zwei")
          << QString();
        if (a == 2) m << QStringLiteral("°Q1") << QStringLiteral("Querformat") << lang;
        if (a == 3) m << QStringLiteral("°Q0") << QStringLiteral("°XA0");
        if (a == 4) m << QStringLiteral("°XB") << QStringLiteral("°XC2") << lang;
    }
    return m;
}

// Every page drawn on its own, the last first, is the page the whole drawing pass draws.
void jedeSeiteAllein(const QStringList& dokument, const char* name) {
    Gelegt g(dokument);
    TSeitenBilder alle;
    ASSERT_TRUE(g.layout->zeichnen(alle)) << name;
    ASSERT_EQ(alle.seiten.size(), g.seiten()) << name;
    for (int p = g.seiten() - 1; p >= 0; --p) {
        TSeitenBilder eine;
        ASSERT_TRUE(g.layout->seitenZeichnen(eine, p + 1, p + 1)) << name << " Seite " << p + 1;
        ASSERT_EQ(eine.seiten.size(), 1) << name << " Seite " << p + 1;
        EXPECT_EQ(eine.seiten[0].druckb, alle.seiten[p].druckb);
        EXPECT_EQ(eine.seiten[0].druckh, alle.seiten[p].druckh);
        EXPECT_TRUE(bild(eine.seiten[0]) == bild(alle.seiten[p])) << name << " Seite " << p + 1;
    }
}

} // namespace

TEST(SeitenEinzeln, GleichenDemGanzenZeichenlauf) {
    for (const char* fall :
         {"render_text", "render_tabellen", "render_seiten", "render_bilder", "render_diagramm"}) {
        const QStringList d = goldenDokument(fall);
        ASSERT_FALSE(d.isEmpty()) << fall;
        jedeSeiteAllein(d, fall);
    }
    const QStringList m = gemischt();
    Gelegt g(m);
    // The document really has pages that begin inside a paragraph and landscape pages.
    int imAbsatz = 0, quer = 0;
    for (const TSeitenEintrag& s : g.layout->seiten()) {
        imAbsatz += s.startZeile < 0;
        quer += s.quer;
    }
    EXPECT_GE(imAbsatz, 3);
    EXPECT_GE(quer, 1);
    jedeSeiteAllein(m, "gemischt");
}

TEST(SeitenEinzeln, BereichAufEinGeraet) {
    Gelegt g(gemischt());
    ASSERT_GE(g.seiten(), 12);
    QTemporaryDir dir;
    const QString ganz = dir.filePath(QStringLiteral("ganz.pdf"));
    ASSERT_TRUE(pdfAusgeben(*g.layout, ganz, pdfInfoFuer(g.doc)));
    QStringList alle = pdfText(ganz).split(QLatin1Char('\f'));

    // Pages 5 to 7, twice, onto one PDF.
    QFile f(dir.filePath(QStringLiteral("bereich.pdf")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    {
        QPdfWriter pdf(&f);
        TGeraeteZiel ziel(&pdf);
        int geschrieben = 0;
        ziel.nachSeite = [&](int n) {
            geschrieben = n;
            return true;
        };
        ASSERT_TRUE(g.layout->seitenZeichnen(ziel, 5, 7));
        ASSERT_TRUE(g.layout->seitenZeichnen(ziel, 5, 7));
        ASSERT_TRUE(ziel.abschliessen());
        EXPECT_EQ(geschrieben, 6);
    }
    f.close();
    const QStringList teil = pdfText(f.fileName()).split(QLatin1Char('\f'));
    ASSERT_GE(teil.size(), 6);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(teil[k], alle[4 + k % 3]) << "Seite " << k;

    // A range beyond the end is cut at the last page; an empty range draws nothing.
    TSeitenBilder rest;
    EXPECT_TRUE(g.layout->seitenZeichnen(rest, g.seiten() - 1, g.seiten() + 5));
    EXPECT_EQ(rest.seiten.size(), 2);
    TSeitenBilder keine;
    EXPECT_FALSE(g.layout->seitenZeichnen(keine, 4, 3));
    EXPECT_TRUE(keine.seiten.isEmpty());
}

TEST(SeitenSpeicher, ZeichnetNurGefragteSeitenUndBehaeltWenige) {
    Gelegt g(gemischt());
    const int n = g.seiten();
    ASSERT_GE(n, 12);
    TSeitenSpeicher speicher(*g.layout, 3);
    EXPECT_EQ(speicher.anzahl(), n);
    EXPECT_EQ(speicher.eintrag(n - 1).druckh, g.layout->seiten().last().druckh);
    EXPECT_EQ(speicher.zeichnungen(), 0); // sizes come from the measuring pass

    const auto letzte = speicher.seite(n - 1);
    EXPECT_EQ(speicher.zeichnungen(), 1);
    speicher.seite(0);
    speicher.seite(1);
    EXPECT_EQ(speicher.seite(n - 1), letzte); // still kept: not drawn again
    EXPECT_EQ(speicher.zeichnungen(), 3);
    // A fourth page pushes out the one asked for longest ago: page 0, not page 1.
    speicher.seite(2);
    EXPECT_EQ(speicher.zeichnungen(), 4);
    speicher.seite(1);
    EXPECT_EQ(speicher.zeichnungen(), 4);
    speicher.seite(0);
    EXPECT_EQ(speicher.zeichnungen(), 5);
    // A page dropped and drawn again is the same page.
    TSeitenBilder alle;
    ASSERT_TRUE(g.layout->zeichnen(alle));
    EXPECT_TRUE(bild(*speicher.seite(1)) == bild(alle.seiten[1]));
    EXPECT_TRUE(bild(*letzte) == bild(alle.seiten[n - 1]));
}

namespace {
QString pdfInfoText(const QByteArray& pdf) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("i.pdf")));
    f.open(QIODevice::WriteOnly);
    f.write(pdf);
    f.close();
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {f.fileName()});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
QString infoZeile(const QString& info, const QString& schluessel) {
    for (const QString& z : info.split(QLatin1Char('\n')))
        if (z.startsWith(schluessel + QLatin1Char(':')))
            return z.mid(schluessel.size() + 1).trimmed();
    return QStringLiteral("<fehlt>");
}
} // namespace

TEST(PdfInfo, TitelIstDieErsteUeberschriftUndErstellerZephan) {
    Gelegt g({QStringLiteral("°KS1_0_Büro"), QStringLiteral("Vorspann"),
              QStringLiteral("°Ü°(colfett Druckverlust °(colrot Strang 1 °(delta p"),
              QStringLiteral("°ÜZweite Überschrift")});
    QByteArray pdf;
    QBuffer puffer(&pdf);
    puffer.open(QIODevice::WriteOnly);
    TPdfInfo info = pdfInfoFuer(g.doc);
    EXPECT_EQ(info.titel, QStringLiteral("Druckverlust Strang 1 Δp"));
    ASSERT_TRUE(pdfAusgeben(*g.layout, &puffer, info));
    const QString i = pdfInfoText(pdf);
    EXPECT_EQ(infoZeile(i, QStringLiteral("Title")), QStringLiteral("Druckverlust Strang 1 Δp"))
        << i.toStdString();
    EXPECT_EQ(infoZeile(i, QStringLiteral("Creator")), "Zephan") << i.toStdString();

    // Without a heading the report is named after the program.
    Gelegt ohne({QStringLiteral("Nur Text")});
    EXPECT_EQ(pdfInfoFuer(ohne.doc).titel, "Zephan-Bericht");
    QByteArray pdf2;
    QBuffer puffer2(&pdf2);
    puffer2.open(QIODevice::WriteOnly);
    ASSERT_TRUE(pdfAusgeben(*ohne.layout, &puffer2, pdfInfoFuer(ohne.doc)));
    EXPECT_EQ(infoZeile(pdfInfoText(pdf2), QStringLiteral("Title")), "Zephan-Bericht");
}
