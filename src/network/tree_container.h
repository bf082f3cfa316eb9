#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zephan {

class BaumBeobachter;
class TIniFile2;
class tMylistviewBase;

// One node of an ordered tree. Nodes are created and destroyed only by their view; a node's
// pointer stays valid until the node is deleted or the view cleared or destroyed.
//
// An insert or delete touches only its neighbours and siblings, never the ancestors, so
// building a tree costs the same per node at any depth. parent, Level, getNext, getPrev,
// hasChildren, getChild, getNextSibling, getPrevSibling and IndexInLevel answer in O(1),
// position and CountAlle in O(depth). Index and the view's item(i) come from a flat index
// that an edit cuts back to the nodes before it and a query extends again, so a walk over
// the unchanged tree costs O(1) per node.
class tmylistitem {
public:
    tmylistitem(const tmylistitem&) = delete;
    tmylistitem& operator=(const tmylistitem&) = delete;

    tMylistviewBase* owner() const { return owner_; }

    // --- tree relations -------------------------------------------------------------------
    tmylistitem* parent() const { return parent_; }
    int Level() const { return level_; }
    // Position in the flat display list, 0-based.
    int Index() const;
    tmylistitem* getNext() const { return next_; }
    tmylistitem* getPrev() const { return prev_; }
    bool hasChildren() const { return !kids_.empty(); }
    tmylistitem* getChild() const { return kids_.empty() ? nullptr : kids_.front(); }
    tmylistitem* getNextSibling() const;
    tmylistitem* getPrevSibling() const;
    // Number of earlier siblings.
    int IndexInLevel() const { return sibIndex_; }
    // 1-based sibling numbers from the outermost ancestor down, joined by ".", e.g. "1.5.2".
    QString position() const;
    // Captions of the ancestors and of the node joined by the view's path character.
    QString pfad() const;
    // Number of descendants.
    int CountAlle() const;
    // Direct children in order.
    int childCount() const { return static_cast<int>(kids_.size()); }
    tmylistitem* child(int i) const;
    // The last node of this node's subtree in flat order (the node itself without children).
    tmylistitem* lastDescendant() const;
    // True if `other` is this node or lies below it.
    bool isAncestorOf(const tmylistitem* other) const;

    // --- display state ----------------------------------------------------------------------
    // The caption is the first column's text.
    QString caption() const { return texts_.isEmpty() ? QString() : texts_.front(); }
    void setCaption(const QString& text) { setText(0, text); }
    // Text of column k (0 = caption); empty for a column never set or k < 0.
    QString text(int column) const;
    void setText(int column, const QString& text);
    int columnCount() const { return static_cast<int>(texts_.size()); }

    int imageIndex = -1;
    int stateIndex = -1;
    bool expanded = false;
    // Mirrors the view's selection; set through tMylistviewBase::setSelected.
    bool selected() const { return selected_; }

    // Removes this node and all its descendants (raising OnItemDelete for each). The pointer
    // is dangling afterwards.
    void Delete();

    // --- owner's record ---------------------------------------------------------------------
    // The owner's record (DVdata in the project tree, tBasisDaten_ in the catalogue). The
    // owner creates it in OnItemAdd; it is released with the node, after OnItemDelete.
    std::shared_ptr<void> Data;
    template <class T> T* dataAs() const { return static_cast<T*>(Data.get()); }

private:
    friend class tMylistviewBase;
    explicit tmylistitem(tMylistviewBase* owner) : owner_(owner) {}
    ~tmylistitem() = default;

    tMylistviewBase* owner_;
    tmylistitem* parent_ = nullptr;
    tmylistitem* next_ = nullptr; // flat display order
    tmylistitem* prev_ = nullptr;
    std::vector<tmylistitem*> kids_;
    int level_ = 0;
    int sibIndex_ = 0; // position in the parent's (or the top level's) child list
    // Position in the flat list; right while the view's flat index reaches this node.
    mutable int index_ = -1;
    QStringList texts_;
    bool selected_ = false;
};

// The deepest tree a file may hold: levels 0 ... maxEbenen - 1. Deeper nesting is no network
// anyone builds, and every walk that follows a node's ancestors stays bounded by it.
constexpr int maxEbenen = 10000;

// How `such` compares a caption with the text sought (always without regard to case).
enum class SuchTyp { gleich = 0, beginntMit = 1, enthaelt = 2 };

// A GUI-free ordered tree (or, with tree = false, a flat list) of tmylistitem nodes kept as
// one list in display order: every node is followed by its descendants, then by its next
// sibling. The desktop program shows it through a model; it does not own it.
class tMylistviewBase {
public:
    explicit tMylistviewBase(bool tree = true);
    // Destroying the view raises no events; the records go with their nodes.
    virtual ~tMylistviewBase();
    tMylistviewBase(const tMylistviewBase&) = delete;
    tMylistviewBase& operator=(const tMylistviewBase&) = delete;

    bool isTree() const { return tree_; }
    // Separator of `pfad` and `suchPfad`.
    QChar pfadZeichen = QLatin1Char('\\');

    // --- events -------------------------------------------------------------------------------
    // The tree's structure cannot be changed from inside a handler: Add, AddChild, Insert,
    // Delete, Clear and LoadFromIniFile do nothing there (null / false).
    // Raised for every new node however created, after it is linked into the tree.
    std::function<void(tmylistitem*)> OnItemAdd;
    // Raised for every node about to be removed, while it is still linked; its Data is
    // released after the handler returns.
    std::function<void(tmylistitem*)> OnItemDelete;
    // Write / read a node's keys in the given section during SaveToInifile / LoadFromIniFile.
    std::function<void(TIniFile2& ini, const QString& section, tmylistitem* item)> OnItemSave;
    std::function<void(TIniFile2& ini, const QString& section, tmylistitem* item)> OnItemLoad;

