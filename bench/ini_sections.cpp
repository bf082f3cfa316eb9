// The sectioned store on files of the size of large projects: 100 000 node sections.

#include "store/ini_file.h"

#include <benchmark/benchmark.h>

using namespace zephan;

namespace {

void fill(TIniFile2& ini, int n) {
    ini.WriteInteger("List", "Count", n);
    for (int i = 0; i < n; ++i) {
        const QString s = QString::number(i);
        ini.WriteInteger(s, "Level", i % 5);
        ini.WriteInteger(s, "Typ", 2);
        ini.WriteString(s, "Text", QStringLiteral("Kanal"));
        ini.WriteSingle(s, "I0", 0, 0, 500);
        ini.WriteSingle(s, "I1", 0, 0, 300);
        ini.WriteString(s, "P0", QStringLiteral("3,70"));
    }
}

void BM_CreateSections(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TIniFile2 ini;
        fill(ini, n);
        benchmark::DoNotOptimize(ini.sectionCount());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CreateSections)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadEverySection(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TIniFile2 ini;
    fill(ini, n);
    for (auto _ : state) {
        qint64 sum = 0;
        for (int i = 0; i < n; ++i) {
            const QString s = QString::number(i);
            sum += ini.ReadInteger(s, "Level", -1) + ini.ReadInteger(s, "typ", -1);
            sum += static_cast<qint64>(ini.ReadSingle(s, "I1", 0));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ReadEverySection)->Arg(100000)->Unit(benchmark::kMillisecond);

// Rewriting a tree erases the old node sections one by one before writing the new ones.
void BM_EraseEverySection(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TIniFile2 ini;
        fill(ini, n);
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) ini.eraseSection(QString::number(i));
        benchmark::DoNotOptimize(ini.sectionCount());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_EraseEverySection)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TextRoundTrip(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TIniFile2 ini;
    fill(ini, n);
    const QByteArray bytes = ini.toBytes();
    for (auto _ : state) {
        TIniFile2 back;
        back.loadFromBytes(bytes);
        benchmark::DoNotOptimize(back.toBytes().size());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_TextRoundTrip)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The two halves of the round trip: reading the text of 100 000 sections (the store freed
// again included), and writing it.
void BM_ReadText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TIniFile2 ini;
    fill(ini, n);
    const QByteArray bytes = ini.toBytes();
    for (auto _ : state) {
        TIniFile2 back;
        back.loadFromBytes(bytes);
        benchmark::DoNotOptimize(back.sectionCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadText)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TIniFile2 ini;
    fill(ini, n);
    qsizetype size = 0;
    for (auto _ : state) {
        size = ini.toBytes().size();
        benchmark::DoNotOptimize(size);
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteText)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
