#include "store/ini_file.h"

#include "store/codepage1252.h"
#include "store/number_format.h"
#include "store/output_target.h"
#include "store/packed_container.h"
#include "store/trace_log.h"
#include "store/user_seam.h"
#include "store/write_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>

namespace zephan {

namespace {

// Small sections are searched directly; an index pays off only above this many lines.
constexpr std::size_t indexThreshold = 32;
// Distinct key spellings whose strings are shared between the lines read; a file of ever new
// keys gets strings of its own beyond this instead of a growing table.
constexpr qsizetype maxSharedKeys = 4096;
// A fresh section reserves room for as many lines as the one before it, up to this.
constexpr std::size_t maxReserve = 64;

const QString crlf = QStringLiteral("\r\n");
const QChar thorn(0x00FE); // "þ", the stored form of a line break

bool istKopfzeile(QStringView line) {
    return line.size() >= 2 && line.front() == QLatin1Char('[') && line.back() == QLatin1Char(']');
}

// A string over the characters of a view, without a copy: for hash lookups while they live.
QString ohneKopie(QStringView v) {
    return QString::fromRawData(reinterpret_cast<const QChar*>(v.data()), v.size());
}

// A name in lower case for lookups: short ASCII names are lowered on the stack, so looking up
// a key or section costs no allocation.
class KleinerName {
public:
    explicit KleinerName(QStringView name) {
        if (name.size() <= stackSize) {
            qsizetype i = 0;
            for (; i < name.size(); ++i) {
                const char16_t c = name[i].unicode();
                if (c >= 0x80) break;
                buf_[i] = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
            }
            if (i == name.size()) {
                view_ = QStringView(buf_, name.size());
                return;
            }
        }
        heap_ = name.toString().toLower();
        view_ = heap_;
    }
    KleinerName(const KleinerName&) = delete;
    KleinerName& operator=(const KleinerName&) = delete;

    QStringView view() const { return view_; }
    QString alsSchluessel() const { return ohneKopie(view_); }

private:
    static constexpr qsizetype stackSize = 64;
    char16_t buf_[stackSize];
    QString heap_;
    QStringView view_;
};

// The strings of a text being read: lines with the same key share its two strings, and short
// values that recur (0, -1, 800, ...) share theirs, so a large file costs far fewer copies.
// Sections of one file list their keys mostly in the same order: the key that followed the
// previous one last time is tried before the table.
class Zeilennamen {
public:
    // The table of values grows with the text: a few lines need no big one.
    explicit Zeilennamen(qsizetype textLaenge)
        : valueBits_(textLaenge > (1 << 20)   ? 14
                     : textLaenge > (1 << 14) ? 12
                                              : 8),
          werte_(std::size_t(1) << valueBits_) {}

    void neuerAbschnitt() { letzter_ = -1; }

    void schluessel(QStringView ident, TData& d) {
        const int erwartet = letzter_ < 0 ? erster_ : eintraege_[letzter_].folgt;
        int k = erwartet;
        if (k < 0 || eintraege_[k].ident != ident) {
            const auto it = nummer_.constFind(ohneKopie(ident));
            if (it != nummer_.cend()) {
                k = it.value();
            } else if (eintraege_.size() < maxSharedKeys) {
                Eintrag e;
                e.ident = ident.toString();
                e.small = e.ident.toLower();
                k = static_cast<int>(eintraege_.size());
                nummer_.insert(e.ident, k);
                eintraege_.push_back(std::move(e));
            } else {
                d.ident = ident.toString();
                d.ident_small = d.ident.toLower();
                return;
            }
        }
        if (letzter_ < 0)
            erster_ = k;
        else
            eintraege_[letzter_].folgt = k;
        letzter_ = k;
        d.ident = eintraege_[k].ident;
        d.ident_small = eintraege_[k].small;
    }

