#include "pressure/simulation.h"
#include "support/test_context.h"

#include "component_test_tree.h"
#include "network/catalogue.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/record_snapshot.h"
#include "pressure/calc_context.h"
#include "pressure/flow_equilibrium.h"
#include "pressure/network_pressure_core.h"
#include "pressure/network_walk.h"
#include "pressure/simulation_report.h"
#include "report/report_document.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

using namespace zephan;
using testbaum::satz;

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// --- the estimate's rules ------------------------------------------------------------------

TEST(SimulationRegeln, AdjustingRuleAndItsRounding) {
    const struct {
        const char* fall;
        double dpmax, x, summeV0, summeV, vAlt, erwartet;
    } faelle[] = {
        // (150/120·0.6 + 0.4·1)·300 = 1.15·300
        {"a lighter path draws more", 150, 120, 600, 600, 300, 345},
        {"the worst path keeps its flow", 150, 150, 600, 600, 300, 300},
        // (0.6 + 0.4·600/780)·300 = 272.31
        {"a grown sum pulls back", 100, 100, 600, 780, 300, 272},
        // (1.2 + 0.4·600/780)·480 = 723.69
        {"rounded to the nearest", 100, 50, 600, 780, 480, 724},
        // (50/80·0.6 + 0.4·500/400)·12 = 0.875·12 = 10.5: halves go to the even neighbour
        {"half down to even", 50, 80, 500, 400, 12, 10},
        // 0.875·20 = 17.5
        {"half up to even", 50, 80, 500, 400, 20, 18},
        {"a path loss of 0 leaves the flow", 150, 0, 600, 600, 300, 300},
        {"a negative path loss leaves the flow", 150, -5, 600, 600, 300, 300},
        {"an empty sum leaves the flow", 150, 100, 600, 0, 300, 300},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(angepassterStrom(f.dpmax, f.x, f.summeV0, f.summeV, f.vAlt), f.erwartet)
            << f.fall;
}

TEST(SimulationRegeln, StopRule) {
    const struct {
        const char* fall;
        int zyklus;
        double summeV0, summeV;
        bool fertig;
    } faelle[] = {
        {"23 % apart goes on", 1, 600, 780, false},
        {"6 % apart stops", 1, 600, 640, true},
        {"below by 9.9 % stops", 3, 1000, 1111, true},
        {"25 % apart goes on", 4, 500, 400, false},
        {"the tenth cycle goes on", 10, 600, 1000, false},
        {"the eleventh cycle ends it", 11, 600, 1000, true},
        {"nothing flowing ends it", 1, 600, 0, true},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(simulationFertig(f.zyklus, f.summeV0, f.summeV), f.fertig) << f.fall;
}

TEST(SimulationRegeln, WholeSharesSumExactly) {
    // 599 rounded down; the one left goes to the largest remainder, 0.4.
    EXPECT_EQ(ganzeAnteile({100.4, 199.3, 300.3}), (std::vector<long long>{101, 199, 300}));
    EXPECT_EQ(ganzeAnteile({100.2, 199.4, 300.4}), (std::vector<long long>{100, 200, 300}));
    EXPECT_EQ(ganzeAnteile({0.5, 0.5, 1}), (std::vector<long long>{1, 0, 1}));
    EXPECT_EQ(ganzeAnteile({}), std::vector<long long>{});
    EXPECT_EQ(ganzeAnteile({250, 350}), (std::vector<long long>{250, 350}));
}

// --- small lines of preset losses -----------------------------------------------------------

namespace {

// A room with its identifier.
DVdata raumSatz(const QString& name) {
    DVdata r = satz(typRaum, {300, 0, -1, 30, 500, 2}, true, 0, 0);
    r.p[2] = name;
    return r;
}

// head → branch piece (2 Pa both ways) with a branch chain "delta p" → outlet → room A, and
// the main chain "delta p" → outlet → room B. The outlets have a preset loss of 10 Pa, so
// every loss is known by hand and does not follow the flow: A loses 12 Pa + the branch's,
// B 12 Pa + the main chain's. With `fan`, a fan of 100 Pa of its own comes first.
struct Linie : testbaum::Baum {
    tmylistitem* kopf = nullptr;
    tmylistitem* ventilator = nullptr;
    tmylistitem* stueck = nullptr;
    tmylistitem* auslassA = nullptr;
    tmylistitem* auslassB = nullptr;

    Linie(double zweig, double haupt, double qA = 300, double qB = 300, bool fan = false) {
        kopf = strang(typZuluft);
        if (fan)
            ventilator = neu(kopf, satz(typVentilator, {1000, 1000, -1, -1, -1, -1, 100}, true, 0));
        DVdata s = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, 2}, true);
        s.vorgabe = 1;
        stueck = neu(kopf, s);
        dp(stueck, zweig);
        auslassA = auslass(stueck, qA);
        raum(stueck, QStringLiteral("A"));
        dp(kopf, haupt);
        auslassB = auslass(kopf, qB);
        raum(kopf, QStringLiteral("B"));
    }
    tmylistitem* dp(tmylistitem* eltern, double pa) {
        return neu(eltern, satz(typDeltaP, {200, -1, -1, -1, -1, -1, pa}, false, 0));
    }
    tmylistitem* auslass(tmylistitem* eltern, double q) {
        DVdata a = testbaum::auslass(typZuluftauslass, q);
        a.vorgabe = 1;
        a.i[6] = 10;
        return neu(eltern, a);
    }
    tmylistitem* raum(tmylistitem* eltern, const QString& name) {
        return neu(eltern, raumSatz(name));
    }
};

QStringList zeilenAb(const TDruck& d, const QString& anfang, int anzahl) {
    const int k = static_cast<int>(d.m.indexOf(anfang));
    return k < 0 ? QStringList() : d.m.mid(k, anzahl);
}

QString text(const TDruck& d) {
    return d.m.join(QLatin1Char('\n'));
}

} // namespace

