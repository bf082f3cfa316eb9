#include "acoustics/daempfung_strecke.h"

#include "acoustics/pegelsenkung.h"
#include "bands/pegel_druck.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/project_head.h"
#include "report/report_document.h"

#include <algorithm>

namespace zephan {

namespace {

// The way of the sound from the line's first component to `n`: each component with the
// passage taken through it.
std::vector<std::pair<tmylistitem*, int>> wegZu(tmylistitem* n) {
    std::vector<std::pair<tmylistitem*, int>> weg;
    int seite = 0;
    while (n && n->Level() > 0) {
        weg.emplace_back(n, seite);
        for (tmylistitem* v = n->getPrevSibling(); v; v = v->getPrevSibling())
            weg.emplace_back(v, 0);
        tmylistitem* oben = n->parent();
        if (!oben || oben->Level() == 0) break;
        seite = 1;
        // A cross piece holds its branches in containers: the container's rank is the branch.
        if (typVon(oben) == typAbzweig) {
            seite = oben->IndexInLevel() + 1;
            oben = oben->parent();
        }
        n = oben;
    }
    std::reverse(weg.begin(), weg.end());
    return weg;
}

int stelle(const std::vector<std::pair<tmylistitem*, int>>& weg, const tmylistitem* n) {
    for (size_t i = 0; i < weg.size(); ++i)
        if (weg[i].first == n) return static_cast<int>(i);
    return -1;
}

} // namespace

Streckendaempfung daempfungZwischen(tmylistitem* start, tmylistitem* ziel,
                                    const Rechenkontext& kontext, bool hinweis,
                                    const ProjektDaten* projekt) {
    Streckendaempfung s;
    if (!start || !ziel) {
        s.meldung = QStringLiteral("Bitte Start- und Zielpunkt wählen");
        return s;
    }
    if (start == ziel) {
        s.meldung = QStringLiteral("Start und Ziel dürfen nicht identisch sein");
        return s;
    }
    if (istStrangTyp(typVon(start)) || istStrangTyp(typVon(ziel)) || start->Level() == 0 ||
        ziel->Level() == 0) {
        s.meldung = QStringLiteral("Start/Ziel darf nicht Strang sein");
        return s;
    }
    if (strangKopf(start) != strangKopf(ziel)) {
        s.meldung = QStringLiteral("Start und Ziel müssen sich im selben Strang befinden");
        return s;
    }
    auto weg = wegZu(ziel);
    int ab = stelle(weg, start);
    if (ab < 0) {
        weg = wegZu(start);
        ab = stelle(weg, ziel);
        std::swap(start, ziel);
    }
    if (ab < 0) {
        s.meldung = QStringLiteral("Start und Ziel liegen nicht auf einem Schallweg: keines der "
                                   "beiden Bauteile liegt vor dem anderen.");
        return s;
    }

    TDruck* d = kontext.druck;
    if (d) {
        d->clear();
        if (projekt) druckkopf(*d, *projekt);
        d->headline(QStringLiteral("Schalldämpfung des Kanalnetzes zwischen 2 Bauteilen"));
        d->add(QStringLiteral("Strang: ") + strangKopf(start)->caption());
        if (hinweis) {
            d->add(QStringLiteral("In der VDI 2081 (Juli 2001) gibt es nur ein vereinfachtes "
                                  "Verfahren in Abschnitt 7.4.4 in dem die Berechnung der "
                                  "Schalldämmung zwischen 2 Auslässen beschrieben ist."));
            d->add(QStringLiteral("Aus diesem Grund ist hier ein eigener/nicht überprüfter Weg "
                                  "gewählt worden:"));
            d->add(QStringLiteral("Und zwar, dass die Pegelsenkung die Summe der Pegelsenkungen "
                                  "der einzelen Bauteile ist."));
        }
        druckePegel(*d, QString(), QString(), oktavFrequenzen);
    }
    Rechenkontext still = kontext;
    still.druck = nullptr;
    s.summe = pegel(0);
    for (size_t i = static_cast<size_t>(ab); i < weg.size(); ++i) {
        Streckenglied g{weg[i].first, weg[i].second, pegel(0)};
        if (typVon(g.knoten) == typVolumenstrom) continue;
        const TPegel D = pegelsenkung(g.knoten, g.seite, still);
        if (D[0] >= -200) g.D = D;
        addiere(s.summe, g.D, s.summe);
        if (d)
            druckePegel(*d, g.knoten->pfad() + QLatin1Char(' ') + g.knoten->caption(),
                        QStringLiteral("dB"), g.D);
        s.glieder.push_back(g);
    }
    if (d) {
        d->design(QStringLiteral("A+O2"));
        druckePegel(*d, QStringLiteral("Summe °(delta L"), QStringLiteral("dB"), s.summe);
    }
    s.ok = true;
    return s;
}

} // namespace zephan
