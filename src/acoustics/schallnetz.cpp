// The network sound calculation: one walk over the line carries the running sound power from
// the fan toward every room; each room then gets its table of elements in either order.

#include "acoustics/schallnetz.h"

#include "acoustics/pegelsenkung.h"
#include "acoustics/raum_diagramm.h"
#include "acoustics/schall_einstellungen.h"
#include "acoustics/stiller_druckpass.h"
#include "acoustics/stroemungsgeraeusch.h"
#include "bands/pegel_druck.h"
#include "bands/pegel_zeilen.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/network_walk.h"
#include "pressure/project_head.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zephan {

namespace {

constexpr double keinPegel = std::numeric_limits<double>::quiet_NaN();

// Spectra below these marks carry nothing: no noise computed, no attenuation computed.
constexpr double rauschGrenze = -200;
constexpr double daempfGrenze = -800;

bool hatRauschen(const TPegel& N) {
    return N[0] >= rauschGrenze;
}
bool hatDaempfung(const TPegel& D) {
    return D[0] >= daempfGrenze;
}

// A row kept for reuse: its text, its key, and whether it holds a carriage return (which the
// document turns into its break when the row is added).
struct Gemerkt {
    unsigned schluessel;
    QString text;
    bool umbruch;
};

// One step on a path from the fan: a component and the passage through it.
struct Eintrag {
    tmylistitem* knoten;
    QString name; // position and caption, shared by every room's row of this element
    int seite;
    TPegel N, D;
    TPegel energie; // running sound power after the element (fan-to-room order), 10^(L/10)
    TPegel L;       // the same as a level, NaN where nothing sounds yet
    int vorher;     // the step before, -1 at the fan
    // The element's rows of the fan-to-room tables: the same for every room whose path passes
    // the element, so they are built once and shared, keyed by the pass and by which of its
    // bands are written bold (above the room's target).
    mutable std::vector<Gemerkt> zeilen;
};

struct Pfad {
    int letzter = -1;
    bool aktiv = false; // the fan has been passed
    TPegel energie = pegel(0);
};

// A whole number in place; "-" for a band without a level.
template <typename Puffer> void bandAnhaengen(Puffer& s, double x) {
    formatZahlAnhaengen(s, std::isfinite(x) ? std::nearbyint(x) : x, 0);
}

// N and D of a table row: whole numbers; "F" for an aborted calculation, "-" for none.
void quelleAnhaengen(Zeilenpuffer& s, double x) {
    if (x >= -888)
        formatZahlAnhaengen(s, std::nearbyint(x), 0);
    else
        s.append(x >= -999 ? QLatin1Char('F') : QLatin1Char('-'));
}

QString frequenzText(int k) {
    const int f = static_cast<int>(oktavFrequenzen[k]);
    return f >= 1000 ? QString::number(f / 1000) + QLatin1Char('K') : QString::number(f);
}

TPegel pegelAus(const TPegel& energie) {
    TPegel L = pegel(keinPegel);
    for (int k = 0; k < bandAnzahl; ++k)
        if (energie[k] > 0) L[k] = 10 * std::log10(energie[k]);
    return L;
}

// A spectrum row; NaN bands print "-".
void zeileSpektrum(TDruck& d, const QString& titel, const QString& einheit, const TPegel& p) {
    d.add(pegelZeile(titel, einheit, p));
}

QString elementName(const tmylistitem* n) {
    return n->position() + QLatin1Char(' ') + n->caption();
}

class Lauf : public Netzklient<Pfad> {
public:
    Lauf(const Rechenkontext& k, const GeraeuschOptionen& g, TDruck* bericht, UserSeam* seam,
         int gesamt)
        : k_(k), g_(g), bericht_(bericht), seam_(seam), gesamt_(gesamt) {
        // A step per component, and one more for each branch taken through a fitting.
        eintraege.reserve(static_cast<size_t>(gesamt) + static_cast<size_t>(gesamt) / 4);
    }

