// F7 in the main window and the report window that follows, offscreen, on generated projects
// of about 20 000 and 100 000 nodes: the time from the key until the first page of the report
// is painted in the report window, and the report window's share of it (from showing the
// window with the finished report until its first page is painted). Counted alongside: the
// pages of the report and how many of them were drawn until then.

#include "app/druck_fenster.h"
#include "app/main_window.h"
#include "app/seiten_vorschau.h"
#include "editing/startup.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "render/page_cache.h"
#include "store/folders.h"
#include "store/user_seam.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

using namespace zephan;

struct Projekt_ {
    QString datei;
    int knoten = 0;
};

// The window's seam with the report shown by the benchmark instead of modally.
class MessSeam : public FensterSeam {
public:
    void berichtZeigen(TDruck& d) override {
        if (zeigen) zeigen(d);
    }
    std::function<void(TDruck&)> zeigen;
};

struct Umgebung {
    QTemporaryDir ordner;
    std::map<int, Projekt_> projekte; // by outlets per line
    MessSeam* seam = nullptr;
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
        auto eigene = std::make_unique<MessSeam>();
        seam = eigene.get();
        fenster = std::make_unique<Tk_DVform>(nullptr, std::move(eigene));
        fenster->resize(1200, 800);
        fenster->show();
        QApplication::processEvents();
    }

    // A generated project of 20 lines with `auslaesse` outlets each, saved once.
    const Projekt_& projekt(int auslaesse) {
        auto it = projekte.find(auslaesse);
        if (it != projekte.end()) return it->second;
        SilentSeam seam;
        Projekt p(seam);
        p.baum().setPlanungFuerNeue([] { return false; });
        const GeneratorOptionen o{20, auslaesse, 1};
        Projekt_ r;
        r.knoten = projektErzeugen(p.baum(), o);
        projektDatenErzeugen(p.daten(), o);
        r.datei = ordner.filePath(QStringLiteral("gross_%1.pro").arg(auslaesse));
        p.setGeaendert(true);
        if (!p.sichernAls(r.datei)) std::abort();
        return projekte.emplace(auslaesse, r).first->second;
    }
};

Umgebung& umgebung() {
    static Umgebung u;
    return u;
}

// Shows the report window as F7 does (but without its own event loop), paints it until the
// first page is on the screen, and closes it again.
struct Messung {
    qint64 bisErsteSeite = 0; // ns from the start of the show
    int seiten = 0;
    int gezeichnet = 0;
};

Messung zeigen(TDruckFenster& w) {
    Messung m;
    QElapsedTimer t;
    t.start();
    w.show();
    w.vorschau()->viewport()->repaint();
    m.bisErsteSeite = t.nsecsElapsed();
    m.seiten = w.AnzahlSeiten();
    m.gezeichnet = w.seiten() ? w.seiten()->zeichnungen() : 0;
    w.hide();
    return m;
}

void BM_F7BisErsteSeite(benchmark::State& state) {
    Umgebung& u = umgebung();
    const Projekt_& p = u.projekt(static_cast<int>(state.range(0)));
    u.fenster->session().projekt().setGeaendert(false);
    if (!u.fenster->ladenDatei(p.datei)) state.SkipWithError("nicht geladen");
    Messung m;
    double fensterMs = 0;
    for (auto _ : state) {
        u.seam->zeigen = [&](TDruck&) {
            m = zeigen(*u.fenster->druckFenster());
            fensterMs = static_cast<double>(m.bisErsteSeite) / 1e6;
        };
        u.fenster->druckverlustberechnung(false);
    }
    state.counters["Knoten"] = p.knoten;
    state.counters["Seiten"] = m.seiten;
    state.counters["gezeichnet"] = m.gezeichnet;
    state.counters["Fenster_ms"] = fensterMs;
}
BENCHMARK(BM_F7BisErsteSeite)->Arg(116)->Arg(580)->Unit(benchmark::kMillisecond)->Iterations(2);

// The report window alone, on the report F7 made: show until the first page is painted.
void BM_BerichtsfensterBisErsteSeite(benchmark::State& state) {
    Umgebung& u = umgebung();
    const Projekt_& p = u.projekt(static_cast<int>(state.range(0)));
    u.fenster->session().projekt().setGeaendert(false);
    if (!u.fenster->ladenDatei(p.datei)) state.SkipWithError("nicht geladen");
    u.seam->zeigen = [](TDruck&) {};
    u.fenster->druckverlustberechnung(false);
    TDruckFenster* w = u.fenster->druckFenster();
    Messung m;
    for (auto _ : state) {
        m = zeigen(*w);
        state.SetIterationTime(static_cast<double>(m.bisErsteSeite) / 1e9);
    }
    state.counters["Knoten"] = p.knoten;
    state.counters["Seiten"] = m.seiten;
    state.counters["gezeichnet"] = m.gezeichnet;
}
BENCHMARK(BM_BerichtsfensterBisErsteSeite)
    ->Arg(116)
    ->Arg(580)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
