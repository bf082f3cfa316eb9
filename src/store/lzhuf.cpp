#include "store/lzhuf.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace zephan::lzhuf {

namespace {

// Static code of the upper six bits of a match position: 1 code of 3 bits, 3 of 4, 8 of 5,
// 12 of 6, 24 of 7 and 16 of 8 bits, assigned in canonical order.
struct PositionCodes {
    std::array<quint8, 64> len{};
    std::array<quint8, 64> code{}; // left-aligned in 8 bits
    std::array<quint8, 256> dcode{};
    std::array<quint8, 256> dlen{};
};

constexpr PositionCodes makePositionCodes() {
    PositionCodes t;
    constexpr int counts[6] = {1, 3, 8, 12, 24, 16};
    int i = 0;
    unsigned c = 0; // next code, left-aligned in 8 bits
    for (int l = 3; l <= 8; ++l) {
        for (int k = 0; k < counts[l - 3]; ++k, ++i) {
            t.len[i] = static_cast<quint8>(l);
            t.code[i] = static_cast<quint8>(c);
            const unsigned span = 1u << (8 - l);
            for (unsigned b = c; b < c + span; ++b) {
                t.dcode[b] = static_cast<quint8>(i);
                t.dlen[b] = static_cast<quint8>(l);
            }
            c += span;
        }
    }
    return t;
}

constexpr PositionCodes positionCodes = makePositionCodes();
static_assert(positionCodes.code[1] == 0x20 && positionCodes.code[12] == 0x90 &&
              positionCodes.code[24] == 0xC0 && positionCodes.code[63] == 0xFF);

// The adaptive Huffman tree: nodes kept in order of frequency (sibling property), leaves
// are the entries with son >= T.
struct Huffman {
    std::array<unsigned, T + 1> freq{};
    std::array<int, T + N_CHAR> prnt{};
    std::array<int, T> son{};

    Huffman() {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF; // sentinel for the search in update()
        prnt[R] = 0;
    }

    // Halves the leaf frequencies (rounded up) and rebuilds the tree.
    void reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = freq[i] + freq[i + 1];
            freq[jj] = f;
            int k = jj - 1;
            while (f < freq[k]) --k;
            ++k;
            std::copy_backward(freq.begin() + k, freq.begin() + jj, freq.begin() + jj + 1);
            freq[k] = f;
            std::copy_backward(son.begin() + k, son.begin() + jj, son.begin() + jj + 1);
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }

    void update(int c) {
        if (freq[R] == MAX_FREQ) reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }
};

class BitWriter {
public:
    explicit BitWriter(QByteArray& out) : out_(out) {}
    // Appends the lowest `count` bits of v (count <= 32), most significant first.
    void put(quint32 v, int count) {
        acc_ = (acc_ << count) | (v & ((quint64(1) << count) - 1));
        n_ += count;
        while (n_ >= 8) {
            n_ -= 8;
            out_.append(static_cast<char>(acc_ >> n_));
        }
    }
    void flush() {
        if (n_ > 0) out_.append(static_cast<char>(acc_ << (8 - n_)));
        n_ = 0;
        acc_ = 0;
    }

private:
    QByteArray& out_;
    quint64 acc_ = 0;
    int n_ = 0;
};

// Greedy LZ77 parse with hash chains over the 3-byte prefixes. The whole input sits behind a
// copy of the reader's initial ring (spaces), so a match may reach back into those spaces
// exactly as a reader's ring holds them. Only matches a reader's ring still holds are used:
// at most N - F bytes back (the classic coder's window). The chains are walked from the
// nearest position on, so of equally long matches the nearest wins and its position code is
// the shortest.
class Encoder {
public:
    explicit Encoder(QByteArray& out) : bits_(out) {}

