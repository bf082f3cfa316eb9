#include "network/dvdata.h"

#include "network/settings.h"

namespace zephan {

void initNode(DVdata& d, bool planung) {
    const bool eckig = d.eckig;
    d = DVdata{};
    d.eckig = eckig;
    d.planung = planung;
}

void initNode(DVdata& d) {
    initNode(d, einstellungen().immerPlanen());
}

} // namespace zephan
