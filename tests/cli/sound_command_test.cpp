#include "support/cli_runner.h"
#include "support/golden.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

// zephan-cli sound and attenuation --from/--to on the example project.

namespace {

QString beispiel(const QTemporaryDir& dir) {
    const QString pro = dir.filePath("x.pro");
    EXPECT_EQ(runCli({"example", pro}).exitCode, 0);
    return pro;
}

QString lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString pdfText(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    EXPECT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    QString seiten = QString::fromUtf8(p.readAllStandardOutput());
    seiten.replace(QRegularExpression(QStringLiteral("\\d{2}\\.\\d{2}\\.\\d{4}")),
                   QStringLiteral("TT.MM.JJJJ"));
    return seiten;
}

} // namespace

TEST(SoundCommand, ExampleReportsInBothMethods) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    for (const char* m : {"A", "B"}) {
        SCOPED_TRACE(m);
        const QString markup = dir.filePath(QStringLiteral("s.txt"));
        const QString pdf = dir.filePath(QStringLiteral("s.pdf"));
        const CliResult r = runCli({"sound", pro, "--method", m, "--markup", markup, "--pdf", pdf});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // Both orders add the same energies: the same rooms, levels and worst room.
        EXPECT_EQ(r.lines(), (QStringList{"room\t1.5.5\t2\t40\t48\t8", "room\t1.8\t1\t40\t51\t11",
                                          "room\t2.4\t3\t40\t51\t11", "worst\t1.8\t1"}));
        const QString fall = QStringLiteral("schall_beispiel");
        expectGolden(fall, QStringLiteral("methode_") + m + QStringLiteral(".txt"), lesen(markup));
        expectGolden(fall, QStringLiteral("methode_") + m + QStringLiteral("_pdf.txt"),
                     pdfText(pdf));
    }
}

TEST(SoundCommand, RoomLevelAgreesWithItsElementRows) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const CliResult r = runCli({"sound", pro, "--method", "A", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray raeume = o["rooms"].toArray();
    ASSERT_EQ(raeume.size(), 3);
    EXPECT_EQ(o["worst"].toString(), QStringLiteral("1.8"));
    // Room "1" (1.8): from the room to the fan, each element's noise lowered by the
    // attenuation of everything between it and the room, summed as energies, A-weighted.
    const QJsonObject raum = raeume[1].toObject();
    EXPECT_EQ(raum["position"].toString(), QStringLiteral("1.8"));
    const QJsonArray el = raum["elements"].toArray();
    ASSERT_EQ(el.size(), 6); // room, outlet, duct, branch piece (passage), duct, fan
    const double aGewicht[7] = {-26.2, -16.1, -8.6, -3.2, 0, 1.2, 1.0};
    double summeA = 0;
    for (int k = 0; k < 7; ++k) {
        double S = 0, E = 0;
        for (const QJsonValue& v : el) {
            const QJsonObject e = v.toObject();
            const QJsonValue N = e["N"].toArray()[k];
            const QJsonValue D = e["D"].toArray()[k];
            if (!N.isNull()) E += std::pow(10, (N.toDouble() - S) / 10);
            if (!D.isNull()) S += D.toDouble();
        }
        const double L = 10 * std::log10(E);
        // the JSON carries one decimal
        EXPECT_NEAR(raum["octaves"].toArray()[k].toDouble(), L, 0.3) << k;
        summeA += std::pow(10, (L + aGewicht[k]) / 10);
    }
    EXPECT_NEAR(raum["la"].toDouble(), 10 * std::log10(summeA), 0.2);
    EXPECT_EQ(raum["difference"].toInt(), 11);
    EXPECT_EQ(raum["permitted"].toInt(), 40);
}

// Each room's chart carries the octave levels and targets that --json gives (one decimal).
TEST(SoundCommand, ChartsCarryTheJsonLevels) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const QString markup = dir.filePath(QStringLiteral("s.txt"));
    const CliResult r = runCli({"sound", pro, "--method", "A", "--json", "--markup", markup});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray raeume = QJsonDocument::fromJson(r.out.toUtf8()).object()["rooms"].toArray();
    ASSERT_EQ(raeume.size(), 3);

    // The series of every chart in document order: the room's points, then the target's.
    QList<QStringList> reihen;
    bool imDiagramm = false;
    for (const QString& z : lesen(markup).split(QLatin1Char('\n'))) {
        if (z.startsWith(QStringLiteral("°Dc"))) {
            imDiagramm = true;
        } else if (z.isEmpty()) {
            imDiagramm = false;
        } else if (imDiagramm && z.startsWith(QStringLiteral("°DN"))) {
            reihen.append(QStringList());
        } else if (imDiagramm && !z.startsWith(QStringLiteral("°D"))) {
            reihen.last().append(z);
        }
    }
    ASSERT_EQ(reihen.size(), 2 * raeume.size());
    auto punkte = [](const QJsonArray& a) {
        QStringList p;
        for (int k = 0; k < a.size(); ++k)
            if (!a[k].isNull())
                p << QString::number(k + 1) + QLatin1Char('|') +
                         QString::number(a[k].toDouble(), 'f', 1)
                             .replace(QLatin1Char('.'), QLatin1Char(','));
        return p;
    };
    for (int i = 0; i < raeume.size(); ++i) {
        const QJsonObject raum = raeume[i].toObject();
        SCOPED_TRACE(raum["position"].toString().toStdString());
        EXPECT_EQ(reihen[2 * i], punkte(raum["octaves"].toArray()));
        EXPECT_EQ(reihen[2 * i + 1], punkte(raum["target"].toArray()));
        EXPECT_EQ(reihen[2 * i].size(), 7);
        // --json keeps each room's element rows
        EXPECT_FALSE(raum["elements"].toArray().isEmpty());
    }
}

