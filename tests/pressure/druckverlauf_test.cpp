#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/record_snapshot.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/druckverlauf.h"
#include "pressure/druckverlauf_bericht.h"
#include "pressure/gehoert_zu.h"
#include "pressure/network_pressure.h"
#include "pressure/network_pressure_core.h"
#include "report/report_document.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <memory>

using namespace zephan;

namespace {

std::unique_ptr<Projekt> beispiel(UserSeam& seam, QTemporaryDir& ordner) {
    const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
    if (!beispielSchreiben(datei)) return nullptr;
    auto p = std::make_unique<Projekt>(seam);
    p->setAutomatischSichern([] { return false; });
    p->setDateiname(datei);
    if (!p->laden()) return nullptr;
    return p;
}

std::string wo(const tmylistitem* n) {
    return n ? (n->position() + QLatin1Char(' ') + n->caption()).toStdString() : "-";
}

// The profile of a path from its calculation, checked against the line's own calculation:
// every point's change is the loss of its passage, the fan's the external pressure it is
// told to deliver, and the pressures are the changes summed up.
void stufenPruefen(const Druckverlauf& v, const StrangErgebnis& e, double ventilatorDruck) {
    double summe = 0;
    for (size_t k = 0; k < v.a.size(); ++k) {
        const TDaten& p = v.a[k];
        summe += p.ps;
        EXPECT_NEAR(p.pt, summe, 1e-9) << k;
        if (!p.knoten) {
            EXPECT_EQ(k, v.a.size() - 1) << "only the closing point has no node";
            EXPECT_EQ(p.titel, QStringLiteral("-"));
            EXPECT_EQ(p.ps, 0);
            EXPECT_EQ(p.pd, 0);
            continue;
        }
        const KnotenErgebnis* r = e.ergebnis(p.knoten);
        ASSERT_TRUE(r) << wo(p.knoten);
        EXPECT_EQ(p.titel, p.knoten->caption());
        double loss = r->haupt.dp;
        if (typVon(p.knoten) == typVentilator) loss = -ventilatorDruck;
        // A piece the path turns at shows the passage into the next point's branch.
        if (k + 1 < v.a.size() && v.a[k + 1].knoten && v.a[k + 1].knoten->parent() == p.knoten)
            loss = r->abzweig[0].dp;
        EXPECT_NEAR(p.ps, v.s * -loss, 1e-9) << wo(p.knoten);
    }
}

} // namespace

