#include "cli/command.h"
#include "network/settings.h"
#include "store/folders.h"

#include <QDir>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// The effective settings (defaults applied) as "section/key=value", in the order the
// settings are written. Without FILE the data folder's settings file is read (not changed).
const Command settings("settings", "settings [FILE]", [](const QStringList& args) {
    if (args.size() > 1) return usage("settings");
    const QString datei = args.isEmpty() ? einstellungsDatei() : args[0];
    const QString name = QDir::toNativeSeparators(datei);
    if (!args.isEmpty() && !QFileInfo::exists(datei))
        return fehler(QStringLiteral("Die Datei %1 existiert nicht.").arg(name));
    if (QFileInfo(datei).isDir())
        return fehler(QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(name));
    Einstellungen e;
    if (!einstellungenLaden(e, datei))
        return fehler(
            QStringLiteral("Die Einstellungen in %1 können nicht gelesen werden.").arg(name));
    out(e.alsZeilen().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return exitOk;
});

} // namespace
} // namespace zephan::cli
