#include "bands/pegel_druck.h"

#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

QString ganzzahl(double x) {
    // nearbyint rounds halves to the even neighbour; a non-finite value prints as "-".
    return formatZahl(std::isfinite(x) ? std::nearbyint(x) : x, 0);
}

QString adaptiv(double x) {
    if (x < 10) return formatZahl(x, 2);
    if (x < 100) return formatZahl(x, 1);
    return ganzzahl(x);
}

template <typename Format>
QString zeile(const QString& titel, const QString& einheit, const TPegel& p, Format format) {
    QString s = titel + QStringLiteral("|[") + (einheit.isEmpty() ? QStringLiteral("-") : einheit) +
                QLatin1Char(']');
    for (int k = 0; k < bandAnzahl; ++k) s += QLatin1Char('|') + format(p[k]);
    return s;
}

} // namespace

bool istFrequenzzeile(const TPegel& p) {
    for (int k = 0; k < bandAnzahl; ++k)
        if (p[k] != oktavFrequenzen[k]) return false;
    return true;
}

QString pegelZeile(const QString& titel, const QString& einheit, const TPegel& p) {
    return zeile(titel, einheit, p, ganzzahl);
}

QString werteZeile(const QString& titel, const QString& einheit, const TPegel& p) {
    return zeile(titel, einheit, p, adaptiv);
}

void druckePegel(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p) {
    if (istFrequenzzeile(p)) {
        druck.tabelle(QString::fromLatin1(oktavTabellenformat));
        druck.add(pegelZeile(QStringLiteral("Oktavmittenfrequenz"), QStringLiteral("Hz"), p));
        return;
    }
    druck.add(pegelZeile(titel, einheit, p));
}

void druckeWerte(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p) {
    druck.add(werteZeile(titel, einheit, p));
}

} // namespace zephan
