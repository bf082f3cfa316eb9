#pragma once

#include "editing/field_range.h"

#include <QString>
#include <vector>

namespace zephan {

class EditSession;
class ProjektBaum;
class tmylistitem;

// The rules of the rooms overview ("Raumübersicht") without a window: one row per room
// identifier with the supply and the extract room of that identifier, their volume flows and
// their permitted levels; the cells are edited in place, each edit one command of the session.

enum class RaumSpalte { Name = 0, VolZu, VolAb, DbZu, DbAb };
inline constexpr int raumSpaltenAnzahl = 5;

struct RaumZeile {
    QString name;              // the room identifier (p2 of the rooms)
    tmylistitem* zu = nullptr; // the supply room, if any
    tmylistitem* ab = nullptr; // the extract room, if any
};

// Reads the rooms in tree order. A room is listed when it is the last node of its chain below
// a line; the line head's kind (Zuluft or not) decides its side. A supply and an extract room
// of one identifier share a row; of several rooms of one side and identifier the first is
// listed. Each visited node goes to the trace log.
std::vector<RaumZeile> raumListe(ProjektBaum& baum);

// The column captions "Bezeichnung", "Vol. Zu", "Vol. Ab", "dB Zu", "dB Ab".
QString raumSpaltenTitel(RaumSpalte s);

// The outlet that feeds the room: its previous sibling when that is a supply outlet (10) or an
// extract grille (12), whose i[3] is the volume flow of the room's outlets; null otherwise.
tmylistitem* raumAuslass(const tmylistitem* raum);
// The node whose i[3] a number cell shows (the outlet or the room); null when there is none,
// and for the name column.
tmylistitem* raumZellenKnoten(const RaumZeile& z, RaumSpalte s);
// True when the cell can be edited: the name of any row, a number cell with its node.
bool raumZelleBearbeitbar(const RaumZeile& z, RaumSpalte s);
// The cell's number (-1: empty) and its text: a whole number with "." grouping, the name for
// the name column.
double raumZellenWert(const RaumZeile& z, RaumSpalte s);
QString raumZellenText(const RaumZeile& z, RaumSpalte s);

// The input dialog of a cell: title, prompt and accepted range.
struct RaumEingabe {
    QString titel;
    QString prompt;
    Bereich bereich;
};
RaumEingabe raumEingabe(RaumSpalte s);

// The editing rules, run inside a command of the session (EditSession::raumWertSetzen /
// raumNameSetzen): false when nothing changes (a missing room, the value the cell holds, an
// empty or unchanged name).
namespace raumregel {
bool wertSetzen(EditSession& s, const RaumZeile& z, RaumSpalte sp, int wert);
bool nameSetzen(EditSession& s, RaumZeile& z, const QString& name);
} // namespace raumregel

} // namespace zephan
