#include "support/cli_runner.h"
#include "support/golden.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

QStringList felder(const CliResult& r, const QString& art) {
    QStringList z;
    for (const QString& l : r.lines())
        if (l.startsWith(art + '\t')) z << l;
    return z;
}

} // namespace

TEST(CliPressure, TableOfLinesAndEnds) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const CliResult r = runCli({"pressure", pro});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList linien = felder(r, "line");
    ASSERT_EQ(linien.size(), 2);
    const QStringList zu = linien[0].split('\t');
    ASSERT_EQ(zu.size(), 8);
    EXPECT_EQ(zu[1], "1");
    EXPECT_EQ(zu[3], "1.5.5");
    // External maximum plus the fan's own loss (100 Pa preset + 3.70 m/s dynamic pressure).
    EXPECT_NEAR(zu[6].toDouble(), zu[4].toDouble() + zu[5].toDouble(), 1e-4);
    EXPECT_NEAR(zu[5].toDouble(), 100 + 3.7 * 3.7 * 0.6, 1e-6);
    EXPECT_EQ(zu[7], "2000");
    const QStringList enden = felder(r, "end");
    ASSERT_EQ(enden.size(), 3);
    EXPECT_TRUE(enden[0].startsWith("end\t1.5.5\t")) << enden[0].toStdString();
    const QStringList raum2 = enden[1].split('\t');
    EXPECT_EQ(raum2[1], "1.8");
    EXPECT_NEAR(raum2[3].toDouble() + raum2[4].toDouble(), zu[4].toDouble(), 1e-4);
    EXPECT_TRUE(enden[2].startsWith("end\t2.4\t")) << enden[2].toStdString();
}

TEST(CliPressure, JsonDocument) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const CliResult r = runCli({"pressure", pro, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError fehler;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &fehler);
    ASSERT_EQ(fehler.error, QJsonParseError::NoError) << r.out.toStdString();
    const QJsonArray linien = doc.object()["lines"].toArray();
    ASSERT_EQ(linien.size(), 2);
    const QJsonObject zu = linien[0].toObject();
    EXPECT_EQ(zu["density"].toDouble(), 1.2);
    EXPECT_EQ(zu["worstEnd"].toString(), "1.5.5");
    EXPECT_TRUE(zu["branches"].toBool());
    EXPECT_TRUE(zu["target"].isNull());
    const QJsonArray pfad = zu["worstPath"].toArray();
    ASSERT_EQ(pfad.size(), 10);
    // The running sum of the path is its last node's; each node adds its own loss.
    double summe = 0;
    for (const QJsonValue& v : pfad) {
        const QJsonObject k = v.toObject();
        summe += k["dp"].toDouble();
        EXPECT_NEAR(k["dpExt"].toDouble(), summe, 1e-9) << k["position"].toString().toStdString();
    }
    EXPECT_NEAR(summe, zu["dpExtMax"].toDouble(), 1e-9);
    const QJsonObject fan = pfad[2].toObject();
    EXPECT_EQ(fan["type"].toInt(), 13);
    EXPECT_EQ(fan["dp"].toDouble(), 0);
    EXPECT_TRUE(fan["zeta"].isNull());
    const QJsonObject abzweig = pfad[4].toObject();
    EXPECT_TRUE(abzweig["branch"].toBool());
    EXPECT_EQ(abzweig["position"].toString(), "1.5");
    EXPECT_EQ(abzweig["v"].toDouble(), 3.7);
    const QJsonArray enden = zu["ends"].toArray();
    ASSERT_EQ(enden.size(), 2);
    EXPECT_EQ(enden[0].toObject()["shortfall"].toDouble(), 0);
    EXPECT_NEAR(enden[1].toObject()["shortfall"].toDouble(),
                zu["dpExtMax"].toDouble() - enden[1].toObject()["dpExt"].toDouble(), 1e-9);
    EXPECT_FALSE(enden[1].toObject()["incomplete"].toBool());
}

TEST(CliPressure, LineAndTarget) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const CliResult linie = runCli({"pressure", pro, "--line", "2.3"});
    ASSERT_EQ(linie.exitCode, 0) << linie.err.toStdString();
    ASSERT_EQ(felder(linie, "line").size(), 1);
    EXPECT_TRUE(felder(linie, "line")[0].startsWith("line\t2\t"));

    const CliResult ziel = runCli({"pressure", pro, "--target", "1.7", "--json"});
    ASSERT_EQ(ziel.exitCode, 0) << ziel.err.toStdString();
    const QJsonObject zu =
        QJsonDocument::fromJson(ziel.out.toUtf8()).object()["lines"].toArray()[0].toObject();
    EXPECT_EQ(zu["target"].toString(), "1.8");
    EXPECT_EQ(zu["ends"].toArray().size(), 1);
    EXPECT_EQ(zu["worstEnd"].toString(), "1.8");
    // The report prints no fan block for a target path in a line with branches: no fan figures.
    EXPECT_TRUE(zu["branches"].toBool());
    EXPECT_TRUE(zu["fanInternal"].isNull());
    EXPECT_TRUE(zu["fanTotal"].isNull());
    const CliResult zeilen = runCli({"pressure", pro, "--target", "1.7"});
    ASSERT_EQ(felder(zeilen, "line").size(), 1);
    const QStringList spalten = felder(zeilen, "line")[0].split('\t');
    ASSERT_EQ(spalten.size(), 8);
    EXPECT_EQ(spalten[5], "-");
    EXPECT_EQ(spalten[6], "-");
    // The whole line keeps them.
    const QJsonObject ganz =
        QJsonDocument::fromJson(runCli({"pressure", pro, "--json"}).out.toUtf8())
            .object()["lines"]
            .toArray()[0]
            .toObject();
    EXPECT_GT(ganz["fanTotal"].toDouble(), 100);
}