    // Listeners of structure and node changes (see BaumBeobachter), told in the order they
    // were added. The view does not own them; a listener removes itself before it goes.
    void beobachterHinzufuegen(BaumBeobachter* b);
    void beobachterEntfernen(BaumBeobachter* b);
    // Tells the listeners that a node's record or display state was replaced.
    void knotenGeaendert(tmylistitem* node);
    // Brackets a change of the whole tree (a load): the listeners hear one reset instead of
    // every insert and remove. Brackets nest; Clear is one.
    void beginZuruecksetzen();
    void endZuruecksetzen();

    // --- node operations ------------------------------------------------------------------------
    // Appends a new top-level node at the end of the list.
    tmylistitem* Add(const QString& caption);
    // Inserts a new node right after the last descendant of `node`, as its last child.
    // A null node appends a top-level node; a node of another view adds nothing (null).
    tmylistitem* AddChild(tmylistitem* node, const QString& caption);
    // Inserts a new node at flat position `index`; its parent is the parent of the node that
    // now follows it. At or beyond the end (or in an empty view) it is appended as a top-level
    // node; a negative index counts as 0.
    tmylistitem* Insert(int index, const QString& caption);
    // Removes `node` and all its descendants. Does nothing for null or a foreign node.
    void Delete(tmylistitem* node);
    // Removes all nodes.
    void Clear();

    int count() const { return count_; }
    tmylistitem* topitem() const { return first_; }
    tmylistitem* lastItem() const { return last_; }
    // The node at flat position `index`, or null when out of range.
    tmylistitem* item(int index) const;
    // Top-level nodes in order.
    int topCount() const { return static_cast<int>(tops_.size()); }
    tmylistitem* topLevel(int i) const;

    // Next node from `start` (exclusive; null = from the first node, or the last when
    // searching up) whose caption - column -2: any column - equals / begins with / contains
    // `text`, compared without regard to case. Null when none.
    tmylistitem* such(const QString& text, int column = 0, tmylistitem* start = nullptr,
                      bool searchdown = true, SuchTyp searchtype = SuchTyp::gleich) const;
    tmylistitem* such(const QString& text, int column, tmylistitem* start, bool searchdown,
                      int searchtype) const;
    // The node whose pfad equals `path` (captions compared without regard to case), found by
    // descending one level per path part; null when absent.
    tmylistitem* suchPfad(const QString& path) const;

    // --- selection and focus --------------------------------------------------------------------
    // The selected node (shown by the owner's edit pages) and the focused node (the target of
    // the owner's insert, update and delete). Both are cleared when their node is removed.
    tmylistitem* Selected() const { return selected_; }
    void setSelected(tmylistitem* node);
    tmylistitem* ItemFocused() const { return focused_; }
    void setItemFocused(tmylistitem* node);

    // --- list storage ---------------------------------------------------------------------------
    // Writes the whole tree: section prefix + "List" with "Count", one section prefix + i per
    // node in flat order with "Level" (tree views) and the keys of OnItemSave (without a
    // handler: "text" = caption). The node sections 0 .. old Count - 1 are erased first.
    void SaveToInifile(TIniFile2& ini, const QString& prefix = QString()) const;
    // Reads a tree written by SaveToInifile; with itemsadd the nodes are appended, else the
    // view is cleared first. A section that cannot be placed (missing section, bad "Count",
    // a level that does not continue the tree) stops the load before anything changes:
    // returns false, the view stays as it was and lastError() says why.
    bool LoadFromIniFile(TIniFile2& ini, const QString& prefix = QString(), bool itemsadd = false);
    QString lastError() const { return lastError_; }

private:
    friend class tmylistitem;

    tmylistitem* createAt(tmylistitem* parent, int sibPos, tmylistitem* flatBefore,
                          const QString& caption);
    void removeSubtree(tmylistitem* node);
    std::vector<tmylistitem*>& siblingsOf(const tmylistitem* node);
    const std::vector<tmylistitem*>& siblingsOf(const tmylistitem* node) const;
    int indexOf(const tmylistitem* node) const;
    // True when the flat index already reaches `node`.
    bool indexiert(const tmylistitem* node) const;
    // Extends the flat index by walking on until it holds `bis` nodes or reaches `node`.
    void indexErweitern(int bis, const tmylistitem* node = nullptr) const;
    // Forgets the flat index from position `ab` on (an edit there shifted what follows).
    void indexKuerzen(int ab) const;
    bool isMine(const tmylistitem* node) const { return node && node->owner_ == this; }
    template <class F> void melden(F f);

    bool tree_;
    std::vector<tmylistitem*> tops_;
    tmylistitem* first_ = nullptr;
    tmylistitem* last_ = nullptr;
    int count_ = 0;
    tmylistitem* selected_ = nullptr;
    tmylistitem* focused_ = nullptr;
    mutable bool busy_ = false;
    std::vector<BaumBeobachter*> beobachter_;
    int zuruecksetzen_ = 0; // open reset brackets; structure events are not told inside
    QString lastError_;

    // The first flat_.size() nodes of the flat list, each with its index_ set; edits cut it
    // back, Index and item extend it on demand.
    mutable std::vector<tmylistitem*> flat_;
};

// The view type of the program's trees (the project tree and the component catalogue).
class Tmylistview : public tMylistviewBase {
public:
    Tmylistview() : tMylistviewBase(true) {}
};

} // namespace zephan
