// The bill of quantities of small trees: merging, sorting, sections, groups and the report.

#include "massen_test_baum.h"
#include "network/catalogue.h"
#include "network/project_data.h"
#include "quantities/massen_gruppen.h"
#include "quantities/massen_liste.h"
#include "quantities/massenauszug.h"
#include "report/report_document.h"
#include "store/user_seam.h"

namespace zephan {
namespace {

using massentest::Baum;
using massentest::kanal;
using massentest::rohr;
using massentest::satz;

class Aufnahme : public UserSeam {
public:
    QStringList meldungen;
    int frage(const QString& text, const QString&, Kind) override {
        meldungen << text;
        return 0;
    }
    void status(int, const QString&) override {}
};

// The document's lines after the project head's three lines.
QStringList bericht(const tMylistviewBase& baum, const ProjektDaten& p) {
    TDruck d;
    EXPECT_TRUE(massenauszug(basisDatenTabelle(), baum, p, d, nullptr));
    EXPECT_GE(d.m.size(), 3);
    for (int k = 0; k < 3 && !d.m.isEmpty(); ++k) {
        EXPECT_TRUE(d.m.front().startsWith(QStringLiteral("°KS1_%1_").arg(k)));
        d.m.removeFirst();
    }
    return d.m;
}

TEST(Massenauszug, EqualDuctsMergeAndARemarkFormsItsOwnRow) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, kanal(400, 200, 1500));
    b.neu(s, rohr(200, 2000));
    b.neu(s, kanal(400, 200, 2500));
    b.neu(s, kanal(400, 200, 700, QStringLiteral("Keller")));
    b.neu(s, satz(11, {400, 200}, true));
    b.neu(s, satz(11, {400, 200}, true));
    const QStringList m = bericht(b.baum, ProjektDaten{});
    const QString fortluft = massenPosten(basisDatenTabelle(), satz(11)).titel;
    EXPECT_EQ(
        m, QStringList({QString(), QStringLiteral("°ÜKanallängen"), QStringLiteral("°TK0|1,80,-15"),
                        QStringLiteral("Kanal (Keller), 400x200|0,7 m"),
                        QStringLiteral("Kanal, 400x200|4,0 m"), QString(),
                        QStringLiteral("°ÜRohrlängen"), QStringLiteral("°TK0|1,80,-15"),
                        QStringLiteral("Rohr, DN 200|2,0 m"), QString(),
                        QStringLiteral("°ÜFormstücke / Einzelbauteile"),
                        QStringLiteral("°TK0|1,80,-15"), fortluft + QStringLiteral("|2 Stk")}));
}

TEST(Massenauszug, TransitionsBothWaysMergeIntoOneItem) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, satz(26, {400, 200, 250, -1, -1, 300}, true));
    b.neu(s, satz(27, {400, 200, 250, -1, -1, 300}, true));
    const Massenauszug m = massenauszugBerechnen(basisDatenTabelle(), b.baum, QString(), false);
    ASSERT_EQ(m.gruppen.size(), 1u);
    ASSERT_EQ(m.gruppen[0].posten.size(), 1u);
    EXPECT_EQ(m.gruppen[0].posten[0].titel_mit_size,
              QStringLiteral("Übergang, 400x200 -> DN250, Länge 300mm"));
    EXPECT_EQ(m.gruppen[0].posten[0].anz, 2);
}

TEST(Massenauszug, SegmentBendsAreCountedInPieces) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, satz(23, {315, -1, -1, -1, -1, -1}));
    b.neu(s, satz(23, {315, -1, -1, -1, -1, 400}));
    const QStringList m = bericht(b.baum, ProjektDaten{});
    EXPECT_TRUE(m.contains(QStringLiteral("Segmentkrümmer, DN 315|2 Stk")))
        << m.join('\n').toStdString();
    EXPECT_FALSE(m.contains(QStringLiteral("°ÜRohrlängen")));
}

TEST(Massenauszug, LengthsAreWrittenWithThousandsSeparators) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, kanal(400, 200, 1234500));
    const QStringList m = bericht(b.baum, ProjektDaten{});
    EXPECT_TRUE(m.contains(QStringLiteral("Kanal, 400x200|1.234,5 m")));
}

TEST(Massenauszug, SortsByCategoryRectangularBeforeRoundLargerFirst) {
    MassenListe l;
    l.hinzufuegen(basisDatenTabelle(), rohr(200, 1000));
    l.hinzufuegen(basisDatenTabelle(), kanal(400, 200, 1000));
    l.hinzufuegen(basisDatenTabelle(), rohr(315, 1000));
    l.hinzufuegen(basisDatenTabelle(), kanal(400, 300, 1000));
    l.hinzufuegen(basisDatenTabelle(), kanal(800, 200, 1000));
    l.hinzufuegen(basisDatenTabelle(), satz(21, {400, 200}, true));
    l.hinzufuegen(basisDatenTabelle(), satz(21, {250}));
    l.hinzufuegen(basisDatenTabelle(), satz(21, {600, 200}, true));
    l.sortieren();
    QStringList texte;
    for (const TMassen& p : l.posten()) texte << p.titel_mit_size;
    EXPECT_EQ(texte, QStringList({"Kanal, 800x200", "Kanal, 400x300", "Kanal, 400x200",
                                  "Rohr, DN 315", "Rohr, DN 200", "Bogen 90°, 600x200",
                                  "Bogen 90°, 400x200", "Bogen 90°, DN 250"}));
}

