#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_data.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

void schreibeText(const QString& pfad, const QString& text) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void setzeZeit(const QString& pfad, const QDateTime& t) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
}

// Every record of a tree in flat order, with the levels.
struct Abbild {
    std::vector<int> level;
    std::vector<DVdata> daten;
    bool operator==(const Abbild&) const = default;
};

Abbild abbild(const ProjektBaum& b) {
    Abbild a;
    for (const tmylistitem* n = b.topitem(); n; n = n->getNext()) {
        a.level.push_back(n->Level());
        a.daten.push_back(*nodeDaten(n));
    }
    return a;
}

const char* kopf = "[Info]\nProg=Zephan\n\n[Tree]\nVersion=4\n\n[List]\nCount=%1\n\n";

class ProjektDatei : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        projekt.setAutomatischSichern([&] { return automatisch; });
        projekt.setWiederherstellungsOrdner(dir.filePath(QStringLiteral("daten")));
    }
    QString pfad(const QString& name) const { return dir.filePath(name); }
    // Opens the carried example as the project.
    void beispielOeffnen() {
        const QString datei = pfad(QStringLiteral("ex.pro"));
        ASSERT_TRUE(beispielSchreiben(datei));
        projekt.setDateiname(datei);
        ASSERT_TRUE(projekt.laden());
    }
    // A bad file must leave the open example exactly as it was.
    void unveraendert(const Abbild& vorher, const QString& name) {
        EXPECT_EQ(abbild(projekt.baum()), vorher);
        EXPECT_EQ(projekt.dateiname(), name);
    }

    QTemporaryDir dir;
    bool automatisch = false;
    RecordingSeam seam;
    Projekt projekt{seam};
};

} // namespace

// --- the example -------------------------------------------------------------------------------

TEST_F(ProjektDatei, ExampleLoadsWithTheRecordsOfItsTable) {
    beispielOeffnen();
    const ProjektBaum& b = projekt.baum();
    ASSERT_EQ(b.count(), 19);
    const int level[19] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 1, 1, 1, 0, 1, 1, 1, 1};
    const int typ[19] = {0, 9, 2, 13, 2, 30, 2, 21, 2, 10, 4, 2, 10, 4, 1, 11, 13, 12, 4};
    for (int k = 0; k < 19; ++k) {
        EXPECT_EQ(b.item(k)->Level(), level[k]) << k;
        EXPECT_EQ(nodeDaten(b.item(k))->typ, typ[k]) << k;
    }
    EXPECT_EQ(b.item(7)->position(), "1.5.2");
    EXPECT_EQ(b.item(7)->caption(), "Bogen 90°");

    const DVdata& strang = *nodeDaten(b.item(0));
    EXPECT_FALSE(strang.eckig);
    EXPECT_EQ(strang.p[1], "1,200");
    EXPECT_EQ(strang.p[2], "1 Beispiel");
    EXPECT_EQ(b.item(0)->caption(), "Zuluft: 1 Beispiel");

    const DVdata& gitter = *nodeDaten(b.item(1));
    EXPECT_EQ(gitter.tag1, 0);
    EXPECT_EQ(gitter.tag2, 1);
    EXPECT_TRUE(gitter.eckig);
    const std::array<double, 7> gi{500, 300, 0, 2000, 0, 0, 0};
    EXPECT_EQ(gitter.i, gi);
    EXPECT_EQ(gitter.p[0], "3,70");
    EXPECT_EQ(gitter.p[1], "0,25");

    const DVdata& kanal = *nodeDaten(b.item(2));
    const std::array<double, 7> ki{500, 300, -1, -1, 5, 2000, -1};
    EXPECT_EQ(kanal.i, ki);
    EXPECT_EQ(kanal.p[2], "Stahlblech");

    const DVdata& fan = *nodeDaten(b.item(3));
    const std::array<double, 7> fi{2000, 2000, 0, 0, 16, 0, 100};
    EXPECT_EQ(fan.i, fi);

    const DVdata& stueck = *nodeDaten(b.item(5));
    const std::array<double, 7> si{500, 300, 500, 300, -1, -1, 500};
    EXPECT_EQ(stueck.i, si);
    EXPECT_EQ(stueck.p[1], "0,100");
    EXPECT_EQ(stueck.tag1, -1);

    const DVdata& raum = *nodeDaten(b.item(10));
    EXPECT_EQ(raum.tag1, 3);
    const std::array<double, 7> ri{300, 0, 0, 40, 1000, 3.0, 0};
    EXPECT_EQ(raum.i, ri);
    EXPECT_EQ(raum.p[2], "2");
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(raum.nachhallzeit[static_cast<size_t>(k)], -1);
        EXPECT_EQ(raum.RaumSpektrum[static_cast<size_t>(k)], -1.0);
    }
    EXPECT_EQ(nodeDaten(b.item(9))->i[3], 1000);
    EXPECT_EQ(nodeDaten(b.item(12))->i[3], 1000);
    const DVdata& fort = *nodeDaten(b.item(15));
    EXPECT_EQ(fort.i[0], 800);
    EXPECT_EQ(fort.i[1], 800);
    EXPECT_EQ(fort.i[3], 1000);

    // Everything of the example is complete, so it can be calculated.
    for (int k = 0; k < 19; ++k) {
        DVdata d = *nodeDaten(b.item(k));
        EXPECT_TRUE(vollstaendig(basisDatenTabelle(), d)) << b.item(k)->position().toStdString();
    }
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), b.item(5)), 2000);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), b.item(11)), 1000);

    EXPECT_EQ(projekt.daten().Bearbeiter, "Beispiel");
    EXPECT_EQ(projekt.daten().ort, "12345 Musterstadt");
    EXPECT_FALSE(projekt.geaendert());
    EXPECT_EQ(b.Selected(), b.topitem());
    EXPECT_FALSE(b.topitem()->expanded); // two lines
}

