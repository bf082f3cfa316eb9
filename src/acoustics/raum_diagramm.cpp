#include "acoustics/raum_diagramm.h"

#include "report/report_document.h"
#include "store/number_format.h"

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
    // The y axis finds its range from the levels; the x axis counts the bands.
    d.Diagramm(2, 0, 100, 25, QStringLiteral("Oktavpegel im Raum [dB]"), false, true);
    d.DiaSetachse(QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("7"),
                  QStringLiteral("1"),
                  QStringLiteral("Oktavband: 1 = 63 Hz, 2 = 125 Hz, 3 = 250 Hz, 4 = 500 Hz, "
                                 "5 = 1 kHz, 6 = 2 kHz, 7 = 4 kHz"),
                  0);
    reihe(d, QStringLiteral("Raumpegel L°(sub a°(-sub"), farbeRaum, L);
    reihe(d, QStringLiteral("Raumvorgabe"), farbeZiel, ziel);
    d.leer();
}

} // namespace zephan
