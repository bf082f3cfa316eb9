#pragma once

#include "editing/undo_stack.h"
#include "network/dvdata.h"
#include "network/flow_sums.h"
#include "network/project_file.h"
#include "network/tree_listener.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace zephan {

class UserSeam;
class tmylistitem;
struct KopierPlan;
struct UeberschreibOptionen;
struct RaumZeile;
enum class RaumSpalte;

// What the main window owns for editing, without a window: the open project (tree, project
// page, file name, changed mark and automatic-save countdown), the edit buffer `editDaten`, the
// selected and the focused node, the message and status seam, and the undo history. Every
// change a user can make to a project goes through it; the window only forwards button
// presses and listens to the signals below.
//
// While a calculation runs (between `rechnungBeginnen` and `rechnungBeenden`) the session
// refuses every edit and every change of the selection: the calculation holds node pointers.
class EditSession : public QObject {
    Q_OBJECT

public:
    explicit EditSession(UserSeam& seam);
    ~EditSession() override;
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    Projekt& projekt() { return projekt_; }
    ProjektBaum& baum() { return projekt_.baum(); }
    const ProjektBaum& baum() const { return projekt_.baum(); }
    UserSeam& seam() { return seam_; }

    // The edit buffer: the selected node's record or a type freshly chosen for insertion.
    DVdata& editDaten() { return editDaten_; }
    const DVdata& editDaten() const { return editDaten_; }

    // The selected node (shown in the edit pages) and the focused node (target of insert,
    // apply and delete).
    tmylistitem* selektiert() const;
    tmylistitem* fokussiert() const;
    // A click on a node: selects and focuses it, copies its record into the buffer, builds its
    // page and shows it in the status bar. Null clears both.
    void auswaehlen(tmylistitem* node);
    // A rule or calculation moved the tree's selection itself (to the node it stopped at):
    // the buffer takes that node, and the listeners are told.
    void auswahlFolgen();
    // Moves only the focus.
    void fokussieren(tmylistitem* node);

    // The buffer holds typed values that were not applied to the selected node. The window
    // marks the buffer as shown after filling its page (the page check normalises some fields).
    bool pufferVeraendert() const;
    void pufferAlsGezeigt();

    // --- the changed mark -------------------------------------------------------------------
    bool geaendert() const { return projekt_.geaendert(); }
    // A change outside the tree (the project page): it keeps the mark through undo.
    void markiereGeaendert();
    // One tick of the 5-second save timer.
    bool autoSaveTick() { return projekt_.autoSaveTick(); }

    // --- status bar ---------------------------------------------------------------------------
    // A message without component: fourth panel only.
    void statusMeldung(const QString& text);
    // The four panels for a node: position, caption, volume flow, state text.
    void statusKnoten(const tmylistitem* node);

    // --- the project ------------------------------------------------------------------------
    // Opens a project file; the undo history starts afresh. False (project unchanged) on a
    // bad file.
    bool laden(const QString& datei);
    // "Hinzufügen...": appends another project's lines, as one command that can be undone.
    bool hinzufuegen(const QString& datei);
    // "Neu...": an empty project, marked changed; the undo history starts afresh.
    void neu();
    // "Sichern": saves to the project's file; with a name, to that file ("Sichern als").
    bool sichern(const QString& datei = QString());

    // --- the edit pages ---------------------------------------------------------------------
    // Choosing an entry of the type list by its type code: without a selected node the
    // message "Bitte zuerst Position im Strang auswählen."; otherwise the buffer is reset to
    // the type with its defaults. False when no type is left in the buffer.
    bool typWaehlen(int typ);
    // The line page: a new line head of kind 0 / 1 with identifier and density text.
    void strangSeite(int typ, const QString& kennung,
                     const QString& dichte = QStringLiteral("1,2"));

    // --- the editing operations (each one command in the undo history) -----------------------
    bool strangEinfuegen();
    bool bauteilEinfuegen();
    bool uebernehmen();
    tmylistitem* kindAnhaengen(tmylistitem* eltern, int typ, bool auswaehlen);
    bool knotenLoeschen();
    // "&Einfügen": a line head in the buffer inserts a line, anything else a component.
    bool einfuegen();

    // --- staging --------------------------------------------------------------------------
    // The editing rules stage every existing node before they change it (a node with all
    // below it for `aendernTeilbaum`); the command records exactly what was staged, added and
    // removed, and announces it. Outside a command nothing is staged.
    void aendern(tmylistitem* node);
    void aendernTeilbaum(tmylistitem* wurzel);
    // With the check on (debug builds, and tests), every command compares every record after it
    // with the state before and stops the program with the name of the command and the node
    // when a rule changed a node it did not stage.
    static void setVormerkPruefung(bool an);
    static bool vormerkPruefung();

