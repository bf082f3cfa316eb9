#include "store/lzhuf.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
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
        textBuf_.assign(N + F - 1 + wideReadSlack, ' ');
        nodes_.resize(N + 257);
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
    static constexpr int wideReadSlack = 8;

    // A node of the match tree: the string starting at ring position p. Its bytes 1 ... 4
    // are kept beside the links (they cannot change while p is in the tree: the ring is only
    // overwritten behind the oldest string), so most steps of a search touch only the node,
    // and the 8-byte nodes stay in the first-level cache. Nodes N + 1 ... N + 256 are the
    // roots of the trees of the 256 first bytes.
    struct Node {
        quint16 kid[2] = {NIL, NIL}; // smaller, larger
        quint32 head = 0;
    };

    static quint64 load8(const uchar* p) { return qFromBigEndian<quint64>(p); }

    quint16& lson(int p) { return nodes_[p].kid[0]; }
    quint16& rson(int p) { return nodes_[p].kid[1]; }
    static quint16 link(int p) { return static_cast<quint16>(p); }

    // Index (5 ... F) of the first difference of two strings whose bytes 1 ... 4 agree, F
    // when they agree up to the look-ahead length; *cmp gets the sign of a - b there. Read
    // big-endian so the wider integers compare like the bytes; the buffer has slack behind
    // the mirrored part so the wide reads stay inside it.
    static int furtherDifference(const uchar* a, const uchar* b, int* cmp) {
        for (int i = 5; i < F; i += 8) {
            const quint64 x = load8(a + i);
            const quint64 y = load8(b + i);
            if (x != y) {
                *cmp = x > y ? 1 : -1;
                return qMin(F, i + static_cast<int>(qCountLeadingZeroBits(x ^ y) / 8));
            }
        }
        *cmp = 0;
        return F;
    }

    // Inserts the string at r and finds the longest match on the way down; among equally
    // long matches the nearest one wins. A string equal over the whole look-ahead replaces
    // the older node.
    void insertNode(int r) {
        Node* nodes = nodes_.data();
        const uchar* text = textBuf_.data();
        const uchar* key = text + r;
        const quint32 head = qFromBigEndian<quint32>(key + 1);
        nodes[r].kid[0] = nodes[r].kid[1] = NIL;
        nodes[r].head = head;
        int p = N + 1 + key[0];
        int cmp = 1;
        int length = 0;
        int position = matchPosition_;
        Node here = nodes[p];
        for (;;) {
            // Both links come with the node; picking one by the data-dependent direction
            // without a branch keeps each step down to a single load of the next node.
            const bool larger = cmp >= 0;
            const int q = larger ? here.kid[1] : here.kid[0];
            if (q == NIL) {
                nodes[p].kid[larger ? 1 : 0] = link(r);
                dad_[r] = p;
                matchLength_ = length;
                matchPosition_ = position;
                return;
            }
            p = q;
            here = nodes[p];
            const quint32 other = here.head;
            int i;
            if (head != other) {
                cmp = head > other ? 1 : -1;
                i = 1 + static_cast<int>(qCountLeadingZeroBits(head ^ other) / 8);
            } else {
                i = furtherDifference(key, text + p, &cmp);
            }
            if (i > THRESHOLD) {
                const int c = ((r - p) & (N - 1)) - 1;
                if (i > length) {
                    position = c;
                    if ((length = i) >= F) break;
                } else if (i == length && c < position) {
                    position = c;
                }
            }
        }
        matchLength_ = length;
        matchPosition_ = position;
        // Full-length match: r replaces p in the tree.
        dad_[r] = dad_[p];
        lson(r) = lson(p);
        rson(r) = rson(p);
        dad_[lson(p)] = r;
        dad_[rson(p)] = r;
        if (rson(dad_[p]) == p)
            rson(dad_[p]) = link(r);
        else
            lson(dad_[p]) = link(r);
        dad_[p] = NIL;
    }

    void deleteNode(int p) {
        if (dad_[p] == NIL) return;
        int q;
        if (rson(p) == NIL) {
            q = lson(p);
        } else if (lson(p) == NIL) {
            q = rson(p);
        } else {
            q = lson(p);
            if (rson(q) != NIL) {
                do {
                    q = rson(q);
                } while (rson(q) != NIL);
                rson(dad_[q]) = lson(q);
                dad_[lson(q)] = dad_[q];
                lson(q) = lson(p);
                dad_[lson(p)] = q;
            }
            rson(q) = rson(p);
            dad_[rson(p)] = q;
        }
        dad_[q] = dad_[p];
        if (rson(dad_[p]) == p)
            rson(dad_[p]) = link(q);
        else
            lson(dad_[p]) = link(q);
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
    std::vector<Node> nodes_;
    std::vector<int> dad_;
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
