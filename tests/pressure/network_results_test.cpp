#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/record_snapshot.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure.h"
#include "report/report_document.h"
#include "store/user_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <random>

using namespace zephan;

namespace {

std::vector<tmylistitem*> auslaesse(const tmylistitem* kopf) {
    std::vector<tmylistitem*> a;
    const tmylistitem* ende = kopf->lastDescendant()->getNext();
    for (tmylistitem* n = kopf->getChild(); n != ende; n = n->getNext())
        if (typVon(n) == typZuluftauslass || typVon(n) == typAbluftgitter) a.push_back(n);
    return a;
}

QByteArray gesichert(Projekt& p, const QString& datei) {
    p.setGeaendert(true);
    if (!p.sichernAls(datei)) return {};
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every node result of two runs of a line, compared field by field.
void gleicheErgebnisse(const StrangErgebnis& a, const StrangErgebnis& b, const char* fall) {
    ASSERT_EQ(a.knoten.size(), b.knoten.size()) << fall;
    for (size_t k = 0; k < a.knoten.size(); ++k) {
        const KnotenErgebnis& x = a.knoten[k];
        const KnotenErgebnis& y = b.knoten[k];
        ASSERT_EQ(x.knoten, y.knoten) << fall;
        if (!x.knoten) continue;
        const std::string wo = std::string(fall) + " " + x.knoten->position().toStdString();
        EXPECT_EQ(x.volumenstrom, y.volumenstrom) << wo;
        EXPECT_EQ(x.haupt.dp, y.haupt.dp) << wo;
        EXPECT_EQ(x.haupt.dpExt, y.haupt.dpExt) << wo;
        EXPECT_EQ(x.haupt.v, y.haupt.v) << wo;
        EXPECT_EQ(x.haupt.zeta, y.haupt.zeta) << wo;
        EXPECT_EQ(x.fehler, y.fehler) << wo;
    }
    EXPECT_EQ(a.maximum, b.maximum) << fall;
}

} // namespace

// A calculation leaves the records alone; storing its results is a step of its own, and
// storing them twice changes nothing more.
TEST(NetzErgebnisse, TheCalculationWritesNothingAndTheWriteBackStoresItsResults) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{2, 12, 3}), 0);
    std::vector<std::unique_ptr<TeilbaumZustand>> vorher;
    for (int s = 0; s < baum.topCount(); ++s)
        vorher.push_back(std::make_unique<TeilbaumZustand>(baum.topLevel(s)));

    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    const NetzErgebnis e = netzberechnen(baum, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    for (const auto& z : vorher) EXPECT_EQ(z->abweichend(), 0);

    // The generated records carry no velocity or zeta texts: storing gives them the
    // calculation's, and the fan its pressure.
    const int geschrieben = netzErgebnisSchreiben(e);
    EXPECT_GT(geschrieben, 20);
    int abweichend = 0;
    for (const auto& z : vorher) abweichend += z->abweichend();
    EXPECT_EQ(abweichend, geschrieben);
    for (const StrangErgebnis& s : e.straenge) {
        ASSERT_NE(s.ventilator, nullptr);
        EXPECT_EQ(nodeDaten(s.ventilator)->i[4], std::trunc(s.maximum));
        for (const KnotenErgebnis& r : s.knoten) {
            if (!r.knoten) continue;
            EXPECT_EQ(nodeDaten(r.knoten)->p[0], r.v) << r.knoten->position().toStdString();
            EXPECT_EQ(nodeDaten(r.knoten)->p[1], r.zeta) << r.knoten->position().toStdString();
        }
    }
    EXPECT_EQ(netzErgebnisSchreiben(e), 0);

    // A second calculation over the stored texts finds the same numbers.
    TDruck doc2;
    k.druck = &doc2;
    const NetzErgebnis e2 = netzberechnen(baum, k);
    ASSERT_TRUE(e2.ok());
    EXPECT_EQ(doc.m, doc2.m);

    // The snapshots put every line back as it was.
    for (const auto& z : vorher) {
        EXPECT_GT(z->wiederherstellen(), 0);
        EXPECT_EQ(z->abweichend(), 0);
    }
}