    std::vector<Eintrag> eintraege;
    std::vector<std::pair<tmylistitem*, int>> raeume; // room and its last step
    QString meldung;
    tmylistitem* halt = nullptr;
    bool abgebrochen = false;

    bool knoten(tmylistitem* n, const Pfad& p) override {
        if (!k_.weiter(++schritt_, gesamt_)) return abbrechen();
        const DVdata* d = nodeDaten(n);
        if (!d) return true;
        if (!p.aktiv && d->typ != typVentilator) return true;
        if (d->planung)
            return stop(n, QStringLiteral("Bauteil befindet sich noch im Status Planung"));
        if (d->fehler == fehlerUnvollstaendig)
            return stop(n, QStringLiteral("Es fehlen noch Informationen"));
        return true;
    }

    bool abzweig(tmylistitem* n, int zweig, const Pfad& vorher, Pfad& imZweig) override {
        if (!vorher.aktiv) return true;
        schritt(n, zweig, endenVon(k_.kat(), n) == 4 ? zweig : -1, imZweig);
        return true;
    }

    bool durchgang(tmylistitem* n, Pfad& p) override {
        const DVdata* d = nodeDaten(n);
        if (!d) return true;
        if (!p.aktiv) {
            if (d->typ != typVentilator) return true;
            p.aktiv = true;
        }
        schritt(n, 0, endenVon(k_.kat(), n) >= 3 ? 0 : -1, p);
        return true;
    }

    void kettenende(tmylistitem* n, const Pfad& p) override {
        if (bericht_) bericht_->leer();
        const DVdata* d = nodeDaten(n);
        if (p.aktiv && d && d->typ == typRaum) raeume.emplace_back(n, p.letzter);
    }

private:
    bool abbrechen() {
        abgebrochen = true;
        return false;
    }
    bool stop(tmylistitem* n, const QString& text) {
        halt = n;
        meldung = text;
        if (seam_) seam_->status(0, text);
        return false;
    }

    // Writes the component's section and adds its step to the path. `zusatz`: -1 none, 0
    // " Durchgang", 1 or 2 " Abzweig " and the branch.
    void schritt(tmylistitem* n, int seite, int zusatz, Pfad& p) {
        const DVdata* d = nodeDaten(n);
        if (d->typ == typVolumenstrom) return;
        Rechenkontext k = k_;
        k.druck = bericht_;
        QString name = elementName(n);
        if (bericht_) {
            bericht_->Absatz();
            bericht_->headline(zusatz < 0 ? name
                               : zusatz == 0
                                   ? name + QStringLiteral(" Durchgang")
                                   : name + QStringLiteral(" Abzweig ") + QString::number(zusatz));
        }
        const TPegel N = stroemungsgeraeusch(n, seite, k, g_);
        const TPegel D = pegelsenkung(n, seite, k, g_.daten, g_.zeilen);
        Eintrag e{n, std::move(name), seite, N, D, p.energie, {}, p.letzter, {}};
        // The sound met so far is lowered by the element, then its own noise is added.
        if (hatDaempfung(D))
            for (int b = 0; b < bandAnzahl; ++b) e.energie[b] *= std::pow(10, -D[b] / 10);
        if (hatRauschen(N))
            for (int b = 0; b < bandAnzahl; ++b) e.energie[b] += std::pow(10, N[b] / 10);
        e.L = pegelAus(e.energie);
        p.energie = e.energie;
        p.letzter = static_cast<int>(eintraege.size());
        eintraege.push_back(std::move(e));
    }

