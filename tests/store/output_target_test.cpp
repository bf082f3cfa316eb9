// Output files: a link is written through and stays a link, a FIFO or device is never
// replaced by a regular file (as the administrator, "--pdf /dev/null" once replaced the
// system's /dev/null).
#include "store/binary_data.h"
#include "store/ini_file.h"
#include "store/output_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zephan;

namespace {

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool istFifo(const QString& pfad) {
    struct stat st {};
    return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

class Ausgabeziel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        fifo = dir.filePath(QStringLiteral("rohr"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }
    QTemporaryDir dir;
    QString fifo;
};

} // namespace

TEST_F(Ausgabeziel, AFifoIsRefusedWithAMessageAndStaysAFifo) {
    QString grund;
    EXPECT_FALSE(dateiSchreiben(fifo, "abc", grund));
    EXPECT_EQ(grund.toStdString(),
              ("Die Datei " + QDir::toNativeSeparators(fifo) +
               " wird nicht geschrieben: Das Ziel ist eine benannte Pipe (FIFO), keine "
               "gewöhnliche Datei.")
                  .toStdString());
    EXPECT_TRUE(istFifo(fifo));

    // Through a link the message names where it leads.
    const QString verweis = dir.filePath(QStringLiteral("zeiger"));
    ASSERT_TRUE(QFile::link(fifo, verweis));
    EXPECT_FALSE(dateiSchreiben(verweis, "abc", grund));
    EXPECT_TRUE(grund.contains(QStringLiteral("Das Ziel ") + QDir::toNativeSeparators(fifo) +
                               QStringLiteral(" ist eine benannte Pipe")))
        << grund.toStdString();

    // The store and the data blocks write through the same check.
    TIniFile2 ini;
    ini.WriteString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    EXPECT_FALSE(ini.saveToFile(fifo));
    EXPECT_TRUE(ini.lastError().contains(QStringLiteral("benannte Pipe")));
    ini.setFilename(verweis);
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(ini.changed());
    TBinaryData block;
    block.setLines({QStringLiteral("x")});
    EXPECT_FALSE(block.SaveToFile(fifo));
    EXPECT_TRUE(istFifo(fifo));
}

TEST_F(Ausgabeziel, ALinkIsWrittenThroughAndStaysALink) {
    // A relative link in another folder names its file relative to that folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("daten")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("links")));
    const QString datei = dir.filePath(QStringLiteral("daten/projekt.ini"));
    QFile alt(datei);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    const QString verweis = dir.filePath(QStringLiteral("links/projekt.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../daten/projekt.ini"), verweis));

    TIniFile2 ini;
    ini.WriteString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    ini.setFilename(verweis);
    ASSERT_TRUE(ini.save()) << ini.lastError().toStdString();
    EXPECT_TRUE(QFileInfo(verweis).isSymLink());
    EXPECT_EQ(lies(datei), "[a]\r\nb=c\r\n");

    // A link to a file not yet there creates that file.
    const QString neu = dir.filePath(QStringLiteral("daten/neu.bin"));
    const QString neuVerweis = dir.filePath(QStringLiteral("links/neu.bin"));
    ASSERT_TRUE(QFile::link(neu, neuVerweis));
    QString grund;
    ASSERT_TRUE(dateiSchreiben(neuVerweis, "123", grund)) << grund.toStdString();
    EXPECT_TRUE(QFileInfo(neuVerweis).isSymLink());
    EXPECT_EQ(lies(neu), "123");

    TBinaryData block;
    block.setLines({QStringLiteral("x")});
    ASSERT_TRUE(block.SaveToFile(verweis));
    EXPECT_TRUE(QFileInfo(verweis).isSymLink());
    EXPECT_EQ(lies(datei), block.inhalt());
    EXPECT_FALSE(block.inhalt().isEmpty());
}

TEST_F(Ausgabeziel, ALinkLoopIsRefused) {
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    ASSERT_TRUE(QFile::link(b, a));
    ASSERT_TRUE(QFile::link(a, b));
    QString grund;
    EXPECT_FALSE(dateiSchreiben(a, "x", grund));
    EXPECT_TRUE(grund.contains(QStringLiteral("Schleife"))) << grund.toStdString();
    EXPECT_TRUE(QFileInfo(a).isSymLink());
}