    // Short values in a small table by a hash of their characters; a slot keeps the value
    // seen last, so a value that recurs is mostly found there.
    QString wert(QStringView v) {
        if (v.isEmpty() || v.size() > maxSharedValueLength) return v.toString();
        quint32 h = static_cast<quint32>(v.size());
        for (const QChar c : v) h = h * 31 + c.unicode();
        QString& slot = werte_[(h * 2654435761u) >> (32 - valueBits_)];
        if (slot != v) slot = v.toString();
        return slot;
    }

private:
    static constexpr qsizetype maxSharedValueLength = 12;
    struct Eintrag {
        QString ident, small;
        int folgt = -1; // the key that followed this one last time
    };
    int valueBits_;
    std::vector<QString> werte_;
    std::vector<Eintrag> eintraege_;
    QHash<QString, int> nummer_;
    int erster_ = -1;  // first key of the section before
    int letzter_ = -1; // key of the line before in this section
};

void parseLine(QStringView line, TData& d, Zeilennamen& namen) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (line.startsWith(QLatin1Char('#')) || eq < 0) {
        d.comment = true;
        d.value = line.toString();
        return;
    }
    const QStringView ident = line.left(eq).trimmed();
    if (ident.isEmpty() || ident.startsWith(QLatin1Char('#')) ||
        ident.startsWith(QLatin1Char('['))) {
        // "=x" has no usable key, and " #a=1" or " [a=b]" would read back as a comment or a
        // header once written without the blanks: kept as comments they stay as they are
        d.comment = true;
        d.value = line.toString();
        return;
    }
    namen.schluessel(ident, d);
    d.value = namen.wert(line.mid(eq + 1));
}

// Writes the file text into a QString or straight into code page 1252 bytes.
template <class Ausgabe>
void textSchreiben(const std::list<TSection>& list, bool separator, Ausgabe& out) {
    const auto last = list.empty() ? list.end() : std::prev(list.end());
    for (auto it = list.begin(); it != list.end(); ++it) {
        const TSection& s = *it;
        if (!s.name_.isEmpty() || it != list.begin()) {
            // An untitled section anywhere but first needs its header to be read back.
            out.zeichen('[');
            out.text(s.name_);
            out.zeichen(']');
            out.zeilenende();
        }
        for (const TData& d : s.list) {
            if (!d.comment) {
                out.text(d.ident);
                out.zeichen('=');
            }
            out.text(d.value);
            out.zeilenende();
        }
        if (separator && it != last &&
            !(!s.list.empty() && s.list.back().comment && s.list.back().value.isEmpty()))
            out.zeilenende();
    }
}

// Characters the text can take at most: every header, line and separator.
qsizetype textLaenge(const std::list<TSection>& list) {
    qsizetype size = 0;
    for (const TSection& s : list) {
        size += s.name_.size() + 6;
        for (const TData& d : s.list) size += d.ident.size() + d.value.size() + 3;
    }
    return size;
}

// Counts what the text will be: its characters and its lines that hold more than blanks, as a
// load counts them.
struct ZaehlAusgabe {
    qint64 anzahl = 0; // characters
    qint64 zeilen = 0;
    bool leer = true;
    void text(const QString& t) {
        anzahl += t.size();
        if (leer)
            for (const QChar c : t)
                if (!c.isSpace()) {
                    leer = false;
                    break;
                }
    }
    void zeichen(char c) {
        ++anzahl;
        if (c != ' ') leer = false;
    }
    void zeilenende() {
        anzahl += 2;
        if (!leer) ++zeilen;
        leer = true;
    }
};

struct QStringAusgabe {
    QString& out;
    void text(const QString& t) { out += t; }
    void zeichen(char c) { out += QLatin1Char(c); }
    void zeilenende() { out += crlf; }
};

struct Cp1252Ausgabe {
    char* p;
    bool complete = true;
    bool nonAscii = false;
    void text(const QString& t) {
        const auto* c = reinterpret_cast<const char16_t*>(t.constData());
        const qsizetype n = t.size();
        // ASCII is copied in one pass without a branch per character; a piece with any
        // other character is done again through the table.
        char16_t alle = 0;
        for (qsizetype i = 0; i < n; ++i) {
            alle |= c[i];
            p[i] = static_cast<char>(c[i]);
        }
        if (alle >= 0x80) {
            for (qsizetype i = 0; i < n; ++i) {
                if (c[i] < 0x80) continue;
                const int b = cp1252Byte(c[i]);
                if (b < 0) {
                    complete = false;
                    p[i] = '?';
                } else {
                    nonAscii = true;
                    p[i] = static_cast<char>(b);
                }
            }
        }
        p += n;
    }
    void zeichen(char c) { *p++ = c; }
    void zeilenende() {
        *p++ = '\r';
        *p++ = '\n';
    }
};

QString decodeUtf16Le(QByteArrayView b) {
    const qsizetype n = b.size() / 2;
    QString s(n, Qt::Uninitialized);
    QChar* d = s.data();
    for (qsizetype i = 0; i < n; ++i)
        d[i] = QChar(char16_t(static_cast<unsigned char>(b[2 * i]) |
                              (static_cast<unsigned char>(b[2 * i + 1]) << 8)));
    // A surrogate without its partner cannot be written in any encoding: replace it now, so
    // the text read is the text written back.
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i].isHighSurrogate() && i + 1 < n && d[i + 1].isLowSurrogate()) {
            ++i;
        } else if (d[i].isSurrogate()) {
            d[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return s;
}

QByteArray encodeUtf16Le(const QString& s) {
    QByteArray b(s.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        b[2 * i] = static_cast<char>(c & 0xFF);
        b[2 * i + 1] = static_cast<char>(c >> 8);
    }
    return b;
}

// 8-bit text: UTF-8 when it is valid UTF-8, else code page 1252.
QString decode8Bit(QByteArrayView b) {
    if (nurAscii(b)) return QString::fromLatin1(b);
    if (istUtf8(b)) {
        // the mark, if there was one, is gone already: a second one is part of the text
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8.decode(b);
    }
    return decodeCp1252(b);
}

QString decodeText(const QByteArray& bytes, TFileFormat format) {
    const QByteArrayView b(bytes);
    if (b.size() >= 2 && static_cast<unsigned char>(b[0]) == 0xFF &&
        static_cast<unsigned char>(b[1]) == 0xFE)
        return decodeUtf16Le(b.sliced(2));
    if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xEF &&
        static_cast<unsigned char>(b[1]) == 0xBB && static_cast<unsigned char>(b[2]) == 0xBF)
        return decode8Bit(b.sliced(3));
    if (format == ffUnicode) return decodeUtf16Le(b);
    return decode8Bit(b);
}

