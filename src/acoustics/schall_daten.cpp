#include "acoustics/schall_daten.h"

#include "store/carried_data.h"
#include "store/trace_log.h"

#include <QList>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

// One data line: its words and, where they are numbers, their values.
struct Zeile {
    QStringList worte;
    int nr = 0; // line number in the file, for the trace
};

std::vector<Zeile> zeilenVon(const QByteArray& text) {
    std::vector<Zeile> z;
    static const QRegularExpression leer(QStringLiteral("\\s+"));
    const QStringList zeilen = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int k = 0; k < zeilen.size(); ++k) {
        QString s = zeilen[k];
        const int kommentar = s.indexOf(QLatin1Char('#'));
        if (kommentar >= 0) s.truncate(kommentar);
        s = s.trimmed();
        if (s.isEmpty()) continue;
        z.push_back({s.split(leer, Qt::SkipEmptyParts), k + 1});
    }
    return z;
}

// Reads the numbers of a line from word `ab` on; false when one is no finite number or the
// count differs.
bool zahlen(const Zeile& z, int ab, int anzahl, std::vector<double>& werte) {
    if (z.worte.size() != ab + anzahl) return false;
    werte.clear();
    for (int k = ab; k < z.worte.size(); ++k) {
        bool ok = false;
        const double x = z.worte[k].toDouble(&ok); // "." decimal point, whatever the locale
        if (!ok || !std::isfinite(x)) return false;
        werte.push_back(x);
    }
    return true;
}

void melde(const char* tabelle, const Zeile& z) {
    trace(QStringLiteral("FEHLER Schalldaten %1, Zeile %2: %3")
              .arg(QLatin1String(tabelle))
              .arg(z.nr)
              .arg(z.worte.join(QLatin1Char(' '))));
}

bool richtung(const QString& w, bool& zuluft) {
    if (w == QLatin1String("zu")) return zuluft = true, true;
    if (w == QLatin1String("ab")) return zuluft = false, true;
    return false;
}

TPegel spektrum(const std::vector<double>& w, size_t ab) {
    TPegel p{};
    for (size_t k = 0; k < p.size(); ++k) p[k] = w[ab + k];
    return p;
}

std::vector<TellerventilDaten> tellerventileLesen(const QByteArray& text) {
    std::vector<TellerventilDaten> t;
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        TellerventilDaten d;
        if (!richtung(z.worte.value(0), d.zuluft) || !zahlen(z, 1, 14, w) || w[1] == w[3]) {
            melde("Tellerventil", z);
            return {};
        }
        d.dn = static_cast<int>(w[0]);
        d.v1 = w[1];
        d.l1 = w[2];
        d.v2 = w[3];
        d.l2 = w[4];
        d.spalt = static_cast<int>(w[5]);
        d.deltaL = spektrum(w, 6);
        t.push_back(d);
    }
    return t;
}

std::vector<BrandschutzventilDaten> brandschutzventileLesen(const QByteArray& text) {
    std::vector<BrandschutzventilDaten> t;
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        BrandschutzventilDaten d;
        if (!richtung(z.worte.value(0), d.zuluft) || !zahlen(z, 1, 4, w)) {
            melde("Brandschutzventil", z);
            return {};
        }
        d.dn = static_cast<int>(w[0]);
        d.c2 = w[1];
        d.c1 = w[2];
        d.c0 = w[3];
        t.push_back(d);
    }
    return t;
}

// Rows "key x s1..s8" grouped by key in file order; keys and x must ascend.
template <typename Gruppe>
std::vector<Gruppe> gruppenLesen(const QByteArray& text, const char* name,
                                 int Gruppe::*schluessel) {
    std::vector<Gruppe> g;
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        if (!zahlen(z, 0, 10, w)) {
            melde(name, z);
            return {};
        }
        const int k = static_cast<int>(w[0]);
        if (g.empty() || g.back().*schluessel != k) {
            if (!g.empty() && g.back().*schluessel > k) {
                melde(name, z);
                return {};
            }
            g.emplace_back();
            g.back().*schluessel = k;
        }
        auto& zeilen = g.back().zeilen;
        if (!zeilen.empty() && zeilen.back().x >= w[1]) {
            melde(name, z);
            return {};
        }
        zeilen.push_back({w[1], spektrum(w, 2)});
    }
    return g;
}

std::vector<Kurvenstuetze> stuetzenLesen(const std::vector<Zeile>& zeilen, const char* name,
                                         const QString& schluessel, int ab) {
    std::vector<Kurvenstuetze> k;
    std::vector<double> w;
    for (const Zeile& z : zeilen) {
        if (ab > 0 && z.worte.value(0) != schluessel) continue;
        if (!zahlen(z, ab, 2, w) || (!k.empty() && k.back().x >= w[0])) {
            melde(name, z);
            return {};
        }
        k.push_back({w[0], w[1]});
    }
    return k;
}

