#include "network/project_generator.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_data.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zephan {

namespace {

// A small generator of our own, so the same seed gives the same project everywhere.
class Zufall {
public:
    explicit Zufall(uint32_t seed) : s_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int bis(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }
    bool ja(int prozent) { return bis(100) < prozent; }
    template <class T, size_t N> T aus(const T (&liste)[N]) {
        return liste[bis(static_cast<int>(N))];
    }

private:
    uint32_t s_;
};

const char* const kanalMaterial[] = {"Stahlblech", "Kunststoff", "Holz", "Faserzement"};
const char* const rohrMaterial[] = {"Stahlblech", "Kunststoff", "Wickelfalz"};
const char* const gruppen[] = {"Zentrale", "Steigschacht", "Geschosse"};

constexpr int maxTiefe = 40;             // branch levels; deeper budgets stay in the chain
constexpr double mittlererAuslass = 450; // m³/h, the mean of the outlets' 100 ... 800

struct Mass {
    bool eckig;
    int a; // width or diameter
    int b; // height (rectangular)
};

class Erzeuger {
public:
    Erzeuger(ProjektBaum& baum, uint32_t seed) : baum_(baum), z_(seed) {}

    void strang(int nummer, bool zuluft, int auslaesse);

private:
    DVdata& neu(tmylistitem* eltern, int typ, tmylistitem** knoten = nullptr);
    void kette(tmylistitem* eltern, int budget, Mass m, int tiefe);
    void abschnitt(tmylistitem* eltern, Mass& m);
    void auslass(tmylistitem* eltern, const Mass& m);
    void abzweig(tmylistitem* eltern, int budget, const Mass& m, int tiefe);
    void masse(DVdata& d, const Mass& m) {
        d.eckig = m.eckig;
        d.i[0] = m.a;
        d.i[1] = m.eckig ? m.b : -1;
    }
    // The size of a chain that feeds `budget` outlets: its air at about 6 m/s, so even a
    // line of thousands of outlets keeps velocities a real network has.
    static Mass fuer(int budget, bool eckig) {
        const double flaeche = std::max(1, budget) * mittlererAuslass / 3600 / 6 * 1e6; // mm²
        auto auf = [](double x, int schritt) {
            return static_cast<int>(std::ceil(x / schritt)) * schritt;
        };
        if (!eckig)
            return {false, std::max(125, auf(std::sqrt(4 * flaeche / std::numbers::pi), 25)), -1};
        const int b = std::max(150, auf(std::sqrt(flaeche / 1.5), 50));
        return {true, std::max(200, auf(flaeche / b, 50)), b};
    }
    // A branch's size: sized for its outlets, never larger than the line it leaves.
    static Mass zweigMass(const Mass& m, int budget) {
        Mass z = fuer(budget, m.eckig);
        z.a = std::min(z.a, m.a);
        if (m.eckig) z.b = std::min(z.b, m.b);
        return z;
    }
    int laenge() { return 1000 + 500 * z_.bis(11); }