    const Rechenkontext& k_;
    const GeraeuschOptionen& g_;
    TDruck* bericht_;
    UserSeam* seam_;
    int gesamt_;
    int schritt_ = 0;
};

// The path of a room from the fan: its steps in order, into `p`.
void pfadVon(const std::vector<Eintrag>& e, int letzter, std::vector<const Eintrag*>& p) {
    p.clear();
    for (int i = letzter; i >= 0; i = e[static_cast<size_t>(i)].vorher)
        p.push_back(&e[static_cast<size_t>(i)]);
    std::reverse(p.begin(), p.end());
}

// `zeilen`: keep the element rows in the result. The fan-to-room tables are written from the
// path itself, so they need them only when the caller asks; the room-to-fan tables are
// written from them.
Raumergebnis raumRechnen(tmylistitem* raum, const std::vector<const Eintrag*>& pfad,
                         bool vomVentilator, bool zeilen) {
    const DVdata& d = *nodeDaten(raum);
    Raumergebnis r;
    r.raum = raum;
    r.name = d.p[2].isEmpty() ? QStringLiteral("(kein Name)") : d.p[2];
    r.zulaessig = static_cast<int>(std::trunc(d.i[3]));
    for (int k = 0; k < bandAnzahl; ++k)
        r.ziel[k] = d.raumSpektrumangabe ? d.RaumSpektrum[static_cast<size_t>(k)]
                                         : r.zulaessig + oktavZuschlag[k];
    r.L = pegel(keinPegel);
    r.auslass = pegel(keinPegel);
    if (vomVentilator) {
        if (zeilen) r.elemente.reserve(pfad.size());
        for (const Eintrag* e : pfad) {
            const int typ = typVon(e->knoten);
            if (typ == typZuluftauslass || typ == typAbluftgitter) r.auslass = e->L;
            if (!zeilen) continue;
            Elementzeile z;
            z.name = e->name;
            z.N = e->N;
            z.D = e->D;
            z.L = e->L;
            z.S = z.R = pegel(keinPegel);
            r.elemente.push_back(z);
        }
        if (!pfad.empty()) r.L = pfad.back()->L;
    } else {
        r.elemente.reserve(pfad.size());
        // From the room to the fan: S is the attenuation between the element and the room
        // (the room's own included), R the element's level in the room.
        TPegel S = pegel(0), E = pegel(0);
        for (auto it = pfad.rbegin(); it != pfad.rend(); ++it) {
            const Eintrag* e = *it;
            Elementzeile z;
            z.name = e->name;
            z.N = e->N;
            z.D = e->D;
            z.S = S;
            z.R = pegel(keinPegel);
            if (hatRauschen(e->N))
                for (int k = 0; k < bandAnzahl; ++k) {
                    z.R[k] = e->N[k] - S[k];
                    E[k] += std::pow(10, z.R[k] / 10);
                }
            z.L = pegelAus(E);
            r.elemente.push_back(z);
            if (hatDaempfung(e->D))
                for (int k = 0; k < bandAnzahl; ++k) S[k] += e->D[k];
        }
        r.L = pegelAus(E);
    }
    r.LA = aPegel(r.L);
    r.LAAuslass = aPegel(r.auslass);
    return r;
}

// Widths of the element table: the name column gives way so the table fits the page.
QString tabellenformat(bool methodeA, int b) {
    const int spalten = b * (methodeA ? 5 : 3);
    const int breite = methodeA ? 4 : 5;
    const int name = std::min(methodeA ? 28 : 46, 100 - spalten * breite);
    QString f = QStringLiteral("2,") + QString::number(name);
    for (int i = 0; i < spalten; ++i) f += QStringLiteral("|-") + QString::number(breite);
    return f;
}

// A line as the document writes it; built once where it is the same for every room, so the
// rooms' copies share its text.
template <typename Schreiben> QString dokumentZeile(Schreiben schreiben) {
    TDruck t;
    schreiben(t);
    return t.m.isEmpty() ? QString() : t.m.first();
}

// The head of an element table for one pass: the same for every room of a line but for the
// row of the room's targets.
struct Tabellenkopf {
    std::vector<int> baender;
    QString format, z1, frequenzen, z2, z3, spalten;
};

std::vector<Tabellenkopf> tabellenkoepfe(bool methodeA, const std::vector<int>& baender) {
    std::vector<Tabellenkopf> koepfe;
    const int je = methodeA ? 5 : 3;
    const QString spann = methodeA ? QStringLiteral("+C5") : QStringLiteral("+C3");
    // At most four bands side by side: a fifth selected band opens a second pass.
    for (size_t ab = 0; ab < baender.size(); ab += 4) {
        Tabellenkopf t;
        t.baender.assign(baender.begin() + static_cast<long>(ab),
                         baender.begin() + static_cast<long>(std::min(ab + 4, baender.size())));
        const int b = static_cast<int>(t.baender.size());
        t.format = dokumentZeile([&](TDruck& d) { d.tabelleK(3, tabellenformat(methodeA, b)); });
        t.z1 = QStringLiteral("°Z+");
        t.frequenzen = QStringLiteral("Oktavmittenfrequenz [Hz]");
        t.z2 = QStringLiteral("°Z+");
        t.z3 = QStringLiteral("°Z");
        t.spalten = QStringLiteral(" ");
        for (int k : t.baender) {
            t.z1 += QLatin1Char('|') + spann + QLatin1Char('z');
            t.frequenzen += QLatin1Char('|') + frequenzText(k);
            t.z2 += QLatin1Char('|') + spann + QLatin1Char('r');
            for (int i = 0; i < je; ++i) t.z3 += QStringLiteral("-F|");
            t.spalten += QStringLiteral("|L°(sub w °(-sub|°(delta L°(sub w°(-sub|") +
                         (methodeA ? QStringLiteral("°(sum L°(sub w°(-sub|L°(sub w °(-sub -°(sum |")
                                   : QString()) +
                         QStringLiteral("°(sum L");
        }
        koepfe.push_back(std::move(t));
    }
    return koepfe;
}

// Which bands of the pass the running level L exceeds the room's target in, one bit each:
// those are written bold.
unsigned lautMaske(const TPegel& L, const TPegel& ziel, const std::vector<int>& baender) {
    unsigned laut = 0;
    for (size_t i = 0; i < baender.size(); ++i) {
        const int k = baender[i];
        if (std::isfinite(L[k]) && std::nearbyint(L[k]) > std::nearbyint(ziel[k])) laut |= 1u << i;
    }
    return laut;
}

// An element row: the name, then per band of the pass N and D, in the room-to-fan order also
// S and R, and the running level L. These rows make up much of a large report: each is put
// together in a buffer on the stack and copied out once, at its own size.
QString elementZeile(const QString& name, const TPegel& N, const TPegel& D, const TPegel* S,
                     const TPegel* R, const TPegel& L, const std::vector<int>& baender,
                     unsigned laut) {
    Zeilenpuffer s;
    textAnhaengen(s, name);
    for (size_t i = 0; i < baender.size(); ++i) {
        const int k = baender[i];
        s.append(QLatin1Char('|'));
        quelleAnhaengen(s, N[k]);
        s.append(QLatin1Char('|'));
        quelleAnhaengen(s, D[k]);
        if (S && R) {
            s.append(QLatin1Char('|'));
            bandAnhaengen(s, (*S)[k]);
            s.append(QLatin1Char('|'));
            bandAnhaengen(s, (*R)[k]);
        }
        const bool fett = laut & (1u << i);
        s.append(QLatin1Char('|'));
        if (fett) textAnhaengen(s, u"°(colfett ");
        bandAnhaengen(s, L[k]);
        if (fett) textAnhaengen(s, u"°(col-fett ");
    }
    return QString(s.constData(), s.size());
}

// The element's row of a fan-to-room table for a room with the target `ziel`.
const Gemerkt& zeileVomVentilator(const Eintrag& e, const Tabellenkopf& t, unsigned durchgang,
                                  const TPegel& ziel) {
    const unsigned laut = lautMaske(e.L, ziel, t.baender);
    const unsigned schluessel = durchgang << 8 | laut;
    for (const Gemerkt& z : e.zeilen)
        if (z.schluessel == schluessel) return z;
    QString text = elementZeile(e.name, e.N, e.D, nullptr, nullptr, e.L, t.baender, laut);
    const bool umbruch = text.contains(QLatin1Char('\r'));
    e.zeilen.push_back(Gemerkt{schluessel, std::move(text), umbruch});
    return e.zeilen.back();
}

// One pass of a room's element table: the room-to-fan rows come from the room's result, the
// fan-to-room rows from its path.
void elementTabelle(TDruck& d, const Raumergebnis& r, bool methodeA, const Tabellenkopf& t,
                    unsigned durchgang, const std::vector<const Eintrag*>& pfad) {
    d.addW(t.format);
    d.addW(t.z1);
    d.addW(t.frequenzen);
    d.addW(t.z2);
    QString ziel = QStringLiteral("L°(sub Okt,max °(-sub  [dB]");
    ziel.reserve(ziel.size() + 5 * static_cast<qsizetype>(t.baender.size()));
    for (int k : t.baender) {
        ziel += QLatin1Char('|');
        bandAnhaengen(ziel, r.ziel[k]);
    }
    d.addW(ziel);
    d.addW(t.z3);
    d.addW(t.spalten);
    if (methodeA) {
        for (const Elementzeile& e : r.elemente)
            d.add(elementZeile(e.name, e.N, e.D, &e.S, &e.R, e.L, t.baender,
                               lautMaske(e.L, r.ziel, t.baender)));
    } else {
        for (const Eintrag* e : pfad) {
            // Looked at for a carriage return once, when it was made.
            const Gemerkt& z = zeileVomVentilator(*e, t, durchgang, r.ziel);
            if (z.umbruch)
                d.add(z.text);
            else
                d.addW(z.text);
        }
    }
    d.leer();
}

void aBloeck(TDruck& d, const TPegel& L, const QString& titel, const QString& aZeile, double LA) {
    druckePegel(d, QString(), QString(), oktavFrequenzen);
    zeileSpektrum(d, titel, QStringLiteral("dB"), L);
    static const QString bewertung = pegelZeile(
        QStringLiteral("A-Bewertung °(delta L°(sub a°(-sub "), QStringLiteral("dB"), aBewertung);
    d.add(bewertung);
    TPegel A = pegel(keinPegel);
    for (int k = 0; k < bandAnzahl; ++k) A[k] = L[k] + aBewertung[k];
    zeileSpektrum(d, QStringLiteral("A-bewerteter Oktavpegel L°(sub okt°(-sub "),
                  QStringLiteral("dB"), A);
    d.leer();
    QString a;
    a.reserve(aZeile.size() + 10);
    a += aZeile;
    formatZahlAnhaengen(a, LA, 0);
    a += QStringLiteral(" [dB]");
    d.add(a);
}

// The summary row of a room: name, target, A-level and the excess ("-" when none).
QString summenZeile(const Raumergebnis& r) {
    QString s;
    s.reserve(r.name.size() + 16);
    s += r.name;
    s += QLatin1Char('|');
    s += QString::number(r.zulaessig);
    s += QLatin1Char('|');
    formatZahlAnhaengen(s, r.LA, 0);
    s += QLatin1Char('|');
    if (std::isfinite(r.LA) && r.zulaessig <= r.LA)
        formatZahlAnhaengen(s, r.LA - r.zulaessig, 0);
    else
        s += QLatin1Char('-');
    return s;
}

// The room's section; `pfad` is the room's path from the fan.
void raumBericht(TDruck& d, const Raumergebnis& r, bool methodeA, bool auslassPegel,
                 const std::vector<Tabellenkopf>& koepfe, const std::vector<const Eintrag*>& pfad) {
    static const QString schrift10 = dokumentZeile([](TDruck& t) { t.size(10); });
    if (methodeA) {
        d.Absatz();
        d.headline(QStringLiteral("Schallpegel der Anlagenelemente im Raum ") + r.name);
    } else {
        d.NeueSeite();
        d.headline(QStringLiteral("Strömungsgeräuschberechnung Raum ") + r.name);
    }
    d.addW(schrift10);
    for (size_t p = 0; p < koepfe.size(); ++p)
        elementTabelle(d, r, methodeA, koepfe[p], static_cast<unsigned>(p), pfad);
    d.Absatz();
    d.addW(schrift10);
    if (methodeA) {
        aBloeck(d, r.L, QStringLiteral("unbewerteter Oktavpegel L°(sub a°(-sub"),
                QStringLiteral("A-Schallpegel L°(sub a°(-sub = "), r.LA);
    } else {
        if (auslassPegel) {
            aBloeck(d, r.auslass, QStringLiteral("unbewerteter Oktavpegel L°(sub a°(-sub  Auslass"),
                    QStringLiteral("A-Schallpegel L°(sub a°(-sub  Auslass= "), r.LAAuslass);
            d.leer();
        }
        aBloeck(d, r.L, QStringLiteral("unbewerteter Oktavpegel L°(sub a°(-sub  Raum"),
                QStringLiteral("A-Schallpegel L°(sub a°(-sub = "), r.LA);
    }
    d.leer();
    d.Absatz();
    druckePegel(d, QString(), QString(), oktavFrequenzen);
    zeileSpektrum(d, QStringLiteral("unbewerteter Oktavpegel L°(sub a°(-sub"), QStringLiteral("dB"),
                  r.L);
    // The row is named after what it holds: the room's own spectrum when it gives one.
    const bool spektrum = nodeDaten(r.raum)->raumSpektrumangabe;
    const QString zielText =
        spektrum ? QStringLiteral("Raumvorgabe, L°(sub a,zul°(-sub")
                 : QStringLiteral("Raumvorgabe, L°(sub a,zul°(-sub + L°(sub Okt,max°(-sub");
    zeileSpektrum(d, zielText, QStringLiteral("dB"), r.ziel);
    TPegel erf = pegel(0);
    for (int k = 0; k < bandAnzahl; ++k)
        erf[k] = std::isfinite(r.L[k]) ? std::max(0.0, r.L[k] - r.ziel[k]) : 0;
    zeileSpektrum(d, QStringLiteral("Erf. Mindestdämpfung des Schalldämpfers"),
                  QStringLiteral("dB"), erf);
    d.leer();
    raumDiagramm(d, r.L, r.ziel);
}

void legende(TDruck& d, bool methodeA) {
    d.tabelle(QStringLiteral("0,10,90"));
    d.add(QStringLiteral("L°(sub w°(-sub|Schalleistungspegel [dB]"));
    d.add(QStringLiteral("°(delta L°(sub w°(-sub|Pegelsenkung des Anlagenelementes [dB]"));
    if (methodeA) {
        d.add(QStringLiteral("°(sum L°(sub w°(-sub|Summe der Pegelsenkung zwischen Anlagenelement "
                             "und Raum [dB]"));
        d.add(QStringLiteral("L°(sub w°(-sub -°(sum |Schallpegel im Raum verursacht durch "
                             "Anlagenelement [dB]"));
    }
    d.add(QStringLiteral("°(sum L |Summenschallpegel im Raum der Anlagenelemente [dB]"));
    d.leer();
}

tmylistitem* ventilatorVon(const tmylistitem* kopf) {
    for (tmylistitem* n = kopf ? kopf->getChild() : nullptr; n; n = n->getNextSibling())
        if (typVon(n) == typVentilator) return n;
    return nullptr;
}

// The last node of the node's sibling chain.
tmylistitem* kettenEnde(tmylistitem* n) {
    while (tmylistitem* x = n->getNextSibling()) n = x;
    return n;
}

} // namespace

