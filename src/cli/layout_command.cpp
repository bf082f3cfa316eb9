#include "cli/command.h"
#include "cli/progress_line.h"
#include "render/page_target.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"
#include "report/report_document.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>
#include <new>
#include <string>

namespace zephan::cli {
namespace {

// No report the program writes comes near this; reading more (a device, a huge file) would only
// fill the memory before the layout could say anything.
constexpr qint64 hoechstens = 64LL * 1024 * 1024;

int zuGross(const QString& datei) {
    return fehler(
        QStringLiteral("Die Datei %1 ist zu groß für einen Bericht (höchstens 64 MB).").arg(datei));
}

int seitenLegen(const QString& datei, const QString& pdf, const QString& png, bool grau);

// Lays a report document out on pages and lists where each page begins; optionally writes
// the pages as PDF and as PNG images.
const Command layout(
    "layout", "layout DOC [--pdf OUT.pdf] [--grau] [--png DIR]", [](const QStringList& args) {
        QString datei, pdf, png;
        bool grau = false;
        for (int k = 0; k < args.size(); ++k) {
            if (args[k] == QLatin1String("--grau")) {
                grau = true;
            } else if (args[k] == QLatin1String("--pdf") && k + 1 < args.size() && pdf.isEmpty()) {
                pdf = args[++k];
            } else if (args[k] == QLatin1String("--png") && k + 1 < args.size() && png.isEmpty()) {
                png = args[++k];
            } else if (!args[k].startsWith(QLatin1String("--")) && datei.isEmpty()) {
                datei = args[k];
            } else {
                return usage("layout");
            }
        }
        if (datei.isEmpty()) return usage("layout");
        // Memory running out on a large document ends the command with a message.
        try {
            return seitenLegen(datei, pdf, png, grau);
        } catch (const std::bad_alloc&) {
            return fehler(
                QStringLiteral("Zu wenig Speicher für das Layout der Datei %1.").arg(datei));
        }
    });

int seitenLegen(const QString& datei, const QString& pdf, const QString& png, bool grau) {
    QFile f(datei);
    if (QFileInfo(datei).isDir() || !f.open(QIODevice::ReadOnly))
        return fehler(QStringLiteral("Datei kann nicht gelesen werden: ") + datei);
    if (!f.isSequential() && f.size() > hoechstens) return zuGross(datei);
    const QByteArray roh = f.read(hoechstens + 1);
    if (roh.size() > hoechstens) return zuGross(datei);
    QString text = QString::fromUtf8(roh);
    text.remove(QLatin1Char('\r'));
    QStringList zeilen = text.split(QLatin1Char('\n'));
    if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();

    KonsolenSeam seam;
    TDruck doc;
    doc.seam = &seam;
    doc.m = zeilen;
    doc.sichern();
    TLayoutEinstellungen e;
    e.grau = grau;
    e.seam = &seam;
    Fortschrittszeile zeile(QStringLiteral("Seiten"));
    e.fortschritt = [&zeile](const QString& t, int i, int n) { return zeile.zeigen(t, i, n); };
    TDruckLayout lay(doc, e);
    lay.messen();
    zeile.beenden();
    out(QStringLiteral("pages\t") + QString::number(lay.AnzahlSeiten()) + '\n');
    for (int p = 0; p < lay.AnzahlSeiten(); ++p) {
        const TSeitenEintrag& s = lay.seiten()[p];
        out(QStringLiteral("page\t%1\t%2\t%3\n")
                .arg(p + 1)
                .arg(lay.dokumentZeile(s.ersteZeile) + 1)
                .arg(s.seitenNummer));
    }
    if (!pdf.isEmpty()) {
        QString meldung;
        if (!pdfAusgeben(lay, pdf, pdfInfoFuer(doc), &meldung)) return fehler(meldung);
    }
    if (!png.isEmpty()) {
        TPngZiel ziel(png, 150);
        if (!lay.zeichnen(ziel))
            return fehler(QStringLiteral("Fehler beim Erstellen oder Speichern der Datei ") + png);
    }
    return exitOk;
}

} // namespace
} // namespace zephan::cli

namespace zephan::cli {

// Laying out pages needs fonts, and fonts need a GUI application: the layout command and
// every "--pdf" or "--png" get one, on the offscreen platform when there is no display. The
// other commands keep the lighter core application.
std::unique_ptr<QCoreApplication> anwendungFuer(int& argc, char** argv) {
    bool seiten = argc > 1 && std::string(argv[1]) == "layout";
    for (int k = 2; k < argc; ++k)
        if (std::string(argv[k]) == "--pdf" || std::string(argv[k]) == "--png") seiten = true;
    if (!seiten) return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace zephan::cli
