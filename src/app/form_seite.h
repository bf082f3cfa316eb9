#pragma once

#include "editing/component_page_model.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zephan {

class EditSession;
class Zahlenfeld;
struct BauteilAnzeige;

// The component page ("Formstück"): the fixed type list, the option lists, the seven value
// slots, the preset inputs and the sound preset. What it shows comes from the component page
// model; every control writes into the edit buffer at once.
class FormSeite : public QWidget {
    Q_OBJECT

public:
    FormSeite(EditSession& session, QWidget* parent = nullptr);

    // Builds the page for the buffer's type (the type list follows when the type changed).
    void zeigen(bool typGewechselt);
    // The page chosen by its tab: a fresh "Zetawert" in the buffer, shown.
    void zuruecksetzen();
    // After the page check: the velocity, zeta and loss its calculation gave.
    void rechnungZeigen(const BauteilAnzeige& a);
    void gruppenFuellen(const QStringList& gruppen);
    // The type code chosen in the type list (-1 = none).
    void setGewaehlterTyp(int typ);
    QString ungueltigesFeld() const;

signals:
    void typGewaehlt(const QString& eintrag);
    void geaendert();
    // "Schall" or its check box: the sound preset window.
    void schallGewuenscht();
    // "Spektrum" beside slot 3 (room spectrum) or slot 4 (reverberation per band).
    void spektrumGewuenscht(int slot);
    void uebernehmenGewuenscht();

private:
    void bauen();
    QWidget* typListeBauen();
    QWidget* wertePanelBauen();

    void typListeZeigen();
    void checksZeigen(const KomponentenAnsicht& a);
    void optionslistenZeigen(const KomponentenAnsicht& a);
    void werteZeigen(const KomponentenAnsicht& a);
    void vorgabenZeigen(const KomponentenAnsicht& a);

    void optionenGeaendert();
    void wertGeaendert(int k);

    EditSession& session_;
    bool setzen_ = false;
    int letzterTyp_ = -2;  // type of the last build
    int formbox2Typ_ = -2; // the type for which the second option list was last filled

    QTreeWidget* typen_ = nullptr;
    QListWidget* box1_ = nullptr;
    QListWidget* box2_ = nullptr;
    QCheckBox* eintrittEckig_ = nullptr;
    QCheckBox* planung_ = nullptr;
    QCheckBox* vorgeben_ = nullptr;
    QCheckBox* zetaCheck_ = nullptr;
    QWidget* wertePanel_ = nullptr;
    struct Slot {
        QLabel* text = nullptr;
        Zahlenfeld* zahl = nullptr;
        QLineEdit* textFeld = nullptr;
        QLabel* einheit = nullptr;
        QPushButton* spektrum = nullptr; // slots 3 and 4
    };
    std::array<Slot, 7> slots_{};
    QLabel* geschwText_ = nullptr;
    Zahlenfeld* geschwindigkeit_ = nullptr;
    QLabel* geschwEinheit_ = nullptr;
    QLabel* zetaText_ = nullptr;
    Zahlenfeld* zeta_ = nullptr;
    QCheckBox* schall_ = nullptr;
    QPushButton* schallKnopf_ = nullptr;
    QLabel* gruppeText_ = nullptr;
    QComboBox* gruppe_ = nullptr;
    QLineEdit* bemerkung_ = nullptr;
};

} // namespace zephan
