#include "acoustics/schallnetz.h"
#include "geraeusch_test_baum.h"
#include "network/project_file.h"
#include "network/record_snapshot.h"
#include "network/settings.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using namespace zephan;
using namespace zephan::schalltest;

// The network sound run on small lines whose noise and attenuation are given as presets, so
// every level can be worked out by hand.

namespace {

void vorgabe(tmylistitem* n, int bits, double lw, double d) {
    DVdata& r = *nodeDaten(n);
    r.schall = bits;
    r.sg = {lw, lw, lw, lw, lw, lw, lw, lw};
    r.sd = {d, d, d, d, d, d, d, d};
}

// The example project. Its extract line 2 is the fan 2.2, the grille 2.3 and the room 2.4
// (300 m³, T_m 1 s, 3 m, source in a corner; with the grille's section, round 800 mm, S_eff =
// 0.419 m², the room lowers by 7, 8, 8, 9, 9, 9, 9 dB: at 63 Hz T 1.6 s, A 30.56 m²,
// Q 8.002, -10 lg(8.002/(36 pi) + 4/30.56) = 6.95 -> 7). The fan is given 60 dB in every band
// and the grille 10 dB of attenuation and the noise `lw`.
struct Netz {
    QTemporaryDir ordner;
    RecordingSeam seam;
    Projekt projekt{seam};
    TDruck doc;
    Rechenkontext k = testKontext();
    tmylistitem *fan = nullptr, *gitter = nullptr, *raum = nullptr;
    explicit Netz(double lw = pegelNichtBerechnet) {
        const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        beispielSchreiben(datei);
        projekt.setAutomatischSichern([] { return false; });
        projekt.setDateiname(datei);
        projekt.laden();
        k.druck = &doc;
        fan = knoten("2.2");
        gitter = knoten("2.3");
        raum = knoten("2.4");
        vorgabe(fan, 1, 60, 0);
        vorgabe(gitter, 3, lw, 10);
    }
    tmylistitem* knoten(const char* pos) {
        return knotenAnPosition(projekt.baum(), QString::fromLatin1(pos));
    }
    void methode(int m, std::initializer_list<int> baender = {1, 2, 4, 5}) {
        auto e = std::make_shared<Einstellungen>(k.settings());
        e->setSchallmethode(m);
        for (int b = 0; b < 7; ++b) e->setBand(b, false);
        for (int b : baender) e->setBand(b, true);
        k.einstellungen = e;
    }
    SchallnetzErgebnis rechnen(SchallnetzOptionen o = {}) {
        if (!o.nurStrang && o.ganzerStrang) o.nurStrang = raum;
        return schallnetzberechnung(projekt.baum(), k, o);
    }
    static QString name(const tmylistitem* n) {
        return n->position() + QLatin1Char(' ') + n->caption();
    }
};

} // namespace

TEST(Schallnetz, OneRoomBothMethodsByHand) {
    for (int m : {0, 1}) {
        SCOPED_TRACE(m);
        Netz n;
        n.methode(m);
        nodeDaten(n.raum)->p[2] = QStringLiteral("Büro");
        const SchallnetzErgebnis e = n.rechnen();
        ASSERT_TRUE(e.ok) << e.meldung.toStdString();
        ASSERT_EQ(e.straenge.size(), 1u);
        const Raumergebnis& r = e.straenge[0].raeume.at(0);
        // 60 dB lowered by the grille's 10 dB and the room's; A-weighted:
        // 10 lg sum 10^((L + dL_A)/10) = 47.30
        const double L[] = {43, 42, 42, 41, 41, 41, 41};
        for (int k = 0; k < bandAnzahl; ++k) EXPECT_NEAR(r.L[k], L[k], 1e-9);
        EXPECT_NEAR(r.LA, 47.2985, 1e-3);
        EXPECT_EQ(e.straenge[0].schlimmster, 0);
        EXPECT_TRUE(n.doc.m.contains(QStringLiteral("Büro|40|47|7")));
        EXPECT_TRUE(n.doc.m.contains(QStringLiteral("A-Schallpegel L°(sub a°(-sub = 47 [dB]")));
        EXPECT_TRUE(n.doc.m.contains(
            QStringLiteral("Erf. Mindestdämpfung des Schalldämpfers|[dB]|0|0|0|3|6|7|7")));
        EXPECT_TRUE(n.doc.m.contains(QStringLiteral("Abluft: 2 Beispiel")));
    }
}

