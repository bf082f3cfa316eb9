#pragma once

namespace zephan {

class EditSession;
class tmylistitem;

// The rules by which the project tree changes. They work on the session's focused node and
// edit buffer and report through its seam; the session wraps each call into one command of
// its undo history, so callers normally use the session's methods of the same names.
namespace baumregel {

// Inserts a line head from the buffer (type 0 or 1 with identifier and density), asking
// whether it goes below or above the selected node's line, then applies the buffer to it.
bool strangEinfuegen(EditSession& s);
// Inserts the buffer's component above or below the focused node when every insertion
// condition holds (else the refusal goes to the status bar), then applies the buffer to it.
bool bauteilEinfuegen(EditSession& s);
// Applies the buffer to the focused node, creates its automatic children, runs the neighbour
// check and the node's pressure loss. Refused without a message for a type change that is
// not allowed, a buffer without type or no focused node.
bool uebernehmen(EditSession& s);
// Appends an automatic child of type `typ` to `eltern` with a reset record and the type's
// defaults; with `auswaehlen` it becomes selected and focused. Null without parent.
tmylistitem* kindAnhaengen(EditSession& s, tmylistitem* eltern, int typ, bool auswaehlen);
// Deletes the focused node with its descendants, unless its type belongs to the line ("Dieses
// Stück gehört zum Strang."); a line head is deleted only after "Wollen Sie wirklich den
// Strang löschen?" is answered "löschen".
bool knotenLoeschen(EditSession& s);

} // namespace baumregel
} // namespace zephan
