#include "network/settings.h"
#include "store/folders.h"
#include "store/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace zephan;

namespace {

Einstellungen ausText(const QString& text) {
    TIniFile2 ini;
    EXPECT_TRUE(ini.addtext(text));
    Einstellungen e;
    e.lesen(ini);
    return e;
}

QList<int> liste(std::initializer_list<int> l) {
    return QList<int>(l);
}

TEST(Einstellungen, DefaultsWithoutSettingsFile) {
    const Einstellungen e = ausText(QString());
    ASSERT_EQ(e.kanalMasse().size(), 17);
    EXPECT_EQ(e.kanalMasse().first(), 100);
    EXPECT_EQ(e.kanalMasse()[8], 800);
    EXPECT_EQ(e.kanalMasse().last(), 2800);
    ASSERT_EQ(e.rohrMasse().size(), 34);
    EXPECT_EQ(e.rohrMasse().first(), 40);
    EXPECT_EQ(e.rohrMasse()[6], 130);
    EXPECT_EQ(e.rohrMasse()[25], 1120);
    EXPECT_EQ(e.rohrMasse().last(), 2800);
    EXPECT_EQ(e.paProMText(), QStringLiteral("0,5"));
    EXPECT_DOUBLE_EQ(e.paProM(), 0.5);
    EXPECT_EQ(e.auslegung(), 0);
    EXPECT_EQ(e.designGeschwindigkeit(0), 8);
    EXPECT_EQ(e.designGeschwindigkeit(1), 5);
    EXPECT_EQ(e.designGeschwindigkeit(2), 3);
    EXPECT_EQ(e.nachhallzeit(), 1000);
    EXPECT_EQ(e.abstand(), 3);
    EXPECT_EQ(e.raumdB(), 30);
    EXPECT_DOUBLE_EQ(e.rohrRdh(), 1.0);
    EXPECT_DOUBLE_EQ(e.kanalRdh(), 1.0);
    EXPECT_TRUE(e.immerPlanen());
    EXPECT_TRUE(e.bauteilUnter());
    EXPECT_EQ(e.abweichung(), 2);
    EXPECT_EQ(e.min1qm(), 1);
    EXPECT_EQ(e.sbmin(), 1);
    EXPECT_EQ(e.sb30ab(), 1000);
    EXPECT_EQ(e.sb40ab(), 2500);
    EXPECT_EQ(e.schusslaenge(), 1500);
    EXPECT_EQ(e.schallmethode(), 1);
    EXPECT_FALSE(e.schallAuslass());
    EXPECT_TRUE(e.autoSave());
    // Bands 125, 250, 1000 and 2000 Hz.
    for (int k = 0; k < 7; ++k) EXPECT_EQ(e.band(k), k == 1 || k == 2 || k == 4 || k == 5) << k;
    const QList<Isolierung> iso = {{QStringLiteral("keine"), 0},
                                   {QStringLiteral("Mineralwolle"), 30},
                                   {QStringLiteral("Amaflex"), 20},
                                   {QStringLiteral("Blech mit Dämmung"), 50},
                                   {QStringLiteral("Promat L90"), 100}};
    EXPECT_EQ(e.isolierung(), iso);
    EXPECT_TRUE(e == Einstellungen());
}

TEST(Einstellungen, WrittenInFixedOrder) {
    const QStringList erwartet = {
        "Abmessung/Kanal=100|150|200|250|300|400|500|600|800|1000|1200|1400|1600|1800|2000|2500|"
        "2800|",
        "Abmessung/Rohr=40|50|63|80|100|125|130|150|160|180|200|230|255|300|315|355|400|450|500|"
        "550|630|710|800|900|1000|1120|1250|1300|1400|1500|1750|2250|2500|2800|",
        "Abmessung/KanalRdh=1",
        "Abmessung/RohrRdh=1",
        "Abmessung/Auslegung=0",
        "Abmessung/PaProM=0,5",
        "Abmessung/SpeedHaupt=8",
        "Abmessung/SpeedVerz=5",
        "Abmessung/SpeedAbz=3",
        "Abmessung/Nachhallzeit=1000",
        "Abmessung/Abstand=3",
        "Abmessung/RaumdB=30",
        "Abmessung/Immerplanen=1",
        "Abmessung/BauteilUnter=1",
        "Abmessung/Abweichung=2",
        "Abmessung/Min1qm=1",
        "Abmessung/Vierkantrund=0",
        "Abmessung/SB30ab=1000",
        "Abmessung/SB40ab=2500",
        "Abmessung/SBmin=1",
        "ProgrammDV/Schall=125,250,1K,2K,",
        "ProgrammDV/Schallmethode=1",
        "ProgrammDV/SchallAuslass=0",
        "ProgrammDV/AutoSave=1",
        "Isolierung/Anzahl=5",
        "Isolierung/Material0=keine",
        "Isolierung/Dicke0=0",
        "Isolierung/Material1=Mineralwolle",
        "Isolierung/Dicke1=30",
        "Isolierung/Material2=Amaflex",
        "Isolierung/Dicke2=20",
        "Isolierung/Material3=Blech mit Dämmung",
        "Isolierung/Dicke3=50",
        "Isolierung/Material4=Promat L90",
        "Isolierung/Dicke4=100",
    };
    EXPECT_EQ(Einstellungen().alsZeilen(), erwartet);
}

TEST(Einstellungen, WriteAndReadBackReproducesEverything) {
    Einstellungen e;
    e.massHinzufuegen(MassListe::Kanal, 350);
    e.setAuslegung(1);
    e.setPaProMText(QStringLiteral("1,25"));
    e.setSpeedHaupt(12);
    e.setSpeedVerz(7);
    e.setSpeedAbz(2);
    e.setNachhallzeit(800);
    e.setAbstand(5);
    e.setRaumdB(35);
    EXPECT_TRUE(e.setRohrRdhText(QStringLiteral("1,5")));
    EXPECT_TRUE(e.setKanalRdhText(QStringLiteral("0,75")));
    e.setImmerPlanen(false);
    e.setBauteilUnter(false);
    e.setMin1qm(2);
    e.setVierkantrund(true);
    e.setSbmin(2);
    e.setSb30ab(900);
    e.setSb40ab(2000);
    e.setSchallText(QStringLiteral("63,500,4K,"));
    e.setSchallmethode(0);
    e.setSchallAuslass(true);
    e.setAutoSave(false);
    e.setIsolierung({{QStringLiteral("Glaswolle"), 40}});

    TIniFile2 ini;
    e.schreiben(ini);
    Einstellungen z;
    z.lesen(ini);
    EXPECT_TRUE(z == e);
    EXPECT_EQ(z.kanalMasse().size(), 18);
    EXPECT_DOUBLE_EQ(z.paProM(), 1.25);
    EXPECT_DOUBLE_EQ(z.kanalRdh(), 0.75);
    EXPECT_EQ(z.schallText(), QStringLiteral("63,500,4K,"));
}

TEST(Einstellungen, SizeListTextHasNoEmptyEntry) {
    const Einstellungen e = ausText(QStringLiteral("[Abmessung]\r\nKanal=100|200||300|\r\n"));
    EXPECT_EQ(e.kanalMasse(), liste({100, 200, 300}));
    EXPECT_EQ(e.masseText(MassListe::Kanal), QStringLiteral("100|200|300|"));
    // The stored order is kept.
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nRohr=200|100|\r\n")).rohrMasse(),
              liste({200, 100}));
}