TEST(SoundCommand, LineTargetAndRefusals) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const CliResult l = runCli({"sound", pro, "--line", "2"});
    ASSERT_EQ(l.exitCode, 0) << l.err.toStdString();
    EXPECT_EQ(l.lines(), (QStringList{"room\t2.4\t3\t40\t51\t11", "worst\t2.4\t3"}));
    // The path to the branch's chain only: one room, no worst room of a summary.
    const CliResult t = runCli({"sound", pro, "--target", "1.5.3"});
    ASSERT_EQ(t.exitCode, 0) << t.err.toStdString();
    EXPECT_EQ(t.lines(), (QStringList{"room\t1.5.5\t2\t40\t48\t8", "worst\t-"}));

    struct Fall {
        QStringList args;
        int rc;
        const char* meldung;
    };
    const Fall faelle[] = {
        {{"--method", "C"}, 2, "sound FILE"},
        {{"--line", "1", "--target", "1.2"}, 2, "sound FILE"},
        {{"--line", "7"}, 1, "Keine Position 7 im Projekt."},
    };
    for (const Fall& f : faelle) {
        const CliResult r = runCli(QStringList{"sound", pro} + f.args);
        EXPECT_EQ(r.exitCode, f.rc);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
    }
}

TEST(AttenuationBetween, SumAlongTheWayAndRefusals) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    // From the duct after the fan into the branch to room "2": duct 1.4 (0.4 ... 1.2 dB),
    // the branch passage of 1.5 (3.01 dB), duct 1.5.1, the 90° bend, duct 1.5.3.
    const CliResult r = runCli({"attenuation", pro, "--from", "1.4", "--to", "1.5.3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList z = r.lines();
    ASSERT_EQ(z.size(), 6);
    EXPECT_EQ(z[0], QStringLiteral("1.4\t0\t1.20\t1.20\t0.90\t0.60\t0.40\t0.40\t0.40"));
    EXPECT_EQ(z[1], QStringLiteral("1.5\t1\t3.01\t3.01\t3.01\t3.01\t3.01\t3.01\t3.01"));
    EXPECT_EQ(z[3], QStringLiteral("1.5.2\t0\t0.00\t1.00\t2.00\t3.00\t3.00\t3.00\t3.00"));
    // 3 ducts (1.2 ... 0.4) + branch 3.01 + bend
    EXPECT_EQ(z[5], QStringLiteral("sum\t-\t6.61\t7.61\t7.71\t7.81\t7.21\t7.21\t7.21"));
    // The order of the two does not matter.
    const CliResult u = runCli({"attenuation", pro, "--from", "1.5.3", "--to", "1.4"});
    EXPECT_EQ(u.lines(), z);

    struct Fall {
        const char* von;
        const char* bis;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"1.4", "1.4", "Start und Ziel dürfen nicht identisch sein"},
        {"1", "1.4", "Start/Ziel darf nicht Strang sein"},
        {"1.4", "2.2", "Start und Ziel müssen sich im selben Strang befinden"},
        {"1.5.3", "1.7", "Start und Ziel liegen nicht auf einem Schallweg"},
    };
    for (const Fall& f : faelle) {
        const CliResult e = runCli({"attenuation", pro, "--from", f.von, "--to", f.bis});
        EXPECT_EQ(e.exitCode, 1);
        EXPECT_TRUE(e.err.contains(QString::fromUtf8(f.meldung))) << e.err.toStdString();
    }
}
