// The network pressure calculation from the main window: F7 for every line, Shift on the
// button or F8 for the selected line; the report goes to the report window.
#include "app/main_window.h"
#include "network/network_tree.h"
#include "network/tree_item_model.h"
#include "pressure/calc_context.h"
#include "pressure/line_reports.h"
#include "pressure/network_pressure.h"

#include <QTimer>
#include <QTreeView>

namespace zephan {

namespace {
NetzOptionen optionen(Tk_DVform& f, const std::function<void()>& anfang,
                      const std::function<void()>& ende) {
    NetzOptionen o;
    o.auswahl = f.session().selektiert();
    o.seam = &f.seam();
    o.projekt = &f.session().projekt().daten();
    o.anfang = anfang;
    o.ende = ende;
    return o;
}
} // namespace

void Tk_DVform::druckverlustberechnung(bool nurAusgewaehlt) {
    Rechenkontext kontext;
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    // No automatic save while the calculation writes into the nodes.
    NetzOptionen o = optionen(
        *this, [this] { savetimer_->stop(); }, [this] { timerNachDialog(); });
    o.ganzerStrang = !nurAusgewaehlt;
    const NetzErgebnis e = netzberechnen(session_->baum(), kontext, o);
    rechnungBeendet(e.knoten);
    if (e.ok()) berichtZeigen(druck_);
}

void Tk_DVform::zusammenfassungMenu() {
    Rechenkontext kontext;
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    const NetzErgebnis e =
        zusammenfassung(session_->baum(), kontext,
                        optionen(
                            *this, [this] { savetimer_->stop(); }, [this] { timerNachDialog(); }));
    rechnungBeendet(e.knoten);
    if (e.ok()) berichtZeigen(druck_);
}

void Tk_DVform::strangverlaufMenu() {
    if (strangverlauf(session_->baum(), session_->selektiert(), druck_, session_->projekt().daten(),
                      &seam_))
        berichtZeigen(druck_);
}

void Tk_DVform::bauteilZusammenstellenMenu() {
    const bool ok = bauteilZusammenstellen(session_->baum(), session_->editDaten().typ, druck_,
                                           session_->projekt().daten());
    ansichtAuswahlFolgen();
    if (ok) berichtZeigen(druck_);
}

void Tk_DVform::rechnungBeendet(tmylistitem* stopp) {
    seam_.fortschrittEnde();
    // The calculation stores velocities, zeta texts and the fan's pressure in the nodes.
    baum_->viewport()->update();
    if (stopp) knotenAuswaehlen(stopp);
}

} // namespace zephan
