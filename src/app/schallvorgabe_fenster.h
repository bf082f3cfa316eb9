#pragma once

#include "app/band_felder.h"
#include "editing/sound_preset_model.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;

namespace zephan {

class SpektrumBalken;
class UserSeam;

// "Schallwerte vorgeben": the noise and the attenuation preset of a component, each a row of
// seven band fields with its check box, and both rows as bars beside the table. The window
// edits a copy; the caller stores what `eingabe` holds after OK.
class Tk_Schallvorgabeform : public QDialog {
    Q_OBJECT

public:
    Tk_Schallvorgabeform(UserSeam& seam, QWidget* parent = nullptr);

    // Shows the presets of the record; the focus goes to "Geräusch".
    void zeigen(const DVdata& d);
    SchallVorgabe eingabe() const;

    // OK closes the window only when every field in force holds a number in its range; else
    // the message names the first field that does not.
    void accept() override;
    QString fehler() const;

    QCheckBox* checkG() const { return checkG_; }
    QCheckBox* checkD() const { return checkD_; }
    const BandFelder& peg() const { return peg_; }
    const BandFelder& ped() const { return ped_; }
    SpektrumBalken* balken() const { return balken_; }

private:
    // After every click on a box and every change of a field: the rows in force are enabled,
    // the bars follow.
    void auffrischen();

    UserSeam& seam_;
    QCheckBox* checkG_ = nullptr;
    QCheckBox* checkD_ = nullptr;
    BandFelder peg_{};
    BandFelder ped_{};
    QLabel* myLabel1_ = nullptr;
    SpektrumBalken* balken_ = nullptr;
    QDialogButtonBox* knoepfe_ = nullptr;
    int reiheG_ = 0, reiheD_ = 0;
};

} // namespace zephan
