#include "pressure/druckverlauf.h"

#include "network/dvdata.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_core.h"
#include "pressure/network_walk.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

const QString nichtVorhanden = QStringLiteral("Auslass nicht vorhanden");

// The walk carries nothing: each point takes its pressure from the one before.
struct Ohne {};

class EndenKlient : public Netzklient<Ohne> {
public:
    std::vector<const tmylistitem*> enden;
    bool knoten(tmylistitem*, const Ohne&) override { return true; }
    bool abzweig(tmylistitem*, int, const Ohne&, Ohne&) override { return true; }
    bool durchgang(tmylistitem*, Ohne&) override { return true; }
    void kettenende(tmylistitem* n, const Ohne&) override {
        if (!n->hasChildren()) enden.push_back(n);
    }
};

// The profile as a client of the walk along the path to its target: every point takes the
// loss and velocity that the line's calculation found for the passage.
class VerlaufKlient : public Netzklient<Ohne> {
public:
    VerlaufKlient(Druckverlauf& v, const StrangErgebnis& e, const Rechenkontext& k,
                  double ventilatorDruck)
        : v_(v), e_(e), k_(k), druck_(ventilatorDruck) {}

    bool knoten(tmylistitem*, const Ohne&) override { return true; }

    bool abzweig(tmylistitem* n, int zweig, const Ohne&, Ohne&) override {
        // The path turns into this branch: the piece shows the branch passage.
        const KnotenErgebnis* r = e_.ergebnis(n);
        const Durchgang* d = r ? &r->abzweig[static_cast<size_t>(zweig - 1)] : nullptr;
        const bool mit = d && d->gerechnet && d->dp > -999;
        punktAnfuegen(v_, n->caption(), mit ? dyn(d->v) : 0, mit ? d->dp : 0, n);
        // A cross holds each branch in a container, which the path passes without change.
        const tBasisDaten_* kat = k_.typ(typVon(n));
        if (kat && kat->enden == 4)
            if (tmylistitem* b = zweigBehaelter(n, 4, zweig))
                punktAnfuegen(v_, b->caption(), 0, 0, b);
        return true;
    }

    bool durchgang(tmylistitem* n, Ohne&) override {
        const KnotenErgebnis* r = e_.ergebnis(n);
        if (!r || !r->haupt.gerechnet || r->haupt.dp <= -999) return true; // no point
        double L = r->haupt.dp;
        if (typVon(n) == typVentilator) {
            // The fan lifts the total pressure by the external pressure it delivers plus its
            // own loss, which the air loses again inside it: net, the external pressure.
            v_.totald = v_.maxwert2 = static_cast<int>(kuerzen(druck_ + e_.ventilatorVerlust));
            L = -druck_;
        }
        punktAnfuegen(v_, n->caption(), dyn(r->haupt.v), L, n);
        return true;
    }

    void kettenende(tmylistitem*, const Ohne&) override {
        punktAnfuegen(v_, QStringLiteral("-"), 0, 0);
    }

private:
    // Dynamic pressure from a velocity text, at the line's density.
    double dyn(const QString& vText) const {
        bool ok = false;
        const double v = leseZahl(vText, &ok, 0);
        return ok ? e_.rho / 2 * v * v : 0;
    }

    Druckverlauf& v_;
    const StrangErgebnis& e_;
    const Rechenkontext& k_;
    double druck_;
};

const tmylistitem* ersterVentilator(const tmylistitem* kopf) {
    for (const tmylistitem* n = kopf->getChild(); n; n = n->getNextSibling())
        if (typVon(n) == typVentilator) return n;
    return nullptr;
}

} // namespace

void punktAnfuegen(Druckverlauf& v, const QString& titel, double pd, double L,
                   const tmylistitem* knoten) {
    TDaten p;
    p.titel = titel;
    p.knoten = knoten;
    const double c = v.s == 1 ? -L : L;
    p.ps = c;
    p.pd = pd;
    p.pt = v.a.empty() ? c : v.a.back().pt + c;
    if (c > v.maxwert1) v.maxwert1 = c;
    if (pd > v.maxwert1) v.maxwert1 = pd;
    if (p.pt + pd > v.maxwert1) v.maxwert1 = static_cast<double>(kuerzen(p.pt + pd));
    if (p.pt < v.minwert) v.minwert = static_cast<double>(kuerzen(p.pt)) - 1;
    v.a.push_back(std::move(p));
}

int verlaufPunktBei(const Druckverlauf& v, int x) {
    // The quotient truncates toward zero, so the first point reaches a little to the left.
    const int k = (x - 1 - verlaufLinks) / verlaufBr;
    return k < 0 || k > v.anz() ? -1 : k;
}

QString verlaufAnzeige(const TDaten& p) {
    return QStringLiteral("p°(sub t°(-sub =") + formatZahl(p.pt + p.pd, 1) +
           QStringLiteral("; p°(sub s°(-sub =") + formatZahl(std::fabs(p.ps), 1) +
           QStringLiteral("; p°(sub dyn°(-sub =") + formatZahl(p.pd, 1);
}

std::vector<const tmylistitem*> kettenEnden(const tmylistitem* kopf, const Rechenkontext& k) {
    EndenKlient klient;
    if (kopf) netzGehen(kopf, klient, Ohne{}, k);
    return std::move(klient.enden);
}

VerlaufErgebnis verlaufSammeln(const Rechenlauf& lauf, tmylistitem* kopf, const tmylistitem* ziel,
                               const Rechenkontext& k) {
    VerlaufErgebnis r;
    Druckverlauf& v = r.verlauf;
    v.kopf = kopf;
    v.ziel = ziel;
    // Only a chain end of this very line is a target: the walk ends its path there.
    if (!kopf || kopf->Level() != 0 || !ziel || strangKopf(ziel) != kopf || ziel == kopf ||
        ziel->hasChildren() || ziel->getNextSibling()) {
        r.meldung = nichtVorhanden;
        return r;
    }
    v.s = istZuluft(kopf) ? 1 : -1;

    const StrangErgebnis e = strangRechnen(lauf, kopf, k);
    if (e.status == NetzStatus::Abgebrochen) {
        r.meldung = QStringLiteral("Abbruch durch den Benutzer.");
        return r;
    }
    if (!e.fertig()) r.meldung = mitPosition(e.meldung, e.stoppKnoten);

    double druck = 0;
    if (const tmylistitem* fan = ersterVentilator(kopf)) {
        // A fan that no calculation has told its pressure holds -1, or 0 from a file.
        const DVdata* d = nodeDaten(fan);
        if (d && d->i[4] > 0)
            druck = d->i[4];
        else if (e.fertig())
            druck = e.ventilatorDruck;
    }
    VerlaufKlient klient(v, e, k, druck);
    netzGehen(kopf, klient, Ohne{}, k, ziel);
    r.ok = true;
    return r;
}

} // namespace zephan