    ProjektBaum& baum_;
    Zufall z_;
    bool zuluft_ = true;
    int raum_ = 0;
    int knoten_ = 0;
};

DVdata& Erzeuger::neu(tmylistitem* eltern, int typ, tmylistitem** knoten) {
    tmylistitem* n =
        eltern ? baum_.AddChild(eltern, QStringLiteral("leer")) : baum_.Add(QStringLiteral("leer"));
    DVdata& d = *nodeDaten(n);
    initNode(d, false);
    d.typ = typ;
    if (knoten) *knoten = n;
    ++knoten_;
    return d;
}

void Erzeuger::strang(int nummer, bool zuluft, int auslaesse) {
    zuluft_ = zuluft;
    tmylistitem* kopf = nullptr;
    DVdata& h = neu(nullptr, zuluft ? typZuluft : typAbluft, &kopf);
    h.p[1] = QStringLiteral("1,200");
    h.p[2] =
        QString::number(nummer) + (zuluft ? QStringLiteral(" Zuluft") : QStringLiteral(" Abluft"));
    h.Text = QStringLiteral("Erzeugter Strang þ") + QString::number(auslaesse) +
             QStringLiteral(" Auslässe");
    h.eckig = true;

    Mass m{true, 500 + 100 * z_.bis(4), 300 + 100 * z_.bis(3)};
    const Mass noetig = fuer(auslaesse, true);
    m.a = std::max(m.a, noetig.a);
    m.b = std::max(m.b, noetig.b);
    tmylistitem* gitter = nullptr;
    DVdata& g = neu(kopf, zuluft ? typAussenluftgitter : typFortluftgitter, &gitter);
    masse(g, m);
    g.tag1 = zuluft ? z_.bis(4) : z_.bis(5);
    if (zuluft && (g.tag1 == 0 || g.tag1 == 2)) g.tag2 = z_.bis(4);
    // A weather louvre has no rule of its own; its zeta is entered.
    if (g.tag1 == (zuluft ? 3 : 4)) g.p[1] = QStringLiteral("1,500");
    if (z_.ja(30)) {
        g.schall = 1;
        for (int k = 0; k < 7; ++k) g.sg[static_cast<size_t>(k)] = 40 + 2.5 * k;
    }
    tmylistitem* ventilator = nullptr;
    DVdata& v = neu(kopf, typVentilator, &ventilator);
    v.eckig = true;
    v.tag1 = z_.bis(3);
    v.i[1] = 1000 + 100 * z_.bis(20);
    v.i[6] = 100 + 10 * z_.bis(20);
    v.Gruppe = QString::fromLatin1(gruppen[0]);

    kette(kopf, std::max(1, auslaesse), m, 1);

    // The grille and the fan carry what the outlets take.
    const Volumenstroeme stroeme(basisDatenTabelle(), kopf);
    const int gesamt = stroeme[ventilator->getNextSibling()];
    nodeDaten(gitter)->i[3] = gesamt;
    nodeDaten(ventilator)->i[0] = std::max(1, gesamt);

    for (tmylistitem* n = kopf; n; n = n->getNext()) {
        if (n != kopf && n->Level() == 0) break;
        vollstaendig(basisDatenTabelle(), *nodeDaten(n));
        nodeRefresh(basisDatenTabelle(), n);
    }
}

// A run of ducts or pipes with a fitting or device between them.
void Erzeuger::abschnitt(tmylistitem* eltern, Mass& m) {
    const int stuecke = 1 + z_.bis(3);
    for (int s = 0; s < stuecke; ++s) {
        DVdata& k = neu(eltern, m.eckig ? typKanal : typRohr);
        masse(k, m);
        k.i[5] = laenge();
        k.p[2] = QString::fromLatin1(m.eckig ? z_.aus(kanalMaterial) : z_.aus(rohrMaterial));
        if (m.eckig) {
            k.tag1 = 0;
            k.i[2] = -1;
            k.i[3] = -1;
        }
        k.i[4] = -1;
        if (z_.ja(20)) k.Gruppe = QString::fromLatin1(z_.aus(gruppen));
        if (z_.ja(10)) k.Text = QStringLiteral("Abschnitt %1").arg(knoten_);
        if (s + 1 == stuecke) break;

        switch (z_.bis(8)) {
        case 0:
        case 1:
        case 2: {
            DVdata& b = neu(eltern, typBogen);
            masse(b, m);
            b.tag1 = z_.bis(5);
            b.tag2 = z_.bis(2);
            break;
        }
        case 3: {
            if (m.eckig) {
                DVdata& q = neu(eltern, typQuerschnittsaenderung);
                q.eckig = true;
                q.tag1 = z_.bis(2);
                q.i[0] = m.a;
                q.i[1] = m.b;
                q.i[2] = m.a;
                q.i[3] = m.b;
                q.i[5] = 300 + 100 * z_.bis(5);
            } else {
                DVdata& k = neu(eltern, typDrosselklappe);
                k.i[0] = m.a;
                k.i[2] = 10 * z_.bis(5);
            }
            break;
        }
        case 4: {
            DVdata& r = neu(eltern, typVolumenstromregler);
            masse(r, m);
            if (z_.ja(50)) {
                r.schall = 3;
                for (int k = 0; k < 7; ++k) {
                    // Bands of 0 and -1 must come back as they were saved.
                    r.sg[static_cast<size_t>(k)] = k == 0 ? 0 : 35 + k;
                    r.sd[static_cast<size_t>(k)] = k == 6 ? -1 : 2.5 * k;
                }
            }
            break;
        }
        case 5: {
            DVdata& s41 = neu(eltern, typSchalldaempfer);
            masse(s41, m);
            s41.i[5] = 1000 + 500 * z_.bis(3);
            if (m.eckig) {
                // A duct silencer has no calculation of its own: its loss is given.
                s41.tag1 = 2;
                s41.vorgabe = 1;
                s41.i[6] = 10 + 5 * z_.bis(7);
            } else {
                s41.tag1 = z_.bis(2);
                if (s41.tag1 == 0) s41.tag2 = z_.bis(2);
            }
            break;
        }
        case 6: {
            DVdata& f = neu(eltern, typBrandschutzklappe);
            masse(f, m);
            f.tag1 = z_.bis(3);
            // The maker's round damper exists in four sizes only.
            const bool dnVorhanden = m.a == 100 || m.a == 125 || m.a == 160 || m.a == 200;
            if (!m.eckig && f.tag1 == 0 && !dnVorhanden) f.tag1 = 1 + z_.bis(2);
            break;
        }
        default:
            break;
        }
    }
}

void Erzeuger::auslass(tmylistitem* eltern, const Mass& m) {
    DVdata& a = neu(eltern, zuluft_ ? typZuluftauslass : typAbluftgitter);
    masse(a, m);
    a.tag1 = zuluft_ ? z_.bis(4) : z_.bis(3);
    if (!zuluft_ && (a.tag1 == 0 || a.tag1 == 2)) a.tag2 = z_.bis(4);
    a.i[2] = 1;
    a.i[3] = 100 + 10 * z_.bis(71);
    a.i[4] = 1 + z_.bis(2);

    DVdata& r = neu(eltern, typRaum);
    r.eckig = true;
    ++raum_;
    r.tag1 = z_.bis(4);
    r.tag2 = z_.bis(2);
    r.i[0] = 50 + 10 * z_.bis(30);
    r.i[1] = 0;
    r.i[3] = 30 + z_.bis(16);
    r.i[4] = 500 + 100 * z_.bis(11);
    r.i[5] = 1 + 0.5 * z_.bis(8);
    r.p[2] = QStringLiteral("R") + QString::number(raum_);
    if (z_.ja(20)) {
        r.raumSpektrumangabe = true;
        for (int k = 0; k < 7; ++k)
            r.RaumSpektrum[static_cast<size_t>(k)] = k == 3 ? 0 : 20 + 1.5 * k;
    }
    if (z_.ja(20)) {
        r.nachhallzeitangabe = true;
        for (int k = 0; k < 7; ++k) r.nachhallzeit[static_cast<size_t>(k)] = 400 + 50 * k;
    }
}

// A branch piece whose chains take `budget` outlets (a cross splits them).
void Erzeuger::abzweig(tmylistitem* eltern, int budget, const Mass& m, int tiefe) {
    tmylistitem* stueck = nullptr;
    const Mass zweig = zweigMass(m, budget);
    if (budget >= 2 && z_.ja(20)) {
        DVdata& x = neu(eltern, typKreuzstueck, &stueck);
        masse(x, m);
        x.i[2] = zweig.a;
        x.i[3] = m.eckig ? zweig.b : -1;
        const int erstes = std::max(1, budget / 2);
        for (int k = 0; k < 2; ++k) {
            tmylistitem* zweigKnoten = nullptr;
            DVdata& z5 = neu(stueck, typAbzweig, &zweigKnoten);
            z5.tag1 = k;
            z5.eckig = m.eckig;
            kette(zweigKnoten, k == 0 ? erstes : budget - erstes, zweig, tiefe + 1);
        }
        return;
    }
    if (m.eckig && tiefe >= 2 && z_.ja(30)) {
        // Rectangular main passage, round branch.
        DVdata& r = neu(eltern, typAbzweigstueck90Rund, &stueck);
        r.eckig = true;
        r.tag1 = z_.bis(2);
        r.i[0] = m.a;
        r.i[1] = m.b;
        Mass rund = fuer(budget, false);
        rund.a = std::min(rund.a, std::max(125, std::min(m.a, m.b) - 50));
        r.i[2] = rund.a;
        kette(stueck, budget, rund, tiefe + 1);
        return;
    }
    const int typen[] = {typAbzweigstueck90, typAbzweigstueck90, typHosenstueck,
                         typAbzweigstueckSchraeg, typAufteilstueck};
    int typ = z_.aus(typen);
    if (m.eckig && typ == typAbzweigstueckSchraeg) typ = typAbzweigstueck90;
    DVdata& s = neu(eltern, typ, &stueck);
    masse(s, m);
    // Both legs of a wye leave with the branch size, and the main line goes on behind it:
    // its legs keep the main size.
    const Mass bein = typ == typHosenstueck ? m : zweig;
    s.i[2] = bein.a;
    s.i[3] = m.eckig ? bein.b : -1;
    if (typ == typAbzweigstueckSchraeg || typ == typHosenstueck) s.tag1 = z_.bis(4);
    kette(stueck, budget, bein, tiefe + 1);
}

void Erzeuger::kette(tmylistitem* eltern, int budget, Mass m, int tiefe) {
    int rest = budget - 1; // the chain's own outlet
    bool erster = true;
    while (rest > 0 && tiefe < maxTiefe) {
        abschnitt(eltern, m);
        // The first branch of a chain takes the larger share, so the chains nest deeply.
        const int teil = erster ? std::max(1, (rest * 3 + 4) / 5) : 1 + z_.bis(rest);
        const int raeume = raum_;
        abzweig(eltern, teil, m, tiefe);
        rest -= raum_ - raeume;
        erster = false;
    }
    abschnitt(eltern, m);
    auslass(eltern, m);
    // Deeper than the limit, the remaining outlets hang off this chain one after another.
    for (; rest > 0; --rest) {
        abschnitt(eltern, m);
        auslass(eltern, m);
    }
}

} // namespace