TEST(Einstellungen, SizeListWithoutValidEntryKeepsTheStandardSizes) {
    // Sizing and the page checks need a first entry.
    EXPECT_EQ(
        ausText(QStringLiteral("[Abmessung]\r\nKanal=\r\nRohr=abc|-5|\r\n")).kanalMasse().size(),
        17);
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nRohr=abc|-5|\r\n")).rohrMasse().size(), 34);
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nRohr=abc|90|\r\n")).rohrMasse(), liste({90}));
}

TEST(Einstellungen, AddingAStandardSize) {
    Einstellungen e;
    EXPECT_EQ(e.massHinzufuegen(MassListe::Rohr, 350), 15);
    EXPECT_EQ(e.rohrMasse()[14], 315);
    EXPECT_EQ(e.rohrMasse()[15], 350);
    EXPECT_EQ(e.rohrMasse()[16], 355);
    EXPECT_EQ(e.rohrMasse().size(), 35);
    // An existing size adds nothing but is found.
    EXPECT_EQ(e.massHinzufuegen(MassListe::Rohr, 355), 16);
    EXPECT_EQ(e.rohrMasse().size(), 35);
    EXPECT_EQ(e.massHinzufuegen(MassListe::Rohr, 0), -1);
    EXPECT_EQ(e.massHinzufuegen(MassListe::Rohr, 9), -1);
    EXPECT_EQ(e.massHinzufuegen(MassListe::Rohr, 100001), -1);
    EXPECT_EQ(e.rohrMasse().size(), 35);
    // Numeric, not text order.
    EXPECT_EQ(e.massHinzufuegen(MassListe::Kanal, 3000), 17);
    EXPECT_EQ(e.massHinzufuegen(MassListe::Kanal, 90), 0);
    EXPECT_EQ(e.kanalMasse().size(), 19);
}

