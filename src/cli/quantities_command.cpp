#include "cli/command.h"
#include "cli/load_options.h"
#include "network/catalogue.h"
#include "network/project_file.h"
#include "quantities/massen_csv.h"
#include "quantities/massenauszug.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "report/report_document.h"
#include "store/output_target.h"

namespace zephan::cli {
namespace {

const QChar tab = QLatin1Char('\t');

// One line per item, "section<TAB>text<TAB>quantity<TAB>unit"; with groups every group's
// items follow a line "group<TAB>name" (a group without items has no line).
QString tabellenText(const Massenauszug& m) {
    QString t;
    QString gruppe;
    bool erste = true;
    for (const MassenZeile& z : massenZeilen(m)) {
        if (m.mitGruppen && (erste || z.gruppe != gruppe))
            t += QStringLiteral("group") + tab + z.gruppe + QLatin1Char('\n');
        erste = false;
        gruppe = z.gruppe;
        t += abschnittTitel(z.abschnitt) + tab + z.text + tab + machineNumber(z.menge) + tab +
             z.einheit + QLatin1Char('\n');
    }
    return t;
}

// zephan-cli quantities FILE [--groups] ...: the bill of quantities of a project, by the
// groups of its project page with --groups, as text on stdout, and as CSV, report markup or
// PDF when asked.
const Command
    quantities("quantities",
               "quantities FILE [--groups] [--csv OUT.csv] [--markup OUT.txt] [--pdf OUT.pdf] "
               "[--einstellungen DATEI] [--katalog DATEI] [--temporaer laden|verwerfen] "
               "[--crc-ignorieren]",
               [](const QStringList& argsIn) {
                   QStringList args = argsIn;
                   Ladeoptionen optionen;
                   if (!ladeoptionenNehmen(args, optionen)) return usage("quantities");
                   const bool gruppen = args.removeAll(QStringLiteral("--groups")) > 0;
                   QString csv, markup, pdf;
                   if (!wertNehmen(args, QStringLiteral("--csv"), csv) ||
                       !wertNehmen(args, QStringLiteral("--markup"), markup) ||
                       !wertNehmen(args, QStringLiteral("--pdf"), pdf))
                       return usage("quantities");
                   if (args.size() != 1 || args[0].startsWith(QLatin1String("--")))
                       return usage("quantities");
                   for (QString* ziel : {&csv, &markup, &pdf})
                       if (!ziel->isEmpty() && !ausgabeDatei(*ziel)) return exitFehler;

                   KonsolenSeam seam;
                   if (const int rc = starten(optionen, seam)) return rc;
                   Projekt projekt(seam);
                   if (const int rc = projektOeffnen(projekt, args[0], optionen, seam)) return rc;
                   if (projekt.baum().count() == 0) return fehler(keinStrang);

                   const Massenauszug m = massenauszugBerechnen(basisDatenTabelle(), projekt.baum(),
                                                                projekt.daten().Gruppen, gruppen);
                   QString grund;
                   if (!csv.isEmpty() && !dateiSchreiben(csv, massenCsv(m), grund))
                       return fehler(grund);
                   if (!markup.isEmpty() || !pdf.isEmpty()) {
                       TDruck doc;
                       massenauszugSchreiben(m, doc, projekt.daten());
                       if (!markup.isEmpty()) {
                           QString text;
                           for (const QString& z : doc.m) text += z + QLatin1Char('\n');
                           if (!dateiSchreiben(markup, text.toUtf8(), grund)) return fehler(grund);
                       }
                       if (!pdf.isEmpty()) {
                           TLayoutEinstellungen le;
                           le.seam = &seam;
                           if (!berichtAlsPdf(doc, pdf, le, &grund)) return fehler(grund);
                       }
                   }
                   out(tabellenText(m));
                   return exitOk;
               });

} // namespace
} // namespace zephan::cli
