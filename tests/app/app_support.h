#pragma once

#include "app/desktop.h"
#include "app/druck_dialoge.h"
#include "store/user_seam.h"

#include <QApplication>
#include <QPrinter>
#include <QProcess>

// Windows need a widget application (offscreen in the tests). It is never destroyed: at exit
// the input devices Qt Test made would otherwise outlive it.
inline void widgetAnwendung() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Records every program run and every URL opened; answers the mail client query with a
// given desktop entry and every program with a given exit code.
class FakeDesktop : public zephan::TDesktop {
public:
    QString mailProgramm = QStringLiteral("thunderbird.desktop");
    int exitCode = 0;
    QList<QStringList> laeufe; // program followed by its arguments
    QList<QUrl> geoeffnet;

    Lauf ausfuehren(const QString& programm, const QStringList& argumente) override {
        laeufe.append(QStringList{programm} + argumente);
        Lauf l;
        l.gestartet = true;
        l.exitCode = exitCode;
        if (programm == QLatin1String("xdg-mime")) l.ausgabe = mailProgramm + QLatin1Char('\n');
        return l;
    }
    bool oeffnen(const QUrl& url) override {
        geoeffnet.append(url);
        return true;
    }
};

// Answers the report window's dialogs: file names and the attachment name from fields, the
// print dialog by printing into a PDF file with a chosen range.
class FakeDialoge : public zephan::TDruckDialoge {
public:
    bool drucker = true;
    QString pdfName, oeffnenName, sichernName, eingabe;
    bool eingabeOk = true;
    QString druckDatei; // empty: the print dialog is cancelled
    QPrinter::PrintRange bereich = QPrinter::AllPages;
    int von = 0, bis = 0, kopien = 1;
    bool haken = false;
    QStringList fragen; // what was asked, in order

    bool druckerVorhanden() override { return drucker; }
    QString pdfSpeichernUnter(QWidget*, const QString& vorschlag) override {
        fragen << QStringLiteral("pdf:") + vorschlag;
        return pdfName;
    }
    QString dateiOeffnen(QWidget*, const QString& titel, const QString& ordner) override {
        fragen << titel + QLatin1Char(':') + ordner;
        return oeffnenName;
    }
    QString dateiSichernUnter(QWidget*, const QString& titel, const QString& vorschlag) override {
        fragen << titel + QLatin1Char(':') + vorschlag;
        return sichernName;
    }
    bool textEingabe(QWidget*, const QString& titel, const QString& frage, QString& text,
                     int maxLaenge) override {
        fragen << titel + QLatin1Char('|') + frage + QLatin1Char('|') + text + QLatin1Char('|') +
                      QString::number(maxLaenge);
        if (!eingabe.isNull()) text = eingabe;
        return eingabeOk;
    }
    bool druckDialog(QWidget*, QPrinter& p, int seiten, int aktuell) override {
        fragen << QStringLiteral("drucken:%1:%2").arg(seiten).arg(aktuell);
        if (druckDatei.isEmpty()) return false;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(druckDatei);
        p.setPrintRange(bereich);
        if (bereich == QPrinter::PageRange) p.setFromTo(von, bis);
        p.setCopyCount(kopien);
        return true;
    }
    bool druckerEinrichten(QWidget*, QPrinter&) override { return true; }
    bool hinweisMitHaken(QWidget*, const QString& text, const QString& h) override {
        fragen << text + QLatin1Char('[') + h + QLatin1Char(']');
        return haken;
    }
};

// The text of every page of a PDF (pages separated by form feeds), "" when unreadable.
inline QStringList pdfSeiten(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList s = QString::fromUtf8(p.readAllStandardOutput()).split(QChar(u'\f'));
    if (!s.isEmpty() && s.last().trimmed().isEmpty()) s.removeLast();
    return s;
}

// Records the messages the window shows; answers every question with its first button.
class MeldungsSeam : public zephan::UserSeam {
public:
    QStringList meldungen;
    int frage(const QString& text, const QString&, Kind) override {
        meldungen << text;
        return 0;
    }
    void status(int, const QString&) override {}
};
