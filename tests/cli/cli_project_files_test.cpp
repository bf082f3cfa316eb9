// What the tool does with the files it is given: temporary copies, damaged check sums, output
// names and names the file system cannot show. Each case once lost or misplaced data.
#include "support/cli_runner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool setModified(const QString& path, const QDateTime& t) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(t, QFileDevice::FileModificationTime);
}

// The node count a project file stores ("[List]" / "Count"), read through `text`.
int storedCount(const QString& pro) {
    const CliResult r = runCli({"text", pro});
    const qsizetype at = r.out.indexOf("[List]\nCount=");
    return at < 0 ? -1 : r.out.mid(at + 13).section('\n', 0, 0).toInt();
}

class ProjectFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeFile(script, "# nothing to change\n"));
    }
    QString in(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    const QString script = dir.filePath("script.txt");
};

// --- the newer temporary copy -------------------------------------------------------------------

// r.pro is the example (19 nodes); r.protmp a generated project of another size, newer or older.
class TemporaryCopy : public ProjectFiles {
protected:
    void SetUp() override {
        ProjectFiles::SetUp();
        ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
        ASSERT_EQ(
            runCli({"generate", kopie, "--lines", "1", "--outlets", "2", "--seed", "4"}).exitCode,
            0);
        kopieBytes = readFile(kopie);
        kopieKnoten = storedCount(kopie);
        ASSERT_GT(kopieKnoten, 0);
        ASSERT_NE(kopieKnoten, 19);
    }
    void alter(bool kopieNeuer) {
        const QDateTime jetzt = QDateTime::currentDateTime();
        ASSERT_TRUE(setModified(pro, jetzt.addSecs(kopieNeuer ? -60 : 0)));
        ASSERT_TRUE(setModified(kopie, jetzt.addSecs(kopieNeuer ? 0 : -60)));
    }

    const QString pro = in("r.pro");
    const QString kopie = in("r.protmp");
    QByteArray kopieBytes;
    int kopieKnoten = 0;
};

TEST_F(TemporaryCopy, EditAnswersTheQuestionOnlyAsToldAndDeletesOnlyWhatWasOffered) {
    struct Fall {
        const char* name;
        bool kopieNeuer;
        QStringList optionen;
        int exitCode;
        bool kopieBleibt;
        bool ausKopie; // the saved file holds the copy's nodes
    };
    const Fall faelle[] = {
        // Nobody decided: the command stops, both files stay as they were.
        {"newer, no option", true, {}, 1, true, false},
        {"newer, load it", true, {"--temporaer", "laden"}, 0, false, true},
        {"newer, discard it", true, {"--temporaer", "verwerfen"}, 0, false, false},
        // Not offered, so not refused: the copy is not the tool's to delete.
        {"older", false, {}, 0, true, false},
        {"older, discard option", false, {"--temporaer", "verwerfen"}, 0, true, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
        ASSERT_TRUE(writeFile(kopie, kopieBytes));
        alter(f.kopieNeuer);
        const QByteArray vorher = readFile(pro);
        const CliResult r = runCli(QStringList{"edit", pro, script} + f.optionen);
        EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(kopie), f.kopieBleibt);
        if (f.kopieBleibt) {
            EXPECT_EQ(readFile(kopie), kopieBytes);
        }
        if (f.exitCode != 0) {
            EXPECT_TRUE(r.err.contains("--temporaer laden oder --temporaer verwerfen"))
                << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(kopie))) << r.err.toStdString();
            EXPECT_EQ(readFile(pro), vorher);
        } else {
            EXPECT_EQ(storedCount(pro), f.ausKopie ? kopieKnoten : 19);
        }
    }
}

