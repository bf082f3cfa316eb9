#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace {

// The command rows of the overview: two blanks, the name, its purpose.
QMap<QString, QString> befehlsZeilen(const QString& text) {
    QMap<QString, QString> zeilen;
    static const QRegularExpression zeile(QStringLiteral("^  ([a-z]+) +(.*)$"));
    for (const QString& l : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = zeile.match(l);
        if (m.hasMatch()) zeilen.insert(m.captured(1), m.captured(2));
    }
    return zeilen;
}

TEST(HelpCommand, TheOverviewNamesEveryCommandWithItsPurposeOnStdout) {
    const CliResult r = runCli({QStringLiteral("help")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Aufruf: zephan-cli BEFEHL [ARGUMENTE]\n")));
    const QMap<QString, QString> zeilen = befehlsZeilen(r.out);
    // The list the tool prints without arguments (on stderr) is the complete registry.
    const CliResult ohne = runCli({});
    ASSERT_EQ(ohne.exitCode, 2);
    QStringList registriert;
    for (const QString& l : ohne.err.split(QLatin1Char('\n')))
        if (l.startsWith(QStringLiteral("  "))) registriert.append(l.mid(2).section(' ', 0, 0));
    ASSERT_GE(registriert.size(), 20);
    EXPECT_EQ(QStringList(zeilen.keys()), registriert);
    for (auto it = zeilen.cbegin(); it != zeilen.cend(); ++it)
        EXPECT_TRUE(it.value().endsWith(QLatin1Char('.')))
            << "ohne Zweck: " << it.key().toStdString();
    EXPECT_EQ(zeilen.value(QStringLiteral("pressure")),
              QStringLiteral("Druckverlustberechnung der Stränge eines Projekts."));
}

TEST(HelpCommand, OneCommandShowsItsUsageLineAndPurpose) {
    struct Fall {
        const char* befehl;
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"density", "Aufruf: zephan-cli density TEMP PHI\n\nLuftdichte aus Temperatur [°C] und "
                    "relativer Feuchte [%].\n"},
        {"example", "Aufruf: zephan-cli example OUT\n\nDas Beispielprojekt in eine Datei "
                    "schreiben.\n"},
        {"help",
         "Aufruf: zephan-cli help [BEFEHL | --alle]\n\nDiese Übersicht, oder den Aufruf eines "
         "Befehls.\n"},
    };
    for (const Fall& f : faelle) {
        const CliResult r = runCli({QStringLiteral("help"), QString::fromUtf8(f.befehl)});
        EXPECT_EQ(r.exitCode, 0) << f.befehl;
        EXPECT_EQ(r.out, QString::fromUtf8(f.erwartet));
    }
    // --alle: the overview, then every usage line (the man page is made from it).
    const CliResult alle = runCli({QStringLiteral("help"), QStringLiteral("--alle")});
    EXPECT_EQ(alle.exitCode, 0);
    const QString uebersicht = runCli({QStringLiteral("help")}).out;
    EXPECT_TRUE(alle.out.startsWith(uebersicht));
    const QStringList aufrufe =
        alle.out.mid(uebersicht.size()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(aufrufe.size(), befehlsZeilen(uebersicht).size() + 1);
    EXPECT_EQ(aufrufe[0], QStringLiteral("Aufrufe:"));
    EXPECT_TRUE(aufrufe.contains(QStringLiteral("  zephan-cli density TEMP PHI")));
    // The options of a command come from its registration, as the completion reads them.
    const CliResult druck = runCli({QStringLiteral("help"), QStringLiteral("pressure")});
    EXPECT_TRUE(druck.out.contains(QStringLiteral("[--target POSITION]")));
}

TEST(HelpCommand, FailuresAndTheDesktopOptions) {
    const CliResult unbekannt = runCli({QStringLiteral("help"), QStringLiteral("drucken")});
    EXPECT_EQ(unbekannt.exitCode, 1);
    EXPECT_EQ(unbekannt.err,
              QStringLiteral("Unbekannter Befehl \"drucken\"; zephan-cli help zeigt alle.\n"));
    EXPECT_TRUE(unbekannt.out.isEmpty());

    const CliResult zuviel =
        runCli({QStringLiteral("help"), QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(zuviel.exitCode, 2);
    EXPECT_EQ(zuviel.err, QStringLiteral("Aufruf: zephan-cli help [BEFEHL | --alle]\n"));

    const CliResult hilfe = runCli({QStringLiteral("help")});
    for (const char* option : {"--help", "-h"}) {
        const CliResult r = runCli({QString::fromLatin1(option)});
        EXPECT_EQ(r.exitCode, 0) << option;
        EXPECT_EQ(r.out, hilfe.out) << option;
    }
    const CliResult version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Zephan 0.1\n"));
}

TEST(HelpCommand, TheManualListsEveryCommand) {
    QFile f(QStringLiteral(ZEPHAN_SOURCE_DATA "/../../docs/handbuch.md"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString handbuch = QString::fromUtf8(f.readAll());
    const QMap<QString, QString> zeilen = befehlsZeilen(runCli({QStringLiteral("help")}).out);
    ASSERT_FALSE(zeilen.isEmpty());
    for (const QString& name : zeilen.keys()) {
        const bool zeile = handbuch.contains(QStringLiteral("| `") + name + QLatin1Char(' ')) ||
                           handbuch.contains(QStringLiteral("| `") + name + QLatin1Char('`')) ||
                           handbuch.contains(QStringLiteral(", `") + name + QLatin1Char(' '));
        EXPECT_TRUE(zeile) << "nicht in der Anleitung: " << name.toStdString();
    }
}

} // namespace
