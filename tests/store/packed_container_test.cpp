#include "store/crc32.h"
#include "store/lzhuf.h"
#include "store/packed_container.h"
#include "store/trace_log.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

#include "support/sanitizer_build.h"

using namespace zephan;

namespace {

constexpr qsizetype bigText = sanitizerBuild ? 512 * 1024 : 5 * 1024 * 1024;

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list) b.append(static_cast<char>(v));
    return b;
}

QByteArray randomBytes(qsizetype n, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (auto& c : b) c = static_cast<char>(gen.bounded(256));
    return b;
}

// Text shaped like a project file: sections with numbered keys and German decimals.
QByteArray projectText(qsizetype atLeast) {
    QByteArray t;
    for (int n = 0; t.size() < atLeast; ++n) {
        t += "[" + QByteArray::number(n) + "]\r\nTyp=" + QByteArray::number(n % 131) +
             "\r\nLevel=" + QByteArray::number(n % 4) +
             "\r\ni0=" + QByteArray::number(n * 37 % 1000) + ",5\r\np0=Kanal " +
             QByteArray::number(n * 7 % 300) + "x200\r\nbemerkung=Zuluft Strang " +
             QByteArray::number(n % 12) + "\r\n\r\n";
    }
    return t;
}

qint32 i32At(const QByteArray& b, int offset) {
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

// A version-0 container around the bit stream of a version-1 one: 28-byte header with an
// integer date, the name and the terminator.
QByteArray versionNull(const QByteArray& v1, quint32 crc, const QByteArray& name = {}) {
    const QByteArray stream = v1.mid(containerHeaderSize + 1);
    QByteArray h(containerHeaderSizeV0, '\0');
    std::memcpy(h.data(), "dazava", 6);
    h[6] = 0;
    qToLittleEndian<qint32>(
        static_cast<qint32>(containerHeaderSizeV0 + name.size() + 1 + stream.size()), h.data() + 8);
    qToLittleEndian<qint32>(i32At(v1, 12), h.data() + 12);
    qToLittleEndian<qint32>(1234567, h.data() + 16);
    qToLittleEndian<quint16>(static_cast<quint16>(name.size()), h.data() + 20);
    qToLittleEndian<quint32>(crc, h.data() + 24);
    return h + name + QByteArray(1, '\0') + stream;
}

QByteArray legacyBlock(const QByteArray& v1, qint64 count) {
    QByteArray b(9, '\0');
    b[0] = static_cast<char>(0xFE);
    qToLittleEndian<qint64>(count, b.data() + 1);
    return b + v1.mid(containerHeaderSize + 1);
}

struct Unpacked {
    bool ok = false;
    QByteArray data;
    QString reason;
    bool crc = false;
};

Unpacked unpack(const QByteArray& packed) {
    Unpacked u;
    u.ok = entpackenBytes(packed, u.data, &u.reason, &u.crc);
    return u;
}

} // namespace

TEST(Crc32, MatchesValuesDerivedFromTheZlibCrc) {
    // Start value 0, no final inversion: crc(x) = zlib(x) xor zlib(zeros of the same length).
    EXPECT_EQ(crc32Voll("123456789"), 0x2DFD2D88u);
    EXPECT_EQ(crc32Voll("A"), 0x01DB7106u);
    EXPECT_EQ(crc32Voll(""), 0u);
    EXPECT_EQ(crc32Voll(QByteArray(5, '\0')), 0u);
    // The quick form leaves out the last byte and stops after 100000 bytes.
    EXPECT_EQ(crc32Schnell("123456789"), 0xFFC205C6u);
    EXPECT_EQ(crc32Schnell("A"), 0u);
    const QByteArray big = randomBytes(150000, 7);
    EXPECT_EQ(crc32Schnell(big), crc32Voll(big.first(100000)));
    EXPECT_EQ(crc32Weiter(crc32Voll("1234"), "56789"), 0x2DFD2D88u);
}

TEST(Crc32, StreamFormsFromStartOrFromThePosition) {
    QByteArray data = "xx123456789";
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    buf.seek(2);
    EXPECT_EQ(streamCrc(buf, false, false), 0x2DFD2D88u);
    EXPECT_EQ(buf.pos(), 2);
    EXPECT_EQ(streamCrc(buf, true, false), 0xFFC205C6u);
    EXPECT_EQ(streamCrc(buf, false, true), crc32Voll("xx123456789"));
    // fromStart wins over quick.
    EXPECT_EQ(streamCrc(buf, true, true), crc32Voll("xx123456789"));
}

