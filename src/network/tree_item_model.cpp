#include "network/tree_item_model.h"

#include "network/tree_container.h"

namespace zephan {

BaumModell::BaumModell(tMylistviewBase& baum, QObject* parent)
    : QAbstractItemModel(parent), baum_(baum) {
    baum_.beobachterHinzufuegen(this);
}

BaumModell::~BaumModell() {
    baum_.beobachterEntfernen(this);
}

QModelIndex BaumModell::indexVon(tmylistitem* node) const {
    if (!node) return {};
    return createIndex(node->IndexInLevel(), 0, node);
}

tmylistitem* BaumModell::knoten(const QModelIndex& index) {
    return index.isValid() ? static_cast<tmylistitem*>(index.internalPointer()) : nullptr;
}

QModelIndex BaumModell::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= columnCount(parent) || row < 0) return {};
    tmylistitem* eltern = knoten(parent);
    tmylistitem* n = eltern ? eltern->child(row) : baum_.topLevel(row);
    return n ? createIndex(row, column, n) : QModelIndex();
}

QModelIndex BaumModell::parent(const QModelIndex& child) const {
    const tmylistitem* n = knoten(child);
    return n ? indexVon(n->parent()) : QModelIndex();
}

int BaumModell::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const tmylistitem* eltern = knoten(parent);
    return eltern ? eltern->childCount() : baum_.topCount();
}

int BaumModell::columnCount(const QModelIndex&) const {
    return 1;
}

bool BaumModell::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0) return false;
    const tmylistitem* eltern = knoten(parent);
    return eltern ? eltern->hasChildren() : baum_.topCount() > 0;
}

QVariant BaumModell::data(const QModelIndex& index, int role) const {
    const tmylistitem* n = knoten(index);
    if (!n || index.column() != 0) return {};
    switch (role) {
    case Qt::DisplayRole:
        return n->caption();
    case BildRolle:
        return n->imageIndex;
    case ZustandRolle:
        return n->stateIndex;
    case PositionRolle:
        return n->position();
    default:
        return {};
    }
}

void BaumModell::vorEinfuegen(tmylistitem* parent, int row) {
    beginInsertRows(indexVon(parent), row, row);
}

void BaumModell::eingefuegt(tmylistitem*) {
    endInsertRows();
}

void BaumModell::vorEntfernen(tmylistitem* node) {
    beginRemoveRows(indexVon(node->parent()), node->IndexInLevel(), node->IndexInLevel());
}

void BaumModell::entfernt(tmylistitem*, int) {
    endRemoveRows();
}

void BaumModell::geaendert(tmylistitem* node) {
    const QModelIndex i = indexVon(node);
    emit dataChanged(i, i.siblingAtColumn(columnCount() - 1));
}

void BaumModell::vorZuruecksetzen() {
    beginResetModel();
}

void BaumModell::zurueckgesetzt() {
    endResetModel();
}

} // namespace zephan
