#include "editing/page_check.h"
#include "editing_fixture.h"
#include "network/catalogue.h"

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

// --- type rules -------------------------------------------------------------------------------

TEST(TypWechsel, OnePredicateForButtonAndOperation) {
    // Same type, and the groups {7, 8}, {19, 20}, {20, 21, 28}.
    EXPECT_TRUE(typWechselErlaubt(21, 21));
    EXPECT_TRUE(typWechselErlaubt(7, 8));
    EXPECT_TRUE(typWechselErlaubt(8, 7));
    EXPECT_TRUE(typWechselErlaubt(19, 20));
    EXPECT_TRUE(typWechselErlaubt(20, 21));
    EXPECT_TRUE(typWechselErlaubt(28, 20));
    EXPECT_TRUE(typWechselErlaubt(21, 28));
    EXPECT_FALSE(typWechselErlaubt(7, 21));
    EXPECT_FALSE(typWechselErlaubt(21, 7));
    EXPECT_FALSE(typWechselErlaubt(19, 21)); // 19 and 21 share no group
    EXPECT_FALSE(typWechselErlaubt(2, 3));
    // Two pieces with three ends, but never the branch container and never the cross.
    EXPECT_TRUE(typWechselErlaubt(30, 35));
    EXPECT_TRUE(typWechselErlaubt(39, 32));
    EXPECT_FALSE(typWechselErlaubt(30, 5));
    EXPECT_FALSE(typWechselErlaubt(5, 30));
    EXPECT_FALSE(typWechselErlaubt(30, 37));
    // Line heads only with the same kind.
    EXPECT_TRUE(typWechselErlaubt(0, 0));
    EXPECT_FALSE(typWechselErlaubt(0, 1));
    EXPECT_FALSE(typWechselErlaubt(-1, -1));
}

TEST(TypWechsel, InsertableTypes) {
    for (int typ : {2, 3, 6, 7, 8, 15, 21, 30, 37, 44, 50})
        EXPECT_TRUE(einfuegbarerTyp(typ)) << typ;
    for (int typ : {-1, 0, 1, 4, 5, 9, 10, 11, 12, 13, 14, 51, 100})
        EXPECT_FALSE(einfuegbarerTyp(typ)) << typ;
}

TEST(TypListe, EveryEntryNamesTheTypeOfThatTitleAndGroupsNone) {
    int eintraege = 0;
    for (const TypListenGruppe& g : typListe()) {
        EXPECT_EQ(typAusListe(g.titel), -1) << g.titel.toStdString();
        for (const QString& e : g.eintraege) {
            const int typ = typAusListe(e);
            ASSERT_GE(typ, 0) << e.toStdString();
            EXPECT_EQ(basisDaten(typ)->titel, e);
            ++eintraege;
        }
    }
    EXPECT_EQ(eintraege, 28);
    EXPECT_EQ(typAusListe(QStringLiteral("Bogen")), 21);
    EXPECT_EQ(typAusListe(QStringLiteral("Kreuzstück")), 37);
    EXPECT_EQ(typAusListe(QStringLiteral("Raum")), 4);
    EXPECT_EQ(typAusListe(QStringLiteral("delta p")), 7);
    EXPECT_EQ(typAusListe(QStringLiteral("Abluftgitter")), 12);
    EXPECT_EQ(typAusListe(QStringLiteral("Formstück")), -1);
    EXPECT_EQ(typAusListe(QStringLiteral("bogen")), -1);
}

TEST(Seiten, SecondOptionLists) {
    EXPECT_EQ(zweiteOptionsliste(4, -1), "Abstrahlwinkel 0°|Abstrahlwinkel 45°");
    EXPECT_EQ(zweiteOptionsliste(9, 0), "scharf|gebrochen|gerundet|stark gerundet");
    EXPECT_EQ(zweiteOptionsliste(12, 2), "15°|30°|45°|60°");
    EXPECT_EQ(zweiteOptionsliste(12, 1), "");
    EXPECT_EQ(zweiteOptionsliste(10, 5), "Serie TR-AG oder -DG");
    EXPECT_EQ(zweiteOptionsliste(23, 4), "1 Segment|2 Segmente|3 Segmente|4 Segmente|5-8 Segmente");
    EXPECT_EQ(zweiteOptionsliste(23, 1), "1 Segment|2 Segmente");
    EXPECT_EQ(zweiteOptionsliste(41, 0), "SLF-A25 Isolierstärke 25mm|SLF-A50 Isolierstärke 50mm|");
    EXPECT_EQ(zweiteOptionsliste(21, 3), "links/rechts|hoch/runter");
    EXPECT_EQ(zweiteOptionsliste(2, 0), "");
}

