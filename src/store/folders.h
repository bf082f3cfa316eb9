#pragma once

#include "store/ini_file.h"

#include <QString>

namespace zephan {

class UserSeam;

// The program's short name: the settings file and the per-user folders are named after it.
inline constexpr char programmKurzname[] = "Zephan";

// The folder of the program file.
QString programmOrdner();
// Where the program keeps its own files (settings, catalogue): the program folder when it is
// writable, else a per-user configuration folder named after the program (created on demand).
QString datenOrdner();
// The per-user application data folder's `Zephan` subfolder (receives the example project;
// created on demand).
QString anwendungsdatenOrdner();
// "Zephan.ini" in the data folder.
QString einstellungsDatei();

// The folders can be set for the command-line tool and for tests; an empty path restores the
// folder found by the functions above.
void setzeProgrammOrdner(const QString& pfad);
void setzeDatenOrdner(const QString& pfad);
void setzeAnwendungsdatenOrdner(const QString& pfad);

// Copies "Zephan.ini" from the program folder into the data folder when only the program
// folder has it. False when a copy was needed and failed.
bool einstellungsDateiUebernehmen();

// The settings store, opened for reading or for writing. Both first take over the program
// folder's file (see above), so settings shipped beside the program are not lost when the
// first store to touch the file is a writer. The file is read as UTF-8 when it is valid UTF-8,
// else as code page 1252, and always written as UTF-8, so a text with umlauts (the last
// project's path) reads back unchanged on every start, whichever store saved last.
TIniFile2 einstellungenLesen(UserSeam* seam = nullptr);
TIniFile2 einstellungenSchreiben(UserSeam* seam = nullptr);

} // namespace zephan
