#include "pressure/calc_context.h"

#include "network/catalogue.h"
#include "pressure/air_density.h"
#include "store/user_seam.h"

namespace zephan {

Rechenkontext::Rechenkontext(const TBasisDatenTabelle& katalog,
                             std::shared_ptr<const Einstellungen> einstellungen,
                             titelzahli& tabellen, Rechenblatt& rechenblatt)
    : rho(dichteStandard), einstellungen(std::move(einstellungen)), katalog(&katalog),
      tabellen(&tabellen), rechenblatt(&rechenblatt) {}

const tBasisDaten_* Rechenkontext::typ(int code) const {
    return katalog->get(code);
}

bool Rechenkontext::weiter(int done, int total) const {
    return !fortschritt || fortschritt->fortschritt(done, total);
}

double Rechenkontext::strom(const tmylistitem* node, double wert) const {
    if (!stromvorgaben) return wert;
    const auto it = stromvorgaben->find(node);
    return it != stromvorgaben->end() ? it->second : wert;
}

namespace {
bool laufend = false;
}

Rechenlauf::Rechenlauf() : gestartet_(!laufend) {
    laufend = true;
}

Rechenlauf::~Rechenlauf() {
    if (gestartet_) laufend = false;
}

bool Rechenlauf::laeuft() {
    return laufend;
}

} // namespace zephan
