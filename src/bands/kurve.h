#pragma once

#include "bands/pegel.h"

#include <vector>

namespace zephan {

class UserSeam;

// A chart read from a book as a list of points plus an interpolation rule. Points are kept in
// the order added (ascending x is the caller's duty) and stored in single precision, as the
// charts were digitised; interpolation runs in extended precision.
//
// A curve holds scalar points (Add, read with wert) or spectrum points (add/addp, read with
// wertp). Typical use: create, fill, evaluate once, drop.
class TKurve {
public:
    // Interpolation kinds (Ftyp).
    static constexpr int linear = 0;
    static constexpr int logX = 1; // logarithmic in x
    static constexpr int logY = 2; // logarithmic in y
    static constexpr int linear3 = 3;

    // An empty curve of interpolation kind `typ`. `seam` receives the "Kurve leer" message
    // when an empty curve is read with wert (may be null: then only the trace log sees it).
    explicit TKurve(int typ = linear, UserSeam* seam = nullptr);

    // Appends a scalar point; with kind logX an x <= 0 is stored as 0.0001.
    void Add(float x, float y);
    // Appends a spectrum point whose eight slots are s1..s8.
    void add(float x, float s1, float s2, float s3, float s4, float s5, float s6, float s7,
             float s8);
    // Appends a spectrum point with the slots of p.
    void addp(float x, const TPegel& p);
    // Removes all points.
    void Clear();
    void SetTyp(int typ);
    // Results of wert below `minwert` are replaced by it.
    void setmin(float minwert);
    void setSeam(UserSeam* seam) { seam_ = seam; }

    // Interpolated y at x from the scalar points. Below the first point the first y is
    // returned; above the last point the last segment is extrapolated. An empty curve shows
    // "Kurve leer" and gives -1; an unknown kind, a logarithm of a value <= 0 and x = NaN
    // give -1.
    float wert(float x) const;
    // Interpolated spectrum at x from the spectrum points, linear in x whatever the kind,
    // extrapolated on both sides. Slots 1..5 of `result` are first set to -1000; an empty
    // curve (or x = NaN with two or more points) leaves it so (slots 6..8 keep what the
    // caller passed).
    void wertp(float x, TPegel& result) const;

    // Index of the last point, -1 when empty (counts scalar and spectrum points together).
    int anzahl() const { return FAnzahl; }
    int typ() const { return Ftyp; }
    bool minGesetzt() const { return FMinset; }
    float minimum() const { return Fmin; }

    // The stored points, for inspection.
    const std::vector<float>& xWerte() const { return arX; }
    const std::vector<float>& yWerte() const { return arY; }
    struct Spektrumpunkt {
        float x = 0;
        TPegel values{};
    };
    const std::vector<Spektrumpunkt>& spektrumpunkte() const { return ar2; }

private:
    int FAnzahl = -1;
    std::vector<float> arX; // scalar points, parallel arrays
    std::vector<float> arY;
    std::vector<Spektrumpunkt> ar2;
    int Ftyp = linear;
    bool FMinset = false;
    float Fmin = 0;
    UserSeam* seam_ = nullptr;
};

} // namespace zephan