TEST_F(ProjektDatei, ExampleIsWrittenOnceAndFoundWithoutRegardToCase) {
    const QString ordner = pfad(QStringLiteral("Zephan"));
    const QString datei = beispielAnlegen(ordner);
    EXPECT_EQ(datei, QDir(ordner).filePath(QStringLiteral("Beispiel.pro")));
    const QByteArray inhalt = lies(datei);
    ASSERT_FALSE(inhalt.isEmpty());
    EXPECT_TRUE(inhalt.startsWith("dazava")); // packed

    // An existing example in any case of its name is kept.
    QFile::remove(datei);
    schreibeText(QDir(ordner).filePath(QStringLiteral("beispiel.pro")), QStringLiteral("eigen"));
    EXPECT_EQ(beispielAnlegen(ordner), QDir(ordner).filePath(QStringLiteral("beispiel.pro")));
    EXPECT_EQ(lies(QDir(ordner).filePath(QStringLiteral("beispiel.pro"))), "eigen");
    EXPECT_EQ(dateiOhneFall(ordner, QStringLiteral("BEISPIEL.PRO")),
              QDir(ordner).filePath(QStringLiteral("beispiel.pro")));
    EXPECT_TRUE(dateiOhneFall(ordner, QStringLiteral("Bauteil.ini")).isEmpty());
    EXPECT_TRUE(dateiOhneFall(pfad(QStringLiteral("fehlt")), QStringLiteral("x")).isEmpty());
}

// --- saving and round trips ---------------------------------------------------------------------

TEST_F(ProjektDatei, ExampleRoundTripReproducesEveryField) {
    beispielOeffnen();
    const Abbild vorher = abbild(projekt.baum());
    const ProjektDaten daten = projekt.daten();
    projekt.setDateiname(pfad(QStringLiteral("kopie.pro")));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern());
    EXPECT_FALSE(projekt.geaendert());

    RecordingSeam seam2;
    Projekt zweites(seam2);
    zweites.setDateiname(pfad(QStringLiteral("kopie.pro")));
    ASSERT_TRUE(zweites.laden());
    EXPECT_EQ(abbild(zweites.baum()), vorher);
    EXPECT_EQ(zweites.daten(), daten);

    // The written text keeps the key order and forms of the file.
    TIniFile2 ini;
    ASSERT_TRUE(ini.loadFromFile(pfad(QStringLiteral("kopie.pro"))));
    EXPECT_TRUE(ini.compressed());
    EXPECT_EQ(ini.ReadSections().mid(0, 4), (QStringList{"Info", "Tree", "Eigenschaften", "List"}));
    EXPECT_EQ(ini.ReadString("Tree", "ID"), "0");
    EXPECT_EQ(ini.ReadString("Info", "Prog"), "Zephan");
    EXPECT_EQ(ini.ReadSection("2"), (QStringList{"Level", "Typ", "Tag1", "Text", "I0", "I1", "I2",
                                                 "I3", "I4", "I5", "I6", "P0", "P2"}));
    EXPECT_EQ(ini.ReadString("2", "I2"), "-1");
    EXPECT_EQ(ini.ReadString("10", "I5"), "3,0");
    EXPECT_EQ(ini.ReadString("10", "RaumSpektrum0"), "-1,0");
    EXPECT_EQ(ini.ReadString("0", "eckig"), "0");
    EXPECT_FALSE(ini.ValueExists("1", "eckig"));
}

