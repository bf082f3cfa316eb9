#include "render_support.h"

#include "pressure/druckverlauf.h"
#include "render/verlauf_bild.h"

#include <gtest/gtest.h>

using namespace zephan;

namespace {

// A path of points as the profile collects them: (change, dynamic pressure) each.
Druckverlauf pfad(std::initializer_list<std::pair<double, double>> punkte, int totald = 0) {
    Druckverlauf v;
    double pt = 0;
    for (const auto& [ps, pd] : punkte) {
        TDaten p;
        pt += ps;
        p.ps = ps;
        p.pt = pt;
        p.pd = pd;
        p.titel = QStringLiteral("Kanal");
        v.a.push_back(p);
        v.maxwert1 = std::max({v.maxwert1, ps, pd, std::trunc(pt + pd)});
        if (pt < v.minwert) v.minwert = std::trunc(pt) - 1;
    }
    v.totald = v.maxwert2 = totald;
    return v;
}

} // namespace

// The scale's worked values: without a fan the top is 0 and the first two grid values are
// both -2 (ladder-up of -1); the bottom is at least -40 Pa and rounds away from zero.
TEST(VerlaufBild, TheScaleFollowsTheLadder) {
    const struct {
        double maxwert1;
        int maxwert2;
        double minwert;
        bool vereinfacht;
        double oben, unten;
        std::array<double, 3> gitter;
    } faelle[] = {
        {12, 0, -11, false, 0, -40, {-2, -2, -20}},     {50, 0, -11, true, 50, -40, {30, 15, -20}},
        {50, 124, -57, false, 150, -75, {75, 50, -50}}, {7.9, 124, 0, true, 10, -40, {5, 2, -20}},
        {0, 0, -160, false, 0, -200, {-2, -2, -100}},
    };
    for (const auto& f : faelle) {
        Druckverlauf v;
        v.maxwert1 = f.maxwert1;
        v.maxwert2 = f.maxwert2;
        v.minwert = f.minwert;
        const VerlaufSkala s = verlaufSkala(v, f.vereinfacht);
        EXPECT_EQ(s.oben, f.oben) << f.maxwert1 << " " << f.maxwert2;
        EXPECT_EQ(s.unten, f.unten) << f.minwert;
        EXPECT_EQ(s.gitter, f.gitter) << f.maxwert1 << " " << f.minwert;
        // The rounded bottom is kept: a second drawing finds the same scale.
        EXPECT_EQ(v.minwert, f.unten);
        const VerlaufSkala zweite = verlaufSkala(v, f.vereinfacht);
        EXPECT_EQ(zweite.unten, f.unten);
    }
}

// The picture: a white field in a black frame, the horizontal axis 30 px above the bottom,
// the static pressure in red from point to point, and as wide as every point needs.
TEST(VerlaufBild, ThePictureDrawsAxesAndTheStaticPressure) {
    guiAnwendung();
    Druckverlauf v = pfad({{-5, 2}, {60, 3}, {-10, 2}, {-20, 0}, {0, 0}}, 70);
    ASSERT_EQ(v.anz(), 4);
    const int breite = verlaufBreite(v);
    EXPECT_EQ(breite, verlaufLinks + 6 * verlaufBr + 260);
    const QImage bild = verlaufBild(v, breite, 300, VerlaufAnsicht{});
    ASSERT_EQ(bild.size(), QSize(breite, 300));
    EXPECT_EQ(bild.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bild.pixel(breite / 2, 270), qRgb(0, 0, 0)) << "the horizontal axis";
    EXPECT_EQ(bild.pixel(verlaufLinks, 150), qRgb(0, 0, 0)) << "the pressure axis";
    EXPECT_EQ(bild.pixel(5, 5), qRgb(255, 255, 255));
    // Point 3 at 45 Pa: the static line in red reaches it at y(45) = 270 - trunc((45 + 40) /
    // (75 + 40) * 270) = 71 (the fan lifts 70 Pa, rounded up to 75 at the top); the total
    // pressure line in black passes 5 px higher, at y(47) = 66.
    const int x2 = verlaufLinks + 3 * verlaufBr - 6;
    EXPECT_EQ(bild.pixel(x2, 71), qRgb(255, 0, 0));
    EXPECT_EQ(bild.pixel(x2, 66), qRgb(0, 0, 0));
    // The end: the total pressure drops onto the static one, both at 25 Pa, y(25) = 118.
    const int x4 = verlaufLinks + 5 * verlaufBr - 6;
    EXPECT_EQ(bild.pixel(x4, 118), qRgb(0, 0, 0));
    EXPECT_EQ(v.minwert, -40);
}
