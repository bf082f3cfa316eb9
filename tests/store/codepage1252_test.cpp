#include "store/codepage1252.h"

#include <gtest/gtest.h>

using namespace zephan;

TEST(CodePage1252, SpecialRangeDecodesToItsCharacters) {
    EXPECT_EQ(decodeCp1252("\x80\x84\x85\x8A\x93\x94\x96\x97\x99\x9F"),
              QString::fromUtf8("€„…Š“”–—™Ÿ"));
    EXPECT_EQ(decodeCp1252("\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xB0\xB2\xB3\xFE"),
              QString::fromUtf8("ÄÖÜäöüß°²³þ"));
}

TEST(CodePage1252, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = decodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x81].unicode(), 0x0081); // undefined bytes map to their control characters
    EXPECT_EQ(text[0x9D].unicode(), 0x009D);
    bool complete = false;
    EXPECT_EQ(encodeCp1252(text, &complete), all);
    EXPECT_TRUE(complete);
}

TEST(CodePage1252, CharactersOutsideBecomeQuestionMarks) {
    bool complete = true;
    EXPECT_EQ(encodeCp1252(QString::fromUtf8("aŐ€Ω"), &complete), QByteArray("a?\x80?"));
    EXPECT_FALSE(complete);
    EXPECT_EQ(cp1252Byte(0x20AC), 0x80);
    EXPECT_EQ(cp1252Byte(0x0178), 0x9F);
    EXPECT_EQ(cp1252Byte(0x0080), -1); // a C1 control the code page uses for the euro
    EXPECT_EQ(cp1252Byte(0x0150), -1);
}

TEST(CodePage1252, StrictUtf8Check) {
    EXPECT_TRUE(istUtf8(""));
    EXPECT_TRUE(istUtf8("plain"));
    EXPECT_TRUE(istUtf8(QString::fromUtf8("Größe €  𝄞").toUtf8()));
    EXPECT_FALSE(istUtf8("Gr\xF6\xDF"
                         "e"));                // code page 1252
    EXPECT_FALSE(istUtf8("\xC3"));             // cut sequence
    EXPECT_FALSE(istUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(istUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(istUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(istUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(istUtf8("\x80"));             // lone continuation
    EXPECT_TRUE(istUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
    EXPECT_TRUE(nurAscii("abc\x7F"));
    EXPECT_FALSE(nurAscii("ab\x80"));
}
