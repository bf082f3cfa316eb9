#include "render/report_font.h"

#include "render/masse.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace zephan {

int schriftHoehe(int punkte) {
    if (punkte < 1) punkte = 1;
    return static_cast<int>(std::lround(punkte * 254.0 / 72.0));
}

int TSchrift::hoehe() const {
    return schriftHoehe(groesse);
}

quint8 TSchrift::stil() const {
    return static_cast<quint8>((fett ? 1 : 0) | (kursiv ? 2 : 0) | (unterstrichen ? 4 : 0) |
                               (durchgestrichen ? 8 : 0));
}

void TSchrift::setStil(quint8 s) {
    fett = s & 1;
    kursiv = s & 2;
    unterstrichen = s & 4;
    durchgestrichen = s & 8;
}

namespace {

struct FontEintrag {
    QFont font;
    double oberlaenge = 0;
    QHash<QString, float> breiten;
    // Advances of the Latin-1 characters and the positive part of what shaping adds to a pair
    // of them, at the reference size; negative until measured.
    std::array<float, 256> zeichen;
    std::vector<float> paare;

    FontEintrag() { zeichen.fill(-1); }
    float zeichenBreite(unsigned c) {
        float& w = zeichen[c];
        if (w < 0) w = static_cast<float>(QFontMetricsF(font).horizontalAdvance(QChar(c)));
        return w;
    }
    float paarZuschlag(unsigned a, unsigned b) {
        if (paare.empty()) paare.assign(256 * 256, -1);
        float& z = paare[a * 256 + b];
        if (z < 0) {
            const QChar paar[2] = {QChar(a), QChar(b)};
            const double ganz = QFontMetricsF(font).horizontalAdvance(QString(paar, 2));
            z = static_cast<float>(std::max(0.0, ganz - zeichenBreite(a) - zeichenBreite(b)));
        }
        return z;
    }
};

// Keyed by the family name as written plus the four style bits.
// Lives until the process ends: fonts must not be destroyed after the application object.
QHash<QString, FontEintrag*>& fonts() {
    static auto* f = new QHash<QString, FontEintrag*>;
    return *f;
}

qsizetype gespeicherteBreiten = 0;

FontEintrag& eintragSuchen(const QString& name, bool fett, bool kursiv, bool unter, bool durch) {
    QString key = name;
    key += QChar(u'0' + (fett ? 1 : 0) + (kursiv ? 2 : 0) + (unter ? 4 : 0) + (durch ? 8 : 0));
    auto& f = fonts();
    auto it = f.find(key);
    if (it != f.end()) return **it;
    auto* e = new FontEintrag;
    e->font = QFont(SchriftMetrik::familie(name));
    e->font.setPixelSize(SchriftMetrik::referenz);
    e->font.setHintingPreference(QFont::PreferNoHinting);
    e->font.setStyleStrategy(QFont::PreferOutline);
    e->font.setBold(fett);
    e->font.setItalic(kursiv);
    e->font.setUnderline(unter);
    e->font.setStrikeOut(durch);
    e->oberlaenge = QFontMetricsF(e->font).ascent();
    f.insert(key, e);
    return *e;
}

FontEintrag& eintrag(const QString& name, bool fett, bool kursiv, bool unter, bool durch) {
    // Texts come in long runs of one font: the last entry is kept at hand.
    static QString letzterName;
    static int letzterStil = -1;
    static FontEintrag* letzter = nullptr;
    const int stil = (fett ? 1 : 0) + (kursiv ? 2 : 0) + (unter ? 4 : 0) + (durch ? 8 : 0);
    if (letzter && stil == letzterStil && name == letzterName) return *letzter;
    letzter = &eintragSuchen(name, fett, kursiv, unter, durch);
    letzterName = name;
    letzterStil = stil;
    return *letzter;
}

} // namespace

