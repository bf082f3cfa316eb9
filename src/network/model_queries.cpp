#include "network/model_queries.h"

#include "network/catalogue.h"
#include "network/flow_sums.h"
#include "network/network_tree.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zephan {

namespace {

// Whole number as shown in labels: grouped, no decimals.
QString ganz(double x) {
    return formatZahl(x, 0);
}

// Angle of a bend option: 0 or anything else is 90 degrees.
QString winkel(int tag1) {
    switch (tag1) {
    case 1:
        return QStringLiteral("60");
    case 2:
        return QStringLiteral("45");
    case 3:
        return QStringLiteral("30");
    case 4:
        return QStringLiteral("15");
    default:
        return QStringLiteral("90");
    }
}

// The title of step 3: catalogue title adjusted per type, then ": " + p2 when the type wants.
QString grundTitel(const DVdata& d, const tBasisDaten_& t) {
    QString s = t.titel;
    if (d.typ == typAbzweig)
        s += QStringLiteral(": ") + QString::number(static_cast<long long>(d.tag1) + 1);
    else if (d.typ == typUebergangsbogen || d.typ == typBogen)
        s += QLatin1Char(' ') + winkel(d.tag1) + QStringLiteral("°");
    else if (d.typ == typSattelstutzen90 && (d.planung || d.eckig))
        s = QStringLiteral("Gabelung 90°");
    if (t.titeladd) s += QStringLiteral(": ") + d.p[2];
    return s;
}

// --- volume flows ---------------------------------------------------------------------------
// A flow is a non-negative whole number or unknown (-1); unknown absorbs every sum.
using Fluss = Flusssumme;
constexpr Fluss unbekannt = -1;
// Far beyond any real flow, small enough that sums of many cannot overflow.
constexpr double flussGrenze = 1e12;

Fluss flussWert(double x) {
    if (!std::isfinite(x) || x < -0.5 || x > flussGrenze) return unbekannt;
    const Fluss v = runden(x);
    return v < 0 ? unbekannt : v;
}

Fluss plus(Fluss a, Fluss b) {
    return (a < 0 || b < 0) ? unbekannt : a + b;
}

int alsErgebnis(Fluss f) {
    return (f < 0 || f > INT_MAX) ? -1 : static_cast<int>(f);
}

bool istAuslassOderPunkt(int typ) {
    return typ == typVolumenstrom || typ == typZuluftauslass || typ == typAbluftgitter;
}

// What the last node of a walk contributes (a room stands for its outlet before it).
// Chains below a branch container are handed back through `kette`.
// The flow a node's record holds in `wert`, or the one given for the node instead.
double eigenerStrom(const tmylistitem* n, double wert, const Stromvorgaben* vorgaben) {
    if (!vorgaben) return wert;
    const auto it = vorgaben->find(n);
    return it != vorgaben->end() ? it->second : wert;
}

Fluss endeBeitrag(const tmylistitem* c, const tmylistitem*& kette,
                  const Stromvorgaben* vorgaben = nullptr) {
    kette = nullptr;
    if (typVon(c) == typRaum) c = c->getPrevSibling();
    const DVdata* d = nodeDaten(c);
    if (!d) return 0;
    switch (d->typ) {
    case typAbzweig:
        kette = c->getChild();
        return 0;
    case typVolumenstrom:
        return flussWert(eigenerStrom(c, d->i[0], vorgaben));
    case typZuluftauslass:
    case typAbluftgitter:
        return flussWert(eigenerStrom(c, d->i[3], vorgaben));
    default:
        return 0;
    }
}

// The downstream sum started at `start`: the outlets its remaining chain feeds, each branch
// with the outlets of its own chain. Branch chains are kept on a work list instead of
// recursion, so a deeply nested file cannot exhaust the stack.
Fluss downstreamSumme(const TBasisDatenTabelle& kat, const tmylistitem* start) {
    Fluss s = 0;
    std::vector<const tmylistitem*> arbeit;
    if (start) arbeit.push_back(start);
    while (!arbeit.empty()) {
        const tmylistitem* c = arbeit.back();
        arbeit.pop_back();
        for (const tmylistitem* n = c->getNextSibling(); n; n = c->getNextSibling()) {
            const int enden = endenVon(kat, c);
            if (enden == 3) {
                if (c->getChild()) arbeit.push_back(c->getChild());
            } else if (enden == 4) {
                for (int k = 0; k < c->childCount(); ++k) {
                    const tmylistitem* z = c->child(k);
                    if (typVon(z) == typAbzweig && z->getChild()) arbeit.push_back(z->getChild());
                }
            }
            if (istAuslassOderPunkt(typVon(c))) break;
            c = n;
        }
        const tmylistitem* kette = nullptr;
        s = plus(s, endeBeitrag(c, kette));
        if (s < 0) return unbekannt;
        if (kette) arbeit.push_back(kette);
    }
    return s;
}

// Nearest volume-flow point or grille at or before the node among its siblings.
Fluss vorlaufWert(const tmylistitem* node) {
    for (const tmylistitem* c = node; c; c = c->getPrevSibling()) {
        const DVdata* d = nodeDaten(c);
        if (!d) continue;
        if (d->typ == typVolumenstrom) return flussWert(d->i[0]);
        if (d->typ == typAussenluftgitter || d->typ == typFortluftgitter) return flussWert(d->i[3]);
    }
    return unbekannt;
}

} // namespace

