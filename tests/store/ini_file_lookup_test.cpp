// Lookups of the sectioned store that take shortcuts: keys lowered without a copy, an index
// only for long sections, the section after the one found last, strings shared between
// lines, the file text written straight into code page 1252 bytes.

#include "store/codepage1252.h"
#include "store/ini_file.h"

#include <gtest/gtest.h>

using namespace zephan;

namespace {

TIniFile2 fromText(const QByteArray& bytes) {
    TIniFile2 ini;
    EXPECT_TRUE(ini.loadFromBytes(bytes)) << ini.lastError().toStdString();
    return ini;
}

} // namespace

TEST(IniFileLookup, LongSectionFindsTheFirstOfEqualKeysInAnyCase) {
    // 40 lines: searched through its index. "Wert7" stands twice; the first one counts, also
    // after lines before it were deleted and others appended.
    QByteArray text = "[lang]\r\n";
    for (int i = 0; i < 38; ++i)
        text += "Wert" + QByteArray::number(i) + "=" + QByteArray::number(i * 10) + "\r\n";
    text += "WERT7=zweite\r\n# Wert8=kommentar\r\n";
    TIniFile2 ini = fromText(text);
    EXPECT_EQ(ini.ReadString("lang", "wert7"), QStringLiteral("70"));
    EXPECT_EQ(ini.ReadString("LANG", " WeRt37 "), QStringLiteral("370"));
    EXPECT_EQ(ini.ReadString("lang", "Wert8"), QStringLiteral("80"));
    ini.DeleteKey("lang", "Wert7");
    EXPECT_EQ(ini.ReadString("lang", "wert7"), QStringLiteral("zweite"));
    ini.WriteString("lang", "Neu", "n");
    ini.WriteString("lang", "wert7", "dritte");
    EXPECT_EQ(ini.ReadString("lang", "NEU"), QStringLiteral("n"));
    EXPECT_EQ(ini.ReadString("lang", "Wert7"), QStringLiteral("dritte"));
    EXPECT_EQ(ini.ReadSection("lang").size(), 39);
    EXPECT_EQ(ini.ReadSection("lang").at(37), QStringLiteral("WERT7"));
}

TEST(IniFileLookup, KeysBeyondAsciiAndLongKeys) {
    TIniFile2 ini;
    ini.WriteString("s", QStringLiteral("Größe"), "1");
    ini.WriteString("s", QStringLiteral("ÄNDERUNG"), "2");
    const QString lang = QString(70, QLatin1Char('K')) + QStringLiteral("ey");
    ini.WriteString("s", lang, "3");
    EXPECT_EQ(ini.ReadString("S", QStringLiteral("GRÖßE")), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString("s", QStringLiteral("änderung")), QStringLiteral("2"));
    EXPECT_EQ(ini.ReadString("s", lang.toLower()), QStringLiteral("3"));
    EXPECT_FALSE(ini.ValueExists("s", lang.left(71)));
    // The same keys read back from the file text.
    TIniFile2 back = fromText(ini.toBytes());
    EXPECT_EQ(back.ReadString("s", QStringLiteral("größe")), QStringLiteral("1"));
    EXPECT_EQ(back.ReadString("s", lang.toUpper()), QStringLiteral("3"));
    EXPECT_EQ(back.ReadSection("s"),
              (QStringList{QStringLiteral("Größe"), QStringLiteral("ÄNDERUNG"), lang}));
}

TEST(IniFileLookup, SectionsFoundInAnyOrderAroundErasedOnes) {
    TIniFile2 ini;
    for (int i = 0; i < 10; ++i) ini.WriteInteger("Abschnitt" + QString::number(i), "n", i);
    qint64 summe = 0;
    for (int i = 0; i < 10; ++i)
        summe += ini.ReadInteger("abschnitt" + QString::number(i), "n", -100);
    EXPECT_EQ(summe, 45);
    for (int i = 9; i >= 0; i -= 3)
        EXPECT_EQ(ini.ReadInteger("ABSCHNITT" + QString::number(i), "N", -100), i);
    // The section found last and the one after it go; lookups must not land on them.
    EXPECT_EQ(ini.ReadInteger("Abschnitt4", "n", -100), 4);
    ini.eraseSection("Abschnitt4");
    ini.eraseSection("Abschnitt5");
    EXPECT_EQ(ini.ReadInteger("Abschnitt4", "n", -100), -100);
    EXPECT_EQ(ini.ReadInteger("Abschnitt5", "n", -100), -100);
    EXPECT_EQ(ini.ReadInteger("Abschnitt3", "n", -100), 3);
    EXPECT_EQ(ini.ReadInteger("Abschnitt6", "n", -100), 6);
    ini.eraseSections("abschnitt6");
    EXPECT_EQ(ini.ReadInteger("Abschnitt6", "n", -100), -100);
    EXPECT_EQ(ini.ReadInteger("Abschnitt7", "n", -100), 7);
    // A section written again goes to the end and is found there.
    ini.WriteInteger("Abschnitt4", "n", 44);
    EXPECT_EQ(ini.ReadSections().last(), QStringLiteral("Abschnitt4"));
    EXPECT_EQ(ini.ReadInteger("Abschnitt3", "n", -100), 3);
    EXPECT_EQ(ini.ReadInteger("Abschnitt4", "n", -100), 44);
    ini.clear();
    EXPECT_FALSE(ini.SectionExists("Abschnitt3"));
    ini.WriteInteger("x", "n", 1);
    EXPECT_EQ(ini.ReadInteger("X", "n", -100), 1);
}

