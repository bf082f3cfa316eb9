#pragma once

// Copying a chain: the part of a chain from a start node on, with every branch hanging from
// it, goes behind a target node elsewhere in the tree, after everything behind the target has
// been removed.

#include <QString>

namespace zephan {

class EditSession;
class tmylistitem;

namespace kopiertext {
inline const QString vorVentilator =
    QStringLiteral("Zielpunkt darf sich nicht vor dem Ventilator befinden.");
inline const QString imStartteil =
    QStringLiteral("Zielpunkt darf nicht zum Startpunkt des Strangs gehören.");
inline const QString verteilstueck = QStringLiteral("Zielpunkt darf kein Verteilstück sein.");
inline const QString hinterZiel =
    QStringLiteral("Startpunkt liegt hinter dem Zielpunkt und würde gelöscht.");
inline const QString keinBauteil =
    QStringLiteral("Startpunkt muss ein Bauteil eines Strangs sein.");
} // namespace kopiertext

// What a copy will do, or why it is refused.
struct KopierPlan {
    QString meldung;             // the refusal; empty when the copy may go ahead
    tmylistitem* ziel = nullptr; // the node the copy goes behind (or into)
    bool inZiel = false;         // the first copied record is written into `ziel` itself
    bool umwandeln = false;      // one line supplies and the other extracts
    bool ok() const { return meldung.isEmpty() && ziel; }
};

// The checks of a copy from `start` to `ziel`, in the order the user meets them: the target
// not before the fan, not in the part that the start's chain covers, not a branch piece. A
// room as target stands for the node before it, and so does a grille or outlet; a grille or
// outlet that begins its chain takes the first copied record itself. Finally the start may not
// lie in what is removed behind the target. Nothing is planned without both nodes.
KopierPlan kopierPruefen(const tmylistitem* start, tmylistitem* ziel);

// Grilles and outlets of a supply line become those of an extract line and back.
int kopierTyp(int typ, bool umwandeln);

// The copy itself, inside an editing command: removes the nodes behind `plan.ziel`, then
// copies the chain of `start` with its branches behind it (or, with `plan.inZiel`, from
// `plan.ziel` itself on), each record converted between supply and extract where the lines
// differ. Every node changed or removed is staged first. Returns the first node written.
tmylistitem* ketteKopieren(EditSession& s, const tmylistitem* start, const KopierPlan& plan);

} // namespace zephan