TEST(Lzhuf, SingleLiteralIsItsPathInTheStartingTree) {
    // 'A' sits at leaf 65; its path from the root in the untouched tree is 111001101.
    EXPECT_EQ(lzhuf::packen("A"), bytes({0xE6, 0x80}));
    // A space (leaf 32): 110101100.
    EXPECT_EQ(lzhuf::packen(""), bytes({0xD6, 0x00}));
    const auto d = lzhuf::entpacken(bytes({0xE6, 0x80}), 1);
    EXPECT_EQ(d.data, "A");
    EXPECT_FALSE(d.overrun);
    EXPECT_EQ(d.bytesUsed, 2);
}

TEST(Lzhuf, MatchCodeAndStaticPositionCode) {
    // Length code 257 (a match of 4, path 10001101), position 59 (upper bits 0 -> "000",
    // lower six bits 111011): copies four spaces out of the pre-filled ring.
    const QByteArray stream = bytes({0x8D, 0x1D, 0x80});
    EXPECT_EQ(lzhuf::packen("    "), stream);
    const auto d = lzhuf::entpacken(stream, 4);
    EXPECT_EQ(d.data, "    ");
    EXPECT_FALSE(d.overrun);
    // Asking for fewer bytes cuts the match.
    EXPECT_EQ(lzhuf::entpacken(stream, 2).data, "  ");
}

TEST(Lzhuf, ReadingPastTheEndStopsInsteadOfInventingData) {
    const auto d = lzhuf::entpacken(bytes({0xE6, 0x80}), 1000);
    EXPECT_EQ(d.data, "A");
    EXPECT_TRUE(d.overrun);
    const auto none = lzhuf::entpacken({}, 5);
    EXPECT_TRUE(none.data.isEmpty());
    EXPECT_TRUE(none.overrun);
}

TEST(Lzhuf, RoundTripsAcrossBufferAndTreeBoundaries) {
    // Lengths around the look-ahead (60) and the ring (4096); long random input makes the
    // tree halve its frequencies many times; runs make long matches overlap themselves.
    QList<QByteArray> inputs;
    for (int n : {1, 2, 3, 59, 60, 61, 4035, 4036, 4096, 4097, 8192 + 17})
        inputs << randomBytes(n, static_cast<quint32>(n)) << QByteArray(n, 'x')
               << QByteArray(n, ' ');
    inputs << randomBytes(300000, 99) << projectText(200000);
    QByteArray all;
    for (int i = 0; i < 256 * 40; ++i) all.append(static_cast<char>(i * 7 % 256));
    inputs << all;
    for (const QByteArray& in : inputs) {
        const QByteArray packed = lzhuf::packen(in);
        const auto d = lzhuf::entpacken(packed, in.size());
        ASSERT_EQ(d.data, in) << "length " << in.size();
        EXPECT_FALSE(d.overrun);
        EXPECT_EQ(d.bytesUsed, packed.size());
    }
}

TEST(PackedContainer, HeaderOfOneByte) {
    const QByteArray c = packenBytes("A");
    QByteArray expected = "dazava";
    expected += bytes({1, 0, 35, 0, 0, 0, 1, 0, 0, 0});
    expected += QByteArray(8, '\0'); // time stamp 0.0
    expected += bytes({0, 0, 0, 0}); // attributes, name length
    expected += bytes({0x06, 0x71, 0xDB, 0x01, 0});
    expected += bytes({0xE6, 0x80});
    EXPECT_EQ(c, expected);
    const Unpacked u = unpack(c);
    EXPECT_TRUE(u.ok);
    EXPECT_EQ(u.data, "A");
    EXPECT_TRUE(u.reason.isEmpty());
}

TEST(PackedContainer, EmptySourceGivesAnEmptyContainer) {
    const QByteArray c = packenBytes({});
    ASSERT_EQ(c.size(), 35);
    EXPECT_EQ(i32At(c, 8), 35);
    EXPECT_EQ(i32At(c, 12), 0);
    EXPECT_EQ(i32At(c, 28), 0);
    EXPECT_EQ(c.mid(33), bytes({0xD6, 0x00}));
    const Unpacked u = unpack(c);
    EXPECT_TRUE(u.ok);
    EXPECT_TRUE(u.data.isEmpty());
}

