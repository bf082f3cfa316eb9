#include "pressure/air_density.h"

#include "network/network_tree.h"
#include "store/number_format.h"

#include <gtest/gtest.h>

using namespace zephan;

TEST(Luftdichte, BeispielwerteDesDialogs) {
    EXPECT_NEAR(saettigungsdruck(20), 23.3819, 1e-4);
    EXPECT_EQ(formatZahl(luftdichte(50, 20), 3), QStringLiteral("1,197"));
    EXPECT_NEAR(luftdichte(50, 20), 1.197274, 1e-6);
    // the dialog's defaults 20 °C and 80 %
    EXPECT_NEAR(luftdichte(80, 20), 1.194115, 1e-6);
    // below 0 °C the second saturation formula
    EXPECT_NEAR(saettigungsdruck(-10), 2.59877, 1e-5);
    EXPECT_NEAR(luftdichte(80, -10), 1.338589, 1e-6);
    EXPECT_NEAR(luftdichte(0, 0), 1.290588, 1e-6);
    EXPECT_NEAR(luftdichte(100, 50), 1.040285, 1e-6);
}

TEST(Luftdichte, UnsinnigeEingabenGebenStandard) {
    // above 100 °C the vapour pressure exceeds the total pressure
    EXPECT_EQ(luftdichte(100, 120), dichteStandard);
    EXPECT_EQ(luftdichte(50, -200), dichteStandard);
}

TEST(Luftdichte, TextDesStrangkopfs) {
    EXPECT_DOUBLE_EQ(dichteAusText(QStringLiteral("1,150")), 1.15);
    EXPECT_DOUBLE_EQ(dichteAusText(QStringLiteral(" +1,180 ")), 1.18);
    // not a number, or outside 0.5 ... 2 kg/m³: 1.2, never 0
    EXPECT_EQ(dichteAusText(QString()), 1.2);
    EXPECT_EQ(dichteAusText(QStringLiteral("abc")), 1.2);
    EXPECT_EQ(dichteAusText(QStringLiteral("0,3")), 1.2);
    EXPECT_EQ(dichteAusText(QStringLiteral("2,5")), 1.2);
    EXPECT_DOUBLE_EQ(dichteAusText(QStringLiteral("0,5")), 0.5);
    EXPECT_DOUBLE_EQ(dichteAusText(QStringLiteral("2,000")), 2.0);
}

TEST(Luftdichte, DichteVomStrangkopf) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    tmylistitem* zuluft = baum.Add(QStringLiteral("Zuluft"));
    tmylistitem* abluft = baum.Add(QStringLiteral("Abluft"));
    nodeDaten(zuluft)->typ = 0;
    nodeDaten(zuluft)->p[1] = QStringLiteral("1,150");
    nodeDaten(abluft)->typ = 1;
    nodeDaten(abluft)->p[1] = QStringLiteral("kaputt");
    tmylistitem* abzweig = baum.AddChild(zuluft, QStringLiteral("Abzweig"));
    tmylistitem* kanal = baum.AddChild(abzweig, QStringLiteral("Kanal"));
    tmylistitem* gitter = baum.AddChild(abluft, QStringLiteral("Gitter"));

    EXPECT_DOUBLE_EQ(strangDichte(kanal), 1.15);
    EXPECT_DOUBLE_EQ(strangDichte(zuluft), 1.15);
    EXPECT_EQ(strangDichte(gitter), 1.2);
    EXPECT_EQ(strangDichte(nullptr), 1.2);
}
