// The coder's bit stream read by a second, independent reader written from the format alone.
// Its ring holds spaces only in the first N - F positions, as the format promises; the rest
// starts as 0xAA. A coder that refers to ring bytes no reader has written yet, miscounts a
// distance at the ring's wrap-around, or codes a symbol or position outside the classic tables
// gives a stream this reader decodes differently.

#include "store/lzhuf.h"
#include "store/packed_container.h"

#include <QRandomGenerator>
#include <array>
#include <gtest/gtest.h>

#include "support/sanitizer_build.h"
#include <vector>

using namespace zephan;

namespace {

constexpr qsizetype bigText = sanitizerBuild ? 1024 * 1024 : 5 * 1024 * 1024;

class ReferenceReader {
public:
    static constexpr int N = 4096, F = 60, THRESHOLD = 2;
    static constexpr int N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1;
    static constexpr unsigned MAX_FREQ = 0x8000;

    struct Result {
        QByteArray data;
        int matches = 0;
        int farthest = 0; // largest distance used
    };

    explicit ReferenceReader(const QByteArray& stream) : in_(stream) {
        // Upper six bits of a position: 1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7,
        // 16 of 8, handed out in order; a byte read ahead tells the code and its length.
        const int counts[] = {1, 3, 8, 12, 24, 16};
        int code = 0, upper = 0;
        for (int len = 3; len <= 8; ++len)
            for (int k = 0; k < counts[len - 3]; ++k, ++upper) {
                for (int b = code; b < code + (1 << (8 - len)); ++b) {
                    dcode_[b] = upper;
                    dlen_[b] = len;
                }
                code += 1 << (8 - len);
            }
        for (int i = 0; i < N_CHAR; ++i) {
            freq_[i] = 1;
            son_[i] = i + T;
            prnt_[i + T] = i;
        }
        for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            prnt_[i] = prnt_[i + 1] = j;
        }
        freq_[T] = 0xFFFF;
        prnt_[R] = 0;
    }

    Result decode(qsizetype count) {
        Result out;
        std::array<unsigned char, N> ring;
        ring.fill(0xAA);
        for (int i = 0; i < N - F; ++i) ring[i] = ' ';
        int r = N - F;
        while (out.data.size() < count) {
            int c = son_[R];
            while (c < T) c = son_[c + bit()];
            c -= T;
            update(c);
            if (c < 256) {
                out.data.append(static_cast<char>(c));
                ring[r++ & (N - 1)] = static_cast<unsigned char>(c);
                continue;
            }
            int i = byte();
            const int upper = dcode_[i];
            for (int j = dlen_[i] - 2; j > 0; --j) i = (i << 1) | bit();
            const int distance = ((upper << 6) | (i & 0x3F)) + 1;
            ++out.matches;
            out.farthest = std::max(out.farthest, distance);
            const int from = r - distance;
            for (int k = 0; k < c - 255 + THRESHOLD && out.data.size() < count; ++k) {
                const unsigned char b = ring[(from + k) & (N - 1)];
                out.data.append(static_cast<char>(b));
                ring[r++ & (N - 1)] = b;
            }
        }
        return out;
    }

private:
    int bit() {
        const qsizetype byteAt = pos_ >> 3;
        const int b = byteAt < in_.size()
                          ? (static_cast<unsigned char>(in_[byteAt]) >> (7 - (pos_ & 7))) & 1
                          : 0;
        ++pos_;
        return b;
    }
    int byte() {
        int v = 0;
        for (int k = 0; k < 8; ++k) v = (v << 1) | bit();
        return v;
    }

    void reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i)
            if (son_[i] >= T) {
                freq_[j] = (freq_[i] + 1) / 2;
                son_[j] = son_[i];
                ++j;
            }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = freq_[jj] = freq_[i] + freq_[i + 1];
            int k = jj - 1;
            while (f < freq_[k]) --k;
            ++k;
            for (int m = jj; m > k; --m) {
                freq_[m] = freq_[m - 1];
                son_[m] = son_[m - 1];
            }
            freq_[k] = f;
            son_[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son_[i];
            prnt_[k] = i;
            if (k < T) prnt_[k + 1] = i;
        }
    }

    void update(int c) {
        if (freq_[R] == MAX_FREQ) reconst();
        c = prnt_[c + T];
        do {
            const unsigned k = ++freq_[c];
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[++l]) {
                }
                --l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                prnt_[i] = l;
                if (i < T) prnt_[i + 1] = l;
                const int j = son_[l];
                son_[l] = i;
                prnt_[j] = c;
                if (j < T) prnt_[j + 1] = c;
                son_[c] = j;
                c = l;
            }
        } while ((c = prnt_[c]) != 0);
    }

    QByteArray in_;
    qsizetype pos_ = 0;
    std::array<int, 256> dcode_{}, dlen_{};
    std::array<unsigned, T + 1> freq_{};
    std::array<int, T + N_CHAR> prnt_{};
    std::array<int, T> son_{};
};

