#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs zephan-cli with the given arguments and keeps what it printed.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split('\n', Qt::SkipEmptyParts); }
    // The value of a key<TAB>value line, empty when the key is missing.
    QString value(const QString& key) const {
        for (const QString& l : lines()) {
            const QStringList f = l.split('\t');
            if (f.size() == 2 && f[0] == key) return f[1];
        }
        return {};
    }
};

inline CliResult runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ZEPHAN_CLI), args);
    CliResult r;
    if (!p.waitForFinished(120000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
