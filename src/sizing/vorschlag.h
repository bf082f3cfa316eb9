#pragma once

#include <QList>
#include <QString>

namespace zephan {

class Einstellungen;

// The status text when sizing by velocity has no design velocity to work with.
inline constexpr char auslegungswertFehlt[] = "Bitte Auslegungswert eingeben";

// A suggested cross-section: width and height of a duct, or W = -1 and H = the diameter of a
// pipe, with the velocity it gives as text (2 decimals).
struct Vorschlag {
    bool ok = false; // false: no design value to size with; nothing was chosen
    double W = 0;
    double H = 0;
    QString geschwindigkeit;
};

// Size suggestion (`vorschlag`) for the flow Q [m³/h]: by design velocity x [m/s], or with
// `nachGefaelle` by the friction gradient x [Pa/m] (below 0.1 the setting's gradient is
// taken). W and H are the limits of a duct (<= 0: none). The standard edges and diameters,
// the gradient setting come from `einstellungen`; rho is the air density for the gradient.
// A design velocity <= 0 cannot be divided by: ok = false.
Vorschlag vorschlag(double Q, bool nachGefaelle, bool eckig, double x, double W, double H,
                    const Einstellungen& einstellungen, double rho);

// The standard length of a change of section for the size difference delta [mm] (run at 35°).
int querschnittLaenge(double delta);
// The standard length of a duct-pipe transition from trunc(dh) + diameter [mm].
int uebergangLaenge(double laenge);

} // namespace zephan
