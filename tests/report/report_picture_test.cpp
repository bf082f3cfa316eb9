#include "report/qr_code.h"
#include "report/report_picture.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace zephan;

TEST(ReportPicture, KindFromTheFirstBytes) {
    EXPECT_EQ(grafikArt("BM"), "BMP");
    EXPECT_EQ(grafikArt("bm"), "");
    EXPECT_EQ(grafikArt("B"), "");
    EXPECT_EQ(grafikArt(QByteArray("\xFF\xD8\xFF\xE0\x00\x10J", 7)), "JPG");
    EXPECT_EQ(grafikArt(QByteArray("\xFF\xD8\xFF\xE0\x00\x10", 6)), ""); // too short for byte 6
    EXPECT_EQ(grafikArt(QByteArray("\xFF\xD9\xFF\xE0\x00\x10J", 7)), "");
    EXPECT_EQ(grafikArt(QByteArray("\x89PNG\r\n\x1a\n", 8)), "");
    EXPECT_EQ(grafikArt(QByteArray()), "");
}

TEST(ReportPicture, BitmapWidthFromBothHeaderForms) {
    QByteArray info("BM", 2);
    info += QByteArray(12, '\0');
    info += QByteArray("\x28\x00\x00\x00\x40\x01\x00\x00\xC8\x00\x00\x00", 12); // 40: 320 × 200
    EXPECT_EQ(bmpBreite(info), 320);

    QByteArray alt("BM", 2);
    alt += QByteArray(12, '\0');
    alt += QByteArray("\x0C\x00\x00\x00\x10\x02\x08\x00", 8); // 12: 528 × 8
    EXPECT_EQ(bmpBreite(alt), 528);

    QByteArray negativ = info;
    negativ[21] = '\x80'; // width < 0
    EXPECT_EQ(bmpBreite(negativ), 0);
    EXPECT_EQ(bmpBreite(info.left(21)), 0); // cut inside the width
    QByteArray falscheGroesse = info;
    falscheGroesse[14] = '\x05';
    EXPECT_EQ(bmpBreite(falscheGroesse), 0);

    EXPECT_FALSE(TBild::ausDaten(info).leer());
    EXPECT_TRUE(TBild::ausDaten(negativ).leer());
    EXPECT_FALSE(TBild::ausDaten(QByteArray("\xFF\xD8\xFF\xE0\x00\x10J", 7)).leer());
}

TEST(ReportPicture, DataEscapesRoundTripEveryByte) {
    QByteArray alle;
    for (int i = 0; i < 256; ++i) alle.append(static_cast<char>(i));
    alle += QByteArray("\\0\\\\n", 5); // escape-like sequences in the data itself
    const QString text = grafikDatenSchreiben(alle);
    // Bytes 0, LF, CR and "\" of the table and the three backslashes behind it take two each.
    EXPECT_EQ(text.size(), 256 + 5 + 4 + 3);
    EXPECT_EQ(grafikDatenLesen(text), alle);
    EXPECT_EQ(grafikDatenSchreiben(QByteArray("a\0b\nc\rd\\e", 9)), "a\\0b\\nc\\rd\\\\e");
}

TEST(ReportPicture, ReadingKeepsUnknownAndTrailingBackslashes) {
    EXPECT_EQ(grafikDatenLesen(u"a\\xb"), QByteArray("a\\xb"));
    EXPECT_EQ(grafikDatenLesen(u"ab\\"), QByteArray("ab\\"));
    EXPECT_EQ(grafikDatenLesen(u"\\\\0"), QByteArray("\\0")); // escaped backslash, then "0"
    EXPECT_EQ(grafikDatenLesen(u"x\u20ACy"), QByteArray("x?y"));
}

TEST(ReportPicture, DefinitionLineIsSplitAtItsFirstTwoBars) {
    const TGrafikDefinition a = grafikDefinitionLesen(u" Logo |BMP|BM|\\0|");
    EXPECT_EQ(a.name, "logo");
    EXPECT_EQ(a.art, "BMP");
    EXPECT_EQ(a.daten, QByteArray("BM|\0|", 5));

    const TGrafikDefinition q = grafikDefinitionLesen(u"qr|QRDATA|w=1,h=1,data=1");
    EXPECT_EQ(q.art, "QRDATA");
    EXPECT_EQ(q.daten, "w=1,h=1,data=1");

    const TGrafikDefinition nurName = grafikDefinitionLesen(u"Bild");
    EXPECT_EQ(nurName.name, "bild");
    EXPECT_TRUE(nurName.art.isEmpty());
    EXPECT_TRUE(nurName.daten.isEmpty());

    const TGrafikDefinition ohneDaten = grafikDefinitionLesen(u"b|JPG");
    EXPECT_EQ(ohneDaten.art, "JPG");
    EXPECT_TRUE(ohneDaten.daten.isEmpty());
}

