#pragma once

#include "network/dvdata.h"
#include "network/tree_container.h"

#include <QString>
#include <unordered_map>
#include <vector>

namespace zephan {

class TBasisDatenTabelle;
class UserSeam;

// The shared questions about nodes and records. All read-only unless stated. Each takes the
// catalogue its answer depends on, so a calculation asks with the catalogue of its context.

// Title of a record: catalogue title with option, angle, branch number, p2 and remark.
QString nodeTitel(const TBasisDatenTabelle& kat, const DVdata& d);
// Sets caption, image index (picture + 16; 15 without catalogue entry) and state icon of a
// node from its record; a branch container (type 5) loses its remark and group.
void nodeRefresh(const TBasisDatenTabelle& kat, tmylistitem* node);
// Picture number of a node as drawn (fan by line kind, round / rectangular variants).
int nodeBild(const TBasisDatenTabelle& kat, const tmylistitem* node);
// State icon of a record: -1 none, 2 in planning, else the state code.
int nodeStatusIcon(const DVdata& d);
// The chosen option as text for the quantity lists; "-" when there is none.
QString nodeBoxText(const TBasisDatenTabelle& kat, const DVdata& d);
// One-line description of a node for the neighbour labels (mode 0) or its short title
// with option (mode 1). "-" for no node or no record.
QString nodeInfo(const TBasisDatenTabelle& kat, const tmylistitem* node, int mode);
// What keeps a node from being calculated, as the tree's tooltip and the problem list say it;
// empty when nothing does: a state code other than 0, planning, missing values.
QString nodeProblem(const TBasisDatenTabelle& kat, const tmylistitem* node);
// A message about a node that names where it stands: the text, a blank line, "Position: " and
// the node's dotted position (the text alone without a node).
QString mitPosition(const QString& text, const tmylistitem* node);

// True when the node's line head is a supply line (type 0); true for no node.
bool istZuluft(const tmylistitem* node);
// True when the node lies on the main line between the outside grille and the fan, inclusive.
bool vorVentilator(const TBasisDatenTabelle& kat, const tmylistitem* node);

// Volume flow through the node in m³/h as a whole number; -1 = unknown. A line head reports
// the flow of its first component; an unknown outlet anywhere downstream makes it unknown.
int volumenstrom(const TBasisDatenTabelle& kat, const tmylistitem* node);

// Flows given for single nodes instead of the value their record holds [m³/h]: an outlet's or
// grille's i[3], a volume-flow point's i[0]. A calculation that tries other flows (the
// simulation) passes them on and leaves the records as they are.
using Stromvorgaben = std::unordered_map<const tmylistitem*, double>;

// The flows of every node, found in one linear pass: the same numbers as volumenstrom()
// asked node by node, for calculations that need the flow of each component of a line.
class Volumenstroeme {
public:
    // Every node of a tree.
    Volumenstroeme(const TBasisDatenTabelle& kat, const tMylistviewBase& baum);
    // The nodes of one line: the line head of `knoten` and everything below it. With
    // `vorgaben`, the given nodes hold those flows instead of their records' values.
    Volumenstroeme(const TBasisDatenTabelle& kat, const tmylistitem* knoten,
                   const Stromvorgaben* vorgaben = nullptr);

    // Flow of a node of the tree or line computed; -1 for other nodes.
    int operator[](const tmylistitem* node) const;
    int size() const { return static_cast<int>(werte_.size()); }
    // True when the flows were found for `node` and everything below it, with the records'
    // own flows (no flows given instead).
    bool umfasst(const tmylistitem* node) const;

private:
    void berechnen(const TBasisDatenTabelle& kat, tmylistitem* erster, int anzahl);

    const Stromvorgaben* vorgaben_ = nullptr;
    int erstesIndex_ = 0;
    std::vector<int> werte_;
};

// Joint forms of `anschluss`.
constexpr int formUnbestimmt = -1;
constexpr int formRundMass = 0;  // round with a diameter
constexpr int formEckigMass = 1; // rectangular with width and height
constexpr int formRundOhne = 2;  // round without dimensions
constexpr int formEckigOhne = 3; // rectangular without dimensions
// The marker in b asking for the branch joint of a branch piece.
constexpr double anschlussAbzweig = -2;

// Shape and dimensions of the node at its inlet (eintritt) or outlet joint. On entry b = -2
// asks for the branch joint. False when undetermined. A type without catalogue entry shows
// "Typ nicht definiert:" + code through the seam (or the trace log without one).
bool anschluss(const TBasisDatenTabelle& kat, const tmylistitem* node, bool eintritt, double& a,
               double& b, int& form, UserSeam* seam = nullptr);
// The same for the neighbour that meets the node at that joint.
bool anschlussNachbar(const TBasisDatenTabelle& kat, const tmylistitem* node, bool eintritt,
                      double& a, double& b, int& form, UserSeam* seam = nullptr);

// Section class: 0 main section, 1 distribution, 2 end section.
int abschnitt(const tmylistitem* node);

// Number of components (types other than 0, 1, 4 and 5) of the node's line.
int bauteilAnzahl(const tmylistitem* node);
// The same over the whole tree.
int bauteilAnzahl(const tMylistviewBase& baum);

// Completeness check: sets fehler to 0 or 1 and may correct planung and eckig. A record with
// an implausible value (see plausibel) is incomplete too, so no calculation takes it.
bool vollstaendig(const TBasisDatenTabelle& kat, DVdata& d);

// The largest magnitude a value of a record may have: beyond any size, flow or pressure of a
// duct network (the edit pages accept at most a million).
constexpr double plausibelMax = 1e7;
// Whether the values of a record lie in a physical range: every value finite and within
// plausibelMax, and the sizes, lengths and flows the catalogue gives a caption not negative
// (-1, "not given", excepted; a height step and a room pressure may be negative). False with
// the slot in *slot.
bool plausibel(const TBasisDatenTabelle& kat, const DVdata& d, int* slot = nullptr);

} // namespace zephan
