#include "store/named_values.h"

#include "store/ini_file.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

namespace zephan {

namespace {

const QChar thorn(0x00FE);

QString memoSpeichern(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QString(thorn));
    t.replace(QLatin1Char('\r'), thorn);
    t.replace(QLatin1Char('\n'), thorn);
    return t;
}

QString memoLesen(const QString& stored) {
    QString t = stored;
    t.replace(thorn, QLatin1Char('\n'));
    return t;
}

QString unbekannt(const TIniFile2& ini, const QString& key) {
    const QString msg = key + QStringLiteral(" Typ unbekannt");
    trace(msg);
    if (ini.seam()) ini.seam()->meldung(msg, UserSeam::Kind::Fehler);
    return msg;
}

qint64 ausDouble(double x) {
    // a field beyond the integer range stores as "not given"
    if (!(x > -9.2e18 && x < 9.2e18)) return -1;
    return runden(x);
}

} // namespace

QString speicherSchluessel(const QString& nameFeld, const QString& controlName) {
    if (nameFeld == QLatin1String("*")) return controlName;
    return nameFeld;
}

QStringList namedValuesSave(TIniFile2& ini, const QString& section,
                            const QList<NamedValue>& values) {
    QStringList meldungen;
    for (const NamedValue& v : values) {
        if (v.key.isEmpty()) continue;
        switch (v.art) {
        case WertArt::Farbe:
        case WertArt::Jahr:
        case WertArt::Datum:
        case WertArt::Index:
            ini.WriteInteger(section, v.key, v.ganz);
            break;
        case WertArt::Text:
        case WertArt::EditText:
            ini.WriteString(section, v.key, v.text);
            break;
        case WertArt::Zahl:
            if (v.nachkommastellen == 0)
                ini.WriteInteger(section, v.key, ausDouble(v.zahl));
            else
                ini.WriteSingle(section, v.key, 0, v.nachkommastellen, v.zahl);
            break;
        case WertArt::Memo:
            ini.WriteString(section, v.key, memoSpeichern(v.text));
            break;
        case WertArt::Bool:
            ini.WriteBool(section, v.key, v.an);
            break;
        case WertArt::Unbekannt:
            meldungen.append(unbekannt(ini, v.key));
            break;
        }
    }
    return meldungen;
}

QStringList namedValuesLoad(const TIniFile2& ini, const QString& section,
                            QList<NamedValue>& values) {
    QStringList meldungen;
    for (NamedValue& v : values) {
        if (v.key.isEmpty()) continue;
        switch (v.art) {
        case WertArt::Farbe:
            v.ganz = ini.ReadInteger(section, v.key, v.ganz);
            break;
        case WertArt::Jahr:
        case WertArt::Datum:
            v.ganz = ini.ReadInteger(section, v.key, -1);
            break;
        case WertArt::Index:
            v.ganz = ini.ReadInteger(section, v.key, 0);
            break;
        case WertArt::Text:
            v.text = ini.ReadString(section, v.key, v.text);
            break;
        case WertArt::EditText:
            v.text = ini.ReadString(section, v.key, QString());
            break;
        case WertArt::Zahl:
            if (v.nachkommastellen == 0)
                v.zahl = static_cast<double>(ini.ReadInteger(section, v.key, ausDouble(v.zahl)));
            else
                v.zahl = ini.ReadSingle(section, v.key, 0);
            break;
        case WertArt::Memo:
            v.text = memoLesen(ini.ReadString(section, v.key, QString()));
            break;
        case WertArt::Bool:
            v.an = ini.ReadBool(section, v.key, v.an);
            break;
        case WertArt::Unbekannt:
            meldungen.append(unbekannt(ini, v.key));
            break;
        }
    }
    return meldungen;
}

namespace {
const QDate tagNull(1899, 12, 30);
}

qint64 tagNummer(const QDate& datum) {
    return datum.isValid() ? tagNull.daysTo(datum) : -1;
}

QDate datumAusTagNummer(qint64 tag) {
    if (tag == -1 || tag < -700000 || tag > 3000000) return QDate();
    return tagNull.addDays(tag);
}

} // namespace zephan
