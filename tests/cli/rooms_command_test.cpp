#include "editing/edit_session.h"
#include "editing/room_overview_model.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace zephan;

namespace {

struct Beispiel {
    QTemporaryDir ordner;
    QString datei;
    Beispiel() {
        datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
    }
};

TEST(RoomsCommand, TheRowsOfTheExample) {
    Beispiel b;
    const CliResult r = runCli({QStringLiteral("rooms"), b.datei});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), (QStringList{QStringLiteral("2\t1000\t-\t40\t-\t1.5.5\t-"),
                                      QStringLiteral("1\t1000\t-\t40\t-\t1.8\t-"),
                                      QStringLiteral("3\t-\t1000\t-\t40\t-\t2.4"),
                                      QStringLiteral("Räume: 3")}));
}

TEST(RoomsCommand, SupplyAndExtractOfOneIdentifierInOneRowAsJson) {
    Beispiel b;
    {
        // The extract room renamed to "1" and its level edited, as the overview does it.
        RecordingSeam seam;
        EditSession s(seam);
        s.projekt().setAutomatischSichern([] { return false; });
        ASSERT_TRUE(s.laden(b.datei));
        std::vector<RaumZeile> z = raumListe(s.baum());
        ASSERT_EQ(z.size(), 3u);
        ASSERT_TRUE(s.raumNameSetzen(z[2], QStringLiteral("1")));
        ASSERT_TRUE(s.raumWertSetzen(z[2], RaumSpalte::DbAb, 35));
        b.datei = b.ordner.filePath(QStringLiteral("raeume.pro"));
        ASSERT_TRUE(s.sichern(b.datei)) << seam.fragen.join(QLatin1Char('\n')).toStdString();
    }
    const CliResult r = runCli({QStringLiteral("rooms"), b.datei, QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("count")].toInt(), 2);
    const QJsonArray a = o[QStringLiteral("rooms")].toArray();
    ASSERT_EQ(a.size(), 2);
    const QJsonObject eins = a[1].toObject();
    EXPECT_EQ(eins[QStringLiteral("name")].toString(), QStringLiteral("1"));
    const QJsonObject zu = eins[QStringLiteral("supply")].toObject();
    const QJsonObject ab = eins[QStringLiteral("extract")].toObject();
    EXPECT_EQ(zu[QStringLiteral("position")].toString(), QStringLiteral("1.8"));
    EXPECT_EQ(zu[QStringLiteral("flow")].toInt(), 1000);
    EXPECT_EQ(ab[QStringLiteral("position")].toString(), QStringLiteral("2.4"));
    EXPECT_EQ(ab[QStringLiteral("level")].toInt(), 35);
    EXPECT_TRUE(a[0].toObject()[QStringLiteral("extract")].isNull());
}

TEST(RoomsCommand, UsageAndAMissingFile) {
    EXPECT_EQ(runCli({QStringLiteral("rooms")}).exitCode, 2);
    const CliResult r = runCli({QStringLiteral("rooms"), QStringLiteral("/nicht/da.pro")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

} // namespace