TEST(Schallnetz, ElementRowsOfMethodA) {
    Netz n(30);
    n.methode(0);
    ASSERT_TRUE(n.rechnen().ok);
    // Bands 125, 250, 1K, 2K; per band N|D|S|R|L. The room lowers by 8, 8, 9, 9 dB; the
    // grille's 30 dB reach the room as 22, 22, 21, 21; the fan's 60 dB, lowered by the
    // grille's 10 and the room's, as 42, 42, 41, 41; the sum 10 lg(10^2.2 + 10^4.2) = 42.04
    // -> 42 (bold above the targets 40 + L_Okt,max at 1 kHz and 2 kHz: 35 and 34). The name
    // column gives way so that 20 columns of 4 % fit.
    const int kopf = n.doc.m.indexOf(
        QStringLiteral("°TK3|2,20|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4|-4"));
    ASSERT_GE(kopf, 0);
    EXPECT_EQ(n.doc.m[kopf + 1], QStringLiteral("°Z+|+C5z|+C5z|+C5z|+C5z"));
    EXPECT_EQ(n.doc.m[kopf + 2], QStringLiteral("Oktavmittenfrequenz [Hz]|125|250|1K|2K"));
    EXPECT_EQ(n.doc.m[kopf + 4], QStringLiteral("L°(sub Okt,max °(-sub  [dB]|51|44|35|34"));
    EXPECT_EQ(n.doc.m[kopf + 7],
              Netz::name(n.raum) + QStringLiteral("|-|8|0|-|-|-|8|0|-|-|-|9|0|-|-|-|9|0|-|-"));
    EXPECT_EQ(n.doc.m[kopf + 8],
              Netz::name(n.gitter) +
                  QStringLiteral("|30|10|8|22|22|30|10|8|22|22|30|10|9|21|21|30|10|9|21|21"));
    EXPECT_EQ(n.doc.m[kopf + 9],
              Netz::name(n.fan) +
                  QStringLiteral("|60|-|18|42|42|60|-|18|42|42|60|-|19|41|°(colfett "
                                 "41°(col-fett |60|-|19|41|°(colfett 41°(col-fett "));
    EXPECT_EQ(n.doc.m[kopf + 10], QString());
}

TEST(Schallnetz, ComponentsWithoutNoiseAddNothing) {
    for (int m : {0, 1}) {
        Netz n;
        n.methode(m);
        vorgabe(n.fan, 1, pegelNichtBerechnet, 0);
        nodeDaten(n.raum)->p[2] = QStringLiteral("Still");
        const SchallnetzErgebnis e = n.rechnen();
        ASSERT_TRUE(e.ok) << e.meldung.toStdString();
        const Raumergebnis& r = e.straenge[0].raeume.at(0);
        for (int k = 0; k < bandAnzahl; ++k) EXPECT_TRUE(std::isnan(r.L[k]));
        EXPECT_TRUE(std::isnan(r.LA));
        EXPECT_EQ(e.straenge[0].schlimmster, -1);
        EXPECT_TRUE(n.doc.m.contains(QStringLiteral("Still|40|-|-")));
        EXPECT_TRUE(n.doc.m.contains(QStringLiteral("A-Schallpegel L°(sub a°(-sub = - [dB]")));
        static const QRegularExpression keineZahl(QStringLiteral("\\b(nan|inf)\\b"),
                                                  QRegularExpression::CaseInsensitiveOption);
        for (const QString& z : n.doc.m)
            EXPECT_FALSE(keineZahl.match(z).hasMatch()) << z.toStdString();
    }
}

