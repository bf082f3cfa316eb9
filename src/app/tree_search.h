#pragma once

namespace zephan {

class tmylistitem;

// The search "ausgewähltes Bauteil im Strang suchen": the next node of type `typ` after
// `start` in display order within start's line, going into branch chains and out of finished
// ones; at the end of the line the search starts once more at the line's first component.
// `umlauf` tells whether it went round (the window beeps). Null when no other node matches
// (start itself is found again only when it is the only match).
struct SuchTreffer {
    tmylistitem* knoten = nullptr;
    bool umlauf = false;
};
SuchTreffer bauteilSuchen(tmylistitem* start, int typ);

} // namespace zephan