// A flow given in the context computes exactly as if the outlet's record held it, and the
// record keeps its own.
TEST(NetzErgebnisse, FlowOverridesComputeAsTheRecordsWouldWithoutTouchingThem) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{1, 10, 7}), 0);
    tmylistitem* kopf = baum.topLevel(0);
    const std::vector<tmylistitem*> a = auslaesse(kopf);
    ASSERT_GE(a.size(), 3u);
    const double alt0 = nodeDaten(a[0])->i[3];
    const double alt2 = nodeDaten(a[2])->i[3];

    const Rechenlauf lauf;
    ASSERT_TRUE(lauf.gestartet());
    Rechenkontext k = testKontext();
    const StrangErgebnis ohne = strangRechnen(lauf, kopf, k);
    ASSERT_TRUE(ohne.fertig());

    Stromvorgaben vorgaben{{a[0], alt0 * 2 + 35}, {a[2], 40}};
    k.stromvorgaben = &vorgaben;
    const StrangErgebnis mit = strangRechnen(lauf, kopf, k);
    ASSERT_TRUE(mit.fertig());
    EXPECT_EQ(nodeDaten(a[0])->i[3], alt0);
    EXPECT_EQ(nodeDaten(a[2])->i[3], alt2);
    EXPECT_EQ(mit.ergebnis(a[0])->volumenstrom, static_cast<int>(alt0 * 2 + 35));
    EXPECT_EQ(mit.ergebnis(a[2])->volumenstrom, 40);
    // The first node behind the fan carries the sum of every outlet (the grille and the fan
    // keep the line's design flow).
    const tmylistitem* hinter = kopf->getChild();
    while (hinter && typVon(hinter) != typVentilator) hinter = hinter->getNextSibling();
    ASSERT_TRUE(hinter && hinter->getNextSibling());
    hinter = hinter->getNextSibling();
    const int summeOhne = ohne.ergebnis(hinter)->volumenstrom;
    EXPECT_EQ(mit.ergebnis(hinter)->volumenstrom,
              static_cast<int>(summeOhne + alt0 + 35 + 40 - alt2));
    EXPECT_NE(mit.maximum, ohne.maximum);

    // The same flows in the records give the same results.
    nodeDaten(a[0])->i[3] = alt0 * 2 + 35;
    nodeDaten(a[2])->i[3] = 40;
    Rechenkontext ohneVorgaben = testKontext();
    const StrangErgebnis imSatz = strangRechnen(lauf, kopf, ohneVorgaben);
    gleicheErgebnisse(mit, imSatz, "override against record");
}

// Many calculations with tried flows, some stored and then put back from a snapshot of the
// line: the project file is the same to the byte afterwards.
TEST(NetzErgebnisse, TwoHundredCalculationsWithFlowOverridesLeaveTheFileAsItWas) {
    QTemporaryDir ordner;
    SilentSeam seam;
    Projekt p(seam);
    p.setAutomatischSichern([] { return false; });
    p.setNameGenau(true);
    p.baum().setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(p.baum(), GeneratorOptionen{3, 15, 11}), 0);
    projektDatenErzeugen(p.daten(), GeneratorOptionen{3, 15, 11});
    const QByteArray anfang = gesichert(p, ordner.filePath(QStringLiteral("a.pro")));
    ASSERT_FALSE(anfang.isEmpty());

    std::mt19937 zufall(20240611);
    int gespeichert = 0, zurueck = 0;
    {
        const Rechenlauf lauf;
        // While the run holds the guard, a user's F7 is refused.
        Rechenkontext k0 = testKontext();
        EXPECT_EQ(netzberechnen(p.baum(), k0).status, NetzStatus::LaeuftSchon);
        for (int runde = 0; runde < 200; ++runde) {
            tmylistitem* kopf = p.baum().topLevel(static_cast<int>(zufall() % p.baum().topCount()));
            const std::vector<tmylistitem*> a = auslaesse(kopf);
            Stromvorgaben vorgaben;
            for (tmylistitem* n : a)
                if (zufall() % 3 == 0)
                    vorgaben[n] = 10 + std::uniform_real_distribution<double>(0, 900)(zufall);
            Rechenkontext k = testKontext();
            k.stromvorgaben = &vorgaben;
            const TeilbaumZustand vorher(kopf);
            const StrangErgebnis e = strangRechnen(lauf, kopf, k);
            ASSERT_TRUE(e.fertig()) << runde << ": " << e.meldung.toStdString();
            ASSERT_EQ(vorher.abweichend(), 0) << runde;
            if (runde % 2 == 0) {
                // Stored as F7 would store it, then put back.
                gespeichert += strangErgebnisSchreiben(e) > 0;
                const int n = vorher.wiederherstellen();
                ASSERT_GE(n, 0) << runde;
                zurueck += n;
                ASSERT_EQ(vorher.abweichend(), 0) << runde;
            }
        }
    }
    EXPECT_GT(gespeichert, 50);
    EXPECT_GT(zurueck, 500);
    EXPECT_EQ(gesichert(p, ordner.filePath(QStringLiteral("b.pro"))), anfang);

    // Stored and not put back, the file differs: the comparison above can fail.
    Rechenkontext k = testKontext();
    const NetzErgebnis e = netzberechnen(p.baum(), k);
    ASSERT_TRUE(e.ok());
    netzErgebnisSchreiben(e);
    EXPECT_NE(gesichert(p, ordner.filePath(QStringLiteral("c.pro"))), anfang);
}
