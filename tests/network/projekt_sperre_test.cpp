// The lock beside an open project and the read-only project it leads to.

#include "network/project_file.h"
#include "network/projekt_sperre.h"
#include "support/recording_seam.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The process id of a program that has ended: a lock naming it is stale.
qint64 beendeterProzess() {
    QProcess p;
    p.start(QStringLiteral("true"), {});
    if (!p.waitForStarted()) return 0;
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

class Sperre : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "zephan-sperre";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Zephan"));
        ASSERT_TRUE(dir.isValid());
        datei = dir.filePath(QStringLiteral("Halle 3.pro"));
        ASSERT_TRUE(beispielSchreiben(datei));
    }
    QTemporaryDir dir;
    QString datei;
};

} // namespace

TEST_F(Sperre, TheLockIsAHiddenFileBesideTheProject) {
    EXPECT_EQ(ProjektSperre::sperrDatei(QStringLiteral("/daten/b/Halle 3.pro")),
              QStringLiteral("/daten/b/.Halle 3.pro.lock"));
    ProjektSperre s;
    ASSERT_EQ(s.nehmen(datei), ProjektSperre::Ergebnis::Gesperrt);
    EXPECT_TRUE(s.haelt());
    EXPECT_EQ(s.projektDatei(), datei);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral(".Halle 3.pro.lock"))));
    s.freigeben();
    EXPECT_FALSE(s.haelt());
    EXPECT_TRUE(s.projektDatei().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral(".Halle 3.pro.lock"))));
}

TEST_F(Sperre, ASecondHolderLearnsWhoHoldsTheProject) {
    ProjektSperre erste, zweite;
    ASSERT_EQ(erste.nehmen(datei), ProjektSperre::Ergebnis::Gesperrt);
    ASSERT_EQ(zweite.nehmen(datei), ProjektSperre::Ergebnis::Belegt);
    EXPECT_FALSE(zweite.haelt());
    const SperrHalter& h = zweite.halter();
    EXPECT_EQ(h.pid, QCoreApplication::applicationPid());
    // As the lock file names the program (its second line).
    const QList<QByteArray> zeilen = lies(ProjektSperre::sperrDatei(datei)).split('\n');
    ASSERT_GE(zeilen.size(), 3);
    EXPECT_EQ(h.programm, QString::fromUtf8(zeilen[1]));
    EXPECT_FALSE(h.programm.isEmpty());
    EXPECT_EQ(h.rechner, QSysInfo::machineHostName());
    EXPECT_EQ(h.benutzer, QFileInfo(ProjektSperre::sperrDatei(datei)).owner());
    EXPECT_FALSE(h.benutzer.isEmpty());

    // Released by the first, taken by the second.
    erste.freigeben();
    EXPECT_EQ(zweite.nehmen(datei), ProjektSperre::Ergebnis::Gesperrt);
    EXPECT_EQ(erste.nehmen(datei), ProjektSperre::Ergebnis::Belegt);
}

