// The network pressure-loss calculation of every line of a generated project of about
// 100 000 nodes, with its report document; its numbers alone, line by line through the core;
// and, measured apart, the layout of that report on pages written as PDF.

#include "pressure/network_pressure.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "network/project_generator.h"
#include "pressure/calc_context.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "report/report_document.h"

#include <QGuiApplication>
#include <QIODevice>
#include <benchmark/benchmark.h>

namespace {

using namespace zephan;

struct Projekt100k {
    ProjektBaum baum;
    ProjektDaten daten;
    int knoten = 0;

    Projekt100k() {
        baum.setPlanungFuerNeue([] { return false; });
        const GeneratorOptionen o{20, 580, 1};
        knoten = projektErzeugen(baum, o);
        projektDatenErzeugen(daten, o);
    }
};

Projekt100k& projekt() {
    static Projekt100k p;
    return p;
}

NetzErgebnis rechnen(Projekt100k& p, TDruck& doc) {
    Rechenkontext k = programmKontext();
    k.druck = &doc;
    NetzOptionen o;
    o.projekt = &p.daten;
    return netzberechnen(p.baum, k, o);
}

void BM_Netzberechnung(benchmark::State& state) {
    Projekt100k& p = projekt();
    int zeilen = 0;
    int enden = 0;
    bool ok = true;
    for (auto _ : state) {
        TDruck doc;
        const NetzErgebnis e = rechnen(p, doc);
        ok = e.ok();
        zeilen = static_cast<int>(doc.m.size());
        enden = 0;
        for (const StrangErgebnis& s : e.straenge) enden += static_cast<int>(s.enden.size());
    }
    if (!ok) state.SkipWithError("the calculation stopped");
    state.counters["knoten"] = p.knoten;
    state.counters["enden"] = enden;
    state.counters["berichtszeilen"] = zeilen;
}
BENCHMARK(BM_Netzberechnung)->Unit(benchmark::kMillisecond)->Iterations(3);

// The numbers alone, as a simulation pass asks for them: every line through the core under
// one guard, no report and nothing stored.
void BM_StrangkernOhneBericht(benchmark::State& state) {
    Projekt100k& p = projekt();
    int enden = 0;
    bool ok = true;
    for (auto _ : state) {
        const Rechenlauf lauf;
        Rechenkontext k = programmKontext();
        enden = 0;
        for (int s = 0; s < p.baum.topCount(); ++s) {
            const StrangErgebnis e = strangRechnen(lauf, p.baum.topLevel(s), k);
            ok = ok && e.fertig();
            enden += static_cast<int>(e.enden.size());
        }
    }
    if (!ok) state.SkipWithError("the calculation stopped");
    state.counters["knoten"] = p.knoten;
    state.counters["enden"] = enden;
}
BENCHMARK(BM_StrangkernOhneBericht)->Unit(benchmark::kMillisecond)->Iterations(3);

void anwendung() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

void BM_NetzberichtLayoutPdf(benchmark::State& state) {
    anwendung();
    Projekt100k& p = projekt();
    TDruck doc;
    if (!rechnen(p, doc).ok()) {
        state.SkipWithError("the calculation stopped");
        return;
    }
    doc.sichern();
    int seiten = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        TDruckLayout layout(doc);
        layout.messen();
        seiten = layout.AnzahlSeiten();
        // The PDF goes to a sink that keeps nothing.
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
BENCHMARK(BM_NetzberichtLayoutPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
