#include "quantities/massen_csv.h"

#include "quantities/massenauszug.h"
#include "store/number_format.h"

namespace zephan {

namespace {

QString feld(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

} // namespace

QByteArray massenCsv(const Massenauszug& m) {
    QString text = QStringLiteral("Gruppe;Abschnitt;Bezeichnung;Menge;Einheit\r\n");
    for (const MassenZeile& z : massenZeilen(m)) {
        text += feld(z.gruppe) + QLatin1Char(';') + feld(abschnittTitel(z.abschnitt)) +
                QLatin1Char(';') + feld(z.text) + QLatin1Char(';') +
                formatZahlOhneGruppen(z.menge, z.stellen) + QLatin1Char(';') + z.einheit +
                QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace zephan
