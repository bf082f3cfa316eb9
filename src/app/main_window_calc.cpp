// The calculations from the main window: F7 for every line, Shift on the button or F8 for the
// selected line, the summary and the listings; the reports go to the report window.
#include "app/main_window.h"
#include "app/problem_list.h"
#include "app/tree_columns.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/network_tree.h"
#include "pressure/calc_context.h"
#include "pressure/line_reports.h"
#include "pressure/network_pressure.h"

#include <QTimer>
#include <QTreeView>

namespace zephan {

namespace {
// The loss of every main passage the calculation reached, for the tree's column.
QHash<const tmylistitem*, double> druckverluste(const NetzErgebnis& e) {
    QHash<const tmylistitem*, double> r;
    for (const StrangErgebnis& s : e.straenge)
        for (const KnotenErgebnis& k : s.knoten)
            if (k.knoten && k.haupt.gerechnet && k.haupt.dp > -999) r.insert(k.knoten, k.haupt.dp);
    return r;
}

NetzOptionen optionen(Tk_DVform& f) {
    NetzOptionen o;
    o.auswahl = f.session().selektiert();
    o.seam = &f.seam();
    o.projekt = &f.session().projekt().daten();
    return o;
}
} // namespace

bool Tk_DVform::rechnungBeginnen() {
    // A second F7 while one runs is ignored: its progress window stays the first run's.
    if (!session_->rechnungBeginnen()) return false;
    // No automatic save while the calculation writes into the nodes.
    savetimer_->stop();
    return true;
}

void Tk_DVform::rechnungBeendet(tmylistitem* stopp) {
    seam_.fortschrittEnde();
    // What the calculation stored in the records is announced and marks the project changed.
    session_->rechnungBeenden();
    timerNachDialog();
    probleme_->aktualisieren(session_->baum());
    if (stopp && stopp != session_->selektiert()) knotenAuswaehlen(stopp);
}

void Tk_DVform::druckverlustberechnung(bool nurAusgewaehlt) {
    if (!rechnungBeginnen()) return;
    Rechenkontext kontext = programmKontext();
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    NetzOptionen o = optionen(*this);
    o.ganzerStrang = !nurAusgewaehlt;
    const NetzErgebnis e = netzberechnen(session_->baum(), kontext, o);
    // What the rules keep in the tree is stored while the session still watches the run, so
    // it is announced and marks the project changed.
    netzErgebnisSchreiben(e);
    rechnungBeendet(e.knoten);
    modell_->setDruckverluste(druckverluste(e));
    baum_->viewport()->update();
    if (e.ok()) berichtZeigen();
}

void Tk_DVform::zusammenfassungMenu() {
    if (!rechnungBeginnen()) return;
    Rechenkontext kontext = programmKontext();
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    // With "Schall hinzufügen" the sound part of the line follows after a page break.
    std::function<void(TDruck&)> schall;
    QAction* mitSchall = aktion(QStringLiteral("Schall hinzufügen"));
    if (mitSchall && mitSchall->isChecked())
        schall = [this, &kontext](TDruck&) { schallAnhaengen(kontext, true); };
    const NetzErgebnis e = zusammenfassung(session_->baum(), kontext, optionen(*this), schall);
    netzErgebnisSchreiben(e);
    rechnungBeendet(e.knoten);
    if (e.ok()) berichtZeigen();
}

void Tk_DVform::strangverlaufMenu() {
    if (strangverlauf(basisDatenTabelle(), session_->baum(), session_->selektiert(), druck_,
                      session_->projekt().daten(), &seam_))
        berichtZeigen();
}

void Tk_DVform::bauteilZusammenstellenMenu() {
    const bool ok =
        bauteilZusammenstellen(basisDatenTabelle(), session_->baum(), session_->editDaten().typ,
                               druck_, session_->projekt().daten());
    ansichtAuswahlFolgen();
    if (ok) berichtZeigen();
}

} // namespace zephan
