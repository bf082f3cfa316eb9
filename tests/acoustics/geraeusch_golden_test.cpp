#include "acoustics/schall_daten.h"
#include "geraeusch_test_baum.h"
#include "network/type_codes.h"
#include "pressure/network_pressure.h"
#include "support/golden.h"

#include <gtest/gtest.h>

using namespace zephan;
using namespace zephan::schalltest;

// The report lines of every model, compared with tests/data/schall_modelle/<model>.txt.

namespace {

QString text(const Lauf& l) {
    return l.zeilen.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void golden(const char* name, const Lauf& l) {
    expectGolden(QStringLiteral("schall_modelle"), QLatin1String(name) + QStringLiteral(".txt"),
                 text(l));
}

DVdata mitTexten(DVdata d, int vorgabe, const char* v, const char* zeta) {
    d.vorgabe = vorgabe;
    d.p[0] = QString::fromUtf8(v);
    d.p[1] = QString::fromUtf8(zeta);
    return d;
}

} // namespace

TEST(Berichtszeilen, DuctsOutletsAndValves) {
    Baum t;
    tmylistitem* s = t.strang();
    tmylistitem* kanal = t.neu(s, satz(typKanal, {400, 200, 1000}, true));
    tmylistitem* lv = t.neu(s, satz(typZuluftauslass, {100, -1, 1, 165, 2}, false, 6));
    t.neu(s, satz(typRaum, {300, 0}));
    golden("kanal", rechne(kanal));
    golden("tellerventil_zuluft", rechne(lv));

    Baum ab;
    tmylistitem* sa = ab.strang(1);
    tmylistitem* lva = ab.neu(sa, satz(typAbluftgitter, {160, -1, 1, 216, 1}, false, 5));
    ab.neu(sa, satz(typRaum, {300, 0}));
    tmylistitem* fv = ab.neu(sa, satz(typAbluftgitter, {125, -1, 1, 300, 2}, false, 6));
    ab.neu(sa, satz(typRaum, {300, 0}));
    DVdata gitter = satz(typAbluftgitter, {600, 300, 1, 1440, 2, -1, 25}, true, 0);
    gitter.vorgabe = 1;
    tmylistitem* werte = ab.neu(sa, gitter);
    ab.neu(sa, satz(typRaum, {300, 0}));
    tmylistitem* fortluft =
        ab.neu(sa, mitTexten(satz(typFortluftgitter, {500, 400, 1, 3600, 1}, true, 0), -1, "5,00",
                             "2,000"));
    golden("tellerventil_abluft", rechne(lva));
    golden("brandschutzventil_abluft", rechne(fv));
    golden("luftdurchlass_werte", rechne(werte));
    golden("luftdurchlass_zeta", rechne(fortluft));
}

TEST(Berichtszeilen, FanFittingsAndDampers) {
    Baum t;
    tmylistitem* s = t.strang();
    t.neu(s, satz(typVolumenstrom, {1440}));
    tmylistitem* vent = t.neu(s, satz(typVentilator, {2000, 1400, -1, -1, 108}, false, 0));
    tmylistitem* bogen = t.neu(s, satz(typUebergangsbogen, {400, 200, 200, 200, 90, 1}, true, 0));
    tmylistitem* bogen30 = t.neu(s, satz(typBogen, {200, 30, 1}, false, 3));
    tmylistitem* knie = t.neu(s, mitTexten(satz(typKnie, {400, 200, 1}, true), -1, "5,00", "1,2"));
    tmylistitem* abzweig =
        t.neu(s, satz(typAbzweigreduzierstueck90, {400, 200, 200, 200, 300, 200, 1}, true));
    t.ende(abzweig, 480);
    tmylistitem* sattel = t.neu(s, satz(typSattelstutzen90, {250, -1, 160, -1, 1}, false));
    t.ende(sattel, 240);
    tmylistitem* quer = t.neu(s, satz(typQuerschnittsaenderung, {400, 200, 300, 200}, true));
    tmylistitem* klappe =
        t.neu(s, mitTexten(satz(typDrosselklappe, {200, 1}, false), -1, "4,20", "0,800"));
    DVdata dk = satz(typDrosselklappe, {200, 1, -1, 500, -1, -1, 30}, false);
    dk.vorgabe = 1;
    tmylistitem* klappeWerte = t.neu(s, dk);
    tmylistitem* fk = t.neu(s, satz(typBrandschutzklappe, {634, 399, 1}, true, 0));
    tmylistitem* fkrs = t.neu(s, satz(typBrandschutzklappe, {200, 1}, false, 0));
    tmylistitem* frei = t.neu(s, satz(typBrandschutzklappe, {400, 200, 1}, true, 1));
    tmylistitem* regler =
        t.neu(s, satz(typVolumenstromregler, {100, 1, -1, -1, -1, -1, 250}, false));
    tmylistitem* reglerOhne =
        t.neu(s, satz(typVolumenstromregler, {160, 1, -1, -1, -1, -1, 400}, false));
    t.ende(s, 720);

    StrangErgebnis e;
    e.maximum = 412.6;
    e.ventilatorVerlust = 35.5;
    GeraeuschOptionen o;
    o.druckpass = &e;
    golden("ventilator", rechne(vent, 0, o));
    golden("uebergangsbogen", rechne(bogen));
    golden("bogen_30", rechne(bogen30));
    golden("knie", rechne(knie));
    golden("abzweig_durchgang", rechne(abzweig, 0));
    golden("abzweig_abzweig", rechne(abzweig, 1));
    golden("sattelstutzen", rechne(sattel));
    golden("querschnittsaenderung", rechne(quer));
    golden("drosselklappe", rechne(klappe));
    golden("drosselklappe_werte", rechne(klappeWerte));
    golden("brandschutzklappe_eckig", rechne(fk));
    golden("brandschutzklappe_rund", rechne(fkrs));
    golden("brandschutzklappe_frei", rechne(frei));
    golden("volumenstromregler", rechne(regler));
    golden("volumenstromregler_ohne_daten", rechne(reglerOhne));
}

// No markup escape is left open in any report line: every "°(sub" is closed by "°(-sub" and
// every "°(colsuper" by "°(col-super".
TEST(Berichtszeilen, SubscriptsAreBalanced) {
    const QString ordner = QStringLiteral(ZEPHAN_TEST_DATA) + QStringLiteral("/schall_modelle");
    const QStringList dateien = QDir(ordner).entryList({QStringLiteral("*.txt")});
    ASSERT_GE(dateien.size(), 20);
    for (const QString& name : dateien) {
        QFile f(ordner + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        for (const QString& z : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            EXPECT_EQ(z.count(QStringLiteral("°(sub")), z.count(QStringLiteral("°(-sub")))
                << name.toStdString() << ": " << z.toStdString();
            EXPECT_EQ(z.count(QStringLiteral("(sub")), z.count(QStringLiteral("°(sub")))
                << name.toStdString() << ": " << z.toStdString();
            EXPECT_EQ(z.count(QStringLiteral("(-sub")), z.count(QStringLiteral("°(-sub")))
                << name.toStdString() << ": " << z.toStdString();
            EXPECT_EQ(z.count(QStringLiteral("°(colsuper")), z.count(QStringLiteral("°(col-super")))
                << name.toStdString();
        }
    }
}
