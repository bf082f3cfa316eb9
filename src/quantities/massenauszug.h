#pragma once

#include "quantities/massen_posten.h"

#include <QString>
#include <vector>

namespace zephan {

class TBasisDatenTabelle;
class TDruck;
class UserSeam;
class tMylistviewBase;
struct ProjektDaten;

// The three sections of a group, in report order.
enum class MassenAbschnitt { Kanal = 0, Rohr = 1, Formstueck = 2 };
// "Kanallängen", "Rohrlängen", "Formstücke / Einzelbauteile".
QString abschnittTitel(MassenAbschnitt a);
// Ducts, pipes, and every other category.
MassenAbschnitt abschnittVon(int kategorie);

struct MassenGruppe {
    QString name;
    std::vector<TMassen> posten; // sorted
};

// The bill of quantities of a tree: one entry per group pass in pass order (groups without
// counted components included, with no items).
struct Massenauszug {
    bool mitGruppen = false;
    std::vector<MassenGruppe> gruppen;
};

// Walks the tree once in display order and counts every node whose type the catalogue marks
// for quantities, in the pass of its group (with groups), else in the one pass.
Massenauszug massenauszugBerechnen(const TBasisDatenTabelle& kat, const tMylistviewBase& baum,
                                   const QString& gruppenMemo, bool mitGruppen);

// One item as the report, the table output and the CSV file show it.
struct MassenZeile {
    QString gruppe; // empty without groups
    MassenAbschnitt abschnitt = MassenAbschnitt::Formstueck;
    QString text;
    double menge = 0; // metres for lengths, pieces otherwise
    QString einheit;  // "m" or "Stk"
    int stellen = 0;  // decimals the report shows: 1 for metres, 0 for pieces
};
// Every item of every group in report order (groups, then sections, then items).
std::vector<MassenZeile> massenZeilen(const Massenauszug& m);

// Writes the report: the project head, then per group (with its heading when groups are on)
// the sections that have items, each a table of item and quantity.
void massenauszugSchreiben(const Massenauszug& m, TDruck& druck, const ProjektDaten& projekt);

// "Massenauszug" of the main menu: false after "Es existiert kein Strang." for an empty tree,
// else the document holds the report (groups as the project page says).
bool massenauszug(const TBasisDatenTabelle& kat, const tMylistviewBase& baum,
                  const ProjektDaten& projekt, TDruck& druck, UserSeam* seam);

inline const QString keinStrang = QStringLiteral("Es existiert kein Strang.");

} // namespace zephan