// Where a packed file's container starts: at 0, or behind the mark "DAZ"; -1 for text.
qsizetype containerStart(const QByteArray& bytes) {
    if (bytes.startsWith("daz") && istContainer(bytes)) return 0;
    if (bytes.startsWith("DAZ") && istContainer(bytes.mid(3, 64))) return 3;
    return -1;
}

QString ohneZeilenumbruch(const QString& value) {
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n'))) return value;
    QString v = value;
    v.replace(crlf, QString(thorn));
    v.replace(QLatin1Char('\r'), thorn);
    v.replace(QLatin1Char('\n'), thorn);
    return v;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TSection

void TSection::buildIndex() const {
    index_.clear();
    index_.reserve(static_cast<qsizetype>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TData& d = list[i];
        if (!d.comment && !index_.contains(d.ident_small))
            index_.insert(d.ident_small, static_cast<int>(i));
    }
    indexValid_ = true;
}

int TSection::findKey(const QString& key) const {
    const KleinerName small(QStringView(key).trimmed());
    return findLowered(small.view());
}

int TSection::findLowered(QStringView small) const {
    if (list.size() <= indexThreshold) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!list[i].comment && list[i].ident_small == small) return static_cast<int>(i);
        return -1;
    }
    if (!indexValid_) buildIndex();
    return index_.value(ohneKopie(small), -1);
}

const QString* TSection::value(const QString& key) const {
    const int i = findKey(key);
    return i < 0 ? nullptr : &list[static_cast<std::size_t>(i)].value;
}

void TSection::setValue(const QString& key, const QString& value) {
    const int i = findKey(key);
    if (i >= 0) {
        list[static_cast<std::size_t>(i)].value = value;
        return;
    }
    TData d;
    d.ident = key.trimmed();
    d.ident_small = d.ident.toLower();
    d.value = value;
    append(std::move(d));
}

void TSection::append(TData line) {
    if (indexValid_ && !line.comment && !index_.contains(line.ident_small))
        index_.insert(line.ident_small, static_cast<int>(list.size()));
    list.push_back(std::move(line));
}

bool TSection::removeKey(const QString& key) {
    const int i = findKey(key);
    if (i < 0) return false;
    list.erase(list.begin() + i);
    indexValid_ = false;
    index_.clear();
    return true;
}

void TSection::nurSchluesselBehalten(QStringView small) {
    const auto weg = std::remove_if(list.begin(), list.end(), [&](const TData& d) {
        return d.comment || d.ident_small != small;
    });
    if (weg == list.end()) return;
    list.erase(weg, list.end());
    list.shrink_to_fit();
    indexValid_ = false;
    index_.clear();
    index_.squeeze();
}

QStringList TSection::keys() const {
    QStringList k;
    for (const TData& d : list)
        if (!d.comment) k.append(d.ident);
    return k;
}

// ---------------------------------------------------------------------------------------------
// TIniFile2: life cycle

TIniFile2::TIniFile2(const QString& dateiname, TFileFormat fileformat, UserSeam* seam)
    : seam_(seam) {
    setFileformat(fileformat);
    filename_ = dateiname;
    if (!dateiname.isEmpty()) loadFromFile(dateiname);
    offen_ = true;
    changed_ = false;
}

TIniFile2::TIniFile2(TIniFile2&& o) noexcept
    : abschnittGelesen(std::move(o.abschnittGelesen)), offen_(o.offen_), changed_(o.changed_),
      list_(std::move(o.list_)),
      cache_last_section_(o.cache_last_section_ == o.list_.end() ? list_.end()
                                                                 : o.cache_last_section_),
      index_(std::move(o.index_)), schreibtabellen_(std::move(o.schreibtabellen_)),
      fileformat_(o.fileformat_), lesen_(o.lesen_), fastsave_(o.fastsave_), fastread_(o.fastread_),
      compressed_(o.compressed_), section_empty_line_separator_(o.section_empty_line_separator_),
      useUnicode_(o.useUnicode_), useUtf8_(o.useUtf8_), filename_(std::move(o.filename_)),
      crcMismatch_(o.crcMismatch_), lastError_(std::move(o.lastError_)), seam_(o.seam_) {
    o.offen_ = false;
    o.changed_ = false;
    o.cache_last_section_ = o.list_.end();
    o.list_.clear();
    o.index_.clear();
    o.filename_.clear();
}

TIniFile2::~TIniFile2() {
    if (offen_ && changed_ && !filename_.isEmpty()) save();
}

void TIniFile2::setFileformat(TFileFormat f) {
    fileformat_ = f;
    useUnicode_ = f == ffUnicode;
    useUtf8_ = f == ffUtf8;
}

void TIniFile2::report(const QString& message) {
    lastError_ = message;
    trace(QStringLiteral("TIniFile2: ") + message);
    if (seam_) seam_->meldung(message, UserSeam::Kind::Fehler);
}

// ---------------------------------------------------------------------------------------------
// Loading

bool TIniFile2::loadFromFile(const QString& dateiname) {
    QFileInfo fi(dateiname);
    if (!fi.exists()) return true;
    filename_ = dateiname;
    crcMismatch_ = false;
    QByteArray bytes;
    QString grund;
    if (!dateiLesen(dateiname, bytes, grund, ladeGrenze_)) {
        lastError_ = QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                         .arg(QDir::toNativeSeparators(dateiname), grund);
        trace(lastError_);
        return false;
    }
    const bool ok = loadFromBytes(bytes);
    if (!ok) trace(QStringLiteral("TIniFile2: ") + dateiname + QStringLiteral(": ") + lastError_);
    return ok;
}

