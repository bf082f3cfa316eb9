#include "editing/room_overview_model.h"

#include "editing/edit_session.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "store/number_format.h"
#include "store/trace_log.h"

#include <cmath>

namespace zephan {

std::vector<RaumZeile> raumListe(ProjektBaum& baum) {
    std::vector<RaumZeile> zeilen;
    bool zuluft = true;
    // Pre-order in the flat list: a line head comes before its rooms, rooms have no children.
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        const DVdata* d = nodeDaten(n);
        trace(n->pfad() + QLatin1Char(' ') + (d ? d->Text : QString()));
        if (!d) continue;
        if (n->Level() == 0) {
            zuluft = d->typ == typZuluft;
            continue;
        }
        if (d->typ != typRaum || n->getNextSibling()) continue;
        const QString name = d->p[2];
        RaumZeile* zeile = nullptr;
        for (auto it = zeilen.rbegin(); it != zeilen.rend(); ++it)
            if (it->name == name) {
                zeile = &*it;
                break;
            }
        if (!zeile) {
            zeilen.push_back({name, nullptr, nullptr});
            zeile = &zeilen.back();
        }
        tmylistitem*& seite = zuluft ? zeile->zu : zeile->ab;
        if (!seite) seite = n;
    }
    return zeilen;
}

QString raumSpaltenTitel(RaumSpalte s) {
    switch (s) {
    case RaumSpalte::Name:
        return QStringLiteral("Bezeichnung");
    case RaumSpalte::VolZu:
        return QStringLiteral("Vol. Zu");
    case RaumSpalte::VolAb:
        return QStringLiteral("Vol. Ab");
    case RaumSpalte::DbZu:
        return QStringLiteral("dB Zu");
    case RaumSpalte::DbAb:
        return QStringLiteral("dB Ab");
    }
    return {};
}

tmylistitem* raumAuslass(const tmylistitem* raum) {
    tmylistitem* davor = raum ? raum->getPrevSibling() : nullptr;
    const int typ = typVon(davor);
    return typ == typZuluftauslass || typ == typAbluftgitter ? davor : nullptr;
}

tmylistitem* raumZellenKnoten(const RaumZeile& z, RaumSpalte s) {
    switch (s) {
    case RaumSpalte::VolZu:
        return raumAuslass(z.zu);
    case RaumSpalte::VolAb:
        return raumAuslass(z.ab);
    case RaumSpalte::DbZu:
        return z.zu;
    case RaumSpalte::DbAb:
        return z.ab;
    case RaumSpalte::Name:
        break;
    }
    return nullptr;
}

bool raumZelleBearbeitbar(const RaumZeile& z, RaumSpalte s) {
    if (s == RaumSpalte::Name) return z.zu || z.ab;
    return raumZellenKnoten(z, s) != nullptr;
}

double raumZellenWert(const RaumZeile& z, RaumSpalte s) {
    const DVdata* d = nodeDaten(raumZellenKnoten(z, s));
    if (!d || !std::isfinite(d->i[3]) || d->i[3] < 0) return -1;
    return double(runden(d->i[3]));
}

QString raumZellenText(const RaumZeile& z, RaumSpalte s) {
    if (s == RaumSpalte::Name) return z.name;
    const double w = raumZellenWert(z, s);
    return w == -1 ? QString() : formatZahl(w, 0);
}

RaumEingabe raumEingabe(RaumSpalte s) {
    const Bereich pegel{0, 99, QStringLiteral("dB(A)")};
    switch (s) {
    case RaumSpalte::Name:
        return {QStringLiteral("Raumbezeichnung ändern"), QStringLiteral("Name:"), {}};
    case RaumSpalte::VolZu:
        return {QStringLiteral("Volumenstrom ändern"), QStringLiteral("Zuluft m³/h"),
                bereiche::volumenstrom()};
    case RaumSpalte::VolAb:
        return {QStringLiteral("Volumenstrom ändern"), QStringLiteral("Abluft m³/h"),
                bereiche::volumenstrom()};
    case RaumSpalte::DbZu:
        return {QStringLiteral("Schallpegelvorgabe ändern"), QStringLiteral("Zuluft db(A)"), pegel};
    case RaumSpalte::DbAb:
        return {QStringLiteral("Schallpegelvorgabe ändern"), QStringLiteral("Abluft db(A)"), pegel};
    }
    return {};
}

namespace raumregel {

bool wertSetzen(EditSession& s, const RaumZeile& z, RaumSpalte sp, int wert) {
    tmylistitem* n = raumZellenKnoten(z, sp);
    DVdata* d = nodeDaten(n);
    const Bereich b = raumEingabe(sp).bereich;
    if (!d || wert < b.min || wert > b.max || raumZellenWert(z, sp) == wert) return false;
    s.aendern(n);
    d->i[3] = wert;
    nodeRefresh(basisDatenTabelle(), n);
    s.projekt().setGeaendert(true);
    return true;
}

bool nameSetzen(EditSession& s, RaumZeile& z, const QString& name) {
    const QString neu = name.trimmed();
    if (neu.isEmpty() || neu == z.name || (!z.zu && !z.ab)) return false;
    for (tmylistitem* n : {z.zu, z.ab}) {
        DVdata* d = nodeDaten(n);
        if (!d) continue;
        s.aendern(n);
        d->p[2] = neu;
        nodeRefresh(basisDatenTabelle(), n);
    }
    z.name = neu;
    s.projekt().setGeaendert(true);
    return true;
}

} // namespace raumregel

} // namespace zephan
