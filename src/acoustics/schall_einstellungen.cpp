#include "acoustics/schall_einstellungen.h"

#include "network/settings.h"
#include "pressure/calc_context.h"

namespace zephan {

std::vector<int> SchallEinstellungen::gezeigteBaender() const {
    std::vector<int> b;
    for (int k = 0; k < static_cast<int>(baender.size()); ++k)
        if (baender[static_cast<size_t>(k)]) b.push_back(k);
    return b;
}

SchallEinstellungen schallEinstellungen(const Rechenkontext& kontext) {
    SchallEinstellungen s;
    const Einstellungen& e = kontext.settings();
    for (int k = 0; k < anzahlSchallBaender; ++k) s.baender[static_cast<size_t>(k)] = e.band(k);
    s.vomVentilator = e.schallmethode() == 1;
    s.pegelAmAuslass = e.schallAuslass();
    return s;
}

} // namespace zephan
