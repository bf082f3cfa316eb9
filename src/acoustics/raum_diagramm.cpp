#include "acoustics/raum_diagramm.h"

#include "report/report_document.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

// Red for the room, blue for what it may have: in grey-scale dashed against dotted.
constexpr int farbeRaum = 0xFF0000;
constexpr int farbeZiel = 0x0000FF;

void reihe(TDruck& d, const QString& text, int farbe, const TPegel& p) {
    d.DiaNeueReihe(text, 1, 2, farbe);
    for (int k = 0; k < bandAnzahl; ++k)
        if (std::isfinite(p[k]))
            d.add(QString::number(k + 1) + QLatin1Char('|') + formatZahl(p[k], 1));
}

} // namespace

void raumDiagramm(TDruck& d, const TPegel& L, const TPegel& ziel) {
    // A chart high enough for 10 dB steps that can be read; the x axis counts the bands.
    d.Diagramm(2, 0, 100, 40, QStringLiteral("Oktavpegel im Raum [dB]"), false, true);
    d.DiaSetachse(QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("7"),
                  QStringLiteral("1"),
                  QStringLiteral("Oktavband: 1 = 63 Hz, 2 = 125 Hz, 3 = 250 Hz, 4 = 500 Hz, "
                                 "5 = 1 kHz, 6 = 2 kHz, 7 = 4 kHz"),
                  0);
    // The y axis in whole 10 dB from below the lowest level, with 20 dB above the highest so the
    // legend in the upper right corner covers no point.
    double lo = INFINITY, hi = -INFINITY;
    for (const TPegel* p : {&L, &ziel})
        for (int k = 0; k < bandAnzahl; ++k)
            if (std::isfinite((*p)[k])) {
                lo = std::min(lo, (*p)[k]);
                hi = std::max(hi, (*p)[k]);
            }
    if (lo <= hi)
        d.DiaSetachse(QStringLiteral("Y"), QString::number(std::floor(lo / 10) * 10),
                      QString::number(std::ceil(hi / 10) * 10 + 20), QStringLiteral("10"),
                      QString(), 0);
    reihe(d, QStringLiteral("Raumpegel L°(sub a°(-sub"), farbeRaum, L);
    reihe(d, QStringLiteral("Raumvorgabe"), farbeZiel, ziel);
    d.leer();
}

} // namespace zephan
