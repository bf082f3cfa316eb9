#include "render/page_target.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QIODevice>
#include <benchmark/benchmark.h>

using namespace zephan;

namespace {

void anwendung() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A calculation report of about `seiten` pages: headings, tables that cross pages and repeat
// their heads, and a diagram every 50 pages.
QStringList bericht(int seiten) {
    QStringList m{QStringLiteral("°KS1_0_Ingenieurbüro|Lüftung|Blatt [seite]"),
                  QStringLiteral("°KS1_1_Projekt-Nr: 1||Bearbeiter: Bench"),
                  QStringLiteral("°KS1_2_Projekt: Großprojekt")};
    const int abschnitte = seiten / 2;
    for (int a = 0; a < abschnitte; ++a) {
        m << QStringLiteral("°ÜStrang %1").arg(a + 1)
          << QStringLiteral("°TK1|1,6,*,-10,-10,-10,-10")
          << QStringLiteral("Nr|Bauteil|Länge|v|°(zeta|°(delta p");
        for (int k = 0; k < 88; ++k)
            m << QStringLiteral("%1|Kanal eckig %2x300 Strang %3|%4,0|%5,%6|0,%7|%8,5")
                     .arg(k + 1)
                     .arg(200 + 50 * (k % 8))
                     .arg(a + 1)
                     .arg(k * 10)
                     .arg(k % 9)
                     .arg(k % 10)
                     .arg(k % 7)
                     .arg(k * 3);
        m << QString();
        if (a % 25 == 24) {
            m << QStringLiteral("°Dctyp:2|links:0|breite:80|hoehe:25|text:Kennlinie %1").arg(a)
              << QStringLiteral("°DNtext:Anlage") << "0|0"
              << "100|50"
              << "200|180"
              << "300|400" << QString();
        }
    }
    return m;
}

void BM_LayoutToPdf(benchmark::State& state) {
    anwendung();
    const QStringList m = bericht(static_cast<int>(state.range(0)));
    int seiten = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        TDruck doc;
        doc.m = m;
        doc.sichern();
        TDruckLayout layout(doc);
        layout.messen();
        seiten = layout.AnzahlSeiten();
        // The PDF goes to a sink that keeps nothing, so memory shows what the layout holds.
        class Senke : public QIODevice {
        public:
            qint64 readData(char*, qint64) override { return -1; }
            qint64 writeData(const char*, qint64 n) override {
                geschrieben += n;
                return n;
            }
            qint64 geschrieben = 0;
        } senke;
        senke.open(QIODevice::WriteOnly);
        pdfAusgeben(layout, &senke, pdfInfoFuer(doc));
        bytes = senke.geschrieben;
    }
    state.counters["seiten"] = seiten;
    state.counters["pdf_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_LayoutToPdf)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The report window's road: pages drawn once into pictures (preview), then replayed as PDF.
void BM_PicturesThenPdf(benchmark::State& state) {
    anwendung();
    const QStringList m = bericht(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDruck doc;
        doc.m = m;
        doc.sichern();
        TDruckLayout layout(doc);
        layout.messen();
        TSeitenBilder bilder;
        layout.zeichnen(bilder);
        QByteArray pdf;
        QBuffer puffer(&pdf);
        puffer.open(QIODevice::WriteOnly);
        pdfAusBildern(bilder.seiten, &puffer, pdfInfoFuer(doc));
        state.counters["seiten"] = static_cast<double>(bilder.seiten.size());
        state.counters["pdf_MB"] = static_cast<double>(pdf.size()) / 1e6;
    }
}
BENCHMARK(BM_PicturesThenPdf)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MeasuringPassOnly(benchmark::State& state) {
    anwendung();
    const QStringList m = bericht(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDruck doc;
        doc.m = m;
        doc.sichern();
        TDruckLayout layout(doc);
        layout.messen();
        benchmark::DoNotOptimize(layout.AnzahlSeiten());
    }
}
BENCHMARK(BM_MeasuringPassOnly)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

// One paragraph of `woerter` words, as a pasted text or a long remark gives it.
QStringList absatz(int woerter) {
    QString text;
    text.reserve(woerter * 10);
    for (int k = 0; k < woerter; ++k) {
        if (k > 0) text += QLatin1Char(' ');
        text += QStringLiteral("Wort%1").arg(k % 5000);
        if (k % 97 == 0) text += QStringLiteral(" °(zeta");
    }
    return {QStringLiteral("°ÜLanger Absatz"), text, QStringLiteral("Danach")};
}

// Line breaking of a single paragraph: the time must grow with its length, not its square.
void BM_LongParagraph(benchmark::State& state) {
    anwendung();
    const QStringList m = absatz(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDruck doc;
        doc.m = m;
        doc.sichern();
        TDruckLayout layout(doc);
        layout.messen();
        state.counters["seiten"] = layout.AnzahlSeiten();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LongParagraph)
    ->Arg(25000)
    ->Arg(100000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity(benchmark::oN);

// The same paragraph measured and drawn into a PDF.
void BM_LongParagraphToPdf(benchmark::State& state) {
    anwendung();
    const QStringList m = absatz(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TDruck doc;
        doc.m = m;
        doc.sichern();
        TDruckLayout layout(doc);
        layout.messen();
        QByteArray pdf;
        QBuffer puffer(&pdf);
        puffer.open(QIODevice::WriteOnly);
        pdfAusgeben(layout, &puffer, pdfInfoFuer(doc));
        state.counters["seiten"] = layout.AnzahlSeiten();
    }
}
BENCHMARK(BM_LongParagraphToPdf)
    ->Arg(25000)
    ->Arg(100000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
