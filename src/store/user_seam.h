#pragma once

#include <QString>
#include <QStringList>

namespace zephan {

// Everything the calculations, stores and editing rules route to a person goes through this
// seam. The desktop program shows dialogs, the command-line tool prints to stderr and answers
// questions by default, the tests record.
class UserSeam {
public:
    enum class Kind { Warnung, Fehler, Bestaetigen, Information };

    virtual ~UserSeam() = default;

    // Shows a message with buttons given as "j|n|a" and returns the position (0-based) of
    // the chosen button; -1 when the dialog was closed without a choice.
    virtual int frage(const QString& text, const QString& buttons,
                      Kind kind = Kind::Bestaetigen) = 0;
    // A message with a single OK button.
    virtual void meldung(const QString& text, Kind kind = Kind::Information) {
        frage(text, QStringLiteral("o"), kind);
    }
    // One of the four status-bar panels (0 ... 3).
    virtual void status(int panel, const QString& text) = 0;
    // Asks for a file name to save under (the window's save dialog); empty = cancelled. Without
    // a person nobody answers.
    virtual QString dateinameFragen(const QString& text, const QString& vorschlag) {
        (void)text;
        (void)vorschlag;
        return QString();
    }
    // Progress: total steps, step done; returns false once the user asked to cancel.
    virtual bool fortschritt(int done, int total) {
        (void)done;
        (void)total;
        return true;
    }
};

// Answers every question with its default (the first button) and forgets the rest: for
// callers that run without a person.
class SilentSeam : public UserSeam {
public:
    int frage(const QString&, const QString&, Kind) override { return 0; }
    void status(int, const QString&) override {}
};

} // namespace zephan