TEST(IniFileLookup, MovedStoreKeepsItsLookups) {
    TIniFile2 a;
    a.WriteString("eins", "k", "1");
    a.WriteString("zwei", "k", "2");
    EXPECT_EQ(a.ReadString("eins", "k"), QStringLiteral("1"));
    TIniFile2 b(std::move(a));
    EXPECT_EQ(b.ReadString("zwei", "k"), QStringLiteral("2"));
    EXPECT_EQ(b.ReadString("EINS", "k"), QStringLiteral("1"));
    b.WriteString("drei", "k", "3");
    EXPECT_EQ(b.ReadSections(), (QStringList{"eins", "zwei", "drei"}));
    // A store moved right after clear() has nothing found last.
    TIniFile2 c;
    c.WriteString("a", "k", "v");
    c.clear();
    TIniFile2 d(std::move(c));
    EXPECT_FALSE(d.SectionExists("a"));
    d.WriteString("a", "k", "w");
    EXPECT_EQ(d.ReadString("a", "k"), QStringLiteral("w"));
}

TEST(IniFileLookup, LinesWithEqualTextsStayIndependent) {
    // Equal keys and short values are shared between the lines read; changing one line must
    // change no other.
    QByteArray text;
    for (int i = 0; i < 50; ++i) text += "[" + QByteArray::number(i) + "]\r\nI0=800\r\nTyp=2\r\n";
    TIniFile2 ini = fromText(text);
    ini.WriteString("7", "I0", "900");
    ini.WriteString("8", "typ", "3");
    EXPECT_EQ(ini.ReadString("7", "I0"), QStringLiteral("900"));
    EXPECT_EQ(ini.ReadString("6", "I0"), QStringLiteral("800"));
    EXPECT_EQ(ini.ReadString("9", "I0"), QStringLiteral("800"));
    EXPECT_EQ(ini.ReadString("8", "Typ"), QStringLiteral("3"));
    EXPECT_EQ(ini.ReadString("49", "Typ"), QStringLiteral("2"));
    EXPECT_EQ(ini.ReadSection("8"), (QStringList{"I0", "Typ"}));
}

TEST(IniFileLookup, KeysInChangingOrderAreReadByTheirNames) {
    // Sections list their keys in varying order, with some missing and one in other case.
    const QByteArray text = "[a]\r\nLevel=0\r\nTyp=1\r\nText=x\r\nI0=5\r\n\r\n"
                            "[b]\r\nLevel=1\r\nTyp=2\r\nI0=6\r\n\r\n"
                            "[c]\r\nTyp=3\r\nLevel=2\r\nI0=7\r\nText=z\r\n\r\n"
                            "[d]\r\nlevel=3\r\nI0=8\r\nTYP=4\r\n\r\n"
                            "[e]\r\nLevel=4\r\nTyp=5\r\nText=y\r\nI0=9\r\n";
    TIniFile2 ini = fromText(text);
    const char* namen[] = {"a", "b", "c", "d", "e"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ini.ReadInteger(namen[i], "Level", -1), i) << namen[i];
        EXPECT_EQ(ini.ReadInteger(namen[i], "Typ", -1), i + 1) << namen[i];
        EXPECT_EQ(ini.ReadInteger(namen[i], "I0", -1), i + 5) << namen[i];
    }
    EXPECT_EQ(ini.ReadString("b", "Text", "fehlt"), QStringLiteral("fehlt"));
    EXPECT_EQ(ini.ReadString("c", "Text"), QStringLiteral("z"));
    EXPECT_EQ(ini.ReadSection("d"), (QStringList{"level", "I0", "TYP"}));
    EXPECT_EQ(QString::fromLatin1(ini.toBytes()), QString::fromLatin1(text));
}

