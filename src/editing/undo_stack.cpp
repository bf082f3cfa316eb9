#include "editing/undo_stack.h"

namespace zephan {

// --- the stack ----------------------------------------------------------------------------------

void UndoStack::push(BaumBefehl befehl) {
    befehle_.resize(static_cast<size_t>(position_));
    // The saved state lay on the dropped redo branch: no position reaches it any more.
    if (gesichertBei_ > position_) gesichertBei_ = -1;
    befehle_.push_back(std::move(befehl));
    ++position_;
}

void UndoStack::clear(bool gesichert) {
    befehle_.clear();
    position_ = 0;
    gesichertBei_ = gesichert ? 0 : -1;
}

const BaumBefehl* UndoStack::naechsterRueckgaengig() const {
    return position_ > 0 ? &befehle_[static_cast<size_t>(position_ - 1)] : nullptr;
}

const BaumBefehl* UndoStack::naechsterWiederholen() const {
    return kannWiederholen() ? &befehle_[static_cast<size_t>(position_)] : nullptr;
}

} // namespace zephan
