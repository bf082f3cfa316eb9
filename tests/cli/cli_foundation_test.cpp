#include "support/cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString pathIn(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(QLatin1String(name));
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(CliUsage, MissingOrUnknownCommandIsAUsageError) {
    CliResult none = runCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("Aufruf: zephan-cli")) << none.err.toStdString();
    EXPECT_EQ(runCli({"gibtsnicht"}).exitCode, 2);
    EXPECT_EQ(runCli({"pack", "nur-eins"}).exitCode, 2);
}

TEST(CliPack, PackThenUnpackGivesTheBytesBack) {
    QTemporaryDir dir;
    QByteArray data;
    for (int i = 0; i < 70000; ++i) data.append(static_cast<char>((i * 7919) % 251));
    data.append("Kanal=400;200\r\nRohr=160\r\n");
    ASSERT_TRUE(writeFile(pathIn(dir, "in.bin"), data));
    ASSERT_EQ(runCli({"pack", pathIn(dir, "in.bin"), pathIn(dir, "p.bin")}).exitCode, 0);
    ASSERT_EQ(runCli({"unpack", pathIn(dir, "p.bin"), pathIn(dir, "out.bin")}).exitCode, 0);
    EXPECT_EQ(readFile(pathIn(dir, "out.bin")), data);
}

TEST(CliPack, CrcMismatchStillWritesTheDataAndExitsWithThree) {
    QTemporaryDir dir;
    const QByteArray data("Luftkanalnetzberechnung\r\n");
    ASSERT_TRUE(writeFile(pathIn(dir, "in.txt"), data));
    ASSERT_EQ(runCli({"pack", pathIn(dir, "in.txt"), pathIn(dir, "p.bin")}).exitCode, 0);
    QByteArray packed = readFile(pathIn(dir, "p.bin"));
    ASSERT_GT(packed.size(), 32);
    // Damage the stored CRC (header offset 28); the bit stream itself stays intact.
    ASSERT_TRUE(packed.startsWith("dazava"));
    packed[28] = static_cast<char>(packed[28] ^ 0x5a);
    ASSERT_TRUE(writeFile(pathIn(dir, "bad.bin"), packed));
    CliResult r = runCli({"unpack", pathIn(dir, "bad.bin"), pathIn(dir, "out.txt")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("CRC-Fehler")) << r.err.toStdString();
    EXPECT_EQ(readFile(pathIn(dir, "out.txt")), data);
}

TEST(CliPack, MissingInputIsAFailureWithAMessage) {
    QTemporaryDir dir;
    CliResult r = runCli({"unpack", pathIn(dir, "fehlt.bin"), pathIn(dir, "out.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.trimmed().isEmpty());
}

TEST(CliExample, TreeOfTheExampleShowsNineteenNodesInFlatOrder) {
    QTemporaryDir dir;
    const QString pro = pathIn(dir, "x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    CliResult r = runCli({"tree", pro});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 19);
    const QStringList positions = {"1",     "1.1",   "1.2",   "1.3",   "1.4", "1.5", "1.5.1",
                                   "1.5.2", "1.5.3", "1.5.4", "1.5.5", "1.6", "1.7", "1.8",
                                   "2",     "2.1",   "2.2",   "2.3",   "2.4"};
    const QList<int> levels = {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 1, 1, 1, 0, 1, 1, 1, 1};
    const QList<int> types = {0, 9, 2, 13, 2, 30, 2, 21, 2, 10, 4, 2, 10, 4, 1, 11, 13, 12, 4};
    for (int k = 0; k < 19; ++k) {
        const QStringList f = lines[k].split('\t');
        ASSERT_GE(f.size(), 7) << lines[k].toStdString();
        EXPECT_EQ(f[0], positions[k]);
        EXPECT_EQ(f[1].toInt(), levels[k]) << f[0].toStdString();
        EXPECT_EQ(f[2].toInt(), types[k]) << f[0].toStdString();
    }
    // The branch piece carries both paths, the branch chain and the main line's rest half each.
    EXPECT_EQ(lines[5].split('\t')[4], "2000");
    EXPECT_EQ(lines[7].split('\t')[3], QString::fromUtf8("Bogen 90°"));
    for (int k = 6; k <= 11; ++k) EXPECT_EQ(lines[k].split('\t')[4], "1000") << k;
}

TEST(CliText, PrintsTheSectionedTextOfAPackedProject) {
    QTemporaryDir dir;
    const QString pro = pathIn(dir, "x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    CliResult r = runCli({"text", pro});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("[Info]\n")) << r.out.left(40).toStdString();
    EXPECT_FALSE(r.out.contains('\r'));
    EXPECT_TRUE(r.out.contains("[Tree]\nVersion=4\n"));
}

TEST(CliCatalog, ListsTheCarriedTypeTable) {
    CliResult r = runCli({"catalog"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(
        QString::fromUtf8("35\tHosenstück\t3\t2\t36\tLUEFTUNG#ABZWEIG#HOSENSTUECK\n")));
    EXPECT_TRUE(r.out.contains("\n100\tHeizregister\t"));
    QStringList codes;
    for (const QString& l : r.lines()) codes << l.section('\t', 0, 0);
    for (const char* c :
         {"0", "1", "2", "13", "16", "19", "21", "24", "28", "37", "41", "43", "44"})
        EXPECT_TRUE(codes.contains(QLatin1String(c))) << c;
}

TEST(CliSettings, DefaultsFromAnEmptySettingsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(pathIn(dir, "Zephan.ini"), QByteArray()));
    CliResult r = runCli({"settings", pathIn(dir, "Zephan.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString kanal;
    for (const QString& l : r.lines())
        if (l.startsWith("Abmessung/Kanal=")) kanal = l.mid(16);
    EXPECT_EQ(kanal.split('|', Qt::SkipEmptyParts).size(), 17) << kanal.toStdString();
    EXPECT_EQ(runCli({"settings", pathIn(dir, "fehlt.ini")}).exitCode, 1);
}
