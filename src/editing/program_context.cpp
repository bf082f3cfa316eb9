#include "editing/program_context.h"

#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "network/settings.h"
#include "pressure/titelzahl.h"

namespace zephan {

Rechenkontext programmKontext() {
    return Rechenkontext(basisDatenTabelle(),
                         std::make_shared<const Einstellungen>(einstellungen()), titelzahlen(),
                         rechenblatt());
}

} // namespace zephan
