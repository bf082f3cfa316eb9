#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "pressure/calc_context.h"
#include "pressure/druckverlauf.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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
    // The profile as the library collects it from the same file.
    Druckverlauf verlauf(const QString& ende) const {
        RecordingSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(datei);
        if (!p.laden()) return {};
        tmylistitem* z = knotenAnPosition(p.baum(), ende);
        Rechenlauf lauf;
        Rechenkontext k = testKontext();
        Druckverlauf v = verlaufSammeln(lauf, strangKopf(z), z, k).verlauf;
        v.kopf = v.ziel = nullptr;
        for (TDaten& t : v.a) t.knoten = nullptr;
        return v;
    }
};

} // namespace

// Each point as a line: number, title, own change, dynamic pressure, pressure.
TEST(ProfileCommand, PrintsEveryPointOfThePath) {
    Beispiel b;
    for (const QString& ende :
         {QStringLiteral("1.8"), QStringLiteral("1.5.5"), QStringLiteral("2.4")}) {
        const CliResult r = runCli({QStringLiteral("profile"), b.datei, ende});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        const Druckverlauf v = b.verlauf(ende);
        const QStringList zeilen = r.lines();
        ASSERT_EQ(zeilen.size(), static_cast<qsizetype>(v.a.size())) << ende.toStdString();
        for (qsizetype k = 0; k < zeilen.size(); ++k) {
            const QStringList f = zeilen[k].split(QLatin1Char('\t'));
            ASSERT_EQ(f.size(), 6) << zeilen[k].toStdString();
            const TDaten& p = v.a[static_cast<size_t>(k)];
            EXPECT_EQ(f[0], QStringLiteral("point"));
            EXPECT_EQ(f[1].toInt(), k + 1);
            EXPECT_EQ(f[2], p.titel);
            EXPECT_NEAR(f[3].toDouble(), p.ps, 1e-4 * (1 + std::abs(p.ps)));
            EXPECT_NEAR(f[4].toDouble(), p.pd, 1e-4 * (1 + std::abs(p.pd)));
            EXPECT_NEAR(f[5].toDouble(), p.pt, 1e-4 * (1 + std::abs(p.pt)));
        }
        EXPECT_TRUE(
            zeilen.last().startsWith(QStringLiteral("point\t%1\t-\t0\t0\t").arg(zeilen.size())));
    }
    // The branch path: the supply grille, duct, fan, duct, branch piece, and the branch.
    const CliResult r = runCli({QStringLiteral("profile"), b.datei, QStringLiteral("1.5.5")});
    EXPECT_EQ(r.lines().size(), 11);
}

TEST(ProfileCommand, JsonPngAndPdf) {
    Beispiel b;
    const QString png = b.ordner.filePath(QStringLiteral("verlauf.png"));
    const QString pdf = b.ordner.filePath(QStringLiteral("verlauf.pdf"));
    const CliResult r =
        runCli({QStringLiteral("profile"), b.datei, QStringLiteral("2.4"), QStringLiteral("--json"),
                QStringLiteral("--png"), png, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("line")].toString(), QStringLiteral("2"));
    EXPECT_EQ(o[QStringLiteral("end")].toString(), QStringLiteral("2.4"));
    EXPECT_TRUE(o[QStringLiteral("warning")].isNull());
    const QJsonArray punkte = o[QStringLiteral("points")].toArray();
    const Druckverlauf v = b.verlauf(QStringLiteral("2.4"));
    ASSERT_EQ(punkte.size(), static_cast<qsizetype>(v.a.size()));
    EXPECT_EQ(o[QStringLiteral("fanLift")].toInt(), v.totald);
    EXPECT_GT(v.totald, 0);
    EXPECT_EQ(punkte[0].toObject()[QStringLiteral("position")].toString(), QStringLiteral("2.1"));
    EXPECT_TRUE(punkte.last().toObject()[QStringLiteral("position")].isNull());

    const QImage bild(png);
    ASSERT_FALSE(bild.isNull());
    EXPECT_EQ(bild.height(), 400);
    EXPECT_EQ(bild.width(), verlaufLinks + (v.anz() + 2) * verlaufBr + 260);
    // The static pressure is drawn in red.
    bool rot = false;
    for (int y = 0; y < bild.height() && !rot; ++y)
        for (int x = 0; x < verlaufLinks + (v.anz() + 1) * verlaufBr && !rot; ++x)
            rot = bild.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_TRUE(rot);

    // The report on its page: the headline, the chart's axis title and the point table.
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString seite = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(seite.contains(QStringLiteral("- Druckverlustverlauf bis 2.4")))
        << seite.toStdString();
    EXPECT_TRUE(seite.contains(QStringLiteral("Punkt"))) << seite.toStdString();
    EXPECT_TRUE(seite.contains(QStringLiteral("Bauteil"))) << seite.toStdString();
    EXPECT_TRUE(seite.contains(QRegularExpression(QStringLiteral("\\n\\s*5\\s+-\\s+0,0"))))
        << seite.toStdString();
}

TEST(ProfileCommand, WrongArgumentsAndPositions) {
    Beispiel b;
    const struct {
        QStringList args;
        int rc;
        QString meldung;
    } faelle[] = {
        {{b.datei}, 2, QString()},
        {{b.datei, QStringLiteral("1.8"), QStringLiteral("1.7")}, 2, QString()},
        {{b.datei, QStringLiteral("1.8"), QStringLiteral("--png")}, 2, QString()},
        {{b.datei, QStringLiteral("9.9")}, 1, QStringLiteral("Keine Position 9.9 im Projekt.")},
        {{b.datei, QStringLiteral("1.5")}, 1, QStringLiteral("Auslass nicht vorhanden: 1.5")},
        {{b.datei, QStringLiteral("1")}, 1, QStringLiteral("Auslass nicht vorhanden: 1")},
        {{b.ordner.filePath(QStringLiteral("fehlt.pro")), QStringLiteral("1.8")}, 1, QString()},
    };
    for (const auto& f : faelle) {
        const CliResult r = runCli(QStringList{QStringLiteral("profile")} + f.args);
        EXPECT_EQ(r.exitCode, f.rc) << f.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
        if (!f.meldung.isEmpty()) {
            EXPECT_TRUE(r.err.contains(f.meldung)) << r.err.toStdString();
        }
    }
}

// A component in planning stops the line's calculation: the points up to it are printed and
// the node is named on stderr.
TEST(ProfileCommand, AStoppedCalculationNamesTheNode) {
    Beispiel b;
    const QString datei = b.ordner.filePath(QStringLiteral("planung.pro"));
    {
        RecordingSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        p.setDateiname(b.datei);
        ASSERT_TRUE(p.laden());
        nodeDaten(knotenAnPosition(p.baum(), QStringLiteral("1.6")))->planung = true;
        p.setGeaendert(true);
        ASSERT_TRUE(p.sichernAls(datei));
    }
    const CliResult r = runCli({QStringLiteral("profile"), datei, QStringLiteral("1.8")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Bauteil befindet sich noch im Status Planung.")))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Position: 1.6"))) << r.err.toStdString();
    const QStringList zeilen = r.lines();
    ASSERT_EQ(zeilen.size(), 6);
    EXPECT_TRUE(zeilen[4].startsWith(QStringLiteral("point\t5\t")));
    EXPECT_TRUE(zeilen[5].startsWith(QStringLiteral("point\t6\t-\t0\t0\t")));
}
