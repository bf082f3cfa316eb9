#include "support/cli_runner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The report lines of component and duct also go to a PDF, with or without --report; the
// values printed stay the same.
TEST(CliReportPdf, ComponentAndDuctWriteTheirReportAsPdf) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    const QString bauteil = dir.filePath("bauteil.pdf");
    CliResult c = runCli({"component", pro, "1.5", "--mode", "2", "--pdf", bauteil});
    ASSERT_EQ(c.exitCode, 0) << c.err.toStdString();
    EXPECT_FALSE(c.out.contains("Druckverlust nach VDI 2087")) << "no --report, no lines";
    EXPECT_EQ(c.value("dp"), runCli({"component", pro, "1.5", "--mode", "2"}).value("dp"));
    EXPECT_TRUE(pdfText(bauteil).contains("Druckverlust nach VDI 2087"));

    const QStringList kanal{"duct", "--breite",   "400",        "--hoehe",  "200", "--volumenstrom",
                            "1000", "--material", "Stahlblech", "--laenge", "5"};
    const QString strecke = dir.filePath("kanal.pdf");
    CliResult d = runCli(kanal + QStringList{"--report", "--pdf", strecke});
    ASSERT_EQ(d.exitCode, 0) << d.err.toStdString();
    EXPECT_TRUE(d.out.contains("Breite: 400 [mm]; Höhe: 200 [mm]"));
    const QString text = pdfText(strecke);
    EXPECT_TRUE(text.contains("Breite: 400 [mm]; Höhe: 200 [mm]")) << text.toStdString();
    EXPECT_TRUE(text.contains("Re = "));

    // A folder as target: the message, exit 1; a missing name: the usage.
    CliResult ordner = runCli(kanal + QStringList{"--pdf", dir.path()});
    EXPECT_EQ(ordner.exitCode, 1);
    EXPECT_TRUE(ordner.err.contains("Fehler beim Erstellen oder Speichern der Datei " + dir.path()))
        << ordner.err.toStdString();
    EXPECT_EQ(runCli(kanal + QStringList{"--pdf"}).exitCode, 2);
    EXPECT_EQ(runCli({"component", pro, "1.5", "--pdf"}).exitCode, 2);
}

} // namespace
