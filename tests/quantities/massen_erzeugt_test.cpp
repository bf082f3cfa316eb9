// A generated project: the summed lengths and pieces against an independent count, and the CSV
// file read back with a CSV parser against the report's rows.

#include "massen_test_baum.h"
#include "network/catalogue.h"
#include "network/project_data.h"
#include "network/project_generator.h"
#include "quantities/massen_csv.h"
#include "quantities/massenauszug.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <QMap>
#include <cmath>

namespace zephan {
namespace {

struct Erzeugt {
    massentest::Baum b;
    ProjektDaten daten;
    GeneratorOptionen o{3, 40, 7};
    Erzeugt() {
        projektErzeugen(b.baum, o);
        projektDatenErzeugen(daten, o);
    }
};

// RFC 4180 records with ";" between fields: quotes, doubled quotes, CR LF.
QList<QStringList> csvLesen(const QString& text) {
    QList<QStringList> saetze;
    QStringList satz;
    QString feld;
    bool zitat = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (zitat) {
            if (c == QLatin1Char('"') && k + 1 < text.size() && text[k + 1] == QLatin1Char('"')) {
                feld += c;
                ++k;
            } else if (c == QLatin1Char('"')) {
                zitat = false;
            } else {
                feld += c;
            }
        } else if (c == QLatin1Char('"')) {
            zitat = true;
        } else if (c == QLatin1Char(';')) {
            satz << feld;
            feld.clear();
        } else if (c == QLatin1Char('\r') && k + 1 < text.size() &&
                   text[k + 1] == QLatin1Char('\n')) {
            satz << feld;
            feld.clear();
            saetze << satz;
            satz.clear();
            ++k;
        } else {
            feld += c;
        }
    }
    EXPECT_TRUE(feld.isEmpty() && satz.isEmpty()) << "last record without CR LF";
    return saetze;
}

TEST(MassenErzeugt, DuctMetresAndPiecesEqualAnIndependentCount) {
    Erzeugt e;
    // Counted straight from the records: metres per duct size and pipe size, bends in pieces.
    QMap<QString, double> kanalMm, rohrMm;
    int boegen = 0, gezaehlt = 0;
    for (const tmylistitem* n = e.b.baum.topitem(); n; n = n->getNext()) {
        const DVdata& d = *nodeDaten(n);
        if (d.typ == 2) kanalMm[QStringLiteral("%1x%2").arg(d.i[0]).arg(d.i[1])] += d.i[5];
        if (d.typ == 3) rohrMm[QStringLiteral("%1").arg(d.i[0])] += d.i[5];
        if (d.typ == 21) ++boegen;
        if (basisDaten(d.typ) && basisDaten(d.typ)->Massenauszug && !istStrecke(d.typ)) ++gezaehlt;
    }
    ASSERT_GT(kanalMm.size(), 2);
    ASSERT_GT(rohrMm.size(), 1);
    ASSERT_GT(boegen, 3);

    for (bool gruppen : {false, true}) {
        const Massenauszug m =
            massenauszugBerechnen(basisDatenTabelle(), e.b.baum, e.daten.Gruppen, gruppen);
        QMap<QString, double> kanal, rohr;
        double boegenGefunden = 0, stueck = 0;
        for (const MassenGruppe& g : m.gruppen)
            for (const TMassen& p : g.posten) {
                if (p.typ == 2) kanal[QStringLiteral("%1x%2").arg(p.size1).arg(p.size2)] += p.anz;
                if (p.typ == 3) rohr[QStringLiteral("%1").arg(p.size1)] += p.anz;
                if (p.typ == 21) boegenGefunden += p.anz;
                if (!alsLaenge(p.typ)) stueck += p.anz;
            }
        EXPECT_EQ(kanal, kanalMm) << gruppen;
        EXPECT_EQ(rohr, rohrMm) << gruppen;
        EXPECT_EQ(boegenGefunden, boegen);
        EXPECT_EQ(stueck, gezaehlt);
    }
}

TEST(MassenErzeugt, TheCsvFileReadsBackAsTheReportsRows) {
    Erzeugt e;
    e.daten.MassenauszugMitGruppen = true;
    const Massenauszug m = massenauszugBerechnen(basisDatenTabelle(), e.b.baum, e.daten.Gruppen,
                                                 e.daten.MassenauszugMitGruppen);
    const QByteArray csv = massenCsv(m);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> saetze = csvLesen(QString::fromUtf8(csv.mid(3)));
    ASSERT_FALSE(saetze.isEmpty());
    EXPECT_EQ(saetze[0], QStringList({"Gruppe", "Abschnitt", "Bezeichnung", "Menge", "Einheit"}));

    // The report's rows with the group and section they stand under.
    TDruck d;
    ASSERT_TRUE(massenauszug(basisDatenTabelle(), e.b.baum, e.daten, d, nullptr));
    QList<QStringList> berichtZeilen;
    QString gruppe, abschnitt;
    for (const QString& z : d.m) {
        if (z.startsWith(QStringLiteral("°ÜGruppe: "))) {
            gruppe = z.mid(10);
        } else if (z.startsWith(QStringLiteral("°Ü"))) {
            abschnitt = z.mid(2);
        } else if (!z.isEmpty() && !z.startsWith(QStringLiteral("°"))) {
            const qsizetype strich = z.lastIndexOf(QLatin1Char('|'));
            const QString menge = z.mid(strich + 1);
            const qsizetype leer = menge.lastIndexOf(QLatin1Char(' '));
            berichtZeilen << QStringList{gruppe, abschnitt, z.left(strich), menge.left(leer),
                                         menge.mid(leer + 1)};
        }
    }
    ASSERT_EQ(saetze.size() - 1, berichtZeilen.size());
    QStringList gruppen;
    for (qsizetype k = 1; k < saetze.size(); ++k) {
        const QStringList& c = saetze[k];
        const QStringList& r = berichtZeilen[k - 1];
        ASSERT_EQ(c.size(), 5);
        EXPECT_EQ(c[0], r[0]);
        EXPECT_EQ(c[1], r[1]);
        EXPECT_EQ(c[2], r[2]);
        // The report groups thousands, the CSV does not; both have the decimal comma.
        EXPECT_EQ(leseZahl(c[3]), leseZahl(r[3])) << c[3].toStdString();
        EXPECT_FALSE(c[3].contains(QLatin1Char('.')));
        EXPECT_EQ(c[4], r[4]);
        if (!gruppen.contains(c[0])) gruppen << c[0];
    }
    EXPECT_GT(gruppen.size(), 1);
}

TEST(MassenErzeugt, CsvQuotesFieldsWithSeparatorsAndQuotes) {
    massentest::Baum b;
    b.neu(b.strang(), massentest::kanal(400, 200, 1000, QStringLiteral("Achse \"A\"; Süd")));
    const QByteArray csv =
        massenCsv(massenauszugBerechnen(basisDatenTabelle(), b.baum, QString(), false));
    const QList<QStringList> saetze = csvLesen(QString::fromUtf8(csv.mid(3)));
    ASSERT_EQ(saetze.size(), 2);
    EXPECT_EQ(saetze[1],
              QStringList({"", "Kanallängen", "Kanal (Achse \"A\"; Süd), 400x200", "1,0", "m"}));
    EXPECT_TRUE(csv.contains("\"Kanal (Achse \"\"A\"\"; S\xC3\xBC"
                             "d), 400x200\";1,0;m\r\n"));
}

} // namespace
} // namespace zephan
