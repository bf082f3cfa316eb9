#pragma once

#include "editing/sound_preset_model.h"

#include <array>

class QGridLayout;
class QWidget;

namespace zephan {

class Zahlenfeld;

// A row of seven band fields (63 Hz ... 4 kHz) in a grid, right-aligned number fields as wide
// as their numbers; the captions above them come from `bandKoepfe`.
using BandFelder = std::array<Zahlenfeld*, vorgabeBandAnzahl>;
BandFelder bandFelder(QWidget* eltern, QGridLayout* g, int zeile, int spalte,
                      const QString& namePrefix, int stellen, const Bereich& b);
void bandKoepfe(QWidget* eltern, QGridLayout* g, int zeile, int spalte);
BandWerte bandWerte(const BandFelder& f);
void bandWerteZeigen(const BandFelder& f, const BandWerte& w);
// The first field whose text is no number (such as "," or "-"); -1 when every field holds a
// number or nothing.
int unlesbaresBandFeld(const BandFelder& f);
// The message for such a field.
QString unlesbarMeldung(const QString& name);

} // namespace zephan
