#include "cli/command.h"
#include "editing/machine_number.h"
#include "network/project_file.h"
#include "store/number_format.h"

#include <QCoreApplication>
#include <QFile>
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

QStringList befehlsnamen() {
    QStringList namen;
    for (const auto& [name, entry] : registry()) namen.append(QString::fromStdString(name));
    return namen;
}

QString aufrufText(const QString& name) {
    auto it = registry().find(name.toStdString());
    return it == registry().end() ? QString() : QString::fromUtf8(it->second.usage);
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
    double x = 0;
    QString grund;
    *ok = zahlArgument(text, x, grund);
    return x;
}

bool zahlArgument(const QString& text, double& wert, QString& grund) {
    return maschinenZahl(text, wert, &grund);
}

int KonsolenSeam::frage(const QString& text, const QString& buttons, Kind) {
    if (!buttons.contains(QLatin1Char('|'))) {
        err(text + QLatin1Char('\n'));
        return 0;
    }
    if (text == zwischenspeicherFrage && zwischenspeicher >= 0) return zwischenspeicher;
    err(QStringLiteral("Frage ohne Antwort: ") + text + QStringLiteral(" [") + buttons +
        QStringLiteral("]\n"));
    unbeantwortet = text;
    return -1;
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

namespace {

// An argument's bytes as a message can show them: ASCII as it is, other bytes as \xHH.
QString alsText(const QByteArray& roh) {
    QString t;
    for (const char c : roh) {
        const auto b = static_cast<unsigned char>(c);
        t += b >= 0x20 && b < 0x7f ? QString(QLatin1Char(c))
                                   : QStringLiteral("\\x%1").arg(uint{b}, 2, 16, QLatin1Char('0'));
    }
    return t;
}

} // namespace

namespace zephan::cli {
// Defined beside the layout command: the application object the command line needs.
std::unique_ptr<QCoreApplication> anwendungFuer(int& argc, char** argv);
} // namespace zephan::cli

int main(int argc, char** argv) {
    using namespace zephan::cli;
    // Arguments are file names as often as not: decoded as the file system names files, and
    // refused when that decoding does not give the same bytes back (a Latin-1 name on a UTF-8
    // system), so no file is ever opened or written under a changed name.
    QStringList args;
    for (int k = 1; k < argc; ++k) {
        const QByteArray roh(argv[k]);
        const QString text = QFile::decodeName(roh);
        if (QFile::encodeName(text) != roh)
            return fehler(QStringLiteral("Das Argument \"%1\" lässt sich in der Zeichenkodierung "
                                         "des Dateisystems nicht darstellen.")
                              .arg(alsText(roh)));
        args.append(text);
    }
    const std::unique_ptr<QCoreApplication> anwendung = anwendungFuer(argc, argv);
    [[maybe_unused]] QCoreApplication& app = *anwendung;
    if (args.isEmpty()) {
        printUsage();
        return exitUsage;
    }
    // The options every program of a Linux desktop understands.
    if (args.front() == QLatin1String("--help") || args.front() == QLatin1String("-h"))
        args.front() = QStringLiteral("help");
    else if (args.front() == QLatin1String("--version"))
        args.front() = QStringLiteral("version");
    const std::string name = args.takeFirst().toStdString();
    auto it = registry().find(name);
    if (it == registry().end()) {
        printUsage();
        return exitUsage;
    }
    return it->second.fn(args);
}
