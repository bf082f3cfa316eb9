#pragma once

// Which flows settle in a line that is not balanced. Two answers side by side:
// - the estimate: passes over the line that move each outlet's flow towards the worst path's
//   loss, as the program has always done it (a rule of thumb, kept with its warning);
// - the equilibrium: with every component's loss growing with the square of its flow, the
//   split at each junction at which all paths from it end at the same pressure
//   (flow_equilibrium.h).
// Both iterate on flows given in the calculation context and on the results of the line's
// core calculation; no record of the project is ever written, so a cancel or a stop leaves it
// exactly as it was.

#include "network/model_queries.h"
#include "pressure/network_pressure_results.h"

#include <QString>
#include <vector>

namespace zephan {

class Rechenlauf;
class tmylistitem;
struct Rechenkontext;

namespace simtext {
inline const QString simuliere = QStringLiteral("Simuliere Kanalnetz");
inline const QString titel = QStringLiteral(" - Simulation des Kanalnetzes");
inline const QString warnung =
    QStringLiteral("Achtung! Die Funktion zur Simulation ist zur Zeit noch in Entwicklung, "
                   "weshalb die Ergebnisse nicht verwendet werden sollten.");
inline const QString gleichgewicht = QStringLiteral("Gleichgewicht (Δp ~ V̇²)");
inline const QString nichtKonvergiert =
    QStringLiteral("Die Aufteilung hat sich in der erlaubten Zahl von Iterationen nicht "
                   "eingependelt; gezeigt ist die letzte.");
inline const QString keinStrang = QStringLiteral("Der ausgewählte Knoten gehört zu keinem Strang.");
} // namespace simtext

// One chain end of the line.
struct SimulationsEnde {
    const tmylistitem* knoten = nullptr;
    // The outlet before the end, whose flow the simulation varies; null when the node before
    // the end is no outlet: the end has no flow of its own and is left out.
    const tmylistitem* auslass = nullptr;
    QString position;
    QString name;   // room identifier, else the type's title
    double dp0 = 0; // path loss at the design flows [Pa]
    double dp = 0;  // path loss of the last evaluating pass [Pa]
    double v0 = 0;  // design flow [m³/h]
    double v = 0;   // flow of the last adjusting pass [m³/h]
    // The equilibrium: the flow and the path loss at which every junction is in balance.
    double vGleich = 0;
    double dpGleich = 0;

    bool mitStrom() const { return auslass != nullptr; }
};

// How the equilibrium was reached.
struct Gleichgewicht {
    bool gerechnet = false; // false: the estimate ended early (stop or cancel)
    bool konvergiert = false;
    int iterationen = 0;
    double strom = 0; // the fan's flow shared out [m³/h]
    // Per node of the line by flat index from the line head: flow and loss of the main
    // passage and of the branch passages in the balanced state (flow -1: not reached).
    struct Durchgaenge {
        double strom = -1, dp = 0;
        double zweigStrom[2] = {-1, -1};
        double zweigDp[2] = {0, 0};
    };
    std::vector<Durchgaenge> knoten;
};

struct SimulationsErgebnis {
    NetzStatus status = NetzStatus::Fertig;
    QString meldung;                    // why the run stopped
    tmylistitem* stoppKnoten = nullptr; // the node that stopped it
    tmylistitem* kopf = nullptr;
    double rho = 0; // the line's air density [kg/m³]

    std::vector<SimulationsEnde> enden;
    double summeV0 = 0, dp0max = 0; // initial pass
    double summeV = 0, dpmax = 0;   // last evaluating pass
    int zyklen = 0;                 // adjusting and evaluating cycles run
    Gleichgewicht gleich;

    bool ok() const { return status == NetzStatus::Fertig; }
};

// The adjusting rule of the estimate: the new flow of an outlet whose path lost `x` [Pa]
// when the worst path lost `dpmax`, the design flows summed to `summeV0` and the flows of the
// last pass to `summeV`; rounded to a whole m³/h, halves to the even neighbour. A path loss of
// 0 or less (nothing to compare with) and an empty sum leave the flow as it was.
double angepassterStrom(double dpmax, double x, double summeV0, double summeV, double vAlt);

// Whether the estimate stops after cycle `zyklus`: after the eleventh, or once the flows sum
// to within 10 % of the design sum (or nothing flows).
bool simulationFertig(int zyklus, double summeV0, double summeV);

// Most cycles of the estimate.
constexpr int simulationMaxZyklen = 11;

// Simulates the line of `knoten` (any node of it): the estimate, then the equilibrium. Takes
// the run guard itself; refuses while another calculation runs. Progress and cancel through
// the context. Writes nothing into the tree.
SimulationsErgebnis netzSimulieren(const tmylistitem* knoten, const Rechenkontext& kontext);

// The same inside a run already started (benchmarks, callers that hold the guard).
SimulationsErgebnis netzSimulieren(const Rechenlauf& lauf, const tmylistitem* knoten,
                                   const Rechenkontext& kontext);

} // namespace zephan
