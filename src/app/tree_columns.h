#pragma once

#include "network/tree_item_model.h"

#include <QHash>

namespace zephan {

class TIniFile2;

// The project tree with the columns an engineer reads beside each node: its size ("500×300",
// "⌀ 250"), its flow [m³/h], the velocity and ζ of the last calculation and the pressure loss
// of its main passage in the last network calculation; nodes that cannot be calculated name
// their problem as tooltip.
class BaumSpalten : public BaumModell {
public:
    enum Spalte { Aufbau = 0, Mass, Volumenstrom, Geschwindigkeit, Zeta, Druckverlust, Anzahl };

    using BaumModell::BaumModell;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of a cell (tests and the tooltip read it too).
    QString text(const tmylistitem* node, int spalte) const;

    // The losses [Pa] of the last network calculation, by node. Any change of the tree
    // afterwards (a record, an insert, a remove, a load) forgets them.
    void setDruckverluste(QHash<const tmylistitem*, double> dp);

    void eingefuegt(tmylistitem* node) override;
    void entfernt(tmylistitem* parent, int row) override;
    void geaendert(tmylistitem* node) override;
    void zurueckgesetzt() override;

private:
    QHash<const tmylistitem*, double> dp_;
};

// Column widths in the settings: "ProgrammDV"/"Spalten" as widths separated by ",", 0 for a
// hidden column.
QList<int> spaltenLesen(const TIniFile2& ini);
void spaltenSchreiben(TIniFile2& ini, const QList<int>& breiten);

} // namespace zephan
