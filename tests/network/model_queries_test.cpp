#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace zephan;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Appends a node with a fresh record of the given type (not in planning).
DVdata& neu(ProjektBaum& b, tmylistitem* eltern, int typ, tmylistitem** knoten = nullptr) {
    tmylistitem* n =
        eltern ? b.AddChild(eltern, QStringLiteral("leer")) : b.Add(QStringLiteral("leer"));
    DVdata& d = *nodeDaten(n);
    initNode(d, false);
    d.typ = typ;
    d.eckig = true;
    if (knoten) *knoten = n;
    return d;
}

tmylistitem* knoten(ProjektBaum& b, tmylistitem* eltern, int typ) {
    tmylistitem* n = nullptr;
    neu(b, eltern, typ, &n);
    return n;
}

// An outlet with its room at the end of a chain.
tmylistitem* auslass(ProjektBaum& b, tmylistitem* eltern, double q, int typ = 10) {
    tmylistitem* a = nullptr;
    neu(b, eltern, typ, &a).i[3] = q;
    neu(b, eltern, 4);
    return a;
}

// The carried example project, loaded through the project file.
class Beispiel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString datei = dir.filePath(QStringLiteral("ex.pro"));
        ASSERT_TRUE(beispielSchreiben(datei));
        projekt.setAutomatischSichern([] { return false; });
        projekt.setDateiname(datei);
        ASSERT_TRUE(projekt.laden());
        ASSERT_EQ(projekt.baum().count(), 19);
    }
    tmylistitem* at(int index) { return projekt.baum().item(index); }

    QTemporaryDir dir;
    RecordingSeam seam;
    Projekt projekt{seam};
};

} // namespace

// --- titles, pictures, option texts
// ---------------------------------------------------------------

TEST(NodeTitel, AnglesBranchNumbersLineHeadsAndRemarks) {
    DVdata d;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "-");
    d.typ = 21;
    d.tag1 = 2;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Bogen 45°");
    d.tag1 = -1;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Bogen 90°");
    d.tag1 = 0;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Bogen 90°");
    d.tag1 = 7;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Bogen 90°");
    d.typ = 20;
    d.tag1 = 4;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Übergangsbogen 15°");
    d.tag1 = 1;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), d), "Übergangsbogen 60°");

    DVdata z;
    z.typ = 5;
    z.tag1 = 1;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), z), "Abzweig: 2");
    z.tag1 = 0;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), z), "Abzweig: 1");

    DVdata kopf;
    kopf.typ = 0;
    kopf.p[2] = QStringLiteral("1 Beispiel");
    kopf.Text = QStringLiteral("Beschreibung");
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), kopf),
              "Zuluft: 1 Beispiel"); // no remark on a line head

    DVdata raum;
    raum.typ = 4;
    raum.p[2] = QStringLiteral("R7");
    raum.Text = QStringLiteral("Büro");
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), raum), "Raum: R7 (Büro)");

    DVdata sattel;
    sattel.typ = 34;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), sattel), "Sattelstutzen 90°");
    sattel.eckig = true;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), sattel), "Gabelung 90°");
    sattel.eckig = false;
    sattel.planung = true;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), sattel), "Gabelung 90°");

    DVdata unbekannt;
    unbekannt.typ = 50;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), unbekannt), "nodef");
}

TEST(NodeTitel, OptionTextAsTitle) {
    DVdata g;
    g.typ = 9;
    g.tag1 = 3;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), g), "Wetterschutzgitter");
    g.tag1 = -1;
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), g), "Außenluftgitter");
    g.tag1 = 40; // beyond the list: empty entry
    g.Text = QStringLiteral("Nord");
    EXPECT_EQ(nodeTitel(basisDatenTabelle(), g), " (Nord)");
}

