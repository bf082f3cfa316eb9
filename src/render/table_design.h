#pragma once

#include <QString>
#include <QStringList>

namespace zephan {

// The most columns a table may have (columns 0 to 100).
inline constexpr int maxSpalten = 101;

// A cell design read from its letters.
struct TZellDesign {
    char horizontal = 'l';                          // l, z, r
    char vertikal = 'o';                            // o, m, u
    int links = 0, oben = 0, unten = 0, rechts = 0; // rule pen width, 0 = no rule
    bool fett = false;
    bool quer = false; // text turned by 90 degrees
    bool breiteAusKopf = false;
    int spalten = 1; // columns covered
    int zeilen = 1;  // row height in lines ("H", first column)
};

TZellDesign designLesen(QStringView design);

// Applies one field of a "°Z" line to a column's design: empty or "+" keeps it, a field with
// "+" or "-" modifies it, anything else replaces it.
QString designAnwenden(const QString& alt, const QString& feld);

// The column count a design covers ("C" + n), at least 1.
int designSpalten(QStringView design);

// A table definition line ("°T..." without the first two characters).
struct TTabellenDefinition {
    int koepfe = 1;
    int stil = 0;
    QStringList breiten; // the width fields as written
    bool zuVieleSpalten = false;
};
TTabellenDefinition tabellenDefinitionLesen(QStringView argument);

// Designs a table style gives its head rows and body columns.
QString kopfDesignFuerStil(int stil);
QString rumpfDesignFuerStil(int stil, int spalte, bool mitKoepfen);

} // namespace zephan
