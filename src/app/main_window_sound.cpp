// The sound inputs of the main window: the preset windows on the component page, the rooms
// overview and the flow-noise report of the selected component.
#include "acoustics/schallnetz.h"
#include "app/form_seite.h"
#include "app/main_window.h"
#include "app/problem_list.h"
#include "app/raum_fenster.h"
#include "app/raumband_fenster.h"
#include "app/schallvorgabe_fenster.h"
#include "editing/program_context.h"
#include "editing/room_band_model.h"
#include "editing/sound_preset_model.h"
#include "editing/sound_report.h"
#include "network/network_tree.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure.h"

namespace zephan {

void Tk_DVform::schallvbtnClick() {
    if (fsetzen_) return;
    fsetzen_ = true;
    schallvorgabeform_->zeigen(session_->editDaten());
    const bool ok = schallvorgabeform_->exec() == QDialog::Accepted;
    fsetzen_ = false;
    if (ok) {
        const SchallVorgabe v = schallvorgabeform_->eingabe();
        session_->vorgabeSetzen(QStringLiteral("Schallvorgabe"),
                                [v](DVdata& d) { schallVorgabeSetzen(v, d); });
    }
    // On OK and on cancel alike the page shows the buffer's presets (the box included).
    komponentenSeiteZeigen(false);
    pruefen();
    zustandZeigen();
}

void Tk_DVform::spektrumClick(int slot) {
    if (fsetzen_ || (slot != 3 && slot != 4)) return;
    Tk_RaumBandform* f = slot == 3 ? raumSpektrumform_ : nachhallzeitform_;
    fsetzen_ = true;
    f->zeigen(session_->editDaten());
    const bool ok = f->exec() == QDialog::Accepted;
    fsetzen_ = false;
    if (ok) {
        const RaumBandVorgabe v = f->eingabe();
        const RaumBandArt art = f->art();
        session_->vorgabeSetzen(slot == 3 ? QStringLiteral("Raumspektrum")
                                          : QStringLiteral("Nachhallzeit"),
                                [v, art](DVdata& d) { raumBandSetzen(art, v, d); });
    }
    komponentenSeiteZeigen(false);
    pruefen();
    zustandZeigen();
}

void Tk_DVform::raumuebersichtMenu() {
    if (fsetzen_) return;
    raumform_->exec();
    probleme_->aktualisieren(session_->baum());
    zustandZeigen();
}

void Tk_DVform::schallBauteilClick() {
    tmylistitem* n = session_->selektiert();
    // The calculation reads the line around the node (a fan runs a silent pressure pass):
    // edits wait meanwhile.
    if (!rechnungBeginnen()) return;
    const GeraeuschBerichtErgebnis e =
        geraeuschBericht(session_->baum(), n, druck_, session_->projekt().daten(), &seam_);
    rechnungBeendet(nullptr);
    if (!e.meldung.isEmpty()) session_->statusMeldung(e.meldung);
    if (e.bericht) berichtZeigen();
}

bool Tk_DVform::schallAnhaengen(const Rechenkontext& kontext, bool zusammenfassung) {
    SchallnetzOptionen o;
    o.ganzerStrang = true;
    o.nurStrang = session_->selektiert() ? session_->selektiert() : session_->baum().topitem();
    o.anhaengen = true;
    o.zusammenfassung = zusammenfassung;
    o.projekt = &session_->projekt().daten();
    o.seam = &seam_;
    const SchallnetzErgebnis e = schallnetzberechnung(session_->baum(), kontext, o);
    if (!e.ok && !e.meldung.isEmpty()) session_->statusMeldung(e.meldung);
    return e.ok;
}

void Tk_DVform::schallnetzMenu(bool nurAusgewaehlt) {
    if (!session_->baum().topitem()) return;
    if (!rechnungBeginnen()) return;
    Rechenkontext kontext = programmKontext();
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    SchallnetzOptionen o;
    o.ganzerStrang = !nurAusgewaehlt;
    o.auswahl = session_->selektiert() ? session_->selektiert() : session_->baum().topitem();
    // The whole run covers the selected node's line.
    if (o.ganzerStrang) o.nurStrang = o.auswahl;
    o.projekt = &session_->projekt().daten();
    o.seam = &seam_;
    const SchallnetzErgebnis e = schallnetzberechnung(session_->baum(), kontext, o);
    rechnungBeendet(e.halt);
    if (!e.ok) {
        if (!e.meldung.isEmpty()) session_->statusMeldung(e.meldung);
        return;
    }
    berichtZeigen();
}

void Tk_DVform::druckUndSchallMenu() {
    if (!session_->baum().topitem()) return;
    if (!rechnungBeginnen()) return;
    Rechenkontext kontext = programmKontext();
    kontext.druck = &druck_;
    kontext.fortschritt = &seam_;
    NetzOptionen n;
    n.auswahl = session_->selektiert();
    n.seam = &seam_;
    n.projekt = &session_->projekt().daten();
    const NetzErgebnis e = netzberechnen(session_->baum(), kontext, n);
    netzErgebnisSchreiben(e);
    // The pressure report stays; the sound part follows on a new page.
    bool ok = e.ok();
    if (ok) {
        druck_.NeueSeite();
        ok = schallAnhaengen(kontext, false);
    }
    rechnungBeendet(e.knoten);
    if (ok) berichtZeigen();
}

} // namespace zephan
