// The network sound run with its report over generated projects of 1 000 and 10 000 rooms
// (10 lines each): the silent pressure pass of each line, the flow noise and attenuation of
// every component, and each room's table along its path.

#include "acoustics/schallnetz.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "network/project_generator.h"
#include "pressure/calc_context.h"
#include "report/report_document.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

using namespace zephan;

struct Erzeugt {
    ProjektBaum baum;
    ProjektDaten daten;
    int knoten = 0;

    explicit Erzeugt(int raeume) {
        baum.setPlanungFuerNeue([] { return false; });
        const GeneratorOptionen o{10, raeume / 10, 3};
        knoten = projektErzeugen(baum, o);
        projektDatenErzeugen(daten, o);
    }
};

Erzeugt& projekt(int raeume) {
    static std::map<int, std::unique_ptr<Erzeugt>> p;
    auto& e = p[raeume];
    if (!e) e = std::make_unique<Erzeugt>(raeume);
    return *e;
}

// Without a report (null document): what the calculation alone costs.
void schallnetz(benchmark::State& state, bool mitBericht) {
    Erzeugt& p = projekt(static_cast<int>(state.range(0)));
    int raeume = 0;
    int zeilen = 0;
    bool ok = true;
    for (auto _ : state) {
        TDruck doc;
        Rechenkontext k = programmKontext();
        k.druck = mitBericht ? &doc : nullptr;
        SchallnetzOptionen o;
        o.projekt = &p.daten;
        const SchallnetzErgebnis e = schallnetzberechnung(p.baum, k, o);
        ok = e.ok;
        raeume = 0;
        for (const Schallstrang& s : e.straenge) raeume += static_cast<int>(s.raeume.size());
        zeilen = static_cast<int>(doc.m.size());
    }
    if (!ok) state.SkipWithError("the sound run stopped");
    state.counters["knoten"] = p.knoten;
    state.counters["raeume"] = raeume;
    state.counters["berichtszeilen"] = zeilen;
}

void BM_Schallnetzberechnung(benchmark::State& state) {
    schallnetz(state, true);
}
void BM_SchallnetzOhneBericht(benchmark::State& state) {
    schallnetz(state, false);
}
BENCHMARK(BM_Schallnetzberechnung)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_SchallnetzOhneBericht)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
