#include "network/tree_container.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <random>
#include <vector>

using namespace zephan;

namespace {

// The captions of the flat list in display order.
QStringList flat(const tMylistviewBase& view) {
    QStringList out;
    for (tmylistitem* n = view.topitem(); n; n = n->getNext()) out << n->caption();
    return out;
}

QString positions(const tMylistviewBase& view) {
    QStringList out;
    for (tmylistitem* n = view.topitem(); n; n = n->getNext())
        out << n->caption() + QLatin1Char('=') + n->position();
    return out.join(QLatin1Char(' '));
}

// Zuluft
//   Gitter, Ventilator, Abzweig (with Kanal, Auslass), Raum
// Abluft
//   Fortluft
struct Sample {
    Tmylistview view;
    tmylistitem *zu, *gitter, *vent, *abzweig, *kanal, *auslass, *raum, *ab, *fort;
    Sample() {
        zu = view.Add("Zuluft");
        gitter = view.AddChild(zu, "Gitter");
        vent = view.AddChild(zu, "Ventilator");
        abzweig = view.AddChild(zu, "Abzweig");
        raum = view.AddChild(zu, "Raum");
        kanal = view.AddChild(abzweig, "Kanal");
        auslass = view.AddChild(abzweig, "Auslass");
        ab = view.Add("Abluft");
        fort = view.AddChild(ab, "Fortluft");
    }
};

} // namespace

TEST(TreeContainer, DerivedRelationsOfASmallTree) {
    Sample s;
    EXPECT_EQ(flat(s.view).join(','),
              "Zuluft,Gitter,Ventilator,Abzweig,Kanal,Auslass,Raum,Abluft,Fortluft");
    EXPECT_EQ(s.view.count(), 9);
    EXPECT_EQ(s.view.topitem(), s.zu);
    EXPECT_EQ(positions(s.view), "Zuluft=1 Gitter=1.1 Ventilator=1.2 Abzweig=1.3 Kanal=1.3.1 "
                                 "Auslass=1.3.2 Raum=1.4 Abluft=2 Fortluft=2.1");

    EXPECT_EQ(s.auslass->Index(), 5);
    EXPECT_EQ(s.raum->Index(), 6);
    EXPECT_EQ(s.fort->Index(), 8);
    EXPECT_EQ(s.auslass->Level(), 2);
    EXPECT_EQ(s.ab->Level(), 0);
    EXPECT_EQ(s.auslass->parent(), s.abzweig);
    EXPECT_EQ(s.zu->parent(), nullptr);

    EXPECT_EQ(s.abzweig->getNext(), s.kanal);
    EXPECT_EQ(s.raum->getPrev(), s.auslass);
    EXPECT_EQ(s.zu->getPrev(), nullptr);
    EXPECT_EQ(s.fort->getNext(), nullptr);

    EXPECT_TRUE(s.abzweig->hasChildren());
    EXPECT_EQ(s.abzweig->getChild(), s.kanal);
    EXPECT_FALSE(s.vent->hasChildren());
    EXPECT_EQ(s.vent->getChild(), nullptr);

    // The sibling after a subtree, not the next flat node.
    EXPECT_EQ(s.abzweig->getNextSibling(), s.raum);
    EXPECT_EQ(s.zu->getNextSibling(), s.ab);
    EXPECT_EQ(s.raum->getPrevSibling(), s.abzweig);
    EXPECT_EQ(s.ab->getPrevSibling(), s.zu);

    EXPECT_EQ(s.abzweig->IndexInLevel(), 2);
    EXPECT_EQ(s.zu->CountAlle(), 6);
    EXPECT_EQ(s.abzweig->CountAlle(), 2);
    EXPECT_EQ(s.raum->CountAlle(), 0);
    EXPECT_EQ(s.auslass->pfad(), "Zuluft\\Abzweig\\Auslass");
    EXPECT_EQ(s.abzweig->lastDescendant(), s.auslass);
    EXPECT_TRUE(s.zu->isAncestorOf(s.auslass));
    EXPECT_FALSE(s.abzweig->isAncestorOf(s.raum));
    EXPECT_EQ(s.view.item(4), s.kanal);
    EXPECT_EQ(s.view.item(9), nullptr);
    EXPECT_EQ(s.view.item(-1), nullptr);
}