TEST(SimulationLinie, OneCycleWhenTheSumStaysWithinTenPerCent) {
    Linie t(108, 138);
    const TeilbaumZustand vorher(t.kopf);
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(t.auslassA, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    EXPECT_EQ(vorher.abweichend(), 0);
    ASSERT_EQ(e.enden.size(), 2u);
    // A: 2 + 108 + 10 = 120 Pa, B: 2 + 138 + 10 = 150 Pa.
    EXPECT_DOUBLE_EQ(e.enden[0].dp0, 120);
    EXPECT_DOUBLE_EQ(e.enden[1].dp0, 150);
    EXPECT_EQ(e.enden[0].v, 345);
    EXPECT_EQ(e.enden[1].v, 300);
    // 600 / 645 is 7 % apart: done after the first cycle.
    EXPECT_EQ(e.zyklen, 1);
    EXPECT_DOUBLE_EQ(e.summeV, 645);

    TDruck doc;
    ProjektDaten daten;
    simulationsBericht(doc, e, daten);
    const QStringList erwartet{
        QStringLiteral("°TK1|0,15,*,-8,-8,-10,-9,-6"),
        QStringLiteral("Position|Raum|°(delta p  soll|°(delta p  ist|°.V  soll|°.V  ist|%"),
        QStringLiteral("1.1.3|A|120|120|300|345|15"),
        QStringLiteral("1.4|B|150|150|300|300|0"),
        QString(),
        QStringLiteral("Druckverlust Vorher/Nacher: 150,0 / 150,0  [Pa]"),
        QStringLiteral("Volumenstrom Vorher/Nacher: 600 / 645  [m³/h]"),
        QString(),
        simtext::warnung,
    };
    EXPECT_EQ(zeilenAb(doc, erwartet[0], erwartet.size()), erwartet) << text(doc).toStdString();
    EXPECT_TRUE(doc.m.contains(QStringLiteral("°ÜStrang - Simulation des Kanalnetzes")))
        << text(doc).toStdString();
    EXPECT_TRUE(doc.m.contains(QStringLiteral("°ÜGleichgewicht (Δp ~ V̇²)")));
}

TEST(SimulationLinie, ThePathLossHoldsTheFansOwnLoss) {
    // The pressure calculation keeps the fan's own loss apart; the simulation's paths hold it.
    Linie t(108, 138, 300, 300, true);
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(t.kopf, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    const Rechenlauf lauf;
    const StrangErgebnis r = strangRechnen(lauf, t.kopf, k);
    // 100 Pa preset and the dynamic pressure behind the fan.
    EXPECT_GT(r.ventilatorVerlust, 100);
    EXPECT_LT(r.ventilatorVerlust, 105);
    ASSERT_EQ(r.enden.size(), 2u);
    EXPECT_DOUBLE_EQ(r.enden[0].dpExt, 120);
    EXPECT_DOUBLE_EQ(e.enden[0].dp0, 120 + r.ventilatorVerlust);
    EXPECT_DOUBLE_EQ(e.enden[1].dp0, 150 + r.ventilatorVerlust);
    EXPECT_EQ(e.enden[0].v,
              std::nearbyint(
                  ((150 + r.ventilatorVerlust) / (120 + r.ventilatorVerlust) * 0.6 + 0.4) * 300));
}

TEST(SimulationLinie, ABalancedLineStaysAsDesigned) {
    Linie t(138, 138, 250, 350);
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(t.kopf, k);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.zyklen, 1);
    for (const SimulationsEnde& x : e.enden) {
        EXPECT_EQ(x.v, x.v0);
        EXPECT_EQ(x.dp, x.dp0);
    }
    EXPECT_EQ(e.summeV, e.summeV0);
    EXPECT_EQ(e.dpmax, e.dp0max);
    TDruck doc;
    simulationsBericht(doc, e, ProjektDaten{});
    EXPECT_TRUE(doc.m.contains(QStringLiteral("1.1.3|A|150|150|250|250|0")));
    EXPECT_TRUE(doc.m.contains(QStringLiteral("1.4|B|150|150|350|350|0")));
    // Equal paths with losses that do not follow the flow are in balance as they are.
    EXPECT_TRUE(e.gleich.konvergiert);
    EXPECT_EQ(e.gleich.iterationen, 1);
    EXPECT_EQ(e.enden[0].vGleich, 250);
    EXPECT_EQ(e.enden[1].vGleich, 350);
    EXPECT_TRUE(doc.m.contains(QStringLiteral("1.1.3|A|150|250|250|0"))) << text(doc).toStdString();
    EXPECT_TRUE(doc.m.contains(QStringLiteral("Iterationen: 1")));
}

TEST(SimulationLinie, CyclesUntilTheStopRule) {
    // Losses that do not follow the flow let the sum grow. A 120 Pa, B 350 Pa:
    // cycle 1 A = (350/120·0.6 + 0.4)·300 = 645, B = 300, sum 945 (37 % apart);
    // cycle 2 A = (1.75 + 0.4·600/945)·645 = 1292.6 → 1293, B = (0.6 + 0.254)·300 = 256; the
    // same rule carried on to the eleventh cycle gives 243 369 and 5.
    const struct {
        const char* fall;
        double zweig, haupt, qA, qB;
        int zyklen;
        double vA, vB;
    } faelle[] = {
        {"far apart: eleven cycles", 108, 338, 300, 300, 11, 243369, 5},
        // A 140 Pa, B 200 Pa; cycle 1: 377 + 300 = 677, 11.4 % apart: goes on
        {"just outside ten per cent goes on", 128, 188, 300, 300, 11, 1167, 67},
        // cycle 1: 645 + 3000 = 3645 against 3300, 9.5 % apart: stops
        {"just inside ten per cent stops", 108, 338, 300, 3000, 1, 645, 3000},
    };
    for (const auto& f : faelle) {
        Linie t(f.zweig, f.haupt, f.qA, f.qB);
        Rechenkontext k = testKontext();
        const SimulationsErgebnis e = netzSimulieren(t.kopf, k);
        ASSERT_TRUE(e.ok()) << f.fall;
        EXPECT_EQ(e.zyklen, f.zyklen) << f.fall;
        EXPECT_EQ(e.enden[0].v, f.vA) << f.fall;
        EXPECT_EQ(e.enden[1].v, f.vB) << f.fall;
        EXPECT_DOUBLE_EQ(e.summeV, f.vA + f.vB) << f.fall;
        EXPECT_DOUBLE_EQ(e.summeV0, f.qA + f.qB) << f.fall;
        // The records keep their design flows.
        EXPECT_EQ(nodeDaten(t.auslassA)->i[3], f.qA) << f.fall;
        EXPECT_EQ(nodeDaten(t.auslassB)->i[3], f.qB) << f.fall;
    }
}

TEST(SimulationLinie, EndsWithoutOutletAreListedWithADash) {
    Linie t(108, 138);
    // A third end in a second branch piece: a "delta p" and a room without outlet.
    DVdata s = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, 2}, true);
    s.vorgabe = 1;
    tmylistitem* zweiter =
        t.baum.Insert(t.stueck->getNextSibling()->Index(), QStringLiteral("leer"));
    ASSERT_EQ(zweiter->parent(), t.kopf);
    *nodeDaten(zweiter) = s;
    t.dp(zweiter, 500);
    t.raum(zweiter, QStringLiteral("C"));
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(t.kopf, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    ASSERT_EQ(e.enden.size(), 3u);
    const SimulationsEnde& c = e.enden[1];
    EXPECT_FALSE(c.mitStrom());
    // Its 2 + 2 + 500 = 504 Pa count neither for the worst path (B: 2 + 2 + 138 + 10) nor for
    // the sums.
    EXPECT_DOUBLE_EQ(e.dp0max, 152);
    EXPECT_DOUBLE_EQ(e.summeV0, 600);
    TDruck doc;
    simulationsBericht(doc, e, ProjektDaten{});
    EXPECT_TRUE(doc.m.contains(c.position + QStringLiteral("|C|504|504|-|-|-")))
        << text(doc).toStdString();
    EXPECT_TRUE(doc.m.contains(c.position + QStringLiteral("|C|-|-|-|-")));
}