std::vector<ReglerDaten> reglerLesen(const QByteArray& text) {
    std::vector<ReglerDaten> r;
    std::vector<double> w;
    const auto fehler = [](const Zeile& z) {
        melde("Volumenstromregler", z);
        return std::vector<ReglerDaten>{};
    };
    const std::vector<Zeile> zeilen = zeilenVon(text);
    for (const Zeile& z : zeilen) {
        if (z.worte.value(0) != QLatin1String("stroeme")) continue;
        if (!zahlen(z, 1, 6, w)) return fehler(z);
        ReglerDaten d;
        d.dn = static_cast<int>(w[0]);
        for (size_t k = 0; k < 5; ++k) {
            d.stroeme[k] = w[k + 1];
            if (k > 0 && d.stroeme[k] <= d.stroeme[k - 1]) return fehler(z);
        }
        r.push_back(d);
    }
    for (const Zeile& z : zeilen) {
        const QString art = z.worte.value(0);
        if (art == QLatin1String("stroeme")) continue;
        if (art != QLatin1String("pegel") || !zahlen(z, 1, 11, w)) return fehler(z);
        auto d = std::find_if(r.begin(), r.end(),
                              [&](const ReglerDaten& x) { return x.dn == static_cast<int>(w[0]); });
        const auto* dp = std::find(ReglerDaten::druecke.begin(), ReglerDaten::druecke.end(),
                                   static_cast<int>(w[1]));
        if (d == r.end() || dp == ReglerDaten::druecke.end()) return fehler(z);
        const auto* q = std::find(d->stroeme.begin(), d->stroeme.end(), w[2]);
        if (q == d->stroeme.end()) return fehler(z);
        d->pegel[static_cast<size_t>(dp - ReglerDaten::druecke.begin())]
                [static_cast<size_t>(q - d->stroeme.begin())] = spektrum(w, 3);
    }
    return r;
}

void kurvenLesen(const QByteArray& text, Schalldaten& d) {
    const std::vector<Zeile> zeilen = zeilenVon(text);
    std::vector<double> w;
    bool gut = true;
    for (const Zeile& z : zeilen) {
        const QString art = z.worte.value(0);
        if (art == QLatin1String("ventilator")) {
            if (!zahlen(z, 1, 4, w)) {
                melde("Ventilator", z);
                gut = false;
                continue;
            }
            d.ventilatoren.push_back({static_cast<int>(w[0]), w[1], w[2], static_cast<int>(w[3])});
        } else if (art == QLatin1String("bild13") || art == QLatin1String("bild14")) {
            if (!zahlen(z, 1, 4, w)) {
                melde("Bild 13/14", z);
                gut = false;
                continue;
            }
            auto& a = art == QLatin1String("bild13") ? d.bild13 : d.bild14;
            for (size_t k = 0; k < 4; ++k) a[k] = w[k];
        } else if (art != QLatin1String("bild19") && art != QLatin1String("bild22")) {
            melde("Kurven", z);
            gut = false;
        }
    }
    if (!gut) d.ventilatoren.clear();
    d.bild19 = stuetzenLesen(zeilen, "Bild 19", QStringLiteral("bild19"), 1);
    d.bild22 = stuetzenLesen(zeilen, "Bild 22", QStringLiteral("bild22"), 1);
}

// Rows "eckig|rund ab s1..s8"; per shape the bounds ascend.
std::vector<Kanaldaempfungsklasse> kanaldaempfungLesen(const QByteArray& text) {
    std::vector<Kanaldaempfungsklasse> t;
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        Kanaldaempfungsklasse k;
        const QString form = z.worte.value(0);
        k.eckig = form == QLatin1String("eckig");
        bool gut = (k.eckig || form == QLatin1String("rund")) && zahlen(z, 1, 9, w);
        if (gut) {
            k.ab = static_cast<int>(w[0]);
            k.proMeter = spektrum(w, 1);
            for (const Kanaldaempfungsklasse& vor : t)
                if (vor.eckig == k.eckig && vor.ab >= k.ab) gut = false;
        }
        if (!gut) {
            melde("Kanaldämpfung", z);
            return {};
        }
        t.push_back(k);
    }
    return t;
}

