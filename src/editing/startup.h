#pragma once

#include <QString>

namespace zephan {

class UserSeam;

// Where start-up reads from. Empty names mean the program's own files: "Zephan.ini" and
// "Bauteil.ini" of the data folder (the catalogue carried in the program when there is none).
struct StartQuellen {
    QString einstellungen;
    QString katalog;
};

// What start-up read; `fehler` is set when it could not start.
struct StartErgebnis {
    bool ok = true;
    QString fehler;
    QString einstellungsDatei; // the settings file read (it may not exist: defaults)
    QString katalogDatei;      // empty: the catalogue carried in the program
};

// The start-up of the program and of the command-line tool, in the program's order: the
// titled-number tables, then the settings into `einstellungen()`, then the catalogue into the
// type table. So both compute with the same values. The program's own files behave as in the
// window: a damaged settings file is reported and leaves the defaults, a damaged catalogue is
// reported and the carried one is used. A file named in `quellen` must be read, else start-up
// fails with a message and changes nothing.
StartErgebnis programmStart(const StartQuellen& quellen = {}, UserSeam* seam = nullptr);

} // namespace zephan
