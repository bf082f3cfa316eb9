#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/progress_line.h"
#include "cli/text_table.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure.h"
#include "pressure/network_row.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/output_target.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zephan::cli {
namespace {

const QChar tab = QLatin1Char('\t');

// A stored number text as a JSON number; null when the text holds none.
QJsonValue textZahl(const QString& text) {
    bool ok = false;
    const double x = leseZahl(text, &ok);
    return ok ? QJsonValue(x) : QJsonValue();
}

QString endePosition(const StrangErgebnis& s) {
    return s.unguenstigstes >= 0 ? s.enden[static_cast<size_t>(s.unguenstigstes)].position
                                 : QString();
}

// The report gives the fan's pressure for a whole line, or for a target in a line without
// branches; a target path in a line with branches gets no fan block, so no fan figures.
bool mitVentilatorBlock(const StrangErgebnis& s) {
    return !s.ziel || !s.hatAbzweige;
}

QString tabellenText(const NetzErgebnis& e) {
    QString t;
    for (const StrangErgebnis& s : e.straenge) {
        const bool fan = mitVentilatorBlock(s);
        const QString ohne = QStringLiteral("-");
        t += QStringLiteral("line") + tab + s.kopf->position() + tab + s.kopf->caption() + tab +
             endePosition(s) + tab + machineNumber(s.maximum) + tab +
             (fan ? machineNumber(s.ventilatorVerlust) : ohne) + tab +
             (fan ? machineNumber(s.gesamt()) : ohne) + tab + machineNumber(s.ventilatorStrom) +
             QLatin1Char('\n');
        for (const StrangEnde& ende : s.enden)
            t += QStringLiteral("end") + tab + ende.position + tab + ende.name + tab +
                 machineNumber(ende.dpExt) + tab + machineNumber(s.zuwenig(ende)) +
                 QLatin1Char('\n');
    }
    return t;
}

// The same for a person: the lines with their fan figures, then every chain end with the
// throttling it needs, rounded as the report rounds them.
QString personenText(const NetzErgebnis& e) {
    TextTabelle linien({{QStringLiteral("Strang"), {}, false},
                        {QStringLiteral("Bezeichnung"), {}, false},
                        {QStringLiteral("ungünstigstes Ende"), {}, false},
                        {QStringLiteral("Δp ext"), QStringLiteral("Pa"), true},
                        {QStringLiteral("Δp Gerät"), QStringLiteral("Pa"), true},
                        {QStringLiteral("Δp gesamt"), QStringLiteral("Pa"), true},
                        {QStringLiteral("V"), QStringLiteral("m³/h"), true}});
    TextTabelle enden({{QStringLiteral("Ende"), {}, false},
                       {QStringLiteral("Raum"), {}, false},
                       {QStringLiteral("Δp ext"), QStringLiteral("Pa"), true},
                       {QStringLiteral("Differenz"), QStringLiteral("Pa"), true}});
    const QString ohne = QStringLiteral("-");
    for (const StrangErgebnis& s : e.straenge) {
        const bool fan = mitVentilatorBlock(s);
        linien.zeile({s.kopf->position(), s.kopf->caption(), endePosition(s),
                      formatZahl(s.maximum, 0), fan ? formatZahl(s.ventilatorVerlust, 0) : ohne,
                      fan ? formatZahl(s.gesamt(), 0) : ohne,
                      formatVolumenstrom(s.ventilatorStrom)});
        for (const StrangEnde& ende : s.enden) {
            const double diff = s.zuwenig(ende);
            QString name = ende.name;
            if (ende.unvollstaendig) name += QStringLiteral(" (unvollständig)");
            enden.zeile({ende.position, name, formatZahl(ende.dpExt, 0),
                         diff >= 0.5 ? formatZahl(diff, 0) : ohne});
        }
    }
    return linien.text() + (enden.leer() ? QString() : QLatin1Char('\n') + enden.text());
}

QJsonObject pfadKnotenJson(const StrangErgebnis& s, const PfadKnoten& p) {
    // The record as the calculation leaves it; the command stores nothing in the project.
    const DVdata d = s.daten(p.knoten);
    DVdata mitTexten = d;
    mitTexten.p[0] = p.v;
    mitTexten.p[1] = p.zeta;
    const StrangZellen zellen = strangZellen(mitTexten, basisDaten(d.typ));
    QJsonObject o;
    o[QStringLiteral("position")] = p.knoten->position();
    o[QStringLiteral("branch")] = p.abzweig;
    o[QStringLiteral("type")] = d.typ;
    o[QStringLiteral("title")] = strangTitel(basisDatenTabelle(), d);
    o[QStringLiteral("flow")] = p.volumenstrom;
    o[QStringLiteral("v")] = zellen.v ? textZahl(p.v) : QJsonValue();
    o[QStringLiteral("zeta")] = zellen.zeta ? textZahl(p.zeta) : QJsonValue();
    o[QStringLiteral("dp")] = p.dp;
    o[QStringLiteral("dpExt")] = p.dpExt;
    return o;
}

QByteArray jsonText(const NetzErgebnis& e) {
    QJsonArray linien;
    for (const StrangErgebnis& s : e.straenge) {
        QJsonObject o;
        o[QStringLiteral("position")] = s.kopf->position();
        o[QStringLiteral("caption")] = s.kopf->caption();
        o[QStringLiteral("density")] = s.rho;
        o[QStringLiteral("target")] = s.ziel ? QJsonValue(s.ziel->position()) : QJsonValue();
        o[QStringLiteral("branches")] = s.hatAbzweige;
        o[QStringLiteral("worstEnd")] =
            s.unguenstigstes >= 0 ? QJsonValue(endePosition(s)) : QJsonValue();
        o[QStringLiteral("dpExtMax")] = s.maximum;
        o[QStringLiteral("fan")] = s.mitVentilator;
        o[QStringLiteral("fanInternal")] =
            mitVentilatorBlock(s) ? QJsonValue(s.ventilatorVerlust) : QJsonValue();
        o[QStringLiteral("fanTotal")] =
            mitVentilatorBlock(s) ? QJsonValue(s.gesamt()) : QJsonValue();
        o[QStringLiteral("fanFlow")] = s.ventilatorStrom;
        QJsonArray enden;
        for (const StrangEnde& ende : s.enden) {
            QJsonObject eo;
            eo[QStringLiteral("position")] = ende.position;
            eo[QStringLiteral("name")] = ende.name;
            eo[QStringLiteral("dpExt")] = ende.dpExt;
            eo[QStringLiteral("shortfall")] = s.zuwenig(ende);
            eo[QStringLiteral("incomplete")] = ende.unvollstaendig;
            enden.append(eo);
        }
        o[QStringLiteral("ends")] = enden;
        QJsonArray pfad;
        for (const PfadKnoten& p : s.pfad) pfad.append(pfadKnotenJson(s, p));
        o[QStringLiteral("worstPath")] = pfad;
        linien.append(o);
    }
    QJsonObject wurzel;
    wurzel[QStringLiteral("lines")] = linien;
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented);
}

