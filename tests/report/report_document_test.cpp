#include "report/report_document.h"

#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace zephan;

namespace {

// A bitmap file header plus info header with the given width and height, then pixel bytes
// that contain every byte the definition line must escape.
QByteArray bitmap(int breite, int hoehe) {
    QByteArray b("BM");
    auto le = [&b](quint32 v, int n) {
        for (int i = 0; i < n; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    le(70, 4); // file size
    le(0, 4);  // reserved
    le(54, 4); // pixel offset
    le(40, 4); // info header size
    le(static_cast<quint32>(breite), 4);
    le(static_cast<quint32>(hoehe), 4);
    le(1, 2);  // planes
    le(24, 2); // bits per pixel
    while (b.size() < 54) b.append('\0');
    b.append(QByteArray("\x00\n\r\\|\xFE\xB0"
                        "A",
                        8));
    return b;
}

} // namespace

TEST(ReportDocument, TextOperationsWriteTheirLinesExactly) {
    TDruck d;
    d.add("a\r\nb\rc\nd");
    d.add("Breite", "400\r\nmm");
    d.addW("roh\r\nbleibt");
    d.addStrings({"x\ry", "", "z"});
    d.leer();
    d.headline("Ergebnis");
    d.headline("Raum\r\nOst");
    EXPECT_EQ(d.m, (QStringList{"aþbþc\nd", "Breite|400þmm", "roh\r\nbleibt", "xþy", "", "z", "",
                                "°ÜErgebnis", "°ÜRaumþOst"}));
}

TEST(ReportDocument, HeadingPassesThroughTheTranslationHook) {
    TDruck d;
    d.uebersetzen = [](const QString& s) {
        return s == QLatin1String("Ergebnis") ? QStringLiteral("Result") : s;
    };
    d.headline("Ergebnis");
    d.headline("Strang 1");
    EXPECT_EQ(d.m, (QStringList{"°ÜResult", "°ÜStrang 1"}));
}

TEST(ReportDocument, MemoBecomesOneLinePerMemoLine) {
    TDruck d;
    d.addMemo("z1\r\nz2\rz3\nz4\r\n", true);
    d.addMemo("a\r\n\r\nb", false);
    d.addMemo("", false);
    d.addMemo("", true);
    EXPECT_EQ(d.m, (QStringList{"z1", "z2", "z3", "z4", "", "a", "", "b", ""}));
}

TEST(ReportDocument, MemoWithPrefixBecomesOneTableRow) {
    TDruck d;
    d.addMemo2("Bemerkung", "erste\r\nzweite\ndritte", true);
    d.addMemo2("Spalte 1|", "eins\rzwei", false);
    d.addMemo2("", "p\r\nq", true);
    EXPECT_EQ(d.m,
              (QStringList{"Bemerkung|ersteþzweiteþdritte", "Spalte 1|einsþzwei", "p", "q", ""}));
}

TEST(ReportDocument, LayoutCommandsWriteTheirLinesExactly) {
    TDruck d;
    d.tabelle("0,15,*,-8,-7");
    d.tabelleK(0, "1,80,-15");
    d.tabelleK(2, "2,35,-10,30");
    d.design("+U|+U|+U");
    d.size(12);
    d.size(1);
    d.size(0);
    d.size(-4);
    d.Schrift("Courier New");
    d.links();
    d.rechts();
    d.center();
    d.linksblock();
    d.listitem("1");
    d.listitem("a,3");
    d.listitem("");
    d.linksLeer(2);
    d.NeueSeite();
    d.NeueSeiteNull();
    d.Absatz();
    d.Uebertrag("Übertrag: 1.234 Pa");
    d.Uebertrag("");
    d.Seitenzahlen(true);
    d.Seitenzahlen(false);
    d.SeiteQuer(true);
    d.SeiteQuer(false);
    d.dreh(true);
    d.dreh(false);
    d.kopf_clear();
    d.obenunten(25, 20, 20, 15, 10, 15);
    EXPECT_EQ(d.m, (QStringList{"°TK1|0,15,*,-8,-7",
                                "°TK0|1,80,-15",
                                "°TK2|2,35,-10,30",
                                "°Z+U|+U|+U",
                                "°H12",
                                "°H1",
                                "°H10",
                                "°H10",
                                "°FCourier New",
                                "°XC0",
                                "°XC1",
                                "°XC2",
                                "°XC3",
                                "°N1",
                                "°Na,3",
                                "°N",
                                "°L2",
                                "°XA",
                                "°XA0",
                                "°XB",
                                "°UÜbertrag: 1.234 Pa",
                                "°U",
                                "°XD1",
                                "°XD0",
                                "°Q1",
                                "°Q",
                                "°XQ",
                                "°XQ-",
                                "°KC",
                                "°KO25,20,20,15,10,15"}));
}

TEST(ReportDocument, HeadOfFirstPagesWritesLinesAndStoresTheSet) {
    TDruck d;
    d.kopf("Büro|Planung|", "Projekt-Nr: 17||Bearbeiter: Krause", "Projekt: Schule", "???");
    EXPECT_EQ(d.m, (QStringList{"°KS1_0_Büro|Planung|", "°KS1_1_Projekt-Nr: 17||Bearbeiter: Krause",
                                "°KS1_2_Projekt: Schule"}));
    EXPECT_EQ(d.kop1.k[0], "Büro|Planung|");
    EXPECT_EQ(d.kop1.k[1], "Projekt-Nr: 17||Bearbeiter: Krause");
    EXPECT_EQ(d.kop1.k[2], "Projekt: Schule");
    EXPECT_EQ(d.kop1.fuss, "°"); // "???" keeps the foot

    d.kopf("a", "", "", "[datum]|Seite [seite]");
    EXPECT_EQ(d.kop1.fuss, "[datum]|Seite [seite]");
    EXPECT_EQ(d.m.size(), 6);
    EXPECT_EQ(d.m[4], "°KS1_1_");
}

TEST(ReportDocument, HeadOfLaterPagesWritesTheFootLineOnlyWhenGiven) {
    TDruck d;
    d.kopf2("k1", "k2", "k3", "???");
    EXPECT_EQ(d.m, (QStringList{"°KS2_0_k1", "°KS2_1_k2", "°KS2_2_k3"}));
    EXPECT_EQ(d.kop2.fuss, "-");
    d.kopf2("n1", "", "", "-");
    EXPECT_EQ(d.m.mid(3), (QStringList{"°KS2_0_n1", "°KS2_1_", "°KS2_2_", "°KS2_U0_-"}));
    EXPECT_EQ(d.kop2, (tkopfzeilen{{"n1", "", ""}, "-"}));
    EXPECT_EQ(d.kop1, (tkopfzeilen{{"", "", ""}, "°"})); // first set untouched
}

TEST(ReportDocument, PicturePlacementsWriteOnlyTheGivenOptions) {
    TDruck d;
    d.grafik("  Plan A ", 80);
    d.grafik("Logo", -1, -5, 0);
    d.grafik("logo", 0, 0, -1);
    d.grafik("LOGO", -3, -1, -2);
    d.grafikPro(" Skizze", 50, true);
    d.grafikPro("skizze", -1, false);
    d.grafikPro("skizze", 120, false);
    EXPECT_EQ(d.m, (QStringList{"°GNplan a,B80", "°GNlogo,L-5,O0", "°GNlogo,B0,L0", "°GNlogo",
                                "°GNskizze,B50%,Z1", "°GNskizze", "°GNskizze,B120%"}));
}

TEST(ReportDocument, DiagramLinesCarryEveryItem) {
    TDruck d;
    d.Diagramm(1, 0, 100, 40, "Kennlinie");
    d.Diagramm(3, 10, 80, 35, "Druckverlauf", true, false);
    d.Diagramm(0, 0, 50, 20, "", false, true);
    d.DiaNeueReihe("Anlage", 1, 2, 0xFF0000);
    d.DiaNeueReihe("Ventilator", 0, 0, 0x008000);
    d.DiaNeueReihe("ohne", 2, 1, -1);
    d.DiaSetachse("X", "0", "1.000", "100", "°.V in m³/h", 0);
    d.DiaSetachse("y", "0,5", "2,5", "0,5", "Pa", 3);
    d.add("100|12,5");
    EXPECT_EQ(d.m, (QStringList{"°Dctyp:1|links:0|breite:100|hoehe:40|text:Kennlinie",
                                "°Dctyp:3|links:10|breite:80|hoehe:35|text:Druckverlauf|hliniex:1",
                                "°Dctyp:0|links:0|breite:50|hoehe:20|text:|hliniey:1",
                                "°DNtext:Anlage|nach:1|typ:2|farbe:#FF0000",
                                "°DNtext:Ventilator|nach:0|typ:0|farbe:#008000",
                                "°DNtext:ohne|nach:2|typ:1",
                                "°DXvon:0|bis:1.000|step:100|text:°.V in m³/h",
                                "°Dyvon:0,5|bis:2,5|step:0,5|text:Pa|typ:3", "100|12,5"}));
}

TEST(ReportDocument, PictureDefinitionWritesTheEscapedFileBytes) {
    TDruck d;
    const QByteArray bmp = bitmap(2, 1);
    d.grafikDef(" Logo ", TBild::ausDaten(bmp));
    ASSERT_EQ(d.m.size(), 1);
    const QString z = d.m[0];
    ASSERT_TRUE(z.startsWith("°GXlogo|BMP|BM")) << z.toStdString();
    // The pixel bytes 00 0A 0D 5C 7C FE B0 41 as the line carries them.
    EXPECT_TRUE(z.endsWith(QString("\\0\\n\\r\\\\|") + QChar(0xFE) + QChar(0xB0) + "A"));
    // One character per byte, two for each escaped byte.
    int escaped = 0;
    for (char c : bmp) escaped += (c == '\0' || c == '\n' || c == '\r' || c == '\\') ? 1 : 0;
    EXPECT_EQ(z.size(), QString("°GXlogo|BMP|").size() + bmp.size() + escaped);

    const TGrafikDefinition def = grafikDefinitionLesen(QStringView(z).mid(3));
    EXPECT_EQ(def.name, "logo");
    EXPECT_EQ(def.art, "BMP");
    EXPECT_EQ(def.daten, bmp);
}

TEST(ReportDocument, JpegDefinitionKeepsItsKind) {
    TDruck d;
    const QByteArray jpg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
    d.grafikDef("Foto", TBild::ausDaten(jpg));
    EXPECT_EQ(d.m, (QStringList{QString("°GXfoto|JPG|") + QChar(0xFF) + QChar(0xD8) + QChar(0xFF) +
                                QChar(0xE0) + "\\0" + QChar(0x10) + "JFIF\\0"}));
}

TEST(ReportDocument, EmptyPictureIsReportedAndWritesNothing) {
    TDruck d;
    RecordingSeam seam;
    d.seam = &seam;
    d.grafikDef("Logo", TBild::ausDaten(bitmap(0, 5)));
    d.grafikDef("Leer", TBild{});
    d.grafikDef("Text", TBild::ausDaten("kein Bild"));
    d.grafikDef("Kaputt", TBild::ausDaten("BM\x01")); // header cut off
    EXPECT_TRUE(d.m.isEmpty());
    EXPECT_EQ(seam.fragen, (QStringList{"Bild Logo ist leer [o]", "Bild Leer ist leer [o]",
                                        "Bild Text ist leer [o]", "Bild Kaputt ist leer [o]"}));
}

TEST(ReportDocument, StreamDefinitionDetectsTheKind) {
    TDruck d;
    d.grafikDefstream("a", QByteArray("BMxy"));
    d.grafikDefstream("b", QByteArray("\xFF\xD8\x00\x00\x00\x00J", 7));
    d.grafikDefstream("c", QByteArray("\xFF\xD8\x00\x00\x00\x00K", 7));
    d.grafikDefstream("d", QByteArray("\xFF\xD8\x00\x00\x00J", 6)); // J at byte 5
    d.grafikDefstream("e", QByteArray("B"));
    d.grafikDefstream("f", QByteArray());
    EXPECT_EQ(d.m, (QStringList{"°GXa|BMP|BMxy",
                                QString("°GXb|JPG|") + QChar(0xFF) + QChar(0xD8) + "\\0\\0\\0\\0J",
                                QString("°GXc||") + QChar(0xFF) + QChar(0xD8) + "\\0\\0\\0\\0K",
                                QString("°GXd||") + QChar(0xFF) + QChar(0xD8) + "\\0\\0\\0J",
                                "°GXe||B", "°GXf||"}));
}

TEST(ReportDocument, HeadLogoPlacesAndDefinesThePicture) {
    TDruck d;
    const QByteArray bmp = bitmap(3, 3);
    d.kopflogoDef(" Firmenlogo", 30, 150, 10, TBild::ausDaten(bmp));
    d.kopflogoDef("", 30, 150, 10, TBild::ausDaten(bmp));
    ASSERT_EQ(d.m.size(), 3);
    EXPECT_EQ(d.m[0], "°KLfirmenlogo,B30,L150,O10");
    EXPECT_EQ(d.m[1], "°GXfirmenlogo|BMP|" + grafikDatenSchreiben(bmp));
    EXPECT_EQ(d.m[2], "°KL");
}

TEST(ReportDocument, QrCodeDefinitionWritesModules) {
    TDruck d;
    d.grafikdef_QRCODE(" QR ", "ABCDEFGHIJKLMN");
    d.grafikdef_QRCODE_UTF8("qr8", "ABCDEFGHIJKLMN");
    ASSERT_EQ(d.m.size(), 2);
    // 14 bytes fill version 1 (21 modules); with the byte-order mark 17 bytes need version 2.
    EXPECT_TRUE(d.m[0].startsWith("°GXqr|QRDATA|w=21,h=21,data=1111111")) << d.m[0].toStdString();
    EXPECT_EQ(d.m[0].size(), QString("°GXqr|QRDATA|w=21,h=21,data=").size() + 21 * 21);
    EXPECT_TRUE(d.m[1].startsWith("°GXqr8|QRDATA|w=25,h=25,data=1111111"));
    EXPECT_EQ(d.m[1].size(), QString("°GXqr8|QRDATA|w=25,h=25,data=").size() + 25 * 25);
}

TEST(ReportDocument, QrCodeThatCannotBeBuiltIsReported) {
    TDruck d;
    RecordingSeam seam;
    d.seam = &seam;
    d.grafikdef_QRCODE("Code", "");
    d.grafikdef_QRCODE_UTF8("Lang", QString(3000, 'x'));
    EXPECT_TRUE(d.m.isEmpty());
    EXPECT_EQ(
        seam.fragen,
        (QStringList{"QR-Code Code kann nicht erzeugt werden: kein Inhalt [o]",
                     "QR-Code Lang kann nicht erzeugt werden: Inhalt zu lang (3003 Byte) [o]"}));
}

TEST(ReportDocument, NothingIsRecordedWhileSwitchedOff) {
    TDruck d;
    RecordingSeam seam;
    d.seam = &seam;
    d.add("vorher");
    {
        DruckenAus still(d);
        EXPECT_FALSE(d.drucken);
        d.add("a");
        d.add("c", "a");
        d.addW("a");
        d.addStrings({"a", "b"});
        d.addMemo("a\nb", true);
        d.addMemo2("p", "a", true);
        d.addMemo2("", "a", true);
        d.leer();
        d.headline("a");
        d.tabelle("0,10,90");
        d.tabelleK(2, "0,10,90");
        d.design("A");
        d.size(3);
        d.Schrift("Arial");
        d.links();
        d.rechts();
        d.center();
        d.linksblock();
        d.listitem("1");
        d.linksLeer(1);
        d.NeueSeite();
        d.NeueSeiteNull();
        d.Absatz();
        d.Uebertrag("u");
        d.Seitenzahlen(true);
        d.SeiteQuer(true);
        d.dreh(true);
        d.kopf("x", "y", "z", "f");
        d.kopf2("x", "y", "z", "f");
        d.kopf_clear();
        d.kopflogoDef("logo", 1, 2, 3, TBild::ausDaten(bitmap(1, 1)));
        d.obenunten(1, 2, 3, 4, 5, 6);
        d.grafik("g", 1, 2, 3);
        d.grafikPro("g", 1, true);
        d.grafikDef("g", TBild{}); // not even the empty-picture message
        d.grafikDefstream("g", "BM");
        d.grafikdef_QRCODE("q", "x");
        d.grafikdef_QRCODE_UTF8("q", "");
        d.Diagramm(1, 2, 3, 4, "t");
        d.Diagramm(1, 2, 3, 4, "t", true, true);
        d.DiaNeueReihe("r", 1, 1, 0);
        d.DiaSetachse("X", "0", "1", "1", "t", 1);
    }
    EXPECT_TRUE(d.drucken);
    EXPECT_EQ(d.m, QStringList{"vorher"});
    EXPECT_EQ(d.kop1, (tkopfzeilen{{"", "", ""}, "°"}));
    EXPECT_EQ(d.kop2, (tkopfzeilen{{"-", "", ""}, "-"}));
    EXPECT_TRUE(seam.fragen.isEmpty());

    // Properties are no lines: they are set while recording is off as well.
    DruckenAus still(d);
    d.wasserzeichen("ENTWURF");
    d.setfalzmarken(true);
    d.grafikDefDirekt("x", QByteArray("BM"));
    EXPECT_EQ(d.wasserzeichen_, "ENTWURF");
    EXPECT_TRUE(d.falzmarken_);
    EXPECT_NE(d.direkteGrafik("x"), nullptr);
}

TEST(ReportDocument, SwitchingOnForAScopeRestoresOff) {
    TDruck d;
    d.drucken = false;
    {
        DruckenAus an(d, true);
        d.add("bericht");
    }
    d.add("still");
    EXPECT_FALSE(d.drucken);
    EXPECT_EQ(d.m, QStringList{"bericht"});
}

TEST(ReportDocument, ClearResetsDocumentHeadsPropertiesAndMargins) {
    TDruck d;
    const auto vorher = d.generation();
    d.add("x");
    d.sichern();
    d.kopf("a", "b", "c", "f");
    d.kopf2("d", "e", "g", "h");
    d.anBetreff = "Betreff";
    d.anErsteller = "Krause";
    d.anEMail = "bau@example.org";
    d.wasserzeichen("ENTWURF");
    d.setfalzmarken(true);
    d.quer = true;
    d.obenspin = d.untenspin = d.Alinks = d.Arechts = d.Akopf = d.Afuss = 1;
    d.grafikDefDirekt("logo", TBild::ausDaten(bitmap(1, 1)));
    d.grafiken.append({"g", "BMP", "BM"});
    d.setGedruckt(true);
    d.setGeMailt(true);
    d.drucken = false;

    d.clear();
    EXPECT_TRUE(d.m.isEmpty());
    EXPECT_TRUE(d.mbackup.isEmpty());
    EXPECT_EQ(d.kop1, (tkopfzeilen{{"", "", ""}, "°"}));
    EXPECT_EQ(d.kop2, (tkopfzeilen{{"-", "", ""}, "-"}));
    EXPECT_TRUE(d.anBetreff.isEmpty());
    EXPECT_TRUE(d.anErsteller.isEmpty());
    EXPECT_TRUE(d.anEMail.isEmpty());
    EXPECT_TRUE(d.wasserzeichen_.isEmpty());
    EXPECT_FALSE(d.falzmarken_);
    EXPECT_FALSE(d.quer);
    EXPECT_EQ(d.obenspin, 200);
    EXPECT_EQ(d.untenspin, 200);
    EXPECT_EQ(d.Alinks, 200);
    EXPECT_EQ(d.Arechts, 200);
    EXPECT_EQ(d.Akopf, 100);
    EXPECT_EQ(d.Afuss, 150);
    EXPECT_TRUE(d.grafikDirekt.isEmpty());
    EXPECT_TRUE(d.grafiken.isEmpty());
    EXPECT_FALSE(d.gedruckt());
    EXPECT_FALSE(d.geMailt());
    EXPECT_EQ(d.generation(), vorher + 1);
    EXPECT_FALSE(d.drucken); // the recording switch belongs to the caller
}

TEST(ReportDocument, ShownDocumentIsRestoredForEveryLayoutRun) {
    TDruck d;
    d.add("a");
    d.add("b");
    d.sichern();
    d.m.insert(1, "°XB"); // a layout run rewrites the working list
    d.m.removeLast();
    d.wiederherstellen();
    EXPECT_EQ(d.m, (QStringList{"a", "b"}));
}

TEST(ReportDocument, CallerPicturesAreFoundByTrimmedNameInAnyCase) {
    TDruck d;
    d.grafikDefDirekt(" Logo ", TBild::ausDaten(bitmap(1, 1)));
    d.grafikDefDirekt("plan", QByteArray("\xFF\xD8\x00\x00\x00\x00J", 7));
    d.grafikDefDirekt("LOGO", TBild::ausDaten(bitmap(7, 1)));
    ASSERT_EQ(d.grafikDirekt.size(), 2);
    ASSERT_NE(d.direkteGrafik("logo "), nullptr);
    EXPECT_EQ(bmpBreite(d.direkteGrafik("logo ")->daten), 7);
    ASSERT_NE(d.direkteGrafik("PLAN"), nullptr);
    EXPECT_EQ(d.direkteGrafik("PLAN")->art, "JPG");
    EXPECT_EQ(d.direkteGrafik("fehlt"), nullptr);
    EXPECT_TRUE(d.m.isEmpty());
}

TEST(ReportDocument, DefinedPicturesAreFoundNewestFirst) {
    TDruck d;
    d.grafiken.append({"logo", "BMP", "alt"});
    d.grafiken.append({"plan", "JPG", "p"});
    d.grafiken.append({"logo", "JPG", "neu"});
    ASSERT_NE(d.definierteGrafik(" Logo"), nullptr);
    EXPECT_EQ(d.definierteGrafik(" Logo")->daten, "neu");
    EXPECT_EQ(d.definierteGrafik("nichts"), nullptr);
}

TEST(ReportDocument, NewDocumentStartsCleared) {
    TDruck d;
    EXPECT_TRUE(d.drucken);
    EXPECT_EQ(d.kop1.fuss, "°");
    EXPECT_EQ(d.kop2.k[0], "-");
    EXPECT_EQ(d.obenspin, 200);
}

TEST(ReportDocument, LineClassesFollowTheFirstTwoCharacters) {
    EXPECT_EQ(zeilenart(u""), Zeilenart::Leer);
    EXPECT_EQ(zeilenart(u"°"), Zeilenart::Text); // a lone marker is text
    EXPECT_EQ(zeilenart(u"°H12"), Zeilenart::Befehl);
    EXPECT_EQ(zeilenart(u"°(fett x"), Zeilenart::Befehl); // the second character selects
    EXPECT_EQ(zeilenart(u" °H12"), Zeilenart::Text);
    EXPECT_EQ(zeilenart(u"a|b"), Zeilenart::Text);
}

TEST(ReportDocument, PreparationDropsTrailingCommandsAndDoubleBlocks) {
    QStringList m{"°Üx",  "°XB",  "°XB", "°XB", "a|b", "|||",  "",
                  "°XB-", "Text", "",    "°XA", "°U",  "°XC0", ""};
    dokumentVorbereiten(m);
    EXPECT_EQ(m, (QStringList{"°Üx", "°XB", "a|b", " ", "", "°XB-", "Text"}));

    QStringList nurSeiten{"°XA", "°XA", ""};
    dokumentVorbereiten(nurSeiten);
    EXPECT_TRUE(nurSeiten.isEmpty());

    QStringList langeStriche{QString(199, '|'), QString(200, '|'), "°XA", "°H10"};
    dokumentVorbereiten(langeStriche);
    EXPECT_EQ(langeStriche, (QStringList{" ", QString(200, '|'), "°XA", "°H10"}));
}
