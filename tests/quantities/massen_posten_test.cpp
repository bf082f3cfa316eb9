// The item text and the sizes of every counted type, one golden line each.

#include "massen_test_baum.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "quantities/massen_posten.h"

namespace zephan {
namespace {

using massentest::satz;

// The title of a record of the type without values (the node titles are tested with the tree).
QString nodeTitelFuer(int typ, bool eckig = true) {
    return nodeTitel(basisDatenTabelle(), satz(typ, {}, eckig));
}

struct Fall {
    DVdata d;
    QString text;
    int s1, s2, s3, s4;
};

QString zeigen(const TMassen& m) {
    return QStringLiteral("%1 [%2,%3,%4,%5]")
        .arg(m.titel_mit_size)
        .arg(m.size1)
        .arg(m.size2)
        .arg(m.size3)
        .arg(m.size4);
}

void pruefen(const Fall& f) {
    const TMassen m = massenPosten(basisDatenTabelle(), f.d);
    const QString soll =
        QStringLiteral("%1 [%2,%3,%4,%5]").arg(f.text).arg(f.s1).arg(f.s2).arg(f.s3).arg(f.s4);
    EXPECT_EQ(zeigen(m), soll) << "Typ " << f.d.typ;
}

TEST(MassenPosten, DuctsPipesAndTheirLengths) {
    pruefen({satz(2, {1250, 400, -1, -1, -1, 1500}, true), QStringLiteral("Kanal, 1.250x400"), 1250,
             400, 0, 0});
    pruefen({satz(3, {250, -1, -1, -1, -1, 800}), QStringLiteral("Rohr, DN 250"), 250, 0, 0, 0});
    // Sizes are truncated, the text rounds.
    pruefen({satz(3, {199.6}), QStringLiteral("Rohr, DN 200"), 199, 0, 0, 0});
    pruefen({satz(23, {315, -1, -1, -1, -1, 500}), QStringLiteral("Segmentkrümmer, DN 315"), 315, 0,
             0, 0});
    pruefen({satz(40, {160}), QStringLiteral("Drosselklappe, DN 160"), 160, 0, 0, 0});
    EXPECT_EQ(massenZuwachs(satz(2, {400, 200, -1, -1, -1, 1500}, true)), 1500);
    EXPECT_EQ(massenZuwachs(satz(3, {100, -1, -1, -1, -1, 750})), 750);
    // The segment bend has no length: one piece, whatever i5 holds.
    EXPECT_EQ(massenZuwachs(satz(23, {315, -1, -1, -1, -1, 500})), 1);
    // A duct without length adds nothing (not -1 mm).
    EXPECT_EQ(massenZuwachs(satz(2, {400, 200}, true)), 0);
    EXPECT_TRUE(alsLaenge(massenKategorie(2)));
    EXPECT_TRUE(alsLaenge(massenKategorie(3)));
    EXPECT_FALSE(alsLaenge(massenKategorie(23)));
}

TEST(MassenPosten, GrillesAndOutletsStartWithTheirOption) {
    pruefen({satz(9, {600, 300}, true, 2, 1),
             QStringLiteral("Außenluftgitter - Einströmkonus, 600x300, Winkel 30°"), 600, 300, 0,
             0});
    pruefen({satz(9, {250}, false, 2, 3),
             QStringLiteral("Außenluftgitter - Einströmkonus, DN 250, Winkel 60°"), 250, 0, 0, 0});
    pruefen({satz(12, {400, 200}, true, 0),
             QStringLiteral("Abluftgitter - Strömen in Kanal, 400x200"), 400, 200, 0, 0});
    pruefen({satz(10, {400, 200}, true, 4, 2),
             QStringLiteral("Zuluftauslass - Trox-Dralldurchlaß, 400x200, Serie FD-300-H-500"), 400,
             200, 0, 0});
    pruefen({satz(10, {625, 625}, true, 4, 9),
             QStringLiteral("Zuluftauslass - Trox-Dralldurchlaß, 625x625, Serie FD-300-V-625"), 625,
             625, 0, 0});
    pruefen({satz(10, {300, 300}, true, 4, 5),
             QStringLiteral("Zuluftauslass - Trox-Dralldurchlaß, 300x300, Serie FD-300-V-300"), 300,
             300, 0, 0});
    // Without a chosen option the title stands first, not "-".
    pruefen({satz(10, {400, 200}, true), QStringLiteral("Zuluftauslass, 400x200"), 400, 200, 0, 0});
    // Supply outlets, outside grilles and extract grilles form one category.
    EXPECT_EQ(massenKategorie(10), 9);
    EXPECT_EQ(massenKategorie(12), 9);
    EXPECT_EQ(massenKategorie(27), 26);
}

TEST(MassenPosten, FittingsWithTwoCrossSections) {
    pruefen({satz(16, {400, 200, 300, 200}, true),
             QStringLiteral("Querschnittsänderung, 400x200 - 300x200"), 400, 200, 300, 200});
    pruefen({satz(16, {250, -1, 200}), QStringLiteral("Querschnittsänderung, DN 250 - DN 200"), 250,
             0, 200, 0});
    pruefen({satz(20, {500, 300, 400, 300}, true),
             QStringLiteral("Übergangsbogen 90°, 500x300 - 400x300"), 500, 300, 400, 300});
    pruefen({satz(24, {400, 200, 400, 200, 150, 600}, true),
             QStringLiteral("Etage, 400x200 - 400x200, Höhensprung 150mm, Länge 600mm"), 400, 200,
             400, 200});
    pruefen({satz(24, {200, -1, 160}), QStringLiteral("Etage, DN 200 - DN 160"), 200, 0, 160, 0});
    const TMassen ue =
        massenPosten(basisDatenTabelle(), satz(26, {400, 200, 250, -1, -1, 300}, true));
    EXPECT_EQ(ue.titel_mit_size, QStringLiteral("Übergang, 400x200 -> DN250, Länge 300mm"));
    EXPECT_EQ(ue.sizeLength, 300);
    EXPECT_EQ(ue.size3, 250);
}

TEST(MassenPosten, BranchPiecesAllCarryTheirSizes) {
    const char* const titel[][2] = {
        {"30", "Abzweigstück 90°"},  {"31", "Abzweigreduzierstück 90°"},
        {"32", "Abzweigstück <90°"}, {"33", "Abzweigreduzierstück <90°"},
        {"37", "Kreuzstück"},        {"39", "Abzweigstück 90°, rund"}};
    for (const auto& [typ, name] : titel) {
        const QString t = QString::fromUtf8(name);
        pruefen({satz(QString::fromLatin1(typ).toInt(), {500, 300, 200, 150}, true),
                 t + QStringLiteral(", 500x300, Abzweig 200x150"), 500, 300, 200, 150});
        pruefen({satz(QString::fromLatin1(typ).toInt(), {250, -1, 160}),
                 t + QStringLiteral(", DN 250, Abzweig DN 160"), 250, 0, 160, 0});
    }
    // Two different sizes of one reducing branch piece stay two items.
    EXPECT_NE(
        massenPosten(basisDatenTabelle(), satz(31, {500, 300, 200, 150}, true)).titel_mit_size,
        massenPosten(basisDatenTabelle(), satz(31, {400, 300, 200, 150}, true)).titel_mit_size);
    pruefen({satz(34, {500, 300, 200, 150}, true),
             QStringLiteral("Gabelung 90°, 500x300, Abzweige 200x150"), 500, 300, 200, 150});
    pruefen({satz(34, {250, -1, 160}), QStringLiteral("Sattelstutzen 90°, DN 250, Abzweige DN 160"),
             250, 0, 160, 0});
    pruefen({satz(38, {500, 300, 200, 150}, true),
             QStringLiteral("Aufteilstück, 500x300, Abzweige 200x150"), 500, 300, 200, 150});
    pruefen({satz(38, {250, -1, 160}), QStringLiteral("Aufteilstück, DN 250, Abzweige DN 160"), 250,
             0, 160, 0});
    pruefen({satz(35, {500, 300, 250, 300}, true, 0),
             QStringLiteral("Hosenstück - 15° (Gerade&Abzweig), 500x300, Abzweige 250x300"), 500,
             300, 250, 300});
}

TEST(MassenPosten, BendsDevicesAndOtherTypes) {
    pruefen({satz(21, {200}), QStringLiteral("Bogen 90°, DN 200"), 200, 0, 0, 0});
    pruefen({satz(28, {200}), QStringLiteral("Knie, DN 200"), 200, 0, 0, 0});
    pruefen({satz(44, {200}), QStringLiteral("Volumenstromregler, DN 200"), 200, 0, 0, 0});
    pruefen({satz(44, {400, 200}, true), QStringLiteral("Volumenstromregler, 400x200"), 400, 200, 0,
             0});
    pruefen({satz(41, {600, 400, -1, -1, -1, 1000}, true),
             QStringLiteral("Schalldämpfer, 600x400, Länge 1.000mm"), 600, 400, 0, 0});
    pruefen({satz(41, {315, -1, -1, -1, -1, 900}),
             QStringLiteral("Schalldämpfer, DN 315, Länge 900mm"), 315, 0, 0, 0});
    pruefen({satz(43, {400, 200}, true, 0),
             basisDaten(43)->boxText(0) + QStringLiteral(", 400x200"), 400, 200, 0, 0});
    // A type without a rule: the title alone, no sizes.
    pruefen({satz(11, {400, 200}, true), nodeTitelFuer(11), 0, 0, 0, 0});
    pruefen({satz(13, {1000, 1200}, true), nodeTitelFuer(13), 0, 0, 0, 0});
}

TEST(MassenPosten, ValuesNotGivenShowAsQuestionMarks) {
    pruefen({satz(2, {400, -1}, true), QStringLiteral("Kanal, 400x?"), 400, 0, 0, 0});
    pruefen({satz(3, {}), QStringLiteral("Rohr, DN ?"), 0, 0, 0, 0});
    const TMassen m = massenPosten(basisDatenTabelle(), satz(26, {400, 200, 250}, true));
    EXPECT_FALSE(m.titel_mit_size.contains(QStringLiteral("-1")));
    EXPECT_EQ(m.titel_mit_size, QStringLiteral("Übergang, 400x200 -> DN250, Länge ?mm"));
}

TEST(MassenPosten, RemarkIsPartOfTheTitle) {
    DVdata d = satz(2, {400, 200, -1, -1, -1, 1000}, true);
    d.Text = QStringLiteral("Keller");
    EXPECT_EQ(massenPosten(basisDatenTabelle(), d).titel_mit_size,
              QStringLiteral("Kanal (Keller), 400x200"));
    EXPECT_EQ(massenPosten(basisDatenTabelle(), d).titel, QStringLiteral("Kanal (Keller)"));
}

} // namespace
} // namespace zephan