TEST(PackedContainer, RoundTripsAnyBytes) {
    const QList<QByteArray> inputs = {QByteArray(), QByteArray(1, '\0'), QByteArray("\xFF"),
                                      randomBytes(65536, 3), projectText(bigText)};
    for (const QByteArray& in : inputs) {
        const QByteArray c = packenBytes(in);
        EXPECT_EQ(i32At(c, 8), c.size());
        EXPECT_EQ(i32At(c, 12), in.size());
        EXPECT_EQ(qFromLittleEndian<quint32>(c.constData() + 28), crc32Voll(in));
        const Unpacked u = unpack(c);
        EXPECT_TRUE(u.ok) << qPrintable(u.reason);
        EXPECT_FALSE(u.crc);
        EXPECT_TRUE(u.data == in) << "length " << in.size();
    }
    // Project text packs well; random bytes grow only a little.
    const QByteArray text = projectText(100000);
    EXPECT_LT(packenBytes(text).size(), text.size() / 3);
    EXPECT_LT(packenBytes(randomBytes(65536, 3)).size(), 65536 + 65536 / 8 + 64);
}

TEST(PackedContainer, PackenHonoursAppendAndTargetPosition) {
    QByteArray srcData = "Luftkanalnetz";
    QBuffer source(&srcData);
    source.open(QIODevice::ReadOnly);
    source.seek(5); // packing always starts at the source's beginning
    QByteArray out = "old content that must go";
    QBuffer target(&out);
    target.open(QIODevice::ReadWrite);
    target.seek(4);
    ASSERT_TRUE(packen(source, target));
    EXPECT_EQ(out, packenBytes(srcData));
    EXPECT_EQ(target.pos(), out.size());

    ASSERT_TRUE(packen(source, target, true));
    EXPECT_EQ(out, packenBytes(srcData) + packenBytes(srcData));
    EXPECT_EQ(target.pos(), out.size());

    QBuffer readOnly(&out);
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(packen(source, readOnly));
}

TEST(PackedContainer, TwoEmbeddedContainersLeaveThePositionAtTheSecond) {
    const QByteArray first = projectText(3000);
    const QByteArray second = "zweiter Block";
    QByteArray both = "PRE" + packenBytes(first) + packenBytes(second) + "tail";
    QBuffer source(&both);
    source.open(QIODevice::ReadOnly);
    source.seek(3);
    QBuffer target;
    target.open(QIODevice::ReadWrite);
    ASSERT_TRUE(entpacken(source, target, true));
    EXPECT_EQ(target.buffer(), first);
    EXPECT_EQ(target.pos(), 0);
    EXPECT_EQ(source.pos(), 3 + packenBytes(first).size());
    ASSERT_TRUE(entpacken(source, target, true));
    EXPECT_EQ(target.buffer(), second);
    EXPECT_EQ(source.pos(), both.size() - 4);
    // Without embedded the source is read from its start, where "PRE" is no header.
    QString reason;
    EXPECT_FALSE(entpacken(source, target, false, &reason));
    EXPECT_EQ(reason, "error unpack.head: Binarydata.head.unbekannt");
    EXPECT_TRUE(target.buffer().isEmpty());
}

TEST(PackedContainer, VersionNullUnpacksCompletelyButFailsItsCheck) {
    const QByteArray data = projectText(5000);
    const QByteArray v1 = packenBytes(data);
    // Older writers stored the quick CRC, so the full check fails while the data are whole.
    const QByteArray v0 = versionNull(v1, crc32Schnell(data), "alt.pro");
    Unpacked u = unpack(v0);
    EXPECT_FALSE(u.ok);
    EXPECT_TRUE(u.crc);
    EXPECT_EQ(u.reason, "CRC-Fehler");
    EXPECT_TRUE(u.data == data);
    // With CRC 0 there is no check.
    u = unpack(versionNull(v1, 0));
    EXPECT_TRUE(u.ok);
    EXPECT_FALSE(u.crc);
    EXPECT_TRUE(u.data == data);

    QByteArray raw = versionNull(v1, 0, "alt.pro");
    QBuffer buf(&raw);
    buf.open(QIODevice::ReadOnly);
    tmyHeadintern head;
    ASSERT_TRUE(kopfLesen(buf, head));
    EXPECT_EQ(head.version, 0);
    EXPECT_EQ(head.file_timedate, 1234567.0);
    EXPECT_EQ(head.attr, 0);
    EXPECT_EQ(head.filename, "alt.pro");
    EXPECT_EQ(head.headerLength, 28 + 7 + 1);
    EXPECT_EQ(buf.pos(), head.headerLength);
}