TEST(TreeContainer, FirstAndLastChildHaveNoSiblingBeyondTheirParent) {
    Sample s;
    // Nodes precede the first child and follow the last child in the flat list, yet they are
    // not siblings.
    EXPECT_EQ(s.gitter->getPrevSibling(), nullptr);
    EXPECT_EQ(s.gitter->getPrev(), s.zu);
    EXPECT_EQ(s.auslass->getNextSibling(), nullptr);
    EXPECT_EQ(s.auslass->getNext(), s.raum);
    EXPECT_EQ(s.raum->getNextSibling(), nullptr);
    EXPECT_EQ(s.raum->getNext(), s.ab);
    EXPECT_EQ(s.fort->getPrevSibling(), nullptr);
}

// Positions of two and three digits at every level, written in one pass up the parents.
TEST(TreeContainer, PositionsOfSeveralDigits) {
    Sample s;
    for (int i = 0; i < 11; ++i) s.view.Insert(s.kanal->Index(), "Bogen");
    EXPECT_EQ(s.kanal->position(), "1.3.12");
    for (int i = 0; i < 98; ++i) s.view.Insert(s.kanal->Index(), "Bogen");
    EXPECT_EQ(s.kanal->position(), "1.3.110");
    for (int i = 0; i < 9; ++i) s.view.Insert(s.zu->Index(), "Strang");
    EXPECT_EQ(s.zu->position(), "10");
    EXPECT_EQ(s.kanal->position(), "10.3.110");
    EXPECT_EQ(s.abzweig->position(), "10.3");
    EXPECT_EQ(s.view.item(0)->position(), "1");
}

TEST(TreeContainer, InsertTakesTheParentOfTheNodeThatFollows) {
    Sample s;
    // At the position of a first child: a child of that node, not of its predecessor.
    tmylistitem* neu = s.view.Insert(s.kanal->Index(), "Bogen");
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->parent(), s.abzweig);
    EXPECT_EQ(neu->position(), "1.3.1");
    EXPECT_EQ(s.kanal->position(), "1.3.2");
    EXPECT_EQ(s.abzweig->getChild(), neu);
    EXPECT_EQ(neu->getPrev(), s.abzweig);
    EXPECT_EQ(s.zu->CountAlle(), 7);

    // At a top-level node: a top-level node before it.
    tmylistitem* strang = s.view.Insert(s.ab->Index(), "Strang");
    EXPECT_EQ(strang->parent(), nullptr);
    EXPECT_EQ(strang->position(), "2");
    EXPECT_EQ(s.ab->position(), "3");
    EXPECT_EQ(s.raum->getNext(), strang);

    // At or beyond the end, and in front of everything.
    EXPECT_EQ(s.view.Insert(s.view.count(), "Ende")->position(), "4");
    EXPECT_EQ(s.view.Insert(1000, "Weit")->position(), "5");
    tmylistitem* vorn = s.view.Insert(-3, "Vorn");
    EXPECT_EQ(vorn->Index(), 0);
    EXPECT_EQ(s.zu->position(), "2");
    EXPECT_EQ(flat(s.view).join(','), "Vorn,Zuluft,Gitter,Ventilator,Abzweig,Bogen,Kanal,Auslass,"
                                      "Raum,Strang,Abluft,Fortluft,Ende,Weit");

    Tmylistview leer;
    EXPECT_EQ(leer.Insert(0, "Erster")->position(), "1");
    EXPECT_EQ(leer.count(), 1);
}

TEST(TreeContainer, AddChildGoesAfterTheLastDescendant) {
    Sample s;
    tmylistitem* neu = s.view.AddChild(s.zu, "Neu");
    EXPECT_EQ(neu->getPrev(), s.raum);
    EXPECT_EQ(neu->getNext(), s.ab);
    EXPECT_EQ(neu->position(), "1.5");
    EXPECT_EQ(neu->Index(), 7);
    EXPECT_EQ(s.ab->Index(), 8);
    // A null node appends a top-level node; a node of another view adds nothing.
    EXPECT_EQ(s.view.AddChild(nullptr, "Oben")->position(), "3");
    Tmylistview andere;
    tmylistitem* fremd = andere.Add("fremd");
    EXPECT_EQ(s.view.AddChild(fremd, "x"), nullptr);
    EXPECT_EQ(s.view.count(), 11);
    EXPECT_EQ(andere.count(), 1);
}

