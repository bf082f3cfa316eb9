#include "pressure/titelzahl.h"

#include <benchmark/benchmark.h>

using namespace zephan;

namespace {

// One million lookups spread over the charts of the component pressure loss and the knee
// noise, as a network calculation makes them.
void BM_ErgMillion(benchmark::State& state) {
    constexpr int anzahl = 1000000;
    titelzahli& tabellen = titelzahlen();
    const int nummern[] = {130, 131, 132, 133, 143, 144, 150};
    double summe = 0;
    for (auto _ : state) {
        for (int k = 0; k < anzahl; ++k) {
            const int nr = nummern[k % 7];
            summe += tabellen.erg(nr, (k % 13) * 0.05, (k % 89) * 1.1);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * anzahl);
}
BENCHMARK(BM_ErgMillion)->Unit(benchmark::kMillisecond);

// The same table over and over (the last-table shortcut).
void BM_ErgEineTabelle(benchmark::State& state) {
    constexpr int anzahl = 1000000;
    titelzahli& tabellen = titelzahlen();
    double summe = 0;
    for (auto _ : state) {
        for (int k = 0; k < anzahl; ++k) summe += tabellen.erg(150, 0.3, (k % 700) * 1.0);
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * anzahl);
}
BENCHMARK(BM_ErgEineTabelle)->Unit(benchmark::kMillisecond);

} // namespace
