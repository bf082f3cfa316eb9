#include "store/binary_data.h"
#include "store/packed_container.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QByteArray legacyHead(qint64 count, int extra = 0) {
    QByteArray b(9, '\0');
    b[0] = static_cast<char>(0xFE);
    qToLittleEndian<qint64>(count, b.data() + 1);
    return b + QByteArray(extra, 'x');
}

QByteArray readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

TEST(BinaryData, NewBlockIsEmptyAndUncompressed) {
    TBinaryData b;
    EXPECT_FALSE(b.Compressed());
    EXPECT_EQ(b.DataSize(), 0);
    EXPECT_EQ(b.DataSizeUnKomprimiert(), 0);
    EXPECT_EQ(b.ratio(), "100%");
    EXPECT_TRUE(b.Lines().isEmpty());
    EXPECT_EQ(b.Text(), "");
    EXPECT_EQ(b.GetStream().readAll(), "");
    EXPECT_EQ(b.TheData(), QByteArray(4, '\0'));
}

TEST(BinaryData, RawBlockGivesItsLines) {
    TBinaryData b(QByteArray("[Info]\r\nVersion=4\nName=Halle 2\r\n"), false, "INI");
    EXPECT_EQ(b.DataSize(), 32);
    EXPECT_EQ(b.DataSizeUnKomprimiert(), 32);
    EXPECT_EQ(b.Extension(), "INI");
    EXPECT_EQ(b.Lines(), QStringList({"[Info]", "Version=4", "Name=Halle 2"}));
    EXPECT_EQ(b.textfull(), "[Info]\r\nVersion=4\r\nName=Halle 2\r\n");
    // A last line without a break counts, an empty line in between stays.
    TBinaryData c(QByteArray("a\r\n\r\nb"));
    EXPECT_EQ(c.Lines(), QStringList({"a", "", "b"}));
    QIODevice& s = b.GetStream();
    EXPECT_EQ(s.pos(), 0);
    EXPECT_EQ(s.readAll(), "[Info]\r\nVersion=4\nName=Halle 2\r\n");
}

TEST(BinaryData, LinesReadUtf8OrCodePage1252) {
    TBinaryData utf8(QByteArray("Gr\xC3\xB6\xC3\x9F"
                                "e=3\r\n"));
    EXPECT_EQ(utf8.Lines(), QStringList({QString::fromUtf8("Größe=3")}));
    TBinaryData ansi(QByteArray("Gr\xF6\xDF"
                                "e=3\r\n\x80"));
    EXPECT_EQ(ansi.Lines(), QStringList({QString::fromUtf8("Größe=3"), QString::fromUtf8("€")}));
    TBinaryData bom(QByteArray("\xEF\xBB\xBFx=1"));
    EXPECT_EQ(bom.Lines(), QStringList({"x=1"}));
}

TEST(BinaryData, SettingLinesStoresCodePage1252AndPacksWhenCompressed) {
    TBinaryData b(QByteArray("alt"), false, "INI");
    b.setLines({QString::fromUtf8("Maße"), "2"});
    EXPECT_EQ(b.Extension(), "txt");
    EXPECT_EQ(b.gespeichert(), QByteArray("Ma\xDF"
                                          "e\r\n2\r\n"));
    EXPECT_EQ(b.Lines(), QStringList({QString::fromUtf8("Maße"), "2"}));
    // Text the code page cannot hold is kept as UTF-8 rather than lost.
    b.setLines({QString::fromUtf8("ω=1")});
    EXPECT_EQ(b.gespeichert(), QByteArray("\xCF\x89=1\r\n"));

    TBinaryData p(QByteArray(), false);
    ASSERT_TRUE(p.setCompressed(true));
    p.setLines({"Zeile 1", "Zeile 2"});
    EXPECT_TRUE(istContainer(p.gespeichert()));
    EXPECT_EQ(p.gespeichert(), packenBytes("Zeile 1\r\nZeile 2\r\n"));
    EXPECT_EQ(p.DataSizeUnKomprimiert(), 18);
    EXPECT_EQ(p.GetStream().readAll(), "Zeile 1\r\nZeile 2\r\n");
}

