#include "cli/command.h"
#include "editing/edit_script.h"
#include "editing/edit_session.h"

#include <QFile>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// zephan-cli edit FILE SCRIPT [--out OUT]: applies a script of editing steps to the project
// (an empty project when FILE does not exist) and writes it to OUT, or back to FILE. Nothing
// is written when a step fails.
const Command edit("edit", "edit FILE SCRIPT [--out OUT]", [](const QStringList& args) {
    QStringList frei;
    QString ziel;
    for (int k = 0; k < args.size(); ++k) {
        if (args[k] == QStringLiteral("--out")) {
            if (k + 1 >= args.size()) return usage("edit");
            ziel = args[++k];
        } else {
            frei.append(args[k]);
        }
    }
    if (frei.size() != 2) return usage("edit");
    const QString datei = frei[0];
    if (ziel.isEmpty()) ziel = datei;

    QFile skript(frei[1]);
    if (!skript.open(QIODevice::ReadOnly))
        return fehler(QStringLiteral("Das Skript %1 kann nicht gelesen werden.").arg(frei[1]));
    const QStringList zeilen = QString::fromUtf8(skript.readAll()).split(QLatin1Char('\n'));

    SkriptSeam seam;
    seam.ausgabe = [](const QString& t) { out(t + QLatin1Char('\n')); };
    seam.fehlerAusgabe = [](const QString& t) { err(t + QLatin1Char('\n')); };
    seam.stumm = true;
    EditSession session(seam);
    session.projekt().setAutomatischSichern([] { return false; });
    if (QFileInfo::exists(datei)) {
        if (!session.laden(datei)) return exitFehler;
        seam.stumm = false;
    } else {
        seam.stumm = false;
        session.neu();
    }

    const SkriptErgebnis r = skriptAusfuehren(session, seam, zeilen);
    if (!r.ok) return fehler(r.fehler + QStringLiteral(" Es wurde nichts gespeichert."));

    seam.stumm = true;
    if (!session.sichern(ziel)) return exitFehler;
    return exitOk;
});

} // namespace
} // namespace zephan::cli
