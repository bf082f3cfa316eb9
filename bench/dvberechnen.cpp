#include "pressure/duct_hydraulics.h"

#include <benchmark/benchmark.h>

using namespace zephan;

namespace {

// The silent kernel as the diameter search and sizing call it: one million round ducts,
// velocities spread so laminar, smooth and Colebrook paths all occur.
void BM_DvberechnenArtDrei(benchmark::State& state) {
    constexpr int anzahl = 1000000;
    tDVvorgabe vg;
    vg.art = artRundStill;
    vg.ks = 0.15;
    double summe = 0;
    for (auto _ : state) {
        for (int k = 0; k < anzahl; ++k) {
            vg.b = 100 + (k % 50) * 10;
            vg.v = 0.2 + (k % 97) * 0.1;
            tresult r;
            dvberechnen(vg, r, nullptr, 1.2);
            summe += r.s;
        }
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * anzahl);
}
BENCHMARK(BM_DvberechnenArtDrei)->Unit(benchmark::kMillisecond);

} // namespace
