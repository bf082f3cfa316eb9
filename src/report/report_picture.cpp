#include "report/report_picture.h"

namespace zephan {

QString grafikArt(const QByteArray& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return QStringLiteral("BMP");
    if (bytes.size() >= 7 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xD8 && bytes[6] == 'J')
        return QStringLiteral("JPG");
    return {};
}

namespace {
quint32 leLesen(const QByteArray& b, qsizetype pos, int bytes) {
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[pos + i]);
    return v;
}
} // namespace

int bmpBreite(const QByteArray& bytes) {
    // File header (14 bytes), then the info header whose first field is its own size.
    if (bytes.size() < 18 || grafikArt(bytes) != QLatin1String("BMP")) return 0;
    const quint32 kopfGroesse = leLesen(bytes, 14, 4);
    if (kopfGroesse == 12) { // the old OS/2 header: 16-bit width
        if (bytes.size() < 20) return 0;
        return static_cast<int>(leLesen(bytes, 18, 2));
    }
    if (kopfGroesse < 16 || bytes.size() < 22) return 0;
    const auto breite = static_cast<qint32>(leLesen(bytes, 18, 4));
    return breite > 0 ? breite : 0;
}

TBild TBild::ausDaten(const QByteArray& bytes) {
    return TBild{grafikArt(bytes), bytes};
}

bool TBild::leer() const {
    if (daten.isEmpty()) return true;
    if (art == QLatin1String("BMP")) return bmpBreite(daten) <= 0;
    return false;
}

QString grafikDatenSchreiben(const QByteArray& bytes) {
    QString s;
    s.reserve(bytes.size() + bytes.size() / 16);
    for (const char c : bytes) {
        switch (c) {
        case '\0':
            s += QLatin1String("\\0");
            break;
        case '\n':
            s += QLatin1String("\\n");
            break;
        case '\r':
            s += QLatin1String("\\r");
            break;
        case '\\':
            s += QLatin1String("\\\\");
            break;
        default:
            s += QChar(static_cast<unsigned char>(c));
            break;
        }
    }
    return s;
}

QByteArray grafikDatenLesen(QStringView text) {
    QByteArray b;
    b.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\' && i + 1 < n) {
            const char16_t e = text[i + 1].unicode();
            char ersatz = 0;
            bool bekannt = true;
            switch (e) {
            case u'0':
                ersatz = '\0';
                break;
            case u'n':
                ersatz = '\n';
                break;
            case u'r':
                ersatz = '\r';
                break;
            case u'\\':
                ersatz = '\\';
                break;
            default:
                bekannt = false;
                break;
            }
            if (bekannt) {
                b += ersatz;
                ++i;
                continue;
            }
        }
        b += c > 255 ? '?' : static_cast<char>(c);
    }
    return b;
}

QString grafikName(const QString& titel) {
    return titel.trimmed().toLower();
}

TGrafikDefinition grafikDefinitionLesen(QStringView argument) {
    TGrafikDefinition d;
    const qsizetype a = argument.indexOf(QLatin1Char('|'));
    if (a < 0) {
        d.name = grafikName(argument.toString());
        return d;
    }
    d.name = grafikName(argument.left(a).toString());
    // The data may hold "|" (byte 124), so only the first two separators count.
    const qsizetype b = argument.indexOf(QLatin1Char('|'), a + 1);
    if (b < 0) {
        d.art = argument.mid(a + 1).toString();
        return d;
    }
    d.art = argument.mid(a + 1, b - a - 1).toString();
    const QStringView daten = argument.mid(b + 1);
    if (d.art == QLatin1String("QRDATA"))
        d.daten = daten.toLatin1();
    else
        d.daten = grafikDatenLesen(daten);
    return d;
}

} // namespace zephan
