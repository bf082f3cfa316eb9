#include "store/crc32.h"

#include <array>

namespace zephan {

namespace {
constexpr std::array<quint32, 256> makeTable() {
    std::array<quint32, 256> t{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}
constexpr std::array<quint32, 256> table = makeTable();
} // namespace

quint32 crc32Weiter(quint32 crc, QByteArrayView data) {
    const auto* p = reinterpret_cast<const uchar*>(data.data());
    for (qsizetype i = 0, n = data.size(); i < n; ++i)
        crc = (crc >> 8) ^ table[(crc ^ p[i]) & 0xFF];
    return crc;
}

quint32 crc32Schnell(QByteArrayView data) {
    const qsizetype n = qMin(data.size() - 1, crc32SchnellGrenze);
    return n > 0 ? crc32Weiter(0, data.first(n)) : 0;
}

} // namespace zephan
