#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <functional>
#include <list>
#include <memory>
#include <vector>

namespace zephan {

class UserSeam;

// The largest file or unpacked text a store loads.
constexpr qint64 maxLadeBytes = 256ll * 1024 * 1024;
// The most the lines of one load may occupy in memory (estimated before they are made).
constexpr qint64 maxLadeSpeicher = 3ll * 1024 * 1024 * 1024;

// Text encodings of a sectioned file.
enum TFileFormat { ffAnsi, ffUnicode, ffUtf8 };

// One line of a section: a key line, or (comment = true) a comment or empty line kept as is.
struct TData {
    bool comment = false;
    QString ident;       // key as written
    QString ident_small; // key in lower case
    QString value;       // rest of the line; the whole line for a comment
};

// A section: its lines in file order. Keys are looked up through an index built on demand,
// so sections with many keys stay cheap.
class TSection {
public:
    QString name_;      // as first written
    QString name_small; // lower case
    std::vector<TData> list;

    // Index of the first key line with this key (any case), or -1.
    int findKey(const QString& key) const;
    // The same for a key already trimmed and in lower case.
    int findLowered(QStringView small) const;
    // The value of the key, or nullptr.
    const QString* value(const QString& key) const;
    // Sets the value of the first line with this key, appending the key when missing.
    void setValue(const QString& key, const QString& value);
    // Appends a line as read from a file (duplicate keys stay; the first one wins).
    void append(TData line);
    // Removes the first line with this key; true when there was one.
    bool removeKey(const QString& key);
    // The keys in order (comment lines skipped).
    QStringList keys() const;
    // Drops every line but the key lines with this key (given trimmed and in lower case).
    void nurSchluesselBehalten(QStringView small);

private:
    mutable QHash<QString, int> index_; // ident_small -> first line
    mutable bool indexValid_ = false;
    void buildIndex() const;
};

// The sectioned key/value store behind every file of the program (projects, catalogue,
// settings, tables). The whole file lives in memory as an ordered list of sections, so it is
// written back in the order it was read or filled, comments and unknown keys included.
//
// Section lookup goes through a hash of the lower-case names beside the ordered list, so
// creating, finding and erasing sections stays cheap on files with 100 000 sections.
//
// Reading detects the encoding: a UTF-16 LE mark (or the format ffUnicode) reads UTF-16, a
// UTF-8 mark or valid UTF-8 reads UTF-8, anything else code page 1252. Writing uses one
// encoding for the whole file: UTF-16 LE with mark (ffUnicode), UTF-8 without mark (ffUtf8 or
// useUtf8), else code page 1252 - falling back to UTF-8 for a text that code page 1252 cannot
// hold or that would read back differently.
//
// A packed file (a container at byte 0, or "DAZ" followed by a container) is read unpacked
// and sets `compressed`, so it is written packed again.
//
// Reading skips empty lines (the writer adds its separators itself) and bounds what a load
// may take: files and unpacked texts up to maxLadeBytes, and the lines kept may not cost more
// than maxLadeSpeicher. A file beyond either, or a load that runs out of memory, fails with
// a message; the store stays as it was.
class TIniFile2 {
public:
    // An empty store; loads `dateiname` when given and existing. Messages (write-protected
    // file, empty key) go to `seam` when given, always to the trace log and lastError().
    explicit TIniFile2(const QString& dateiname = QString(), TFileFormat fileformat = ffAnsi,
                       UserSeam* seam = nullptr);
    // Destroy: saves when open, changed and named.
    ~TIniFile2();
    TIniFile2(const TIniFile2&) = delete;
    TIniFile2& operator=(const TIniFile2&) = delete;
    // Moving hands the content (and the duty to save it) to the new object.
    TIniFile2(TIniFile2&& other) noexcept;
    TIniFile2& operator=(TIniFile2&&) = delete;

