#include "store/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace zephan {

namespace {

// x written with `decimals` decimals into buf (length returned) when that is certain to match
// QString::number: both round the exact value correctly, so they differ only on an exact tie
// (...,5 at the first dropped digit), which is left to QString::number, as are large values.
std::optional<int> ohneGleichstand(double x, int decimals, char* buf) {
    static constexpr double skala[] = {2, 20, 200, 2000, 20000, 200000, 2000000};
    if (decimals > 6) return std::nullopt;
    const double m = skala[decimals];
    const double p = x * m;
    if (!(std::fabs(p) < 4503599627370496.0)) return std::nullopt; // 2^52
    // x * m exactly an odd whole number: a tie
    if (std::fma(x, m, -p) == 0 && p == std::trunc(p) && std::fmod(p, 2.0) != 0)
        return std::nullopt;
    // Clear of a tie, the scaled value rounds to the same whole number as the exact one (its
    // error is far below the margin): the digits are written from that number, as to_chars
    // would write them; close to a tie to_chars decides.
    static constexpr double zehner[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    static constexpr long long zehnerGanz[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double s = std::fabs(x) * zehner[decimals];
    if (s < 1e9) {
        const double unten = std::floor(s);
        const double rest = s - unten;
        if (std::fabs(rest - 0.5) > 1e-6) {
            const long long g = static_cast<long long>(unten) + (rest > 0.5 ? 1 : 0);
            char* o = buf;
            if (std::signbit(x)) *o++ = '-';
            o = std::to_chars(o, buf + 40, g / zehnerGanz[decimals]).ptr;
            if (decimals > 0) {
                *o++ = '.';
                long long bruch = g % zehnerGanz[decimals];
                for (int k = decimals - 1; k >= 0; --k) {
                    o[k] = static_cast<char>('0' + bruch % 10);
                    bruch /= 10;
                }
                o += decimals;
            }
            return static_cast<int>(o - buf);
        }
    }
    const auto r = std::to_chars(buf, buf + 40, x, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return std::nullopt;
    return static_cast<int>(r.ptr - buf);
}

// The picture of a number: its digits with sign, groups and decimal comma laid out, so it can
// be written into a string of its own or appended to a line in place.
struct Zahlbild {
    QString s;
    QChar ziffern[48];
    const QChar* c = ziffern;
    qsizetype n = 0;
    bool negative = false;
    bool grouped = true;
    qsizetype anfang = 0, ganzEnde = 0, bruchAnfang = 0, bruchEnde = 0, ganz = 0, bruch = 0,
              punkte = 0;

    Zahlbild(const Zahlbild&) = delete; // c may point into ziffern

    // x must be finite.
    Zahlbild(double x, int d, bool gruppen) : grouped(gruppen) {
        const int decimals = d < 0 ? -d : d;
        // The digits come from QString::number (its rounding is the one the reports show); the
        // sign, the thousands points and the decimal comma are then set in one pass over
        // them, as this runs for every number of every report line. Whole numbers (flows,
        // dimensions) need no rounding and are written directly.
        if (decimals <= 16 && std::fabs(x) < 1e15 && x == std::trunc(x)) {
            char buf[48];
            char* e = std::to_chars(buf, buf + 20, static_cast<long long>(x)).ptr;
            if (decimals > 0) {
                *e++ = '.';
                for (int k = 0; k < decimals; ++k) *e++ = '0';
            }
            for (const char* b = buf; b != e; ++b) ziffern[n++] = QLatin1Char(*b);
        } else if (char buf[48]; const std::optional<int> l = ohneGleichstand(x, decimals, buf)) {
            for (int k = 0; k < *l; ++k) ziffern[n++] = QLatin1Char(buf[k]);
        } else {
            s = QString::number(x, 'f', decimals);
            c = s.constData();
            n = s.size();
        }
        negative = n > 0 && c[0] == QLatin1Char('-');
        anfang = negative ? 1 : 0;
        qsizetype punkt = anfang;
        while (punkt < n && c[punkt] != QLatin1Char('.')) ++punkt;
        ganzEnde = punkt;
        bruchAnfang = punkt < n ? punkt + 1 : n;
        bruchEnde = n;
        if (d < 0) {
            while (bruchEnde > bruchAnfang && c[bruchEnde - 1] == QLatin1Char('0')) --bruchEnde;
        }
        // "-0" and "-0,00" read as zero
        if (negative) {
            bool allZero = true;
            for (qsizetype k = anfang; k < ganzEnde && allZero; ++k)
                if (c[k] != QLatin1Char('0')) allZero = false;
            for (qsizetype k = bruchAnfang; k < bruchEnde && allZero; ++k)
                if (c[k] != QLatin1Char('0')) allZero = false;
            if (allZero) negative = false;
        }
        ganz = ganzEnde - anfang;
        bruch = bruchEnde - bruchAnfang;
        punkte = grouped && ganz > 0 ? (ganz - 1) / 3 : 0;
    }

    qsizetype laenge() const {
        return qsizetype(negative ? 1 : 0) + ganz + punkte + (bruch > 0 ? bruch + 1 : 0);
    }

    void schreiben(QChar* o) const {
        if (negative) *o++ = QLatin1Char('-');
        for (qsizetype i = 0; i < ganz; ++i) {
            if (grouped && i > 0 && (ganz - i) % 3 == 0) *o++ = QLatin1Char('.');
            *o++ = c[anfang + i];
        }
        if (bruch > 0) {
            *o++ = QLatin1Char(',');
            for (qsizetype k = bruchAnfang; k < bruchEnde; ++k) *o++ = c[k];
        }
    }
};

QString format(double x, int d, bool grouped) {
    if (!std::isfinite(x)) return QStringLiteral("-");
    const Zahlbild z(x, d, grouped);
    QString out(z.laenge(), Qt::Uninitialized);
    z.schreiben(out.data());
    return out;
}

} // namespace

QString formatZahl(double x, int d) {
    return format(x, d, true);
}

namespace {
// Whole numbers of up to three digits without decimals fill most cells of a report table: no
// rounding and no grouping, their digits are written directly. Returns the count written
// (at most 4), 0 when x is no such number.
qsizetype kleineGanzzahl(QChar* ziel, double x, int d) {
    if (d != 0 || !(x > -1000 && x < 1000) || x != std::trunc(x)) return 0;
    QChar ziffern[4];
    QChar* e = ziffern + 4;
    int v = static_cast<int>(x);
    const bool negativ = v < 0;
    if (negativ) v = -v;
    do {
        *--e = QLatin1Char(static_cast<char>('0' + v % 10));
        v /= 10;
    } while (v > 0);
    if (negativ) *--e = QLatin1Char('-');
    const qsizetype n = ziffern + 4 - e;
    std::copy(e, ziffern + 4, ziel);
    return n;
}
} // namespace

void formatZahlAnhaengen(QString& ziel, double x, int d) {
    if (!std::isfinite(x)) {
        ziel += QLatin1Char('-');
        return;
    }
    QChar klein[4];
    if (const qsizetype n = kleineGanzzahl(klein, x, d)) {
        ziel.append(klein, n);
        return;
    }
    const Zahlbild z(x, d, true);
    const qsizetype alt = ziel.size();
    ziel.resize(alt + z.laenge());
    z.schreiben(ziel.data() + alt);
}

qsizetype formatZahlSchreiben(QChar* ziel, double x, int d) {
    if (!std::isfinite(x)) {
        *ziel = QLatin1Char('-');
        return 1;
    }
    if (const qsizetype n = kleineGanzzahl(ziel, x, d)) return n;
    const Zahlbild z(x, d, true);
    z.schreiben(ziel);
    return z.laenge();
}

QString formatZahlOhneGruppen(double x, int d) {
    return format(x, d, false);
}

QString formatVolumenstrom(double q) {
    return format(static_cast<double>(runden(q)), 0, true);
}

namespace {
// A plain decimal ("-12,5", "340") read without going through the locale machinery: the
// calculations read the velocity and zeta texts of every component this way. Anything else
// (exponents, leading zeros, "-0", signs inside, very long texts) is left to the general path;
// both round correctly, so they agree on every text read here.
bool leseEinfach(const QString& text, double& v) {
    char buf[64];
    int n = 0;
    int ziffernVorKomma = 0;
    int ziffernNachKomma = 0;
    bool komma = false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'+' || u == u'.') continue;
        if (n >= static_cast<int>(sizeof buf)) return false;
        if (u >= u'0' && u <= u'9') {
            if (komma) {
                ++ziffernNachKomma;
            } else {
                // a leading zero only directly before the comma
                if (ziffernVorKomma == 1 && buf[n - 1] == '0') return false;
                ++ziffernVorKomma;
            }
            buf[n++] = static_cast<char>(u);
        } else if (u == u'-' && n == 0) {
            buf[n++] = '-';
        } else if (u == u',' && !komma && ziffernVorKomma > 0) {
            komma = true;
            buf[n++] = '.';
        } else {
            return false;
        }
    }
    if (ziffernVorKomma == 0 || (komma && ziffernNachKomma == 0)) return false;
    const auto [ende, fehler] = std::from_chars(buf, buf + n, v);
    if (fehler != std::errc() || ende != buf + n || !std::isfinite(v)) return false;
    return !(v == 0 && buf[0] == '-');
}
} // namespace

double leseZahl(const QString& text, bool* ok, double fallback) {
    double schnell = 0;
    if (leseEinfach(text, schnell)) {
        if (ok) *ok = true;
        return schnell;
    }
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

QString formatZahltext(const QString& text, int d, bool* ok) {
    bool gut = false;
    const double x = leseZahl(text, &gut);
    if (ok) *ok = gut;
    if (!gut) return QString();
    // The digits of a plain decimal text; anything else (an exponent) rounds its value.
    std::string ziffern;
    ziffern.reserve(static_cast<size_t>(text.size()) + 1);
    bool negativ = false;
    bool komma = false;
    int nachKomma = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'+' || u == u'.') continue;
        if (u == u'-' && ziffern.empty() && !negativ) {
            negativ = true;
        } else if (u == u',' && !komma) {
            komma = true;
            ziffern += '.';
        } else if (u >= u'0' && u <= u'9') {
            ziffern += static_cast<char>(u);
            if (komma) ++nachKomma;
        } else {
            return formatZahl(x, d);
        }
    }
    if (d < 0 || nachKomma <= d) return formatZahl(x, d);
    // Keep d decimals; a first dropped digit of 5 or more adds one in the last kept place.
    const size_t punkt = ziffern.find('.');
    const bool auf = ziffern[punkt + 1 + static_cast<size_t>(d)] >= '5';
    std::string kopf = ziffern.substr(0, d == 0 ? punkt : punkt + 1 + static_cast<size_t>(d));
    if (auf) {
        int k = static_cast<int>(kopf.size()) - 1;
        for (; k >= 0; --k) {
            if (kopf[static_cast<size_t>(k)] == '.') continue;
            if (kopf[static_cast<size_t>(k)] != '9') {
                ++kopf[static_cast<size_t>(k)];
                break;
            }
            kopf[static_cast<size_t>(k)] = '0';
        }
        if (k < 0) kopf.insert(kopf.begin(), '1');
    }
    if (kopf.empty() || kopf.front() == '.') kopf.insert(kopf.begin(), '0');
    double r = 0;
    std::from_chars(kopf.data(), kopf.data() + kopf.size(), r);
    return formatZahl(negativ ? -r : r, d);
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
