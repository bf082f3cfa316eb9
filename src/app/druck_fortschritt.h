#pragma once

#include "store/user_seam.h"

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zephan {

// The report window's progress window ("Ausgabe", "Seiten werden gedruckt..." ...): modal from
// the moment a run begins, so no click reaches the window beneath, and closed the moment the
// run ends. The run hands control to the event loop at most every 50 ms, which keeps the
// window painted and its "Abbrechen" button working without slowing a run of many pages.
class TDruckFortschritt : public QDialog {
public:
    static constexpr qint64 abstandMs = 50;

    explicit TDruckFortschritt(QWidget* parent = nullptr);

    // Opens the window for a run of `gesamt` steps.
    void beginnen(const QString& text, int gesamt);
    // A step is done; false once the user cancelled.
    bool weiter(int fertig, int gesamt = -1, const QString& text = QString());
    // Closes the window; the run is over.
    void beenden();

    bool laeuft() const { return laeuft_; }
    bool abgebrochen() const { return abgebrochen_; }
    // How often the event loop got control in the current run.
    int uebergaben() const { return uebergaben_; }
    QString text() const;
    int wert() const;

    // Milliseconds of a steady clock; replaceable, so the hand-over rule can be checked.
    std::function<qint64()> uhr;

protected:
    void reject() override; // Esc and the close button cancel the run, they do not hide it

private:
    void uebergeben();

    QLabel* text_;
    QProgressBar* balken_;
    QPushButton* abbrechen_;
    bool laeuft_ = false;
    bool abgebrochen_ = false;
    int uebergaben_ = 0;
    qint64 zuletzt_ = 0;
};

// A run of the progress window bound to a scope: however the run leaves it (finished,
// cancelled, failed, or by an early return), the window is closed.
class TFortschrittLauf {
public:
    TFortschrittLauf(TDruckFortschritt& f, const QString& text, int gesamt) : f_(f) {
        f_.beginnen(text, gesamt);
    }
    ~TFortschrittLauf() { f_.beenden(); }
    TFortschrittLauf(const TFortschrittLauf&) = delete;
    TFortschrittLauf& operator=(const TFortschrittLauf&) = delete;

private:
    TDruckFortschritt& f_;
};

// Messages that come up during a run go to the user with the progress window out of the way:
// it is hidden while the message is shown and comes back afterwards while the run goes on.
class TFortschrittSeam : public UserSeam {
public:
    TFortschrittSeam(UserSeam& ziel, TDruckFortschritt& fortschritt)
        : ziel_(ziel), f_(fortschritt) {}
    int frage(const QString& text, const QString& buttons, Kind kind) override;
    void meldung(const QString& text, Kind kind) override;
    void status(int panel, const QString& text) override { ziel_.status(panel, text); }

private:
    UserSeam& ziel_;
    TDruckFortschritt& f_;
};

} // namespace zephan
