#include "pressure/project_head.h"

#include "network/project_data.h"
#include "report/report_document.h"

namespace zephan {

namespace {

// "a, b", or the non-empty one alone.
QString mitKomma(const QString& a, const QString& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return a + QStringLiteral(", ") + b;
}

} // namespace

void druckkopf(TDruck& druck, const ProjektDaten& p) {
    // Line 1 left, centre, right: the planning office as the project page holds it.
    const QString zeile1 =
        p.firma + QLatin1Char('|') + p.firma2 + QLatin1Char('|') + mitKomma(p.strasse, p.ort);
    QString zeile2 = QStringLiteral("Projekt-Nr: ") + p.pnrtxt + QStringLiteral("||");
    if (!p.Bearbeiter.isEmpty()) zeile2 += QStringLiteral("Bearbeiter: ") + p.Bearbeiter;
    QString zeile3 = QStringLiteral("Projekt: ") + p.Bau_Vorhaben;
    if (!p.Bau_Ort.isEmpty()) zeile3 += QStringLiteral(", ") + p.Bau_Ort;
    druck.kopf(zeile1, zeile2, zeile3, QStringLiteral("???"));
}

} // namespace zephan
