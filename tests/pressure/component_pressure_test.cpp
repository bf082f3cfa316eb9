// The frame of the component calculation: preparation, early ends, the common tail, the fan,
// copy-back, report lines, finite results for any input, and the interactive calculation.

#include "component_test_tree.h"
#include "support/test_context.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "pressure/component_pressure.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/fitting_rules.h"
#include "pressure/interactive_component.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace zephan {
namespace {

using testbaum::satz;

class Bauteil : public ::testing::Test {
protected:
    TDruck doc;
    Rechenkontext u = testKontext();

    void SetUp() override {
        doc.drucken = false;
        u.druck = &doc;
        u.rho = 1.2;
    }

    double rechne(DVdata& d, double Q) { return bauteildruck(modusDatensatz, nullptr, d, Q, u); }
    double rechne(tmylistitem* n, int modus, DVdata& arbeit) {
        return bauteildruck(modus, n, arbeit, 0, u);
    }
};

// --- tail --------------------------------------------------------------------------------------

TEST_F(Bauteil, PresetPressureLoss) {
    DVdata d = satz(28, {400, 200, -1, -1, -1, -1, 42}, true);
    d.vorgabe = 1;
    d.p[0] = QStringLiteral("alt");
    EXPECT_EQ(rechne(d, 1440), 42);
    EXPECT_EQ(d.p[0], QStringLiteral("alt")); // no rule ran
    // "delta p" takes its loss by the catalogue's preset mode.
    DVdata dp = satz(7, {400, 200, -1, -1, -1, -1, 55}, true, 0);
    EXPECT_EQ(rechne(dp, 1000), 55);
}

TEST_F(Bauteil, PresetZetaUsesTheStoredTexts) {
    // The dimensions would give 2.1 at 5 m/s; the preset zeta wins and the texts stay.
    DVdata d = satz(28, {400, 200}, true);
    d.vorgabe = -1;
    d.p[0] = QStringLiteral("3,00");
    d.p[1] = QStringLiteral("2,000");
    EXPECT_NEAR(rechne(d, 1440), 10.8, 1e-9);
    EXPECT_EQ(d.p[0], QStringLiteral("3,00"));
    EXPECT_EQ(d.p[1], QStringLiteral("2,000"));
}

TEST_F(Bauteil, Zetawert) {
    DVdata d = satz(8);
    d.tag1 = 0;
    d.p[0] = QStringLiteral("4,00");
    d.p[1] = QStringLiteral("1,500");
    EXPECT_NEAR(rechne(d, 1000), 14.4, 1e-9);
    // Without velocity or zeta there is nothing to calculate (and no loss of -0.6 Pa).
    d.p[1].clear();
    doc.drucken = true;
    EXPECT_EQ(rechne(d, 1000), keinErgebnis);
    EXPECT_EQ(doc.m, QStringList{regeltext::zetaFehlt});
}

TEST_F(Bauteil, LossRuleKeepsItsResultOverStaleTexts) {
    // A negative loss of a rule that sets the loss itself is clipped at 0; the stale zeta
    // texts of an earlier calculation must not replace it (they would give 14.4 Pa).
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    DVdata kanal = satz(2, {400, 200, -1, -1, 5, -500}, true, 0);
    kanal.p[2] = QStringLiteral("Stahlblech");
    kanal.p[1] = QStringLiteral("2,000");
    tmylistitem* k = b.neu(s, kanal);
    b.ende(s, true, 1000);
    DVdata arbeit;
    EXPECT_EQ(rechne(k, modusDurchgang, arbeit), 0);
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("3,47"));

    // Extract disc valve DN 200 at 10 m³/h: 0.049 + 1.83 - 14.64 < 0.
    DVdata ventil = satz(12, {200, -1, 1, 10, 1}, false, 5);
    ventil.p[0] = QStringLiteral("5,00");
    ventil.p[1] = QStringLiteral("2,000");
    EXPECT_EQ(rechne(ventil, -10), 0);
}

TEST_F(Bauteil, Room) {
    DVdata raum = satz(4, {300, 15});
    EXPECT_EQ(rechne(raum, 1000), 15);
    raum.planung = true;
    EXPECT_EQ(rechne(raum, 1000), 15);
}

TEST_F(Bauteil, StructureNodesHaveNoLoss) {
    DVdata kopf = satz(0);
    EXPECT_EQ(rechne(kopf, 1000), keinErgebnis);
    DVdata zweig = satz(5);
    EXPECT_EQ(rechne(zweig, 1000), keinErgebnis);
    EXPECT_EQ(bauteildruck(7, nullptr, kopf, 0, u), keinErgebnis); // no such mode
}

