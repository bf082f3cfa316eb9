#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/simulation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zephan::cli {
namespace {

const QChar tab = QLatin1Char('\t');
const QString strich = QStringLiteral("-");

QString ganz(double x) {
    return QString::number(static_cast<long long>(std::llround(x)));
}

QString prozent(double v, double v0) {
    return v0 > 0 ? ganz((v / v0 - 1) * 100) : strich;
}

// Both tables of a line: the estimate's ends, then the balanced ends.
QString tabellenText(const SimulationsErgebnis& e) {
    QString t = QStringLiteral("line") + tab + e.kopf->position() + tab + e.kopf->caption() + tab +
                machineNumber(e.rho) + QLatin1Char('\n');
    t += QStringLiteral("estimate") + tab + QString::number(e.zyklen) + tab +
         machineNumber(e.dp0max) + tab + machineNumber(e.dpmax) + tab + ganz(e.summeV0) + tab +
         ganz(e.summeV) + QLatin1Char('\n');
    for (const SimulationsEnde& x : e.enden) {
        t += QStringLiteral("end") + tab + x.position + tab + x.name + tab + machineNumber(x.dp0) +
             tab + machineNumber(x.dp) + tab;
        t += x.mitStrom() ? ganz(x.v0) + tab + ganz(x.v) + tab + prozent(x.v, x.v0)
                          : strich + tab + strich + tab + strich;
        t += QLatin1Char('\n');
    }
    t += QStringLiteral("equilibrium") + tab + QString::number(e.gleich.iterationen) + tab +
         (e.gleich.konvergiert ? QStringLiteral("1") : QStringLiteral("0")) + tab +
         ganz(e.gleich.strom) + QLatin1Char('\n');
    for (const SimulationsEnde& x : e.enden) {
        t += QStringLiteral("balanced") + tab + x.position + tab + x.name + tab;
        t += x.mitStrom() ? machineNumber(x.dpGleich) + tab + ganz(x.v0) + tab + ganz(x.vGleich) +
                                tab + prozent(x.vGleich, x.v0)
                          : strich + tab + strich + tab + strich + tab + strich;
        t += QLatin1Char('\n');
    }
    return t;
}

QJsonObject jsonVon(const SimulationsErgebnis& e) {
    QJsonObject o;
    o[QStringLiteral("position")] = e.kopf->position();
    o[QStringLiteral("caption")] = e.kopf->caption();
    o[QStringLiteral("density")] = e.rho;
    QJsonArray schaetzung, gleich;
    for (const SimulationsEnde& x : e.enden) {
        const auto wert = [&](double v) { return x.mitStrom() ? QJsonValue(v) : QJsonValue(); };
        QJsonObject s;
        s[QStringLiteral("position")] = x.position;
        s[QStringLiteral("name")] = x.name;
        s[QStringLiteral("dpDesign")] = x.dp0;
        s[QStringLiteral("dp")] = x.dp;
        s[QStringLiteral("flowDesign")] = wert(x.v0);
        s[QStringLiteral("flow")] = wert(x.v);
        schaetzung.append(s);
        QJsonObject g;
        g[QStringLiteral("position")] = x.position;
        g[QStringLiteral("name")] = x.name;
        g[QStringLiteral("dp")] = wert(x.dpGleich);
        g[QStringLiteral("flowDesign")] = wert(x.v0);
        g[QStringLiteral("flow")] = wert(x.vGleich);
        gleich.append(g);
    }
    QJsonObject es;
    es[QStringLiteral("cycles")] = e.zyklen;
    es[QStringLiteral("dpMaxDesign")] = e.dp0max;
    es[QStringLiteral("dpMax")] = e.dpmax;
    es[QStringLiteral("flowSumDesign")] = e.summeV0;
    es[QStringLiteral("flowSum")] = e.summeV;
    es[QStringLiteral("ends")] = schaetzung;
    o[QStringLiteral("estimate")] = es;
    QJsonObject eq;
    eq[QStringLiteral("iterations")] = e.gleich.iterationen;
    eq[QStringLiteral("converged")] = e.gleich.konvergiert;
    eq[QStringLiteral("fanFlow")] = e.gleich.strom;
    eq[QStringLiteral("ends")] = gleich;
    o[QStringLiteral("equilibrium")] = eq;
    return o;
}

// The flows that settle in each line (or the one of --line): the estimate and the
// equilibrium. Nothing is written into the file.
const Command
    simulate("simulate",
             "simulate FILE [--line POSITION] [--json] [--einstellungen DATEI] [--katalog DATEI] "
             "[--temporaer laden|verwerfen] [--crc-ignorieren]",
             [](const QStringList& argsIn) {
                 QStringList args = argsIn;
                 Ladeoptionen optionen;
                 if (!ladeoptionenNehmen(args, optionen)) return usage("simulate");
                 const bool json = args.removeAll(QStringLiteral("--json")) > 0;
                 QString linie;
                 if (!wertNehmen(args, QStringLiteral("--line"), linie) || args.size() != 1 ||
                     args[0].startsWith(QLatin1String("--")))
                     return usage("simulate");

                 KonsolenSeam seam;
                 if (const int rc = starten(optionen, seam)) return rc;
                 Projekt projekt(seam);
                 if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;

                 std::vector<tmylistitem*> straenge;
                 if (!linie.isEmpty()) {
                     tmylistitem* n = knotenAnPosition(projekt.baum(), linie);
                     if (!n) return keinePosition(linie);
                     straenge.push_back(strangKopf(n));
                 } else {
                     for (int s = 0; s < projekt.baum().topCount(); ++s)
                         if (istStrangTyp(typVon(projekt.baum().topLevel(s))))
                             straenge.push_back(projekt.baum().topLevel(s));
                 }
                 if (straenge.empty()) return fehler(QStringLiteral("Es existiert kein Strang."));

                 QString text;
                 QJsonArray linien;
                 for (tmylistitem* kopf : straenge) {
                     Rechenkontext kontext = programmKontext();
                     const SimulationsErgebnis e = netzSimulieren(kopf, kontext);
                     if (!e.ok()) {
                         QString meldung = e.meldung;
                         if (e.stoppKnoten)
                             meldung += QStringLiteral(" Position: ") + e.stoppKnoten->position();
                         return fehler(meldung);
                     }
                     if (json)
                         linien.append(jsonVon(e));
                     else
                         text += tabellenText(e);
                 }
                 if (json) {
                     QJsonObject o;
                     o[QStringLiteral("lines")] = linien;
                     out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
                 } else {
                     out(text);
                 }
                 return exitOk;
             });

} // namespace
} // namespace zephan::cli
