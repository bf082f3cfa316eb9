#include "quantities/massen_posten.h"

#include "network/dvdata.h"
#include "network/model_queries.h"
#include "network/type_codes.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

// A value as the item text shows it: a whole number with thousands separators; a value that
// is not given (negative) shows as "?" rather than as a size of -1.
QString zahl(double x) {
    if (!(x >= 0)) return QStringLiteral("?");
    return formatZahl(x, 0);
}

// A size for sorting: the value's whole millimetres, 0 when it is not given.
int mass(double x) {
    if (!(x >= 0) || x > 2e9) return 0;
    return static_cast<int>(kuerzen(x));
}

QString eckigText(const DVdata& d) {
    return QStringLiteral(", ") + zahl(d.i[0]) + QLatin1Char('x') + zahl(d.i[1]);
}

QString rundText(const DVdata& d) {
    return QStringLiteral(", DN ") + zahl(d.i[0]);
}

// "a x b" or "DN a", each with the sizes it sorts by.
QString querschnitt(const DVdata& d, TMassen& m) {
    m.size1 = mass(d.i[0]);
    if (d.eckig) {
        m.size2 = mass(d.i[1]);
        return eckigText(d);
    }
    return rundText(d);
}

// Main and branch (or outlet) cross-sections of a fitting with two of them.
void zweiQuerschnitte(const DVdata& d, TMassen& m) {
    m.size1 = mass(d.i[0]);
    m.size3 = mass(d.i[2]);
    if (d.eckig) {
        m.size2 = mass(d.i[1]);
        m.size4 = mass(d.i[3]);
    }
}

QString abzweigText(const DVdata& d, TMassen& m, const QString& wort) {
    zweiQuerschnitte(d, m);
    if (d.eckig)
        return eckigText(d) + QStringLiteral(", ") + wort + QLatin1Char(' ') + zahl(d.i[2]) +
               QLatin1Char('x') + zahl(d.i[3]);
    return rundText(d) + QStringLiteral(", ") + wort + QStringLiteral(" DN ") + zahl(d.i[2]);
}

// The chosen option as the item's start; without an option the title stands there.
QString option(const TBasisDatenTabelle& kat, const DVdata& d, const QString& titel) {
    const QString o = nodeBoxText(kat, d);
    return o == QStringLiteral("-") ? titel : o;
}

} // namespace

int massenKategorie(int typ) {
    if (typ == typZuluftauslass || typ == typAbluftgitter) return typAussenluftgitter;
    if (typ == typRohrKanal) return typKanalRohr;
    return typ;
}

bool alsLaenge(int kategorie) {
    return kategorie == typKanal || kategorie == typRohr;
}

TMassen massenPosten(const TBasisDatenTabelle& kat, const DVdata& d) {
    TMassen m;
    m.titel = nodeTitel(kat, d);
    m.typ = massenKategorie(d.typ);
    const QString& t = m.titel;
    QString s;
    switch (d.typ) {
    case typKanal:
        m.size1 = mass(d.i[0]);
        m.size2 = mass(d.i[1]);
        s = t + eckigText(d);
        break;
    case typRohr:
    case typSegmentkruemmer:
    case typDrosselklappe:
        m.size1 = mass(d.i[0]);
        s = t + rundText(d);
        break;
    case typAussenluftgitter:
    case typAbluftgitter: {
        s = option(kat, d, t) + querschnitt(d, m);
        static const char* const winkel[] = {"15", "30", "45", "60"};
        if (d.tag1 == 2 && d.tag2 >= 0 && d.tag2 < 4)
            s += QStringLiteral(", Winkel ") + QLatin1String(winkel[d.tag2]) + QStringLiteral("°");
        break;
    }
    case typZuluftauslass:
        s = option(kat, d, t) + querschnitt(d, m);
        if (d.tag1 == 4) {
            QString groesse = QStringLiteral("300");
            if (d.tag2 == 1 || d.tag2 == 6) groesse = QStringLiteral("400");
            if (d.tag2 == 2 || d.tag2 == 7) groesse = QStringLiteral("500");
            if (d.tag2 == 3 || d.tag2 == 8) groesse = QStringLiteral("600");
            if (d.tag2 == 4 || d.tag2 == 9) groesse = QStringLiteral("625");
            s += QStringLiteral(", Serie FD-300-") +
                 (d.tag2 < 5 ? QStringLiteral("H") : QStringLiteral("V")) + QLatin1Char('-') +
                 groesse;
        }
        break;
    case typQuerschnittsaenderung:
    case typEtage:
        zweiQuerschnitte(d, m);
        if (d.eckig) {
            s = t + eckigText(d) + QStringLiteral(" - ") + zahl(d.i[2]) + QLatin1Char('x') +
                zahl(d.i[3]);
            if (d.typ == typEtage)
                s += QStringLiteral(", Höhensprung ") + zahl(d.i[4]) +
                     QStringLiteral("mm, Länge ") + zahl(d.i[5]) + QStringLiteral("mm");
        } else {
            s = t + rundText(d) + QStringLiteral(" - DN ") + zahl(d.i[2]);
        }
        break;
    case typUebergangsbogen:
        m.size1 = mass(d.i[0]);
        m.size2 = mass(d.i[1]);
        m.size3 = mass(d.i[2]);
        m.size4 = mass(d.i[3]);
        s = t + eckigText(d) + QStringLiteral(" - ") + zahl(d.i[2]) + QLatin1Char('x') +
            zahl(d.i[3]);
        break;
    case typKanalRohr:
    case typRohrKanal:
        m.size1 = mass(d.i[0]);
        m.size2 = mass(d.i[1]);
        m.size3 = mass(d.i[2]);
        m.sizeLength = mass(d.i[5]);
        s = QStringLiteral("Übergang") + eckigText(d) + QStringLiteral(" -> DN") + zahl(d.i[2]) +
            QStringLiteral(", Länge ") + zahl(d.i[5]) + QStringLiteral("mm");
        break;
    // The reducing, oblique and round branch pieces have their sizes as the plain one, so
    // different sizes stay different items.
    case typAbzweigstueck90:
    case typAbzweigreduzierstueck90:
    case typAbzweigstueckSchraeg:
    case typAbzweigreduzierstueckSchraeg:
    case typKreuzstueck:
    case typAbzweigstueck90Rund:
        s = t + abzweigText(d, m, QStringLiteral("Abzweig"));
        break;
    case typSattelstutzen90:
    case typAufteilstueck:
        s = t + abzweigText(d, m, QStringLiteral("Abzweige"));
        break;
    case typHosenstueck:
        s = option(kat, d, t) + abzweigText(d, m, QStringLiteral("Abzweige"));
        break;
    case typSchalldaempfer:
        s = t + querschnitt(d, m) + QStringLiteral(", Länge ") + zahl(d.i[5]) +
            QStringLiteral("mm");
        break;
    case typBrandschutzklappe:
        s = option(kat, d, t) + querschnitt(d, m);
        break;
    case typBogen:
    case typKnie:
    case typVolumenstromregler:
        s = t + querschnitt(d, m);
        break;
    default:
        s = t;
        break;
    }
    m.titel_mit_size = s;
    return m;
}

double massenZuwachs(const DVdata& d) {
    if (!alsLaenge(massenKategorie(d.typ))) return 1;
    const double laenge = d.i[5];
    return std::isfinite(laenge) && laenge > 0 ? laenge : 0;
}

} // namespace zephan
