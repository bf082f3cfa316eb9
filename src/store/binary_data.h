#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zephan {

// One data block carried in the program or loaded from a file: the stored bytes are either
// the raw content or, when Compressed, one packed container. Not copyable (it hands out its
// streams by reference).
class TBinaryData {
public:
    TBinaryData();
    // A block carried as a Qt resource below ":/data/" (readable text). When compressed, the
    // text is held packed, as the program's own blocks are.
    // Pass names as QString (QStringLiteral); a plain literal would also fit the bytes form.
    explicit TBinaryData(const QString& resourceName, const QString& extension = {},
                         bool compressed = false);
    // Stored bytes taken as they are: a container when compressed, else the content.
    explicit TBinaryData(const QByteArray& stored, bool compressed = false,
                         const QString& extension = {});
    TBinaryData(const TBinaryData&) = delete;
    TBinaryData& operator=(const TBinaryData&) = delete;

    // The block as a resource property: a 32-bit little-endian byte count, then the stored
    // bytes (a count of 0 means empty).
    QByteArray TheData() const;
    // Reads that form; only the stored bytes change (the Compressed flag stays as it is, as
    // when a block is loaded). A count that is negative or longer than the bytes given is
    // refused and leaves the block as it was.
    bool setTheData(const QByteArray& resource);

    bool Compressed() const { return fcomp; }
    // Packs or unpacks the stored bytes in place. Unpacking a damaged container is refused
    // (false) and changes nothing.
    bool setCompressed(bool compressed);

    QString Extension() const { return t_ext; }
    void setExtension(const QString& extension) { t_ext = extension; }

    qint64 DataSize() const { return MemStream.size(); }
    // The unpacked size, read once from the stored container's header; -1 when it cannot be
    // told.
    qint64 DataSizeUnKomprimiert();
    // Stored size in per cent of the unpacked size, e.g. "25%".
    QString ratio();

    // The unpacked content, positioned at its start. A CRC mismatch is ignored here
    // (crcFehler() tells); a container that cannot be read gives an empty stream.
    QIODevice& GetStream();
    // The unpacked content as bytes.
    QByteArray inhalt();
    const QByteArray& gespeichert() const { return MemStream.data(); }
    bool crcFehler() const { return crcFehler_; }
    // The reason of the last failed unpack, empty after success.
    QString fehlertext() const { return fehlertext_; }

    // Content as text lines (UTF-8 when it is valid UTF-8, else code page 1252).
    QStringList Lines();
    // Replaces the content by the lines (CR LF after each), sets the extension "txt" and
    // packs again when compressed.
    void setLines(const QStringList& lines);
    QString textfull();
    // Empty for a stored block of more than 9999 bytes, else at most 2000 characters.
    QString Text();

    void clear();
    // The stored bytes become the file's; the extension is taken from the name even when
    // reading fails (then the content stays as it was and false is returned).
    bool loadfromfile(const QString& name);
    // Writes the unpacked content through a temporary file beside the target; a target that
    // is write-protected is not replaced. Never throws.
    bool SaveToFile(const QString& name);
    bool SaveToFileIfNotExists(const QString& name);
    // Replaces the stream's content by the unpacked content.
    bool savetostream(QIODevice& stream);

private:
    void setStored(const QByteArray& bytes);
    QByteArray unpackStored();

    QBuffer MemStream;
    QBuffer oristream;
    QStringList flines;
    QString t_ext;
    bool fcomp = false;
    qint64 uncompsize_ = -1;
    bool crcFehler_ = false;
    QString fehlertext_;
};

} // namespace zephan
