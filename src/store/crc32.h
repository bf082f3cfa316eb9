#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace zephan {

// CRC-32 of the packed container: reflected polynomial 0xEDB88320, start value 0 and no
// final inversion (so it differs from the zlib CRC of the same bytes).
quint32 crc32Weiter(quint32 crc, QByteArrayView data);

// Over all bytes; an empty input gives 0.
inline quint32 crc32Voll(QByteArrayView data) {
    return crc32Weiter(0, data);
}

// The form older writers stored: the first min(length - 1, 100000) bytes only.
quint32 crc32Schnell(QByteArrayView data);

inline constexpr qsizetype crc32SchnellGrenze = 100000;

} // namespace zephan
