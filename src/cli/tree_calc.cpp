#include "cli/tree_calc.h"

#include "cli/command.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "pressure/network_row.h"
#include "report/report_document.h"
#include "store/number_format.h"

namespace zephan::cli {

TreeCalc::TreeCalc(ProjektBaum& baum) {
    const Volumenstroeme stroeme(basisDatenTabelle(), baum);
    TDruck still;
    still.drucken = false;
    Rechenkontext u = programmKontext();
    u.druck = &still;
    u.stroeme = &stroeme;
    const tmylistitem* kopf = nullptr;
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        if (n->Level() == 0) {
            kopf = n;
            u.rho = strangDichte(n);
        }
        const DVdata* d = nodeDaten(n);
        if (!d || istStrangTyp(d->typ) || d->typ == typAbzweig || !kopf) continue;
        // As the network calculation and the component command do: the state code first (an
        // incomplete record then has no result), then the passage.
        nachbarpruefung(n, u);
        DVdata arbeit;
        const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
        const StrangZellen z = strangZellen(arbeit, u.typ(arbeit.typ));
        werte_.insert(n, Werte{z.v, z.zeta, arbeit.p[0], arbeit.p[1], dp});
    }
}

QString TreeCalc::spalten(const tmylistitem* n) const {
    const QChar tab = QLatin1Char('\t');
    const auto it = werte_.constFind(n);
    if (it == werte_.cend()) return QString(3, tab);
    return tab + (it->v ? zahlAusText(it->vText) : QString()) + tab +
           (it->zeta ? zahlAusText(it->zetaText) : QString()) + tab + machineNumber(it->dp);
}

TreeCalc::Zellen TreeCalc::zellen(const tmylistitem* n) const {
    const auto it = werte_.constFind(n);
    if (it == werte_.cend()) return {};
    const auto gerundet = [](const QString& text, int d) {
        bool ok = false;
        const double x = leseZahl(text, &ok);
        return ok ? formatZahl(x, d) : QString();
    };
    return {it->v ? gerundet(it->vText, 1) : QString(),
            it->zeta ? gerundet(it->zetaText, 2) : QString(),
            it->dp < -998 ? QStringLiteral("Fehler") : formatZahl(it->dp, 1)};
}

} // namespace zephan::cli
