#include "cli/command.h"
#include "store/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// Exit code when the text was printed but its container's check sum did not match.
constexpr int exitCrc = 3;

const Command text("text", "text FILE", [](const QStringList& args) {
    if (args.size() != 1) return usage("text");
    const QString name = QDir::toNativeSeparators(args[0]);
    const QFileInfo fi(args[0]);
    if (!fi.exists()) return fehler(QStringLiteral("Die Datei %1 existiert nicht.").arg(name));
    QFile f(args[0]);
    if (fi.isDir() || !f.open(QIODevice::ReadOnly))
        return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(name));
    const QByteArray bytes = f.readAll();
    QString inhalt, error;
    bool crc = false;
    if (!TIniFile2::dateiText(bytes, ffAnsi, inhalt, &error, &crc))
        return fehler(name + QStringLiteral(": ") + error);
    inhalt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out(inhalt);
    if (crc) {
        err(QStringLiteral("CRC-Fehler\n"));
        return exitCrc;
    }
    return exitOk;
});

} // namespace
} // namespace zephan::cli
