#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "support/recording_seam.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <vector>

using namespace zephan;

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// The example project is what a new user opens first: it must be complete, and what it stores
// must be what the program calculates from it, or its first F7 already changes it.

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

std::string wo(const tmylistitem* n) {
    return n->position().toStdString() + " " + n->caption().toStdString();
}

} // namespace

TEST(Beispielprojekt, EveryNodeIsComplete) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    const ProjektBaum& b = p->baum();
    ASSERT_EQ(b.count(), 19);
    for (int k = 0; k < b.count(); ++k) {
        const tmylistitem* n = b.item(k);
        DVdata d = *nodeDaten(n);
        if (istStrangTyp(d.typ)) {
            // A line needs its kind, its density and its identifier.
            EXPECT_FALSE(d.p[2].trimmed().isEmpty()) << wo(n);
            EXPECT_GT(leseZahl(d.p[1]), 0) << wo(n);
            continue;
        }
        EXPECT_TRUE(vollstaendig(basisDatenTabelle(), d)) << wo(n);
        EXPECT_EQ(d.fehler, fehlerOk) << wo(n);
        EXPECT_FALSE(d.planung) << wo(n);
        // A room's page offers the radiation angle as its second choice.
        if (d.typ == typRaum) {
            EXPECT_GE(d.tag2, 0) << wo(n);
        }
    }
    // Both lines carry an identifier, so no title ends in an empty one.
    EXPECT_EQ(b.topLevel(0)->caption(), QStringLiteral("Zuluft: 1 Beispiel"));
    EXPECT_EQ(b.topLevel(1)->caption(), QStringLiteral("Abluft: 2 Beispiel"));
}

TEST(Beispielprojekt, NetworkCalculationStoresWhatIsAlreadyStored) {
    QTemporaryDir ordner;
    RecordingSeam seam;
    auto p = beispiel(seam, ordner);
    ASSERT_TRUE(p);
    ProjektBaum& b = p->baum();
    std::vector<DVdata> vorher;
    for (int k = 0; k < b.count(); ++k) vorher.push_back(*nodeDaten(b.item(k)));

    TDruck doc;
    Rechenkontext k = testKontext();
    k.druck = &doc;
    NetzOptionen o;
    o.projekt = &p->daten();
    o.seam = &seam;
    const NetzErgebnis e = netzberechnen(b, k, o);
    ASSERT_TRUE(e.ok()) << e.meldung.toStdString();
    ASSERT_EQ(e.straenge.size(), 2u);
    // What F7 stores after the calculation is what the carried example already holds.
    EXPECT_EQ(netzErgebnisSchreiben(e), 0);

    for (int n = 0; n < b.count(); ++n) {
        const DVdata& d = *nodeDaten(b.item(n));
        const DVdata& alt = vorher[static_cast<size_t>(n)];
        EXPECT_EQ(d.i, alt.i) << wo(b.item(n));
        EXPECT_EQ(d.p, alt.p) << wo(b.item(n));
        EXPECT_EQ(d.fehler, alt.fehler) << wo(b.item(n));
        EXPECT_TRUE(d == alt) << wo(b.item(n));
    }
    // The supply fan stores the external pressure of the worst path, whole pascals.
    const DVdata& zuluftVentilator = *nodeDaten(b.topLevel(0)->child(2));
    ASSERT_EQ(zuluftVentilator.typ, typVentilator);
    EXPECT_EQ(zuluftVentilator.i[4], 16);
    EXPECT_EQ(static_cast<int>(e.straenge[0].maximum), 16);
}
