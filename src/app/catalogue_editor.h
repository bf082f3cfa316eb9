#pragma once

#include "network/catalogue.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeView;

namespace zephan {

class BaumModell;
class Bauteilkatalog;
class FensterSeam;
class Zahlenfeld;
class tmylistitem;

// The catalogue editor "Bauteilform": the catalogue tree on the left, the fields of the chosen
// entry on the right, and the buttons "Hinzufügen / Update", "löschen", "sichern" and
// "Clear". Edits change the catalogue tree; the file changes only through "sichern".
class TBauteilForm_ : public QDialog {
public:
    explicit TBauteilForm_(QWidget* parent = nullptr, Bauteilkatalog* katalog = nullptr);
    ~TBauteilForm_() override;

    Bauteilkatalog& katalog() { return *katalog_; }
    QTreeView* baumAnsicht() const { return baum_; }
    tmylistitem* ausgewaehlt() const;

    void eintragWaehlen(tmylistitem* node);
    // The editor's fields as an entry, and the other way round.
    tBasisDaten_ felder() const;
    void felderZeigen(const tBasisDaten_& e);
    void updateClick();
    void loeschenClick();
    bool sichernClick();
    void clearClick();

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void formAnpassen();

    Bauteilkatalog* katalog_;
    std::unique_ptr<FensterSeam> seam_;
    BaumModell* modell_ = nullptr;
    QTreeView* baum_ = nullptr;
    bool fsetzen_ = false;
    QLineEdit* titel_;
    QSpinBox* typ_;
    QSpinBox* bild_;
    QLabel* titelint_;
    QSpinBox* abzweige_;
    QComboBox* eckig_;
    QComboBox* masse_;
    QComboBox* vorgabe_;
    QComboBox* vorgabe2_;
    QSpinBox* defindex_;
    QComboBox* ort_;
    QLineEdit* box1_;
    std::array<QCheckBox*, 11> flags_{};
    std::array<Zahlenfeld*, 6> joints_{};
    std::array<QLabel*, 6> jointTexte_{};
    struct SlotZeile {
        QLineEdit* eckig;
        QLineEdit* einheit;
        QLineEdit* rund;
        QSpinBox* min;
        QSpinBox* max;
        QCheckBox* text;
        QSpinBox* stellen;
    };
    std::array<SlotZeile, anzahlDatSlots> slots_{};
};

} // namespace zephan
