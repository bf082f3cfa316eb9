#pragma once

namespace zephan {

class tmylistitem;

// What a tree tells its listeners, in this order for every change, so an item model can follow
// without resetting: "about to insert" (parent, row) before a node is linked and "inserted"
// after; "about to remove" while the subtree is still linked and "removed" (parent, row) after;
// "changed" for a node whose record or display state an edit replaced; "about to reset" and
// "reset" around loads and clears that replace the whole tree. `parent` is null for a node of
// the top level; `row` is the node's position among its siblings.
class BaumBeobachter {
public:
    virtual ~BaumBeobachter() = default;
    virtual void vorEinfuegen(tmylistitem* parent, int row) {
        (void)parent;
        (void)row;
    }
    virtual void eingefuegt(tmylistitem* node) { (void)node; }
    virtual void vorEntfernen(tmylistitem* node) { (void)node; }
    virtual void entfernt(tmylistitem* parent, int row) {
        (void)parent;
        (void)row;
    }
    virtual void geaendert(tmylistitem* node) { (void)node; }
    virtual void vorZuruecksetzen() {}
    virtual void zurueckgesetzt() {}
};

} // namespace zephan