QByteArray randomBytes(qsizetype n, quint32 seed, int alphabet = 256) {
    QRandomGenerator gen(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (auto& c : b) c = static_cast<char>(gen.bounded(alphabet));
    return b;
}

QByteArray projectText(qsizetype atLeast) {
    QByteArray t;
    t.reserve(atLeast + 256);
    for (int n = 0; t.size() < atLeast; ++n) {
        t += "[" + QByteArray::number(n) + "]\r\nLevel=" + QByteArray::number(n % 6) +
             "\r\nTyp=" + QByteArray::number(n * 13 % 131) +
             "\r\nText=" + (n % 9 == 0 ? "Abschnitt " + QByteArray::number(n) : QByteArray()) +
             "\r\nI0=" + QByteArray::number(100 + n * 37 % 900) +
             "\r\nI1=" + QByteArray::number(n * 53 % 800) + "," + QByteArray::number(n % 10) +
             "\r\nI2=-1\r\nI3=-1\r\nP2=" + (n % 3 ? "Stahlblech" : "Kunststoff") + "\r\n\r\n";
    }
    return t;
}

struct Coded {
    QByteArray stream;
    ReferenceReader::Result read;
};

Coded code(const QByteArray& in) {
    Coded c;
    c.stream = lzhuf::packen(in);
    c.read = ReferenceReader(c.stream).decode(in.size());
    return c;
}

} // namespace

TEST(LzhufStream, TheReferenceReaderAgreesOnTheClassicExamples) {
    // The stream of a single "A" and of four spaces (a match into the ring's spaces, position
    // 59) are fixed bit for bit; the reader must read them like the coder's own reader.
    EXPECT_EQ(ReferenceReader(QByteArray("\xE6\x80", 2)).decode(1).data, "A");
    const auto spaces = ReferenceReader(QByteArray("\x8D\x1D\x80", 3)).decode(4);
    EXPECT_EQ(spaces.data, "    ");
    EXPECT_EQ(spaces.matches, 1);
    EXPECT_EQ(spaces.farthest, 60);
}

TEST(LzhufStream, EveryByteValueAndLongRuns) {
    QByteArray all;
    for (int round = 0; round < 12; ++round)
        for (int i = 0; i < 256; ++i) all.append(static_cast<char>((i * (2 * round + 1)) & 0xFF));
    QByteArray runs;
    for (int v = 0; v < 256; v += 17) runs += QByteArray(1000 + v, static_cast<char>(v));
    for (const QByteArray& in : {all, runs, QByteArray(100000, '\0'), QByteArray(100000, '\xFF')}) {
        const Coded c = code(in);
        ASSERT_EQ(c.read.data, in) << "length " << in.size();
        EXPECT_EQ(lzhuf::entpacken(c.stream, in.size()).data, in);
    }
    // A run of one byte is one literal and then overlapping 60-byte matches one byte back:
    // 1667 matches of about ten bits (a one-bit length code once it dominates, and the
    // nine-bit position 0), some 2100 bytes for 100 000 zeros.
    const Coded zeros = code(QByteArray(100000, '\0'));
    EXPECT_EQ(zeros.read.matches, 1667);
    EXPECT_EQ(zeros.read.farthest, 1);
    EXPECT_LT(zeros.stream.size(), 2200);
}

TEST(LzhufStream, MatchesReachIntoTheReadersStartingSpacesOnlyAsFarAsTheyGo) {
    // 4036 spaces: the reader's ring starts with exactly these, so all of it is matches.
    const Coded spaces = code(QByteArray(4036, ' '));
    EXPECT_EQ(spaces.read.data, QByteArray(4036, ' '));
    EXPECT_EQ(spaces.read.matches, 68); // 67 full 60-byte matches and one of 16
    EXPECT_LE(spaces.read.farthest, 4036);
    // Text that starts with blanks and continues with data.
    const QByteArray in = QByteArray(70, ' ') + "Zuluft" + QByteArray(3000, ' ') + "Abluft";
    const Coded c = code(in);
    EXPECT_EQ(c.read.data, in);
}