TEST_F(ProjektDatei, GeneratedProjectRoundTrip) {
    GeneratorOptionen o;
    o.straenge = 4;
    o.auslaesse = 12;
    o.seed = 7;
    projektErzeugen(projekt.baum(), o);
    projektDatenErzeugen(projekt.daten(), o);
    projekt.daten().Memo = QStringLiteral("Zeile 1\nZeile 2");
    const Abbild vorher = abbild(projekt.baum());
    projekt.setDateiname(pfad(QStringLiteral("gen")));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern());
    EXPECT_EQ(projekt.dateiname(), pfad(QStringLiteral("gen.pro"))); // ".pro" appended

    RecordingSeam seam2;
    Projekt zweites(seam2);
    zweites.setDateiname(pfad(QStringLiteral("gen.pro")));
    ASSERT_TRUE(zweites.laden());
    const Abbild nachher = abbild(zweites.baum());
    ASSERT_EQ(nachher.daten.size(), vorher.daten.size());
    for (size_t k = 0; k < vorher.daten.size(); ++k)
        ASSERT_EQ(nachher.daten[k], vorher.daten[k]) << "Knoten " << k;
    EXPECT_EQ(nachher.level, vorher.level);
    EXPECT_EQ(zweites.daten(), projekt.daten());
    EXPECT_EQ(zweites.daten().Memo, "Zeile 1\nZeile 2");
}

TEST_F(ProjektDatei, StoredNumbersAndBands) {
    TIniFile2 ini;
    DVdata raum;
    initNode(raum, false);
    raum.typ = 4;
    raum.i = {300, 0, -1, 40, 1000, 2.5, -1};
    raum.schall = 1;
    raum.sg = {0, -1, 44.5, 50, 51, 52, 53, -1};
    raum.RaumSpektrum = {0, -1, 30.5, 31, 32, 33, 34, 0};
    recordSchreiben(ini, "0", raum);
    EXPECT_EQ(ini.ReadString("0", "I5"), "2,5");
    EXPECT_FALSE(ini.ValueExists("0", "I1")); // 0 writes no key
    EXPECT_EQ(ini.ReadString("0", "I2"), "-1");
    EXPECT_EQ(ini.ReadString("0", "SG0"), "0,0");
    EXPECT_EQ(ini.ReadString("0", "SG1"), "-1,0");
    EXPECT_FALSE(ini.ValueExists("0", "SD0"));
    EXPECT_EQ(ini.ReadString("0", "RaumSpektrum0"), "0,0");
    EXPECT_EQ(ini.ReadString("0", "NachHallzeit3"), "-1");
    DVdata zurueck;
    ASSERT_TRUE(recordLesen(ini, "0", zurueck));
    EXPECT_EQ(zurueck, raum);
    EXPECT_EQ(zurueck.i[5], 2.5);
    EXPECT_EQ(zurueck.sg[1], -1.0);
    EXPECT_EQ(zurueck.RaumSpektrum[0], 0.0);

    DVdata kanal;
    initNode(kanal, false);
    kanal.typ = 2;
    kanal.i = {500, 300, 0, -1, -1, 2000, -1};
    kanal.Gruppe = QStringLiteral("Zentrale");
    kanal.planung = true;
    kanal.vorgabe = -1;
    kanal.fehler = 8;
    recordSchreiben(ini, "1", kanal);
    EXPECT_FALSE(ini.ValueExists("1", "I2"));
    EXPECT_EQ(ini.ReadString("1", "Planung"), "1");
    EXPECT_FALSE(ini.ValueExists("1", "NachHallzeitangabe")); // rooms only
    ASSERT_TRUE(recordLesen(ini, "1", zurueck));
    EXPECT_EQ(zurueck, kanal);
}

TEST_F(ProjektDatei, UnchangedProjectWritesNothingAndSavesOnce) {
    beispielOeffnen();
    projekt.setDateiname(pfad(QStringLiteral("p.pro")));
    EXPECT_TRUE(projekt.sichern());
    EXPECT_FALSE(QFile::exists(pfad(QStringLiteral("p.pro"))));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern());
    ASSERT_TRUE(QFile::exists(pfad(QStringLiteral("p.pro"))));
    QFile::remove(pfad(QStringLiteral("p.pro")));
    EXPECT_TRUE(projekt.sichern()); // the second call finds the project unchanged
    EXPECT_FALSE(QFile::exists(pfad(QStringLiteral("p.pro"))));
}

TEST_F(ProjektDatei, StatusTextsWithElapsedMilliseconds) {
    beispielOeffnen();
    const QRegularExpression geladen(QStringLiteral("^3: Datei .*ex\\.pro geladen\\. \\d+ msek$"));
    EXPECT_TRUE(geladen.match(seam.statusTexte.last()).hasMatch())
        << seam.statusTexte.last().toStdString();
    seam.statusTexte.clear();
    projekt.setDateiname(pfad(QStringLiteral("s.pro")));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern());
    ASSERT_EQ(seam.statusTexte.size(), 2);
    EXPECT_EQ(seam.statusTexte[0], "3: Sichere Daten...");
    const QRegularExpression gesichert(
        QStringLiteral("^3: Datei .*s\\.pro gesichert\\.  \\d+ msek$"));
    EXPECT_TRUE(gesichert.match(seam.statusTexte[1]).hasMatch())
        << seam.statusTexte[1].toStdString();
}

