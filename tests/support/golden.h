#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Golden files: tests/data/<case>/ holds a case's input and the expected output. A test
// compares what it produced with the expected file line by line; with ZEPHAN_UPDATE_GOLDEN=1
// in the environment it rewrites the expected file instead, so a change is reviewed as a diff.

inline QString goldenPath(const QString& fall, const QString& datei) {
    return QStringLiteral(ZEPHAN_TEST_DATA) + QLatin1Char('/') + fall + QLatin1Char('/') + datei;
}

inline bool goldenRewrite() {
    return qEnvironmentVariableIntValue("ZEPHAN_UPDATE_GOLDEN") == 1;
}

// Compares `actual` with tests/data/<fall>/<datei> (UTF-8, "\n" line ends); reports the line
// count and the first differing line.
inline void expectGolden(const QString& fall, const QString& datei, const QString& actual) {
    const QString path = goldenPath(fall, datei);
    if (goldenRewrite()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(actual.toUtf8());
        return;
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "missing golden file " << path.toStdString()
                                             << " (run with ZEPHAN_UPDATE_GOLDEN=1 to write it)";
    const QStringList expected = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    for (int k = 0; k < std::min(expected.size(), got.size()); ++k)
        ASSERT_EQ(got[k].toStdString(), expected[k].toStdString())
            << path.toStdString() << " line " << k + 1;
    EXPECT_EQ(got.size(), expected.size()) << path.toStdString() << ": line count differs";
}
