#pragma once

#include <QStyledItemDelegate>

namespace zephan {

// Draws the project tree's pictures: the model hands out picture and state indexes, this turns
// them into the pictogram with its state icon.
class BaumDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace zephan