    // --- loading -------------------------------------------------------------------------
    // Loads the file when it exists (a missing file is no error: returns true, store
    // unchanged) and remembers its name. Appends to what the store holds. On bad input
    // (duplicate section, damaged container) returns false, leaves the store as it was and
    // sets lastError().
    bool loadFromFile(const QString& dateiname);
    // The same for file bytes held in memory (carried data, streams).
    bool loadFromBytes(const QByteArray& bytes);
    // The text held in file bytes: unpacked when packed, decoded as described above. False
    // (with *error) for a damaged container, or for one whose header states more than `grenze`
    // unpacked bytes (refused before anything is unpacked); a check sum mismatch still
    // delivers the text and sets *crcMismatch. *packed tells whether the bytes held a
    // container.
    static bool dateiText(const QByteArray& bytes, TFileFormat format, QString& text,
                          QString* error = nullptr, bool* crcMismatch = nullptr,
                          bool* packed = nullptr, qint64 grenze = maxLadeBytes);
    // Reads a file of at most `grenze` bytes (the size it has, not the bound, is reserved).
    // False with the reason in `grund` for a missing, unreadable or larger file, a device
    // without end, and for too little memory.
    static bool dateiLesen(const QString& dateiname, QByteArray& bytes, QString& grund,
                           qint64 grenze = maxLadeBytes);
    // Whether a text of `zeichen` characters in `zeilen` non-empty lines is within what a load
    // accepts (a text of at most `grenze` characters whose lines fit maxLadeSpeicher). False
    // with the reason in `grund`.
    static bool ladbar(qint64 zeichen, qint64 zeilen, QString& grund, qint64 grenze = maxLadeBytes);
    // Parses a text as if it were a file and appends it (false on a duplicate section).
    bool addtext(const QString& text);
    // Told of each section of a load or addtext as soon as its lines are read, before the
    // next section is read. A reader that builds its own records from the lines may take
    // them out of the section, so a large file does not stay in memory twice; the section
    // itself stays (a repeated section is still refused). When the load then fails, the
    // store stays as it was and the reader's records are of no use.
    std::function<void(TSection& section)> abschnittGelesen;

    // True when the last load found a packed container whose check sum did not match: the
    // data were read all the same (a warning, not a failure). Also set when the load then
    // failed, so the caller can name the damage as the cause.
    bool crcMismatch() const { return crcMismatch_; }
    // The message of the last failure (empty when the last load/save succeeded).
    QString lastError() const { return lastError_; }

    // The most a load of this store accepts (maxLadeBytes unless set): file bytes, unpacked
    // bytes and characters of the text. Saves refuse a content beyond it.
    qint64 ladeGrenze() const { return ladeGrenze_; }
    void setLadeGrenze(qint64 grenze) { ladeGrenze_ = grenze; }
    // Whether the file written now could be loaded again; false with the reason.
    bool wiederLadbar(QString& grund) const;

    // --- saving --------------------------------------------------------------------------
    // Writes the store to filename(): a temporary file beside it, renamed over the target, so
    // a failed write leaves the old file intact. No file name: nothing written, true. A
    // content the loader would refuse (wiederLadbar) is not written.
    // A write-protected file shows "Die Datei %a ist schreibgeschützt. Nicht gespeichert.|".
    // Success clears changed(); a failure keeps it and returns false.
    bool save();
    bool UpdateFile() { return save(); }
    // Writes the file content to another path in the same safe way; the store's file name
    // and changed mark stay as they are.
    bool saveToFile(const QString& path);
    // The file content: packed when `compressed` (empty when packing failed), else the
    // encoded text with its mark.
    QByteArray toBytes() const;
    // The text of the file (lines ended by CR LF).
    QString text() const;

    // --- sections ------------------------------------------------------------------------
    void clear();
    bool leer() const { return list_.empty(); }
    int sectionCount() const { return static_cast<int>(list_.size()); }
    // Makes room in the section index for `count` sections in all (a writer that knows how
    // many it will add saves the index growing step by step).
    void reserveSections(qsizetype count);
    // All section names, each followed by "|".
    QString getSections() const;
    // All section names in file order.
    QStringList ReadSections() const;
    bool SectionExists(const QString& name) const;
    // The section or nullptr (read-only: changes go through the store so its indexes and
    // changed mark follow). The pointer stays valid until that section is erased.
    const TSection* getSection(const QString& name) const;
    // The keys of a section in order (empty when missing).
    QStringList ReadSection(const QString& section) const;
    void eraseSection(const QString& name);
    void EraseSection(const QString& name) { eraseSection(name); }
    // Removes every section whose name starts with the prefix (compared without case).
    void eraseSections(const QString& prefix);
    // Appends a copy of a section, lines as they are, unless a section of that name exists.
    // False when it exists.
    bool abschnittAnhaengen(const TSection& section);

    // --- values --------------------------------------------------------------------------
    bool ValueExists(const QString& section, const QString& key) const;
    // Removes the key; marks changed when it existed.
    void DeleteKey(const QString& section, const QString& key);

