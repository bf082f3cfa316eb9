#include "store/binary_data.h"

#include "store/carried_data.h"
#include "store/codepage1252.h"
#include "store/number_format.h"
#include "store/output_target.h"
#include "store/packed_container.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace zephan {

namespace {

constexpr qsizetype textGrenzeBytes = 9999;
constexpr qsizetype textGrenzeZeichen = 2000;

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (istUtf8(bytes)) return QString::fromUtf8(bytes);
    return decodeCp1252(bytes);
}

QByteArray encodeText(const QString& text) {
    bool complete = true;
    const QByteArray ansi = encodeCp1252(text, &complete);
    return complete ? ansi : text.toUtf8();
}

// Lines as a text list holds them: a final line break does not open another line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

void setBuffer(QBuffer& buffer, const QByteArray& bytes) {
    buffer.close();
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadWrite);
}

} // namespace

TBinaryData::TBinaryData() {
    MemStream.open(QIODevice::ReadWrite);
    oristream.open(QIODevice::ReadWrite);
}

TBinaryData::TBinaryData(const QString& resourceName, const QString& extension, bool compressed)
    : TBinaryData() {
    t_ext = extension;
    const QByteArray text = carriedData(resourceName);
    if (text.isEmpty()) fehlertext_ = QStringLiteral("Datenblock %1 fehlt").arg(resourceName);
    fcomp = compressed;
    setStored(compressed ? packenBytes(text) : text);
}

TBinaryData::TBinaryData(const QByteArray& stored, bool compressed, const QString& extension)
    : TBinaryData() {
    t_ext = extension;
    fcomp = compressed;
    setStored(stored);
}

void TBinaryData::setStored(const QByteArray& bytes) {
    setBuffer(MemStream, bytes);
    uncompsize_ = -1;
}

QByteArray TBinaryData::TheData() const {
    QByteArray out(4, '\0');
    qToLittleEndian<qint32>(static_cast<qint32>(MemStream.size()), out.data());
    return out + MemStream.data();
}

bool TBinaryData::setTheData(const QByteArray& resource) {
    if (resource.size() < 4) return false;
    const qint32 count = qFromLittleEndian<qint32>(resource.constData());
    if (count < 0 || count > resource.size() - 4) return false;
    setStored(resource.mid(4, count));
    return true;
}

QByteArray TBinaryData::unpackStored() {
    QByteArray out;
    crcFehler_ = false;
    fehlertext_.clear();
    if (!entpackenBytes(MemStream.data(), out, &fehlertext_, &crcFehler_) && !crcFehler_) return {};
    return out;
}

bool TBinaryData::setCompressed(bool compressed) {
    if (compressed == fcomp) return true;
    if (compressed) {
        setStored(packenBytes(MemStream.data()));
    } else {
        QByteArray out;
        crcFehler_ = false;
        fehlertext_.clear();
        if (!entpackenBytes(MemStream.data(), out, &fehlertext_, &crcFehler_) && !crcFehler_)
            return false;
        setStored(out);
    }
    fcomp = compressed;
    return true;
}

qint64 TBinaryData::DataSizeUnKomprimiert() {
    if (!fcomp) return DataSize();
    if (uncompsize_ >= 0) return uncompsize_;
    const QByteArray& stored = MemStream.data();
    if (!istContainer(stored)) return -1;
    if (static_cast<uchar>(stored.at(0)) == 0xFE) {
        if (stored.size() < 9) return -1;
        uncompsize_ = qFromLittleEndian<qint64>(stored.constData() + 1);
    } else {
        QByteArray copy = stored;
        QBuffer b(&copy);
        b.open(QIODevice::ReadOnly);
        tmyHeadintern head;
        if (!kopfLesen(b, head)) return -1;
        uncompsize_ = head.uncompress_size;
    }
    return uncompsize_;
}

QString TBinaryData::ratio() {
    if (fcomp && DataSize() > 8) {
        const qint64 unpacked = DataSizeUnKomprimiert();
        if (unpacked > 0)
            return QString::number(runden(static_cast<double>(DataSize()) * 100.0 /
                                          static_cast<double>(unpacked))) +
                   QLatin1Char('%');
    }
    return QStringLiteral("100%");
}

QIODevice& TBinaryData::GetStream() {
    if (fcomp) {
        setBuffer(oristream, unpackStored());
        return oristream;
    }
    MemStream.seek(0);
    return MemStream;
}

QByteArray TBinaryData::inhalt() {
    return fcomp ? unpackStored() : MemStream.data();
}

QStringList TBinaryData::Lines() {
    flines = splitLines(decodeText(inhalt()));
    return flines;
}

void TBinaryData::setLines(const QStringList& lines) {
    flines = lines;
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    const QByteArray bytes = encodeText(text);
    setStored(fcomp ? packenBytes(bytes) : bytes);
    t_ext = QStringLiteral("txt");
}

QString TBinaryData::textfull() {
    QString text;
    for (const QString& line : Lines()) text += line + QStringLiteral("\r\n");
    return text;
}

QString TBinaryData::Text() {
    if (DataSize() > textGrenzeBytes) return {};
    return textfull().left(textGrenzeZeichen);
}

void TBinaryData::clear() {
    setStored({});
    uncompsize_ = 0;
    t_ext.clear();
}

bool TBinaryData::loadfromfile(const QString& name) {
    t_ext = QFileInfo(name).suffix();
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    setStored(fcomp ? packenBytes(bytes) : bytes);
    return true;
}

bool TBinaryData::SaveToFile(const QString& name) {
    // A link is written through; a device, FIFO or socket is never replaced.
    QString ziel, grund;
    if (!schreibZiel(name, ziel, grund)) return false;
    const QFileInfo info(ziel);
    // A write-protected file stays; it is never half replaced.
    if (info.exists() && (!info.isFile() || !info.isWritable())) return false;
    QSaveFile f(ziel);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = inhalt();
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool TBinaryData::SaveToFileIfNotExists(const QString& name) {
    const QFileInfo info(name);
    if (info.exists() && info.size() == DataSizeUnKomprimiert()) return true;
    return SaveToFile(name);
}

bool TBinaryData::savetostream(QIODevice& stream) {
    if (!stream.isWritable()) return false;
    if (auto* buffer = qobject_cast<QBuffer*>(&stream)) {
        buffer->buffer().clear();
        buffer->seek(0);
    } else if (auto* file = qobject_cast<QFileDevice*>(&stream)) {
        if (!file->resize(0) || !file->seek(0)) return false;
    } else if (!stream.isSequential() && !stream.seek(0)) {
        return false;
    }
    const QByteArray bytes = inhalt();
    return stream.write(bytes) == bytes.size();
}

} // namespace zephan
