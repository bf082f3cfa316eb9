#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/progress_line.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "store/user_seam.h"

#include <QDir>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// A whole number option value within [lo, hi]; false when it is none.
bool zahl(const QString& text, long long lo, long long hi, long long& wert) {
    bool ok = false;
    wert = text.toLongLong(&ok);
    return ok && wert >= lo && wert <= hi;
}

const Command
    generate("generate", "generate OUT --lines L --outlets N [--seed S]",
             [](const QStringList& args) {
                 if (args.isEmpty()) return usage("generate");
                 GeneratorOptionen o;
                 bool linien = false, auslaesse = false;
                 for (int k = 1; k < args.size(); k += 2) {
                     if (k + 1 >= args.size()) return usage("generate");
                     long long w = 0;
                     const QString& name = args[k];
                     const QString& wert = args[k + 1];
                     if (name == QStringLiteral("--lines")) {
                         if (!zahl(wert, 1, generatorMaxStraenge, w))
                             return fehler(QStringLiteral("Ungültige Anzahl Stränge: ") + wert);
                         o.straenge = static_cast<int>(w);
                         linien = true;
                     } else if (name == QStringLiteral("--outlets")) {
                         if (!zahl(wert, 1, generatorMaxAuslaesse, w))
                             return fehler(QStringLiteral("Ungültige Anzahl Auslässe: ") + wert);
                         o.auslaesse = static_cast<int>(w);
                         auslaesse = true;
                     } else if (name == QStringLiteral("--seed")) {
                         if (!zahl(wert, 0, 4294967295LL, w))
                             return fehler(QStringLiteral("Ungültiger Startwert: ") + wert);
                         o.seed = static_cast<uint32_t>(w);
                     } else {
                         return usage("generate");
                     }
                 }
                 if (!linien || !auslaesse) return usage("generate");
                 // A project the program cannot open again is not generated.
                 if (static_cast<long long>(o.straenge) * o.auslaesse > generatorMaxAuslaesseGesamt)
                     return fehler(QStringLiteral("%1 Stränge mit je %2 Auslässen ergäben eine "
                                                  "Datei, die nicht wieder geladen werden kann "
                                                  "(höchstens %3 Auslässe insgesamt).")
                                       .arg(o.straenge)
                                       .arg(o.auslaesse)
                                       .arg(generatorMaxAuslaesseGesamt));
                 if (const int rc = zielPruefen(args[0])) return rc;
                 KonsolenSeam seam;
                 Projekt projekt(seam);
                 projekt.setAutomatischSichern([] { return false; });
                 Fortschrittszeile zeile(QStringLiteral("Erzeuge Stränge"));
                 const auto fortschritt = [&zeile](int fertig, int alle) {
                     zeile.zeigen(QString(), fertig, alle);
                 };
                 projektErzeugen(projekt.baum(), o, fortschritt);
                 zeile.beenden();
                 projektDatenErzeugen(projekt.daten(), o);
                 projekt.setDateiname(args[0]);
                 projekt.setNameGenau(true);
                 projekt.setGeaendert(true);
                 if (!projekt.sichern()) return exitFehler;
                 return exitOk;
             });

} // namespace
} // namespace zephan::cli
