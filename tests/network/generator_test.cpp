#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "network/project_generator.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace zephan;

namespace {

ProjektBaum* erzeugt(int straenge, int auslaesse, uint32_t seed) {
    auto* b = new ProjektBaum;
    b->setPlanungFuerNeue([] { return true; }); // the generator must not rely on the default
    projektErzeugen(*b, GeneratorOptionen{straenge, auslaesse, seed});
    return b;
}

void flussVergleich(const ProjektBaum& b) {
    const Volumenstroeme alle(basisDatenTabelle(), b);
    for (const tmylistitem* n = b.topitem(); n; n = n->getNext())
        ASSERT_EQ(alle[n], volumenstrom(basisDatenTabelle(), n)) << n->position().toStdString();
    for (int s = 0; s < b.topCount(); ++s) {
        const Volumenstroeme strang(basisDatenTabelle(), b.topLevel(s));
        for (const tmylistitem* n = b.topLevel(s); n && (n == b.topLevel(s) || n->Level() > 0);
             n = n->getNext())
            ASSERT_EQ(strang[n], alle[n]) << n->position().toStdString();
    }
}

} // namespace

TEST(Generator, CompleteLinesWithTheRequestedOutlets) {
    std::unique_ptr<ProjektBaum> b(erzeugt(4, 10, 5));
    ASSERT_EQ(b->topCount(), 4);
    int maxLevel = 0;
    std::vector<int> auslaesse(4, 0), raeume(4, 0);
    std::vector<long long> summe(4, 0);
    std::set<int> typen;
    for (const tmylistitem* n = b->topitem(); n; n = n->getNext()) {
        const DVdata& d = *nodeDaten(n);
        DVdata pruef = d;
        EXPECT_TRUE(vollstaendig(basisDatenTabelle(), pruef))
            << n->position().toStdString() << " Typ " << d.typ;
        EXPECT_EQ(d.fehler, 0);
        EXPECT_FALSE(d.planung) << n->position().toStdString();
        EXPECT_NE(n->caption(), "leer");
        maxLevel = std::max(maxLevel, n->Level());
        typen.insert(d.typ);
        const int s = strangKopf(n)->IndexInLevel();
        if (d.typ == 10 || d.typ == 12) {
            ++auslaesse[static_cast<size_t>(s)];
            summe[static_cast<size_t>(s)] += static_cast<long long>(d.i[3]);
            EXPECT_EQ(d.typ, s % 2 == 0 ? 10 : 12); // supply and extract alternate
            ASSERT_NE(n->getNextSibling(), nullptr);
            EXPECT_EQ(nodeDaten(n->getNextSibling())->typ, 4); // each outlet serves a room
        }
        if (d.typ == 4) ++raeume[static_cast<size_t>(s)];
        if (d.typ == 2 || d.typ == 3) {
            EXPECT_FALSE(d.p[2].isEmpty());
            EXPECT_GT(d.i[5], 0);
        }
        if (d.typ == 37) {
            ASSERT_EQ(n->childCount(), 2);
            EXPECT_EQ(nodeDaten(n->child(0))->typ, 5);
            EXPECT_EQ(nodeDaten(n->child(1))->tag1, 1);
        }
    }
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(auslaesse[static_cast<size_t>(s)], 10) << s;
        EXPECT_EQ(raeume[static_cast<size_t>(s)], 10) << s;
        const tmylistitem* kopf = b->topLevel(s);
        EXPECT_EQ(nodeDaten(kopf)->typ, s % 2);
        const DVdata& gitter = *nodeDaten(kopf->getChild());
        EXPECT_EQ(gitter.typ, s % 2 == 0 ? 9 : 11);
        EXPECT_EQ(gitter.i[3], summe[static_cast<size_t>(s)]); // the grille carries all outlets
        const tmylistitem* fan = kopf->getChild()->getNextSibling();
        EXPECT_EQ(nodeDaten(fan)->typ, 13);
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), fan), summe[static_cast<size_t>(s)]);
        EXPECT_EQ(volumenstrom(basisDatenTabelle(), fan->getNextSibling()),
                  summe[static_cast<size_t>(s)]);
    }
    EXPECT_GE(maxLevel, 4);
    for (int t : {2, 3, 4, 9, 10, 11, 12, 13, 21, 30}) EXPECT_TRUE(typen.count(t)) << t;
}

TEST(Generator, SameSeedSameProject) {
    std::unique_ptr<ProjektBaum> a(erzeugt(2, 15, 11)), b(erzeugt(2, 15, 11)),
        c(erzeugt(2, 15, 12));
    ASSERT_EQ(a->count(), b->count());
    for (const tmylistitem *x = a->topitem(), *y = b->topitem(); x;
         x = x->getNext(), y = y->getNext()) {
        ASSERT_EQ(*nodeDaten(x), *nodeDaten(y));
        ASSERT_EQ(x->Level(), y->Level());
    }
    bool verschieden = a->count() != c->count();
    for (const tmylistitem *x = a->topitem(), *y = c->topitem(); !verschieden && x && y;
         x = x->getNext(), y = y->getNext())
        verschieden = !(*nodeDaten(x) == *nodeDaten(y));
    EXPECT_TRUE(verschieden);
}

TEST(Generator, SizesAreBoundedAndLinesAppended) {
    ProjektBaum b;
    EXPECT_EQ(projektErzeugen(b, GeneratorOptionen{0, 5, 1}), 0);
    const int n = projektErzeugen(b, GeneratorOptionen{1, 1, 1});
    EXPECT_EQ(n, b.count());
    EXPECT_GE(n, 6); // head, grille, fan, a duct, outlet, room
    projektErzeugen(b, GeneratorOptionen{2, 1, 2});
    EXPECT_EQ(b.topCount(), 3);

    ProjektDaten daten;
    projektDatenErzeugen(daten, GeneratorOptionen{2, 3, 4});
    EXPECT_EQ(daten.gruppenListe(),
              (QStringList{"unbekannt", "Zentrale", "Steigschacht", "Geschosse"}));
    EXPECT_EQ(daten.pnrtxt, "G-4");
}

// The linear pass must give what the query gives node by node, also with unknown outlets,
// volume-flow points and rooms moved around.
TEST(Generator, LinearFlowsAgreeWithTheQuery) {
    for (uint32_t seed : {1u, 2u, 3u, 17u}) {
        std::unique_ptr<ProjektBaum> b(erzeugt(3, 25, seed));
        flussVergleich(*b);
        if (HasFatalFailure()) return;

        uint32_t z = seed;
        const auto zufall = [&](int n) {
            z = z * 1103515245u + 12345u;
            return static_cast<int>((z >> 16) % static_cast<uint32_t>(n));
        };
        int geaendert = 0;
        for (tmylistitem* n = b->topitem(); n; n = n->getNext()) {
            DVdata& d = *nodeDaten(n);
            if ((d.typ == 10 || d.typ == 12) && zufall(6) == 0) {
                d.i[3] = -1;
                ++geaendert;
            } else if ((d.typ == 2 || d.typ == 3) && zufall(8) == 0) {
                d.typ = 6;
                d.i[0] = 100 + zufall(900);
                ++geaendert;
            } else if (d.typ == 21 && zufall(5) == 0) {
                d.typ = 77; // unknown type
                ++geaendert;
            }
        }
        ASSERT_GT(geaendert, 0);
        flussVergleich(*b);
        if (HasFatalFailure()) return;
    }
}
