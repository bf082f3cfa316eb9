#include "component_test_tree.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/project_data.h"
#include "network/project_file.h"
#include "network/project_generator.h"
#include "network/tree_position.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "pressure/network_pressure.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"
#include "support/golden.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <memory>

using namespace zephan;
using testbaum::satz;

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

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

QString text(const TDruck& d) {
    return d.m.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// Seam that cancels at a given progress step and records the rest.
class AbbruchSeam : public RecordingSeam {
public:
    int abbrechenBei = -1;
    int schritte = 0;
    bool fortschritt(int done, int) override {
        schritte = done;
        return abbrechenBei < 0 || done < abbrechenBei;
    }
};

// One component's passage, computed on its own, as the calculation would see it.
double passage(tmylistitem* n, int modus, const Rechenkontext& k) {
    nachbarpruefung(n, k);
    DVdata arbeit;
    return bauteildruck(modus, n, arbeit, 0, k);
}

} // namespace

// --- the example project: every figure spelled out from the component results ---------------

TEST(NetzBeispiel, SumsAlongEveryPathAreTheComponentResults) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& b = p->baum();
    tmylistitem* zu = b.topLevel(0);
    tmylistitem* ab = b.topLevel(1);

    // The component results, each on its own (supply 1.x, extract 2.x).
    Rechenkontext k = testKontext();
    TDruck still;
    still.drucken = false;
    k.druck = &still;
    k.rho = strangDichte(zu);
    auto dp = [&](tmylistitem* strang, const char* pos, int modus = modusDurchgang) {
        tmylistitem* n = knotenAnPosition(b, QString::fromLatin1(pos));
        EXPECT_TRUE(n) << pos;
        Rechenkontext kk = k;
        kk.rho = strangDichte(strang);
        return n ? passage(n, modus, kk) : 0.0;
    };
    const double gitter = dp(zu, "1.1"), kanal1 = dp(zu, "1.2"), ventilator = dp(zu, "1.3"),
                 kanal2 = dp(zu, "1.4"), stueckD = dp(zu, "1.5"),
                 stueckA = dp(zu, "1.5", modusAbzweig1);
    const double zweig =
        dp(zu, "1.5.1") + dp(zu, "1.5.2") + dp(zu, "1.5.3") + dp(zu, "1.5.4") + dp(zu, "1.5.5");
    const double haupt = dp(zu, "1.6") + dp(zu, "1.7") + dp(zu, "1.8");
    const double vorStueck = gitter + kanal1 + kanal2; // the fan does not count
    const double zumRaum1 = vorStueck + stueckA + zweig;
    const double zumRaum2 = vorStueck + stueckD + haupt;
    // Hand values of the components: the branch path is the worse one.
    EXPECT_NEAR(zumRaum1, 2.0535 + 0.8831 + 0.8831 + 9.24075 + 0.2474 + 0.6345 + 0.2474 + 2.0535,
                2e-3);
    EXPECT_NEAR(zumRaum2, 2.0535 + 0.8831 + 0.8831 + 0.8214 + 0.2474 + 2.0535, 2e-3);
    const double abMax = dp(ab, "2.1") + dp(ab, "2.3") + dp(ab, "2.4");
    const double abVentilator = dp(ab, "2.2");

    TDruck doc;
    Rechenkontext kontext = testKontext();
    kontext.druck = &doc;
    NetzOptionen o;
    o.projekt = &p->daten();
    o.seam = &seam;
    const NetzErgebnis e = netzberechnen(b, kontext, o);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    ASSERT_EQ(e.straenge.size(), 2u);

    const StrangErgebnis& s = e.straenge[0];
    ASSERT_EQ(s.enden.size(), 2u);
    EXPECT_EQ(s.enden[0].position, "1.5.5"); // the branch is walked before the main line goes on
    EXPECT_EQ(s.enden[1].position, "1.8");
    EXPECT_DOUBLE_EQ(s.enden[0].dpExt, zumRaum1);
    EXPECT_DOUBLE_EQ(s.enden[1].dpExt, zumRaum2);
    EXPECT_EQ(s.unguenstigstes, 0);
    EXPECT_DOUBLE_EQ(s.maximum, zumRaum1);
    EXPECT_DOUBLE_EQ(s.ventilatorVerlust, ventilator);
    EXPECT_DOUBLE_EQ(s.gesamt(), zumRaum1 + ventilator);
    EXPECT_DOUBLE_EQ(s.zuwenig(s.enden[1]), zumRaum1 - zumRaum2);
    EXPECT_EQ(s.ventilatorStrom, 2000);
    EXPECT_TRUE(s.hatAbzweige);
    // The fan keeps the external maximum, whole pascals.
    EXPECT_EQ(nodeDaten(zu->child(2))->i[4], std::trunc(zumRaum1));

    // The worst path: grille, duct, fan (0 in the path), duct, branch passage, branch chain.
    ASSERT_EQ(s.pfad.size(), 10u);
    EXPECT_TRUE(s.pfad[4].abzweig);
    EXPECT_DOUBLE_EQ(s.pfad[4].dp, stueckA);
    EXPECT_EQ(s.pfad[2].dp, 0);
    EXPECT_DOUBLE_EQ(s.pfad.back().dpExt, zumRaum1);

    const StrangErgebnis& a = e.straenge[1];
    ASSERT_EQ(a.enden.size(), 1u);
    EXPECT_FALSE(a.hatAbzweige);
    EXPECT_DOUBLE_EQ(a.maximum, abMax);
    EXPECT_DOUBLE_EQ(a.ventilatorVerlust, abVentilator);
    EXPECT_EQ(a.zuwenig(a.enden[0]), 0);
    EXPECT_TRUE(seam.fragen.isEmpty()) << seam.fragen.join('\n').toStdString();
    EXPECT_EQ(seam.statusTexte.mid(seam.statusTexte.size() - 2),
              (QStringList{"0: Berechne...", "0: Berechnung beendet"}));
}

