#pragma once

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/tree_listener.h"

#include <array>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zephan {

class ProjektBaum;

// A volume-flow sum in m³/h: a non-negative whole number, or -1 when an outlet it takes is
// unknown (unknown absorbs every sum).
using Flusssumme = long long;

// The downstream sum of one node (a component below a line head) from the sums of the nodes it
// feeds: its next sibling, its branch chains, or, at the end of a chain, the outlet or
// volume-flow point there. `summeVon` gives those sums (0 for no node). `vorgaben` replaces
// the flows of single outlets and volume-flow points.
Flusssumme summeSchritt(const TBasisDatenTabelle& kat, const tmylistitem* x,
                        const std::function<Flusssumme(const tmylistitem*)>& summeVon,
                        const Stromvorgaben* vorgaben = nullptr);

// The downstream sums of a project tree kept between edits, so that the flow of a node right
// after the fan costs what the edit touched instead of a walk over the whole line.
//
// A sum is computed when first asked and kept until something it was computed from changes.
// The tree tells of inserts and removes; a record that changes is named by the one who changes
// it: `vormerken` before or after the change (a node staged by an editing command), or the
// tree's "changed" announcement. A node named since the last `befehlEnde` counts as changing
// until then: its sum and every sum built on it are dropped again before each question, so a
// record written after a question is still seen. Loads, resets and calculations drop the whole
// store. A change touching more nodes than is worth following (a whole subtree staged) makes
// the store answer by walking, as without it, until the command ends.
class Flusssummen : public BaumBeobachter {
public:
    // Listens to `baum` and becomes the store its flow queries use.
    explicit Flusssummen(ProjektBaum& baum);
    ~Flusssummen() override;
    Flusssummen(const Flusssummen&) = delete;
    Flusssummen& operator=(const Flusssummen&) = delete;

    // The downstream sum from `start` on: what the walk from `start` over the outlets it
    // feeds gives, -1 when one of them is unknown. `katalog` is the table the branch kinds
    // come from; a table with other branch kinds than the last one asked drops the store.
    Flusssumme summe(const tmylistitem* start, const TBasisDatenTabelle& katalog);
    // False while the store cannot be trusted (a load, a calculation, too many changes):
    // callers walk instead.
    bool aktiv() const { return !ausgesetzt_ && !zurueckgesetzt_ && !ueberlauf_; }

    // A node whose record changes (or changed) in the current command.
    void vormerken(const tmylistitem* node);
    // A node and everything below it may change in the current command.
    void teilbaumVormerken();
    // The command ended: the nodes named in it are dropped a last time and no longer watched.
    void befehlEnde();
    // A calculation writes into the records between `aussetzen` and `fortsetzen`.
    void aussetzen();
    void fortsetzen();
    // Drops every kept sum.
    void leeren();

    // Number of sums kept (for tests).
    int gespeichert() const { return static_cast<int>(werte_.size()); }

    // BaumBeobachter
    void eingefuegt(tmylistitem* node) override;
    void vorEntfernen(tmylistitem* node) override;
    void geaendert(tmylistitem* node) override;
    void vorZuruecksetzen() override;
    void zurueckgesetzt() override;

private:
    // Drops the sum of `node` unconditionally, and every kept sum built on it.
    void verwerfen(const tmylistitem* node);
    // The record of `node` changed: its own sum and the one of a room after it.
    void datenGeaendert(const tmylistitem* node);
    // A node was linked or is about to be unlinked: the sums that read the neighbourhood.
    void umgebungGeaendert(const tmylistitem* node);
    void beobachtete();
    void katalogPruefen(const TBasisDatenTabelle& katalog);
    // The branch kind of a node as the kept sums were built with it (0 before any).
    int endenGespeichert(const tmylistitem* node) const;

    ProjektBaum& baum_;
    std::unordered_map<const tmylistitem*, Flusssumme> werte_;
    std::unordered_set<const tmylistitem*> beobachtet_; // named since the last befehlEnde
    std::vector<const tmylistitem*> arbeit_;
    std::array<int, TBasisDatenTabelle::anzahl>
        enden_{}; // branch kind of every catalogue slot the sums were built with
    bool endenBekannt_ = false;
    bool ausgesetzt_ = false;
    bool zurueckgesetzt_ = false;
    bool ueberlauf_ = false;
};

} // namespace zephan
