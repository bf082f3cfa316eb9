#include "render/report_canvas.h"

#include "render/masse.h"

#include <QHash>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace zephan {

namespace {
const QChar marke(0x00B0);

struct Symbol {
    const char16_t* wort;
    char16_t zeichen;
};
// The symbol words; the characters are the Unicode forms of the Symbol font's codes.
constexpr Symbol symbole[] = {
    {u">=", u'\u2265'},   {u"=>", u'\u2265'},    {u"<=", u'\u2264'},     {u"=<", u'\u2264'},
    {u"->", u'\u2192'},   {u"<-", u'\u2190'},    {u"*", u'\u22C5'},      {u"~", u'\u2248'},
    {u"<>", u'\u2260'},   {u"not", u'\u2260'},   {u"+-", u'\u00B1'},     {u"quer", u'\u2205'},
    {u"sum", u'\u03A3'},  {u"sqrt", u'\u221A'},  {u"copy", u'\u00A9'},   {u"alpha", u'\u03B1'},
    {u"beta", u'\u03B2'}, {u"gamma", u'\u03B3'}, {u"delta", u'\u0394'},  {u"epsilon", u'\u03B5'},
    {u"eta", u'\u03B7'},  {u"kappa", u'\u03BA'}, {u"lambda", u'\u03BB'}, {u"n\u00FCh", u'\u03BD'},
    {u"ohm", u'\u03A9'},  {u"omega", u'\u03C9'}, {u"phi", u'\u03D5'},    {u"pi", u'\u03C0'},
    {u"roh", u'\u03C1'},  {u"tau", u'\u03C4'},   {u"teta", u'\u03D1'},   {u"zeta", u'\u03B6'},
};

int kuerze(double x) {
    return static_cast<int>(std::trunc(x));
}
} // namespace

QChar symbolZeichen(QStringView wort) {
    for (const Symbol& s : symbole)
        if (wort == QStringView(s.wort)) return QChar(s.zeichen);
    return QChar();
}

QColor TmyCanvas::farbeLesen(QStringView angabe) {
    if (angabe.size() == 7 && angabe[0] == QLatin1Char('#')) {
        bool ok = false;
        const uint v = angabe.mid(1).toUInt(&ok, 16);
        if (ok) return QColor::fromRgb(v | 0xFF000000u);
        return Qt::black;
    }
    if (angabe.size() > 2 &&
        angabe.left(2).compare(QLatin1String("cl"), Qt::CaseInsensitive) == 0) {
        const QString name = angabe.mid(2).toString().toLower();
        // The basic colour names; "clgreen" is the dark green of the markup, as "grün".
        static const QHash<QString, QRgb> namen{
            {"black", 0x000000},      {"maroon", 0x800000}, {"green", 0x008000},
            {"olive", 0x808000},      {"navy", 0x000080},   {"purple", 0x800080},
            {"teal", 0x008080},       {"gray", 0x808080},   {"grey", 0x808080},
            {"silver", 0xC0C0C0},     {"red", 0xFF0000},    {"lime", 0x00FF00},
            {"yellow", 0xFFFF00},     {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF},
            {"aqua", 0x00FFFF},       {"white", 0xFFFFFF},  {"skyblue", 0xA6CAF0},
            {"moneygreen", 0xC0DCC0}, {"cream", 0xFFFBF0},  {"medgray", 0xA4A0A0},
        };
        auto it = namen.find(name);
        if (it != namen.end()) return QColor::fromRgb(*it | 0xFF000000u);
    }
    return Qt::black;
}

QColor TmyCanvas::ausgabe(QColor c) const {
    if (!grau) return c;
    const int g = qGray(c.rgb());
    return QColor(g, g, g, c.alpha());
}

int TmyCanvas::textwidth(QStringView s) const {
    return SchriftMetrik::breite(font, h(), s);
}