TEST(CliPressure, MarkupAndPdfOfTheExample) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    const QString markup = dir.filePath("b.txt");
    const QString pdf = dir.filePath("b.pdf");
    const CliResult r = runCli({"pressure", pro, "--markup", markup, "--pdf", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The same report as the library's golden case of the example.
    expectGolden(QStringLiteral("pressure_beispiel"), QStringLiteral("bericht.txt"), lesen(markup));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    QString seiten = QString::fromUtf8(p.readAllStandardOutput());
    // The foot carries today's date.
    seiten.replace(QRegularExpression(QStringLiteral("\\d{2}\\.\\d{2}\\.\\d{4}")),
                   QStringLiteral("TT.MM.JJJJ"));
    expectGolden(QStringLiteral("pressure_beispiel"), QStringLiteral("bericht_pdf.txt"), seiten);
}

TEST(CliPressure, GeneratedProjectsCompute) {
    QTemporaryDir dir;
    const QString pro = dir.filePath("g.pro");
    ASSERT_EQ(runCli({"generate", pro, "--lines", "2", "--outlets", "14", "--seed", "7"}).exitCode,
              0);
    const QString markup = dir.filePath("g.txt");
    const CliResult r = runCli({"pressure", pro, "--markup", markup});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(felder(r, "line").size(), 2);
    EXPECT_EQ(felder(r, "end").size(), 28);
    // The same lines as the library's report of that project, after the project head (the
    // generated project's page data are not stored by `generate`).
    const QStringList geschrieben = lesen(markup).split('\n');
    const QStringList erwartet =
        lesen(goldenPath(QStringLiteral("pressure_erzeugt_2x14"), QStringLiteral("bericht.txt")))
            .split('\n');
    ASSERT_GT(erwartet.size(), 3);
    EXPECT_EQ(geschrieben.mid(3), erwartet.mid(3));
}

TEST(CliPressure, StopsAndUsage) {
    QTemporaryDir dir;
    const QString pro = beispiel(dir);
    // The outlet of the second room loses its flow: the line's flow is unknown from there up,
    // and the first duct after the fan stops the calculation.
    const QString skript = dir.filePath("s.txt");
    {
        QFile f(skript);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("select 1.7\nset i3 -\napply\n");
    }
    const QString kaputt = dir.filePath("k.pro");
    const CliResult e = runCli({"edit", pro, skript, "--out", kaputt});
    ASSERT_EQ(e.exitCode, 0) << e.err.toStdString() << e.out.toStdString();
    const CliResult r = runCli({"pressure", kaputt});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Allgemeiner Fehler. Bitte Bauteil einzeln berechnen. Position: 1.4\n");
    EXPECT_TRUE(r.out.isEmpty());

    // The tree listing checks each node first, as the calculation does.
    const CliResult baum = runCli({"tree", kaputt, "--calc"});
    ASSERT_EQ(baum.exitCode, 0) << baum.err.toStdString();
    for (const QString& l : baum.lines()) {
        const QStringList f = l.split('\t');
        if (f[0] != "1.7") continue;
        EXPECT_EQ(f[5], "1") << l.toStdString();
        EXPECT_EQ(f[9], "-1000") << l.toStdString();
    }

    const struct {
        QStringList args;
        int code;
    } faelle[] = {
        {{"pressure"}, 2},
        {{"pressure", pro, "--line"}, 2},
        {{"pressure", pro, "--line", "1", "--target", "1.7"}, 2},
        {{"pressure", pro, "--markup", "a", "--markup", "b"}, 2},
        {{"pressure", pro, "--bogus"}, 2},
        {{"pressure", pro, "--target", "9.9"}, 1},
        {{"pressure", dir.filePath("fehlt.pro")}, 1},
    };
    for (const auto& f : faelle) {
        const CliResult u = runCli(f.args);
        EXPECT_EQ(u.exitCode, f.code)
            << f.args.join(' ').toStdString() << ": " << u.err.toStdString();
        EXPECT_TRUE(u.out.isEmpty()) << f.args.join(' ').toStdString();
    }
}
