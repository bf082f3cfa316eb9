// The bill of quantities of a generated project of about 100 000 nodes, by groups: the walk,
// the merging and sorting of every group pass, and the report lines.

#include "network/catalogue.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "network/project_generator.h"
#include "quantities/massen_csv.h"
#include "quantities/massenauszug.h"
#include "report/report_document.h"

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
        daten.MassenauszugMitGruppen = true;
    }
};

Projekt100k& projekt() {
    static Projekt100k p;
    return p;
}

void BM_MassenauszugMitGruppen(benchmark::State& state) {
    Projekt100k& p = projekt();
    for (auto _ : state) {
        TDruck druck;
        massenauszug(basisDatenTabelle(), p.baum, p.daten, druck, nullptr);
        benchmark::DoNotOptimize(druck.m.size());
    }
    state.counters["knoten"] = p.knoten;
}
BENCHMARK(BM_MassenauszugMitGruppen)->Unit(benchmark::kMillisecond);

void BM_MassenauszugCsv(benchmark::State& state) {
    Projekt100k& p = projekt();
    for (auto _ : state) {
        const QByteArray csv =
            massenCsv(massenauszugBerechnen(basisDatenTabelle(), p.baum, p.daten.Gruppen, true));
        benchmark::DoNotOptimize(csv.size());
    }
}
BENCHMARK(BM_MassenauszugCsv)->Unit(benchmark::kMillisecond);

} // namespace
