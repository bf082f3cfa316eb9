// The reason a failed save gives: what Qt reports ("Unknown error" for a full disk, a bare
// "Permission denied") turned into the system's meaning.

#include "store/ini_file.h"
#include "store/write_reason.h"
#include "support/recording_seam.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

namespace zephan {
namespace {

TEST(Schreibgrund, QtsTextsGetTheSystemsMeaning) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString datei = dir.filePath(QStringLiteral("p.pro"));
    struct Fall {
        QString qt;
        int nr;
        QString erwartet;
    };
    const QList<Fall> faelle{
        // A full disk shows on commit as "Unknown error".
        {QStringLiteral("Unknown error"), ENOSPC,
         QStringLiteral("Kein Platz mehr auf dem Datenträger.")},
        {QStringLiteral("Unknown error"), EDQUOT,
         QStringLiteral("Das Speicherkontingent ist erschöpft.")},
        {QStringLiteral("Read-only file system"), EROFS,
         QStringLiteral("Der Datenträger ist schreibgeschützt.")},
        // The folder itself can be written here: the reason stays with Qt's words.
        {QStringLiteral("Permission denied"), EACCES,
         QStringLiteral("Keine Schreibberechtigung (Permission denied).")},
        // Any other error number is named by the system rather than "Unknown error".
        {QStringLiteral("Unknown error"), EIO, QString::fromLocal8Bit(std::strerror(EIO))},
        {QString(), 0, QStringLiteral("Fehler beim Schreiben (Grund vom System nicht gemeldet).")},
        {QStringLiteral("No such file or directory"), 0,
         QStringLiteral("No such file or directory")},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(schreibGrund(datei, f.qt, f.nr).toStdString(), f.erwartet.toStdString())
            << f.qt.toStdString() << " / " << f.nr;
}

// A save that fails for real names the file and the system's reason, never "Unknown error".
TEST(Schreibgrund, AFailedSaveNamesFileAndReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ziel = dir.filePath(QStringLiteral("fehlt/p.ini"));
    RecordingSeam seam;
    TIniFile2 ini(ziel, ffAnsi, &seam);
    ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_FALSE(ini.save());
    const QString meldung = ini.lastError();
    EXPECT_TRUE(meldung.startsWith(QStringLiteral("Die Datei ") + QDir::toNativeSeparators(ziel) +
                                   QStringLiteral(" kann nicht geschrieben werden: ")))
        << meldung.toStdString();
    EXPECT_FALSE(meldung.contains(QStringLiteral("Unknown error"))) << meldung.toStdString();
    EXPECT_GT(meldung.size(), QStringLiteral("Die Datei  kann nicht geschrieben werden: ").size() +
                                  QDir::toNativeSeparators(ziel).size());
}

} // namespace
} // namespace zephan
