#pragma once

#include "network/record_snapshot.h"

#include <vector>

namespace zephan {

// The commands of a session: unlimited depth, a redo branch that is dropped by a new command,
// and the position at which the project was last saved, so the changed mark can follow undo.
class UndoStack {
public:
    void push(BaumBefehl befehl);
    void clear(bool gesichert);

    bool kannRueckgaengig() const { return position_ > 0; }
    bool kannWiederholen() const { return position_ < static_cast<int>(befehle_.size()); }
    // The command the next undo / redo applies; null when there is none.
    const BaumBefehl* naechsterRueckgaengig() const;
    const BaumBefehl* naechsterWiederholen() const;
    // Moves the position after the command was applied.
    void rueckgaengigGetan() {
        if (position_ > 0) --position_;
    }
    void wiederholenGetan() {
        if (kannWiederholen()) ++position_;
    }

    int position() const { return position_; }
    // Every command, the undone ones (from position() on) included.
    const std::vector<BaumBefehl>& befehle() const { return befehle_; }
    int anzahl() const { return static_cast<int>(befehle_.size()); }
    // The project was saved at the current position.
    void gesichert() { gesichertBei_ = position_; }
    // True when the current position differs from the saved one.
    bool geaendert() const { return position_ != gesichertBei_; }

private:
    std::vector<BaumBefehl> befehle_;
    int position_ = 0;
    int gesichertBei_ = 0; // -1: no saved state among the commands
};

} // namespace zephan
