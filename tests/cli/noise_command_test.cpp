#include "acoustics/stroemungsgeraeusch.h"
#include "bands/pegel.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>

using namespace zephan;

namespace {

struct Beispiel {
    QTemporaryDir ordner;
    QString datei;
    RecordingSeam seam;
    Projekt projekt{seam};
    Beispiel() {
        datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
        projekt.setAutomatischSichern([] { return false; });
        projekt.setDateiname(datei);
        projekt.laden();
    }
    TPegel laerm(const char* position, int seite = 0) {
        tmylistitem* n = knotenAnPosition(projekt.baum(), QString::fromLatin1(position));
        return stroemungsgeraeusch(n, seite, testKontext());
    }
};

double aBewertet(const TPegel& p) {
    double s = 0;
    for (int k = 0; k < bandAnzahl; ++k) s += std::pow(10, (p[k] + aBewertung[k]) / 10);
    return 10 * std::log10(s);
}

} // namespace

TEST(NoiseCommand, BandsAndAWeightedTotalOfTheFan) {
    Beispiel b;
    const TPegel p = b.laerm("1.3");
    const CliResult r = runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.3")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList z = r.lines();
    ASSERT_EQ(z.size(), 8);
    for (int k = 0; k < bandAnzahl; ++k)
        EXPECT_EQ(z[k], QString::number(k + 1) + QLatin1Char('\t') +
                            QString::number(oktavFrequenzen[k]) + QLatin1Char('\t') +
                            QString::number(p[k], 'f', 1));
    EXPECT_EQ(z[7], QStringLiteral("LWA\t") + QString::number(aBewertet(p), 'f', 1));
    EXPECT_GT(p[0], 40);
}

TEST(NoiseCommand, BranchAsJsonAndReport) {
    Beispiel b;
    const TPegel p = b.laerm("1.5", 1);
    const CliResult r =
        runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.5"), QStringLiteral("--side"),
                QStringLiteral("1"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("status")].toString(), QStringLiteral("ok"));
    const QJsonArray baender = o[QStringLiteral("bands")].toArray();
    ASSERT_EQ(baender.size(), 7);
    for (int k = 0; k < bandAnzahl; ++k)
        EXPECT_NEAR(baender[k].toObject()[QStringLiteral("db")].toDouble(), p[k], 0.051);

    const CliResult bericht =
        runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.5"), QStringLiteral("--side"),
                QStringLiteral("1"), QStringLiteral("--report")});
    EXPECT_TRUE(
        bericht.out.contains(QStringLiteral("Strömungsgeräusch für Abzweig (Abschnitt 6.3.2)")));
}

TEST(NoiseCommand, RefusesRoomsMissingBranchesAndBadArguments) {
    Beispiel b;
    CliResult r = runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.8")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("An Position 1.8 steht kein Bauteil.")));
    r = runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.4"), QStringLiteral("--side"),
                QStringLiteral("2")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("hat keinen Abzweig 2.")));
    r = runCli({QStringLiteral("noise"), b.datei, QStringLiteral("9.9")});
    EXPECT_EQ(r.exitCode, 1);
    r = runCli({QStringLiteral("noise"), b.datei, QStringLiteral("1.4"), QStringLiteral("--side"),
                QStringLiteral("x")});
    EXPECT_EQ(r.exitCode, 2);
}
