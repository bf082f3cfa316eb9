#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/text_table.h"
#include "editing/field_range.h"
#include "network/settings.h"
#include "pressure/air_density.h"
#include "sizing/vorschlag.h"
#include "store/number_format.h"

#include <QHash>

namespace zephan::cli {
namespace {

// zephan-cli suggest: the size suggestion of the duct and pipe pages for one flow, with the
// standard sizes of the program's settings (or of --einstellungen).
const Command suggest(
    "suggest",
    "suggest --volumenstrom Q (--geschwindigkeit V | --gefaelle R) [--rund] [--max-breite W] "
    "[--max-hoehe H] [--einstellungen DATEI] [--katalog DATEI] [--tsv | --tabelle]",
    [](const QStringList& argsIn) {
        QStringList args = argsIn;
        Ladeoptionen optionen;
        Ausgabe ausgabe = Ausgabe::Zeilen;
        if (!ladeoptionenNehmen(args, optionen) || !ausgabeNehmen(args, ausgabe))
            return usage("suggest");
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

        // A flow, velocity or gradient below zero has no size, and absurd values give absurd
        // sizes (a 300-digit velocity): both are refused with the range that makes sense. A
        // design value of 0 is no design value: the page's own message follows below.
        struct Grenzen {
            const char* name;
            Bereich b;
            double kleinster; // below it (and above 0) the value is a slip, not a design
            bool nullErlaubt;
        };
        const Grenzen grenzen[] = {
            {"--volumenstrom", bereiche::volumenstrom(), 0, false},
            {"--geschwindigkeit", bereiche::geschwindigkeit(), 0.1, true},
            {"--gefaelle", bereiche::gefaelle(), 0.01, true},
            {"--max-breite", bereiche::grenze(), 0, false},
            {"--max-hoehe", bereiche::grenze(), 0, false},
        };
        for (const Grenzen& g : grenzen) {
            const QString n = QString::fromLatin1(g.name);
            if (!wert.contains(n)) continue;
            const double w = wert[n];
            if (w == 0 && g.nullErlaubt) continue;
            if (w <= 0)
                return fehler(n +
                              QStringLiteral(": %1 ist nicht größer als 0.").arg(machineNumber(w)));
            if (w < g.kleinster)
                return fehler(n +
                              QStringLiteral(": %1 ist zu klein (mindestens %2 %3).")
                                  .arg(machineNumber(w), machineNumber(g.kleinster), g.b.einheit));
            if (w > g.b.max)
                return fehler(
                    n +
                    QStringLiteral(": %1 ist zu groß (%2).").arg(machineNumber(w), g.b.hinweis()));
        }

        KonsolenSeam seam;
        if (const int rc = starten(optionen, seam)) return rc;
        const double x = gefaelle ? wert["--gefaelle"] : wert["--geschwindigkeit"];
        const Vorschlag v =
            vorschlag(wert["--volumenstrom"], gefaelle, !rund, x, wert.value("--max-breite", -1),
                      wert.value("--max-hoehe", -1), einstellungen(), dichteStandard);
        if (!v.ok) return fehler(QString::fromUtf8(auslegungswertFehlt));
        if (ausgabe == Ausgabe::Tabelle) {
            // A pipe's diameter comes in the height.
            const QString mm = QStringLiteral(" mm");
            std::vector<std::pair<QString, QString>> werte;
            if (rund) {
                werte.emplace_back(QStringLiteral("Durchmesser"), formatZahl(v.H, 0) + mm);
            } else {
                werte.emplace_back(QStringLiteral("Breite"), formatZahl(v.W, 0) + mm);
                werte.emplace_back(QStringLiteral("Höhe"), formatZahl(v.H, 0) + mm);
            }
            bool ok = false;
            const double w = leseZahl(v.geschwindigkeit, &ok);
            werte.emplace_back(QStringLiteral("Geschwindigkeit"),
                               ok ? formatZahl(w, 2) + QStringLiteral(" m/s")
                                  : QStringLiteral("-"));
            out(wertListe(werte));
            return exitOk;
        }
        keyValue(QStringLiteral("breite"), v.W);
        keyValue(QStringLiteral("hoehe"), v.H);
        // The page shows the velocity as German text; machine output takes a decimal point.
        const QString geschwindigkeit = zahlAusText(v.geschwindigkeit);
        keyValue(QStringLiteral("geschwindigkeit"),
                 geschwindigkeit.isEmpty() ? QStringLiteral("-") : geschwindigkeit);
        return exitOk;
    });

} // namespace
} // namespace zephan::cli
