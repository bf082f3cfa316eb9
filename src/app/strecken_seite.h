#pragma once

#include "editing/duct_page_model.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zephan {

class EditSession;
class UserSeam;
class Zahlenfeld;
class KurzLabel;

// The duct page ("Kanal") and the pipe page ("Rohr"): one page for both, the pipe without
// width and height but with its diameter and the buttons for the neighbouring standard
// diameters. The page binds its fields to the edit buffer through the page model; the sizing
// controls (design field, "v anpassen", length buttons) act at once.
class StreckenSeite : public QWidget {
    Q_OBJECT

public:
    StreckenSeite(bool rund, EditSession& session, UserSeam& seam, QWidget* parent = nullptr);

    bool rund() const { return modell_.rund(); }
    // Shows the buffer (the results of a sizing stay while the page shows the node they belong
    // to).
    void zeigen();
    // The page chosen by its tab: a fresh duct or pipe in the buffer, shown.
    void zuruecksetzen();
    // After the page check: the velocity it computed.
    void geschwindigkeitZeigen();
    void gruppenFuellen(const QStringList& gruppen);
    // A quick length button "1" ... "15".
    void laengeSetzen(int meter);
    // The message for a field out of its range; empty when all are valid.
    QString ungueltigesFeld() const;

signals:
    // The buffer changed: the window checks the page.
    void geaendert();
    // Return in a field: the window applies the buffer.
    void uebernehmenGewuenscht();

private:
    QWidget* bauen();
    QWidget* wertePanelBauen();
    QString name(const char* teil) const;
    int captionBreite() const;
    StreckenFelder felder() const;
    void wertePanelFolgen();
    void ergebnisseZeigen(const AuslegungsZeilen& z);
    void materialZeigen();

    // Field actions.
    void feldGeaendert();
    void auslegungVerlassen();
    void massGeaendert(bool breite);
    void durchmesserGeaendert();
    void nachbarnZeigen();
    void nachbarClick(bool groesser);
    void laengeVerlassen();
    void vAnpassenClick();

    StreckenSeitenModell modell_;
    EditSession& session_;
    UserSeam& seam_;
    bool setzen_ = false;
    const void* ergebnisKnoten_ = nullptr; // the node the shown sizing results belong to

    Zahlenfeld* volumenstrom_ = nullptr;
    Zahlenfeld* breite_ = nullptr; // the pipe's diameter
    Zahlenfeld* hoehe_ = nullptr;  // duct only
    Zahlenfeld* maxBreite_ = nullptr;
    Zahlenfeld* maxHoehe_ = nullptr;
    Zahlenfeld* laenge_ = nullptr;
    Zahlenfeld* auslegung_ = nullptr;
    QLabel* auslegungText_ = nullptr;
    QLabel* auslegungEinheit_ = nullptr;
    QPushButton* vAnpassen_ = nullptr;
    QPushButton* kleiner_ = nullptr; // pipe only
    QPushButton* groesser_ = nullptr;
    std::array<QLabel*, 3> berechnet_{};
    std::array<QLabel*, 3> vorschlag_{};
    QLabel* geschwindigkeit_ = nullptr;
    QLabel* flaeche_ = nullptr;
    QWidget* wertePanel_ = nullptr;
    QTreeWidget* material_ = nullptr;
    QComboBox* gruppe_ = nullptr;
    QLabel* gruppeText_ = nullptr;
    QCheckBox* planung_ = nullptr;
    QLineEdit* bemerkung_ = nullptr;
};

} // namespace zephan
