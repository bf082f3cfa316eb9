// Damaged project files and failed saves: each case once lost data or misled.

#include "network/project_file.h"
#include "store/ini_file.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QString beispielText() {
    TIniFile2 ini;
    ini.loadFromBytes(beispielProjekt());
    return ini.text();
}

void schreibe(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Fehlerfaelle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        projekt.setAutomatischSichern([] { return false; });
        projekt.setWiederherstellungsOrdner(dir.filePath(QStringLiteral("daten")));
    }
    QString pfad(const QString& name) const { return dir.filePath(name); }
    // Opens the example as the project; returns its file.
    QString beispielOeffnen() {
        const QString datei = pfad(QStringLiteral("ex.pro"));
        EXPECT_TRUE(beispielSchreiben(datei));
        projekt.setDateiname(datei);
        EXPECT_TRUE(projekt.laden());
        return datei;
    }
    QTemporaryDir dir;
    RecordingSeam seam;
    Projekt projekt{seam};
};

} // namespace

TEST_F(Fehlerfaelle, DamagedListSectionsAreRefusedNamingTheSection) {
    const QString gut = beispielText();
    ASSERT_TRUE(gut.contains(QStringLiteral("Count=19")));
    QString ohneLevel = gut;
    ohneLevel.replace(QStringLiteral("[7]\r\nLevel=2\r\n"), QStringLiteral("[7]\r\n"));
    ASSERT_NE(ohneLevel, gut);
    QString nul = gut;
    nul.replace(QStringLiteral("Count=19"), QStringLiteral("Count=1") + QChar(0) + "9");
    struct Fall {
        QString name, text, meldung;
    };
    const Fall faelle[] = {
        {"ohneListe.pro", QString(gut).replace(QStringLiteral("[List]"), QStringLiteral("[Liste]")),
         "Baum nicht geladen: Abschnitt List fehlt."},
        {"fuenf.pro", QString(gut).replace(QStringLiteral("Count=19"), QStringLiteral("Count=5")),
         "Baum nicht geladen: \"Count\" in Abschnitt List ist 5, die Datei enthält aber auch "
         "Abschnitt 5."},
        // "010" was read as 10 and the check for a section beyond it compared texts: nine
        // nodes were dropped without a word. Without "Count" the file loaded as no nodes.
        {"null.pro", QString(gut).replace(QStringLiteral("Count=19"), QStringLiteral("Count=010")),
         "Baum nicht geladen: \"Count\" in Abschnitt List ist 010, die Datei enthält aber auch "
         "Abschnitt 10."},
        {"ohneCount.pro", QString(gut).replace(QStringLiteral("Count=19\r\n"), QString()),
         "Baum nicht geladen: \"Count\" fehlt in Abschnitt List, die Datei enthält aber "
         "Abschnitt 0."},
        {"nul.pro", nul, "Baum nicht geladen: \"Count\" in Abschnitt List ist ungültig (1<NUL>9)."},
        {"level.pro", ohneLevel, "Baum nicht geladen: Abschnitt 7 hat kein \"Level\"."},
    };
    const QString datei = beispielOeffnen();
    const int vorher = projekt.baum().count();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name.toStdString());
        schreibe(pfad(f.name), f.text.toUtf8());
        seam.fragen.clear();
        projekt.setDateiname(pfad(f.name));
        EXPECT_FALSE(projekt.laden());
        ASSERT_EQ(seam.fragen.size(), 1);
        EXPECT_EQ(
            seam.fragen[0].toStdString(),
            ("Die Datei " + pfad(f.name) + " kann nicht gelesen werden: " + f.meldung + " [o]")
                .toStdString());
        EXPECT_EQ(projekt.baum().count(), vorher);
        projekt.setDateiname(datei);
    }
}

TEST_F(Fehlerfaelle, UnknownSectionsAndKeysSurviveLoadAndSave) {
    QString text = beispielText();
    text.replace(QStringLiteral("[3]\r\nLevel=1\r\n"),
                 QStringLiteral("[3]\r\nLevel=1\r\nDrehzahl=1450\r\nX-Neu=a=b\r\n"));
    text +=
        QStringLiteral("\r\n[Zukunft]\r\n# Kommentar\r\nSchluessel=Wert\r\nSchluessel=zwei\r\n");
    const QString datei = pfad(QStringLiteral("neu.pro"));
    schreibe(datei, text.toUtf8());
    projekt.setDateiname(datei);
    ASSERT_TRUE(projekt.laden());
    projekt.setGeaendert(true);
    ASSERT_TRUE(projekt.sichernAls(pfad(QStringLiteral("wieder.pro"))));
    TIniFile2 ini;
    ASSERT_TRUE(ini.loadFromFile(pfad(QStringLiteral("wieder.pro"))));
    EXPECT_EQ(ini.ReadString("3", "Drehzahl"), "1450");
    EXPECT_EQ(ini.ReadString("3", "X-Neu"), "a=b");
    EXPECT_EQ(ini.ReadString("4", "Drehzahl"), "");
    const TSection* z = ini.getSection("Zukunft");
    ASSERT_NE(z, nullptr);
    ASSERT_EQ(z->list.size(), 3u);
    EXPECT_EQ(z->list[0].value, "# Kommentar");
    EXPECT_EQ(z->list[2].ident + "=" + z->list[2].value, "Schluessel=zwei");
    EXPECT_EQ(ini.ReadInteger("List", "Count", 0), 19);
}

