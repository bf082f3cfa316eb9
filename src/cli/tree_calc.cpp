#include "cli/tree_calc.h"

#include "cli/command.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "pressure/component_pressure.h"
#include "report/report_document.h"
#include "store/number_format.h"

namespace zephan::cli {

namespace {

// Which values a type shows, as in the network report's rows.
struct Zellen {
    bool v = true;
    bool zeta = true;
};

Zellen zellen(const DVdata& d) {
    const tBasisDaten_* t = basisDaten(d.typ);
    const int katVorgabe = t ? t->vorgabe : 0;
    Zellen z;
    if (d.typ == 4 || d.typ == 6) return {false, false};
    if (d.typ == 13) return {true, false};
    if (d.typ == 7 || d.vorgabe == 1 || (d.vorgabe == 0 && katVorgabe == 4)) return {false, false};
    if (d.typ == 2 || d.typ == 3) z.zeta = false;
    return z;
}

} // namespace

TreeCalc::TreeCalc(ProjektBaum& baum) {
    const Volumenstroeme stroeme(baum);
    TDruck still;
    still.drucken = false;
    Rechenkontext u;
    u.druck = &still;
    u.stroeme = &stroeme;
    const QChar tab = QLatin1Char('\t');
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        const DVdata* d = nodeDaten(n);
        if (!d || d->typ == 0 || d->typ == 1 || d->typ == 5) {
            spalten_.insert(n, QString(3, tab));
            continue;
        }
        if (n->Level() == 0 || !strangKopf(n)) continue;
        u.rho = strangDichte(n);
        DVdata arbeit;
        const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
        const Zellen z = zellen(arbeit);
        spalten_.insert(n, tab + (z.v ? zahlAusText(arbeit.p[0]) : QString()) + tab +
                               (z.zeta ? zahlAusText(arbeit.p[1]) : QString()) + tab +
                               machineNumber(dp));
    }
}

QString TreeCalc::spalten(const tmylistitem* n) const {
    return spalten_.value(n, QString(3, QLatin1Char('\t')));
}

} // namespace zephan::cli
