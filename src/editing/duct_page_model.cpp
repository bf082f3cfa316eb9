#include "editing/duct_page_model.h"

#include "editing/page_check.h"
#include "network/settings.h"
#include "network/type_codes.h"
#include "pressure/duct_hydraulics.h"
#include "sizing/duct_page.h"
#include "sizing/vorschlag.h"
#include "store/number_format.h"

#include <cmath>
#include <numbers>

namespace zephan {

QString mmText(double x) {
    return QString::number(static_cast<long long>(x)) + QStringLiteral(" [mm]");
}

QString qmText(double a, int stellen) {
    return formatZahl(a, stellen) + QStringLiteral(" [m²]");
}

int StreckenSeitenModell::typ() const {
    return rund_ ? typRohr : typKanal;
}

void StreckenSeitenModell::felderInPuffer(const StreckenFelder& f, DVdata& d) const {
    if (rund_) {
        if (!durchmesserUnfertig(f.breite)) d.i[0] = f.breite;
    } else {
        d.i[0] = f.breite;
        d.i[1] = f.hoehe;
        d.i[2] = f.maxBreite;
        d.i[3] = f.maxHoehe;
    }
    d.i[5] = f.laenge;
    d.i[4] = auslegungSpeichern(f.auslegung);
    d.p[2] = f.material;
    d.Gruppe = f.gruppe;
    d.Text = bemerkung(f.bemerkung);
}

double StreckenSeitenModell::auslegungSpeichern(double feld) const {
    if (feld == -1) return -1;
    if (!rund_ && e_.nachGefaelle()) return std::trunc(feld * 100);
    return std::round(feld);
}

double StreckenSeitenModell::auslegungAnzeige(const DVdata& d) const {
    if (rund_) return d.planung ? d.i[4] : -1;
    if (d.i[4] == -1) return -1;
    return e_.nachGefaelle() ? d.i[4] / 100 : d.i[4];
}

QString StreckenSeitenModell::auslegungText() const {
    return !rund_ && e_.nachGefaelle() ? QStringLiteral("Rohrreibungsgefälle")
                                       : QStringLiteral("Geschwindigkeit");
}

QString StreckenSeitenModell::auslegungEinheit() const {
    return !rund_ && e_.nachGefaelle() ? QStringLiteral("[Pa/m]") : QStringLiteral("[m/s]");
}

Bereich StreckenSeitenModell::auslegungBereich() const {
    return !rund_ && e_.nachGefaelle() ? bereiche::gefaelle() : bereiche::geschwindigkeit();
}

QString StreckenSeitenModell::bemerkung(const QString& feld) {
    return feld.trimmed().replace(QLatin1Char('|'), QLatin1Char('-'));
}

void StreckenSeitenModell::seiteZuruecksetzen(DVdata& d) const {
    initNode(d, e_.immerPlanen());
    d.typ = typ();
    komponentenSeite(d); // the single option "Paßlänge" is taken
    d.Gruppe.clear();
    if (!rund_ && e_.nachGefaelle() && !d.planung) d.i[4] = e_.paProM() * 100;
}

StreckenSeitenModell::AuslegungsErgebnis
StreckenSeitenModell::auslegen(const StreckenFelder& f, double dichte, DVdata& d) const {
    AuslegungsErgebnis r;
    const double Q = f.volumenstrom;
    if (Q < 0) {
        r.art = Auslegung::KeinVolumenstrom;
        r.meldung = QStringLiteral("Bitte Position im Strang auswählen");
        return r;
    }
    d.i[5] = f.laenge;
    if (d.planung) {
        r.art = Auslegung::Planung;
        return r;
    }
    const double x = f.auslegung;
    const bool gefaelle = e_.nachGefaelle();
    if (rund_) {
        const Vorschlag v = vorschlag(Q, gefaelle, false, std::trunc(x), -1, -1, e_, dichte);
        if (x <= 0 || !v.ok) {
            r.meldung = QString::fromUtf8(auslegungswertFehlt);
            return r;
        }
        d.i[4] = std::round(x);
        const double A = Q / x / 3600;
        r.zeilen.berechnetFlaeche = qmText(A, 3);
        r.zeilen.berechnetMass = mmText(std::trunc(1000 * std::sqrt(4 * A / std::numbers::pi)));
        d.i[0] = v.H;
        r.breite = v.H;
        r.zeilen.vorschlagMass = mmText(v.H);
        r.zeilen.vorschlagFlaeche = qmText(flaeche_rund(v.H), 3);
        r.zeilen.vorschlagWert = v.geschwindigkeit + QStringLiteral(" [m/s]");
        r.art = Auslegung::Ausgelegt;
        return r;
    }
    const double W = grenze(f.maxBreite);
    const double H = grenze(f.maxHoehe);
    const Vorschlag v =
        vorschlag(Q, gefaelle, true, gefaelle ? x : std::trunc(x), W, H, e_, dichte);
    if (!v.ok) {
        r.meldung = QString::fromUtf8(auslegungswertFehlt);
        return r;
    }
    d.i[2] = W;
    d.i[3] = H;
    if (gefaelle) {
        d.i[4] = std::trunc(x * 100);
    } else {
        d.i[4] = std::round(x);
        d.p[0] = formatZahl(d.i[4], 2);
        // The square duct the design velocity asks for, and the standard edge it becomes.
        const double A = Q / x / 3600;
        r.zeilen.berechnetMass = mmText(std::round(1000 * std::sqrt(A)));
        r.zeilen.berechnetFlaeche = qmText(A, 2);
        r.zeilen.berechnetWert = QStringLiteral("-");
        const double quadrat = v.W * v.W / 1e6;
        r.zeilen.vorschlagMass = mmText(v.W);
        r.zeilen.vorschlagFlaeche = qmText(quadrat, 2);
        r.zeilen.vorschlagWert = formatZahl(Q / 3600 / quadrat, 1) + QStringLiteral(" [m/s]");
    }
    r.maxBreite = W;
    r.maxHoehe = H;
    r.breite = v.W;
    r.hoehe = v.H;
    r.art = Auslegung::Ausgelegt;
    return r;
}

double StreckenSeitenModell::hoeheZurBreite(const StreckenFelder& f, bool breiteGeaendert,
                                            double vAbschnitt) const {
    if (rund_ || !breiteGeaendert) return -1;
    const int kleinste = e_.kanalMasse().isEmpty() ? 0 : e_.kanalMasse().first();
    if (f.breite < kleinste || f.hoehe >= kleinste) return -1;
    const double v = e_.nachGefaelle() ? vAbschnitt : f.auslegung;
    const int h = zephan::hoeheZurBreite(e_.kanalMasse(), f.breite, f.volumenstrom, v);
    return h > 0 ? h : -1;
}

QString StreckenSeitenModell::flaecheText(const DVdata& d) const {
    if (rund_) return rohrFlaecheText(d.i[0]);
    if (!(d.i[0] > 0 && d.i[1] > 0)) return {};
    return qmText(d.i[0] * d.i[1] / 1e6, 3);
}

QString StreckenSeitenModell::rohrFlaecheText(double durchmesser) {
    if (durchmesserUnfertig(durchmesser) || !(durchmesser > 0)) return {};
    return qmText(flaeche_rund(durchmesser), 3);
}

RohrNachbar StreckenSeitenModell::nachbar(double durchmesser, double Q, bool groesser) const {
    if (!(durchmesser > 0)) return RohrNachbar{-1, QStringLiteral("-")};
    return rohrNachbar(e_.rohrMasse(), durchmesser, Q, groesser);
}

double StreckenSeitenModell::laenge(double feld) {
    return feld >= 0 ? laengeAusFeld(feld) : feld;
}

} // namespace zephan