bool TIniFile2::dateiLesen(const QString& dateiname, QByteArray& bytes, QString& grund,
                           qint64 grenze) {
    bytes.clear();
    const QFileInfo fi(dateiname);
    if (!fi.exists()) {
        grund = QStringLiteral("Die Datei existiert nicht.");
        return false;
    }
    if (fi.isDir()) {
        grund = QStringLiteral("Das ist ein Ordner.");
        return false;
    }
    // A device or pipe has no size to go by: it is read up to the bound like any file.
    const bool gewoehnlich = fi.isFile();
    if (gewoehnlich && fi.size() > grenze) {
        grund = QStringLiteral("Die Datei ist mit %1 Bytes zu groß (höchstens %2).")
                    .arg(fi.size())
                    .arg(grenze);
        return false;
    }
    QFile f(dateiname);
    if (!f.open(QIODevice::ReadOnly)) {
        grund = !fi.isReadable()
                    ? QStringLiteral("Keine Leseberechtigung (%1).").arg(f.errorString())
                    : f.errorString();
        return false;
    }
    constexpr qint64 block = 1 << 20;
    try {
        // Room for the size the file has (and one byte to see it grew), not for the bound.
        if (gewoehnlich) bytes.reserve(static_cast<qsizetype>(fi.size() + 1));
        for (;;) {
            const qint64 frei = bytes.capacity() - bytes.size();
            const qint64 wunsch = std::min(grenze + 1 - bytes.size(), frei > 0 ? frei : block);
            if (wunsch <= 0) break;
            const qsizetype alt = bytes.size();
            bytes.resize(alt + static_cast<qsizetype>(wunsch));
            const qint64 n = f.read(bytes.data() + alt, wunsch);
            bytes.resize(alt + static_cast<qsizetype>(std::max<qint64>(n, 0)));
            if (n < 0) {
                grund = f.errorString();
                bytes.clear();
                return false;
            }
            if (n == 0) break;
        }
    } catch (const std::bad_alloc&) {
        bytes = QByteArray();
        grund = QStringLiteral("Nicht genug Speicher.");
        return false;
    }
    if (bytes.size() > grenze) {
        // A file that grew while it was read, or a device without end.
        bytes = QByteArray();
        grund = QStringLiteral("Die Datei ist zu groß (höchstens %1 Bytes).").arg(grenze);
        return false;
    }
    return true;
}

bool TIniFile2::ladbar(qint64 zeichen, qint64 zeilen, QString& grund, qint64 grenze) {
    if (zeichen > grenze) {
        grund = QStringLiteral("Der Text ist zu groß (%1 Zeichen, höchstens %2).")
                    .arg(zeichen)
                    .arg(grenze);
        return false;
    }
    // What the lines kept will cost, known before any is made: a small text of very many
    // short lines must not take gigabytes.
    constexpr qint64 bytesProZeile = static_cast<qint64>(sizeof(TData)) + 64;
    if (zeilen * bytesProZeile + zeichen * 2 > maxLadeSpeicher) {
        grund = QStringLiteral("Der Text hat zu viele Zeilen (%1).").arg(zeilen);
        return false;
    }
    return true;
}

bool TIniFile2::dateiText(const QByteArray& bytes, TFileFormat format, QString& text,
                          QString* error, bool* crcMismatch, bool* packed, qint64 grenze) {
    if (crcMismatch) *crcMismatch = false;
    if (packed) *packed = false;
    const qsizetype start = containerStart(bytes);
    if (start < 0) {
        text = decodeText(bytes, format);
        return true;
    }
    QByteArray data;
    QString reason;
    bool mismatch = false;
    const bool ok =
        entpackenBytes(start == 0 ? bytes : bytes.mid(start), data, &reason, &mismatch, grenze);
    if (!ok && !mismatch) {
        if (error) *error = QStringLiteral("Gepackte Daten nicht lesbar: ") + reason;
        return false;
    }
    if (crcMismatch) *crcMismatch = mismatch;
    if (packed) *packed = true;
    text = decodeText(data, format);
    return true;
}

bool TIniFile2::loadFromBytes(const QByteArray& bytes) {
    lastError_.clear();
    crcMismatch_ = false;
    try {
        QString text;
        bool packed = false;
        bool mismatch = false;
        if (!dateiText(bytes, fileformat_, text, &lastError_, &mismatch, &packed, ladeGrenze_))
            return false;
        crcMismatch_ = mismatch;
        if (mismatch) trace(QStringLiteral("TIniFile2: CRC-Fehler in gepackten Daten"));
        SectionList fresh;
        SectionIndex freshIndex;
        QString error;
        if (!parseInto(text, fresh, freshIndex, error)) {
            lastError_ = error;
            return false;
        }
        text.clear(); // the lines hold their own copies: free the text before the store grows
        appendParsed(fresh, freshIndex);
        if (packed) compressed_ = true;
        changed_ = false;
        return true;
    } catch (const std::bad_alloc&) {
        // What was parsed so far went with the stack; the store is as it was.
        lastError_ = QStringLiteral("Nicht genug Speicher, um die Daten zu laden.");
        trace(QStringLiteral("TIniFile2: ") + lastError_);
        return false;
    }
}