double aPegel(const TPegel& L) {
    double s = 0;
    bool eins = false;
    for (int k = 0; k < bandAnzahl; ++k) {
        if (!std::isfinite(L[k])) continue;
        s += std::pow(10, (L[k] + aBewertung[k]) / 10);
        eins = true;
    }
    return eins && s > 0 ? 10 * std::log10(s) : keinPegel;
}

namespace {

void weg(std::vector<Elementzeile>& v) {
    std::vector<Elementzeile>().swap(v);
}

struct Linie {
    tmylistitem* kopf;
    const tmylistitem* ziel; // chain end of a restricted run
};

// One line: the walk, then the room sections, the legend and the summary.
bool strangRechnen(const Linie& li, const Rechenkontext& kontext, const SchallnetzOptionen& o,
                   UserSeam* seam, Pegelzeilen& zeilen, SchallnetzErgebnis& erg) {
    TDruck* d = kontext.druck;
    const SchallEinstellungen se = schallEinstellungen(kontext);
    const bool methodeA = !se.vomVentilator;
    const std::vector<Tabellenkopf> koepfe = tabellenkoepfe(methodeA, se.gezeigteBaender());

    // The flows of the line, found once for the pressure pass and for every component's noise
    // (asked node by node, each would sum the part of the line below it).
    const Volumenstroeme stroeme(kontext.kat(), li.kopf);
    Rechenkontext k = kontext;
    k.stroeme = &stroeme;
    const Druckpass druck = stillerDruckpass(li.kopf, k);
    if (!druck.ok) {
        erg.meldung = druck.meldung;
        erg.halt = druck.halt;
        return false;
    }
    k.rho = strangDichte(li.kopf);
    GeraeuschOptionen g;
    g.druckpass = &druck.strang;
    g.zeilen = &zeilen;
    const DVdata& kopfDaten = *nodeDaten(li.kopf);
    const tBasisDaten_* kat = k.typ(kopfDaten.typ);
    const QString strangText =
        (kat ? kat->titel : QString()) + QStringLiteral(": ") + kopfDaten.p[2];

    auto kopfzeilen = [&](TDruck& t) {
        t.headline(QStringLiteral("Strömungsgeräusch und Pegelsenkung."));
        t.add(QStringLiteral("Berechnung und Quellenangaben nach VDI 2081 (Juli 2001)"));
        t.add(strangText);
    };
    const int start = d ? static_cast<int>(d->m.size()) : 0;
    if (seam) seam->status(0, QStringLiteral("Berechne Komponenten"));
    const bool nurRaum = o.nurRaumteil && li.ziel;
    if (d && !nurRaum) kopfzeilen(*d);

    Lauf lauf(k, g, nurRaum ? nullptr : d, seam, li.kopf->CountAlle());
    if (!netzGehen<Pfad>(li.kopf, lauf, Pfad{}, k, li.ziel)) {
        erg.meldung = lauf.meldung;
        erg.halt = lauf.halt;
        return false;
    }
    if (seam) seam->status(0, QStringLiteral("Zusammenstellung"));
    Schallstrang s;
    s.kopf = li.kopf;
    double groessteUeberschreitung = 0;
    int schlimmsterPfad = -1; // the worst room's last step
    std::vector<const Eintrag*> pfad;
    for (const auto& [raum, letzter] : lauf.raeume) {
        if (li.ziel && raum != li.ziel) continue;
        const DVdata& rd = *nodeDaten(raum);
        if (rd.fehler > 0) {
            Raumergebnis r;
            r.raum = raum;
            r.fehler = true;
            if (d) d->add(QStringLiteral("Fehler mit ") + elementName(raum));
            s.raeume.push_back(r);
            continue;
        }
        pfadVon(lauf.eintraege, letzter, pfad);
        Raumergebnis r = raumRechnen(raum, pfad, !methodeA, methodeA || o.elementzeilen);
        if (d && !o.zusammenfassung) raumBericht(*d, r, methodeA, se.pegelAmAuslass, koepfe, pfad);
        const bool schlimmer =
            !li.ziel && std::isfinite(r.LA) && r.LA - r.zulaessig > groessteUeberschreitung;
        if (schlimmer) {
            groessteUeberschreitung = r.LA - r.zulaessig;
            // The rows of the room that was worst so far are no longer needed for the summary.
            if (!o.elementzeilen && s.schlimmster >= 0)
                weg(s.raeume[static_cast<size_t>(s.schlimmster)].elemente);
            s.schlimmster = static_cast<int>(s.raeume.size());
            schlimmsterPfad = letzter;
        }
        // The rows are written: a large line keeps only what a caller asked for.
        if (!o.elementzeilen && !(o.zusammenfassung && schlimmer)) weg(r.elemente);
        s.raeume.push_back(std::move(r));
    }
    if (d && !o.zusammenfassung) legende(*d, methodeA);
    if (seam) seam->status(0, QStringLiteral("Schallnetzberechnung beendet"));

    if (d && !li.ziel) {
        if (o.zusammenfassung) {
            // Only the worst room's path in detail: what this line wrote is replaced.
            while (d->m.size() > start) d->m.removeLast();
            kopfzeilen(*d);
            if (s.schlimmster >= 0) {
                const Raumergebnis& w = s.raeume[static_cast<size_t>(s.schlimmster)];
                Lauf weg(k, g, d, nullptr, li.kopf->CountAlle());
                netzGehen<Pfad>(li.kopf, weg, Pfad{}, k, w.raum);
                d->NeueSeite();
                pfadVon(lauf.eintraege, schlimmsterPfad, pfad);
                raumBericht(*d, w, methodeA, se.pegelAmAuslass, koepfe, pfad);
            }
        } else {
            d->NeueSeite();
        }
        d->Absatz();
        d->headline(QStringLiteral("Zusammenfassung Schallpegelberechnung"));
        d->add(strangText);
        d->tabelle(QStringLiteral("0,40,-25,-20,-13"));
        d->add(QStringLiteral("Raum|Vorgabe [dB(A)]|A-Schallpegel|Differenz"));
        for (const Raumergebnis& r : s.raeume)
            if (!r.fehler) d->add(summenZeile(r));
        d->leer();
    }
    erg.straenge.push_back(std::move(s));
    return true;
}

} // namespace

