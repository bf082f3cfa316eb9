#include "bands/pegel_druck.h"
#include "bands/pegel_zeilen.h"
#include "report/report_document.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephan;

namespace {

TPegel spektrum(double a, double b, double c, double d, double e, double f, double g) {
    TPegel p;
    setzen8(p, a, b, c, d, e, f, g, 0);
    return p;
}

} // namespace

// A row is made once: equal title, unit, kind and values give the very same text; any
// difference gives the row of its own inputs.
TEST(PegelZeilen, EqualRowsShareOneTextOthersGetTheirOwn) {
    Pegelzeilen z;
    const TPegel p = spektrum(2.484, 1.65, 0.82, 0.55, 0.28, 0.28, 0.28);
    const QString titel = QStringLiteral("°(delta L°(sub w°(-sub  °(* l (Tabelle 5)");
    const QString& werte = z.zeile(titel, QStringLiteral("dB"), p, true);
    EXPECT_EQ(werte, QStringLiteral(
                         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|2,48|1,65|0,82|0,55|0,28|"
                         "0,28|0,28"));
    EXPECT_EQ(z.zeile(titel, QStringLiteral("dB"), p, true).constData(), werte.constData());
    EXPECT_EQ(z.anzahl(), 1u);

    struct Fall {
        const char* titel;
        const char* einheit;
        bool werte;
        TPegel p;
        const char* zeile;
    };
    const Fall faelle[] = {
        // the same values as whole numbers
        {"°(delta L°(sub w°(-sub  °(* l (Tabelle 5)", "dB", false, p,
         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|2|2|1|1|0|0|0"},
        // another unit, none
        {"°(delta L°(sub w°(-sub  °(* l (Tabelle 5)", "1/m", true, p,
         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[1/m]|2,48|1,65|0,82|0,55|0,28|0,28|0,28"},
        {"°(delta L°(sub w°(-sub  °(* l (Tabelle 5)", "", true, p,
         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[-]|2,48|1,65|0,82|0,55|0,28|0,28|0,28"},
        // one band apart, and in its last bit
        {"°(delta L°(sub w°(-sub  °(* l (Tabelle 5)", "dB", true,
         spektrum(2.484, 1.65, 0.82, 0.55, 0.28, 0.28, 0.29),
         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|2,48|1,65|0,82|0,55|0,28|0,28|0,29"},
        {"°(delta L°(sub w°(-sub  °(* l (Tabelle 5)", "dB", true,
         spektrum(2.484, 1.65, 0.82, 0.55, 0.28, 0.28, std::nextafter(0.275, 1.0)),
         "°(delta L°(sub w°(-sub  °(* l (Tabelle 5)|[dB]|2,48|1,65|0,82|0,55|0,28|0,28|0,28"},
        // another title; a band without a level
        {"Relatives Frequenzspektrum (Bild 16)", "dB", false,
         spektrum(-5, -7, -10, -14, -19, -26, NAN),
         "Relatives Frequenzspektrum (Bild 16)|[dB]|-5|-7|-10|-14|-19|-26|-"},
    };
    size_t anzahl = 1;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeile);
        const QString t = QString::fromUtf8(f.titel), e = QString::fromUtf8(f.einheit);
        EXPECT_EQ(z.zeile(t, e, f.p, f.werte), QString::fromUtf8(f.zeile));
        EXPECT_EQ(z.anzahl(), ++anzahl);
        // the row is what the row writers write
        EXPECT_EQ(z.zeile(t, e, f.p, f.werte),
                  f.werte ? werteZeile(t, e, f.p) : pegelZeile(t, e, f.p));
        EXPECT_EQ(z.anzahl(), anzahl);
    }
}

// Titles put together at run time each get the row of their own text.
TEST(PegelZeilen, TitlesMadeAtRunTimeGetTheRowOfTheirText) {
    Pegelzeilen z;
    const TPegel p = spektrum(40, 41, 42, 43, 44, 45, 46);
    for (int anzahl : {2, 3, 2}) {
        const QString titel = QStringLiteral("Anzahl im Raum:") + QString::number(anzahl);
        EXPECT_EQ(z.zeile(titel, QStringLiteral("dB"), p, false),
                  titel + QStringLiteral("|[dB]|40|41|42|43|44|45|46"));
    }
}

// Written to the document, a row goes in as TDruck::add puts it: a carriage return in its
// title becomes the document's break, every time the row is written.
TEST(PegelZeilen, WrittenRowsTakeTheDocumentsBreak) {
    Pegelzeilen z;
    TDruck d;
    const TPegel p = spektrum(1, 2, 3, 4, 5, 6, 7);
    for (int i = 0; i < 2; ++i) {
        z.schreiben(d, QStringLiteral("Zwei\r\nZeilen"), QStringLiteral("dB"), p, false);
        z.schreiben(d, QStringLiteral("Eine Zeile"), QStringLiteral("dB"), p, true);
    }
    ASSERT_EQ(d.m.size(), 4);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(d.m[2 * i], QStringLiteral("Zwei\u00FEZeilen|[dB]|1|2|3|4|5|6|7"));
        EXPECT_EQ(d.m[2 * i + 1],
                  QStringLiteral("Eine Zeile|[dB]|1,00|2,00|3,00|4,00|5,00|6,00|7,00"));
    }
    EXPECT_EQ(z.anzahl(), 2u);
}