    // --- component overwrite (one command) ------------------------------------------------
    // "Setzen" of "Komponenten überschreiben": every component of the options' type in the
    // selected node's line that passes the filters takes the chosen values. With "vorher
    // nachfragen" each is selected before its question. Returns the number of components
    // changed; 0 without a selected node, without a type or when nothing was changed.
    int ueberschreiben(const UeberschreibOptionen& o);

    // --- copying a chain (one command) --------------------------------------------------
    // "Kopieren" of the copy window: the copy of the chain from `start` as `plan` (see
    // kopierPruefen) says; the first copied node is selected. False when the plan refuses.
    bool kopieren(const tmylistitem* start, const KopierPlan& plan);
    // --- sizing (each run one command in the undo history) ---------------------------------
    // "&Planen": plans the line of the selected node (or of the first node). A node the run
    // stops at, or asks about, is selected and shown. True when the run went through.
    bool planen();
    // "p": after the question, puts the selected node, its following siblings and everything
    // below them into planning. False without a selected node or when declined.
    bool allesPlanen();
    // The page's "Planung" check box: unchecking it on the selected node first fills the
    // buffer's open dimensions from the neighbours, so the buffer keeps a size.
    void planungSetzen(bool planung);

    // --- sound presets and the rooms overview (each one command) ---------------------------
    // A preset window's OK: `f` writes the window's fields into a record. When the buffer holds
    // the selected node's record, the node and the buffer take them as one command (what else
    // was typed into the buffer stays unapplied); otherwise (a type chosen for insertion) only
    // the buffer does. False when no node changed.
    bool vorgabeSetzen(const QString& name, const std::function<void(DVdata&)>& f);
    // A number cell of the rooms overview (a volume flow or a permitted level) and a row's
    // identifier; the project is marked changed.
    bool raumWertSetzen(const RaumZeile& zeile, RaumSpalte spalte, int wert);
    bool raumNameSetzen(RaumZeile& zeile, const QString& name);

    // --- calculations ---------------------------------------------------------------------
    // A calculation that may write into the records starts: edits are refused until it ends.
    // False (nothing started) while another one runs.
    bool rechnungBeginnen();
    // The calculation ended, however it ended: every record it changed is announced, the
    // project is marked changed when anything changed, and the values it wrote into the
    // selected node reach the edit buffer too (typed values of other fields stay).
    void rechnungBeenden();
    bool rechnungLaeuft() const { return rechnungLaeuft_; }

    // --- undo -------------------------------------------------------------------------------
    bool kannRueckgaengig() const { return undo_.kannRueckgaengig(); }
    bool kannWiederholen() const { return undo_.kannWiederholen(); }
    bool rueckgaengig();
    bool wiederholen();
    const UndoStack& undoStack() const { return undo_; }

signals:
    // The selected node changed (the buffer now holds its record).
    void auswahlGeaendert(tmylistitem* node);
    // The buffer was replaced or changed by something other than the page's own fields.
    void pufferGeaendert();
    // The changed mark, the undo history or the project file changed.
    void zustandGeaendert();
    void rechnungLaeuftGeaendert(bool laeuft);

private:
    void pufferVon(tmylistitem* node);
    // Refuses with a status message while a calculation runs.
    bool gesperrt();
    // Emits what changed since the last call.
    void melden();
    template <class F>
    bool befehl(const QString& name, const std::vector<tmylistitem*>& knoten, F f,
                const std::vector<tmylistitem*>& teilbaeume = {});
    void changedMarkFolgen();
    // A command changed fields of `node`: when it is the selected node and the buffer holds its
    // record, the buffer (and the buffer as shown) takes the same change.
    void pufferFolgen(const tmylistitem* node, const std::function<void(DVdata&)>& f);
    void zustandSetzen(int selektiert, int fokus, const DVdata& puffer);

    // Forwards the tree's inserts and removes to the command being recorded.
    struct Mitschnitt : BaumBeobachter {
        explicit Mitschnitt(EditSession& session) : s(session) {}
        void eingefuegt(tmylistitem* node) override;
        void vorEntfernen(tmylistitem* node) override;
        EditSession& s;
    };

    UserSeam& seam_;
    Projekt projekt_;
    // The tree's downstream sums, kept from edit to edit; told of every staged node.
    Flusssummen flusssummen_{projekt_.baum()};
    DVdata editDaten_;
    UndoStack undo_;
    std::unique_ptr<BaumAufzeichnung> aufzeichnung_;
    Mitschnitt mitschnitt_{*this};
    bool aussenGeaendert_ = false; // changes outside the tree (project page) since the save
    DVdata pufferGezeigt_;         // the buffer as its page showed it first
    bool rechnungLaeuft_ = false;
    std::vector<KnotenZustand> vorRechnung_; // every node's state when the calculation began
    // Last state told to the listeners.
    tmylistitem* gemeldeteAuswahl_ = nullptr;
    bool gemeldetGeaendert_ = false, gemeldetRueck_ = false, gemeldetWieder_ = false;
    QString gemeldeteDatei_;
};

} // namespace zephan
