#pragma once

#include "app/window_seam.h"
#include "editing/edit_session.h"
#include "network/projekt_sperre.h"
#include "report/report_document.h"

#include <QMainWindow>
#include <QMap>
#include <QPushButton>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeView;
class QTreeWidget;

namespace zephan {

struct Rechenkontext;

class FormSeite;
class ProjektSeite;
class SeitenFuss;
class StrangSeite;
class StreckenSeite;
class BaumSpalten;
class ProblemListe;
class TBauteilForm_;
class Tk_AllSetform;
class Tk_DVVerlaufform;
class Tk_Kopierform;
class Tk_schall2form;
class TDruckFenster;
class AnleitungFenster;
class Tk_Einstellform;
class Tk_RaumBandform;
class Tk_Raumform;
class Tk_Schallvorgabeform;
class Zahlenfeld;

// A button that remembers whether Shift was held when it was pressed ("moused").
class ShiftKnopf : public QPushButton {
public:
    using QPushButton::QPushButton;
    bool shift = false;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// The main window ("Kanalnetz"): the project tree on the left, the five edit pages on the
// right, the button bar, the footer with the edit buttons and the result caption, and the
// four-panel status bar. Every change goes through the editing session; the window only
// shows the session's state and forwards commands.
class Tk_DVform : public QMainWindow {
    Q_OBJECT

public:
    enum Seite { SeiteKanal = 0, SeiteRohr, SeiteFormstueck, SeiteStrang, SeiteProjekt };

    // `seam`: the dialogs, file dialogs and report window to use (default: the real ones).
    explicit Tk_DVform(QWidget* parent = nullptr, std::unique_ptr<FensterSeam> seam = nullptr);
    ~Tk_DVform() override;

    EditSession& session() { return *session_; }
    FensterSeam& seam() { return seam_; }
    QTreeView* baumAnsicht() const { return baum_; }
    BaumSpalten* modell() const { return modell_; }
    ProblemListe* probleme() const { return probleme_; }
    QTabWidget* seiten() const { return seiten_; }
    TDruck& druck() { return druck_; }
    TDruckFenster* druckFenster() const { return druckFenster_; }
    QString statusText(int panel) const;

    // Start-up when the window is shown: the example written to the per-user folder, the last
    // project (or `datei` when given, or the example) opened, the first node selected.
    void start(const QString& datei = QString());

    // Shows the report document through the seam, with the automatic save paused meanwhile.
    void berichtZeigen();

    // --- commands (menu, buttons, keys) -----------------------------------------------------
    void knotenAuswaehlen(tmylistitem* node);
    void typListeGewaehlt(const QString& eintrag);
    void seiteGewaehlt(int seite);
    bool einfuegenClick();
    bool uebernehmenClick();
    bool loeschenClick();
    bool rueckgaengig();
    bool wiederholen();
    void suchen();
    bool neuMenu();
    bool ladenMenu();
    bool hinzufuegenMenu();
    bool ladenDatei(const QString& datei);
    bool sichernMenu();
    bool sichernAlsMenu();
    // The project file this window holds locked (empty when none).
    QString gesperrteDatei() const { return sperre_.projektDatei(); }
    void einstellungenMenu();
    void bauteilMenu();
    void ueberMenu();
    // Hilfe → "Anleitung" (F1): the manual beside the main window, created at its first use.
    void anleitungMenu();
    AnleitungFenster* anleitung() const { return anleitung_; }
    void berechnenClick();
    void druckenClick();
    // "&Planen" (the selected line) and "p" (everything below the selection into planning).
    void planenClick();
    void allesPlanenClick();
    // F7 (all lines, or the selected line with Shift on the button) and F8 (selected line).
    void druckverlustberechnung(bool nurAusgewaehlt);
    // "Zusammenfassung" (pressure part), "Strangverlauf", "für ein Bauteil zusammenstellen".
    void zusammenfassungMenu();
    void strangverlaufMenu();
    void bauteilZusammenstellenMenu();
    // "Massenauszug": the bill of quantities to the report window; "Massenauszug als CSV...":
    // the same items into a CSV file chosen in the save dialog.
    void massenauszugMenu();
    bool massenauszugCsvMenu();
    // "Welcher Volumenstrom stellt sich ein...": the simulation of the selected node's line
    // with its progress window; its report goes to the report window. Changes nothing.
    void WelcherVbtnClick();
    // "Komponenten überschreiben...": the overwrite window, filled from the edit buffer, when
    // the tree has nodes and one is selected.
    void Allesetzen1Click();
    Tk_AllSetform* allSetform() const { return allsetform_; }
    void dichteBerechnen();
    void laengeSetzen(int meter);
    // The sound inputs: "Schall" (the sound preset of the buffer's component), "Spektrum"
    // beside slot 3 / 4 (room spectrum / reverberation per band), "Raumübersicht...". Each OK
    // on the selected node and each edit in the overview is one command.
    void schallvbtnClick();
    void spektrumClick(int slot);
    void raumuebersichtMenu();
    // "s" / F9: the flow-noise and attenuation report of the selected component.
    void schallBauteilClick();
    // F10 "Schallnetzberechnung" (the selected node's line) and F11 (restricted to the path
    // of the selected chain); "Druck und Schall berechnen": the pressure report, a page break
    // and the sound report of the line in one document.
    void schallnetzMenu(bool nurAusgewaehlt);
    void druckUndSchallMenu();
    // The sound report of the selected node's line appended to the report document (summary
    // mode: only the worst room in detail); false when the run stopped.
    bool schallAnhaengen(const Rechenkontext& kontext, bool zusammenfassung);
    Tk_Schallvorgabeform* schallvorgabeform() const { return schallvorgabeform_; }
    Tk_RaumBandform* raumSpektrumform() const { return raumSpektrumform_; }
    Tk_RaumBandform* nachhallzeitform() const { return nachhallzeitform_; }
    Tk_Raumform* raumform() const { return raumform_; }
    // "&Grafik": the pressure profile of the line of the selected node (or of the first node).
    void GrafikbtnClick();
    // "Kopieren...": the copy window beside the main window.
    void Kopieren1Click();
    Tk_DVVerlaufform* verlaufform() const { return verlaufform_; }
    Tk_Kopierform* kopierform() const { return kopierform_; }
    Tk_schall2form* schall2form() const { return schall2form_; }
    // The message for a field of the shown page whose value is out of its range, naming the
    // field and the range; empty when every field is valid. "Über&nehmen" and "&Einfügen"
    // refuse with it.
    QString ungueltigesFeld() const;
    // One tick of the 5-second save timer.
    void SavetimerTimer();
    // Shows the hidden commands (Ctrl + right click on the button bar).
    void versteckteZeigen();
    QAction* aktion(const QString& name) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void bauen();
    void menuBauen();
    QWidget* kanalSeiteBauen();
    QWidget* rohrSeiteBauen();
    QWidget* formSeiteBauen();
    QWidget* strangSeiteBauen();
    QWidget* projektSeiteBauen();
    QWidget* fussBauen();
    // "Über&nehmen" (or Return in a field) and "&Einfügen" of the footer: refused with a
    // message while a field holds a value out of its range.
    bool seiteAnwenden(bool einfuegen);

