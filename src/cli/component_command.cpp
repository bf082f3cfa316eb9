#include "cli/command.h"
#include "cli/load_options.h"
#include "editing/page_check.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "pressure/air_density.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "render/pdf_output.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"

namespace zephan::cli {
namespace {

const Command component("component",
                        "component FILE POSITION [--mode N] [--report] [--pdf OUT.pdf] "
                        "[--einstellungen DATEI] "
                        "[--katalog DATEI] [--temporaer laden|verwerfen] [--crc-ignorieren]",
                        [](const QStringList& argsIn) {
                            QStringList args = argsIn;
                            Ladeoptionen optionen;
                            if (!ladeoptionenNehmen(args, optionen)) return usage("component");
                            const bool bericht = args.removeAll(QStringLiteral("--report")) > 0;
                            QString pdf;
                            const int p = args.indexOf(QStringLiteral("--pdf"));
                            if (p >= 0) {
                                if (p + 1 >= args.size()) return usage("component");
                                pdf = args[p + 1];
                                args.remove(p, 2);
                                if (!ausgabeDatei(pdf)) return exitFehler;
                            }
                            int modus = modusDurchgang;
                            const int m = args.indexOf(QStringLiteral("--mode"));
                            if (m >= 0) {
                                bool ok = false;
                                modus = m + 1 < args.size() ? args[m + 1].toInt(&ok) : 0;
                                if (!ok || modus < modusDurchgang || modus > modusAbzweig2)
                                    return usage("component");
                                args.remove(m, 2);
                            }
                            if (args.size() != 2) return usage("component");

                            KonsolenSeam seam;
                            if (const int rc = starten(optionen, seam)) return rc;
                            Projekt projekt(seam);
                            if (const int rc = projektOeffnen(projekt, args[0], optionen, seam))
                                return rc;
                            tmylistitem* n = knotenAnPosition(projekt.baum(), args[1]);
                            if (!n) return keinePosition(args[1]);
                            const DVdata* d = nodeDaten(n);
                            // A line head holds the line's density where components hold
                            // their zeta, and a room is no component: neither has a
                            // pressure loss of its own.
                            if (!d || istStrangTyp(d->typ) || d->typ == typRaum)
                                return fehler(QStringLiteral("An Position ") + args[1] +
                                              QStringLiteral(" steht kein Bauteil."));
                            const tBasisDaten_* t = basisDaten(d->typ);
                            const int enden = t ? t->enden : 0;
                            if ((modus == modusAbzweig1 && enden < 3) ||
                                (modus == modusAbzweig2 && enden != 4))
                                return fehler(QStringLiteral("Das Bauteil an Position ") + args[1] +
                                              QStringLiteral(" hat keinen Abzweig ") +
                                              QString::number(modus - 1) + QLatin1Char('.'));

                            // As in the network calculation: the state code first, then the
                            // passage.
                            nachbarpruefung(n, programmKontext());
                            TDruck doc;
                            doc.drucken = bericht || !pdf.isEmpty();
                            Rechenkontext u = programmKontext();
                            u.druck = &doc;
                            u.rho = strangDichte(n);
                            DVdata arbeit;
                            const double dp = bauteildruck(modus, n, arbeit, 0, u);
                            keyValue(QStringLiteral("v"), zahlAusText(arbeit.p[0]));
                            keyValue(QStringLiteral("zeta"), zahlAusText(arbeit.p[1]));
                            keyValue(QStringLiteral("dp"), dp);
                            keyValue(QStringLiteral("fehler"), arbeit.fehler);
                            if (bericht) {
                                QString text;
                                for (const QString& z : doc.m) text += z + QLatin1Char('\n');
                                out(text);
                            }
                            if (!pdf.isEmpty()) {
                                QString meldung;
                                TLayoutEinstellungen le;
                                le.seam = &seam;
                                if (!berichtAlsPdf(doc, pdf, le, &meldung)) return fehler(meldung);
                            }
                            return exitOk;
                        });

} // namespace
} // namespace zephan::cli
