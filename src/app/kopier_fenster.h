#pragma once

#include "app/punkte_wahl.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zephan {

class EditSession;
class UserSeam;

// "Strang kopieren": start and target are picked by clicks in the tree while the window stays
// open beside the main window; "Kopieren" checks and copies the chain from the start with its
// branches behind the target, as one command.
class Tk_Kopierform : public QDialog {
    Q_OBJECT
public:
    Tk_Kopierform(EditSession& session, UserSeam& seam, QWidget* parent = nullptr);
    ~Tk_Kopierform() override;

    // Shows the window: start and target cleared, "Startpunkt" chosen; a selected node
    // becomes the start and the choice moves on to "Zielpunkt".
    void zeigen();

    void Setstartnode(tmylistitem* n);
    void Setzielnode(tmylistitem* n);
    // A node clicked in the tree: start or target, as the choice says.
    void knotenGeklickt(tmylistitem* n);
    // "Kopieren": the checks, then the copy; the window closes after a copy. False when
    // nothing was copied.
    bool okbtnClick();

    tmylistitem* startnode() const { return wahl_->start(); }
    tmylistitem* zielnode() const { return wahl_->ziel(); }
    QLineEdit* starttxt() const { return wahl_->starttxt(); }
    QLineEdit* zieltxt() const { return wahl_->zieltxt(); }
    QRadioButton* startRadio() const { return wahl_->startRadio(); }
    QRadioButton* zielRadio() const { return wahl_->zielRadio(); }
    QPushButton* okbtn() const { return okbtn_; }
    QPushButton* abbruchbutton1() const { return abbruchbutton1_; }

signals:
    // A copy was made (the main window shows the tree's new state).
    void kopiert();

private:
    void knopfFolgen();

    EditSession& session_;
    UserSeam& seam_;
    PunkteWahl* wahl_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton* okbtn_ = nullptr;
    QPushButton* abbruchbutton1_ = nullptr;
};

} // namespace zephan
