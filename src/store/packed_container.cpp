#include "store/packed_container.h"

#include "store/crc32.h"
#include "store/lzhuf.h"
#include "store/trace_log.h"

#include <QBuffer>
#include <QFileDevice>
#include <QtEndian>
#include <cstring>
#include <limits>
#include <new>

namespace zephan {

namespace {

constexpr uchar legacyMarker = 0xFE;
constexpr qint64 signatureLength = 6;
constexpr qsizetype crcBlock = 800001;

bool fail(QString* reason, const QString& text) {
    if (reason) *reason = text;
    trace(text);
    return false;
}

// Empties a target device and leaves it at position 0.
bool leeren(QIODevice& target) {
    if (auto* buffer = qobject_cast<QBuffer*>(&target)) {
        buffer->buffer().clear();
        return buffer->seek(0);
    }
    if (auto* file = qobject_cast<QFileDevice*>(&target)) return file->resize(0) && file->seek(0);
    return target.isSequential() || target.size() == 0;
}

bool readExactly(QIODevice& source, char* to, qint64 n) {
    return source.read(to, n) == n;
}

template <typename T> T le(const char* p) {
    return qFromLittleEndian<T>(p);
}

QByteArray headerBytes(const tmyhead& head) {
    QByteArray h(containerHeaderSize, '\0');
    char* p = h.data();
    std::memcpy(p, containerSignature, signatureLength);
    p[6] = static_cast<char>(head.version);
    qToLittleEndian<qint32>(head.compress_size, p + 8);
    qToLittleEndian<qint32>(head.uncompress_size, p + 12);
    qToLittleEndian<double>(head.file_timedate, p + 16);
    qToLittleEndian<quint16>(head.attr, p + 24);
    qToLittleEndian<quint16>(head.filename_len, p + 26);
    qToLittleEndian<quint32>(head.crc32, p + 28);
    return h;
}

// One version-1 container around the data; empty when the data are too large for one.
QByteArray containerBytes(QByteArrayView data) {
    if (data.size() > std::numeric_limits<qint32>::max() - 4 * containerHeaderSize) return {};
    const QByteArray stream = lzhuf::packen(data);
    if (stream.size() > std::numeric_limits<qint32>::max() - 2 * containerHeaderSize) return {};

    tmyhead head;
    head.version = 1;
    head.uncompress_size = static_cast<qint32>(data.size());
    head.crc32 = crc32Voll(data);
    head.compress_size = static_cast<qint32>(containerHeaderSize + 1 + stream.size());

    QByteArray container;
    container.reserve(head.compress_size);
    container += headerBytes(head);
    container.append('\0');
    container.append(stream);
    return container;
}

// Bytes left from the current position (what is buffered, for a sequential device).
qint64 remaining(const QIODevice& d) {
    return d.isSequential() ? d.bytesAvailable() : d.size() - d.pos();
}

} // namespace

bool kopfLesen(QIODevice& source, tmyHeadintern& head, QString* reason) {
    head = tmyHeadintern{};
    const QString nichtMoeglich = QStringLiteral("Binarydata.head nicht möglich");
    char first = 0;
    if (!source.getChar(&first)) return fail(reason, nichtMoeglich);
    if (static_cast<uchar>(first) == legacyMarker) {
        char count[8];
        if (!readExactly(source, count, 8)) return fail(reason, nichtMoeglich);
        head.legacy = true;
        head.uncompress_size = static_cast<qint32>(le<quint64>(count) & 0xFFFFFFFFu);
        head.headerLength = 9;
        return true;
    }
    if (first != containerSignature[0]) {
        trace(QStringLiteral("Binarydata.head.unbekannt"));
        if (reason) *reason = QStringLiteral("Binarydata.head.unbekannt");
        return false;
    }
    // The first 8 bytes are common to both versions; the rest is read by version so a
    // short version-0 header is not refused for being under 32 bytes.
    char h[containerHeaderSize];
    h[0] = first;
    if (!readExactly(source, h + 1, 7)) return fail(reason, nichtMoeglich);
    if (std::memcmp(h, containerSignature, signatureLength) != 0) {
        trace(QStringLiteral("Binarydata.head.unbekannt"));
        if (reason) *reason = QStringLiteral("Binarydata.head.unbekannt");
        return false;
    }
    head.signature = QByteArray(h, signatureLength);
    head.version = static_cast<quint8>(h[6]);
    if (head.version == 0) {
        if (!readExactly(source, h + 8, containerHeaderSizeV0 - 8))
            return fail(reason, QStringLiteral("Binarydata.head 2 nicht möglich"));
        head.compress_size = le<qint32>(h + 8);
        head.uncompress_size = le<qint32>(h + 12);
        head.file_timedate = le<qint32>(h + 16);
        head.filename_len = le<quint16>(h + 20);
        head.crc32 = le<quint32>(h + 24);
        head.headerLength = containerHeaderSizeV0;
    } else if (head.version == 1) {
        if (!readExactly(source, h + 8, containerHeaderSize - 8))
            return fail(reason, nichtMoeglich);
        head.compress_size = le<qint32>(h + 8);
        head.uncompress_size = le<qint32>(h + 12);
        head.file_timedate = le<double>(h + 16);
        head.attr = le<quint16>(h + 24);
        head.filename_len = le<quint16>(h + 26);
        head.crc32 = le<quint32>(h + 28);
        head.headerLength = containerHeaderSize;
    } else {
        return fail(reason,
                    QStringLiteral("Binarydata.head: unbekannte Version %1").arg(head.version));
    }
    const QString lesefehler = QStringLiteral("Binarydata.head.lesefehler");
    head.filename = source.read(head.filename_len);
    if (head.filename.size() != head.filename_len) return fail(reason, lesefehler);
    char terminator = 1;
    if (!source.getChar(&terminator) || terminator != 0) return fail(reason, lesefehler);
    head.headerLength += head.filename_len + 1;
    return true;
}

quint32 streamCrc(QIODevice& stream, bool quick, bool fromStart) {
    if (!stream.isReadable()) return 0;
    const qint64 restore = stream.pos();
    if (fromStart && !stream.seek(0)) return 0;
    qint64 todo = -1; // all
    if (quick && !fromStart) todo = qBound<qint64>(0, remaining(stream) - 1, crc32SchnellGrenze);
    quint32 crc = 0;
    QByteArray block;
    while (todo != 0) {
        const qint64 want = todo < 0 ? crcBlock : qMin<qint64>(todo, crcBlock);
        block = stream.read(want);
        if (block.isEmpty()) break;
        crc = crc32Weiter(crc, block);
        if (todo > 0) todo -= block.size();
    }
    if (!stream.isSequential()) stream.seek(restore);
    return crc;
}

bool packen(QIODevice& source, QIODevice& target, bool append) {
    if (!source.isReadable() || !target.isWritable()) {
        trace(QStringLiteral("LZH.nach = nil"));
        return false;
    }
    if (!source.isSequential() && !source.seek(0)) return false;
    const QByteArray container = containerBytes(source.readAll());
    if (container.isEmpty()) return false;
    if (!append && !leeren(target)) return false;
    return target.write(container) == container.size();
}

namespace {

// Unpacks one container from the source into `data` (also when the result is a failure: a
// truncated stream leaves what could be decoded, a CRC mismatch all of it).
bool entpackenDaten(QIODevice& source, bool embedded, QByteArray& data, QString* reason,
                    bool* crcMismatch, qint64 grenze = -1) {
    if (crcMismatch) *crcMismatch = false;
    if (reason) reason->clear();
    data.clear();
    if (!source.isReadable()) return fail(reason, QStringLiteral("Quelle nicht lesbar"));
    if (!embedded && !source.isSequential() && !source.seek(0))
        return fail(reason, QStringLiteral("Quelle nicht lesbar"));

    const qint64 start = source.pos();
    const qint64 available = remaining(source);
    if (available <= 4)
        return fail(
            reason,
            QStringLiteral("Gepackte Daten zu kurz (%1 Bytes)").arg(qMax<qint64>(available, 0)));

    tmyHeadintern head;
    QString detail;
    if (!kopfLesen(source, head, &detail))
        return fail(reason, QStringLiteral("error unpack.head: ") + detail);

    if (head.uncompress_size < 0)
        return fail(
            reason,
            QStringLiteral("error unpack.head: ungültige Datengröße %1").arg(head.uncompress_size));
    if (grenze >= 0 && head.uncompress_size > grenze)
        return fail(reason, QStringLiteral("error unpack.head: Datengröße %1 Bytes ist größer als "
                                           "erlaubt (höchstens %2)")
                                .arg(head.uncompress_size)
                                .arg(grenze));
    qint64 streamLength = available - head.headerLength;
    bool truncated = false;
    if (!head.legacy) {
        if (head.compress_size < head.headerLength)
            return fail(reason, QStringLiteral("error unpack.head: ungültige Containerlänge %1")
                                    .arg(head.compress_size));
        if (head.compress_size > available)
            truncated = true;
        else
            streamLength = head.compress_size - head.headerLength;
    }
    if (head.uncompress_size > streamLength * lzhuf::maxBytesPerStreamByte + lzhuf::F)
        return fail(reason,
                    QStringLiteral(
                        "error unpack.head: Datengröße %1 Bytes passt nicht zu %2 Bytes Datenstrom")
                        .arg(head.uncompress_size)
                        .arg(streamLength));

    const QByteArray stream = source.read(streamLength);
    lzhuf::DecodeResult decoded = lzhuf::entpacken(stream, head.uncompress_size);
    if (embedded) {
        const qint64 end = head.legacy ? start + head.headerLength + decoded.bytesUsed
                                       : start + head.compress_size;
        if (!source.isSequential()) source.seek(qMin(end, start + available));
    }
    data = std::move(decoded.data);

    if (truncated)
        return fail(reason,
                    QStringLiteral("Gepackte Daten abgeschnitten: %1 von %2 Bytes vorhanden")
                        .arg(available)
                        .arg(head.compress_size));
    if (decoded.overrun || stream.size() != streamLength)
        return fail(
            reason,
            QStringLiteral("Datenstrom endet vor dem Ende der Daten (%1 von %2 Bytes entpackt)")
                .arg(data.size())
                .arg(head.uncompress_size));
    if (head.crc32 != 0 && (data.size() != head.uncompress_size || crc32Voll(data) != head.crc32)) {
        if (crcMismatch) *crcMismatch = true;
        return fail(reason, QStringLiteral("CRC-Fehler"));
    }
    return true;
}

} // namespace

bool entpacken(QIODevice& source, QIODevice& target, bool embedded, QString* reason,
               bool* crcMismatch) {
    if (crcMismatch) *crcMismatch = false;
    if (reason) reason->clear();
    if (!target.isWritable()) return fail(reason, QStringLiteral("LZH.nach = nil"));
    if (!leeren(target)) return fail(reason, QStringLiteral("Ziel kann nicht geleert werden"));
    QByteArray data;
    QString why;
    bool mismatch = false;
    const bool ok = entpackenDaten(source, embedded, data, &why, &mismatch);
    // What was decoded goes to the target even when the result is a failure.
    if (target.write(data) != data.size())
        return fail(reason, QStringLiteral("Entpackte Daten können nicht geschrieben werden"));
    if (!target.isSequential()) target.seek(0);
    if (reason) *reason = why;
    if (crcMismatch) *crcMismatch = mismatch;
    return ok;
}

QByteArray packenBytes(const QByteArray& data) {
    return containerBytes(data);
}

bool entpackenBytes(const QByteArray& packed, QByteArray& out, QString* reason, bool* crcMismatch,
                    qint64 grenze) {
    QByteArray in = packed;
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    try {
        return entpackenDaten(source, false, out, reason, crcMismatch, grenze);
    } catch (const std::bad_alloc&) {
        out = QByteArray();
        return fail(reason, QStringLiteral("Nicht genug Speicher zum Entpacken."));
    }
}

bool istContainer(const QByteArray& head) {
    if (head.isEmpty()) return false;
    if (static_cast<uchar>(head.at(0)) == legacyMarker) return true;
    return head.startsWith(containerSignature);
}

} // namespace zephan
