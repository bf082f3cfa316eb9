#pragma once

#include "app/band_felder.h"
#include "editing/room_band_model.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;

namespace zephan {

class SpektrumBalken;
class UserSeam;

// The two band windows of a room: "Raumschallpegel angeben [dB A]" (the room spectrum, object
// k_SchallRaumSpektrumform) and "genaue Nachhallzeit angeben [msek]" (the reverberation time
// per band, k_NachHallzeitvorgabeform). Seven band fields with a check box that puts them in
// force, the mean field that then follows them, and the bands as bars beside the table. The
// window edits a copy; the caller stores what `eingabe` holds after OK.
class Tk_RaumBandform : public QDialog {
    Q_OBJECT

public:
    Tk_RaumBandform(RaumBandArt art, UserSeam& seam, QWidget* parent = nullptr);

    RaumBandArt art() const { return art_; }
    // Shows the bands of the record and, in the mean field, its slot 3 / 4 (`vorgabemitte`);
    // the focus goes to the check box.
    void zeigen(const DVdata& d);
    RaumBandVorgabe eingabe() const;

    // OK closes the window only when every field in force holds a number in its range and the
    // mean field is not empty; else the message names the field.
    void accept() override;
    QString fehler() const;

    QCheckBox* checkG() const { return checkG_; }
    const BandFelder& peg() const { return peg_; }
    Zahlenfeld* mittetxt() const { return mittetxt_; }
    SpektrumBalken* balken() const { return balken_; }

private:
    // After a click on the box and every change of a field: the bands or the mean field are
    // enabled; bands in force give the mean.
    void auffrischen();

    RaumBandArt art_;
    UserSeam& seam_;
    bool setzen_ = false;
    QCheckBox* checkG_ = nullptr;
    BandFelder peg_{};
    Zahlenfeld* mittetxt_ = nullptr;
    SpektrumBalken* balken_ = nullptr;
    QDialogButtonBox* knoepfe_ = nullptr;
};

} // namespace zephan
