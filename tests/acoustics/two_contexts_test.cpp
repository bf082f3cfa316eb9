#include "acoustics/stroemungsgeraeusch.h"
#include "bands/rechenblatt.h"
#include "network/catalogue.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/settings.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "pressure/network_pressure_core.h"
#include "pressure/network_pressure_report.h"
#include "pressure/titelzahl.h"
#include "report/report_document.h"
#include "store/carried_data.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <thread>
#include <vector>

using namespace zephan;

// Two calculations with their own catalogue, settings, tables and work sheet run side by side
// in two threads: each must come out exactly as it does alone. Nothing a calculation reads or
// writes may be shared behind its context (the program's catalogue, its settings, one table
// cache or work sheet for all).

namespace {

// Everything one calculation owns besides the tree.
struct Grundlagen {
    TBasisDatenTabelle katalog;
    std::shared_ptr<const Einstellungen> einstellungen;
    titelzahli tabellen{carriedData(QStringLiteral("titeldata.ini"))};
    Rechenblatt blatt;

    Rechenkontext kontext() { return Rechenkontext(katalog, einstellungen, tabellen, blatt); }
};

// What a run gives: the report rows of every line and the flow noise of every component.
struct Ausgabe {
    QStringList zeilen;
    std::vector<TPegel> geraeusche;
};

Ausgabe rechnen(ProjektBaum& baum, Grundlagen& g, const Rechenlauf& lauf) {
    Ausgabe a;
    Rechenkontext k = g.kontext();
    for (tmylistitem* kopf = baum.topitem(); kopf; kopf = kopf->getNextSibling()) {
        const StrangErgebnis e = strangRechnen(lauf, kopf, k);
        TDruck doc;
        strangBerichtSchreiben(doc, e, false);
        a.zeilen += doc.m;
    }
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext())
        if (hatStroemungsgeraeusch(typVon(n))) a.geraeusche.push_back(stroemungsgeraeusch(n, 0, k));
    return a;
}

std::unique_ptr<Projekt> beispiel(UserSeam& seam, const QString& datei) {
    auto p = std::make_unique<Projekt>(seam);
    p->setAutomatischSichern([] { return false; });
    p->setDateiname(datei);
    if (!p->laden()) return nullptr;
    return p;
}

} // namespace

TEST(ZweiKontexte, ComputeSideBySideInTwoThreadsEachWithItsOwnResults) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
    ASSERT_TRUE(beispielSchreiben(datei));
    RecordingSeam seam;
    auto p1 = beispiel(seam, datei);
    auto p2 = beispiel(seam, datei);
    ASSERT_TRUE(p1 && p2);

    // The first calculation: the program's catalogue, sizing by velocity.
    Grundlagen a;
    a.katalog = basisDatenTabelle();
    Einstellungen ea = einstellungen();
    ea.setAuslegung(0);
    a.einstellungen = std::make_shared<const Einstellungen>(ea);
    // The second: a catalogue that names ducts differently, sizing by gradient.
    Grundlagen b;
    b.katalog = basisDatenTabelle();
    auto kanal = std::make_shared<tBasisDaten_>(*b.katalog.get(typKanal));
    kanal->titel = QStringLiteral("Luftkanal");
    ASSERT_TRUE(b.katalog.setzen(typKanal, kanal));
    Einstellungen eb = einstellungen();
    eb.setAuslegung(1);
    b.einstellungen = std::make_shared<const Einstellungen>(eb);

    const Rechenlauf lauf;
    ASSERT_TRUE(lauf.gestartet());
    const Ausgabe alleinA = rechnen(p1->baum(), a, lauf);
    const Ausgabe alleinB = rechnen(p2->baum(), b, lauf);
    ASSERT_FALSE(alleinA.zeilen.isEmpty());
    ASSERT_FALSE(alleinA.geraeusche.empty());
    // The two catalogues give different rows, so a mix-up would show.
    EXPECT_NE(alleinA.zeilen, alleinB.zeilen);
    EXPECT_TRUE(alleinB.zeilen.filter(QStringLiteral("|Luftkanal")).size() > 0);
    EXPECT_TRUE(alleinA.zeilen.filter(QStringLiteral("|Luftkanal")).isEmpty());

    constexpr int runden = 20;
    std::vector<Ausgabe> nebenA, nebenB;
    std::thread ta([&] {
        for (int k = 0; k < runden; ++k) nebenA.push_back(rechnen(p1->baum(), a, lauf));
    });
    std::thread tb([&] {
        for (int k = 0; k < runden; ++k) nebenB.push_back(rechnen(p2->baum(), b, lauf));
    });
    ta.join();
    tb.join();
    ASSERT_EQ(nebenA.size(), static_cast<size_t>(runden));
    ASSERT_EQ(nebenB.size(), static_cast<size_t>(runden));
    for (int k = 0; k < runden; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(nebenA[static_cast<size_t>(k)].zeilen, alleinA.zeilen);
        EXPECT_EQ(nebenB[static_cast<size_t>(k)].zeilen, alleinB.zeilen);
        EXPECT_EQ(nebenA[static_cast<size_t>(k)].geraeusche, alleinA.geraeusche);
        EXPECT_EQ(nebenB[static_cast<size_t>(k)].geraeusche, alleinB.geraeusche);
    }
}
