#pragma once

#include "render/page_target.h"
#include "render/pdf_output.h"
#include "render/report_layout.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

// The layout needs fonts, and fonts need a GUI application (offscreen in the tests).
inline void guiAnwendung() {
    if (QGuiApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A measured layout of the given lines with a fixed date, so texts are reproducible.
struct Gelegt {
    zephan::TDruck doc;
    std::unique_ptr<zephan::TDruckLayout> layout;

    explicit Gelegt(const QStringList& zeilen, bool grau = false) {
        guiAnwendung();
        doc.m = zeilen;
        doc.sichern();
        zephan::TLayoutEinstellungen e;
        e.heute = QDate(2024, 3, 1);
        e.grau = grau;
        layout = std::make_unique<zephan::TDruckLayout>(doc, e);
        layout->messen();
    }
    int seiten() const { return layout->AnzahlSeiten(); }
    // The document line (from 0) each page begins with.
    QList<int> starts() const {
        QList<int> s;
        for (const auto& e : layout->seiten()) s.append(layout->dokumentZeile(e.ersteZeile));
        return s;
    }
    QList<int> nummern() const {
        QList<int> s;
        for (const auto& e : layout->seiten()) s.append(e.seitenNummer);
        return s;
    }
};

// The text of every page of a PDF as pdftotext gives it, pages separated by form feeds.
inline QString pdfText(const QString& pdf, bool layoutModus = false) {
    QProcess p;
    QStringList args;
    if (layoutModus) args << QStringLiteral("-layout");
    args << pdf << QStringLiteral("-");
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Lays the document out, writes it as PDF and returns the text of each page.
inline QStringList seitenTexte(Gelegt& g) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("t.pdf"));
    if (!zephan::pdfAusgeben(*g.layout, pdf, zephan::pdfInfoFuer(g.doc))) return {};
    QStringList seiten = pdfText(pdf).split(QLatin1Char('\f'));
    if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty()) seiten.removeLast();
    return seiten;
}
