#pragma once

#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "pressure/titelzahl.h"

#include <memory>

namespace zephan {

// A calculation context over the program's catalogue, tables and work sheet and a copy of its
// settings: what the windows start a calculation with. The tests of the lower folders cannot
// reach the editing folder's factory, so they make it here.
inline Rechenkontext testKontext() {
    return Rechenkontext(basisDatenTabelle(),
                         std::make_shared<const Einstellungen>(einstellungen()), titelzahlen(),
                         rechenblatt());
}

} // namespace zephan