TEST_F(Sperre, ALockOfAnEndedProcessIsStaleAndTakenOverHoweverYoung) {
    const qint64 pid = beendeterProzess();
    ASSERT_GT(pid, 0);
    QFile f(ProjektSperre::sperrDatei(datei));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(pid) + "\nZephan\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    ProjektSperre s;
    EXPECT_EQ(s.nehmen(datei), ProjektSperre::Ergebnis::Gesperrt);
    // The lock file names this process now.
    EXPECT_TRUE(lies(ProjektSperre::sperrDatei(datei))
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
}

TEST_F(Sperre, ALockFromAnotherHostIsNeverTakenOver) {
    QFile f(ProjektSperre::sperrDatei(datei));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("4242\nZephan\nplanungsbuero-7\n");
    f.close();
    // Old as it may be: that host may still have the project open.
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    f.close();
    ProjektSperre s;
    ASSERT_EQ(s.nehmen(datei), ProjektSperre::Ergebnis::Belegt);
    EXPECT_EQ(s.halter().pid, 4242);
    EXPECT_EQ(s.halter().rechner, QStringLiteral("planungsbuero-7"));
    SperrHalter h = s.halter();
    h.benutzer = QStringLiteral("mueller");
    EXPECT_EQ(halterText(h),
              QStringLiteral("von mueller auf dem Rechner planungsbuero-7 (Zephan, Prozess 4242)"));
    EXPECT_EQ(belegtFrage(QStringLiteral("/p/Halle 3.pro"), h),
              QStringLiteral("Das Projekt /p/Halle 3.pro ist bereits geöffnet: von mueller auf dem "
                             "Rechner planungsbuero-7 (Zephan, Prozess 4242).\n\nEs kann nur "
                             "schreibgeschützt geöffnet werden; Änderungen lassen sich dann nur "
                             "unter einem anderen Namen sichern."));
    EXPECT_EQ(halterText({}), QStringLiteral("von einem anderen Benutzer auf einem unbekannten "
                                             "Rechner (unbekanntes Programm)"));
}

TEST_F(Sperre, NoLockWhereNoFileCanBeMadeAndMovingKeepsOneHolder) {
    ProjektSperre s;
    EXPECT_EQ(s.nehmen(dir.filePath(QStringLiteral("fehlt/x.pro"))),
              ProjektSperre::Ergebnis::NichtMoeglich);
    EXPECT_FALSE(s.haelt());

    ProjektSperre a;
    ASSERT_EQ(a.nehmen(datei), ProjektSperre::Ergebnis::Gesperrt);
    const QString andere = dir.filePath(QStringLiteral("andere.pro"));
    ProjektSperre b;
    ASSERT_EQ(b.nehmen(andere), ProjektSperre::Ergebnis::Gesperrt);
    // Moving a lock over another releases the one overwritten.
    b = std::move(a);
    EXPECT_EQ(b.projektDatei(), datei);
    EXPECT_FALSE(QFileInfo::exists(ProjektSperre::sperrDatei(andere)));
    EXPECT_TRUE(QFileInfo::exists(ProjektSperre::sperrDatei(datei)));
    ProjektSperre c(std::move(b));
    EXPECT_EQ(c.projektDatei(), datei);
    ProjektSperre d;
    EXPECT_EQ(d.nehmen(datei), ProjektSperre::Ergebnis::Belegt);
}

TEST_F(Sperre, AReadOnlyProjectIsNeverSavedOverItsFileNorBesideIt) {
    RecordingSeam seam;
    Projekt projekt{seam};
    projekt.setAutomatischSichern([] { return true; });
    projekt.setWiederherstellungsOrdner(dir.filePath(QStringLiteral("daten")));
    projekt.setDateiname(datei);
    ASSERT_TRUE(projekt.laden());
    const QByteArray vorher = lies(datei);
    projekt.setNurLesen(true);
    projekt.setGeaendert(true);

    // The automatic save writes no temporary copy, however long it runs.
    for (int k = 0; k < 100; ++k) EXPECT_FALSE(projekt.autoSaveTick());
    EXPECT_FALSE(QFileInfo::exists(datei + QStringLiteral("tmp")));

    seam.fragen.clear();
    EXPECT_FALSE(projekt.sichern()); // nobody names another file
    EXPECT_EQ(lies(datei), vorher);
    EXPECT_TRUE(projekt.geaendert());
    ASSERT_EQ(seam.fragen.size(), 2);
    EXPECT_EQ(seam.fragen[0],
              QStringLiteral("Das Projekt wurde schreibgeschützt aus %1 geöffnet und wird nicht "
                             "darüber gesichert. Bitte einen neuen Dateinamen wählen. [%1]")
                  .arg(QDir::toNativeSeparators(datei)));
    EXPECT_EQ(seam.fragen[1],
              QStringLiteral("Nicht gesichert: Die Datei %1 ist schreibgeschützt geöffnet und wird "
                             "nicht überschrieben. [o]")
                  .arg(QDir::toNativeSeparators(datei)));

    // The same file under its name without ".pro" is refused as well.
    seam.dateinamen << datei;
    EXPECT_FALSE(projekt.sichern());
    EXPECT_EQ(lies(datei), vorher);

    const QString kopie = dir.filePath(QStringLiteral("Halle 3 Kopie.pro"));
    seam.dateinamen << kopie;
    EXPECT_TRUE(projekt.sichern());
    EXPECT_EQ(projekt.dateiname(), kopie);
    EXPECT_FALSE(projekt.nurLesen());
    EXPECT_EQ(lies(datei), vorher);
    EXPECT_FALSE(lies(kopie).isEmpty());

    // Loading and "Neu" end the read-only state.
    projekt.setNurLesen(true);
    ASSERT_TRUE(projekt.laden());
    EXPECT_FALSE(projekt.nurLesen());
    projekt.setNurLesen(true);
    projekt.neu();
    EXPECT_FALSE(projekt.nurLesen());
}