TEST(Schallnetz, WorstRoomFiveBandPassesAndRestrictedRun) {
    Netz n;
    n.methode(1, {0, 1, 2, 3, 4});
    tmylistitem* r1 = n.knoten("1.5.5");
    tmylistitem* r2 = n.knoten("1.8");
    SchallnetzOptionen ganz;
    ganz.nurStrang = r1;
    SchallnetzErgebnis e = n.rechnen(ganz);
    ASSERT_TRUE(e.ok) << e.meldung.toStdString();
    ASSERT_EQ(e.straenge[0].raeume.size(), 2u);
    // the branch's room comes first
    EXPECT_EQ(e.straenge[0].raeume[0].raum, r1);
    const double la1 = e.straenge[0].raeume[0].LA, la2 = e.straenge[0].raeume[1].LA;
    // Targets 5 and 3 dB below the levels: the first room is the worst ...
    nodeDaten(r1)->i[3] = std::floor(la1) - 5;
    nodeDaten(r2)->i[3] = std::floor(la2) - 3;
    EXPECT_EQ(n.rechnen(ganz).straenge[0].schlimmster, 0);
    // ... and with 3 and 5 the second.
    nodeDaten(r1)->i[3] = std::floor(la1) - 3;
    nodeDaten(r2)->i[3] = std::floor(la2) - 5;
    e = n.rechnen(ganz);
    EXPECT_EQ(e.straenge[0].schlimmster, 1);
    // Five bands: every element table twice (63 ... 500 Hz, then 1 kHz).
    int tabellen = 0;
    for (const QString& z : n.doc.m)
        if (z.startsWith(QStringLiteral("°TK3|"))) ++tabellen;
    EXPECT_EQ(tabellen, 4);
    EXPECT_TRUE(n.doc.m.contains(QStringLiteral("Oktavmittenfrequenz [Hz]|63|125|250|500")));
    EXPECT_TRUE(n.doc.m.contains(QStringLiteral("Oktavmittenfrequenz [Hz]|1K")));

    // Restricted to the branch's chain: its room only, no summary.
    SchallnetzOptionen o;
    o.ganzerStrang = false;
    o.auswahl = n.knoten("1.5.2");
    e = n.rechnen(o);
    ASSERT_TRUE(e.ok);
    ASSERT_EQ(e.straenge[0].raeume.size(), 1u);
    EXPECT_EQ(e.straenge[0].raeume[0].raum, r1);
    EXPECT_FALSE(n.doc.m.contains(QStringLiteral("°ÜZusammenfassung Schallpegelberechnung")));
}

TEST(Schallnetz, SummaryKeepsWhatStoodBeforeAndTreeStaysUnchanged) {
    Netz n;
    n.methode(0);
    std::vector<KnotenZustand> vorher;
    for (tmylistitem* x = n.projekt.baum().topitem(); x; x = x->getNext())
        vorher.push_back(KnotenZustand::von(x));
    n.doc.add(QStringLiteral("Druckverlustbericht"));
    SchallnetzOptionen o;
    o.anhaengen = true;
    o.zusammenfassung = true;
    const SchallnetzErgebnis e = n.rechnen(o);
    ASSERT_TRUE(e.ok) << e.meldung.toStdString();
    EXPECT_EQ(n.doc.m.first(), QStringLiteral("Druckverlustbericht"));
    EXPECT_TRUE(n.doc.m.contains(QStringLiteral("°ÜZusammenfassung Schallpegelberechnung")));
    EXPECT_TRUE(n.doc.m.contains(QStringLiteral("3|40|47|7")));
    // only the worst room's path in detail: one room section
    EXPECT_EQ(n.doc.m.filter(QStringLiteral("°ÜSchallpegel der Anlagenelemente im Raum")).size(),
              1);
    size_t i = 0;
    for (tmylistitem* x = n.projekt.baum().topitem(); x; x = x->getNext())
        EXPECT_TRUE(KnotenZustand::von(x) == vorher[i++]);
}

