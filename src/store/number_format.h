#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace zephan {

// Numbers as the program shows, stores and prints them: German format (decimal comma, "."
// groups thousands), independent of the machine's locale.

// x with exactly d decimals and thousands grouping; a negative d writes up to -d decimals
// with trailing zeros (and a trailing comma) removed.
QString formatZahl(double x, int d);
// formatZahl(x, d) appended to `ziel`: a report line of many numbers is built in one string.
void formatZahlAnhaengen(QString& ziel, double x, int d);

// The most characters formatZahl writes for any double with d decimals (the largest double has
// 309 digits, 102 group points, a sign and a comma).
constexpr qsizetype zahlTextMax(int d) {
    return 420 + (d < 0 ? -d : d);
}
// formatZahl(x, d) written to `ziel`, which has room for zahlTextMax(d) characters; returns the
// number of characters written.
qsizetype formatZahlSchreiben(QChar* ziel, double x, int d);

// A report line being put together: on the stack, on the heap only when it grows long.
using Zeilenpuffer = QVarLengthArray<QChar, 1024>;

inline void textAnhaengen(Zeilenpuffer& ziel, QStringView text) {
    ziel.append(text.data(), text.size());
}
inline void formatZahlAnhaengen(Zeilenpuffer& ziel, double x, int d) {
    const qsizetype alt = ziel.size();
    ziel.resize(alt + zahlTextMax(d));
    ziel.resize(alt + formatZahlSchreiben(ziel.data() + alt, x, d));
}
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
