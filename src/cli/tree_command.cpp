#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/text_table.h"
#include "cli/tree_calc.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <optional>

namespace zephan::cli {
namespace {

// One line per node: position, Level, Typ, title, flow, state code, section class.
QString treeZeile(const tmylistitem* n, const Volumenstroeme& stroeme) {
    const DVdata* d = nodeDaten(n);
    const QChar tab = QLatin1Char('\t');
    if (!d) return n->position() + tab + QString::number(n->Level()) + tab + QStringLiteral("-");
    return n->position() + tab + QString::number(n->Level()) + tab + QString::number(d->typ) + tab +
           nodeTitel(basisDatenTabelle(), *d) + tab + QString::number(stroeme[n]) + tab +
           QString::number(d->fehler) + tab + QString::number(abschnitt(n));
}

// The same for a person: an aligned table, flows grouped, with --calc the rounded values.
QString treeTabelle(const ProjektBaum& baum, const Volumenstroeme& stroeme,
                    const TreeCalc* rechnung) {
    std::vector<TextTabelle::Spalte> spalten{{QStringLiteral("Position"), {}, false},
                                             {QStringLiteral("Ebene"), {}, true},
                                             {QStringLiteral("Typ"), {}, true},
                                             {QStringLiteral("Bauteil"), {}, false},
                                             {QStringLiteral("V"), QStringLiteral("m³/h"), true},
                                             {QStringLiteral("Zustand"), {}, true},
                                             {QStringLiteral("Abschnitt"), {}, true}};
    if (rechnung) {
        spalten.push_back({QStringLiteral("v"), QStringLiteral("m/s"), true});
        spalten.push_back({QStringLiteral("Zeta"), QStringLiteral("-"), true});
        spalten.push_back({QStringLiteral("Δp"), QStringLiteral("Pa"), true});
    }
    TextTabelle t(std::move(spalten));
    for (const tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        const DVdata* d = nodeDaten(n);
        QStringList z{n->position(), QString::number(n->Level())};
        if (!d) {
            t.zeile(z << QStringLiteral("-"));
            continue;
        }
        z << QString::number(d->typ) << nodeTitel(basisDatenTabelle(), *d)
          << formatVolumenstrom(stroeme[n]) << QString::number(d->fehler)
          << QString::number(abschnitt(n));
        if (rechnung) {
            const TreeCalc::Zellen c = rechnung->zellen(n);
            z << c.v << c.zeta << c.dp;
        }
        t.zeile(z);
    }
    return t.text();
}

const Command
    tree("tree",
         "tree FILE [--calc] [--einstellungen DATEI] [--katalog DATEI] "
         "[--temporaer laden|verwerfen] [--crc-ignorieren] [--tsv | --tabelle]",
         [](const QStringList& argsIn) {
             QStringList args = argsIn;
             Ladeoptionen optionen;
             Ausgabe ausgabe = Ausgabe::Zeilen;
             if (!ladeoptionenNehmen(args, optionen) || !ausgabeNehmen(args, ausgabe))
                 return usage("tree");
             const bool calc = args.removeAll(QStringLiteral("--calc")) > 0;
             if (args.size() != 1) return usage("tree");
             KonsolenSeam seam;
             if (const int rc = starten(optionen, seam)) return rc;
             Projekt projekt(seam);
             if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
             const Volumenstroeme stroeme(basisDatenTabelle(), projekt.baum());
             std::optional<TreeCalc> rechnung;
             if (calc) rechnung.emplace(projekt.baum());
             if (ausgabe == Ausgabe::Tabelle) {
                 out(treeTabelle(projekt.baum(), stroeme, rechnung ? &*rechnung : nullptr));
                 return exitOk;
             }
             QString text;
             for (const tmylistitem* n = projekt.baum().topitem(); n; n = n->getNext())
                 text += treeZeile(n, stroeme) + (rechnung ? rechnung->spalten(n) : QString()) +
                         QLatin1Char('\n');
             out(text);
             return exitOk;
         });

} // namespace
} // namespace zephan::cli
