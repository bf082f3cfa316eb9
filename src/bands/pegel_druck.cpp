#include "bands/pegel_druck.h"

#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

void ganzzahl(Zeilenpuffer& s, double x) {
    // nearbyint rounds halves to the even neighbour; a non-finite value prints as "-".
    formatZahlAnhaengen(s, std::isfinite(x) ? std::nearbyint(x) : x, 0);
}

void adaptiv(Zeilenpuffer& s, double x) {
    if (x < 10)
        formatZahlAnhaengen(s, x, 2);
    else if (x < 100)
        formatZahlAnhaengen(s, x, 1);
    else
        ganzzahl(s, x);
}

// A large report holds hundreds of thousands of these rows: each is put together in a buffer
// on the stack and copied out once, at its own size.
template <typename Format>
QString zeile(const QString& titel, const QString& einheit, const TPegel& p, Format format) {
    Zeilenpuffer s;
    textAnhaengen(s, titel);
    textAnhaengen(s, u"|[");
    textAnhaengen(s, einheit.isEmpty() ? QStringView(u"-") : QStringView(einheit));
    textAnhaengen(s, u"]");
    for (int k = 0; k < bandAnzahl; ++k) {
        s.append(QLatin1Char('|'));
        format(s, p[k]);
    }
    return QString(s.constData(), s.size());
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
        // Every spectrum table of a report opens with these two lines: built once, the
        // document's copies share their text.
        static const QString tabelle =
            QStringLiteral("°TK1|") + QString::fromLatin1(oktavTabellenformat);
        static const QString frequenzen = pegelZeile(QStringLiteral("Oktavmittenfrequenz"),
                                                     QStringLiteral("Hz"), oktavFrequenzen);
        druck.addW(tabelle);
        druck.addW(frequenzen);
        return;
    }
    druck.add(pegelZeile(titel, einheit, p));
}

void druckeWerte(TDruck& druck, const QString& titel, const QString& einheit, const TPegel& p) {
    druck.add(werteZeile(titel, einheit, p));
}

} // namespace zephan
