#include "editing/edit_session.h"

#include "editing/kette_kopieren.h"
#include "editing/page_check.h"
#include "editing/program_context.h"
#include "editing/room_overview_model.h"
#include "editing/tree_edits.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/calc_context.h"
#include "quantities/ueberschreiben.h"
#include "sizing/plane_bauteil.h"
#include "sizing/planen.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <algorithm>
#include <unordered_map>

namespace zephan {

namespace {
const QString gesperrtText =
    QStringLiteral("Während einer Berechnung kann das Projekt nicht bearbeitet werden.");
} // namespace

EditSession::EditSession(UserSeam& seam) : seam_(seam), projekt_(seam) {
    initNode(editDaten_);
    pufferGezeigt_ = editDaten_;
    projekt_.baum().beobachterHinzufuegen(&mitschnitt_);
}

EditSession::~EditSession() {
    projekt_.baum().beobachterEntfernen(&mitschnitt_);
}

// Every node the tree gains or loses while an operation runs goes into its command.
void EditSession::Mitschnitt::eingefuegt(tmylistitem* node) {
    if (s.aufzeichnung_) s.aufzeichnung_->hinzugefuegt(node);
}

void EditSession::Mitschnitt::vorEntfernen(tmylistitem* node) {
    if (!s.aufzeichnung_) return;
    const tmylistitem* ende = node->lastDescendant();
    for (tmylistitem* n = node;; n = n->getNext()) {
        s.aufzeichnung_->entfernt(n);
        if (n == ende) break;
    }
}

tmylistitem* EditSession::selektiert() const {
    return baum().Selected();
}

tmylistitem* EditSession::fokussiert() const {
    return baum().ItemFocused();
}

void EditSession::auswaehlen(tmylistitem* node) {
    if (gesperrt()) return;
    baum().setSelected(node);
    baum().setItemFocused(node);
    pufferVon(node);
}

void EditSession::auswahlFolgen() {
    tmylistitem* node = selektiert();
    if (node == gemeldeteAuswahl_) return;
    baum().setItemFocused(node);
    pufferVon(node);
}

void EditSession::pufferVon(tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    if (d) {
        editDaten_ = *d;
        if ((d->typ == typZuluftauslass || d->typ == typAbluftgitter) && editDaten_.i[4] < 1)
            editDaten_.i[4] = 1;
        if (!istStrangTyp(d->typ)) komponentenSeite(editDaten_);
        statusKnoten(node);
    }
    pufferGezeigt_ = editDaten_;
    // Told at once: a rule that selects a node before it asks shows that node with the question.
    gemeldeteAuswahl_ = node;
    emit auswahlGeaendert(node);
}

void EditSession::fokussieren(tmylistitem* node) {
    if (gesperrt()) return;
    baum().setItemFocused(node);
}

bool EditSession::pufferVeraendert() const {
    const DVdata* d = nodeDaten(selektiert());
    return d && d->typ == editDaten_.typ && editDaten_ != pufferGezeigt_;
}

void EditSession::pufferAlsGezeigt() {
    pufferGezeigt_ = editDaten_;
}

void EditSession::markiereGeaendert() {
    aussenGeaendert_ = true;
    projekt_.setGeaendert(true);
    melden();
}

bool EditSession::gesperrt() {
    if (!rechnungLaeuft_) return false;
    statusMeldung(gesperrtText);
    return true;
}

void EditSession::melden() {
    if (selektiert() != gemeldeteAuswahl_) {
        gemeldeteAuswahl_ = selektiert();
        pufferGezeigt_ = editDaten_;
        emit auswahlGeaendert(gemeldeteAuswahl_);
    }
    const bool g = projekt_.geaendert();
    const bool r = undo_.kannRueckgaengig();
    const bool w = undo_.kannWiederholen();
    if (g != gemeldetGeaendert_ || r != gemeldetRueck_ || w != gemeldetWieder_ ||
        projekt_.dateiname() != gemeldeteDatei_) {
        gemeldetGeaendert_ = g;
        gemeldetRueck_ = r;
        gemeldetWieder_ = w;
        gemeldeteDatei_ = projekt_.dateiname();
        emit zustandGeaendert();
    }
}

// --- calculations -------------------------------------------------------------------------------

bool EditSession::rechnungBeginnen() {
    if (rechnungLaeuft_) return false;
    vorRechnung_.clear();
    vorRechnung_.reserve(static_cast<size_t>(baum().count()));
    for (const tmylistitem* n = baum().topitem(); n; n = n->getNext())
        vorRechnung_.push_back(KnotenZustand::von(n));
    // What a calculation writes is announced only when it ends.
    flusssummen_.aussetzen();
    rechnungLaeuft_ = true;
    emit rechnungLaeuftGeaendert(true);
    return true;
}

void EditSession::rechnungBeenden() {
    if (!rechnungLaeuft_) return;
    rechnungLaeuft_ = false;
    flusssummen_.fortsetzen();
    bool etwas = false;
    size_t k = 0;
    tmylistitem* sel = selektiert();
    for (tmylistitem* n = baum().topitem(); n && k < vorRechnung_.size(); n = n->getNext(), ++k) {
        const KnotenZustand jetzt = KnotenZustand::von(n);
        const KnotenZustand& vorher = vorRechnung_[k];
        if (jetzt == vorher) continue;
        etwas = true;
        baum().knotenGeaendert(n);
        if (n != sel || !vorher.daten || !jetzt.daten || editDaten_.typ != jetzt.daten->typ)
            continue;
        // What the calculation wrote reaches the buffer; what the user typed elsewhere stays.
        const DVdata& a = *vorher.daten;
        const DVdata& b = *jetzt.daten;
        for (size_t i = 0; i < b.i.size(); ++i)
            if (a.i[i] != b.i[i]) editDaten_.i[i] = b.i[i];
        for (size_t i = 0; i < b.p.size(); ++i)
            if (a.p[i] != b.p[i]) editDaten_.p[i] = b.p[i];
        if (a.fehler != b.fehler) editDaten_.fehler = b.fehler;
        pufferGezeigt_ = editDaten_;
        emit pufferGeaendert();
    }
    vorRechnung_.clear();
    vorRechnung_.shrink_to_fit();
    if (etwas) markiereGeaendert();
    emit rechnungLaeuftGeaendert(false);
    melden();
}

// --- status bar ---------------------------------------------------------------------------------

void EditSession::statusMeldung(const QString& text) {
    seam_.status(3, text);
}

void EditSession::statusKnoten(const tmylistitem* node) {
    const DVdata* d = nodeDaten(node);
    if (!d) return;
    QString pos = node->position();
    if (pos.size() > 20) {
        QStringList teile = pos.split(QLatin1Char('.'));
        teile.erase(teile.begin(), teile.begin() + std::min<qsizetype>(3, teile.size()));
        pos = QStringLiteral("...") + teile.join(QLatin1Char('.'));
    }
    seam_.status(0, QStringLiteral("Position: ") + pos);

    QString caption = node->caption();
    const tBasisDaten_* k = basisDaten(d->typ);
    if (k && k->enden == 3 && node->hasChildren()) {
        const tmylistitem* letzter = node->child(node->childCount() - 1);
        if (const DVdata* l = nodeDaten(letzter)) {
            caption += QStringLiteral("     ") + l->p[2];
            if (const DVdata* davor = nodeDaten(letzter->getPrevSibling()))
                caption += QStringLiteral(" (") + QString::number(runden(davor->i[3])) +
                           QStringLiteral(" m³/h)");
        }
    }
    seam_.status(1, caption);

    QString fluss;
    if (!istStrangTyp(d->typ)) {
        const int q = volumenstrom(basisDatenTabelle(), node);
        if (q != -1)
            fluss = QStringLiteral("V= ") + formatVolumenstrom(q) + QStringLiteral(" m³/h");
    }
    seam_.status(2, fluss);

    QString zustand;
    if (!k)
        zustand = QStringLiteral("Bauteil unbekannt");
    else if (d->fehler == fehlerEckigRund)
        zustand = QStringLiteral("eckig/rund-Problem");
    else if (d->fehler == fehlerMasse)
        zustand = QStringLiteral("Unterschiedliche Maße");
    seam_.status(3, zustand);
}

// --- the project --------------------------------------------------------------------------------

bool EditSession::laden(const QString& datei) {
    if (gesperrt()) return false;
    const QString vorher = projekt_.dateiname();
    projekt_.setDateiname(datei);
    if (!projekt_.laden()) {
        projekt_.setDateiname(vorher);
        return false;
    }
    aussenGeaendert_ = projekt_.geaendert(); // a newer temporary copy was taken
    undo_.clear(!projekt_.geaendert());
    initNode(editDaten_);
    if (tmylistitem* erster = baum().topitem()) auswaehlen(erster);
    melden();
    return true;
}

bool EditSession::hinzufuegen(const QString& datei) {
    return befehl(QStringLiteral("Hinzufügen"), {}, [&] {
        if (!projekt_.laden(datei)) return false;
        auswaehlen(selektiert()); // the project selects its first node
        return true;
    });
}

void EditSession::neu() {
    if (gesperrt()) return;
    projekt_.neu();
    initNode(editDaten_);
    aussenGeaendert_ = true;
    undo_.clear(false);
    // Nothing is selected any more: the node panels go blank.
    for (int k = 0; k < 3; ++k) seam_.status(k, QString());
    statusMeldung(QStringLiteral("neues Projekt"));
    melden();
}

bool EditSession::sichern(const QString& datei) {
    if (!datei.isEmpty()) {
        projekt_.setDateiname(datei);
        projekt_.setGeaendert(true);
    }
    const bool ok = projekt_.sichern();
    if (ok && !projekt_.geaendert()) {
        undo_.gesichert();
        aussenGeaendert_ = false;
    }
    melden();
    return ok;
}

// --- the edit pages -----------------------------------------------------------------------------

bool EditSession::typWaehlen(int typ) {
    if (gesperrt()) return false;
    tmylistitem* sel = selektiert();
    if (!sel) {
        seam_.meldung(editText::erstPosition, UserSeam::Kind::Warnung);
        return false;
    }
    initNode(editDaten_);
    editDaten_.typ = typ;
    const QString linie = strangtypMeldung(typ, sel);
    if (!linie.isEmpty()) {
        editDaten_.typ = typKeiner;
        statusMeldung(linie);
        return false;
    }
    const Einstellungen& e = einstellungen();
    const tBasisDaten_* k = basisDaten(typ);
    // A fresh type starts with the sizes its neighbours give, as planning would choose them.
    editDaten_.planung = true;
    planeBauteil(editDaten_, sel, phaseVorbelegen, programmKontext());
    editDaten_.planung = e.immerPlanen() && k && k->planung;
    switch (typ) {
    case typRaum:
        editDaten_.i[1] = 0;
        editDaten_.i[3] = e.raumdB();
        editDaten_.i[4] = e.nachhallzeit();
        editDaten_.i[5] = e.abstand();
        editDaten_.tag2 = 0;
        break;
    case typZuluftauslass:
    case typAbluftgitter:
        editDaten_.i[2] = 1;
        break;
    case typSchalldaempfer:
        editDaten_.i[5] = 1000;
        break;
    default:
        break;
    }
    if (!istStrangTyp(typ)) komponentenSeite(editDaten_);
    return editDaten_.typ >= 0;
}

void EditSession::strangSeite(int typ, const QString& kennung, const QString& dichte) {
    initNode(editDaten_, false);
    editDaten_.typ = typ;
    editDaten_.p[1] = dichteText(dichte);
    editDaten_.p[2] = kennung;
}

// --- operations as commands ---------------------------------------------------------------------

namespace {
#ifdef NDEBUG
bool pruefungAn = false;
#else
bool pruefungAn = true;
#endif
} // namespace

void EditSession::setVormerkPruefung(bool an) {
    pruefungAn = an;
}

bool EditSession::vormerkPruefung() {
    return pruefungAn;
}

void EditSession::aendern(tmylistitem* node) {
    if (!aufzeichnung_) return;
    aufzeichnung_->vormerken(node);
    flusssummen_.vormerken(node);
}

void EditSession::aendernTeilbaum(tmylistitem* wurzel) {
    if (!aufzeichnung_) return;
    aufzeichnung_->teilbaumVormerken(wurzel);
    flusssummen_.teilbaumVormerken();
}

template <class F>
bool EditSession::befehl(const QString& name, const std::vector<tmylistitem*>& knoten, F f,
                         const std::vector<tmylistitem*>& teilbaeume) {
    if (gesperrt()) return false;
    // Listeners hear of the command however it ends.
    struct Melder {
        EditSession* s;
        ~Melder() {
            s->flusssummen_.befehlEnde();
            s->melden();
        }
    } melder{this};
    statusMeldung(QString()); // the rule writes its own message, if any
    const int selVorher = flatIndex(selektiert());
    const int fokusVorher = flatIndex(fokussiert());
    const DVdata pufferVorher = editDaten_;
    aufzeichnung_ = std::make_unique<BaumAufzeichnung>(knoten, teilbaeume);
    for (tmylistitem* n : knoten) flusssummen_.vormerken(n);
    if (!teilbaeume.empty()) flusssummen_.teilbaumVormerken();
    // The check keeps every node's state, so a change the rule did not stage is found.
    std::unordered_map<const tmylistitem*, KnotenZustand> alle;
    if (pruefungAn)
        for (const tmylistitem* n = baum().topitem(); n; n = n->getNext())
            alle.emplace(n, KnotenZustand::von(n));
    const bool ok = f();
    std::unique_ptr<BaumAufzeichnung> a = std::move(aufzeichnung_);
    if (pruefungAn) {
        for (const tmylistitem* n = baum().topitem(); n; n = n->getNext()) {
            const auto it = alle.find(n);
            if (it == alle.end() || a->vorgemerkt(n) || it->second == KnotenZustand::von(n))
                continue;
            qFatal("Befehl \"%s\" hat den Knoten %s geändert, ohne ihn vorzumerken.",
                   qPrintable(name), qPrintable(n->position()));
        }
        if (!a->vollstaendig())
            qFatal("Befehl \"%s\" hat einen Knoten entfernt, ohne ihn vorzumerken.",
                   qPrintable(name));
    }
    if (!a->vollstaendig()) {
        // A node outside the recorded ones went away: the history no longer fits the tree,
        // and which records changed is unknown, so views start afresh.
        undo_.clear(false);
        baum().beginZuruecksetzen();
        baum().endZuruecksetzen();
        return ok;
    }
    BaumBefehl b = a->abschliessen(name);
    for (const KnotenAenderung& g : b.geaendert) baum().knotenGeaendert(baum().item(g.index));
    if (!ok && b.leer()) return false;
    b.selektiertVorher = selVorher;
    b.fokusVorher = fokusVorher;
    b.pufferVorher = pufferVorher;
    b.selektiertNachher = flatIndex(selektiert());
    b.fokusNachher = flatIndex(fokussiert());
    b.pufferNachher = editDaten_;
    undo_.push(std::move(b));
    return ok;
}

bool EditSession::strangEinfuegen() {
    return befehl(QStringLiteral("Strang einfügen"), {},
                  [this] { return baumregel::strangEinfuegen(*this); });
}

bool EditSession::bauteilEinfuegen() {
    return befehl(QStringLiteral("Bauteil einfügen"), {},
                  [this] { return baumregel::bauteilEinfuegen(*this); });
}

bool EditSession::uebernehmen() {
    return befehl(QStringLiteral("Übernehmen"), {},
                  [this] { return baumregel::uebernehmen(*this); });
}

tmylistitem* EditSession::kindAnhaengen(tmylistitem* eltern, int typ, bool auswaehlen) {
    tmylistitem* kind = nullptr;
    befehl(QStringLiteral("Anhängen"), {}, [&] {
        kind = baumregel::kindAnhaengen(*this, eltern, typ, auswaehlen);
        if (kind) projekt_.setGeaendert(true);
        return kind != nullptr;
    });
    return kind;
}

bool EditSession::knotenLoeschen() {
    return befehl(QStringLiteral("Löschen"), {},
                  [this] { return baumregel::knotenLoeschen(*this); });
}

bool EditSession::einfuegen() {
    return istStrangTyp(editDaten_.typ) ? strangEinfuegen() : bauteilEinfuegen();
}

// --- component overwrite ------------------------------------------------------------------------

bool EditSession::kopieren(const tmylistitem* start, const KopierPlan& plan) {
    if (!plan.ok() || !start) return false;
    return befehl(QStringLiteral("Kopieren"), {}, [&] {
        projekt().setGeaendert(true);
        tmylistitem* erster = ketteKopieren(*this, start, plan);
        if (erster) auswaehlen(erster);
        return erster != nullptr;
    });
}

int EditSession::ueberschreiben(const UeberschreibOptionen& o) {
    if (gesperrt()) return 0;
    tmylistitem* start = selektiert();
    if (!start || o.typ < 0) return 0;
    UeberschreibErgebnis r;
    bool startGeaendert = false;
    befehl(QStringLiteral("Komponenten überschreiben"), {}, [&] {
        r = zephan::ueberschreiben(
            basisDatenTabelle(), start, o, seam_,
            [&](tmylistitem* n) {
                aendern(n);
                if (n == start) startGeaendert = true;
            },
            [this](tmylistitem* n) { auswaehlen(n); });
        if (r.geaendert > 0) projekt_.setGeaendert(true);
        // The run ends where it began, and the page shows what the start node holds now.
        if (selektiert() != start || startGeaendert) auswaehlen(start);
        return r.geaendert > 0;
    });
    statusMeldung(r.geaendert == 1 ? QStringLiteral("1 Bauteil überschrieben.")
                                   : QStringLiteral("%1 Bauteile überschrieben.").arg(r.geaendert));
    return r.geaendert;
}

// --- sound presets and the rooms overview -------------------------------------------------------

void EditSession::pufferFolgen(const tmylistitem* node, const std::function<void(DVdata&)>& f) {
    if (!node || node != selektiert() || editDaten_.typ != typVon(node)) return;
    f(editDaten_);
    f(pufferGezeigt_);
}

bool EditSession::vorgabeSetzen(const QString& name, const std::function<void(DVdata&)>& f) {
    if (gesperrt()) return false;
    tmylistitem* sel = selektiert();
    DVdata* d = nodeDaten(sel);
    if (!d || d->typ != editDaten_.typ || istStrangTyp(d->typ)) {
        // A record not yet in the tree: the preset goes in with it.
        f(editDaten_);
        return false;
    }
    return befehl(name, {}, [&] {
        DVdata neu = *d;
        f(neu);
        pufferFolgen(sel, f);
        if (neu == *d) return false;
        aendern(sel);
        *d = neu;
        nodeRefresh(basisDatenTabelle(), sel);
        projekt_.setGeaendert(true);
        return true;
    });
}

bool EditSession::raumWertSetzen(const RaumZeile& zeile, RaumSpalte spalte, int wert) {
    return befehl(QStringLiteral("Raumübersicht"), {}, [&] {
        if (!raumregel::wertSetzen(*this, zeile, spalte, wert)) return false;
        pufferFolgen(raumZellenKnoten(zeile, spalte), [wert](DVdata& d) { d.i[3] = wert; });
        return true;
    });
}

bool EditSession::raumNameSetzen(RaumZeile& zeile, const QString& name) {
    return befehl(QStringLiteral("Raumübersicht"), {}, [&] {
        if (!raumregel::nameSetzen(*this, zeile, name)) return false;
        for (const tmylistitem* n : {zeile.zu, zeile.ab})
            pufferFolgen(n, [&zeile](DVdata& d) { d.p[2] = zeile.name; });
        return true;
    });
}

// --- sizing -------------------------------------------------------------------------------------

bool EditSession::planen() {
    if (gesperrt()) return false;
    tmylistitem* start = selektiert() ? selektiert() : baum().topitem();
    tmylistitem* kopf = strangKopf(start);
    if (!kopf) {
        statusMeldung(QString());
        return false;
    }
    bool ok = false;
    befehl(QStringLiteral("Planen"), {},
           [&] {
               const PlanErgebnis r = zephan::planen(kopf, seam_, programmKontext(),
                                                     [this](tmylistitem* n) { auswaehlen(n); });
               ok = r.abgeschlossen;
               return false; // a run that changed nothing is no command
           },
           {kopf});
    changedMarkFolgen();
    melden();
    return ok;
}

bool EditSession::allesPlanen() {
    if (gesperrt()) return false;
    tmylistitem* start = selektiert();
    if (!start) return false;
    std::vector<tmylistitem*> teilbaeume;
    for (tmylistitem* n = start; n; n = n->getNextSibling()) {
        teilbaeume.push_back(n);
        if (istStrangTyp(typVon(n))) break; // on a line head: that line only
    }
    const bool ok = befehl(
        QStringLiteral("Alles planen"), {},
        [&] { return zephan::allesPlanen(start, seam_, programmKontext()); }, teilbaeume);
    if (ok) changedMarkFolgen();
    melden();
    return ok;
}

void EditSession::planungSetzen(bool planung) {
    if (!planung && editDaten_.planung && selektiert()) {
        planeBauteil(editDaten_, selektiert(), phaseVorbelegen, programmKontext());
    }
    editDaten_.planung = planung;
}

// --- undo ---------------------------------------------------------------------------------------

void EditSession::zustandSetzen(int sel, int fokus, const DVdata& puffer) {
    baum().setSelected(baum().item(sel));
    baum().setItemFocused(baum().item(fokus));
    editDaten_ = puffer;
    if (tmylistitem* s = selektiert()) statusKnoten(s);
}

void EditSession::changedMarkFolgen() {
    const bool g = undo_.geaendert() || aussenGeaendert_;
    if (g != projekt_.geaendert()) projekt_.setGeaendert(g);
}

bool EditSession::rueckgaengig() {
    if (gesperrt()) return false;
    const BaumBefehl* b = undo_.naechsterRueckgaengig();
    if (!b) return false;
    const bool ok = befehlRueckgaengig(baum(), *b);
    flusssummen_.befehlEnde();
    if (!ok) {
        undo_.clear(false);
        projekt_.setGeaendert(true);
        return false;
    }
    zustandSetzen(b->selektiertVorher, b->fokusVorher, b->pufferVorher);
    undo_.rueckgaengigGetan();
    changedMarkFolgen();
    melden();
    return true;
}

bool EditSession::wiederholen() {
    if (gesperrt()) return false;
    const BaumBefehl* b = undo_.naechsterWiederholen();
    if (!b) return false;
    const bool ok = befehlWiederholen(baum(), *b);
    flusssummen_.befehlEnde();
    if (!ok) {
        undo_.clear(false);
        projekt_.setGeaendert(true);
        return false;
    }
    zustandSetzen(b->selektiertNachher, b->fokusNachher, b->pufferNachher);
    undo_.wiederholenGetan();
    changedMarkFolgen();
    melden();
    return true;
}

} // namespace zephan