TEST(Einstellungen, RemovingStandardSizesKeepsTheLastOne) {
    Einstellungen e;
    EXPECT_EQ(e.masseLoeschen(MassListe::Kanal, {0, 2, 2, 99, -1}), 2);
    EXPECT_EQ(e.kanalMasse().first(), 150);
    EXPECT_EQ(e.kanalMasse()[1], 250);
    QList<int> alle;
    for (int i = 0; i < e.kanalMasse().size(); ++i) alle.append(i);
    EXPECT_EQ(e.masseLoeschen(MassListe::Kanal, alle), 14);
    EXPECT_EQ(e.kanalMasse(), liste({150}));
    EXPECT_EQ(e.masseLoeschen(MassListe::Kanal, {0}), 0);
    EXPECT_EQ(e.kanalMasse(), liste({150}));
    EXPECT_EQ(e.rohrMasse().size(), 34);
}

TEST(Einstellungen, RangeRules) {
    Einstellungen e = ausText(QStringLiteral(
        "[Abmessung]\r\nAuslegung=2\r\nSBmin=3\r\nSpeedHaupt=50\r\nSpeedVerz=0\r\nSpeedAbz=abc\r\n"
        "Nachhallzeit=20000\r\nAbstand=-4\r\nRaumdB=95\r\nRohrRdh=150\r\nKanalRdh=x\r\n"
        "PaProM=abc\r\nMin1qm=7\r\n[ProgrammDV]\r\nSchallmethode=5\r\n"));
    EXPECT_EQ(e.auslegung(), 0);
    EXPECT_EQ(e.sbmin(), 0);
    EXPECT_EQ(e.speedHaupt(), 20);
    EXPECT_EQ(e.speedVerz(), 1);
    EXPECT_EQ(e.speedAbz(), 1); // no number reads as -1
    EXPECT_EQ(e.nachhallzeit(), 10000);
    EXPECT_EQ(e.abstand(), 0);
    EXPECT_EQ(e.raumdB(), 90);
    EXPECT_EQ(e.rohrRdhText(), QStringLiteral("1"));
    EXPECT_EQ(e.kanalRdhText(), QStringLiteral("1"));
    EXPECT_EQ(e.paProMText(), QStringLiteral("0,5"));
    EXPECT_EQ(e.min1qm(), 1);
    EXPECT_EQ(e.schallmethode(), 1);
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nAuslegung=1\r\nSBmin=-1\r\n")).auslegung(), 1);
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nSBmin=-1\r\n")).sbmin(), 0);
    EXPECT_EQ(ausText(QStringLiteral("[Abmessung]\r\nSBmin=2\r\n")).sbmin(), 2);
    e.setAuslegung(7);
    EXPECT_EQ(e.auslegung(), 0);
    EXPECT_FALSE(e.setRohrRdhText(QStringLiteral("100,5")));
    EXPECT_TRUE(e.setRohrRdhText(QStringLiteral("100")));
    EXPECT_DOUBLE_EQ(e.rohrRdh(), 100.0);
}

TEST(Einstellungen, ToleranceIsTwoMillimetresWhateverTheFileSays) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(QStringLiteral("[Abmessung]\r\nAbweichung=7\r\n")));
    Einstellungen e;
    e.lesen(ini);
    EXPECT_EQ(e.abweichung(), 2);
    e.schreiben(ini);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Abmessung"), QStringLiteral("Abweichung")),
              QStringLiteral("2"));
}

