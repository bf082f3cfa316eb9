#pragma once

#include <QString>
#include <cstdint>

namespace zephan {

class ProjektBaum;
struct ProjektDaten;

// Settings of a generated project.
struct GeneratorOptionen {
    int straenge = 2;   // lines, supply and extract alternating (the first is a supply line)
    int auslaesse = 10; // outlets per line (about: each branch chain ends in one)
    uint32_t seed = 1;
};

// Largest sizes the generator accepts (a 100 000-node project needs far less).
constexpr int generatorMaxStraenge = 10000;
constexpr int generatorMaxAuslaesse = 100000;

// Appends a valid, complete project to the tree: per line the grille, the fan, ducts and
// pipes with materials and lengths, bends, transitions, dampers and other devices, branch
// pieces and crosses whose chains nest several levels deep, outlets with their flows and the
// rooms they serve. Every node is complete (fehler 0) and not in planning; the grille and the
// fan carry the line's total flow. The same options always give the same project.
// Returns the number of nodes added.
int projektErzeugen(ProjektBaum& baum, const GeneratorOptionen& o);
// Project page data for a generated project (groups used by the generated nodes).
void projektDatenErzeugen(ProjektDaten& daten, const GeneratorOptionen& o);

} // namespace zephan