// Rows "bogen|knie s1..s8".
void umlenkdaempfungLesen(const QByteArray& text, Schalldaten& d) {
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        const QString art = z.worte.value(0);
        const bool knie = art == QLatin1String("knie");
        if ((!knie && art != QLatin1String("bogen")) || !zahlen(z, 1, 8, w)) {
            melde("Umlenkdämpfung", z);
            d.bogenDaempfung.reset();
            d.knieDaempfung.reset();
            return;
        }
        (knie ? d.knieDaempfung : d.bogenDaempfung) = spektrum(w, 0);
    }
}

// Rows "laenge dn s1..s8".
std::vector<SchalldaempferDaten> schalldaempferLesen(const QByteArray& text) {
    std::vector<SchalldaempferDaten> t;
    std::vector<double> w;
    for (const Zeile& z : zeilenVon(text)) {
        if (!zahlen(z, 0, 10, w)) {
            melde("Schalldämpfer", z);
            return {};
        }
        t.push_back({static_cast<int>(w[0]), static_cast<int>(w[1]), spektrum(w, 2)});
    }
    return t;
}

template <typename T, typename Pred> const T* finde(const std::vector<T>& v, Pred p) {
    auto it = std::find_if(v.begin(), v.end(), p);
    return it == v.end() ? nullptr : &*it;
}

} // namespace

const TellerventilDaten* Schalldaten::tellerventil(bool zuluft, int dn) const {
    return finde(tellerventile,
                 [&](const TellerventilDaten& t) { return t.zuluft == zuluft && t.dn == dn; });
}

const BrandschutzventilDaten* Schalldaten::brandschutzventil(bool zuluft, int dn) const {
    return finde(brandschutzventile,
                 [&](const BrandschutzventilDaten& t) { return t.zuluft == zuluft && t.dn == dn; });
}

const FkrsGroesse* Schalldaten::fkrsGroesse(int dn) const {
    return finde(fkrs, [&](const FkrsGroesse& g) { return g.dn == dn; });
}

const ReglerDaten* Schalldaten::reglerGroesse(int dn) const {
    return finde(regler, [&](const ReglerDaten& r) { return r.dn == dn; });
}

const VentilatorBauart* Schalldaten::ventilator(int option) const {
    return finde(ventilatoren, [&](const VentilatorBauart& v) { return v.option == option; });
}

const Kanaldaempfungsklasse* Schalldaten::kanalKlasse(bool eckig, int d) const {
    const Kanaldaempfungsklasse* gefunden = nullptr;
    for (const Kanaldaempfungsklasse& k : kanaldaempfung) {
        if (k.eckig != eckig) continue;
        if (!gefunden || k.ab <= d) gefunden = &k;
    }
    return gefunden;
}

const SchalldaempferDaten* Schalldaten::schalldaempferGroesse(int laenge, int dn) const {
    return finde(schalldaempfer,
                 [&](const SchalldaempferDaten& s) { return s.laenge == laenge && s.dn == dn; });
}

SchalldatenTexte getrageneSchalldaten() {
    const auto lies = [](const char* name) {
        return carriedData(QStringLiteral("schall/") + QLatin1String(name));
    };
    return {lies("lv_tellerventil.txt"),
            lies("fv_brandschutzventil.txt"),
            lies("fk_brandschutzklappe.txt"),
            lies("fk_breitenkorrektur.txt"),
            lies("fkrs_brandschutzklappe.txt"),
            lies("volumenstromregler.txt"),
            lies("kurven.txt"),
            lies("kanaldaempfung.txt"),
            lies("umlenkdaempfung.txt"),
            lies("schalldaempfer.txt")};
}

Schalldaten schalldatenLesen(const SchalldatenTexte& t) {
    Schalldaten d;
    d.tellerventile = tellerventileLesen(t.tellerventil);
    d.brandschutzventile = brandschutzventileLesen(t.brandschutzventil);
    d.klappen = gruppenLesen<KlappenGruppe>(t.klappen, "Brandschutzklappe", &KlappenGruppe::hoehe);
    d.breitenkorrektur =
        stuetzenLesen(zeilenVon(t.breitenkorrektur), "Breitenkorrektur", QString(), 0);
    d.fkrs = gruppenLesen<FkrsGroesse>(t.fkrs, "FKRS", &FkrsGroesse::dn);
    d.regler = reglerLesen(t.regler);
    kurvenLesen(t.kurven, d);
    d.kanaldaempfung = kanaldaempfungLesen(t.kanaldaempfung);
    umlenkdaempfungLesen(t.umlenkdaempfung, d);
    d.schalldaempfer = schalldaempferLesen(t.schalldaempfer);
    return d;
}

const Schalldaten& schalldaten() {
    static const Schalldaten d = schalldatenLesen(getrageneSchalldaten());
    return d;
}

} // namespace zephan
