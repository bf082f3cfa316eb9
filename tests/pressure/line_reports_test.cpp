#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_file.h"
#include "network/tree_position.h"
#include "network/type_codes.h"
#include "pressure/line_reports.h"
#include "report/report_document.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

using namespace zephan;

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Linienberichte : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        const QString datei = ordner.filePath(QStringLiteral("Beispiel.pro"));
        ASSERT_TRUE(beispielSchreiben(datei));
        projekt = std::make_unique<Projekt>(seam);
        projekt->setAutomatischSichern([] { return false; });
        projekt->setDateiname(datei);
        ASSERT_TRUE(projekt->laden());
    }

    tmylistitem* at(const char* pos) {
        return knotenAnPosition(projekt->baum(), QString::fromLatin1(pos));
    }

    // The report's lines after the project head (three head lines).
    static QStringList nachKopf(const TDruck& d) {
        EXPECT_GE(d.m.size(), 3);
        EXPECT_TRUE(d.m.value(0).startsWith(QStringLiteral("°KS1_0_Musterplanung GmbH")));
        return d.m.mid(3);
    }

    QTemporaryDir ordner;
    RecordingSeam seam;
    std::unique_ptr<Projekt> projekt;
};

} // namespace

TEST_F(Linienberichte, StrangverlaufListsEveryNodeWithItsFlowInCubicMetresPerHour) {
    TDruck doc;
    ASSERT_TRUE(strangverlauf(basisDatenTabelle(), projekt->baum(), at("1.5.3"), doc,
                              projekt->daten(), &seam));
    const QStringList erwartet{
        "°ÜKompletter Strangverlauf für Zuluft: 1 Beispiel",
        "°TK2|0,30,40,-10",
        "Position|Bauteil|°.V",
        "||m³/h",
        "1.1|Strömen in Kanal|2.000",
        "1.2|Kanal|2.000",
        "1.3|Ventilator|2.000",
        "1.4|Kanal|2.000",
        "1.5|Abzweigstück 90°->|2.000",
        "1.5.1|Kanal|1.000",
        "1.5.2|Bogen 90°|1.000",
        "1.5.3|Kanal|1.000",
        "1.5.4|Zuluftauslass, normal|1.000",
        "1.5.5|Raum: 2|1.000",
        "|",
        "1.6|Kanal|1.000",
        "1.7|Zuluftauslass, normal|1.000",
        "1.8|Raum: 1|1.000",
        "|",
        "",
    };
    EXPECT_EQ(nachKopf(doc), erwartet);
    EXPECT_TRUE(seam.fragen.isEmpty());

    // The extract line carries its identifier in the title.
    TDruck ab;
    ASSERT_TRUE(
        strangverlauf(basisDatenTabelle(), projekt->baum(), at("2"), ab, projekt->daten(), &seam));
    EXPECT_EQ(nachKopf(ab).value(0),
              QStringLiteral("°ÜKompletter Strangverlauf für Abluft: 2 Beispiel"));
}

TEST_F(Linienberichte, ZusammenstellungNamesItsColumnsAndTheFlowUnit) {
    TDruck doc;
    // A line head selected: that line and every line after it.
    projekt->baum().setSelected(at("1"));
    ASSERT_TRUE(bauteilZusammenstellen(basisDatenTabelle(), projekt->baum(), typKanal, doc,
                                       projekt->daten()));
    const QStringList erwartet{
        "°ÜZusammenstellung für Bauteil: Kanal",
        "°TK2|0,20,-8,*",
        "Position|°.V|Bauteil",
        "|m³/h|",
        "1.2|2.000|Kanal",
        "1.4|2.000|Kanal",
        "1.5.1|1.000|Kanal",
        "1.5.3|1.000|Kanal",
        "1.6|1.000|Kanal",
    };
    EXPECT_EQ(nachKopf(doc), erwartet);

    // A component selected: its chain only, the outlet with its option.
    TDruck kette;
    projekt->baum().setSelected(at("1.5.2"));
    ASSERT_TRUE(bauteilZusammenstellen(basisDatenTabelle(), projekt->baum(), typZuluftauslass,
                                       kette, projekt->daten()));
    const QStringList auslass = nachKopf(kette);
    ASSERT_EQ(auslass.size(), 5);
    EXPECT_EQ(auslass[2], QStringLiteral("Position|°.V|Bauteil"));
    EXPECT_TRUE(auslass[4].startsWith(QStringLiteral("1.5.4|1.000|Zuluftauslass")))
        << auslass[4].toStdString();
}
