#include "store/trace_log.h"

#include <gtest/gtest.h>

using namespace zephan;

TEST(TraceLog, NestsAndClosesLevels) {
    TraceLog log;
    log.add("laden", 1);
    log.add("innen");
    log.add("laden", -1);
    const QStringList l = log.lines();
    ASSERT_EQ(l.size(), 3);
    EXPECT_EQ(l[0], "> laden");
    EXPECT_EQ(l[1], "\tinnen");
    EXPECT_TRUE(l[2].startsWith("< laden ")) << l[2].toStdString();
    EXPECT_TRUE(l[2].endsWith(" ms"));
    EXPECT_EQ(log.openLevels(), 0);
}

TEST(TraceLog, RefusesTheTwentyFirstLevel) {
    TraceLog log;
    for (int i = 0; i < 20; ++i) log.add("x", 1);
    log.add("zu tief", 1);
    EXPECT_EQ(log.openLevels(), 20);
    EXPECT_TRUE(log.lines().last().endsWith("zu tief +FEHLER Loglevel Error"));
}

TEST(TraceLog, KeepsOnlyTheLastHundredLinesPastTheBound) {
    TraceLog log;
    const QString longLine(1000, QLatin1Char('a'));
    for (int i = 0; i < 101; ++i) log.add(longLine + QString::number(i));
    EXPECT_EQ(log.lines().size(), 100);
    EXPECT_TRUE(log.lines().last().endsWith("100"));
}
