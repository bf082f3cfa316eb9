// What zephan-cli prints for a person at a terminal and for a program behind a pipe: tables
// with units and German-rounded values, or the TAB rows in full precision, and a progress line
// on a terminal's standard error only.
#include "store/number_format.h"
#include "support/cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace zephan;

namespace {

QStringList s(std::initializer_list<const char*> l) {
    QStringList r;
    for (const char* a : l) r.append(QString::fromUtf8(a));
    return r;
}

struct Beispiel {
    QTemporaryDir ordner;
    QString datei;
    Beispiel() {
        datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        runCli({QStringLiteral("example"), datei});
    }
};

// Runs zephan-cli with standard output (1) or standard error (2) on a pseudo-terminal; the
// other stream stays a pipe. The terminal is raw, so the bytes arrive as written.
struct TerminalLauf {
    int exitCode = -1;
    QByteArray terminal; // what went to the terminal
    QByteArray rohr;     // what went to the pipe
};

void lesen(int fd, QByteArray& ziel) {
    char puffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n <= 0) return;
        ziel.append(puffer, static_cast<qsizetype>(n));
    }
}

TerminalLauf imTerminal(const QStringList& args, int strom) {
    TerminalLauf r;
    int master = -1, slave = -1;
    termios roh{};
    cfmakeraw(&roh);
    winsize groesse{40, 160, 0, 0};
    if (openpty(&master, &slave, nullptr, &roh, &groesse) != 0) return r;
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QProcess p;
    p.setChildProcessModifier([slave, strom] { ::dup2(slave, strom); });
    p.start(QStringLiteral(ZEPHAN_CLI), args);
    // The terminal's buffer is small: it is emptied while the program runs.
    while (!p.waitForFinished(20)) {
        lesen(master, r.terminal);
        if (p.state() == QProcess::NotRunning) break;
    }
    lesen(master, r.terminal);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.rohr = strom == 1 ? p.readAllStandardError() : p.readAllStandardOutput();
    ::close(slave);
    ::close(master);
    return r;
}

const char* const druckTabelle =
    "Strang  Bezeichnung         ungünstigstes Ende  Δp ext [Pa]  Δp Gerät [Pa]  Δp gesamt [Pa]  V "
    "[m³/h]\n"
    "----------------------------------------------------------------------------------------------"
    "------\n"
    "1       Zuluft: 1 Beispiel  1.5.5                        16            108             124    "
    " "
    "2.000\n"
    "2       Abluft: 2 Beispiel  2.4                           0            100             100    "
    " "
    "1.000\n"
    "\n"
    "Ende   Raum  Δp ext [Pa]  Differenz [Pa]\n"
    "----------------------------------------\n"
    "1.5.5  2              16               -\n"
    "1.8    1               7               9\n"
    "2.4    3               0               -\n";

} // namespace

TEST(TerminalOutput, PressureTableOfTheExampleAndTheRowsBehindAPipe) {
    Beispiel b;
    const CliResult tabelle =
        runCli({QStringLiteral("pressure"), b.datei, QStringLiteral("--tabelle")});
    ASSERT_EQ(tabelle.exitCode, 0) << tabelle.err.toStdString();
    EXPECT_EQ(tabelle.out, QString::fromUtf8(druckTabelle));

    // Piped: the rows as before, in full precision; --tsv gives the same.
    const CliResult rohr = runCli({QStringLiteral("pressure"), b.datei});
    ASSERT_EQ(rohr.exitCode, 0);
    EXPECT_EQ(rohr.lines().value(0),
              QStringLiteral(
                  "line\t1\tZuluft: 1 Beispiel\t1.5.5\t16.24331819\t108.214\t124.4573182\t2000"));
    EXPECT_EQ(rohr.lines().value(2), QStringLiteral("end\t1.8\t1\t6.941989335\t9.301328855"));
    EXPECT_TRUE(rohr.err.isEmpty()) << "no progress line into a pipe";
    const CliResult tsv = runCli({QStringLiteral("pressure"), b.datei, QStringLiteral("--tsv")});
    EXPECT_EQ(tsv.out, rohr.out);
    // JSON stays JSON whatever the terminal.
    const CliResult json = runCli({QStringLiteral("pressure"), b.datei, QStringLiteral("--json"),
                                   QStringLiteral("--tabelle")});
    EXPECT_TRUE(json.out.startsWith(QLatin1Char('{')));

    const CliResult beide = runCli({QStringLiteral("pressure"), b.datei, QStringLiteral("--tsv"),
                                    QStringLiteral("--tabelle")});
    EXPECT_EQ(beide.exitCode, 2);
    EXPECT_TRUE(beide.err.startsWith(QStringLiteral("Aufruf: zephan-cli pressure FILE")));
}