TEST_F(TemporaryCopy, ReadingCommandsShowTheChosenFileAndStopWithoutAChoice) {
    alter(true);
    const CliResult offen = runCli({"tree", pro});
    EXPECT_EQ(offen.exitCode, 1);
    EXPECT_TRUE(offen.out.isEmpty());
    EXPECT_TRUE(offen.err.contains("ist neuer als die Datei")) << offen.err.toStdString();
    EXPECT_EQ(runCli({"component", pro, "1.2"}).exitCode, 1);

    EXPECT_EQ(runCli({"tree", pro, "--temporaer", "laden"}).lines().size(), kopieKnoten);
    EXPECT_EQ(runCli({"tree", pro, "--temporaer", "verwerfen"}).lines().size(), 19);
    EXPECT_EQ(runCli({"component", pro, "1.2", "--temporaer", "verwerfen"}).exitCode, 0);
    EXPECT_EQ(readFile(kopie), kopieBytes); // reading never deletes it

    for (const QStringList& falsch :
         {QStringList{"--temporaer", "vielleicht"}, QStringList{"--temporaer"},
          QStringList{"--temporaer", "laden", "--temporaer", "laden"}})
        EXPECT_EQ(runCli(QStringList{"tree", pro} + falsch).exitCode, 2)
            << falsch.join(' ').toStdString();
}

TEST_F(TemporaryCopy, WritingElsewhereKeepsTheTargetsCopy) {
    // The target's own copy was never offered: it may be someone's unsaved work.
    alter(false);
    const QString ziel = in("ziel.pro");
    ASSERT_TRUE(writeFile(ziel + "tmp", "Arbeit"));
    ASSERT_EQ(runCli({"edit", pro, script, "--out", ziel}).exitCode, 0);
    EXPECT_EQ(readFile(ziel + "tmp"), "Arbeit");
    EXPECT_EQ(storedCount(ziel), 19);
}

// --- damaged check sums -------------------------------------------------------------------------

TEST_F(ProjectFiles, ACheckSumMismatchStopsEveryCommandAndIsNeverSavedOverItsFile) {
    const QString pro = in("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    QByteArray bytes = readFile(pro);
    // The stored CRC (header offset 28); the packed text itself is intact.
    ASSERT_TRUE(bytes.startsWith("dazava"));
    bytes[28] = static_cast<char>(bytes[28] ^ 0x5a);
    ASSERT_TRUE(writeFile(pro, bytes));
    const QString aus = in("y.pro");

    struct Fall {
        QStringList args;
        int exitCode;
        const char* meldung;
    };
    const Fall faelle[] = {
        {{"tree", pro}, 3, "--crc-ignorieren"},
        {{"tree", pro, "--calc"}, 3, "--crc-ignorieren"},
        {{"component", pro, "1.2"}, 3, "--crc-ignorieren"},
        {{"edit", pro, script}, 3, "--crc-ignorieren"},
        {{"edit", pro, script, "--out", aus}, 3, "--crc-ignorieren"},
        {{"tree", pro, "--crc-ignorieren"}, 0, "CRC-Fehler"},
        // Loaded anyway, but its own file keeps the damaged original for a better tool.
        {{"edit", pro, script, "--crc-ignorieren"}, 3, "wird nicht über"},
        {{"edit", pro, script, "--crc-ignorieren", "--out", in("./x.pro")}, 3, "wird nicht über"},
        {{"plan", pro, "--out", aus}, 3, "--crc-ignorieren"},
        {{"plan", pro, "--crc-ignorieren", "--out", pro}, 3, "wird nicht über"},
        {{"copy", pro, "1.5", "1.3", "--out", aus}, 3, "--crc-ignorieren"},
        {{"copy", pro, "1.5", "1.3", "--crc-ignorieren", "--out", pro}, 3, "wird nicht über"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.args.join(' ').toStdString());
        const CliResult r = runCli(f.args);
        EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
        EXPECT_EQ(readFile(pro), bytes);
        EXPECT_FALSE(QFileInfo::exists(aus));
    }
    EXPECT_EQ(runCli({"tree", pro, "--crc-ignorieren"}).lines().size(), 19);

    // Written to another file it is whole again.
    const CliResult r = runCli({"edit", pro, script, "--crc-ignorieren", "--out", aus});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(runCli({"tree", aus}).lines().size(), 19);
    EXPECT_EQ(readFile(pro), bytes);
}

// --- output names -------------------------------------------------------------------------------

TEST_F(ProjectFiles, TheToolWritesExactlyTheNameItIsGiven) {
    struct Fall {
        const char* name;
        QStringList args; // %1 is the output name
        const char* ausgabe;
        int exitCode;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"edit --out keeps .txt",
         {"edit", "neu.pro", "script.txt", "--out", "%1"},
         "out.txt",
         0,
         ""},
        {"edit --out without extension",
         {"edit", "neu.pro", "script.txt", "--out", "%1"},
         "roh",
         0,
         ""},
        {"generate without extension",
         {"generate", "%1", "--lines", "1", "--outlets", "2"},
         "gen",
         0,
         ""},
        // The example's own name is refused; a name that merely ends like it is fine.
        {"ends like the example",
         {"edit", "neu.pro", "script.txt", "--out", "%1"},
         "Mein_Beispiel.pro",
         0,
         ""},
        {"the example's name",
         {"edit", "neu.pro", "script.txt", "--out", "%1"},
         "beispiel.PRO",
         1,
         "Datei darf nicht als Beispiel gespeichert werden."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        QStringList args;
        for (const QString& a : f.args)
            args << (a == "%1"                                  ? in(f.ausgabe)
                     : a.endsWith(".pro") || a.endsWith(".txt") ? in(qPrintable(a))
                                                                : a);
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(f.meldung))) << r.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(in(f.ausgabe)), f.exitCode == 0);
        EXPECT_FALSE(QFileInfo::exists(in(f.ausgabe) + ".pro"));
        if (f.exitCode == 0) {
            EXPECT_GT(storedCount(in(f.ausgabe)), -1);
        }
    }
}

