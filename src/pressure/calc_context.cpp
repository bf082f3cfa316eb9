#include "pressure/calc_context.h"

#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "pressure/air_density.h"
#include "pressure/titelzahl.h"
#include "store/user_seam.h"

namespace zephan {

Rechenkontext::Rechenkontext()
    : rho(dichteStandard),
      einstellungen(std::make_shared<const Einstellungen>(zephan::einstellungen())),
      katalog(&basisDatenTabelle()), tabellen(&titelzahlen()), rechenblatt(&zephan::rechenblatt()) {
}

const tBasisDaten_* Rechenkontext::typ(int code) const {
    return katalog ? katalog->get(code) : nullptr;
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
