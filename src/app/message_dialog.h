#pragma once

#include "store/user_seam.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace zephan {

// The message dialog: buttons given as one text separated by "|". The short codes stand for
// the standard buttons ("j"/"y" Ja, "o" OK, "n" Nein, "a" Abbrechen, "alle"/"all" "A&lle",
// "i" "&Ignorieren", "w" "&Wiederholen"); any other text is the button's own caption.
// Returns the position of the chosen button, -1 when the dialog was closed without a choice.
int meldungsDialog(QWidget* parent, const QString& text, const QString& buttons,
                   UserSeam::Kind kind = UserSeam::Kind::Bestaetigen);

// The buttons of a "|"-separated text as the dialog shows them (captions after the codes
// are resolved; standard buttons keep their code so the translated caption is used).
QStringList dialogKnoepfe(const QString& buttons);

// The caption of a dialog kind: "Warnung", "Fehler", "Bestätigen", "Information".
QString dialogTitel(UserSeam::Kind kind);

// Answers dialogs without showing them (tests and the offscreen screenshot run): the function
// receives text and buttons and returns the position. Null: dialogs are shown.
using Antwortgeber = std::function<int(const QString& text, const QString& buttons)>;
void setzeAntwortgeber(Antwortgeber a);
bool hatAntwortgeber();

} // namespace zephan
