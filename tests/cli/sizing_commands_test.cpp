#include "support/cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList s(std::initializer_list<const char*> l) {
    QStringList r;
    for (const char* a : l) r.append(QString::fromUtf8(a));
    return r;
}

} // namespace

TEST(SuggestCommand, SizesAndRefusals) {
    const CliResult eckig =
        runCli(s({"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "5"}));
    EXPECT_EQ(eckig.exitCode, 0) << eckig.err.toStdString();
    // Machine output takes a decimal point, as every other command's does.
    EXPECT_EQ(eckig.out, QStringLiteral("breite\t250\nhoehe\t250\ngeschwindigkeit\t4.44\n"));
    const CliResult gross =
        runCli(s({"suggest", "--volumenstrom", "20000", "--geschwindigkeit", "1"}));
    EXPECT_EQ(gross.value(QStringLiteral("geschwindigkeit")), QStringLiteral("0.89"));
    const CliResult rund =
        runCli(s({"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "5", "--rund"}));
    EXPECT_EQ(rund.value(QStringLiteral("hoehe")), QStringLiteral("300"));
    EXPECT_EQ(rund.value(QStringLiteral("breite")), QStringLiteral("-1"));

    const CliResult null =
        runCli(s({"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "0"}));
    EXPECT_EQ(null.exitCode, 1);
    EXPECT_EQ(null.err, QStringLiteral("Bitte Auslegungswert eingeben\n"));
    EXPECT_EQ(runCli(s({"suggest", "--volumenstrom", "1000"})).exitCode, 2);

    // A negative flow once gave "breite 0 hoehe 0" with success, and 1e308 at 1e-300 m/s a
    // velocity of 300 digits.
    const struct {
        std::initializer_list<const char*> args;
        const char* meldung;
    } abgelehnt[] = {
        {{"suggest", "--volumenstrom", "-5", "--geschwindigkeit", "4"},
         "--volumenstrom: -5 ist nicht größer als 0.\n"},
        {{"suggest", "--volumenstrom", "1e308", "--geschwindigkeit", "4"},
         "--volumenstrom: 1e+308 ist zu groß (zulässig: 0 bis 1.000.000 m³/h).\n"},
        {{"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "1e-300"},
         "--geschwindigkeit: 1e-300 ist zu klein (mindestens 0.1 m/s).\n"},
        {{"suggest", "--volumenstrom", "1000", "--gefaelle", "-1"},
         "--gefaelle: -1 ist nicht größer als 0.\n"},
        {{"suggest", "--volumenstrom", "1000", "--gefaelle", "5000"},
         "--gefaelle: 5000 ist zu groß (zulässig: 0 bis 100 Pa/m).\n"},
        {{"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "4", "--max-breite", "-3"},
         "--max-breite: -3 ist nicht größer als 0.\n"},
    };
    for (const auto& f : abgelehnt) {
        const CliResult r = runCli(s(f.args));
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
        EXPECT_EQ(r.err.toStdString(), f.meldung);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_EQ(runCli(s({"suggest", "--volumenstrom", "1,5", "--gefaelle", "1"})).exitCode, 1);
}

// A generated project put into planning by an edit script and planned line by line.
TEST(PlanCommand, PlansALineAndSaves) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString g = dir.filePath(QStringLiteral("g.pro"));
    const QString p = dir.filePath(QStringLiteral("p.pro"));
    const QString q = dir.filePath(QStringLiteral("q.pro"));
    ASSERT_EQ(runCli({QStringLiteral("generate"), g, QStringLiteral("--lines"), QStringLiteral("2"),
                      QStringLiteral("--outlets"), QStringLiteral("5")})
                  .exitCode,
              0);
    const QString skript = dir.filePath(QStringLiteral("s.txt"));
    QFile f(skript);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("select 1\nallplan\n");
    f.close();
    ASSERT_EQ(runCli({QStringLiteral("edit"), g, skript, QStringLiteral("--out"), p}).exitCode, 0);

    const CliResult r = runCli({QStringLiteral("plan"), p, QStringLiteral("--out"), q});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_GT(r.lines().size(), 5);
    for (const QString& l : r.lines()) {
        const QStringList feld = l.split(QLatin1Char('\t'));
        ASSERT_EQ(feld.size(), 7) << l.toStdString();
        EXPECT_TRUE(feld[0].startsWith(QStringLiteral("1."))) << l.toStdString();
    }
    EXPECT_TRUE(QFile::exists(q));
    // Planned once, nothing is left to change.
    const CliResult nochmal = runCli({QStringLiteral("plan"), q, QStringLiteral("--out"), p});
    EXPECT_EQ(nochmal.exitCode, 0);
    EXPECT_TRUE(nochmal.out.isEmpty()) << nochmal.out.toStdString();

    const CliResult falsch = runCli({QStringLiteral("plan"), q, QStringLiteral("--position"),
                                     QStringLiteral("9"), QStringLiteral("--out"), p});
    EXPECT_EQ(falsch.exitCode, 1);
    EXPECT_EQ(falsch.err, QStringLiteral("Position 9 gibt es nicht.\n"));
    EXPECT_EQ(runCli({QStringLiteral("plan"), q}).exitCode, 2);
}

// A negative flow stops the planning run at the outlet: the message once left out where.
TEST(PlanCommand, AStopNamesThePositionOfTheNode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString b = dir.filePath(QStringLiteral("b.pro"));
    ASSERT_EQ(runCli({QStringLiteral("example"), b}).exitCode, 0);
    QString text = runCli({QStringLiteral("text"), b}).out;
    // The main line's first duct goes into planning, its outlet (1.7) takes -1000 m³/h.
    const qsizetype auslass = text.indexOf(QStringLiteral("[12]\n"));
    ASSERT_GT(auslass, 0);
    text.replace(text.indexOf(QStringLiteral("I3=1000"), auslass), 7, QStringLiteral("I3=-1000"));
    text.replace(QStringLiteral("[2]\nLevel=1\n"), QStringLiteral("[2]\nLevel=1\nPlanung=1\n"));
    const QString p = dir.filePath(QStringLiteral("neg.pro"));
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
    f.close();
    const CliResult r = runCli({QStringLiteral("plan"), p, QStringLiteral("--out"),
                                dir.filePath(QStringLiteral("aus.pro"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("Es fehlen noch Informationen über das Bauteil.\n\nPosition: 1.7\n")))
        << r.err.toStdString();
}
