#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "store/user_seam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zephan;

namespace {

// One generated project of about 100 000 nodes (20 lines of 580 outlets), saved once.
struct Grossprojekt {
    QTemporaryDir dir;
    QString datei;
    int knoten = 0;

    Grossprojekt() {
        SilentSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        projektErzeugen(p.baum(), GeneratorOptionen{20, 580, 1});
        projektDatenErzeugen(p.daten(), GeneratorOptionen{20, 580, 1});
        knoten = p.baum().count();
        datei = dir.filePath(QStringLiteral("gross.pro"));
        p.setDateiname(datei);
        p.setGeaendert(true);
        p.sichern();
    }
};

Grossprojekt& gross() {
    static Grossprojekt g;
    return g;
}

void BM_Laden(benchmark::State& state) {
    Grossprojekt& g = gross();
    for (auto _ : state) {
        SilentSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(g.datei);
        if (!p.laden() || p.baum().count() != g.knoten) state.SkipWithError("nicht geladen");
    }
    state.counters["Knoten"] = g.knoten;
}
BENCHMARK(BM_Laden)->Unit(benchmark::kMillisecond);

// Heap an opened project keeps per node: tree, records and texts, measured as the allocator's
// bytes in use with the project open against before it was opened.
void BM_SpeicherJeKnoten(benchmark::State& state) {
    Grossprojekt& g = gross();
    double jeKnoten = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const auto vorher = mallinfo2().uordblks;
        SilentSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(g.datei);
        if (!p.laden()) state.SkipWithError("nicht geladen");
        malloc_trim(0);
        const auto nachher = mallinfo2().uordblks;
        jeKnoten = static_cast<double>(nachher - vorher) / p.baum().count();
    }
    state.counters["Bytes/Knoten"] = jeKnoten;
    state.counters["Knoten"] = g.knoten;
}
BENCHMARK(BM_SpeicherJeKnoten)->Unit(benchmark::kMillisecond)->Iterations(1);

// The largest resident size of a child process that runs `was` (the parent's pages count from
// the fork on); -1 when the child could not run or failed.
template <class F> long spitzeKiB(F was) {
    malloc_trim(0);
    const pid_t kind = fork();
    if (kind < 0) return -1;
    if (kind == 0) _exit(was() ? 0 : 1);
    int status = 0;
    rusage nutzung{};
    if (wait4(kind, &status, 0, &nutzung) != kind || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return nutzung.ru_maxrss;
}

// Opens a project file and checks its node count.
bool oeffnen(const QString& datei, int knoten) {
    SilentSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setDateiname(datei);
    return p.laden() && p.baum().count() == knoten;
}

// Peak memory of opening a project, per node: the largest resident size while loading (file,
// text, store, records and tree at once) against a process that opens a project of one line
// with ten outlets (the same code run, next to no data).
void BM_SpitzeBeimLaden(benchmark::State& state) {
    Grossprojekt& g = gross();
    SilentSeam seam;
    Projekt klein(seam);
    klein.setAutomatischSichern([] { return false; });
    projektErzeugen(klein.baum(), GeneratorOptionen{1, 10, 1});
    const int kleinKnoten = klein.baum().count();
    klein.setDateiname(g.dir.filePath(QStringLiteral("klein.pro")));
    klein.setGeaendert(true);
    if (!klein.sichern()) state.SkipWithError("nicht gesichert");
    double jeKnoten = 0;
    for (auto _ : state) {
        const long leer = spitzeKiB([&] { return oeffnen(klein.dateiname(), kleinKnoten); });
        const long geladen = spitzeKiB([&] { return oeffnen(g.datei, g.knoten); });
        if (leer < 0 || geladen < 0) state.SkipWithError("nicht geladen");
        jeKnoten = static_cast<double>(geladen - leer) * 1024.0 / (g.knoten - kleinKnoten);
    }
    state.counters["Spitze Bytes/Knoten"] = jeKnoten;
    state.counters["Knoten"] = g.knoten;
}
BENCHMARK(BM_SpitzeBeimLaden)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AlleVolumenstroeme(benchmark::State& state) {
    Grossprojekt& g = gross();
    SilentSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setDateiname(g.datei);
    p.laden();
    long long summe = 0;
    for (auto _ : state) {
        const Volumenstroeme v(basisDatenTabelle(), p.baum());
        summe += v[p.baum().topitem()];
        benchmark::DoNotOptimize(summe);
    }
    state.counters["Knoten"] = p.baum().count();
}
BENCHMARK(BM_AlleVolumenstroeme)->Unit(benchmark::kMillisecond);

void BM_Sichern(benchmark::State& state) {
    Grossprojekt& g = gross();
    SilentSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setDateiname(g.datei);
    p.laden();
    p.setDateiname(g.dir.filePath(QStringLiteral("kopie.pro")));
    for (auto _ : state) {
        p.setGeaendert(true);
        if (!p.sichern()) state.SkipWithError("nicht gesichert");
    }
    state.counters["Bytes"] = static_cast<double>(QFile(p.dateiname()).size());
}
BENCHMARK(BM_Sichern)->Unit(benchmark::kMillisecond);

} // namespace
