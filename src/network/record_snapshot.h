#pragma once

// Snapshots of node records and of tree operations: what an edit changed, recorded so it can
// be undone and redone, and what any command or calculation needs to restore a line byte for
// byte.

#include "network/dvdata.h"

#include <QString>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zephan {

class ProjektBaum;
class tmylistitem;

// Everything of a node that an edit can change: its record and what the tree shows of it.
struct KnotenZustand {
    std::optional<DVdata> daten; // empty for a node without record
    QString caption;
    int imageIndex = -1;
    int stateIndex = -1;
    bool expanded = false;

    bool operator==(const KnotenZustand&) const = default;

    static KnotenZustand von(const tmylistitem* node);
    void anwenden(tmylistitem* node) const;
};

// A node as it stood in the tree: flat index, parent's flat index (-1 at the top level) and
// number of earlier siblings, with its state.
struct KnotenEintrag {
    int index = -1;
    int elternIndex = -1;
    int geschwisterPos = 0;
    KnotenZustand zustand;
};

// A surviving node whose state an edit changed, found by its flat index after the edit.
struct KnotenAenderung {
    int index = -1;
    KnotenZustand vorher;
    KnotenZustand nachher;
};

// One editing operation as the difference between the tree before and after it. Undo and
// redo rebuild the tree from it without running any editing rule again, so they give back
// exactly the records, captions and selection that were there.
struct BaumBefehl {
    QString name;
    std::vector<KnotenEintrag> entfernt;   // ascending flat index before the edit
    std::vector<KnotenEintrag> eingefuegt; // ascending flat index after the edit
    std::vector<KnotenAenderung> geaendert;
    int selektiertVorher = -1, fokusVorher = -1;
    int selektiertNachher = -1, fokusNachher = -1;
    DVdata pufferVorher, pufferNachher;

    // True when the edit left the tree exactly as it was.
    bool leer() const { return entfernt.empty() && eingefuegt.empty() && geaendert.empty(); }
};

// Records one operation on a tree. Created before the operation with the existing nodes the
// operation may change or remove (single nodes, and subtrees taken as a whole); the owner
// forwards the tree's add and delete events while it runs and finishes the record afterwards.
// Nodes added during the operation need not be named. Only the named nodes are copied, so a
// command costs what it touches, not the size of the project.
class BaumAufzeichnung {
public:
    explicit BaumAufzeichnung(const std::vector<tmylistitem*>& knoten,
                              const std::vector<tmylistitem*>& teilbaeume = {});

    // Stages a node (or a node with everything below it) before the operation changes it; a
    // node added during the operation needs no staging.
    void vormerken(tmylistitem* node);
    void teilbaumVormerken(tmylistitem* wurzel);
    bool vorgemerkt(const tmylistitem* node) const;

    void hinzugefuegt(tmylistitem* node);
    void entfernt(tmylistitem* node);
    // False when a node outside the recorded part was removed: the operation cannot be undone.
    bool vollstaendig() const { return vollstaendig_; }

    BaumBefehl abschliessen(QString name);

private:
    std::unordered_map<const tmylistitem*, KnotenEintrag> vorher_;
    std::vector<KnotenEintrag> entfernt_;
    std::unordered_set<tmylistitem*> neu_;
    bool vollstaendig_ = true;
};

// The state of a node and of everything below it (a line, when taken of a line head), to
// put back byte for byte what a calculation or simulation changed in the records. Taking it
// copies every node's state; putting it back touches only the nodes that differ, each
// announced to the tree's listeners.
class TeilbaumZustand {
public:
    explicit TeilbaumZustand(tmylistitem* wurzel);

    // Number of nodes whose state differs from the snapshot now; -1 when the subtree no
    // longer has the nodes it had, in that order.
    int abweichend() const;
    // Puts every node back as it stood. Returns the number of nodes changed, or -1 (and
    // changes nothing) when the subtree no longer has the nodes it had.
    int wiederherstellen() const;

private:
    bool gleicheForm() const;

    tmylistitem* wurzel_ = nullptr;
    std::vector<std::pair<tmylistitem*, KnotenZustand>> knoten_; // flat order
};

// Flat index of a node, -1 for none.
int flatIndex(const tmylistitem* node);
// Applies a command backwards (undo) or forwards (redo) to a tree that stands where the
// command left it (undo) or where it began (redo). Returns false when the tree does not fit
// the command (a node it names is missing); the tree may then be partly changed, and the
// history that led to it must be dropped.
bool befehlRueckgaengig(ProjektBaum& baum, const BaumBefehl& befehl);
bool befehlWiederholen(ProjektBaum& baum, const BaumBefehl& befehl);

} // namespace zephan
