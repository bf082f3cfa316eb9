// The tool's reads and writes keep to what the program can load: nothing without end is read
// into memory, a container that states too much is refused before it is unpacked, and no
// project is generated that the program could not open again.
#include "support/cli_runner.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

TEST(CliGrenzen, DevicesWithoutEndAreReadOnlyUpToTheLoadBound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString aus = dir.filePath("aus");
    const QString zuGross =
        "kann nicht gelesen werden: Die Datei ist zu groß (höchstens 268435456 Bytes).";
    for (const QStringList& a :
         {QStringList{"text", "/dev/zero"}, QStringList{"unpack", "/dev/zero", aus},
          QStringList{"pack", "/dev/zero", aus}}) {
        SCOPED_TRACE(a.join(' ').toStdString());
        const CliResult r = runCli(a);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(zuGross)) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(aus));
    }
}

TEST(CliGrenzen, AContainerStatingMoreThanTheLoadBoundIsRefusedBeforeUnpacking) {
    // 300 MB announced over a stream long enough to hold them (the stream check passes).
    QByteArray c(32 + 1 + 7 * 1024 * 1024, '\x55');
    std::memcpy(c.data(), "dazava\x01\x00", 8);
    qToLittleEndian<qint32>(c.size(), c.data() + 8);
    qToLittleEndian<qint32>(300000000, c.data() + 12);
    std::memset(c.data() + 16, 0, 17);
    QTemporaryDir dir;
    const QString datei = dir.filePath("gross.pro");
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c);
    f.close();
    const QString aus = dir.filePath("aus");
    for (const QStringList& a : {QStringList{"unpack", datei, aus}, QStringList{"text", datei},
                                 QStringList{"tree", datei}}) {
        SCOPED_TRACE(a.join(' ').toStdString());
        const CliResult r = runCli(a);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("Datengröße 300000000 Bytes ist größer als erlaubt (höchstens "
                                   "268435456)"))
            << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(aus));
}

TEST(CliGrenzen, GenerateRefusesAProjectTheProgramCouldNotOpen) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("netz.pro");
    // Within the ranges of each option, but 318 M characters where a load takes 268 M.
    CliResult r = runCli({"generate", datei, "--lines", "10", "--outlets", "25000"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.toStdString(),
              "10 Stränge mit je 25000 Auslässen ergäben eine Datei, die nicht wieder geladen "
              "werden kann (höchstens 150000 Auslässe insgesamt).\n");
    EXPECT_FALSE(QFileInfo::exists(datei));
    r = runCli({"generate", datei, "--lines", "10000", "--outlets", "16"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(datei));

    r = runCli({"generate", datei, "--lines", "3", "--outlets", "40"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(runCli({"tree", datei}).exitCode, 0);
}

TEST(CliGrenzen, TextTurnsLineEndsIntoNewlinesOnly) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("t.ini");
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[a]\r\nk=1\r\n\r\n[b]\nx=\r\r\n");
    f.close();
    const CliResult r = runCli({"text", datei});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "[a]\nk=1\n\n[b]\nx=\r\n");
}

} // namespace
