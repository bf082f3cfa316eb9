#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zephan;

namespace {

// A generated project of two lines, read back in-process to count independently.
struct Erzeugt {
    QTemporaryDir ordner;
    QString datei;
    Erzeugt() {
        datei = ordner.filePath(QStringLiteral("netz.pro"));
        const CliResult r =
            runCli({QStringLiteral("generate"), datei, QStringLiteral("--lines"),
                    QStringLiteral("2"), QStringLiteral("--outlets"), QStringLiteral("6"),
                    QStringLiteral("--seed"), QStringLiteral("3")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    QString pfad(const char* name) const { return ordner.filePath(QString::fromLatin1(name)); }
};

struct Geladen {
    RecordingSeam seam;
    Projekt projekt{seam};
    explicit Geladen(const QString& datei) {
        projekt.setAutomatischSichern([] { return false; });
        projekt.setDateiname(datei);
        EXPECT_TRUE(projekt.laden());
    }
    // i[k] of every duct of the line below `kopf`.
    std::vector<double> kanalWerte(int strang, int k) {
        std::vector<double> w;
        const tmylistitem* kopf = projekt.baum().topLevel(strang);
        const tmylistitem* ende = kopf->lastDescendant()->getNext();
        for (const tmylistitem* n = kopf; n != ende; n = n->getNext())
            if (nodeDaten(n)->typ == 2) w.push_back(nodeDaten(n)->i[static_cast<size_t>(k)]);
        return w;
    }
};

QStringList skript(const Erzeugt& e, const QString& text, CliResult* ausgabe = nullptr,
                   const QString& ziel = QString()) {
    QFile f(e.pfad("skript.txt"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
    f.close();
    QStringList args{QStringLiteral("edit"), e.datei, f.fileName()};
    if (!ziel.isEmpty()) args << QStringLiteral("--out") << ziel;
    const CliResult r = runCli(args);
    if (ausgabe) *ausgabe = r;
    return r.lines();
}

TEST(QuantitiesCommand, DuctMetresEqualTheSumOfTheDuctLengths) {
    Erzeugt e;
    Geladen g(e.datei);
    double kanalMm = 0;
    int stueckRohre = 0;
    for (const tmylistitem* n = g.projekt.baum().topitem(); n; n = n->getNext()) {
        if (nodeDaten(n)->typ == 2) kanalMm += nodeDaten(n)->i[5];
        if (nodeDaten(n)->typ == 3) ++stueckRohre;
    }
    const CliResult r = runCli({QStringLiteral("quantities"), e.datei});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    double kanalM = 0;
    int rohrZeilen = 0;
    for (const QString& z : r.lines()) {
        const QStringList f = z.split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 4) << z.toStdString();
        if (f[0] == QStringLiteral("Kanallängen")) {
            EXPECT_EQ(f[3], QStringLiteral("m"));
            kanalM += f[2].toDouble();
        }
        if (f[0] == QStringLiteral("Rohrlängen")) ++rohrZeilen;
        if (f[0] == QStringLiteral("Formstücke / Einzelbauteile")) {
            EXPECT_EQ(f[3], QStringLiteral("Stk"));
        }
    }
    EXPECT_NEAR(kanalM, kanalMm / 1000, 1e-6);
    EXPECT_EQ(rohrZeilen > 0, stueckRohre > 0);
}

TEST(QuantitiesCommand, GroupsCsvAndMarkup) {
    Erzeugt e;
    const CliResult r = runCli({QStringLiteral("quantities"), e.datei, QStringLiteral("--groups"),
                                QStringLiteral("--csv"), e.pfad("m.csv"),
                                QStringLiteral("--markup"), e.pfad("m.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_FALSE(r.lines().isEmpty());
    EXPECT_EQ(r.lines().front(), QStringLiteral("group\tunbekannt"));
    int gruppen = 0, posten = 0;
    for (const QString& z : r.lines())
        (z.startsWith(QStringLiteral("group\t")) ? gruppen : posten)++;
    EXPECT_GT(gruppen, 1);
    QFile csv(e.pfad("m.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFGruppe;Abschnitt;Bezeichnung;Menge;Einheit\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), posten + 1);
    QFile markup(e.pfad("m.txt"));
    ASSERT_TRUE(markup.open(QIODevice::ReadOnly));
    const QStringList zeilen = QString::fromUtf8(markup.readAll()).split(QLatin1Char('\n'));
    EXPECT_EQ(zeilen.count(QStringLiteral("°ÜGruppe: unbekannt")), 1);
    EXPECT_EQ(zeilen.filter(QStringLiteral("°ÜGruppe: ")).size(), gruppen);
}

TEST(QuantitiesCommand, RefusesBadArguments) {
    Erzeugt e;
    EXPECT_EQ(runCli({QStringLiteral("quantities")}).exitCode, 2);
    EXPECT_EQ(runCli({QStringLiteral("quantities"), e.datei, QStringLiteral("--csv")}).exitCode, 2);
    const CliResult fehlt = runCli({QStringLiteral("quantities"), e.pfad("fehlt.pro")});
    EXPECT_EQ(fehlt.exitCode, 1);
}

TEST(OverwriteStep, EveryDuctOfTheLineTakesTheLengthInOneUndoStep) {
    Erzeugt e;
    Geladen vorher(e.datei);
    const std::vector<double> zweiterStrang = vorher.kanalWerte(1, 5);
    ASSERT_GT(vorher.kanalWerte(0, 5).size(), 1u);

    CliResult r;
    skript(e, QStringLiteral("overwrite 2 i5=1234.9 --line 1.3 --ask no\n"), &r);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Geladen nachher(e.datei);
    for (double l : nachher.kanalWerte(0, 5)) EXPECT_EQ(l, 1234);
    EXPECT_EQ(nachher.kanalWerte(1, 5), zweiterStrang);
    EXPECT_TRUE(r.out.contains(
        QStringLiteral("Status: %1 Bauteile überschrieben.").arg(nachher.kanalWerte(0, 5).size())));

    // One undo takes the whole run back.
    skript(e, QStringLiteral("overwrite 2 i5=50 --line 1 --ask no\nundo\n"), &r);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    Geladen zurueck(e.datei);
    for (double l : zurueck.kanalWerte(0, 5)) EXPECT_EQ(l, 1234);
}

TEST(OverwriteStep, AsksBeforeEachComponentAndCancelEndsTheRun) {
    Erzeugt e;
    Geladen vorher(e.datei);
    const std::vector<double> breiten = vorher.kanalWerte(0, 0);
    ASSERT_GE(breiten.size(), 3u);
    // The run starts at the line head's first duct and goes in order: No, Yes, Cancel.
    CliResult r;
    skript(e, QStringLiteral("answer 1\nanswer 0\nanswer 2\noverwrite Kanal i0=999\n"), &r);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines().filter(QStringLiteral("Frage: Bauteil überschreiben? [j|n|a]")).size(), 3);
    Geladen nachher(e.datei);
    const std::vector<double> neu = nachher.kanalWerte(0, 0);
    int geaendert = 0;
    for (size_t k = 0; k < neu.size(); ++k) geaendert += neu[k] == 999 ? 1 : 0;
    EXPECT_EQ(geaendert, 1);
}

TEST(OverwriteStep, RefusesUnknownFieldsAndTypesAndSavesNothing) {
    Erzeugt e;
    CliResult r;
    skript(e, QStringLiteral("overwrite 2 breite=3 --line 1\n"), &r);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("unbekanntes Feld"))) << r.err.toStdString();
    skript(e, QStringLiteral("overwrite 999 i0=3\n"), &r);
    EXPECT_EQ(r.exitCode, 1);
    skript(e, QStringLiteral("overwrite 2 wenn-form=oval\n"), &r);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("wenn-form muss eckig oder rund sein.")));
}

} // namespace
