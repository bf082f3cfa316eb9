#pragma once

#include "network/tree_listener.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
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
class Tk_schall2form : public QDialog, private BaumBeobachter {
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

    tmylistitem* startnode() const { return startnode_; }
    tmylistitem* zielnode() const { return zielnode_; }
    QLineEdit* starttxt() const { return starttxt_; }
    QLineEdit* zieltxt() const { return zieltxt_; }
    QRadioButton* startRadio() const { return startRadio_; }
    QRadioButton* zielRadio() const { return zielRadio_; }
    QCheckBox* hinweis() const { return hinweis_; }
    QPushButton* okbutton1() const { return okbutton1_; }

signals:
    // The report document holds the attenuation: the main window shows it.
    void berechnet();

private:
    void vorEntfernen(tmylistitem* node) override;
    void vorZuruecksetzen() override;
    void knopfFolgen();

    EditSession& session_;
    TDruck& druck_;
    UserSeam& seam_;
    tmylistitem* startnode_ = nullptr;
    tmylistitem* zielnode_ = nullptr;
    QGroupBox* radioGroup1_ = nullptr;
    QRadioButton* startRadio_ = nullptr;
    QRadioButton* zielRadio_ = nullptr;
    QLineEdit* starttxt_ = nullptr;
    QLineEdit* zieltxt_ = nullptr;
    QCheckBox* hinweis_ = nullptr;
    QPushButton* okbutton1_ = nullptr;
    QPushButton* abbruch_ = nullptr;
};

} // namespace zephan
