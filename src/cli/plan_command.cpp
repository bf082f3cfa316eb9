#include "cli/command.h"
#include "cli/load_options.h"
#include "cli/text_table.h"
#include "editing/edit_session.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/tree_position.h"
#include "sizing/planen.h"
#include "store/number_format.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace zephan::cli {
namespace {

// Questions of the planning run after a shape, size or speed problem are printed and passed
// over, as the dialog's first button does; the stop messages are kept for the exit.
class PlanSeam : public KonsolenSeam {
public:
    QString halt;

    int frage(const QString& text, const QString& buttons, Kind kind) override {
        if (buttons == QString::fromUtf8(planText::weiterButtons)) {
            err(QStringLiteral("Frage: ") + text + QStringLiteral(" -> weiter\n"));
            return 0;
        }
        if (!buttons.contains(QLatin1Char('|')) && planMeldung(text)) {
            halt = text;
            return 0;
        }
        return KonsolenSeam::frage(text, buttons, kind);
    }

private:
    static bool planMeldung(const QString& t) {
        return t == QString::fromUtf8(planText::nichtMoeglich) ||
               t == QString::fromUtf8(planText::fehlendeInfo);
    }
};

QString zeile(const tmylistitem* n, const DVdata& d) {
    const auto zahl = [](double x) { return machineNumber(x); };
    QString v = zahlAusText(d.p[0]);
    if (v.isEmpty()) v = QStringLiteral("-");
    return n->position() + '\t' + QString::number(d.typ) + '\t' + zahl(d.i[0]) + '\t' +
           zahl(d.i[1]) + '\t' + zahl(d.i[4]) + '\t' + zahl(d.i[5]) + '\t' + v + '\n';
}

// The changed nodes for a person: the sizes and the velocity as the report shows them.
TextTabelle planTabelle() {
    return TextTabelle({{QStringLiteral("Position"), {}, false},
                        {QStringLiteral("Bauteil"), {}, false},
                        {QStringLiteral("a/d"), QStringLiteral("mm"), true},
                        {QStringLiteral("b"), QStringLiteral("mm"), true},
                        {QStringLiteral("Länge"), QStringLiteral("mm"), true},
                        {QStringLiteral("v"), QStringLiteral("m/s"), true}});
}

QStringList planZellen(const tmylistitem* n, const DVdata& d) {
    const auto mass = [](double x) { return x < 0 ? QStringLiteral("-") : formatZahl(x, 0); };
    bool ok = false;
    const double v = leseZahl(d.p[0], &ok);
    return {n->position(), nodeTitel(basisDatenTabelle(), d),          mass(d.i[0]), mass(d.i[1]),
            mass(d.i[5]),  ok ? formatZahl(v, 1) : QStringLiteral("-")};
}

// zephan-cli plan FILE [--position POS] --out OUT: "&Planen" on the line of POS (the first
// line by default), saved to exactly OUT. One line per changed node; a stop is told on stderr
// with exit code 1 after the project is saved as far as it was planned.
const Command
    plan("plan",
         "plan FILE [--position POS] --out OUT [--einstellungen DATEI] [--katalog DATEI] "
         "[--temporaer laden|verwerfen] [--crc-ignorieren] [--tsv | --tabelle]",
         [](const QStringList& argsIn) {
             QStringList args = argsIn;
             Ladeoptionen optionen;
             Ausgabe ausgabe = Ausgabe::Zeilen;
             if (!ladeoptionenNehmen(args, optionen) || !ausgabeNehmen(args, ausgabe))
                 return usage("plan");
             QString datei, position, ziel;
             for (int k = 0; k < args.size(); ++k) {
                 QString* feld = args[k] == QLatin1String("--position") ? &position
                                 : args[k] == QLatin1String("--out")    ? &ziel
                                                                        : nullptr;
                 if (feld) {
                     if (k + 1 >= args.size() || !feld->isEmpty() || args[k + 1].isEmpty())
                         return usage("plan");
                     *feld = args[++k];
                 } else if (datei.isEmpty() && !args[k].startsWith(QLatin1String("--"))) {
                     datei = args[k];
                 } else {
                     return usage("plan");
                 }
             }
             if (datei.isEmpty() || ziel.isEmpty()) return usage("plan");
             if (const int rc = zielPruefen(ziel)) return rc;

             PlanSeam seam;
             if (const int rc = starten(optionen, seam)) return rc;
             EditSession session(seam);
             sitzungVorbereiten(session);
             if (const int rc = sitzungOeffnen(session, datei, ziel, optionen, seam)) return rc;
             tmylistitem* start = session.baum().topitem();
             if (!position.isEmpty()) {
                 start = knotenAnPosition(session.baum(), position);
                 if (!start)
                     return fehler(QStringLiteral("Position %1 gibt es nicht.").arg(position));
             }
             if (!start) return fehler(QStringLiteral("Das Projekt hat keinen Strang."));
             session.auswaehlen(start);

             tmylistitem* kopf = strangKopf(start);
             std::vector<DVdata> vorher;
             const tmylistitem* ende = kopf->lastDescendant()->getNext();
             for (tmylistitem* n = kopf; n != ende; n = n->getNext())
                 vorher.push_back(*nodeDaten(n));
             const bool ok = session.planen();
             size_t k = 0;
             TextTabelle tabelle = planTabelle();
             for (tmylistitem* n = kopf; n != ende; n = n->getNext(), ++k) {
                 if (*nodeDaten(n) == vorher[k]) continue;
                 if (ausgabe == Ausgabe::Tabelle)
                     tabelle.zeile(planZellen(n, *nodeDaten(n)));
                 else
                     out(zeile(n, *nodeDaten(n)));
             }
             if (ausgabe == Ausgabe::Tabelle) out(tabelle.text());

             if (!session.sichern(ziel)) return exitFehler;
             // The run shows the node it stopped at before its message: the message names it.
             if (!ok)
                 return fehler(seam.halt.isEmpty() ? QString::fromUtf8(planText::fehler)
                                                   : mitPosition(seam.halt, session.selektiert()));
             return exitOk;
         });

} // namespace
} // namespace zephan::cli
