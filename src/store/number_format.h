#pragma once

#include <QString>

namespace zephan {

// Numbers as the program shows, stores and prints them: German format (decimal comma, "."
// groups thousands), independent of the machine's locale.

// x with exactly d decimals and thousands grouping; a negative d writes up to -d decimals
// with trailing zeros (and a trailing comma) removed.
QString formatZahl(double x, int d);
// formatZahl(x, d) appended to `ziel`: a report line of many numbers is built in one string.
void formatZahlAnhaengen(QString& ziel, double x, int d);
// x with d decimals, no thousands grouping (stored values and edit fields).
QString formatZahlOhneGruppen(double x, int d);
// A number kept as decimal text ("5,35") written with d >= 0 decimals and grouping, rounded
// half up on the text's own decimal digits ("5,4"), not on the binary value nearest to it;
// empty, and false in *ok, when the text is no number.
QString formatZahltext(const QString& text, int d, bool* ok = nullptr);
// A volume flow: a whole number with grouping.
QString formatVolumenstrom(double q);

// Reads a number: blanks and "+" removed, "." dropped, "," read as the decimal point.
// Returns `fallback` (default -1) when the text is no number; *ok tells which.
double leseZahl(const QString& text, bool* ok = nullptr, double fallback = -1);
// Reads a whole number from the text before the decimal comma; -1 when it is none.
int leseGanzzahl(const QString& text);

// Round to the nearest whole number, halves to the even neighbour.
long long runden(double x);
// Drops the fraction.
long long kuerzen(double x);

} // namespace zephan