TEST(NetzBeispiel, GoldenReport) {
    QTemporaryDir ordner;
    SilentSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    NetzOptionen o;
    o.projekt = &p->daten();
    ASSERT_TRUE(netzberechnen(p->baum(), k, o).ok());
    expectGolden(QStringLiteral("pressure_beispiel"), QStringLiteral("bericht.txt"), text(doc));
}

TEST(NetzErzeugt, GoldenReportsOfTwoGeneratedProjects) {
    const struct {
        const char* fall;
        GeneratorOptionen o;
    } faelle[] = {{"pressure_erzeugt_1x8", {1, 8, 3}}, {"pressure_erzeugt_2x14", {2, 14, 7}}};
    for (const auto& f : faelle) {
        ProjektBaum baum;
        baum.setPlanungFuerNeue([] { return false; });
        ASSERT_GT(projektErzeugen(baum, f.o), 0);
        ProjektDaten daten;
        projektDatenErzeugen(daten, f.o);
        TDruck doc;
        Rechenkontext k = testKontext();
        k.druck = &doc;
        NetzOptionen o;
        o.projekt = &daten;
        const NetzErgebnis e = netzberechnen(baum, k, o);
        ASSERT_TRUE(e.ok()) << f.fall << ": " << e.meldung.toStdString();
        EXPECT_EQ(e.straenge.size(), static_cast<size_t>(f.o.straenge));
        expectGolden(QString::fromLatin1(f.fall), QStringLiteral("bericht.txt"), text(doc));
    }
}