// --- the fan -----------------------------------------------------------------------------------

struct VentilatorStrang {
    testbaum::Baum b;
    tmylistitem* ventilator = nullptr;

    VentilatorStrang() {
        tmylistitem* s = b.strang(0);
        b.neu(s, satz(9, {500, 300, -1, 2000}, true, 0, 0));
        DVdata kanal = satz(2, {500, 300, -1, -1, 5, 2000}, true, 0);
        kanal.p[2] = QStringLiteral("Stahlblech");
        b.neu(s, kanal);
        ventilator = b.neu(s, satz(13, {2000, 2000, -1, -1, -1, -1, 100}, false, 0));
        b.neu(s, kanal);
        b.ende(s, true, 2000);
    }
};

TEST_F(Bauteil, FanAddsTheDynamicPressureAtItsConnection) {
    // 2000 m³/h from the grille through the 500x300 duct before the fan: 3.70 m/s,
    // p_d = 3.70²·0.6 = 8.214 Pa on top of the fan's own 100 Pa.
    VentilatorStrang v;
    doc.drucken = true;
    DVdata arbeit;
    EXPECT_NEAR(rechne(v.ventilator, modusDurchgang, arbeit), 108.214, 1e-9);
    const DVdata& n = *nodeDaten(v.ventilator);
    // i[4] is the network calculation's: the component calculation leaves it alone.
    EXPECT_EQ(n.i[4], -1);
    EXPECT_EQ(n.p[0], QStringLiteral("3,70"));
    EXPECT_EQ(doc.m,
              (QStringList{
                  QStringLiteral("Druckverlust Gerät °(delta p°(colsub int°(col-sub :  100,0 Pa"),
                  QStringLiteral("      dynamisch °(delta p°(colsub dyn°(col-sub :  8,2 Pa"),
              }));
}

TEST_F(Bauteil, FanFirstInItsLineTakesTheNextConnection) {
    // Round pipe of 400 mm after the fan with 1000 m³/h: 2.21 m/s, p_d 2.930 Pa.
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    tmylistitem* f = b.neu(s, satz(13, {1000, 2000, -1, -1, -1, -1, 100}, false, 0));
    DVdata rohr = satz(3, {400, -1, -1, -1, 5, 2000});
    rohr.p[2] = QStringLiteral("Stahlblech");
    b.neu(s, rohr);
    b.ende(s, true, 1000);
    DVdata arbeit;
    EXPECT_NEAR(rechne(f, modusDurchgang, arbeit), 102.93046, 1e-9);
    EXPECT_EQ(arbeit.p[0], QStringLiteral("2,21"));
}

TEST_F(Bauteil, FanWithoutConnectionsUsesOneSquareMetre) {
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    tmylistitem* f = b.neu(s, satz(13, {1000, 2000, -1, -1, -1, -1, 80}, false, 0));
    DVdata arbeit;
    EXPECT_EQ(rechne(f, modusDurchgang, arbeit), 80);
    EXPECT_EQ(arbeit.p[0], QStringLiteral("0,00"));
    EXPECT_EQ(arbeit.i[4], -1);
}

// --- preparation and early ends ----------------------------------------------------------------

TEST_F(Bauteil, ModeOneCopiesTheResultIntoTheNode) {
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    tmylistitem* k = b.neu(s, satz(28, {400, 200}, true));
    b.ende(s, true, 1440);
    DVdata arbeit;
    EXPECT_NEAR(rechne(k, modusDurchgang, arbeit), 31.5, 1e-9);
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("5,00"));
    EXPECT_EQ(nodeDaten(k)->p[1], QStringLiteral("2,100"));
    // The node's own record as work record.
    nodeDaten(k)->p[1].clear();
    EXPECT_NEAR(rechne(k, modusDurchgang, *nodeDaten(k)), 31.5, 1e-9);
    EXPECT_EQ(nodeDaten(k)->p[1], QStringLiteral("2,100"));
}

TEST_F(Bauteil, StoppedRuleKeepsTheNodesTextsButNotTheWorkRecords) {
    // A round silencer of 200 mm and 1.5 m at 500 m³/h stops with its own loss of 2.0004 Pa
    // (friction 1.3336 Pa/m) at 4.42 m/s. The node is not written; the work record carries
    // the velocity to the callers that show it beside the loss.
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    DVdata sd = satz(41, {200, -1, -1, -1, -1, 1500}, false, 0);
    sd.p[0] = QStringLiteral("alt");
    tmylistitem* k = b.neu(s, sd);
    b.ende(s, true, 500);
    DVdata arbeit;
    EXPECT_NEAR(rechne(k, modusDurchgang, arbeit), 2.0004, 2e-4);
    EXPECT_EQ(arbeit.p[0], QStringLiteral("4,42"));
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("alt"));
    // With the node's own record as work record the node keeps its text as well.
    EXPECT_NEAR(rechne(k, modusDurchgang, *nodeDaten(k)), 2.0004, 2e-4);
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("alt"));
}

