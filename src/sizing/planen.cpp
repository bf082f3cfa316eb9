#include "sizing/planen.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/neighbour_check.h"
#include "sizing/plane_bauteil.h"
#include "store/user_seam.h"

#include <optional>
#include <vector>

namespace zephan {

namespace {

// The nodes of a chain with their section classes, found in one pass instead of one walk
// along the siblings per node.
struct Kette {
    std::vector<tmylistitem*> knoten;
    std::vector<int> klasse;

    explicit Kette(tmylistitem* erster) {
        for (tmylistitem* n = erster; n; n = n->getNextSibling()) knoten.push_back(n);
        klasse.assign(knoten.size(), 2);
        // Whether a piece with children stands before position k.
        std::vector<bool> davor(knoten.size(), false);
        bool gesehen = false;
        for (size_t k = 0; k < knoten.size(); ++k) {
            davor[k] = gesehen;
            gesehen = gesehen || knoten[k]->hasChildren();
        }
        int stueck = -1; // the next piece with children at or after k
        for (size_t k = knoten.size(); k-- > 0;) {
            if (knoten[k]->hasChildren()) stueck = static_cast<int>(k);
            if (stueck < 0) continue;
            const tmylistitem* s = knoten[static_cast<size_t>(stueck)];
            klasse[k] = s->Level() >= 2 ? 1 : (davor[static_cast<size_t>(stueck)] ? 1 : 0);
        }
    }
};

bool istKreuz(const TBasisDatenTabelle& kat, const tmylistitem* n) {
    return endenVon(kat, n) >= 4;
}

class Lauf {
public:
    Lauf(UserSeam& seam, const Rechenkontext& k, const std::function<void(tmylistitem*)>& zeigen)
        : seam_(seam), k_(k), zeigen_(zeigen) {}

    void vorwaerts(tmylistitem* erster);
    bool rueckwaerts(tmylistitem* erster);
    PlanErgebnis ergebnis;

private:
    void zweig(tmylistitem* z) {
        if (z->hasChildren()) vorwaerts(z->getChild());
        DVdata arbeit;
        planeBauteil(arbeit, z, phaseVorwaerts, k_);
    }
    bool beurteilen(tmylistitem* n, int klasse);
    bool halt(tmylistitem* n, const QString& text) {
        ergebnis.halt = n;
        ergebnis.meldung = text;
        if (zeigen_) zeigen_(n);
        if (!text.isEmpty()) seam_.meldung(mitPosition(text, n), UserSeam::Kind::Warnung);
        return false;
    }

    UserSeam& seam_;
    const Rechenkontext& k_;
    const std::function<void(tmylistitem*)>& zeigen_;
};

void Lauf::vorwaerts(tmylistitem* erster) {
    const Kette kette(erster);
    for (size_t k = 0; k < kette.knoten.size(); ++k) {
        tmylistitem* n = kette.knoten[k];
        // A cross has one branch size for both chains: the first chain gives it, and the
        // second is planned after the cross, so it starts with that size.
        if (istKreuz(k_.kat(), n) && n->hasChildren())
            zweig(n->getChild());
        else if (n->hasChildren())
            vorwaerts(n->getChild());
        DVdata arbeit;
        planeBauteil(arbeit, n, phaseVorwaerts, k_, kette.klasse[k]);
        if (istKreuz(k_.kat(), n))
            for (int c = 1; c < n->childCount(); ++c) zweig(n->child(c));
    }
}

bool Lauf::beurteilen(tmylistitem* n, int klasse) {
    DVdata arbeit;
    planeBauteil(arbeit, n, phaseRueckwaerts, k_, klasse);
    if (arbeit.planung) return halt(n, QString::fromUtf8(planText::nichtMoeglich));
    if (arbeit.fehler == fehlerUnvollstaendig && arbeit.typ != typRaum)
        return halt(n, QString::fromUtf8(planText::fehlendeInfo));
    const char* problem = arbeit.fehler == fehlerEckigRund         ? planText::eckigRund
                          : arbeit.fehler == fehlerMasse           ? planText::masse
                          : arbeit.fehler == fehlerGeschwindigkeit ? planText::geschwindigkeit
                                                                   : nullptr;
    if (problem) {
        if (zeigen_) zeigen_(n);
        const int antwort =
            seam_.frage(mitPosition(QString::fromUtf8(problem), n),
                        QString::fromUtf8(planText::weiterButtons), UserSeam::Kind::Warnung);
        if (antwort != 0) return halt(n, QString());
    }
    nachbarpruefung(n, k_);
    return true;
}

bool Lauf::rueckwaerts(tmylistitem* erster) {
    const Kette kette(erster);
    for (size_t k = kette.knoten.size(); k-- > 0;) {
        tmylistitem* n = kette.knoten[k];
        if (!beurteilen(n, kette.klasse[k])) return false;
        // The branch chains are judged too, the last one first.
        if (n->hasChildren() && !rueckwaerts(n->getChild())) return false;
    }
    return true;
}

} // namespace

PlanErgebnis planen(tmylistitem* start, UserSeam& seam, const Rechenkontext& kontext,
                    const std::function<void(tmylistitem*)>& zeigen) {
    seam.status(3, QString());
    tmylistitem* kopf = strangKopf(start);
    if (!kopf) return {};
    Rechenkontext k = kontext;
    k.rho = strangDichte(kopf); // the gradient is sized at the line's density
    // Planning changes sizes, never flows: one pass gives them for the whole run.
    std::optional<Volumenstroeme> stroeme;
    if (!k.stroeme) k.stroeme = &stroeme.emplace(k.kat(), kopf);

    Lauf lauf(seam, k, zeigen);
    if (tmylistitem* erster = kopf->getChild()) {
        lauf.vorwaerts(erster);
        lauf.ergebnis.abgeschlossen = lauf.rueckwaerts(erster);
    } else {
        lauf.ergebnis.abgeschlossen = true;
    }
    seam.status(3, QString::fromUtf8(lauf.ergebnis.abgeschlossen ? planText::abgeschlossen
                                                                 : planText::fehler));
    return lauf.ergebnis;
}

bool allesPlanen(tmylistitem* start, UserSeam& seam, const Rechenkontext& kontext) {
    if (!start) return false;
    if (seam.frage(QString::fromUtf8(planText::allesFrage), QStringLiteral("j|n")) != 0)
        return false;
    // The chain from the selection on; a line head is a chain of its own, so "p" on it covers
    // that line, never the lines after it.
    tmylistitem* letzter = start;
    if (!istStrangTyp(typVon(start)))
        while (tmylistitem* n = letzter->getNextSibling()) letzter = n;
    const tmylistitem* ende = letzter->lastDescendant()->getNext();
    for (tmylistitem* n = start; n && n != ende; n = n->getNext()) {
        DVdata* d = nodeDaten(n);
        const tBasisDaten_* t = d ? kontext.typ(d->typ) : nullptr;
        if (!t || !t->planung) continue;
        d->planung = true;
        if (istTyp(d->fehler, {fehlerEckigRund, fehlerMasse, fehlerGeschwindigkeit}))
            d->fehler = fehlerOk;
        nodeRefresh(kontext.kat(), n);
    }
    seam.status(3, QString::fromUtf8(planText::allesGesetzt));
    return true;
}

} // namespace zephan