// A generated project of the benchmark's kind computes to the end: no node stops it.
TEST(NetzErzeugt, LargeGeneratedLinesDoNotStop) {
    ProjektBaum baum;
    baum.setPlanungFuerNeue([] { return false; });
    ASSERT_GT(projektErzeugen(baum, GeneratorOptionen{2, 600, 1}), 0);
    Rechenkontext k = testKontext();
    const NetzErgebnis e = netzberechnen(baum, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString() << " at "
                        << (e.knoten ? e.knoten->position().toStdString() : "");
    for (const StrangErgebnis& s : e.straenge) {
        EXPECT_EQ(s.enden.size(), 600u);
        for (const StrangEnde& ende : s.enden) EXPECT_FALSE(ende.unvollstaendig);
    }
}

// --- edge cases on small lines of preset losses ------------------------------------------------

namespace {

// A line whose losses are all given: fan (preset 100 Pa, no flow, so no dynamic pressure),
// then "delta p" nodes; a branch piece with a given loss (both passages the same).
struct Vorgaben : testbaum::Baum {
    tmylistitem* kopf = nullptr;
    tmylistitem* ventilator = nullptr;

    explicit Vorgaben(bool zuluft = true) {
        kopf = strang(zuluft ? typZuluft : typAbluft);
        ventilator = neu(kopf, satz(typVentilator, {1000, 1000, -1, -1, -1, -1, 100}, true, 0));
    }
    tmylistitem* dp(tmylistitem* eltern, double pa) {
        DVdata d = satz(typDeltaP, {200, -1, -1, -1, -1, -1, pa}, false, 0);
        return neu(eltern, d);
    }
    tmylistitem* raum(tmylistitem* eltern, const QString& name) {
        DVdata r = satz(typRaum, {300, 0, -1, 30, 500, 2}, true, 0, 0);
        r.p[2] = name;
        return neu(eltern, r);
    }
    tmylistitem* stueck(tmylistitem* eltern, double pa) {
        DVdata d = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, pa}, true);
        d.vorgabe = 1;
        return neu(eltern, d);
    }
    NetzErgebnis rechnen(TDruck& doc, NetzOptionen o = {}) {
        Rechenkontext k = testKontext();
        k.druck = &doc;
        return netzberechnen(baum, k, o);
    }
};

bool enthaelt(const TDruck& d, const QString& zeile) {
    return d.m.contains(zeile);
}

int zaehle(const TDruck& d, const QString& anfang) {
    int n = 0;
    for (const QString& z : d.m) n += z.startsWith(anfang) ? 1 : 0;
    return n;
}

} // namespace

TEST(NetzRand, LineWithoutBranchPiecesHasNoSummaryAndNoBalancing) {
    Vorgaben t;
    t.dp(t.kopf, 10);
    t.dp(t.kopf, 5);
    t.raum(t.kopf, QStringLiteral("R1"));
    TDruck doc;
    const NetzErgebnis e = t.rechnen(doc);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString() << " " << e.knoten->position().toStdString()
                        << " typ " << nodeDaten(e.knoten)->typ;
    const StrangErgebnis& s = e.straenge[0];
    EXPECT_FALSE(s.hatAbzweige);
    EXPECT_EQ(s.enden.size(), 1u);
    EXPECT_DOUBLE_EQ(s.maximum, 15);
    // The fan's own loss stays out of the path and shows in its summary only.
    EXPECT_DOUBLE_EQ(s.ventilatorVerlust, 100);
    EXPECT_DOUBLE_EQ(s.gesamt(), 115);
    // The calculation writes nothing; storing its results gives the fan the external maximum.
    EXPECT_EQ(nodeDaten(t.ventilator)->i[4], -1);
    EXPECT_EQ(s.ventilator, t.ventilator);
    EXPECT_EQ(s.ventilatorDruck, 15);
    EXPECT_GT(netzErgebnisSchreiben(e), 0);
    EXPECT_EQ(nodeDaten(t.ventilator)->i[4], 15);
    EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜZusammenfassung")), 0);
    EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜErforderliche")), 0);
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("interner Druckverlust Gerät|100 Pa")));
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("externer Druckverlust °(delta p°(colsub "
                                             "ext°(col-sub|15 Pa")));
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("erf. Totaldruckerhöhung °(delta p°(colsub "
                                             "gesamt°(col-sub |115 Pa| bei -1 m³/h")));
    // The worst path: the fan without a flow before it (-1, unknown), 0 in the path.
    const QStringList pfad{
        QStringLiteral("1.1|Ventilator|-1|||0,0||0,0|0"),
        QStringLiteral("1.2|Einbauteil|0|200|-|||10,0|10"),
        QStringLiteral("1.3|Einbauteil|0|200|-|||5,0|15"),
        QStringLiteral("1.4|Raum: R1||||||0,0|15"),
        QString(),
    };
    const int k = static_cast<int>(doc.m.indexOf(pfad[0]));
    ASSERT_GT(k, 0) << text(doc).toStdString();
    EXPECT_EQ(doc.m.mid(k), pfad);
}

