#include "app/druck_dateien.h"
#include "app/druck_einstellungen.h"
#include "app/pdf_mail.h"
#include "app_support.h"
#include "store/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zephan;

namespace {

struct Fall {
    const char* ein;
    const char* aus;
};

TEST(DruckDateien, PdfEndung) {
    const Fall faelle[] = {{"bericht", "bericht.pdf"},         {"bericht.", "bericht.pdf"},
                           {"bericht.PDF", "bericht.PDF"},     {"bericht.pdf", "bericht.pdf"},
                           {"bericht.txt", "bericht.txt.pdf"}, {"a.pdf.", "a.pdf.pdf"}};
    for (const Fall& f : faelle)
        EXPECT_EQ(mitPdfEndung(QString::fromUtf8(f.ein)), QString::fromUtf8(f.aus)) << f.ein;
}

TEST(DruckDateien, AnhangVorschlagAusBetreff) {
    const Fall faelle[] = {
        {"", "brief.pdf"},
        {"   ", "brief.pdf"},
        {"Lüftung: Schule", "Lüftung- Schule.pdf"},
        {" Angebot 12/2024. ", "Angebot 12_2024.pdf"},
        {"a*b?c\"d<e>f|g\\h", "a_b_c_d_e_f_g_h.pdf"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(anhangVorschlag(QString::fromUtf8(f.ein)), QString::fromUtf8(f.aus)) << f.ein;
}

TEST(DruckDateien, AnhangNameAusEingabe) {
    const Fall faelle[] = {
        {"brief", "brief.pdf"},
        {"brief...", "brief.pdf"},
        {"Brief.PDF", "Brief.PDF"},
        {"../etc/x", ".._etc_x.pdf"},
        {"...", ""},
        {"", ""},
        {" Bericht: Test. ", "Bericht_ Test.pdf"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(anhangName(QString::fromUtf8(f.ein)), QString::fromUtf8(f.aus)) << f.ein;
    // At most 255 characters are taken from the input.
    EXPECT_EQ(anhangName(QString(300, QLatin1Char('x'))), QString(255, QLatin1Char('x')) + ".pdf");
}

TEST(DruckDateien, PdfVorschlagImOrdnerDerLetztenDatei) {
    QTemporaryDir tmp;
    const QString ordner = tmp.path();
    EXPECT_EQ(pdfVorschlag(ordner, QString()), ordner);
    EXPECT_EQ(pdfVorschlag(ordner + "/alt.pdf", "Netz: Strang 1"), ordner + "/Netz_ Strang 1.pdf");
    EXPECT_EQ(pdfVorschlag(ordner + "/alt.pdf", ""), ordner);
    EXPECT_EQ(pdfVorschlag(ordner, "  "), ordner);
}

TEST(DruckDateien, DokumentSichernUndLadenGleich) {
    QTemporaryDir tmp;
    const QString datei = tmp.filePath("druck.txt");
    const QStringList zeilen{"°ÜÜberschrift", "", "a|b|c", "°(alpha Größe þ zwei"};
    QString fehler;
    ASSERT_TRUE(dokumentSichern(datei, zeilen, &fehler)) << fehler.toStdString();
    QStringList gelesen{"bleibt"};
    ASSERT_TRUE(dokumentLaden(datei, gelesen));
    EXPECT_EQ(gelesen, zeilen);

    // CR LF and a byte order mark are read as plain lines.
    QFile f(tmp.filePath("crlf.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBFzeile 1\r\nzeile 2\r\n");
    f.close();
    ASSERT_TRUE(dokumentLaden(f.fileName(), gelesen));
    EXPECT_EQ(gelesen, (QStringList{"zeile 1", "zeile 2"}));

    // A missing file leaves the lines as they were; a folder cannot be written.
    gelesen = {"bleibt"};
    EXPECT_FALSE(dokumentLaden(tmp.filePath("fehlt.txt"), gelesen));
    EXPECT_EQ(gelesen, QStringList{"bleibt"});
    EXPECT_FALSE(dokumentSichern(tmp.path(), zeilen, &fehler));
    EXPECT_EQ(fehler, "Fehler beim Erstellen oder Speichern der Datei " + tmp.path());
    // A FIFO (standing in for a device such as /dev/null) is refused and stays what it was.
    const QString fifo = tmp.filePath("rohr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(dokumentSichern(fifo, zeilen, &fehler));
    EXPECT_TRUE(fehler.contains("FIFO")) << fehler.toStdString();
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
}

TEST(DruckFensterEinstellungen, StandardUndRundreise) {
    TIniFile2 leer;
    TDruckFensterEinstellungen e;
    e.lesen(leer);
    EXPECT_TRUE(e.autoOpen);
    // A report opens zoomed to the page width unless another zoom was kept.
    EXPECT_EQ(e.zoomState, 1);
    EXPECT_DOUBLE_EQ(e.zoom, 1.0);
    EXPECT_EQ(e.breite, 0);
    EXPECT_EQ(e.hoehe, 0);
    EXPECT_FALSE(e.diaSW);
    EXPECT_TRUE(e.druckgrenze);
    EXPECT_FALSE(e.mehrfachIntern);
    EXPECT_FALSE(e.mehrfachHintShown);
    EXPECT_TRUE(e.bigIcons);

    TDruckFensterEinstellungen g;
    g.autoOpen = false;
    g.filename = "/tmp/x/bericht.pdf";
    g.zoomState = 0;
    g.zoom = 1.5;
    g.breite = 1100;
    g.hoehe = 720;
    g.diaSW = true;
    g.druckgrenze = false;
    g.mehrfachIntern = true;
    g.mehrfachHintShown = true;
    g.bigIcons = false;
    TIniFile2 ini;
    g.schreiben(ini);
    EXPECT_EQ(ini.ReadString("FensterDruck", "zoom"), "1,5");
    TDruckFensterEinstellungen r;
    r.lesen(ini);
    EXPECT_FALSE(r.autoOpen);
    EXPECT_EQ(r.filename, g.filename);
    EXPECT_DOUBLE_EQ(r.zoom, 1.5);
    EXPECT_TRUE(r.diaSW);
    EXPECT_FALSE(r.druckgrenze);
    EXPECT_TRUE(r.mehrfachIntern);
    EXPECT_TRUE(r.mehrfachHintShown);
    EXPECT_FALSE(r.bigIcons);
    EXPECT_EQ(r.zoomState, 0);
    EXPECT_EQ(r.breite, 1100);
    EXPECT_EQ(r.hoehe, 720);

    // A fitted zoom does not store a zoom factor; stored values out of range are clamped.
    TIniFile2 ini2;
    g.zoomState = 2;
    g.schreiben(ini2);
    EXPECT_FALSE(ini2.ValueExists("FensterDruck", "zoom"));
    ini2.WriteString("FensterDruck", "ZoomState", "7");
    ini2.WriteString("FensterDruck", "zoom", "9");
    r.lesen(ini2);
    EXPECT_EQ(r.zoomState, 3);
    EXPECT_DOUBLE_EQ(r.zoom, 4.0);
}

TEST(PdfMail, MailProgrammeMitAnhang) {
    const std::pair<const char*, bool> faelle[] = {{"thunderbird.desktop", true},
                                                   {"org.mozilla.Thunderbird.desktop", true},
                                                   {"evolution.desktop", true},
                                                   {"org.kde.kmail2.desktop", true},
                                                   {"firefox.desktop", false},
                                                   {"", false},
                                                   {"  \n", false}};
    for (const auto& [name, ja] : faelle)
        EXPECT_EQ(mailProgrammNimmtAnhang(QString::fromUtf8(name)), ja) << name;
}

TEST(PdfMail, UebergabeUndRueckfall) {
    const QString pdf = "/tmp/zephan-mail-abc/Bericht.pdf";
    FakeDesktop d;
    TMailErgebnis r = mailUebergeben(d, pdf, " a@b.de ", "Lüftung");
    EXPECT_TRUE(r.uebergeben);
    ASSERT_EQ(d.laeufe.size(), 2);
    EXPECT_EQ(d.laeufe[1], (QStringList{"xdg-email", "--utf8", "--subject", "Lüftung", "--attach",
                                        pdf, "a@b.de"}));
    EXPECT_TRUE(d.geoeffnet.isEmpty());

    // The client fails: the folder is opened and the message names the file.
    FakeDesktop f;
    f.exitCode = 3;
    r = mailUebergeben(f, pdf, "", "");
    EXPECT_FALSE(r.uebergeben);
    ASSERT_EQ(f.laeufe.size(), 2);
    EXPECT_EQ(f.laeufe[1], (QStringList{"xdg-email", "--utf8", "--attach", pdf}));
    ASSERT_EQ(f.geoeffnet.size(), 1);
    EXPECT_EQ(f.geoeffnet[0], QUrl::fromLocalFile("/tmp/zephan-mail-abc"));
    EXPECT_EQ(r.meldung,
              "Das E-Mail-Programm (thunderbird.desktop) hat die Nachricht nicht übernommen.\n"
              "Die PDF-Datei wurde gespeichert: /tmp/zephan-mail-abc/Bericht.pdf\n"
              "Der Ordner mit der Datei wurde geöffnet; bitte hängen Sie die Datei selbst an "
              "Ihre E-Mail an.");

    // A client that would drop the attachment is not asked at all.
    FakeDesktop k;
    k.mailProgramm = "firefox.desktop";
    r = mailUebergeben(k, pdf, "a@b.de", "x");
    EXPECT_FALSE(r.uebergeben);
    EXPECT_EQ(k.laeufe.size(), 1);
    ASSERT_EQ(k.geoeffnet.size(), 1);
    EXPECT_EQ(k.geoeffnet[0], QUrl::fromLocalFile("/tmp/zephan-mail-abc"));
    EXPECT_EQ(r.meldung,
              "Das E-Mail-Programm (firefox.desktop) kann die PDF-Datei nicht als Anhang "
              "übernehmen.\nDie PDF-Datei wurde gespeichert: /tmp/zephan-mail-abc/Bericht.pdf\n"
              "Der Ordner mit der Datei wurde geöffnet; bitte hängen Sie die Datei selbst an "
              "Ihre E-Mail an.");

    // No client set up, and a desktop that cannot open the folder: the message does not
    // claim it is shown, it names the folder.
    struct OhneOrdner : FakeDesktop {
        bool oeffnen(const QUrl& url) override {
            geoeffnet.append(url);
            return false;
        }
    } o;
    o.mailProgramm.clear();
    r = mailUebergeben(o, pdf, "a@b.de", "x");
    EXPECT_FALSE(r.uebergeben);
    EXPECT_EQ(o.laeufe.size(), 1);
    EXPECT_EQ(o.geoeffnet.size(), 1);
    EXPECT_EQ(r.meldung, "Auf diesem PC ist kein E-Mail-Programm eingerichtet.\n"
                         "Die PDF-Datei wurde gespeichert: /tmp/zephan-mail-abc/Bericht.pdf\n"
                         "Der Ordner /tmp/zephan-mail-abc konnte nicht geöffnet werden; bitte "
                         "hängen Sie die Datei selbst an Ihre E-Mail an.");
}

// The report window on a laptop screen of 1280 x 800 (a task bar of 32 pixels leaves 768),
// and on a full-HD screen.
TEST(DruckFensterGeometrie, PasstAufDenBildschirm) {
    const QRect laptop(0, 0, 1280, 768);
    // Nothing kept: 1000 wide, as high as the screen allows with the frame, centred.
    const QRect g = druckFensterGeometrie(QSize(), laptop);
    EXPECT_EQ(g, QRect(140, 40, 1000, 720));
    // The old fixed size of 900 x 1000 does not fit and is not used.
    EXPECT_EQ(druckFensterGeometrie(QSize(900, 1000), laptop), g);
    // A kept size that fits is used.
    EXPECT_EQ(druckFensterGeometrie(QSize(1100, 600), laptop), QRect(90, 100, 1100, 600));
    // Too wide by a pixel with the frame: not used.
    EXPECT_EQ(druckFensterGeometrie(QSize(1265, 600), laptop), g);

    const QRect hd(0, 0, 1920, 1040);
    EXPECT_EQ(druckFensterGeometrie(QSize(), hd), QRect(460, 40, 1000, 992));
    EXPECT_EQ(druckFensterGeometrie(QSize(900, 1000), hd).size(), QSize(1000, 992));
    // A second screen to the right: the window lies on it.
    const QRect rechts(1920, 0, 1280, 768);
    EXPECT_EQ(druckFensterGeometrie(QSize(), rechts), QRect(2060, 40, 1000, 720));
}

} // namespace
