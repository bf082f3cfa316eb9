// "Welcher Volumenstrom stellt sich ein...": the simulation of a line from the main window.
#include "app/main_window.h"
#include "editing/program_context.h"
#include "network/model_queries.h"
#include "pressure/calc_context.h"
#include "pressure/simulation.h"
#include "pressure/simulation_report.h"

namespace zephan {

void Tk_DVform::WelcherVbtnClick() {
    tmylistitem* knoten = session_->selektiert();
    if (!knoten || !rechnungBeginnen()) return;
    Rechenkontext kontext = programmKontext();
    kontext.fortschritt = &seam_;
    seam_.setFortschrittText(simtext::simuliere);
    const SimulationsErgebnis e = netzSimulieren(knoten, kontext);
    rechnungBeendet(e.stoppKnoten);
    if (e.status == NetzStatus::Abgebrochen) return;
    if (!e.ok()) {
        seam_.meldung(mitPosition(e.meldung, e.stoppKnoten), UserSeam::Kind::Fehler);
        return;
    }
    simulationsBericht(druck_, e, session_->projekt().daten());
    berichtZeigen();
}

} // namespace zephan