// The membership test: the siblings of the target, and the ancestor of the target at the
// level asked about together with its earlier siblings.
TEST(Druckverlauf, MembershipCoversSiblingsAndEarlierSiblingsOfTheAncestor) {
    ProjektBaum baum;
    tmylistitem* l1 = baum.Add(QStringLiteral("L1"));
    tmylistitem* a = baum.AddChild(l1, QStringLiteral("a"));
    tmylistitem* b = baum.AddChild(l1, QStringLiteral("b"));
    tmylistitem* b1 = baum.AddChild(b, QStringLiteral("b1"));
    tmylistitem* b2 = baum.AddChild(b, QStringLiteral("b2"));
    tmylistitem* x1 = baum.AddChild(b2, QStringLiteral("x1"));
    tmylistitem* x2 = baum.AddChild(b2, QStringLiteral("x2"));
    tmylistitem* d = baum.AddChild(l1, QStringLiteral("d"));
    tmylistitem* l2 = baum.Add(QStringLiteral("L2"));
    tmylistitem* c = baum.AddChild(l2, QStringLiteral("c"));
    const struct {
        const tmylistitem* erster;
        const tmylistitem* ziel;
        bool erwartet;
    } faelle[] = {
        {a, a, true},   {a, d, true},    {d, a, true},        {a, x1, true},       {b, x1, true},
        {d, x1, false}, {b1, x1, true},  {b1, b2, true},      {b2, b1, true},      {x1, x2, true},
        {x2, x1, true}, {x1, b, false},  {b1, d, false},      {a, c, false},       {c, a, false},
        {l1, c, true},  {l2, x1, false}, {nullptr, a, false}, {a, nullptr, false}, {x1, x1, true},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(gehoertZu(f.erster, f.ziel), f.erwartet) << wo(f.erster) << " / " << wo(f.ziel);
}

// Worked points: the changes add up, the scale follows the largest values met and the bottom
// of the scale lies one pascal below the truncated lowest pressure.
TEST(Druckverlauf, PointsAddUpAndSetTheScale) {
    Druckverlauf zu;
    punktAnfuegen(zu, QStringLiteral("Gitter"), 5, 10);
    EXPECT_EQ(zu.a[0].ps, -10);
    EXPECT_EQ(zu.a[0].pt, -10);
    EXPECT_EQ(zu.maxwert1, 5);
    EXPECT_EQ(zu.minwert, -11);
    punktAnfuegen(zu, QStringLiteral("Ventilator"), 2, -50);
    EXPECT_EQ(zu.a[1].ps, 50);
    EXPECT_EQ(zu.a[1].pt, 40);
    EXPECT_EQ(zu.maxwert1, 50);
    punktAnfuegen(zu, QStringLiteral("Kanal"), 0.7, 3.5);
    EXPECT_DOUBLE_EQ(zu.a[2].pt, 36.5);
    EXPECT_EQ(zu.maxwert1, 50);
    EXPECT_EQ(zu.anz(), 2);

    Druckverlauf ab;
    ab.s = -1;
    punktAnfuegen(ab, QStringLiteral("Gitter"), 5, 10);
    EXPECT_EQ(ab.a[0].pt, 10);
    EXPECT_EQ(ab.maxwert1, 15); // pt + pd
    EXPECT_EQ(ab.minwert, 0);
    punktAnfuegen(ab, QStringLiteral("Ventilator"), 0, -30.4);
    EXPECT_DOUBLE_EQ(ab.a[1].pt, -20.4);
    EXPECT_EQ(ab.minwert, -21);

    Druckverlauf leer;
    EXPECT_EQ(leer.anz(), -1);
}

TEST(Druckverlauf, ReadoutUnderTheMouse) {
    Druckverlauf v;
    punktAnfuegen(v, QStringLiteral("A"), 0, 1);
    punktAnfuegen(v, QStringLiteral("B"), 0, 1);
    // x from links - 13 to links + 15 shows the first point, the quotient truncating toward 0.
    const struct {
        int x, k;
    } faelle[] = {{0, -1}, {16, -1}, {17, 0}, {31, 0}, {45, 0}, {46, 1}, {60, 1}, {61, -1}};
    for (const auto& f : faelle) EXPECT_EQ(verlaufPunktBei(v, f.x), f.k) << f.x;
    EXPECT_EQ(verlaufPunktBei(Druckverlauf{}, 31), -1);

    TDaten p;
    p.pt = -12.34;
    p.pd = 3.21;
    p.ps = -4.56;
    EXPECT_EQ(verlaufAnzeige(p),
              QStringLiteral("p°(sub t°(-sub =-9,1; p°(sub s°(-sub =4,6; p°(sub dyn°(-sub =3,2"));
}

// The worst path of each line of the example: the steps are the line calculation's results
// and the static pressure ends at the room's pressure, because the fan's net step is the
// external pressure it delivers. The extract fan has none stored: the profile finds it.
TEST(Druckverlauf, TheExamplesWorstPathsEndAtTheRoomPressure) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& baum = p->baum();
    for (int s = 0; s < baum.topCount(); ++s) {
        tmylistitem* kopf = baum.topLevel(s);
        TeilbaumZustand vorher(kopf);
        Rechenkontext k = testKontext();
        Rechenlauf lauf;
        ASSERT_TRUE(lauf.gestartet());
        const StrangErgebnis e = strangRechnen(lauf, kopf, k);
        ASSERT_TRUE(e.fertig()) << e.meldung.toStdString();
        ASSERT_GE(e.unguenstigstes, 0);
        const tmylistitem* ende = e.enden[static_cast<size_t>(e.unguenstigstes)].knoten;
        const VerlaufErgebnis r = verlaufSammeln(lauf, kopf, ende, k);
        ASSERT_TRUE(r.ok) << r.meldung.toStdString();
        EXPECT_TRUE(r.meldung.isEmpty());
        const Druckverlauf& v = r.verlauf;
        EXPECT_EQ(v.s, s == 0 ? 1 : -1);
        const DVdata* fan = nodeDaten(e.ventilator);
        ASSERT_TRUE(fan);
        const double druck = fan->i[4] > 0 ? fan->i[4] : e.ventilatorDruck;
        if (s == 1) {
            EXPECT_EQ(fan->i[4], 0) << "the example stores no extract pressure";
        }
        EXPECT_EQ(druck, std::trunc(e.maximum));
        stufenPruefen(v, e, druck);
        EXPECT_EQ(v.totald, static_cast<int>(std::trunc(druck + e.ventilatorVerlust)));
        EXPECT_GT(v.totald, 0);

        // grille ... outlet, room, closing point
        ASSERT_GE(v.a.size(), 4u);
        const TDaten& raum = v.a[v.a.size() - 2];
        ASSERT_EQ(raum.knoten, ende);
        const double raumdruck = e.ergebnis(ende)->haupt.dp;
        EXPECT_NEAR(v.a[v.a.size() - 3].pt, v.s * raumdruck, 1.0);
        EXPECT_NEAR(raum.pt, 0, 1.0);
        EXPECT_EQ(v.a.back().pt, raum.pt);
        // Below atmospheric before a supply fan, above it before an extract fan.
        EXPECT_EQ(v.a[0].pt < 0, s == 0) << v.a[0].pt;
        // Nothing of the line changed.
        EXPECT_EQ(vorher.abweichend(), 0);
    }
}

