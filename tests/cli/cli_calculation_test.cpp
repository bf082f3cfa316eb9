#include "support/cli_runner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every component line of `tree --calc` (type code 2 and above, not a line head or branch
// container) must carry a pressure loss that is a result.
void expectEveryComponentComputed(const CliResult& r) {
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    int computed = 0;
    for (const QString& line : r.lines()) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 10) << line.toStdString();
        const int typ = f[2].toInt();
        if (typ < 2 || typ == 5) continue;
        EXPECT_EQ(f[5], "0") << "fehler at " << line.toStdString();
        bool ok = false;
        const double dp = f[9].toDouble(&ok);
        EXPECT_TRUE(ok) << line.toStdString();
        EXPECT_GT(dp, -999) << line.toStdString();
        ++computed;
    }
    EXPECT_GT(computed, 0);
}

} // namespace

TEST(CliCalculation, EveryComponentOfTheExampleComputes) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    CliResult r = runCli({"tree", pro, "--calc"});
    expectEveryComponentComputed(r);
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 19);
    // The supply fan: preset 100 Pa plus the dynamic pressure at 3,70 m/s with 1,2 kg/m³.
    const QStringList fan = lines[3].split('\t');
    EXPECT_EQ(fan[2], "13");
    EXPECT_NEAR(fan[9].toDouble(), 100 + 3.7 * 3.7 * 1.2 * 0.5, 1e-6);
}

TEST(CliCalculation, EveryComponentOfAGeneratedProjectComputes) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("g.pro");
    ASSERT_EQ(runCli({"generate", pro, "--lines", "4", "--outlets", "25", "--seed", "11"}).exitCode,
              0);
    expectEveryComponentComputed(runCli({"tree", pro, "--calc"}));
}

TEST(CliCalculation, ComponentPrintsItsValuesAndReport) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    CliResult main = runCli({"component", pro, "1.5"});
    ASSERT_EQ(main.exitCode, 0) << main.err.toStdString();
    EXPECT_EQ(main.value("v").toDouble(), 3.7);
    EXPECT_EQ(main.value("fehler"), "0");
    CliResult branch = runCli({"component", pro, "1.5", "--mode", "2", "--report"});
    ASSERT_EQ(branch.exitCode, 0);
    EXPECT_TRUE(branch.out.contains("Druckverlust nach VDI 2087")) << branch.out.toStdString();
    EXPECT_GT(branch.value("dp").toDouble(), 0);
}

TEST(CliCalculation, ComponentRefusesUnknownPositionsAndMissingBranches) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    CliResult none = runCli({"component", pro, "9.9"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("Keine Position 9.9 im Projekt.")) << none.err.toStdString();
    CliResult noBranch = runCli({"component", pro, "1.5", "--mode", "3"});
    EXPECT_EQ(noBranch.exitCode, 1);
    EXPECT_TRUE(noBranch.err.contains("hat keinen Abzweig 2")) << noBranch.err.toStdString();
}
