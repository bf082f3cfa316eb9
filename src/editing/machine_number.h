#pragma once

#include <QString>

namespace zephan {

// Numbers typed on the command line and in edit scripts, in the machine format only: "." is
// the decimal point, an exponent may follow ("1e-4"), a sign may lead. A "," is refused rather
// than guessed at (in "2,5" and "2.500" the German and the machine reading differ), and so is
// anything that is no finite number; nothing is ever read as the empty field's -1.
// Returns false and says why in *fehler ("\"2,5\" ist keine Zahl: ...").
bool maschinenZahl(const QString& text, double& wert, QString* fehler = nullptr);

// An input text as a message repeats it: at most 40 characters, longer ones cut with "...";
// `zitat` puts it in quotes.
QString gekuerzt(const QString& text);
QString zitat(const QString& text);

} // namespace zephan
