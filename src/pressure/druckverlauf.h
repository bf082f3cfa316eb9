#pragma once

// The pressure along one path of a line, point by point from the line head's first component
// to a chain end: what the profile window draws and lists and the profile report prints.

#include <QString>
#include <vector>

namespace zephan {

class Rechenlauf;
class tmylistitem;
struct Rechenkontext;

// One point of the path.
struct TDaten {
    QString titel;                       // caption of the node; "-" for the closing point
    double pt = 0;                       // pressure at the point: the changes summed up [Pa]
    double ps = 0;                       // the point's own change, signed [Pa]
    double pd = 0;                       // dynamic pressure at the point [Pa]
    const tmylistitem* knoten = nullptr; // the node; null for the closing point
};

// The points of a path and the scale they need. The list grows with the line.
struct Druckverlauf {
    std::vector<TDaten> a;
    int s = 1;           // +1 supply line (losses lower the pressure), -1 extract line
    double minwert = 0;  // lower end of the scale [Pa], never above 0
    double maxwert1 = 0; // largest change, dynamic or total pressure met
    int maxwert2 = 0;    // the fan's lift of the total pressure on the path [Pa]; 0 without
    int totald = 0;      // the same, for the drawing of the fan
    bool minwertGerundet = false; // the first drawing rounded `minwert`; later ones keep it
    const tmylistitem* kopf = nullptr;
    const tmylistitem* ziel = nullptr;

    // Index of the last point; -1 without points.
    int anz() const { return static_cast<int>(a.size()) - 1; }
};

// Appends a point with the dynamic pressure `pd` and the loss `L` of its passage: the pressure
// falls by a loss on a supply line and rises by it on an extract line, which is walked from its
// outside grille against the air.
void punktAnfuegen(Druckverlauf& v, const QString& titel, double pd, double L,
                   const tmylistitem* knoten = nullptr);

// The drawing's geometry: the pressure axis stands at `links`, the points `br` apart.
constexpr int verlaufLinks = 30;
constexpr int verlaufBr = 15;

// The point under the mouse at x in the drawing; -1 for none.
int verlaufPunktBei(const Druckverlauf& v, int x);
// The readout of a point in report markup: total, static change and dynamic pressure.
QString verlaufAnzeige(const TDaten& p);

// How collecting the points ended.
struct VerlaufErgebnis {
    bool ok = false;
    QString meldung; // why there are no points, or what the points lack
    Druckverlauf verlauf;
};

// The chain ends of the line of `kopf` in the order of the walk (a branch before the chain
// goes on); a last node with children only leads into them.
std::vector<const tmylistitem*> kettenEnden(const tmylistitem* kopf, const Rechenkontext& k);

// Collects the points from the line head `kopf` to the chain end `ziel`, from the line's
// pressure calculation (run silently, nothing is written into the tree). A component whose
// main passage has no result adds no point; a branch passage without result counts 0. The
// fan lifts the pressure by the external pressure it delivers (its i[4]; when that is not
// set, the one the calculation finds), so the worst path ends where it began. A node that
// stops the calculation is named in `meldung`; the points up to it are kept.
VerlaufErgebnis verlaufSammeln(const Rechenlauf& lauf, tmylistitem* kopf, const tmylistitem* ziel,
                               const Rechenkontext& k);

} // namespace zephan