TEST_F(ProjektDatei, ExampleNameRefusedButItsTemporaryCopyWritten) {
    ASSERT_TRUE(beispielSchreiben(pfad(QStringLiteral("Beispiel.PRO"))));
    projekt.setDateiname(pfad(QStringLiteral("Beispiel.PRO")));
    ASSERT_TRUE(projekt.laden());
    const QByteArray vorher = lies(pfad(QStringLiteral("Beispiel.PRO")));
    projekt.setGeaendert(true);
    EXPECT_FALSE(projekt.sichern());
    ASSERT_FALSE(seam.fragen.isEmpty());
    EXPECT_EQ(seam.fragen.last(), "Datei darf nicht als Beispiel gespeichert werden. [o]");
    EXPECT_EQ(lies(pfad(QStringLiteral("Beispiel.PRO"))), vorher);
    EXPECT_TRUE(projekt.geaendert()); // nothing was saved
    EXPECT_TRUE(projekt.sichern(true));
    EXPECT_TRUE(QFile::exists(pfad(QStringLiteral("Beispiel.PROtmp"))));
    EXPECT_TRUE(projekt.geaendert());
}

TEST_F(ProjektDatei, FailedWriteKeepsTheMarkAndTheTemporaryCopy) {
    beispielOeffnen();
    // The target is a folder: the write must fail.
    ASSERT_TRUE(QDir().mkpath(pfad(QStringLiteral("ordner.pro"))));
    projekt.setDateiname(pfad(QStringLiteral("ordner.pro")));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern(true));
    ASSERT_TRUE(QFile::exists(pfad(QStringLiteral("ordner.protmp"))));
    seam.fragen.clear();
    EXPECT_FALSE(projekt.sichern());
    EXPECT_TRUE(projekt.geaendert());
    EXPECT_TRUE(QFile::exists(pfad(QStringLiteral("ordner.protmp"))));
    EXPECT_EQ(seam.fragen.size(), 1); // the failure is reported
    EXPECT_FALSE(projekt.letzterFehler().isEmpty());
}

TEST_F(ProjektDatei, NormalSaveDeletesTheTemporaryCopy) {
    beispielOeffnen();
    projekt.setDateiname(pfad(QStringLiteral("t.pro")));
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichern(true));
    ASSERT_TRUE(QFile::exists(pfad(QStringLiteral("t.protmp"))));
    EXPECT_FALSE(QFile::exists(pfad(QStringLiteral("t.pro"))));
    ASSERT_TRUE(projekt.sichern());
    EXPECT_FALSE(QFile::exists(pfad(QStringLiteral("t.protmp"))));
    EXPECT_TRUE(QFile::exists(pfad(QStringLiteral("t.pro"))));
}

TEST_F(ProjektDatei, UnnamedProjectKeepsItsRecoveryCopyInTheDataFolder) {
    projekt.neu();
    EXPECT_TRUE(projekt.dateiname().isEmpty());
    EXPECT_TRUE(projekt.geaendert());
    projektErzeugen(projekt.baum(), GeneratorOptionen{1, 2, 1});
    ASSERT_TRUE(projekt.sichern(true));
    const QString kopie = dir.filePath(QStringLiteral("daten/unbenannt.protmp"));
    EXPECT_EQ(projekt.tempDatei(), kopie);
    EXPECT_TRUE(QFile::exists(kopie));
    EXPECT_FALSE(QFile::exists(QStringLiteral("tmp")));
    projekt.setDateiname(pfad(QStringLiteral("benannt.pro")));
    ASSERT_TRUE(projekt.sichern());
    EXPECT_TRUE(QFile::exists(kopie)); // it belonged to no name; the named save keeps it
}

// --- automatic save -----------------------------------------------------------------------------

TEST(AutoSave, CountdownAndMenuText) {
    AutoSave a;
    EXPECT_EQ(a.menuText(), "Sichern (-)");
    EXPECT_FALSE(a.menuAktiv(false));
    EXPECT_TRUE(a.menuAktiv(true));
    EXPECT_FALSE(a.tick()); // stopped: nothing happens
    EXPECT_EQ(a.budget(), 300);
    a.geaendert(true, true);
    EXPECT_TRUE(a.laeuft());
    EXPECT_EQ(a.menuText(), "Sichern (5 Min.)");
    EXPECT_FALSE(a.tick());
    EXPECT_EQ(a.menuText(), "Sichern (4 Min.)");
    for (int k = 2; k < 60; ++k) EXPECT_FALSE(a.tick()) << k;
    EXPECT_EQ(a.budget(), 5);
    EXPECT_EQ(a.menuText(), "Sichern (0 Min.)");
    EXPECT_TRUE(a.tick()); // the 60th tick: 300 seconds are used up
    EXPECT_EQ(a.budget(), 300);

    AutoSave b;
    b.geaendert(true, false); // automatic saving off
    EXPECT_FALSE(b.laeuft());
    b.start();
    for (int k = 0; k < 10; ++k) b.tick();
    b.geaendert(false, true); // already changed: the budget runs on
    EXPECT_EQ(b.budget(), 250);
}

