#include "store/folders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(data) == data.size();
}

struct Ordner : ::testing::Test {
    QTemporaryDir programm, daten;
    void SetUp() override {
        setzeProgrammOrdner(programm.path());
        setzeDatenOrdner(daten.path());
    }
    void TearDown() override {
        setzeProgrammOrdner(QString());
        setzeDatenOrdner(QString());
        setzeAnwendungsdatenOrdner(QString());
    }
};

} // namespace

TEST_F(Ordner, SettingsFileNameAndOverrides) {
    EXPECT_EQ(einstellungsDatei(), QDir(daten.path()).filePath("Zephan.ini"));
    setzeDatenOrdner(QString());
    // a writable program folder is the data folder
    EXPECT_EQ(datenOrdner(), programm.path());
    setzeAnwendungsdatenOrdner(daten.path());
    EXPECT_EQ(anwendungsdatenOrdner(), daten.path());
}

TEST_F(Ordner, PerUserFolderEndsInProgramName) {
    QStandardPaths::setTestModeEnabled(true);
    const QString pfad = anwendungsdatenOrdner();
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_TRUE(pfad.endsWith(QStringLiteral("/Zephan"))) << pfad.toStdString();
    EXPECT_TRUE(QDir(pfad).exists());
}

TEST_F(Ordner, ProgramFolderFileIsTakenOverOnlyWhenTheDataFolderLacksIt) {
    ASSERT_TRUE(writeAll(QDir(programm.path()).filePath("Zephan.ini"), "[Abmessung]\r\nx=1\r\n"));
    {
        TIniFile2 ini = einstellungenLesen();
        EXPECT_EQ(ini.ReadInteger("Abmessung", "x", -5), 1);
        ini.WriteInteger("Abmessung", "x", 2);
    }
    EXPECT_EQ(readAll(einstellungsDatei()), QByteArray("[Abmessung]\r\nx=2\r\n"));
    // the data folder's own file is not overwritten by the program folder's again
    TIniFile2 again = einstellungenSchreiben();
    EXPECT_EQ(again.ReadInteger("Abmessung", "x", -5), 2);
}

TEST_F(Ordner, SettingsAreAlwaysWrittenAsUtf8) {
    const QString pfad = QString::fromUtf8("/home/planer/Lüftung.pro");
    {
        TIniFile2 ini = einstellungenSchreiben();
        ini.WriteString("ProgrammDV", "Datei", pfad);
    }
    EXPECT_EQ(readAll(einstellungsDatei()),
              QString::fromUtf8("[ProgrammDV]\r\nDatei=/home/planer/Lüftung.pro\r\n").toUtf8());
    {
        // an older file in code page 1252 is read right and rewritten as UTF-8
        ASSERT_TRUE(writeAll(einstellungsDatei(), "[ProgrammDV]\r\nDatei=/home/planer/L\xFC"
                                                  "ftung.pro\r\n"));
        TIniFile2 ini = einstellungenLesen();
        EXPECT_EQ(ini.ReadString("ProgrammDV", "Datei"), pfad);
        ini.WriteInteger("ProgrammDV", "Neu", 1);
    }
    TIniFile2 ini = einstellungenLesen();
    EXPECT_EQ(ini.ReadString("ProgrammDV", "Datei"), pfad);
    EXPECT_TRUE(readAll(einstellungsDatei()).contains(pfad.toUtf8()));
}
