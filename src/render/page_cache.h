#pragma once

#include "render/page_target.h"
#include "render/report_layout.h"

#include <QList>
#include <memory>
#include <utility>

namespace zephan {

// The pages of a measured layout for a viewer: each page is drawn into a picture when it is
// first asked for, and only the pages asked for last are kept, so a report of thousands of
// pages is shown without drawing them all.
class TSeitenSpeicher {
public:
    explicit TSeitenSpeicher(TDruckLayout& layout, int behalten = 16);

    int anzahl() const { return layout_.AnzahlSeiten(); }
    // False while the layout is busy with a print or PDF run: pages asked for meanwhile come
    // back blank and are not kept.
    bool bereit() const { return !layout_.beschaeftigt(); }
    // Paper and orientation of a page (counting from 0) without drawing it.
    const TSeitenEintrag& eintrag(int seite) const { return layout_.seiten()[seite]; }
    // The page drawn; an empty page of its size when the drawing failed.
    std::shared_ptr<const TSeitenBild> seite(int seite);
    // How many page drawings were made so far (a page dropped and asked for again counts
    // twice).
    int zeichnungen() const { return zeichnungen_; }

private:
    TDruckLayout& layout_;
    int behalten_;
    int zeichnungen_ = 0;
    QList<std::pair<int, std::shared_ptr<const TSeitenBild>>> zuletzt_; // newest first
};

} // namespace zephan
