// The five edit pages of the main window: building them, showing the edit buffer on the page
// of its type, the page check after every change and the footer. The pages bind their own
// fields to the buffer; the window only chooses the page and forwards to it.
#include "app/form_seite.h"
#include "app/main_window.h"
#include "app/page_fields.h"
#include "app/projekt_seite.h"
#include "app/seiten_fuss.h"
#include "app/strang_seite.h"
#include "app/strecken_seite.h"
#include "app/tree_columns.h"
#include "editing/page_check.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace zephan {

// --- building ---------------------------------------------------------------------------------

QWidget* Tk_DVform::kanalSeiteBauen() {
    kanalSeite_ = new StreckenSeite(false, *session_, seam_);
    connect(kanalSeite_, &StreckenSeite::geaendert, this, [this] { pruefen(); });
    connect(kanalSeite_, &StreckenSeite::uebernehmenGewuenscht, this,
            [this] { seiteAnwenden(false); });
    return kanalSeite_;
}

QWidget* Tk_DVform::rohrSeiteBauen() {
    rohrSeite_ = new StreckenSeite(true, *session_, seam_);
    connect(rohrSeite_, &StreckenSeite::geaendert, this, [this] { pruefen(); });
    connect(rohrSeite_, &StreckenSeite::uebernehmenGewuenscht, this,
            [this] { seiteAnwenden(false); });
    return rohrSeite_;
}

QWidget* Tk_DVform::formSeiteBauen() {
    formSeite_ = new FormSeite(*session_);
    connect(formSeite_, &FormSeite::typGewaehlt, this, [this](const QString& eintrag) {
        if (!fsetzen_) typListeGewaehlt(eintrag);
    });
    connect(formSeite_, &FormSeite::geaendert, this, [this] { pruefen(); });
    connect(formSeite_, &FormSeite::uebernehmenGewuenscht, this, [this] { seiteAnwenden(false); });
    connect(formSeite_, &FormSeite::schallGewuenscht, this, [this] { schallvbtnClick(); });
    connect(formSeite_, &FormSeite::spektrumGewuenscht, this,
            [this](int slot) { spektrumClick(slot); });
    return formSeite_;
}

QWidget* Tk_DVform::strangSeiteBauen() {
    strangSeite_ = new StrangSeite(*session_);
    connect(strangSeite_, &StrangSeite::geaendert, this, [this] { pruefen(); });
    return strangSeite_;
}

QWidget* Tk_DVform::projektSeiteBauen() {
    projektSeite_ = new ProjektSeite(*session_);
    connect(projektSeite_, &ProjektSeite::geaendert, this, [this] { zustandZeigen(); });
    return projektSeite_;
}

