#pragma once

#include "store/user_seam.h"

#include <QString>

namespace zephan::cli {

// The progress of a long run as one line on standard error ("\r" + text + " 42 %"), for a
// person at a terminal: written only when the percentage changes, and blanked again when the
// run ends. When standard error is no terminal it writes nothing, so logs stay clean. As the
// calculation's progress seam it answers no questions (the calculation asks its own seam).
class Fortschrittszeile : public UserSeam {
public:
    explicit Fortschrittszeile(QString text);
    ~Fortschrittszeile() override;
    Fortschrittszeile(const Fortschrittszeile&) = delete;
    Fortschrittszeile& operator=(const Fortschrittszeile&) = delete;

    // One step; `text` replaces the line's caption when not empty. Always true (no cancel).
    bool zeigen(const QString& text, int done, int total);
    // Blanks the line (also done by the destructor).
    void beenden();

    int frage(const QString&, const QString&, Kind) override { return 0; }
    void status(int, const QString&) override {}
    bool fortschritt(int done, int total) override { return zeigen(QString(), done, total); }

private:
    QString text_;
    bool aktiv_;
    int prozent_ = -1;
    int breite_ = 0; // characters written on the line
};

} // namespace zephan::cli
