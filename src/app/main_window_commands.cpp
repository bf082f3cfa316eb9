// The main window's commands: selection, the edit buttons, undo, search, the file menu, the
// dialogs and the start-up.
#include "app/about_window.h"
#include "app/catalogue_editor.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/tree_search.h"
#include "editing/page_check.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "network/tree_item_model.h"
#include "pressure/air_density.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/interactive_component.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/number_format.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace zephan {

// --- selection --------------------------------------------------------------------------------

void Tk_DVform::ansichtAuswahlFolgen() {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    const QModelIndex i = modell_->indexVon(session_->selektiert());
    if (i.isValid()) {
        baum_->setCurrentIndex(i);
        baum_->scrollTo(i);
    } else {
        baum_->selectionModel()->clearCurrentIndex();
        baum_->clearSelection();
    }
    fsetzen_ = vorher;
}

void Tk_DVform::knotenAuswaehlen(tmylistitem* node) {
    session_->auswaehlen(node);
    if (!node) {
        initNode(session_->editDaten());
        nachbarnZeigen();
        pruefen();
        return;
    }
    ansichtAuswahlFolgen();
    pufferZeigen();
}

void Tk_DVform::nachBefehl() {
    ansichtAuswahlFolgen();
    pufferZeigen();
    projektZeigen();
    zustandZeigen();
}

void Tk_DVform::typListeGewaehlt(const QString& eintrag) {
    const int typ = typAusListe(eintrag);
    if (typ < 0) return; // a group caption chooses nothing
    session_->typWaehlen(typ);
    findChild<QTreeWidget*>(QStringLiteral("treeform"))
        ->setProperty("tag", session_->editDaten().typ);
    komponentenSeiteZeigen(true);
    pruefen();
}

