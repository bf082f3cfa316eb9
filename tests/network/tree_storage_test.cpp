#include "network/tree_container.h"
#include "store/ini_file.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace zephan;

namespace {

QString dump(const tMylistviewBase& view) {
    QStringList out;
    for (tmylistitem* n = view.topitem(); n; n = n->getNext())
        out << n->position() + QLatin1Char(':') + n->caption();
    return out.join(QLatin1Char(' '));
}

// Zuluft (Gitter, Abzweig (Kanal, Auslass), Raum), Abluft (Fortluft)
void fill(tMylistviewBase& view) {
    tmylistitem* zu = view.Add("Zuluft");
    view.AddChild(zu, "Gitter");
    tmylistitem* abzweig = view.AddChild(zu, "Abzweig");
    view.AddChild(abzweig, "Kanal");
    view.AddChild(abzweig, "Auslass");
    view.AddChild(zu, "Raum");
    view.AddChild(view.Add("Abluft"), "Fortluft");
}

const char* const sampleDump = "1:Zuluft 1.1:Gitter 1.2:Abzweig 1.2.1:Kanal 1.2.2:Auslass "
                               "1.3:Raum 2:Abluft 2.1:Fortluft";

// A view whose every event is counted, so a refused load can be shown to have done nothing.
struct Counted {
    Tmylistview view;
    int added = 0;
    int deleted = 0;
    Counted() {
        view.OnItemAdd = [this](tmylistitem*) { ++added; };
        view.OnItemDelete = [this](tmylistitem*) { ++deleted; };
    }
};

} // namespace

TEST(TreeStorage, WritesOneListSectionAndOneSectionPerNode) {
    Tmylistview view;
    fill(view);
    TIniFile2 ini;
    view.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSections().join(','), "List,0,1,2,3,4,5,6,7");
    EXPECT_EQ(ini.ReadString("List", "Count"), "8");
    EXPECT_EQ(ini.ReadSection("4").join(','), "Level,text");
    EXPECT_EQ(ini.ReadString("4", "Level"), "2");
    EXPECT_EQ(ini.ReadString("4", "text"), "Auslass");
    EXPECT_EQ(ini.ReadString("6", "Level"), "0");

    Counted wieder;
    ASSERT_TRUE(wieder.view.LoadFromIniFile(ini));
    EXPECT_EQ(dump(wieder.view), sampleDump);
    EXPECT_EQ(wieder.added, 8);
    EXPECT_TRUE(wieder.view.lastError().isEmpty());
}

TEST(TreeStorage, PrefixNamesTheSections) {
    Tmylistview view;
    fill(view);
    TIniFile2 ini;
    ini.WriteString("Info", "Prog", "Zephan");
    view.SaveToInifile(ini, "Kat");
    EXPECT_EQ(ini.ReadSections().join(','), "Info,KatList,Kat0,Kat1,Kat2,Kat3,Kat4,Kat5,Kat6,Kat7");
    // Section names are matched without case.
    Tmylistview wieder;
    ASSERT_TRUE(wieder.LoadFromIniFile(ini, "KAT"));
    EXPECT_EQ(dump(wieder), sampleDump);
    Tmylistview ohne;
    ASSERT_TRUE(ohne.LoadFromIniFile(ini));
    EXPECT_EQ(ohne.count(), 0);
}

TEST(TreeStorage, ASmallerTreeLeavesNoStaleNodeSection) {
    TIniFile2 ini;
    Tmylistview fuenf;
    for (const char* name : {"a", "b", "c", "d", "e"}) fuenf.Add(name);
    fuenf.SaveToInifile(ini);
    ASSERT_TRUE(ini.SectionExists("4"));

    Tmylistview drei;
    drei.AddChild(drei.Add("x"), "y");
    drei.Add("z");
    drei.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSections().join(','), "List,0,1,2");
    EXPECT_EQ(ini.ReadString("List", "Count"), "3");
    EXPECT_EQ(ini.ReadString("1", "text"), "y");
    EXPECT_EQ(ini.ReadString("1", "Level"), "1");
}

TEST(TreeStorage, DamagedOldCountsDoNotHangOrLeakKeys) {
    TIniFile2 ini;
    // A stale node section beyond the old count, and a count far beyond the sections.
    ASSERT_TRUE(ini.addtext("[List]\nCount=1\n[0]\ntext=alt\n[1]\ntext=alt\nGeheim=1\n"
                            "[Notiz]\nx=1\n[007]\ntext=bleibt\n"));
    Tmylistview zwei;
    zwei.Add("neu0");
    zwei.Add("neu1");
    zwei.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSection("1").join(','), "Level,text");
    EXPECT_EQ(ini.ReadString("1", "text"), "neu1");
    EXPECT_FALSE(ini.ValueExists("1", "Geheim"));

    ini.WriteString("List", "Count", "1000000000000");
    Tmylistview eins;
    eins.Add("nur");
    eins.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSections().join(','), "List,Notiz,007,0");
    EXPECT_EQ(ini.ReadString("0", "text"), "nur");

    ini.WriteString("List", "Count", "-7");
    eins.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSections().join(','), "List,Notiz,007,0");
}