namespace {
// The 15 format bits around the top-left finder, read in the order the code stores them.
int formatBits(const QrModule& qr) {
    auto dunkel = [&qr](int zeile, int spalte) {
        return qr.module[zeile * qr.breite + spalte] == QLatin1Char('1') ? 1 : 0;
    };
    int bits = 0;
    for (int c = 0; c <= 5; ++c) bits = (bits << 1) | dunkel(8, c);
    bits = (bits << 1) | dunkel(8, 7);
    bits = (bits << 1) | dunkel(8, 8);
    bits = (bits << 1) | dunkel(7, 8);
    for (int r = 5; r >= 0; --r) bits = (bits << 1) | dunkel(r, 8);
    return bits;
}
} // namespace

TEST(ReportQrCode, ModulesOfAShortText) {
    const QrModule qr = qrKodieren("Zephan", false);
    ASSERT_TRUE(qr.ok()) << qr.fehler.toStdString();
    ASSERT_EQ(qr.breite, 21);
    ASSERT_EQ(qr.hoehe, 21);
    ASSERT_EQ(qr.module.size(), 441);
    const auto zeile = [&qr](int r) { return qr.module.mid(r * 21, 21); };
    // Finder patterns at three corners, no quiet zone, separators, timing pattern.
    EXPECT_EQ(zeile(0).left(8), "11111110");
    EXPECT_EQ(zeile(0).right(8), "01111111");
    EXPECT_EQ(zeile(1).left(8), "10000010");
    EXPECT_EQ(zeile(2).left(8), "10111010");
    EXPECT_EQ(zeile(6).mid(6, 9), "101010101"); // finder edge, separator, timing, separator
    EXPECT_EQ(zeile(20).left(8), "11111110");
    EXPECT_EQ(zeile(7).left(8), "00000000");
    EXPECT_EQ(qr.module.count(QLatin1Char('0')) + qr.module.count(QLatin1Char('1')), 441);
    // Error correction level M: the two level bits after unmasking are 00.
    const int format = formatBits(qr) ^ 0b101010000010010;
    EXPECT_EQ(format >> 13, 0);
    // The format word read this way is a valid BCH(15,5) code word, so rows are rows.
    int rest = format;
    for (int i = 14; i >= 10; --i)
        if ((rest >> i) & 1) rest ^= 0x537 << (i - 10);
    EXPECT_EQ(rest, 0);
    EXPECT_EQ(qr.alsQrData().left(16), "w=21,h=21,data=1");
}

TEST(ReportQrCode, EncodingDecidesTheSize) {
    // 14 umlauts are 14 Latin-1 bytes (version 1 holds 14) but 31 bytes as UTF-8 with mark
    // (version 3 holds 42, version 2 only 26).
    const QString umlaute = QString::fromUtf8("ÄÖÜäöüßÄÖÜäöüß");
    EXPECT_EQ(qrKodieren(umlaute, false).breite, 21);
    EXPECT_EQ(qrKodieren(umlaute, true).breite, 29);
    EXPECT_EQ(qrKodieren(umlaute + "x", false).breite, 25);
    // Characters outside Latin-1 still take one byte each.
    EXPECT_EQ(qrKodieren(QString(14, QChar(0x20AC)), false).breite, 21);
}

TEST(ReportQrCode, FailuresGiveNoModules) {
    const QrModule leer = qrKodieren("", false);
    EXPECT_EQ(leer.fehler, "kein Inhalt");
    EXPECT_TRUE(leer.module.isEmpty());
    EXPECT_EQ(qrKodieren(QString(2332, 'a'), false).fehler, "Inhalt zu lang (2332 Byte)");
    EXPECT_EQ(qrKodieren(QString(2331, 'a'), false).breite, 177); // the largest code
}

TEST(ReportQrCode, DataTextRoundTripsAndIsChecked) {
    const QrModule qr = qrKodieren("https://example.org/zephan", true);
    ASSERT_TRUE(qr.ok());
    const QrModule gelesen = qrDatenLesen(qr.alsQrData());
    EXPECT_TRUE(gelesen.ok()) << gelesen.fehler.toStdString();
    EXPECT_EQ(gelesen.breite, qr.breite);
    EXPECT_EQ(gelesen.hoehe, qr.hoehe);
    EXPECT_EQ(gelesen.module, qr.module);

    const QrModule klein = qrDatenLesen("w=3,h=2,data=101010");
    EXPECT_TRUE(klein.ok());
    EXPECT_EQ(klein.breite, 3);
    EXPECT_EQ(klein.hoehe, 2);

    EXPECT_EQ(qrDatenLesen("w=2,h=2,farbe=1,data=1001").fehler,
              "QRDATA Kennung unbekannt:farbe=1,data=1001");
    EXPECT_EQ(qrDatenLesen("").fehler, "QRDATA Kennung unbekannt:");
    EXPECT_EQ(qrDatenLesen("w=2,h=3,data=1001").fehler, "QRDATA w und h ergibt nich data");
    EXPECT_EQ(qrDatenLesen("w=x,h=2,data=10").fehler, "QRDATA w und h ergibt nich data");
    EXPECT_EQ(qrDatenLesen("w=0,h=0,data=").fehler, "QRDATA w und h ergibt nich data");
    EXPECT_EQ(qrDatenLesen("w=2,h=2").fehler, "QRDATA w und h ergibt nich data");
    EXPECT_EQ(qrDatenLesen("w=65536,h=65536,data=1").fehler, "QRDATA w und h ergibt nich data");
}
