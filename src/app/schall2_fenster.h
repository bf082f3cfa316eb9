#pragma once

#include "app/punkte_wahl.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zephan {

class EditSession;
class TDruck;
class UserSeam;

// "Schalldämpfung zwischen 2 Bauteilen": start and target are picked by clicks in the tree
// while the window stays open beside the main window; "Berechnen" writes the attenuation of
// the network between them into the report document.
class Tk_schall2form : public QDialog {
    Q_OBJECT
public:
    Tk_schall2form(EditSession& session, TDruck& druck, UserSeam& seam, QWidget* parent = nullptr);
    ~Tk_schall2form() override;

    // Shows the window: the selected node is the start, the target is empty and the choice
    // moves on to the target.
    void zeigen();

    void Setstartnode(tmylistitem* n);
    void Setzielnode(tmylistitem* n);
    // A node clicked in the tree: start or target, as the choice says.
    void knotenGeklickt(tmylistitem* n);
    // "Berechnen": the checks, then the report; false with a message when the two cannot be
    // taken.
    bool Okbutton1Click();

    tmylistitem* startnode() const { return wahl_->start(); }
    tmylistitem* zielnode() const { return wahl_->ziel(); }
    QLineEdit* starttxt() const { return wahl_->starttxt(); }
    QLineEdit* zieltxt() const { return wahl_->zieltxt(); }
    QRadioButton* startRadio() const { return wahl_->startRadio(); }
    QRadioButton* zielRadio() const { return wahl_->zielRadio(); }
    QCheckBox* hinweis() const { return hinweis_; }
    QPushButton* okbutton1() const { return okbutton1_; }

signals:
    // The report document holds the attenuation: the main window shows it.
    void berechnet();

private:
    void knopfFolgen();

    EditSession& session_;
    TDruck& druck_;
    UserSeam& seam_;
    PunkteWahl* wahl_ = nullptr;
    QCheckBox* hinweis_ = nullptr;
    QPushButton* okbutton1_ = nullptr;
    QPushButton* abbruch_ = nullptr;
};

} // namespace zephan
