#include "editing/kette_kopieren.h"

#include "editing/edit_session.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/gehoert_zu.h"

#include <vector>

namespace zephan {

namespace {

// Whether `n` is `wurzel` or lies below it.
bool imTeilbaum(const tmylistitem* wurzel, const tmylistitem* n) {
    return n == wurzel || wurzel->isAncestorOf(n);
}

} // namespace

int kopierTyp(int typ, bool umwandeln) {
    if (!umwandeln) return typ;
    switch (typ) {
    case typAussenluftgitter:
        return typFortluftgitter;
    case typFortluftgitter:
        return typAussenluftgitter;
    case typZuluftauslass:
        return typAbluftgitter;
    case typAbluftgitter:
        return typZuluftauslass;
    default:
        return typ;
    }
}

KopierPlan kopierPruefen(const tmylistitem* start, tmylistitem* ziel) {
    KopierPlan p;
    if (!start || !ziel) return p;
    if (start->Level() < 1 || start->owner() != ziel->owner()) {
        p.meldung = kopiertext::keinBauteil;
        return p;
    }
    if (vorVentilator(basisDatenTabelle(), ziel)) {
        p.meldung = kopiertext::vorVentilator;
        return p;
    }
    if (gehoertZu(start, ziel)) {
        p.meldung = kopiertext::imStartteil;
        return p;
    }
    if (ziel->hasChildren()) {
        p.meldung = kopiertext::verteilstueck;
        return p;
    }
    p.umwandeln = istZuluft(start) != istZuluft(ziel);
    // A room is served by the outlet before it: the copy replaces both.
    if (typVon(ziel) == typRaum) {
        if (tmylistitem* davor = ziel->getPrevSibling())
            ziel = davor;
        else
            p.inZiel = true;
    }
    if (!p.inZiel && istGitter(typVon(ziel))) {
        if (tmylistitem* davor = ziel->getPrevSibling())
            ziel = davor;
        else
            p.inZiel = true;
    }
    p.ziel = ziel;
    // Everything behind the target goes first: a start in there would be read after it was
    // freed.
    for (const tmylistitem* n = ziel->getNextSibling(); n; n = n->getNextSibling())
        if (imTeilbaum(n, start)) {
            p.meldung = kopiertext::hinterZiel;
            return p;
        }
    return p;
}

tmylistitem* ketteKopieren(EditSession& s, const tmylistitem* start, const KopierPlan& plan) {
    if (!plan.ok() || !start) return nullptr;
    ProjektBaum& baum = s.baum();
    tmylistitem* ziel = plan.ziel;
    // Everything that goes is staged before the first node goes, so each keeps the place it
    // had in the tree as the user saw it, and undo puts it back there.
    std::vector<tmylistitem*> weg;
    for (tmylistitem* n = ziel->getNextSibling(); n; n = n->getNextSibling()) weg.push_back(n);
    for (tmylistitem* n : weg) s.aendernTeilbaum(n);
    for (tmylistitem* n : weg) baum.Delete(n);
    // Each chain to copy with the node it goes behind (or into); a branch chain goes into a
    // new child of its copied piece. A list instead of recursion: branches nest deeply.
    struct Auftrag {
        const tmylistitem* quelle;
        tmylistitem* ziel;
        bool inZiel;
        bool neu; // the node was added by this copy: nothing to stage
    };
    std::vector<Auftrag> offen{{start, ziel, plan.inZiel, false}};
    tmylistitem* erster = nullptr;
    while (!offen.empty()) {
        Auftrag a = offen.back();
        offen.pop_back();
        tmylistitem* t = a.ziel;
        bool hinein = a.inZiel;
        for (const tmylistitem* q = a.quelle; q; q = q->getNextSibling()) {
            if (hinein) {
                if (!a.neu) s.aendern(t);
            } else {
                t = baum.AddChild(t->parent(), QString());
            }
            hinein = false;
            const DVdata* von = nodeDaten(q);
            DVdata* nach = nodeDaten(t);
            if (von && nach) {
                *nach = *von;
                nach->typ = kopierTyp(nach->typ, plan.umwandeln);
            }
            nodeRefresh(basisDatenTabelle(), t);
            if (!erster) erster = t;
            if (q->hasChildren())
                offen.push_back({q->getChild(), baum.AddChild(t, QString()), true, true});
        }
    }
    return erster;
}

} // namespace zephan
