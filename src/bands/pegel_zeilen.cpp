#include "bands/pegel_zeilen.h"

#include "bands/pegel_druck.h"
#include "report/report_document.h"

#include <bit>
#include <cstdint>

namespace zephan {

namespace {
// Values compare by their bits: equal bits write equal text, and NaN finds itself.
bool gleicheBits(const TPegel& a, const TPegel& b) {
    for (size_t k = 0; k < static_cast<size_t>(bandAnzahl); ++k)
        if (std::bit_cast<std::uint64_t>(a[k]) != std::bit_cast<std::uint64_t>(b[k])) return false;
    return true;
}

std::uint64_t mischen(std::uint64_t h, std::uint64_t x) {
    h ^= x;
    h *= 0x100000001B3ull;
    return h ^ (h >> 29);
}
} // namespace

bool Pegelzeilen::Schluessel::operator==(const Schluessel& o) const {
    return werte == o.werte && gleicheBits(p, o.p) && titel == o.titel && einheit == o.einheit;
}

size_t Pegelzeilen::Hash::operator()(const Schluessel& k) const {
    // The values and the kind alone: equal keys hash alike, and rows of equal values under
    // different titles are few, so the titles are left to the comparison.
    std::uint64_t h = mischen(0xCBF29CE484222325ull, k.werte ? 1 : 0);
    for (size_t i = 0; i < static_cast<size_t>(bandAnzahl); ++i)
        h = mischen(h, std::bit_cast<std::uint64_t>(k.p[i]));
    return static_cast<size_t>(h);
}

const Pegelzeilen::Zeile& Pegelzeilen::eintrag(const QString& titel, const QString& einheit,
                                               const TPegel& p, bool werte) {
    Schluessel k{titel, einheit, werte, p};
    auto it = zeilen_.find(k);
    if (it == zeilen_.end()) {
        QString z = werte ? werteZeile(titel, einheit, p) : pegelZeile(titel, einheit, p);
        const bool umbruch = z.contains(QLatin1Char('\r'));
        it = zeilen_.emplace(std::move(k), Zeile{std::move(z), umbruch}).first;
    }
    return it->second;
}

const QString& Pegelzeilen::zeile(const QString& titel, const QString& einheit, const TPegel& p,
                                  bool werte) {
    return eintrag(titel, einheit, p, werte).text;
}

void Pegelzeilen::schreiben(TDruck& druck, const QString& titel, const QString& einheit,
                            const TPegel& p, bool werte) {
    // Only a row with a carriage return needs the document's look at it; the others are
    // appended as they are, and the look is not repeated for every equal row.
    const Zeile& z = eintrag(titel, einheit, p, werte);
    if (z.umbruch)
        druck.add(z.text);
    else
        druck.addW(z.text);
}

} // namespace zephan
