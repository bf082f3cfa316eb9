#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace zephan {

class TBasisDatenTabelle;
class UserSeam;
class tmylistitem;
struct DVdata;

// What "Komponenten überschreiben" copies, and onto which components: the window's filters
// and results as plain values.
struct UeberschreibOptionen {
    int typ = -1; // the type overwritten; -1 none

    // Filters. "Planung": 0 egal, 1 "nur wenn in Planung", 2 "wenn nicht in Planung".
    int planungFilter = 0;
    // "Form": 0 egal, 1 "nur wenn eckig", 2 "nur wenn rund".
    int formFilter = 0;
    // "Druckverlust": 0 egal, 1 "wenn keine Vorgabe", 2 "wenn Vorgabe".
    int vorgabeFilter = 0;
    // "Ort des Bauteils": section class 0 "Hauptstrang", 1 "Verzweigung", 2 "Abzweig".
    std::array<bool, 3> ort{true, true, true};
    bool nachfragen = false; // "vorher nachfragen"

    // The parameter rows: a checked row k sets i[k] to the whole number of its text, or, for
    // the catalogue's text slot, p2 (with the "? ersetzen" rule).
    std::array<bool, 7> setzen{};
    std::array<QString, 7> werte;
    QString ersetzen; // "? ersetzen"

    // "Vorgabe Druckverlust".
    enum Vorgabe {
        keineVorgabe = 0,
        druckverlust = 1,
        widerstandsbeiwert = 2,
        nichtVeraendern = 3
    };
    int vorgabe = nichtVeraendern;
    QString druck;  // "Druckverlust" [Pa]
    QString geschw; // "Geschw." [m/s]
    QString zeta;   // "Zeta" [-]

    // Results. "Planung": 0 "unverändert lassen", 1 "auf Planung setzen", 2 "auf geplant
    // setzen"; "Form": 0 "egal", 1 "auf eckig setzen", 2 "auf rund setzen".
    int planungErgebnis = 0;
    int formErgebnis = 0;
};

// The nodes an overwrite started at `start` visits, each once, in the order of the run: the
// start node and everything after it to the end of its line, each enclosing branch after the
// part of it that follows the start node, then from the line's first component up to the start
// node. Started on a line head: that line and the lines after it.
std::vector<tmylistitem*> ueberschreibZiele(tmylistitem* start);

// True when the node passes the type and every filter.
bool ueberschreibPasst(const tmylistitem* node, const UeberschreibOptionen& o);

// The "? ersetzen" rule for the text row: the row's text `zeile` replaces p2 unless a
// replacement is given and the row holds a "?"; then the replacement goes in at the first
// "?" (d, 1-based): for d = 1 before the old text from its second character, else after the
// old text's first d - 1 characters, followed by the old text from position e + 1, where e
// is the position of the next "?" counted from the character after the first (0 when none).
// Positions beyond the old text give empty pieces.
QString fragezeichenErsetzen(const QString& alt, const QString& zeile, const QString& ersatz);

// Changes one record as the options say (rows, preset, planning, shape) and checks its state.
void ueberschreibeDaten(const TBasisDatenTabelle& kat, DVdata& d, const UeberschreibOptionen& o);

struct UeberschreibErgebnis {
    int geaendert = 0;
    bool abgebrochen = false; // "Abbrechen" in the question
};

// The run: collects the targets first, then changes every one that passes the filters. With
// "vorher nachfragen" each is shown through `zeigen` and "Bauteil überschreiben?" asked
// (Ja / Nein / Abbrechen); Abbrechen ends the run, the changes made stay. `vormerken` is told
// of each node before it changes.
UeberschreibErgebnis ueberschreiben(const TBasisDatenTabelle& kat, tmylistitem* start,
                                    const UeberschreibOptionen& o, UserSeam& seam,
                                    const std::function<void(tmylistitem*)>& vormerken,
                                    const std::function<void(tmylistitem*)>& zeigen);

inline const QString ueberschreibFrage = QStringLiteral("Bauteil überschreiben?");

} // namespace zephan
