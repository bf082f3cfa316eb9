#pragma once

#include <QImage>
#include <QString>
#include <array>

class QPainter;

namespace zephan {

struct Druckverlauf;

struct VerlaufAnsicht {
    bool vereinfacht = false; // the fan as one step, the scale from the largest point value
    bool pdAnzeigen = false;  // the dynamic pressure as a bar at every point
};

// The scale of the drawing: the top (the fan's lift, or in simplified mode the largest point
// value, each rounded up the ladder of round values), the bottom (at most -40 Pa, rounded
// away from zero; stored back into `v`, so a second drawing keeps it) and the three values
// the grid lines mark.
struct VerlaufSkala {
    double oben = 0;
    double unten = 0;
    std::array<double, 3> gitter{};
};
VerlaufSkala verlaufSkala(Druckverlauf& v, bool vereinfacht);

// The width in pixels that shows every point of the path and the point list beside them.
int verlaufBreite(const Druckverlauf& v);

// Draws the profile into a picture `breite` × `hoehe` pixels on `p`: axes with the scale,
// the static pressure in red, the total in black, the dynamic pressure in blue, the point
// numbers, the legend and the point list. The rounded bottom of the scale is kept in `v`.
void verlaufZeichnen(QPainter& p, int breite, int hoehe, Druckverlauf& v, const VerlaufAnsicht& o);

// The same as a picture.
QImage verlaufBild(Druckverlauf& v, int breite, int hoehe, const VerlaufAnsicht& o);

// Text with the report's inline escapes, its top-left at (x, y) in pixels, at `punkte` points
// on a 96 dpi screen. Returns the width drawn in pixels.
int markupZeichnen(QPainter& p, int x, int y, const QString& text, int punkte = 8);
int markupBreite(const QString& text, int punkte = 8);

} // namespace zephan