// --- titles -------------------------------------------------------------------------------------

QString nodeTitel(const TBasisDatenTabelle& kat, const DVdata& d) {
    if (d.typ < 0) return QStringLiteral("-");
    const tBasisDaten_* t = kat.get(d.typ);
    if (!t) return QStringLiteral("nodef");
    QString s;
    if (t->titelIsFormbox && d.tag1 >= 0)
        s = t->boxText(d.tag1);
    else
        s = grundTitel(d, *t);
    if (!d.Text.isEmpty() && d.typ > typAbluft)
        s += QStringLiteral(" (") + d.Text + QLatin1Char(')');
    return s;
}

int nodeBild(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    const tBasisDaten_* t = nodeKatalog(kat, node);
    if (!d || !t) return -1;
    switch (d->typ) {
    case typVentilator: {
        const int eltern = typVon(node->parent());
        if (eltern == typZuluft) return 13;
        if (eltern == typAbluft) return 14;
        return istZuluft(node) ? 13 : 14;
    }
    case typSattelstutzen90:
        return d->eckig ? 37 : t->bildnr;
    case typBogen:
        return d->eckig ? t->bildnr : 22;
    case typEtage:
        return d->eckig ? t->bildnr : 25;
    default:
        return t->bildnr;
    }
}

int nodeStatusIcon(const DVdata& d) {
    if (d.planung && (d.fehler == 0 || d.fehler == 5)) return 2;
    if (d.fehler == 0) return -1;
    return d.fehler;
}

void nodeRefresh(const TBasisDatenTabelle& kat, tmylistitem* node) {
    DVdata* d = nodeDaten(node);
    if (!d) return;
    if (d->typ == typAbzweig) {
        d->Text.clear();
        d->Gruppe.clear();
    }
    const tBasisDaten_* t = kat.get(d->typ);
    node->setCaption(t ? nodeTitel(kat, *d) : QStringLiteral("nodef"));
    node->imageIndex = nodeBild(kat, node) + bildIndexVersatz;
    node->stateIndex = nodeStatusIcon(*d);
}

QString nodeBoxText(const TBasisDatenTabelle& kat, const DVdata& d) {
    const QString strich = QStringLiteral("-");
    if (d.typ < 0 || d.tag1 < 0) return strich;
    if (istTyp(d.typ, {typKanal, typRaum, typAbzweig, typQuerschnittsaenderung, typUebergangsbogen,
                       typBogen, typAbzweigstueck90Rund}))
        return strich;
    const tBasisDaten_* t = kat.get(d.typ);
    if (!t || t->box1.isEmpty()) return strich;
    const QString eintrag = t->boxText(d.tag1);
    if (d.typ == typSchalldaempfer || d.typ == typBrandschutzklappe) return eintrag;
    return t->titel + QStringLiteral(" - ") + eintrag;
}