bool TIniFile2::addtext(const QString& text) {
    lastError_.clear();
    try {
        SectionList fresh;
        SectionIndex freshIndex;
        QString error;
        if (!parseInto(text, fresh, freshIndex, error)) {
            lastError_ = error;
            return false;
        }
        if (!fresh.empty()) changed_ = true;
        appendParsed(fresh, freshIndex);
        return true;
    } catch (const std::bad_alloc&) {
        lastError_ = QStringLiteral("Nicht genug Speicher, um die Daten zu laden.");
        trace(QStringLiteral("TIniFile2: ") + lastError_);
        return false;
    }
}

bool TIniFile2::parseInto(const QString& text, SectionList& fresh, SectionIndex& freshIndex,
                          QString& error) const {
    {
        qint64 zeilen = 0;
        bool leer = true;
        for (const QChar c : text) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                if (!leer) ++zeilen;
                leer = true;
            } else if (!c.isSpace()) {
                leer = false;
            }
        }
        if (!leer) ++zeilen;
        if (!ladbar(text.size(), zeilen, error, ladeGrenze_)) return false;
    }
    // The reader may take a section's lines: what it leaves is kept as tight as it is.
    const auto gelesen = [this](TSection& s) {
        if (!abschnittGelesen) return;
        const std::size_t vorher = s.list.size();
        abschnittGelesen(s);
        if (s.list.size() < vorher) s.list.shrink_to_fit();
    };
    Zeilennamen namen(text.size());
    std::vector<int> kopfZeile; // header line of each new section; 0 for an untitled part
    TSection* cur = nullptr;
    int lineNo = 0;
    const QChar* chars = text.constData();
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && chars[end] != QLatin1Char('\r') && chars[end] != QLatin1Char('\n')) ++end;
        const QStringView line(chars + pos, end - pos);
        if (end >= n)
            pos = n;
        else if (chars[end] == QLatin1Char('\r') && end + 1 < n &&
                 chars[end + 1] == QLatin1Char('\n'))
            pos = end + 2;
        else
            pos = end + 1;
        ++lineNo;
        // Empty lines are the writer's separators or padding: not kept (they would cost a
        // line record each), the writer adds its own.
        if (line.trimmed().isEmpty()) continue;

        if (istKopfzeile(line)) {
            std::size_t vorher = 0;
            if (cur) {
                // The empty line before a header is the separator the writer adds; a comment
                // there belongs to the user and stays.
                if (!cur->list.empty() && cur->list.back().comment &&
                    cur->list.back().value.isEmpty())
                    cur->list.pop_back();
                vorher = cur->list.size();
                gelesen(*cur);
            }
            TSection& s = fresh.emplace_back();
            s.name_ = line.mid(1, line.size() - 2).toString();
            s.name_small = s.name_.toLower();
            // Sections of one file tend to be alike: room for the lines of the one before
            // and its separator saves growing the list step by step.
            s.list.reserve(std::min(vorher + 1, maxReserve));
            kopfZeile.push_back(lineNo);
            cur = &s;
            namen.neuerAbschnitt();
            continue;
        }
        if (!cur) {
            cur = &fresh.emplace_back(); // untitled first part
            kopfZeile.push_back(0);
        }
        TData d;
        parseLine(line, d, namen);
        cur->append(std::move(d));
    }
    if (cur) gelesen(*cur);

    // The index is built once the number of sections is known; the first name that repeats
    // one before it (or one of the store's, for a header) is the error.
    freshIndex.reserve(static_cast<qsizetype>(fresh.size()));
    std::size_t k = 0;
    for (auto it = fresh.begin(); it != fresh.end(); ++it, ++k) {
        const qsizetype bekannt = freshIndex.size();
        auto& slot = freshIndex[it->name_small];
        if (freshIndex.size() == bekannt ||
            (kopfZeile[k] > 0 && !index_.isEmpty() && index_.contains(it->name_small))) {
            error = QStringLiteral("Der Abschnitt [%1] kommt doppelt vor (Zeile %2).")
                        .arg(it->name_)
                        .arg(kopfZeile[k]);
            return false;
        }
        slot = it;
    }
    return true;
}

void TIniFile2::appendParsed(SectionList& fresh, SectionIndex& freshIndex) {
    // Only the part before the first header can be untitled (an untitled header "[]" in
    // the text would have been a duplicate); it joins the store's untitled section.
    if (!fresh.empty() && fresh.front().name_small.isEmpty()) {
        const auto own = index_.constFind(QString());
        if (own != index_.cend()) {
            TSection& target = *own.value();
            for (TData& d : fresh.front().list) target.append(std::move(d));
            freshIndex.remove(QString());
            fresh.pop_front();
        }
    }
    // Splicing keeps the iterators of the fresh index valid: they now point into list_.
    list_.splice(list_.end(), fresh);
    if (index_.isEmpty()) {
        index_ = std::move(freshIndex);
    } else {
        for (auto it = freshIndex.cbegin(); it != freshIndex.cend(); ++it)
            index_.insert(it.key(), it.value());
    }
    freshIndex.clear();
}