TEST(PackedContainer, ShortVersionNullContainerIsRead) {
    // 28 + 1 + 2 bytes: shorter than a version-1 header, still complete.
    const QByteArray v0 = versionNull(packenBytes("A"), crc32Voll("A"));
    ASSERT_EQ(v0.size(), 31);
    const Unpacked u = unpack(v0);
    EXPECT_TRUE(u.ok) << qPrintable(u.reason);
    EXPECT_EQ(u.data, "A");
}

TEST(PackedContainer, LegacyBlockHasNoCheck) {
    const QByteArray data = projectText(4000);
    const QByteArray block = legacyBlock(packenBytes(data), data.size());
    Unpacked u = unpack(block);
    EXPECT_TRUE(u.ok) << qPrintable(u.reason);
    EXPECT_TRUE(u.data == data);
    // Only the low 32 bits of the count are used.
    u = unpack(legacyBlock(packenBytes(data), (qint64(7) << 32) + data.size()));
    EXPECT_TRUE(u.ok);
    EXPECT_TRUE(u.data == data);
    // Embedded, the position stands behind the last stream byte used.
    QByteArray two = block + packenBytes("B");
    QBuffer source(&two);
    source.open(QIODevice::ReadOnly);
    QBuffer target;
    target.open(QIODevice::ReadWrite);
    ASSERT_TRUE(entpacken(source, target, true));
    EXPECT_EQ(source.pos(), block.size());
    ASSERT_TRUE(entpacken(source, target, true));
    EXPECT_EQ(target.buffer(), "B");
}

TEST(PackedContainer, ReservedByteIsIgnored) {
    QByteArray c = packenBytes("Zuluft");
    for (int v : {1, 0x74, 0xFF}) {
        c[7] = static_cast<char>(v);
        const Unpacked u = unpack(c);
        EXPECT_TRUE(u.ok);
        EXPECT_EQ(u.data, "Zuluft");
    }
}

TEST(PackedContainer, FourBytesOrFewerYieldNothing) {
    for (const QByteArray& tiny :
         {QByteArray(), QByteArray("d"), QByteArray("daza"), bytes({0xFE, 1, 0, 0})}) {
        QByteArray out = "stale";
        QString reason;
        EXPECT_FALSE(entpackenBytes(tiny, out, &reason));
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(reason, QStringLiteral("Gepackte Daten zu kurz (%1 Bytes)").arg(tiny.size()));
    }
}

TEST(PackedContainer, HeaderFailuresCarryTheirMessages) {
    const QByteArray good = packenBytes("Abluft");
    struct Case {
        QByteArray data;
        const char* reason;
    };
    QByteArray badTerminator = good;
    badTerminator[32] = 'x';
    QByteArray withName = good.left(26) + bytes({3, 0}) + good.mid(28, 4) + "abc" + good.mid(32);
    QByteArray nameCut = good.left(26) + bytes({200, 0}) + good.mid(28);
    QByteArray version2 = good;
    version2[6] = 2;
    const QList<Case> cases = {
        {"dazava\1", "error unpack.head: Binarydata.head nicht möglich"},
        {"dazava" + bytes({0, 0}) + QByteArray(10, '\0'),
         "error unpack.head: Binarydata.head 2 nicht möglich"},
        {good.left(30), "error unpack.head: Binarydata.head nicht möglich"},
        {badTerminator, "error unpack.head: Binarydata.head.lesefehler"},
        {nameCut.left(60), "error unpack.head: Binarydata.head.lesefehler"},
        {"tioxxxxxx", "error unpack.head: Binarydata.head.unbekannt"},
        {"dazavX" + good.mid(6), "error unpack.head: Binarydata.head.unbekannt"},
        {version2, "error unpack.head: Binarydata.head: unbekannte Version 2"},
        {bytes({0xFE, 1, 2, 3, 4}), "error unpack.head: Binarydata.head nicht möglich"},
    };
    for (const Case& c : cases) {
        const Unpacked u = unpack(c.data);
        EXPECT_FALSE(u.ok);
        EXPECT_FALSE(u.crc);
        EXPECT_EQ(u.reason, QString::fromUtf8(c.reason)) << c.data.toHex().constData();
        EXPECT_TRUE(u.data.isEmpty());
    }
    // A name of three bytes is read and skipped.
    qToLittleEndian<qint32>(i32At(withName, 8) + 3, withName.data() + 8);
    const Unpacked named = unpack(withName);
    EXPECT_TRUE(named.ok) << qPrintable(named.reason);
    EXPECT_EQ(named.data, "Abluft");
}

