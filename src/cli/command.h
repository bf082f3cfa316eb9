#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zephan::cli {

// Exit codes of zephan-cli: 0 success, 1 failure (German message on stderr), 2 usage error.
constexpr int exitOk = 0;
constexpr int exitFehler = 1;
constexpr int exitUsage = 2;

using CommandFn = std::function<int(const QStringList& args)>;

// Every command registers itself from its own file with a static Command object.
struct Command {
    Command(const char* name, const char* usage, CommandFn fn);
};

// Prints a German failure message to stderr and returns exitFehler.
int fehler(const QString& message);
// Prints the usage line of `name` to stderr and returns exitUsage.
int usage(const char* name);
// Writes UTF-8 text to stdout / stderr.
void out(const QString& text);
void err(const QString& text);
// A number in the machine format: "." and at least 6 significant digits.
QString machineNumber(double x);
// key<TAB>value line on stdout.
void keyValue(const QString& key, double value);
void keyValue(const QString& key, const QString& value);

} // namespace zephan::cli