// ---------------------------------------------------------------------------------------------
// Writing

QString TIniFile2::text() const {
    QString out;
    out.reserve(textLaenge(list_));
    QStringAusgabe a{out};
    textSchreiben(list_, section_empty_line_separator_, a);
    return out;
}

bool TIniFile2::cp1252Text(QByteArray& out, bool* nonAscii) const {
    out = QByteArray(textLaenge(list_), Qt::Uninitialized);
    Cp1252Ausgabe a{out.data()};
    textSchreiben(list_, section_empty_line_separator_, a);
    out.truncate(a.p - out.constData());
    *nonAscii = a.nonAscii;
    return a.complete;
}

QByteArray TIniFile2::toBytes() const {
    QByteArray body;
    if (useUnicode_) {
        body = encodeUtf16Le(text());
    } else if (useUtf8_) {
        body = text().toUtf8();
    } else {
        bool nonAscii = false;
        const bool complete = cp1252Text(body, &nonAscii);
        // Code page 1252 would lose characters, or its bytes would read back as UTF-8: the
        // whole file goes out as UTF-8 then, which reads back unchanged.
        // The same for bytes that would pass for a byte order mark.
        if (!complete || (nonAscii && istUtf8(body)) || body.startsWith("\xFF\xFE") ||
            body.startsWith("\xEF\xBB\xBF"))
            body = text().toUtf8();
    }
    // A text that itself starts with U+FEFF (or, in UTF-16, with bytes that pass for a mark)
    // keeps it behind a mark the reader skips.
    if (useUnicode_) {
        if (!compressed_ || body.startsWith("\xFF\xFE") || body.startsWith("\xEF\xBB\xBF"))
            body.prepend("\xFF\xFE", 2);
    } else if (body.startsWith("\xEF\xBB\xBF")) {
        body.prepend("\xEF\xBB\xBF");
    }
    if (compressed_) return packenBytes(body);
    if (!useUnicode_ && containerStart(body) >= 0) {
        // A text starting like a packed file goes out as UTF-8 behind its mark, so it is
        // read as text again.
        body = "\xEF\xBB\xBF" + text().toUtf8();
    }
    return body;
}

bool TIniFile2::abschnittAnhaengen(const TSection& section) {
    if (find(section.name_)) return false;
    TSection& s = findOrCreate(section.name_);
    for (const TData& d : section.list) s.append(d);
    changed_ = true;
    return true;
}

bool TIniFile2::writeBytes(const QString& path, const QByteArray& data) {
    // A link is written through to its file; a device, FIFO or socket is never replaced.
    QString ziel;
    {
        QString grund;
        if (!schreibZiel(path, ziel, grund)) {
            report(grund);
            return false;
        }
    }
    const QFileInfo fi(ziel);
    const QString shown = QDir::toNativeSeparators(path);
    if (fi.exists()) {
        // A file nobody may write counts as protected even for a user the system lets write
        // anyway (the administrator).
        const QFile::Permissions writable =
            QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!(fi.permissions() & writable) || !fi.isWritable()) {
            const QString msg =
                QStringLiteral("Die Datei %a ist schreibgeschützt. Nicht gespeichert.");
            lastError_ = QString(msg).replace(QStringLiteral("%a"), shown);
            trace(QStringLiteral("TIniFile2: ") + lastError_);
            if (seam_) seam_->meldung(lastError_, UserSeam::Kind::Warnung);
            return false;
        }
    }
    QSaveFile f(ziel);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) {
        report(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                   .arg(shown, schreibGrund(ziel, f.errorString(), errno)));
        return false;
    }
    errno = 0;
    if (f.write(data) != data.size() || !f.commit()) {
        const int fehlerNr = errno;
        const QString why = schreibGrund(ziel, f.errorString(), fehlerNr);
        f.cancelWriting();
        report(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(shown, why));
        return false;
    }
    lastError_.clear();
    return true;
}

bool TIniFile2::wiederLadbar(QString& grund) const {
    ZaehlAusgabe z;
    textSchreiben(list_, section_empty_line_separator_, z);
    return ladbar(z.anzahl, z.zeilen, grund, ladeGrenze_);
}

bool TIniFile2::dateiInhalt(const QString& path, QByteArray& bytes) {
    const QString shown = QDir::toNativeSeparators(path);
    const auto nicht = [&](const QString& grund) {
        report(QStringLiteral("Die Datei %1 wurde nicht gespeichert: %2").arg(shown, grund));
        return false;
    };
    // What the loader would refuse is not written: the file could not be opened again.
    QString grund;
    if (!wiederLadbar(grund))
        return nicht(grund + QStringLiteral(" Sie könnte nicht wieder geladen werden."));
    try {
        bytes = toBytes();
    } catch (const std::bad_alloc&) {
        return nicht(QStringLiteral("Nicht genug Speicher."));
    }
    if (compressed_ && bytes.isEmpty()) return nicht(QStringLiteral("Packen fehlgeschlagen."));
    // The bytes themselves (a UTF-16 text takes two per character), packed or as they are.
    qint64 entpackt = bytes.size();
    if (compressed_ && bytes.size() >= 16)
        entpackt = qFromLittleEndian<qint32>(bytes.constData() + 12);
    const qint64 groesse = std::max<qint64>(bytes.size(), entpackt);
    if (groesse > ladeGrenze_)
        return nicht(QStringLiteral("Der Inhalt ist mit %1 Bytes zu groß (höchstens %2). Er "
                                    "könnte nicht wieder geladen werden.")
                         .arg(groesse)
                         .arg(ladeGrenze_));
    return true;
}