void Tk_DVform::seiteGewaehlt(int seite) {
    DVdata& d = session_->editDaten();
    const Einstellungen& e = einstellungen();
    // Showing the reset buffer must not read the fields back while they still show the old one.
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    switch (seite) {
    case SeiteKanal:
        initNode(d);
        d.typ = typKanal;
        komponentenSeite(d); // the single option "Paßlänge" is taken
        d.Gruppe.clear();
        if (e.nachGefaelle() && !d.planung) d.i[4] = e.paProM() * 100;
        kanalZeigen();
        break;
    case SeiteRohr:
        initNode(d);
        d.typ = typRohr;
        komponentenSeite(d);
        rohrZeigen();
        break;
    case SeiteFormstueck:
        initNode(d);
        d.typ = typZetawert;
        komponentenSeite(d);
        komponentenSeiteZeigen(true);
        break;
    case SeiteStrang:
        // A new line starts at the standard density.
        session_->strangSeite(typZuluft, QString());
        d.Text.clear();
        strangZeigen();
        findChild<QComboBox*>(QStringLiteral("StrangArt"))->setCurrentIndex(-1);
        d.typ = typKeiner;
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

// --- edit buttons, undo, search ---------------------------------------------------------------

bool Tk_DVform::einfuegenClick() {
    const bool ok = session_->einfuegen();
    nachBefehl();
    return ok;
}

bool Tk_DVform::uebernehmenClick() {
    const bool ok = session_->uebernehmen();
    nachBefehl();
    return ok;
}

bool Tk_DVform::loeschenClick() {
    const bool ok = session_->knotenLoeschen();
    nachBefehl();
    return ok;
}

bool Tk_DVform::rueckgaengig() {
    const bool ok = session_->rueckgaengig();
    nachBefehl();
    return ok;
}

bool Tk_DVform::wiederholen() {
    const bool ok = session_->wiederholen();
    nachBefehl();
    return ok;
}

void Tk_DVform::suchen() {
    tmylistitem* sel = session_->selektiert();
    if (!sel) return;
    const SuchTreffer t = bauteilSuchen(sel, session_->editDaten().typ);
    if (t.umlauf) QApplication::beep();
    if (t.knoten) knotenAuswaehlen(t.knoten);
}

// --- file menu ----------------------------------------------------------------------------------

bool Tk_DVform::neuMenu() {
    if (seam_.frage(QStringLiteral("Wollen Sie ein neues Projekt anfangen?"),
                    QStringLiteral("j|a")) != 0)
        return false;
    // Unsaved work is not dropped without a word.
    if (!veraendertFragen()) return false;
    session_->neu();
    session_->projekt().daten().neuesProjekt();
    nachBefehl();
    seiteZeigen(SeiteStrang);
    seiteGewaehlt(SeiteStrang);
    findChild<QComboBox*>(QStringLiteral("StrangArt"))->setFocus();
    session_->statusMeldung(QStringLiteral("neues Projekt"));
    return true;
}

bool Tk_DVform::ladenDatei(const QString& datei) {
    const bool ok = session_->laden(datei);
    if (ok) {
        gruppenFuellen();
        nachBefehl();
    }
    zustandZeigen();
    return ok;
}

bool Tk_DVform::ladenMenu() {
    if (!veraendertFragen()) return false;
    const QString datei = dateiOeffnenFragen(QStringLiteral("Laden..."));
    if (datei.isEmpty()) return false;
    return ladenDatei(datei);
}

bool Tk_DVform::hinzufuegenMenu() {
    // Asked like "Laden...": the answer "speichern" keeps the state before the addition.
    if (!veraendertFragen()) return false;
    const QString datei = dateiOeffnenFragen(QStringLiteral("Hinzufügen..."));
    if (datei.isEmpty()) return false;
    const bool ok = session_->hinzufuegen(datei);
    nachBefehl();
    return ok;
}

bool Tk_DVform::sichernMenu() {
    if (session_->projekt().dateiname().isEmpty()) return sichernAlsMenu();
    const bool ok = session_->sichern();
    zustandZeigen();
    return ok;
}

bool Tk_DVform::sichernAlsMenu() {
    const QString datei = dateiSichernFragen(QStringLiteral("Sichern als ..."));
    if (datei.isEmpty()) return false;
    const bool ok = session_->sichern(datei);
    zustandZeigen();
    return ok;
}

// --- dialogs ------------------------------------------------------------------------------------

void Tk_DVform::einstellungenMenu() {
    savetimer_->stop();
    einstellform_->exec();
    timerNachDialog();
    pruefen();
}

void Tk_DVform::bauteilMenu() {
    savetimer_->stop();
    bauteilform_->exec();
    timerNachDialog();
}

void Tk_DVform::ueberMenu() {
    UeberFenster f(this);
    f.exec();
}

void Tk_DVform::dichteBerechnen() {
    QDialog dlg(this);
    dlg.setObjectName(QStringLiteral("DichteDialog"));
    dlg.setWindowTitle(QStringLiteral("Dichte berechnen"));
    auto* f = new QFormLayout(&dlg);
    auto* t = new QDoubleSpinBox(&dlg);
    t->setObjectName(QStringLiteral("Temperatur"));
    t->setRange(-50, 50);
    t->setValue(20);
    auto* phi = new QDoubleSpinBox(&dlg);
    phi->setObjectName(QStringLiteral("Feuchte"));
    phi->setRange(0, 100);
    phi->setValue(80);
    f->addRow(QStringLiteral("1. Lufttemperatur [°C]"), t);
    f->addRow(QStringLiteral("2. relative Luftfeuchte φ [%]"), phi);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    f->addRow(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    if (dlg.exec() != QDialog::Accepted) return;
    auto* feld = findChild<QLineEdit*>(QStringLiteral("Dichte"));
    feld->setText(formatZahlOhneGruppen(luftdichte(phi->value(), t->value()), 3));
    strangGeaendert();
}

void Tk_DVform::berechnenClick() {
    // The pressure loss of the node in the edit buffer as a report.
    DVdata& d = session_->editDaten();
    tmylistitem* sel = session_->selektiert();
    druck_.clear();
    if (istStrecke(d.typ))
        berechne1Strecke(sel, d, druck_, true);
    else if (istKomponente(d.typ))
        berechne1Bauteil(d, sel, druck_, true, strangDichte(sel));
    else
        return;
    pruefen();
    berichtZeigen(druck_);
}

void Tk_DVform::planenClick() {
    session_->planen();
    nachBefehl();
}

void Tk_DVform::allesPlanenClick() {
    session_->allesPlanen();
    nachBefehl();
}

void Tk_DVform::druckenClick() {
    berichtZeigen(druck_);
}

// --- start-up -----------------------------------------------------------------------------------

void Tk_DVform::start(const QString& datei) {
    // The example goes to the per-user folder once; failures are ignored.
    const QString beispiel = beispielAnlegen();
    QString projekt = datei;
    if (projekt.isEmpty()) {
        TIniFile2 ini = einstellungenLesen(&seam_);
        projekt = ini.ReadString(QStringLiteral("ProgrammDV"), QStringLiteral("Lastpro"));
        if (projekt.isEmpty() || !QFile::exists(projekt)) projekt = beispiel;
    }
    seiteZeigen(SeiteStrang);
    if (projekt.isEmpty() || !ladenDatei(projekt)) {
        session_->neu();
        session_->projekt().setGeaendert(false);
        nachBefehl();
    }
    // The countdown waits for the first change.
    session_->projekt().autoSave().stop();
    session_->projekt().autoSave().neuStarten();
    if (tmylistitem* erster = session_->baum().topitem()) knotenAuswaehlen(erster);
    zustandZeigen();
}

} // namespace zephan
