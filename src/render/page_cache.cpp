#include "render/page_cache.h"

namespace zephan {

TSeitenSpeicher::TSeitenSpeicher(TDruckLayout& layout, int behalten)
    : layout_(layout), behalten_(std::max(1, behalten)) {}

std::shared_ptr<const TSeitenBild> TSeitenSpeicher::seite(int seite) {
    for (qsizetype k = 0; k < zuletzt_.size(); ++k)
        if (zuletzt_[k].first == seite) {
            if (k > 0) zuletzt_.move(k, 0);
            return zuletzt_.front().second;
        }
    if (layout_.beschaeftigt()) {
        // The layout is busy with a print or PDF run: a blank page for now, not kept.
        auto leer = std::make_shared<TSeitenBild>();
        if (seite >= 0 && seite < anzahl()) {
            leer->druckb = eintrag(seite).druckb;
            leer->druckh = eintrag(seite).druckh;
            leer->quer = eintrag(seite).quer;
        }
        return leer;
    }
    TSeitenBilder bilder;
    ++zeichnungen_;
    layout_.seitenZeichnen(bilder, seite + 1, seite + 1);
    std::shared_ptr<TSeitenBild> bild;
    if (bilder.seiten.size() == 1) {
        bild = std::make_shared<TSeitenBild>(std::move(bilder.seiten.front()));
    } else {
        bild = std::make_shared<TSeitenBild>();
        if (seite >= 0 && seite < anzahl()) {
            bild->druckb = eintrag(seite).druckb;
            bild->druckh = eintrag(seite).druckh;
            bild->quer = eintrag(seite).quer;
        }
    }
    zuletzt_.prepend({seite, bild});
    while (zuletzt_.size() > behalten_) zuletzt_.removeLast();
    return bild;
}

} // namespace zephan
