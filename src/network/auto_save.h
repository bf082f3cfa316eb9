#pragma once

#include <QString>

namespace zephan {

// The automatic save as a countdown without a timer of its own: the window's timer calls
// `tick` every `intervallSekunden`; when the budget is used up the caller writes the temporary
// copy. Budget and running state also give the file menu its item text.
class AutoSave {
public:
    static constexpr int intervallSekunden = 5;
    static constexpr int budgetSekunden = 300;

    bool laeuft() const { return laeuft_; }
    int budget() const { return budget_; }

    void start() { laeuft_ = true; }
    void stop() { laeuft_ = false; }
    // Budget back to 300 seconds (running state unchanged).
    void neuStarten() { budget_ = budgetSekunden; }

    // One tick of the timer. Returns true when the budget ran out: the budget is then reset
    // and the caller saves the temporary copy. Does nothing while stopped.
    bool tick();

    // The project was marked changed. `warUnveraendert`: it was unchanged before;
    // `automatischAn`: the setting "automatisch alle 5 Minuten sichern".
    void geaendert(bool warUnveraendert, bool automatischAn);

    // "Sichern (5 Min.)" while running, "Sichern (-)" otherwise.
    QString menuText() const;
    // The menu item is usable while the countdown runs or the project is changed.
    bool menuAktiv(bool projektGeaendert) const { return laeuft_ || projektGeaendert; }

private:
    bool laeuft_ = false;
    int budget_ = budgetSekunden;
};

} // namespace zephan
