#pragma once

#include "render/report_font.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <QStringView>

class QPainter;

namespace zephan {

// The report canvas: every position and size in 0.1 mm. Without a painter it only measures,
// so the measuring pass and the drawing pass run the same code and agree on every width.
// With a painter it draws; the painter is expected to map 0.1 mm to its device already.
class TmyCanvas {
public:
    QPainter* painter = nullptr;
    bool grau = false; // grey-scale output
    QString heute;     // text of the "date" escape (short date)

    TSchrift font;
    QColor penFarbe = Qt::black;
    int penBreite = 1;
    Qt::PenStyle penStil = Qt::SolidLine;
    QColor brushFarbe = Qt::white;
    Qt::BrushStyle brushStil = Qt::SolidPattern;

    // Largest text height met by the text operations since the last reset; a line's height
    // follows from it.
    int hoeheMax = 0;

    bool zeichnet() const { return painter != nullptr; }
    // A new page or painter: font and pen are set afresh by the next text.
    void painterGewechselt() { textPainter_ = stiftPainter_ = pinselPainter_ = nullptr; }
    int h() const { return font.hoehe(); }
    int textwidth(QStringView s) const;
    int textheight() const { return h(); }

    // Plain text with its top at y.
    void textout(int x, int y, QStringView s);
    // Text turned by `winkel` degrees counter-clockwise around (x, y), its top-left there.
    void textGedreht(int x, int y, QStringView s, double winkel);

    // Text with inline escapes ("°(word " and "°.letters"): draws when a painter is set and
    // returns how far x advanced. The style the escapes set persists after the call.
    int mytextout(int x, int y, QStringView s) { return lauf(x, y, s, zeichnet()); }
    // The advance of text with inline escapes; the style is put back afterwards.
    int mytextwidth(QStringView s);
    // True when mytextwidth(s) is surely at most `breite`, found without shaping: for plain
    // text (no escape, no tab; a lone "°" is a degree sign) in the current font without index.
    // False says nothing; the caller then measures.
    bool passtSicher(QStringView s, int breite) const;
    int lauf(int x, int y, QStringView s, bool zeichnen);

    // Whether the text ended in an escape that consumed the blank after it (so a layout that
    // splits at blanks must not put one back). Set by lauf.
    bool leerVerbraucht = false;

    void linie(int x1, int y1, int x2, int y2);
    void moveto(int x, int y) { pos_ = {x, y}; }
    void lineto(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void kreism(int x, int y, int radius);
    void Polygon(const QPolygon& p);
    void fuellen(int x1, int y1, int x2, int y2, QColor farbe);
    void bild(int x, int y, int breite, int hoehe, const QImage& img);

    // Colour as the output shows it (grey in grey-scale mode).
    QColor ausgabe(QColor c) const;

    // Parses a colour of the markup: "#RRGGBB", or "cl" + an English colour name;
    // anything else is black.
    static QColor farbeLesen(QStringView angabe);

private:
    void stift(bool mitPinsel);
    void stiftSetzen(const QPen& pen);
    void fragment(int x, int y, QStringView s, int hText, bool zeichnen, int& breite);
    QPoint pos_;
    // What the painter was last given, so unchanged fonts, pens and brushes are not set again.
    QPainter* textPainter_ = nullptr;
    int textHoehe_ = 0;
    quint8 textStil_ = 0;
    QString textName_;
    QPainter* stiftPainter_ = nullptr;
    QPen gesetzterStift_;
    QPainter* pinselPainter_ = nullptr;
    QBrush gesetzterPinsel_;
};

// The character a symbol escape word stands for, or a null character for no symbol.
QChar symbolZeichen(QStringView wort);

} // namespace zephan