TEST_F(Fehlerfaelle, FailedSaveAsKeepsTheOldName) {
    const QString datei = beispielOeffnen();
    const QString ziele[] = {pfad(QStringLiteral("Beispiel.pro")),
                             pfad(QStringLiteral("fehlt/ordner/x.pro"))};
    for (const QString& ziel : ziele) {
        SCOPED_TRACE(ziel.toStdString());
        projekt.setGeaendert(true);
        EXPECT_FALSE(projekt.sichernAls(ziel));
        EXPECT_EQ(projekt.dateiname(), datei);
        // The way the editing session does it: name first, then save.
        projekt.setDateiname(ziel);
        EXPECT_FALSE(projekt.sichern());
        EXPECT_EQ(projekt.dateiname(), datei);
        EXPECT_TRUE(projekt.sichern());
        EXPECT_FALSE(projekt.geaendert());
    }
}

TEST_F(Fehlerfaelle, ProjectLoadedDespiteACrcMismatchIsNeverSavedOverItsFile) {
    QByteArray bytes = beispielProjekt();
    bytes[28] = static_cast<char>(bytes[28] ^ 0x5A); // stored check sum
    const QString datei = pfad(QStringLiteral("crc.pro"));
    schreibe(datei, bytes);

    projekt.setCrcFehlerAblehnen(true);
    projekt.setDateiname(datei);
    EXPECT_FALSE(projekt.laden());
    EXPECT_TRUE(projekt.crcAbgelehnt());
    EXPECT_EQ(projekt.baum().count(), 0);

    projekt.setCrcFehlerAblehnen(false);
    ASSERT_TRUE(projekt.laden());
    EXPECT_FALSE(projekt.crcAbgelehnt());
    EXPECT_TRUE(projekt.crcFehler());
    projekt.setGeaendert(true);
    seam.fragen.clear();
    EXPECT_FALSE(projekt.sichern()); // nobody gives a new name
    EXPECT_EQ(lies(datei), bytes);
    EXPECT_EQ(projekt.dateiname(), datei);
    ASSERT_EQ(seam.fragen.size(), 2);
    EXPECT_TRUE(seam.fragen[0].startsWith("Das Projekt wurde trotz CRC-Fehler aus"));

    seam.dateinamen << pfad(QStringLiteral("gerettet.pro"));
    EXPECT_TRUE(projekt.sichern());
    EXPECT_EQ(lies(datei), bytes);
    EXPECT_EQ(projekt.dateiname(), pfad(QStringLiteral("gerettet.pro")));
    EXPECT_FALSE(projekt.crcFehler());
    projekt.setGeaendert(true);
    EXPECT_TRUE(projekt.sichern()); // its own, sound file now
}

namespace {

// The text with node section `nummer` taken out and, unless `weglassen`, appended at the end.
QString abschnittAnsEnde(QString text, int nummer, bool weglassen = false) {
    const QString kopf = QStringLiteral("[%1]\r\n").arg(nummer);
    const qsizetype von = text.indexOf(kopf);
    if (von < 0) return QString();
    qsizetype bis = text.indexOf(QStringLiteral("\r\n["), von + kopf.size());
    bis = bis < 0 ? text.size() : bis + 2;
    QString abschnitt = text.mid(von, bis - von);
    text.remove(von, bis - von);
    if (weglassen) return text;
    if (!text.endsWith(QStringLiteral("\r\n"))) text += QStringLiteral("\r\n");
    if (!abschnitt.endsWith(QStringLiteral("\r\n"))) abschnitt += QStringLiteral("\r\n");
    return text + abschnitt;
}

// Sets the first "Typ=" line of node section `nummer` to `wert`.
QString typSetzen(QString text, int nummer, const QString& wert) {
    const qsizetype von = text.indexOf(QStringLiteral("[%1]\r\n").arg(nummer));
    const qsizetype typ = text.indexOf(QStringLiteral("\r\nTyp="), von);
    if (von < 0 || typ < 0) return QString();
    const qsizetype ende = text.indexOf(QStringLiteral("\r\n"), typ + 2);
    return text.replace(typ + 6, ende - typ - 6, wert);
}

} // namespace

