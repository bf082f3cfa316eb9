#pragma once

#include "network/dvdata.h"
#include "network/tree_container.h"

namespace zephan {

class Flusssummen;
class TBasisDatenTabelle;
struct tBasisDaten_;

// The project tree: every node, however created, owns one DVdata record, allocated and reset
// when the node is added and released when it is removed.
class ProjektBaum : public Tmylistview {
public:
    ProjektBaum();
    // The planning default of new records; by default the setting "Status planen für neue
    // Bauteile" read at the moment the node is created.
    void setPlanungFuerNeue(std::function<bool()> f) { planungFuerNeue_ = std::move(f); }
    // The downstream sums kept between edits, when an editing session keeps them; the flow
    // queries take them from here. Null: every query walks.
    Flusssummen* flusssummen() const { return flusssummen_; }
    void setFlusssummen(Flusssummen* f) { flusssummen_ = f; }

private:
    std::function<bool()> planungFuerNeue_;
    Flusssummen* flusssummen_ = nullptr;
};

// The record of a node; null for no node or a node without record.
DVdata* nodeDaten(const tmylistitem* node);
// The catalogue entry of the node's type; null for no node, no record or an unknown type.
const tBasisDaten_* nodeKatalog(const TBasisDatenTabelle& kat, const tmylistitem* node);
// The line head (level 0) above a node, or the node itself at level 0; null for no node.
tmylistitem* strangKopf(const tmylistitem* node);

} // namespace zephan
