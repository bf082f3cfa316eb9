#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

QString groupThousands(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    out.reserve(n + n / 3);
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += QLatin1Char('.');
        out += digits[i];
    }
    return out;
}

QString format(double x, int d, bool grouped) {
    if (!std::isfinite(x)) return QStringLiteral("-");
    const int decimals = d < 0 ? -d : d;
    QString s = QString::number(x, 'f', decimals);
    bool negative = s.startsWith(QLatin1Char('-'));
    if (negative) s.remove(0, 1);
    qsizetype dot = s.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? s : s.left(dot);
    QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if (d < 0) {
        while (frac.endsWith(QLatin1Char('0'))) frac.chop(1);
    }
    // "-0" and "-0,00" read as zero
    bool allZero = true;
    for (QChar c : whole + frac)
        if (c != QLatin1Char('0')) allZero = false;
    if (allZero) negative = false;
    QString out = negative ? QStringLiteral("-") : QString();
    out += grouped ? groupThousands(whole) : whole;
    if (!frac.isEmpty()) out += QLatin1Char(',') + frac;
    return out;
}

} // namespace

QString formatZahl(double x, int d) {
    return format(x, d, true);
}

QString formatZahlOhneGruppen(double x, int d) {
    return format(x, d, false);
}

QString formatVolumenstrom(double q) {
    return format(static_cast<double>(runden(q)), 0, true);
}

double leseZahl(const QString& text, bool* ok, double fallback) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace() || c == QLatin1Char('+') || c == QLatin1Char('.')) continue;
        s += c == QLatin1Char(',') ? QLatin1Char('.') : c;
    }
    bool good = false;
    double v = s.isEmpty() ? 0 : s.toDouble(&good);
    if (!good || !std::isfinite(v)) {
        if (ok) *ok = false;
        return fallback;
    }
    if (ok) *ok = true;
    return v;
}

int leseGanzzahl(const QString& text) {
    QString s;
    for (QChar c : text) {
        if (c == QLatin1Char(',')) break;
        if (c.isSpace() || c == QLatin1Char('+') || c == QLatin1Char('.')) continue;
        s += c;
    }
    bool good = false;
    const int v = s.toInt(&good);
    return good ? v : -1;
}

namespace {
// Values beyond the 64-bit range saturate instead of overflowing the conversion.
long long saturate(double x) {
    constexpr double limit = 9.2e18;
    if (!std::isfinite(x)) return 0;
    if (x >= limit) return static_cast<long long>(limit);
    if (x <= -limit) return -static_cast<long long>(limit);
    return static_cast<long long>(x);
}
} // namespace

long long runden(double x) {
    return saturate(std::nearbyint(x));
}

long long kuerzen(double x) {
    return saturate(std::trunc(x));
}

} // namespace zephan
