// The silent pressure pass that the fan's flow noise reads: the search pass alone gives the
// same fan pressure and the same node results as the whole calculation, writes nothing, and
// tells why it stops.

#include "acoustics/stiller_druckpass.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_core.h"
#include "support/node_results.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace zephan;

namespace {

// The whole calculation of a line: search pass and balancing pass.
StrangErgebnis ganz(tmylistitem* kopf) {
    const Rechenlauf lauf;
    EXPECT_TRUE(lauf.gestartet());
    return strangRechnen(lauf, kopf, testKontext());
}

// The pass of a line against the whole calculation; returns the fan's total pressure.
double vergleichen(tmylistitem* kopf) {
    const StrangErgebnis voll = ganz(kopf);
    const Druckpass pass = stillerDruckpass(kopf, testKontext());
    EXPECT_TRUE(voll.fertig());
    EXPECT_TRUE(pass.ok) << pass.meldung.toStdString();
    const StrangErgebnis& s = pass.strang;
    EXPECT_EQ(ventilatorGesamtdruck(s), ventilatorGesamtdruck(voll));
    EXPECT_EQ(s.maximum, voll.maximum);
    EXPECT_EQ(s.ventilatorVerlust, voll.ventilatorVerlust);
    EXPECT_EQ(s.ventilatorStrom, voll.ventilatorStrom);
    EXPECT_EQ(s.ventilator, voll.ventilator);
    EXPECT_EQ(s.ventilatorDruck, voll.ventilatorDruck);
    EXPECT_EQ(s.unguenstigstes, voll.unguenstigstes);
    EXPECT_EQ(s.enden.size(), voll.enden.size());
    EXPECT_EQ(s.pfad.size(), voll.pfad.size());
    EXPECT_TRUE(s.abgleich.empty()); // the balancing pass is not run
    zephan::testing::knotenGleich(s.knoten, voll.knoten);
    return ventilatorGesamtdruck(s);
}

// Every record of a tree, to see that the pass changes none.
std::vector<DVdata> saetze(const ProjektBaum& b) {
    std::vector<DVdata> v;
    for (tmylistitem* n = b.topitem(); n; n = n->getNext()) v.push_back(*nodeDaten(n));
    return v;
}

} // namespace

TEST(StillerDruckpass, SearchPassGivesTheFansPressureOfTheWholeCalculation) {
    for (uint32_t seed : {2u, 9u, 17u}) {
        ProjektBaum baum;
        baum.setPlanungFuerNeue([] { return false; });
        projektErzeugen(baum, GeneratorOptionen{2, 40, seed});
        const std::vector<DVdata> vorher = saetze(baum);
        for (tmylistitem* kopf = baum.topitem(); kopf; kopf = kopf->getNextSibling()) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " line " +
                         kopf->position().toStdString());
            // Lines with branch pieces, so the whole calculation runs its balancing pass.
            ASSERT_TRUE(ganz(kopf).hatAbzweige);
            EXPECT_FALSE(ganz(kopf).abgleich.empty());
            EXPECT_GT(vergleichen(kopf), 0);
        }
        const std::vector<DVdata> nachher = saetze(baum);
        ASSERT_EQ(nachher.size(), vorher.size());
        for (size_t k = 0; k < vorher.size(); ++k) {
            EXPECT_EQ(nachher[k].i, vorher[k].i) << k;
            EXPECT_EQ(nachher[k].p, vorher[k].p) << k;
            EXPECT_EQ(nachher[k].fehler, vorher[k].fehler) << k;
        }
    }
}

TEST(StillerDruckpass, ExampleProjectFanPressure) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
    ASSERT_TRUE(beispielSchreiben(datei));
    RecordingSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setDateiname(datei);
    ASSERT_TRUE(p.laden());
    tmylistitem* kopf = p.baum().topitem();
    ASSERT_NE(kopf, nullptr);
    // The example stores the external pressure in its fan; the pass adds the fan's own loss.
    const Druckpass pass = stillerDruckpass(kopf, testKontext());
    ASSERT_TRUE(pass.ok);
    ASSERT_NE(pass.strang.ventilator, nullptr);
    EXPECT_EQ(pass.strang.ventilatorDruck, nodeDaten(pass.strang.ventilator)->i[4]);
    EXPECT_EQ(ventilatorGesamtdruck(pass.strang),
              nodeDaten(pass.strang.ventilator)->i[4] + pass.strang.ventilatorVerlust);
    for (tmylistitem* k = kopf; k; k = k->getNextSibling()) vergleichen(k);
}

TEST(StillerDruckpass, RefusalsAndStops) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    projektErzeugen(baum, GeneratorOptionen{1, 8, 4});
    tmylistitem* kopf = baum.topitem();

    // No line above the node.
    EXPECT_EQ(stillerDruckpass(nullptr, testKontext()).meldung, "Es existiert kein Strang.");
    // The pass is part of the calculation that asks for it: it computes while a run is on
    // (the fan's flow noise inside a sound run) and leaves that run as it was.
    {
        const Rechenlauf laeuft;
        ASSERT_TRUE(laeuft.gestartet());
        const Druckpass p = stillerDruckpass(kopf, testKontext());
        EXPECT_TRUE(p.ok) << p.meldung.toStdString();
        EXPECT_TRUE(Rechenlauf::laeuft());
        EXPECT_FALSE(Rechenlauf().gestartet());
    }
    EXPECT_FALSE(Rechenlauf::laeuft());
    // A component in planning stops the pass at that node.
    tmylistitem* geplant = nullptr;
    for (tmylistitem* n = kopf->getNext(); n && !geplant; n = n->getNext())
        if (istStrecke(typVon(n))) geplant = n;
    ASSERT_NE(geplant, nullptr);
    nodeDaten(geplant)->planung = true;
    const Druckpass p = stillerDruckpass(geplant, testKontext());
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.meldung, "Bauteil befindet sich noch im Status Planung.");
    EXPECT_EQ(p.halt, geplant);
}

TEST(StillerDruckpass, ReadsTheFlowsOfTheContext) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    projektErzeugen(baum, GeneratorOptionen{2, 12, 6});
    tmylistitem* kopf = baum.topitem();
    tmylistitem* auslass = nullptr;
    for (tmylistitem* n = kopf->getNext(); n && !auslass; n = n->getNext())
        if (istAuslass(typVon(n))) auslass = n;
    ASSERT_NE(auslass, nullptr);
    const Volumenstroeme vorher(basisDatenTabelle(), baum);
    const int q = vorher[auslass];
    ASSERT_GT(q, 0);
    nodeDaten(auslass)->i[3] = q + 100;
    const size_t k = static_cast<size_t>(auslass->Index() - kopf->Index());
    // The flows the caller found are taken as they are ...
    Rechenkontext kontext = testKontext();
    kontext.stroeme = &vorher;
    const Druckpass mit = stillerDruckpass(auslass, kontext);
    ASSERT_TRUE(mit.ok) << mit.meldung.toStdString();
    EXPECT_EQ(mit.strang.knoten[k].volumenstrom, q);
    // ... and without them the pass finds the line's own from the records.
    const Druckpass ohne = stillerDruckpass(auslass, testKontext());
    ASSERT_TRUE(ohne.ok);
    EXPECT_EQ(ohne.strang.knoten[k].volumenstrom, q + 100);
}
