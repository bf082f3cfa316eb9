// The network pressure calculation from the main window: F7 for every line, Shift on the
// button or F8 for the selected line; the report goes to the report window.
#include "app/main_window.h"
#include "network/network_tree.h"
#include "network/tree_item_model.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure.h"

#include <QTimer>
#include <QTreeView>

namespace zephan {

void Tk_DVform::druckverlustberechnung(bool nurAusgewaehlt) {
    Rechenkontext kontext;
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    NetzOptionen o;
    o.ganzerStrang = !nurAusgewaehlt;
    o.auswahl = session_->selektiert();
    o.seam = &seam_;
    o.projekt = &session_->projekt().daten();
    // No automatic save while the calculation writes into the nodes.
    o.anfang = [this] { savetimer_->stop(); };
    o.ende = [this] { timerNachDialog(); };
    const NetzErgebnis e = netzberechnen(session_->baum(), kontext, o);
    seam_.fortschrittEnde();
    // The calculation stores velocities, zeta texts and the fan's pressure in the nodes.
    baum_->viewport()->update();
    if (e.knoten) knotenAuswaehlen(e.knoten);
    if (e.ok()) berichtZeigen(druck_);
}

} // namespace zephan
