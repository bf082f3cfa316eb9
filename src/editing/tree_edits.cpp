#include "editing/tree_edits.h"

#include "editing/edit_session.h"
#include "editing/page_check.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "report/report_document.h"
#include "store/user_seam.h"

namespace zephan::baumregel {

namespace {

const QString leer = QStringLiteral("leer");

// The group choice of the pages stores "unbekannt" as no group.
QString gruppe(const QString& g) {
    const QString t = g.trimmed();
    return t == QStringLiteral("unbekannt") ? QString() : t;
}

// A new node that takes over the buffer and becomes the one the operation works on.
void neuerKnoten(EditSession& s, tmylistitem* n) {
    *nodeDaten(n) = s.editDaten();
    s.baum().setSelected(n);
    s.baum().setItemFocused(n);
}

// The neighbour check writes the node's state code (and a device's velocity text).
void pruefen(EditSession& s, tmylistitem* n) {
    if (!n || !nodeDaten(n)) return;
    s.aendern(n);
    nachbarpruefung(n, programmKontext());
}

} // namespace

bool strangEinfuegen(EditSession& s) {
    DVdata& b = s.editDaten();
    if (!istStrangTyp(b.typ)) return false;
    b.p[1] = dichteText(b.p[1]);
    b.p[2] = b.p[2].trimmed();
    if (!pufferPruefen(b).vollstaendig) {
        s.statusMeldung(editText::strangUnvollstaendig);
        return false;
    }
    ProjektBaum& baum = s.baum();
    const QString schluessel = strangSchluessel(b);
    for (int k = 0; k < baum.topCount(); ++k)
        if (baum.topLevel(k)->caption().compare(schluessel, Qt::CaseInsensitive) == 0) {
            s.statusMeldung(editText::strangVorhanden);
            return false;
        }
    b.planung = false;

    tmylistitem* neu = nullptr;
    tmylistitem* strang = strangKopf(s.selektiert());
    if (baum.count() == 0 || !strang) {
        neu = baum.Add(leer);
    } else {
        const int antwort = s.seam().frage(editText::strangDarunter, QStringLiteral("j|n"));
        if (antwort == 0) {
            tmylistitem* danach = strang->getNextSibling();
            neu = danach ? baum.Insert(danach->Index(), leer) : baum.Add(leer);
        } else if (antwort == 1) {
            neu = baum.Insert(strang->Index(), leer);
        } else {
            return false;
        }
    }
    if (!neu) return false;
    neuerKnoten(s, neu);
    uebernehmen(s);
    return true;
}

bool bauteilEinfuegen(EditSession& s) {
    DVdata& b = s.editDaten();
    streckenSeite(b, s.selektiert());
    const PufferStand stand = pufferPruefen(b);
    tmylistitem* fokus = s.fokussiert();
    const EinfuegenStand e = bauteilEinfuegenPruefen(b, stand, fokus);
    if (!e.erlaubt) {
        if (e.typLoeschen) b.typ = typKeiner;
        s.statusMeldung(e.meldung);
        return false;
    }

    const int ft = typVon(fokus);
    bool darunter = false;
    if (ft == 9 || ft == 11) {
        darunter = true;
    } else if (istAuslass(ft)) {
        darunter = false;
    } else if (fokus->getPrevSibling()) {
        darunter = einstellungen().bauteilUnter();
    } else {
        const int antwort = s.seam().frage(editText::woEinfuegen, editText::woEinfuegenAntworten);
        if (antwort != 0 && antwort != 1) return false;
        darunter = antwort == 0;
    }

    ProjektBaum& baum = s.baum();
    tmylistitem* neu = nullptr;
    if (!darunter) {
        neu = baum.Insert(fokus->Index(), leer);
    } else if (tmylistitem* danach = fokus->getNextSibling()) {
        neu = baum.Insert(danach->Index(), leer);
    } else {
        // The flat position after the last child's subtree belongs to the next node of
        // another parent: the new piece must become this parent's last child.
        neu = baum.AddChild(fokus->parent(), leer);
    }
    if (!neu) return false;
    neuerKnoten(s, neu);
    uebernehmen(s);
    return true;
}

bool uebernehmen(EditSession& s) {
    DVdata& b = s.editDaten();
    tmylistitem* n = s.fokussiert();
    DVdata* d = nodeDaten(n);
    if (b.typ < typZuluft || !d) return false;
    if (n->caption() != leer && !typWechselErlaubt(d->typ, b.typ)) return false;
    if (istStrangTyp(b.typ) && n->Level() == 0) {
        // Two lines of one key could not be told apart by their path.
        DVdata neu = b;
        neu.p[2] = neu.p[2].trimmed();
        const QString schluessel = strangSchluessel(neu);
        for (int k = 0; k < s.baum().topCount(); ++k) {
            const tmylistitem* t = s.baum().topLevel(k);
            if (t != n && t->caption().compare(schluessel, Qt::CaseInsensitive) == 0) {
                s.statusMeldung(editText::strangVorhanden);
                return false;
            }
        }
    }

    s.projekt().setGeaendert(true);
    s.aendern(n);
    if (istStrangTyp(b.typ)) {
        b.Text = b.Text.trimmed();
        b.Text.replace(QStringLiteral("\r\n"), QStringLiteral("þ"));
        b.Text.replace(QLatin1Char('\n'), QStringLiteral("þ"));
        b.fehler = fehlerOk;
        b.p[1] = dichteText(b.p[1]);
        b.p[2] = b.p[2].trimmed();
    } else if (b.typ == typKanal) {
        b.vorgabe = 0;
        b.Gruppe = gruppe(b.Gruppe);
        if (b.i[2] < 10) b.i[2] = -1;
        if (b.i[3] < 10) b.i[3] = -1;
    } else if (b.typ == typRohr) {
        b.vorgabe = 0;
        b.Gruppe = gruppe(b.Gruppe);
    } else if (b.typ == typRaum || (b.typ >= typVolumenstrom && b.typ <= typLetzteKomponente)) {
        b.fehler = fehlerOk;
        b.Gruppe = gruppe(b.Gruppe);
    }
    *d = b;
    nodeRefresh(basisDatenTabelle(), n);

    // Automatic children.
    const int typ = d->typ;
    const int enden = endenVon(basisDatenTabelle(), typ);
    if (istStrangTyp(typ)) {
        if (!n->hasChildren()) {
            const bool zu = typ == typZuluft;
            kindAnhaengen(s, n, zu ? typAussenluftgitter : typFortluftgitter, false);
            kindAnhaengen(s, n, typVentilator, false);
            kindAnhaengen(s, n, zu ? typZuluftauslass : typAbluftgitter, false);
            kindAnhaengen(s, n, typRaum, true);
            return true;
        }
    } else if (istAuslass(typ) && !n->getNextSibling()) {
        // The outlet is its parent's last child, so the parent's new last child follows it.
        kindAnhaengen(s, n->parent(), typRaum, false);
        return true;
    } else if (enden == 3 && !n->hasChildren()) {
        kindAnhaengen(s, n, istZuluft(n) ? typZuluftauslass : typAbluftgitter, false);
        kindAnhaengen(s, n, typRaum, true);
        return true;
    } else if (enden == 4 && !n->hasChildren()) {
        const int auslass = istZuluft(n) ? typZuluftauslass : typAbluftgitter;
        if (tmylistitem* erster = kindAnhaengen(s, n, typAbzweig, false)) {
            kindAnhaengen(s, erster, auslass, false);
            kindAnhaengen(s, erster, typRaum, false);
            erster->expanded = false;
        }
        if (tmylistitem* zweiter = kindAnhaengen(s, n, typAbzweig, false)) {
            nodeDaten(zweiter)->tag1 = 1;
            nodeRefresh(basisDatenTabelle(), zweiter);
            zweiter->expanded = true;
            kindAnhaengen(s, zweiter, auslass, true);
            kindAnhaengen(s, zweiter, typRaum, false);
        }
    }

    // Neighbour check on the node and, as the catalogue asks, on the nodes it meets.
    const tBasisDaten_* k = basisDaten(typ);
    pruefen(s, n);
    if (k && k->davorchk) pruefen(s, n->getPrevSibling() ? n->getPrevSibling() : n->parent());
    if (k && k->danachchk) {
        pruefen(s, n->getNextSibling());
        if (enden == 3) pruefen(s, n->getChild());
        if (enden == 4)
            for (int c = 0; c < n->childCount(); ++c) pruefen(s, n->child(c)->getChild());
    }

    // The node's own pressure loss; reports stay untouched.
    TDruck stumm;
    stumm.drucken = false;
    Rechenkontext umgebung = programmKontext();
    umgebung.druck = &stumm;
    DVdata rec;
    const double dp = bauteildruck(modusDurchgang, n, rec, 0, umgebung);
    d = nodeDaten(n);
    // Only a node that was complete: an incomplete one must keep state 1, which the insertion
    // check before the fan looks for.
    if (d && dp < -999 && !istStrangTyp(d->typ) && d->typ != typAbzweig && d->fehler == fehlerOk) {
        d->fehler = fehlerVolumenstrom;
        nodeRefresh(basisDatenTabelle(), n);
    }
    return true;
}

tmylistitem* kindAnhaengen(EditSession& s, tmylistitem* eltern, int typ, bool auswaehlen) {
    if (!eltern) return nullptr;
    tmylistitem* kind = s.baum().AddChild(eltern, leer);
    DVdata* d = nodeDaten(kind);
    if (!d) return nullptr;
    // A fresh record: taking over the parent's (its density text, identifier, remark) would
    // put line data into a grille or room.
    const tBasisDaten_* k = basisDaten(typ);
    *d = DVdata{};
    initNode(*d, einstellungen().immerPlanen() && k && k->planung);
    d->typ = typ;
    d->eckig = true;
    switch (typ) {
    case typRaum: {
        const Einstellungen& e = einstellungen();
        d->fehler = fehlerUnvollstaendig;
        d->i[1] = 0;
        d->i[3] = e.raumdB();
        d->i[4] = e.nachhallzeit();
        d->i[5] = e.abstand();
        break;
    }
    case typAbzweig: {
        d->tag1 = 0;
        const DVdata* e = nodeDaten(eltern);
        d->eckig = e ? e->eckig : true;
        break;
    }
    case typVentilator:
        d->fehler = fehlerUnvollstaendig;
        d->tag1 = -1;
        d->i[1] = 1000;
        break;
    default:
        d->fehler = fehlerUnvollstaendig;
        break;
    }
    nodeRefresh(basisDatenTabelle(), kind);
    if (auswaehlen) s.auswaehlen(kind);
    return kind;
}

bool knotenLoeschen(EditSession& s) {
    tmylistitem* f = s.fokussiert();
    if (!f) {
        s.statusMeldung(editText::keineDaten);
        return false;
    }
    // A node of unknown type can always go, or it could never be removed.
    const tBasisDaten_* k = nodeKatalog(basisDatenTabelle(), f);
    if (k && !k->delpossible) {
        s.statusMeldung(editText::gehoertZumStrang);
        return false;
    }
    if (f->Level() == 0 &&
        s.seam().frage(editText::strangLoeschen, editText::strangLoeschenAntworten) != 0)
        return false;
    s.projekt().setGeaendert(true);
    tmylistitem* danach = f->getNextSibling();
    s.aendernTeilbaum(f);
    s.baum().Delete(f);
    if (danach) s.auswaehlen(danach);
    return true;
}

} // namespace zephan::baumregel
