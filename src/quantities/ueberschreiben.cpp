#include "quantities/ueberschreiben.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "store/number_format.h"
#include "store/user_seam.h"

namespace zephan {

std::vector<tmylistitem*> ueberschreibZiele(tmylistitem* start) {
    std::vector<tmylistitem*> ziele;
    if (!start) return ziele;
    if (start->Level() == 0) {
        for (tmylistitem* n = start; n; n = n->getNext()) ziele.push_back(n);
        return ziele;
    }
    tmylistitem* kopf = start;
    while (kopf->parent()) kopf = kopf->parent();
    // The branches around the start node, innermost first; each is visited when the run leaves
    // it, once.
    std::vector<tmylistitem*> umgebend;
    for (tmylistitem* p = start->parent(); p && p->Level() >= 1; p = p->parent())
        umgebend.push_back(p);
    size_t naechster = 0;
    const tmylistitem* ende = kopf->lastDescendant();
    for (tmylistitem* n = start;; n = n->getNext()) {
        while (naechster < umgebend.size() && !umgebend[naechster]->isAncestorOf(n))
            ziele.push_back(umgebend[naechster++]);
        ziele.push_back(n);
        if (n == ende) break;
    }
    while (naechster < umgebend.size()) ziele.push_back(umgebend[naechster++]);
    // Wrapped round to the line's first component, up to the start node.
    for (tmylistitem* n = kopf->getChild(); n && n != start; n = n->getNext())
        if (!n->isAncestorOf(start)) ziele.push_back(n);
    return ziele;
}

bool ueberschreibPasst(const tmylistitem* node, const UeberschreibOptionen& o) {
    const DVdata* d = nodeDaten(node);
    if (!d || o.typ < 0 || d->typ != o.typ) return false;
    if (o.planungFilter == 1 && !d->planung) return false;
    if (o.planungFilter == 2 && d->planung) return false;
    if (o.formFilter == 1 && !d->eckig) return false;
    if (o.formFilter == 2 && d->eckig) return false;
    if (o.vorgabeFilter == 1 && d->vorgabe != 0) return false;
    if (o.vorgabeFilter == 2 && d->vorgabe == 0) return false;
    const int klasse = abschnitt(node);
    return klasse >= 0 && klasse <= 2 && o.ort[static_cast<size_t>(klasse)];
}

QString fragezeichenErsetzen(const QString& alt, const QString& zeile, const QString& ersatz) {
    const qsizetype erstes = zeile.indexOf(QLatin1Char('?'));
    if (ersatz.isEmpty() || erstes < 0) return zeile;
    // Pieces of the old text; a position past its end gives an empty piece.
    const auto ab = [&alt](qsizetype von) { return von < alt.size() ? alt.mid(von) : QString(); };
    if (erstes == 0) return ersatz + ab(1);
    const qsizetype zweites = zeile.indexOf(QLatin1Char('?'), erstes + 1);
    const qsizetype e = zweites < 0 ? 0 : zweites - erstes; // counted after the first "?"
    return alt.left(erstes) + ersatz + ab(e);
}

void ueberschreibeDaten(const TBasisDatenTabelle& kat, DVdata& d, const UeberschreibOptionen& o) {
    const tBasisDaten_* k = kat.get(o.typ);
    for (size_t z = 0; z < o.setzen.size(); ++z) {
        if (!o.setzen[z]) continue;
        if (k && k->dat[z].text)
            d.p[2] = fragezeichenErsetzen(d.p[2], o.werte[z], o.ersetzen);
        else
            d.i[z] = leseGanzzahl(o.werte[z]);
    }
    switch (o.vorgabe) {
    case UeberschreibOptionen::keineVorgabe:
        d.vorgabe = 0;
        break;
    case UeberschreibOptionen::druckverlust:
        d.vorgabe = 1;
        d.i[6] = leseGanzzahl(o.druck);
        break;
    case UeberschreibOptionen::widerstandsbeiwert:
        d.vorgabe = -1;
        d.p[0] = o.geschw;
        d.p[1] = o.zeta;
        break;
    default:
        break;
    }
    if (o.planungErgebnis == 1) d.planung = true;
    if (o.planungErgebnis == 2) d.planung = false;
    if (o.formErgebnis == 1) d.eckig = true;
    if (o.formErgebnis == 2) d.eckig = false;
    vollstaendig(kat, d);
}

UeberschreibErgebnis ueberschreiben(const TBasisDatenTabelle& kat, tmylistitem* start,
                                    const UeberschreibOptionen& o, UserSeam& seam,
                                    const std::function<void(tmylistitem*)>& vormerken,
                                    const std::function<void(tmylistitem*)>& zeigen) {
    UeberschreibErgebnis r;
    if (!start || o.typ < 0) return r;
    // Collected before anything changes: a change cannot alter which nodes are visited.
    for (tmylistitem* n : ueberschreibZiele(start)) {
        if (!ueberschreibPasst(n, o)) continue;
        if (o.nachfragen) {
            if (zeigen) zeigen(n);
            const int antwort = seam.frage(ueberschreibFrage, QStringLiteral("j|n|a"));
            if (antwort == 1) continue;
            if (antwort != 0) {
                r.abgebrochen = true;
                break;
            }
        }
        if (vormerken) vormerken(n);
        DVdata* d = nodeDaten(n);
        ueberschreibeDaten(kat, *d, o);
        nodeRefresh(kat, n);
        ++r.geaendert;
    }
    return r;
}

} // namespace zephan
