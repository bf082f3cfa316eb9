#include "store/named_values.h"

#include "store/ini_file.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zephan;

namespace {

NamedValue wert(const QString& key, WertArt art) {
    NamedValue v;
    v.key = key;
    v.art = art;
    return v;
}

} // namespace

TEST(NamedValues, ProjectPageWrittenInOrderWithItsForms) {
    QList<NamedValue> page;
    NamedValue firma = wert("firma", WertArt::Text);
    firma.text = QStringLiteral("Planungsbüro Nord");
    NamedValue gruppen = wert("Gruppen", WertArt::Memo);
    gruppen.text = QStringLiteral("Keller\nEG\r\nOG");
    NamedValue mit = wert("MassenauszugMitGruppen", WertArt::Bool);
    mit.an = true;
    NamedValue pam = wert("Pam", WertArt::Zahl);
    pam.zahl = 0.5;
    pam.nachkommastellen = 2;
    NamedValue anzahl = wert("Anzahl", WertArt::Zahl);
    anzahl.zahl = 12.6;
    NamedValue art = wert("Art", WertArt::Index);
    art.ganz = 2;
    NamedValue datum = wert("Datum", WertArt::Datum);
    datum.ganz = tagNummer(QDate(2024, 3, 1));
    NamedValue farbe = wert("Farbe", WertArt::Farbe);
    farbe.ganz = 0xFF8000;
    NamedValue ohne = wert("", WertArt::Text);
    ohne.text = QStringLiteral("not stored");
    page << firma << gruppen << mit << pam << anzahl << art << datum << farbe << ohne;

    TIniFile2 ini;
    EXPECT_TRUE(namedValuesSave(ini, "Eigenschaften", page).isEmpty());
    EXPECT_EQ(ini.text(), QString::fromUtf8("[Eigenschaften]\r\n"
                                            "firma=Planungsbüro Nord\r\n"
                                            "Gruppen=KellerþEGþOG\r\n"
                                            "MassenauszugMitGruppen=1\r\n"
                                            "Pam=0,50\r\n"
                                            "Anzahl=13\r\n"
                                            "Art=2\r\n"
                                            "Datum=45352\r\n"
                                            "Farbe=16744448\r\n"));

    QList<NamedValue> back = page;
    for (NamedValue& v : back) {
        v.text.clear();
        v.ganz = 99;
        v.zahl = 99;
        v.an = false;
    }
    EXPECT_TRUE(namedValuesLoad(ini, "eigenschaften", back).isEmpty());
    EXPECT_EQ(back[0].text, QStringLiteral("Planungsbüro Nord"));
    EXPECT_EQ(back[1].text, QStringLiteral("Keller\nEG\nOG"));
    EXPECT_TRUE(back[2].an);
    EXPECT_DOUBLE_EQ(back[3].zahl, 0.5);
    EXPECT_DOUBLE_EQ(back[4].zahl, 13);
    EXPECT_EQ(back[5].ganz, 2);
    EXPECT_EQ(datumAusTagNummer(back[6].ganz), QDate(2024, 3, 1));
    EXPECT_EQ(back[7].ganz, 0xFF8000);
    EXPECT_TRUE(back[8].text.isEmpty()); // no key: not read either
}

TEST(NamedValues, MissingKeysFollowEachKindsRule) {
    TIniFile2 ini;
    ini.WriteString("P", "andere", "x");
    QList<NamedValue> v;
    NamedValue text = wert("text", WertArt::Text);
    text.text = QStringLiteral("bleibt");
    NamedValue bool_ = wert("check", WertArt::Bool);
    bool_.an = true;
    NamedValue farbe = wert("farbe", WertArt::Farbe);
    farbe.ganz = 255;
    NamedValue ganz = wert("ganz", WertArt::Zahl);
    ganz.zahl = 7;
    NamedValue dezimal = wert("dez", WertArt::Zahl);
    dezimal.zahl = 4.25;
    dezimal.nachkommastellen = 2;
    NamedValue memo = wert("memo", WertArt::Memo);
    memo.text = QStringLiteral("alt");
    NamedValue combo = wert("combo", WertArt::EditText);
    combo.text = QStringLiteral("alt");
    NamedValue index = wert("index", WertArt::Index);
    index.ganz = 3;
    NamedValue jahr = wert("jahr", WertArt::Jahr);
    jahr.ganz = 2020;
    NamedValue datum = wert("datum", WertArt::Datum);
    datum.ganz = 40000;
    v << text << bool_ << farbe << ganz << dezimal << memo << combo << index << jahr << datum;
    namedValuesLoad(ini, "P", v);
    EXPECT_EQ(v[0].text, QStringLiteral("bleibt"));
    EXPECT_TRUE(v[1].an);
    EXPECT_EQ(v[2].ganz, 255);
    EXPECT_DOUBLE_EQ(v[3].zahl, 7);
    EXPECT_DOUBLE_EQ(v[4].zahl, 0);
    EXPECT_TRUE(v[5].text.isEmpty());
    EXPECT_TRUE(v[6].text.isEmpty());
    EXPECT_EQ(v[7].ganz, 0);
    EXPECT_EQ(v[8].ganz, -1);
    EXPECT_EQ(v[9].ganz, -1);
}

TEST(NamedValues, DecimalBackAtZeroIsRestoredAsZero) {
    // a store that held 4,25 is written again with 0: the key goes, and reading gives 0
    TIniFile2 ini;
    ini.loadFromBytes("[P]\r\ndez=4,25\r\n");
    NamedValue d = wert("dez", WertArt::Zahl);
    d.nachkommastellen = 2;
    d.zahl = 0;
    namedValuesSave(ini, "P", {d});
    EXPECT_FALSE(ini.ValueExists("P", "dez"));
    QList<NamedValue> back{d};
    back[0].zahl = 4.25; // what the window still shows
    namedValuesLoad(ini, "P", back);
    EXPECT_DOUBLE_EQ(back[0].zahl, 0);
}

TEST(NamedValues, UnknownKindIsReported) {
    RecordingSeam seam;
    TIniFile2 ini(QString(), ffAnsi, &seam);
    QList<NamedValue> v{wert("Seltsam", WertArt::Unbekannt)};
    EXPECT_EQ(namedValuesSave(ini, "P", v), QStringList{"Seltsam Typ unbekannt"});
    EXPECT_TRUE(ini.leer());
    EXPECT_EQ(namedValuesLoad(ini, "P", v), QStringList{"Seltsam Typ unbekannt"});
    EXPECT_EQ(seam.fragen, (QStringList{"Seltsam Typ unbekannt [o]", "Seltsam Typ unbekannt [o]"}));
}

TEST(NamedValues, StorageKeysAndDayNumbers) {
    EXPECT_EQ(speicherSchluessel("*", "firmaEdit"), QStringLiteral("firmaEdit"));
    EXPECT_EQ(speicherSchluessel("firma", "firmaEdit"), QStringLiteral("firma"));
    EXPECT_EQ(speicherSchluessel("", "firmaEdit"), QString());
    EXPECT_EQ(tagNummer(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(tagNummer(QDate(1900, 3, 1)), 61);
    EXPECT_EQ(tagNummer(QDate()), -1);
    EXPECT_FALSE(datumAusTagNummer(-1).isValid());
    EXPECT_EQ(datumAusTagNummer(45352), QDate(2024, 3, 1));
    EXPECT_FALSE(datumAusTagNummer(std::numeric_limits<qint64>::max()).isValid());
}
