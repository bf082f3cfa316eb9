// The rules of the duct and pipe pages without a window: fields into the record, the design
// value, the page's defaults, the sizing arithmetic and the plausible ranges of the fields.
#include "editing/duct_page_model.h"
#include "editing/field_range.h"
#include "network/settings.h"
#include "network/type_codes.h"

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace zephan;

namespace {

Einstellungen nachGeschwindigkeit() {
    return Einstellungen();
}

Einstellungen nachGefaelle() {
    Einstellungen e;
    e.setAuslegung(1);
    return e;
}

TEST(StreckenSeitenModell, FieldsGoIntoTheRecord) {
    const Einstellungen v = nachGeschwindigkeit();
    const Einstellungen g = nachGefaelle();
    StreckenFelder f;
    f.breite = 400;
    f.hoehe = 200;
    f.maxBreite = 500;
    f.maxHoehe = -1;
    f.laenge = 12000;
    f.auslegung = 4.6;
    f.material = QStringLiteral("Beton");
    f.gruppe = QStringLiteral("Dach");
    f.bemerkung = QStringLiteral("  a|b  ");

    DVdata kanal;
    StreckenSeitenModell(false, v).felderInPuffer(f, kanal);
    EXPECT_EQ(kanal.i[0], 400);
    EXPECT_EQ(kanal.i[1], 200);
    EXPECT_EQ(kanal.i[2], 500);
    EXPECT_EQ(kanal.i[3], -1);
    EXPECT_EQ(kanal.i[5], 12000);
    EXPECT_EQ(kanal.i[4], 5); // whole m/s, rounded
    EXPECT_EQ(kanal.p[2], QStringLiteral("Beton"));
    EXPECT_EQ(kanal.Gruppe, QStringLiteral("Dach"));
    EXPECT_EQ(kanal.Text, QStringLiteral("a-b")); // one stored line, "|" separates fields

    // By gradient the duct keeps the gradient × 100, cut: 0,456 Pa/m → 45.
    f.auslegung = 0.456;
    DVdata gefaelle;
    StreckenSeitenModell(false, g).felderInPuffer(f, gefaelle);
    EXPECT_EQ(gefaelle.i[4], 45);
    // An empty design field stays "not given".
    f.auslegung = -1;
    StreckenSeitenModell(false, g).felderInPuffer(f, gefaelle);
    EXPECT_EQ(gefaelle.i[4], -1);

    // The pipe: a diameter below 20 mm is still being typed, the last one stays; the pipe
    // keeps whole m/s even when ducts are sized by gradient.
    const struct {
        double feld;
        double gespeichert;
    } durchmesser[] = {{250, 250}, {2, 250}, {19, 250}, {20, 20}, {-1, -1}, {315, 315}};
    DVdata rohr;
    rohr.i[0] = 250;
    f.auslegung = 4.4;
    for (const auto& d : durchmesser) {
        f.breite = d.feld;
        StreckenSeitenModell(true, g).felderInPuffer(f, rohr);
        EXPECT_EQ(rohr.i[0], d.gespeichert) << d.feld;
        EXPECT_EQ(rohr.i[4], 4);
        EXPECT_EQ(rohr.i[1], -1) << "a pipe has no height";
    }
}

TEST(StreckenSeitenModell, DesignFieldShowsWhatTheRecordKeeps) {
    const Einstellungen v = nachGeschwindigkeit();
    const Einstellungen g = nachGefaelle();
    DVdata d;
    d.i[4] = 80;
    EXPECT_EQ(StreckenSeitenModell(false, g).auslegungAnzeige(d), 0.8);
    EXPECT_EQ(StreckenSeitenModell(false, v).auslegungAnzeige(d), 80);
    EXPECT_EQ(StreckenSeitenModell(false, g).auslegungText(),
              QStringLiteral("Rohrreibungsgefälle"));
    EXPECT_EQ(StreckenSeitenModell(false, g).auslegungEinheit(), QStringLiteral("[Pa/m]"));
    EXPECT_EQ(StreckenSeitenModell(false, v).auslegungText(), QStringLiteral("Geschwindigkeit"));
    EXPECT_EQ(StreckenSeitenModell(true, g).auslegungEinheit(), QStringLiteral("[m/s]"));
    // The pipe shows its design velocity only while in planning.
    d.i[4] = 6;
    d.planung = false;
    EXPECT_EQ(StreckenSeitenModell(true, v).auslegungAnzeige(d), -1);
    d.planung = true;
    EXPECT_EQ(StreckenSeitenModell(true, v).auslegungAnzeige(d), 6);
    d.i[4] = -1;
    EXPECT_EQ(StreckenSeitenModell(false, g).auslegungAnzeige(d), -1);
}

TEST(StreckenSeitenModell, PageResetGivesAFreshSectionWithItsDefaults) {
    Einstellungen g = nachGefaelle();
    g.setPaProMText(QStringLiteral("0,8"));
    g.setImmerPlanen(false);
    DVdata d;
    d.typ = 21;
    d.i[0] = 500;
    d.Gruppe = QStringLiteral("Dach");
    d.p[2] = QStringLiteral("Beton");
    StreckenSeitenModell(false, g).seiteZuruecksetzen(d);
    EXPECT_EQ(d.typ, int(typKanal));
    EXPECT_EQ(d.i[0], -1);
    EXPECT_EQ(d.p[2], QString());
    EXPECT_EQ(d.Gruppe, QString());
    EXPECT_EQ(d.tag1, 0); // the single option is taken
    EXPECT_TRUE(d.eckig);
    EXPECT_EQ(d.i[4], 80); // the setting's gradient × 100

    DVdata r;
    StreckenSeitenModell(true, g).seiteZuruecksetzen(r);
    EXPECT_EQ(r.typ, int(typRohr));
    EXPECT_FALSE(r.eckig);
    EXPECT_EQ(r.i[4], -1); // no gradient for pipes
}

TEST(StreckenSeitenModell, SizingADuctByVelocity) {
    const Einstellungen v = nachGeschwindigkeit();
    const StreckenSeitenModell m(false, v);
    StreckenFelder f;
    f.volumenstrom = 1000;
    f.laenge = 5000;
    f.auslegung = 5;
    DVdata d;
    d.typ = typKanal;
    // 1000 m³/h at 5 m/s: A = 0,0556 m², square edge 236 mm → 250 × 250 at 4,44 m/s.
    auto r = m.auslegen(f, 1.2, d);
    ASSERT_EQ(r.art, StreckenSeitenModell::Auslegung::Ausgelegt);
    EXPECT_EQ(r.breite, 250);
    EXPECT_EQ(r.hoehe, 250);
    EXPECT_EQ(d.i[4], 5);
    EXPECT_EQ(d.i[5], 5000);
    EXPECT_EQ(d.p[0], QStringLiteral("5,00"));
    EXPECT_EQ(r.zeilen.berechnetMass, QStringLiteral("236 [mm]"));
    EXPECT_EQ(r.zeilen.berechnetFlaeche, QStringLiteral("0,06 [m²]"));
    EXPECT_EQ(r.zeilen.berechnetWert, QStringLiteral("-"));
    EXPECT_EQ(r.zeilen.vorschlagMass, QStringLiteral("250 [mm]"));
    EXPECT_EQ(r.zeilen.vorschlagFlaeche, QStringLiteral("0,06 [m²]"));
    EXPECT_EQ(r.zeilen.vorschlagWert, QStringLiteral("4,4 [m/s]"));

    // Limits: a width limit below the square edge keeps the width, the duct gets higher; a
    // limit below 10 is none.
    const struct {
        double maxBreite, maxHoehe;
        double breite, hoehe, i2, i3;
    } grenzen[] = {
        {200, -1, 200, 300, 200, -1}, {5, -1, 250, 250, -1, -1}, {-1, 150, 400, 150, -1, 150}};
    for (const auto& g : grenzen) {
        f.maxBreite = g.maxBreite;
        f.maxHoehe = g.maxHoehe;
        r = m.auslegen(f, 1.2, d);
        EXPECT_EQ(r.breite, g.breite) << g.maxBreite << " " << g.maxHoehe;
        EXPECT_EQ(r.hoehe, g.hoehe) << g.maxBreite << " " << g.maxHoehe;
        EXPECT_EQ(d.i[2], g.i2);
        EXPECT_EQ(d.i[3], g.i3);
    }

    // Refusals: no flow, no design value; in planning only the length is taken.
    f.maxBreite = f.maxHoehe = -1;
    f.volumenstrom = -1;
    r = m.auslegen(f, 1.2, d);
    EXPECT_EQ(r.art, StreckenSeitenModell::Auslegung::KeinVolumenstrom);
    EXPECT_EQ(r.meldung, QStringLiteral("Bitte Position im Strang auswählen"));
    f.volumenstrom = 1000;
    f.auslegung = 0;
    r = m.auslegen(f, 1.2, d);
    EXPECT_EQ(r.art, StreckenSeitenModell::Auslegung::Abgelehnt);
    EXPECT_EQ(r.meldung, QStringLiteral("Bitte Auslegungswert eingeben"));
    d.planung = true;
    f.auslegung = 5;
    f.laenge = 7000;
    r = m.auslegen(f, 1.2, d);
    EXPECT_EQ(r.art, StreckenSeitenModell::Auslegung::Planung);
    EXPECT_EQ(d.i[5], 7000);
}

TEST(StreckenSeitenModell, SizingAPipeAndItsNeighbourDiameters) {
    const Einstellungen v = nachGeschwindigkeit();
    const StreckenSeitenModell m(true, v);
    StreckenFelder f;
    f.volumenstrom = 1000;
    f.auslegung = 5;
    DVdata d;
    d.typ = typRohr;
    // d0 = 1000·√(4·0,0556/π) = 265 mm → the standard 300 mm at 3,93 m/s.
    const auto r = m.auslegen(f, 1.2, d);
    ASSERT_EQ(r.art, StreckenSeitenModell::Auslegung::Ausgelegt);
    EXPECT_EQ(d.i[0], 300);
    EXPECT_EQ(r.breite, 300);
    EXPECT_EQ(r.zeilen.berechnetFlaeche, QStringLiteral("0,056 [m²]"));
    EXPECT_EQ(r.zeilen.berechnetMass, QStringLiteral("265 [mm]"));
    EXPECT_EQ(r.zeilen.vorschlagFlaeche, QStringLiteral("0,071 [m²]"));
    EXPECT_EQ(r.zeilen.vorschlagWert, QStringLiteral("3,93 [m/s]"));

    const struct {
        double d;
        bool groesser;
        int durchmesser;
        const char* text;
    } nachbarn[] = {{300, false, 255, "5,4"}, {300, true, 315, "3,6"}, {250, false, 230, "6,7"},
                    {40, false, -1, "-"},     {2800, true, -1, "-"},   {-1, true, -1, "-"}};
    for (const auto& n : nachbarn) {
        const RohrNachbar b = m.nachbar(n.d, 1000, n.groesser);
        EXPECT_EQ(b.durchmesser, n.durchmesser) << n.d;
        EXPECT_EQ(b.text, QString::fromLatin1(n.text)) << n.d;
    }
    // Without a flow the buttons offer nothing.
    EXPECT_EQ(m.nachbar(300, -1, true).text, QStringLiteral("-"));
}

TEST(StreckenSeitenModell, WidthAloneGetsTheHeightOfTheDesignVelocity) {
    const Einstellungen v = nachGeschwindigkeit();
    const StreckenSeitenModell m(false, v);
    StreckenFelder f;
    f.volumenstrom = 1000;
    f.auslegung = 4; // 1000/3600/4 = 0,069 m²
    const struct {
        double breite, hoehe;
        bool breiteGeaendert;
        double erwartet;
    } faelle[] = {{500, -1, true, 150},
                  {100, -1, true, 800},
                  {90, -1, true, -1},
                  {500, 200, true, -1},
                  {500, -1, false, -1}};
    for (const auto& c : faelle) {
        f.breite = c.breite;
        f.hoehe = c.hoehe;
        EXPECT_EQ(m.hoeheZurBreite(f, c.breiteGeaendert, -1), c.erwartet) << c.breite;
    }
    // By gradient the section's design velocity counts (3 m/s: 0,093 m² at 500 → 200).
    const Einstellungen g = nachGefaelle();
    f.breite = 500;
    f.hoehe = -1;
    EXPECT_EQ(StreckenSeitenModell(false, g).hoeheZurBreite(f, true, 3), 200);
}

TEST(StreckenSeitenModell, LengthsAreasAndLimits) {
    const struct {
        double feld, mm;
    } laengen[] = {{12, 12000}, {150, 150}, {99, 99000}, {100, 100}, {0.5, 500}, {-12.5, -12.5}};
    for (const auto& l : laengen) EXPECT_EQ(StreckenSeitenModell::laenge(l.feld), l.mm) << l.feld;
    EXPECT_EQ(StreckenSeitenModell::grenze(9), -1);
    EXPECT_EQ(StreckenSeitenModell::grenze(10), 10);

    const Einstellungen v = nachGeschwindigkeit();
    DVdata d;
    d.i[0] = 500;
    d.i[1] = 300;
    EXPECT_EQ(StreckenSeitenModell(false, v).flaecheText(d), QStringLiteral("0,150 [m²]"));
    d.i[1] = -1;
    EXPECT_EQ(StreckenSeitenModell(false, v).flaecheText(d), QString());
    EXPECT_EQ(StreckenSeitenModell(true, v).flaecheText(d), QStringLiteral("0,196 [m²]"));
    EXPECT_EQ(StreckenSeitenModell::rohrFlaecheText(15), QString()); // still being typed
    EXPECT_EQ(StreckenSeitenModell::rohrFlaecheText(200), QStringLiteral("0,031 [m²]"));
}

TEST(Feldbereiche, PlausibleRangesOfThePages) {
    const struct {
        Bereich b;
        double drin, draussen;
        const char* hinweis;
    } bereichsFaelle[] = {
        {bereiche::abmessung(), 250, 250300, "zulässig: 10 bis 10.000 mm"},
        {bereiche::abmessung(), 10000, 9, "zulässig: 10 bis 10.000 mm"},
        {bereiche::laenge(), 0, -12.5, "zulässig: 0 bis 1.000.000 mm"},
        {bereiche::volumenstrom(), 1000000, 1000001, "zulässig: 0 bis 1.000.000 m³/h"},
        {bereiche::gefaelle(), 0.5, 150, "zulässig: 0 bis 100 Pa/m"},
        {bereiche::dichte(), 1.2, 12, "zulässig: 0,5 bis 2 kg/m³"},
        {bereiche::zeta(), -0.3, 2000, "zulässig: -100 bis 1.000"},
    };
    for (const auto& c : bereichsFaelle) {
        EXPECT_TRUE(c.b.enthaelt(c.drin)) << c.hinweis;
        EXPECT_FALSE(c.b.enthaelt(c.draussen)) << c.hinweis;
        EXPECT_TRUE(c.b.enthaelt(-1)) << "an empty field is always accepted";
        EXPECT_EQ(c.b.hinweis(), QString::fromUtf8(c.hinweis));
    }
    EXPECT_FALSE(bereiche::laenge().negativErlaubt());
    EXPECT_TRUE(bereiche::zeta().negativErlaubt());
    // Component slots by caption and unit.
    EXPECT_TRUE(bereiche::wertSlot(QStringLiteral("t°,ein"), QString(), -1, -1).enthaelt(-20));
    EXPECT_FALSE(
        bereiche::wertSlot(QStringLiteral("Breite"), QStringLiteral("mm"), -3, -1).enthaelt(-5));
    EXPECT_FALSE(bereiche::wertSlot(QStringLiteral("Winkel"), QString(), -1, -1).enthaelt(400));
    EXPECT_TRUE(bereiche::wertSlot(QStringLiteral("Höhensprung"), QStringLiteral("mm"), -1, -1)
                    .enthaelt(-300));
    EXPECT_FALSE(bereiche::wertSlot(QStringLiteral("Anzahl"), QString(), 1, -1).enthaelt(0));
}

} // namespace
