#include "pressure/line_reports.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/project_head.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <utility>
#include <vector>

namespace zephan {

namespace {

QString strom(const tmylistitem* n, const Volumenstroeme& stroeme) {
    return formatVolumenstrom(stroeme[n]);
}

void beginnen(TDruck& druck, const ProjektDaten& projekt) {
    druck.drucken = true;
    druck.clear();
    druckkopf(druck, projekt);
}

// Visits a chain's nodes, each node's children (their chain) before the node itself.
template <class F> void nachKindern(tmylistitem* erster, F&& besuchen) {
    // (node, children done)
    std::vector<std::pair<tmylistitem*, bool>> st;
    for (tmylistitem* n = erster; n; n = n->getNextSibling()) {
        st.emplace_back(n, false);
        while (!st.empty()) {
            auto& [k, fertig] = st.back();
            if (fertig || !k->hasChildren()) {
                tmylistitem* besucht = k;
                st.pop_back();
                besuchen(besucht);
                continue;
            }
            fertig = true;
            // Children pushed last first, so the first child comes out first.
            std::vector<tmylistitem*> kinder;
            for (tmylistitem* c = k->getChild(); c; c = c->getNextSibling()) kinder.push_back(c);
            for (auto it = kinder.rbegin(); it != kinder.rend(); ++it) st.emplace_back(*it, false);
        }
    }
}

} // namespace

bool strangverlauf(const TBasisDatenTabelle& kat, ProjektBaum& baum, const tmylistitem* auswahl,
                   TDruck& druck, const ProjektDaten& projekt, UserSeam* seam) {
    (void)baum;
    const tmylistitem* kopf = strangKopf(auswahl);
    if (!kopf) {
        if (seam) seam->meldung(keinStrangverlauf, UserSeam::Kind::Information);
        return false;
    }
    const Volumenstroeme stroeme(kat, kopf);
    beginnen(druck, projekt);
    druck.headline(QStringLiteral("Kompletter Strangverlauf für ") + kopf->caption());
    // The unit row is a second head row, so it comes back with the head on every page.
    druck.tabelleK(2, QStringLiteral("0,30,40,-10"));
    druck.add(QStringLiteral("Position|Bauteil|°.V"));
    druck.add(QStringLiteral("||m³/h"));
    const tmylistitem* ende = kopf->lastDescendant()->getNext();
    for (const tmylistitem* n = kopf->getChild(); n && n != ende; n = n->getNext()) {
        if (n->hasChildren()) {
            druck.add(n->position() + QLatin1Char('|') + n->caption() + QStringLiteral("->|") +
                      strom(n, stroeme));
            continue;
        }
        druck.add(n->position() + QLatin1Char('|') + n->caption() + QLatin1Char('|') +
                  strom(n, stroeme));
        // Every chain that ends with this node is closed by an empty row.
        for (const tmylistitem* m = n; m && m != kopf && !m->getNextSibling(); m = m->parent())
            druck.add(QStringLiteral("|"));
    }
    druck.leer();
    return true;
}

bool bauteilZusammenstellen(const TBasisDatenTabelle& katalog, ProjektBaum& baum, int typ,
                            TDruck& druck, const ProjektDaten& projekt) {
    if (!baum.topitem() || typ < typZuluft) return false;
    if (!baum.Selected()) baum.setSelected(baum.topitem());
    tmylistitem* auswahl = baum.Selected();
    const Volumenstroeme stroeme(katalog, baum);
    beginnen(druck, projekt);
    const tBasisDaten_* kat = katalog.get(typ);
    druck.headline(QStringLiteral("Zusammenstellung für Bauteil: ") +
                   (kat ? kat->titel : QString()));
    druck.tabelleK(2, QStringLiteral("0,20,-8,*"));
    druck.add(QStringLiteral("Position|°.V|Bauteil"));
    druck.add(QStringLiteral("|m³/h|"));
    auto zeile = [&](tmylistitem* n) {
        if (typVon(n) == typ)
            druck.add(n->position() + QLatin1Char('|') + strom(n, stroeme) + QLatin1Char('|') +
                      nodeInfo(katalog, n, 1));
    };
    if (auswahl->Level() == 0) {
        // The selected line and every line after it, each line with its chain.
        for (tmylistitem* k = auswahl; k; k = k->getNextSibling())
            nachKindern(k->getChild(), zeile);
    } else {
        tmylistitem* erster = auswahl->parent() ? auswahl->parent()->getChild() : auswahl;
        nachKindern(erster, zeile);
    }
    return true;
}

} // namespace zephan