    void run(QByteArrayView data) {
        const auto n = static_cast<quint32>(data.size());
        buf_.assign(std::size_t(pad) + n + slack, ' ');
        if (n > 0) std::memcpy(buf_.data() + pad, data.data(), n);
        head_.assign(std::size_t(1) << hashBits, 0);
        prev_.assign(N, 0);
        // The classic coder starts with the F strings just before the first byte in its tree,
        // the farthest inserted last and so preferred among full-length equals.
        for (quint32 p = pad - 1; p >= pad - F; --p) insert(p);
        const quint32 end = pad + n;
        quint32 cur = pad;
        do {
            const int len = static_cast<int>(qMin<quint32>(F, end - cur));
            quint32 distance = 0;
            const int length = len > THRESHOLD ? longestMatch(cur, len, &distance) : 0;
            int coded;
            if (length <= THRESHOLD) {
                encodeChar(buf_[cur]);
                coded = 1;
            } else {
                encodeChar(255 - THRESHOLD + length);
                encodePosition(static_cast<int>(distance) - 1);
                coded = length;
            }
            for (int k = 0; k < coded && cur < end; ++k) insert(cur++);
        } while (cur < end);
        bits_.flush();
    }

private:
    static constexpr quint32 pad = N - F;       // ring positions before the first byte
    static constexpr quint32 window = N - F;    // farthest distance a match may reach
    static constexpr std::size_t slack = F + 8; // past the end: wide reads stay inside
    static constexpr int hashBits = 14;
    // Chain steps per search. Project texts find their longest match within a few steps; the
    // bound keeps texts with many equal 3-byte starts from costing a walk over the window.
    static constexpr int maxChain = 128;

    static quint32 hash3(const uchar* p) {
        const quint32 v = (quint32(p[0]) << 16) | (quint32(p[1]) << 8) | p[2];
        return (v * 2654435761u) >> (32 - hashBits);
    }

    // Chain entries hold position + 1; 0 ends a chain.
    void insert(quint32 p) {
        const quint32 h = hash3(buf_.data() + p);
        prev_[p & (N - 1)] = head_[h];
        head_[h] = p + 1;
    }

    // Length (up to `limit`) of the common start of a and b; reads 8 bytes at a time.
    static int commonLength(const uchar* a, const uchar* b, int limit) {
        for (int i = 0; i < limit; i += 8) {
            quint64 x, y;
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (const quint64 diff = qFromLittleEndian(x ^ y))
                return qMin(limit, i + static_cast<int>(qCountTrailingZeroBits(diff) / 8));
        }
        return limit;
    }

    // The longest match (3 ... len bytes) for the string at cur; 0 when there is none.
    int longestMatch(quint32 cur, int len, quint32* distance) const {
        const uchar* text = buf_.data();
        const uchar* key = text + cur;
        int best = THRESHOLD;
        quint32 entry = head_[hash3(key)];
        for (int steps = maxChain; entry != 0 && steps > 0; --steps) {
            const quint32 cand = entry - 1;
            const quint32 d = cur - cand;
            if (d > window) break;
            entry = prev_[cand & (N - 1)];
            // The byte that would make the match longer decides most candidates at once.
            if (text[cand + best] != key[best]) continue;
            const int l = commonLength(text + cand, key, len);
            if (l > best) {
                best = l;
                *distance = d;
                if (l >= len) break;
            }
        }
        return best > THRESHOLD ? best : 0;
    }

    // Sends the path from the root to the symbol's leaf (0 = smaller child), then adapts.
    void encodeChar(int c) {
        int depth = 0;
        for (int k = tree_.prnt[c + T]; k != R; k = tree_.prnt[k]) path_[depth++] = k & 1;
        while (depth > 0) {
            quint32 chunk = 0;
            int n = 0;
            while (depth > 0 && n < 24) {
                chunk = (chunk << 1) | path_[--depth];
                ++n;
            }
            bits_.put(chunk, n);
        }
        tree_.update(c);
    }

    void encodePosition(int c) {
        const int i = c >> 6;
        bits_.put(positionCodes.code[i] >> (8 - positionCodes.len[i]), positionCodes.len[i]);
        bits_.put(static_cast<quint32>(c & 0x3F), 6);
    }