TEST(NodeRefresh, PicturesStateIconsAndBranchContainers) {
    ProjektBaum b;
    b.setPlanungFuerNeue([] { return false; });
    tmylistitem* zu = knoten(b, nullptr, 0);
    tmylistitem* fz = knoten(b, zu, 13);
    tmylistitem* etage = knoten(b, zu, 24);
    nodeDaten(etage)->eckig = false;
    tmylistitem* sattel = knoten(b, zu, 34);
    tmylistitem* bogen = knoten(b, zu, 21);
    nodeDaten(bogen)->eckig = false;
    tmylistitem* ab = knoten(b, nullptr, 1);
    tmylistitem* fa = knoten(b, ab, 13);
    tmylistitem* fremd = knoten(b, ab, 50);
    tmylistitem* kreuz = knoten(b, ab, 37);
    tmylistitem* z5 = knoten(b, kreuz, 5);
    nodeDaten(z5)->tag1 = 1;
    nodeDaten(z5)->Text = QStringLiteral("weg");
    nodeDaten(z5)->Gruppe = QStringLiteral("weg");

    for (tmylistitem* n = b.topitem(); n; n = n->getNext()) nodeRefresh(basisDatenTabelle(), n);
    EXPECT_EQ(fz->imageIndex, 13 + 16);
    EXPECT_EQ(fa->imageIndex, 14 + 16);
    EXPECT_EQ(etage->imageIndex, 25 + 16);
    EXPECT_EQ(sattel->imageIndex, 37 + 16);
    EXPECT_EQ(sattel->caption(), "Gabelung 90°");
    EXPECT_EQ(bogen->imageIndex, 22 + 16);
    EXPECT_EQ(fremd->caption(), "nodef");
    EXPECT_EQ(fremd->imageIndex, 15);
    EXPECT_EQ(z5->caption(), "Abzweig: 2");
    EXPECT_TRUE(nodeDaten(z5)->Text.isEmpty());
    EXPECT_TRUE(nodeDaten(z5)->Gruppe.isEmpty());

    DVdata d;
    d.fehler = 0;
    EXPECT_EQ(nodeStatusIcon(d), -1);
    d.fehler = 6;
    EXPECT_EQ(nodeStatusIcon(d), 6);
    d.planung = true;
    EXPECT_EQ(nodeStatusIcon(d), 6);
    d.fehler = 5;
    EXPECT_EQ(nodeStatusIcon(d), 2);
    d.fehler = 0;
    EXPECT_EQ(nodeStatusIcon(d), 2);
}

TEST(NodeBoxText, OptionWithTitleExceptForSilencersAndFireDampers) {
    DVdata d;
    d.typ = 9;
    d.tag1 = 3;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "Außenluftgitter - Wetterschutzgitter");
    d.typ = 41;
    d.tag1 = 1;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "Rohr-Schalldämpfer");
    d.typ = 43;
    d.tag1 = 2;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "Brandschott 18017");
    d.typ = 21;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "-");
    d.typ = 9;
    d.tag1 = -1;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "-");
    d.typ = 30;
    d.tag1 = 0;
    EXPECT_EQ(nodeBoxText(basisDatenTabelle(), d), "-"); // no option list
}

