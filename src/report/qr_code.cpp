#include "report/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace zephan {

QString QrModule::alsQrData() const {
    return QStringLiteral("w=") + QString::number(breite) + QStringLiteral(",h=") +
           QString::number(hoehe) + QStringLiteral(",data=") + module;
}

QrModule qrKodieren(const QString& inhalt, bool utf8) {
    QrModule r;
    QByteArray bytes;
    if (utf8)
        bytes = QByteArrayLiteral("\xEF\xBB\xBF") + inhalt.toUtf8();
    else
        bytes = inhalt.toLatin1(); // characters outside Latin-1 become '?'
    if (bytes.isEmpty()) {
        r.fehler = QStringLiteral("kein Inhalt");
        return r;
    }
    // Byte mode keeps the bytes as given; medium error correction survives a smudged print.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(static_cast<int>(bytes.size()),
                          reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!code) {
        r.fehler = QStringLiteral("Inhalt zu lang (") + QString::number(bytes.size()) +
                   QStringLiteral(" Byte)");
        return r;
    }
    const int w = code->width;
    r.breite = w;
    r.hoehe = w;
    r.module.resize(static_cast<qsizetype>(w) * w);
    for (int i = 0; i < w * w; ++i)
        r.module[i] = (code->data[i] & 1) ? QLatin1Char('1') : QLatin1Char('0');
    return r;
}

QrModule qrDatenLesen(const QString& text) {
    QrModule r;
    bool hatModule = false;
    qsizetype pos = 0;
    // The module string holds no comma, so items end at the next comma; "data=" takes the rest
    // of its item.
    while (pos <= text.size()) {
        qsizetype ende = text.indexOf(QLatin1Char(','), pos);
        if (ende < 0) ende = text.size();
        const QString item = text.mid(pos, ende - pos);
        const qsizetype gleich = item.indexOf(QLatin1Char('='));
        const QString key = gleich < 0 ? item : item.left(gleich);
        const QString wert = gleich < 0 ? QString() : item.mid(gleich + 1);
        if (key == QLatin1String("w")) {
            r.breite = wert.toInt();
        } else if (key == QLatin1String("h")) {
            r.hoehe = wert.toInt();
        } else if (key == QLatin1String("data")) {
            r.module = wert;
            hatModule = true;
        } else {
            r.fehler = QStringLiteral("QRDATA Kennung unbekannt:") + text.mid(pos);
            return r;
        }
        pos = ende + 1;
    }
    if (!hatModule || r.breite <= 0 || r.hoehe <= 0 ||
        static_cast<qint64>(r.breite) * r.hoehe != r.module.size()) {
        r.fehler = QStringLiteral("QRDATA w und h ergibt nich data");
        return r;
    }
    return r;
}

} // namespace zephan