TEST(SimulationLinie, EveryRoomBeyondAHundredAndOneEnds) {
    // 150 ends on one branch piece after another: no table limit.
    testbaum::Baum b;
    tmylistitem* kopf = b.strang(typZuluft);
    for (int k = 0; k < 150; ++k) {
        DVdata s = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, 2}, true);
        s.vorgabe = 1;
        tmylistitem* stueck = b.neu(kopf, s);
        DVdata a = testbaum::auslass(typZuluftauslass, 100 + k);
        a.vorgabe = 1;
        a.i[6] = 10 + k % 7;
        b.neu(stueck, a);
        b.neu(stueck, raumSatz(QStringLiteral("R") + QString::number(k + 1)));
    }
    DVdata a = testbaum::auslass(typZuluftauslass, 100);
    a.vorgabe = 1;
    a.i[6] = 10;
    b.neu(kopf, a);
    b.neu(kopf, raumSatz(QStringLiteral("Z")));
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(kopf, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    EXPECT_EQ(e.enden.size(), 151u);
    TDruck doc;
    simulationsBericht(doc, e, ProjektDaten{});
    EXPECT_FALSE(doc.m.filter(QStringLiteral("1.152|Z|310|310|100|")).isEmpty())
        << text(doc).toStdString();
}

TEST(SimulationLinie, StopsAndRefusals) {
    Rechenkontext k = testKontext();
    // No node: nothing to simulate.
    EXPECT_EQ(netzSimulieren(nullptr, k).status, NetzStatus::KeineAuswahl);
    // A component in planning stops the core; the run reports it and changes nothing.
    Linie t(8, 38);
    nodeDaten(t.auslassB)->planung = true;
    const TeilbaumZustand vorher(t.kopf);
    const SimulationsErgebnis e = netzSimulieren(t.kopf, k);
    EXPECT_EQ(e.status, NetzStatus::Stopp);
    EXPECT_EQ(e.stoppKnoten, t.auslassB);
    EXPECT_EQ(e.meldung, netztext::planung);
    EXPECT_FALSE(e.gleich.gerechnet);
    EXPECT_EQ(vorher.abweichend(), 0);
    // Another calculation running: refused.
    const Rechenlauf lauf;
    EXPECT_EQ(netzSimulieren(t.kopf, k).status, NetzStatus::LaeuftSchon);
}