TEST(NodeInfo, NeighbourLabels) {
    ProjektBaum b;
    b.setPlanungFuerNeue([] { return false; });
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* kanal = nullptr;
    DVdata& k = neu(b, kopf, 2, &kanal);
    k.i = {500, 300, -1, -1, -1, 2000, -1};
    k.tag1 = 0;
    tmylistitem* vent = nullptr;
    neu(b, kopf, 13, &vent).i[6] = 1250;
    tmylistitem* zeta = nullptr;
    DVdata& z = neu(b, kopf, 8, &zeta);
    z.p[0] = QStringLiteral("3,7");
    z.p[1] = QStringLiteral("0,5");
    z.tag1 = 1;
    tmylistitem* gitter = nullptr;
    DVdata& g = neu(b, kopf, 9, &gitter);
    g.i[0] = 500;
    g.i[1] = 300;
    g.tag1 = 0;
    tmylistitem* quer = nullptr;
    DVdata& q = neu(b, kopf, 16, &quer);
    q.eckig = false;
    q.i = {200, -1, 160, -1, -1, 300, -1};
    q.tag1 = 0;
    for (tmylistitem* n = b.topitem(); n; n = n->getNext()) nodeRefresh(basisDatenTabelle(), n);

    EXPECT_EQ(nodeInfo(basisDatenTabelle(), kanal, 0), "Kanal, 500 x 300 , Länge: 2.000 [mm]");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), vent, 0), "Ventilator, Druckverlust: 1.250 [Pa]");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), zeta, 0),
              "Zetawert, Zeta: 0,5, Geschwindigkeit: 3,7 [m/s], Filter");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), gitter, 0),
              "Strömen in Kanal, Breite: 500 [mm], Höhe: 300 [mm] ");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), quer, 0),
              "Querschnittsänderung, Ein: Durchmesser 200 [mm] Aus: 160 [mm] , stetig");
    k.planung = true;
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), kanal, 0), "Kanal, Länge: 2.000 [mm]");
    nodeDaten(vent)->fehler = 1;
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), vent, 0), "Ventilator");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), nullptr, 0), "-");

    EXPECT_EQ(nodeInfo(basisDatenTabelle(), gitter, 1), "Außenluftgitter , Strömen in Kanal");
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), kanal, 1), "Kanal");
    DVdata& s = neu(b, kopf, 41);
    s.tag1 = 2;
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), b.lastItem(), 1), "Kanal-Schalldämpter");
    neu(b, kopf, 6).i[0] = 1500;
    EXPECT_EQ(nodeInfo(basisDatenTabelle(), b.lastItem(), 1), "1.500 [m³/h]");
}

// --- line kind, flows, sections, counts on the example
// --------------------------------------------

TEST_F(Beispiel, LineKindAndPartBeforeTheFan) {
    EXPECT_TRUE(istZuluft(at(7)));   // bend in the branch of the supply line
    EXPECT_FALSE(istZuluft(at(17))); // extract grille
    EXPECT_TRUE(istZuluft(nullptr));

    EXPECT_TRUE(vorVentilator(basisDatenTabelle(), at(0)));
    EXPECT_TRUE(vorVentilator(basisDatenTabelle(), at(1)));
    EXPECT_TRUE(vorVentilator(basisDatenTabelle(), at(2))); // duct between grille and fan
    EXPECT_TRUE(vorVentilator(basisDatenTabelle(), at(3)));
    EXPECT_FALSE(vorVentilator(basisDatenTabelle(), at(4)));
    EXPECT_FALSE(vorVentilator(basisDatenTabelle(), at(5)));
    EXPECT_FALSE(vorVentilator(basisDatenTabelle(), at(6)));
    EXPECT_FALSE(vorVentilator(basisDatenTabelle(), at(12)));
    EXPECT_TRUE(vorVentilator(basisDatenTabelle(), at(15)));
    EXPECT_FALSE(vorVentilator(basisDatenTabelle(), at(17)));
}

TEST_F(Beispiel, VolumeFlowsOfEveryNode) {
    const int erwartet[19] = {2000, 2000, 2000, 2000, 2000, 2000, 1000, 1000, 1000, 1000,
                              1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
    const Volumenstroeme alle(basisDatenTabelle(), projekt.baum());
    for (int k = 0; k < 19; ++k) {
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(k)), erwartet[k])
            << at(k)->position().toStdString();
        EXPECT_EQ(alle[at(k)], erwartet[k]) << at(k)->position().toStdString();
    }
    const Volumenstroeme strang2(basisDatenTabelle(), at(14));
    EXPECT_EQ(strang2[at(16)], 1000);
    EXPECT_EQ(strang2[at(3)], -1);                            // not part of that line
    const Volumenstroeme strang1(basisDatenTabelle(), at(7)); // any node stands for its whole line
    for (int k = 0; k < 14; ++k) EXPECT_EQ(strang1[at(k)], erwartet[k]) << k;
    EXPECT_EQ(strang1[at(15)], -1);
}