QString SchriftMetrik::familie(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n.isEmpty() || n == QLatin1String("arial") || n == QLatin1String("symbol") ||
        n == QLatin1String("helvetica"))
        return QStringLiteral("Liberation Sans");
    if (n == QLatin1String("courier new") || n == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    if (n == QLatin1String("times new roman") || n == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    static QHash<QString, QString> bekannt;
    auto it = bekannt.find(n);
    if (it != bekannt.end()) return *it;
    QString gefunden = QStringLiteral("Liberation Sans");
    for (const QString& f : QFontDatabase::families())
        if (f.toLower() == n) gefunden = f;
    bekannt.insert(n, gefunden);
    return gefunden;
}

const QFont& SchriftMetrik::font(const QString& name, bool fett, bool kursiv, bool unter,
                                 bool durch) {
    return eintrag(name, fett, kursiv, unter, durch).font;
}

const QFont& SchriftMetrik::zeichenFont(const TSchrift& s, int h) {
    h = std::clamp(h, 1, 100000);
    // Keyed by the style bits and the height; the reports use a handful of sizes.
    static QHash<QString, QHash<int, QFont>> fonts;
    QString key = s.name;
    key += QChar(u'0' + s.stil());
    QHash<int, QFont>& groessen = fonts[key];
    auto it = groessen.find(h);
    if (it != groessen.end()) return *it;
    if (groessen.size() > 200) groessen.clear();
    QFont f = font(s.name, s.fett, s.kursiv, s.unterstrichen, s.durchgestrichen);
    f.setPixelSize(h);
    // Shaping stays on: without it the advances are rounded to whole units and a line would
    // come out about one percent wider than measured.
    return *groessen.insert(h, f);
}

int SchriftMetrik::breite(const TSchrift& s, int h, QStringView text) {
    if (text.isEmpty() || h <= 0) return 0;
    // The font engine's fixed-point advance overflows past some ten thousand characters:
    // longer texts are measured in pieces.
    constexpr qsizetype stueck = 8192;
    if (text.size() > stueck) {
        long long summe = 0;
        for (qsizetype a = 0; a < text.size(); a += stueck)
            summe = massSumme(summe, breite(s, h, text.mid(a, stueck)));
        return static_cast<int>(summe);
    }
    // Underline and strike-out do not change widths: one cache per family, bold and italic.
    FontEintrag& e = eintrag(s.name, s.fett, s.kursiv, false, false);
    const QString key = text.toString();
    auto it = e.breiten.constFind(key);
    float w;
    if (it != e.breiten.constEnd()) {
        w = *it;
    } else {
        w = static_cast<float>(QFontMetricsF(e.font).horizontalAdvance(key));
        if (gespeicherteBreiten > 400000) leeren();
        e.breiten.insert(key, w);
        ++gespeicherteBreiten;
    }
    // The product stays in float as it always was, so widths do not move by a unit.
    const float v = w * h / referenz;
    return massRund(v);
}

int SchriftMetrik::breiteHoechstens(const TSchrift& s, int h, QStringView text) {
    if (text.isEmpty() || h <= 0) return 0;
    FontEintrag& e = eintrag(s.name, s.fett, s.kursiv, false, false);
    double summe = 0;
    unsigned vorher = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const unsigned c = text[k].unicode();
        if (c > 0xFF) return std::numeric_limits<int>::max();
        summe += e.zeichenBreite(c);
        if (k > 0) summe += e.paarZuschlag(vorher, c);
        vorher = c;
    }
    // The shaper places glyphs in 1/64 pixel steps: allow for that on every character, then
    // round up past the rounding of breite().
    summe += static_cast<double>(text.size()) / 64;
    const double w = std::ceil(summe * h / referenz) + 1;
    return w >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                : static_cast<int>(w);
}

int SchriftMetrik::oberlaenge(const TSchrift& s, int h) {
    const FontEintrag& e = eintrag(s.name, s.fett, s.kursiv, false, false);
    return massRund(e.oberlaenge * h / referenz);
}

void SchriftMetrik::leeren() {
    for (FontEintrag* e : fonts()) e->breiten.clear();
    gespeicherteBreiten = 0;
}

} // namespace zephan
