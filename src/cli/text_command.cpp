#include "cli/command.h"
#include "store/ini_file.h"

#include <QDir>
#include <QFileInfo>
#include <new>

namespace zephan::cli {
namespace {

// Exit code when the text was printed but its container's check sum did not match.
constexpr int exitCrc = 3;

// Line ends CR LF become LF in one pass over the text (a replace per hit moves the rest of a
// large text each time).
void ohneCr(QString& text) {
    QChar* p = text.data();
    const qsizetype n = text.size();
    qsizetype ziel = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == QLatin1Char('\r') && i + 1 < n && p[i + 1] == QLatin1Char('\n')) continue;
        p[ziel++] = p[i];
    }
    text.truncate(ziel);
}

// zephan-cli text FILE: the text of a sectioned file (unpacked when packed), read with the
// bounds a load has.
const Command text("text", "text FILE", [](const QStringList& args) {
    if (args.size() != 1) return usage("text");
    const QString name = QDir::toNativeSeparators(args[0]);
    const QFileInfo fi(args[0]);
    if (!fi.exists()) return fehler(QStringLiteral("Die Datei %1 existiert nicht.").arg(name));
    try {
        QByteArray bytes;
        QString grund;
        if (!TIniFile2::dateiLesen(args[0], bytes, grund))
            return fehler(
                QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(name, grund));
        QString inhalt, error;
        bool crc = false;
        if (!TIniFile2::dateiText(bytes, ffAnsi, inhalt, &error, &crc))
            return fehler(name + QStringLiteral(": ") + error);
        bytes = QByteArray();
        ohneCr(inhalt);
        out(inhalt);
        if (crc) {
            err(QStringLiteral("CRC-Fehler\n"));
            return exitCrc;
        }
    } catch (const std::bad_alloc&) {
        return fehler(
            QStringLiteral("Die Datei %1 kann nicht gelesen werden: Nicht genug Speicher.")
                .arg(name));
    }
    return exitOk;
});

} // namespace
} // namespace zephan::cli
