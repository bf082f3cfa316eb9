// What a load accepts and what a save writes agree: a file is read with its size reserved and
// no more than the bound, a container that states a larger size is refused before it is
// unpacked, and a save that the loader would refuse writes nothing.
#include "store/ini_file.h"
#include "store/packed_container.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreibe(const QString& pfad, const QByteArray& bytes) {
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A store whose text is exactly `zeichen` characters long: "[a]", CR LF, "k=" + value, CR LF.
void fuellen(TIniFile2& ini, int zeichen) {
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"),
                    QString(zeichen - 9, QLatin1Char('x')));
}

} // namespace

TEST(Ladegrenzen, FilesAreReadUpToTheBoundAndDevicesWithoutEndAreRefused) {
    QTemporaryDir dir;
    const QString datei = dir.filePath(QStringLiteral("d.txt"));
    schreibe(datei, QByteArray(1000, 'a'));
    QByteArray bytes;
    QString grund;
    ASSERT_TRUE(TIniFile2::dateiLesen(datei, bytes, grund, 1000)) << grund.toStdString();
    EXPECT_EQ(bytes, QByteArray(1000, 'a'));
    // The size the file has is reserved, not the bound.
    EXPECT_LE(bytes.capacity(), 1001);

    EXPECT_FALSE(TIniFile2::dateiLesen(datei, bytes, grund, 999));
    EXPECT_EQ(grund.toStdString(), "Die Datei ist mit 1000 Bytes zu groß (höchstens 999).");
    EXPECT_TRUE(bytes.isEmpty());

    // /dev/zero has no size: once read until memory ran out.
    EXPECT_FALSE(TIniFile2::dateiLesen(QStringLiteral("/dev/zero"), bytes, grund, 5000));
    EXPECT_EQ(grund.toStdString(), "Die Datei ist zu groß (höchstens 5000 Bytes).");
    EXPECT_TRUE(bytes.isEmpty());

    EXPECT_FALSE(TIniFile2::dateiLesen(dir.path(), bytes, grund));
    EXPECT_EQ(grund.toStdString(), "Das ist ein Ordner.");
}

TEST(Ladegrenzen, AContainerStatingMoreThanTheBoundIsRefusedBeforeUnpacking) {
    const QByteArray daten = QByteArray("[a]\r\nk=") + QByteArray(20000, 'y') + "\r\n";
    const QByteArray gepackt = packenBytes(daten);
    QByteArray aus;
    QString grund;
    bool crc = false;
    EXPECT_FALSE(entpackenBytes(gepackt, aus, &grund, &crc, 20000));
    EXPECT_EQ(grund.toStdString(), QStringLiteral("error unpack.head: Datengröße %1 Bytes ist "
                                                  "größer als erlaubt (höchstens 20000)")
                                       .arg(daten.size())
                                       .toStdString());
    EXPECT_TRUE(aus.isEmpty());
    EXPECT_FALSE(crc);
    ASSERT_TRUE(entpackenBytes(gepackt, aus, &grund, &crc, daten.size()));
    EXPECT_EQ(aus, daten);

    TIniFile2 ini;
    ini.setLadeGrenze(20000);
    EXPECT_FALSE(ini.loadFromBytes(gepackt));
    EXPECT_TRUE(ini.lastError().contains(QStringLiteral("größer als erlaubt")))
        << ini.lastError().toStdString();
    EXPECT_TRUE(ini.leer());
}

TEST(Ladegrenzen, ASaveWritesOnlyWhatTheLoaderAccepts) {
    QTemporaryDir dir;
    for (const bool gepackt : {false, true}) {
        SCOPED_TRACE(gepackt ? "gepackt" : "Text");
        const QString datei =
            dir.filePath(gepackt ? QStringLiteral("g.ini") : QStringLiteral("t.ini"));
        TIniFile2 ini;
        ini.setCompressed(gepackt);
        fuellen(ini, 300);
        ASSERT_EQ(ini.text().size(), 300);
        ini.setFilename(datei);
        ini.setLadeGrenze(299);
        EXPECT_FALSE(ini.save());
        EXPECT_EQ(ini.lastError().toStdString(),
                  ("Die Datei " + QDir::toNativeSeparators(datei) +
                   " wurde nicht gespeichert: Der Text ist zu groß (300 Zeichen, höchstens 299). "
                   "Sie könnte nicht wieder geladen werden.")
                      .toStdString());
        EXPECT_FALSE(QFileInfo::exists(datei));
        EXPECT_TRUE(ini.changed());

        // At the bound both sides agree: written, and read back whole.
        ini.setLadeGrenze(300);
        ASSERT_TRUE(ini.save()) << ini.lastError().toStdString();
        TIniFile2 wieder;
        wieder.setLadeGrenze(300);
        ASSERT_TRUE(wieder.loadFromFile(datei)) << wieder.lastError().toStdString();
        EXPECT_EQ(wieder.text(), ini.text());
        TIniFile2 enger;
        enger.setLadeGrenze(299);
        EXPECT_FALSE(enger.loadFromFile(datei));
        ini.setChanged(false);
    }
    // UTF-16 takes two bytes a character: the bytes count, not only the characters.
    TIniFile2 breit(QString(), ffUnicode);
    fuellen(breit, 300);
    const QString datei = dir.filePath(QStringLiteral("u.ini"));
    breit.setLadeGrenze(400);
    EXPECT_FALSE(breit.saveToFile(datei));
    EXPECT_TRUE(breit.lastError().contains(QStringLiteral("602 Bytes zu groß (höchstens 400)")))
        << breit.lastError().toStdString();
    EXPECT_TRUE(lies(datei).isEmpty());
}
