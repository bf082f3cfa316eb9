#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "pressure/druckverlauf.h"
#include "pressure/druckverlauf_bericht.h"
#include "pressure/network_pressure_core.h"
#include "pressure/project_head.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "render/verlauf_bild.h"
#include "report/report_document.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zephan::cli {
namespace {

QByteArray jsonText(const Druckverlauf& v, const QString& hinweis) {
    QJsonArray punkte;
    for (size_t k = 0; k < v.a.size(); ++k) {
        const TDaten& p = v.a[k];
        QJsonObject o;
        o[QStringLiteral("n")] = static_cast<int>(k) + 1;
        o[QStringLiteral("title")] = p.titel;
        o[QStringLiteral("position")] = p.knoten ? QJsonValue(p.knoten->position()) : QJsonValue();
        o[QStringLiteral("ps")] = p.ps;
        o[QStringLiteral("pd")] = p.pd;
        o[QStringLiteral("pt")] = p.pt;
        punkte.append(o);
    }
    QJsonObject o;
    o[QStringLiteral("line")] = v.kopf->position();
    o[QStringLiteral("end")] = v.ziel->position();
    o[QStringLiteral("fanLift")] = v.totald;
    o[QStringLiteral("points")] = punkte;
    o[QStringLiteral("warning")] = hinweis.isEmpty() ? QJsonValue() : QJsonValue(hinweis);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

// The points of the path from the line head to a chain end: point number, title, the point's
// own change, the dynamic pressure and the pressure at the point [Pa]. A path whose
// calculation stopped at a node keeps its points up to there and names the node on stderr.
const Command profile(
    "profile",
    "profile FILE END_POSITION [--json] [--png OUT.png] [--pdf OUT.pdf] "
    "[--einstellungen DATEI] [--katalog DATEI] [--temporaer laden|verwerfen] "
    "[--crc-ignorieren]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        if (!ladeoptionenNehmen(args, optionen)) return usage("profile");
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        QString png, pdf;
        if (!wertNehmen(args, QStringLiteral("--png"), png) ||
            !wertNehmen(args, QStringLiteral("--pdf"), pdf))
            return usage("profile");
        if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) ||
            args[1].startsWith(QLatin1String("--")))
            return usage("profile");
        if ((!png.isEmpty() && !ausgabeDatei(png)) || (!pdf.isEmpty() && !ausgabeDatei(pdf)))
            return exitFehler;

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        Projekt projekt(seam);
        if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
        tmylistitem* ziel = knotenAnPosition(projekt.baum(), args[1]);
        if (!ziel) return keinePosition(args[1]);

        Rechenlauf lauf;
        Rechenkontext kontext = programmKontext();
        VerlaufErgebnis e = verlaufSammeln(lauf, strangKopf(ziel), ziel, kontext);
        if (!e.ok) return fehler(e.meldung + QStringLiteral(": ") + args[1]);
        Druckverlauf& v = e.verlauf;
        if (!e.meldung.isEmpty()) err(e.meldung + QLatin1Char('\n'));

        if (!pdf.isEmpty()) {
            TDruck doc;
            druckkopf(doc, projekt.daten());
            verlaufBericht(doc, v);
            QString meldung;
            TLayoutEinstellungen le;
            le.seam = &seam;
            if (!berichtAlsPdf(doc, pdf, le, &meldung)) return fehler(meldung);
        }
        if (!png.isEmpty()) {
            const QImage bild = verlaufBild(v, verlaufBreite(v), 400, VerlaufAnsicht{});
            if (!bild.save(png, "PNG"))
                return fehler(QStringLiteral("Fehler beim Erstellen oder Speichern der Datei ") +
                              png);
        }
        if (json) {
            out(QString::fromUtf8(jsonText(v, e.meldung)));
            return exitOk;
        }
        QString text;
        const QChar tab = QLatin1Char('\t');
        for (size_t k = 0; k < v.a.size(); ++k) {
            const TDaten& p = v.a[k];
            text += QStringLiteral("point") + tab + QString::number(k + 1) + tab + p.titel + tab +
                    machineNumber(p.ps) + tab + machineNumber(p.pd) + tab + machineNumber(p.pt) +
                    QLatin1Char('\n');
        }
        out(text);
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
