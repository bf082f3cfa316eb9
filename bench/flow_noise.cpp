// The flow noise of every component of a generated project of about 100 000 nodes, without a
// report, as a network sound run does it: one silent pressure pass per line (the fans read
// their pressure from it), then every component with its passages.

#include "acoustics/stiller_druckpass.h"
#include "acoustics/stroemungsgeraeusch.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace zephan;

struct Projekt100k {
    ProjektBaum baum;
    int knoten = 0;

    Projekt100k() {
        baum.setPlanungFuerNeue([] { return false; });
        knoten = projektErzeugen(baum, GeneratorOptionen{20, 580, 1});
    }
};

Projekt100k& projekt() {
    static Projekt100k p;
    return p;
}

// The silent pressure pass of every line, with the flows of the tree.
std::vector<Druckpass> druckpaesse(Projekt100k& p, const Volumenstroeme& stroeme) {
    Rechenkontext k = programmKontext();
    k.stroeme = &stroeme;
    std::vector<Druckpass> d;
    for (tmylistitem* kopf = p.baum.topitem(); kopf; kopf = kopf->getNextSibling())
        d.push_back(stillerDruckpass(kopf, k));
    return d;
}

// Every component of every line; returns the number of spectra computed.
int alleBauteile(Projekt100k& p, const Volumenstroeme& stroeme,
                 const std::vector<Druckpass>& paesse, double& summe) {
    Rechenkontext k = programmKontext();
    k.stroeme = &stroeme;
    int anzahl = 0;
    size_t strang = 0;
    for (tmylistitem* kopf = p.baum.topitem(); kopf; kopf = kopf->getNextSibling(), ++strang) {
        const Druckpass& pass = paesse[strang];
        GeraeuschOptionen o;
        o.druckpass = pass.ok ? &pass.strang : nullptr;
        const tmylistitem* ende = kopf->lastDescendant();
        for (tmylistitem* n = kopf->getChild(); n; n = n->getNext()) {
            const int enden = endenVon(basisDatenTabelle(), n);
            for (int seite = 0; seite <= (enden == 4 ? 2 : enden == 3 ? 1 : 0); ++seite) {
                const TPegel l = stroemungsgeraeusch(n, seite, k, o);
                if (l[0] > -999) summe += l[0];
                ++anzahl;
            }
            if (n == ende) break;
        }
    }
    return anzahl;
}

void BM_Stroemungsgeraeusch(benchmark::State& state) {
    Projekt100k& p = projekt();
    int anzahl = 0;
    double summe = 0;
    for (auto _ : state) {
        summe = 0;
        // The flows are found once, for the pressure passes and the components alike.
        const Volumenstroeme stroeme(basisDatenTabelle(), p.baum);
        anzahl = alleBauteile(p, stroeme, druckpaesse(p, stroeme), summe);
        benchmark::DoNotOptimize(summe);
    }
    state.counters["knoten"] = p.knoten;
    state.counters["spektren"] = anzahl;
}
BENCHMARK(BM_Stroemungsgeraeusch)->Unit(benchmark::kMillisecond);

// The same with the lines' pressure results at hand (measured apart: the pressure pass is the
// pressure calculation's own cost).
void BM_StroemungsgeraeuschOhneDruckpass(benchmark::State& state) {
    Projekt100k& p = projekt();
    const Volumenstroeme stroeme(basisDatenTabelle(), p.baum);
    const std::vector<Druckpass> paesse = druckpaesse(p, stroeme);
    double summe = 0;
    for (auto _ : state) {
        summe = 0;
        benchmark::DoNotOptimize(alleBauteile(p, stroeme, paesse, summe));
    }
}
BENCHMARK(BM_StroemungsgeraeuschOhneDruckpass)->Unit(benchmark::kMillisecond);

} // namespace
