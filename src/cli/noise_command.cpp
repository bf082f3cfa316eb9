#include "acoustics/stroemungsgeraeusch.h"
#include "bands/pegel.h"
#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/program_context.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "report/report_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace zephan::cli {
namespace {

// True when the band holds a level (not the no-result or abort marker).
bool gegeben(double x) {
    return x > pegelAbgebrochen + 0.5 || x < pegelNichtBerechnet - 0.5 ||
           (x > pegelNichtBerechnet + 0.5 && x < pegelAbgebrochen - 0.5);
}

// The A-weighted total of the seven bands; nothing when no band holds a level.
bool aBewertet(const TPegel& p, double& la) {
    TPegel a = p;
    bool eins = false;
    for (int k = 0; k < bandAnzahl; ++k) {
        if (!gegeben(p[k])) {
            a[k] = pegelNichtBerechnet;
            continue;
        }
        a[k] = p[k] + aBewertung[k];
        eins = true;
    }
    if (!eins) return false;
    la = gesamtpegel(a);
    return std::isfinite(la);
}

QString eineStelle(double x) {
    return QString::number(x, 'f', 1);
}

const Command noise(
    "noise",
    "noise FILE POSITION [--side N] [--report] [--json] [--einstellungen DATEI] "
    "[--katalog DATEI] [--temporaer laden|verwerfen] [--crc-ignorieren]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        if (!ladeoptionenNehmen(args, optionen)) return usage("noise");
        const bool bericht = args.removeAll(QStringLiteral("--report")) > 0;
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        int seite = 0;
        if (!seiteNehmen(args, seite)) return usage("noise");
        if (args.size() != 2) return usage("noise");

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        Projekt projekt(seam);
        if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
        tmylistitem* n = schallBauteil(projekt.baum(), args[1], seite, false);
        if (!n) return exitFehler;

        TDruck doc;
        doc.drucken = bericht;
        Rechenkontext k = programmKontext();
        k.druck = &doc;
        k.rho = strangDichte(n);
        k.fortschritt = &seam;
        const TPegel p = stroemungsgeraeusch(n, seite, k);
        double la = 0;
        const bool mitLa = aBewertet(p, la);
        if (json) {
            QJsonObject o;
            o[QStringLiteral("position")] = args[1];
            o[QStringLiteral("side")] = seite;
            QJsonArray baender;
            for (int b = 0; b < bandAnzahl; ++b) {
                QJsonObject z;
                z[QStringLiteral("band")] = b + 1;
                z[QStringLiteral("hz")] = oktavFrequenzen[b];
                z[QStringLiteral("db")] =
                    gegeben(p[b]) ? QJsonValue(std::round(p[b] * 10) / 10) : QJsonValue();
                baender.append(z);
            }
            o[QStringLiteral("bands")] = baender;
            o[QStringLiteral("lwa")] = mitLa ? QJsonValue(std::round(la * 10) / 10) : QJsonValue();
            if (ganzerPegel(p, pegelAbgebrochen))
                o[QStringLiteral("status")] = QStringLiteral("abgebrochen");
            else if (!mitLa)
                o[QStringLiteral("status")] = QStringLiteral("kein Strömungsgeräusch");
            else
                o[QStringLiteral("status")] = QStringLiteral("ok");
            out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
        } else {
            for (int b = 0; b < bandAnzahl; ++b)
                out(QString::number(b + 1) + QLatin1Char('\t') +
                    QString::number(oktavFrequenzen[b]) + QLatin1Char('\t') +
                    (gegeben(p[b]) ? eineStelle(p[b]) : QStringLiteral("-")) + QLatin1Char('\n'));
            out(QStringLiteral("LWA\t") + (mitLa ? eineStelle(la) : QStringLiteral("-")) +
                QLatin1Char('\n'));
        }
        if (bericht) {
            QString text;
            for (const QString& z : doc.m) text += z + QLatin1Char('\n');
            out(text);
        }
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
