#pragma once

#include "network/tree_listener.h"

#include <QGroupBox>
#include <functional>

class QLineEdit;
class QRadioButton;

namespace zephan {

class EditSession;
class tmylistitem;

// "Bitte Start- und Zielpunkt wählen": a start and a target picked in the tree. While the
// window it sits in is open, the node chosen in the tree becomes start or target as the
// choice says; a node that leaves the tree (deleted, undone, a new project) leaves the choice.
class PunkteWahl : public QGroupBox, private BaumBeobachter {
    Q_OBJECT
public:
    // `text` names a chosen node in its field ("-" is shown for none).
    PunkteWahl(EditSession& session, std::function<QString(const tmylistitem*)> text,
               QWidget* parent);
    ~PunkteWahl() override;

    void setStart(tmylistitem* n);
    void setZiel(tmylistitem* n);
    // A node clicked in the tree: start or target, as the choice says.
    void knotenGeklickt(tmylistitem* n);

    tmylistitem* start() const { return start_; }
    tmylistitem* ziel() const { return ziel_; }
    QLineEdit* starttxt() const { return starttxt_; }
    QLineEdit* zieltxt() const { return zieltxt_; }
    QRadioButton* startRadio() const { return startRadio_; }
    QRadioButton* zielRadio() const { return zielRadio_; }

signals:
    // Start or target changed.
    void wahlGeaendert();

private:
    void vorEntfernen(tmylistitem* node) override;
    void vorZuruecksetzen() override;

    EditSession& session_;
    std::function<QString(const tmylistitem*)> text_;
    tmylistitem* start_ = nullptr;
    tmylistitem* ziel_ = nullptr;
    QRadioButton* startRadio_ = nullptr;
    QRadioButton* zielRadio_ = nullptr;
    QLineEdit* starttxt_ = nullptr;
    QLineEdit* zieltxt_ = nullptr;
};

} // namespace zephan