TEST_F(Bauteil, IncompleteNodeAsItsOwnWorkRecord) {
    // The state code of the node's own record is not cleared before it is looked at.
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    DVdata knie = satz(28, {400, 200}, true);
    knie.fehler = fehlerUnvollstaendig;
    knie.p[1] = QStringLiteral("alt");
    tmylistitem* k = b.neu(s, knie);
    b.ende(s, true, 1440);
    EXPECT_EQ(rechne(k, modusDurchgang, *nodeDaten(k)), keinErgebnis);
    EXPECT_EQ(nodeDaten(k)->fehler, fehlerUnvollstaendig);
    EXPECT_EQ(nodeDaten(k)->p[1], QStringLiteral("alt"));
}

TEST_F(Bauteil, IncompleteOrPlanningNodesAreNotCalculated) {
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    DVdata knie = satz(28, {400, 200}, true);
    knie.fehler = fehlerUnvollstaendig;
    knie.p[1] = QStringLiteral("alt");
    tmylistitem* k = b.neu(s, knie);
    b.ende(s, true, 1440);
    DVdata arbeit;
    EXPECT_EQ(rechne(k, modusDurchgang, arbeit), keinErgebnis);
    EXPECT_EQ(nodeDaten(k)->p[1], QStringLiteral("alt"));

    nodeDaten(k)->fehler = 0;
    nodeDaten(k)->planung = true;
    EXPECT_EQ(rechne(k, modusDurchgang, arbeit), keinErgebnis);
    EXPECT_EQ(nodeDaten(k)->p[1], QStringLiteral("alt"));

    // Mode 0 starts every calculation with state 0.
    DVdata d = satz(28, {400, 200}, true);
    d.fehler = 7;
    EXPECT_NEAR(rechne(d, 1440), 31.5, 1e-9);
    EXPECT_EQ(d.fehler, 0);
}

TEST_F(Bauteil, ZeroFlowsCountAsOne) {
    // An outlet with 0 m³/h: the elbow sees 1 m³/h.
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    tmylistitem* k = b.neu(s, satz(28, {400, 200}, true));
    b.ende(s, true, 0);
    DVdata arbeit;
    EXPECT_NEAR(rechne(k, modusDurchgang, arbeit), 0, 1e-12);
    EXPECT_EQ(arbeit.p[0], QStringLiteral("0,00"));

    // A branch without flow: Q stays 2000, the branch flow becomes 1 m³/h.
    testbaum::Baum c;
    tmylistitem* t = c.strang(1);
    tmylistitem* st = c.neu(t, satz(30, {500, 300, 300, 250}, true));
    c.ende(st, false, 0);
    c.ende(t, false, 2000);
    rechne(st, modusDurchgang, arbeit);
    EXPECT_EQ(arbeit.p[0], QStringLiteral("3,70"));
    EXPECT_EQ(arbeit.p[1], QStringLiteral("0,550")); // 1.55·1 - 1 with x_D = 1
    rechne(st, modusAbzweig1, arbeit);
    // K = 0.9·(1 - 1/2000), x_A = 1/2000: K·(1 + 0.000001 - 2·0.9995²).
    EXPECT_EQ(arbeit.p[1], QStringLiteral("-0,898"));
}

TEST_F(Bauteil, UnknownFlowGivesNoResult) {
    // An outlet without flow downstream: the flow through the elbow is unknown (-1).
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    DVdata knie = satz(28, {400, 200}, true);
    knie.p[0] = QStringLiteral("alt");
    tmylistitem* k = b.neu(s, knie);
    b.ende(s, true, -1);
    doc.drucken = true;
    DVdata arbeit;
    EXPECT_EQ(rechne(k, modusDurchgang, arbeit), keinErgebnis);
    EXPECT_EQ(doc.m, QStringList{QStringLiteral("Volumenstrom nicht bekannt -> keine Berechnung "
                                                "möglich")});
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("alt"));
}

TEST_F(Bauteil, MissingDimensionStopsWithALine) {
    DVdata d = satz(28, {0, 200}, true);
    doc.drucken = true;
    EXPECT_EQ(rechne(d, 1440), keinErgebnis);
    EXPECT_EQ(doc.m, QStringList{QStringLiteral(
                         "Abmessung fehlt oder ist nicht größer als Null -> keine Berechnung "
                         "möglich")});
}

