#include "network/project_data.h"

#include "store/ini_file.h"
#include "store/named_values.h"

namespace zephan {

namespace {

// The project page's stored controls in page order.
QList<NamedValue> felder(const ProjektDaten& d) {
    const auto text = [](const char* key, const QString& wert) {
        NamedValue v;
        v.key = QString::fromLatin1(key);
        v.art = WertArt::Text;
        v.text = wert;
        return v;
    };
    const auto memo = [](const char* key, const QString& wert) {
        NamedValue v;
        v.key = QString::fromLatin1(key);
        v.art = WertArt::Memo;
        v.text = wert;
        return v;
    };
    NamedValue mitGruppen;
    mitGruppen.key = QStringLiteral("MassenauszugMitGruppen");
    mitGruppen.art = WertArt::Bool;
    mitGruppen.an = d.MassenauszugMitGruppen;
    return {text("firma", d.firma),     text("Bearbeiter", d.Bearbeiter),
            text("strasse", d.strasse), text("ort", d.ort),
            text("firma2", d.firma2),   text("Bau_Vorhaben", d.Bau_Vorhaben),
            text("Bau_Ort", d.Bau_Ort), text("Bau_Strasse", d.Bau_Strasse),
            text("pnrtxt", d.pnrtxt),   memo("Gruppen", d.Gruppen),
            memo("Memo", d.Memo),       mitGruppen};
}

} // namespace

void ProjektDaten::sichern(TIniFile2& ini) const {
    namedValuesSave(ini, abschnitt, felder(*this));
}

void ProjektDaten::laden(const TIniFile2& ini) {
    Bearbeiter =
        ini.ReadString(abschnitt, QStringLiteral("Bearbeiter"), QStringLiteral("unbekannt"));
    QList<NamedValue> werte = felder(*this);
    namedValuesLoad(ini, abschnitt, werte);
    QString* ziel[] = {&firma,   &Bearbeiter,  &strasse, &ort,     &firma2, &Bau_Vorhaben,
                       &Bau_Ort, &Bau_Strasse, &pnrtxt,  &Gruppen, &Memo};
    for (int k = 0; k < 11; ++k) *ziel[k] = werte[k].text;
    MassenauszugMitGruppen = werte[11].an;
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
