#include "store/trace_log.h"

namespace zephan {

namespace {
constexpr int maxLevels = 20;
constexpr qsizetype maxBytes = 100000;
constexpr int keptLines = 100;
} // namespace

TraceLog& TraceLog::instance() {
    static TraceLog log;
    return log;
}

void TraceLog::add(const QString& text, int level) {
    QString line(static_cast<qsizetype>(open_.size()), QLatin1Char('\t'));
    if (level > 0) {
        if (open_.size() >= maxLevels) {
            line += text + QStringLiteral(" +FEHLER Loglevel Error");
        } else {
            line += QStringLiteral("> ") + text;
            open_.emplace_back();
            open_.back().start();
        }
    } else if (level < 0 && !open_.empty()) {
        const qint64 ms = open_.back().elapsed();
        open_.pop_back();
        line = QString(static_cast<qsizetype>(open_.size()), QLatin1Char('\t')) +
               QStringLiteral("< ") + text + QStringLiteral(" %1 ms").arg(ms);
    } else {
        line += text;
    }
    lines_.append(line);
    bytes_ += line.size() + 1;
    if (bytes_ > maxBytes) {
        lines_ = lines_.mid(lines_.size() - keptLines);
        bytes_ = 0;
        for (const QString& l : lines_) bytes_ += l.size() + 1;
    }
}

void TraceLog::clear() {
    lines_.clear();
    bytes_ = 0;
    open_.clear();
}

void trace(const QString& text, int level) {
    TraceLog::instance().add(text, level);
}

} // namespace zephan
