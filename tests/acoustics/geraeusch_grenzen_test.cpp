#include "acoustics/stiller_druckpass.h"
#include "acoustics/stroemungsgeraeusch.h"
#include "geraeusch_test_baum.h"
#include "network/model_queries.h"
#include "network/project_file.h"
#include "network/record_snapshot.h"
#include "network/type_codes.h"
#include "pressure/network_pressure.h"
#include "store/number_format.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

using namespace zephan;
using namespace zephan::schalltest;

// Zero, negative and extreme inputs for every type and option: every band of every result and
// every number in the report is finite.

namespace {

// A number in a report line that is no number: what the formatter writes for inf and NaN.
bool kaputt(const QString& z) {
    static const QRegularExpression muster(
        QStringLiteral("(^|[|\\s:=])(-?inf|-?nan|NaN|-?∞)($|[|\\s\\[])"),
        QRegularExpression::CaseInsensitiveOption);
    return muster.match(z).hasMatch();
}

} // namespace

TEST(Grenzwerte, EveryTypeAndOptionGivesFiniteNumbers) {
    const double werte[] = {0, -1, -1e9, 1e-9, 1e9, 3.7};
    const double stroeme[] = {0, 1, 1e7};
    int laeufe = 0;
    for (double w : werte) {
        for (double q : stroeme) {
            for (int typ = 0; typ <= 50; ++typ) {
                for (int tag1 = -1; tag1 <= 8; ++tag1) {
                    for (int vorgabe : {-1, 0, 1}) {
                        for (bool eckig : {false, true}) {
                            Baum t;
                            tmylistitem* s = t.strang();
                            t.neu(s, satz(typVolumenstrom, {q}));
                            DVdata d = satz(typ, {w, w, w, w, w, w, w}, eckig, tag1);
                            d.vorgabe = vorgabe;
                            d.p[0] = QString::number(w, 'g', 12).replace('.', ',');
                            d.p[1] = d.p[0];
                            tmylistitem* n = t.neu(s, d);
                            tmylistitem* z1 = t.neu(n, satz(typAbzweig));
                            t.ende(z1, q);
                            t.ende(t.neu(n, satz(typAbzweig)), q);
                            t.ende(s, q);
                            StrangErgebnis e;
                            e.maximum = w;
                            e.ventilatorVerlust = w;
                            GeraeuschOptionen o;
                            o.druckpass = &e;
                            for (int seite : {0, 1, 2}) {
                                const Lauf l = rechne(n, seite, o);
                                ++laeufe;
                                for (double b : l.p)
                                    ASSERT_TRUE(std::isfinite(b))
                                        << typ << " " << tag1 << " " << w << " " << q;
                                for (const QString& z : l.zeilen)
                                    ASSERT_FALSE(kaputt(z)) << typ << " " << tag1 << " " << w
                                                            << ": " << z.toStdString();
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(laeufe, 10000);
}

// --- the fan's pressure from a silent pass of its line

namespace {

std::unique_ptr<Projekt> beispiel(UserSeam& seam, QTemporaryDir& ordner) {
    const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
    if (!beispielSchreiben(datei)) return nullptr;
    auto p = std::make_unique<Projekt>(seam);
    p->setAutomatischSichern([] { return false; });
    p->setDateiname(datei);
    if (!p->laden()) return nullptr;
    return p;
}

std::vector<KnotenZustand> zustand(const ProjektBaum& b) {
    std::vector<KnotenZustand> z;
    for (int k = 0; k < b.count(); ++k) z.push_back(KnotenZustand::von(b.item(k)));
    return z;
}

tmylistitem* ersterVentilator(const ProjektBaum& b) {
    for (int k = 0; k < b.count(); ++k)
        if (typVon(b.item(k)) == typVentilator) return b.item(k);
    return nullptr;
}

} // namespace

TEST(Ventilatordruck, SilentPassGivesWhatF7StoresPlusTheInternalLoss) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& b = p->baum();
    tmylistitem* v = ersterVentilator(b);
    ASSERT_TRUE(v);
    // A stale pressure in the fan is not read.
    nodeDaten(v)->i[4] = 5;
    b.setSelected(b.item(0));
    const std::vector<KnotenZustand> vorher = zustand(b);

    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    RecordingSeam person;
    k.fortschritt = &person;
    const TPegel mitPass = stroemungsgeraeusch(v, 0, k);
    // Nothing of the project changed: records, captions, icons and the selection.
    EXPECT_EQ(zustand(b), vorher);
    EXPECT_EQ(b.Selected(), b.item(0));
    EXPECT_TRUE(person.fragen.isEmpty());

    // The same line computed as F7 does: the fan then holds the external pressure.
    Rechenkontext f7 = testKontext();
    const NetzErgebnis e = netzberechnen(b, f7, NetzOptionen{});
    ASSERT_TRUE(e.ok());
    netzErgebnisSchreiben(e); // F7 stores the results after the calculation
    const StrangErgebnis* strang = nullptr;
    for (const StrangErgebnis& s : e.straenge)
        if (s.kopf == strangKopf(v)) strang = &s;
    ASSERT_TRUE(strang);
    const double dpt = nodeDaten(v)->i[4] + strang->ventilatorVerlust;
    EXPECT_GT(dpt, 100);
    EXPECT_TRUE(doc.m.contains(QStringLiteral("°(delta p°(sub t°(-sub : ") + formatZahl(dpt, 0) +
                               QStringLiteral(" [Pa]")))
        << doc.m.join('\n').toStdString();
    GeraeuschOptionen o;
    o.druckpass = strang;
    EXPECT_EQ(stroemungsgeraeusch(v, 0, testKontext(), o), mitPass);
}

TEST(Ventilatordruck, AStoppedPassGivesItsMessageAndNoResult) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& b = p->baum();
    tmylistitem* v = ersterVentilator(b);
    ASSERT_TRUE(v);
    // A component of the line still in planning stops the pressure calculation.
    tmylistitem* letzter = v->getNextSibling();
    ASSERT_TRUE(letzter);
    nodeDaten(letzter)->planung = true;
    const std::vector<KnotenZustand> vorher = zustand(b);
    tmylistitem* auswahl = b.Selected();
    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    const TPegel r = stroemungsgeraeusch(v, 0, k);
    for (int i = 0; i < bandAnzahl; ++i) EXPECT_EQ(r[i], pegelNichtBerechnet);
    EXPECT_TRUE(doc.m.contains(netztext::planung)) << doc.m.join('\n').toStdString();
    EXPECT_EQ(zustand(b), vorher);
    EXPECT_EQ(b.Selected(), auswahl);
}
