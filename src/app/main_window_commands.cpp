// The main window's commands: selection, the edit buttons, undo, search, the file menu, the
// dialogs and the start-up.
#include "app/about_window.h"
#include "app/anleitung_fenster.h"
#include "app/catalogue_editor.h"
#include "app/main_window.h"
#include "app/problem_list.h"
#include "app/settings_dialog.h"
#include "app/strang_seite.h"
#include "app/tree_columns.h"
#include "app/tree_search.h"
#include "editing/page_check.h"
#include "editing/program_context.h"
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

bool Tk_DVform::pufferVerlassen() {
    if (!session_->pufferVeraendert()) return true;
    const int a = seam_.frage(QStringLiteral("Änderungen übernehmen?"), QStringLiteral("j|n|a"));
    if (a == 0) return uebernehmenClick();
    return a == 1;
}

void Tk_DVform::knotenAuswaehlen(tmylistitem* node) {
    if (session_->rechnungLaeuft()) {
        // The calculation holds the nodes: the view keeps showing the node it had.
        ansichtAuswahlFolgen();
        return;
    }
    if (node != session_->selektiert() && !pufferVerlassen()) {
        ansichtAuswahlFolgen(); // "Abbrechen" (or a refused apply) stays on the node
        return;
    }
    // The session tells the window, which shows the node's page (or, selecting the node
    // already selected, its record afresh).
    session_->auswaehlen(node);
    if (!node) {
        initNode(session_->editDaten());
        nachbarnZeigen();
        pruefen();
    }
}

void Tk_DVform::nachBefehl() {
    probleme_->aktualisieren(session_->baum());
    ansichtAuswahlFolgen();
    pufferZeigen();
    session_->pufferAlsGezeigt();
    projektZeigen();
    zustandZeigen();
    // The status bar shows the node the command left selected (its own message stays).
    if (tmylistitem* n = session_->selektiert()) {
        const QString meldung = statusText(3);
        session_->statusKnoten(n);
        if (!meldung.isEmpty()) session_->statusMeldung(meldung);
    }
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
    sperre_.freigeben();
    session_->projekt().daten().neuesProjekt();
    nachBefehl();
    seiteZeigen(SeiteStrang);
    seiteGewaehlt(SeiteStrang);
    strangSeite_->strangArt()->setFocus();
    session_->statusMeldung(QStringLiteral("neues Projekt"));
    return true;
}

bool Tk_DVform::ladenDatei(const QString& datei) {
    ProjektSperre neu;
    bool nurLesen = false;
    if (!sperreFuerLaden(datei, neu, nurLesen)) return false;
    const bool ok = session_->laden(datei);
    if (ok) {
        sperreUebernehmen(neu, nurLesen);
        gruppenFuellen();
        nachBefehl();
    }
    zustandZeigen();
    return ok;
}

bool Tk_DVform::ladenMenu() {
    if (!veraendertFragen()) return false;
    const QString datei = seam_.dateiOeffnen(QStringLiteral("Laden..."));
    if (datei.isEmpty()) return false;
    return ladenDatei(datei);
}

bool Tk_DVform::hinzufuegenMenu() {
    // Asked like "Laden...": the answer "speichern" keeps the state before the addition.
    if (!veraendertFragen()) return false;
    const QString datei = seam_.dateiOeffnen(QStringLiteral("Hinzufügen..."));
    if (datei.isEmpty()) return false;
    const bool ok = session_->hinzufuegen(datei);
    nachBefehl();
    return ok;
}

bool Tk_DVform::sichernMenu() {
    // A project opened read-only goes to another file.
    if (session_->projekt().dateiname().isEmpty() || session_->projekt().nurLesen())
        return sichernAlsMenu();
    const bool ok = session_->sichern();
    zustandZeigen();
    return ok;
}

bool Tk_DVform::sichernAlsMenu() {
    const QString datei =
        seam_.dateiSichern(QStringLiteral("Sichern als ..."), session_->projekt().dateiname());
    if (datei.isEmpty()) return false;
    ProjektSperre neu;
    if (!sperreFuerSichern(datei, neu)) return false;
    const bool ok = session_->sichern(datei);
    if (ok) sperreUebernehmen(neu, false);
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

void Tk_DVform::anleitungMenu() {
    if (!anleitung_) anleitung_ = new AnleitungFenster(this);
    anleitung_->show();
    anleitung_->raise();
    anleitung_->activateWindow();
}

void Tk_DVform::berechnenClick() {
    // The pressure loss of the node in the edit buffer as a report.
    DVdata& d = session_->editDaten();
    tmylistitem* sel = session_->selektiert();
    druck_.clear();
    if (istStrecke(d.typ))
        berechne1Strecke(basisDatenTabelle(), sel, d, druck_, true);
    else if (istKomponente(d.typ))
        berechne1Bauteil(programmKontext(), d, sel, druck_, true, strangDichte(sel));
    else
        return;
    pruefen();
    berichtZeigen();
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
    berichtZeigen();
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
    // The lines open with their components in view.
    baum_->expandToDepth(0);
    zustandZeigen();
}

} // namespace zephan