TEST_F(ProjektDatei, AutomaticSaveWritesTheTemporaryCopyAfterFiveMinutes) {
    beispielOeffnen();
    automatisch = true;
    projekt.setDateiname(pfad(QStringLiteral("a.pro")));
    projekt.setGeaendert(true);
    EXPECT_EQ(projekt.autoSave().menuText(), "Sichern (5 Min.)");
    for (int k = 0; k < 59; ++k) EXPECT_FALSE(projekt.autoSaveTick());
    EXPECT_FALSE(QFile::exists(pfad(QStringLiteral("a.protmp"))));
    EXPECT_TRUE(projekt.autoSaveTick());
    EXPECT_TRUE(QFile::exists(pfad(QStringLiteral("a.protmp"))));
    EXPECT_TRUE(projekt.geaendert());
    EXPECT_TRUE(projekt.autoSave().laeuft());
    ASSERT_TRUE(projekt.sichern());
    EXPECT_FALSE(projekt.autoSave().laeuft());
    EXPECT_EQ(projekt.autoSave().menuText(), "Sichern (-)");
}

// --- loading ------------------------------------------------------------------------------------

TEST_F(ProjektDatei, MissingFileAndWrongVersion) {
    beispielOeffnen();
    const Abbild vorher = abbild(projekt.baum());
    const QString name = projekt.dateiname();
    projekt.setDateiname(pfad(QStringLiteral("fehlt.pro")));
    EXPECT_FALSE(projekt.laden());
    EXPECT_EQ(seam.fragen.last(), "Die Datei " + pfad("fehlt.pro") + " existiert nicht. [o]");
    projekt.setDateiname(name);

    schreibeText(pfad("alt.pro"),
                 "[Info]\nProg=Zephan\n\n[List]\nCount=1\n\n[0]\nLevel=0\nTyp=0\n");
    EXPECT_FALSE(projekt.laden(pfad("alt.pro")));
    EXPECT_EQ(seam.fragen.last(), "Ungültige Version:1 [o]");
    unveraendert(vorher, name);

    schreibeText(pfad("v3.pro"), "[Tree]\nVersion=3\n");
    EXPECT_FALSE(projekt.laden(pfad("v3.pro")));
    EXPECT_EQ(seam.fragen.last(), "Ungültige Version:3 [o]");
    projekt.setDateiname(pfad("v3.pro"));
    EXPECT_FALSE(projekt.laden());
    projekt.setDateiname(name);
    unveraendert(vorher, name);
}

