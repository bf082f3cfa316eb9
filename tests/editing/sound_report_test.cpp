#include "editing/sound_report.h"
#include "editing_fixture.h"
#include "network/project_data.h"
#include "network/project_file.h"
#include "network/record_snapshot.h"
#include "report/report_document.h"
#include "support/golden.h"

using namespace zephan;
using zephan::testing::Sitzung;

// "s" / F9 on a room of the example: the room's attenuation, then the sound the network
// brings into it.

namespace {

class RaumBericht : public Sitzung {
protected:
    void SetUp() override {
        Sitzung::SetUp();
        ASSERT_NO_FATAL_FAILURE(beispielLaden());
        // method A, bands 125 Hz ... 2 kHz
        einstellungen().setSchallmethode(0);
    }
    GeraeuschBerichtErgebnis f9(const char* pos) {
        return geraeuschBericht(s.baum(), at(pos), doc, s.projekt().daten(), &seam);
    }
    int zeile(const QString& text) const { return static_cast<int>(doc.m.indexOf(text)); }
    TDruck doc;
};

TEST_F(RaumBericht, AttenuationThenTheRoomsSectionOnly) {
    std::vector<KnotenZustand> vorher;
    for (tmylistitem* x = s.baum().topitem(); x; x = x->getNext())
        vorher.push_back(KnotenZustand::von(x));
    const GeraeuschBerichtErgebnis e = f9("1.8");
    ASSERT_TRUE(e.bericht);
    EXPECT_TRUE(e.meldung.isEmpty()) << e.meldung.toStdString();
    expectGolden(QStringLiteral("schall_beispiel"), QStringLiteral("raum_1.8.txt"),
                 doc.m.join(QLatin1Char('\n')));

    // In order: the room's heading, its attenuation, its section of the network run (the
    // level 51 dB(A) the summary of the whole line gives it), its chart, the legend.
    const int kopf = zeile(QStringLiteral("°Ü1.8 ") + at("1.8")->caption());
    const int senkung = zeile(QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)"));
    const int abschnitt = zeile(QStringLiteral("°ÜSchallpegel der Anlagenelemente im Raum 1"));
    const int pegel = zeile(QStringLiteral("A-Schallpegel L°(sub a°(-sub = 51 [dB]"));
    const int diagramm = static_cast<int>(
        doc.m.indexOf(QStringLiteral("°Dctyp:2|links:0|breite:100|hoehe:40|text:Oktavpegel im Raum "
                                     "[dB]|hliniey:1")));
    const int legende = zeile(QStringLiteral("L°(sub w°(-sub|Schalleistungspegel [dB]"));
    EXPECT_EQ(kopf, 3); // after the project head
    EXPECT_LT(kopf, senkung);
    EXPECT_LT(senkung, abschnitt);
    EXPECT_LT(abschnitt, pegel);
    EXPECT_LT(pegel, diagramm);
    EXPECT_LT(diagramm, legende);
    // The components' sections and the summary of a whole line stay out.
    EXPECT_EQ(zeile(QStringLiteral("°ÜStrömungsgeräusch und Pegelsenkung.")), -1);
    EXPECT_EQ(zeile(QStringLiteral("°ÜZusammenfassung Schallpegelberechnung")), -1);
    EXPECT_EQ(doc.m.filter(QStringLiteral("°Ü1.")).size(), 1);

    size_t i = 0;
    for (tmylistitem* x = s.baum().topitem(); x; x = x->getNext())
        EXPECT_TRUE(KnotenZustand::von(x) == vorher[i++]) << x->position().toStdString();
    EXPECT_FALSE(s.geaendert());
}

TEST_F(RaumBericht, AComponentOnTheWayInPlanningKeepsTheAttenuation) {
    s.auswaehlen(at("1.4"));
    s.editDaten().planung = true;
    ASSERT_TRUE(s.uebernehmen());
    const GeraeuschBerichtErgebnis e = f9("1.8");
    ASSERT_TRUE(e.bericht);
    EXPECT_EQ(e.meldung, QStringLiteral("Schallpegel im Raum nicht berechnet: Bauteil befindet "
                                        "sich noch im Status Planung. (1.4)"));
    EXPECT_GT(zeile(QStringLiteral("Pegelsenkung Raum (Abschnitt 7.7)")), 0);
    EXPECT_EQ(doc.m.last(), e.meldung);
    EXPECT_EQ(zeile(QStringLiteral("°ÜSchallpegel der Anlagenelemente im Raum 1")), -1);

    // A room in another line is not touched by it.
    const GeraeuschBerichtErgebnis f = f9("2.4");
    ASSERT_TRUE(f.bericht);
    EXPECT_TRUE(f.meldung.isEmpty()) << f.meldung.toStdString();
    EXPECT_GT(zeile(QStringLiteral("°ÜSchallpegel der Anlagenelemente im Raum 3")), 0);
}

TEST_F(RaumBericht, Refusals) {
    struct Fall {
        const char* pos; // null: nothing selected
        bool planung;
        const char* meldung;
    };
    const Fall faelle[] = {
        {nullptr, false, "Kein Bauteil ausgewählt."},
        {"1", false, "Für dieses Bauteil wird kein Strömungsgeräusch berechnet."},
        {"1.4", true, "Das Bauteil ist noch in Planung."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.pos ? f.pos : "-");
        if (f.planung) {
            s.auswaehlen(at(f.pos));
            s.editDaten().planung = true;
            ASSERT_TRUE(s.uebernehmen());
        }
        doc.m = QStringList{QStringLiteral("alt")};
        const GeraeuschBerichtErgebnis e = geraeuschBericht(s.baum(), f.pos ? at(f.pos) : nullptr,
                                                            doc, s.projekt().daten(), &seam);
        EXPECT_FALSE(e.bericht);
        EXPECT_EQ(e.meldung, QString::fromUtf8(f.meldung));
        EXPECT_EQ(doc.m, QStringList{QStringLiteral("alt")});
    }
}

} // namespace