QString nodeProblem(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    if (!d || istStrangTyp(d->typ) || d->typ == typAbzweig) return QString();
    if (!kat.get(d->typ)) return QStringLiteral("Bauteil unbekannt");
    if (d->planung) return QStringLiteral("Bauteil befindet sich noch im Status Planung.");
    switch (d->fehler) {
    case fehlerOk:
        break;
    case fehlerUnvollstaendig:
        if (int k = 0; !plausibel(kat, *d, &k))
            return QStringLiteral("Unplausibler Wert I%1: %2")
                .arg(k)
                .arg(d->i[static_cast<size_t>(k)]);
        return QStringLiteral("Fehlende Informationen");
    case fehlerVolumenstrom:
        return QStringLiteral("Die Berechnung gab kein Ergebnis. Bitte Bauteil einzeln berechnen.");
    case fehlerEckigRund:
        return QStringLiteral("eckig/rund-Problem");
    case fehlerMasse:
        return QStringLiteral("Unterschiedliche Maße");
    case fehlerGeschwindigkeit:
        return QStringLiteral("Zu hohe Geschwindigkeit im Kanal.");
    default:
        return QStringLiteral("Fehler %1").arg(d->fehler);
    }
    DVdata pruef = *d;
    if (!vollstaendig(kat, pruef)) return QStringLiteral("Fehlende Informationen");
    return QString();
}

QString mitPosition(const QString& text, const tmylistitem* node) {
    if (!node) return text;
    return text + QStringLiteral("\n\nPosition: ") + node->position();
}

