// Flow noise of the Trox constant-volume-flow controllers Serie R from the maker's data.
//
// The data give a spectrum curve over the flow per size and pressure difference. A curve is
// read at the controller's flow where the carried data determine it: at any flow when all its
// points are carried, else only at a flow point that is. Where the needed data are not carried
// the model says so and points to the sound preset instead of guessing device data.

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "bands/kurve.h"
#include "bands/rechenblatt.h"

#include <optional>

#include <QStringBuilder>

namespace zephan {

namespace {

// The spectrum of curve j (pressure index) at flow V, when the data determine it.
std::optional<TPegel> kurveBei(const ReglerDaten& r, size_t j, double V) {
    const auto& punkte = r.pegel[j];
    bool alle = true;
    for (const auto& p : punkte) alle = alle && p.has_value();
    if (alle) {
        TKurve k(TKurve::linear);
        for (size_t i = 0; i < punkte.size(); ++i)
            k.addp(static_cast<float>(r.stroeme[i]), *punkte[i]);
        TPegel p = pegel(pegelNichtBerechnet);
        k.wertp(static_cast<float>(V), p);
        return p;
    }
    for (size_t i = 0; i < punkte.size(); ++i)
        if (punkte[i] && r.stroeme[i] == V) return *punkte[i];
    return std::nullopt;
}

} // namespace

bool modellVolumenstromregler(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    if (d.eckig) return true; // only round controllers are made
    const int dn = ganz(d.i[0]);
    const double dpg = endlich(d.i[6]);
    b.zeile(QStringLiteral("Strömungsgeräusch für Konstant-Volumenstromregler (Trox Serie R   "
                           "5/9/D/5)"));
    b.zeile(QStringLiteral("Vorgabe:"));
    if (b.an())
        b.zeile(QStringLiteral("DN: ") % berichtZahl(dn, 0) %
                QStringLiteral(" [mm] ; °(delta p°(sub g°(-sub : ") % berichtZahl(dpg, 0) %
                QStringLiteral(" [Pa]"));
    const ReglerDaten* r = e.daten.reglerGroesse(dn);
    if (!r) {
        b.zeile(QStringLiteral("DN nicht vorhanden"));
        return false;
    }
    const int P = ganz(dpg);
    const size_t unten = P < 250 ? 0 : P < 500 ? 1 : 2;
    const size_t oben = unten + 1;
    const double pu = ReglerDaten::druecke[unten];
    const double po = ReglerDaten::druecke[oben];
    const std::optional<TPegel> zu = kurveBei(*r, unten, e.V);
    const std::optional<TPegel> zo = kurveBei(*r, oben, e.V);
    // At a tabulated pressure the other curve has no weight.
    const bool genug = (zu && zo) || (zu && P == pu) || (zo && P == po);
    if (!genug) {
        b.zeile(QStringLiteral("Keine Berechnungsdaten hinterlegt."));
        b.zeile(QStringLiteral("Das Strömungsgeräusch bitte mit \"Schall\" vorgeben."));
        return true;
    }
    b.frequenzen();
    const QString titel[4] = {
        QStringLiteral("Pegel für 100 Pa"), QStringLiteral("Pegel für 250 Pa"),
        unten == 2 ? QStringLiteral("Pegel für  500 Pa") : QStringLiteral("Pegel für 500 Pa"),
        QStringLiteral("Pegel für 1000 Pa")};
    if (zu) {
        e.rb[static_cast<int>(unten) + 1] = *zu;
        b.pegel(titel[unten], QStringLiteral("dB"), *zu);
    }
    if (zo) {
        e.rb[static_cast<int>(oben) + 1] = *zo;
        b.pegel(titel[oben], QStringLiteral("dB"), *zo);
    }
    if (zu && zo) {
        TKurve k(TKurve::linear);
        k.addp(static_cast<float>(pu), *zu);
        k.addp(static_cast<float>(po), *zo);
        ergebnis = pegel(pegelNichtBerechnet);
        k.wertp(static_cast<float>(P), ergebnis);
    } else {
        ergebnis = zu ? *zu : *zo;
    }
    bandsEndlich(ergebnis);
    b.pegel(QStringLiteral("L°(sub w,okt°(-sub  interpoliert"), QStringLiteral("dB"), ergebnis);
    return true;
}

} // namespace zephan
