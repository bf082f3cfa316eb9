#include "acoustics/stiller_druckpass.h"

#include "network/network_tree.h"
#include "network/record_snapshot.h"
#include "pressure/calc_context.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <utility>
#include <vector>

namespace zephan {

double ventilatorGesamtdruck(const StrangErgebnis& s) {
    return static_cast<double>(kuerzen(s.maximum)) + s.ventilatorVerlust;
}

Druckpass stillerDruckpass(tmylistitem* knoten, const Rechenkontext& kontext) {
    Druckpass p;
    tmylistitem* kopf = strangKopf(knoten);
    auto* baum = knoten ? dynamic_cast<ProjektBaum*>(knoten->owner()) : nullptr;
    if (!kopf || !baum) {
        p.meldung = netztext::keinStrang;
        return p;
    }
    // The calculation writes velocity and zeta texts, state codes and the fan's pressure into
    // the line and selects a node that stops it: all of it is put back afterwards.
    std::vector<std::pair<tmylistitem*, KnotenZustand>> vorher;
    const tmylistitem* ende = kopf->lastDescendant();
    for (tmylistitem* n = kopf; n; n = n->getNext()) {
        vorher.emplace_back(n, KnotenZustand::von(n));
        if (n == ende) break;
    }
    tmylistitem* auswahl = baum->Selected();

    Rechenkontext k = kontext;
    k.druck = nullptr;
    k.stroeme = nullptr; // the calculation finds the line's flows itself
    SilentSeam still;
    NetzOptionen o;
    o.ganzerStrang = true;
    o.nurStrang = kopf;
    o.seam = &still;
    NetzErgebnis e = netzberechnen(*baum, k, o);

    for (const auto& [n, z] : vorher)
        if (!(KnotenZustand::von(n) == z)) z.anwenden(n);
    if (baum->Selected() != auswahl) baum->setSelected(auswahl);

    if (!e.ok() || e.straenge.empty()) {
        p.meldung = e.meldung.isEmpty() ? netztext::allgemein : e.meldung;
        p.halt = e.knoten;
        return p;
    }
    p.ok = true;
    p.strang = std::move(e.straenge.front());
    return p;
}

} // namespace zephan