TEST_F(Beispiel, UnknownOutletMakesTheWholeSumUnknown) {
    nodeDaten(at(9))->i[3] = -1;                             // the branch's outlet
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(5)), -1); // not 1000 + (-1)
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(4)), -1);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(6)), -1);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(11)),
              1000); // the main line's last duct does not feed it
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at(3)), 2000); // the fan takes the grille's value
    const Volumenstroeme alle(basisDatenTabelle(), projekt.baum());
    EXPECT_EQ(alle[at(5)], -1);
    EXPECT_EQ(alle[at(4)], -1);
    EXPECT_EQ(alle[at(11)], 1000);
}

TEST_F(Beispiel, SectionClassesAndComponentCounts) {
    EXPECT_EQ(abschnitt(at(4)), 0); // before the only branch piece of the main line
    EXPECT_EQ(abschnitt(at(5)), 0);
    EXPECT_EQ(abschnitt(at(6)), 2);  // branch chain without further branches
    EXPECT_EQ(abschnitt(at(11)), 2); // after the branch piece
    EXPECT_EQ(abschnitt(nullptr), -1);

    EXPECT_EQ(bauteilAnzahl(at(0)), 11);
    EXPECT_EQ(bauteilAnzahl(at(8)), 11); // the whole line, not only what follows the node
    EXPECT_EQ(bauteilAnzahl(at(14)), 3);
    EXPECT_EQ(bauteilAnzahl(projekt.baum()), 14);
}

TEST(Abschnitt, DistributionBetweenBranchPieces) {
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* k1 = knoten(b, kopf, 2);
    tmylistitem* s1 = knoten(b, kopf, 30);
    tmylistitem* z1 = knoten(b, s1, 2);
    tmylistitem* s2 = knoten(b, s1, 30);
    knoten(b, s2, 2);
    tmylistitem* k2 = knoten(b, kopf, 2);
    tmylistitem* s3 = knoten(b, kopf, 30);
    knoten(b, s3, 2);
    tmylistitem* k3 = knoten(b, kopf, 2);
    EXPECT_EQ(abschnitt(k1), 0);
    EXPECT_EQ(abschnitt(k2), 1); // another branch piece precedes the next one
    EXPECT_EQ(abschnitt(k3), 2);
    EXPECT_EQ(abschnitt(z1), 1); // branch piece found at level 2
}

// --- volume flow rules on hand-built lines
// --------------------------------------------------------

TEST(Volumenstrom, PointsCrossesRoundingAndLineHeads) {
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, 0);
    neu(b, kopf, 9).i[3] = 3000;
    tmylistitem* punktVor = nullptr;
    neu(b, kopf, 6, &punktVor).i[0] = 2800;
    tmylistitem* fan = knoten(b, kopf, 13);
    tmylistitem* k1 = knoten(b, kopf, 2);
    tmylistitem* kreuz = knoten(b, kopf, 37);
    tmylistitem* a1 = knoten(b, kreuz, 5);
    nodeDaten(a1)->tag1 = 0;
    knoten(b, a1, 2);
    auslass(b, a1, 300);
    tmylistitem* a2 = knoten(b, kreuz, 5);
    nodeDaten(a2)->tag1 = 1;
    knoten(b, a2, 2);
    auslass(b, a2, 400);
    tmylistitem* k2 = knoten(b, kopf, 2);
    tmylistitem* punkt = nullptr;
    neu(b, kopf, 6, &punkt).i[0] = 555;
    tmylistitem* s2 = knoten(b, kopf, 30);
    knoten(b, s2, 2);
    auslass(b, s2, 50);
    tmylistitem* k3 = knoten(b, kopf, 2);
    tmylistitem* s = knoten(b, kopf, 30);
    knoten(b, s, 2);
    auslass(b, s, 2.5); // rounds to 2 (half to even)
    knoten(b, kopf, 2);
    auslass(b, kopf, 3.5); // rounds to 4

    EXPECT_EQ(volumenstrom(basisDatenTabelle(), fan),
              2800); // the volume-flow point before the fan wins
    // After the fan: the cross's two chains, then the point replaces everything after it.
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k1), 300 + 400 + 555);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), kreuz), 300 + 400 + 555);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), a1),
              300); // a branch container reports its own chain only
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), a2), 400);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k2), 555);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), punkt), 555);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k3), 6);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), s2),
              555); // a branch piece right after a point takes its value
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), s), 6);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), kopf),
              3000); // a line head reports its first component
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), punktVor), 2800);

    const Volumenstroeme alle(basisDatenTabelle(), b);
    for (tmylistitem* n = b.topitem(); n; n = n->getNext())
        EXPECT_EQ(alle[n], volumenstrom(basisDatenTabelle(), n)) << n->position().toStdString();

    nodeDaten(k3)->typ = 77; // no catalogue entry
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), k3), -1);
    EXPECT_EQ(Volumenstroeme(basisDatenTabelle(), b)[k3], -1);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), nullptr), -1);
}

