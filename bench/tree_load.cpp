// Loading trees of 100 000 nodes from their list sections: flat (one line with 99 999
// children), bushy (ten children per node) and deep (ten chains of 10 000 levels). The time
// per node must not grow with the depth; the memory counter is what the tree keeps per node.

#include "network/tree_container.h"
#include "store/ini_file.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <vector>

using namespace zephan;

namespace {

constexpr int nodeCount = 100000;

std::vector<int> flachEbenen() {
    std::vector<int> e(nodeCount, 1);
    e[0] = 0;
    return e;
}

// Breadth-first numbering of a ten-ary tree, written out in flat (depth-first) order.
void buschig(std::vector<int>& e, int knoten, int level) {
    if (knoten >= nodeCount) return;
    e.push_back(level);
    for (int k = 1; k <= 10; ++k) buschig(e, knoten * 10 + k, level + 1);
}

std::vector<int> buschigEbenen() {
    std::vector<int> e;
    e.reserve(nodeCount);
    buschig(e, 0, 0);
    return e;
}

std::vector<int> tiefEbenen() {
    std::vector<int> e;
    e.reserve(nodeCount);
    for (int kette = 0; kette < nodeCount / maxEbenen; ++kette)
        for (int l = 0; l < maxEbenen; ++l) e.push_back(l);
    return e;
}

void fuellen(TIniFile2& ini, const std::vector<int>& ebenen) {
    ini.WriteInteger(QStringLiteral("List"), QStringLiteral("Count"),
                     static_cast<qint64>(ebenen.size()));
    for (std::size_t i = 0; i < ebenen.size(); ++i) {
        const QString s = QString::number(i);
        ini.WriteInteger(s, QStringLiteral("Level"), ebenen[i]);
        ini.WriteString(s, QStringLiteral("text"), QStringLiteral("Kanal"));
    }
}

void laden(benchmark::State& state, std::vector<int> (*form)()) {
    const std::vector<int> ebenen = form();
    TIniFile2 ini;
    fuellen(ini, ebenen);
    double bytesProKnoten = 0;
    for (auto _ : state) {
        const std::size_t vorher = mallinfo2().uordblks;
        Tmylistview view;
        if (!view.LoadFromIniFile(ini)) state.SkipWithError("nicht geladen");
        bytesProKnoten = static_cast<double>(mallinfo2().uordblks - vorher) / view.count();
        benchmark::DoNotOptimize(view.lastItem()->Index());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(ebenen.size()));
    state.counters["Bytes/Knoten"] = bytesProKnoten;
}

void BM_LadenFlach(benchmark::State& state) {
    laden(state, flachEbenen);
}
BENCHMARK(BM_LadenFlach)->Unit(benchmark::kMillisecond);

void BM_LadenBuschig(benchmark::State& state) {
    laden(state, buschigEbenen);
}
BENCHMARK(BM_LadenBuschig)->Unit(benchmark::kMillisecond);

void BM_LadenTief(benchmark::State& state) {
    laden(state, tiefEbenen);
}
BENCHMARK(BM_LadenTief)->Unit(benchmark::kMillisecond);

} // namespace
