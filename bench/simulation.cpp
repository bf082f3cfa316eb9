// The simulation of a generated line of 1 000 chain ends (estimate and equilibrium), and the
// equilibrium alone of every line of a generated project of about 100 000 nodes.

#include "pressure/simulation.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "pressure/calc_context.h"
#include "pressure/flow_equilibrium.h"
#include "pressure/network_pressure_core.h"
#include "pressure/simulation_path.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zephan;

struct Erzeugt {
    ProjektBaum baum;
    int knoten = 0;
    explicit Erzeugt(const GeneratorOptionen& o) {
        baum.setPlanungFuerNeue([] { return false; });
        knoten = projektErzeugen(baum, o);
    }
};

void BM_Simulation1000Enden(benchmark::State& state) {
    static Erzeugt p(GeneratorOptionen{1, 1000, 1});
    SimulationsErgebnis e;
    for (auto _ : state) {
        Rechenkontext k = programmKontext();
        e = netzSimulieren(p.baum.topLevel(0), k);
    }
    if (!e.ok()) state.SkipWithError("the simulation stopped");
    state.counters["knoten"] = p.knoten;
    state.counters["enden"] = static_cast<double>(e.enden.size());
    state.counters["zyklen"] = e.zyklen;
    state.counters["iterationen"] = e.gleich.iterationen;
}
BENCHMARK(BM_Simulation1000Enden)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Gleichgewicht100k(benchmark::State& state) {
    static Erzeugt p(GeneratorOptionen{20, 580, 1});
    bool ok = true;
    int iterationen = 0, enden = 0, offen = 0;
    for (auto _ : state) {
        const Rechenlauf lauf;
        Rechenkontext k = programmKontext();
        iterationen = enden = offen = 0;
        for (int s = 0; s < p.baum.topCount(); ++s) {
            tmylistitem* kopf = p.baum.topLevel(s);
            StrangOptionen nurSuche;
            nurSuche.abgleich = false;
            const StrangErgebnis start = strangRechnen(lauf, kopf, k, nurSuche);
            ok = ok && start.fertig();
            std::vector<SimulationsEnde> e = simulationsEnden(start);
            const Kernlauf kern = [&](const Stromvorgaben& v, StrangErgebnis& r) {
                Rechenkontext mit = k;
                mit.stromvorgaben = &v;
                mit.ungerundet = true;
                StrangOptionen o;
                o.abgleich = false;
                r = strangRechnen(lauf, kopf, mit, o);
                return r.fertig();
            };
            Gleichgewicht g;
            StrangErgebnis stopp;
            ok = ok && gleichgewichtRechnen(kern, start, e, k, g, stopp);
            iterationen = std::max(iterationen, g.iterationen);
            offen += g.konvergiert ? 0 : 1;
            enden += static_cast<int>(e.size());
        }
    }
    if (!ok) state.SkipWithError("the equilibrium stopped");
    state.counters["knoten"] = p.knoten;
    state.counters["enden"] = enden;
    state.counters["max_iterationen"] = iterationen;
    state.counters["nicht_konvergiert"] = offen;
}
BENCHMARK(BM_Gleichgewicht100k)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
