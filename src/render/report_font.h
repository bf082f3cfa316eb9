#pragma once

#include <QFont>
#include <QRgb>
#include <QString>
#include <QStringView>

namespace zephan {

// The font state of the report canvas: what the "°F", "°H" lines and the inline escapes set.
struct TSchrift {
    QString name = QStringLiteral("Arial");
    int groesse = 10; // points
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
    bool durchgestrichen = false;
    QRgb farbe = 0xFF000000;
    int index = 0; // 0 none, 1 subscript, 2 superscript

    // Absolute font height in 0.1 mm: the em height of the size in points.
    int hoehe() const;
    // The style bits as one byte (bold 1, italic 2, underline 4, strike-out 8).
    quint8 stil() const;
    void setStil(quint8 s);
    bool operator==(const TSchrift&) const = default;
};

// Font height in 0.1 mm for a size in points; sizes below 1 point count as 1 so that no
// line ever has a height of 0.
int schriftHoehe(int punkte);

// Device-independent text metrics. Every width is taken from the unhinted outline of the
// font at a fixed reference size and scaled linearly, so the preview, the printer and the PDF
// see the same widths and break pages identically whatever their resolution.
class SchriftMetrik {
public:
    static constexpr int referenz = 1000; // pixel size of the reference fonts

    // The program's font names map to metric-compatible families that the set-up installs:
    // Arial to Liberation Sans, Courier New to Liberation Mono, Times New Roman to Liberation
    // Serif. A family the machine does not have becomes Liberation Sans, on every output.
    static QString familie(const QString& name);
    // The reference font for a family and style (pixel size `referenz`, no hinting).
    static const QFont& font(const QString& name, bool fett, bool kursiv, bool unter = false,
                             bool durch = false);
    // The font that draws text of height h (0.1 mm): the same outline as the reference font at
    // pixel size h, so a painter working in 0.1 mm needs no extra transform. Drawing at the
    // reference size would be slower: the font engines keep no glyph cache for fonts that large.
    static const QFont& zeichenFont(const TSchrift& s, int h);
    // Width of plain text at font height h (0.1 mm), rounded to whole units.
    static int breite(const TSchrift& s, int h, QStringView text);
    // A width that breite() of the same plain text never exceeds, found without shaping the
    // text: the advances of its characters plus every positive adjustment a pair of them gets
    // (each pair measured once). A character beyond Latin-1 gives the largest int.
    static int breiteHoechstens(const TSchrift& s, int h, QStringView text);
    // Distance from the top of a text line to its base line at font height h.
    static int oberlaenge(const TSchrift& s, int h);
    // Forgets cached widths (kept bounded on its own).
    static void leeren();
};

} // namespace zephan