TEST(NetzRand, WithoutFanLossTheExternalLossStandsAlone) {
    Vorgaben t;
    nodeDaten(t.ventilator)->i[6] = 0;
    t.dp(t.kopf, 7);
    t.raum(t.kopf, QStringLiteral("R1"));
    TDruck doc;
    ASSERT_TRUE(t.rechnen(doc).ok());
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("externer Druckverlust: 7 Pa")));
    EXPECT_EQ(zaehle(doc, QStringLiteral("interner Druckverlust")), 0);
}

TEST(NetzRand, EndsAndDifferences) {
    // Branch chain and main chain after a branch piece of 2 Pa; the ends' losses decide.
    const struct {
        const char* name;
        double zweig, haupt;
        int schlechtestes; // index of the worst end (0 = the branch, reached first)
        QString differenz; // summary cell of the other end
        int bloecke;       // balancing blocks
    } faelle[] = {
        {"equal ends keep the first", 8, 8, 0, "-", 0},
        {"below half a pascal shows - but is balanced", 8, 7.6, 0, "-", 1},
        {"a larger later end replaces the first", 3, 9, 1, "6", 1},
        {"a difference of 0.5 shows", 8, 7.5, 0, "1", 1},
    };
    for (const auto& f : faelle) {
        Vorgaben t;
        t.dp(t.kopf, 1);
        tmylistitem* s = t.stueck(t.kopf, 2);
        t.dp(s, f.zweig);
        t.raum(s, QStringLiteral("Z"));
        t.dp(t.kopf, f.haupt);
        t.raum(t.kopf, QStringLiteral("H"));
        TDruck doc;
        const NetzErgebnis e = t.rechnen(doc);
        ASSERT_TRUE(e.ok()) << f.name << ": " << e.meldung.toStdString();
        const StrangErgebnis& r = e.straenge[0];
        ASSERT_EQ(r.enden.size(), 2u) << f.name;
        EXPECT_EQ(r.unguenstigstes, f.schlechtestes) << f.name;
        EXPECT_DOUBLE_EQ(r.maximum, 3 + std::max(f.zweig, f.haupt)) << f.name;
        const StrangEnde& andere = r.enden[static_cast<size_t>(1 - f.schlechtestes)];
        const QString zeile = andere.position + QLatin1Char('|') + andere.name + QLatin1Char('|') +
                              formatZahl(andere.dpExt, 0) + QLatin1Char('|') + f.differenz;
        EXPECT_TRUE(enthaelt(doc, zeile)) << f.name << ": " << zeile.toStdString() << "\n"
                                          << text(doc).toStdString();
        EXPECT_EQ(zaehle(doc, QStringLiteral("Zuluft. ")), f.bloecke) << f.name;
        EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜErforderliche Korrektur für Abgleich")), f.bloecke)
            << f.name;
        EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜZusammenfassung")), 1) << f.name;
    }
}