TEST(Seiten, BuildingTheComponentPageNormalisesTheBuffer) {
    DVdata d;
    d.typ = 21;
    komponentenSeite(d);
    EXPECT_EQ(d.tag1, 0); // the catalogue's default option
    EXPECT_EQ(d.tag2, 0); // the bend's direction list
    DVdata kanal;
    kanal.typ = 2;
    komponentenSeite(kanal);
    EXPECT_EQ(kanal.tag1, 0); // a single option is chosen
    EXPECT_TRUE(kanal.eckig);
    DVdata klappe;
    klappe.typ = 40;
    klappe.eckig = true;
    komponentenSeite(klappe);
    EXPECT_FALSE(klappe.eckig); // always round
    EXPECT_EQ(klappe.tag1, -1); // no option list
    DVdata sd;
    sd.typ = 41;
    komponentenSeite(sd);
    EXPECT_EQ(sd.tag1, -1); // several options, no default
    DVdata raum;
    raum.typ = 4;
    komponentenSeite(raum);
    EXPECT_TRUE(raum.eckig); // no cross-section counts as rectangular
}

TEST(Seiten, TextsOfLineHeadsAndDucts) {
    EXPECT_EQ(dichteText(QStringLiteral("1,2")), "1,200");
    EXPECT_EQ(dichteText(QStringLiteral("1.2")), "12,000"); // "." groups thousands
    EXPECT_EQ(dichteText(QStringLiteral("abc")), "abc");
    DVdata kopf;
    kopf.typ = 1;
    kopf.p[2] = QStringLiteral("  Ost 2 ");
    EXPECT_EQ(strangSchluessel(kopf), "Abluft: Ost 2");
    kopf.typ = 21;
    EXPECT_EQ(strangSchluessel(kopf), "");

    DVdata kanal;
    kanal.typ = 2;
    kanal.i[0] = 500;
    kanal.i[1] = 300;
    EXPECT_EQ(streckenGeschwindigkeit(kanal, 2000), "3,70");
    EXPECT_EQ(streckenGeschwindigkeit(kanal, -1), "");
    kanal.i[1] = 0;
    EXPECT_EQ(streckenGeschwindigkeit(kanal, 2000), "");
    DVdata rohr;
    rohr.typ = 3;
    rohr.i[0] = 200;
    EXPECT_EQ(streckenGeschwindigkeit(rohr, 500), "4,42"); // 500/3600/0,0314159
}

TEST(Seiten, CompletenessOfEachPage) {
    DVdata k;
    k.typ = 2;
    k.tag1 = 0;
    k.eckig = true;
    k.p[2] = QStringLiteral("Stahlblech");
    k.i[5] = 2000;
    k.i[0] = 500;
    k.i[1] = 300;
    EXPECT_FALSE(pufferPruefen(k).vollstaendig); // no velocity yet
    k.p[0] = QStringLiteral("3,70");
    EXPECT_TRUE(pufferPruefen(k).vollstaendig);
    EXPECT_EQ(k.fehler, 0);
    k.i[1] = 90; // below the smallest standard edge (100)
    EXPECT_FALSE(pufferPruefen(k).vollstaendig);
    k.planung = true; // in planning the dimensions do not count
    EXPECT_TRUE(pufferPruefen(k).vollstaendig);
    k.i[5] = 0;
    EXPECT_EQ(pufferPruefen(k).meldung, "Fehlende Informationen");

    DVdata r;
    r.typ = 3;
    r.p[2] = QStringLiteral("Stahlblech");
    r.i[5] = 9; // a pipe needs more than 9 mm
    r.i[0] = 200;
    r.p[0] = QStringLiteral("4,42");
    EXPECT_FALSE(pufferPruefen(r).vollstaendig);
    r.i[5] = 10;
    EXPECT_TRUE(pufferPruefen(r).vollstaendig);
    r.p[0] = QStringLiteral("0");
    EXPECT_EQ(pufferPruefen(r).meldung, "Geschwindigkeit fehlt");

    DVdata z;
    z.typ = 8;
    z.tag1 = 0;
    z.p[1] = QStringLiteral("0,5");
    EXPECT_EQ(pufferPruefen(z).meldung, "Geschwindigkeit fehlt");
    z.p[0] = QStringLiteral("4");
    EXPECT_TRUE(pufferPruefen(z).vollstaendig);
    z.vorgabe = 1; // preset pressure loss
    EXPECT_EQ(pufferPruefen(z).meldung, "Druckverlust fehlt");
    z.i[6] = 20;
    EXPECT_TRUE(pufferPruefen(z).vollstaendig);

    DVdata g;
    g.typ = 9;
    g.tag1 = 0;
    g.planung = true;
    g.i[3] = 1000;
    EXPECT_FALSE(pufferPruefen(g).vollstaendig); // the second list is shown and not chosen
    g.tag2 = 2;
    EXPECT_TRUE(pufferPruefen(g).vollstaendig);
    g.i[3] = -1;
    EXPECT_FALSE(pufferPruefen(g).vollstaendig);
    EXPECT_EQ(g.fehler, 1);

    DVdata kopf;
    kopf.typ = 0;
    kopf.p[1] = QStringLiteral("1,200");
    EXPECT_EQ(pufferPruefen(kopf).meldung, "Bitte Strangart, Dichte und Kennung angeben.");
    kopf.p[2] = QStringLiteral("3");
    EXPECT_TRUE(pufferPruefen(kopf).vollstaendig);
    kopf.p[1] = QStringLiteral("x");
    EXPECT_FALSE(pufferPruefen(kopf).vollstaendig);
}

