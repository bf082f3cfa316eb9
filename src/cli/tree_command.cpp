#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/tree_calc.h"
#include "network/model_queries.h"
#include "network/project_file.h"
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
           nodeTitel(*d) + tab + QString::number(stroeme[n]) + tab + QString::number(d->fehler) +
           tab + QString::number(abschnitt(n));
}

const Command tree("tree",
                   "tree FILE [--calc] [--einstellungen DATEI] [--katalog DATEI] "
                   "[--temporaer laden|verwerfen] [--crc-ignorieren]",
                   [](const QStringList& argsIn) {
                       QStringList args = argsIn;
                       Ladeoptionen optionen;
                       if (!ladeoptionenNehmen(args, optionen)) return usage("tree");
                       const bool calc = args.removeAll(QStringLiteral("--calc")) > 0;
                       if (args.size() != 1) return usage("tree");
                       KonsolenSeam seam;
                       if (const int rc = starten(optionen, seam)) return rc;
                       Projekt projekt(seam);
                       if (const int rc = projektOeffnen(projekt, args[0], optionen, seam))
                           return rc;
                       const Volumenstroeme stroeme(projekt.baum());
                       std::optional<TreeCalc> rechnung;
                       if (calc) rechnung.emplace(projekt.baum());
                       QString text;
                       for (const tmylistitem* n = projekt.baum().topitem(); n; n = n->getNext())
                           text += treeZeile(n, stroeme) +
                                   (rechnung ? rechnung->spalten(n) : QString()) +
                                   QLatin1Char('\n');
                       out(text);
                       return exitOk;
                   });

} // namespace
} // namespace zephan::cli
