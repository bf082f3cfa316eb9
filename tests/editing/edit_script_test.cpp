#include "editing/edit_script.h"
#include "editing/edit_session.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/air_density.h"
#include "pressure/component_pressure.h"
#include "report/report_document.h"
#include "support/cli_runner.h"
#include "support/test_context.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace zephan;

namespace {

// A small supply line with one branch, built from an empty project, every component
// complete and out of planning.
const char* const kleinerStrang = R"(# supply line with one branch
newline Zuluft 1
select 1.1
set planung 0
set i0 500
set i1 300
set tag2 0
set i3 2000
apply
select 1.2
set i0 2000
set i1 1400
set i6 100
apply
type 2
set planung 0
set p2 Stahlblech
set i0 500
set i1 300
set i5 2000
insert
type Abzweigstück 90°
set planung 0
set i0 500
set i1 300
set i2 300
set i3 200
insert
select 1.4.1
set planung 0
set i0 300
set i1 200
set i3 1000
apply
select 1.4.2
set i0 60
set p2 Büro
set tag1 0
apply
select 1.5
set planung 0
set i0 500
set i1 300
set i3 1000
apply
select 1.6
set i0 80
set p2 Flur
set tag1 0
apply
)";

QStringList zeilen(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

class Skript : public ::testing::Test {
protected:
    void SetUp() override {
        gespeichert = einstellungen();
        einstellungen() = Einstellungen();
        seam.ausgabe = [this](const QString& t) { ausgabe.append(t); };
        s.projekt().setAutomatischSichern([] { return false; });
    }
    void TearDown() override { einstellungen() = gespeichert; }

    SkriptErgebnis lauf(const char* text) { return skriptAusfuehren(s, seam, zeilen(text)); }

    std::vector<int> typen() const {
        std::vector<int> t;
        for (const tmylistitem* n = s.baum().topitem(); n; n = n->getNext())
            t.push_back(nodeDaten(n)->typ);
        return t;
    }

    Einstellungen gespeichert;
    QStringList ausgabe;
    SkriptSeam seam;
    EditSession s{seam};
};

TEST_F(Skript, BuildsASupplyLineWithABranchWhoseEveryComponentCalculates) {
    s.neu();
    const SkriptErgebnis r = lauf(kleinerStrang);
    ASSERT_TRUE(r.ok) << r.fehler.toStdString();
    EXPECT_EQ(typen(), (std::vector<int>{0, 9, 13, 2, 30, 10, 4, 10, 4}));
    EXPECT_EQ(knotenAnPosition(s.baum(), QStringLiteral("1.4.2"))->caption(), "Raum: Büro");

    TDruck stumm;
    stumm.drucken = false;
    Rechenkontext u = testKontext();
    u.druck = &stumm;
    u.rho = strangDichte(s.baum().topitem());
    const Volumenstroeme stroeme(basisDatenTabelle(), s.baum());
    u.stroeme = &stroeme;
    int gerechnet = 0;
    for (tmylistitem* n = s.baum().topitem(); n; n = n->getNext()) {
        const int typ = nodeDaten(n)->typ;
        if (typ == 0 || typ == 1 || typ == 4 || typ == 5) continue;
        DVdata rec;
        const double dp = bauteildruck(modusDurchgang, n, rec, 0, u);
        EXPECT_GT(dp, 0) << n->position().toStdString();
        ++gerechnet;
    }
    EXPECT_EQ(gerechnet, 6);
    EXPECT_EQ(stroeme[knotenAnPosition(s.baum(), QStringLiteral("1.3"))], 2000);
    EXPECT_EQ(stroeme[knotenAnPosition(s.baum(), QStringLiteral("1.4.1"))], 1000);
}

TEST_F(Skript, QuestionsAreAnsweredFromTheScriptAndPrinted) {
    const SkriptErgebnis r = lauf("newline Zuluft 1\n"
                                  "answer 1\n"
                                  "newline Abluft 2\n"
                                  "select 2\n"
                                  "answer 1\n"
                                  "delete\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.zeile, 6);
    EXPECT_EQ(r.fehler, "Zeile 6: Löschen nicht möglich.");
    EXPECT_EQ(ausgabe, (QStringList{
                           "Frage: Soll der neue Strang unter dem anderen Strang eingefügt werden? "
                           "[j|n] -> 1",
                           "Frage: Wollen Sie wirklich den Strang löschen? [löschen|a] -> 1",
                       }));
    // Answered "no": the extract line went above.
    EXPECT_EQ(s.baum().topLevel(0)->caption(), "Abluft: 2");
    EXPECT_EQ(s.baum().topLevel(1)->caption(), "Zuluft: 1");
}

TEST_F(Skript, RefusalsPrintTheirStatusMessageAndStopTheScript) {
    const SkriptErgebnis r = lauf("newline Zuluft 1\n"
                                  "select 1.4\n"
                                  "delete\n"
                                  "select 1.2\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fehler, "Zeile 3: Löschen nicht möglich.");
    EXPECT_EQ(ausgabe, (QStringList{"Status: Dieses Stück gehört zum Strang."}));
    EXPECT_EQ(s.selektiert(), knotenAnPosition(s.baum(), QStringLiteral("1.4")));

    ausgabe.clear();
    const SkriptErgebnis r2 = lauf("select 1.2\n"
                                   "type 21\n"
                                   "insert\n");
    EXPECT_EQ(r2.fehler, "Zeile 3: Einfügen nicht möglich.");
    EXPECT_EQ(ausgabe, (QStringList{"Status: Bitte erst die anderen Bauteile vervollständigen."}));
}

TEST_F(Skript, UndoAndRedoSteps) {
    ASSERT_TRUE(lauf("newline Zuluft 1\n"
                     "newline Zuluft 2\n"
                     "undo\n")
                    .ok);
    EXPECT_EQ(s.baum().topCount(), 1);
    ASSERT_TRUE(lauf("redo\n").ok);
    EXPECT_EQ(s.baum().topCount(), 2);
    EXPECT_EQ(lauf("redo\n").fehler, "Zeile 1: Nichts zu wiederholen.");
    EXPECT_EQ(lauf("# nothing\n\nundo\nundo\nundo\n").fehler,
              "Zeile 5: Nichts rückgängig zu machen.");
}

TEST_F(Skript, BadStepsNameTheirLine) {
    ASSERT_TRUE(lauf("newline Zuluft 1\n").ok);
    EXPECT_EQ(lauf("select 1\nfrobnicate 3\n").fehler,
              "Zeile 2: unbekannter Schritt \"frobnicate\".");
    EXPECT_EQ(lauf("select 9.1\n").fehler, "Zeile 1: Position 9.1 gibt es nicht.");
    EXPECT_EQ(lauf("select 1.x\n").fehler, "Zeile 1: Position 1.x gibt es nicht.");
    EXPECT_EQ(lauf("select 1.2\nset i0 abc\n").fehler, "Zeile 2: \"abc\" ist keine Zahl.");
    EXPECT_EQ(lauf("set farbe rot\n").fehler, "Zeile 1: unbekanntes Feld \"farbe\".");
    EXPECT_EQ(lauf("set tag1 1,5\n").fehler, "Zeile 1: \"1,5\" ist keine ganze Zahl.");
    EXPECT_EQ(lauf("type Unsinn\n").fehler, "Zeile 1: unbekannter Typ \"Unsinn\".");
    EXPECT_EQ(lauf("type 999\n").fehler, "Zeile 1: unbekannter Typ \"999\".");
    EXPECT_EQ(lauf("answer ja\n").fehler, "Zeile 1: \"ja\" ist keine ganze Zahl.");
    EXPECT_EQ(lauf("newline Fortluft 3\n").fehler,
              "Zeile 1: newline braucht Zuluft oder Abluft und eine Kennung.");
    EXPECT_EQ(lauf("select 1.2\ntype Abluftgitter\n").fehler,
              "Zeile 2: Typ Abluftgitter nicht gewählt.");
    EXPECT_EQ(ausgabe.last(), "Status: Bauteil kann nur im Abluft eingebaut werden.");
    // Fields reach the buffer with the page's rules.
    ASSERT_TRUE(lauf("select 1.2\nset i5 1.5\nset i6 -\nset text a|b\nset dichte 1.25\n").ok);
    EXPECT_EQ(s.editDaten().i[5], 1.5);
    EXPECT_EQ(s.editDaten().i[6], -1);
    EXPECT_EQ(s.editDaten().Text, "a-b");
    EXPECT_EQ(s.editDaten().p[1], "1,250");
    // A step of ten thousand characters is named, not repeated.
    EXPECT_EQ(lauf(QString(10000, QLatin1Char('x')).toUtf8().constData()).fehler,
              "Zeile 1: unbekannter Schritt \"" + QString(40, QLatin1Char('x')) + "...\".");
}

// Scripts take numbers in the machine format only: the German reader took "2.5" for 25 and
// "0.0001" for 1, so `set i0 0.0001` made a 1 mm duct.
TEST_F(Skript, NumbersAreMachineNumbersAndAnythingElseIsRefused) {
    ASSERT_TRUE(lauf("newline Zuluft 1\nselect 1.2\n").ok);
    struct Fall {
        const char* wert;
        double erwartet; // when accepted
        const char* fehler;
    };
    const Fall faelle[] = {
        {"2.5", 2.5, nullptr},
        {"0.0001", 0.0001, nullptr},
        {"1e-4", 0.0001, nullptr},
        {"+12", 12, nullptr},
        {"-3.25", -3.25, nullptr},
        {"2500", 2500, nullptr},
        {"-", -1, nullptr},
        {"2,5", 0, "Zeile 1: \"2,5\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
        {"1.000,5", 0, "Zeile 1: \"1.000,5\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
        {"abc", 0, "Zeile 1: \"abc\" ist keine Zahl."},
        {"", 0, "Zeile 1: \"\" ist keine Zahl."},
        {"nan", 0, "Zeile 1: \"nan\" ist keine Zahl."},
        {"inf", 0, "Zeile 1: \"inf\" ist keine Zahl."},
        {"1e", 0, "Zeile 1: \"1e\" ist keine Zahl."},
        {"2.5.1", 0, "Zeile 1: \"2.5.1\" ist keine Zahl."},
        {"0x10", 0, "Zeile 1: \"0x10\" ist keine Zahl."},
        {"1e400", 0, "Zeile 1: \"1e400\" ist keine Zahl im darstellbaren Bereich."},
    };
    for (const Fall& f : faelle) {
        s.editDaten().i[5] = 777;
        const SkriptErgebnis r = lauf((QByteArray("set i5 ") + f.wert).constData());
        if (f.fehler) {
            EXPECT_EQ(r.fehler, QString::fromUtf8(f.fehler)) << f.wert;
            EXPECT_EQ(s.editDaten().i[5], 777) << f.wert; // nothing reaches the buffer
        } else {
            EXPECT_TRUE(r.ok) << f.wert << ": " << r.fehler.toStdString();
            EXPECT_DOUBLE_EQ(s.editDaten().i[5], f.erwartet) << f.wert;
        }
    }
}

TEST_F(Skript, DensityMustBeANumberWithinTheLineHeadsRange) {
    ASSERT_TRUE(lauf("newline Zuluft 1\nselect 1\n").ok);
    const QString bereich = "Zeile 1: Die Dichte muss zwischen 0,5 und 2 kg/m³ liegen.";
    const std::pair<const char*, QString> faelle[] = {
        {"1.25", "1,250"},
        {"0.5", "0,500"},
        {"2", "2,000"},
        {"NaN", "Zeile 1: \"NaN\" ist keine Zahl."},
        {"0", bereich},
        {"0.49", bereich},
        {"1e308", bereich},
        {"-1.2", bereich},
        {"1,2", "Zeile 1: \"1,2\" ist keine Zahl: das Dezimalzeichen ist der Punkt."},
    };
    for (const auto& [wert, erwartet] : faelle) {
        s.editDaten().p[1] = QStringLiteral("1,200");
        const SkriptErgebnis r = lauf((QByteArray("set dichte ") + wert).constData());
        if (erwartet.startsWith("Zeile")) {
            EXPECT_EQ(r.fehler, erwartet) << wert;
            EXPECT_EQ(s.editDaten().p[1], "1,200") << wert;
        } else {
            EXPECT_TRUE(r.ok) << wert << ": " << r.fehler.toStdString();
            EXPECT_EQ(s.editDaten().p[1], erwartet) << wert;
        }
    }
}

// Loading and saving around the script: the caller's seam answers, and without one a question
// stays unanswered instead of being taken as "no".
TEST(SkriptSeamStumm, QuestionsAroundTheScriptGoToTheCallerOrStayUnanswered) {
    SkriptSeam seam;
    QStringList fehler;
    seam.fehlerAusgabe = [&](const QString& t) { fehler.append(t); };
    seam.stumm = true;
    EXPECT_EQ(seam.frage("Diese laden?", "j|n|a"), -1);
    EXPECT_EQ(fehler, QStringList{"Frage ohne Antwort: Diese laden? [j|n|a]"});

    struct Aussen : UserSeam {
        QStringList fragen;
        int frage(const QString& text, const QString& buttons, Kind) override {
            fragen.append(text + " [" + buttons + "]");
            return 1;
        }
        void status(int, const QString&) override {}
    } aussen;
    seam.aussen = &aussen;
    EXPECT_EQ(seam.frage("Diese laden?", "j|n|a"), 1);
    seam.meldung("Datei fehlt.");
    EXPECT_EQ(aussen.fragen, (QStringList{"Diese laden? [j|n|a]", "Datei fehlt. [o]"}));
    EXPECT_EQ(fehler.size(), 1);
}

// --- the command-line tool ----------------------------------------------------------------------

TEST(EditCommand, WritesTheEditedProjectThatTreeCalcComputesAndNothingOnFailure) {
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(ZEPHAN_CLI))) << "zephan-cli not built";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString skript = dir.filePath(QStringLiteral("strang.txt"));
    {
        QFile f(skript);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kleinerStrang);
    }
    const QString pro = dir.filePath(QStringLiteral("neu.pro"));
    const CliResult r = runCli({QStringLiteral("edit"), pro, skript});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Status: neues Projekt\n");

    const CliResult t = runCli({QStringLiteral("tree"), pro, QStringLiteral("--calc")});
    ASSERT_EQ(t.exitCode, 0) << t.err.toStdString();
    const QStringList z = t.lines();
    ASSERT_EQ(z.size(), 9);
    int gerechnet = 0;
    for (const QString& l : z) {
        const QStringList f = l.split(QLatin1Char('\t'));
        ASSERT_GE(f.size(), 7) << l.toStdString();
        if (f[2] == QStringLiteral("0") || f[2] == QStringLiteral("4")) continue;
        ASSERT_EQ(f.size(), 10) << l.toStdString();
        EXPECT_GT(f[9].toDouble(), 0) << l.toStdString();
        ++gerechnet;
    }
    EXPECT_EQ(gerechnet, 6);

    // A failing step: a message with its line, and the file stays as it was.
    const QString kaputt = dir.filePath(QStringLiteral("kaputt.txt"));
    {
        QFile f(kaputt);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("select 1.3\ndelete\nfliegen\n");
    }
    const QString aus = dir.filePath(QStringLiteral("aus.pro"));
    const CliResult k = runCli({QStringLiteral("edit"), pro, kaputt, QStringLiteral("--out"), aus});
    EXPECT_EQ(k.exitCode, 1);
    EXPECT_TRUE(k.err.contains(QStringLiteral("Zeile 3: unbekannter Schritt \"fliegen\".")))
        << k.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(aus));

    EXPECT_EQ(runCli({QStringLiteral("edit"), pro}).exitCode, 2);
    const CliResult fehlt =
        runCli({QStringLiteral("edit"), pro, dir.filePath(QStringLiteral("x"))});
    EXPECT_EQ(fehlt.exitCode, 1);
    EXPECT_TRUE(fehlt.err.contains(QStringLiteral("kann nicht gelesen werden")));
}

} // namespace
