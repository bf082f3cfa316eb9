#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/type_codes.h"
#include "support/cli_runner.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace zephan;

namespace {

DVdata satz(int typ, std::initializer_list<double> werte, bool eckig = false, int tag1 = -1) {
    DVdata d;
    d.typ = typ;
    d.eckig = eckig;
    d.tag1 = tag1;
    size_t k = 0;
    for (double w : werte) d.i[k++] = w;
    return d;
}

// A supply line of preset losses: a branch piece of 2 Pa, the branch "delta p" 108 Pa →
// outlet 10 Pa → room A, the main chain "delta p" 138 Pa → outlet → room B, both outlets
// designed for 300 m³/h.
struct Datei {
    QTemporaryDir ordner;
    QString pfad;
    QByteArray inhalt;

    Datei() {
        RecordingSeam seam;
        Projekt p(seam);
        p.setAutomatischSichern([] { return false; });
        ProjektBaum& b = p.baum();
        b.setPlanungFuerNeue([] { return false; });
        const auto neu = [&](tmylistitem* eltern, const DVdata& d) {
            tmylistitem* n = b.AddChild(eltern, QStringLiteral("leer"));
            *nodeDaten(n) = d;
            nodeRefresh(basisDatenTabelle(), n);
            return n;
        };
        tmylistitem* kopf = b.Add(QStringLiteral("Strang"));
        DVdata h;
        h.typ = typZuluft;
        h.p[1] = QStringLiteral("1,200");
        *nodeDaten(kopf) = h;
        DVdata s = satz(typAbzweigstueck90, {400, 200, 200, 200, -1, -1, 2}, true);
        s.vorgabe = 1;
        tmylistitem* stueck = neu(kopf, s);
        const auto kette = [&](tmylistitem* eltern, double dp, const QString& raum) {
            neu(eltern, satz(typDeltaP, {200, -1, -1, -1, -1, -1, dp}, false, 0));
            DVdata a = satz(typZuluftauslass, {400, 200, 1, 300, 1}, true, 0);
            a.vorgabe = 1;
            a.i[6] = 10;
            neu(eltern, a);
            DVdata r = satz(typRaum, {300, 0, -1, 30, 500, 2}, true, 0);
            r.tag2 = 0;
            r.p[2] = raum;
            neu(eltern, r);
        };
        kette(stueck, 108, QStringLiteral("A"));
        kette(kopf, 138, QStringLiteral("B"));
        pfad = ordner.filePath(QStringLiteral("linie.pro"));
        p.setGeaendert(true);
        if (!p.sichernAls(pfad)) pfad.clear();
        inhalt = lesen();
    }
    QByteArray lesen() const {
        QFile f(pfad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST(SimulateCommand, BothTablesOfALineByHand) {
    Datei d;
    ASSERT_FALSE(d.pfad.isEmpty());
    const CliResult r = runCli({QStringLiteral("simulate"), d.pfad});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList z = r.lines();
    ASSERT_EQ(z.size(), 7) << r.out.toStdString();
    EXPECT_EQ(z[0], QStringLiteral("line\t1\tZuluft: \t1.2"));
    // A: 2 + 108 + 10 = 120 Pa, B: 150 Pa; A gets (150/120·0.6 + 0.4)·300 = 345, the sum
    // 645 is within 10 % of 600: one cycle.
    EXPECT_EQ(z[1], QStringLiteral("estimate\t1\t150\t150\t600\t645"));
    EXPECT_EQ(z[2], QStringLiteral("end\t1.1.3\tA\t120\t120\t300\t345\t15"));
    EXPECT_EQ(z[3], QStringLiteral("end\t1.4\tB\t150\t150\t300\t300\t0"));
    // Losses that do not follow the flow: A loses 120 Pa at any flow, B 150 Pa even at none.
    // In balance A takes the fan's whole flow and B is shut, its path still 150 Pa.
    EXPECT_EQ(z[4], QStringLiteral("equilibrium\t4\t1\t600"));
    EXPECT_EQ(z[5], QStringLiteral("balanced\t1.1.3\tA\t120\t300\t600\t100"));
    EXPECT_EQ(z[6], QStringLiteral("balanced\t1.4\tB\t150\t300\t0\t-100"));
    EXPECT_EQ(d.lesen(), d.inhalt);
}

TEST(SimulateCommand, JsonCarriesTheSameFigures) {
    Datei d;
    const CliResult r = runCli({QStringLiteral("simulate"), d.pfad, QStringLiteral("--line"),
                                QStringLiteral("1.3"), QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray linien =
        QJsonDocument::fromJson(r.out.toUtf8()).object()[QStringLiteral("lines")].toArray();
    ASSERT_EQ(linien.size(), 1);
    const QJsonObject l = linien[0].toObject();
    EXPECT_EQ(l[QStringLiteral("position")].toString(), QStringLiteral("1"));
    const QJsonObject s = l[QStringLiteral("estimate")].toObject();
    EXPECT_EQ(s[QStringLiteral("cycles")].toInt(), 1);
    EXPECT_EQ(s[QStringLiteral("flowSum")].toDouble(), 645);
    const QJsonArray enden = s[QStringLiteral("ends")].toArray();
    ASSERT_EQ(enden.size(), 2);
    EXPECT_EQ(enden[0].toObject()[QStringLiteral("flow")].toDouble(), 345);
    EXPECT_EQ(enden[0].toObject()[QStringLiteral("dpDesign")].toDouble(), 120);
    const QJsonObject g = l[QStringLiteral("equilibrium")].toObject();
    EXPECT_EQ(g[QStringLiteral("fanFlow")].toDouble(), 600);
    double summe = 0;
    for (const QJsonValue& e : g[QStringLiteral("ends")].toArray())
        summe += e.toObject()[QStringLiteral("flow")].toDouble();
    EXPECT_EQ(summe, 600);
}

TEST(SimulateCommand, FailuresAndUsage) {
    Datei d;
    const struct {
        QStringList args;
        int code;
        QString meldung;
    } faelle[] = {
        {{QStringLiteral("simulate")}, 2, {}},
        {{QStringLiteral("simulate"), d.pfad, QStringLiteral("--line")}, 2, {}},
        {{QStringLiteral("simulate"), d.pfad, QStringLiteral("--line"), QStringLiteral("1"),
          QStringLiteral("--line"), QStringLiteral("1")},
         2,
         {}},
        {{QStringLiteral("simulate"), d.pfad, QStringLiteral("--was")}, 2, {}},
        {{QStringLiteral("simulate"), d.pfad, QStringLiteral("--line"), QStringLiteral("7.1")},
         1,
         QStringLiteral("Keine Position 7.1 im Projekt.")},
        {{QStringLiteral("simulate"), d.ordner.filePath(QStringLiteral("fehlt.pro"))}, 1, {}},
    };
    for (const auto& f : faelle) {
        const CliResult r = runCli(f.args);
        EXPECT_EQ(r.exitCode, f.code) << f.args.join(' ').toStdString();
        if (!f.meldung.isEmpty()) {
            EXPECT_TRUE(r.err.contains(f.meldung)) << r.err.toStdString();
        }
        if (f.code == 1) {
            EXPECT_FALSE(r.err.trimmed().isEmpty());
        }
    }
    EXPECT_EQ(d.lesen(), d.inhalt);
}
