#pragma once

#include "network/dvdata.h"
#include "pressure/interactive_component.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zephan {

class EditSession;
class tmylistitem;

// --- texts the editing rules show -------------------------------------------------------------

namespace editText {
inline const QString fehlendeInformationen = QStringLiteral("Fehlende Informationen");
inline const QString keineDaten = QStringLiteral("Ausgewählter Knotenpunkt enthält keine Daten.");
inline const QString nichtDenStrang = QStringLiteral("Bitte nicht den Strang auswählen");
inline const QString erstVervollstaendigen =
    QStringLiteral("Bitte erst die anderen Bauteile vervollständigen.");
inline const QString nichtDadrunter =
    QStringLiteral("Sie können dadrunter kein neues Bauteil einfügen.");
inline const QString nichtDarueber =
    QStringLiteral("Sie können darüber kein neues Bauteil einfügen.");
inline const QString nichtVorVentilator =
    QStringLiteral("Sie können das Bauteil nicht vor dem Ventilator einfügen.");
inline const QString nurAutomatisch = QStringLiteral("Dieses Bauteil kann nicht eingefügt werden.");
inline const QString gehoertZumStrang = QStringLiteral("Dieses Stück gehört zum Strang.");
inline const QString erstPosition = QStringLiteral("Bitte zuerst Position im Strang auswählen.");
inline const QString strangDarunter =
    QStringLiteral("Soll der neue Strang unter dem anderen Strang eingefügt werden?");
inline const QString woEinfuegen = QStringLiteral("Wo soll das Bauteil eingefügt werden?");
inline const QString woEinfuegenAntworten = QStringLiteral("dadrunter|dadrüber");
inline const QString strangLoeschen = QStringLiteral("Wollen Sie wirklich den Strang löschen?");
inline const QString strangLoeschenAntworten = QStringLiteral("löschen|a");
inline const QString strangVorhanden =
    QStringLiteral("Einen Strang mit diesem Namen gibt es schon.");
inline const QString strangUnvollstaendig =
    QStringLiteral("Bitte Strangart, Dichte und Kennung angeben.");
} // namespace editText

// --- type rules -------------------------------------------------------------------------------

// Types a user may insert; grilles, outlets, the fan, rooms and branch containers arise only
// as automatic children.
bool einfuegbarerTyp(int typ);
// Whether "Über&nehmen" may turn an existing node of type `alt` into type `neu`: the same
// type, both in {7, 8}, {19, 20} or {20, 21, 28}, or two pieces with three ends (never a
// branch container). The button and the operation both ask this.
bool typWechselErlaubt(int alt, int neu);

// The line-kind restriction of a type at a node's line: empty when the type may stand there,
// else "Bauteil kann nur im Zuluft eingebaut werden." (or "Abluft").
QString strangtypMeldung(int typ, const tmylistitem* node);

// --- the type list of the component page ----------------------------------------------------

struct TypListenGruppe {
    QString titel;
    QStringList eintraege;
};
// The fixed two-level list: groups "Formstück", "Verzweigung", "Sonstige" and their entries.
const std::vector<TypListenGruppe>& typListe();
// The type whose catalogue title equals an entry of the list (codes 0 ... 50); -1 for a group
// caption or any other text.
int typAusListe(const QString& eintrag);

// --- the edit pages ---------------------------------------------------------------------------

// The second option list of a type for its first choice, entries separated by "|"; empty
// when the type shows none.
QString zweiteOptionsliste(int typ, int tag1);

// What building the component page does to the buffer: shape forced by the catalogue, a single
// or default option chosen, the zeta preset of types whose normal mode is manual, the bend's
// direction list preselected.
void komponentenSeite(DVdata& d);

// The density text of a line head with three decimals; unchanged when it is no number.
QString dichteText(const QString& text);

// The line key of a line head record: the type's title + ": " + the trimmed identifier. Empty
// for any other type.
QString strangSchluessel(const DVdata& d);

// The velocity text of a duct or pipe from its dimensions and a flow [m³/h], 2 decimals; empty
// when dimensions or flow are missing.
QString streckenGeschwindigkeit(const DVdata& d, double q);

// The flow the duct and pipe pages show for the selected node; -1 when unknown.
int seitenVolumenstrom(const tmylistitem* selektiert);
// What the duct and pipe pages do on every change of a dimension: a duct or pipe not in
// planning takes the velocity of the page's flow through its section into p0.
void streckenSeite(DVdata& d, const tmylistitem* selektiert);

// Whether the buffer is complete for its page; sets `fehler` (via vollstaendig) for component
// pages. `meldung` names what is missing ("Fehlende Informationen", "Geschwindigkeit fehlt").
struct PufferStand {
    bool vollstaendig = false;
    QString meldung;
};
PufferStand pufferPruefen(DVdata& d);

// The insertion conditions of "&Einfügen" for a component, in their order, with the buffer's
// completeness from pufferPruefen; `meldung` is the refusal shown in the status bar, `typLoeschen`
// is set when the buffer's type does not fit the line kind (the operation then clears it).
struct EinfuegenStand {
    bool erlaubt = false;
    QString meldung;
    bool typLoeschen = false;
};
EinfuegenStand bauteilEinfuegenPruefen(const DVdata& puffer, const PufferStand& stand,
                                       const tmylistitem* fokus);

// The page check run after every change: what the footer buttons allow.
struct SeitenZustand {
    bool nurStrangSeiten = false; // empty tree: only "Strang" and "Projekt"
    bool vollstaendig = false;
    bool einfuegen = false;
    bool uebernehmen = false;
    bool loeschen = false;
    bool berechnen = false; // "&Berechnen" and "s"
    QString meldung;        // status bar (insertion rules)
    QString ergebnis;       // result caption
    // What the component page shows of the calculation of a complete component: its
    // velocity and zeta right after it was selected or changed.
    BauteilAnzeige anzeige;
};
SeitenZustand seitenPruefung(EditSession& session);

} // namespace zephan
