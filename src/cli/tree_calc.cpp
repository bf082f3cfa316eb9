#include "cli/tree_calc.h"

#include "cli/command.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "pressure/network_row.h"
#include "report/report_document.h"

namespace zephan::cli {

TreeCalc::TreeCalc(ProjektBaum& baum) {
    const Volumenstroeme stroeme(baum);
    TDruck still;
    still.drucken = false;
    Rechenkontext u;
    u.druck = &still;
    u.stroeme = &stroeme;
    const QChar tab = QLatin1Char('\t');
    const tmylistitem* kopf = nullptr;
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        if (n->Level() == 0) {
            kopf = n;
            u.rho = strangDichte(n);
        }
        const DVdata* d = nodeDaten(n);
        if (!d || istStrangTyp(d->typ) || d->typ == typAbzweig || !kopf) {
            spalten_.insert(n, QString(3, tab));
            continue;
        }
        // As the network calculation and the component command do: the state code first (an
        // incomplete record then has no result), then the passage.
        nachbarpruefung(n, u);
        DVdata arbeit;
        const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
        const StrangZellen z = strangZellen(arbeit, u.typ(arbeit.typ));
        spalten_.insert(n, tab + (z.v ? zahlAusText(arbeit.p[0]) : QString()) + tab +
                               (z.zeta ? zahlAusText(arbeit.p[1]) : QString()) + tab +
                               machineNumber(dp));
    }
}

QString TreeCalc::spalten(const tmylistitem* n) const {
    return spalten_.value(n, QString(3, QLatin1Char('\t')));
}

} // namespace zephan::cli
