#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace zephan {

class TIniFile2;
class UserSeam;

// One titled-number table: a small matrix of at most 7 columns and 51 rows with its
// description, source, column titles, units and decimals. Cells are kept as text.
//
// Evaluation table layout: dat[col][0] (col >= 1) holds the column parameter X_col,
// dat[0][row] (row >= 1) the row key Y_row, dat[col][row] the value.
struct TTitelzahl {
    static constexpr int maxSpalten = 7; // columns 0..6
    static constexpr int maxZeilen = 50; // rows 1..50 (plus the head row 0)

    int Nr = 0;                            // table number, also the section name
    int par = 1;                           // parameter columns ("Parameter")
    int anzahl = 0;                        // rows ("Anzahl")
    bool rechentab = false;                // evaluation table ("Rechentabelle"); false: plain list
    int rechenart = 0;                     // "Ergebnisart": 0 exact, 1 step, 2 interpolating
    QString Quelle;                        // source reference
    QString Beschreibung;                  // description
    std::array<int, maxSpalten> nach{};    // decimals per column; -1 text (plain lists)
    std::array<QString, maxSpalten> titel; // column titles
    std::array<QString, maxSpalten> einheit;                        // column units (plain lists)
    std::array<std::array<QString, maxZeilen + 1>, maxSpalten> dat; // [column][row]
};

// Evaluation kinds of `rechenart`.
constexpr int rechenartExakt = 0;
constexpr int rechenartStufe = 1;
constexpr int rechenartInterpolieren = 2;

// Error codes shown with the table messages.
constexpr int titelFehlerNichtGefunden = -1092;  // exact lookup without a match
constexpr int titelFehlerRechenart = -1093;      // evaluation kind not set
constexpr int titelFehlerTabelle = -1095;        // too many rows, text column, bad columns
constexpr int titelFehlerExistiertNicht = -1098; // no such table

// The titled-number tables of the program, read from a sectioned store. Each table is parsed
// once, on first use, and kept with its result - a table that fails to load keeps failing
// with -1 while every other table stays usable.
class titelzahli {
public:
    struct Fehler {
        int code = 0; // 0: none
        QString text;
    };

    // The tables from the bytes of a sectioned file (the carried data block "titeldata.ini"
    // or any other stream). Error messages go to `seam` when given and always to the trace
    // log.
    explicit titelzahli(const QByteArray& daten, UserSeam* seam = nullptr);
    ~titelzahli();
    titelzahli(const titelzahli&) = delete;
    titelzahli& operator=(const titelzahli&) = delete;

    // Fills D from the section D.Nr. False (with a message the first time) when the table
    // does not exist or is malformed; false without message while the store is not open or
    // for a negative number.
    bool load(TTitelzahl& D);
    // Writes D back to its section and forgets what was parsed of it before.
    void save(const TTitelzahl& D);
    // Empties D; its number stays so it can be loaded again.
    static void clear(TTitelzahl& D);

    // Value of evaluation table Nr at column parameter X and row key Y. -1 when the table
    // cannot be loaded, is a plain list (no message) or the lookup fails (with a message).
    double erg(int Nr, double X, double Y);

    bool offen() const { return offen_; }
    bool chang() const { return chang_; }
    // The last error reported (code 0 when none was reported yet).
    const Fehler& letzterFehler() const { return letzterFehler_; }
    void setSeam(UserSeam* seam) { seam_ = seam; }
    // The store the tables are read from.
    TIniFile2& store() { return *t_; }

private:
    struct Tabelle;

    const Tabelle* tabelle(int Nr);
    std::unique_ptr<Tabelle> lesen(int Nr);
    double auswerten(const Tabelle& tab, double X, double Y);
    void melde(int code, const QString& text);

    std::unique_ptr<TIniFile2> t_;
    bool chang_ = false;
    bool offen_ = false;
    QString FileName; // empty: carried in the program
    UserSeam* seam_ = nullptr;
    Fehler letzterFehler_;
    std::unordered_map<int, std::unique_ptr<Tabelle>> cache_;
    int letzteNr_ = -1; // shortcut for repeated lookups of one table
    const Tabelle* letzte_ = nullptr;
};

// The program's tables, read from the carried data block "titeldata.ini" on first use.
titelzahli& titelzahlen();

} // namespace zephan