int projektErzeugen(ProjektBaum& baum, const GeneratorOptionen& o,
                    const std::function<void(int, int)>& fortschritt) {
    const int straenge = std::clamp(o.straenge, 0, generatorMaxStraenge);
    const int auslaesse = std::clamp(o.auslaesse, 1, generatorMaxAuslaesse);
    const int vorher = baum.count();
    Erzeuger e(baum, o.seed);
    for (int s = 0; s < straenge; ++s) {
        e.strang(s + 1, s % 2 == 0, auslaesse);
        if (fortschritt) fortschritt(s + 1, straenge);
    }
    return baum.count() - vorher;
}

void projektDatenErzeugen(ProjektDaten& daten, const GeneratorOptionen& o) {
    daten.firma = QStringLiteral("Musterplanung GmbH");
    daten.Bearbeiter = QStringLiteral("Generator");
    daten.Bau_Vorhaben = QStringLiteral("Erzeugtes Projekt: %1 Stränge, %2 Auslässe je Strang")
                             .arg(o.straenge)
                             .arg(o.auslaesse);
    daten.pnrtxt = QStringLiteral("G-%1").arg(o.seed);
    QStringList g;
    for (const char* name : gruppen) g.append(QString::fromLatin1(name));
    daten.Gruppen = g.join(QLatin1Char('\n'));
    daten.MassenauszugMitGruppen = true;
}

} // namespace zephan
