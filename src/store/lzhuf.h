#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace zephan::lzhuf {

// The adaptive-Huffman LZ77 coder with its classic parameters: ring buffer of 4096 bytes,
// matches of 3 to 60 bytes, 314 symbols, frequency limit 0x8000.
inline constexpr int N = 4096;
inline constexpr int F = 60;
inline constexpr int THRESHOLD = 2;
inline constexpr int N_CHAR = 256 - THRESHOLD + F;
inline constexpr int T = N_CHAR * 2 - 1;
inline constexpr int R = T - 1;
inline constexpr unsigned MAX_FREQ = 0x8000;

// The most bytes one input byte of a bit stream can yield: a 60-byte match needs at least
// one bit of symbol code and nine of position.
inline constexpr qint64 maxBytesPerStreamByte = 48;

// Codes the data as one bit stream (no header); the last partial byte is filled with zeros.
// Data of more than 2 GiB (beyond any container) give an empty result.
QByteArray packen(QByteArrayView data);

struct DecodeResult {
    QByteArray data;
    // The stream ended before `count` bytes were decoded; data holds what was complete.
    bool overrun = false;
    // Stream bytes used, the last partial byte included.
    qint64 bytesUsed = 0;
};

// Decodes exactly `count` bytes (count >= 0). Reading past the stream's end stops the
// decoding with `overrun` set instead of inventing data.
DecodeResult entpacken(QByteArrayView stream, qint64 count);

} // namespace zephan::lzhuf
