#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/edit_script.h"
#include "editing/edit_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// A script is a few hundred lines; the limit keeps a device or a huge file from filling memory.
constexpr qint64 skriptGrenze = 4 * 1024 * 1024;

bool skriptLesen(const QString& datei, QStringList& zeilen, QString& grund) {
    const QString name = QDir::toNativeSeparators(datei);
    QFile f(datei);
    if (QFileInfo(datei).isDir() || !f.open(QIODevice::ReadOnly)) {
        grund = QStringLiteral("Das Skript %1 kann nicht gelesen werden.").arg(name);
        return false;
    }
    QByteArray bytes;
    while (bytes.size() <= skriptGrenze) {
        const QByteArray teil = f.read(skriptGrenze + 1 - bytes.size());
        if (teil.isEmpty()) break;
        bytes += teil;
    }
    if (f.error() != QFileDevice::NoError) {
        grund = QStringLiteral("Das Skript %1 kann nicht gelesen werden: %2")
                    .arg(name, f.errorString());
        return false;
    }
    if (bytes.size() > skriptGrenze) {
        grund = QStringLiteral("Das Skript %1 ist größer als %2 MB.")
                    .arg(name)
                    .arg(skriptGrenze / (1024 * 1024));
        return false;
    }
    if (bytes.contains('\0')) {
        grund = QStringLiteral("Das Skript %1 ist keine Textdatei.").arg(name);
        return false;
    }
    zeilen = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    return true;
}

// zephan-cli edit FILE SCRIPT [--out OUT]: applies a script of editing steps to the project
// (an empty project when FILE does not exist) and writes it to exactly OUT, or back to FILE.
// Nothing is written when a step fails, and a project loaded despite a damaged check sum is
// never written over its own file.
const Command
    edit("edit",
         "edit FILE SCRIPT [--out OUT] [--einstellungen DATEI] [--katalog DATEI] "
         "[--temporaer laden|verwerfen] [--crc-ignorieren]",
         [](const QStringList& argsIn) {
             QStringList args = argsIn;
             Ladeoptionen optionen;
             if (!ladeoptionenNehmen(args, optionen)) return usage("edit");
             QStringList frei;
             QString ziel;
             for (int k = 0; k < args.size(); ++k) {
                 if (args[k] == QStringLiteral("--out")) {
                     if (k + 1 >= args.size() || !ziel.isEmpty() || args[k + 1].isEmpty())
                         return usage("edit");
                     ziel = args[++k];
                 } else {
                     frei.append(args[k]);
                 }
             }
             if (frei.size() != 2) return usage("edit");
             const QString datei = frei[0];
             if (ziel.isEmpty()) ziel = datei;
             if (const int rc = zielPruefen(ziel)) return rc;

             QStringList zeilen;
             QString grund;
             if (!skriptLesen(frei[1], zeilen, grund)) return fehler(grund);

             KonsolenSeam konsole;
             if (const int rc = starten(optionen, konsole)) return rc;

             SkriptSeam seam;
             seam.ausgabe = [](const QString& t) { out(t + QLatin1Char('\n')); };
             seam.fehlerAusgabe = [](const QString& t) { err(t + QLatin1Char('\n')); };
             seam.aussen = &konsole;
             seam.stumm = true;
             EditSession session(seam);
             sitzungVorbereiten(session);
             // Only a name that is not there starts a new project; anything else must load.
             if (QFileInfo(datei).exists() || QFileInfo(datei).isSymLink()) {
                 if (const int rc = sitzungOeffnen(session, datei, ziel, optionen, konsole))
                     return rc;
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
