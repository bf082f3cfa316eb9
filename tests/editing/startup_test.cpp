// The program and the command-line tool start alike: with the same settings file and
// catalogue, `zephan-cli` computes what the editing session (and so the window) shows.
#include "editing/edit_script.h"
#include "editing/edit_session.h"
#include "editing/program_context.h"
#include "editing/startup.h"
#include "network/catalogue_tree.h"
#include "network/model_queries.h"
#include "network/settings.h"
#include "network/tree_position.h"
#include "pressure/air_density.h"
#include "pressure/component_pressure.h"
#include "pressure/neighbour_check.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "support/cli_runner.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

using namespace zephan;

namespace {

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sizing by friction gradient (no velocity check), another tolerance (which every run ignores:
// it is 2 mm), other design velocities and other values for new rooms.
const QByteArray andereEinstellungen = "[Abmessung]\nAuslegung=1\nAbweichung=7\nSpeedHaupt=12\n"
                                       "SpeedVerz=9\nSpeedAbz=6\nRaumdB=45\nNachhallzeit=800\n"
                                       "Abstand=6\n";

// The room at 1.8 chosen afresh: it takes the values for new rooms.
const char* const neuerRaum = "select 1.8\ntype 4\nset i0 80\nset p2 Flur\nset tag1 0\napply\n";

// The velocity and zeta are NaN when the component shows none.
struct Ergebnis {
    double v = 0, zeta = 0, dp = 0;
    int fehler = 0;
};

double zahlOderNichts(const QString& text, bool deutsch) {
    bool ok = false;
    const double x = deutsch ? leseZahl(text, &ok) : text.toDouble(&ok);
    return ok ? x : std::nan("");
}

class Start : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        gespeichert = einstellungen();
        ASSERT_EQ(runCli({"example", pfad("x.pro")}).exitCode, 0);
        // The example's first duct gets a design velocity of 2 m/s; 3,70 m/s flow in it.
        ASSERT_TRUE(writeFile(pfad("i4.txt"), "select 1.2\nset i4 2\napply\n"));
        const CliResult r = runCli({"edit", pfad("x.pro"), pfad("i4.txt"), "--out", projekt});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        ASSERT_TRUE(writeFile(pfad("leer.ini"), ""));
        ASSERT_TRUE(writeFile(pfad("anders.ini"), andereEinstellungen));
        QByteArray katalog = readFile(QStringLiteral(ZEPHAN_SOURCE_DATA "/Bauteil.ini"));
        ASSERT_TRUE(katalog.contains("\nName=Bogen\n") && katalog.contains("\ntitel=Bogen\n"));
        katalog.replace("\nName=Bogen\n", "\nName=Krümmer\n");
        katalog.replace("\ntitel=Bogen\n", "\ntitel=Krümmer\n");
        ASSERT_TRUE(writeFile(pfad("Krümmer.ini"), katalog));
    }
    void TearDown() override {
        einstellungen() = gespeichert;
        katalogStart(pfad("kein-ordner")); // the carried catalogue again
    }
    QString pfad(const QString& name) const { return dir.filePath(name); }

    // The component at `position` as the tool prints it.
    static Ergebnis ausDemWerkzeug(const CliResult& r) {
        return {zahlOderNichts(r.value("v"), false), zahlOderNichts(r.value("zeta"), false),
                r.value("dp").toDouble(), r.value("fehler").toInt()};
    }

    // The same in an editing session after the program's start-up: the state code from the
    // neighbour check, then the main passage.
    Ergebnis inDerSitzung(const StartQuellen& quellen, const QString& position) {
        const StartErgebnis start = programmStart(quellen);
        EXPECT_TRUE(start.ok) << start.fehler.toStdString();
        SkriptSeam seam;
        EditSession s(seam);
        s.projekt().setAutomatischSichern([] { return false; });
        EXPECT_TRUE(s.laden(projekt));
        tmylistitem* n = knotenAnPosition(s.baum(), position);
        EXPECT_NE(n, nullptr);
        if (!n) return {};
        s.auswaehlen(n);
        nachbarpruefung(n, programmKontext());
        TDruck doc;
        doc.drucken = false;
        Rechenkontext u = testKontext();
        u.druck = &doc;
        u.rho = strangDichte(n);
        DVdata arbeit;
        const double dp = bauteildruck(modusDurchgang, n, arbeit, 0, u);
        return {zahlOderNichts(arbeit.p[0], true), zahlOderNichts(arbeit.p[1], true), dp,
                arbeit.fehler};
    }