bool TIniFile2::save() {
    if (filename_.isEmpty()) {
        changed_ = false;
        return true;
    }
    QByteArray bytes;
    if (!dateiInhalt(filename_, bytes)) return false;
    if (!writeBytes(filename_, bytes)) return false;
    changed_ = false;
    return true;
}

bool TIniFile2::saveToFile(const QString& path) {
    if (path.isEmpty()) {
        report(QStringLiteral("Kein Dateiname zum Speichern."));
        return false;
    }
    QByteArray bytes;
    if (!dateiInhalt(path, bytes)) return false;
    const bool ok = writeBytes(path, bytes);
    if (ok && QFileInfo(path) == QFileInfo(filename_)) changed_ = false;
    return ok;
}

// ---------------------------------------------------------------------------------------------
// Sections

TSection* TIniFile2::imCache(QStringView small) const {
    auto& cache = cache_last_section_;
    if (cache == list_.end()) return nullptr;
    if (cache->name_small == small) return &*cache;
    // Sections are mostly visited in file order: the next one is the likely one.
    const auto next = std::next(cache);
    if (next != list_.end() && next->name_small == small) {
        cache = next;
        return &*cache;
    }
    return nullptr;
}

TSection* TIniFile2::find(const QString& name) const {
    const KleinerName small(name);
    if (TSection* s = imCache(small.view())) return s;
    auto it = index_.constFind(small.alsSchluessel());
    if (it == index_.cend()) return nullptr;
    cache_last_section_ = it.value();
    return &*cache_last_section_;
}

void TIniFile2::reserveSections(qsizetype count) {
    index_.reserve(count);
}

TSection& TIniFile2::findOrCreate(const QString& name) {
    const KleinerName small(name);
    if (TSection* s = imCache(small.view())) return *s;
    // One hash lookup finds the section or makes the slot of a new one.
    QString lower = name == small.view() ? name : small.view().toString();
    const qsizetype bekannt = index_.size();
    SectionList::iterator& slot = index_[lower];
    if (index_.size() == bekannt) {
        cache_last_section_ = slot;
        return *slot;
    }
    TSection s;
    s.name_ = name;
    s.name_small = std::move(lower);
    // Sections written one after the other tend to be alike (the nodes of a tree).
    if (!list_.empty()) s.list.reserve(std::min(list_.back().list.size(), maxReserve));
    list_.push_back(std::move(s));
    slot = std::prev(list_.end());
    cache_last_section_ = slot;
    return *slot;
}

// Strings that recur among the lines written, in small tables by a hash of their characters:
// each slot keeps the string seen last, so recurring keys and values mostly find theirs.
struct TIniFile2::Schreibtabellen {
    static constexpr int keyBits = 8;
    static constexpr int valueBits = 12;
    static constexpr qsizetype maxValueLength = 12;
    struct Schluessel {
        QString ident, small;
    };
    std::vector<Schluessel> schluessel = std::vector<Schluessel>(std::size_t(1) << keyBits);
    std::vector<QString> werte = std::vector<QString>(std::size_t(1) << valueBits);

    static quint32 streuwert(QStringView v, int bits) {
        quint32 h = static_cast<quint32>(v.size());
        for (const QChar c : v) h = h * 31 + c.unicode();
        return (h * 2654435761u) >> (32 - bits);
    }
};

QString TIniFile2::kleinerName(const QString& ident, QStringView small) {
    if (ident == small) return ident;
    if (!schreibtabellen_) schreibtabellen_ = std::make_unique<Schreibtabellen>();
    auto& slot =
        schreibtabellen_->schluessel[Schreibtabellen::streuwert(ident, Schreibtabellen::keyBits)];
    if (slot.ident != ident) {
        slot.ident = ident;
        slot.small = small.toString();
    }
    return slot.small;
}

QString TIniFile2::geteilterWert(const QString& value) {
    if (value.isEmpty() || value.size() > Schreibtabellen::maxValueLength) return value;
    if (!schreibtabellen_) schreibtabellen_ = std::make_unique<Schreibtabellen>();
    QString& slot =
        schreibtabellen_->werte[Schreibtabellen::streuwert(value, Schreibtabellen::valueBits)];
    if (slot != value) slot = value;
    return slot;
}

void TIniFile2::clear() {
    list_.clear();
    index_.clear();
    cache_last_section_ = list_.end();
    changed_ = true;
}

QString TIniFile2::getSections() const {
    QString out;
    for (const TSection& s : list_) {
        out += s.name_;
        out += QLatin1Char('|');
    }
    return out;
}

QStringList TIniFile2::ReadSections() const {
    QStringList out;
    out.reserve(static_cast<qsizetype>(list_.size()));
    for (const TSection& s : list_) out.append(s.name_);
    return out;
}

bool TIniFile2::SectionExists(const QString& name) const {
    return find(name) != nullptr;
}

const TSection* TIniFile2::getSection(const QString& name) const {
    return find(name);
}