TEST_F(ProjektDatei, BadFilesLeaveTheOpenProjectUntouched) {
    beispielOeffnen();
    const Abbild vorher = abbild(projekt.baum());
    const ProjektDaten daten = projekt.daten();
    const QString name = projekt.dateiname();
    const auto versuche = [&](const QString& datei, const QString& text, const char* erwartet) {
        schreibeText(pfad(datei), text);
        projekt.setDateiname(pfad(datei));
        seam.fragen.clear();
        EXPECT_FALSE(projekt.laden()) << datei.toStdString();
        ASSERT_EQ(seam.fragen.size(), 1) << datei.toStdString();
        EXPECT_TRUE(seam.fragen[0].contains(QString::fromUtf8(erwartet)))
            << seam.fragen[0].toStdString();
        projekt.setDateiname(name);
        unveraendert(vorher, name);
        EXPECT_EQ(projekt.daten(), daten);
    };
    const QString k = QString::fromLatin1(kopf);
    versuche("gross.pro",
             k.arg(2) + "[Eigenschaften]\nfirma=Neu\n\n[0]\nLevel=0\nTyp=0\n\n[1]\nLevel=1\nTyp=2\n"
                        "Tag1=3000000000\n",
             "Ungültiger Wert im Abschnitt 1: Tag1=3000000000");
    versuche("lang.pro", k.arg(1) + "[0]\nLevel=0\nTyp=0\nSchall=123456789012345678901234\n",
             "Ungültiger Wert im Abschnitt 0: Schall=123456789012345678901234");
    versuche("typ.pro", k.arg(1) + "[0]\nLevel=0\nTyp=131\n",
             "Ungültiger Bauteiltyp im Abschnitt 0: 131");
    versuche("negativ.pro", k.arg(1) + "[0]\nLevel=0\nTyp=-2\n",
             "Ungültiger Bauteiltyp im Abschnitt 0: -2");
    versuche("sprung.pro", k.arg(2) + "[0]\nLevel=0\nTyp=0\n\n[1]\nLevel=2\nTyp=2\n",
             "kann nicht gelesen werden");
    versuche("anzahl.pro", k.arg(5) + "[0]\nLevel=0\nTyp=0\n", "kann nicht gelesen werden");

    // A damaged container.
    const QByteArray gut = beispielProjekt();
    QFile f(pfad("kaputt.pro"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(gut.left(gut.size() / 2));
    f.close();
    projekt.setDateiname(pfad("kaputt.pro"));
    seam.fragen.clear();
    EXPECT_FALSE(projekt.laden());
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_TRUE(seam.fragen[0].startsWith("Die Datei " + pfad("kaputt.pro") +
                                          " kann nicht gelesen werden: "));
    projekt.setDateiname(name);
    unveraendert(vorher, name);
}

TEST_F(ProjektDatei, NodeWithoutTypeIsAccepted) {
    schreibeText(pfad("leer.pro"), QString::fromLatin1(kopf).arg(2) +
                                       "[0]\nLevel=0\nTyp=0\n\n[1]\nLevel=1\nTyp=-1\n");
    projekt.setDateiname(pfad("leer.pro"));
    ASSERT_TRUE(projekt.laden());
    ASSERT_EQ(projekt.baum().count(), 2);
    EXPECT_EQ(nodeDaten(projekt.baum().item(1))->typ, -1);
    EXPECT_EQ(projekt.baum().item(1)->caption(), "nodef");
    EXPECT_TRUE(projekt.baum().topitem()->expanded); // the only line
}

TEST_F(ProjektDatei, CrcMismatchLoadsWithAWarning) {
    QByteArray bytes = beispielProjekt();
    ASSERT_GT(bytes.size(), 32);
    bytes[28] = static_cast<char>(bytes[28] ^ 0x5A); // stored check sum
    QFile f(pfad("crc.pro"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    projekt.setDateiname(pfad("crc.pro"));
    ASSERT_TRUE(projekt.laden());
    EXPECT_EQ(projekt.baum().count(), 19);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], "CRC-Fehler in der Datei " + pfad("crc.pro") +
                                  ". Die Daten wurden trotzdem geladen. [o]");
}

TEST_F(ProjektDatei, NewerTemporaryCopyIsOfferedAndMarksTheProjectChanged) {
    beispielOeffnen();
    const QString datei = pfad("z.pro");
    ASSERT_TRUE(beispielSchreiben(datei));
    // The temporary copy holds one line more.
    Projekt quelle(seam);
    quelle.setDateiname(datei);
    ASSERT_TRUE(quelle.laden());
    projektErzeugen(quelle.baum(), GeneratorOptionen{1, 1, 3});
    quelle.setGeaendert(true);
    ASSERT_TRUE(quelle.sichern(true));
    const QDateTime jetzt = QDateTime::currentDateTime();
    setzeZeit(datei, jetzt.addSecs(-60));
    setzeZeit(datei + "tmp", jetzt);
    const int mitKopie = quelle.baum().count();

    const QString frage = "Ein Zwischenspeicherung ist aktueller. Diese laden? [j|n|a]";
    seam.fragen.clear();
    seam.antworten = {2}; // cancel: nothing is loaded
    projekt.setDateiname(datei);
    EXPECT_FALSE(projekt.laden());
    EXPECT_EQ(seam.fragen, QStringList{frage});
    EXPECT_EQ(projekt.baum().count(), 19);

    seam.antworten = {1}; // the file itself
    ASSERT_TRUE(projekt.laden());
    EXPECT_EQ(projekt.baum().count(), 19);
    EXPECT_FALSE(projekt.geaendert());

    seam.antworten = {0}; // the temporary copy
    ASSERT_TRUE(projekt.laden());
    EXPECT_EQ(projekt.baum().count(), mitKopie);
    EXPECT_TRUE(projekt.geaendert()); // its content is not yet in the file
    EXPECT_EQ(projekt.dateiname(), datei);

    // An older copy is not offered.
    setzeZeit(datei + "tmp", jetzt.addSecs(-120));
    seam.fragen.clear();
    ASSERT_TRUE(projekt.laden());
    EXPECT_TRUE(seam.fragen.isEmpty());
    EXPECT_EQ(projekt.baum().count(), 19);
}

TEST_F(ProjektDatei, AddingAProjectAppendsItsLines) {
    beispielOeffnen();
    const QString name = projekt.dateiname();
    const ProjektDaten daten = projekt.daten();

    RecordingSeam seam2;
    Projekt drei(seam2);
    drei.setAutomatischSichern([] { return false; });
    projektErzeugen(drei.baum(), GeneratorOptionen{3, 2, 9});
    drei.daten().firma = QStringLiteral("Andere");
    drei.setDateiname(pfad("drei.pro"));
    drei.setGeaendert(true);
    ASSERT_TRUE(drei.sichern());
    const Abbild dreiAbbild = abbild(drei.baum());

    ASSERT_TRUE(projekt.laden(pfad("drei.pro")));
    const ProjektBaum& b = projekt.baum();
    EXPECT_EQ(b.topCount(), 5);
    EXPECT_EQ(b.count(), 19 + drei.baum().count());
    const Abbild alle = abbild(b);
    EXPECT_TRUE(
        std::equal(dreiAbbild.daten.begin(), dreiAbbild.daten.end(), alle.daten.begin() + 19));
    EXPECT_TRUE(
        std::equal(dreiAbbild.level.begin(), dreiAbbild.level.end(), alle.level.begin() + 19));
    EXPECT_EQ(b.topLevel(2)->position(), "3");
    EXPECT_EQ(projekt.dateiname(), name); // the project's own file stays
    EXPECT_EQ(projekt.daten(), daten);    // so does its page
    EXPECT_TRUE(projekt.geaendert());     // the added lines are not in its file yet
}

// --- conversions of older files -----------------------------------------------------------------

TEST(Konvertieren, OlderTypesAndValues) {
    TIniFile2 ini;
    ini.addtext(
        QStringLiteral("[a]\nTyp=36\n\n[b]\nTyp=25\neckig=1\n\n[c]\nTyp=19\n\n[d]\nTyp=24\n"
                       "eckig=0\n\n[e]\nTyp=14\n\n[f]\nTyp=17\nTag1=3\n\n[g]\nTyp=22\n\n"
                       "[h]\nTyp=34\neckig=0\n\n[i]\nTyp=34\nI1=-1\n\n[j]\nTyp=39\neckig=0\n\n"
                       "[k]\nTyp=43\nTag1=-5\n\n[l]\nTyp=10\nI2=0,5\n\n[m]\nTyp=0\nP1=3,5\n\n"
                       "[n]\nTyp=1\n\n[o]\nTyp=7\nP2=alt\n\n[p]\nTyp=8\nText=neu\nP2=alt\n\n"
                       "[q]\nTyp=0\nP1=0,9\n"));
    DVdata d;
    const auto lies = [&](const char* s) {
        EXPECT_TRUE(recordLesen(ini, QString::fromLatin1(s), d)) << s;
        return d;
    };
    EXPECT_EQ(lies("a").typ, 34);
    EXPECT_TRUE(d.eckig);
    EXPECT_EQ(lies("b").typ, 24);
    EXPECT_FALSE(d.eckig);
    EXPECT_EQ(lies("c").typ, 19); // a duct point stays a duct point
    EXPECT_EQ(lies("d").typ, 24);
    EXPECT_FALSE(d.eckig); // a round offset stays round
    EXPECT_EQ(lies("e").typ, 13);
    EXPECT_EQ(lies("f").typ, 16);
    EXPECT_EQ(d.tag1, 0);
    EXPECT_EQ(lies("g").typ, 21);
    EXPECT_FALSE(d.eckig);
    lies("h"); // no I1 reads 0: rectangular
    EXPECT_TRUE(d.eckig);
    lies("i");
    EXPECT_FALSE(d.eckig);
    lies("j");
    EXPECT_TRUE(d.eckig);
    EXPECT_EQ(d.tag1, 0);
    EXPECT_EQ(lies("k").tag1, 0);
    lies("l");
    EXPECT_EQ(d.i[2], 1.0);
    EXPECT_EQ(d.i[4], 1.0);
    EXPECT_EQ(lies("m").p[1], "1,2");
    EXPECT_EQ(lies("n").p[1], "1,2");
    EXPECT_EQ(lies("q").p[1], "0,9");
    lies("o");
    EXPECT_EQ(d.Text, "alt");
    EXPECT_TRUE(d.p[2].isEmpty());
    lies("p");
    EXPECT_EQ(d.Text, "neu alt");
}

TEST(TreeItem, NodeWithoutRecordIsReportedBySaving) {
    ProjektBaum b;
    tmylistitem* n = b.Add(QStringLiteral("x"));
    b.AddChild(n, QStringLiteral("y"));
    n->getChild()->Data.reset();
    RecordingSeam seam;
    TIniFile2 ini;
    b.OnItemSave = [&](TIniFile2& f, const QString& s, tmylistitem* item) {
        treeItemSave(f, s, item, &seam);
    };
    b.SaveToInifile(ini);
    EXPECT_EQ(seam.fragen, QStringList{"Fehler bei: 1.1 [o]"});
    EXPECT_EQ(ini.ReadString("0", "Typ"), "-1");
    EXPECT_EQ(ini.ReadSection("1"), QStringList{"Level"});
}

// --- the project page ---------------------------------------------------------------------------

TEST(ProjektDaten, StoredInPageOrderAndRestoredLikeThePage) {
    ProjektDaten d;
    d.firma = QStringLiteral("Musterplanung");
    d.Bearbeiter = QStringLiteral("M. Muster");
    d.ort = QStringLiteral("Köln");
    d.pnrtxt = QStringLiteral("42");
    d.Gruppen = QStringLiteral("Zentrale\n  Geschosse  \n\nDach");
    d.Memo = QStringLiteral("Erste Zeile\nZweite Zeile");
    d.MassenauszugMitGruppen = true;
    TIniFile2 ini;
    d.sichern(ini);
    EXPECT_EQ(
        ini.ReadSection("Eigenschaften"),
        (QStringList{"firma", "Bearbeiter", "strasse", "ort", "firma2", "Bau_Vorhaben", "Bau_Ort",
                     "Bau_Strasse", "pnrtxt", "Gruppen", "Memo", "MassenauszugMitGruppen"}));
    EXPECT_EQ(ini.ReadString("Eigenschaften", "Memo"), "Erste ZeileþZweite Zeile");
    EXPECT_EQ(ini.ReadString("Eigenschaften", "MassenauszugMitGruppen"), "1");
    ProjektDaten zurueck;
    zurueck.laden(ini);
    EXPECT_EQ(zurueck, d);
    EXPECT_EQ(d.gruppenListe(), (QStringList{"unbekannt", "Zentrale", "Geschosse", "Dach"}));

    // The example stores the nine fields only: texts and the check box keep what the page
    // showed, the memos are emptied, the editor falls back to "unbekannt".
    TIniFile2 neun;
    neun.addtext(QStringLiteral("[Eigenschaften]\nfirma=Andere\npnrtxt=7\n"));
    ProjektDaten page = d;
    page.laden(neun);
    EXPECT_EQ(page.firma, "Andere");
    EXPECT_EQ(page.pnrtxt, "7");
    EXPECT_EQ(page.ort, "Köln");
    EXPECT_EQ(page.Bearbeiter, "unbekannt");
    EXPECT_TRUE(page.Gruppen.isEmpty());
    EXPECT_TRUE(page.Memo.isEmpty());
    EXPECT_TRUE(page.MassenauszugMitGruppen);

    page.neuesProjekt();
    EXPECT_TRUE(page.pnrtxt.isEmpty());
    EXPECT_EQ(page.firma, "Andere");
}

TEST(Beispiel, StartUpWritesIntoThePerUserFolderAndRecoveryUsesTheDataFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    setzeAnwendungsdatenOrdner(dir.filePath("appdata/Zephan"));
    setzeDatenOrdner(dir.filePath("daten"));
    const QString datei = beispielAnlegen();
    EXPECT_EQ(datei, dir.filePath("appdata/Zephan/Beispiel.pro"));
    EXPECT_TRUE(QFile::exists(datei));
    SilentSeam seam;
    Projekt p(seam);
    EXPECT_EQ(p.tempDatei(), QDir(dir.filePath("daten")).filePath("unbenannt.protmp"));
    setzeAnwendungsdatenOrdner(QString());
    setzeDatenOrdner(QString());
}

// Damaged texts of the example: every one either loads or is refused with a message, and a
// refused one leaves the open project as it was.
TEST_F(ProjektDatei, MutatedFilesNeverHalfLoad) {
    beispielOeffnen();
    const Abbild vorher = abbild(projekt.baum());
    const QString name = projekt.dateiname();
    const QStringList zeilen =
        QString::fromUtf8(lies(QStringLiteral(ZEPHAN_SOURCE_DATA "/Beispiel.pro.txt")))
            .split(QLatin1Char('\n'));
    ASSERT_GT(zeilen.size(), 100);
    uint32_t z = 12345;
    const auto zufall = [&](int n) {
        z = z * 1664525u + 1013904223u;
        return static_cast<int>((z >> 8) % static_cast<uint32_t>(n));
    };
    const QStringList ersatz{"Level=7",  "Level=-1",  "Typ=99999999999",  "Count=1000000",
                             "I0=abc",   "[3]",       "Tag1=-2147483649", "Typ=130",
                             "Schall=3", "SG0=1e400", "Level=1",          "",
                             "=",        "[List]"};
    int geladen = 0, abgelehnt = 0;
    for (int runde = 0; runde < 200; ++runde) {
        QStringList t = zeilen;
        for (int m = 0; m < 3; ++m) {
            const int k = zufall(static_cast<int>(t.size()));
            switch (zufall(3)) {
            case 0:
                t.removeAt(k);
                break;
            case 1:
                t[k] = ersatz[zufall(static_cast<int>(ersatz.size()))];
                break;
            default:
                t.insert(k, ersatz[zufall(static_cast<int>(ersatz.size()))]);
                break;
            }
        }
        schreibeText(pfad("m.pro"), t.join(QLatin1Char('\n')));
        seam.fragen.clear();
        RecordingSeam s2;
        Projekt p(s2);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(pfad("m.pro"));
        if (p.laden()) {
            ++geladen;
            for (const tmylistitem* n = p.baum().topitem(); n; n = n->getNext()) {
                ASSERT_NE(nodeDaten(n), nullptr);
                volumenstrom(basisDatenTabelle(), n);
                nodeInfo(basisDatenTabelle(), n, 0);
            }
            (void)Volumenstroeme(basisDatenTabelle(), p.baum());
        } else {
            ++abgelehnt;
            EXPECT_FALSE(s2.fragen.isEmpty()) << runde;
        }
        // The same file added to the open project: all or nothing.
        if (!projekt.laden(pfad("m.pro"))) unveraendert(vorher, name);
        projekt.setDateiname(name);
        seam.antworten.clear();
        ASSERT_TRUE(projekt.laden());
    }
    EXPECT_GT(geladen, 0);
    EXPECT_GT(abgelehnt, 0);
}
