#include "support/cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool mitAsan = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool mitAsan = true;
#else
constexpr bool mitAsan = false;
#endif
#else
constexpr bool mitAsan = false;
#endif

// Runs zephan-cli with its address space limited, as a machine low on memory would.
CliResult mitSpeicher(const QStringList& args, rlim_t bytes) {
    QProcess p;
    p.setChildProcessModifier([bytes] {
        const rlimit r{bytes, bytes};
        setrlimit(RLIMIT_AS, &r);
    });
    p.start(QStringLiteral(ZEPHAN_CLI), args);
    CliResult r;
    if (!p.waitForFinished(120000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

// The layout reads at most 64 MB: a device that never ends and a larger file are refused
// with a message instead of filling the memory.
TEST(LayoutCommand, ReadsAtMostALimit) {
    CliResult null = runCli({"layout", "/dev/zero"});
    EXPECT_EQ(null.exitCode, 1);
    EXPECT_TRUE(
        null.err.contains("Die Datei /dev/zero ist zu groß für einen Bericht (höchstens 64 MB)."))
        << null.err.toStdString();

    QTemporaryDir dir;
    QFile gross(dir.filePath("gross.txt"));
    ASSERT_TRUE(gross.open(QIODevice::WriteOnly));
    ASSERT_TRUE(gross.resize(64LL * 1024 * 1024 + 1)); // sparse: no time spent writing
    gross.close();
    CliResult g = runCli({"layout", gross.fileName()});
    EXPECT_EQ(g.exitCode, 1);
    EXPECT_TRUE(g.err.contains("ist zu groß für einen Bericht")) << g.err.toStdString();

    CliResult ordner = runCli({"layout", dir.path()});
    EXPECT_EQ(ordner.exitCode, 1);
    EXPECT_TRUE(ordner.err.contains("Datei kann nicht gelesen werden: " + dir.path()));
}

// Memory that runs out while a large document is laid out ends the command with a message
// and exit code 1, not with an abort.
TEST(LayoutCommand, RunningOutOfMemoryGivesAMessage) {
    if (mitAsan) GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
    QTemporaryDir dir;
    QFile f(dir.filePath("viele_woerter.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray zeile = QByteArray("a ").repeated(8000000) + '\n';
    ASSERT_EQ(f.write(zeile), zeile.size());
    f.close();
    CliResult r = mitSpeicher({"layout", f.fileName()}, 600ULL * 1024 * 1024);
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Zu wenig Speicher für das Layout der Datei " + f.fileName()))
        << r.err.toStdString();
}