const Command pressure(
    "pressure",
    "pressure FILE [--line POSITION] [--target POSITION] [--markup OUT.txt] [--pdf OUT.pdf] "
    "[--json] [--einstellungen DATEI] [--katalog DATEI] [--temporaer laden|verwerfen] "
    "[--crc-ignorieren] [--tsv | --tabelle]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        Ausgabe ausgabe = Ausgabe::Zeilen;
        if (!ladeoptionenNehmen(args, optionen) || !ausgabeNehmen(args, ausgabe))
            return usage("pressure");
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        QString linie, ziel, markup, pdf;
        if (!wertNehmen(args, QStringLiteral("--line"), linie) ||
            !wertNehmen(args, QStringLiteral("--target"), ziel) ||
            !wertNehmen(args, QStringLiteral("--markup"), markup) ||
            !wertNehmen(args, QStringLiteral("--pdf"), pdf))
            return usage("pressure");
        if (args.size() != 1 || args[0].startsWith(QLatin1String("--")) ||
            (!linie.isEmpty() && !ziel.isEmpty()))
            return usage("pressure");
        if ((!markup.isEmpty() && !ausgabeDatei(markup)) || (!pdf.isEmpty() && !ausgabeDatei(pdf)))
            return exitFehler;

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        Projekt projekt(seam);
        if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;

        NetzOptionen o;
        o.projekt = &projekt.daten();
        // The stop's message is printed below with the node's position.
        SilentSeam still;
        o.seam = &still;
        for (const QString& pos : {linie, ziel}) {
            if (pos.isEmpty()) continue;
            tmylistitem* n = knotenAnPosition(projekt.baum(), pos);
            if (!n) return keinePosition(pos);
            if (pos == linie) {
                o.nurStrang = n;
            } else {
                o.ganzerStrang = false;
                o.auswahl = n;
            }
        }

        TDruck doc;
        Rechenkontext kontext = programmKontext();
        kontext.druck = &doc;
        Fortschrittszeile zeile(QStringLiteral("Druckverlustberechnung"));
        kontext.fortschritt = &zeile;
        const NetzErgebnis e = netzberechnen(projekt.baum(), kontext, o);
        zeile.beenden();
        if (!e.ok()) {
            QString text = e.meldung;
            if (e.knoten) text += QStringLiteral(" Position: ") + e.knoten->position();
            return fehler(text);
        }
        if (QString grund; !markup.isEmpty() && !markupSchreiben(doc, markup, grund))
            return fehler(grund);
        if (!pdf.isEmpty()) {
            QString meldung;
            TLayoutEinstellungen le;
            le.seam = &seam;
            Fortschrittszeile pdfZeile(QStringLiteral("PDF"));
            le.fortschritt = [&pdfZeile](const QString& t, int i, int n) {
                return pdfZeile.zeigen(t, i, n);
            };
            if (!berichtAlsPdf(doc, pdf, le, &meldung)) return fehler(meldung);
        }
        if (json)
            out(QString::fromUtf8(jsonText(e)));
        else if (ausgabe == Ausgabe::Tabelle)
            out(personenText(e));
        else
            out(tabellenText(e));
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
