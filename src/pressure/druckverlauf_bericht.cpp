#include "pressure/druckverlauf_bericht.h"

#include "network/tree_container.h"
#include "pressure/druckverlauf.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <algorithm>
#include <cmath>

namespace zephan {

namespace {

const QString stat = QStringLiteral("°(delta p°(sub stat.°(-sub");
const QString dyn = QStringLiteral("p°(sub dyn°(-sub");
const QString total = QStringLiteral("°(delta p°(sub total°(-sub");

QString ganz(long long x) {
    return QString::number(x);
}

void reihe(TDruck& druck, const Druckverlauf& v, const QString& text, int farbe, int welche) {
    druck.DiaNeueReihe(text, 1, 1, farbe);
    for (size_t k = 0; k < v.a.size(); ++k) {
        const TDaten& p = v.a[k];
        const double y = welche == 0 ? p.pt : welche == 1 ? p.pd : p.pt + p.pd;
        druck.add(ganz(static_cast<long long>(k) + 1) + QLatin1Char('|') + formatZahl(y, 1));
    }
}

} // namespace

void verlaufBericht(TDruck& druck, const Druckverlauf& v) {
    QString titel = v.kopf ? v.kopf->caption() : QString();
    titel += QStringLiteral(" - Druckverlustverlauf");
    if (v.ziel)
        titel +=
            QStringLiteral(" bis ") + v.ziel->position() + QLatin1Char(' ') + v.ziel->caption();
    druck.headline(titel);
    druck.leer();

    // The x axis runs over the point numbers, about ten ticks whatever the length.
    const int n = static_cast<int>(v.a.size());
    const int schritt = std::max(1, (n + 9) / 10);
    druck.Diagramm(1, 0, 100, 40, QString(), false, true);
    druck.DiaSetachse(QStringLiteral("X"), QStringLiteral("0"), ganz(n + 1), ganz(schritt),
                      QStringLiteral("Punkt"), 0);
    reihe(druck, v, stat, 0xFF0000, 0);
    reihe(druck, v, dyn, 0x0000FF, 1);
    reihe(druck, v, total, 0x000000, 2);
    druck.leer();

    druck.tabelleK(2, QStringLiteral("0,10,*,-16,-16,-16,-16"));
    druck.add(QStringLiteral("Nr.|Bauteil|") + stat + QStringLiteral("|p°(sub stat.°(-sub|") + dyn +
              QStringLiteral("|p°(sub total°(-sub"));
    druck.add(QStringLiteral("||Pa|Pa|Pa|Pa"));
    for (size_t k = 0; k < v.a.size(); ++k) {
        const TDaten& p = v.a[k];
        druck.add(ganz(static_cast<long long>(k) + 1) + QLatin1Char('|') + p.titel +
                  QLatin1Char('|') + formatZahl(p.ps, 1) + QLatin1Char('|') + formatZahl(p.pt, 1) +
                  QLatin1Char('|') + formatZahl(p.pd, 1) + QLatin1Char('|') +
                  formatZahl(p.pt + p.pd, 1));
    }
    druck.leer();
    if (v.totald != 0)
        druck.add(QStringLiteral("Druckerhöhung Ventilator total: ") + ganz(v.totald) +
                  QStringLiteral(" Pa"));
}

} // namespace zephan