    // Shows the buffer on the page of its type (handlers suppressed meanwhile).
    void pufferZeigen();
    void kanalZeigen();
    void rohrZeigen();
    void strangZeigen();
    void projektZeigen();
    void komponentenSeiteZeigen(bool typGewechselt);
    void gruppenFuellen();
    void nachbarnZeigen();
    // The page check after every change: footer buttons, result caption, status message.
    void pruefen();
    // Window state after any command: view selection, caption, menu texts, undo items.
    void nachBefehl();
    void zustandZeigen();
    void ansichtAuswahlFolgen();
    // A calculation that writes into the records: the session refuses edits meanwhile and the
    // window's editing commands are disabled; false when one runs already.
    bool rechnungBeginnen();
    void rechnungBeendet(tmylistitem* stopp);
    void rechnungLaeuftZeigen(bool laeuft);
    // Leaving a node whose typed values were not applied asks first; false: stay.
    bool pufferVerlassen();
    void seiteZeigen(int seite);
    bool veraendertFragen();
    void timerNachDialog();
    void fensterEinstellungenSichern();
    // The lock of the project file (beside it), so two running programs never save over each
    // other. For opening: a file held by another program is opened read-only when the user
    // agrees (false: declined). For saving under a name: false after the message when another
    // program holds that file. `sperreUebernehmen` keeps the new lock once the file is open.
    bool sperreFuerLaden(const QString& datei, ProjektSperre& neu, bool& nurLesen);
    bool sperreFuerSichern(const QString& datei, ProjektSperre& neu);
    void sperreUebernehmen(ProjektSperre& neu, bool nurLesen);

    // The page of a duct or pipe in the buffer (null for other types).
    StreckenSeite* streckenSeite() const;

    std::unique_ptr<FensterSeam> eigeneSeam_;
    FensterSeam& seam_;
    std::unique_ptr<EditSession> session_;
    TDruck druck_;
    BaumSpalten* modell_ = nullptr;
    ProblemListe* probleme_ = nullptr;
    QTreeView* baum_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTabWidget* seiten_ = nullptr;
    QTimer* savetimer_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    QMap<QString, QAction*> aktionen_;
    bool fsetzen_ = false;
    // The edit pages and the footer; they bind their fields to the edit buffer.
    StreckenSeite* kanalSeite_ = nullptr;
    StreckenSeite* rohrSeite_ = nullptr;
    FormSeite* formSeite_ = nullptr;
    StrangSeite* strangSeite_ = nullptr;
    ProjektSeite* projektSeite_ = nullptr;
    SeitenFuss* fuss_ = nullptr;
    ShiftKnopf* druckverlustKnopf_ = nullptr;
    QWidget* knopfleiste_ = nullptr;
    QPushButton* bauteilKnopf_ = nullptr; // the catalogue editor, hidden until revealed
    Tk_Einstellform* einstellform_ = nullptr;
    TBauteilForm_* bauteilform_ = nullptr;
    Tk_AllSetform* allsetform_ = nullptr;
    TDruckFenster* druckFenster_ = nullptr;
    Tk_Schallvorgabeform* schallvorgabeform_ = nullptr;
    Tk_RaumBandform* raumSpektrumform_ = nullptr;
    Tk_RaumBandform* nachhallzeitform_ = nullptr;
    Tk_Raumform* raumform_ = nullptr;
    Tk_DVVerlaufform* verlaufform_ = nullptr;
    Tk_Kopierform* kopierform_ = nullptr;
    ProjektSperre sperre_;
    AnleitungFenster* anleitung_ = nullptr;
    Tk_schall2form* schall2form_ = nullptr;
};

} // namespace zephan
