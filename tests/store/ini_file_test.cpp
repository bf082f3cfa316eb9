#include "store/echo_text.h"
#include "store/ini_file.h"
#include "store/packed_container.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zephan;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(data) == data.size();
}

TIniFile2 fromText(const QByteArray& bytes, TFileFormat format = ffAnsi) {
    TIniFile2 ini(QString(), format);
    EXPECT_TRUE(ini.loadFromBytes(bytes)) << ini.lastError().toStdString();
    return ini;
}

} // namespace

// --- text layout -----------------------------------------------------------------------------

TEST(IniFileText, RoundTripKeepsCommentsUntitledPartAndKeySpelling) {
    const QByteArray file = "; written by hand\r\n"
                            "Frei=1\r\n"
                            "\r\n"
                            "[Info]\r\n"
                            "Prog=Zephan\r\n"
                            "# www=not a key\r\n"
                            "WwW=https://example.org/a=b\r\n"
                            "\r\n"
                            "[Tree]\r\n"
                            "Version=4\r\n";
    TIniFile2 ini = fromText(file);
    EXPECT_EQ(ini.getSections(), QStringLiteral("|Info|Tree|"));
    EXPECT_EQ(ini.ReadString("info", "WWW"), QStringLiteral("https://example.org/a=b"));
    EXPECT_EQ(ini.ReadString("", "frei"), QStringLiteral("1"));
    EXPECT_EQ(ini.toBytes(), file);
    EXPECT_FALSE(ini.changed());
}

TEST(IniFileText, CommentDirectlyBeforeHeaderSurvivesRepeatedRoundTrips) {
    TIniFile2 ini = fromText("[a]\r\nx=1\r\n; about b\r\n[b]\r\ny=2\r\n");
    const QString once = ini.text();
    EXPECT_EQ(once, QStringLiteral("[a]\r\nx=1\r\n; about b\r\n\r\n[b]\r\ny=2\r\n"));
    TIniFile2 again = fromText(once.toLatin1());
    EXPECT_EQ(again.text(), once);
    ASSERT_NE(again.getSection("a"), nullptr);
    EXPECT_EQ(again.getSection("a")->list.size(), 2u);
}