void TmyCanvas::fragment(int x, int y, QStringView s, int hText, bool zeichnen, int& breite) {
    // Tabs move to the next stop every 12.7 mm from where the text began.
    breite = 0;
    qsizetype a = 0;
    const int start = x;
    while (true) {
        const qsizetype t = s.indexOf(QLatin1Char('\t'), a);
        const QStringView teil = t < 0 ? s.mid(a) : s.mid(a, t - a);
        const int w = SchriftMetrik::breite(font, hText, teil);
        if (zeichnen && painter && !teil.isEmpty()) {
            // Font and pen change rarely between fragments; setting them again would make the
            // PDF engine write its whole graphics state for every piece of text.
            if (painter != textPainter_ || hText != textHoehe_ || font.stil() != textStil_ ||
                font.name != textName_) {
                painter->setFont(SchriftMetrik::zeichenFont(font, hText));
                textHoehe_ = hText;
                textStil_ = font.stil();
                textName_ = font.name;
            }
            textPainter_ = painter;
            const QColor farbe = ausgabe(QColor::fromRgb(font.farbe));
            // Text takes only the colour of the pen: a rule's pen of that colour will do.
            if (painter != stiftPainter_ || gesetzterStift_.style() == Qt::NoPen ||
                gesetzterStift_.color() != farbe)
                stiftSetzen(QPen(farbe));
            painter->drawText(QPointF(x, y + SchriftMetrik::oberlaenge(font, hText)),
                              teil.toString());
        }
        x = massSumme(x, w);
        if (t < 0) break;
        x = massSumme(start, (static_cast<long long>(x) - start) / 1270 * 1270 + 1270);
        a = t + 1;
    }
    breite = massSumme(x, -static_cast<long long>(start));
}

void TmyCanvas::textout(int x, int y, QStringView s) {
    int w = 0;
    fragment(x, y, s, h(), true, w);
    hoeheMax = std::max(hoeheMax, h());
}

void TmyCanvas::textGedreht(int x, int y, QStringView s, double winkel) {
    if (!painter || s.isEmpty()) return;
    painter->save();
    painter->translate(x, y);
    painter->rotate(-winkel);
    int w = 0;
    fragment(0, 0, s, h(), true, w);
    painter->restore();
    painterGewechselt();
}

int TmyCanvas::mytextwidth(QStringView s) {
    const TSchrift alt = font;
    const int hAlt = hoeheMax;
    const bool lv = leerVerbraucht;
    const int w = lauf(0, 0, s, false);
    font = alt;
    hoeheMax = hAlt;
    leerVerbraucht = lv;
    return w;
}

bool TmyCanvas::passtSicher(QStringView s, int breite) const {
    // Long texts are measured in pieces whose roundings the bound does not cover.
    if (font.index != 0 || s.size() > 4096) return false;
    for (qsizetype j = 0; j < s.size(); ++j) {
        if (s[j] == QLatin1Char('\t')) return false;
        // A marker before "(" or "." starts an escape; elsewhere it is a degree sign.
        if (s[j] == marke && j + 1 < s.size() &&
            (s[j + 1] == QLatin1Char('(') || s[j + 1] == QLatin1Char('.')))
            return false;
    }
    // A plain text advances by its width plus 2 (see lauf).
    return static_cast<long long>(SchriftMetrik::breiteHoechstens(font, h(), s)) + 2 <= breite;
}