QString nodeInfo(const TBasisDatenTabelle& kat, const tmylistitem* node, int mode) {
    const DVdata* dp = nodeDaten(node);
    if (!dp) return QStringLiteral("-");
    const DVdata& d = *dp;
    const tBasisDaten_* t = kat.get(d.typ);
    const auto& i = d.i;

    if (mode == 1) {
        if (!t) return node->caption();
        QString titel =
            d.typ == typVolumenstrom ? ganz(i[0]) + QStringLiteral(" [m³/h]") : grundTitel(d, *t);
        if (!istTyp(d.typ, {typKanal, typRaum, typAbzweig, typQuerschnittsaenderung,
                            typUebergangsbogen, typBogen, typAbzweigstueck90Rund}) &&
            d.tag1 >= 0 && !t->box1.isEmpty()) {
            const QString option = t->boxText(d.tag1);
            if (d.typ == typSchalldaempfer || d.typ == typBrandschutzklappe)
                titel = option;
            else
                titel += QStringLiteral(" , ") + option;
        }
        return titel;
    }

    QString extra;
    if (d.typ == typKanal || d.typ == typRohr)
        extra = QStringLiteral("Länge: ") + ganz(i[5]) + QStringLiteral(" [mm]");
    else if ((d.typ == typDeltaP || d.typ == typVentilator) && d.fehler != 1)
        extra = QStringLiteral("Druckverlust: ") + ganz(i[6]) + QStringLiteral(" [Pa]");
    else if (d.typ == typZetawert)
        extra = QStringLiteral("Zeta: ") + d.p[1] + QStringLiteral(", Geschwindigkeit: ") + d.p[0] +
                QStringLiteral(" [m/s]");
    if (!extra.isEmpty()) extra = QStringLiteral(", ") + extra;
    if (t &&
        !istTyp(d.typ, {typKanal, typRohr, typAussenluftgitter, typVentilator, typBogen,
                        typSchalldaempfer}) &&
        d.tag1 >= 0 && !t->box1.isEmpty() && d.fehler != 1)
        extra += QStringLiteral(", ") + t->boxText(d.tag1);

    QString dims;
    if (!d.planung && (d.fehler == 0 || (d.fehler >= 2 && d.fehler <= 16))) {
        const bool e = d.eckig;
        if (d.typ == typKanal)
            dims = ganz(i[0]) + QStringLiteral(" x ") + ganz(i[1]);
        else if (d.typ == typRohr || d.typ == typSegmentkruemmer)
            dims = QStringLiteral("Durchmesser: ") + ganz(i[0]);
        else if ((d.typ >= typAussenluftgitter && d.typ <= typAbluftgitter) || d.typ == typBogen ||
                 (d.typ >= typDrosselklappe && d.typ <= typVolumenstromregler))
            dims = e ? QStringLiteral("Breite: ") + ganz(i[0]) + QStringLiteral(" [mm], Höhe: ") +
                           ganz(i[1]) + QStringLiteral(" [mm]")
                     : QStringLiteral("Durchmesser: ") + ganz(i[0]) + QStringLiteral(" [mm]");
        else if (d.typ == typQuerschnittsaenderung)
            dims = e ? QStringLiteral("Ein: ") + ganz(i[0]) + QLatin1Char('x') + ganz(i[1]) +
                           QStringLiteral(" Aus: ") + ganz(i[2]) + QLatin1Char('x') + ganz(i[3])
                     : QStringLiteral("Ein: Durchmesser ") + ganz(i[0]) +
                           QStringLiteral(" [mm] Aus: ") + ganz(i[2]) + QStringLiteral(" [mm]");
        else if (d.typ == typEtage)
            dims = e ? QStringLiteral("Eintritt: ") + ganz(i[0]) + QLatin1Char('x') + ganz(i[1]) +
                           QStringLiteral(" Austritt: ") + ganz(i[2]) + QLatin1Char('x') +
                           ganz(i[3]) + QStringLiteral(" Höhensprung: ") + ganz(i[4]) +
                           QStringLiteral(" [mm]")
                     : QStringLiteral("Durchmesser: ") + ganz(i[0]) +
                           QStringLiteral(" [mm] Höhensprung: ") + ganz(i[4]) +
                           QStringLiteral(" [mm]");
        else if (d.typ == typKanalRohr)
            dims = QStringLiteral("Kanalbreite: ") + ganz(i[0]) + QStringLiteral(" [mm], Höhe: ") +
                   ganz(i[1]) + QStringLiteral(" [mm],") + QStringLiteral("Rohrduchmesser ") +
                   ganz(i[2]) + QStringLiteral(" [mm]");
        else if (d.typ >= typAbzweigstueck90 && d.typ <= typSattelstutzen90)
            dims = e ? QStringLiteral("Hauptstrang:") + ganz(i[0]) + QLatin1Char('x') + ganz(i[1]) +
                           QStringLiteral(", Abzweig:") + ganz(i[2]) + QLatin1Char('x') + ganz(i[3])
                     : QStringLiteral("Hauptstrang Durchmesser: ") + ganz(i[0]) +
                           QStringLiteral(" [mm], Abzweig: ") + ganz(i[2]) +
                           QStringLiteral(" [mm]");
    }
    if (!dims.isEmpty()) dims = QStringLiteral(", ") + dims + QLatin1Char(' ');
    return node->caption() + dims + extra;
}

// --- line kind and position ---------------------------------------------------------------------

bool istZuluft(const tmylistitem* node) {
    if (!node) return true; // callers without a node take the supply side
    return typVon(strangKopf(node)) == typZuluft;
}

bool vorVentilator(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    if (!node) return false;
    const int level = node->Level();
    if (level >= 2) return false;
    if (level == 0) return true;
    const int typ = typVon(node);
    if (typ == typZuluftauslass || typ == typAbluftgitter || endenVon(kat, node) >= 3) return false;
    if (typ == typAussenluftgitter || typ == typFortluftgitter || typ == typVentilator) return true;
    for (const tmylistitem* c = node; c; c = c->getPrevSibling()) {
        const int t = typVon(c);
        if ((t >= 9 && t <= 13) || endenVon(kat, c) >= 3) return t == 9 || t == 11;
    }
    return false;
}