// --- the page check of a session ---------------------------------------------------------------

TEST_F(Sitzung, AnEmptyTreeOffersOnlyTheLinePages) {
    s.strangSeite(0, QStringLiteral("1"));
    SeitenZustand z = seitenPruefung(s);
    EXPECT_TRUE(z.nurStrangSeiten);
    EXPECT_TRUE(z.einfuegen);
    EXPECT_FALSE(z.uebernehmen);
    EXPECT_FALSE(z.loeschen);
    EXPECT_EQ(s.editDaten().p[1], "1,200");

    s.editDaten() = DVdata{};
    s.editDaten().typ = 21;
    z = seitenPruefung(s);
    EXPECT_FALSE(z.einfuegen);
    EXPECT_FALSE(z.uebernehmen);
}

TEST_F(Sitzung, LineButtonsFollowKeyTypeAndCatalogue) {
    neuerStrang(0, QStringLiteral("1"));
    s.auswaehlen(at("1"));
    SeitenZustand z = seitenPruefung(s);
    EXPECT_FALSE(z.einfuegen); // the key exists
    EXPECT_TRUE(z.uebernehmen);
    EXPECT_TRUE(z.loeschen);
    s.editDaten().p[2] = QStringLiteral("2");
    EXPECT_TRUE(seitenPruefung(s).einfuegen);
    s.editDaten().typ = 1;
    EXPECT_FALSE(seitenPruefung(s).uebernehmen); // a supply line stays a supply line

    s.auswaehlen(at("1.4")); // room
    z = seitenPruefung(s);
    EXPECT_FALSE(z.loeschen);
    EXPECT_TRUE(z.uebernehmen);
    EXPECT_FALSE(z.einfuegen);
    EXPECT_EQ(z.meldung, ""); // rooms are never inserted: no message for that
    EXPECT_EQ(z.ergebnis, "Fehlende Informationen");
}

TEST_F(Sitzung, ComponentButtonsAndResult) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(21);
    SeitenZustand z = seitenPruefung(s);
    EXPECT_TRUE(z.vollstaendig);
    EXPECT_TRUE(z.einfuegen);
    EXPECT_FALSE(z.uebernehmen); // a bend over the fan
    EXPECT_FALSE(z.berechnen);   // in planning
    EXPECT_FALSE(z.loeschen);    // the fan belongs to the line
    EXPECT_EQ(z.meldung, "");

    s.editDaten().planung = false;
    z = seitenPruefung(s);
    EXPECT_FALSE(z.vollstaendig);
    EXPECT_EQ(z.ergebnis, "Fehlende Informationen");
    s.editDaten().i[0] = 500;
    s.editDaten().i[1] = 300;
    z = seitenPruefung(s);
    EXPECT_TRUE(z.berechnen);
    EXPECT_EQ(z.ergebnis, "-"); // a fitting is calculated only in place of its own node

    s.fokussieren(at("1.4"));
    z = seitenPruefung(s);
    EXPECT_FALSE(z.einfuegen);
    EXPECT_EQ(z.meldung, "Sie können dadrunter kein neues Bauteil einfügen.");

    // A duct takes the page's velocity from the selected node's flow (the grille's 2000 m³/h
    // before the fan).
    s.auswaehlen(at("1.2"));
    waehle(2);
    s.editDaten().planung = false;
    s.editDaten().i[0] = 500;
    s.editDaten().i[1] = 300;
    z = seitenPruefung(s);
    EXPECT_EQ(s.editDaten().p[0], "3,70");
    EXPECT_TRUE(z.vollstaendig);
    EXPECT_TRUE(z.einfuegen);
    // 1 m of steel duct, d_h 375 mm at 3,70 m/s: R about 0,44 Pa/m.
    EXPECT_EQ(z.ergebnis, "0,44 [Pa]");
}

TEST_F(Sitzung, ApplyButtonAndOperationAgree) {
    neuerStrang();
    gitterFertig();
    s.auswaehlen(at("1.2"));
    waehle(7);
    ASSERT_TRUE(s.bauteilEinfuegen());
    for (int typ : {7, 8, 21, 19, 30}) {
        s.auswaehlen(at("1.3"));
        waehle(typ);
        const bool knopf = seitenPruefung(s).uebernehmen;
        const bool getan = s.uebernehmen();
        EXPECT_EQ(knopf, getan) << typ;
        if (getan && typ != 7) {
            // back to delta p for the next round
            waehle(7);
            ASSERT_TRUE(s.uebernehmen());
        }
    }
}

} // namespace