TEST(SimulationLinie, TheLinesOwnDensity) {
    // Real ducts follow the density; the line head's 1,000 kg/m³ instead of 1,2 lowers every
    // friction loss, so the path losses differ from a run at the process density.
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{1, 4, 5}), 0);
    tmylistitem* kopf = baum.topLevel(0);
    Rechenkontext k = testKontext();
    const SimulationsErgebnis dicht = netzSimulieren(kopf, k);
    nodeDaten(kopf)->p[1] = QStringLiteral("1,000");
    const SimulationsErgebnis duenn = netzSimulieren(kopf, k);
    ASSERT_TRUE(dicht.ok() && duenn.ok());
    EXPECT_DOUBLE_EQ(duenn.rho, 1.0);
    EXPECT_LT(duenn.dp0max, dicht.dp0max);
}

// --- generated lines: nothing written, cancel anywhere, the equilibrium ------------------

namespace {

QByteArray gesichert(Projekt& p, const QString& datei) {
    p.setGeaendert(true);
    if (!p.sichernAls(datei)) return {};
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Cancels at the n-th progress step.
class AbbruchSeam : public RecordingSeam {
public:
    int abbrechenBei = -1;
    int schritte = 0;
    int letzter = -1, gesamt = 0;
    bool rueckwaerts = false;
    bool fortschritt(int done, int total) override {
        ++schritte;
        if (done < letzter || done >= total) rueckwaerts = true;
        letzter = done;
        gesamt = total;
        return abbrechenBei < 0 || schritte < abbrechenBei;
    }
};

} // namespace

TEST(SimulationErzeugt, FileUnchangedAlsoWhenCancelledAtEveryStep) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setNameGenau(true);
    p.baum().setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(p.baum(), GeneratorOptionen{1, 3, 7}), 0);
    const QByteArray anfang = gesichert(p, ordner.filePath(QStringLiteral("a.pro")));
    ASSERT_FALSE(anfang.isEmpty());
    tmylistitem* kopf = p.baum().topLevel(0);

    AbbruchSeam zaehler;
    Rechenkontext k = testKontext();
    k.fortschritt = &zaehler;
    const SimulationsErgebnis ganz = netzSimulieren(kopf, k);
    ASSERT_TRUE(ganz.ok()) << ganz.meldung.toStdString();
    // The progress only goes forward and never reaches its end while the run goes on.
    EXPECT_FALSE(zaehler.rueckwaerts);
    const int schritte = zaehler.schritte;
    ASSERT_GT(schritte, 20);
    EXPECT_EQ(gesichert(p, ordner.filePath(QStringLiteral("b.pro"))), anfang);

    for (int n = 1; n <= schritte; ++n) {
        AbbruchSeam abbruch;
        abbruch.abbrechenBei = n;
        k.fortschritt = &abbruch;
        const SimulationsErgebnis e = netzSimulieren(kopf, k);
        EXPECT_EQ(e.status, NetzStatus::Abgebrochen) << n;
        EXPECT_FALSE(e.gleich.gerechnet) << n;
        EXPECT_EQ(abbruch.schritte, n) << "no step after the cancel";
    }
    EXPECT_EQ(gesichert(p, ordner.filePath(QStringLiteral("c.pro"))), anfang);
}

