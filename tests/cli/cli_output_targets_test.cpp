// Every file the tool writes: a FIFO (standing in for a device such as /dev/null) is refused
// with a message and stays what it was; a symbolic link is written through and stays a link.
#include "support/cli_runner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

bool istFifo(const QString& pfad) {
    struct stat st {};
    return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

TEST(CliAusgabeziele, EveryOutputRefusesAFifo) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pro = dir.filePath("b.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    const QString skript = dir.filePath("s.txt");
    {
        QFile f(skript);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\n");
    }
    const QString doc = dir.filePath("bericht.txt");
    {
        QFile f(doc);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Hallo\n");
    }
    const QString fifo = dir.filePath("rohr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList kanal{"duct",           "--breite", "400",        "--hoehe",   "200",
                            "--volumenstrom", "1000",     "--material", "Stahlblech"};
    const QList<QStringList> aufrufe = {
        {"example", fifo},
        {"generate", fifo, "--lines", "1", "--outlets", "3"},
        {"edit", pro, skript, "--out", fifo},
        {"plan", pro, "--out", fifo},
        {"pack", pro, fifo},
        {"unpack", pro, fifo},
        {"pressure", pro, "--markup", fifo},
        {"pressure", pro, "--pdf", fifo},
        {"component", pro, "1.2", "--pdf", fifo},
        kanal + QStringList{"--pdf", fifo},
        {"layout", doc, "--pdf", fifo},
    };
    for (const QStringList& a : aufrufe) {
        SCOPED_TRACE(a.join(' ').toStdString());
        const CliResult r = runCli(a);
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Das Ziel ist eine benannte Pipe (FIFO), keine gewöhnliche "
                                   "Datei."))
            << r.err.toStdString();
        EXPECT_TRUE(istFifo(fifo));
    }
}

TEST(CliAusgabeziele, ALinkedProjectIsWrittenThroughTheLink) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("echt"));
    const QString datei = dir.filePath("echt/netz.pro");
    const QString verweis = dir.filePath("netz.pro");
    ASSERT_TRUE(QFile::link("echt/netz.pro", verweis));
    CliResult r = runCli({"generate", verweis, "--lines", "2", "--outlets", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(verweis).isSymLink());
    ASSERT_TRUE(QFileInfo(datei).isFile());
    r = runCli({"tree", verweis});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();

    const QString pdf = dir.filePath("echt/bericht.pdf");
    const QString pdfVerweis = dir.filePath("bericht.pdf");
    ASSERT_TRUE(QFile::link(pdf, pdfVerweis));
    r = runCli({"pressure", datei, "--pdf", pdfVerweis});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(pdfVerweis).isSymLink());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}

} // namespace
