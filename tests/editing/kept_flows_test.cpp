#include "editing_fixture.h"
#include "network/catalogue.h"
#include "network/flow_sums.h"
#include "network/model_queries.h"
#include "network/project_generator.h"

#include <map>
#include <random>

using namespace zephan;
using zephan::testing::Sitzung;

namespace {

class BehalteneStroeme : public Sitzung {
protected:
    // A generated project with crosses, branch containers and rooms, opened from its file.
    void erzeugtLaden() {
        const QString pfad = dir.filePath(QStringLiteral("erzeugt.pro"));
        {
            Projekt p(seam);
            p.setAutomatischSichern([] { return false; });
            GeneratorOptionen o;
            o.straenge = 2;
            o.auslaesse = 25;
            o.seed = 7;
            projektErzeugen(p.baum(), o);
            p.setGeaendert(true);
            ASSERT_TRUE(p.sichernAls(pfad));
        }
        ASSERT_TRUE(s.laden(pfad)) << seam.fragen.join(QLatin1Char('\n')).toStdString();
    }

    tmylistitem* zufallsKnoten(std::mt19937& rng) {
        if (s.baum().count() == 0) return nullptr;
        return s.baum().item(static_cast<int>(rng() % static_cast<unsigned>(s.baum().count())));
    }

    // One edit of the kinds that change flows; the name of the kind, or empty when refused.
    QString zufallsEdit(std::mt19937& rng) {
        static const int typen[] = {2, 6, 21, 30, 33, 37, 41};
        const int art = static_cast<int>(rng() % 16);
        s.auswaehlen(zufallsKnoten(rng));
        seam.antworten = {static_cast<int>(rng() % 2)};
        if (!s.selektiert()) return {};
        const int typ = s.editDaten().typ;
        if (art < 4) { // insert a component
            waehle(typen[rng() % std::size(typen)]);
            return s.bauteilEinfuegen() ? QStringLiteral("einfügen") : QString();
        }
        if (art < 8) { // a new flow on an outlet or volume-flow point
            DVdata& b = s.editDaten();
            const double q = rng() % 7 == 0 ? -1.0 : static_cast<double>(rng() % 3000);
            if (typ == typVolumenstrom)
                b.i[0] = q;
            else if (istAuslass(typ) || typ == typAussenluftgitter || typ == typFortluftgitter)
                b.i[3] = q;
            else
                return {};
            return s.uebernehmen() ? QStringLiteral("strom") : QString();
        }
        if (art < 10) // delete
            return s.knotenLoeschen() ? QStringLiteral("löschen") : QString();
        if (art < 11) { // change the type and apply
            waehle(typen[rng() % std::size(typen)]);
            return s.uebernehmen() ? QStringLiteral("typ") : QString();
        }
        if (art < 12) { // append a piece to some node
            tmylistitem* eltern = zufallsKnoten(rng);
            return eltern && s.kindAnhaengen(eltern, 21, false) ? QStringLiteral("anhängen")
                                                                : QString();
        }
        if (art < 14) return s.rueckgaengig() ? QStringLiteral("rückgängig") : QString();
        return s.wiederholen() ? QStringLiteral("wiederholen") : QString();
    }

    // Every node's flow from the kept sums against one pass over the whole tree.
    ::testing::AssertionResult wieNeuBerechnet() {
        const Volumenstroeme alle(basisDatenTabelle(), s.baum());
        for (const tmylistitem* n = s.baum().topitem(); n; n = n->getNext())
            if (volumenstrom(basisDatenTabelle(), n) != alle[n])
                return ::testing::AssertionFailure()
                       << n->position().toStdString() << ": "
                       << volumenstrom(basisDatenTabelle(), n) << " statt " << alle[n];
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST_F(BehalteneStroeme, EveryFlowEqualsTheFullPassAfterEachOfAlongRandomEditSequence) {
    erzeugtLaden();
    ASSERT_GT(s.baum().count(), 300);
    const Flusssummen* f = s.baum().flusssummen();
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(wieNeuBerechnet());
    EXPECT_GT(f->gespeichert(), 100);

    std::mt19937 rng(424242);
    std::map<QString, int> arten;
    for (int schritt = 0; schritt < 600; ++schritt) {
        const QString art = zufallsEdit(rng);
        if (art.isEmpty()) continue;
        ++arten[art];
        ASSERT_TRUE(wieNeuBerechnet()) << "Schritt " << schritt << ": " << art.toStdString();
    }
    for (const char* art :
         {"einfügen", "strom", "löschen", "typ", "anhängen", "rückgängig", "wiederholen"})
        EXPECT_GE(arten[QString::fromUtf8(art)], 5) << art;

    // Back to the file as loaded, then forward again.
    while (s.rueckgaengig()) {
    }
    EXPECT_TRUE(wieNeuBerechnet());
    while (s.wiederholen()) {
    }
    EXPECT_TRUE(wieNeuBerechnet());
}

TEST_F(BehalteneStroeme, AnOutletsNewFlowReachesTheFanAndUndoTakesItBack) {
    neuerStrang();
    gitterFertig();
    // The new line: grille (1.1), fan (1.2), outlet (1.3) and its room (1.4).
    s.auswaehlen(at("1.3"));
    s.editDaten().i[3] = 400;
    ASSERT_TRUE(s.uebernehmen());
    s.auswaehlen(at("1.2"));
    waehle(typBogen);
    ASSERT_TRUE(s.bauteilEinfuegen());
    tmylistitem* bogen = at("1.3");
    ASSERT_EQ(typVon(bogen), typBogen);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), bogen), 400);
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at("1.2")),
              2000); // the fan carries the grille's air

    s.auswaehlen(at("1.4"));
    s.editDaten().i[3] = 650;
    ASSERT_TRUE(s.uebernehmen());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), bogen), 650);
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), bogen), 400);
    ASSERT_TRUE(s.wiederholen());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), bogen), 650);
    ASSERT_TRUE(s.rueckgaengig());
    ASSERT_TRUE(s.rueckgaengig());
    EXPECT_EQ(volumenstrom(basisDatenTabelle(), at("1.3")),
              400); // the outlet again, without the bend
    EXPECT_TRUE(wieNeuBerechnet());
}
