// Every component of a generated project of about 100 000 nodes, main passage, no report:
// the work of one pass of the network calculation over all lines.

#include "pressure/component_pressure.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "pressure/air_density.h"
#include "report/report_document.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zephan;

struct Projekt100k {
    ProjektBaum baum;
    int knoten = 0;

    Projekt100k() {
        baum.setPlanungFuerNeue([] { return false; });
        GeneratorOptionen o;
        o.straenge = 20;
        o.auslaesse = 580;
        knoten = projektErzeugen(baum, o);
    }
};

Projekt100k& projekt() {
    static Projekt100k p;
    return p;
}

void BM_AlleBauteileDurchgang(benchmark::State& state) {
    Projekt100k& p = projekt();
    TDruck still;
    still.drucken = false;
    int bauteile = 0;
    int ohneErgebnis = 0;
    for (auto _ : state) {
        const Volumenstroeme stroeme(basisDatenTabelle(), p.baum);
        Rechenkontext u = programmKontext();
        u.druck = &still;
        u.stroeme = &stroeme;
        DVdata arbeit;
        bauteile = ohneErgebnis = 0;
        double summe = 0;
        for (tmylistitem* n = p.baum.topitem(); n; n = n->getNext()) {
            if (n->Level() == 0) {
                u.rho = strangDichte(n);
                continue;
            }
            const int typ = nodeDaten(n)->typ;
            if (typ == 4 || typ == 5) continue;
            const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
            ++bauteile;
            if (dp <= -999)
                ++ohneErgebnis;
            else
                summe += dp;
        }
        benchmark::DoNotOptimize(summe);
    }
    state.counters["knoten"] = p.knoten;
    state.counters["bauteile"] = bauteile;
    state.counters["ohneErgebnis"] = ohneErgebnis;
}
BENCHMARK(BM_AlleBauteileDurchgang)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