TEST(BinaryData, CompressingPacksAndUnpacksInPlace) {
    QByteArray content;
    for (int i = 0; i < 200; ++i) content += "Kanal=500x300\r\n";
    TBinaryData b(content);
    ASSERT_TRUE(b.setCompressed(true));
    EXPECT_TRUE(b.Compressed());
    EXPECT_EQ(b.gespeichert(), packenBytes(content));
    EXPECT_EQ(b.DataSizeUnKomprimiert(), 3000);
    EXPECT_LT(b.DataSize(), 300);
    EXPECT_EQ(b.GetStream().readAll(), content);
    EXPECT_EQ(b.inhalt(), content);
    ASSERT_TRUE(b.setCompressed(false));
    EXPECT_EQ(b.gespeichert(), content);
    EXPECT_EQ(b.ratio(), "100%");
}

TEST(BinaryData, DamagedContainerIsNotUnpackedOverTheData) {
    const QByteArray garbage = "dazava\x01\x00"
                               "broken";
    TBinaryData b(garbage, true);
    EXPECT_FALSE(b.setCompressed(false));
    EXPECT_TRUE(b.Compressed());
    EXPECT_EQ(b.gespeichert(), garbage);
    EXPECT_EQ(b.GetStream().readAll(), "");
    EXPECT_EQ(b.fehlertext(), "error unpack.head: Binarydata.head nicht möglich");
    EXPECT_EQ(b.DataSizeUnKomprimiert(), -1);
    EXPECT_EQ(b.ratio(), "100%");
}

TEST(BinaryData, CrcMismatchStillDeliversTheContent) {
    QByteArray c = packenBytes("Abluft Strang 2");
    c[28] = static_cast<char>(c[28] ^ 0x40);
    TBinaryData b(c, true);
    EXPECT_EQ(b.GetStream().readAll(), "Abluft Strang 2");
    EXPECT_TRUE(b.crcFehler());
    EXPECT_TRUE(b.setCompressed(false));
    EXPECT_EQ(b.gespeichert(), "Abluft Strang 2");
}

TEST(BinaryData, RatioOfStoredToUnpackedSize) {
    // The unpacked size of a legacy block is its 64-bit count.
    TBinaryData quarter(legacyHead(36), true);
    EXPECT_EQ(quarter.DataSizeUnKomprimiert(), 36);
    EXPECT_EQ(quarter.ratio(), "25%");
    // 37.5 and 12.5 round to the even neighbour.
    EXPECT_EQ(TBinaryData(legacyHead(24), true).ratio(), "38%");
    EXPECT_EQ(TBinaryData(legacyHead(72), true).ratio(), "12%");
    EXPECT_EQ(TBinaryData(legacyHead(10, 11), true).ratio(), "200%");
    // Eight bytes or fewer, unknown or zero size, or not compressed: 100%.
    EXPECT_EQ(TBinaryData(legacyHead(36).left(8), true).ratio(), "100%");
    EXPECT_EQ(TBinaryData(legacyHead(0), true).ratio(), "100%");
    EXPECT_EQ(TBinaryData(legacyHead(36), false).ratio(), "100%");
    // A container's header gives its size; a "t" start is no container.
    QByteArray c = packenBytes(QByteArray(1000, 'x'));
    TBinaryData packed(c, true);
    EXPECT_EQ(packed.DataSizeUnKomprimiert(), 1000);
    EXPECT_EQ(packed.ratio(), QString::number(qRound(c.size() * 100.0 / 1000)) + "%");
    EXPECT_EQ(TBinaryData(QByteArray("tio123456789"), true).DataSizeUnKomprimiert(), -1);
}

TEST(BinaryData, TextIsShortOrEmpty) {
    QByteArray line = "0123456789012345678\r\n"; // 19 characters + break
    QByteArray content;
    for (int i = 0; i < 200; ++i) content += line; // 4200 bytes
    TBinaryData b(content);
    const QString text = b.Text();
    EXPECT_EQ(text.size(), 2000);
    EXPECT_TRUE(text.startsWith("0123456789012345678\r\n0123"));
    content.resize(9999);
    EXPECT_EQ(TBinaryData(content).Text().size(), 2000);
    content.append('x');
    EXPECT_EQ(TBinaryData(content).Text(), "");
}

