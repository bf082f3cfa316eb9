// The main window on a generated project of about 100 000 nodes, offscreen: opening the file
// (load, tree model reset, first line selected and shown) and expanding every node of the tree
// view including the layout and paint that follow; scrolling to the end apart.

#include "app/main_window.h"
#include "editing/startup.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "store/folders.h"
#include "store/user_seam.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

namespace {

using namespace zephan;

struct Umgebung {
    QTemporaryDir ordner;
    QString datei;
    int knoten = 0;
    std::unique_ptr<Tk_DVform> fenster;

    Umgebung() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
        setzeDatenOrdner(ordner.path());
        setzeAnwendungsdatenOrdner(ordner.path());
        programmStart();
        SilentSeam seam;
        Projekt p(seam);
        p.baum().setPlanungFuerNeue([] { return false; });
        const GeneratorOptionen o{20, 580, 1};
        knoten = projektErzeugen(p.baum(), o);
        projektDatenErzeugen(p.daten(), o);
        datei = ordner.filePath(QStringLiteral("gross.pro"));
        p.setGeaendert(true);
        if (!p.sichernAls(datei)) std::abort();
        fenster = std::make_unique<Tk_DVform>();
        fenster->resize(1200, 800);
        fenster->show();
        QApplication::processEvents();
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

void BM_ProjektOeffnen(benchmark::State& state) {
    Umgebung& u = umgebung();
    for (auto _ : state) {
        if (!u.fenster->ladenDatei(u.datei)) state.SkipWithError("nicht geladen");
        QApplication::processEvents();
        u.fenster->baumAnsicht()->viewport()->repaint();
    }
    state.counters["Knoten"] = u.knoten;
}
BENCHMARK(BM_ProjektOeffnen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AllesAufklappen(benchmark::State& state) {
    Umgebung& u = umgebung();
    if (u.fenster->session().baum().count() != u.knoten) u.fenster->ladenDatei(u.datei);
    QTreeView* baum = u.fenster->baumAnsicht();
    for (auto _ : state) {
        state.PauseTiming();
        baum->collapseAll();
        QApplication::processEvents();
        state.ResumeTiming();
        baum->expandAll();
        QApplication::processEvents();
        baum->viewport()->repaint();
    }
    state.counters["Knoten"] = u.knoten;
}
BENCHMARK(BM_AllesAufklappen)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AnsEndeScrollen(benchmark::State& state) {
    Umgebung& u = umgebung();
    QTreeView* baum = u.fenster->baumAnsicht();
    baum->expandAll();
    QApplication::processEvents();
    for (auto _ : state) {
        baum->scrollToBottom();
        baum->viewport()->repaint();
        baum->scrollToTop();
        baum->viewport()->repaint();
    }
}
BENCHMARK(BM_AnsEndeScrollen)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

namespace {

// The same file through the editing session alone, without the window: what the window adds.
void BM_ProjektOeffnenOhneFenster(benchmark::State& state) {
    Umgebung& u = umgebung();
    SilentSeam seam;
    EditSession s(seam);
    for (auto _ : state)
        if (!s.laden(u.datei)) state.SkipWithError("nicht geladen");
}
BENCHMARK(BM_ProjektOeffnenOhneFenster)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
