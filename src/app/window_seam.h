#pragma once

#include "store/user_seam.h"

#include <QElapsedTimer>
#include <QPointer>
#include <array>
#include <functional>

class QLabel;
class QProgressDialog;
class QWidget;

namespace zephan {

class TDruck;
class TDruckFenster;

// The one seam between the desktop program and the person at it: questions and messages as
// message dialogs over the main window, the four status-bar panels, the progress window with
// its cancel button, the file dialogs and the report window. Tests derive from it and answer
// the dialogs themselves.
class FensterSeam : public UserSeam {
public:
    explicit FensterSeam(QWidget* fenster = nullptr) : fenster_(fenster) {}
    ~FensterSeam() override;

    void setFenster(QWidget* fenster) { fenster_ = fenster; }
    void setPanels(const std::array<QLabel*, 4>& panels) { panels_ = panels; }
    void setBerichtFenster(TDruckFenster* f) { berichtFenster_ = f; }
    // Runs before every message, after the progress window closed: the main window shows the
    // node a calculation or rule stopped at, so the message appears beside its page.
    std::function<void()> vorMeldung;

    // A message never sits under a progress window: a running progress window closes first.
    int frage(const QString& text, const QString& buttons, Kind kind = Kind::Bestaetigen) override;
    void status(int panel, const QString& text) override;
    QString dateinameFragen(const QString& text, const QString& vorschlag) override;

    // A run with progress begins: the progress window is modal from its first step. The event
    // loop gets a turn on the first step and then at most every 50 ms, so a long calculation
    // stays responsive without handing the user the window after every node.
    bool fortschritt(int done, int total) override;
    // The run ended, however it ended: the progress window closes at once (not later from an
    // event loop, which a report window's own loop would delay).
    void fortschrittEnde();
    // The text the progress window shows for the run that comes next (or runs now); back to
    // "Berechne..." when that run ends.
    void setFortschrittText(const QString& text);
    bool fortschrittOffen() const { return fortschritt_ != nullptr; }

    // Shows a report document in the report window, modally.
    virtual void berichtZeigen(TDruck& doc);
    // The file dialogs of "Laden...", "Hinzufügen..." and "Sichern als ..."; empty: cancelled.
    virtual QString dateiOeffnen(const QString& titel);
    virtual QString dateiSichern(const QString& titel, const QString& vorschlag);
    // The save dialog for another kind of file than a project, e.g. "CSV (*.csv)"; it goes
    // through dateiSichern, so whoever answers that answers this one too.
    QString dateiSichernMitFilter(const QString& titel, const QString& vorschlag,
                                  const QString& filter);

protected:
    TDruckFenster* berichtFenster() const { return berichtFenster_; }

private:
    QPointer<QWidget> fenster_;
    std::array<QLabel*, 4> panels_{};
    QProgressDialog* fortschritt_ = nullptr;
    QElapsedTimer letzteRunde_;
    QString fortschrittText_;
    TDruckFenster* berichtFenster_ = nullptr;
    QString filter_; // the file filter of the save dialog being asked; empty for projects
};

} // namespace zephan
