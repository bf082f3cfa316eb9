#include "store/echo_text.h"

namespace zephan {

QString eingabeZeigen(QStringView text, qsizetype max) {
    QString out;
    const qsizetype n = std::min(text.size(), max);
    out.reserve(n + 8);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.unicode() == 0)
            out += QStringLiteral("<NUL>");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("<0x%1>").arg(
                QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0')));
        else
            out += c;
    }
    if (text.size() > max) out += QChar(0x2026);
    return out;
}

} // namespace zephan
