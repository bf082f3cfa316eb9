#pragma once

#include "network/tree_position.h"

#include "store/user_seam.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zephan {

class EditSession;
class ProjektBaum;
class tmylistitem;

// The seam of a scripted session: questions are answered from the queue the script fills
// ("answer N"), else by their first button; every question, message and status-bar message
// is handed to `ausgabe` as one line, so a script shows what a user would see. While `stumm`
// is set (loading and saving around the script) questions and messages go to `aussen`, whose
// owner decides the answers; without it messages go to `fehlerAusgabe` and a question is
// left unanswered (-1, as a closed dialog).
class SkriptSeam : public UserSeam {
public:
    std::function<void(const QString&)> ausgabe;
    std::function<void(const QString&)> fehlerAusgabe;
    UserSeam* aussen = nullptr;
    QList<int> antworten;
    bool stumm = false;

    int frage(const QString& text, const QString& buttons, Kind kind = Kind::Bestaetigen) override;
    void meldung(const QString& text, Kind kind = Kind::Information) override;
    void status(int panel, const QString& text) override;

private:
    void zeile(const QString& text);
};

// Runs a script of editing steps, one per line ("#" starts a comment):
//   select POS | focus POS | type N|ENTRY | set FIELD VALUE | insert | apply | delete |
//   newline Zuluft|Abluft ID | answer N | undo | redo | new | plan | allplan |
//   overwrite TYPE FIELD=VALUE... [--line POS] [--ask no]
// ("plan" sizes the selected node's line and fails when the run stops; "allplan" puts the
// selected node, its following siblings and all below them into planning; "overwrite" copies
// values onto every component of TYPE in the line of the selected node, or of POS, asking
// "Bauteil überschreiben?" before each unless --ask no. Its fields: i0 ... i6 (the parameter
// rows; the text slot takes text), ersetzen (the "? ersetzen" text), vorgabe=keine|druck|zeta
// with dp, v and zeta, planung=ja|nein and form=eckig|rund (the results), and the filters
// wenn-planung=ja|nein, wenn-form=eckig|rund, wenn-vorgabe=ja|nein and
// ort=hauptstrang,verzweigung,abzweig)
// FIELD is i0 ... i6, p0 ... p2, tag1, tag2, vorgabe, planung, eckig, text, gruppe, dichte or
// kennung. Numbers are machine numbers ("2.5"); "-" sets an empty number field (-1). It stops
// at the first step that is unknown, malformed or refused.
struct SkriptErgebnis {
    bool ok = true;
    int zeile = 0;  // 1-based line of the failing step
    QString fehler; // "Zeile 3: ..."
};
SkriptErgebnis skriptAusfuehren(EditSession& session, SkriptSeam& seam, const QStringList& zeilen);

} // namespace zephan