TEST(SimulationErzeugt, SymmetricNetworkSplitsEqually) {
    // Two identical branches of real pipes and outlets behind a branch piece of a preset
    // loss, designed for 200 and 400 m³/h: in balance each takes 300.
    testbaum::Baum b;
    tmylistitem* kopf = b.strang(typZuluft);
    b.neu(kopf, satz(typVentilator, {1000, 1000, -1, -1, -1, -1, 100}, true, 0));
    DVdata s = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, 2}, true);
    s.vorgabe = 1;
    tmylistitem* stueck = b.neu(kopf, s);
    const auto kette = [&](tmylistitem* eltern, double q) {
        DVdata rohr = satz(typRohr, {200, -1, -1, -1, -1, 8000});
        rohr.p[2] = QStringLiteral("Stahlblech");
        b.neu(eltern, rohr);
        DVdata a = satz(typZuluftauslass, {200, -1, 1, q, 1}, false, 1);
        b.neu(eltern, a);
        b.neu(eltern, raumSatz(QString::number(q)));
    };
    kette(stueck, 200);
    kette(kopf, 400);
    Rechenkontext k = testKontext();
    const SimulationsErgebnis e = netzSimulieren(kopf, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString() << " "
                        << (e.stoppKnoten ? e.stoppKnoten->position().toStdString() : "");
    ASSERT_EQ(e.enden.size(), 2u);
    EXPECT_TRUE(e.gleich.konvergiert);
    EXPECT_EQ(e.enden[0].vGleich, 300);
    EXPECT_EQ(e.enden[1].vGleich, 300);
    EXPECT_NEAR(e.enden[0].dpGleich, e.enden[1].dpGleich, 0.01);
    // The estimate moves the other way round from the same start: the lighter 200 gains.
    EXPECT_GT(e.enden[0].v, 200);
}
