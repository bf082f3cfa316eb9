// Values outside a physical range stop the network calculation at their node, as missing
// values do: a fan with I6=1e308 once printed "fanTotal 1e+308" with success.
#include "support/cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CliPlausibel, AnAbsurdValueStopsThePressureCalculationAtItsNode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString b = dir.filePath("b.pro");
    ASSERT_EQ(runCli({"example", b}).exitCode, 0);
    const QString text = runCli({"text", b}).out;
    struct Fall {
        const char* abschnitt;
        const char* alt;
        const char* neu;
        const char* position;
    };
    const Fall faelle[] = {
        {"[3]\n", "I6=100", "I6=1e308", "1.3"},  // the fan
        {"[4]\n", "I5=2000", "I5=-2000", "1.4"}, // a duct of negative length
        {"[12]\n", "I3=1000", "I3=1e9", "1.7"},  // an outlet's flow
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.neu);
        QString t = text;
        const qsizetype a = t.indexOf(QString::fromLatin1(f.abschnitt));
        ASSERT_GE(a, 0);
        const qsizetype k = t.indexOf(QString::fromLatin1(f.alt), a);
        ASSERT_GT(k, a);
        t.replace(k, qstrlen(f.alt), QString::fromLatin1(f.neu));
        const QString p = dir.filePath("p.pro");
        QFile datei(p);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(t.toUtf8());
        datei.close();
        const CliResult r = runCli({"pressure", p, "--json"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.toStdString(),
                  std::string("Die Informationen zu dem Bauteil sind nicht vollständig. "
                              "Position: ") +
                      f.position + "\n");
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
}

} // namespace
