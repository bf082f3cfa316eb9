// Files named with --einstellungen and --katalog must be settings and a catalogue: random bytes
// were taken as settings with every default, and a project's nodes as the catalogue's types.
#include "support/cli_runner.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

TEST(CliStartdateien, SettingsAndCatalogueMustBeWhatTheyAreNamedFor) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pro = dir.filePath("b.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    QByteArray zufall(4096, '\0');
    QRandomGenerator gen(42);
    for (char& c : zufall) c = static_cast<char>(gen.bounded(256));
    const QString bin = dir.filePath("zufall.bin");
    ASSERT_TRUE(writeFile(bin, zufall));
    const QString ini = dir.filePath("eigene.ini");
    ASSERT_TRUE(writeFile(ini, "[Abmessung]\r\nSpeedHaupt=5\r\n"));
    const QString fenster = dir.filePath("fenster.ini");
    ASSERT_TRUE(writeFile(fenster, "[FensterHaupt]\r\nLinks=10\r\n"));
    const QString katalog = QStringLiteral(ZEPHAN_TEST_DATA "/../../src/data/Bauteil.ini");
    ASSERT_TRUE(QFile::exists(katalog));

    const QStringList tree{"tree", pro};
    struct Fall {
        QStringList optionen;
        QString meldung; // empty: accepted
    };
    const QString n = QDir::toNativeSeparators(pro);
    const Fall faelle[] = {
        {{"--einstellungen", bin},
         "Die Datei " + QDir::toNativeSeparators(bin) + " ist keine Einstellungsdatei."},
        {{"--einstellungen", pro},
         "Die Datei " + n +
             " ist eine Projektdatei, keine "
             "Einstellungsdatei."},
        {{"--einstellungen", katalog},
         "Die Datei " + QDir::toNativeSeparators(katalog) +
             " ist ein Bauteilkatalog, keine Einstellungsdatei."},
        {{"--katalog", pro}, "Die Datei " + n + " ist eine Projektdatei, kein Bauteilkatalog."},
        {{"--katalog", ini},
         "Die Datei " + QDir::toNativeSeparators(ini) + " ist kein Bauteilkatalog."},
        {{"--einstellungen", ini, "--katalog", katalog}, {}},
        {{"--einstellungen", fenster}, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.optionen.join(' ').toStdString());
        const CliResult r = runCli(tree + f.optionen);
        if (f.meldung.isEmpty()) {
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_FALSE(r.out.isEmpty());
        } else {
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_EQ(r.err.toStdString(), (f.meldung + '\n').toStdString());
            EXPECT_TRUE(r.out.isEmpty());
        }
    }
}

} // namespace
