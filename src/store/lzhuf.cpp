#include "store/lzhuf.h"

#include <algorithm>
#include <array>
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

class Encoder {
public:
    explicit Encoder(QByteArray& out) : bits_(out) {
        textBuf_.assign(N + F - 1, ' ');
        lson_.assign(N + 1, NIL);
        rson_.assign(N + 257, NIL);
        dad_.assign(N + 1, NIL);
    }

    void run(QByteArrayView data) {
        const auto* in = reinterpret_cast<const uchar*>(data.data());
        const qsizetype inSize = data.size();
        qsizetype inPos = 0;
        int s = 0;
        int r = N - F;
        int len = 0;
        for (; len < F && inPos < inSize; ++len) textBuf_[r + len] = in[inPos++];
        for (int i = 1; i <= F; ++i) insertNode(r - i);
        insertNode(r);
        do {
            if (matchLength_ > len) matchLength_ = len;
            if (matchLength_ <= THRESHOLD) {
                matchLength_ = 1;
                encodeChar(textBuf_[r]);
            } else {
                encodeChar(255 - THRESHOLD + matchLength_);
                encodePosition(matchPosition_);
            }
            const int lastMatchLength = matchLength_;
            int i = 0;
            for (; i < lastMatchLength && inPos < inSize; ++i) {
                deleteNode(s);
                const uchar c = in[inPos++];
                textBuf_[s] = c;
                if (s < F - 1) textBuf_[s + N] = c;
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                insertNode(r);
            }
            while (i++ < lastMatchLength) {
                deleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len) insertNode(r);
            }
        } while (len > 0);
        bits_.flush();
    }

private:
    static constexpr int NIL = N;

    void insertNode(int r) {
        int cmp = 1;
        const uchar* key = &textBuf_[r];
        int p = N + 1 + key[0];
        rson_[r] = lson_[r] = NIL;
        matchLength_ = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson_[p] != NIL) {
                    p = rson_[p];
                } else {
                    rson_[p] = r;
                    dad_[r] = p;
                    return;
                }
            } else {
                if (lson_[p] != NIL) {
                    p = lson_[p];
                } else {
                    lson_[p] = r;
                    dad_[r] = p;
                    return;
                }
            }
            int i = 1;
            const uchar* other = &textBuf_[p];
            for (; i < F; ++i)
                if ((cmp = key[i] - other[i]) != 0) break;
            if (i > THRESHOLD) {
                const int c = ((r - p) & (N - 1)) - 1;
                if (i > matchLength_) {
                    matchPosition_ = c;
                    if ((matchLength_ = i) >= F) break;
                } else if (i == matchLength_ && c < matchPosition_) {
                    matchPosition_ = c;
                }
            }
        }
        // Full-length match: r replaces p in the tree.
        dad_[r] = dad_[p];
        lson_[r] = lson_[p];
        rson_[r] = rson_[p];
        dad_[lson_[p]] = r;
        dad_[rson_[p]] = r;
        if (rson_[dad_[p]] == p)
            rson_[dad_[p]] = r;
        else
            lson_[dad_[p]] = r;
        dad_[p] = NIL;
    }

    void deleteNode(int p) {
        if (dad_[p] == NIL) return;
        int q;
        if (rson_[p] == NIL) {
            q = lson_[p];
        } else if (lson_[p] == NIL) {
            q = rson_[p];
        } else {
            q = lson_[p];
            if (rson_[q] != NIL) {
                do {
                    q = rson_[q];
                } while (rson_[q] != NIL);
                rson_[dad_[q]] = lson_[q];
                dad_[lson_[q]] = dad_[q];
                lson_[q] = lson_[p];
                dad_[lson_[p]] = q;
            }
            rson_[q] = rson_[p];
            dad_[rson_[p]] = q;
        }
        dad_[q] = dad_[p];
        if (rson_[dad_[p]] == p)
            rson_[dad_[p]] = q;
        else
            lson_[dad_[p]] = q;
        dad_[p] = NIL;
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
    std::vector<uchar> textBuf_;
    std::vector<int> lson_, rson_, dad_;
    std::array<quint8, T> path_{};
    int matchPosition_ = 0;
    int matchLength_ = 0;
};

class BitReader {
public:
    explicit BitReader(QByteArrayView stream)
        : data_(reinterpret_cast<const uchar*>(stream.data())), bitsTotal_(stream.size() * 8) {}
    int bit() {
        if (pos_ >= bitsTotal_) {
            ++pos_;
            return 0;
        }
        const int b = (data_[pos_ >> 3] >> (7 - (pos_ & 7))) & 1;
        ++pos_;
        return b;
    }
    int byte() {
        int v = 0;
        for (int k = 0; k < 8; ++k) v = (v << 1) | bit();
        return v;
    }
    bool overrun() const { return pos_ > bitsTotal_; }
    qint64 bytesUsed() const { return (qMin(pos_, bitsTotal_) + 7) / 8; }

private:
    const uchar* data_;
    qint64 bitsTotal_;
    qint64 pos_ = 0;
};

} // namespace

QByteArray packen(QByteArrayView data) {
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
    result.data.reserve(static_cast<qsizetype>(qMin(count, limit)));
    auto tree = std::make_unique<Huffman>();
    std::array<uchar, N> ring;
    ring.fill(' ');
    int r = N - F;
    BitReader in(stream);
    qint64 done = 0;
    while (done < count) {
        int c = tree->son[R];
        while (c < T) c = tree->son[c + in.bit()];
        c -= T;
        tree->update(c);
        if (c < 256) {
            if (in.overrun()) break;
            result.data.append(static_cast<char>(c));
            ring[r] = static_cast<uchar>(c);
            r = (r + 1) & (N - 1);
            ++done;
        } else {
            int i = in.byte();
            const int upper = positionCodes.dcode[i];
            int j = positionCodes.dlen[i] - 2;
            while (j-- > 0) i = (i << 1) | in.bit();
            const int position = (upper << 6) | (i & 0x3F);
            if (in.overrun()) break;
            int from = (r - position - 1) & (N - 1);
            const int length = c - 255 + THRESHOLD;
            for (int k = 0; k < length && done < count; ++k) {
                const uchar b = ring[from];
                from = (from + 1) & (N - 1);
                result.data.append(static_cast<char>(b));
                ring[r] = b;
                r = (r + 1) & (N - 1);
                ++done;
            }
        }
    }
    result.overrun = in.overrun();
    result.bytesUsed = in.bytesUsed();
    return result;
}

} // namespace zephan::lzhuf
