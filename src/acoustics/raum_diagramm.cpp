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

const QString raumText = QStringLiteral("Raumpegel L°(sub a°(-sub");
const QString zielText = QStringLiteral("Raumvorgabe");

// The lines every room's chart starts with (its head and x axis) and the heads of its two
// series: written once through the document's own operations, then shared by every room.
struct Diagrammzeilen {
    QString kopf, xAchse, reiheRaum, reiheZiel;
};

const Diagrammzeilen& diagrammzeilen() {
    static const Diagrammzeilen z = [] {
        TDruck t;
        t.Diagramm(2, 0, 100, 40, QStringLiteral("Oktavpegel im Raum [dB]"), false, true);
        t.DiaSetachse(QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("7"),
                      QStringLiteral("1"),
                      QStringLiteral("Oktavband: 1 = 63 Hz, 2 = 125 Hz, 3 = 250 Hz, 4 = 500 Hz, "
                                     "5 = 1 kHz, 6 = 2 kHz, 7 = 4 kHz"),
                      0);
        t.DiaNeueReihe(raumText, 1, 2, farbeRaum);
        t.DiaNeueReihe(zielText, 1, 2, farbeZiel);
        return Diagrammzeilen{t.m[0], t.m[1], t.m[2], t.m[3]};
    }();
    return z;
}

// The points of a series, "band|level", each written in one string.
void punkte(TDruck& d, const TPegel& p) {
    for (int k = 0; k < bandAnzahl; ++k) {
        if (!std::isfinite(p[k])) continue;
        QString s;
        s.reserve(8);
        s += QChar(static_cast<char16_t>(u'1' + k));
        s += QLatin1Char('|');
        formatZahlAnhaengen(s, p[k], 1);
        d.addW(s);
    }
}

} // namespace

void raumDiagramm(TDruck& d, const TPegel& L, const TPegel& ziel) {
    // A chart high enough for 10 dB steps that can be read; the x axis counts the bands.
    const Diagrammzeilen& z = diagrammzeilen();
    d.addW(z.kopf);
    d.addW(z.xAchse);
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
    d.addW(z.reiheRaum);
    punkte(d, L);
    d.addW(z.reiheZiel);
    punkte(d, ziel);
    d.leer();
}

} // namespace zephan
