#include "editing/room_band_model.h"

#include "bands/pegel.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>

namespace zephan {

RaumBandText raumBandText(RaumBandArt art) {
    if (art == RaumBandArt::Spektrum)
        return {QStringLiteral("Raumschallpegel angeben [dB A]"),
                QStringLiteral("genaue Vorgabe"),
                QStringLiteral("Raumschallpegel"),
                QStringLiteral("[dB A]"),
                QStringLiteral("Raumschallpegel"),
                3};
    return {QStringLiteral("genaue Nachhallzeit angeben [msek]"),
            QStringLiteral("genau Vorgabe"),
            QStringLiteral("mittlere Nachhallzeit"),
            QStringLiteral("[msek]"),
            QStringLiteral("Nachhallzeit"),
            4};
}

namespace bereiche {
Bereich raumSpektrumBand() {
    return {0, 99, QStringLiteral("dB")};
}
Bereich raumSchallpegel() {
    return {0, 99, QStringLiteral("dB(A)")};
}
Bereich nachhallzeitBand() {
    return {1, 9999, QStringLiteral("ms")};
}
Bereich mittlereNachhallzeit() {
    return {0, 9999, QStringLiteral("ms")};
}
Bereich raumBand(RaumBandArt a) {
    return a == RaumBandArt::Spektrum ? raumSpektrumBand() : nachhallzeitBand();
}
Bereich raumMitte(RaumBandArt a) {
    return a == RaumBandArt::Spektrum ? raumSchallpegel() : mittlereNachhallzeit();
}
} // namespace bereiche

RaumBandVorgabe raumBandAnsicht(const DVdata& d, RaumBandArt art) {
    RaumBandVorgabe v;
    bool alle = true;
    for (size_t i = 0; i < static_cast<size_t>(vorgabeBandAnzahl); ++i) {
        const double x = art == RaumBandArt::Spektrum ? d.RaumSpektrum[i] : d.nachhallzeit[i];
        const bool gegeben = art == RaumBandArt::Spektrum ? x > -1 : x >= 0;
        v.baender[i] = gegeben ? x : -1;
        alle = alle && gegeben;
    }
    const bool flag = art == RaumBandArt::Spektrum ? d.raumSpektrumangabe : d.nachhallzeitangabe;
    v.genau = alle && flag;
    const double slot = d.i[static_cast<size_t>(raumBandText(art).mitteSlot)];
    v.mitte = slot == -1 || !std::isfinite(slot) ? -1 : double(runden(slot));
    return v;
}

double raumBandMitte(RaumBandArt art, const BandWerte& baender) {
    const Bereich b = bereiche::raumBand(art);
    for (double x : baender)
        if (x == -1 || !b.enthaelt(x)) return -1;
    if (art == RaumBandArt::Nachhallzeit) {
        double summe = 0;
        for (double x : baender) summe += x;
        return summe / vorgabeBandAnzahl;
    }
    TPegel p = pegel(0);
    std::copy(baender.begin(), baender.end(), p.begin());
    return gesamtpegel(p);
}

QString raumBandMitteText(RaumBandArt art, double mitte) {
    if (mitte == -1) return {};
    return formatZahlOhneGruppen(mitte, art == RaumBandArt::Spektrum ? -2 : -1);
}

QString raumBandFehler(RaumBandArt art, const RaumBandVorgabe& v) {
    const RaumBandText t = raumBandText(art);
    if (v.genau)
        for (int k = 0; k < vorgabeBandAnzahl; ++k) {
            const QString m =
                bandFeldFehler(t.bandFeld + QLatin1Char(' ') + bandName(k),
                               v.baender[static_cast<size_t>(k)], bereiche::raumBand(art), true);
            if (!m.isEmpty()) return m;
        }
    // The mean is the room's own value and must not be empty.
    const double gerundet = v.mitte == -1 ? -1 : double(runden(v.mitte));
    return bandFeldFehler(t.mitte, gerundet, bereiche::raumMitte(art), true);
}

void raumBandSetzen(RaumBandArt art, const RaumBandVorgabe& v, DVdata& d) {
    const double oben = bereiche::raumBand(art).max;
    for (size_t i = 0; i < static_cast<size_t>(vorgabeBandAnzahl); ++i) {
        const double x = std::clamp(double(runden(v.baender[i])), 0.0, oben);
        if (art == RaumBandArt::Spektrum)
            d.RaumSpektrum[i] = x;
        else
            d.nachhallzeit[i] = static_cast<int32_t>(x);
    }
    const double mitte = v.mitte == -1 ? -1 : double(runden(v.mitte));
    if (art == RaumBandArt::Spektrum) {
        d.raumSpektrumangabe = v.genau;
        d.i[3] = mitte;
    } else {
        d.nachhallzeitangabe = v.genau;
        d.i[4] = mitte;
    }
}

} // namespace zephan