TEST(TreeContainer, DeleteRemovesTheSubtreeAndRaisesAnEventPerNode) {
    Sample s;
    QStringList geloescht;
    s.view.OnItemDelete = [&](tmylistitem* n) {
        // Still linked while the handler runs.
        geloescht << n->caption() + QLatin1Char('@') + n->position();
    };
    std::weak_ptr<void> record;
    {
        auto data = std::make_shared<int>(42);
        record = data;
        s.kanal->Data = data;
    }
    s.view.setSelected(s.auslass);
    s.view.setItemFocused(s.kanal);

    s.abzweig->Delete();
    EXPECT_EQ(geloescht.join(','), "Abzweig@1.3,Kanal@1.3.1,Auslass@1.3.2");
    EXPECT_TRUE(record.expired());
    EXPECT_EQ(s.view.Selected(), nullptr);
    EXPECT_EQ(s.view.ItemFocused(), nullptr);
    EXPECT_EQ(s.view.count(), 6);
    EXPECT_EQ(s.zu->CountAlle(), 3);
    EXPECT_EQ(s.raum->position(), "1.3");
    EXPECT_EQ(s.raum->Index(), 3);
    EXPECT_EQ(s.vent->getNextSibling(), s.raum);
    EXPECT_EQ(s.raum->getPrev(), s.vent);

    // Deleting the last node and a whole line.
    geloescht.clear();
    s.view.Delete(s.ab);
    EXPECT_EQ(geloescht.join(','), "Abluft@2,Fortluft@2.1");
    EXPECT_EQ(s.view.lastItem(), s.raum);
    EXPECT_EQ(s.raum->getNext(), nullptr);
    EXPECT_EQ(s.view.topCount(), 1);

    // Null and foreign nodes are ignored.
    Tmylistview andere;
    tmylistitem* fremd = andere.Add("fremd");
    s.view.Delete(fremd);
    s.view.Delete(nullptr);
    EXPECT_EQ(andere.count(), 1);
    EXPECT_EQ(s.view.count(), 4);
}

TEST(TreeContainer, ClearRaisesDeleteForEveryNode) {
    Sample s;
    int geloescht = 0;
    s.view.OnItemDelete = [&](tmylistitem*) { ++geloescht; };
    s.view.setSelected(s.raum);
    s.view.Clear();
    EXPECT_EQ(geloescht, 9);
    EXPECT_EQ(s.view.count(), 0);
    EXPECT_EQ(s.view.topitem(), nullptr);
    EXPECT_EQ(s.view.lastItem(), nullptr);
    EXPECT_EQ(s.view.Selected(), nullptr);
    EXPECT_EQ(s.view.item(0), nullptr);
    EXPECT_EQ(s.view.Add("wieder")->position(), "1");
}

TEST(TreeContainer, AddEventSeesTheLinkedNodeAndCreatesItsRecord) {
    Tmylistview view;
    QStringList gesehen;
    view.OnItemAdd = [&](tmylistitem* n) {
        n->Data = std::make_shared<int>(n->Level() * 10);
        gesehen << n->caption() + QLatin1Char('@') + n->position() + QLatin1Char('#') +
                       QString::number(n->Index());
    };
    tmylistitem* a = view.Add("a");
    view.AddChild(a, "b");
    view.Insert(1, "c");
    EXPECT_EQ(gesehen.join(','), "a@1#0,b@1.1#1,c@1.1#1");
    EXPECT_EQ(*view.item(2)->dataAs<int>(), 10);
    EXPECT_EQ(view.item(2)->caption(), "b");
}

TEST(TreeContainer, HandlersCannotChangeTheTree) {
    Sample s;
    s.view.OnItemDelete = [&](tmylistitem* n) {
        EXPECT_EQ(s.view.Add("im Handler"), nullptr);
        EXPECT_EQ(s.view.Insert(0, "im Handler"), nullptr);
        EXPECT_EQ(s.view.AddChild(n, "im Handler"), nullptr);
        s.view.Delete(s.zu);
        s.view.Clear();
    };
    s.view.Delete(s.fort);
    EXPECT_EQ(s.view.count(), 8);
    EXPECT_EQ(flat(s.view).join(','), "Zuluft,Gitter,Ventilator,Abzweig,Kanal,Auslass,Raum,Abluft");

    Tmylistview view;
    int aufrufe = 0;
    view.OnItemAdd = [&](tmylistitem* n) {
        ++aufrufe;
        EXPECT_EQ(view.AddChild(n, "rekursiv"), nullptr);
    };
    view.Add("x");
    EXPECT_EQ(aufrufe, 1);
    EXPECT_EQ(view.count(), 1);
}

