#pragma once

#include <QString>

namespace zephan {

// The module matrix of a QR code in the report's text form.
struct QrModule {
    int breite = 0; // columns
    int hoehe = 0;  // rows
    QString module; // hoehe × breite characters, row by row: '1' dark, '0' light
    QString fehler; // empty on success, else the message to show

    bool ok() const { return fehler.isEmpty(); }
    // "w=" + columns + ",h=" + rows + ",data=" + modules
    QString alsQrData() const;
};

// Encodes text as a QR code without quiet zone: the text as ISO 8859-1 bytes (characters
// outside it become '?'), or with utf8 as UTF-8 behind a byte-order mark. Empty or too long
// content gives no modules and the reason in fehler ("kein Inhalt", "Inhalt zu lang (n Byte)").
QrModule qrKodieren(const QString& inhalt, bool utf8);

// Reads the data part of a "QRDATA" picture definition ("w=..,h=..,data=.."). On an unknown
// key the result's fehler is "QRDATA Kennung unbekannt:" + the rest; when the module count is
// not w × h (or w or h is no positive number) it is "QRDATA w und h ergibt nich data". Any
// module character other than '1' is light.
QrModule qrDatenLesen(const QString& text);

} // namespace zephan