TEST(IniFileText, LineEndsCrLfLoneCrAndLoneLf) {
    TIniFile2 ini = fromText("[s]\ra=1\nb=2\r\nc=3");
    EXPECT_EQ(ini.ReadSection("s"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(ini.ReadString("s", "c"), QStringLiteral("3"));
    EXPECT_EQ(ini.text(), QStringLiteral("[s]\r\na=1\r\nb=2\r\nc=3\r\n"));
}

TEST(IniFileText, KeyLinesCommentsAndHeaders) {
    TIniFile2 ini = fromText("[s]\r\n#a=1\r\n  Key  = value with blanks \r\nno equals\r\n=x\r\n"
                             "k=first\r\nK=second\r\n");
    EXPECT_FALSE(ini.ValueExists("s", "#a"));
    EXPECT_EQ(ini.ReadString("s", "#a", "d"), QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString("s", "key"), QStringLiteral(" value with blanks "));
    EXPECT_EQ(ini.ReadString("s", "k"), QStringLiteral("first"));
    EXPECT_EQ(ini.ReadSection("s"), (QStringList{"Key", "k", "K"}));
    ini.WriteString("s", "K", "third");
    EXPECT_EQ(ini.text(), QStringLiteral("[s]\r\n#a=1\r\nKey= value with blanks \r\nno equals\r\n"
                                         "=x\r\nk=third\r\nK=second\r\n"));
}

TEST(IniFileText, NewSectionsGetOneSeparatorLineAndNoneAtTheEnd) {
    TIniFile2 ini;
    ini.WriteString("Info", "Prog", "Zephan");
    ini.WriteInteger("Tree", "Version", 4);
    ini.WriteString("Info", "www", "x");
    EXPECT_EQ(ini.text(),
              QStringLiteral("[Info]\r\nProg=Zephan\r\nwww=x\r\n\r\n[Tree]\r\nVersion=4\r\n"));
    ini.setSectionEmptyLineSeparator(false);
    EXPECT_EQ(ini.text(),
              QStringLiteral("[Info]\r\nProg=Zephan\r\nwww=x\r\n[Tree]\r\nVersion=4\r\n"));
}

TEST(IniFileText, UntitledSectionAfterOthersKeepsItsHeader) {
    TIniFile2 ini;
    ini.WriteString("a", "x", "1");
    ini.WriteString("", "y", "2");
    EXPECT_EQ(ini.text(), QStringLiteral("[a]\r\nx=1\r\n\r\n[]\r\ny=2\r\n"));
    TIniFile2 back = fromText(ini.toBytes());
    EXPECT_EQ(back.ReadString("", "y"), QStringLiteral("2"));
    EXPECT_FALSE(back.ValueExists("a", "y"));
}

TEST(IniFileText, WrittenTextReadsBackTheSame) {
    // keys that would turn into a comment or a header without their blanks stay comments
    TIniFile2 ini = fromText("[s]\r\n  #a=1\r\n [b=c]\r\n\r\n\r\n[t]\r\n");
    EXPECT_TRUE(ini.ReadSection("s").isEmpty());
    EXPECT_EQ(ini.getSections(), QStringLiteral("s|t|"));
    // blank lines are not kept (each cost a line record): the writer adds its separators
    TIniFile2 blank = fromText("\r\n\r\n[a]\r\n\r\n  \r\nx=1\r\n\r\n\r\n[b]\r\ny=2\r\n");
    TIniFile2 blank2 = fromText(blank.toBytes());
    EXPECT_EQ(blank2.text(), blank.text());
    EXPECT_EQ(blank.text(), QStringLiteral("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"));
    ASSERT_NE(blank.getSection("a"), nullptr);
    EXPECT_EQ(blank.getSection("a")->list.size(), 1u);
    // texts whose bytes would pass for a byte order mark
    const QString keys[] = {QString::fromUtf8("ÿþx"), QChar(0xFEFF) + QStringLiteral("x"),
                            QString::fromUtf8("ï»¿ä")};
    for (const QString& key : keys) {
        TIniFile2 w;
        ASSERT_TRUE(w.addtext(key + QStringLiteral("=1\r\n[s]\r\n")));
        ASSERT_EQ(w.ReadSection(""), QStringList{key});
        TIniFile2 r = fromText(w.toBytes());
        EXPECT_EQ(r.text(), w.text()) << key.toStdString();
        EXPECT_EQ(r.ReadString("", key), QStringLiteral("1")) << key.toStdString();
    }
}

TEST(IniFileText, LoneSurrogateInUtf16IsReplaced) {
    // "[s]" CR LF "k=" then a high surrogate followed by "x"
    QByteArray bytes("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\x00\xD8x\0", 20);
    TIniFile2 ini = fromText(bytes);
    EXPECT_EQ(ini.ReadString("s", "k"), QString(QChar(0xFFFD)) + QLatin1Char('x'));
}

// --- sections --------------------------------------------------------------------------------

TEST(IniFileSections, DuplicateSectionRefusesTheLoadAndKeepsTheStore) {
    TIniFile2 ini = fromText("[keep]\r\nv=1\r\n");
    EXPECT_FALSE(ini.loadFromBytes("[a]\r\nx=1\r\n[A]\r\ny=2\r\n"));
    EXPECT_EQ(ini.lastError(), QStringLiteral("Der Abschnitt [A] kommt doppelt vor (Zeile 3)."));
    EXPECT_EQ(ini.getSections(), QStringLiteral("keep|"));
    // a section of the added text that the store already has is a duplicate as well
    EXPECT_FALSE(ini.addtext("[n]\r\n[KEEP]\r\n"));
    EXPECT_EQ(ini.lastError(), QStringLiteral("Der Abschnitt [KEEP] kommt doppelt vor (Zeile 2)."));
    EXPECT_EQ(ini.getSections(), QStringLiteral("keep|"));
}

TEST(IniFileSections, CaseInsensitiveLookupAfterOtherWrites) {
    TIniFile2 ini;
    ini.WriteString("Info", "Prog", "Zephan");
    for (int i = 0; i < 50; ++i) ini.WriteInteger(QString::number(i), "Level", i % 3);
    EXPECT_EQ(ini.ReadString("INFO", "PROG"), QStringLiteral("Zephan"));
    ini.WriteString("iNFO", "prog", "Neu");
    EXPECT_EQ(ini.getSections().count('|'), 51);
    EXPECT_EQ(ini.getSections().left(5), QStringLiteral("Info|"));
    EXPECT_EQ(ini.ReadString("Info", "Prog"), QStringLiteral("Neu"));
    EXPECT_EQ(ini.ReadInteger("49", "level", -1), 1);
}

TEST(IniFileSections, EraseSectionAndPrefix) {
    TIniFile2 ini = fromText("[a]\r\nx=1\r\n[n1]\r\n[N2]\r\nz=3\r\n[b]\r\n[n]\r\n");
    ini.setFastsave(true);
    EXPECT_TRUE(ini.SectionExists("n2"));
    ini.eraseSection("B");
    EXPECT_FALSE(ini.fastsave());
    EXPECT_TRUE(ini.changed());
    EXPECT_FALSE(ini.SectionExists("b"));
    ini.eraseSections("N");
    EXPECT_EQ(ini.getSections(), QStringLiteral("a|"));
    EXPECT_FALSE(ini.SectionExists("N2"));
    EXPECT_EQ(ini.ReadString("n2", "z", "weg"), QStringLiteral("weg"));
    // a section erased and created again goes to the end
    ini.WriteString("n1", "k", "v");
    EXPECT_EQ(ini.ReadSections(), (QStringList{"a", "n1"}));
    ini.clear();
    EXPECT_TRUE(ini.leer());
    EXPECT_EQ(ini.ReadString("a", "x", "leer"), QStringLiteral("leer"));
}

TEST(IniFileSections, HundredThousandSectionsKeepOrderAndLookups) {
    TIniFile2 ini;
    const int n = 100000;
    for (int i = 0; i < n; ++i) ini.WriteInteger(QString::number(i), "Level", i % 7);
    EXPECT_EQ(ini.sectionCount(), n);
    EXPECT_EQ(ini.ReadInteger("99999", "Level", -1), 99999 % 7);
    EXPECT_EQ(ini.ReadInteger("12345", "Level", -1), 12345 % 7);
    for (int i = 0; i < n; i += 2) ini.eraseSection(QString::number(i));
    EXPECT_EQ(ini.sectionCount(), n / 2);
    EXPECT_EQ(ini.ReadSections().first(), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadSections().last(), QStringLiteral("99999"));
    TIniFile2 back = fromText(ini.toBytes());
    EXPECT_EQ(back.sectionCount(), n / 2);
    EXPECT_EQ(back.ReadInteger("777", "Level", -1), 777 % 7);
    EXPECT_FALSE(back.SectionExists("778"));
}

TEST(IniFileSections, ManyKeysInOneSectionStayConsistentAfterDeletes) {
    TIniFile2 ini;
    for (int i = 0; i < 200; ++i) ini.WriteInteger("s", "I" + QString::number(i), i);
    ini.DeleteKey("s", "i10");
    EXPECT_FALSE(ini.ValueExists("s", "I10"));
    EXPECT_EQ(ini.ReadInteger("s", "I11", -1), 11);
    EXPECT_EQ(ini.ReadInteger("s", "i199", -1), 199);
    ini.WriteInteger("s", "I10", 1010);
    EXPECT_EQ(ini.ReadSection("s").last(), QStringLiteral("I10"));
    EXPECT_EQ(ini.ReadInteger("s", "I10", -1), 1010);
    EXPECT_EQ(ini.ReadSection("s").size(), 200);
}

// --- values ----------------------------------------------------------------------------------

TEST(IniFileValues, WriteSingleDecimalsAndDefault) {
    TIniFile2 ini;
    ini.WriteSingle("s", "a", 0, 2, 3.7);
    ini.WriteSingle("s", "b", 0, -2, 3.7);
    ini.WriteSingle("s", "c", 0, 0, 2000);
    ini.WriteSingle("s", "d", 1.5, 1, 1.5);
    ini.WriteSingle("s", "e", 0, 1, -0.26);
    EXPECT_EQ(ini.ReadString("s", "a"), QStringLiteral("3,70"));
    EXPECT_EQ(ini.ReadString("s", "b"), QStringLiteral("3,7"));
    EXPECT_EQ(ini.ReadString("s", "c"), QStringLiteral("2000"));
    EXPECT_FALSE(ini.ValueExists("s", "d"));
    EXPECT_EQ(ini.ReadString("s", "e"), QStringLiteral("-0,3"));
}

TEST(IniFileValues, ValueBackAtItsDefaultRemovesTheStoredKey) {
    TIniFile2 ini = fromText("[Abmessung]\r\nPam=1,50\r\nx=1\r\n");
    ini.WriteSingle("Abmessung", "Pam", 0.5, 2, 0.5);
    EXPECT_FALSE(ini.ValueExists("Abmessung", "Pam"));
    EXPECT_TRUE(ini.changed());
    EXPECT_DOUBLE_EQ(ini.ReadSingle("Abmessung", "Pam", 0.5), 0.5);
    EXPECT_EQ(ini.text(), QStringLiteral("[Abmessung]\r\nx=1\r\n"));
}

TEST(IniFileValues, ReadIntegerRules) {
    TIniFile2 ini =
        fromText("[s]\r\na=3,0\r\nb=abc\r\nc=\r\nd=-12\r\ne=9000000000\r\nf= 7 \r\nh=+5\r\n"
                 "i=99999999999999999999\r\n");
    EXPECT_EQ(ini.ReadInteger("s", "a", 5), 3);
    EXPECT_EQ(ini.ReadInteger("s", "b", 5), -1);
    EXPECT_EQ(ini.ReadInteger("s", "c", 5), -1);
    EXPECT_EQ(ini.ReadInteger("s", "d", 5), -12);
    EXPECT_EQ(ini.ReadInteger("s", "e", 5), 9000000000LL);
    EXPECT_EQ(ini.ReadInteger("s", "f", 5), 7);
    EXPECT_EQ(ini.ReadInteger("s", "h", 0), 5);
    EXPECT_EQ(ini.ReadInteger("s", "i", 0), -1); // beyond 64 bits
    EXPECT_EQ(ini.ReadInteger("s", "missing", 5), 5);
    EXPECT_EQ(ini.ReadInteger("nosection", "a", 8), 8);
    ini.WriteInteger("s", "g", -9000000000LL);
    EXPECT_EQ(ini.ReadString("s", "g"), QStringLiteral("-9000000000"));
}

TEST(IniFileValues, ReadSingleRules) {
    TIniFile2 ini = fromText("[s]\r\na=1.234,5\r\nb=+3,70\r\nc=abc\r\nd=-0,5\r\n");
    EXPECT_DOUBLE_EQ(ini.ReadSingle("s", "a", 9), 1234.5);
    EXPECT_DOUBLE_EQ(ini.ReadSingle("s", "b", 9), 3.7);
    EXPECT_DOUBLE_EQ(ini.ReadSingle("s", "c", 9), 0);
    EXPECT_DOUBLE_EQ(ini.ReadSingle("s", "d", 9), -0.5);
    // a missing key reads its default through the stored form with three decimals
    EXPECT_DOUBLE_EQ(ini.ReadSingle("s", "x", 1.23456), 1.235);
}

TEST(IniFileValues, ReadBoolRules) {
    TIniFile2 ini = fromText("[s]\r\na=0\r\nb=1\r\nc=ja\r\n");
    EXPECT_FALSE(ini.ReadBool("s", "a", true));
    EXPECT_TRUE(ini.ReadBool("s", "b", false));
    EXPECT_TRUE(ini.ReadBool("s", "c", false));
    EXPECT_FALSE(ini.ReadBool("s", "x", false));
    EXPECT_TRUE(ini.ReadBool("s", "x", true));
    ini.WriteBool("s", "a", true);
    ini.WriteBool("s", "d", false);
    EXPECT_EQ(ini.ReadString("s", "a"), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString("s", "d"), QStringLiteral("0"));
}

TEST(IniFileValues, WriteStringRefusesKeysThatCannotBeReadBack) {
    RecordingSeam seam;
    TIniFile2 ini(QString(), ffAnsi, &seam);
    ini.WriteString("Info", "  ", "x");
    EXPECT_EQ(ini.lastError(), QStringLiteral("tinifile2.writestring: Info.ident ist leer"));
    ini.WriteString("Info", "a=b", "x");
    ini.WriteString("Info", "#c", "x");
    EXPECT_TRUE(ini.leer());
    EXPECT_FALSE(ini.changed());
    ASSERT_EQ(seam.fragen.size(), 3);
    EXPECT_EQ(seam.fragen[0], QStringLiteral("tinifile2.writestring: Info.ident ist leer [o]"));
    EXPECT_EQ(
        seam.fragen[1],
        QStringLiteral("tinifile2.writestring: Info.a=b ist als Schlüssel nicht speicherbar [o]"));
}

TEST(IniFileValues, LineBreaksInValuesAreStoredAsThorn) {
    TIniFile2 ini;
    ini.WriteString("s", "memo", "eins\r\nzwei\ndrei\rvier");
    EXPECT_EQ(ini.ReadString("s", "memo"), QStringLiteral("einsþzweiþdreiþvier"));
    TIniFile2 back = fromText(ini.toBytes());
    EXPECT_EQ(back.ReadSection("s"), QStringList{"memo"});
}

TEST(IniFileValues, TwoWayAccessors) {
    TIniFile2 ini;
    ini.setLesen(false);
    QString s = QStringLiteral("Müller");
    qint64 big = 1234567890123LL;
    int small = -4;
    bool b = true;
    ini.str("P", "name", "x", s);
    ini.int_("P", "big", 0, big);
    ini.int_("P", "small", 0, small);
    ini.bool_("P", "b", false, b);
    EXPECT_EQ(ini.text(),
              QStringLiteral("[P]\r\nname=Müller\r\nbig=1234567890123\r\nsmall=-4\r\nb=1\r\n"));
    ini.setLesen(true);
    QString s2;
    qint64 big2 = 0;
    int small2 = 0, missing = 0;
    bool b2 = false;
    ini.str("p", "NAME", "x", s2);
    ini.int_("p", "big", 0, big2);
    ini.int_("p", "small", 0, small2);
    ini.int_("p", "none", 17, missing);
    ini.bool_("p", "b", false, b2);
    EXPECT_EQ(s2, s);
    EXPECT_EQ(big2, big);
    EXPECT_EQ(small2, -4);
    EXPECT_EQ(missing, 17);
    EXPECT_TRUE(b2);
    // a stored number too large for an int reads as "not given"
    ini.setLesen(true);
    ini.int_("p", "big", 0, small2);
    EXPECT_EQ(small2, -1);
}

// --- encodings -------------------------------------------------------------------------------

TEST(IniFileEncoding, CodePage1252ReadAndWritten) {
    TIniFile2 ini = fromText("[s]\r\nk=M\xFC\x80 \x84x\x93\r\n");
    EXPECT_EQ(ini.ReadString("s", "k"), QString::fromUtf8("Mü€ „x“"));
    EXPECT_EQ(ini.toBytes(), QByteArray("[s]\r\nk=M\xFC\x80 \x84x\x93\r\n"));
}

TEST(IniFileEncoding, Utf8IsRecognisedWithAndWithoutMark) {
    TIniFile2 plain = fromText(QString::fromUtf8("[s]\r\nk=Größe\r\n").toUtf8());
    EXPECT_EQ(plain.ReadString("s", "k"), QString::fromUtf8("Größe"));
    TIniFile2 marked = fromText("\xEF\xBB\xBF" + QString::fromUtf8("[s]\r\nk=Größe\r\n").toUtf8());
    EXPECT_EQ(marked.ReadString("s", "k"), QString::fromUtf8("Größe"));
    EXPECT_EQ(marked.getSections(), QStringLiteral("s|"));
    // the same store written as code page 1252
    EXPECT_EQ(marked.toBytes(), QByteArray("[s]\r\nk=Gr\xF6\xDF"
                                           "e\r\n"));
}

TEST(IniFileEncoding, Utf16WithMark) {
    const QString t = QString::fromUtf8("[s]\r\nk=Ω€\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : t) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    TIniFile2 ini = fromText(bytes);
    EXPECT_EQ(ini.ReadString("s", "k"), QString::fromUtf8("Ω€"));
    TIniFile2 u(QString(), ffUnicode);
    u.WriteString("s", "k", QString::fromUtf8("Ω€"));
    EXPECT_EQ(u.toBytes(), bytes);
}

TEST(IniFileEncoding, Utf16PackedWithoutMarkUnlessTheTextNeedsOne) {
    TIniFile2 u(QString(), ffUnicode);
    u.setCompressed(true);
    u.WriteString("s", "k", "v");
    QByteArray inner;
    ASSERT_TRUE(entpackenBytes(u.toBytes(), inner));
    EXPECT_EQ(inner.left(4), QByteArray("[\0s\0", 4));
    // a text starting with U+FEFF keeps it
    TIniFile2 w(QString(), ffUnicode);
    w.setCompressed(true);
    w.addtext(QString(QChar(0xFEFF)) + QStringLiteral("a=1\r\n"));
    TIniFile2 back(QString(), ffUnicode);
    ASSERT_TRUE(back.loadFromBytes(w.toBytes()));
    EXPECT_EQ(back.ReadString("", QString(QChar(0xFEFF)) + QLatin1Char('a')), QStringLiteral("1"));
}

TEST(IniFileEncoding, TextCodePage1252CannotHoldIsWrittenAsUtf8) {
    TIniFile2 ini;
    ini.WriteString("s", "k", QString::fromUtf8("Őz"));
    EXPECT_EQ(ini.toBytes(), QString::fromUtf8("[s]\r\nk=Őz\r\n").toUtf8());
    // code page 1252 bytes that would read back as UTF-8 ("Ã¤" is C3 A4) go out as UTF-8
    TIniFile2 tricky;
    tricky.WriteString("s", "k", QString::fromUtf8("Ã¤"));
    TIniFile2 back = fromText(tricky.toBytes());
    EXPECT_EQ(back.ReadString("s", "k"), QString::fromUtf8("Ã¤"));
}

TEST(IniFileEncoding, SettingsPathWithUmlautSurvivesRepeatedStarts) {
    // opened for reading as code page 1252 and written as UTF-8, as the settings store does
    QTemporaryDir dir;
    const QString path = dir.filePath("Zephan.ini");
    const QString last = QString::fromUtf8("C:/Projekte/Lüftung Süd.pro");
    for (int run = 0; run < 3; ++run) {
        TIniFile2 ini(path, ffAnsi);
        ini.setUseUtf8(true);
        if (run > 0) {
            EXPECT_EQ(ini.ReadString("ProgrammDV", "Letztes"), last) << run;
        }
        ini.WriteString("ProgrammDV", "Letztes", last);
        ini.WriteInteger("ProgrammDV", "Lauf", run);
    }
    EXPECT_EQ(readAll(path),
              QString::fromUtf8("[ProgrammDV]\r\nLetztes=C:/Projekte/Lüftung Süd.pro\r\n"
                                "Lauf=2\r\n")
                  .toUtf8());
}

// --- packed files ----------------------------------------------------------------------------

TEST(IniFilePacked, PackedFileIsReadAndSavedPackedAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.pro");
    {
        TIniFile2 ini(path);
        ini.setCompressed(true);
        ini.WriteInteger("Tree", "Version", 4);
        ini.WriteString("Eigenschaften", "ort", QString::fromUtf8("Köln"));
    }
    const QByteArray onDisk = readAll(path);
    EXPECT_TRUE(onDisk.startsWith("dazava"));
    QByteArray unpacked;
    ASSERT_TRUE(entpackenBytes(onDisk, unpacked));
    EXPECT_EQ(unpacked,
              QByteArray("[Tree]\r\nVersion=4\r\n\r\n[Eigenschaften]\r\nort=K\xF6ln\r\n"));

    TIniFile2 back(path);
    EXPECT_TRUE(back.compressed());
    EXPECT_FALSE(back.crcMismatch());
    EXPECT_EQ(back.ReadString("eigenschaften", "ORT"), QString::fromUtf8("Köln"));
    back.WriteInteger("Tree", "Version", 5);
    ASSERT_TRUE(back.save());
    EXPECT_TRUE(readAll(path).startsWith("dazava"));
}

TEST(IniFilePacked, ContainerAfterThreeMarkBytes) {
    const QByteArray packed = packenBytes("[a]\r\nb=c\r\n");
    ASSERT_FALSE(packed.isEmpty());
    TIniFile2 ini = fromText("DAZ" + packed);
    EXPECT_TRUE(ini.compressed());
    EXPECT_EQ(ini.ReadString("a", "b"), QStringLiteral("c"));
    // a text that merely starts with these letters stays text
    TIniFile2 text = fromText("dazu=1\r\n[DAZ]\r\n");
    EXPECT_FALSE(text.compressed());
    EXPECT_EQ(text.ReadString("", "dazu"), QStringLiteral("1"));
}

TEST(IniFilePacked, TextStartingLikeAPackedFileIsWrittenAsText) {
    for (const char* key : {"dazava", "DAZdazava"}) {
        TIniFile2 ini;
        ini.WriteString("", key, "1");
        ini.WriteString("s", "k", QString::fromUtf8("ä"));
        const QByteArray bytes = ini.toBytes();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << key;
        TIniFile2 back;
        ASSERT_TRUE(back.loadFromBytes(bytes)) << back.lastError().toStdString();
        EXPECT_FALSE(back.compressed());
        EXPECT_EQ(back.ReadString("", key), QStringLiteral("1"));
        EXPECT_EQ(back.ReadString("s", "k"), QString::fromUtf8("ä"));
    }
}

TEST(IniFilePacked, ChecksumMismatchIsAWarningNotAFailure) {
    QByteArray packed = packenBytes("[a]\r\nb=c\r\n");
    ASSERT_GE(packed.size(), 32);
    packed[28] = static_cast<char>(packed[28] ^ 0x5A); // stored CRC
    TIniFile2 ini;
    EXPECT_TRUE(ini.loadFromBytes(packed));
    EXPECT_TRUE(ini.crcMismatch());
    EXPECT_EQ(ini.ReadString("a", "b"), QStringLiteral("c"));
    EXPECT_TRUE(ini.loadFromBytes("[x]\r\n"));
    EXPECT_FALSE(ini.crcMismatch());
}

TEST(IniFilePacked, DamagedContainerFailsAndLeavesTheStore) {
    TIniFile2 ini = fromText("[keep]\r\n");
    QByteArray packed = packenBytes(QByteArray(2000, 'x'));
    packed.truncate(40);
    EXPECT_FALSE(ini.loadFromBytes(packed));
    EXPECT_TRUE(ini.lastError().startsWith(QStringLiteral("Gepackte Daten nicht lesbar: ")))
        << ini.lastError().toStdString();
    EXPECT_EQ(ini.getSections(), QStringLiteral("keep|"));
    EXPECT_FALSE(ini.compressed());
}

// --- files -----------------------------------------------------------------------------------

TEST(IniFileFiles, MissingFileGivesAnEmptyStoreThatSavesThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("neu.ini");
    {
        TIniFile2 ini(path);
        EXPECT_TRUE(ini.leer());
        EXPECT_EQ(ini.filename(), path);
        EXPECT_TRUE(ini.offen());
        EXPECT_FALSE(ini.changed());
    }
    EXPECT_FALSE(QFile::exists(path)); // unchanged: nothing written
    {
        TIniFile2 ini(path);
        ini.WriteString("a", "b", "c");
    }
    EXPECT_EQ(readAll(path), QByteArray("[a]\r\nb=c\r\n"));
}

TEST(IniFileFiles, WriteProtectedFileKeepsChangesAndReportsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ro.ini");
    ASSERT_TRUE(writeAll(path, "[a]\r\nb=1\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    RecordingSeam seam;
    TIniFile2 ini(path, ffAnsi, &seam);
    ini.WriteString("a", "b", "2");
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(ini.changed());
    EXPECT_EQ(ini.ReadString("a", "b"), QStringLiteral("2"));
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(
        seam.fragen[0],
        QStringLiteral("Die Datei %1 ist schreibgeschützt. Nicht gespeichert. [o]").arg(path));
    EXPECT_EQ(readAll(path), QByteArray("[a]\r\nb=1\r\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(ini.save());
    EXPECT_FALSE(ini.changed());
    EXPECT_EQ(readAll(path), QByteArray("[a]\r\nb=2\r\n"));
}

TEST(IniFileFiles, FailedWriteIsReportedAndKeepsTheChangedMark) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeAll(dir.filePath("plain"), "not a folder"));
    const QString path = dir.filePath("plain/x.ini");
    TIniFile2 ini(path);
    ini.WriteString("a", "b", "c");
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(ini.changed());
    EXPECT_TRUE(ini.lastError().startsWith(
        QStringLiteral("Die Datei %1 kann nicht geschrieben werden: ").arg(path)))
        << ini.lastError().toStdString();
    EXPECT_EQ(readAll(dir.filePath("plain")), QByteArray("not a folder"));
    ini.setChanged(false); // nothing to retry in the destructor
}

TEST(IniFileFiles, SaveReplacesTheFileWithoutLeavingTemporaries) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    ASSERT_TRUE(writeAll(path, "[old]\r\n"));
    TIniFile2 ini(path);
    ini.clear();
    ini.WriteString("new", "k", "v");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readAll(path), QByteArray("[new]\r\nk=v\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.ini"});
    // saving a copy elsewhere leaves the store's own file and changed mark alone
    ini.WriteString("new", "k", "w");
    ASSERT_TRUE(ini.saveToFile(dir.filePath("copy.ini")));
    EXPECT_TRUE(ini.changed());
    EXPECT_EQ(readAll(dir.filePath("copy.ini")), QByteArray("[new]\r\nk=w\r\n"));
    EXPECT_EQ(readAll(path), QByteArray("[new]\r\nk=v\r\n"));
}

TEST(IniFileFiles, UnreadableFileIsAnError) {
    QTemporaryDir dir;
    TIniFile2 ini;
    EXPECT_FALSE(ini.loadFromFile(dir.path()));
    EXPECT_EQ(ini.lastError(),
              QStringLiteral("Die Datei %1 kann nicht gelesen werden: Das ist ein Ordner.")
                  .arg(dir.path()));
}

// A text of a million blank lines once took some 150 bytes per line; now they are skipped,
// and echoed input is cut short.
TEST(IniFileText, BlankLinesCostNothingAndEchoesAreShort) {
    QString text = QStringLiteral("[a]\r\n");
    text += QString(1000000, QLatin1Char('\n'));
    text += QStringLiteral("x=1\r\n");
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(text));
    ASSERT_NE(ini.getSection("a"), nullptr);
    EXPECT_EQ(ini.getSection("a")->list.size(), 1u);
    EXPECT_EQ(ini.ReadString("a", "x"), "1");

    EXPECT_EQ(eingabeZeigen(QString(10000000, QLatin1Char('x'))).size(), 61);
    EXPECT_EQ(eingabeZeigen(QStringLiteral("a\tb")), QStringLiteral("a<0x09>b"));
}

// --- a reader that takes the lines while the file is parsed ----------------------------------

TEST(IniFileReader, EachSectionIsToldOnceWithItsLinesBeforeTheNextIsRead) {
    TIniFile2 ini;
    QStringList gesehen;
    ini.abschnittGelesen = [&](TSection& s) {
        // The store holds nothing of this load yet: the section comes straight from the text.
        EXPECT_FALSE(ini.SectionExists(s.name_));
        QStringList zeilen;
        for (const TData& d : s.list) zeilen.append(d.comment ? d.value : d.ident + "=" + d.value);
        gesehen.append(s.name_ + ":" + zeilen.join(","));
    };
    ASSERT_TRUE(ini.loadFromBytes("Frei=1\r\n[A]\r\nx=1\r\n; c\r\n\r\n[b]\r\n[C]\r\ny=2\r\ny=3"));
    EXPECT_EQ(gesehen.join("|").toStdString(), ":Frei=1|A:x=1,; c|b:|C:y=2,y=3");
    gesehen.clear();
    ASSERT_TRUE(ini.addtext("[D]\r\nz=4\r\n"));
    EXPECT_EQ(gesehen.join("|").toStdString(), "D:z=4");
    EXPECT_EQ(ini.sectionCount(), 5);
}

TEST(IniFileReader, LinesTakenOutAreGoneAndTheRestStaysReadable) {
    TIniFile2 ini;
    ini.abschnittGelesen = [](TSection& s) {
        if (s.name_.startsWith('N')) s.nurSchluesselBehalten(u"level");
    };
    QByteArray text =
        "[Kopf]\r\nA=1\r\n[N1]\r\nLevel=0\r\n# notiz\r\nTyp=13\r\nLEVEL=9\r\n[N2]\r\n";
    // Enough keys that the section looks its keys up through an index.
    for (int k = 0; k < 40; ++k)
        text += "K" + QByteArray::number(k) + "=" + QByteArray::number(k) + "\r\n";
    text += "Level=3\r\n";
    ASSERT_TRUE(ini.loadFromBytes(text));
    EXPECT_EQ(ini.text().toStdString(), "[Kopf]\r\nA=1\r\n\r\n[N1]\r\nLevel=0\r\nLEVEL=9\r\n\r\n"
                                        "[N2]\r\nLevel=3\r\n");
    EXPECT_EQ(ini.ReadInteger("N1", "Level", -1), 0);
    EXPECT_EQ(ini.ReadInteger("N2", "level", -1), 3);
    EXPECT_FALSE(ini.ValueExists("N2", "K5"));
    EXPECT_FALSE(ini.ValueExists("N1", "Typ"));
    EXPECT_EQ(ini.ReadString("Kopf", "A"), "1");
}

TEST(IniFileReader, RepeatedSectionIsRefusedThoughItsLinesWereTaken) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.loadFromBytes("[Alt]\r\nv=1\r\n"));
    int gelesen = 0;
    ini.abschnittGelesen = [&](TSection& s) {
        ++gelesen;
        s.nurSchluesselBehalten(u"level");
    };
    EXPECT_FALSE(ini.loadFromBytes("[3]\r\nLevel=1\r\nTyp=2\r\n[x]\r\n[3]\r\nLevel=2\r\n"));
    EXPECT_EQ(ini.lastError().toStdString(), "Der Abschnitt [3] kommt doppelt vor (Zeile 5).");
    EXPECT_EQ(gelesen, 3);
    EXPECT_EQ(ini.text().toStdString(), "[Alt]\r\nv=1\r\n");
}