TEST(IniFileLookup, DuplicateSectionsNamedWithTheirLine) {
    TIniFile2 ini;
    EXPECT_FALSE(ini.loadFromBytes("frei=1\r\n[a]\r\nx=1\r\n\r\n[b]\r\n[]\r\n"));
    EXPECT_EQ(ini.lastError(), QStringLiteral("Der Abschnitt [] kommt doppelt vor (Zeile 6)."));
    EXPECT_TRUE(ini.leer());
    EXPECT_FALSE(ini.loadFromBytes("[x]\r\n[y]\r\n[Z]\r\n[X]\r\n[z]\r\n"));
    EXPECT_EQ(ini.lastError(), QStringLiteral("Der Abschnitt [X] kommt doppelt vor (Zeile 4)."));
    EXPECT_TRUE(ini.leer());
    // Text before the first header joins the store's untitled part; a header "[]" cannot.
    ASSERT_TRUE(ini.loadFromBytes("frei=1\r\n[a]\r\nx=1\r\n"));
    ASSERT_TRUE(ini.addtext("auch=2\r\n[b]\r\ny=2\r\n"));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"", "a", "b"}));
    EXPECT_EQ(ini.ReadString("", "auch"), QStringLiteral("2"));
    EXPECT_EQ(ini.ReadString("b", "y"), QStringLiteral("2"));
    EXPECT_FALSE(ini.addtext("[c]\r\n[]\r\n"));
    EXPECT_EQ(ini.lastError(), QStringLiteral("Der Abschnitt [] kommt doppelt vor (Zeile 2)."));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"", "a", "b"}));
}

TEST(IniFileLookup, CodePage1252BytesAsTheEncoderWritesThem) {
    // Every character code page 1252 holds beyond ASCII, in a key, a value and a header.
    QString alle;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QString c = decodeCp1252(QByteArray(1, static_cast<char>(b)));
        if (c != QStringLiteral("\r") && c != QStringLiteral("\n")) alle += c;
    }
    TIniFile2 ini;
    ini.WriteString(QStringLiteral("Räume"), QStringLiteral("Maß"), alle);
    ini.WriteString(QStringLiteral("Räume"), QStringLiteral("Preis"), QStringLiteral("12 €"));
    ini.WriteString("b", "k", "v");
    const QByteArray bytes = ini.toBytes();
    EXPECT_EQ(bytes, encodeCp1252(ini.text()));
    EXPECT_EQ(bytes.left(9), QByteArray("[R\xE4ume]\r\n"));
    EXPECT_TRUE(bytes.contains("Preis=12 \x80\r\n"));
    EXPECT_EQ(fromText(bytes).ReadString(QStringLiteral("räume"), QStringLiteral("MAß")), alle);
    // One character the code page lacks sends the whole file out as UTF-8.
    ini.WriteString("b", "k", QStringLiteral("→"));
    EXPECT_EQ(ini.toBytes(), ini.text().toUtf8());
    EXPECT_EQ(fromText(ini.toBytes()).ReadString("b", "k"), QStringLiteral("→"));
}

TEST(IniFileLookup, LargeStoreWrittenAndReadBackLineForLine) {
    TIniFile2 ini;
    ini.WriteInteger("List", "Count", 20000);
    for (int i = 0; i < 20000; ++i) {
        const QString s = QString::number(i);
        ini.WriteInteger(s, "Level", i % 5);
        ini.WriteInteger(s, "Typ", i % 131);
        if (i % 3 == 0) ini.WriteString(s, "Text", "Abschnitt " + s);
        ini.WriteInteger(s, "I0", 100 + i % 900);
        ini.WriteString(s, "P1", i % 2 ? QStringLiteral("1,200") : QStringLiteral("0,9"));
    }
    const QByteArray bytes = ini.toBytes();
    TIniFile2 back = fromText(bytes);
    EXPECT_EQ(back.sectionCount(), 20001);
    EXPECT_EQ(back.toBytes(), bytes);
    EXPECT_EQ(back.ReadInteger("19999", "Typ", -1), 19999 % 131);
    EXPECT_EQ(back.ReadString("19998", "Text"), QStringLiteral("Abschnitt 19998"));
    EXPECT_EQ(back.ReadString("19997", "Text", "keiner"), QStringLiteral("keiner"));
    EXPECT_EQ(back.ReadString("12345", "p1"), QStringLiteral("1,200"));
    EXPECT_EQ(back.ReadInteger("777", "I0", -1), 100 + 777 % 900);
}