// A supply fan without its pressure (never calculated, or 0 from a file): the profile runs
// the line's calculation for it and draws the same path as with the pressure stored.
TEST(Druckverlauf, AFanWithoutItsPressureGetsItFromTheCalculation) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    tmylistitem* kopf = p->baum().topLevel(0);
    const tmylistitem* ende = knotenAnPosition(p->baum(), QStringLiteral("1.5.5"));
    DVdata* fan = nodeDaten(knotenAnPosition(p->baum(), QStringLiteral("1.3")));
    ASSERT_EQ(fan->i[4], 16);
    Rechenkontext k = testKontext();
    Rechenlauf lauf;
    const Druckverlauf gespeichert = verlaufSammeln(lauf, kopf, ende, k).verlauf;
    ASSERT_EQ(gespeichert.a.size(), 11u);
    EXPECT_EQ(gespeichert.a[2].ps, 16);
    EXPECT_NEAR(gespeichert.a.back().pt, 0, 1.0);
    for (double ungesetzt : {-1.0, 0.0}) {
        fan->i[4] = ungesetzt;
        const Druckverlauf v = verlaufSammeln(lauf, kopf, ende, k).verlauf;
        ASSERT_EQ(v.a.size(), gespeichert.a.size());
        for (size_t i = 0; i < v.a.size(); ++i) {
            EXPECT_EQ(v.a[i].ps, gespeichert.a[i].ps) << i;
            EXPECT_EQ(v.a[i].pt, gespeichert.a[i].pt) << i;
        }
        EXPECT_EQ(v.totald, gespeichert.totald);
        EXPECT_EQ(fan->i[4], ungesetzt) << "the profile writes nothing";
    }
    // A pressure set by hand is what the fan delivers: the path ends above atmospheric.
    fan->i[4] = 40;
    const Druckverlauf hoch = verlaufSammeln(lauf, kopf, ende, k).verlauf;
    EXPECT_NEAR(hoch.a.back().pt, gespeichert.a.back().pt + 24, 1e-9);
}

// A path into a branch: the branch piece shows its branch passage and the chain goes on in
// the branch; the points of the main chain behind the piece are left out.
TEST(Druckverlauf, APathIntoABranchTurnsAtItsPiece) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    tmylistitem* kopf = p->baum().topLevel(0);
    tmylistitem* raum2 = knotenAnPosition(p->baum(), QStringLiteral("1.5.5"));
    ASSERT_TRUE(raum2);
    ASSERT_EQ(typVon(raum2), typRaum);
    Rechenkontext k = testKontext();
    Rechenlauf lauf;
    const StrangErgebnis e = strangRechnen(lauf, kopf, k);
    const VerlaufErgebnis r = verlaufSammeln(lauf, kopf, raum2, k);
    ASSERT_TRUE(r.ok);
    QStringList positionen;
    for (const TDaten& t : r.verlauf.a) positionen << (t.knoten ? t.knoten->position() : t.titel);
    EXPECT_EQ(positionen.join(QLatin1Char(' ')),
              QStringLiteral("1.1 1.2 1.3 1.4 1.5 1.5.1 1.5.2 1.5.3 1.5.4 1.5.5 -"));
    stufenPruefen(r.verlauf, e, nodeDaten(e.ventilator)->i[4]);
    EXPECT_NE(r.verlauf.a[4].ps, 0);
}

