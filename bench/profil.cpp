// The pressure profile of one generated line of about 5 000 nodes: the path to its deepest
// chain end collected from the line's calculation, drawn as a picture and written as a report;
// and the chain-end list the window fills on opening.

#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "pressure/druckverlauf.h"
#include "pressure/druckverlauf_bericht.h"
#include "pressure/network_pressure_core.h"
#include "render/verlauf_bild.h"
#include "report/report_document.h"
#include "store/user_seam.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace zephan;

struct Linie {
    ProjektBaum baum;
    tmylistitem* kopf = nullptr;
    const tmylistitem* ziel = nullptr;

    Linie() {
        baum.setPlanungFuerNeue([] { return false; });
        projektErzeugen(baum, GeneratorOptionen{1, 580, 1});
        kopf = baum.topLevel(0);
        // The chain end with the most levels above it: the longest way down.
        for (const tmylistitem* n : kettenEnden(kopf, programmKontext()))
            if (!ziel || n->Level() > ziel->Level()) ziel = n;
    }
};

Linie& linie() {
    static Linie l;
    return l;
}

void BM_VerlaufSammeln(benchmark::State& state) {
    Linie& l = linie();
    size_t punkte = 0;
    for (auto _ : state) {
        Rechenlauf lauf;
        const VerlaufErgebnis e = verlaufSammeln(lauf, l.kopf, l.ziel, programmKontext());
        punkte = e.verlauf.a.size();
    }
    state.counters["knoten"] = l.kopf->CountAlle() + 1;
    state.counters["punkte"] = static_cast<double>(punkte);
}
BENCHMARK(BM_VerlaufSammeln)->Unit(benchmark::kMillisecond);

void BM_KettenEnden(benchmark::State& state) {
    Linie& l = linie();
    size_t n = 0;
    for (auto _ : state) n = kettenEnden(l.kopf, programmKontext()).size();
    state.counters["enden"] = static_cast<double>(n);
}
BENCHMARK(BM_KettenEnden)->Unit(benchmark::kMillisecond);

// The example's supply line with 10 000 more ducts before its last outlet: a path of
// 10 009 points, far beyond any fixed table.
void BM_VerlaufLangerPfad(benchmark::State& state) {
    static ProjektBaum* baum = [] {
        QTemporaryDir ordner;
        const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
        static SilentSeam seam;
        static Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(datei);
        p.laden();
        tmylistitem* kanal = knotenAnPosition(p.baum(), QStringLiteral("1.6"));
        const DVdata vorlage = *nodeDaten(kanal);
        for (int i = 0; i < 10000; ++i) {
            tmylistitem* n = p.baum().Insert(kanal->Index(), QStringLiteral("Kanal"));
            *nodeDaten(n) = vorlage;
            nodeRefresh(basisDatenTabelle(), n);
        }
        return &p.baum();
    }();
    tmylistitem* kopf = baum->topLevel(0);
    const tmylistitem* ziel = knotenAnPosition(*baum, QStringLiteral("1.10008"));
    size_t punkte = 0;
    for (auto _ : state) {
        Rechenlauf lauf;
        punkte = verlaufSammeln(lauf, kopf, ziel, programmKontext()).verlauf.a.size();
    }
    state.counters["punkte"] = static_cast<double>(punkte);
}
BENCHMARK(BM_VerlaufLangerPfad)->Unit(benchmark::kMillisecond);

void BM_VerlaufBildUndBericht(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    Linie& l = linie();
    Rechenlauf lauf;
    Druckverlauf v = verlaufSammeln(lauf, l.kopf, l.ziel, programmKontext()).verlauf;
    for (auto _ : state) {
        const QImage bild = verlaufBild(v, verlaufBreite(v), 400, VerlaufAnsicht{});
        TDruck doc;
        verlaufBericht(doc, v);
        benchmark::DoNotOptimize(bild.constBits());
        benchmark::DoNotOptimize(doc.m.size());
    }
}
BENCHMARK(BM_VerlaufBildUndBericht)->Unit(benchmark::kMillisecond);

} // namespace