TEST(Volumenstrom, RoomAfterBranchContainerTakesTheContainersChain) {
    // A chain that ends in a branch container and a room: the room stands for the outlet of
    // the container's chain, which the walk of the flows meets only after the room.
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* k1 = knoten(b, kopf, 2);
    tmylistitem* z = knoten(b, kopf, 5);
    tmylistitem* k2 = knoten(b, z, 2);
    auslass(b, z, 700);
    tmylistitem* raum = knoten(b, kopf, 4);
    tmylistitem* zweiterKopf = knoten(b, nullptr, 0);
    tmylistitem* k3 = knoten(b, zweiterKopf, 2);
    auslass(b, zweiterKopf, 120);

    const Volumenstroeme alle(basisDatenTabelle(), b);
    const struct {
        tmylistitem* knoten;
        int strom;
    } faelle[] = {{k2, 700}, {zweiterKopf, 120}, {k3, 120}};
    for (const auto& f : faelle) {
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), f.knoten), f.strom)
            << f.knoten->position().toStdString();
        EXPECT_EQ(alle[f.knoten], f.strom) << f.knoten->position().toStdString();
    }
    // The nodes before the container: whatever the sums make of it, the flows of the tree
    // are those asked node by node.
    EXPECT_GE(alle[k1], 700);
    EXPECT_EQ(alle[kopf], alle[k1]);
    for (tmylistitem* n = b.topitem(); n; n = n->getNext())
        EXPECT_EQ(alle[n], volumenstrom(basisDatenTabelle(), n)) << n->position().toStdString();
    const Volumenstroeme zweiter(basisDatenTabelle(), k3);
    EXPECT_EQ(zweiter[k3], 120);
    EXPECT_EQ(zweiter[k1], -1);

    // What the flows cover: a node with everything below it, found from the records.
    EXPECT_TRUE(alle.umfasst(kopf));
    EXPECT_TRUE(alle.umfasst(z));
    EXPECT_TRUE(zweiter.umfasst(zweiterKopf));
    EXPECT_FALSE(zweiter.umfasst(kopf));
    EXPECT_FALSE(zweiter.umfasst(raum));
    EXPECT_FALSE(alle.umfasst(nullptr));
    const Stromvorgaben vorgaben{{k3, 50.0}};
    EXPECT_FALSE(Volumenstroeme(basisDatenTabelle(), k3, &vorgaben).umfasst(zweiterKopf));
}

TEST(Volumenstrom, DeeplyNestedBranches) {
    // Branch pieces nested far deeper than any real network.
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, 0);
    knoten(b, kopf, 13);
    tmylistitem* eltern = kopf;
    tmylistitem* erster = nullptr;
    const int tiefe = 2000;
    for (int k = 0; k < tiefe; ++k) {
        tmylistitem* s = knoten(b, eltern, 30);
        if (!erster) erster = s;
        auslass(b, eltern, 1);
        // the outlet follows the branch piece in the same chain
        eltern = s;
    }
    auslass(b, eltern, 1);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), erster), tiefe + 1);
    EXPECT_EQ(Volumenstroeme(basisDatenTabelle(), b)[erster], tiefe + 1);
}

// --- joints -------------------------------------------------------------------------------------