TEST(Massenauszug, SortIsAStrictOrderOnEveryInput) {
    // Items without sizes and items of equal sizes are ordered by their text, both ways alike.
    std::vector<TMassen> p(6);
    const char* texte[] = {"b", "a", "c", "a2", "b", "0"};
    for (size_t k = 0; k < p.size(); ++k) {
        p[k].typ = 11;
        p[k].titel_mit_size = QString::fromLatin1(texte[k]);
        p[k].size1 = k % 2 ? 100 : 0;
    }
    for (const TMassen& a : p) {
        EXPECT_FALSE(massenVor(a, a));
        for (const TMassen& c : p) EXPECT_FALSE(massenVor(a, c) && massenVor(c, a));
    }
}

TEST(Massenauszug, AnEmptyTreeGivesTheMessageAndNoReport) {
    Baum b;
    Aufnahme seam;
    TDruck d;
    d.m << QStringLiteral("alt");
    EXPECT_FALSE(massenauszug(basisDatenTabelle(), b.baum, ProjektDaten{}, d, &seam));
    EXPECT_EQ(seam.meldungen, QStringList({QStringLiteral("Es existiert kein Strang.")}));
    EXPECT_EQ(d.m, QStringList({QStringLiteral("alt")}));
}

TEST(Massenauszug, TypesNotMarkedForQuantitiesAreLeftOut) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, satz(4, {300, 0}));
    b.neu(s, satz(6, {}));
    const Massenauszug m = massenauszugBerechnen(basisDatenTabelle(), b.baum, QString(), false);
    EXPECT_TRUE(m.gruppen[0].posten.empty());
}

TEST(Massenauszug, WithGroupsAndAnEmptyMemoEverythingIsUnknown) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, kanal(400, 200, 1500, QString(), QStringLiteral("Keller")));
    b.neu(s, rohr(200, 1000));
    ProjektDaten ohne;
    ProjektDaten mit;
    mit.MassenauszugMitGruppen = true;
    const QStringList a = bericht(b.baum, ohne);
    const QStringList g = bericht(b.baum, mit);
    EXPECT_EQ(g, QStringList({QStringLiteral("°XB"), QStringLiteral("°ÜGruppe: unbekannt")}) + a);
}

TEST(Massenauszug, GroupsNormaliseTheirSpellingAndUnknownGroupsGoToUnbekannt) {
    Baum b;
    tmylistitem* s = b.strang();
    b.neu(s, kanal(400, 200, 1000, QString(), QStringLiteral("KELLER")));
    b.neu(s, kanal(400, 200, 2000, QString(), QStringLiteral("Keller")));
    b.neu(s, kanal(400, 200, 4000, QString(), QStringLiteral("Garage")));
    b.neu(s, kanal(400, 200, 8000));
    ProjektDaten p;
    p.MassenauszugMitGruppen = true;
    p.Gruppen = QStringLiteral(" Keller \r\n\r\nDach\nKeller");
    const QStringList m = bericht(b.baum, p);
    // "Dach" has no components: no heading. "Keller" twice in the memo is one group.
    EXPECT_EQ(m,
              QStringList({QStringLiteral("°XB"), QStringLiteral("°ÜGruppe: unbekannt"), QString(),
                           QStringLiteral("°ÜKanallängen"), QStringLiteral("°TK0|1,80,-15"),
                           QStringLiteral("Kanal, 400x200|12,0 m"), QString(), QString(), QString(),
                           QStringLiteral("°XB"), QStringLiteral("°ÜGruppe: Keller"), QString(),
                           QStringLiteral("°ÜKanallängen"), QStringLiteral("°TK0|1,80,-15"),
                           QStringLiteral("Kanal, 400x200|3,0 m")}));
    const MassenGruppen gruppen(p.Gruppen, true);
    EXPECT_EQ(gruppen.namen(), QStringList({"unbekannt", "Keller", "Dach"}));
    EXPECT_EQ(gruppen.normalisiert(QStringLiteral("kElLeR")), QStringLiteral("Keller"));
    EXPECT_EQ(gruppen.normalisiert(QStringLiteral("Garage")), QString());
}

TEST(Massenauszug, TheProjectHeadIsSet) {
    Baum b;
    b.neu(b.strang(), kanal(400, 200, 1000));
    ProjektDaten p;
    p.firma = QStringLiteral("Planungsbüro");
    p.pnrtxt = QStringLiteral("P-7");
    p.Bau_Vorhaben = QStringLiteral("Schule");
    TDruck d;
    ASSERT_TRUE(massenauszug(basisDatenTabelle(), b.baum, p, d, nullptr));
    EXPECT_TRUE(d.kop1.k[0].startsWith(QStringLiteral("Planungsbüro")));
    EXPECT_TRUE(d.kop1.k[1].startsWith(QStringLiteral("Projekt-Nr: P-7")));
    EXPECT_EQ(d.kop1.k[2], QStringLiteral("Projekt: Schule"));
}

} // namespace
} // namespace zephan
