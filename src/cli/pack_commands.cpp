#include "cli/command.h"
#include "store/ini_file.h"
#include "store/output_target.h"
#include "store/packed_container.h"

#include <limits>
#include <new>

namespace zephan::cli {
namespace {

constexpr int exitCrcFehler = 3;

// Read with the bound a load has: a container of more could not be opened by the program,
// and a device without end (/dev/zero) would fill memory.
bool lesen(const QString& name, QByteArray& bytes, QString& message) {
    QString grund;
    if (TIniFile2::dateiLesen(name, bytes, grund)) return true;
    message = QStringLiteral("Datei %1 kann nicht gelesen werden: %2").arg(name, grund);
    return false;
}

// Through a temporary file, so a failed write leaves an existing OUT intact; a link is
// written through, a device, FIFO or socket refused.
bool schreiben(const QString& name, const QByteArray& bytes, QString& message) {
    return dateiSchreiben(name, bytes, message);
}

const Command pack("pack", "pack IN OUT", [](const QStringList& args) {
    if (args.size() != 2) return usage("pack");
    QByteArray data;
    QString message;
    if (!lesen(args[0], data, message)) return fehler(message);
    if (data.size() > std::numeric_limits<qint32>::max() / 2)
        return fehler(QStringLiteral("Datei %1 ist zu groß zum Packen").arg(args[0]));
    QByteArray packed;
    try {
        packed = packenBytes(data);
    } catch (const std::bad_alloc&) {
        return fehler(QStringLiteral("Datei %1 kann nicht gepackt werden: Nicht genug Speicher.")
                          .arg(args[0]));
    }
    if (packed.isEmpty())
        return fehler(QStringLiteral("Datei %1 kann nicht gepackt werden").arg(args[0]));
    if (!schreiben(args[1], packed, message)) return fehler(message);
    return exitOk;
});

const Command unpack("unpack", "unpack IN OUT", [](const QStringList& args) {
    if (args.size() != 2) return usage("unpack");
    QByteArray packed;
    QString message;
    if (!lesen(args[0], packed, message)) return fehler(message);
    QByteArray data;
    QString reason;
    bool crcMismatch = false;
    bool ok = false;
    try {
        // The header's size is checked before anything is unpacked.
        ok = entpackenBytes(packed, data, &reason, &crcMismatch, maxLadeBytes);
    } catch (const std::bad_alloc&) {
        return fehler(QStringLiteral("Datei %1 kann nicht entpackt werden: Nicht genug Speicher.")
                          .arg(args[0]));
    }
    if (!ok && !crcMismatch)
        return fehler(
            QStringLiteral("Datei %1 kann nicht entpackt werden: %2").arg(args[0], reason));
    if (!schreiben(args[1], data, message)) return fehler(message);
    if (crcMismatch) {
        err(QStringLiteral("CRC-Fehler\n"));
        return exitCrcFehler;
    }
    return exitOk;
});

} // namespace
} // namespace zephan::cli
