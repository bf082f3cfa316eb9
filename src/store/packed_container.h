#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

namespace zephan {

// Header of a packed container as it is held in memory.
struct tmyhead {
    QByteArray signature;     // "dazava" (empty for a legacy block)
    quint8 version = 0;       // 0 or 1
    qint32 compress_size = 0; // whole container length, header included
    qint32 uncompress_size = 0;
    double file_timedate = 0;
    quint16 attr = 0;
    quint16 filename_len = 0;
    quint32 crc32 = 0; // 0 = no check
};

struct tmyHeadintern : tmyhead {
    QByteArray filename;
    // A legacy block (first byte 0xFE) has no container length, no name and no CRC.
    bool legacy = false;
    // Bytes from the container start to the first byte of the bit stream.
    qint64 headerLength = 0;
};

// The signature every version-0/1 container starts with.
inline constexpr char containerSignature[] = "dazava";
inline constexpr int containerHeaderSize = 32;
inline constexpr int containerHeaderSizeV0 = 28;

// Reads and checks a header at the source's current position. On failure *reason (when
// given) holds the message; the position then is unspecified.
bool kopfLesen(QIODevice& source, tmyHeadintern& head, QString* reason = nullptr);

// CRC of a stream: the full form from the start (fromStart) or from the current position;
// the quick form (first min(n - 1, 100000) bytes) when quick is set and fromStart is not.
quint32 streamCrc(QIODevice& stream, bool quick, bool fromStart);

// packs the whole source (from its start) as one version-1 container at target's position
bool packen(QIODevice& source, QIODevice& target, bool append = false);
// unpacks one container; false also on a CRC mismatch (then *crcMismatch = true, data stay in
// target)
bool entpacken(QIODevice& source, QIODevice& target, bool embedded = false,
               QString* reason = nullptr, bool* crcMismatch = nullptr);
QByteArray packenBytes(const QByteArray& data);
// With `grenze` >= 0 a header that states more unpacked bytes is refused before any is made.
bool entpackenBytes(const QByteArray& packed, QByteArray& out, QString* reason = nullptr,
                    bool* crcMismatch = nullptr, qint64 grenze = -1);
// true when the bytes start with a container header (first byte "d" + the whole signature, or 0xFE)
bool istContainer(const QByteArray& head);

} // namespace zephan