// --- volume flow --------------------------------------------------------------------------------

Flusssumme summeSchritt(const TBasisDatenTabelle& kat, const tmylistitem* x,
                        const std::function<Flusssumme(const tmylistitem*)>& summeVon,
                        const Stromvorgaben* vorgaben) {
    const tmylistitem* naechster = x->getNextSibling();
    Fluss s = 0;
    if (!naechster) {
        const tmylistitem* kette = nullptr;
        s = endeBeitrag(x, kette, vorgaben);
        if (kette) s = plus(s, summeVon(kette));
        return s;
    }
    const int enden = endenVon(kat, x);
    if (enden == 3) {
        s = summeVon(x->getChild());
    } else if (enden == 4) {
        for (int k = 0; k < x->childCount(); ++k) {
            const tmylistitem* z = x->child(k);
            if (typVon(z) == typAbzweig) s = plus(s, summeVon(z->getChild()));
        }
    }
    if (istAuslassOderPunkt(typVon(x))) {
        const tmylistitem* kette = nullptr;
        return plus(s, endeBeitrag(x, kette, vorgaben));
    }
    return plus(s, summeVon(naechster));
}

namespace {
// The downstream sum from `start`, taken from the sums the tree keeps when it keeps them.
Fluss summeAb(const TBasisDatenTabelle& kat, const tmylistitem* start) {
    const auto* baum = dynamic_cast<const ProjektBaum*>(start->owner());
    Flusssummen* gespeichert = baum ? baum->flusssummen() : nullptr;
    if (gespeichert && gespeichert->aktiv()) return gespeichert->summe(start, kat);
    return downstreamSumme(kat, start);
}
} // namespace

int volumenstrom(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    if (!d || !kat.get(d->typ)) return -1;
    if (node->Level() == 0) return node->getChild() ? volumenstrom(kat, node->getChild()) : -1;
    if (endenVon(kat, node) >= 3) {
        const tmylistitem* vor = node->getPrevSibling();
        if (typVon(vor) == typVolumenstrom) return alsErgebnis(flussWert(nodeDaten(vor)->i[0]));
    }
    if (vorVentilator(kat, node)) return alsErgebnis(vorlaufWert(node));
    // A branch container asked directly carries its own chain only.
    if (d->typ == typAbzweig)
        return alsErgebnis(node->getChild() ? summeAb(kat, node->getChild()) : 0);
    return alsErgebnis(summeAb(kat, node));
}

Volumenstroeme::Volumenstroeme(const TBasisDatenTabelle& kat, const tMylistviewBase& baum) {
    if (baum.topitem()) berechnen(kat, baum.topitem(), baum.count());
}

Volumenstroeme::Volumenstroeme(const TBasisDatenTabelle& kat, const tmylistitem* knoten,
                               const Stromvorgaben* vorgaben)
    : vorgaben_(vorgaben && !vorgaben->empty() ? vorgaben : nullptr) {
    // The part before the fan is found from the line head on, so the whole line is taken.
    if (tmylistitem* kopf = strangKopf(knoten)) berechnen(kat, kopf, kopf->CountAlle() + 1);
}

int Volumenstroeme::operator[](const tmylistitem* node) const {
    if (!node) return -1;
    const int k = node->Index() - erstesIndex_;
    return (k >= 0 && k < size()) ? werte_[static_cast<size_t>(k)] : -1;
}

bool Volumenstroeme::umfasst(const tmylistitem* node) const {
    if (!node || vorgaben_) return false;
    const int k = node->Index() - erstesIndex_;
    return k >= 0 && k + node->CountAlle() < size();
}

