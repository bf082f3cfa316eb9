#include "render_support.h"

#include "support/golden_picture.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QStringList dokument(const QString& fall) {
    QFile f(goldenPath(fall, QStringLiteral("doc.txt")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString t = QString::fromUtf8(f.readAll());
    QStringList z = t.split(QLatin1Char('\n'));
    if (!z.isEmpty() && z.last().isEmpty()) z.removeLast();
    return z;
}

} // namespace

// Each document covers a group of markup elements: the page count, the line each page begins
// with and the text of the PDF are kept as reviewed files, and one page of each as PNG.
class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, PagesAndPdfText) {
    const QString fall = QString::fromLatin1(GetParam());
    const QStringList doc = dokument(fall);
    ASSERT_FALSE(doc.isEmpty()) << fall.toStdString();
    Gelegt g(doc);
    QString seiten = QStringLiteral("pages\t%1\n").arg(g.seiten());
    for (int p = 0; p < g.seiten(); ++p) {
        const TSeitenEintrag& s = g.layout->seiten()[p];
        const int z = g.layout->dokumentZeile(s.ersteZeile);
        seiten += QStringLiteral("page\t%1\t%2\t%3\t%4\n")
                      .arg(p + 1)
                      .arg(z + 1)
                      .arg(s.seitenNummer)
                      .arg(doc.value(z).left(60));
    }
    seiten += QStringLiteral("messages\t") + g.layout->meldungen().join(QStringLiteral(" / ")) +
              QLatin1Char('\n');
    expectGolden(fall, QStringLiteral("pages.txt"), seiten);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("doc.pdf"));
    ASSERT_TRUE(pdfAusgeben(*g.layout, pdf, pdfInfoFuer(g.doc)));
    expectGolden(fall, QStringLiteral("text.txt"), pdfText(pdf, true));

    // The first page drawn as a picture, against the reviewed one.
    TPngZiel png(dir.filePath(QStringLiteral("png")), 100);
    ASSERT_TRUE(g.layout->zeichnen(png));
    expectGoldenBild(fall, QStringLiteral("seite1.png"), png.dateien.value(0));
}

INSTANTIATE_TEST_SUITE_P(Dokumente, Golden,
                         ::testing::Values("render_text", "render_tabellen", "render_seiten",
                                           "render_bilder", "render_diagramm"));

// The picture comparison sees a drawing fault: a bar of 120 × 8 pixels drawn wrongly
// on the reviewed diagram page fails it.
TEST(GoldenBild, AWronglyDrawnPieceFailsTheComparison) {
    if (goldenRewrite()) GTEST_SKIP();
    QImage bild(goldenPath(QStringLiteral("render_diagramm"), QStringLiteral("seite1.png")));
    ASSERT_FALSE(bild.isNull());
    QPainter(&bild).fillRect(QRect(100, 100, 120, 8), Qt::black);
    QTemporaryDir dir;
    const QString datei = dir.filePath(QStringLiteral("falsch.png"));
    ASSERT_TRUE(bild.save(datei));
    EXPECT_NONFATAL_FAILURE(
        expectGoldenBild(QStringLiteral("render_diagramm"), QStringLiteral("seite1.png"), datei),
        "pixels differ");
}