TEST(TreeContainer, SuchComparesWithoutCaseAndSearchesBothWays) {
    Sample s;
    s.kanal->setText(1, "2");
    s.fort->setText(1, "11");
    EXPECT_EQ(s.view.such("kanal"), s.kanal);
    EXPECT_EQ(s.view.such("KAN", 0, nullptr, true, SuchTyp::beginntMit), s.kanal);
    EXPECT_EQ(s.view.such("luft", 0, nullptr, true, SuchTyp::enthaelt), s.zu);
    EXPECT_EQ(s.view.such("luft", 0, s.zu, true, SuchTyp::enthaelt), s.ab);
    EXPECT_EQ(s.view.such("luft", 0, nullptr, false, SuchTyp::enthaelt), s.fort);
    EXPECT_EQ(s.view.such("luft", 0, s.fort, false, SuchTyp::enthaelt), s.ab);
    EXPECT_EQ(s.view.such("luft", 0, s.zu, false, SuchTyp::enthaelt), nullptr);
    EXPECT_EQ(s.view.such("luft"), nullptr); // equality, not containment
    // Column 1 only, and any column.
    EXPECT_EQ(s.view.such("11", 1), s.fort);
    EXPECT_EQ(s.view.such("Kanal", 1), nullptr);
    EXPECT_EQ(s.view.such("2", -2), s.kanal);
    EXPECT_EQ(s.view.such("raum", -2), s.raum);
    // The numeric form of the search type; an unknown one finds nothing.
    EXPECT_EQ(s.view.such("AUS", 0, nullptr, true, 1), s.auslass);
    EXPECT_EQ(s.view.such("AUS", 0, nullptr, true, 7), nullptr);
    Tmylistview leer;
    EXPECT_EQ(leer.such("x"), nullptr);
}

TEST(TreeContainer, SuchPfadDescendsOneLevelPerPart) {
    Sample s;
    EXPECT_EQ(s.view.suchPfad("zuluft\\ABZWEIG\\auslass"), s.auslass);
    EXPECT_EQ(s.view.suchPfad("Abluft"), s.ab);
    EXPECT_EQ(s.view.suchPfad("Zuluft\\Kanal"), nullptr); // Kanal sits one level deeper
    EXPECT_EQ(s.view.suchPfad("Abluft\\Fortluft\\x"), nullptr);
    EXPECT_EQ(s.view.suchPfad(""), nullptr);
    EXPECT_EQ(s.view.suchPfad("\\"), nullptr);
    // The path of every node leads back to it.
    for (tmylistitem* n = s.view.topitem(); n; n = n->getNext())
        EXPECT_EQ(s.view.suchPfad(n->pfad()), n) << n->pfad().toStdString();

    s.view.pfadZeichen = QLatin1Char('#');
    EXPECT_EQ(s.kanal->pfad(), "Zuluft#Abzweig#Kanal");
    EXPECT_EQ(s.view.suchPfad("Zuluft#Abzweig#Kanal"), s.kanal);
}

TEST(TreeContainer, SelectionAndColumns) {
    Sample s;
    s.view.setSelected(s.kanal);
    EXPECT_TRUE(s.kanal->selected());
    s.view.setSelected(s.raum);
    EXPECT_FALSE(s.kanal->selected());
    EXPECT_TRUE(s.raum->selected());
    Tmylistview andere;
    s.view.setSelected(andere.Add("fremd"));
    s.view.setItemFocused(andere.topitem());
    EXPECT_EQ(s.view.Selected(), s.raum);
    EXPECT_EQ(s.view.ItemFocused(), nullptr);
    s.view.setSelected(nullptr);
    EXPECT_FALSE(s.raum->selected());

    s.kanal->setText(2, "dritte");
    EXPECT_EQ(s.kanal->columnCount(), 3);
    EXPECT_EQ(s.kanal->text(1), "");
    EXPECT_EQ(s.kanal->text(2), "dritte");
    EXPECT_EQ(s.kanal->text(-1), "");
    EXPECT_EQ(s.kanal->text(99), "");
    s.kanal->setText(-1, "x");
    s.kanal->setText(2000000000, "riesig");
    EXPECT_EQ(s.kanal->columnCount(), 3);
    s.kanal->setCaption("Rohr");
    EXPECT_EQ(s.kanal->text(0), "Rohr");
}

