#include "network/project_file.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace zephan;

// zephan-cli attenuation on the example project.

namespace {

struct Beispiel {
    QTemporaryDir ordner;
    QString datei;
    Beispiel() {
        datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
    }
};

QStringList baender(const CliResult& r) {
    QStringList b;
    for (const QString& z : r.lines()) b << z.section('\t', -1);
    return b;
}

} // namespace

TEST(AttenuationCommand, ComponentsOfTheExample) {
    Beispiel b;
    struct Fall {
        const char* position;
        QStringList args;
        QStringList erwartet; // seven bands and the status
    };
    const Fall faelle[] = {
        // duct 500 x 300, 2 m: d_h 375 mm, class 201-400
        {"1.2", {}, {"1.20", "1.20", "0.90", "0.60", "0.40", "0.40", "0.40", "ok"}},
        // 90° bend 500 x 300: f_G 333 Hz, one octave up
        {"1.5.2", {}, {"0.00", "1.00", "2.00", "3.00", "3.00", "3.00", "3.00", "ok"}},
        // branch piece with equal sections: 3.01 dB in both passages
        {"1.5", {}, {"3.01", "3.01", "3.01", "3.01", "3.01", "3.01", "3.01", "ok"}},
        {"1.5", {"--side", "1"}, {"3.01", "3.01", "3.01", "3.01", "3.01", "3.01", "3.01", "ok"}},
        {"1.3", {}, {"-", "-", "-", "-", "-", "-", "-", "keine Pegelsenkung"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.position);
        QStringList a{QStringLiteral("attenuation"), b.datei, QString::fromLatin1(f.position)};
        const CliResult r = runCli(a + f.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(baender(r), f.erwartet);
        EXPECT_TRUE(r.lines()[0].startsWith(QStringLiteral("1\t63\t")));
    }
}

TEST(AttenuationCommand, JsonAndReport) {
    Beispiel b;
    const CliResult r = runCli(
        {QStringLiteral("attenuation"), b.datei, QStringLiteral("1.2"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("status")].toString(), QStringLiteral("ok"));
    const QJsonArray band = o[QStringLiteral("bands")].toArray();
    ASSERT_EQ(band.size(), 7);
    EXPECT_DOUBLE_EQ(band[2].toObject()[QStringLiteral("db")].toDouble(), 0.9);
    EXPECT_EQ(band[6].toObject()[QStringLiteral("hz")].toDouble(), 4000);

    const CliResult n = runCli(
        {QStringLiteral("attenuation"), b.datei, QStringLiteral("1.3"), QStringLiteral("--json")});
    const QJsonObject k = QJsonDocument::fromJson(n.out.toUtf8()).object();
    EXPECT_TRUE(k[QStringLiteral("bands")].toArray()[0].toObject()[QStringLiteral("db")].isNull());

    const CliResult t = runCli({QStringLiteral("attenuation"), b.datei, QStringLiteral("1.2"),
                                QStringLiteral("--report")});
    ASSERT_EQ(t.exitCode, 0);
    EXPECT_TRUE(t.out.contains(
        QStringLiteral("a:500 [mm]; b:300 [mm];  d°(sub h°(-sub =375 [mm];  l: 2.000 [mm]")));
}

TEST(AttenuationCommand, RefusesWhatIsNoComponent) {
    Beispiel b;
    struct Fall {
        QStringList args;
        int rc;
        const char* meldung;
    };
    const Fall faelle[] = {
        {{"9.9"}, 1, "Keine Position 9.9 im Projekt."},
        {{"1"}, 1, "An Position 1 steht kein Bauteil."},
        {{"1.2", "--side", "1"}, 1, "Das Bauteil an Position 1.2 hat keinen Abzweig 1."},
        {{"1.5", "--side", "2"}, 1, "Das Bauteil an Position 1.5 hat keinen Abzweig 2."},
        {{"1.2", "--side", "x"}, 2, "attenuation FILE POSITION"},
        {{}, 2, "attenuation FILE POSITION"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.meldung);
        const CliResult r = runCli(QStringList{QStringLiteral("attenuation"), b.datei} + f.args);
        EXPECT_EQ(r.exitCode, f.rc);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
    }
}