void Volumenstroeme::berechnen(const TBasisDatenTabelle& kat, tmylistitem* erster, int anzahl) {
    erstesIndex_ = erster->Index();
    const int basisLevel = erster->Level();
    std::vector<tmylistitem*> knoten;
    knoten.reserve(static_cast<size_t>(anzahl));
    int maxLevel = 0;
    for (tmylistitem* n = erster; n && static_cast<int>(knoten.size()) < anzahl; n = n->getNext()) {
        knoten.push_back(n);
        maxLevel = std::max(maxLevel, n->Level() - basisLevel);
    }
    const auto pos = [&](const tmylistitem* n) { return n->Index() - erstesIndex_; };

    // Downstream sums of every node, deepest sibling groups first: a node's sum needs its
    // next sibling's and its branch chains', which then are known.
    std::vector<std::vector<int>> nachLevel(static_cast<size_t>(maxLevel) + 1);
    for (int k = 0; k < static_cast<int>(knoten.size()); ++k)
        nachLevel[static_cast<size_t>(knoten[static_cast<size_t>(k)]->Level() - basisLevel)]
            .push_back(k);
    std::vector<Fluss> summe(knoten.size(), 0);
    const auto summeVon = [&](const tmylistitem* n) -> Fluss {
        if (!n) return 0;
        const int k = pos(n);
        return (k >= 0 && k < static_cast<int>(summe.size())) ? summe[static_cast<size_t>(k)]
                                                              : unbekannt;
    };
    const std::function<Fluss(const tmylistitem*)> summeAus = summeVon;
    // Line heads take their first component's flow; their own sums are never asked for.
    for (int l = maxLevel; l >= 0; --l) {
        const auto& ebene = nachLevel[static_cast<size_t>(l)];
        for (auto it = ebene.rbegin(); it != ebene.rend(); ++it) {
            const tmylistitem* x = knoten[static_cast<size_t>(*it)];
            if (x->Level() != 0)
                summe[static_cast<size_t>(*it)] = summeSchritt(kat, x, summeAus, vorgaben_);
        }
    }

    // The flows: the part before the fan takes the nearest grille or volume-flow point,
    // tracked while walking each line's level-1 nodes in order.
    werte_.assign(knoten.size(), -1);
    Fluss vorlauf = unbekannt;
    int stopTyp = -1;
    for (size_t k = 0; k < knoten.size(); ++k) {
        const tmylistitem* x = knoten[k];
        const DVdata* d = nodeDaten(x);
        const int typ = d ? d->typ : -1;
        const int enden = endenVon(kat, x);
        if (x->Level() == 0) {
            vorlauf = unbekannt;
            stopTyp = -1;
            continue; // filled from its first component below
        }
        bool vorVent = false;
        if (x->Level() == 1) {
            if (typ == typVolumenstrom)
                vorlauf = d ? flussWert(eigenerStrom(x, d->i[0], vorgaben_)) : unbekannt;
            if (typ == typAussenluftgitter || typ == typFortluftgitter)
                vorlauf = flussWert(eigenerStrom(x, d->i[3], vorgaben_));
            if ((typ >= typAussenluftgitter && typ <= typVentilator) || enden >= 3) stopTyp = typ;
            if (typ == typZuluftauslass || typ == typAbluftgitter || enden >= 3)
                vorVent = false;
            else if (typ == typAussenluftgitter || typ == typFortluftgitter || typ == typVentilator)
                vorVent = true;
            else
                vorVent = stopTyp == typAussenluftgitter || stopTyp == typFortluftgitter;
        }
        if (!d || !kat.get(typ)) continue;
        if (enden >= 3) {
            const tmylistitem* vor = x->getPrevSibling();
            if (typVon(vor) == typVolumenstrom) {
                werte_[k] =
                    alsErgebnis(flussWert(eigenerStrom(vor, nodeDaten(vor)->i[0], vorgaben_)));
                continue;
            }
        }
        if (vorVent)
            werte_[k] = alsErgebnis(vorlauf);
        else if (typ == typAbzweig)
            werte_[k] = alsErgebnis(summeVon(x->getChild()));
        else
            werte_[k] = alsErgebnis(summe[k]);
    }
    for (size_t k = 0; k < knoten.size(); ++k) {
        const tmylistitem* x = knoten[k];
        if (x->Level() != 0 || !nodeKatalog(kat, x)) continue;
        const tmylistitem* c = x->getChild();
        werte_[k] = c ? werte_[static_cast<size_t>(pos(c))] : -1;
    }
}