QStringList TIniFile2::ReadSection(const QString& section) const {
    const TSection* s = find(section);
    return s ? s->keys() : QStringList();
}

void TIniFile2::eraseSection(const QString& name) {
    fastsave_ = false;
    auto it = index_.find(name.toLower());
    if (it == index_.end()) return;
    if (cache_last_section_ == it.value()) cache_last_section_ = list_.end();
    list_.erase(it.value());
    index_.erase(it);
    changed_ = true;
}

void TIniFile2::eraseSections(const QString& prefix) {
    const QString small = prefix.toLower();
    for (auto it = list_.begin(); it != list_.end();) {
        if (it->name_small.startsWith(small)) {
            if (cache_last_section_ == it) cache_last_section_ = list_.end();
            index_.remove(it->name_small);
            it = list_.erase(it);
            changed_ = true;
        } else {
            ++it;
        }
    }
    fastsave_ = false;
}

// ---------------------------------------------------------------------------------------------
// Values

bool TIniFile2::ValueExists(const QString& section, const QString& key) const {
    const TSection* s = find(section);
    return s && s->findKey(key) >= 0;
}

void TIniFile2::DeleteKey(const QString& section, const QString& key) {
    TSection* s = find(section);
    if (s && s->removeKey(key)) changed_ = true;
}

QString TIniFile2::ReadString(const QString& section, const QString& key,
                              const QString& def) const {
    const TSection* s = find(section);
    if (!s) return def;
    const QString* v = s->value(key);
    return v ? *v : def;
}

void TIniFile2::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString k = key.trimmed();
    if (k.isEmpty()) {
        report(QStringLiteral("tinifile2.writestring: ") + section +
               QStringLiteral(".ident ist leer"));
        return;
    }
    // A key or section that would not read back as written would corrupt the file.
    bool unlesbar = k.front() == QLatin1Char('#') || k.front() == QLatin1Char('[');
    for (const QChar c : k)
        if (c == QLatin1Char('=') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            unlesbar = true;
    for (const QChar c : section)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) unlesbar = true;
    if (unlesbar) {
        report(QStringLiteral("tinifile2.writestring: ") + section + QLatin1Char('.') + k +
               QStringLiteral(" ist als Schlüssel nicht speicherbar"));
        return;
    }
    const QString v = ohneZeilenumbruch(value);
    const KleinerName small(k);
    TSection* s = &findOrCreate(section);
    const int i = s->findLowered(small.view());
    if (i >= 0) {
        QString& old = s->list[static_cast<std::size_t>(i)].value;
        if (old == v) return;
        old = geteilterWert(v);
        changed_ = true;
        return;
    }
    TData d;
    d.ident = k;
    d.ident_small = kleinerName(k, small.view());
    d.value = geteilterWert(v);
    s->append(std::move(d));
    changed_ = true;
}

qint64 TIniFile2::ReadInteger(const QString& section, const QString& key, qint64 def) const {
    const TSection* s = find(section);
    const QString* v = s ? s->value(key) : nullptr;
    if (!v) return def;
    const qsizetype comma = v->indexOf(QLatin1Char(','));
    const QString whole = (comma < 0 ? *v : v->left(comma)).trimmed();
    bool ok = false;
    const qint64 n = whole.toLongLong(&ok, 10);
    return ok ? n : -1;
}

void TIniFile2::WriteInteger(const QString& section, const QString& key, qint64 value) {
    WriteString(section, key, QString::number(value));
}

bool TIniFile2::ReadBool(const QString& section, const QString& key, bool def) const {
    const TSection* s = find(section);
    const QString* v = s ? s->value(key) : nullptr;
    if (!v) return def;
    return v->trimmed() != QLatin1String("0");
}

void TIniFile2::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TIniFile2::ReadSingle(const QString& section, const QString& key, double def) const {
    const TSection* s = find(section);
    const QString* v = s ? s->value(key) : nullptr;
    if (!v) return leseZahl(formatZahlOhneGruppen(def, 3), nullptr, 0);
    return leseZahl(*v, nullptr, 0);
}

void TIniFile2::WriteSingle(const QString& section, const QString& key, double def, int decimals,
                            double value) {
    const QString text = formatZahlOhneGruppen(value, decimals);
    if (text == formatZahlOhneGruppen(def, decimals)) {
        DeleteKey(section, key);
        return;
    }
    WriteString(section, key, text);
}

void TIniFile2::str(const QString& section, const QString& key, const QString& def, QString& var) {
    if (lesen_)
        var = ReadString(section, key, def);
    else
        WriteString(section, key, var);
}

void TIniFile2::int_(const QString& section, const QString& key, qint64 def, qint64& var) {
    if (lesen_)
        var = ReadInteger(section, key, def);
    else
        WriteInteger(section, key, var);
}

void TIniFile2::int_(const QString& section, const QString& key, int def, int& var) {
    if (lesen_) {
        const qint64 v = ReadInteger(section, key, def);
        var = v < INT_MIN || v > INT_MAX ? -1 : static_cast<int>(v);
    } else {
        WriteInteger(section, key, var);
    }
}

void TIniFile2::bool_(const QString& section, const QString& key, bool def, bool& var) {
    if (lesen_)
        var = ReadBool(section, key, def);
    else
        WriteBool(section, key, var);
}

} // namespace zephan
