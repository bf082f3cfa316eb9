// The component overwrite: which nodes a run visits, the filters, the "?" rule and the record
// changes.

#include "massen_test_baum.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "quantities/ueberschreib_vorlage.h"
#include "quantities/ueberschreiben.h"
#include "store/user_seam.h"

namespace zephan {
namespace {

using massentest::Baum;
using massentest::kanal;
using massentest::satz;

class Antworten : public UserSeam {
public:
    QList<int> antworten;
    int fragen = 0;
    int frage(const QString& text, const QString& knoepfe, Kind) override {
        EXPECT_EQ(text, QStringLiteral("Bauteil überschreiben?"));
        EXPECT_EQ(knoepfe, QStringLiteral("j|n|a"));
        ++fragen;
        return antworten.isEmpty() ? 0 : antworten.takeFirst();
    }
    void status(int, const QString&) override {}
};

// Line 1: duct, branch piece (30) with chain [duct, duct], duct; line 2: duct.
struct Netz {
    Baum b;
    tmylistitem *s1, *k1, *abzw, *kette, *k2, *k3, *k4, *s2, *k5;
    Netz() {
        s1 = b.strang();
        k1 = b.neu(s1, kanal(400, 200, 1000));
        abzw = b.neu(s1, satz(30, {400, 200, 300, 200}, true));
        kette = b.neu(abzw, satz(5));
        k2 = b.neu(kette, kanal(300, 200, 1000));
        k3 = b.neu(kette, kanal(300, 200, 1000));
        k4 = b.neu(s1, kanal(400, 200, 1000));
        s2 = b.strang();
        k5 = b.neu(s2, kanal(400, 200, 1000));
    }
};

TEST(Ueberschreiben, ARunInsideABranchVisitsEveryNodeOfTheLineOnce) {
    Netz n;
    EXPECT_EQ(ueberschreibZiele(n.k3),
              std::vector<tmylistitem*>({n.k3, n.kette, n.abzw, n.k4, n.k1, n.k2}));
    EXPECT_EQ(ueberschreibZiele(n.k4),
              std::vector<tmylistitem*>({n.k4, n.k1, n.abzw, n.kette, n.k2, n.k3}));
    // On a line head: that line and the lines after it.
    EXPECT_EQ(ueberschreibZiele(n.s2), std::vector<tmylistitem*>({n.s2, n.k5}));
}

TEST(Ueberschreiben, AllDuctsOfTheLineTakeTheValueAndNoOtherLine) {
    Netz n;
    UeberschreibOptionen o;
    o.typ = 2;
    o.setzen[5] = true;
    o.werte[5] = QStringLiteral("2.500,7"); // the whole number before the comma
    Antworten seam;
    std::vector<tmylistitem*> vorgemerkt;
    const UeberschreibErgebnis r = ueberschreiben(
        basisDatenTabelle(), n.k2, o, seam, [&](tmylistitem* k) { vorgemerkt.push_back(k); }, {});
    EXPECT_EQ(r.geaendert, 4);
    EXPECT_EQ(vorgemerkt, std::vector<tmylistitem*>({n.k2, n.k3, n.k4, n.k1}));
    for (tmylistitem* k : {n.k1, n.k2, n.k3, n.k4}) EXPECT_EQ(nodeDaten(k)->i[5], 2500);
    EXPECT_EQ(nodeDaten(n.k5)->i[5], 1000);
    EXPECT_EQ(nodeDaten(n.abzw)->i[5], -1);
    EXPECT_EQ(seam.fragen, 0);
}

TEST(Ueberschreiben, FormFilterRoundLeavesRectangularDuctsWhateverThePlanningFilter) {
    Netz n;
    nodeDaten(n.k2)->planung = true;
    UeberschreibOptionen o;
    o.typ = 2;
    o.formFilter = 2;
    o.setzen[0] = true;
    o.werte[0] = QStringLiteral("500");
    Antworten seam;
    for (int planung : {0, 1, 2}) {
        o.planungFilter = planung;
        EXPECT_EQ(ueberschreiben(basisDatenTabelle(), n.k1, o, seam, {}, {}).geaendert, 0);
    }
    EXPECT_EQ(nodeDaten(n.k2)->i[0], 300);
    // "nur wenn in Planung" alone: only the planned duct.
    o.formFilter = 0;
    o.planungFilter = 1;
    EXPECT_EQ(ueberschreiben(basisDatenTabelle(), n.k1, o, seam, {}, {}).geaendert, 1);
    EXPECT_EQ(nodeDaten(n.k2)->i[0], 500);
    EXPECT_EQ(nodeDaten(n.k3)->i[0], 300);
}

TEST(Ueberschreiben, PlaceAndPresetFiltersAndTheQuestion) {
    Netz n;
    nodeDaten(n.k4)->vorgabe = 1;
    UeberschreibOptionen o;
    o.typ = 2;
    o.planungErgebnis = 1;
    o.ort = {false, false, true}; // only end sections
    Antworten seam;
    const int klasseK4 = abschnitt(n.k4);
    ASSERT_EQ(klasseK4, 2);
    ASSERT_EQ(abschnitt(n.k1), 0);
    EXPECT_EQ(ueberschreiben(basisDatenTabelle(), n.k1, o, seam, {}, {}).geaendert,
              3); // k4, k2, k3
    EXPECT_FALSE(nodeDaten(n.k1)->planung);
    o.ort = {true, true, true};
    o.vorgabeFilter = 2; // "wenn Vorgabe"
    o.planungErgebnis = 0;
    o.formErgebnis = 2;
    EXPECT_EQ(ueberschreiben(basisDatenTabelle(), n.k1, o, seam, {}, {}).geaendert, 1);
    EXPECT_FALSE(nodeDaten(n.k4)->eckig);
    // With the question: No skips, Cancel ends the run, what was changed stays.
    o.vorgabeFilter = 0;
    o.formErgebnis = 0;
    o.nachfragen = true;
    o.setzen[1] = true;
    o.werte[1] = QStringLiteral("250");
    seam.antworten = {1, 0, 2};
    std::vector<tmylistitem*> gezeigt;
    const UeberschreibErgebnis r = ueberschreiben(basisDatenTabelle(), n.k1, o, seam, {},
                                                  [&](tmylistitem* k) { gezeigt.push_back(k); });
    EXPECT_TRUE(r.abgebrochen);
    EXPECT_EQ(r.geaendert, 1);
    EXPECT_EQ(gezeigt, std::vector<tmylistitem*>({n.k1, n.k2, n.k3}));
    EXPECT_EQ(nodeDaten(n.k1)->i[1], 200);
    EXPECT_EQ(nodeDaten(n.k2)->i[1], 250);
    EXPECT_EQ(nodeDaten(n.k3)->i[1], 200);
}

TEST(Ueberschreiben, PresetsChangeModeAndValues) {
    DVdata d = satz(21, {400, 200}, true);
    UeberschreibOptionen o;
    o.typ = 21;
    o.vorgabe = UeberschreibOptionen::druckverlust;
    o.druck = QStringLiteral("35,9");
    ueberschreibeDaten(basisDatenTabelle(), d, o);
    EXPECT_EQ(d.vorgabe, 1);
    EXPECT_EQ(d.i[6], 35);
    o.vorgabe = UeberschreibOptionen::widerstandsbeiwert;
    o.geschw = QStringLiteral("4,5");
    o.zeta = QStringLiteral("0,35");
    ueberschreibeDaten(basisDatenTabelle(), d, o);
    EXPECT_EQ(d.vorgabe, -1);
    EXPECT_EQ(d.p[0], QStringLiteral("4,5"));
    EXPECT_EQ(d.p[1], QStringLiteral("0,35"));
    o.vorgabe = UeberschreibOptionen::nichtVeraendern;
    ueberschreibeDaten(basisDatenTabelle(), d, o);
    EXPECT_EQ(d.vorgabe, -1);
    o.vorgabe = UeberschreibOptionen::keineVorgabe;
    ueberschreibeDaten(basisDatenTabelle(), d, o);
    EXPECT_EQ(d.vorgabe, 0);
}

TEST(Ueberschreiben, QuestionMarkReplacement) {
    // No replacement text, or no "?": the row's text.
    EXPECT_EQ(fragezeichenErsetzen(QStringLiteral("R1.04"), QStringLiteral("R2.?"), QString()),
              QStringLiteral("R2.?"));
    EXPECT_EQ(
        fragezeichenErsetzen(QStringLiteral("R1.04"), QStringLiteral("R2"), QStringLiteral("7")),
        QStringLiteral("R2"));
    // "?" first: the replacement, then the old text from its second character.
    EXPECT_EQ(
        fragezeichenErsetzen(QStringLiteral("A104"), QStringLiteral("?"), QStringLiteral("B")),
        QStringLiteral("B104"));
    // d = 4; the next "?" is the 2nd character after the first, e = 2: the old text's first
    // three characters, the replacement, the old text from position 3 on.
    EXPECT_EQ(fragezeichenErsetzen(QStringLiteral("EG-12-Büro"), QStringLiteral("EG-?-?"),
                                   QStringLiteral("OG")),
              QStringLiteral("EG-OG-12-Büro"));
    // No second "?": the old text from its start follows.
    EXPECT_EQ(fragezeichenErsetzen(QStringLiteral("AB"), QStringLiteral("X?"), QStringLiteral("7")),
              QStringLiteral("A7AB"));
    // Positions beyond the old text give empty pieces instead of running past its end.
    EXPECT_EQ(fragezeichenErsetzen(QString(), QStringLiteral("?"), QStringLiteral("Z")),
              QStringLiteral("Z"));
    EXPECT_EQ(
        fragezeichenErsetzen(QStringLiteral("A"), QStringLiteral("XYZ?Q?"), QStringLiteral("7")),
        QStringLiteral("A7"));
}

TEST(Ueberschreiben, TheWindowStartsFromTheBuffer) {
    DVdata d = kanal(400, 200, 1500);
    d.planung = true;
    d.vorgabe = 0;
    const UeberschreibVorlage v = ueberschreibVorlage(basisDatenTabelle(), d);
    EXPECT_EQ(v.typ, 2);
    EXPECT_EQ(v.komponente, basisDaten(2)->titel);
    EXPECT_EQ(v.planungErgebnis, 1);
    EXPECT_EQ(v.vorgabe, UeberschreibOptionen::keineVorgabe);
    EXPECT_EQ(v.druck, QStringLiteral("0"));
    EXPECT_EQ(v.zeilen[0].wert, QStringLiteral("400"));
    EXPECT_EQ(v.zeilen[5].wert, QStringLiteral("1500"));
    EXPECT_EQ(v.zeilen[0].text, basisDaten(2)->dat[0].texteckig);
    // A value not given is an empty field, not "-1".
    EXPECT_EQ(v.zeilen[4].wert, QString());
    DVdata z = satz(21, {200});
    z.vorgabe = -1;
    z.p[0] = QStringLiteral("3,5");
    z.p[1] = QStringLiteral("0,25");
    const UeberschreibVorlage w = ueberschreibVorlage(basisDatenTabelle(), z);
    EXPECT_EQ(w.vorgabe, UeberschreibOptionen::widerstandsbeiwert);
    EXPECT_EQ(w.geschw, QStringLiteral("3,5"));
    EXPECT_EQ(w.zeta, QStringLiteral("0,25"));
    EXPECT_TRUE(w.formWichtig);
    EXPECT_EQ(w.zeilen[0].text, basisDaten(21)->dat[0].textrund);
    for (const UeberschreibVorlage::Zeile& r : w.zeilen) EXPECT_EQ(r.aktiv, !r.text.isEmpty());
    EXPECT_EQ(ueberschreibVorlage(basisDatenTabelle(), DVdata{}).komponente, QStringLiteral("-"));
}

} // namespace
} // namespace zephan