TEST(PackedContainer, UnknownFirstByteGoesToTheTraceLog) {
    TraceLog::instance().clear();
    QByteArray out;
    EXPECT_FALSE(entpackenBytes("xyzzy", out));
    EXPECT_TRUE(TraceLog::instance().lines().contains("Binarydata.head.unbekannt"));
}

TEST(PackedContainer, DamagedSizesAreRefusedWithoutHugeAllocations) {
    const QByteArray data = projectText(20000);
    const QByteArray good = packenBytes(data);
    auto withI32 = [&](int offset, qint32 v) {
        QByteArray b = good;
        qToLittleEndian<qint32>(v, b.data() + offset);
        return b;
    };
    Unpacked u = unpack(withI32(12, -5));
    EXPECT_FALSE(u.ok);
    EXPECT_EQ(u.reason, "error unpack.head: ungültige Datengröße -5");

    u = unpack(withI32(8, -1));
    EXPECT_EQ(u.reason, "error unpack.head: ungültige Containerlänge -1");
    u = unpack(withI32(8, 20));
    EXPECT_EQ(u.reason, "error unpack.head: ungültige Containerlänge 20");

    // 2 GB announced by a stream of a few kilobytes: refused before decoding.
    const qint32 streamBytes = good.size() - 33;
    u = unpack(withI32(12, 2000000000));
    EXPECT_FALSE(u.ok);
    EXPECT_EQ(
        u.reason,
        QStringLiteral(
            "error unpack.head: Datengröße 2000000000 Bytes passt nicht zu %1 Bytes Datenstrom")
            .arg(streamBytes));
    EXPECT_TRUE(u.data.isEmpty());

    // Truncated file: what is there is delivered, the failure says why.
    u = unpack(good.left(good.size() - 100));
    EXPECT_FALSE(u.ok);
    EXPECT_EQ(u.reason, QStringLiteral("Gepackte Daten abgeschnitten: %1 von %2 Bytes vorhanden")
                            .arg(good.size() - 100)
                            .arg(good.size()));
    EXPECT_GT(u.data.size(), 0);
    EXPECT_TRUE(data.startsWith(u.data));

    // A consistent header that asks for more than the stream holds.
    u = unpack(withI32(12, data.size() + 500));
    EXPECT_FALSE(u.ok);
    EXPECT_FALSE(u.crc);
    EXPECT_TRUE(u.reason.startsWith("Datenstrom endet vor dem Ende der Daten"))
        << qPrintable(u.reason);
    EXPECT_TRUE(u.data.startsWith(data));

    // Fewer bytes than stored: the CRC no longer matches, data are delivered.
    u = unpack(withI32(12, data.size() - 1));
    EXPECT_FALSE(u.ok);
    EXPECT_TRUE(u.crc);
    EXPECT_TRUE(u.data == data.left(data.size() - 1));
}

TEST(PackedContainer, FlippedBitIsACrcFailureWithDataDelivered) {
    const QByteArray data = projectText(8000);
    QByteArray c = packenBytes(data);
    c[28] = static_cast<char>(c[28] ^ 0x01);
    const Unpacked u = unpack(c);
    EXPECT_FALSE(u.ok);
    EXPECT_TRUE(u.crc);
    EXPECT_EQ(u.reason, "CRC-Fehler");
    EXPECT_TRUE(u.data == data);
}

TEST(PackedContainer, RecognisesContainerStarts) {
    EXPECT_TRUE(istContainer(packenBytes("x")));
    EXPECT_TRUE(istContainer("dazava"));
    EXPECT_TRUE(istContainer(bytes({0xFE})));
    EXPECT_FALSE(istContainer("dazav"));
    EXPECT_FALSE(istContainer("daz"));
    EXPECT_FALSE(istContainer("tio"));
    EXPECT_FALSE(istContainer("[Info]"));
    EXPECT_FALSE(istContainer({}));
}