// --- joints -------------------------------------------------------------------------------------

bool anschluss(const TBasisDatenTabelle& kat, const tmylistitem* node, bool eintritt, double& a,
               double& b, int& form, UserSeam* seam) {
    a = -1;
    form = formUnbestimmt;
    const DVdata* dp = nodeDaten(node);
    if (!dp) return false;
    const DVdata& d = *dp;
    const tBasisDaten_* tp = kat.get(d.typ);
    if (!tp) {
        const QString text = QStringLiteral("Typ nicht definiert:") + QString::number(d.typ);
        if (seam)
            seam->meldung(text, UserSeam::Kind::Fehler);
        else
            trace(text);
        return false;
    }
    const tBasisDaten_& t = *tp;
    const bool zweig = b <= anschlussAbzweig;

    if (t.mitmasse) {
        if (t.planung && d.planung) return false;
        if (t.eckigwechsel) {
            if (t.enden < 3 || !zweig) {
                const bool eingang = t.enden >= 3 || eintritt;
                if (d.eckig) {
                    if (eingang) {
                        form = formEckigMass;
                        a = wertSlot(d, t.eina);
                        b = wertSlot(d, t.einb);
                    } else {
                        form = formRundMass;
                        a = wertSlot(d, t.ausa);
                    }
                } else {
                    if (eingang) {
                        form = formRundMass;
                        a = wertSlot(d, t.eina);
                    } else {
                        form = formEckigMass;
                        a = wertSlot(d, t.ausa);
                        b = wertSlot(d, t.ausb);
                    }
                }
            } else if (d.eckig) {
                form = formRundMass;
                a = wertSlot(d, t.abza);
            } else {
                form = formEckigMass;
                a = wertSlot(d, t.abza);
                b = wertSlot(d, t.abzb);
            }
            return true;
        }
        form = d.eckig ? formEckigMass : formRundMass;
        // Branch and outlet joints fall back to the inlet values when the type has no slot
        // of its own for them.
        const auto seite = [&](int sa, int sb) {
            a = sa >= 0 ? wertSlot(d, sa) : wertSlot(d, t.eina);
            if (form == formEckigMass) {
                const bool eigeneHoehe = sa >= 0 && sb >= 0 && sb < anzahlDatSlots &&
                                         t.dat[static_cast<size_t>(sb)].min != -1;
                b = eigeneHoehe ? wertSlot(d, sb) : wertSlot(d, t.einb);
            }
        };
        if (zweig && t.enden >= 3)
            seite(t.abza, t.abzb);
        else if (eintritt) {
            a = wertSlot(d, t.eina);
            if (form == formEckigMass) b = wertSlot(d, t.einb);
        } else
            seite(t.ausa, t.ausb);
        return true;
    }

    if (t.eckig != formRund && t.eckig != formEckig && t.eckig != formBeides) return false;
    bool eckig = t.eckig == formBeides ? d.eckig : t.eckig == formEckig;
    if (!eintritt && t.eckigwechsel) eckig = !eckig;
    form = eckig ? formEckigOhne : formRundOhne;
    return true;
}

bool anschlussNachbar(const TBasisDatenTabelle& kat, const tmylistitem* node, bool eintritt,
                      double& a, double& b, int& form, UserSeam* seam) {
    a = -1;
    b = -1;
    form = 0;
    if (!node) return false;
    const tmylistitem* nachbar = nullptr;
    if (!eintritt) {
        nachbar = node->getNextSibling();
    } else {
        nachbar = node->getPrevSibling();
        if (!nachbar) {
            if (node->Level() <= 1) return false;
            nachbar = node->parent();
            if (typVon(nachbar) == typAbzweig && nachbar->parent()) nachbar = nachbar->parent();
            b = anschlussAbzweig;
        }
    }
    if (!nachbar) return false;
    return anschluss(kat, nachbar, !eintritt, a, b, form, seam);
}