TEST_F(ProjectFiles, AFolderAsOutputIsRefusedAndNothingIsWrittenBesideIt) {
    const QString ordner = in("ordner");
    ASSERT_TRUE(QDir().mkpath(ordner));
    for (const QStringList& args :
         {QStringList{"generate", ordner, "--lines", "1", "--outlets", "2"},
          QStringList{"edit", in("neu.pro"), script, "--out", ordner}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("ist ein Ordner")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(ordner + ".pro"));
    }
    EXPECT_TRUE(QDir(ordner).isEmpty());
}

// --- names the file system cannot show ----------------------------------------------------------

// Runs the tool in `dir` through the shell, so an argument can carry bytes that are no UTF-8:
// "%N" in an argument is printf's octal escape.
CliResult runCliRaw(const QString& dir, const QStringList& args) {
    QString command = QStringLiteral("cd \"$1\" && exec \"$0\"");
    for (const QString& a : args) command += " \"$(printf '" + a + "')\"";
    QProcess p;
    p.start("/bin/sh", {"-c", command, QStringLiteral(ZEPHAN_CLI), dir});
    CliResult r;
    if (!p.waitForFinished(120000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST_F(ProjectFiles, ALatin1NameIsRefusedAndNoProjectIsWrittenUnderAnotherName) {
    const QString pro = in("x.pro");
    ASSERT_EQ(runCli({"example", pro}).exitCode, 0);
    // "café.pro" in Latin-1, as an older system or a copied archive leaves it.
    ASSERT_EQ(
        QProcess::execute("/bin/sh",
                          {"-c", "cd \"$0\" && cp x.pro \"$(printf 'caf\\351.pro')\"", dir.path()}),
        0);
    const QStringList vorher = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    for (const QStringList& args :
         {QStringList{"edit", "caf\\351.pro", "script.txt"},
          QStringList{"edit", "neu\\351.pro", "script.txt"},
          QStringList{"edit", "x.pro", "script.txt", "--out", "aus\\351.pro"},
          QStringList{"tree", "caf\\351.pro"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliResult r = runCliRaw(dir.path(), args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("\\xe9")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("Zeichenkodierung des Dateisystems")) << r.err.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), vorher);
    }
    // A UTF-8 name is an ordinary name.
    EXPECT_EQ(runCli({"edit", pro, script, "--out", in("café.pro")}).exitCode, 0);
    EXPECT_EQ(runCli({"tree", in("café.pro")}).lines().size(), 19);
}

} // namespace