    BitWriter bits_;
    Huffman tree_;
    std::vector<uchar> buf_;
    std::vector<quint32> head_;
    std::vector<quint32> prev_;
    std::array<quint8, T> path_{};
};

class BitReader {
public:
    explicit BitReader(QByteArrayView stream)
        : data_(reinterpret_cast<const uchar*>(stream.data())), size_(stream.size()) {}
    int bit() {
        if (have_ == 0) refill();
        const int b = static_cast<int>(buf_ >> 63);
        buf_ <<= 1;
        --have_;
        ++used_;
        return b;
    }
    // The next `count` bits (count <= 32) as a number, most significant first.
    int bits(int count) {
        if (have_ < count) refill();
        const int v = static_cast<int>(buf_ >> (64 - count));
        buf_ <<= count;
        have_ -= count;
        used_ += count;
        return v;
    }
    bool overrun() const { return used_ > size_ * 8; }
    qint64 bytesUsed() const { return (qMin(used_, size_ * 8) + 7) / 8; }

private:
    // Tops the buffer up to at least 57 bits; past the end of the stream come zero bytes.
    void refill() {
        while (have_ <= 56) {
            const quint64 b = next_ < size_ ? data_[next_] : 0;
            buf_ |= b << (56 - have_);
            ++next_;
            have_ += 8;
        }
    }

    const uchar* data_;
    qint64 size_;
    qint64 next_ = 0; // next byte to load
    quint64 buf_ = 0; // bits not yet used, left-aligned
    int have_ = 0;
    qint64 used_ = 0; // bits used
};

} // namespace

QByteArray packen(QByteArrayView data) {
    // Positions are 32-bit; a container cannot hold more anyway.
    if (data.size() > std::numeric_limits<qint32>::max()) return {};
    QByteArray out;
    out.reserve(data.size() / 2 + 16);
    auto encoder = std::make_unique<Encoder>(out);
    encoder->run(data);
    return out;
}

DecodeResult entpacken(QByteArrayView stream, qint64 count) {
    DecodeResult result;
    if (count <= 0) return result;
    // Never trust the stated size beyond what the stream could produce.
    const qint64 limit = stream.size() * maxBytesPerStreamByte + F;
    const qint64 want = qMin(count, limit);
    result.data = QByteArray(static_cast<qsizetype>(want), Qt::Uninitialized);
    auto* out = reinterpret_cast<uchar*>(result.data.data());
    auto tree = std::make_unique<Huffman>();
    BitReader in(stream);
    // The output is the ring: a byte d positions back is out[done - d]; before the first
    // byte the ring holds spaces.
    qint64 done = 0;
    while (done < want) {
        int c = tree->son[R];
        while (c < T) c = tree->son[c + in.bit()];
        c -= T;
        tree->update(c);
        if (c < 256) {
            if (in.overrun()) break;
            out[done++] = static_cast<uchar>(c);
            continue;
        }
        int i = in.bits(8);
        const int upper = positionCodes.dcode[i];
        const int extra = positionCodes.dlen[i] - 2;
        i = (i << extra) | in.bits(extra);
        const qint64 distance = ((upper << 6) | (i & 0x3F)) + 1;
        if (in.overrun()) break;
        const qint64 length = qMin<qint64>(c - 255 + THRESHOLD, want - done);
        if (done >= distance) {
            // Byte by byte: a match may overlap the bytes it produces.
            const uchar* from = out + done - distance;
            for (qint64 k = 0; k < length; ++k) out[done + k] = from[k];
        } else {
            for (qint64 k = 0; k < length; ++k) {
                const qint64 at = done + k - distance;
                out[done + k] = at >= 0 ? out[at] : ' ';
            }
        }
        done += length;
    }
    result.data.truncate(static_cast<qsizetype>(done));
    // Short of `count` only when the stream ran out (or could never hold that much).
    result.overrun = in.overrun() || done < count;
    result.bytesUsed = in.bytesUsed();
    return result;
}

} // namespace zephan::lzhuf
