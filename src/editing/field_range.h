#pragma once

#include <QString>

namespace zephan {

// The plausible range of a number field. A value outside it is no size a duct network has
// (a typing slip such as 250300 mm for 250 mm): the field is marked and the page is not
// applied until it is corrected. An empty field (-1, "not given") is always accepted.
struct Bereich {
    double min = 0;
    double max = 1e6;
    QString einheit; // shown in the hint, e.g. "mm"

    bool enthaelt(double wert) const { return wert == -1 || (wert >= min && wert <= max); }
    bool negativErlaubt() const { return min < 0; }
    // "zulässig: 10 bis 10.000 mm"
    QString hinweis() const;
};

// The ranges the edit pages use.
namespace bereiche {
Bereich abmessung();       // widths, heights, diameters: 10 ... 10 000 mm
Bereich grenze();          // the duct's limits: 0 ... 10 000 mm (below 10: no limit)
Bereich laenge();          // 0 ... 1 000 000 mm
Bereich volumenstrom();    // 0 ... 1 000 000 m³/h
Bereich geschwindigkeit(); // 0 ... 100 m/s
Bereich gefaelle();        // 0 ... 100 Pa/m
Bereich zeta();            // -100 ... 1000
Bereich druck();           // 0 ... 100 000 Pa
Bereich dichte();          // 0,5 ... 2 kg/m³
// A value slot of the component page by its caption and unit; the catalogue's own limits
// narrow it.
Bereich wertSlot(const QString& caption, const QString& einheit, int katalogMin, int katalogMax);
} // namespace bereiche

} // namespace zephan
