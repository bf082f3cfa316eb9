#include "bands/rechenblatt.h"
#include "store/trace_log.h"

#include <gtest/gtest.h>

using namespace zephan;

TEST(Rechenblatt, NeuesBlattIstLeer) {
    Rechenblatt blatt;
    for (int nr = 1; nr <= 8; ++nr) EXPECT_TRUE(ganzerPegel(blatt[nr], pegelNichtBerechnet));
}

TEST(Rechenblatt, ZeilensummeAddiertBandweise) {
    Rechenblatt blatt;
    setzen8(blatt[1], 60, 58, 55, 50, 45, 40, 35, 30);    // flow noise
    setzen8(blatt[2], -5, -6, -7, -8, -9, -10, -11, -12); // relative spectrum
    setzen8(blatt[3], 3, 3, 3, 3, 3, 3, 3, 3);            // two of them: +10 lg 2, rounded
    bool ok = false;
    const TPegel s = blatt.zeilensumme(1, 3, &ok);
    EXPECT_TRUE(ok);
    const double erwartet[] = {58, 55, 51, 45, 39, 33, 27};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(s[k], erwartet[k]) << "band " << k;
    EXPECT_EQ(s[7], 30) << "the 8 kHz slot is the first row's";

    const TPegel zwei = blatt.zeilensumme(2, 3);
    EXPECT_EQ(zwei[0], -2);
    EXPECT_EQ(zwei[6], -8);
    // a single row, and a range that ends before it starts, give the first row
    EXPECT_EQ(blatt.zeilensumme(2, 2), blatt[2]);
    EXPECT_EQ(blatt.zeilensumme(3, 1, &ok), blatt[3]);
    EXPECT_TRUE(ok);
    // the sheet itself is not changed by summing
    EXPECT_EQ(blatt[1][0], 60);
}

TEST(Rechenblatt, ZeilenAusserhalbSindEinFehlerOhneSchaden) {
    Rechenblatt blatt;
    setzen(blatt[8], 42);
    TraceLog::instance().clear();
    bool ok = true;
    TPegel s = blatt.zeilensumme(1, 9, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ganzerPegel(s, pegelNichtBerechnet));
    EXPECT_TRUE(TraceLog::instance().text().contains("FEHLER Rechenblatt: Zeile 9 nicht in 1..8"))
        << TraceLog::instance().text().toStdString();
    s = blatt.zeilensumme(0, 3, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ganzerPegel(s, pegelNichtBerechnet));
    EXPECT_TRUE(TraceLog::instance().text().contains("Zeile 0 nicht in 1..8"));

    // writing a row out of range never reaches the sheet, and the scratch row is not kept
    setzen(blatt[9], 77);
    setzen(blatt.zeile(-1), 77);
    EXPECT_TRUE(ganzerPegel(blatt[9], pegelNichtBerechnet));
    for (int nr = 1; nr <= 7; ++nr) EXPECT_TRUE(ganzerPegel(blatt[nr], pegelNichtBerechnet));
    EXPECT_TRUE(ganzerPegel(blatt[8], 42));
}

TEST(Rechenblatt, BlaetterSindUnabhaengig) {
    Rechenblatt a, b;
    setzen(a[1], 10);
    setzen(b[1], 20);
    EXPECT_EQ(a.zeilensumme(1, 1)[0], 10);
    EXPECT_EQ(b.zeilensumme(1, 1)[0], 20);
    a.leeren();
    EXPECT_TRUE(ganzerPegel(a[1], pegelNichtBerechnet));
    EXPECT_EQ(b[1][0], 20);

    // the program's sheet is one object that keeps its rows between calls
    setzen(rechenblatt()[4], 12.5);
    EXPECT_EQ(&rechenblatt(), &rechenblatt());
    EXPECT_EQ(rechenblatt()[4][3], 12.5);
}
