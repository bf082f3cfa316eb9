#include "pressure/network_pressure.h"

#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_report.h"
#include "pressure/project_head.h"
#include "report/report_document.h"
#include "store/user_seam.h"

namespace zephan {

namespace {

// The end of the selected node's chain when the calculation is restricted to its path; null
// for the whole line (a node on the main line before the fan, or a line head).
const tmylistitem* zielVon(const TBasisDatenTabelle& kat, const tmylistitem* auswahl) {
    if (!auswahl || vorVentilator(kat, auswahl)) return nullptr;
    const tmylistitem* z = auswahl;
    while (const tmylistitem* n = z->getNextSibling()) z = n;
    return z;
}

} // namespace

NetzErgebnis netzberechnen(ProjektBaum& baum, const Rechenkontext& kontext, const NetzOptionen& o) {
    NetzErgebnis ergebnis;
    UserSeam* seam = o.seam ? o.seam : kontext.fortschritt;
    auto refuse = [&](NetzStatus s, const QString& text) {
        ergebnis.status = s;
        ergebnis.meldung = text;
        if (seam) seam->meldung(text, UserSeam::Kind::Warnung);
        return ergebnis;
    };
    if (!baum.topitem()) return refuse(NetzStatus::KeinStrang, netztext::keinStrang);
    tmylistitem* auswahl = o.auswahl ? o.auswahl : baum.Selected();
    if (!o.ganzerStrang && !auswahl)
        return refuse(NetzStatus::KeineAuswahl, netztext::keineAuswahl);
    const Rechenlauf lauf;
    if (!lauf.gestartet()) return refuse(NetzStatus::LaeuftSchon, netztext::laeuftSchon);

    // The lines in order, each with the chain end it is restricted to.
    std::vector<std::pair<tmylistitem*, const tmylistitem*>> straenge;
    int gesamt = 0;
    if (o.ganzerStrang && o.nurStrang) {
        tmylistitem* kopf = strangKopf(o.nurStrang);
        if (kopf && istStrangTyp(typVon(kopf))) {
            straenge.emplace_back(kopf, nullptr);
            gesamt = kopf->CountAlle() + 1;
        }
    } else if (o.ganzerStrang) {
        for (tmylistitem* k = baum.topitem(); k; k = k->getNextSibling())
            if (istStrangTyp(typVon(k))) straenge.emplace_back(k, nullptr);
        gesamt = baum.count();
    } else {
        tmylistitem* kopf = strangKopf(auswahl);
        if (kopf && istStrangTyp(typVon(kopf))) {
            straenge.emplace_back(kopf, zielVon(kontext.kat(), auswahl));
            gesamt = kopf->CountAlle() + 1;
        }
    }
    if (straenge.empty()) return refuse(NetzStatus::KeinStrang, netztext::keinStrang);
    gesamt *= 2; // two passes at most

    if (o.anfang) o.anfang();
    if (seam) seam->status(0, netztext::berechne);
    // The numbers of every line first; the report replaces the document only when every line
    // is done, so a cancel or a stop leaves no half report.
    int schritt = 0;
    for (const auto& [kopf, ziel] : straenge) {
        StrangOptionen so;
        so.ziel = ziel;
        so.schritt = &schritt;
        so.gesamt = gesamt;
        ergebnis.straenge.push_back(strangRechnen(lauf, kopf, kontext, so));
        const StrangErgebnis& e = ergebnis.straenge.back();
        if (!e.fertig()) {
            ergebnis.status = e.status;
            ergebnis.meldung = e.meldung;
            ergebnis.knoten = e.stoppKnoten;
            if (e.stoppKnoten) {
                baum.setSelected(e.stoppKnoten);
                if (seam)
                    seam->meldung(mitPosition(e.meldung, e.stoppKnoten), UserSeam::Kind::Fehler);
            }
            if (o.ende) o.ende();
            return ergebnis;
        }
    }

    if (kontext.druck) {
        TDruck bericht;
        for (const StrangErgebnis& e : ergebnis.straenge)
            strangBerichtSchreiben(bericht, e, o.zusammenfassung);
        TDruck& doc = *kontext.druck;
        doc.clear();
        if (o.projekt)
            druckkopf(doc, *o.projekt);
        else
            druckkopf(doc, ProjektDaten{});
        doc.m.append(bericht.m);
    }
    if (seam) seam->status(0, netztext::beendet);
    if (o.ende) o.ende();
    return ergebnis;
}

NetzErgebnis zusammenfassung(ProjektBaum& baum, const Rechenkontext& kontext, NetzOptionen o,
                             const std::function<void(TDruck&)>& schall) {
    o.zusammenfassung = true;
    NetzErgebnis e = netzberechnen(baum, kontext, o);
    if (e.ok() && schall && kontext.druck) {
        kontext.druck->NeueSeite();
        schall(*kontext.druck);
    }
    return e;
}

} // namespace zephan