TEST(Schallnetz, StopsLeaveTheReport) {
    Netz n;
    nodeDaten(n.gitter)->planung = true;
    n.doc.add(QStringLiteral("alt"));
    const SchallnetzErgebnis e = n.rechnen();
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.meldung.isEmpty());
    EXPECT_EQ(e.halt, n.gitter);
    EXPECT_EQ(n.doc.m, QStringList{QStringLiteral("alt")});

    Netz ohne;
    ohne.fan->Delete();
    const SchallnetzErgebnis f = ohne.rechnen();
    EXPECT_FALSE(f.ok);
    EXPECT_TRUE(f.meldung.contains(QStringLiteral("keinen Ventilator"))) << f.meldung.toStdString();
}

// Each room's section ends with its chart: the room's octave levels and its permitted ones,
// the same figures as the rows above it, one decimal; a band without a level has no point.
TEST(Schallnetz, RoomSectionEndsWithItsChart) {
    const QString kopf = QStringLiteral(
        "°Dctyp:2|links:0|breite:100|hoehe:40|text:Oktavpegel im Raum [dB]|hliniey:1");
    const QString xAchse = QStringLiteral(
        "°DXvon:1|bis:7|step:1|text:Oktavband: 1 = 63 Hz, 2 = 125 Hz, 3 = 250 Hz, 4 = 500 Hz, "
        "5 = 1 kHz, 6 = 2 kHz, 7 = 4 kHz");
    const QString raumReihe =
        QStringLiteral("°DNtext:Raumpegel L°(sub a°(-sub|nach:1|typ:2|farbe:#FF0000");
    const QStringList handgerechnet = {"1|43,0", "2|42,0", "3|42,0", "4|41,0",
                                       "5|41,0", "6|41,0", "7|41,0"};
    // 40 dB(A) + L_Okt,max
    const QStringList zulaessig = {"1|61,0", "2|51,0", "3|44,0", "4|38,0",
                                   "5|35,0", "6|34,0", "7|34,0"};
    const QString zielReihe = QStringLiteral("°DNtext:Raumvorgabe|nach:1|typ:2|farbe:#0000FF");
    const QStringList spektrum = {"1|50,0", "2|45,5", "3|40,0", "4|35,0",
                                  "5|30,0", "6|25,0", "7|20,0"};
    // The row above the chart is named after what it holds, in either order.
    const QString summenZeile = QStringLiteral(
        "Raumvorgabe, L°(sub a,zul°(-sub + L°(sub Okt,max°(-sub|[dB]|61|51|44|38|35|34|34");
    const QString spektrumZeile =
        QStringLiteral("Raumvorgabe, L°(sub a,zul°(-sub|[dB]|50|46|40|35|30|25|20");
    struct Fall {
        const char* name;
        int methode;
        bool still;       // no component makes noise
        bool spektrum;    // the room gives its own permitted spectrum
        QStringList raum; // the room's points
        QString zeile;    // the permitted level's row
        QStringList ziel; // its points
        QString yAchse;   // whole 10 dB below the lowest point, 20 dB above the highest
    };
    const Fall faelle[] = {
        {"A", 0, false, false, handgerechnet, summenZeile, zulaessig, "30|bis:90"},
        {"B", 1, false, false, handgerechnet, summenZeile, zulaessig, "30|bis:90"},
        {"A mit Raumspektrum", 0, false, true, handgerechnet, spektrumZeile, spektrum, "20|bis:70"},
        {"B mit Raumspektrum", 1, false, true, handgerechnet, spektrumZeile, spektrum, "20|bis:70"},
        {"still", 0, true, false, {}, summenZeile, zulaessig, "30|bis:90"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Netz n;
        n.methode(f.methode);
        if (f.still) vorgabe(n.fan, 1, pegelNichtBerechnet, 0);
        if (f.spektrum) {
            DVdata& r = *nodeDaten(n.raum);
            r.raumSpektrumangabe = true;
            r.RaumSpektrum = {50, 45.5, 40, 35, 30, 25, 20, 15};
        }
        ASSERT_TRUE(n.rechnen().ok);
        const QStringList& m = n.doc.m;
        const int i = static_cast<int>(m.indexOf(kopf));
        ASSERT_GT(i, 2);
        EXPECT_EQ(m.count(kopf), 1);
        // after the required attenuation, which closes the room's rows
        EXPECT_EQ(m[i - 1], QString());
        EXPECT_TRUE(m[i - 2].startsWith(QStringLiteral("Erf. Mindestdämpfung des Schalldämpfers")));
        EXPECT_EQ(m[i - 3], f.zeile);
        QStringList erwartet = {
            kopf, xAchse, QStringLiteral("°DYvon:") + f.yAchse + QStringLiteral("|step:10|text:"),
            raumReihe};
        erwartet += f.raum;
        erwartet += zielReihe;
        erwartet += f.ziel;
        erwartet += QString();
        EXPECT_EQ(m.mid(i, erwartet.size()), erwartet);
    }
}

// The element rows stay in the result only when asked for; the levels stay always.
TEST(Schallnetz, ElementRowsKeptOnlyWhenAsked) {
    for (bool behalten : {false, true}) {
        SCOPED_TRACE(behalten);
        Netz n(30);
        n.methode(0);
        SchallnetzOptionen o;
        o.elementzeilen = behalten;
        const SchallnetzErgebnis e = n.rechnen(o);
        ASSERT_TRUE(e.ok);
        const Raumergebnis& r = e.straenge[0].raeume.at(0);
        EXPECT_NEAR(r.L[1], 42.04, 0.01);
        ASSERT_EQ(r.elemente.size(), behalten ? 3u : 0u); // room, grille, fan
        if (behalten) {
            EXPECT_EQ(r.elemente[1].name, Netz::name(n.gitter));
            EXPECT_EQ(r.elemente[1].N[1], 30);
            EXPECT_EQ(r.elemente[2].S[1], 18);
        }
        // the report's rows are the same either way
        EXPECT_TRUE(n.doc.m.contains(
            Netz::name(n.gitter) +
            QStringLiteral("|30|10|8|22|22|30|10|8|22|22|30|10|9|21|21|30|10|9|21|21")));
    }
}

namespace {

// The element rows of a room's fan-to-room tables (every pass), by the room's name.
QStringList raumZeilen(const QStringList& m, const QString& name) {
    QStringList zeilen;
    qsizetype i = m.indexOf(QStringLiteral("°ÜStrömungsgeräuschberechnung Raum ") + name);
    if (i < 0) return zeilen;
    for (++i; i < m.size() && m[i] != QStringLiteral("°XB"); ++i)
        if (!m[i].isEmpty() && m[i][0].isDigit()) zeilen << m[i];
    return zeilen;
}

} // namespace

// Two rooms of line 1 share the fan 1.3 and the duct 1.4 on their way. The rows of a shared
// element are built once per line; each room must still get its own bold marks (the room 1.5.5
// is allowed 90 dB(A), the room 1.8 only 10), in both passes of five bands, and exactly the
// rows a run of that room alone writes.
TEST(Schallnetz, SharedElementRowsFollowEachRoomsTarget) {
    Netz n;
    n.methode(1, {0, 1, 2, 3, 4});
    tmylistitem* leise = n.knoten("1.5.5");
    tmylistitem* laut = n.knoten("1.8");
    nodeDaten(leise)->raumSpektrumangabe = false;
    nodeDaten(leise)->i[3] = 90;
    nodeDaten(laut)->raumSpektrumangabe = false;
    nodeDaten(laut)->i[3] = 10;
    const QString nameLeise = nodeDaten(leise)->p[2], nameLaut = nodeDaten(laut)->p[2];

    SchallnetzOptionen ganz;
    ganz.nurStrang = leise;
    const SchallnetzErgebnis zuerst = n.rechnen(ganz);
    ASSERT_TRUE(zuerst.ok) << zuerst.meldung.toStdString();
    const QStringList zeilenLeise = raumZeilen(n.doc.m, nameLeise);
    const QStringList zeilenLaut = raumZeilen(n.doc.m, nameLaut);
    // fan, duct, branch piece, 4 components of the branch, room; fan, duct, branch piece,
    // duct, outlet, room: each twice (two passes)
    ASSERT_EQ(zeilenLeise.size(), 16);
    ASSERT_EQ(zeilenLaut.size(), 12);
    const QString fan = Netz::name(n.knoten("1.3"));
    for (int pass : {0, 1}) {
        SCOPED_TRACE(pass);
        const QString& still = zeilenLeise[pass * 8];
        const QString& fett = zeilenLaut[pass * 6];
        EXPECT_TRUE(still.startsWith(fan + QLatin1Char('|'))) << still.toStdString();
        EXPECT_TRUE(fett.startsWith(fan + QLatin1Char('|'))) << fett.toStdString();
        // 4 bands in the first pass, 1 in the second, all bold for the loud room only
        EXPECT_EQ(fett.count(QStringLiteral("°(colfett ")), pass == 0 ? 4 : 1);
        EXPECT_FALSE(still.contains(QStringLiteral("°(colfett ")));
        QString ohneMarken = fett;
        ohneMarken.remove(QStringLiteral("°(colfett ")).remove(QStringLiteral("°(col-fett "));
        EXPECT_EQ(ohneMarken, still);
    }
    EXPECT_EQ(zeilenLeise[1].count(QStringLiteral("°(colfett ")), 0);
    EXPECT_EQ(zeilenLaut[1].count(QStringLiteral("°(colfett ")), 4);

    // The same rows as the runs of each room alone.
    for (tmylistitem* raum : {leise, laut}) {
        SchallnetzOptionen allein;
        allein.ganzerStrang = false;
        allein.auswahl = raum;
        ASSERT_TRUE(n.rechnen(allein).ok);
        const QString name = nodeDaten(raum)->p[2];
        EXPECT_EQ(raumZeilen(n.doc.m, name), raum == leise ? zeilenLeise : zeilenLaut);
    }

    // Asked for, the fan-to-room rows are kept in the result, in the order of the table.
    ganz.elementzeilen = true;
    const SchallnetzErgebnis e = n.rechnen(ganz);
    ASSERT_TRUE(e.ok);
    const Raumergebnis& r = e.straenge[0].raeume.at(1);
    ASSERT_EQ(r.raum, laut);
    ASSERT_EQ(r.elemente.size(), 6u);
    EXPECT_EQ(r.elemente[0].name, fan);
    EXPECT_EQ(r.elemente[5].name, Netz::name(laut));
    for (int k = 0; k < bandAnzahl; ++k) EXPECT_DOUBLE_EQ(r.elemente[5].L[k], r.L[k]);
}

// A grille whose caption holds a line break: its row, built once and shared by the rooms,
// still takes the document's break in both orders, and so does the room's name in its
// summary row.
TEST(Schallnetz, SharedRowsTakeTheDocumentsBreak) {
    for (int m : {0, 1}) {
        SCOPED_TRACE(m);
        Netz n;
        n.methode(m);
        n.gitter->setCaption(QStringLiteral("Gitter\r\nA"));
        nodeDaten(n.raum)->p[2] = QStringLiteral("Bü\r\nro");
        ASSERT_TRUE(n.rechnen().ok);
        int zeile = 0, summe = 0;
        for (const QString& z : n.doc.m) {
            if (z.startsWith(n.gitter->position() + QStringLiteral(" Gitter"))) {
                EXPECT_TRUE(z.startsWith(n.gitter->position() + QStringLiteral(" Gitter\u00FEA|")))
                    << z.toStdString();
                ++zeile;
            }
            if (z.startsWith(QStringLiteral("Bü\u00FEro|40|"))) ++summe;
        }
        EXPECT_EQ(zeile, 1);
        EXPECT_EQ(summe, 1);
    }
}
