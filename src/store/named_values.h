#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zephan {

class TIniFile2;

// The window-free half of storing a panel's input controls: the window walks its controls
// (children in order, sub-panels when asked) and hands over one NamedValue per stored control;
// these functions write and read them with the store's rules.
enum class WertArt {
    Farbe,    // colour box: the colour as integer (ganz)
    Text,     // text-like edit fields (text, time, phone, web, mail, password, path, ...)
    Zahl,     // number field: whole number when nachkommastellen is 0, else decimal (zahl)
    Jahr,     // year field (ganz)
    Datum,    // date field: the day number (ganz), see tagNummer()
    Index,    // read-only combo box, radio group: the item index (ganz)
    EditText, // editable combo box: its text
    Memo,     // memo: lines joined by "\n"; stored on one line with "þ" for each break
    Bool,     // check box (an)
    Unbekannt // an edit field kind the store has no rule for
};

struct NamedValue {
    QString key;
    WertArt art = WertArt::Text;
    QString text;
    qint64 ganz = 0;
    double zahl = 0;
    int nachkommastellen = 0;
    bool an = false;
};

// The storage key of a control: "" means not stored, "*" the control's own name, anything
// else is the key itself.
QString speicherSchluessel(const QString& nameFeld, const QString& controlName);

// Writes the values into the section in order. A value of kind Unbekannt is not stored; its
// message key + " Typ unbekannt" goes to the store's seam and the trace log and is returned.
QStringList namedValuesSave(TIniFile2& ini, const QString& section,
                            const QList<NamedValue>& values);

// Reads the values back. What each value holds on entry is its current content, which is
// also the default of edit fields, colour boxes and check boxes, so a missing key leaves them
// as they are. Missing keys read: year and date -1, index 0, editable combo box and memo
// empty. A decimal number reads 0 when missing: that is the value its writer leaves out.
QStringList namedValuesLoad(const TIniFile2& ini, const QString& section,
                            QList<NamedValue>& values);

// Day numbers of stored dates count from 30 December 1899 (day 0); -1 is "no date".
qint64 tagNummer(const QDate& datum);
QDate datumAusTagNummer(qint64 tag);

} // namespace zephan
