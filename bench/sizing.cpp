// Planning a generated project of about 100 000 nodes: every component put into planning
// ("p") and every line planned ("&Planen"), forward and backward with the neighbour checks.

#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "pressure/calc_context.h"
#include "sizing/planen.h"
#include "store/user_seam.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace zephan;

std::unique_ptr<ProjektBaum> erzeugen(int& knoten) {
    auto baum = std::make_unique<ProjektBaum>();
    baum->setPlanungFuerNeue([] { return false; });
    GeneratorOptionen o;
    o.straenge = 20;
    o.auslaesse = 580;
    knoten = projektErzeugen(*baum, o);
    return baum;
}

void BM_ProjektPlanen(benchmark::State& state) {
    SilentSeam seam;
    const Rechenkontext kontext = programmKontext();
    int knoten = 0;
    bool fertig = true;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<ProjektBaum> baum = erzeugen(knoten);
        state.ResumeTiming();
        allesPlanen(baum->topitem(), seam, kontext);
        for (int s = 0; s < baum->topCount(); ++s)
            fertig = planen(baum->topLevel(s), seam, kontext).abgeschlossen && fertig;
        state.PauseTiming();
        baum.reset();
        state.ResumeTiming();
    }
    state.counters["knoten"] = knoten;
    state.counters["abgeschlossen"] = fertig ? 1 : 0;
}
BENCHMARK(BM_ProjektPlanen)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
