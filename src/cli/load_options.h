#pragma once

#include "cli/command.h"
#include "editing/startup.h"

#include <QString>
#include <QStringList>

namespace zephan {
class EditSession;
class Projekt;
} // namespace zephan

namespace zephan::cli {

// Exit code of a command that stopped because a container's check sum did not match.
constexpr int exitCrc = 3;

// The options of every command that starts the program's calculations or opens a project.
struct Ladeoptionen {
    StartQuellen start;         // --einstellungen FILE, --katalog FILE
    int zwischenspeicher = -1;  // --temporaer laden (0) | verwerfen (1); -1 not said
    bool crcIgnorieren = false; // --crc-ignorieren
};

// How the usage lines show them.
inline constexpr char ladeoptionenUsage[] =
    "[--einstellungen DATEI] [--katalog DATEI] [--temporaer laden|verwerfen] [--crc-ignorieren]";

// Takes the options out of `args`. False when one is malformed (missing or unknown value, or
// given twice); the caller prints its usage.
bool ladeoptionenNehmen(QStringList& args, Ladeoptionen& o);

// The program's start-up with the options' files. exitOk, or exitFehler after the message.
int starten(const Ladeoptionen& o, UserSeam& seam);

// Prepares a project and the seam for a load as the options say (the temporary copy's answer,
// and whether a CRC mismatch refuses the file).
void ladeoptionenSetzen(Projekt& projekt, const Ladeoptionen& o, KonsolenSeam& seam);

// Judges a load (Projekt::laden or EditSession::laden) that returned `geladen`: exitOk, or the
// exit code after a message: a newer temporary copy nobody decided about, a file that could
// not be read, or a check-sum mismatch without --crc-ignorieren (exitCrc). *crcFehler tells
// whether the project was loaded despite a mismatch.
int ladenPruefen(bool geladen, const Projekt& projekt, const QString& datei, const Ladeoptionen& o,
                 const KonsolenSeam& seam, bool* crcFehler = nullptr);

// Opens `datei` into `projekt` for a command that only reads it: the options prepared, no
// automatic save, the load judged by ladenPruefen. exitOk or the exit code after a message.
int projektOeffnen(Projekt& projekt, const QString& datei, const Ladeoptionen& o,
                   KonsolenSeam& seam);

// A folder named as the project file to write: exitFehler after the message; exitOk otherwise.
int zielPruefen(const QString& ziel);

// Prepares an editing session for a command that writes the project to another name: no
// automatic save, the name taken exactly as given.
void sitzungVorbereiten(EditSession& session);

// Opens `datei` into a prepared editing session for a command that writes `ziel`: the options
// set, the load judged by ladenPruefen, and a project loaded despite a check-sum mismatch not
// written over itself (exitCrc). exitOk or the exit code after a message.
int sitzungOeffnen(EditSession& session, const QString& datei, const QString& ziel,
                   const Ladeoptionen& o, KonsolenSeam& seam);

// Both names lead to the same file (an existing one compared as the file system sees it).
bool dieselbeDatei(const QString& a, const QString& b);

} // namespace zephan::cli