// Random edits checked against the definitions over the plain flat list.
TEST(TreeContainer, RandomEditsKeepEveryRelationInStep) {
    Tmylistview view;
    std::mt19937 rng(20240611);
    int zaehler = 0;
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

    for (int schritt = 0; schritt < 1500; ++schritt) {
        const int op = pick(10);
        const QString name = QString::number(++zaehler);
        if (view.count() == 0 || op < 2) {
            view.Add(name);
        } else if (op < 6) {
            view.AddChild(view.item(pick(view.count())), name);
        } else if (op < 9) {
            view.Insert(pick(view.count() + 1), name);
        } else if (view.count() > 40) {
            view.Delete(view.item(pick(view.count())));
        }
        if (schritt % 11 != 0 && schritt < 1490) continue;

        std::vector<tmylistitem*> liste;
        for (tmylistitem* n = view.topitem(); n; n = n->getNext()) liste.push_back(n);
        const int anzahl = static_cast<int>(liste.size());
        ASSERT_EQ(anzahl, view.count());
        auto istUnter = [](tmylistitem* n, tmylistitem* a) {
            for (n = n->parent(); n; n = n->parent())
                if (n == a) return true;
            return false;
        };
        for (int i = 0; i < anzahl; ++i) {
            tmylistitem* n = liste[static_cast<std::size_t>(i)];
            ASSERT_EQ(n->Index(), i);
            ASSERT_EQ(view.item(i), n);
            ASSERT_EQ(n->getPrev(), i > 0 ? liste[static_cast<std::size_t>(i) - 1] : nullptr);
            // Display order: a node's parent is its predecessor or one of its ancestors.
            if (n->parent()) {
                ASSERT_GT(i, 0);
                tmylistitem* vor = liste[static_cast<std::size_t>(i) - 1];
                ASSERT_TRUE(vor == n->parent() || istUnter(vor, n->parent()));
            }
            int level = 0;
            QStringList pos;
            for (tmylistitem* a = n; a; a = a->parent()) {
                if (a != n) ++level;
                int frueher = 0;
                for (int j = 0; j < a->Index(); ++j)
                    if (liste[static_cast<std::size_t>(j)]->parent() == a->parent()) ++frueher;
                pos.prepend(QString::number(frueher + 1));
            }
            ASSERT_EQ(n->Level(), level);
            ASSERT_EQ(n->position(), pos.join('.'));
            int frueher = 0;
            tmylistitem* vorSib = nullptr;
            for (int j = 0; j < i; ++j)
                if (liste[static_cast<std::size_t>(j)]->parent() == n->parent()) {
                    ++frueher;
                    vorSib = liste[static_cast<std::size_t>(j)];
                }
            ASSERT_EQ(n->IndexInLevel(), frueher);
            ASSERT_EQ(n->getPrevSibling(), vorSib);
            int nachkommen = 0;
            while (i + 1 + nachkommen < anzahl &&
                   istUnter(liste[static_cast<std::size_t>(i + 1 + nachkommen)], n))
                ++nachkommen;
            ASSERT_EQ(n->CountAlle(), nachkommen);
            tmylistitem* danach = i + 1 + nachkommen < anzahl
                                      ? liste[static_cast<std::size_t>(i + 1 + nachkommen)]
                                      : nullptr;
            ASSERT_EQ(n->getNextSibling(),
                      danach && danach->parent() == n->parent() ? danach : nullptr);
            const bool kinder =
                i + 1 < anzahl && liste[static_cast<std::size_t>(i) + 1]->parent() == n;
            ASSERT_EQ(n->hasChildren(), kinder);
            ASSERT_EQ(n->getChild(), kinder ? liste[static_cast<std::size_t>(i) + 1] : nullptr);
        }
    }
    EXPECT_GT(view.count(), 40);
}
