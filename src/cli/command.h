#pragma once

#include "store/user_seam.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zephan {
class ProjektBaum;
class TDruck;
class tmylistitem;
} // namespace zephan

namespace zephan::cli {

// Exit codes of zephan-cli: 0 success, 1 failure (German message on stderr), 2 usage error.
constexpr int exitOk = 0;
constexpr int exitFehler = 1;
constexpr int exitUsage = 2;

using CommandFn = std::function<int(const QStringList& args)>;

// Every command registers itself from its own file with a static Command object.
struct Command {
    Command(const char* name, const char* usage, CommandFn fn);
};

// The names of all registered commands, sorted, and the usage text of one (empty when there is
// no such command).
QStringList befehlsnamen();
QString aufrufText(const QString& name);

// Prints a German failure message to stderr and returns exitFehler.
int fehler(const QString& message);
// "Keine Position POS im Projekt." as fehler().
int keinePosition(const QString& position);
// The component at `position` whose passage `seite` (0 main, 1 or 2 a branch) a sound command
// asks for; null after the message when there is no node there, a line head (or a room, unless
// `raumErlaubt`), or a fitting without that branch.
tmylistitem* schallBauteil(ProjektBaum& baum, const QString& position, int seite, bool raumErlaubt);
// Prints the usage line of `name` to stderr and returns exitUsage.
int usage(const char* name);
// Writes UTF-8 text to stdout / stderr.
void out(const QString& text);
void err(const QString& text);
// A number argument in the machine format ("." decimal point, no ","); false in *ok when it is
// none or not finite. The second form says why in `grund`.
double zahlArgument(const QString& text, bool* ok);
bool zahlArgument(const QString& text, double& wert, QString& grund);

// The command-line tool's seam: messages go to stderr. It answers only what the caller decided
// on the command line (the newer temporary copy: `zwischenspeicher`); any other question is
// printed and left unanswered (-1, as a closed dialog) and kept in `unbeantwortet`, so the
// command stops instead of guessing.
class KonsolenSeam : public UserSeam {
public:
    int zwischenspeicher = -1; // 0 load the temporary copy, 1 the file; -1 not decided
    QString unbeantwortet;

    int frage(const QString& text, const QString& buttons, Kind kind) override;
    void status(int, const QString&) override {}
};

// An output file named on the command line, checked before any work is done: a symbolic
// link is replaced by the file it names (so the link stays), a device, FIFO or socket is
// refused. False after the message on stderr.
bool ausgabeDatei(QString& pfad);

// Writes the report document's lines as UTF-8 text; false with the reason.
bool markupSchreiben(const TDruck& doc, const QString& datei, QString& grund);

// A number in the machine format: "." and at least 6 significant digits.
QString machineNumber(double x);
// Takes "--name VALUE" out of args; false when the option has no value or comes twice.
bool wertNehmen(QStringList& args, const QString& name, QString& wert);
// "--side N": the passage of a branch fitting, 0 (main), 1 or 2; left as it is when the option
// is missing. False when its value is none of these.
bool seiteNehmen(QStringList& args, int& seite);
// key<TAB>value line on stdout.
// A stored German number text in the machine format; empty when the text is no number.
QString zahlAusText(const QString& text);
void keyValue(const QString& key, double value);
void keyValue(const QString& key, const QString& value);

} // namespace zephan::cli