// A path into the second branch of a cross: the cross shows its second branch passage, the
// first branch container gives no point, the second one a point without change.
TEST(Druckverlauf, APathIntoTheSecondBranchOfACross) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{1, 40, 7}), 0);
    Rechenkontext k = testKontext();
    const tmylistitem* kreuz = nullptr;
    for (const tmylistitem* n = baum.topitem(); n && !kreuz; n = n->getNext())
        if (endenVon(basisDatenTabelle(), n) == 4 && n->childCount() == 2 &&
            n->child(1)->hasChildren())
            kreuz = n;
    ASSERT_TRUE(kreuz) << "the generated line holds a cross";
    tmylistitem* kopf = strangKopf(kreuz);
    const tmylistitem* ende = nullptr;
    for (const tmylistitem* n : kettenEnden(kopf, k))
        if (!ende && kreuz->child(1)->isAncestorOf(n)) ende = n;
    ASSERT_TRUE(ende);
    Rechenlauf lauf;
    const StrangErgebnis e = strangRechnen(lauf, kopf, k);
    ASSERT_TRUE(e.fertig()) << e.meldung.toStdString();
    const VerlaufErgebnis r = verlaufSammeln(lauf, kopf, ende, k);
    ASSERT_TRUE(r.ok) << r.meldung.toStdString();
    const auto& a = r.verlauf.a;
    size_t ki = a.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].knoten == kreuz) ki = i;
    ASSERT_LT(ki + 1, a.size());
    EXPECT_NEAR(a[ki].ps, -e.ergebnis(kreuz)->abzweig[1].dp, 1e-9);
    EXPECT_EQ(a[ki + 1].knoten, kreuz->child(1));
    EXPECT_EQ(a[ki + 1].ps, 0);
    EXPECT_EQ(a[ki + 1].pd, 0);
    for (const TDaten& t : a) EXPECT_NE(t.knoten, kreuz->child(0));
    EXPECT_EQ(a[a.size() - 2].knoten, ende);
}

// Only a chain end of the line is a target; the points are not limited in number.
TEST(Druckverlauf, TargetsAndALongPath) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& baum = p->baum();
    tmylistitem* zu = baum.topLevel(0);
    tmylistitem* ab = baum.topLevel(1);
    Rechenkontext k = testKontext();
    Rechenlauf lauf;
    for (const QString& pos : {QStringLiteral("1.5"), QStringLiteral("1.7"), QStringLiteral("1"),
                               QStringLiteral("2.4")}) {
        tmylistitem* z = knotenAnPosition(baum, pos);
        ASSERT_TRUE(z) << pos.toStdString();
        const VerlaufErgebnis r = verlaufSammeln(lauf, zu, z, k);
        EXPECT_FALSE(r.ok) << pos.toStdString();
        EXPECT_EQ(r.meldung, QStringLiteral("Auslass nicht vorhanden"));
    }
    EXPECT_FALSE(verlaufSammeln(lauf, zu, nullptr, k).ok);

    // The chain ends in the order of the walk: the branch first.
    QStringList enden;
    for (const tmylistitem* n : kettenEnden(zu, k)) enden << n->position();
    EXPECT_EQ(enden.join(QLatin1Char(' ')), QStringLiteral("1.5.5 1.8"));
    enden.clear();
    for (const tmylistitem* n : kettenEnden(ab, k)) enden << n->position();
    EXPECT_EQ(enden.join(QLatin1Char(' ')), QStringLiteral("2.4"));

    // 1 200 more ducts in front of the outlet of the main chain.
    tmylistitem* kanal = knotenAnPosition(baum, QStringLiteral("1.6"));
    ASSERT_EQ(typVon(kanal), typKanal);
    const DVdata vorlage = *nodeDaten(kanal);
    for (int i = 0; i < 1200; ++i) {
        tmylistitem* n = baum.Insert(kanal->Index(), QStringLiteral("Kanal"));
        *nodeDaten(n) = vorlage;
        nodeRefresh(basisDatenTabelle(), n);
    }
    tmylistitem* raum = knotenAnPosition(baum, QStringLiteral("1.1208"));
    ASSERT_TRUE(raum);
    ASSERT_EQ(typVon(raum), typRaum);
    const VerlaufErgebnis r = verlaufSammeln(lauf, zu, raum, k);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.verlauf.a.size(), 1208u + 1u);
    const StrangErgebnis e = strangRechnen(lauf, zu, k);
    stufenPruefen(r.verlauf, e, nodeDaten(e.ventilator)->i[4]);
}

