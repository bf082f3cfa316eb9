#include "app/tree_delegate.h"

#include "app/icons.h"
#include "network/tree_item_model.h"

namespace zephan {

void BaumDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant bild = index.data(BaumModell::BildRolle);
    if (!bild.isValid()) return;
    const int zustand = index.data(BaumModell::ZustandRolle).toInt();
    option->icon = baumIcon(bild.toInt(), zustand);
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = QSize(16, 16);
}

} // namespace zephan
