#include "editing/sound_preset_model.h"

#include <algorithm>

namespace zephan {

QString bandKopf(int k) {
    static const char* const koepfe[] = {"63", "125", "250", "500", "1K", "2K", "4K"};
    return k >= 0 && k < vorgabeBandAnzahl ? QLatin1String(koepfe[k]) : QString();
}

QString bandName(int k) {
    static const int hz[] = {63, 125, 250, 500, 1000, 2000, 4000};
    return k >= 0 && k < vorgabeBandAnzahl ? QString::number(hz[k]) + QStringLiteral(" Hz")
                                           : QString();
}

namespace bereiche {
Bereich schallGeraeusch() {
    return {-20, 199, QStringLiteral("dB")};
}
Bereich schallDaempfung() {
    return {0, 199, QStringLiteral("dB")};
}
} // namespace bereiche

QString bandFeldFehler(const QString& name, double wert, const Bereich& b, bool pflicht) {
    if (wert == -1) {
        if (!pflicht) return {};
        return QStringLiteral("Das Feld \"%1\" darf nicht leer sein.").arg(name);
    }
    if (wert >= b.min && wert <= b.max) return {};
    return QStringLiteral("Der Wert im Feld \"%1\" ist nicht möglich (%2).").arg(name, b.hinweis());
}

namespace {
bool alleGegeben(const PegelWerte& p) {
    return std::all_of(p.begin(), p.begin() + vorgabeBandAnzahl, [](double x) { return x > -1; });
}
} // namespace

SchallVorgabe schallVorgabeAnsicht(const DVdata& d) {
    SchallVorgabe v;
    for (int k = 0; k < vorgabeBandAnzahl; ++k) {
        const size_t i = static_cast<size_t>(k);
        v.geraeusch[i] = d.sg[i] > -1 ? d.sg[i] : -1;
        v.daempfung[i] = d.sd[i] > -1 ? d.sd[i] : -1;
    }
    v.geraeuschAn = alleGegeben(d.sg) && (d.schall & 1);
    v.daempfungAn = alleGegeben(d.sd) && (d.schall & 2);
    return v;
}

QString schallVorgabeFehler(const SchallVorgabe& v) {
    for (int k = 0; k < vorgabeBandAnzahl; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (v.geraeuschAn) {
            const QString m = bandFeldFehler(QStringLiteral("Geräusch ") + bandName(k),
                                             v.geraeusch[i], bereiche::schallGeraeusch(), false);
            if (!m.isEmpty()) return m;
        }
    }
    for (int k = 0; k < vorgabeBandAnzahl; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (v.daempfungAn) {
            const QString m = bandFeldFehler(QStringLiteral("Dämpfung ") + bandName(k),
                                             v.daempfung[i], bereiche::schallDaempfung(), false);
            if (!m.isEmpty()) return m;
        }
    }
    return {};
}

void schallVorgabeSetzen(const SchallVorgabe& v, DVdata& d) {
    for (size_t i = 0; i < static_cast<size_t>(vorgabeBandAnzahl); ++i) {
        // A row not in force keeps its values, held to what its fields accept.
        d.sg[i] = std::clamp(v.geraeusch[i], 0.0, bereiche::schallGeraeusch().max);
        d.sd[i] = std::clamp(v.daempfung[i], 0.0, bereiche::schallDaempfung().max);
    }
    d.schall = (v.geraeuschAn ? 1 : 0) + (v.daempfungAn ? 2 : 0);
}

} // namespace zephan