// --- report lines ------------------------------------------------------------------------------

TEST_F(Bauteil, ZetaRuleReportLines) {
    DVdata d = satz(28, {400, 200}, true);
    doc.drucken = true;
    EXPECT_NEAR(rechne(d, 1440), 31.5, 1e-9);
    EXPECT_EQ(doc.m, (QStringList{
                         QStringLiteral("Druckverlust nach VDI 2087 (5.1998)"),
                         QString(),
                         QStringLiteral("Art: Formstück    Geschwindigkeit v: 5,00 [m/s]  °(zeta : "
                                        "2,100[];  Dichte: 1,200 [kg/m³]"),
                         QString(),
                         QStringLiteral(
                             "Druckverlust °(delta p = °(zeta  °(*  °(roh /2 °(*  v²           VDI "
                             "2087 (5)"),
                         QStringLiteral("Druckverlust °(delta p = 2,10 °(*  0,60 °(*  25,0"),
                         QString(),
                     }));
}

TEST_F(Bauteil, BranchPassageReportLines) {
    testbaum::Baum b;
    tmylistitem* s = b.strang(0);
    tmylistitem* st = b.neu(s, satz(30, {500, 300, 300, 250}, true));
    b.ende(st, true, 1000);
    b.ende(s, true, 2000);
    doc.drucken = true;
    DVdata arbeit;
    EXPECT_NEAR(rechne(st, modusAbzweig1, arbeit), 24.11261, 1e-4);
    ASSERT_EQ(doc.m.size(), 7);
    EXPECT_EQ(doc.m[2], QStringLiteral("Art: Formstück    Geschwindigkeit v: 5,56 [m/s]  °(zeta : "
                                       "1,300[];  Dichte: 1,200 [kg/m³]"));
    EXPECT_EQ(doc.m[5], QStringLiteral("Druckverlust °(delta p = 1,30 °(*  0,60 °(*  30,9"));
}

TEST_F(Bauteil, NothingIsWrittenWhileRecordingIsOff) {
    DVdata d = satz(23, {200, -1, -1, -1, 300}, false, 4, 0); // one segment too tight
    EXPECT_EQ(rechne(d, 500), keinErgebnis);
    EXPECT_TRUE(doc.m.isEmpty());
}

// --- no inf or NaN for any input ---------------------------------------------------------------

// A printed number that could not be formatted shows as "-".
bool hatUngueltigeZahl(const QString& zeile) {
    static const QRegularExpression muster(
        QStringLiteral("nan|inf|(^|[:=(]\\s*)-(\\s*\\[|\\s*$|\\s+°)"),
        QRegularExpression::CaseInsensitiveOption);
    return muster.match(zeile).hasMatch();
}

TEST(BauteilEndlich, PatternFindsUnprintableNumbers) {
    EXPECT_TRUE(hatUngueltigeZahl(QStringLiteral("Art: Formstück    Geschwindigkeit v: - [m/s]")));
    EXPECT_TRUE(hatUngueltigeZahl(QStringLiteral("Druckverlust °(delta p = - °(*  0,60")));
    EXPECT_TRUE(hatUngueltigeZahl(QStringLiteral("R = nan")));
    EXPECT_FALSE(hatUngueltigeZahl(QStringLiteral("Länge gleich Null -> Bauteil wird ignoriert")));
    EXPECT_FALSE(hatUngueltigeZahl(QStringLiteral("Druckverlust: -1,50 [Pa]")));
}

void pruefeEndlich(double dp, const DVdata& vorher, const DVdata& nachher, const TDruck& doc,
                   const QString& fall) {
    ASSERT_TRUE(std::isfinite(dp)) << fall.toStdString();
    for (const QString& z : doc.m)
        ASSERT_FALSE(hatUngueltigeZahl(z)) << fall.toStdString() << ": " << z.toStdString();
    for (int k = 0; k < 2; ++k) {
        if (nachher.p[k] == vorher.p[k]) continue;
        bool ok = false;
        const double x = leseZahl(nachher.p[k], &ok);
        ASSERT_TRUE(ok && std::isfinite(x))
            << fall.toStdString() << ": p" << k << " = " << nachher.p[k].toStdString();
    }
    for (double w : nachher.i) ASSERT_TRUE(std::isfinite(w)) << fall.toStdString();
}

