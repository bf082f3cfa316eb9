#include "editing/machine_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zephan {

QString gekuerzt(const QString& text) {
    constexpr qsizetype laengste = 40;
    return text.size() > laengste ? text.left(laengste) + QStringLiteral("...") : text;
}

QString zitat(const QString& text) {
    return QLatin1Char('"') + gekuerzt(text) + QLatin1Char('"');
}

bool maschinenZahl(const QString& text, double& wert, QString* fehler) {
    const QString t = text.trimmed();
    const auto nein = [&](const QString& grund) {
        if (fehler) *fehler = zitat(t) + QStringLiteral(" ist keine Zahl") + grund;
        return false;
    };
    if (t.contains(QLatin1Char(',')))
        return nein(QStringLiteral(": das Dezimalzeichen ist der Punkt."));
    // Only what a machine number is made of; this also keeps out "nan" and "inf", which
    // from_chars would take.
    QStringView ziffern(t);
    if (ziffern.startsWith(QLatin1Char('+'))) ziffern = ziffern.mid(1); // from_chars takes no "+"
    std::string s;
    for (const QChar c : ziffern) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || u == u'.' || u == u'e' || u == u'E' || u == u'-' ||
              u == u'+'))
            return nein(QStringLiteral("."));
        s.push_back(static_cast<char>(u));
    }
    // from_chars reads the C locale's format whatever the machine's locale is.
    double x = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    const bool ganz = r.ptr == s.data() + s.size() && !s.empty();
    if (ganz && (r.ec == std::errc::result_out_of_range || !std::isfinite(x)))
        return nein(QStringLiteral(" im darstellbaren Bereich."));
    if (r.ec != std::errc() || !ganz) return nein(QStringLiteral("."));
    wert = x;
    return true;
}

} // namespace zephan
