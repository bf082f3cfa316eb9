#include "pressure/calc_context.h"

#include "network/catalogue.h"
#include "pressure/air_density.h"
#include "store/user_seam.h"

#include <atomic>

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
// Atomic, so calculations in other threads may start and end runs too.
std::atomic<bool> laufend{false};
} // namespace

Rechenlauf::Rechenlauf() : gestartet_(!laufend.exchange(true)), eigen_(true) {}

Rechenlauf::Rechenlauf(bool gestartet, bool eigen) : gestartet_(gestartet), eigen_(eigen) {}

Rechenlauf Rechenlauf::innerhalb() {
    return Rechenlauf(true, false);
}

Rechenlauf::~Rechenlauf() {
    if (gestartet_ && eigen_) laufend = false;
}

bool Rechenlauf::laeuft() {
    return laufend;
}

} // namespace zephan