TEST(BauteilEndlich, EveryTypeOverZeroAndNegativeDimensionsAndFlows) {
    const std::vector<std::array<double, 7>> masse = {
        {0, 0, 0, 0, 0, 0, 0},           {-5, -5, -5, -5, -5, -5, -5},
        {100, 0, 200, 0, -1, 0, -1},     {0.001, 0.001, 0.001, 0.001, 0.001, 0.001, 0.001},
        {500, 300, 500, 300, 0, 0, 0},   {200, 200, 300, 300, 100000, 0, 200},
        {1e6, 1e6, 1, 1, 1e6, 1e6, 1e6}, {1e300, 1e-300, 1e300, 1e-300, 1e300, 1e-300, 1e300}};
    const double fluesse[] = {0, -1, 1e9};
    const QString texte[] = {QString(), QStringLiteral("x"), QStringLiteral("0,00")};
    int faelle = 0;
    for (int typ = 0; typ <= 51; ++typ) {
        for (bool eckig : {false, true}) {
            for (int tag1 = -1; tag1 <= 9; ++tag1) {
                for (int tag2 : {-1, 0, 1, 4}) {
                    for (size_t m = 0; m < masse.size(); ++m) {
                        for (double Q : fluesse) {
                            DVdata d = satz(typ, {}, eckig, tag1, tag2);
                            d.i = masse[m];
                            d.p[0] = texte[faelle % 3];
                            d.p[1] = texte[(faelle / 3) % 3];
                            d.p[2] = faelle % 2 ? QStringLiteral("Stahlblech") : QString();
                            d.vorgabe = (faelle % 17 == 0) ? -1 : 0;
                            const DVdata vorher = d;
                            TDruck doc;
                            Rechenkontext u = testKontext();
                            u.druck = &doc;
                            u.rho = 1.2;
                            const double dp = bauteildruck(modusDatensatz, nullptr, d, Q, u);
                            pruefeEndlich(dp, vorher, d, doc,
                                          QStringLiteral("typ %1 eckig %2 tag %3/%4 mass %5 Q %6")
                                              .arg(typ)
                                              .arg(eckig)
                                              .arg(tag1)
                                              .arg(tag2)
                                              .arg(m)
                                              .arg(Q));
                            ++faelle;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(faelle, 52 * 2 * 11 * 4 * 8 * 3);
}

TEST(BauteilEndlich, BranchPiecesInEveryPassageWithOddFlowsAndDimensions) {
    const double fluesse[] = {0, 1, 5000};
    const std::vector<std::array<double, 7>> masse = {
        {0, 0, 0, 0, 0, 0, 0}, {-5, -5, -5, -5, -5, -5, -5}, {500, 300, 500, 300, 500, 300, 0}};
    for (int typ : {30, 31, 32, 33, 34, 35, 37, 38, 39}) {
        for (bool zuluft : {true, false}) {
            for (int tag1 = -1; tag1 <= 4; ++tag1) {
                for (const auto& mass : masse) {
                    for (double qd : fluesse) {
                        for (double qa : fluesse) {
                            for (double davor : {-1.0, 0.0, 3000.0}) {
                                testbaum::Baum b;
                                tmylistitem* s = b.strang(zuluft ? 0 : 1);
                                if (davor >= 0) b.neu(s, satz(6, {davor}));
                                DVdata d = satz(typ, {}, true, tag1);
                                d.i = mass;
                                tmylistitem* st = b.neu(s, d);
                                if (typ == 37) {
                                    DVdata zweig = satz(5);
                                    zweig.tag1 = 0;
                                    b.ende(b.neu(st, zweig), zuluft, qa);
                                    zweig.tag1 = 1;
                                    b.ende(b.neu(st, zweig), zuluft, qd);
                                } else {
                                    b.ende(st, zuluft, qa);
                                }
                                b.ende(s, zuluft, qd);
                                for (int modus = 1; modus <= 3; ++modus) {
                                    TDruck doc;
                                    Rechenkontext u = testKontext();
                                    u.druck = &doc;
                                    u.rho = 1.2;
                                    DVdata arbeit;
                                    const DVdata vorher = *nodeDaten(st);
                                    const double dp = bauteildruck(modus, st, arbeit, 0, u);
                                    pruefeEndlich(dp, vorher, *nodeDaten(st), doc,
                                                  QStringLiteral("typ %1 zu %2 tag %3 modus %4")
                                                      .arg(typ)
                                                      .arg(zuluft)
                                                      .arg(tag1)
                                                      .arg(modus));
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}

// --- the example project -----------------------------------------------------------------------

TEST(BauteilBeispiel, EveryComponentOfTheSupplyLineHasAResult) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
    ASSERT_TRUE(beispielSchreiben(datei));
    SilentSeam seam;
    Projekt projekt(seam);
    projekt.setAutomatischSichern([] { return false; });
    projekt.setDateiname(datei);
    ASSERT_TRUE(projekt.laden());
    tmylistitem* zuluft = projekt.baum().topLevel(0);
    ASSERT_EQ(nodeDaten(zuluft)->typ, 0);

    TDruck doc;
    doc.drucken = false;
    Rechenkontext u = testKontext();
    u.druck = &doc;
    u.rho = 1.2;
    QStringList ergebnisse;
    for (tmylistitem* n = zuluft->getNext(); n && n->Level() > 0; n = n->getNext()) {
        DVdata arbeit;
        const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
        EXPECT_GT(dp, -999) << n->position().toStdString();
        ergebnisse << n->position() + QLatin1Char('=') + formatZahl(dp, 4);
    }
    // Grille "gebrochen" 0.25 at 3.70 m/s; steel duct 500x300 over 2 m with 2000 m³/h (R
    // 0.4415 Pa/m) and 1000 m³/h (R 0.1237 Pa/m); fan 100 Pa + 3.70²·0.6; branch piece main
    // passage 0.4·0.5²; bend 500x300, R 500, "links/rechts": 0.1833·sv(0.6) 1.138 + 0.1;
    // outlet 1.0 at 1.85 m/s; rooms without pressure.
    EXPECT_EQ(ergebnisse, (QStringList{
                              QStringLiteral("1.1=2,0535"),
                              QStringLiteral("1.2=0,8831"),
                              QStringLiteral("1.3=108,2140"),
                              QStringLiteral("1.4=0,8831"),
                              QStringLiteral("1.5=0,8214"),
                              QStringLiteral("1.5.1=0,2474"),
                              QStringLiteral("1.5.2=0,6345"),
                              QStringLiteral("1.5.3=0,2474"),
                              QStringLiteral("1.5.4=2,0535"),
                              QStringLiteral("1.5.5=0,0000"),
                              QStringLiteral("1.6=0,2474"),
                              QStringLiteral("1.7=2,0535"),
                              QStringLiteral("1.8=0,0000"),
                          }));
    tmylistitem* stueck = projekt.baum().topLevel(0)->child(4);
    DVdata arbeit;
    EXPECT_NEAR(bauteildruck(modusAbzweig1, stueck, arbeit, 0, u), 9.24075, 1e-9);
}

// --- interactive calculation -------------------------------------------------------------------

struct Interaktiv : public ::testing::Test {
    testbaum::Baum b;
    TDruck doc;
    tmylistitem* knie = nullptr;

    void SetUp() override {
        tmylistitem* s = b.strang(0);
        knie = b.neu(s, satz(28, {400, 400}, true));
        nodeDaten(knie)->p[1] = QStringLiteral("alt");
        b.ende(s, true, 1440);
    }
};

TEST_F(Interaktiv, NodeOfTheSameTypeIsCalculatedWithTheBuffer) {
    DVdata edit = satz(28, {400, 200}, true);
    edit.Text = QStringLiteral("Decke");
    const DVdata gespeichert = *nodeDaten(knie);
    const BauteilAnzeige a = berechne1Bauteil(testKontext(), edit, knie, doc, true, 1.2);
    EXPECT_NEAR(a.ergebnis, 31.5, 1e-9);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("31,50 [Pa]"));
    EXPECT_EQ(a.zetaFelder, BauteilAnzeige::Feld::Zeigen);
    EXPECT_EQ(a.geschwindigkeit, QStringLiteral("5,00"));
    EXPECT_EQ(a.zeta, QStringLiteral("2,100"));
    EXPECT_EQ(a.wertFeld, BauteilAnzeige::Feld::Unveraendert);
    EXPECT_EQ(edit.p[1], QStringLiteral("2,100"));
    EXPECT_EQ(*nodeDaten(knie), gespeichert); // the node is restored
    ASSERT_GE(doc.m.size(), 3);
    EXPECT_EQ(doc.m.first(), QStringLiteral("°ÜKnie (Decke);  Volumenstrom: 1.440 [m³/h]"));
    EXPECT_EQ(doc.m[1], QStringLiteral("Beschreibung: Decke"));
    EXPECT_EQ(doc.m.last(), QStringLiteral("Druckverlust °(delta p = 31,50 [Pa]"));
    EXPECT_FALSE(doc.drucken);
}

TEST_F(Interaktiv, SilencerShowsTheVelocityBesideItsOwnLoss) {
    // A round silencer of 200 mm and 1.5 m at 500 m³/h: its rule sets the loss (2.0004 Pa)
    // and stops; the buffer still receives the velocity 4.42 m/s for its field.
    testbaum::Baum c;
    tmylistitem* s = c.strang(0);
    DVdata sd = satz(41, {200, -1, -1, -1, -1, 1500}, false, 1);
    sd.p[0] = QStringLiteral("alt");
    tmylistitem* k = c.neu(s, sd);
    c.ende(s, true, 500);
    DVdata edit = sd;
    const BauteilAnzeige a = berechne1Bauteil(testKontext(), edit, k, doc, false, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("2,00 [Pa]"));
    EXPECT_EQ(a.zetaFelder, BauteilAnzeige::Feld::Zeigen);
    EXPECT_EQ(a.geschwindigkeit, QStringLiteral("4,42"));
    EXPECT_EQ(nodeDaten(k)->p[0], QStringLiteral("alt"));
}

TEST_F(Interaktiv, TooLargeFailedAndPlanning) {
    DVdata klein = satz(28, {10, 5}, true); // 1440 m³/h through 50 mm²: 8000 m/s
    BauteilAnzeige a = berechne1Bauteil(testKontext(), klein, knie, doc, true, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("zu groß!"));
    EXPECT_EQ(klein.fehler, fehlerVolumenstrom);
    EXPECT_GT(a.ergebnis, 9999);
    // Recording stops: no result line (the derivation's own Δp lines carry no unit).
    for (const QString& z : doc.m)
        EXPECT_FALSE(z.startsWith(QStringLiteral("Druckverlust °(delta p = ")) &&
                     z.endsWith(QStringLiteral(" [Pa]")))
            << z.toStdString();
    EXPECT_FALSE(doc.m.filter(QStringLiteral("Druckverlust °(delta p = ")).isEmpty());

    doc.clear();
    DVdata leer = satz(28, {0, 200}, true);
    a = berechne1Bauteil(testKontext(), leer, knie, doc, true, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("Fehler. Prüfen"));
    EXPECT_EQ(leer.fehler, fehlerVolumenstrom);
    EXPECT_EQ(doc.m.last(), QStringLiteral("Fehler"));

    doc.clear();
    DVdata plan = satz(28, {400, 200}, true);
    plan.planung = true;
    a = berechne1Bauteil(testKontext(), plan, knie, doc, true, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("in Planung"));
    EXPECT_EQ(doc.m.last(), QStringLiteral("Es fehlen noch Angaben zu dem Bauteil. Berechnung nur "
                                           "von vollständigen Bauteilen möglich."));
}

TEST_F(Interaktiv, BranchPiecePrintsEveryPassageAndKeepsTheMainTexts) {
    testbaum::Baum c;
    tmylistitem* s = c.strang(0);
    tmylistitem* st = c.neu(s, satz(30, {500, 300, 300, 250}, true));
    c.ende(st, true, 1000);
    c.ende(s, true, 2000);
    DVdata edit = *nodeDaten(st);
    const BauteilAnzeige a = berechne1Bauteil(testKontext(), edit, st, doc, true, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("3,30 [Pa]"));
    EXPECT_EQ(a.zeta, QStringLiteral("0,178"));
    EXPECT_EQ(edit.p[1], QStringLiteral("0,178"));
    EXPECT_TRUE(doc.m.contains(QStringLiteral("°ÜAbzweig;   Volumenstrom: 1.000 [m³/h]")));
    EXPECT_EQ(doc.m.last(), QStringLiteral("Druckverlust °(delta p = 24,11 [Pa]"));
}

TEST_F(Interaktiv, CrossPrintsBothBranches) {
    testbaum::Baum c;
    tmylistitem* s = c.strang(0);
    tmylistitem* st = c.neu(s, satz(37, {500, 300, 300, 250}, true));
    DVdata zweig = satz(5);
    zweig.tag1 = 0;
    c.ende(c.neu(st, zweig), true, 1000);
    zweig.tag1 = 1;
    c.ende(c.neu(st, zweig), true, 200);
    c.ende(s, true, 1500);
    DVdata edit = *nodeDaten(st);
    berechne1Bauteil(testKontext(), edit, st, doc, true, 1.2);
    const int i1 = doc.m.indexOf(QStringLiteral("°ÜAbzweig 1;   Volumenstrom: 1.000 [m³/h]"));
    const int i2 = doc.m.indexOf(QStringLiteral("°ÜAbzweig 2;   Volumenstrom: 200 [m³/h]"));
    ASSERT_GT(i1, 0);
    ASSERT_GT(i2, i1);
    EXPECT_EQ(doc.m.last(), QStringLiteral("Druckverlust °(delta p = 12,78 [Pa]"));
}

// Every line of the single-component report reaches the page: a text line starting with the
// marker would be read as a command and dropped.
TEST_F(Interaktiv, EveryReportLineIsPrinted) {
    testbaum::Baum c;
    tmylistitem* s = c.strang(0);
    tmylistitem* st = c.neu(s, satz(37, {500, 300, 300, 250}, true));
    DVdata zweig = satz(5);
    zweig.tag1 = 0;
    c.ende(c.neu(st, zweig), true, 1000);
    zweig.tag1 = 1;
    c.ende(c.neu(st, zweig), true, 200);
    c.ende(s, true, 1500);
    DVdata kreuz = *nodeDaten(st);
    berechne1Bauteil(testKontext(), kreuz, st, doc, true, 1.2);
    DVdata k = satz(28, {400, 200}, true);
    berechne1Bauteil(testKontext(), k, knie, doc, true, 1.2);
    ASSERT_GT(doc.m.size(), 20);
    int ergebnisse = 0;
    for (const QString& z : doc.m) {
        if (z.startsWith(QChar(0xB0))) {
            EXPECT_TRUE(z.startsWith(QStringLiteral("°Ü"))) << z.toStdString();
        }
        ergebnisse += z.startsWith(QStringLiteral("Druckverlust °(delta p = ")) &&
                      z.endsWith(QStringLiteral(" [Pa]"));
    }
    // cross: main passage and both branches; knee: its passage
    EXPECT_EQ(ergebnisse, 4);
}

TEST_F(Interaktiv, OtherTypeIsCalculatedAloneWithTheNodesFlow) {
    // An outlet in the buffer while the elbow is selected: mode 0 with its 1440 m³/h.
    DVdata auslass = satz(10, {400, 200, 1, 1440, 1}, true, 1); // "scharfkantiger Austritt"
    BauteilAnzeige a = berechne1Bauteil(testKontext(), auslass, knie, doc, false, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("15,00 [Pa]")); // zeta 1.0 at 5 m/s
    EXPECT_EQ(a.zetaFelder, BauteilAnzeige::Feld::Unveraendert);

    auslass.vorgabe = 1;
    auslass.i[6] = 12;
    a = berechne1Bauteil(testKontext(), auslass, knie, doc, false, 1.2);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("12,00 [Pa]"));
    EXPECT_EQ(a.wertFeld, BauteilAnzeige::Feld::Zeigen);
    EXPECT_EQ(a.wert, 12);
    auslass.i[6] = -1;
    a = berechne1Bauteil(testKontext(), auslass, knie, doc, false, 1.2);
    EXPECT_EQ(a.wertFeld, BauteilAnzeige::Feld::Leeren);

    // No node, or an inline type without its own node: nothing to calculate.
    DVdata knie2 = satz(28, {400, 200}, true);
    EXPECT_EQ(berechne1Bauteil(testKontext(), knie2, nullptr, doc, false, 1.2).ergebnisLabel,
              QStringLiteral("-"));
    EXPECT_EQ(
        berechne1Bauteil(testKontext(), knie2, b.baum.topitem(), doc, false, 1.2).ergebnisLabel,
        QStringLiteral("-"));
}

TEST_F(Interaktiv, ZetaFieldsForTheCatalogueModeFive) {
    // A user catalogue type whose normal preset mode is 5 shows velocity and zeta after the
    // calculation, as the network report's Zeta column does.
    auto eintrag = std::make_shared<tBasisDaten_>();
    eintrag->typ = 45;
    eintrag->titel = QStringLiteral("Gerät");
    eintrag->enden = 2;
    eintrag->eckig = formUnwichtig;
    eintrag->vorgabe = 5;
    auto& tabelle = basisDatenTabelle();
    const auto alt = tabelle.shared(45);
    tabelle.setzen(45, eintrag);
    testbaum::Baum c;
    tmylistitem* s = c.strang(0);
    DVdata geraet = satz(45);
    geraet.p[0] = QStringLiteral("2,00");
    geraet.p[1] = QStringLiteral("1,000");
    tmylistitem* g = c.neu(s, geraet);
    c.ende(s, true, 1000);
    DVdata edit = geraet;
    const BauteilAnzeige a = berechne1Bauteil(testKontext(), edit, g, doc, false, 1.2);
    tabelle.setzen(45, alt);
    EXPECT_EQ(a.ergebnisLabel, QStringLiteral("2,40 [Pa]"));
    EXPECT_EQ(a.zetaFelder, BauteilAnzeige::Feld::Zeigen);
    EXPECT_EQ(a.geschwindigkeit, QStringLiteral("2,00"));
}

} // namespace
} // namespace zephan
