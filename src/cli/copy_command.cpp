#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/edit_session.h"
#include "editing/kette_kopieren.h"
#include "network/project_file.h"
#include "network/tree_position.h"

#include <QDir>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// zephan-cli copy FILE START TARGET --out OUT: copies the chain from START with its branches
// behind TARGET, with the copy window's checks and messages, and writes the project to OUT.
// Prints the target the copy went behind (a room or outlet stands for the node before it) and
// the first copied node. Nothing is written when the copy is refused.
const Command copy("copy",
                   "copy FILE START TARGET --out OUT [--einstellungen DATEI] [--katalog DATEI] "
                   "[--temporaer laden|verwerfen] [--crc-ignorieren]",
                   [](const QStringList& argsIn) {
                       QStringList args = argsIn;
                       Ladeoptionen optionen;
                       if (!ladeoptionenNehmen(args, optionen)) return usage("copy");
                       QString ziel;
                       if (!wertNehmen(args, QStringLiteral("--out"), ziel) || ziel.isEmpty())
                           return usage("copy");
                       if (args.size() != 3) return usage("copy");
                       for (const QString& a : args)
                           if (a.startsWith(QLatin1String("--"))) return usage("copy");
                       const QString datei = args[0];
                       if (const int rc = zielPruefen(ziel)) return rc;

                       KonsolenSeam seam;
                       if (const int rc = starten(optionen, seam)) return rc;
                       EditSession session(seam);
                       sitzungVorbereiten(session);
                       if (const int rc = sitzungOeffnen(session, datei, ziel, optionen, seam))
                           return rc;
                       tmylistitem* knoten[2] = {};
                       for (int k = 0; k < 2; ++k) {
                           knoten[k] = knotenAnPosition(session.baum(), args[k + 1]);
                           if (!knoten[k]) return keinePosition(args[k + 1]);
                       }
                       const KopierPlan plan = kopierPruefen(knoten[0], knoten[1]);
                       if (!plan.ok()) return fehler(plan.meldung);
                       const QString hinter = plan.ziel->position();
                       if (!session.kopieren(knoten[0], plan))
                           return fehler(QStringLiteral("Es wurde nichts kopiert."));
                       const tmylistitem* erster = session.selektiert();
                       if (!session.sichern(ziel)) return exitFehler;
                       keyValue(QStringLiteral("target"), hinter);
                       keyValue(QStringLiteral("first"),
                                erster ? erster->position() : QStringLiteral("-"));
                       return exitOk;
                   });

} // namespace
} // namespace zephan::cli