TEST(BinaryData, ResourceFormRoundTripAndRefusals) {
    TBinaryData b(QByteArray("abc"), false);
    EXPECT_EQ(b.TheData(), QByteArray("\x03\x00\x00\x00"
                                      "abc",
                                      7));
    TBinaryData c;
    ASSERT_TRUE(c.setTheData(b.TheData() + "trailing"));
    EXPECT_EQ(c.gespeichert(), "abc");
    EXPECT_FALSE(c.setTheData(QByteArray("\x09\x00\x00\x00"
                                         "abc",
                                         7)));
    EXPECT_FALSE(c.setTheData(QByteArray("\xFF\xFF\xFF\xFF"
                                         "abc",
                                         7)));
    EXPECT_FALSE(c.setTheData("ab"));
    EXPECT_EQ(c.gespeichert(), "abc");
    ASSERT_TRUE(c.setTheData(QByteArray(4, '\0')));
    EXPECT_EQ(c.DataSize(), 0);
    // Loading sets the bytes only: a packed block stays packed.
    TBinaryData p(QByteArray(), true);
    ASSERT_TRUE(p.setTheData(TBinaryData(packenBytes("xyz"), false).TheData()));
    EXPECT_EQ(p.GetStream().readAll(), "xyz");
}

TEST(BinaryData, ClearEmptiesBlockAndExtension) {
    TBinaryData b(packenBytes("data"), true, "PRO");
    b.clear();
    EXPECT_EQ(b.DataSize(), 0);
    EXPECT_EQ(b.Extension(), "");
    EXPECT_EQ(b.DataSizeUnKomprimiert(), 0);
    EXPECT_TRUE(b.Compressed());
}

TEST(BinaryData, FilesInAndOut) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString src = dir.filePath("Bauteil.ini");
    ASSERT_TRUE(writeFile(src, "[1]\r\nName=Kanal\r\n"));

    TBinaryData b(QByteArray(), true);
    ASSERT_TRUE(b.loadfromfile(src));
    EXPECT_EQ(b.Extension(), "ini");
    EXPECT_EQ(b.gespeichert(), packenBytes("[1]\r\nName=Kanal\r\n"));
    EXPECT_EQ(b.DataSizeUnKomprimiert(), 17);

    // A missing file: the extension is taken all the same, the content stays.
    EXPECT_FALSE(b.loadfromfile(dir.filePath("fehlt.pro")));
    EXPECT_EQ(b.Extension(), "pro");
    EXPECT_EQ(b.inhalt(), "[1]\r\nName=Kanal\r\n");

    const QString out = dir.filePath("out.ini");
    ASSERT_TRUE(b.SaveToFile(out));
    EXPECT_EQ(readFile(out), "[1]\r\nName=Kanal\r\n");
    // Same size already there: left alone. Different size: written.
    ASSERT_TRUE(writeFile(out, "XXXXXXXXXXXXXXXXX"));
    EXPECT_TRUE(b.SaveToFileIfNotExists(out));
    EXPECT_EQ(readFile(out), "XXXXXXXXXXXXXXXXX");
    ASSERT_TRUE(writeFile(out, "short"));
    EXPECT_TRUE(b.SaveToFileIfNotExists(out));
    EXPECT_EQ(readFile(out), "[1]\r\nName=Kanal\r\n");

    // A folder of that name or a missing folder: failure, nothing thrown, nothing replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ordner"));
    EXPECT_FALSE(b.SaveToFile(dir.filePath("ordner")));
    EXPECT_FALSE(b.SaveToFile(dir.filePath("nicht/da/x.ini")));

    QBuffer target;
    target.setData("much longer previous content of the stream");
    target.open(QIODevice::ReadWrite);
    target.seek(10);
    ASSERT_TRUE(b.savetostream(target));
    EXPECT_EQ(target.data(), "[1]\r\nName=Kanal\r\n");
}

TEST(BinaryData, CarriedResourceMatchesItsSourceText) {
    const QByteArray onDisk = readFile(QStringLiteral(ZEPHAN_SOURCE_DATA "/titeldata.ini"));
    ASSERT_GT(onDisk.size(), 1000);
    TBinaryData packed(QStringLiteral("titeldata.ini"), QStringLiteral("INI"), true);
    EXPECT_TRUE(packed.Compressed());
    EXPECT_TRUE(istContainer(packed.gespeichert()));
    EXPECT_EQ(packed.DataSizeUnKomprimiert(), onDisk.size());
    EXPECT_EQ(packed.inhalt(), onDisk);
    EXPECT_LT(packed.DataSize(), onDisk.size() / 2);
    TBinaryData raw(QStringLiteral("titeldata.ini"), QStringLiteral("INI"));
    EXPECT_EQ(raw.gespeichert(), onDisk);
    TBinaryData missing(QStringLiteral("gibt-es-nicht.ini"));
    EXPECT_EQ(missing.DataSize(), 0);
    EXPECT_EQ(missing.fehlertext(), "Datenblock gibt-es-nicht.ini fehlt");
}
