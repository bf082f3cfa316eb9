#include "cli/command.h"
#include "cli/load_options.h"
#include "network/settings.h"
#include "pressure/air_density.h"
#include "sizing/vorschlag.h"

#include <QHash>

namespace zephan::cli {
namespace {

// zephan-cli suggest: the size suggestion of the duct and pipe pages for one flow, with the
// standard sizes of the program's settings (or of --einstellungen).
const Command suggest(
    "suggest",
    "suggest --volumenstrom Q (--geschwindigkeit V | --gefaelle R) [--rund] [--max-breite W] "
    "[--max-hoehe H] [--einstellungen DATEI] [--katalog DATEI]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        if (!ladeoptionenNehmen(args, optionen)) return usage("suggest");
        const QStringList mitWert{"--volumenstrom", "--geschwindigkeit", "--gefaelle",
                                  "--max-breite", "--max-hoehe"};
        QHash<QString, double> wert;
        bool rund = false;
        for (int k = 0; k < args.size(); ++k) {
            if (args[k] == QLatin1String("--rund")) {
                rund = true;
            } else if (mitWert.contains(args[k]) && k + 1 < args.size() &&
                       !wert.contains(args[k])) {
                QString grund;
                if (!zahlArgument(args[k + 1], wert[args[k]], grund))
                    return fehler(args[k] + QStringLiteral(": ") + grund);
                ++k;
            } else {
                return usage("suggest");
            }
        }
        const bool gefaelle = wert.contains("--gefaelle");
        if (!wert.contains("--volumenstrom") || gefaelle == wert.contains("--geschwindigkeit"))
            return usage("suggest");
        if (rund && (wert.contains("--max-breite") || wert.contains("--max-hoehe")))
            return fehler(QStringLiteral("Ein Rohr hat keine Höchstmaße."));

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        const double x = gefaelle ? wert["--gefaelle"] : wert["--geschwindigkeit"];
        const Vorschlag v =
            vorschlag(wert["--volumenstrom"], gefaelle, !rund, x, wert.value("--max-breite", -1),
                      wert.value("--max-hoehe", -1), einstellungen(), dichteStandard);
        if (!v.ok) return fehler(QString::fromUtf8(auslegungswertFehlt));
        keyValue(QStringLiteral("breite"), v.W);
        keyValue(QStringLiteral("hoehe"), v.H);
        keyValue(QStringLiteral("geschwindigkeit"), v.geschwindigkeit);
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
