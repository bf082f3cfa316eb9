#pragma once

#include "quantities/ueberschreiben.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zephan {

class EditSession;
class Zahlenfeld;

// "Komponenten überschreiben": copies chosen values of the component in the edit buffer onto
// every component of its type in the selected line, with filters and an optional question per
// component. Shown beside the main window (not modal); "Setzen" is one command of the editing
// session, so one undo takes the whole run back.
class Tk_AllSetform : public QDialog {
    Q_OBJECT

public:
    Tk_AllSetform(EditSession& session, QWidget* parent = nullptr);

    // Fills the window from the edit buffer (the type, its value captions, the buffer's values
    // and preset) and shows it.
    void FormShow();
    // "Setzen": runs the overwrite; returns the number of components changed.
    int Okbutton1Click();
    // The options as the window's fields give them.
    UeberschreibOptionen optionen() const;
    int typ() const { return typ_; }

private:
    void vorgabeFolgen();

    EditSession& session_;
    int typ_ = -1;
    QLabel* komponente_ = nullptr;
    QComboBox* planungFilter_ = nullptr;
    QComboBox* formFilter_ = nullptr;
    QComboBox* vorgabeFilter_ = nullptr;
    std::array<QCheckBox*, 3> ort_{};
    QCheckBox* nachfragen_ = nullptr;
    QLineEdit* ersetzen_ = nullptr;
    QComboBox* planungErgebnis_ = nullptr;
    QComboBox* formErgebnis_ = nullptr;
    std::array<QRadioButton*, 4> vorgabe_{};
    Zahlenfeld* druck_ = nullptr;
    Zahlenfeld* geschw_ = nullptr;
    Zahlenfeld* zeta_ = nullptr;
    std::array<QCheckBox*, 7> zeilen_{};
    std::array<QLineEdit*, 7> werte_{};
    QPushButton* setzen_ = nullptr;
};

} // namespace zephan
