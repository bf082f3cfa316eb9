#include "acoustics/daempfung_strecke.h"
#include "acoustics/pegelsenkung.h"
#include "bands/pegel.h"
#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/program_context.h"
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

// True when the band holds an attenuation (not the no-result or abort marker).
bool gegeben(double x) {
    return x > pegelAbgebrochen + 0.5 || x < pegelNichtBerechnet - 0.5 ||
           (x > pegelNichtBerechnet + 0.5 && x < pegelAbgebrochen - 0.5);
}

QString status(const TPegel& p) {
    if (ganzerPegel(p, pegelAbgebrochen)) return QStringLiteral("abgebrochen");
    if (ganzerPegel(p, pegelNichtBerechnet)) return QStringLiteral("keine Pegelsenkung");
    return QStringLiteral("ok");
}

// Between two components: one row per component on the way, then the sum.
int zwischen(QStringList args, const Ladeoptionen& optionen, bool bericht, bool json) {
    QString von, bis;
    if (!wertNehmen(args, QStringLiteral("--from"), von) ||
        !wertNehmen(args, QStringLiteral("--to"), bis) || von.isEmpty() || bis.isEmpty() ||
        args.size() != 1)
        return usage("attenuation");
    KonsolenSeam seam;
    if (const int rc = starten(optionen, seam)) return rc;
    Projekt projekt(seam);
    if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
    tmylistitem* knoten[2] = {nullptr, nullptr};
    for (int i = 0; i < 2; ++i) {
        const QString& pos = i == 0 ? von : bis;
        knoten[i] = knotenAnPosition(projekt.baum(), pos);
        if (!knoten[i]) return keinePosition(pos);
    }
    TDruck doc;
    doc.drucken = bericht;
    Rechenkontext k = programmKontext();
    k.druck = &doc;
    k.fortschritt = &seam;
    const Streckendaempfung s = daempfungZwischen(knoten[0], knoten[1], k);
    if (!s.ok) return fehler(s.meldung);
    const auto zahlen = [](const TPegel& p) {
        QString t;
        for (int b = 0; b < bandAnzahl; ++b) t += QLatin1Char('\t') + QString::number(p[b], 'f', 2);
        return t;
    };
    if (json) {
        QJsonArray glieder;
        for (const Streckenglied& g : s.glieder) {
            QJsonObject o;
            o[QStringLiteral("position")] = g.knoten->position();
            o[QStringLiteral("side")] = g.seite;
            QJsonArray d;
            for (int b = 0; b < bandAnzahl; ++b) d.append(std::round(g.D[b] * 100) / 100);
            o[QStringLiteral("db")] = d;
            glieder.append(o);
        }
        QJsonArray summe;
        for (int b = 0; b < bandAnzahl; ++b) summe.append(std::round(s.summe[b] * 100) / 100);
        QJsonObject o;
        o[QStringLiteral("components")] = glieder;
        o[QStringLiteral("sum")] = summe;
        out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        for (const Streckenglied& g : s.glieder)
            out(g.knoten->position() + QLatin1Char('\t') + QString::number(g.seite) + zahlen(g.D) +
                QLatin1Char('\n'));
        out(QStringLiteral("sum\t-") + zahlen(s.summe) + QLatin1Char('\n'));
    }
    if (bericht) {
        QString text;
        for (const QString& z : doc.m) text += z + QLatin1Char('\n');
        out(text);
    }
    return exitOk;
}

const Command attenuation(
    "attenuation",
    "attenuation FILE POSITION [--side N] | FILE --from POSITION --to POSITION; [--report] "
    "[--json] [--einstellungen DATEI] "
    "[--katalog DATEI] [--temporaer laden|verwerfen] [--crc-ignorieren]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        if (!ladeoptionenNehmen(args, optionen)) return usage("attenuation");
        const bool bericht = args.removeAll(QStringLiteral("--report")) > 0;
        const bool json = args.removeAll(QStringLiteral("--json")) > 0;
        if (args.contains(QStringLiteral("--from")) || args.contains(QStringLiteral("--to")))
            return zwischen(args, optionen, bericht, json);
        int seite = 0;
        if (!seiteNehmen(args, seite)) return usage("attenuation");
        if (args.size() != 2) return usage("attenuation");

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        Projekt projekt(seam);
        if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
        tmylistitem* n = schallBauteil(projekt.baum(), args[1], seite, true);
        if (!n) return exitFehler;

        TDruck doc;
        doc.drucken = bericht;
        Rechenkontext k = programmKontext();
        k.druck = &doc;
        k.rho = strangDichte(n);
        k.fortschritt = &seam;
        const TPegel p = pegelsenkung(n, seite, k);
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
                    gegeben(p[b]) ? QJsonValue(std::round(p[b] * 100) / 100) : QJsonValue();
                baender.append(z);
            }
            o[QStringLiteral("bands")] = baender;
            o[QStringLiteral("status")] = status(p);
            out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
        } else {
            for (int b = 0; b < bandAnzahl; ++b)
                out(QString::number(b + 1) + QLatin1Char('\t') +
                    QString::number(oktavFrequenzen[b]) + QLatin1Char('\t') +
                    (gegeben(p[b]) ? QString::number(p[b], 'f', 2) : QStringLiteral("-")) +
                    QLatin1Char('\n'));
            out(QStringLiteral("status\t") + status(p) + QLatin1Char('\n'));
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