TEST(Einstellungen, PlanningDefaultReadAsImmerPlanenWrittenAsImmerplanen) {
    EXPECT_FALSE(ausText(QStringLiteral("[Abmessung]\r\nImmerPlanen=0\r\n")).immerPlanen());
    EXPECT_FALSE(ausText(QStringLiteral("[Abmessung]\r\nimmerplanen=0\r\n")).immerPlanen());
    TIniFile2 frisch;
    Einstellungen().schreiben(frisch);
    EXPECT_TRUE(
        frisch.ReadSection(QStringLiteral("Abmessung")).contains(QStringLiteral("Immerplanen")));
    EXPECT_FALSE(
        frisch.ReadSection(QStringLiteral("Abmessung")).contains(QStringLiteral("ImmerPlanen")));
}

TEST(Einstellungen, BandTokens) {
    const Einstellungen e = ausText(QStringLiteral("[ProgrammDV]\r\nSchall=63,4K,\r\n"));
    for (int k = 0; k < 7; ++k) EXPECT_EQ(e.band(k), k == 0 || k == 6) << k;
    EXPECT_EQ(e.schallText(), QStringLiteral("63,4K,"));
    // An empty stored text chooses no band.
    EXPECT_EQ(ausText(QStringLiteral("[ProgrammDV]\r\nSchall=\r\n")).schallText(), QString());
    EXPECT_EQ(bandToken(4), QStringLiteral("1K"));
    EXPECT_EQ(bandToken(7), QString());
    Einstellungen f;
    f.setBand(0, true);
    f.setBand(1, false);
    f.setBand(9, true);
    EXPECT_EQ(f.schallText(), QStringLiteral("63,250,1K,2K,"));
}

TEST(Einstellungen, InsulationList) {
    Einstellungen e = ausText(QStringLiteral(
        "[Isolierung]\r\nAnzahl=3\r\nMaterial0=Glaswolle\r\nDicke0=40\r\nDicke1=25\r\n"
        "Material2=Kork\r\nDicke2=abc\r\n"));
    const QList<Isolierung> erwartet = {
        {QStringLiteral("Glaswolle"), 40}, {QStringLiteral("-"), 25}, {QStringLiteral("Kork"), 0}};
    EXPECT_EQ(e.isolierung(), erwartet);
    EXPECT_EQ(ausText(QStringLiteral("[Isolierung]\r\nAnzahl=0\r\n")).isolierung().size(), 5);
    EXPECT_EQ(ausText(QStringLiteral("[Isolierung]\r\nAnzahl=-3\r\n")).isolierung().size(), 5);
    // A damaged count does not make a list of a billion entries.
    EXPECT_EQ(ausText(QStringLiteral("[Isolierung]\r\nAnzahl=1000000000\r\n")).isolierung().size(),
              1000);

    EXPECT_EQ(Einstellungen::isolierungZeile({QStringLiteral("Mineralwolle"), 30}),
              QStringLiteral("Mineralwolle, 30mm"));
    EXPECT_EQ(Einstellungen::isolierungAusZeile(QStringLiteral("Blech mit Dämmung, 50mm")),
              (Isolierung{QStringLiteral("Blech mit Dämmung"), 50}));
    EXPECT_EQ(Einstellungen::isolierungAusZeile(QStringLiteral("Kork, viel")),
              (Isolierung{QStringLiteral("Kork"), 0}));

    // A shorter list leaves no stale entries behind.
    TIniFile2 ini;
    Einstellungen().schreiben(ini);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Isolierung"), QStringLiteral("Material1")),
              QStringLiteral("Mineralwolle"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Isolierung"), QStringLiteral("Dicke1")),
              QStringLiteral("30"));
    EXPECT_TRUE(e.isolierungEntfernen(1));
    EXPECT_FALSE(e.isolierungEntfernen(5));
    e.schreiben(ini);
    EXPECT_EQ(ini.ReadSection(QStringLiteral("Isolierung")),
              QStringList({"Anzahl", "Material0", "Dicke0", "Material1", "Dicke1"}));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Isolierung"), QStringLiteral("Material1")),
              QStringLiteral("Kork"));
}