int TmyCanvas::lauf(int x0, int y, QStringView s, bool zeichnen) {
    int x = x0;
    const qsizetype n = s.size();
    qsizetype pos = 0;
    bool escapeAmEnde = false;

    // A fragment or word in the current style, with the index applied.
    auto teil = [&](int xAt, QStringView t) {
        const int hh = h();
        int hText = hh, yText = y, xText = xAt;
        if (font.index == 2) {
            hText = kuerze(hh * 2.0 / 3.0);
            xText = xAt + 1;
            yText = y - hh / 4;
        } else if (font.index == 1) {
            hText = kuerze(hh * 2.0 / 3.0);
            yText = y + 2 * hh / 5;
        }
        int w = 0;
        fragment(xText, yText, t, hText, zeichnen, w);
        hoeheMax = std::max(hoeheMax, hText);
        return w;
    };

    while (pos < n) {
        qsizetype k = -1;
        for (qsizetype j = pos; j + 1 < n; ++j) {
            if (s[j] == marke && (s[j + 1] == QLatin1Char('(') || s[j + 1] == QLatin1Char('.'))) {
                k = j;
                break;
            }
        }
        if (k < 0) {
            x = massSumme(x, teil(x, s.mid(pos)) + 2LL);
            escapeAmEnde = false;
            break;
        }
        if (k > pos) x = massSumme(x, teil(x, s.mid(pos, k - pos)) + 2LL);
        if (s[k + 1] == QLatin1Char('(')) {
            const qsizetype a = k + 2;
            const qsizetype e = s.indexOf(QLatin1Char(' '), a);
            const QStringView roh = e < 0 ? s.mid(a) : s.mid(a, e - a);
            pos = e < 0 ? n : e + 1;
            escapeAmEnde = pos >= n;
            const QString wort = roh.toString().toLower();
            if (wort.startsWith(QLatin1String("col"))) {
                const QString rest = wort.mid(3);
                if (rest == QLatin1String("-")) {
                    font.farbe = 0xFF000000;
                    font.setStil(0);
                    font.groesse = 10;
                    font.index = 0;
                } else if (rest == QLatin1String("fett")) {
                    font.fett = true;
                } else if (rest == QLatin1String("-fett")) {
                    font.fett = false;
                } else if (rest == QLatin1String("kursiv")) {
                    font.kursiv = true;
                } else if (rest == QLatin1String("-kursiv")) {
                    font.kursiv = false;
                } else if (rest == QLatin1String("durch")) {
                    font.durchgestrichen = true;
                } else if (rest == QLatin1String("-durch")) {
                    font.durchgestrichen = false;
                } else if (rest == QLatin1String("_")) {
                    font.unterstrichen = true;
                } else if (rest == QLatin1String("-_")) {
                    font.unterstrichen = false;
                } else if (rest == QLatin1String("sub")) {
                    font.index = 1;
                } else if (rest == QLatin1String("super")) {
                    font.index = 2;
                } else if (rest == QLatin1String("-sub") || rest == QLatin1String("-super")) {
                    font.index = 0;
                } else if (rest == QLatin1String("rot") || rest == QLatin1String("red")) {
                    font.farbe = 0xFFFF0000;
                } else if (rest == QLatin1String("blau")) {
                    font.farbe = 0xFF0000FF;
                } else if (rest == QStringLiteral("grün") || rest == QLatin1String("green")) {
                    font.farbe = 0xFF008000;
                } else if (rest == QLatin1String("gelb") || rest == QLatin1String("yellow")) {
                    font.farbe = 0xFFFFFF00;
                } else if (rest == QStringLiteral("weiß") || rest == QLatin1String("white")) {
                    font.farbe = 0xFFFFFFFF;
                } else if (rest.startsWith(QLatin1String("or"))) {
                    const QString angabe = rest.mid(2);
                    font.farbe =
                        angabe == QLatin1String("-") ? 0xFF000000 : farbeLesen(angabe).rgb();
                } else if (rest.startsWith(QLatin1String("fs"))) {
                    bool ok = false;
                    const int g = rest.mid(2).toInt(&ok);
                    // A size of 0 or below would give text without height: keep the old one.
                    if (ok && g > 0 && g <= 500) font.groesse = g;
                } else if (rest.startsWith(QLatin1String("fontname="))) {
                    QString name = roh.mid(12).toString();
                    name.replace(QLatin1Char('_'), QLatin1Char(' '));
                    if (!name.trimmed().isEmpty()) font.name = name;
                } else if (rest == QLatin1String("schwarz")) {
                    font.farbe = 0xFF000000;
                } else {
                    font.farbe = farbeLesen(rest).rgb();
                }
            } else if (wort == QLatin1String("sub")) {
                font.index = 1;
            } else if (wort == QLatin1String("super")) {
                font.index = 2;
            } else if (wort == QLatin1String("-sub") || wort == QLatin1String("-super")) {
                font.index = 0;
            } else {
                const QChar sym = symbolZeichen(wort);
                QString text;
                if (!sym.isNull())
                    text = QString(sym);
                else if (wort == QLatin1String("date"))
                    text = heute;
                else
                    text = roh.toString();
                x = massSumme(x, teil(massSumme(x, 2), text) + 3LL);
            }
        } else {
            // Letters with a dot above: up to a blank (consumed) or a marker (kept).
            const qsizetype a = k + 2;
            qsizetype e = a;
            while (e < n && s[e] != QLatin1Char(' ') && s[e] != marke) ++e;
            const QStringView buchstaben = s.mid(a, e - a);
            pos = (e < n && s[e] == QLatin1Char(' ')) ? e + 1 : e;
            escapeAmEnde = pos >= n && e < n;
            const int hh = h();
            const int w = massSumme(SchriftMetrik::breite(font, hh, buchstaben.trimmed()), 1);
            int dummy = 0;
            fragment(x, y, buchstaben, hh, zeichnen, dummy);
            if (zeichnen && painter) {
                const int d = std::max(1, kuerze(hh * 0.1 + 0.3));
                painter->save();
                const QColor c = ausgabe(QColor::fromRgb(font.farbe));
                painter->setPen(Qt::NoPen);
                painter->setBrush(c);
                painter->drawEllipse(QRect(x + (w - d) / 2, y - 1, d, d + 1));
                painter->restore();
                painterGewechselt();
            }
            hoeheMax = std::max(hoeheMax, static_cast<int>(std::lround(hh * 1.1)));
            x = massSumme(x, w);
        }
    }
    leerVerbraucht = escapeAmEnde;
    return massSumme(x, -static_cast<long long>(x0));
}

