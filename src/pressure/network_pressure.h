#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace zephan {

class ProjektBaum;
class TDruck;
class UserSeam;
class tmylistitem;
struct ProjektDaten;
struct Rechenkontext;

// The network pressure-loss calculation: every path from a line head to each chain end, the
// most unfavourable one, the fan's required pressure and the balancing of the other ends.

// One chain end reached in the search pass.
struct StrangEnde {
    const tmylistitem* knoten = nullptr;
    QString position;
    QString name;                // room identifier, else the type's title
    double dpExt = 0;            // external loss from the line head to this end [Pa]
    bool unvollstaendig = false; // a branch passage on the way had no result (counted as 0)
};

// One row of the worst path.
struct PfadKnoten {
    const tmylistitem* knoten = nullptr;
    bool abzweig = false;  // the branch passage of a branch piece
    int volumenstrom = -1; // the node's flow [m³/h]
    QString v, zeta;       // velocity and zeta texts of the passage
    double dp = 0;         // loss of the passage [Pa]; the fan's is 0 in the path
    double dpExt = 0;      // running external loss including this passage [Pa]
};

// The result of one line.
struct StrangErgebnis {
    const tmylistitem* kopf = nullptr;
    double rho = 0;                    // the line's air density [kg/m³]
    const tmylistitem* ziel = nullptr; // the chain end the calculation was restricted to
    bool hatAbzweige = false;          // a piece with three or more ends was met
    std::vector<StrangEnde> enden;
    int unguenstigstes = -1;      // index into enden of the worst end, -1 none
    double maximum = 0;           // largest external loss [Pa]
    bool mitVentilator = false;   // a fan was met on the way
    double ventilatorVerlust = 0; // the fan's internal loss (preset + dynamic pressure) [Pa]
    double ventilatorStrom = 0;   // the fan's flow [m³/h]
    std::vector<PfadKnoten> pfad; // the rows of the worst path, line head first

    // Required total pressure of the fan [Pa].
    double gesamt() const { return maximum + ventilatorVerlust; }
    // Pressure an end lacks against the worst one [Pa].
    double zuwenig(const StrangEnde& e) const { return maximum - e.dpExt; }
};

// Why a calculation ended.
enum class NetzStatus {
    Fertig,       // every line computed, report written
    KeinStrang,   // the tree holds no line
    KeineAuswahl, // no node selected (selected line only)
    LaeuftSchon,  // another calculation was running
    Abgebrochen,  // the user cancelled
    Stopp,        // a node stopped the calculation (planning, incomplete, no result)
};

struct NetzErgebnis {
    NetzStatus status = NetzStatus::Fertig;
    QString meldung;                      // the message shown for a stop or refusal
    tmylistitem* knoten = nullptr;        // the node that stopped the calculation (now selected)
    std::vector<StrangErgebnis> straenge; // lines computed before the end
    bool ok() const { return status == NetzStatus::Fertig; }
};

struct NetzOptionen {
    // true: every line of the project in full; false: the selected node's line, restricted to
    // the path to the end of the selected node's chain unless it lies before the fan.
    bool ganzerStrang = true;
    // The selected node (for `ganzerStrang` false); null: the tree's selection.
    tmylistitem* auswahl = nullptr;
    // With `ganzerStrang`: only this line, in full; null: every line.
    tmylistitem* nurStrang = nullptr;
    // Summary mode: the balancing blocks are left out of the report.
    bool zusammenfassung = false;
    // Messages and status texts; null: the context's progress seam.
    UserSeam* seam = nullptr;
    // The project page for the report head; null: a head without project data.
    const ProjektDaten* projekt = nullptr;
    // Called when the calculation begins and when it ends (however it ends), so the caller
    // can stop the automatic save and restore it.
    std::function<void()> anfang;
    std::function<void()> ende;
};

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

// Runs the calculation and, when it completes, replaces the report document of the context
// (`kontext.druck`; null: none) with the report: the project head, then per line the worst
// path, the summary of the ends, the fan's pressure and the balancing blocks. Each line is
// computed at its own density (from its line head); the first fan of each line receives the
// external maximum in i[4]. A cancel or a stop leaves the report document as it was.
NetzErgebnis netzberechnen(ProjektBaum& baum, const Rechenkontext& kontext,
                           const NetzOptionen& optionen = {});

// "Zusammenfassung": the calculation of every line in summary mode; `schall` (when given) then
// appends the sound half after a page break.
NetzErgebnis zusammenfassung(ProjektBaum& baum, const Rechenkontext& kontext,
                             NetzOptionen optionen = {},
                             const std::function<void(TDruck&)>& schall = {});

} // namespace zephan
