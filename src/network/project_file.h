#pragma once

#include "network/auto_save.h"
#include "network/dvdata.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "store/ini_file.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace zephan {

class TIniFile2;
class UserSeam;

// What the file's "Info" section names.
inline const QString programmName = QStringLiteral("Zephan");
inline const QString programmWww = QStringLiteral("www.zephan.example");
// The format version of project files ("Tree"/"Version").
constexpr int projektVersion = 4;
// The question asked when the temporary copy is newer than the file ("j|n|a").
inline const QString zwischenspeicherFrage =
    QStringLiteral("Ein Zwischenspeicherung ist aktueller. Diese laden?");

// --- node records in a sectioned file -----------------------------------------------------------

// Key lines of a node section that the program does not know (a newer program's keys): kept
// with the node's record and written back after the known keys.
using FremdeSchluessel = std::vector<std::pair<QString, QString>>;

// Writes the keys of a record into a section, in the file's order.
void recordSchreiben(TIniFile2& ini, const QString& section, const DVdata& d);
// Reads a record from a section (absent keys take their defaults) and converts older type
// codes and values. False when a value does not fit its field or the type code is no type
// (outside -1 ... 130); *fehler then names section, key and value.
bool recordLesen(const TIniFile2& ini, const QString& section, DVdata& d, QString* fehler = nullptr,
                 FremdeSchluessel* fremde = nullptr);
// The same for a section at hand (its name as written names it in *fehler).
bool recordLesen(const TSection& section, DVdata& d, QString* fehler = nullptr,
                 FremdeSchluessel* fremde = nullptr);
// The conversions of older stored types, keyed on the stored type.
void recordKonvertieren(DVdata& d);

// The handlers behind the project tree's OnItemSave / OnItemLoad. A node without record is
// reported as "Fehler bei: " + its position and skipped. Loading copies the record into the
// node and refreshes its caption, picture and state.
void treeItemSave(TIniFile2& ini, const QString& section, tmylistitem* node,
                  UserSeam* seam = nullptr);
bool treeItemLoad(TIniFile2& ini, const QString& section, tmylistitem* node,
                  QString* fehler = nullptr);

// --- the open project ---------------------------------------------------------------------------

// The open project: tree, project page data, file name, changed mark and automatic save.
// Messages, questions and status texts go through the seam.
class Projekt {
public:
    explicit Projekt(UserSeam& seam);
    Projekt(const Projekt&) = delete;
    Projekt& operator=(const Projekt&) = delete;

    ProjektBaum& baum() { return baum_; }
    const ProjektBaum& baum() const { return baum_; }
    ProjektDaten& daten() { return daten_; }
    const ProjektDaten& daten() const { return daten_; }
    UserSeam& seam() { return seam_; }

    QString dateiname() const { return dateiname_; }
    // Names the file that laden reads and sichern writes. A name set for saving ("Sichern
    // als") is kept only when the save succeeds; a failed save falls back to the file the
    // project was last loaded from or saved to.
    void setDateiname(const QString& name) { dateiname_ = name; }
    // Saves write exactly the file name set (the command-line tool); by default ".pro" is
    // appended to a name without it.
    void setNameGenau(bool genau) { nameGenau_ = genau; }
    // The file a save under `name` writes (".pro" appended as above).
    QString zielDatei(const QString& name) const;

    // The changed mark. Marking an unchanged project restarts the save budget and starts the
    // countdown when automatic saving is on; clearing it stops the countdown.
    bool geaendert() const { return geaendert_; }
    void setGeaendert(bool g);

    AutoSave& autoSave() { return autoSave_; }
    const AutoSave& autoSave() const { return autoSave_; }
    // One tick of the window's 5-second timer: writes the temporary copy when the budget ran
    // out. Returns true when it wrote one.
    bool autoSaveTick();
    // "automatisch alle 5 Minuten sichern", read at the moment of use (default: the settings).
    void setAutomatischSichern(std::function<bool()> f) { automatisch_ = std::move(f); }

