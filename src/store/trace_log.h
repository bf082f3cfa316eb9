#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <vector>

namespace zephan {

// The program's trace log: nested entry and exit lines kept in memory. A line opened with
// level +1 gets "> " and indents what follows; level -1 closes it with "< " and the elapsed
// milliseconds. At most 20 levels are open; past 100000 bytes only the last 100 lines stay.
class TraceLog {
public:
    static TraceLog& instance();

    void add(const QString& text, int level = 0);
    QStringList lines() const { return lines_; }
    QString text() const { return lines_.join('\n'); }
    int openLevels() const { return static_cast<int>(open_.size()); }
    void clear();

private:
    QStringList lines_;
    qsizetype bytes_ = 0;
    std::vector<QElapsedTimer> open_;
};

// Shorthand for TraceLog::instance().add(text, level).
void trace(const QString& text, int level = 0);

} // namespace zephan
