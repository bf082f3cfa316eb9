// Flow noise of fans (VDI 2081 section 4.3.2).
//
// The total pressure the fan delivers is the line's required external pressure plus the fan's
// internal loss, from a pressure pass of the line that writes nothing (or from the caller's
// pass of the line), so it is current after every edit.

#include "acoustics/geraeusch_bericht.h"
#include "acoustics/geraeusch_modelle.h"
#include "acoustics/schall_daten.h"
#include "acoustics/stiller_druckpass.h"
#include "bands/rechenblatt.h"

#include <array>

#include <QStringBuilder>

namespace zephan {

namespace {

const std::array<QString, 3> bauarten{
    QStringLiteral("Radialventilator mit rückwärtsgekrümmten Schaufeln"),
    QStringLiteral("Trommelläufer mit vorwärtsgekrümmten Schaufeln"),
    QStringLiteral("Axialventilator mit nachgeschaltetem Leitrad")};

constexpr int optionAxial = 2;
constexpr double drehklang = 4; // dB, axial fans

double polynom(const std::array<double, 4>& a, double q) {
    return a[0] + a[1] * q + a[2] * q * q + a[3] * q * q * q;
}

QString minuten() {
    return QStringLiteral(" [min°(colsuper -1°(col-super ]");
}

} // namespace

bool modellVentilator(const GeraeuschEingabe& e, TPegel& ergebnis) {
    const DVdata& d = e.rec;
    const auto& b = e.b;
    const double V = e.V;
    const double vOpt = endlich(d.i[0]);
    const double nOpt = endlich(d.i[1]);
    const double q = teile(V, vOpt);
    const double n = nOpt * q;
    b.zeile(QStringLiteral("Strömungsgeräusch für Ventilator (Abschnitt 4.3.2)"));
    b.zeile(QStringLiteral("Vorgabe:"));
    const VentilatorBauart* bauart = e.daten.ventilator(d.tag1);
    if (b.an()) {
        b.zeile(QStringLiteral("Bauart: ") %
                (d.tag1 >= 0 && d.tag1 < 3 ? bauarten[static_cast<size_t>(d.tag1)] : QString()));
        b.zeile(QStringLiteral("Volumenstrom: ") % berichtZahl(V, 0) %
                QStringLiteral(" [m³/h] = ") % berichtZahl(V / 3600, 3) %
                QStringLiteral(" [m³/s]"));
        b.zeile(QStringLiteral("°.V / °.V °(sub opt°(-sub = ") % berichtZahl(q, 2) %
                QStringLiteral(" []"));
        b.zeile(QStringLiteral("n°(sub opt°(-sub : ") % berichtZahl(nOpt, 0) % minuten());
        b.zeile(QStringLiteral("n = ") % berichtZahl(n, 0) % minuten());
    }
    if (!bauart || (d.tag1 < 0 || d.tag1 >= 3)) {
        b.zeile(QStringLiteral("Keine Berechnungsdaten hinterlegt."));
        return true;
    }

    double dpt = 0;
    if (e.druckpass) {
        dpt = ventilatorGesamtdruck(*e.druckpass);
    } else {
        const Druckpass p = stillerDruckpass(e.knoten, e.k);
        if (!p.ok) {
            b.zeile(p.meldung);
            return true;
        }
        dpt = ventilatorGesamtdruck(p.strang);
    }
    dpt = endlich(dpt);
    if (b.an())
        b.zeile(QStringLiteral("°(delta p°(sub t°(-sub : ") % berichtZahl(dpt, 0) %
                QStringLiteral(" [Pa]"));
    b.frequenzen();
    // No flow, no pressure, or a fan without its design point: no noise.
    if (V <= 0 || dpt <= 0 || vOpt <= 0 || nOpt <= 0) return false;

    TPegel& str = e.rb[1];
    TPegel& lw = e.rb[2];
    TPegel& dl = e.rb[3];
    TPegel& korrektur = e.rb[4];
    TPegel& zuschlag = e.rb[5];
    setzen(lw, bauart->K + 10 * lg(V / 3600) + 20 * lg(dpt));
    const std::array<double, 4>& bild = bauart->bild == 14 ? e.daten.bild14 : e.daten.bild13;
    for (int k = 0; k < 8; ++k) {
        str[k] = endlich(oktavFrequenzen[k] * 60 / M_PI / n);
        const double x = lg(str[k]) + bauart->c;
        dl[k] = -5 - 5 * x * x;
    }
    setzen(korrektur, d.tag1 == optionAxial ? drehklang : 0);
    setzen(zuschlag, endlich(polynom(bild, q)));
    b.pegel(QStringLiteral("Schalleistungspegel (Gl. 13)"), QStringLiteral("dB"), lw);
    b.werte(QStringLiteral("Str=f°(sub m°(-sub  °(* 60/°(pi /n"), QStringLiteral("-"), str);
    b.pegel(QStringLiteral("Relatives Frequenzspektrum (Bild 10/11/12)"), QStringLiteral("dB"), dl);
    b.pegel(QStringLiteral("Korrektur - Drehklang"), QStringLiteral("dB"), korrektur);
    b.werte(bauart->bild == 14 ? QStringLiteral("Pegelzuschlag Durchfluß (Bild 14)")
                               : QStringLiteral("Pegelzuschlag Durchfluß (Bild 13)"),
            QStringLiteral("dB"), zuschlag);
    ergebnis = e.rb.zeilensumme(2, 5);
    bandsEndlich(ergebnis);
    b.pegel(QStringLiteral("Oktavleistungspegel L°(sub w,okt°(-sub "), QStringLiteral("dB"),
            ergebnis);
    return true;
}

} // namespace zephan