TEST(TerminalOutput, AtATerminalTheTableComesUnaskedAndTsvStillGivesRows) {
    Beispiel b;
    const TerminalLauf t = imTerminal({QStringLiteral("pressure"), b.datei}, 1);
    ASSERT_EQ(t.exitCode, 0) << t.rohr.toStdString();
    EXPECT_EQ(QString::fromUtf8(t.terminal), QString::fromUtf8(druckTabelle));
    const TerminalLauf tsv =
        imTerminal({QStringLiteral("pressure"), b.datei, QStringLiteral("--tsv")}, 1);
    EXPECT_EQ(QString::fromUtf8(tsv.terminal), runCli({QStringLiteral("pressure"), b.datei}).out);
    const TerminalLauf vorschlag =
        imTerminal(s({"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "5"}), 1);
    EXPECT_EQ(QString::fromUtf8(vorschlag.terminal),
              QStringLiteral("Breite           250 mm\nHöhe             250 mm\n"
                             "Geschwindigkeit  4,44 m/s\n"));
}

TEST(TerminalOutput, AProgressLineOnATerminalsStandardErrorThenBlanked) {
    Beispiel b;
    const TerminalLauf t = imTerminal({QStringLiteral("pressure"), b.datei}, 2);
    ASSERT_EQ(t.exitCode, 0);
    // Standard output is a pipe: the rows, untouched by the progress.
    EXPECT_EQ(QString::fromUtf8(t.rohr), runCli({QStringLiteral("pressure"), b.datei}).out);
    const QString fehler = QString::fromUtf8(t.terminal);
    EXPECT_TRUE(fehler.startsWith(QStringLiteral("\rDruckverlustberechnung ")))
        << fehler.toStdString();
    // Percentages only grow, each written once.
    QList<int> prozente;
    QString letzte;
    for (const QString& teil : fehler.split(QLatin1Char('\r'), Qt::SkipEmptyParts)) {
        if (!teil.startsWith(QStringLiteral("Druckverlustberechnung "))) continue;
        prozente.append(teil.section(QLatin1Char(' '), 1, 1).toInt());
        letzte = teil;
    }
    ASSERT_GE(prozente.size(), 10);
    EXPECT_TRUE(letzte.endsWith(QStringLiteral(" %")));
    EXPECT_LE(prozente.last(), 100);
    // Blanked at the end: blanks over the last line, the cursor back at its start.
    const QString ende =
        QLatin1Char('\r') + QString(letzte.size(), QLatin1Char(' ')) + QLatin1Char('\r');
    EXPECT_TRUE(fehler.endsWith(ende)) << fehler.toStdString();
    for (qsizetype k = 1; k < prozente.size(); ++k) EXPECT_LT(prozente[k - 1], prozente[k]);
}

TEST(TerminalOutput, TreeTableAgreesWithTheRowsRoundedAsTheReport) {
    Beispiel b;
    const CliResult rohr = runCli({QStringLiteral("tree"), b.datei, QStringLiteral("--calc")});
    const CliResult tabelle = runCli(
        {QStringLiteral("tree"), b.datei, QStringLiteral("--calc"), QStringLiteral("--tabelle")});
    ASSERT_EQ(tabelle.exitCode, 0) << tabelle.err.toStdString();
    const QStringList zeilen = tabelle.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList reihen = rohr.lines();
    ASSERT_EQ(zeilen.size(), reihen.size() + 2);
    const QString kopf = zeilen[0];
    EXPECT_TRUE(kopf.startsWith(QStringLiteral("Position  Ebene  Typ  Bauteil")));
    EXPECT_TRUE(
        kopf.endsWith(QStringLiteral("V [m³/h]  Zustand  Abschnitt  v [m/s]  Zeta [-]  Δp [Pa]")));
    EXPECT_EQ(zeilen[1], QString(kopf.size(), QLatin1Char('-')));
    // Every row: the cells of the TAB row, the numbers rounded (flow whole, v 1, zeta 2, Δp 1).
    const qsizetype vEnde = kopf.indexOf(QStringLiteral("v [m/s]")) + 7;
    const qsizetype zetaEnde = kopf.indexOf(QStringLiteral("Zeta [-]")) + 8;
    const qsizetype dpEnde = kopf.size();
    const auto zelle = [](const QString& z, qsizetype ende, qsizetype breite) {
        return z.leftJustified(ende).mid(ende - breite, breite).trimmed();
    };
    int mitWerten = 0;
    for (qsizetype k = 0; k < reihen.size(); ++k) {
        const QStringList f = reihen[k].split(QLatin1Char('\t'));
        const QString& z = zeilen[k + 2];
        ASSERT_TRUE(z.startsWith(f[0] + QLatin1Char(' '))) << z.toStdString();
        if (f.size() < 10) continue;
        const auto gerundet = [](const QString& t, int d) {
            return t.isEmpty() ? QString() : formatZahl(t.toDouble(), d);
        };
        EXPECT_EQ(zelle(z, vEnde, 7), gerundet(f[7], 1)) << z.toStdString();
        EXPECT_EQ(zelle(z, zetaEnde, 8), gerundet(f[8], 2)) << z.toStdString();
        if (!f[9].isEmpty()) {
            EXPECT_EQ(zelle(z, dpEnde, 7), gerundet(f[9], 1)) << z.toStdString();
            ++mitWerten;
        }
        EXPECT_TRUE(z.contains(QStringLiteral("  ") + formatVolumenstrom(f[4].toDouble()) +
                               QStringLiteral("  ")))
            << z.toStdString();
    }
    EXPECT_GE(mitWerten, 10);
}

TEST(TerminalOutput, SuggestAndPlanTables) {
    const CliResult rund = runCli(
        s({"suggest", "--volumenstrom", "1000", "--geschwindigkeit", "5", "--rund", "--tabelle"}));
    ASSERT_EQ(rund.exitCode, 0);
    // 1000 m³/h in a 300 mm pipe: 0,2778 m³/s / 0,07069 m² = 3,93 m/s.
    EXPECT_EQ(rund.out, QStringLiteral("Durchmesser      300 mm\nGeschwindigkeit  3,93 m/s\n"));

    QTemporaryDir dir;
    const QString g = dir.filePath(QStringLiteral("g.pro"));
    ASSERT_EQ(runCli(s({"generate"}) << g << s({"--lines", "1", "--outlets", "4"})).exitCode, 0);
    const QString skript = dir.filePath(QStringLiteral("s.txt"));
    QFile f(skript);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("select 1\nallplan\n");
    f.close();
    const QString p = dir.filePath(QStringLiteral("p.pro"));
    ASSERT_EQ(runCli({QStringLiteral("edit"), g, skript, QStringLiteral("--out"), p}).exitCode, 0);
    const CliResult reihen = runCli({QStringLiteral("plan"), p, QStringLiteral("--out"),
                                     dir.filePath(QStringLiteral("a.pro"))});
    const CliResult tabelle =
        runCli({QStringLiteral("plan"), p, QStringLiteral("--out"),
                dir.filePath(QStringLiteral("b.pro")), QStringLiteral("--tabelle")});
    ASSERT_EQ(tabelle.exitCode, 0) << tabelle.err.toStdString();
    const QStringList zeilen = tabelle.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(reihen.lines().size(), 3);
    ASSERT_EQ(zeilen.size(), reihen.lines().size() + 2);
    EXPECT_TRUE(zeilen[0].startsWith(QStringLiteral("Position  Bauteil")));
    EXPECT_TRUE(zeilen[0].endsWith(QStringLiteral("a/d [mm]  b [mm]  Länge [mm]  v [m/s]")));
    for (qsizetype k = 0; k < reihen.lines().size(); ++k) {
        const QStringList r = reihen.lines()[k].split(QLatin1Char('\t'));
        const QStringList t = zeilen[k + 2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        EXPECT_EQ(t.first(), r[0]);
        const auto mass = [](const QString& x) {
            return x.toDouble() < 0 ? QStringLiteral("-") : formatZahl(x.toDouble(), 0);
        };
        // The last four cells: a/d, b, length, v.
        ASSERT_GE(t.size(), 5);
        EXPECT_EQ(t[t.size() - 4], mass(r[2])) << zeilen[k + 2].toStdString();
        EXPECT_EQ(t[t.size() - 3], mass(r[3]));
        EXPECT_EQ(t[t.size() - 2], mass(r[5]));
        EXPECT_EQ(t[t.size() - 1],
                  r[6] == QStringLiteral("-") ? r[6] : formatZahl(r[6].toDouble(), 1));
    }
    // Both saved the same planning.
    const CliResult a = runCli({QStringLiteral("tree"), dir.filePath(QStringLiteral("a.pro"))});
    EXPECT_GT(a.lines().size(), 5);
    EXPECT_EQ(a.out, runCli({QStringLiteral("tree"), dir.filePath(QStringLiteral("b.pro"))}).out);
}

TEST(TerminalOutput, TheManualShowsTheTableThatIsPrinted) {
    QFile f(QStringLiteral(ZEPHAN_SOURCE_DATA "/../../docs/handbuch.md"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString handbuch = QString::fromUtf8(f.readAll());
    QString beispiel;
    for (const QString& z : QString::fromUtf8(druckTabelle).split(QLatin1Char('\n')))
        beispiel += (z.isEmpty() ? QString() : QStringLiteral("    ") + z) + QLatin1Char('\n');
    beispiel.chop(1);
    EXPECT_TRUE(handbuch.contains(beispiel)) << beispiel.toStdString();
}

TEST(TerminalOutput, GeneratingALargeProjectCountsItsLines) {
    QTemporaryDir dir;
    const QString ziel = dir.filePath(QStringLiteral("g.pro"));
    const TerminalLauf t =
        imTerminal({QStringLiteral("generate"), ziel, QStringLiteral("--lines"),
                    QStringLiteral("3"), QStringLiteral("--outlets"), QStringLiteral("2")},
                   2);
    ASSERT_EQ(t.exitCode, 0) << t.terminal.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(t.terminal),
        QStringLiteral("\rErzeuge Stränge 33 %\rErzeuge Stränge 66 %\rErzeuge Stränge 100 %\r") +
            QString(21, QLatin1Char(' ')) + QLatin1Char('\r'));
    EXPECT_TRUE(t.rohr.isEmpty());
    // Behind a pipe nothing but the file.
    const CliResult r = runCli({QStringLiteral("generate"), dir.filePath(QStringLiteral("h.pro")),
                                QStringLiteral("--lines"), QStringLiteral("3"),
                                QStringLiteral("--outlets"), QStringLiteral("2")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(runCli({QStringLiteral("tree"), ziel}).out,
              runCli({QStringLiteral("tree"), dir.filePath(QStringLiteral("h.pro"))}).out);
}