TEST(LzhufStream, RepeatsAtTheEdgeOfTheWindowAndAcrossTheRingsWrap) {
    // A random block repeated: the repeats are matches at the block's distance as long as a
    // reader's ring still holds it (4036 bytes back at most).
    for (const int block : {1000, 4000, 4035, 4036}) {
        const QByteArray unit = randomBytes(block, static_cast<quint32>(block));
        const QByteArray in = unit.repeated(8);
        const Coded c = code(in);
        ASSERT_EQ(c.read.data, in) << "block " << block;
        EXPECT_EQ(c.read.farthest, block) << "block " << block;
        // One random block (about its own size) plus seven repeats of few bytes each.
        EXPECT_LT(c.stream.size(), block * 9 / 8 + 7 * block / 60 * 4 + 64) << "block " << block;
    }
    // Beyond the window the repeats cannot be used: the stream is as long as random data, and
    // still read back exactly.
    for (const int block : {4037, 4096, 4097}) {
        const QByteArray unit = randomBytes(block, static_cast<quint32>(block));
        const QByteArray in = unit.repeated(5);
        const Coded c = code(in);
        ASSERT_EQ(c.read.data, in) << "block " << block;
        EXPECT_LE(c.read.farthest, 4036) << "block " << block;
        EXPECT_GT(c.stream.size(), in.size() * 95 / 100) << "block " << block;
    }
}

TEST(LzhufStream, FewSymbolsMakeLongChainsThatStillDecode) {
    // Two or four letters: every 3-byte start occurs thousands of times in the window.
    for (const int alphabet : {2, 4}) {
        const QByteArray in = randomBytes(300000, 5, alphabet);
        const Coded c = code(in);
        ASSERT_EQ(c.read.data, in) << "alphabet " << alphabet;
        // Far below a byte per input byte: bits per letter are 1 and 2 before matching.
        EXPECT_LT(c.stream.size(), in.size() * alphabet / 8) << "alphabet " << alphabet;
    }
}

TEST(LzhufStream, ProjectTextOfSeveralMegabytes) {
    const QByteArray in = projectText(bigText);
    const Coded c = code(in);
    ASSERT_EQ(c.read.data.size(), in.size());
    EXPECT_TRUE(c.read.data == in);
    EXPECT_LE(c.read.farthest, 4036);
    // Generated project text packs to well under a fifth.
    EXPECT_LT(c.stream.size(), in.size() / 5);
    // The container around it: size, check sum and content.
    QByteArray out;
    QString reason;
    bool mismatch = true;
    ASSERT_TRUE(entpackenBytes(packenBytes(in), out, &reason, &mismatch)) << qPrintable(reason);
    EXPECT_FALSE(mismatch);
    EXPECT_TRUE(out == in);
}

TEST(LzhufStream, CutStreamsGiveAPrefixAndSayTheyRanOut) {
    // Project text with literals, short and long matches: cut the stream anywhere, and the
    // reader delivers a true prefix of the text, never a byte that was not coded, and says
    // that it ran out.
    const QByteArray in = projectText(20000);
    const QByteArray stream = lzhuf::packen(in);
    for (qsizetype cut = 0; cut < stream.size(); cut += 1 + cut / 16) {
        const auto d = lzhuf::entpacken(stream.left(cut), in.size());
        ASSERT_TRUE(d.overrun) << "cut at " << cut;
        ASSERT_LT(d.data.size(), in.size()) << "cut at " << cut;
        ASSERT_TRUE(d.data == in.left(d.data.size())) << "cut at " << cut;
        EXPECT_LE(d.bytesUsed, cut);
    }
    // Asking for less than was coded stops exactly there, inside a match as well.
    for (const qsizetype n : {1, 59, 60, 61, 4095, 4096, 4097, 12345}) {
        const auto d = lzhuf::entpacken(stream, n);
        EXPECT_FALSE(d.overrun) << n;
        EXPECT_TRUE(d.data == in.left(n)) << n;
    }
    // Asking for more than was coded runs out after the whole text.
    const auto mehr = lzhuf::entpacken(stream, in.size() + 100);
    EXPECT_TRUE(mehr.overrun);
    EXPECT_TRUE(mehr.data.startsWith(in));
}
