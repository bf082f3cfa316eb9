#include "pressure/network_pressure_report.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/tree_container.h"
#include "pressure/network_row.h"
#include "pressure/position_cache.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <array>
#include <optional>

namespace zephan {

namespace {

// The rows of a line's passages. A row that several balancing blocks show is made once.
class Zeilen {
public:
    explicit Zeilen(const StrangErgebnis& e) : e_(e), texte_(e.knoten.size()) {}

    QString machen(const PfadKnoten& p) {
        const DVdata d = e_.daten(p.knoten);
        StrangzeilenDaten sd;
        sd.knoten = p.knoten;
        sd.rec = &d;
        sd.v = &p.v;
        sd.zeta = &p.zeta;
        sd.position = &positionen_.von(p.knoten);
        sd.katalog = e_.katalog;
        sd.volumenstrom = p.volumenstrom;
        sd.dp = p.dp;
        sd.dpExt = p.dpExt;
        sd.abzweig = p.abzweig;
        return strangzeile(sd);
    }

    // The row of a passage as the node results hold it now.
    const QString& gemerkt(const PfadKnoten& p) {
        const size_t k = static_cast<size_t>(p.knoten->Index() - e_.basis);
        std::optional<QString>& t = texte_[k][static_cast<size_t>(p.zweig)];
        if (!t) t = machen(p);
        return *t;
    }

private:
    const StrangErgebnis& e_;
    Positionen positionen_;
    std::vector<std::array<std::optional<QString>, 3>> texte_;
};

void zusammenfassungSchreiben(TDruck& doc, const StrangErgebnis& e) {
    doc.headline(QStringLiteral("Zusammenfassung"));
    doc.tabelle(QStringLiteral("0,35,*,-20,-12"));
    doc.add(QStringLiteral("Position|Raum|°(delta p°(colsub ext°(col-sub|Differenz"));
    for (const StrangEnde& ende : e.enden) {
        const double diff = e.zuwenig(ende);
        QString name = ende.name;
        if (ende.unvollstaendig) name += QStringLiteral(" (unvollständig)");
        doc.add(ende.position + QLatin1Char('|') + name + QLatin1Char('|') +
                formatZahl(ende.dpExt, 0) + QLatin1Char('|') +
                (diff >= 0.5 ? formatZahl(diff, 0) : QStringLiteral("-")));
    }
}

void ventilatorSchreiben(TDruck& doc, const StrangErgebnis& e) {
    doc.leer();
    if (e.ventilatorVerlust != 0) {
        doc.tabelle(QStringLiteral("0,35,-10,30"));
        doc.design(QStringLiteral("l|r"));
        doc.add(QStringLiteral("interner Druckverlust Gerät|") +
                formatZahl(e.ventilatorVerlust, 0) + QStringLiteral(" Pa"));
        doc.design(QStringLiteral("+U|+U|+U"));
        doc.add(QStringLiteral("externer Druckverlust °(delta p°(colsub ext°(col-sub|") +
                formatZahl(e.maximum, 0) + QStringLiteral(" Pa"));
        doc.design(QStringLiteral("l|r|l"));
        doc.add(QStringLiteral("erf. Totaldruckerhöhung °(delta p°(colsub gesamt°(col-sub |") +
                formatZahl(e.gesamt(), 0) + QStringLiteral(" Pa| bei ") +
                formatZahl(e.ventilatorStrom, 0) + QStringLiteral(" m³/h"));
        doc.leer();
    } else {
        doc.add(QStringLiteral("externer Druckverlust: ") + formatZahl(e.maximum, 0) +
                QStringLiteral(" Pa"));
        doc.leer();
    }
    doc.Absatz();
}

void tabellenKopf(TDruck& doc) {
    doc.tabelle(strangtabelle::format);
    doc.add(strangtabelle::kopf);
    doc.add(strangtabelle::einheiten);
}

// The worst path (or the path to the target) and an empty row after it.
void pfadSchreiben(TDruck& doc, const StrangErgebnis& e, Zeilen& zeilen) {
    if (e.unguenstigstes < 0) return;
    for (const PfadKnoten& p : e.pfad) doc.addW(zeilen.machen(p));
    doc.addW(QString());
}

// One block per end that lacks pressure: the table head, the path from the first branch
// piece on, and how much the end lacks.
void abgleichSchreiben(TDruck& doc, const StrangErgebnis& e, Zeilen& zeilen) {
    const tBasisDaten_* kopfKat = e.katalog->get(typVon(e.kopf));
    const QString strangTitel = kopfKat ? kopfKat->titel : QString();
    for (const AbgleichEnde& a : e.abgleich) {
        doc.addW(QStringLiteral("°XB"));
        doc.addW(QStringLiteral("°ÜErforderliche Korrektur für Abgleich"));
        doc.addW(QStringLiteral("°T") + strangtabelle::format);
        doc.addW(strangtabelle::kopfAbgleich);
        doc.addW(strangtabelle::einheiten);
        for (const PfadKnoten& p : e.pfadZu(a.knoten, e.erstesStueck)) doc.addW(zeilen.gemerkt(p));
        doc.addW(QString());
        doc.addW(strangTitel + QStringLiteral(". ") + a.name +
                 QStringLiteral(", Summe °(delta p°(colsub ext°(col-sub :") +
                 formatZahl(a.dpExt, 0) + QStringLiteral(" [Pa]. Zuwenig: ") +
                 formatZahl(e.maximum - a.dpExt, 0) + QStringLiteral(" [Pa]"));
        doc.addW(QString());
    }
}

} // namespace

void strangBerichtSchreiben(TDruck& bericht, const StrangErgebnis& e, bool zusammenfassung) {
    const DVdata* kopfDaten = nodeDaten(e.kopf);
    bericht.headline(QStringLiteral("Druckverlustberechnung von ") + e.kopf->caption());
    if (kopfDaten && !kopfDaten->Text.isEmpty())
        bericht.add(QStringLiteral("Beschreibung: ") + kopfDaten->Text);
    Zeilen zeilen(e);
    if (!e.ziel || !e.hatAbzweige) {
        if (e.hatAbzweige) zusammenfassungSchreiben(bericht, e);
        ventilatorSchreiben(bericht, e);
        if (!e.ziel)
            bericht.headline(e.kopf->caption() + QStringLiteral(" : Ungünstigster Strang"));
        tabellenKopf(bericht);
        pfadSchreiben(bericht, e, zeilen);
        if (e.hatAbzweige && !zusammenfassung) {
            abgleichSchreiben(bericht, e, zeilen);
            bericht.Absatz();
        }
    } else {
        const DVdata* zd = nodeDaten(e.ziel);
        bericht.headline(QStringLiteral("bis Raum ") + (zd ? zd->p[2] : QString()));
        tabellenKopf(bericht);
        pfadSchreiben(bericht, e, zeilen);
    }
}

} // namespace zephan
