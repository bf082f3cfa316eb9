#pragma once

#include "bands/pegel.h"

#include <QString>

namespace zephan {

class TDruck;

// Column layout of a spectrum table: title, unit, seven bands.
inline constexpr char oktavTabellenformat[] = "2,46,5,-7,-7,-7,-7,-7,-7,-7";

// True for the frequency row of the band table: a spectrum equal to it in the seven bands.
bool istFrequenzzeile(const TPegel& p);

// The report row of a spectrum: title|[unit]|v1|...|v7, an empty unit written as "-".
// pegelZeile writes whole numbers (halves to even); werteZeile writes a value below 10 with
// 2 decimals, below 100 with 1, and larger ones as whole numbers.
QString pegelZeile(const QString& titel, const QString& einheit, const TPegel& p);
QString werteZeile(const QString& titel, const QString& einheit, const TPegel& p);

// Appends pegelZeile to the document. Passing the frequency row (oktavFrequenzen) opens a new
// spectrum table and writes the row as "Oktavmittenfrequenz" in "Hz", whatever the title.
void druckePegel(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p);
// Appends werteZeile to the document.
void druckeWerte(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p);

} // namespace zephan
