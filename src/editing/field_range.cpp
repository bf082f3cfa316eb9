#include "editing/field_range.h"

#include "store/number_format.h"

#include <algorithm>

namespace zephan {

QString Bereich::hinweis() const {
    QString t = QStringLiteral("zulässig: ") + formatZahl(min, -3) + QStringLiteral(" bis ") +
                formatZahl(max, -3);
    if (!einheit.isEmpty()) t += QLatin1Char(' ') + einheit;
    return t;
}

namespace bereiche {

Bereich abmessung() {
    return {10, 10000, QStringLiteral("mm")};
}
Bereich grenze() {
    return {0, 10000, QStringLiteral("mm")};
}
Bereich laenge() {
    return {0, 1000000, QStringLiteral("mm")};
}
Bereich volumenstrom() {
    return {0, 1000000, QStringLiteral("m³/h")};
}
Bereich geschwindigkeit() {
    return {0, 100, QStringLiteral("m/s")};
}
Bereich gefaelle() {
    return {0, 100, QStringLiteral("Pa/m")};
}
Bereich zeta() {
    return {-100, 1000, QString()};
}
Bereich druck() {
    return {0, 100000, QStringLiteral("Pa")};
}
Bereich dichte() {
    return {0.5, 2, QStringLiteral("kg/m³")};
}

Bereich wertSlot(const QString& caption, const QString& einheit, int katalogMin, int katalogMax) {
    Bereich b;
    b.einheit = einheit;
    // Temperatures, a room's pressure and an offset may be below zero.
    if (caption.startsWith(QStringLiteral("t°")))
        b = {-60, 150, QStringLiteral("°C")};
    else if (caption == QStringLiteral("Raumdruck"))
        b = {-10000, 10000, einheit};
    else if (caption == QStringLiteral("Höhensprung"))
        b = {-100000, 100000, einheit};
    else if (caption == QStringLiteral("Dichte"))
        b = dichte();
    else if (caption == QStringLiteral("Winkel"))
        b = {0, 360, einheit};
    else if (einheit == QStringLiteral("mm"))
        b = laenge();
    else if (einheit == QStringLiteral("m³/h"))
        b = volumenstrom();
    else if (einheit == QStringLiteral("m/s"))
        b = geschwindigkeit();
    else if (einheit == QStringLiteral("Pa"))
        b = druck();
    else if (einheit == QStringLiteral("°"))
        b = {0, 360, einheit};
    else if (einheit == QStringLiteral("%"))
        b = {0, 100, einheit};
    // The catalogue's limits (>= 0) narrow the plausible range.
    if (katalogMin > 0) b.min = std::max(b.min, double(katalogMin));
    if (katalogMax > 0 && katalogMax >= b.min) b.max = std::min(b.max, double(katalogMax));
    return b;
}

} // namespace bereiche
} // namespace zephan
