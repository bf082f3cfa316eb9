#pragma once

#include <QList>
#include <QString>

namespace zephan {

// The sizing helpers behind the duct and pipe pages, without a window.

// The length field: a value below 100 is taken as metres (12 → 12000 mm); others are mm.
double laengeAusFeld(double wert);
// A quick length button "1" ... "15": its caption followed by "000", in mm.
double schnellLaenge(int meter);
// "v anpassen": the design velocity one whole m/s above the velocity text (4,3 → 5); -1 when
// the text is no number.
int vAnpassen(const QString& geschwindigkeit);

// The height that goes with a duct width typed on the page: the first standard edge S with
// breite·S/10⁶ >= Q/3600/v, or the largest; -1 without a flow or design velocity.
int hoeheZurBreite(const QList<int>& kanal, double breite, double Q, double v);

// One of the buttons beside the diameter ("RohrDown", "RohrUp").
struct RohrNachbar {
    int durchmesser = -1; // -1: no neighbour, the button shows "-" and does nothing
    QString text;         // the velocity it would give (1 decimal), or "-"
};
// The next smaller (`groesser` false) or larger standard diameter than d with the velocity
// the flow Q [m³/h] would have in it; "-" without a neighbour or without a flow (Q < 0).
RohrNachbar rohrNachbar(const QList<int>& rohre, double d, double Q, bool groesser);

} // namespace zephan
