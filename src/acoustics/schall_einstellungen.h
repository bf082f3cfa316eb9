#pragma once

#include <array>
#include <vector>

namespace zephan {

struct Rechenkontext;

// The sound page of the settings as the sound calculations use it.
struct SchallEinstellungen {
    // Which bands 63 Hz ... 4 kHz the sound tables show.
    std::array<bool, 7> baender{};
    // From the fan to the room (VDI 2081 Blatt 2, 2005); false: from the room to the fan
    // (1983).
    bool vomVentilator = true;
    // Also write the sound level at each outlet.
    bool pegelAmAuslass = false;

    // The shown bands as indexes 0 ... 6, ascending.
    std::vector<int> gezeigteBaender() const;
};

// The sound page of the settings snapshot the calculation started with.
SchallEinstellungen schallEinstellungen(const Rechenkontext& kontext);

} // namespace zephan
