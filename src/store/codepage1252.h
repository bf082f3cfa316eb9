#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zephan {

// Windows code page 1252 by our own table (Qt 6 carries no codec for it). The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, as Windows does, so every byte sequence decodes and encodes back unchanged.

QString decodeCp1252(QByteArrayView bytes);
// Characters the code page cannot hold become "?"; *complete (when given) tells whether
// every character could be written.
QByteArray encodeCp1252(QStringView text, bool* complete = nullptr);
// The byte of a character, or -1 when the code page cannot hold it.
int cp1252Byte(char16_t c);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool istUtf8(QByteArrayView bytes);
// True when every byte is below 0x80.
bool nurAscii(QByteArrayView bytes);

} // namespace zephan
