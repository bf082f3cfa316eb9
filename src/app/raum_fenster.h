#pragma once

#include "editing/room_overview_model.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephan {

class EditSession;

// "Raumübersicht": one row per room identifier with the supply and the extract volume flow and
// permitted level, edited in place by a double click on a cell (each edit one command of the
// session); "Raum ZU" / "Raum AB" select the row's room in the main window. The list is read
// each time the window is shown and with the reload button.
class Tk_Raumform : public QDialog {
    Q_OBJECT

public:
    Tk_Raumform(EditSession& session, QWidget* parent = nullptr);

    // Reads the room list afresh ("Raumliste neu einlesen").
    void laden();
    const std::vector<RaumZeile>& zeilen() const { return zeilen_; }
    QTreeWidget* view() const { return view_; }
    QLabel* label1() const { return label1_; }
    QPushButton* btnZu() const { return btnZu_; }
    QPushButton* btnAb() const { return btnAb_; }

    // A double click on the cell: the input dialog of its column (object "Raumeingabe"), then
    // the value into the tree as one command. False when nothing changed.
    bool zelleBearbeiten(int zeile, RaumSpalte spalte);
    // "Raum ZU" / "Raum AB" on the selected row.
    void springen(bool zuluft);

signals:
    // A room to select in the main window.
    void raumGewaehlt(tmylistitem* raum);
    // A cell changed a node.
    void geaendert();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void zeileZeigen(int zeile);
    void auswahlGeaendert();

    EditSession& session_;
    std::vector<RaumZeile> zeilen_;
    QTreeWidget* view_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* btnZu_ = nullptr;
    QPushButton* btnAb_ = nullptr;
    QPushButton* reloadbtn_ = nullptr;
    QPushButton* okbutton1_ = nullptr;
};

} // namespace zephan
