#pragma once

#include <QString>

namespace zephan {

class TBasisDatenTabelle;
struct DVdata;

// One line of the bill of quantities: every counted component with the same category and the
// same item text adds to it.
struct TMassen {
    QString titel;          // the node's title with its remark
    QString titel_mit_size; // the item text printed in the report
    int typ = -1;           // category: the type, 10 and 12 counted as 9, 27 as 26
    int size1 = 0, size2 = 0, size3 = 0, size4 = 0; // whole millimetres for sorting, 0 unset
    int sizeLength = 0; // length of a duct-to-pipe transition, not sorted on
    double anz = 0;     // millimetres for ducts and pipes, pieces for everything else

    bool operator==(const TMassen&) const = default;
};

// The quantity category of a type code.
int massenKategorie(int typ);
// True when the category is summed as a length (ducts and pipes); everything else, the segment
// bend included, is counted in pieces.
bool alsLaenge(int kategorie);

// The item of a record with anz 0: its title, item text, category and sizes.
TMassen massenPosten(const TBasisDatenTabelle& kat, const DVdata& d);
// What one component adds to its item: its length i5 in millimetres for a length (nothing
// when the length is not given), else one piece.
double massenZuwachs(const DVdata& d);

} // namespace zephan