    QTemporaryDir dir;
    const QString projekt = dir.filePath("p.pro");
    Einstellungen gespeichert;
};

void erwarteGleich(const Ergebnis& werkzeug, const Ergebnis& sitzung) {
    for (const auto& [a, b] : {std::pair{werkzeug.v, sitzung.v}, {werkzeug.zeta, sitzung.zeta}}) {
        EXPECT_EQ(std::isnan(a), std::isnan(b));
        if (!std::isnan(a)) {
            EXPECT_NEAR(a, b, 1e-9);
        }
    }
    EXPECT_NEAR(werkzeug.dp, sitzung.dp, 1e-8 * std::max(1.0, std::abs(sitzung.dp)));
    EXPECT_EQ(werkzeug.fehler, sitzung.fehler);
}

TEST_F(Start, ComponentInTheToolAndInTheEditingSessionAgreeForEachSettingsFile) {
    struct Fall {
        const char* datei;
        bool geschwindigkeitZuHoch; // 3,70 m/s in a duct designed for 2 m/s
    };
    for (const Fall& f : {Fall{"leer.ini", true}, Fall{"anders.ini", false}}) {
        SCOPED_TRACE(f.datei);
        for (const char* position : {"1.2", "1.5", "1.5.2"}) {
            SCOPED_TRACE(position);
            const CliResult r =
                runCli({"component", projekt, position, "--einstellungen", pfad(f.datei)});
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            const Ergebnis werkzeug = ausDemWerkzeug(r);
            erwarteGleich(werkzeug, inDerSitzung({pfad(f.datei), {}}, position));
            if (QLatin1String(position) == QLatin1String("1.2")) {
                EXPECT_EQ(werkzeug.fehler != 0, f.geschwindigkeitZuHoch) << werkzeug.fehler;
            }
        }
    }
}

