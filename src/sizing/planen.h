#pragma once

#include <QString>
#include <functional>

namespace zephan {

class UserSeam;
class tmylistitem;
struct Rechenkontext;

// Texts of the planning run.
namespace planText {
inline constexpr char nichtMoeglich[] =
    "Planung des Bauteils nicht möglich. (evtl. kein Kanal/Rohr im Abschnitt.";
inline constexpr char fehlendeInfo[] = "Es fehlen noch Informationen über das Bauteil.";
inline constexpr char eckigRund[] = "Problem Übergang eckig/rund zum nächsten Bauteil";
inline constexpr char masse[] = "Problem unterschiedliche Dimensionen zum nächsten Bauteil.";
inline constexpr char geschwindigkeit[] = "Zu hohe Geschwindigkeit im Kanal.";
inline constexpr char abgeschlossen[] = "Planung abgeschlossen.";
inline constexpr char fehler[] = "Fehler in Planung";
inline constexpr char allesFrage[] =
    "Wollen Sie wirklich alle unterliegenden Bauteile im Strang auf planen setzen?";
inline constexpr char allesGesetzt[] = "Alles auf planen gesetzt.";
// The buttons of the question after a shape, size or speed problem: go on or cancel.
inline constexpr char weiterButtons[] = "weiter|a";
} // namespace planText

// The outcome of "&Planen".
struct PlanErgebnis {
    bool abgeschlossen = false;  // the run went through (problems passed over included)
    tmylistitem* halt = nullptr; // the node it stopped at; the caller selects and shows it
    QString meldung;             // the message it stopped with (empty when cancelled)
};

// "&Planen": plans the chain of the line of `start` (the line head's children), forward with
// the branch chains before their piece, then backward with the branch chains after it,
// judging every node on the way back. A node that stays in planning or lacks information
// stops the run with a message; a shape, size or speed problem asks through the seam whether
// to go on. The status texts "Planung abgeschlossen." / "Fehler in Planung" go to the seam's
// fourth panel. The context gives settings, catalogue, density and (when set) the flows of
// the line; without flows they are found once here. `zeigen` selects and opens a node before
// its message or question.
PlanErgebnis planen(tmylistitem* start, UserSeam& seam, const Rechenkontext& kontext,
                    const std::function<void(tmylistitem*)>& zeigen = {});

// "p": puts `start`, its following siblings and everything below them into planning where the
// type allows it (a shape, size or speed state is cleared). Asks first; false when the user
// declined or there is no node. Tells "Alles auf planen gesetzt." through the seam.
bool allesPlanen(tmylistitem* start, UserSeam& seam, const Rechenkontext& kontext);

} // namespace zephan