    // The temporary copy: the file name followed by "tmp". An unnamed project keeps its
    // recovery copy "unbenannt.protmp" in the recovery folder (by default the program's data
    // folder) instead of the working folder.
    QString tempDatei() const;
    void setWiederherstellungsOrdner(const QString& ordner) { wiederherstellung_ = ordner; }
    QString wiederherstellungsDatei() const;

    // Saves a changed project to its file (temp: to the temporary copy). Returns true when
    // written or when nothing was to be written; false when the save was refused or failed
    // (the project then stays marked changed and keeps its file name). A project loaded
    // despite a CRC mismatch is never written over that file: the seam is asked for another
    // name (UserSeam::dateinameFragen); without one the save is refused.
    bool sichern(bool temp = false);
    // "Sichern als": saves to `datei` and takes it as the project's file only on success.
    bool sichernAls(const QString& datei);
    // Opens the project file, or with `hinzu` appends the lines of that file. Bad files are
    // reported and leave the open project exactly as it was. Returns true when loaded.
    bool laden(const QString& hinzu = QString());

    // With `ablehnen` laden refuses a file whose CRC does not match (returns false, message);
    // by default such a file is loaded with a warning.
    void setCrcFehlerAblehnen(bool ablehnen) { crcAblehnen_ = ablehnen; }
    // True while the open project was loaded (or had lines added) despite a CRC mismatch and
    // has not yet been saved under another name.
    bool crcFehler() const { return crcFehler_; }
    // True when the last laden refused the file because of a CRC mismatch (with
    // setCrcFehlerAblehnen).
    bool crcAbgelehnt() const { return crcAbgelehnt_; }
    // A project opened read-only (its file is held by another running program): it is never
    // saved over the file it was loaded from (the seam is asked for another name, as after a CRC
    // mismatch) and writes no temporary copy beside it, which the other program writes. Loading,
    // "Neu" and a save under another name end it.
    void setNurLesen(bool nurLesen) { nurLesen_ = nurLesen; }
    bool nurLesen() const { return nurLesen_; }
    // Sections of the loaded file the program does not know, written back unchanged.
    const std::vector<TSection>& fremdeAbschnitte() const { return fremde_; }
    // A new, empty project ("Neu..."): the project is marked changed.
    void neu();

    // The message of the last failed save or load.
    QString letzterFehler() const { return fehler_; }

private:
    bool schreiben(const QString& datei);
    void melden(const QString& text, int art);

    UserSeam& seam_;
    ProjektBaum baum_;
    ProjektDaten daten_;
    QString dateiname_;
    bool geaendert_ = false;
    AutoSave autoSave_;
    std::function<bool()> automatisch_;
    QString wiederherstellung_;
    QString fehler_;
    bool nameGenau_ = false;
    QString gesichert_; // the file the project was last loaded from or saved to
    bool crcAblehnen_ = false;
    bool crcFehler_ = false;
    bool nurLesen_ = false;
    bool crcAbgelehnt_ = false;
    std::vector<TSection> fremde_;
    // Temporary copies a normal save may delete: those this project wrote, and a newer one
    // that loading offered and the user answered. Any other copy may hold someone's work.
    QStringList verwerfbar_;
};

// Appends every node of `von` (with its record) to `nach`, in flat order; `von` loses its
// records.
void knotenUebertragen(ProjektBaum& von, ProjektBaum& nach);

// The keys of a node section the program does not know, kept with the node by laden.
const FremdeSchluessel* fremdeSchluessel(const tmylistitem* node);

// --- the example project ------------------------------------------------------------------------

// The example project carried in the program, packed as a ".pro" file.
QByteArray beispielProjekt();
// Writes it as a packed ".pro" file.
bool beispielSchreiben(const QString& datei, QString* fehler = nullptr);
// A file in `ordner` whose name equals `name` without regard to case; empty when none.
QString dateiOhneFall(const QString& ordner, const QString& name);
// Start-up: writes "Beispiel.pro" into `ordner` (created when missing) unless a file of that
// name (any case) is there. Returns the example's path, or empty when it could not be written.
QString beispielAnlegen(const QString& ordner);
// The same for the per-user application data folder `Zephan` (start-up).
QString beispielAnlegen();

} // namespace zephan
