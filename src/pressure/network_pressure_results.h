#pragma once

// What the network pressure-loss calculation finds, as data: per line the chain ends, the
// worst path and the fan's pressure, per node its passages and the record state it leaves.
// The calculation writes nothing into the tree; netzErgebnisSchreiben stores what the tree
// keeps of it, as one step of its own.

#include "network/dvdata.h"

#include <QString>
#include <array>
#include <vector>

namespace zephan {

class TBasisDatenTabelle;
class tmylistitem;

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
    int zweig = 0;         // the branch of a branch passage (1, 2); 0 the main passage
};

// One passage of a component as the calculation found it.
struct Durchgang {
    bool gerechnet = false;
    double dp = -1000; // loss [Pa]; the fan's main passage counts 0 (its own loss is apart)
    double dpExt = 0;  // running external loss including this passage [Pa]
    QString v, zeta;   // velocity and zeta texts of the passage
};

// What the calculation found at one node and what it leaves in the node's record.
struct KnotenErgebnis {
    tmylistitem* knoten = nullptr; // null: the walk did not reach the node
    int volumenstrom = -1;         // the node's flow [m³/h] as the calculation took it
    // The record as the calculation leaves it: the state code with the completeness
    // corrections of the neighbour check, and the velocity and zeta texts the page shows.
    int32_t fehler = 0;
    bool planung = false;
    bool eckig = false;
    QString v, zeta;
    Durchgang haupt;                  // main passage
    std::array<Durchgang, 2> abzweig; // branch passages

    // Takes the state from a record, or gives it to one.
    void von(const DVdata& d);
    void auf(DVdata& d) const;
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

// An end that lacks pressure against the worst one, found in the balancing pass.
struct AbgleichEnde {
    const tmylistitem* knoten = nullptr;
    QString name;
    double dpExt = 0; // [Pa]
};

// The result of one line.
struct StrangErgebnis {
    tmylistitem* kopf = nullptr;
    const TBasisDatenTabelle* katalog = nullptr; // the catalogue it was computed with
    double rho = 0;                              // the line's air density [kg/m³]
    const tmylistitem* ziel = nullptr;           // the chain end the calculation was restricted to
    bool hatAbzweige = false;                    // a piece with three or more ends was met
    std::vector<StrangEnde> enden;
    int unguenstigstes = -1;      // index into enden of the worst end, -1 none
    double maximum = 0;           // largest external loss [Pa]
    bool mitVentilator = false;   // a fan was met on the way
    double ventilatorVerlust = 0; // the fan's internal loss (preset + dynamic pressure) [Pa]
    double ventilatorStrom = 0;   // the fan's flow [m³/h]
    std::vector<PfadKnoten> pfad; // the rows of the worst path, line head first

    // How the walk of the line ended; a stopped line keeps what it found up to the stop.
    NetzStatus status = NetzStatus::Fertig;
    QString meldung;                    // the stop's message
    tmylistitem* stoppKnoten = nullptr; // the node that stopped it
    bool fertig() const { return status == NetzStatus::Fertig; }

    // The first branch piece of the line (the balancing blocks begin there) and the ends of
    // the balancing pass that lack pressure, in walk order.
    const tmylistitem* erstesStueck = nullptr;
    std::vector<AbgleichEnde> abgleich;

    // The first fan of the line head's chain and the external pressure it is to deliver
    // (i[4]); null when the line has none or the run does not decide it (a partial path).
    tmylistitem* ventilator = nullptr;
    double ventilatorDruck = 0;

    // Per node of the line, by flat index from the line head on.
    int basis = 0;
    std::vector<KnotenErgebnis> knoten;

    // Required total pressure of the fan [Pa].
    double gesamt() const { return maximum + ventilatorVerlust; }
    // Pressure an end lacks against the worst one [Pa].
    double zuwenig(const StrangEnde& e) const { return maximum - e.dpExt; }
    // The result of a node of the line; null when the walk did not reach it.
    const KnotenErgebnis* ergebnis(const tmylistitem* n) const;
    // The node's record as the calculation leaves it.
    DVdata daten(const tmylistitem* n) const;
    // The rows of the path from the line head to the chain end `ende`, from the node
    // results: the main passages, and the branch passage where the path turns into a branch.
    // With `ab` (a node of the line head's own chain), that chain's rows before it are left
    // out.
    std::vector<PfadKnoten> pfadZu(const tmylistitem* ende, const tmylistitem* ab = nullptr) const;
};

struct NetzErgebnis {
    NetzStatus status = NetzStatus::Fertig;
    QString meldung;               // the message shown for a stop or refusal
    tmylistitem* knoten = nullptr; // the node that stopped the calculation (now selected)
    // Lines computed; after a stop or cancel the last one is the line that ended early.
    std::vector<StrangErgebnis> straenge;
    bool ok() const { return status == NetzStatus::Fertig; }
};

// Stores in the tree what a calculation leaves there: every node reached receives its state
// code, corrections, velocity and zeta texts, and its caption and icon follow; the first fan
// of each line computed in full receives the external pressure it has to deliver in i[4].
// A silent run does not call it. Returns the number of records that changed.
int netzErgebnisSchreiben(const NetzErgebnis& ergebnis);
int strangErgebnisSchreiben(const StrangErgebnis& ergebnis);

} // namespace zephan
