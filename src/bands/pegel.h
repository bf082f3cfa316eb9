#pragma once

#include <array>

namespace zephan {

// An octave-band spectrum: one value per band, index 0..7 for 63, 125, 250, 500, 1000, 2000,
// 4000 and 8000 Hz. Calculations, sums and printed rows use the first seven bands (63 Hz to
// 4 kHz); the 8 kHz slot is carried along but no result reads it. Mostly levels in dB, but
// work rows also hold f/v, Strouhal numbers, reverberation times or absorption areas.
using TPegel = std::array<double, 8>;

// Number of bands that take part in calculations (63 Hz ... 4 kHz).
inline constexpr int bandAnzahl = 7;

// Reserved whole-spectrum values.
inline constexpr double pegelNichtBerechnet = -1000; // no sound power / attenuation computed
inline constexpr double pegelAbgebrochen = -900;     // aborted outlet calculation
inline constexpr double pegelNichtGegeben = -1;      // unset spectrum of a new node record

// The constant band table.
// Octave centre frequencies f_m [Hz].
inline constexpr TPegel oktavFrequenzen{63, 125, 250, 500, 1000, 2000, 4000, 8000};
// A-weighting dL_A [dB].
inline constexpr TPegel aBewertung{-26.2, -16.1, -8.6, -3.2, 0, 1.2, 1.0, -1.1};
// L_Okt,max [dB]: added to a room's permitted A-level gives its permitted octave levels.
inline constexpr TPegel oktavZuschlag{21, 11, 4, -2, -5, -6, -6, -4};
// Octave bandwidths df_okt [Hz].
inline constexpr TPegel bandbreiten{45, 90, 180, 355, 700, 1400, 2800, 5600};

// A spectrum with `wert` in all eight slots.
TPegel pegel(double wert);
// True when every one of the seven bands holds `wert` (e.g. pegelNichtBerechnet).
bool ganzerPegel(const TPegel& p, double wert);

// Every one of the eight slots := wert.
void setzen(TPegel& p, double wert);
// Slots 1..8 := s1..s8.
void setzen8(TPegel& p, double s1, double s2, double s3, double s4, double s5, double s6, double s7,
             double s8);
// c[k] := a[k] + b[k] for the seven bands; slot 8 of c is left alone. c may alias a or b.
void addiere(const TPegel& a, const TPegel& b, TPegel& c);
// Energetic total of the seven bands: 10 lg(sum 10^(L_k/10)).
double gesamtpegel(const TPegel& a);
// Band-wise energetic sum of two spectra, seven bands: 10 lg(10^(a/10) + 10^(b/10)).
void pegeladdition(const TPegel& a, const TPegel& b, TPegel& c);
// c[k] := a[k] * faktor, seven bands.
void skaliere(const TPegel& a, double faktor, TPegel& c);
// c[k] := -a[k], seven bands.
void negiere(const TPegel& a, TPegel& c);
// Raises a level to the next whole number away from zero: 35.0 -> 36, 35.2 -> 36,
// 0 -> -1, -3.0 -> -4. Results are clamped to the int range; NaN (a failed formula) gives
// pegelNichtBerechnet.
int aufrunden(double x);

} // namespace zephan