TEST(TreeStorage, HandlersWriteAndReadTheNodeKeys) {
    Tmylistview view;
    fill(view);
    view.OnItemSave = [](TIniFile2& ini, const QString& section, tmylistitem* n) {
        ini.WriteString(section, "Typ", n->caption().toUpper());
    };
    TIniFile2 ini;
    view.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSection("3").join(','), "Level,Typ");
    EXPECT_EQ(ini.ReadString("3", "Typ"), "KANAL");

    Tmylistview wieder;
    QStringList vorher;
    wieder.OnItemLoad = [&](TIniFile2& f, const QString& section, tmylistitem* n) {
        vorher << n->caption();
        if (section != "5") n->setCaption(f.ReadString(section, "Typ", "?"));
    };
    ASSERT_TRUE(wieder.LoadFromIniFile(ini));
    // With a handler the caption starts as "-"; the handler fills it.
    EXPECT_EQ(vorher.join(""), "--------");
    EXPECT_EQ(dump(wieder), "1:ZULUFT 1.1:GITTER 1.2:ABZWEIG 1.2.1:KANAL 1.2.2:AUSLASS 1.3:- "
                            "2:ABLUFT 2.1:FORTLUFT");
}

TEST(TreeStorage, AddingAppendsAfterTheExistingNodes) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext("[list]\ncount=3\n[0]\nlevel=0\ntext=Neu\n[1]\nLEVEL=1\nTEXT=Kind\n"
                            "[2]\nLevel=0\ntext=Zweiter\n"));
    Counted c;
    c.view.AddChild(c.view.Add("Alt"), "AltKind");
    c.view.setSelected(c.view.topitem());
    ASSERT_TRUE(c.view.LoadFromIniFile(ini, QString(), true));
    EXPECT_EQ(dump(c.view), "1:Alt 1.1:AltKind 2:Neu 2.1:Kind 3:Zweiter");
    EXPECT_EQ(c.deleted, 0);
    EXPECT_EQ(c.view.Selected(), c.view.topitem());

    // Without adding the tree is replaced.
    ASSERT_TRUE(c.view.LoadFromIniFile(ini));
    EXPECT_EQ(dump(c.view), "1:Neu 1.1:Kind 2:Zweiter");
    EXPECT_EQ(c.deleted, 5);
    EXPECT_EQ(c.view.Selected(), nullptr);

    // A file without a list section holds an empty tree.
    TIniFile2 leer;
    ASSERT_TRUE(c.view.LoadFromIniFile(leer));
    EXPECT_EQ(c.view.count(), 0);
}

TEST(TreeStorage, LevelsDescendOneAtATimeAndClimbAnyAmount) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext("[List]\nCount=6\n[0]\nLevel=0\ntext=a\n[1]\nLevel=1\ntext=b\n"
                            "[2]\nLevel=2\ntext=c\n[3]\nLevel=3\ntext=d\n[4]\nLevel=1\ntext=e\n"
                            "[5]\nLevel=0\ntext=f\n"));
    Tmylistview view;
    ASSERT_TRUE(view.LoadFromIniFile(ini));
    EXPECT_EQ(dump(view), "1:a 1.1:b 1.1.1:c 1.1.1.1:d 1.2:e 2:f");
}

