#include "store/codepage1252.h"

namespace zephan {

namespace {

// 0x80 ... 0x9F; the rest of the code page equals Latin-1.
constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return out;
}

int cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (int i = 0; i < 32; ++i)
        if (high[i] == c) return 0x80 + i;
    return -1;
}

QByteArray encodeCp1252(QStringView text, bool* complete) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int b = cp1252Byte(c);
        if (b < 0) {
            all = false;
            d[i] = '?';
        } else {
            d[i] = static_cast<char>(b);
        }
    }
    if (complete) *complete = all;
    return out;
}

bool nurAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool istUtf8(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    auto cont = [&](qsizetype k) { return k < n && (at(k) & 0xC0) == 0x80; };
    while (i < n) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            ++i;
        } else if (b >= 0xC2 && b <= 0xDF) {
            if (!cont(i + 1)) return false;
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (!cont(i + 1) || !cont(i + 2)) return false;
            const unsigned char b1 = at(i + 1);
            if (b == 0xE0 && b1 < 0xA0) return false;  // overlong
            if (b == 0xED && b1 >= 0xA0) return false; // surrogate
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4) {
            if (!cont(i + 1) || !cont(i + 2) || !cont(i + 3)) return false;
            const unsigned char b1 = at(i + 1);
            if (b == 0xF0 && b1 < 0x90) return false;  // overlong
            if (b == 0xF4 && b1 >= 0x90) return false; // above U+10FFFF
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace zephan
