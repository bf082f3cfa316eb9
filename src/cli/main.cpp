#include "cli/command.h"
#include "store/number_format.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace zephan::cli {

namespace {
struct Entry {
    const char* usage;
    CommandFn fn;
};
std::map<std::string, Entry>& registry() {
    static std::map<std::string, Entry> r;
    return r;
}

void printUsage() {
    err(QStringLiteral("Aufruf: zephan-cli BEFEHL [ARGUMENTE]\n"));
    for (const auto& [name, entry] : registry())
        err(QStringLiteral("  ") + QString::fromUtf8(entry.usage) + '\n');
}
} // namespace

Command::Command(const char* name, const char* usage, CommandFn fn) {
    registry()[name] = Entry{usage, std::move(fn)};
}

int fehler(const QString& message) {
    err(message + '\n');
    return exitFehler;
}

int usage(const char* name) {
    auto it = registry().find(name);
    if (it != registry().end())
        err(QStringLiteral("Aufruf: zephan-cli ") + QString::fromUtf8(it->second.usage) + '\n');
    else
        printUsage();
    return exitUsage;
}

void out(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
}

void err(const QString& text) {
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
}

double zahlArgument(const QString& text, bool* ok) {
    QString t = text.trimmed();
    if (!t.contains(QLatin1Char('.'))) t.replace(QLatin1Char(','), QLatin1Char('.'));
    const double x = t.toDouble(ok);
    if (*ok && !std::isfinite(x)) *ok = false;
    return x;
}

int KonsolenSeam::frage(const QString& text, const QString& buttons, Kind) {
    const QStringList b = buttons.split(QLatin1Char('|'));
    if (b.size() == 1) {
        err(text + QLatin1Char('\n'));
        return 0;
    }
    const int nein = static_cast<int>(b.indexOf(QStringLiteral("n")));
    return nein >= 0 ? nein : 0;
}

QString machineNumber(double x) {
    return QString::number(x, 'g', 10);
}

QString zahlAusText(const QString& text) {
    bool ok = false;
    const double x = leseZahl(text, &ok);
    return ok ? machineNumber(x) : QString();
}

void keyValue(const QString& key, double value) {
    out(key + '\t' + machineNumber(value) + '\n');
}

void keyValue(const QString& key, const QString& value) {
    out(key + '\t' + value + '\n');
}

} // namespace zephan::cli

namespace zephan::cli {
// Defined beside the layout command: the application object the command line needs.
std::unique_ptr<QCoreApplication> anwendungFuer(int& argc, char** argv);
} // namespace zephan::cli

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> anwendung = anwendungFuer(argc, argv);
    [[maybe_unused]] QCoreApplication& app = *anwendung;
    QStringList args = app.arguments().mid(1);
    using namespace zephan::cli;
    if (args.isEmpty()) {
        printUsage();
        return exitUsage;
    }
    const std::string name = args.takeFirst().toStdString();
    auto it = registry().find(name);
    if (it == registry().end()) {
        printUsage();
        return exitUsage;
    }
    return it->second.fn(args);
}
