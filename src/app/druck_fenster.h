#pragma once

#include "app/druck_einstellungen.h"
#include "render/page_target.h"
#include "render/report_layout.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class QAction;
class QLabel;
class QListView;
class QPlainTextEdit;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QCheckBox;

namespace zephan {

class TDesktop;
class TDruckDialoge;
class TDruckFortschritt;
class TFortschrittSeam;
class TSeitenSpeicher;
class TMiniaturen;
class TSeitenVorschau;
class TDruck;
class UserSeam;

// The report window ("Druckvorschau"): lays a report document out on pages and lets the user
// look at them, print them, save them as PDF or mail them. On show only the measuring pass
// runs (it decides every page break); the preview and the thumbnails draw the pages they show
// when they show them, and the printer and the PDF draw every page in one run, all from the
// same measured layout, so they all break pages alike.
//
// Created once and reused: callers fill the document and show the window; the document stays
// until its next clear. Messages go through the seam; dialogs and the desktop (mail client,
// file viewer) through replaceable objects.
class TDruckFenster : public QDialog {
public:
    TDruckFenster(TDruck& doc, UserSeam& seam, QWidget* parent = nullptr);
    ~TDruckFenster() override;

    void setDialoge(TDruckDialoge* d); // null: the real dialogs
    void setDesktop(TDesktop* d);      // null: the real desktop

    // Shows the window modally (the document is taken over and laid out); the modal result.
    int showmodal_();
    void ShowModal() { showmodal_(); }

    // Runs a layout of the document as taken over on show (nothing while one runs).
    void SeiteAufbauen();
    int AnzahlSeiten() const;
    // The laid-out pages as PDF in memory.
    bool exporttoPDF(QByteArray& pdf);
    // Selects the printer of exactly that name; an empty name selects the first one.
    bool setPrinter(const QString& drucker);
    // The current printer's paper names and bins, each followed by "|".
    QString GetPaperSizes() const;
    QString GetPaperSources() const;
    void SetPaperSourceIndex(int value);

    // The commands of the window's buttons and menu.
    void drucken();
    // Prints pages von..bis, the range `durchlaeufe` times, with the progress window; false
    // when cancelled or the printer failed.
    bool seitenDrucken(QPrinter& printer, int von, int bis, int durchlaeufe);
    void pdfSichern();
    void mailen();
    void dateiLaden();
    void dateiSichern();
    void sonderzeichen();
    void druckerEinrichten();
    void setFarbig(bool farbig);
    void setVorschau(bool an); // "Preview": off lists the raw lines

    bool vorschauAktiv() const;
    int aktuelleSeite() const; // from 0
    void setSeite(int s);
    TSeitenVorschau* vorschau() const { return vorschau_; }
    const TDruckFensterEinstellungen& einstellungen() const { return e_; }
    QPrinter& printer() { return printer_; }
    // The pages as the preview and the thumbnails draw them (null while none are laid out).
    TSeitenSpeicher* seiten() const { return speicher_.get(); }
    // The progress window of layout, print and PDF runs.
    TDruckFortschritt* fortschrittFenster() const { return fortschritt_; }
    // The last PDF written for a mail (empty before).
    QString letzteMailDatei() const { return mailDatei_; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void done(int r) override;

private:
    void aufbauen();
    void einstellungenLesen();
    void einstellungenSchreiben();
    void anzeigen(); // status labels and buttons
    void druckbereichSetzen();
    void symbolGroesse();
    QString titel() const;
    void groesseAnpassen();
    // Writes every page as PDF into the file with the progress window; false when the writing
    // failed (the message in fehler) or was cancelled (fehler empty).
    bool pdfSchreiben(const QString& datei, QString* fehler);
    void melden(const QString& text, bool fehler);

    TDruck& doc_;
    UserSeam& seam_;
    TDruckDialoge* dialoge_;
    TDesktop* desktop_;
    std::unique_ptr<TDruckDialoge> eigeneDialoge_;
    std::unique_ptr<TDesktop> eigenerDesktop_;
    QPrinter printer_;
    TDruckFensterEinstellungen e_;
    std::unique_ptr<TDruckLayout> layout_;
    std::unique_ptr<TSeitenSpeicher> speicher_;
    bool ausgeben_ = false;
    int lastseite_ = -1;
    QString mailDatei_;
    TDruckFortschritt* fortschritt_ = nullptr;
    std::unique_ptr<TFortschrittSeam> fortschrittSeam_;

    QToolBar* leiste_ = nullptr;
    QToolButton *menubtn_, *druckenbtn_, *faxbtn_, *mailbtn_, *pdfbtn_, *zurueckbtn_, *vorbtn_,
        *zoomInbtn_, *zoomOutbtn_, *zoom100btn_, *zoomHoehebtn_, *zoomBreitebtn_, *zoomGanzbtn_;
    QCheckBox* previewchk_ = nullptr;
    QLabel *labelSeite_, *labelZoom_;
    QAction *autoOpenAct_, *farbigAct_, *grenzenAct_, *grossAct_, *mehrfachAct_;
    QStackedWidget* stapel_ = nullptr;
    TSeitenVorschau* vorschau_ = nullptr;
    QListView* miniaturListe_ = nullptr;
    TMiniaturen* miniaturen_ = nullptr;
    QPlainTextEdit* rohtext_ = nullptr;
};

} // namespace zephan
