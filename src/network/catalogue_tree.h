#pragma once

#include "network/catalogue.h"
#include "network/tree_container.h"

#include <QString>
#include <memory>

namespace zephan {

class TIniFile2;
class UserSeam;

// The question of "Hinzufügen / Update" when the title was changed.
inline const QString neuAnlegenFrage =
    QStringLiteral("Name unterschiedlich. Umbenennen oder anlegen möglich. Neu anlegen?");

// The component catalogue: a tree of entries (network kinds on top, groups and types below),
// read from "Bauteil.ini" or from the catalogue carried in the program. Every node owns one
// entry; the type table shares the entries it holds, so replacing or deleting a node never
// leaves the table with a dangling entry.
class Bauteilkatalog {
public:
    Bauteilkatalog();
    Bauteilkatalog(const Bauteilkatalog&) = delete;
    Bauteilkatalog& operator=(const Bauteilkatalog&) = delete;

    // The tree: caption = titel, column 1 ("TypNr") = typ, image index = bildnr + 16.
    Tmylistview& baum() { return baum_; }
    const Tmylistview& baum() const { return baum_; }
    int count() const { return baum_.count(); }

    // The entry of a node (null for none).
    static tBasisDaten_* eintrag(const tmylistitem* node);
    static std::shared_ptr<tBasisDaten_> eintragShared(const tmylistitem* node);

    // --- reading -----------------------------------------------------------------------------
    // Reads the tree from a store written by `sichern` (the tree is replaced). A missing node
    // section gives a top-level node without title and code. False when the store cannot
    // form a tree; the catalogue then stays as it was and fehler() says why.
    bool laden(TIniFile2& ini);
    // The catalogue carried in the program.
    bool ladenStandard();
    // A catalogue file; a missing or damaged file, or one without entries, leaves the
    // catalogue as it was (false).
    bool ladenDatei(const QString& datei);
    // Start-up: "Bauteil.ini" from `datenordner` when there is one (name compared without
    // case), else the carried catalogue. A damaged file is reported through `seam` (when
    // given) and the carried catalogue is used instead. Returns the file read (empty for the
    // carried catalogue).
    QString startLaden(const QString& datenordner, UserSeam* seam = nullptr);
    QString fehler() const { return fehler_; }

    // Fills a type table from the tree: every entry below the top level with a code 0 ... 130,
    // later entries winning. The table is cleared first and marked filled.
    void tabelleFuellen(TBasisDatenTabelle& tabelle) const;

    // --- writing -----------------------------------------------------------------------------
    // Writes the tree into the store with the list storage (sections "List" and 0 ... n-1).
    // A node without entry is skipped with "Fehler bei: " + its path (to `seam` when given).
    // Returns the number of nodes skipped.
    int sichern(TIniFile2& ini, UserSeam* seam = nullptr) const;
    // Writes "Bauteil.ini" into a folder (an existing file's sections beyond the tree stay).
    bool sichernDatei(const QString& datei, UserSeam* seam = nullptr, QString* fehler = nullptr);
    // The catalogue's file name in a folder: an existing file named "bauteil.ini" in any case,
    // else folder + "/Bauteil.ini".
    static QString dateiImOrdner(const QString& ordner);

    // --- editor operations -------------------------------------------------------------------
    // "Hinzufügen / Update" with the editor's fields. Without a node nothing happens (null).
    // An unchanged title replaces the node's entry by one built from the fields. A changed
    // title asks `neuAnlegenFrage` ("j|n"): yes inserts a new node before `node` under the
    // same parent with the new entry; no renames (replaces) as above. Returns the node that
    // holds the new entry.
    tmylistitem* update(tmylistitem* node, const tBasisDaten_& felder, UserSeam& seam);
    // The same with the answer given: neuAnlegen is used only when the title differs.
    tmylistitem* update(tmylistitem* node, const tBasisDaten_& felder, bool neuAnlegen);
    // "löschen": removes the node and everything below it. False without a node.
    bool loeschen(tmylistitem* node);
    // Changing "BildNr." while "Titel" equals the node's caption sets the picture at once.
    // True when the node changed.
    bool bildnrAendern(tmylistitem* node, const QString& titelFeld, int bildnr);

    // The editor's fields after clicking an entry (a copy of it).
    static tBasisDaten_ felderAus(const tmylistitem* node);
    // "Clear": empties titles, option list, joints, captions and units; Min/Max -1, decimals 0,
    // Abzweige 0; shape, dimensions and both preset choices unset (-1 / false); the checks and
    // "löschen möglich" on, the other flags off, Default BoxIndex -1, placement anywhere.
    // TypNr, BildNr, Planbauteil, Massenauszug and the slots' Text boxes stay.
    static void felderLeeren(tBasisDaten_& felder);

    // The path key of a node: captions from the top-level node down joined by "#",
    // upper-cased (ß stays) and transliterated.
    static QString titelint(const tmylistitem* node);
    // Upper-casing and transliteration of a path key.
    static QString transliterieren(const QString& text);

private:
    void anzeigen(tmylistitem* node) const; // caption, TypNr, image from the entry
    void titelintAlle();

    Tmylistview baum_;
    QString fehler_;
};

// The program's one catalogue (shown by the catalogue editor).
Bauteilkatalog& bauteilkatalog();
// Start-up: reads the program's catalogue (data folder file or carried) and fills the
// program's type table from it. Returns the file read (empty: carried catalogue).
QString katalogStart(const QString& datenordner, UserSeam* seam = nullptr);
// "sichern": writes the program's catalogue as "Bauteil.ini" into the data folder. The type
// table is not refilled: it keeps the entries read at start-up until the next start.
bool katalogSichern(UserSeam* seam = nullptr, QString* fehler = nullptr);

} // namespace zephan
