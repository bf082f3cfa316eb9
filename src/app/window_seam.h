#pragma once

#include "store/user_seam.h"

#include <QPointer>
#include <array>

class QLabel;
class QProgressDialog;
class QWidget;

namespace zephan {

// The seam of the desktop program: questions and messages as message dialogs over the main
// window, the four status-bar panels, and the progress window with its cancel button.
class FensterSeam : public UserSeam {
public:
    explicit FensterSeam(QWidget* fenster = nullptr) : fenster_(fenster) {}

    void setFenster(QWidget* fenster) { fenster_ = fenster; }
    void setPanels(const std::array<QLabel*, 4>& panels) { panels_ = panels; }

    int frage(const QString& text, const QString& buttons, Kind kind = Kind::Bestaetigen) override;
    void status(int panel, const QString& text) override;
    QString dateinameFragen(const QString& text, const QString& vorschlag) override;
    // Shows the progress window on the first step and closes it on the last; false once the
    // user pressed "Abbrechen".
    bool fortschritt(int done, int total) override;
    // Closes the progress window (a calculation ended early).
    void fortschrittEnde();

private:
    QPointer<QWidget> fenster_;
    std::array<QLabel*, 4> panels_{};
    QProgressDialog* fortschritt_ = nullptr;
};

} // namespace zephan