TEST(NetzRand, BalancingBlockShowsThePathFromTheFirstBranchPiece) {
    Vorgaben t;
    t.dp(t.kopf, 1);
    tmylistitem* s = t.stueck(t.kopf, 2);
    t.dp(s, 8);
    t.raum(s, QStringLiteral("Z"));
    t.dp(t.kopf, 3);
    t.raum(t.kopf, QStringLiteral("H"));
    TDruck doc;
    ASSERT_TRUE(t.rechnen(doc).ok());
    // The first "°XB" closes the fan summary; the balancing block follows the worst path.
    const int block =
        static_cast<int>(doc.m.indexOf(QStringLiteral("°ÜErforderliche Korrektur für Abgleich"))) -
        1;
    ASSERT_GT(block, 0) << text(doc).toStdString();
    const QStringList erwartet{
        QStringLiteral("°XB"),
        QStringLiteral("°ÜErforderliche Korrektur für Abgleich"),
        QStringLiteral("°T0,15,*,-8,-7,-7,-7,-8,-8,-8"),
        QStringLiteral("Position|Bauteil|°.V|a/d|b|v|Zeta|°(delta p|°(delta p°(colsub "
                       "ext°(col-sub"),
        QStringLiteral("||m³/h|mm|mm|m/s|-|Pa|Pa"),
        QStringLiteral("1.3|Abzweigstück 90°|0|400|200|||2,0|3"),
        QStringLiteral("1.4|Einbauteil|0|200|-|||3,0|6"),
        QStringLiteral("1.5|Raum: H||||||0,0|6"),
        QString(),
        QStringLiteral("Zuluft. H, Summe °(delta p°(colsub ext°(col-sub :6 [Pa]. Zuwenig: 5 "
                       "[Pa]"),
        QString(),
    };
    EXPECT_EQ(doc.m.mid(block, erwartet.size()), erwartet) << text(doc).toStdString();
    EXPECT_EQ(doc.m.value(block + erwartet.size()), QStringLiteral("°XB"));

    // In summary mode the balancing blocks are left out.
    TDruck kurz;
    NetzOptionen o;
    o.zusammenfassung = true;
    ASSERT_TRUE(t.rechnen(kurz, o).ok());
    EXPECT_EQ(zaehle(kurz, QStringLiteral("°ÜErforderliche")), 0);
    EXPECT_EQ(zaehle(kurz, QStringLiteral("°ÜZusammenfassung")), 1);
}

TEST(NetzRand, TargetOnALineWithBranchesReportsOnlyItsPath) {
    Vorgaben t;
    t.dp(t.kopf, 1);
    tmylistitem* s = t.stueck(t.kopf, 2);
    t.dp(s, 8);
    tmylistitem* ziel = t.raum(s, QStringLiteral("Z7"));
    t.dp(t.kopf, 30);
    t.raum(t.kopf, QStringLiteral("H"));
    TDruck doc;
    NetzOptionen o;
    o.ganzerStrang = false;
    o.auswahl = s->getChild(); // a node of the branch chain: its chain ends in Z7
    const NetzErgebnis e = t.rechnen(doc, o);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    const StrangErgebnis& r = e.straenge[0];
    EXPECT_EQ(r.ziel, ziel);
    ASSERT_EQ(r.enden.size(), 1u);
    EXPECT_EQ(r.enden[0].knoten, ziel);
    EXPECT_DOUBLE_EQ(r.maximum, 11); // the worse main line is not walked
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("°Übis Raum Z7")));
    EXPECT_EQ(zaehle(doc, QStringLiteral("externer Druckverlust")), 0);
    EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜZusammenfassung")), 0);
    EXPECT_EQ(zaehle(doc, QStringLiteral("°ÜErforderliche")), 0);
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("->1.3|Abzweigstück 90°|0|400|200|||2,0|3")))
        << text(doc).toStdString();
    EXPECT_EQ(r.ventilator, nullptr); // a partial path stores nothing in the fan
    netzErgebnisSchreiben(e);
    EXPECT_EQ(nodeDaten(t.ventilator)->i[4], -1);

    // A node before the fan means the whole line.
    NetzOptionen vorn;
    vorn.ganzerStrang = false;
    vorn.auswahl = t.ventilator;
    TDruck ganz;
    const NetzErgebnis g = t.rechnen(ganz, vorn);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(g.straenge[0].ziel, nullptr);
    EXPECT_EQ(g.straenge[0].enden.size(), 2u);
    EXPECT_DOUBLE_EQ(g.straenge[0].maximum, 33);
}

