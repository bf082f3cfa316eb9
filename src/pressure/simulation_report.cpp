#include "pressure/simulation_report.h"

#include "network/tree_container.h"
#include "pressure/project_head.h"
#include "pressure/simulation.h"
#include "report/report_document.h"
#include "store/number_format.h"

namespace zephan {

namespace {

const QString strich = QStringLiteral("-");
const QChar trenner = QLatin1Char('|');

// The change against the design flow in per cent; "-" without a design flow.
QString prozent(double v, double v0) {
    return v0 > 0 ? formatZahl((v / v0 - 1) * 100, 0) : strich;
}

void schaetzungSchreiben(TDruck& doc, const SimulationsErgebnis& e) {
    doc.tabelle(QStringLiteral("0,15,*,-8,-8,-10,-9,-6"));
    doc.add(QStringLiteral("Position|Raum|°(delta p  soll|°(delta p  ist|°.V  soll|°.V  ist|%"));
    for (const SimulationsEnde& x : e.enden) {
        QString z = x.position + trenner + x.name + trenner + formatZahl(x.dp0, 0) + trenner +
                    formatZahl(x.dp, 0) + trenner;
        if (x.mitStrom())
            z += formatZahl(x.v0, 0) + trenner + formatZahl(x.v, 0) + trenner + prozent(x.v, x.v0);
        else
            z += strich + trenner + strich + trenner + strich;
        doc.add(z);
    }
    doc.leer();
    doc.add(QStringLiteral("Druckverlust Vorher/Nacher: ") + formatZahl(e.dp0max, 1) +
            QStringLiteral(" / ") + formatZahl(e.dpmax, 1) + QStringLiteral("  [Pa]"));
    doc.add(QStringLiteral("Volumenstrom Vorher/Nacher: ") + formatZahl(e.summeV0, 0) +
            QStringLiteral(" / ") + formatZahl(e.summeV, 0) + QStringLiteral("  [m³/h]"));
    doc.leer();
    doc.add(simtext::warnung);
}

void gleichgewichtSchreiben(TDruck& doc, const SimulationsErgebnis& e) {
    doc.leer();
    doc.headline(simtext::gleichgewicht);
    doc.tabelle(QStringLiteral("0,15,*,-10,-10,-10,-6"));
    doc.add(QStringLiteral("Position|Raum|°(delta p|°.V  soll|°.V  ist|%"));
    for (const SimulationsEnde& x : e.enden) {
        QString z = x.position + trenner + x.name + trenner;
        if (x.mitStrom())
            z += formatZahl(x.dpGleich, 0) + trenner + formatZahl(x.v0, 0) + trenner +
                 formatZahl(x.vGleich, 0) + trenner + prozent(x.vGleich, x.v0);
        else
            z += strich + trenner + strich + trenner + strich + trenner + strich;
        doc.add(z);
    }
    doc.leer();
    doc.add(QStringLiteral("Volumenstrom des Ventilators: ") + formatZahl(e.gleich.strom, 0) +
            QStringLiteral("  [m³/h]"));
    doc.add(QStringLiteral("Iterationen: ") + QString::number(e.gleich.iterationen));
    if (!e.gleich.konvergiert) doc.add(simtext::nichtKonvergiert);
}

} // namespace

void simulationsBericht(TDruck& doc, const SimulationsErgebnis& e, const ProjektDaten& projekt) {
    doc.drucken = true;
    doc.clear();
    druckkopf(doc, projekt);
    doc.headline((e.kopf ? e.kopf->caption() : QString()) + simtext::titel);
    schaetzungSchreiben(doc, e);
    if (e.gleich.gerechnet) gleichgewichtSchreiben(doc, e);
}

} // namespace zephan
