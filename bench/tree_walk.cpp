// Building and walking large trees: every command of the main window walks the project tree,
// so a walk over 100 000 nodes has to stay linear.

#include "network/tree_container.h"
#include "store/ini_file.h"

#include <benchmark/benchmark.h>

using namespace zephan;

namespace {

constexpr int nodeCount = 100000;

// A project-like tree: lines of 40 components, every fifth a branch piece carrying a chain of
// 8 components whose fourth again carries 3: depth up to 4.
void buildProject(tMylistviewBase& view, int n) {
    while (view.count() < n) {
        tmylistitem* line = view.Add(QStringLiteral("Zuluft"));
        for (int k = 0; k < 40 && view.count() < n; ++k) {
            tmylistitem* c = view.AddChild(line, QStringLiteral("Kanal"));
            if (k % 5 != 4) continue;
            for (int b = 0; b < 8 && view.count() < n; ++b) {
                tmylistitem* d = view.AddChild(c, QStringLiteral("Rohr"));
                if (b != 3) continue;
                for (int e = 0; e < 3 && view.count() < n; ++e)
                    view.AddChild(d, QStringLiteral("Bogen"));
            }
        }
    }
}

// position, getNextSibling and Level of every node, in flat order.
qsizetype walk(const tMylistviewBase& view) {
    qsizetype sum = 0;
    for (tmylistitem* n = view.topitem(); n; n = n->getNext()) {
        sum += n->position().size() + n->Level();
        if (n->getNextSibling()) ++sum;
    }
    return sum;
}

void BM_BuildAndWalkProject(benchmark::State& state) {
    for (auto _ : state) {
        Tmylistview view;
        buildProject(view, nodeCount);
        benchmark::DoNotOptimize(walk(view));
    }
    state.SetItemsProcessed(state.iterations() * nodeCount);
}
BENCHMARK(BM_BuildAndWalkProject)->Unit(benchmark::kMillisecond);

void BM_WalkProject(benchmark::State& state) {
    Tmylistview view;
    buildProject(view, nodeCount);
    for (auto _ : state) benchmark::DoNotOptimize(walk(view));
    state.SetItemsProcessed(state.iterations() * nodeCount);
}
BENCHMARK(BM_WalkProject)->Unit(benchmark::kMillisecond);

// 100 000 siblings: the worst case for anything that counts siblings.
void BM_BuildAndWalkFlat(benchmark::State& state) {
    for (auto _ : state) {
        Tmylistview view;
        tmylistitem* line = view.Add(QStringLiteral("Zuluft"));
        for (int i = 1; i < nodeCount; ++i) view.AddChild(line, QStringLiteral("Kanal"));
        benchmark::DoNotOptimize(walk(view));
    }
    state.SetItemsProcessed(state.iterations() * nodeCount);
}
BENCHMARK(BM_BuildAndWalkFlat)->Unit(benchmark::kMillisecond);

// Index of every node right after an edit near the top.
void BM_IndexWalkAfterEdit(benchmark::State& state) {
    Tmylistview view;
    buildProject(view, nodeCount);
    for (auto _ : state) {
        view.Delete(view.Insert(1, QStringLiteral("neu")));
        qint64 sum = 0;
        for (tmylistitem* n = view.topitem(); n; n = n->getNext()) sum += n->Index();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * nodeCount);
}
BENCHMARK(BM_IndexWalkAfterEdit)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoad(benchmark::State& state) {
    Tmylistview view;
    buildProject(view, nodeCount);
    for (auto _ : state) {
        TIniFile2 ini;
        view.SaveToInifile(ini);
        Tmylistview wieder;
        if (!wieder.LoadFromIniFile(ini)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(wieder.count());
    }
    state.SetItemsProcessed(state.iterations() * nodeCount);
}
BENCHMARK(BM_SaveAndLoad)->Unit(benchmark::kMillisecond);

} // namespace
