// Cost of one editing command with its undo record on generated projects: applying the buffer
// to a node in the middle of a long line, and undoing it again.
#include "editing/edit_session.h"
#include "network/network_tree.h"
#include "network/project_generator.h"
#include "network/settings.h"
#include "store/user_seam.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zephan;

void BM_UebernehmenUndRueckgaengig(benchmark::State& state) {
    SilentSeam seam;
    EditSession s(seam);
    s.projekt().setAutomatischSichern([] { return false; });
    GeneratorOptionen o;
    o.straenge = 1;
    o.auslaesse = static_cast<int>(state.range(0));
    projektErzeugen(s.baum(), o);
    tmylistitem* mitte = s.baum().item(s.baum().count() / 2);
    for (auto _ : state) {
        s.auswaehlen(mitte);
        s.editDaten().Text = QStringLiteral("Bench");
        if (!s.uebernehmen() || !s.rueckgaengig()) state.SkipWithError("edit refused");
        mitte = s.baum().item(s.baum().count() / 2);
    }
    state.counters["Knoten"] = s.baum().count();
}
// A bend inserted right after the fan, where the flow is the sum over the whole line.
void BM_EinfuegenNachVentilatorUndRueckgaengig(benchmark::State& state) {
    SilentSeam seam;
    EditSession s(seam);
    s.projekt().setAutomatischSichern([] { return false; });
    GeneratorOptionen o;
    o.straenge = 1;
    o.auslaesse = static_cast<int>(state.range(0));
    projektErzeugen(s.baum(), o);
    tmylistitem* kopf = s.baum().topitem();
    tmylistitem* ventilator = nullptr;
    for (int c = 0; c < kopf->childCount() && !ventilator; ++c)
        if (nodeDaten(kopf->child(c))->typ == 13) ventilator = kopf->child(c);
    if (!ventilator) state.SkipWithError("no fan");
    for (auto _ : state) {
        s.auswaehlen(ventilator);
        if (!s.typWaehlen(21)) state.SkipWithError("type refused");
        if (!s.bauteilEinfuegen() || !s.rueckgaengig()) state.SkipWithError("edit refused");
    }
    state.counters["Knoten"] = s.baum().count();
}
// A new flow on the tree's last outlet: every sum on the way back to the fan changes.
void BM_AuslassStromUndRueckgaengig(benchmark::State& state) {
    SilentSeam seam;
    EditSession s(seam);
    s.projekt().setAutomatischSichern([] { return false; });
    GeneratorOptionen o;
    o.straenge = 1;
    o.auslaesse = static_cast<int>(state.range(0));
    projektErzeugen(s.baum(), o);
    tmylistitem* auslass = nullptr;
    for (tmylistitem* n = s.baum().topitem(); n; n = n->getNext())
        if (istAuslass(typVon(n))) auslass = n;
    if (!auslass) state.SkipWithError("no outlet");
    int q = 100;
    for (auto _ : state) {
        s.auswaehlen(auslass);
        s.editDaten().i[3] = q = q == 100 ? 200 : 100;
        if (!s.uebernehmen() || !s.rueckgaengig()) state.SkipWithError("edit refused");
    }
    state.counters["Knoten"] = s.baum().count();
}
BENCHMARK(BM_AuslassStromUndRueckgaengig)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_EinfuegenNachVentilatorUndRueckgaengig)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_UebernehmenUndRueckgaengig)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

} // namespace