void TmyCanvas::stiftSetzen(const QPen& pen) {
    if (painter == stiftPainter_ && pen == gesetzterStift_) return;
    painter->setPen(pen);
    gesetzterStift_ = pen;
    stiftPainter_ = painter;
}

void TmyCanvas::stift(bool mitPinsel) {
    QPen pen(ausgabe(penFarbe));
    pen.setWidth(std::max(1, penBreite));
    pen.setStyle(penStil);
    pen.setCapStyle(Qt::FlatCap);
    stiftSetzen(penStil == Qt::NoPen ? QPen(Qt::NoPen) : pen);
    if (!mitPinsel) return;
    const QBrush pinsel =
        brushStil == Qt::NoBrush ? QBrush(Qt::NoBrush) : QBrush(ausgabe(brushFarbe), brushStil);
    if (painter == pinselPainter_ && pinsel == gesetzterPinsel_) return;
    painter->setBrush(pinsel);
    gesetzterPinsel_ = pinsel;
    pinselPainter_ = painter;
}

void TmyCanvas::linie(int x1, int y1, int x2, int y2) {
    if (!painter) return;
    stift(false); // a line takes no brush
    painter->drawLine(x1, y1, x2, y2);
}

void TmyCanvas::lineto(int x, int y) {
    linie(pos_.x(), pos_.y(), x, y);
    pos_ = {x, y};
}

void TmyCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (!painter) return;
    stift(true);
    painter->drawRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                            QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
}

void TmyCanvas::kreism(int x, int y, int radius) {
    if (!painter) return;
    stift(true);
    painter->drawEllipse(QPoint(x, y), radius, radius);
}

void TmyCanvas::Polygon(const QPolygon& p) {
    if (!painter) return;
    stift(true);
    painter->drawPolygon(p);
}

void TmyCanvas::fuellen(int x1, int y1, int x2, int y2, QColor farbe) {
    if (!painter) return;
    painter->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), ausgabe(farbe));
}

void TmyCanvas::bild(int x, int y, int breite, int hoehe, const QImage& img) {
    if (!painter || img.isNull() || breite <= 0 || hoehe <= 0) return;
    // A rectangle's far edge must stay representable for the painter.
    x = std::clamp(x, -massGrenze, massGrenze);
    y = std::clamp(y, -massGrenze, massGrenze);
    breite = std::min(breite, massGrenze);
    hoehe = std::min(hoehe, massGrenze);
    if (grau)
        painter->drawImage(QRect(x, y, breite, hoehe),
                           img.convertToFormat(QImage::Format_Grayscale8));
    else
        painter->drawImage(QRect(x, y, breite, hoehe), img);
}

} // namespace zephan
