#pragma once

#include "network/tree_item_model.h"

namespace zephan {

class TIniFile2;

// The project tree with the columns an engineer reads beside each node: its size ("500×300",
// "⌀ 250"), its flow [m³/h] and the velocity and ζ of the last calculation; nodes that cannot
// be calculated name their problem as tooltip.
class BaumSpalten : public BaumModell {
public:
    enum Spalte { Aufbau = 0, Mass, Volumenstrom, Geschwindigkeit, Zeta, Anzahl };

    using BaumModell::BaumModell;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of a cell (tests and the tooltip read it too).
    static QString text(const tmylistitem* node, int spalte);
};

// Column widths in the settings: "ProgrammDV"/"Spalten" as widths separated by ",", 0 for a
// hidden column.
QList<int> spaltenLesen(const TIniFile2& ini);
void spaltenSchreiben(TIniFile2& ini, const QList<int>& breiten);

} // namespace zephan