QWidget* Tk_DVform::fussBauen() {
    fuss_ = new SeitenFuss;
    connect(fuss_->einfuegen, &QPushButton::clicked, this, [this] { seiteAnwenden(true); });
    connect(fuss_->uebernehmen, &QPushButton::clicked, this, [this] { seiteAnwenden(false); });
    connect(fuss_->loeschen, &QPushButton::clicked, this, [this] { loeschenClick(); });
    connect(fuss_->berechnen, &QPushButton::clicked, this, [this] { berechnenClick(); });
    connect(fuss_->planen, &QPushButton::clicked, this, [this] { planenClick(); });
    connect(fuss_->p, &QPushButton::clicked, this, [this] { allesPlanenClick(); });
    fuss_->s->setToolTip(QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil (F9)"));
    connect(fuss_->s, &QPushButton::clicked, this, [this] { schallBauteilClick(); });
    return fuss_;
}

// --- choosing a page or a type ------------------------------------------------------------------

void Tk_DVform::seiteZeigen(int seite) {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    seiten_->setCurrentIndex(seite);
    fsetzen_ = vorher;
}

void Tk_DVform::seiteGewaehlt(int seite) {
    // Each page resets the buffer to its own fresh record and shows it.
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    switch (seite) {
    case SeiteKanal:
        kanalSeite_->zuruecksetzen();
        break;
    case SeiteRohr:
        rohrSeite_->zuruecksetzen();
        break;
    case SeiteFormstueck:
        formSeite_->zuruecksetzen();
        break;
    case SeiteStrang:
        strangSeite_->zuruecksetzen();
        break;
    case SeiteProjekt:
        projektZeigen();
        break;
    default:
        break;
    }
    fsetzen_ = vorher;
    pruefen();
}

void Tk_DVform::typListeGewaehlt(const QString& eintrag) {
    const int typ = typAusListe(eintrag);
    if (typ < 0) return; // a group caption chooses nothing
    session_->typWaehlen(typ);
    formSeite_->setGewaehlterTyp(session_->editDaten().typ);
    komponentenSeiteZeigen(true);
    pruefen();
}

// --- showing the buffer -------------------------------------------------------------------------

void Tk_DVform::gruppenFuellen() {
    const QStringList liste = session_->projekt().daten().gruppenListe();
    kanalSeite_->gruppenFuellen(liste);
    rohrSeite_->gruppenFuellen(liste);
    formSeite_->gruppenFuellen(liste);
}

void Tk_DVform::pufferZeigen() {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    const DVdata& d = session_->editDaten();
    gruppenFuellen();
    if (istStrangTyp(d.typ)) {
        seiteZeigen(SeiteStrang);
        strangZeigen();
    } else if (d.typ == typKanal) {
        seiteZeigen(SeiteKanal);
        kanalZeigen();
    } else if (d.typ == typRohr) {
        seiteZeigen(SeiteRohr);
        rohrZeigen();
    } else if (d.typ >= 0) {
        seiteZeigen(SeiteFormstueck);
        komponentenSeiteZeigen(true);
    }
    fsetzen_ = vorher;
    nachbarnZeigen();
    pruefen();
}

void Tk_DVform::kanalZeigen() {
    kanalSeite_->zeigen();
}

void Tk_DVform::rohrZeigen() {
    rohrSeite_->zeigen();
}

void Tk_DVform::strangZeigen() {
    strangSeite_->zeigen();
}

void Tk_DVform::projektZeigen() {
    projektSeite_->zeigen();
}

void Tk_DVform::komponentenSeiteZeigen(bool typGewechselt) {
    formSeite_->zeigen(typGewechselt);
}

void Tk_DVform::nachbarnZeigen() {
    tmylistitem* sel = session_->selektiert();
    if (!sel) {
        fuss_->davor->setLangText(QStringLiteral("nichts"));
        fuss_->danach->setLangText(QStringLiteral("nichts"));
        return;
    }
    const tmylistitem* vor = sel->Level() == 0       ? nullptr
                             : sel->getPrevSibling() ? sel->getPrevSibling()
                                                     : sel->parent();
    const tmylistitem* nach = sel->Level() == 0 ? sel->getChild() : sel->getNextSibling();
    fuss_->davor->setLangText(nodeInfo(basisDatenTabelle(), vor, 0));
    fuss_->danach->setLangText(nodeInfo(basisDatenTabelle(), nach, 0));
}

StreckenSeite* Tk_DVform::streckenSeite() const {
    const int typ = session_->editDaten().typ;
    return typ == typKanal ? kanalSeite_ : typ == typRohr ? rohrSeite_ : nullptr;
}

void Tk_DVform::pruefen() {
    const SeitenZustand z = seitenPruefung(*session_);
    fuss_->einfuegen->setEnabled(z.einfuegen);
    fuss_->uebernehmen->setEnabled(z.uebernehmen);
    fuss_->loeschen->setEnabled(z.loeschen);
    fuss_->berechnen->setEnabled(z.berechnen);
    fuss_->s->setEnabled(z.berechnen);
    fuss_->ergebnis->setText(z.ergebnis);
    for (int s : {SeiteKanal, SeiteRohr, SeiteFormstueck})
        seiten_->setTabEnabled(s, !z.nurStrangSeiten);
    if (!z.meldung.isEmpty()) session_->statusMeldung(z.meldung);
    // The pages show what the check computed: the section's velocity, the component's
    // velocity and zeta.
    if (StreckenSeite* s = streckenSeite()) s->geschwindigkeitZeigen();
    if (istKomponente(session_->editDaten().typ)) formSeite_->rechnungZeigen(z.anzeige);
}

// --- commands of the pages ----------------------------------------------------------------------

void Tk_DVform::laengeSetzen(int meter) {
    if (StreckenSeite* s = streckenSeite()) s->laengeSetzen(meter);
}

void Tk_DVform::dichteBerechnen() {
    strangSeite_->dichteBerechnen();
}

QString Tk_DVform::ungueltigesFeld() const {
    switch (seiten_->currentIndex()) {
    case SeiteKanal:
        return kanalSeite_->ungueltigesFeld();
    case SeiteRohr:
        return rohrSeite_->ungueltigesFeld();
    case SeiteFormstueck:
        return formSeite_->ungueltigesFeld();
    case SeiteStrang:
        return strangSeite_->ungueltigesFeld();
    default:
        return {};
    }
}

bool Tk_DVform::seiteAnwenden(bool einfuegen) {
    const QString falsch = ungueltigesFeld();
    if (!falsch.isEmpty()) {
        seam_.meldung(falsch, UserSeam::Kind::Warnung);
        return false;
    }
    if (einfuegen) return einfuegenClick();
    // Return in a field applies only what the button would.
    if (!fuss_->uebernehmen->isEnabled()) return false;
    return uebernehmenClick();
}

} // namespace zephan
