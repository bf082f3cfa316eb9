#pragma once

#include <QByteArray>
#include <QString>

namespace zephan {

// A picture as the report carries it: the bytes of a Windows bitmap or a JPEG file. The report
// library has no image decoder (Qt Core only); the layout turns these bytes into images.
struct TBild {
    QString art;      // "BMP", "JPG", or empty when the bytes are neither
    QByteArray daten; // the file's bytes

    // Builds a picture from file bytes, detecting the kind with grafikArt().
    static TBild ausDaten(const QByteArray& bytes);
    // True when there is nothing to show: no bytes, or a bitmap whose width is 0 or unreadable.
    bool leer() const;
};

// Picture kind of a byte stream: "BMP" when it starts with the letters B and M, "JPG" when it
// starts with FF D8 and byte 6 is the letter J, empty otherwise.
QString grafikArt(const QByteArray& bytes);

// Width in pixels from a Windows bitmap's header; 0 when the header is missing or damaged.
int bmpBreite(const QByteArray& bytes);

// Writes bytes as the data part of a picture definition line: one character per byte (code
// 0..255), with byte 0 as "\0", LF as "\n", CR as "\r" and the backslash as "\\".
QString grafikDatenSchreiben(const QByteArray& bytes);
// The inverse: a backslash followed by anything else, or standing last, is kept as it is.
// Characters above 255 cannot come from grafikDatenSchreiben and are read as '?'.
QByteArray grafikDatenLesen(QStringView text);

// A picture defined by a "°GX" line, collected by the layout (newest last).
struct TGrafikDefinition {
    QString name;     // trimmed, lower case
    QString art;      // "BMP", "JPG", "QRDATA" or what the line said
    QByteArray daten; // file bytes; for "QRDATA" the text "w=..,h=..,data=.." as Latin-1
};

// Reads the argument of a "°GX" line (name "|" kind "|" data). A missing part is empty; the
// data of "JPG" and "BMP" (and of any other kind) are decoded with grafikDatenLesen.
TGrafikDefinition grafikDefinitionLesen(QStringView argument);

// Name under which a picture is stored and looked up: trimmed and lower-cased.
QString grafikName(const QString& titel);

} // namespace zephan