TEST(Anschluss, DimensionsAtInletOutletAndBranch) {
    ProjektBaum b;
    b.setPlanungFuerNeue([] { return false; });
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* kanal = nullptr;
    neu(b, kopf, 2, &kanal).i = {500, 300, -1, -1, -1, 2000, -1};
    double a = 0, h = 0;
    int form = 9;
    ASSERT_TRUE(anschluss(basisDatenTabelle(), kanal, true, a, h, form));
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 500);
    EXPECT_EQ(h, 300);
    h = 0;
    ASSERT_TRUE(
        anschluss(basisDatenTabelle(), kanal, false, a, h, form)); // no outlet slots: inlet values
    EXPECT_EQ(a, 500);
    EXPECT_EQ(h, 300);
    nodeDaten(kanal)->planung = true;
    EXPECT_FALSE(anschluss(basisDatenTabelle(), kanal, true, a, h, form));
    EXPECT_EQ(form, formUnbestimmt);
    EXPECT_EQ(a, -1);

    tmylistitem* quer = nullptr;
    neu(b, kopf, 16, &quer).i = {500, 300, 400, 250, -1, 300, -1};
    ASSERT_TRUE(anschluss(basisDatenTabelle(), quer, false, a, h, form));
    EXPECT_EQ(a, 400);
    EXPECT_EQ(h, 250);

    tmylistitem* kr = nullptr;
    neu(b, kopf, 26, &kr).i = {400, 300, 315, -1, -1, 500, -1};
    ASSERT_TRUE(anschluss(basisDatenTabelle(), kr, true, a, h, form));
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 400);
    EXPECT_EQ(h, 300);
    ASSERT_TRUE(anschluss(basisDatenTabelle(), kr, false, a, h, form));
    EXPECT_EQ(form, formRundMass);
    EXPECT_EQ(a, 315);

    tmylistitem* rk = nullptr;
    DVdata& r = neu(b, kopf, 27, &rk);
    r.eckig = false;
    r.i = {400, 300, 315, -1, -1, 500, -1};
    ASSERT_TRUE(anschluss(basisDatenTabelle(), rk, true, a, h, form));
    EXPECT_EQ(form, formRundMass);
    EXPECT_EQ(a, 315);
    ASSERT_TRUE(anschluss(basisDatenTabelle(), rk, false, a, h, form));
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 400);
    EXPECT_EQ(h, 300);

    tmylistitem* st = nullptr;
    neu(b, kopf, 30, &st).i = {500, 300, 250, 200, -1, -1, -1};
    h = anschlussAbzweig;
    ASSERT_TRUE(anschluss(basisDatenTabelle(), st, false, a, h, form));
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 250);
    EXPECT_EQ(h, 200);
    h = 0;
    ASSERT_TRUE(anschluss(basisDatenTabelle(), st, false, a, h, form));
    EXPECT_EQ(a, 500);
    EXPECT_EQ(h, 300);

    tmylistitem* rund = nullptr;
    neu(b, kopf, 39, &rund).i = {500, 300, 200, -1, -1, -1, -1};
    h = anschlussAbzweig;
    ASSERT_TRUE(anschluss(basisDatenTabelle(), rund, false, a, h, form));
    EXPECT_EQ(form, formRundMass);
    EXPECT_EQ(a, 200);
    h = 0;
    ASSERT_TRUE(
        anschluss(basisDatenTabelle(), rund, false, a, h, form)); // main joint: the inlet rule
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 500);
    EXPECT_EQ(h, 300);

    tmylistitem* fan = knoten(b, kopf, 13);
    EXPECT_FALSE(anschluss(basisDatenTabelle(), fan, true, a, h, form)); // no cross-section

    RecordingSeam seam;
    tmylistitem* fremd = knoten(b, kopf, 77);
    EXPECT_FALSE(anschluss(basisDatenTabelle(), fremd, true, a, h, form, &seam));
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], "Typ nicht definiert:77 [o]");
    EXPECT_FALSE(anschluss(basisDatenTabelle(), nullptr, true, a, h, form));
}