// A node that stops the line's calculation is named; the points up to it stay.
TEST(Druckverlauf, AStoppingNodeIsNamedAndThePointsBeforeItStay) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& baum = p->baum();
    tmylistitem* kanal = knotenAnPosition(baum, QStringLiteral("1.6"));
    nodeDaten(kanal)->planung = true;
    Rechenkontext k = testKontext();
    Rechenlauf lauf;
    const VerlaufErgebnis r =
        verlaufSammeln(lauf, baum.topLevel(0), knotenAnPosition(baum, QStringLiteral("1.8")), k);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.meldung, QStringLiteral("Bauteil befindet sich noch im Status Planung.\n\n"
                                        "Position: 1.6"));
    QStringList titel;
    for (const TDaten& t : r.verlauf.a) titel << (t.knoten ? t.knoten->position() : t.titel);
    EXPECT_EQ(titel.join(QLatin1Char(' ')), QStringLiteral("1.1 1.2 1.3 1.4 1.5 -"));
}

// The report: headline, the chart as a diagram block with three series over the point
// numbers, and the point table.
TEST(Druckverlauf, TheReportHoldsTheChartAndThePointTable) {
    ProjektBaum baum;
    tmylistitem* kopf = baum.Add(QStringLiteral("1 Zuluft"));
    tmylistitem* ende = baum.AddChild(kopf, QStringLiteral("Raum"));
    Druckverlauf v;
    v.kopf = kopf;
    v.ziel = ende;
    punktAnfuegen(v, QStringLiteral("Gitter"), 5, 10.26);
    punktAnfuegen(v, QStringLiteral("-"), 0, 0);
    TDruck doc;
    verlaufBericht(doc, v);
    const QStringList erwartet = {
        QStringLiteral("°Ü1 Zuluft - Druckverlustverlauf bis 1.1 Raum"),
        QString(),
        QStringLiteral("°Dctyp:1|links:0|breite:100|hoehe:40|text:|hliniey:1"),
        QStringLiteral("°DXvon:0|bis:3|step:1|text:Punkt"),
        QStringLiteral("°DNtext:°(delta p°(sub stat.°(-sub|nach:1|typ:1|farbe:#FF0000"),
        QStringLiteral("1|-10,3"),
        QStringLiteral("2|-10,3"),
        QStringLiteral("°DNtext:p°(sub dyn°(-sub|nach:1|typ:1|farbe:#0000FF"),
        QStringLiteral("1|5,0"),
        QStringLiteral("2|0,0"),
        QStringLiteral("°DNtext:°(delta p°(sub total°(-sub|nach:1|typ:1|farbe:#000000"),
        QStringLiteral("1|-5,3"),
        QStringLiteral("2|-10,3"),
        QString(),
        QStringLiteral("°TK2|0,10,*,-16,-16,-16,-16"),
        QStringLiteral("Nr.|Bauteil|°(delta p°(sub stat.°(-sub|p°(sub stat.°(-sub|p°(sub "
                       "dyn°(-sub|p°(sub total°(-sub"),
        QStringLiteral("||Pa|Pa|Pa|Pa"),
        QStringLiteral("1|Gitter|-10,3|-10,3|5,0|-5,3"),
        QStringLiteral("2|-|0,0|-10,3|0,0|-10,3"),
        QString(),
    };
    EXPECT_EQ(doc.m, erwartet);
}