    QString ReadString(const QString& section, const QString& key,
                       const QString& def = QString()) const;
    // An empty key shows "tinifile2.writestring: " + section + ".ident ist leer" and writes
    // nothing; so does a key that would not read back as a key (with "=", a line break, or
    // starting with "#" or "["). A line break in the value is stored as "þ", the file's form
    // of it. Marks changed when the stored value changes.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Text before the first ","; not a whole number reads -1; missing key reads def.
    qint64 ReadInteger(const QString& section, const QString& key, qint64 def) const;
    void WriteInteger(const QString& section, const QString& key, qint64 value);
    // "0" reads false, any other value true; missing key reads def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    void WriteBool(const QString& section, const QString& key, bool value);
    // A decimal number in the stored German form ("1.234,5"); unparsable reads 0. A missing
    // key reads def rounded to three decimals.
    double ReadSingle(const QString& section, const QString& key, double def) const;
    // Writes value with `decimals` (negative: up to -decimals, trailing zeros dropped). A value
    // that stores as the default removes the key, so a setting changed back to its default
    // does not keep its old stored value.
    void WriteSingle(const QString& section, const QString& key, double def, int decimals,
                     double value);

    // Two-way accessors: with lesen() set they read into the variable (using the default),
    // else they write the variable's value.
    void str(const QString& section, const QString& key, const QString& def, QString& var);
    void int_(const QString& section, const QString& key, qint64 def, qint64& var);
    void int_(const QString& section, const QString& key, int def, int& var);
    void bool_(const QString& section, const QString& key, bool def, bool& var);

    // --- state ---------------------------------------------------------------------------
    bool changed() const { return changed_; }
    void setChanged(bool c) { changed_ = c; }
    QString filename() const { return filename_; }
    void setFilename(const QString& name) { filename_ = name; }
    TFileFormat fileformat() const { return fileformat_; }
    void setFileformat(TFileFormat f);
    bool compressed() const { return compressed_; }
    void setCompressed(bool c) { compressed_ = c; }
    bool useUtf8() const { return useUtf8_; }
    void setUseUtf8(bool u) { useUtf8_ = u; }
    bool useUnicode() const { return useUnicode_; }
    bool lesen() const { return lesen_; }
    void setLesen(bool l) { lesen_ = l; }
    // Set by writers that fill a fresh file / readers that only read. Lookups are indexed, so
    // neither changes what the store does; they are kept for the callers' bookkeeping.
    bool fastsave() const { return fastsave_; }
    void setFastsave(bool f) { fastsave_ = f; }
    bool fastread() const { return fastread_; }
    void setFastread(bool f) { fastread_ = f; }
    bool sectionEmptyLineSeparator() const { return section_empty_line_separator_; }
    void setSectionEmptyLineSeparator(bool s) { section_empty_line_separator_ = s; }
    bool offen() const { return offen_; }
    UserSeam* seam() const { return seam_; }
    void setSeam(UserSeam* seam) { seam_ = seam; }

private:
    using SectionList = std::list<TSection>;

    using SectionIndex = QHash<QString, SectionList::iterator>;

    TSection* imCache(QStringView small) const;
    TSection* find(const QString& name) const;
    TSection& findOrCreate(const QString& name);
    // The lower-case form of a key for a new line, shared between the lines of equal keys.
    QString kleinerName(const QString& ident, QStringView small);
    // A short value shared with equal values written before.
    QString geteilterWert(const QString& value);
    struct Schreibtabellen;
    void report(const QString& message);
    bool parseInto(const QString& text, SectionList& fresh, SectionIndex& freshIndex,
                   QString& error) const;
    void appendParsed(SectionList& fresh, SectionIndex& freshIndex);
    // The file text in code page 1252, written straight into bytes; false when a character
    // has no byte there. *nonAscii tells whether any byte is 0x80 or above.
    bool cp1252Text(QByteArray& out, bool* nonAscii) const;
    bool writeBytes(const QString& path, const QByteArray& data);
    // The bytes a save writes to `path`; false (reported) when they could not be loaded again.
    bool dateiInhalt(const QString& path, QByteArray& bytes);

    bool offen_ = false;
    bool changed_ = false;
    SectionList list_;
    // The section found last (list_.end(): none); lookups try it and the one after it first.
    mutable SectionList::iterator cache_last_section_ = list_.end();
    SectionIndex index_;                               // name_small -> section
    std::unique_ptr<Schreibtabellen> schreibtabellen_; // made by the first write
    TFileFormat fileformat_ = ffAnsi;
    bool lesen_ = true;
    bool fastsave_ = false;
    bool fastread_ = false;
    bool compressed_ = false;
    bool section_empty_line_separator_ = true;
    bool useUnicode_ = false;
    bool useUtf8_ = false;
    QString filename_;
    bool crcMismatch_ = false;
    QString lastError_;
    UserSeam* seam_ = nullptr;
    qint64 ladeGrenze_ = maxLadeBytes;
};

} // namespace zephan
