#pragma once

#include "network/tree_listener.h"

#include <QAbstractItemModel>

namespace zephan {

class tMylistviewBase;

// A Qt item model over a tree view: the caption as display text of the first column, the
// picture and state indexes as roles for the window to turn into icons; a derived model may
// add columns. It follows the tree's change
// announcements row by row, so a view keeps its expansion and selection through every edit,
// undo and redo; only loads and clears reset it.
class BaumModell : public QAbstractItemModel, public BaumBeobachter {
public:
    enum Rolle { BildRolle = Qt::UserRole + 1, ZustandRolle, PositionRolle };

    explicit BaumModell(tMylistviewBase& baum, QObject* parent = nullptr);
    ~BaumModell() override;

    tMylistviewBase& baum() const { return baum_; }
    // The model index of a node (invalid for null) and the node of an index.
    QModelIndex indexVon(tmylistitem* node) const;
    static tmylistitem* knoten(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void vorEinfuegen(tmylistitem* parent, int row) override;
    void eingefuegt(tmylistitem* node) override;
    void vorEntfernen(tmylistitem* node) override;
    void entfernt(tmylistitem* parent, int row) override;
    void geaendert(tmylistitem* node) override;
    void vorZuruecksetzen() override;
    void zurueckgesetzt() override;

private:
    tMylistviewBase& baum_;
};

} // namespace zephan