TEST(TreeStorage, BadLevelSequencesStopWithAMessageAndChangeNothing) {
    struct Fall {
        const char* text;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"[List]\nCount=2\n[0]\nLevel=1\n[1]\nLevel=0\n",
         "Baum nicht geladen: Abschnitt 0 hat \"Level\" 1, möglich ist hier nur 0."},
        {"[List]\nCount=3\n[0]\nLevel=0\n[1]\nLevel=1\n[2]\nLevel=3\n",
         "Baum nicht geladen: Abschnitt 2 hat \"Level\" 3, möglich ist hier 0 bis 2."},
        {"[List]\nCount=2\n[0]\nLevel=0\n[1]\nLevel=-1\n",
         "Baum nicht geladen: Abschnitt 1 hat \"Level\" -1, möglich ist hier 0 bis 1."},
        {"[List]\nCount=2\n[0]\nLevel=0\n[1]\nLevel=eins\n",
         "Baum nicht geladen: Abschnitt 1 hat \"Level\" eins, möglich ist hier 0 bis 1."},
        {"[List]\nCount=2\n[0]\nLevel=0\n[1]\nLevel=99999999999999\n",
         "Baum nicht geladen: Abschnitt 1 hat \"Level\" 99999999999999, möglich ist hier 0 bis "
         "1."},
        {"[List]\nCount=3\n[0]\nLevel=0\n[1]\nLevel=1\n[x]\n",
         "Baum nicht geladen: Abschnitt 2 fehlt."},
        {"[List]\nCount=-5\n",
         "Baum nicht geladen: \"Count\" in Abschnitt List ist ungültig (-5)."},
        {"[List]\nCount=viele\n",
         "Baum nicht geladen: \"Count\" in Abschnitt List ist ungültig (viele)."},
        {"[List]\nCount=1000000000000\n[0]\nLevel=0\n",
         "Baum nicht geladen: \"Count\" in Abschnitt List ist 1000000000000, die Datei enthält "
         "aber nur 2 Abschnitte."},
        {"[List]\n[0]\nLevel=0\n",
         "Baum nicht geladen: \"Count\" fehlt in Abschnitt List, die Datei enthält aber "
         "Abschnitt 0."},
        {"[0]\nLevel=0\n",
         "Baum nicht geladen: \"Count\" fehlt in Abschnitt List, die Datei enthält aber "
         "Abschnitt 0."},
        // A node without its level used to become a new line.
        {"[List]\nCount=2\n[0]\nLevel=0\n[1]\ntext=b\n",
         "Baum nicht geladen: Abschnitt 1 hat kein \"Level\"."},
        // Text behind the digits used to be cut off: "1<NUL>9" read as 1, "2,5" as 2.
        {"[List]\nCount=1\x01"
         "9\n[0]\nLevel=0\n",
         "Baum nicht geladen: \"Count\" in Abschnitt List ist ungültig (1<0x01>9)."},
        {"[List]\nCount=1,9\n[0]\nLevel=0\n",
         "Baum nicht geladen: \"Count\" in Abschnitt List ist ungültig (1,9)."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        TIniFile2 ini;
        ASSERT_TRUE(ini.addtext(QString::fromUtf8(f.text)));
        for (bool adding : {false, true}) {
            Counted c;
            fill(c.view);
            c.added = 0;
            c.view.setSelected(c.view.item(3));
            EXPECT_FALSE(c.view.LoadFromIniFile(ini, QString(), adding));
            EXPECT_EQ(c.view.lastError().toStdString(), f.meldung);
            EXPECT_EQ(dump(c.view), sampleDump);
            EXPECT_EQ(c.added, 0);
            EXPECT_EQ(c.deleted, 0);
            EXPECT_EQ(c.view.Selected(), c.view.item(3));
        }
    }
}

TEST(TreeStorage, AddingCannotHangTheFirstNodeBelowAnExistingOne) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext("[List]\nCount=1\n[0]\nLevel=1\ntext=Kind\n"));
    Tmylistview view;
    view.Add("Alt");
    EXPECT_FALSE(view.LoadFromIniFile(ini, QString(), true));
    EXPECT_EQ(view.lastError(),
              QString::fromUtf8("Baum nicht geladen: Abschnitt 0 hat \"Level\" 1, möglich ist "
                                "hier nur 0."));
    EXPECT_EQ(dump(view), "1:Alt");
}

TEST(TreeStorage, AListViewStoresNoLevels) {
    tMylistviewBase liste(false);
    liste.Add("eins");
    liste.Add("zwei");
    TIniFile2 ini;
    liste.SaveToInifile(ini);
    EXPECT_EQ(ini.ReadSection("1").join(','), "text");
    // Levels in the file are not read by a list view.
    ini.WriteString("1", "Level", "5");
    tMylistviewBase wieder(false);
    ASSERT_TRUE(wieder.LoadFromIniFile(ini));
    EXPECT_EQ(dump(wieder), "1:eins 2:zwei");
}

// A NUL cannot go through a C string literal: the count "1<NUL>9" is built here.
TEST(TreeStorage, ACountWithANulIsRefusedAndShownReadably) {
    QString text = QStringLiteral("[List]\nCount=1");
    text += QChar(0);
    text += QStringLiteral("9\n[0]\nLevel=0\n");
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(text));
    Tmylistview view;
    EXPECT_FALSE(view.LoadFromIniFile(ini));
    EXPECT_EQ(view.lastError(), QStringLiteral("Baum nicht geladen: \"Count\" in Abschnitt List "
                                               "ist ungültig (1<NUL>9)."));
}

// Levels 0 ... 9999 load; one more is refused before anything changes.
TEST(TreeStorage, TreesDeeperThanTheLimitAreRefused) {
    for (const int tiefe : {maxEbenen, maxEbenen + 1}) {
        TIniFile2 ini;
        ini.WriteInteger("List", "Count", tiefe);
        for (int i = 0; i < tiefe; ++i) ini.WriteInteger(QString::number(i), "Level", i);
        Tmylistview view;
        view.Add("Alt");
        const bool ok = view.LoadFromIniFile(ini);
        if (tiefe == maxEbenen) {
            ASSERT_TRUE(ok);
            EXPECT_EQ(view.count(), maxEbenen);
            EXPECT_EQ(view.lastItem()->Level(), maxEbenen - 1);
            EXPECT_EQ(view.topitem()->CountAlle(), maxEbenen - 1);
            EXPECT_EQ(view.lastItem()->Index(), maxEbenen - 1);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(view.lastError(), QStringLiteral("Baum nicht geladen: Abschnitt 10000: Der "
                                                       "Baum ist tiefer als 10000 Ebenen."));
            EXPECT_EQ(view.count(), 1);
        }
    }
}