TEST(Anschluss, ShapesWithoutDimensions) {
    // A type without dimensions but with a cross-section; the default catalogue has none, so
    // one is put into a free slot for this test.
    auto e = std::make_shared<tBasisDaten_>();
    e->typ = 49;
    e->titel = QStringLiteral("Testteil");
    e->enden = 2;
    e->eckig = formBeides;
    e->eckigwechsel = true;
    ASSERT_EQ(basisDaten(49), nullptr);
    basisDatenTabelle().setzen(49, e);
    ProjektBaum b;
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* t = knoten(b, kopf, 49);
    double a = 0, h = 0;
    int form = 0;
    EXPECT_TRUE(anschluss(basisDatenTabelle(), t, true, a, h, form));
    EXPECT_EQ(form, formEckigOhne);
    EXPECT_TRUE(anschluss(basisDatenTabelle(), t, false, a, h, form));
    EXPECT_EQ(form, formRundOhne); // reversed at the outlet of a shape-changing type
    e->eckig = formRund;
    e->eckigwechsel = false;
    EXPECT_TRUE(anschluss(basisDatenTabelle(), t, false, a, h, form));
    EXPECT_EQ(form, formRundOhne);
    basisDatenTabelle().setzen(49, nullptr);
}

TEST(AnschlussNachbar, NeighboursAcrossBranchJoints) {
    ProjektBaum b;
    b.setPlanungFuerNeue([] { return false; });
    tmylistitem* kopf = knoten(b, nullptr, 0);
    tmylistitem* k1 = nullptr;
    neu(b, kopf, 2, &k1).i = {600, 400, -1, -1, -1, 1000, -1};
    tmylistitem* st = nullptr;
    neu(b, kopf, 30, &st).i = {600, 400, 300, 200, -1, -1, -1};
    tmylistitem* z1 = nullptr;
    neu(b, st, 2, &z1).i = {300, 200, -1, -1, -1, 1000, -1};
    tmylistitem* kreuz = nullptr;
    neu(b, kopf, 37, &kreuz).i = {600, 400, 250, 150, -1, -1, -1};
    tmylistitem* a5 = knoten(b, kreuz, 5);
    tmylistitem* z2 = knoten(b, a5, 2);

    double a = 0, h = 0;
    int form = 0;
    EXPECT_FALSE(
        anschlussNachbar(basisDatenTabelle(), k1, true, a, h, form)); // first of the main line
    ASSERT_TRUE(anschlussNachbar(basisDatenTabelle(), st, true, a, h, form));
    EXPECT_EQ(a, 600);
    EXPECT_EQ(h, 400);
    ASSERT_TRUE(anschlussNachbar(basisDatenTabelle(), z1, true, a, h,
                                 form)); // the branch joint of its piece
    EXPECT_EQ(form, formEckigMass);
    EXPECT_EQ(a, 300);
    EXPECT_EQ(h, 200);
    ASSERT_TRUE(
        anschlussNachbar(basisDatenTabelle(), z2, true, a, h, form)); // past the branch container
    EXPECT_EQ(a, 250);
    EXPECT_EQ(h, 150);
    EXPECT_FALSE(
        anschlussNachbar(basisDatenTabelle(), kreuz, false, a, h, form)); // last of the line
    ASSERT_TRUE(anschlussNachbar(basisDatenTabelle(), k1, false, a, h, form));
    EXPECT_EQ(a, 600);
    EXPECT_FALSE(anschlussNachbar(basisDatenTabelle(), nullptr, false, a, h, form));
}

// --- completeness -------------------------------------------------------------------------------

