#include "acoustics/stiller_druckpass.h"

#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_core.h"
#include "store/number_format.h"

#include <utility>

namespace zephan {

double ventilatorGesamtdruck(const StrangErgebnis& s) {
    return static_cast<double>(kuerzen(s.maximum)) + s.ventilatorVerlust;
}

Druckpass stillerDruckpass(tmylistitem* knoten, const Rechenkontext& kontext) {
    Druckpass p;
    tmylistitem* kopf = strangKopf(knoten);
    if (!kopf || !istStrangTyp(typVon(kopf))) {
        p.meldung = netztext::keinStrang;
        return p;
    }
    const Rechenlauf lauf = Rechenlauf::innerhalb();
    // The core computes numbers only: the line stays as it is.
    Rechenkontext k = kontext;
    k.druck = nullptr;
    // The fan's pressure is decided by the search pass: the ends that lack pressure against
    // the worst one are not sought.
    StrangOptionen o;
    o.abgleich = false;
    StrangErgebnis e = strangRechnen(lauf, kopf, k, o);
    if (!e.fertig()) {
        p.meldung = e.meldung.isEmpty() ? netztext::allgemein : e.meldung;
        p.halt = e.stoppKnoten;
        return p;
    }
    p.ok = true;
    p.strang = std::move(e);
    return p;
}

} // namespace zephan