TEST_F(Start, ANewRoomTakesTheSettingsValuesInTheToolAndInTheSession) {
    ASSERT_TRUE(writeFile(pfad("raum.txt"), neuerRaum));
    const QString aus = pfad("raum.pro");
    const CliResult r = runCli(
        {"edit", projekt, pfad("raum.txt"), "--out", aus, "--einstellungen", pfad("anders.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const CliResult text = runCli({"text", aus});
    const QString raum = text.out.section("\n[13]\n", 1).section("\n[", 0, 0);
    EXPECT_TRUE(raum.contains("\nI3=45\n")) << raum.toStdString();
    EXPECT_TRUE(raum.contains("\nI4=800\n")) << raum.toStdString();
    EXPECT_TRUE(raum.contains("\nI5=6")) << raum.toStdString();

    ASSERT_TRUE(programmStart({pfad("anders.ini"), {}}).ok);
    SkriptSeam seam;
    EditSession s(seam);
    s.projekt().setAutomatischSichern([] { return false; });
    ASSERT_TRUE(s.laden(projekt));
    const SkriptErgebnis e = skriptAusfuehren(s, seam, QString::fromUtf8(neuerRaum).split('\n'));
    ASSERT_TRUE(e.ok) << e.fehler.toStdString();
    const DVdata* d = nodeDaten(knotenAnPosition(s.baum(), QStringLiteral("1.8")));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->i[3], 45);
    EXPECT_EQ(d->i[4], 800);
    EXPECT_EQ(d->i[5], 6);
}

TEST_F(Start, TheCatalogueNamedIsTheOneBothShow) {
    const CliResult r = runCli({"tree", projekt, "--katalog", pfad("Krümmer.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 19);
    EXPECT_EQ(r.lines()[7].split('\t')[3], QString::fromUtf8("Krümmer 90°"));

    ASSERT_TRUE(programmStart({{}, pfad("Krümmer.ini")}).ok);
    SkriptSeam seam;
    EditSession s(seam);
    ASSERT_TRUE(s.laden(projekt));
    EXPECT_EQ(nodeTitel(basisDatenTabelle(),
                        *nodeDaten(knotenAnPosition(s.baum(), QStringLiteral("1.5.2")))),
              QString::fromUtf8("Krümmer 90°"));
}

// Without options both read "Zephan.ini" and "Bauteil.ini" from the data folder: the program's
// own folder when it is writable, so a copy of the tool in a folder of its own reads its files.
TEST_F(Start, WithoutOptionsTheToolReadsTheDataFolder) {
    const QString ordner = pfad("programm");
    ASSERT_TRUE(QDir().mkpath(ordner));
    const QString werkzeug = QDir(ordner).filePath("zephan-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZEPHAN_CLI), werkzeug));
    ASSERT_TRUE(writeFile(QDir(ordner).filePath("Zephan.ini"), andereEinstellungen));
    ASSERT_TRUE(QFile::copy(pfad("Krümmer.ini"), QDir(ordner).filePath("Bauteil.ini")));

    QProcess p;
    p.start(werkzeug, {"component", projekt, "1.2"});
    ASSERT_TRUE(p.waitForFinished(120000));
    CliResult ausOrdner;
    ausOrdner.exitCode = p.exitCode();
    ausOrdner.out = QString::fromUtf8(p.readAllStandardOutput());
    ASSERT_EQ(ausOrdner.exitCode, 0) << p.readAllStandardError().toStdString();
    const CliResult mitOptionen = runCli({"component", projekt, "1.2", "--einstellungen",
                                          pfad("anders.ini"), "--katalog", pfad("Krümmer.ini")});
    ASSERT_EQ(mitOptionen.exitCode, 0) << mitOptionen.err.toStdString();
    EXPECT_EQ(ausOrdner.out, mitOptionen.out);
    EXPECT_EQ(ausDemWerkzeug(ausOrdner).fehler, 0); // sized by gradient: no velocity check

    p.start(werkzeug, {"tree", projekt});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_TRUE(
        QString::fromUtf8(p.readAllStandardOutput()).contains(QString::fromUtf8("Krümmer")));
}

TEST_F(Start, ANamedFileThatCannotBeReadStopsStartUpAndChangesNothing) {
    ASSERT_TRUE(writeFile(pfad("ohne.ini"), "[List]\nCount=0\n"));
    struct Fall {
        StartQuellen quellen;
        QString fehler;
    };
    const Fall faelle[] = {
        {{pfad("fehlt.ini"), {}}, "Die Datei " + pfad("fehlt.ini") + " existiert nicht."},
        {{dir.path(), {}}, "Die Datei " + dir.path() + " kann nicht gelesen werden."},
        {{{}, pfad("fehlt.ini")}, "Die Datei " + pfad("fehlt.ini") + " existiert nicht."},
        {{pfad("anders.ini"), pfad("ohne.ini")},
         "Die Datei " + pfad("ohne.ini") + " enthält keinen Bauteilkatalog."},
    };
    for (const Fall& f : faelle) {
        einstellungen() = Einstellungen();
        const StartErgebnis r = programmStart(f.quellen);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.fehler, f.fehler);
        EXPECT_EQ(einstellungen().speedHaupt(), 8); // the settings named were not taken
        EXPECT_EQ(basisDaten(21)->titel, "Bogen");

        QStringList args{"tree", projekt};
        if (!f.quellen.einstellungen.isEmpty())
            args << "--einstellungen" << f.quellen.einstellungen;
        if (!f.quellen.katalog.isEmpty()) args << "--katalog" << f.quellen.katalog;
        const CliResult cli = runCli(args);
        EXPECT_EQ(cli.exitCode, 1);
        EXPECT_EQ(cli.err, f.fehler + '\n');
        EXPECT_TRUE(cli.out.isEmpty());
    }
    EXPECT_EQ(runCli({"tree", projekt, "--katalog"}).exitCode, 2);
    EXPECT_EQ(runCli({"tree", projekt, "--einstellungen", ""}).exitCode, 2);
}

} // namespace