// Node sections are read while the file is parsed when they come in order; any other order
// must load the same tree, save the same file and name the same section when one is bad.
TEST_F(Fehlerfaelle, NodeSectionsInAnyOrderLoadAndFailAlike) {
    const QString gut = beispielText();
    const QString datei = beispielOeffnen();
    schreibe(pfad(QStringLiteral("gut.pro")), gut.toUtf8());
    projekt.setDateiname(pfad(QStringLiteral("gut.pro")));
    ASSERT_TRUE(projekt.laden());
    ASSERT_TRUE(projekt.sichernAls(pfad(QStringLiteral("gutw.pro"))));
    const QByteArray gesichert = lies(pfad(QStringLiteral("gutw.pro")));
    ASSERT_FALSE(gesichert.isEmpty());

    // Sections 5 and 0 at the end: everything from the first on is read from the store.
    const QString verschoben = abschnittAnsEnde(abschnittAnsEnde(gut, 5), 0);
    ASSERT_FALSE(verschoben.isEmpty());
    ASSERT_NE(verschoben, gut);
    for (const QString& text : {verschoben, abschnittAnsEnde(gut, 18)}) {
        schreibe(pfad(QStringLiteral("anders.pro")), text.toUtf8());
        projekt.setDateiname(pfad(QStringLiteral("anders.pro")));
        ASSERT_TRUE(projekt.laden());
        EXPECT_EQ(projekt.baum().count(), 19);
        ASSERT_TRUE(projekt.sichernAls(pfad(QStringLiteral("wieder.pro"))));
        EXPECT_EQ(lies(pfad(QStringLiteral("wieder.pro"))), gesichert);
    }

    struct Fall {
        const char* name;
        QString text, meldung;
    };
    const Fall faelle[] = {
        {"typ4", typSetzen(gut, 4, QStringLiteral("200")),
         "Ungültiger Bauteiltyp im Abschnitt 4: 200"},
        // The first bad section in node order is named, wherever it stands in the file.
        {"zwei", typSetzen(typSetzen(gut, 4, QStringLiteral("200")), 9, QStringLiteral("201")),
         "Ungültiger Bauteiltyp im Abschnitt 4: 200"},
        {"hinten",
         abschnittAnsEnde(
             typSetzen(typSetzen(gut, 12, QStringLiteral("99999999999")), 9, QStringLiteral("201")),
             9),
         "Ungültiger Bauteiltyp im Abschnitt 9: 201"},
        {"gross", typSetzen(gut, 12, QStringLiteral("99999999999")),
         "Ungültiger Wert im Abschnitt 12: Typ=99999999999"},
        // A missing section before a bad one is what the load stops at.
        {"fehlt", abschnittAnsEnde(typSetzen(gut, 5, QStringLiteral("200")), 3, true),
         "Baum nicht geladen: Abschnitt 3 fehlt."},
    };
    const int vorher = projekt.baum().count();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_FALSE(f.text.isEmpty());
        const QString name = QString::fromLatin1(f.name) + QStringLiteral(".pro");
        schreibe(pfad(name), f.text.toUtf8());
        seam.fragen.clear();
        projekt.setDateiname(pfad(name));
        EXPECT_FALSE(projekt.laden());
        ASSERT_EQ(seam.fragen.size(), 1);
        EXPECT_EQ(seam.fragen[0].toStdString(),
                  ("Die Datei " + pfad(name) + " kann nicht gelesen werden: " + f.meldung + " [o]")
                      .toStdString());
        EXPECT_EQ(projekt.baum().count(), vorher);
    }
    projekt.setDateiname(datei);
}

TEST_F(Fehlerfaelle, MessagesSayWhatIsWrong) {
    QByteArray crcKaputt = beispielProjekt();
    crcKaputt[40] = static_cast<char>(crcKaputt[40] ^ 0x5A); // a flipped bit in the stream
    QByteArray zufall;
    for (int i = 0; i < 3000; ++i) zufall.append(static_cast<char>((i * 7919 + 13) % 251));
    struct Fall {
        QString name;
        QByteArray bytes;
        QString meldung; // %1 = the file
    };
    const Fall faelle[] = {
        {"leer.pro", QByteArray(), "Die Datei %1 ist keine Projektdatei."},
        {"zufall.pro", zufall, "Die Datei %1 ist keine Projektdatei."},
        {"fremd.pro", "[Fenster]\r\nLinks=3\r\n", "Die Datei %1 ist keine Projektdatei."},
        {"crc.pro", crcKaputt, "CRC-Fehler in der Datei %1: Die Datei ist beschädigt."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name.toStdString());
        schreibe(pfad(f.name), f.bytes);
        seam.fragen.clear();
        projekt.setDateiname(pfad(f.name));
        EXPECT_FALSE(projekt.laden());
        ASSERT_FALSE(seam.fragen.isEmpty());
        EXPECT_EQ(seam.fragen.last().toStdString(),
                  (QString(f.meldung).arg(pfad(f.name)) + " [o]").toStdString());
    }
    ASSERT_TRUE(QDir(pfad(QString())).mkdir(QStringLiteral("ordner.pro")));
    projekt.setDateiname(pfad(QStringLiteral("ordner.pro")));
    EXPECT_FALSE(projekt.laden());
    EXPECT_EQ(seam.fragen.last().toStdString(),
              (pfad(QStringLiteral("ordner.pro")) + " ist ein Ordner, keine Projektdatei. [o]")
                  .toStdString());
    projekt.setDateiname(QStringLiteral("/dev/null"));
    EXPECT_FALSE(projekt.laden());
    EXPECT_EQ(seam.fragen.last().toStdString(), "/dev/null ist keine gewöhnliche Datei. [o]");
}
