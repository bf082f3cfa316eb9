// Throughput of packing and unpacking 10 MB of project-like text.
#include "store/packed_container.h"

#include <benchmark/benchmark.h>

namespace {

// Sections of a project file as the program writes them: node sections with their keys,
// German decimals and remarks.
const QByteArray& projektText() {
    static const QByteArray text = [] {
        QByteArray t;
        t.reserve(10 * 1024 * 1024 + 4096);
        t += "[Info]\r\nVersion=4\r\n\r\n[Tree]\r\nVersion=4\r\nID=0\r\n\r\n[List]\r\nCount="
             "60000\r\n\r\n";
        for (int n = 0; t.size() < 10 * 1024 * 1024; ++n) {
            t += "[" + QByteArray::number(n) + "]\r\nLevel=" + QByteArray::number(n % 5) +
                 "\r\nTyp=" + QByteArray::number((n * 13) % 131) +
                 "\r\nplanung=" + QByteArray::number(n % 2) +
                 "\r\ni0=" + QByteArray::number((n * 37) % 1000) +
                 "\r\ni1=" + QByteArray::number((n * 53) % 800) + "," + QByteArray::number(n % 10) +
                 "\r\ni2=" + QByteArray::number(200 + (n * 7) % 600) +
                 "\r\ni3=-1\r\np0=" + QByteArray::number((n * 3) % 9) + "," +
                 QByteArray::number(n % 100) + "\r\np1=0,25\r\nbemerkung=" +
                 (n % 7 == 0 ? QByteArray("Raum ") + QByteArray::number(n % 400) : "") + "\r\n\r\n";
        }
        return t;
    }();
    return text;
}

void BM_packen(benchmark::State& state) {
    const QByteArray& text = projektText();
    for (auto _ : state) benchmark::DoNotOptimize(zephan::packenBytes(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
    state.counters["ratio"] = static_cast<double>(zephan::packenBytes(text).size()) / text.size();
}
BENCHMARK(BM_packen)->Unit(benchmark::kMillisecond)->Iterations(3);

// The coder's hardest input: two letters at random give every 3-byte start thousands of
// earlier occurrences in the window, so each search walks its whole bounded chain.
void BM_packen_zweiBuchstaben(benchmark::State& state) {
    QByteArray text(4 * 1024 * 1024, Qt::Uninitialized);
    quint32 x = 12345;
    for (char& c : text) {
        x = x * 1664525u + 1013904223u;
        c = (x >> 31) ? 'a' : 'b';
    }
    for (auto _ : state) benchmark::DoNotOptimize(zephan::packenBytes(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
    state.counters["ratio"] = static_cast<double>(zephan::packenBytes(text).size()) / text.size();
}
BENCHMARK(BM_packen_zweiBuchstaben)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_entpacken(benchmark::State& state) {
    const QByteArray& text = projektText();
    const QByteArray packed = zephan::packenBytes(text);
    QByteArray out;
    for (auto _ : state) {
        if (!zephan::entpackenBytes(packed, out) || out.size() != text.size())
            state.SkipWithError("unpack failed");
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_entpacken)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