SchallnetzErgebnis schallnetzberechnung(ProjektBaum& baum, const Rechenkontext& kontext,
                                        const SchallnetzOptionen& o) {
    SchallnetzErgebnis erg;
    UserSeam* seam = o.seam ? o.seam : kontext.fortschritt;
    if (!baum.topitem()) return erg;
    tmylistitem* auswahl = o.auswahl ? o.auswahl : baum.Selected();
    if (!auswahl) auswahl = baum.topitem();

    std::vector<Linie> linien;
    if (o.ganzerStrang && !o.nurStrang) {
        for (tmylistitem* kopf = baum.topitem(); kopf; kopf = kopf->getNextSibling())
            if (istStrangTyp(typVon(kopf))) linien.push_back({kopf, nullptr});
    } else {
        tmylistitem* kopf = strangKopf(o.ganzerStrang ? o.nurStrang : auswahl);
        if (kopf && istStrangTyp(typVon(kopf))) {
            const tmylistitem* ziel = nullptr;
            if (!o.ganzerStrang && auswahl != kopf && !vorVentilator(kontext.kat(), auswahl))
                ziel = kettenEnde(auswahl);
            linien.push_back({kopf, ziel});
        }
    }

    TDruck* d = kontext.druck;
    const QStringList vorher = d ? d->m : QStringList();
    if (d && !o.anhaengen) {
        d->clear();
        if (o.projekt) druckkopf(*d, *o.projekt);
    }
    // Equal spectrum rows of the components' sections share one text.
    Pegelzeilen zeilen;
    for (const Linie& li : linien) {
        if (!ventilatorVon(li.kopf)) {
            erg.meldung = QStringLiteral("Der Strang ") + li.kopf->caption() +
                          QStringLiteral(" hat keinen Ventilator.");
            erg.halt = li.kopf;
            break;
        }
        if (!strangRechnen(li, kontext, o, seam, zeilen, erg)) break;
    }
    erg.ok = erg.meldung.isEmpty() && erg.halt == nullptr && erg.straenge.size() == linien.size();
    if (!erg.ok && d) d->m = vorher;
    return erg;
}

} // namespace zephan
