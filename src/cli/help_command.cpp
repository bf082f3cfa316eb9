#include "cli/command.h"

namespace zephan::cli {
namespace {

// What each command is for, in one line; the usage line itself comes from its registration,
// so the two cannot drift apart in the options.
struct Zweck {
    const char* name;
    const char* text;
};
constexpr Zweck zwecke[] = {
    {"attenuation", "Dämpfung eines Bauteils in Oktavbändern (VDI 2081)."},
    {"catalog", "Typtabelle des Bauteilkatalogs ausgeben (der mitgelieferte oder DATEI)."},
    {"component", "Druckverlust eines Bauteils im Projekt berechnen."},
    {"copy", "Eine Kette mit ihren Abzweigen hinter ein Ziel kopieren und das Projekt speichern."},
    {"density", "Luftdichte aus Temperatur [°C] und relativer Feuchte [%]."},
    {"duct", "Druckverlust eines geraden Kanals oder Rohrs (Reibung nach VDI 2087)."},
    {"edit", "Projekt mit einem Bearbeitungsskript ändern."},
    {"erg", "Eine Titelzahltabelle auswerten."},
    {"example", "Das Beispielprojekt in eine Datei schreiben."},
    {"generate", "Ein großes Projekt für Messungen erzeugen."},
    {"help", "Diese Übersicht, oder den Aufruf eines Befehls."},
    {"layout", "Ein Berichtsdokument auf Seiten setzen (PDF, PNG)."},
    {"noise", "Strömungsgeräusch eines Bauteils in Oktavbändern (VDI 2081)."},
    {"pack", "Eine Datei in den gepackten Container packen."},
    {"plan", "Kanäle und Rohre in Planung dimensionieren und das Projekt speichern."},
    {"pressure", "Druckverlustberechnung der Stränge eines Projekts."},
    {"profile", "Druckverlauf eines Weges vom Strangkopf bis zu einem Ende."},
    {"quantities", "Massenauszug eines Projekts."},
    {"rooms", "Raumübersicht eines Projekts."},
    {"settings", "Einstellungen ausgeben (die des Programms oder DATEI)."},
    {"simulate", "Volumenströme, die sich in einem nicht abgeglichenen Netz einstellen."},
    {"sound", "Schallnetzberechnung: Schallpegel in den Räumen eines Strangs (VDI 2081)."},
    {"suggest", "Kanal- oder Rohrgröße für einen Volumenstrom vorschlagen."},
    {"text", "Den Text einer Projektdatei ausgeben."},
    {"tree", "Den Baum eines Projekts ausgeben, mit --calc samt Druckverlust."},
    {"unpack", "Einen gepackten Container entpacken."},
    {"version", "Programmversion ausgeben."},
};

QString zweck(const QString& name) {
    for (const Zweck& z : zwecke)
        if (name == QLatin1String(z.name)) return QString::fromUtf8(z.text);
    return {};
}

const Command help("help", "help [BEFEHL | --alle]", [](const QStringList& args) {
    if (args.size() > 1) return usage("help");
    const bool alle = args.size() == 1 && args[0] == QLatin1String("--alle");
    if (args.size() == 1 && !alle) {
        const QString aufruf = aufrufText(args[0]);
        if (aufruf.isEmpty())
            return fehler(QStringLiteral("Unbekannter Befehl \"%1\"; zephan-cli help zeigt alle.")
                              .arg(args[0]));
        out(QStringLiteral("Aufruf: zephan-cli ") + aufruf + QLatin1Char('\n'));
        const QString text = zweck(args[0]);
        if (!text.isEmpty()) out(QLatin1Char('\n') + text + QLatin1Char('\n'));
        return exitOk;
    }
    out(QStringLiteral("Aufruf: zephan-cli BEFEHL [ARGUMENTE]\n\n"
                       "Zephan ohne Fenster: jede Berechnung des Programms auf der "
                       "Kommandozeile.\nBefehle:\n"));
    for (const QString& name : befehlsnamen()) {
        const QString text = zweck(name);
        out(QStringLiteral("  ") + name.leftJustified(12) + text + QLatin1Char('\n'));
    }
    out(QStringLiteral("\n\"zephan-cli help BEFEHL\" zeigt den Aufruf eines Befehls mit seinen "
                       "Optionen.\nEndwerte: 0 Erfolg, 1 Fehler (Meldung auf der "
                       "Fehlerausgabe), 2 falscher Aufruf.\n"));
    // With --alle every usage line follows (the man page is made from this).
    if (alle) {
        out(QStringLiteral("\nAufrufe:\n"));
        for (const QString& name : befehlsnamen())
            out(QStringLiteral("  zephan-cli ") + aufrufText(name) + QLatin1Char('\n'));
    }
    return exitOk;
});

} // namespace
} // namespace zephan::cli