TEST(NetzRand, FailingBranchPassageCountsZeroAndMarksItsEnds) {
    // An extract branch piece at a far too high velocity: its branch passage's coefficient is
    // about -0.9, a loss far below -999 Pa that reads as no result; the main passage computes.
    Vorgaben t(false);
    t.neu(t.kopf, satz(typVolumenstrom, {5000}, true));
    tmylistitem* s = t.neu(t.kopf, satz(typAbzweigstueck90, {100, 100, 100, 100}, true));
    t.dp(s, 8);
    t.raum(s, QStringLiteral("Z"));
    t.dp(t.kopf, 3);
    t.raum(t.kopf, QStringLiteral("H"));
    Rechenkontext k = testKontext();
    TDruck still;
    still.drucken = false;
    k.druck = &still;
    ASSERT_LE(passage(s, modusAbzweig1, k), -999);
    const double haupt = passage(s, modusDurchgang, k);
    ASSERT_GT(haupt, -999);

    TDruck doc;
    const NetzErgebnis e = t.rechnen(doc);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    const StrangErgebnis& r = e.straenge[0];
    ASSERT_EQ(r.enden.size(), 2u);
    EXPECT_TRUE(r.enden[0].unvollstaendig);
    EXPECT_FALSE(r.enden[1].unvollstaendig);
    EXPECT_DOUBLE_EQ(r.enden[0].dpExt, 0 + 0 + 8);
    EXPECT_DOUBLE_EQ(r.enden[1].dpExt, 0 + haupt + 3);
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("->1.3|Abzweigstück 90° Fehler")))
        << text(doc).toStdString();
    const double diff = r.maximum - 8;
    EXPECT_TRUE(enthaelt(doc, QStringLiteral("1.3.2|Z (unvollständig)|8|") +
                                  (diff >= 0.5 ? formatZahl(diff, 0) : QStringLiteral("-"))))
        << text(doc).toStdString();
}

TEST(NetzRand, StopsNameTheNodeAndLeaveTheReportAlone) {
    const struct {
        const char* name;
        std::function<DVdata()> satz;
        QString meldung;
    } faelle[] = {
        {"planning",
         [] {
             DVdata d = satz(typKanal, {400, 200, -1, -1, -1, 2000}, true, 0);
             d.p[2] = QStringLiteral("Stahlblech");
             d.planung = true;
             return d;
         },
         netztext::planung},
        {"incomplete", // no option chosen
         [] {
             return satz(typDeltaP, {200, -1, -1, -1, -1, -1, 5});
         },
         netztext::unvollstaendig},
        {"no result",
         [] {
             DVdata d = satz(typKanal, {400, 200, -1, -1, -1, 2000}, true, 0);
             d.p[2] = QStringLiteral("Unobtainium");
             return d;
         },
         netztext::bauteilFehler},
    };
    for (const auto& f : faelle) {
        Vorgaben t;
        t.dp(t.kopf, 1);
        tmylistitem* boese = t.neu(t.kopf, f.satz());
        t.raum(t.kopf, QStringLiteral("H"));
        TDruck doc;
        doc.add(QStringLiteral("voriger Bericht"));
        RecordingSeam seam;
        int anfang = 0, ende = 0;
        NetzOptionen o;
        o.seam = &seam;
        o.anfang = [&] { ++anfang; };
        o.ende = [&] { ++ende; };
        const NetzErgebnis e = t.rechnen(doc, o);
        EXPECT_EQ(e.status, NetzStatus::Stopp) << f.name;
        EXPECT_EQ(e.meldung, f.meldung) << f.name;
        EXPECT_EQ(e.knoten, boese) << f.name;
        EXPECT_EQ(t.baum.Selected(), boese) << f.name;
        // The message names where the node stands, the result carries the plain text.
        EXPECT_EQ(seam.fragen,
                  QStringList{f.meldung + "\n\nPosition: " + boese->position() + " [o]"})
            << f.name;
        EXPECT_EQ(doc.m, QStringList{"voriger Bericht"}) << f.name;
        EXPECT_EQ(anfang, 1) << f.name;
        EXPECT_EQ(ende, 1) << f.name;
    }
}

