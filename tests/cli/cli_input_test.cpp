// Numbers and scripts given to the tool: one machine-number reader, refusals with a message,
// and nothing that runs away with memory or prints an infinite result.
#include "support/cli_runner.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

const QStringList kanal = {"duct", "--breite", "500", "--hoehe", "300", "--material", "Stahlblech"};

TEST(CliInput, NumberOptionsAreMachineNumbers) {
    struct Fall {
        QStringList args;
        int exitCode;
        const char* meldung;
    };
    const Fall faelle[] = {
        {{"density", "20.5", "50"}, 0, ""},
        // The comma was read as a decimal point or a thousands separator, depending on the rest.
        {{"density", "20,5", "50"},
         1,
         "\"20,5\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
        {{"density", "abc", "50"}, 1, "\"abc\" ist keine Zahl."},
        {{"erg", "1", "1,5", "2"}, 1, "\"1,5\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
        {kanal + QStringList{"--volumenstrom", "2,000"}, 1,
         "--volumenstrom: \"2,000\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
        {kanal + QStringList{"--volumenstrom", "nan"}, 1,
         "--volumenstrom: \"nan\" ist keine Zahl."},
        {kanal + QStringList{"--volumenstrom", "1e400"}, 1, "im darstellbaren Bereich"},
        // Finite input whose results are not: refused instead of printing inf with success.
        {kanal + QStringList{"--volumenstrom", "1e200"}, 1, "Keine Berechnung möglich"},
        {kanal + QStringList{"--volumenstrom", "1e308", "--laenge", "1"}, 1,
         "Keine Berechnung möglich"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.args.join(' ').toStdString());
        const CliResult r = runCli(f.args);
        EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
        if (f.exitCode != 0) {
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        }
        for (const QString& l : r.lines()) EXPECT_FALSE(l.contains("inf")) << l.toStdString();
    }
}

TEST(CliInput, DuctWithADecimalLengthGivesThePressureLossOfThatLength) {
    const CliResult r = runCli(kanal + QStringList{"--volumenstrom", "2000", "--laenge", "2.5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const double R = r.value("R").toDouble();
    EXPECT_GT(R, 0);
    EXPECT_NEAR(r.value("dp").toDouble(), R * 2.5 / 1000, 1e-9 * R);
    EXPECT_NEAR(r.value("v").toDouble(), 2000.0 / 3600 / (0.5 * 0.3), 1e-6);
}

TEST(CliInput, AScriptIsReadWithALimitAndMustBeText) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("neu.pro");
    const QString nul = dir.filePath("nul.txt");
    ASSERT_TRUE(writeFile(nul, QByteArray("newline Zuluft 1\n\0\n", 19)));
    const QString gross = dir.filePath("gross.txt");
    ASSERT_TRUE(writeFile(gross, QByteArray(5 * 1024 * 1024, '#')));
    struct Fall {
        QString skript;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"/dev/zero", "ist größer als 4 MB."}, // once read until memory ran out
        {gross, "ist größer als 4 MB."},
        {nul, "ist keine Textdatei."},
        {dir.path(), "kann nicht gelesen werden."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.skript.toStdString());
        const CliResult r = runCli({"edit", pro, f.skript});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pro));
    }
}

TEST(CliInput, ComponentRefusesWhatIsNoComponent) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    // A line head printed its density as "zeta 1.2" with success.
    for (const char* position : {"1", "2", "1.5.5", "2.4"}) {
        const CliResult r = runCli({"component", pro, position});
        EXPECT_EQ(r.exitCode, 1) << position;
        EXPECT_EQ(r.err, QStringLiteral("An Position %1 steht kein Bauteil.\n").arg(position));
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_EQ(runCli({"component", pro, "1.1"}).exitCode, 0);
}

} // namespace
