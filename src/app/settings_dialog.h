#pragma once

#include "network/settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace zephan {

class Einstellungen;
class Zahlenfeld;

// The settings dialog "Einstellungen" over the program's settings: shows them when opened,
// changes the size lists at once, and takes every other control into the settings and writes
// the settings file whenever it closes, however it is closed.
class Tk_Einstellform : public QDialog {
public:
    explicit Tk_Einstellform(QWidget* parent = nullptr);

    // Fills the controls from the settings (done when shown).
    void zeigen();
    // Takes the controls into the settings and writes the file (done when closed). False
    // when the file could not be written (the settings are taken all the same).
    bool uebernehmen();

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The settings as they were when the dialog opened: "Abbrechen" puts them back.
    Einstellungen vorher_;
    // The four pages of the dialog.
    QWidget* auslegungSeite();
    QWidget* schallSeite();
    QWidget* sonstigesSeite();
    QWidget* aufmassSeite();
    void listeZeigen(int liste);
    void massHinzufuegen(int liste);
    void masseLoeschen(int liste);
    void isolierungHinzufuegen();

    QTabWidget* seiten_;
    QListWidget* listen_[2];
    Zahlenfeld* mass_;
    QRadioButton* nachSpeed_;
    QRadioButton* nachGefaelle_;
    QSpinBox* speed_[3];
    QLineEdit* paProM_;
    QSpinBox* nachhall_;
    QSpinBox* abstand_;
    QSpinBox* raumdB_;
    QLineEdit* rohrRdh_;
    QLineEdit* kanalRdh_;
    QCheckBox* planen_;
    QCheckBox* baender_[7];
    QComboBox* methode_;
    QCheckBox* auslass_;
    QCheckBox* autoSave_;
    QCheckBox* unter_;
    QSpinBox* abweichung_;
    QComboBox* min1qm_;
    QCheckBox* vierkant_;
    QComboBox* sbmin_;
    QSpinBox* sb30_;
    QSpinBox* sb40_;
    QListWidget* isolierung_;
};

} // namespace zephan