// --- sections and counts ------------------------------------------------------------------------

int abschnitt(const tmylistitem* node) {
    if (!node) return -1;
    const tmylistitem* stueck = node;
    while (stueck && !stueck->hasChildren()) stueck = stueck->getNextSibling();
    if (!stueck) return 2;
    if (stueck->Level() >= 2) return 1;
    for (const tmylistitem* c = stueck->getPrevSibling(); c; c = c->getPrevSibling())
        if (c->hasChildren()) return 1;
    return 0;
}

namespace {
bool istBauteil(const tmylistitem* n) {
    const DVdata* d = nodeDaten(n);
    return d && !istTyp(d->typ, {typZuluft, typAbluft, typRaum, typAbzweig});
}
} // namespace

int bauteilAnzahl(const tmylistitem* node) {
    const tmylistitem* kopf = strangKopf(node);
    if (!kopf) return 0;
    int anzahl = 0;
    const tmylistitem* n = kopf->getNext();
    for (int k = 0; k < kopf->CountAlle() && n; ++k, n = n->getNext())
        if (istBauteil(n)) ++anzahl;
    return anzahl;
}

int bauteilAnzahl(const tMylistviewBase& baum) {
    int anzahl = 0;
    for (const tmylistitem* n = baum.topitem(); n; n = n->getNext())
        if (istBauteil(n)) ++anzahl;
    return anzahl;
}

// --- completeness -------------------------------------------------------------------------------

bool plausibel(const TBasisDatenTabelle& kat, const DVdata& d, int* slot) {
    const tBasisDaten_* t = kat.get(d.typ);
    // Units of quantities that cannot be below zero.
    static const QStringList nieNegativ = {QStringLiteral("mm"),    QStringLiteral("m"),
                                           QStringLiteral("m³/h"),  QStringLiteral("m³"),
                                           QStringLiteral("1/min"), QStringLiteral("Stk"),
                                           QStringLiteral("msek")};
    for (int k = 0; k < anzahlDatSlots; ++k) {
        const double v = d.i[static_cast<size_t>(k)];
        bool ok = std::isfinite(v) && std::fabs(v) <= plausibelMax;
        if (ok && t && v < 0 && v != -1) {
            const tDatSlot& s = t->dat[static_cast<size_t>(k)];
            const QString& caption = d.eckig ? s.texteckig : s.textrund;
            ok = caption.isEmpty() || s.text || caption == QStringLiteral("Höhensprung") ||
                 !nieNegativ.contains(s.einheit);
        }
        if (!ok) {
            if (slot) *slot = k;
            return false;
        }
    }
    return true;
}

bool vollstaendig(const TBasisDatenTabelle& kat, DVdata& d) {
    d.fehler = fehlerOk;
    const tBasisDaten_* tp = kat.get(d.typ);
    if (!tp) {
        d.fehler = fehlerUnvollstaendig;
        return false;
    }
    const tBasisDaten_& t = *tp;
    if (!t.planung) d.planung = false;
    if (t.eckig == formUnwichtig) d.eckig = true;
    bool ok = !(!t.box1.isEmpty() && d.tag1 == -1);
    for (int k = 0; ok && k < anzahlDatSlots; ++k) {
        const tDatSlot& s = t.dat[static_cast<size_t>(k)];
        const QString& caption = d.eckig ? s.texteckig : s.textrund;
        if (caption.isEmpty()) continue;
        const double v = d.i[static_cast<size_t>(k)];
        if (s.min == -3)
            ok = d.planung || v >= 0;
        else if (s.text)
            ok = !d.p[2].isEmpty();
        else
            ok = !(s.min == -1 && v == -1) && v >= s.min && !(s.max >= 0 && v > s.max);
    }
    // A value outside any physical range (a flow of 1e308) would give a result as absurd.
    ok = ok && plausibel(kat, d);
    if (!ok) d.fehler = fehlerUnvollstaendig;
    return ok;
}

} // namespace zephan
