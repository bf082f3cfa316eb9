#pragma once

#include <functional>

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
// Outlets of all lines together that still give a file the program can load: each outlet
// brings about 8.5 nodes, 1 300 characters and 100 lines of text, and a load takes at most
// 256 MiB of text whose lines fit 3 GiB (about 190 000 outlets); the rest is margin for the
// spread between seeds. Saving checks the exact figures all the same.
constexpr long long generatorMaxAuslaesseGesamt = 150000;

// Appends a valid, complete project to the tree: per line the grille, the fan, ducts and
// pipes with materials and lengths, bends, transitions, dampers and other devices, branch
// pieces and crosses whose chains nest several levels deep, outlets with their flows and the
// rooms they serve. Every node is complete (fehler 0) and not in planning; the grille and the
// fan carry the line's total flow. The same options always give the same project.
// Returns the number of nodes added. `fortschritt` is told after each line: lines done, lines
// in all.
int projektErzeugen(ProjektBaum& baum, const GeneratorOptionen& o,
                    const std::function<void(int, int)>& fortschritt = {});
// Project page data for a generated project (groups used by the generated nodes).
void projektDatenErzeugen(ProjektDaten& daten, const GeneratorOptionen& o);

} // namespace zephan
