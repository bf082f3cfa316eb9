#include "network/project_data.h"

#include "store/ini_file.h"

namespace zephan {

namespace {
const QChar umbruch(0x00FE); // "þ"
}

QString memoZuText(const QString& memo) {
    QString s = memo;
    s.replace(QStringLiteral("\r\n"), QString(umbruch));
    s.replace(QLatin1Char('\n'), umbruch);
    s.replace(QLatin1Char('\r'), umbruch);
    return s;
}

QString textZuMemo(const QString& text) {
    QString s = text;
    s.replace(umbruch, QLatin1Char('\n'));
    return s;
}

void ProjektDaten::sichern(TIniFile2& ini) const {
    ini.WriteString(abschnitt, QStringLiteral("firma"), firma);
    ini.WriteString(abschnitt, QStringLiteral("Bearbeiter"), Bearbeiter);
    ini.WriteString(abschnitt, QStringLiteral("strasse"), strasse);
    ini.WriteString(abschnitt, QStringLiteral("ort"), ort);
    ini.WriteString(abschnitt, QStringLiteral("firma2"), firma2);
    ini.WriteString(abschnitt, QStringLiteral("Bau_Vorhaben"), Bau_Vorhaben);
    ini.WriteString(abschnitt, QStringLiteral("Bau_Ort"), Bau_Ort);
    ini.WriteString(abschnitt, QStringLiteral("Bau_Strasse"), Bau_Strasse);
    ini.WriteString(abschnitt, QStringLiteral("pnrtxt"), pnrtxt);
    ini.WriteString(abschnitt, QStringLiteral("Gruppen"), memoZuText(Gruppen));
    ini.WriteString(abschnitt, QStringLiteral("Memo"), memoZuText(Memo));
    ini.WriteBool(abschnitt, QStringLiteral("MassenauszugMitGruppen"), MassenauszugMitGruppen);
}

void ProjektDaten::laden(const TIniFile2& ini) {
    const auto text = [&](const char* key, QString& feld) {
        feld = ini.ReadString(abschnitt, QString::fromLatin1(key), feld);
    };
    Bearbeiter =
        ini.ReadString(abschnitt, QStringLiteral("Bearbeiter"), QStringLiteral("unbekannt"));
    text("firma", firma);
    text("strasse", strasse);
    text("ort", ort);
    text("firma2", firma2);
    text("Bau_Vorhaben", Bau_Vorhaben);
    text("Bau_Ort", Bau_Ort);
    text("Bau_Strasse", Bau_Strasse);
    text("pnrtxt", pnrtxt);
    Gruppen = textZuMemo(ini.ReadString(abschnitt, QStringLiteral("Gruppen")));
    Memo = textZuMemo(ini.ReadString(abschnitt, QStringLiteral("Memo")));
    MassenauszugMitGruppen =
        ini.ReadBool(abschnitt, QStringLiteral("MassenauszugMitGruppen"), MassenauszugMitGruppen);
}

void ProjektDaten::neuesProjekt() {
    pnrtxt.clear();
    Bau_Vorhaben.clear();
    Bau_Ort.clear();
    Bau_Strasse.clear();
}

QStringList ProjektDaten::gruppenListe() const {
    QStringList liste{QStringLiteral("unbekannt")};
    for (const QString& zeile : Gruppen.split(QLatin1Char('\n'))) {
        const QString t = zeile.trimmed();
        if (!t.isEmpty()) liste.append(t);
    }
    return liste;
}

} // namespace zephan