class Einstellungsdatei : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString datei() const { return dir.filePath(QStringLiteral("Zephan.ini")); }
    void schreiben(const QByteArray& b) {
        QFile f(datei());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    QByteArray inhalt() const {
        QFile f(datei());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(Einstellungsdatei, MissingFileGivesDefaultsAndSavingWritesThem) {
    Einstellungen e;
    e.setSpeedHaupt(11);
    ASSERT_TRUE(einstellungenLaden(e, datei()));
    EXPECT_TRUE(e == Einstellungen());
    QString fehler;
    ASSERT_TRUE(einstellungenSichern(e, datei(), &fehler)) << fehler.toStdString();
    const QByteArray b = inhalt();
    EXPECT_TRUE(b.startsWith("[Abmessung]\r\nKanal=100|150|200|"));
    EXPECT_TRUE(b.contains("\r\n\r\n[ProgrammDV]\r\nSchall=125,250,1K,2K,\r\n"));
    Einstellungen z;
    z.setAutoSave(false);
    ASSERT_TRUE(einstellungenLaden(z, datei()));
    EXPECT_TRUE(z == e);
}

TEST_F(Einstellungsdatei, OtherSectionsAndAnUmlautInTheLastProjectSurvive) {
    // Written by an older version in code page 1252.
    schreiben("[Fenster Tk_Einstellform]\r\nLinks=10\r\n\r\n[ProgrammDV]\r\n"
              "Lastpro=C:\\Projekte\\M\xfcller.pro\r\nSchall=63,\r\n");
    for (int start = 0; start < 2; ++start) {
        Einstellungen e;
        ASSERT_TRUE(einstellungenLaden(e, datei()));
        EXPECT_TRUE(e.band(0));
        EXPECT_FALSE(e.band(1));
        ASSERT_TRUE(einstellungenSichern(e, datei()));
        TIniFile2 ini;
        ASSERT_TRUE(ini.loadFromFile(datei()));
        EXPECT_EQ(ini.ReadString(QStringLiteral("ProgrammDV"), QStringLiteral("Lastpro")),
                  QStringLiteral("C:\\Projekte\\Müller.pro"))
            << start;
        EXPECT_EQ(
            ini.ReadString(QStringLiteral("Fenster Tk_Einstellform"), QStringLiteral("Links")),
            QStringLiteral("10"));
        ini.setFilename(QString());
    }
}

TEST_F(Einstellungsdatei, DamagedFileIsNotOverwritten) {
    const QByteArray kaputt = "[Abmessung]\r\nSpeedHaupt=9\r\n[abmessung]\r\nSpeedHaupt=10\r\n";
    schreiben(kaputt);
    Einstellungen e;
    EXPECT_FALSE(einstellungenLaden(e, datei()));
    EXPECT_TRUE(e == Einstellungen());
    QString fehler;
    EXPECT_FALSE(einstellungenSichern(e, datei(), &fehler));
    EXPECT_FALSE(fehler.isEmpty());
    EXPECT_EQ(inhalt(), kaputt);
}

TEST(Einstellungen, ProgramFileIsTakenOverFromTheProgramFolder) {
    QTemporaryDir programm, daten;
    ASSERT_TRUE(programm.isValid() && daten.isValid());
    {
        QFile f(programm.filePath(QStringLiteral("Zephan.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Abmessung]\r\nSpeedHaupt=12\r\n");
    }
    setzeProgrammOrdner(programm.path());
    setzeDatenOrdner(daten.path());
    const Einstellungen vorher = einstellungen();

    EXPECT_TRUE(einstellungenLaden());
    EXPECT_EQ(einstellungen().speedHaupt(), 12);
    EXPECT_TRUE(QFile::exists(daten.filePath(QStringLiteral("Zephan.ini"))));
    einstellungen().setSpeedVerz(6);
    QString fehler;
    EXPECT_TRUE(einstellungenSichern(&fehler)) << fehler.toStdString();
    Einstellungen z;
    ASSERT_TRUE(einstellungenLaden(z, daten.filePath(QStringLiteral("Zephan.ini"))));
    EXPECT_EQ(z.speedHaupt(), 12);
    EXPECT_EQ(z.speedVerz(), 6);
    Einstellungen imProgrammordner;
    ASSERT_TRUE(
        einstellungenLaden(imProgrammordner, programm.filePath(QStringLiteral("Zephan.ini"))));
    EXPECT_EQ(imProgrammordner.speedVerz(), 5);

    setzeProgrammOrdner(QString());
    setzeDatenOrdner(QString());
    einstellungen() = vorher;
}

TEST(Einstellungen, ProgramObjectIsReadAtTheMomentOfUse) {
    Einstellungen& e = einstellungen();
    const Einstellungen vorher = e;
    e.setAuslegung(1);
    EXPECT_TRUE(einstellungen().nachGefaelle());
    e.setAuslegung(0);
    EXPECT_FALSE(einstellungen().nachGefaelle());
    e = vorher;
}

} // namespace