TEST(Vollstaendig, RequiredValuesOptionsAndCorrections) {
    DVdata k;
    initNode(k, false);
    k.typ = 2;
    k.eckig = true;
    k.tag1 = 0;
    k.i = {500, 300, -1, -1, -1, 2000, -1};
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), k));
    EXPECT_EQ(k.fehler, 0);
    k.tag1 = -1; // "Paßlänge" must be chosen
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), k));
    EXPECT_EQ(k.fehler, 1);
    k.tag1 = 0;
    k.i[5] = -1; // length must be given
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), k));
    k.i[5] = 2000;
    k.i[0] = -1; // width: sizing may choose it only in planning
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), k));
    k.planung = true;
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), k));
    EXPECT_TRUE(k.planung);

    DVdata f;
    initNode(f, true);
    f.typ = 13;
    f.tag1 = 0;
    f.i[0] = 2000;
    f.i[1] = 1000;
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), f));
    EXPECT_FALSE(f.planung); // a fan cannot be planned
    EXPECT_TRUE(f.eckig);    // no cross-section counts as rectangular
    f.i[1] = 0;              // at least 1
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), f));

    DVdata r;
    initNode(r, false);
    r.typ = 4;
    r.tag1 = 0;
    r.i = {300, 0, -1, 40, 1000, 3, -1};
    r.p[2] = QStringLiteral("R1");
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), r));
    r.i[3] = 9; // sound level at least 10
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), r));
    r.i[3] = 10;
    r.p[2].clear(); // the identifier is a text slot
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), r));

    DVdata h; // heating pipe: length at most 0
    initNode(h, false);
    h.typ = 101;
    h.i = {100, -1, 0, -1, -1, -1, -1};
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), h));
    h.i[2] = 5;
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), h));

    DVdata u;
    u.typ = 77;
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), u));
    EXPECT_EQ(u.fehler, 1);
}

// A fan with I6=1e308 once gave a fan pressure of 1e+308 with success; a negative length a
// negative pressure loss. Implausible values make the record incomplete, so the calculation
// stops at that node as it does for missing values.
TEST(Plausibel, ValuesOutsideAPhysicalRangeMakeARecordIncomplete) {
    DVdata f;
    initNode(f, true);
    f.typ = 13;
    f.tag1 = 0;
    f.i = {2000, 2000, 0, 0, 108, 0, 100};
    EXPECT_TRUE(plausibel(basisDatenTabelle(), f));
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), f));
    f.i[6] = 1e308; // no caption: checked all the same
    int slot = -1;
    EXPECT_FALSE(plausibel(basisDatenTabelle(), f, &slot));
    EXPECT_EQ(slot, 6);
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), f));
    EXPECT_EQ(f.fehler, fehlerUnvollstaendig);
    f.i[6] = plausibelMax;
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), f));
    f.i[6] = -plausibelMax * 1.1;
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), f));
    f.i[6] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), f));
    f.i[6] = 100;
    f.i[0] = -2000; // a negative flow
    EXPECT_FALSE(plausibel(basisDatenTabelle(), f, &slot));
    EXPECT_EQ(slot, 0);

    DVdata k;
    initNode(k, false);
    k.typ = 2;
    k.eckig = true;
    k.tag1 = 0;
    k.i = {500, 300, -1, -1, -1, 2000, -1};
    EXPECT_TRUE(vollstaendig(basisDatenTabelle(), k));
    k.i[5] = -2000; // a negative length
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), k));
    k.i[5] = -1; // "not given" is no value: the completeness rule judges it
    EXPECT_TRUE(plausibel(basisDatenTabelle(), k));

    // A room's pressure and an offset's height step may be below zero.
    DVdata r;
    initNode(r, false);
    r.typ = 4;
    r.tag1 = 0;
    r.i = {300, -50, -1, 40, 1000, 3, -1};
    r.p[2] = QStringLiteral("R1");
    EXPECT_TRUE(plausibel(basisDatenTabelle(), r));
    DVdata e;
    initNode(e, false);
    e.typ = 24;
    e.eckig = true;
    e.i = {500, 300, 500, 300, -300, 1000, -1};
    EXPECT_TRUE(plausibel(basisDatenTabelle(), e));
}

TEST_F(Beispiel, AnImplausibleValueIsNamedAsTheNodesProblem) {
    tmylistitem* fan = at(3);
    DVdata& d = *nodeDaten(fan);
    ASSERT_EQ(d.typ, 13);
    d.i[6] = 1e308;
    EXPECT_FALSE(vollstaendig(basisDatenTabelle(), d));
    EXPECT_EQ(nodeProblem(basisDatenTabelle(), fan).toStdString(), "Unplausibler Wert I6: 1e+308");
}
