#include "support/cli_runner.h"

#include <gtest/gtest.h>

TEST(CliHydraulics, DensityAtTwentyDegreesAndHalfHumidity) {
    CliResult r = runCli({"density", "20", "50"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NEAR(r.value("rho").toDouble(), 1.197, 0.0005);
}

TEST(CliHydraulics, SteelDuctFourHundredByTwoHundredAtThousandCubicMetres) {
    CliResult r = runCli({"duct", "--breite", "400", "--hoehe", "200", "--volumenstrom", "1000",
                          "--material", "Stahlblech", "--laenge", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_NEAR(r.value("v").toDouble(), 3.4722, 0.0001);
    EXPECT_NEAR(r.value("dh").toDouble(), 266.667, 0.001);
    EXPECT_NEAR(r.value("Re").toDouble(), 61728, 1);
    EXPECT_GT(r.value("R").toDouble(), 0.0);
    EXPECT_NEAR(r.value("dp").toDouble(), r.value("R").toDouble() * 10 / 1000, 1e-9);
}

TEST(CliHydraulics, UnknownMaterialFailsWithItsName) {
    CliResult r =
        runCli({"duct", "--durchmesser", "200", "--volumenstrom", "500", "--material", "Pappe"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Pappe")) << r.err.toStdString();
}

TEST(CliTables, ErgReadsTheTitledTable) {
    CliResult r = runCli({"erg", "150", "0.5", "7"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.value("erg").toDouble(), 3.5);
    CliResult bad = runCli({"erg", "9999", "1", "1"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_FALSE(bad.err.trimmed().isEmpty());
}
