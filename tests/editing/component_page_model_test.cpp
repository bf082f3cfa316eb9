// The rules of the component page without a window: what it shows for a record and how its
// controls write back, on the catalogue carried in the program.
#include "editing/component_page_model.h"
#include "editing/page_check.h"
#include "network/catalogue.h"

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace zephan;

namespace {

DVdata seite(int typ) {
    DVdata d;
    d.typ = typ;
    komponentenSeite(d);
    return d;
}

TEST(KomponentenAnsicht, ValueSlotsFollowShapeAndPlanning) {
    // A rectangular bend (21): width, height, radius; its sizes are open while planning.
    DVdata bogen = seite(21);
    bogen.planung = false;
    bogen.eckig = true;
    bogen.i[0] = 500;
    const tBasisDaten_* k = basisDaten(21);
    ASSERT_NE(k, nullptr);
    const KomponentenAnsicht a = komponentenAnsicht(bogen);
    const WertSlotAnsicht& breite = a.werte[0];
    EXPECT_TRUE(breite.sichtbar);
    EXPECT_EQ(breite.caption, k->dat[0].texteckig);
    EXPECT_EQ(breite.einheit, QStringLiteral("[mm]"));
    EXPECT_EQ(breite.wert, 500);
    EXPECT_FALSE(breite.bereich.enthaelt(-5));
    EXPECT_TRUE(a.box2Sichtbar); // "links/rechts|hoch/runter"
    EXPECT_EQ(a.box2, (QStringList{QStringLiteral("links/rechts"), QStringLiteral("hoch/runter")}));
    for (size_t s = 0; s < a.werte.size(); ++s) {
        const tDatSlot& slot = k->dat[s];
        EXPECT_EQ(a.werte[s].sichtbar, !slot.texteckig.isEmpty()) << s;
    }
    bogen.planung = true;
    const KomponentenAnsicht p = komponentenAnsicht(bogen);
    for (size_t s = 0; s < p.werte.size(); ++s)
        if (k->dat[s].min == -3) {
            EXPECT_FALSE(p.werte[s].sichtbar) << s;
        }
    EXPECT_EQ(p.planungSichtbar, k->planung);
}

TEST(KomponentenAnsicht, PresetModes) {
    // Over every catalogue type: pressure mode hides zeta; zeta shown only with "Werte
    // vorgeben" checked; the checks give the preset mode back.
    for (int typ = 6; typ <= 50; ++typ) {
        const tBasisDaten_* k = basisDaten(typ);
        if (!k) continue;
        for (int vorgabe : {-1, 0, 1}) {
            DVdata d = seite(typ);
            d.vorgabe = vorgabe;
            const VorgabeAnsicht v = vorgabeAnsicht(d, k);
            EXPECT_EQ(v.druckModus, vorgabe == 1 || (vorgabe == 0 && k->vorgabe == 4)) << typ;
            EXPECT_EQ(v.vorgebenSichtbar, k->vorgabe2 > 0) << typ;
            if (!v.vorgebenGesetzt) {
                EXPECT_FALSE(v.zetaSichtbar) << typ;
            }
            if (v.druckModus) {
                EXPECT_TRUE(v.geschwindigkeitAktiv) << typ;
                EXPECT_FALSE(v.zetaAktiv) << typ;
            }
        }
    }
    // The check boxes as the record's mode, for a type with manual mode 1 (zeta allowed).
    tBasisDaten_ k;
    k.vorgabe = 0;
    k.vorgabe2 = 1;
    const struct {
        bool vorgeben, zeta;
        int vorgabe;
    } checks[] = {{false, false, 0}, {false, true, 0}, {true, false, 1}, {true, true, -1}};
    for (const auto& c : checks)
        EXPECT_EQ(vorgabeAusChecks(c.vorgeben, c.zeta, &k), c.vorgabe) << c.vorgeben << c.zeta;
    // Manual mode 4 offers no zeta; a type whose normal mode is 5 never leaves the zeta preset.
    k.vorgabe2 = 4;
    EXPECT_EQ(vorgabeAusChecks(true, true, &k), 1);
    k.vorgabe = 5;
    EXPECT_EQ(vorgabeAusChecks(false, false, &k), -1);
}

TEST(KomponentenAnsicht, OptionsAndValuesWriteTheRecord) {
    DVdata d = seite(21);
    KomponentenOptionen o;
    o.box1Gezeigt = true;
    o.tag1 = 2;
    o.box2Gezeigt = true;
    o.tag2 = 1;
    o.gruppe = QStringLiteral("Dach");
    o.bemerkung = QStringLiteral(" x|y ");
    EXPECT_TRUE(optionenInPuffer(o, d)); // another angle: the page is built again
    EXPECT_EQ(d.tag1, 2);
    EXPECT_EQ(d.tag2, 1);
    EXPECT_EQ(d.Gruppe, QStringLiteral("Dach"));
    EXPECT_EQ(d.Text, QStringLiteral("x-y"));
    EXPECT_FALSE(optionenInPuffer(o, d)); // nothing that changes the page
    // A list not shown leaves its choice alone.
    o.box2Gezeigt = false;
    o.tag2 = -1;
    optionenInPuffer(o, d);
    EXPECT_EQ(d.tag2, 1);

    wertInPuffer(0, 630, QString(), d);
    EXPECT_EQ(d.i[0], 630);
    wertInPuffer(7, 4.5, QStringLiteral("4,5"), d);
    EXPECT_EQ(d.p[0], QStringLiteral("4,5"));
    wertInPuffer(8, 0.3, QStringLiteral("0,3"), d);
    EXPECT_EQ(d.p[1], QStringLiteral("0,3"));
    // In pressure mode the first preset field is the loss i6.
    d.vorgabe = 1;
    wertInPuffer(7, 45, QStringLiteral("45"), d);
    EXPECT_EQ(d.i[6], 45);
    EXPECT_EQ(d.p[0], QStringLiteral("4,5"));

    EXPECT_EQ(
        optionsEintraege(QStringLiteral("SLF-A25 Isolierstärke 25mm|SLF-A50 Isolierstärke 50mm|")),
        (QStringList{QStringLiteral("SLF-A25 Isolierstärke 25mm"),
                     QStringLiteral("SLF-A50 Isolierstärke 50mm")}));
    EXPECT_TRUE(optionsEintraege(QString()).isEmpty());
}

} // namespace