TEST(NetzRand, CancelLeavesNoReportAndRestoresTheCaller) {
    for (int bei : {1, 3, 5, 9}) {
        Vorgaben t;
        t.dp(t.kopf, 1);
        tmylistitem* s = t.stueck(t.kopf, 2);
        t.dp(s, 8);
        t.raum(s, QStringLiteral("Z"));
        t.dp(t.kopf, 3);
        t.raum(t.kopf, QStringLiteral("H"));
        AbbruchSeam seam;
        seam.abbrechenBei = bei;
        TDruck doc;
        doc.add(QStringLiteral("voriger Bericht"));
        Rechenkontext k = testKontext();
        k.druck = &doc;
        k.fortschritt = &seam;
        int ende = 0;
        NetzOptionen o;
        o.ende = [&] { ++ende; };
        const NetzErgebnis e = netzberechnen(t.baum, k, o);
        EXPECT_EQ(e.status, NetzStatus::Abgebrochen) << bei;
        EXPECT_EQ(seam.schritte, bei);
        EXPECT_EQ(doc.m, QStringList{"voriger Bericht"}) << bei;
        EXPECT_EQ(ende, 1) << bei;
        EXPECT_TRUE(seam.fragen.isEmpty());
    }
}

TEST(NetzRand, RefusalsBeforeAnythingIsComputed) {
    RecordingSeam seam;
    NetzOptionen o;
    o.seam = &seam;
    Rechenkontext k = testKontext();
    {
        ProjektBaum leer;
        EXPECT_EQ(netzberechnen(leer, k, o).status, NetzStatus::KeinStrang);
    }
    Vorgaben t;
    t.dp(t.kopf, 1);
    t.raum(t.kopf, QStringLiteral("H"));
    NetzOptionen auswahl = o;
    auswahl.ganzerStrang = false;
    EXPECT_EQ(netzberechnen(t.baum, k, auswahl).status, NetzStatus::KeineAuswahl);
    {
        const Rechenlauf anderer;
        EXPECT_EQ(netzberechnen(t.baum, k, o).status, NetzStatus::LaeuftSchon);
    }
    EXPECT_EQ(seam.fragen,
              (QStringList{netztext::keinStrang + " [o]", netztext::keineAuswahl + " [o]",
                           netztext::laeuftSchon + " [o]"}));
    EXPECT_TRUE(netzberechnen(t.baum, k, o).ok()); // the guard is free again
}

TEST(NetzRand, EachLineAtItsOwnDensity) {
    testbaum::Baum t;
    const double dichten[] = {1.2, 1.0};
    for (double rho : dichten) {
        tmylistitem* kopf = t.strang(typZuluft);
        nodeDaten(kopf)->p[1] = formatZahl(rho, 3);
        // A zeta node: its loss is zeta·rho/2·v².
        DVdata z = satz(typZetawert, {}, true, 0);
        z.vorgabe = -1;
        z.p[0] = QStringLiteral("10,00");
        z.p[1] = QStringLiteral("1,000");
        t.neu(kopf, z);
        DVdata raum = satz(typRaum, {300, 0, -1, 30, 500, 2}, true, 0, 0);
        raum.p[2] = QStringLiteral("R");
        t.neu(kopf, raum);
    }
    Rechenkontext k = testKontext();
    const NetzErgebnis e = netzberechnen(t.baum, k);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString() << " at "
                        << (e.knoten ? e.knoten->position().toStdString() : "");
    ASSERT_EQ(e.straenge.size(), 2u);
    for (size_t s = 0; s < 2; ++s) {
        EXPECT_DOUBLE_EQ(e.straenge[s].rho, dichten[s]);
        EXPECT_NEAR(e.straenge[s].maximum, dichten[s] / 2 * 100, 1e-9);
    }
    EXPECT_EQ(k.rho, dichteStandard); // the caller's context keeps its own density
}
