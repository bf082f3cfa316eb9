#pragma once

#include "pressure/network_pressure_results.h"

namespace zephan {

class Rechenlauf;
class tmylistitem;
struct Rechenkontext;

// Messages of the calculation.
namespace netztext {
inline const QString keinStrang = QStringLiteral("Es existiert kein Strang.");
inline const QString keineAuswahl = QStringLiteral("Es wurde kein Strang ausgewählt.");
inline const QString planung = QStringLiteral("Bauteil befindet sich noch im Status Planung.");
inline const QString unvollstaendig =
    QStringLiteral("Die Informationen zu dem Bauteil sind nicht vollständig.");
inline const QString allgemein =
    QStringLiteral("Allgemeiner Fehler. Bitte Bauteil einzeln berechnen.");
inline const QString bauteilFehler =
    QStringLiteral("Ein Fehler ist bei einem Bauteil aufgetreten. Möglicherweise sind die "
                   "Informationen nicht vollständig.");
inline const QString laeuftSchon = QStringLiteral("Es läuft bereits eine Berechnung.");
inline const QString berechne = QStringLiteral("Berechne...");
inline const QString beendet = QStringLiteral("Berechnung beendet");
} // namespace netztext

struct StrangOptionen {
    // The chain end to restrict the walk to; null: the whole line.
    const tmylistitem* ziel = nullptr;
    // Progress: the steps done so far (one per node and pass, counted on) and the total;
    // null: no progress is reported.
    int* schritt = nullptr;
    int gesamt = 0;
    // false: the search pass alone; the ends that lack pressure (`abgleich`) are not sought.
    bool abgleich = true;
};

// The pressure loss of one line, as numbers only: the search pass finds every end's external
// loss and the worst path, the balancing pass (a whole line with branch pieces) the ends that
// lack pressure. The line is computed at its own density, with the flows of its records or
// those the context gives instead; flows the context has found already (`stroeme`, covering
// the whole line) are read, not found again. Nothing is written into the tree, no report line and
// no message is made; a stop or cancel ends the walk and is told in the result's status.
//
// The core of every pressure calculation: it runs inside a started run (`lauf`), and a
// simulation may call it many times over under the one guard.
StrangErgebnis strangRechnen(const Rechenlauf& lauf, tmylistitem* kopf,
                             const Rechenkontext& kontext, const StrangOptionen& optionen = {});

} // namespace zephan
