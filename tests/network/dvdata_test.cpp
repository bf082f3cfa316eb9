#include "network/catalogue.h"
#include "network/dvdata.h"
#include "network/network_tree.h"
#include "network/settings.h"

#include <gtest/gtest.h>
#include <memory>

using namespace zephan;

TEST(InitNode, ResetsEveryFieldButTheShape) {
    DVdata d;
    d.typ = 21;
    d.vorgabe = -1;
    d.planung = false;
    d.eckig = true;
    d.nachhallzeitangabe = true;
    d.raumSpektrumangabe = true;
    d.schall = 3;
    d.fehler = 7;
    d.tag1 = 2;
    d.tag2 = 1;
    d.Text = QStringLiteral("Bemerkung");
    d.Gruppe = QStringLiteral("Zentrale");
    d.i = {1, 2, 3, 4, 5, 6, 7};
    d.p = {QStringLiteral("3,70"), QStringLiteral("0,25"), QStringLiteral("Stahlblech")};
    d.sg.fill(50);
    d.sd.fill(10);
    d.RaumSpektrum.fill(30);
    d.nachhallzeit.fill(800);
    d.r0 = d.r1 = d.r2 = d.r3 = 5;

    initNode(d, true);
    EXPECT_EQ(d.typ, -1);
    EXPECT_EQ(d.vorgabe, 0);
    EXPECT_TRUE(d.planung);
    EXPECT_TRUE(d.eckig); // left as it was
    EXPECT_FALSE(d.nachhallzeitangabe);
    EXPECT_FALSE(d.raumSpektrumangabe);
    EXPECT_EQ(d.schall, 0);
    EXPECT_EQ(d.fehler, 0);
    EXPECT_EQ(d.tag1, -1);
    EXPECT_EQ(d.tag2, -1);
    EXPECT_TRUE(d.Text.isEmpty());
    EXPECT_TRUE(d.Gruppe.isEmpty());
    for (double v : d.i) EXPECT_EQ(v, -1.0);
    for (const QString& p : d.p) EXPECT_TRUE(p.isEmpty());
    for (double v : d.sg) EXPECT_EQ(v, -1.0); // all eight bands
    for (double v : d.sd) EXPECT_EQ(v, -1.0);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(d.RaumSpektrum[static_cast<size_t>(k)], -1.0);
    EXPECT_EQ(d.RaumSpektrum[7], 0.0); // the eighth band stays 0
    for (int v : d.nachhallzeit) EXPECT_EQ(v, -1);
    EXPECT_EQ(d.r0, -1);
    EXPECT_EQ(d.r3, -1);

    d.eckig = false;
    initNode(d, false);
    EXPECT_FALSE(d.eckig);
    EXPECT_FALSE(d.planung);
}

TEST(InitNode, PlanningDefaultFromTheSettings) {
    const bool vorher = einstellungen().immerPlanen();
    DVdata d;
    einstellungen().setImmerPlanen(true);
    initNode(d);
    EXPECT_TRUE(d.planung);
    einstellungen().setImmerPlanen(false);
    initNode(d);
    EXPECT_FALSE(d.planung);
    einstellungen().setImmerPlanen(vorher);
}

TEST(InitNode, CopiesAreWholeRecords) {
    DVdata a;
    initNode(a, false);
    a.typ = 2;
    a.p[2] = QStringLiteral("Stahlblech");
    a.sg[3] = 44.5;
    DVdata b = a;
    EXPECT_EQ(a, b);
    b.p[2] = QStringLiteral("Holz");
    EXPECT_EQ(a.p[2], "Stahlblech");
    EXPECT_NE(a, b);
}

TEST(ProjektBaum, EveryNodeOwnsAFreshRecord) {
    ProjektBaum b;
    bool planen = true;
    b.setPlanungFuerNeue([&] { return planen; });
    tmylistitem* kopf = b.Add(QStringLiteral("leer"));
    tmylistitem* kind = b.AddChild(kopf, QStringLiteral("leer"));
    planen = false;
    tmylistitem* davor = b.Insert(1, QStringLiteral("leer"));
    for (tmylistitem* n : {kopf, kind, davor}) {
        ASSERT_NE(nodeDaten(n), nullptr);
        EXPECT_EQ(nodeDaten(n)->typ, -1);
        EXPECT_EQ(nodeDaten(n)->i[6], -1.0);
    }
    EXPECT_TRUE(nodeDaten(kopf)->planung);
    EXPECT_FALSE(nodeDaten(davor)->planung);
    EXPECT_NE(nodeDaten(kopf), nodeDaten(kind));
    EXPECT_EQ(davor->parent(), kopf); // inserted before the first child: a child itself

    // Records are freed with their nodes, the subtree's included.
    std::weak_ptr<void> kopfRecord = kopf->Data;
    std::weak_ptr<void> kindRecord = kind->Data;
    b.Delete(kopf);
    EXPECT_TRUE(kopfRecord.expired());
    EXPECT_TRUE(kindRecord.expired());
    EXPECT_EQ(b.count(), 0);

    tmylistitem* n = b.Add(QStringLiteral("leer"));
    std::weak_ptr<void> r = n->Data;
    b.Clear();
    EXPECT_TRUE(r.expired());
}

TEST(ProjektBaum, HelpersOnNodesWithoutRecordOrType) {
    EXPECT_EQ(nodeDaten(nullptr), nullptr);
    EXPECT_EQ(nodeKatalog(basisDatenTabelle(), nullptr), nullptr);
    EXPECT_EQ(strangKopf(nullptr), nullptr);
    ProjektBaum b;
    tmylistitem* kopf = b.Add(QStringLiteral("leer"));
    tmylistitem* a = b.AddChild(kopf, QStringLiteral("leer"));
    tmylistitem* c = b.AddChild(a, QStringLiteral("leer"));
    EXPECT_EQ(strangKopf(c), kopf);
    EXPECT_EQ(strangKopf(kopf), kopf);
    EXPECT_EQ(nodeKatalog(basisDatenTabelle(), a), nullptr); // typ -1
    nodeDaten(a)->typ = 2;
    ASSERT_NE(nodeKatalog(basisDatenTabelle(), a), nullptr);
    EXPECT_EQ(nodeKatalog(basisDatenTabelle(), a)->titel, "Kanal");
    a->Data.reset();
    EXPECT_EQ(nodeDaten(a), nullptr);
    EXPECT_EQ(nodeKatalog(basisDatenTabelle(), a), nullptr);
}
