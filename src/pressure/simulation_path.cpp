#include "pressure/simulation_path.h"

#include "network/network_tree.h"
#include "network/type_codes.h"

namespace zephan {

std::vector<SimulationsEnde> simulationsEnden(const StrangErgebnis& e) {
    std::vector<SimulationsEnde> r;
    r.reserve(e.enden.size());
    for (const StrangEnde& s : e.enden) {
        SimulationsEnde x;
        x.knoten = s.knoten;
        x.position = s.position;
        x.name = s.name;
        const tmylistitem* vor = s.knoten ? s.knoten->getPrevSibling() : nullptr;
        if (istAuslass(typVon(vor))) {
            x.auslass = vor;
            x.v0 = x.v = nodeDaten(vor)->i[3];
        }
        r.push_back(std::move(x));
    }
    return r;
}

double pfadMitVentilator(const StrangErgebnis& e, const tmylistitem* ende, double dpExt) {
    if (!e.mitVentilator || !ende) return dpExt;
    // The fan stands in the line head's own chain: it is on the path of every end that lies
    // at or behind it in that chain.
    const tmylistitem* fan = nullptr;
    for (const tmylistitem* n = e.kopf ? e.kopf->getChild() : nullptr; n; n = n->getNextSibling())
        if (typVon(n) == typVentilator) {
            fan = n;
            break;
        }
    if (!fan) return dpExt;
    const tmylistitem* oben = ende;
    while (oben->parent() && oben->parent() != e.kopf) oben = oben->parent();
    return oben->Index() >= fan->Index() ? dpExt + e.ventilatorVerlust : dpExt;
}

} // namespace zephan
