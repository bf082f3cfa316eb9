#include "network/catalogue.h"
#include "network/catalogue_tree.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/trace_log.h"
#include "store/user_seam.h"
#include "support/recording_seam.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using namespace zephan;

namespace {

// The air network's catalogue tables as published with the program, kept here as text and
// parsed below, so the carried catalogue is checked against them value by value.

const char* const strukturTabelle = R"TAB(
| 0 | Zuluft | 0 | 1 | 3 | 0 | 0 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 1 | Abluft | 1 | 1 | 3 | 0 | 0 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 2 | Kanal | 2 | 2 | 1 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 3 | Rohr | 3 | 2 | 0 | 1 | 1 | 0 | 0, -1 | -1, -1 | -1, -1 |
| 4 | Raum | 4 | 2 | 3 | 0 | 0 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 5 | Abzweig | 5 | 3 | 3 | 0 | 0 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 6 | Volumenstrom | 6 | 2 | 3 | 0 | 0 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 7 | delta p | 7 | 2 | 2 | 1 | 0 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 8 | Zetawert | 8 | 2 | 3 | 0 | 0 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 9 | Außenluftgitter | 9 | 1 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 10 | Zuluftauslass | 10 | 1 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 11 | Fortluftgitter | 11 | 1 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 12 | Abluftgitter | 12 | 1 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 13 | Ventilator | 18 | 2 | 3 | 0 | 1 | 0 | -1, -1 | -1, -1 | -1, -1 |
| 16 | Querschnittsänderung | 17 | 2 | 2 | 1 | 1 | 0 | 0, 1 | 2, 3 | -1, -1 |
| 19 | Kanalpunkt | 19 | 2 | 1 | 1 | 0 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 20 | Übergangsbogen | 21 | 2 | 1 | 1 | 1 | 0 | 0, 1 | 2, 3 | -1, -1 |
| 21 | Bogen | 21 | 2 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 23 | Segmentkrümmer | 23 | 2 | 0 | 1 | 1 | 0 | 0, -1 | -1, -1 | -1, -1 |
| 24 | Etage | 24 | 2 | 2 | 1 | 1 | 0 | 0, 1 | 2, 3 | -1, -1 |
| 26 | Kanal->Rohr | 26 | 2 | 1 | 1 | 1 | 1 | 0, 1 | 2, -1 | -1, -1 |
| 27 | Rohr->Kanal | 27 | 2 | 0 | 1 | 1 | 1 | 2, -1 | 0, 1 | -1, -1 |
| 28 | Knie | 40 | 2 | 1 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 30 | Abzweigstück 90° | 30 | 3 | 2 | 1 | 1 | 0 | 0, 1 | 0, 1 | 2, 3 |
| 31 | Abzweigreduzierstück 90° | 31 | 3 | 2 | 1 | 1 | 0 | 0, 1 | 4, 5 | 2, 3 |
| 32 | Abzweigstück <90° | 32 | 3 | 0 | 1 | 1 | 0 | 0, -1 | -1, -1 | 2, -1 |
| 33 | Abzweigreduzierstück <90° | 33 | 3 | 0 | 1 | 1 | 0 | 0, -1 | 4, -1 | 2, -1 |
| 34 | Sattelstutzen 90° | 34 | 3 | 2 | 1 | 1 | 0 | 0, 1 | 2, 3 | 2, 3 |
| 35 | Hosenstück | 36 | 3 | 2 | 1 | 1 | 0 | 0, 1 | 2, 3 | 2, 3 |
| 37 | Kreuzstück | 35 | 4 | 2 | 1 | 1 | 0 | 0, 1 | 0, 1 | 2, 3 |
| 38 | Aufteilstück | 38 | 3 | 2 | 1 | 1 | 0 | 0, 1 | 0, 1 | 2, 3 |
| 39 | Abzweigstück 90°, rund | 39 | 3 | 1 | 1 | 1 | 1 | 0, 1 | -1, -1 | 2, -1 |
| 40 | Drosselklappe | 28 | 2 | 0 | 1 | 1 | 0 | 0, -1 | -1, -1 | -1, -1 |
| 41 | Schalldämpfer | 29 | 2 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 43 | Brandschutzklappe | 28 | 2 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
| 44 | Volumenstromregler | 28 | 2 | 2 | 1 | 1 | 0 | 0, 1 | -1, -1 | -1, -1 |
)TAB";

const char* const flagTabelle = R"TAB(
| 0 | 0 | 0 | 0 | 0 | 1 | 0 | 1 | 0 | 0 | -1 | 1 | 0 | 0 |
| 1 | 0 | 0 | 0 | 0 | 1 | 0 | 1 | 0 | 0 | -1 | 2 | 0 | 0 |
| 2 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 3 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 4 | 0 | 0 | 1 | 0 | 1 | 0 | 0 | 0 | 1 | -1 | 0 | 0 | 0 |
| 5 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | -1 | 0 | 0 | 0 |
| 6 | 0 | 0 | 0 | 0 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 0 | 0 |
| 7 | 4 | 5 | 1 | 1 | 0 | 1 | 1 | 1 | 0 | 0 | 0 | 1 | 0 |
| 8 | 3 | 0 | 1 | 1 | 0 | 0 | 1 | 1 | 0 | 0 | 0 | 0 | 0 |
| 9 | 0 | 5 | 0 | 1 | 0 | 1 | 0 | 1 | 0 | 0 | 1 | 1 | 0 |
| 10 | 0 | 5 | 1 | 0 | 0 | 1 | 0 | 1 | 0 | 0 | 1 | 1 | 0 |
| 11 | 0 | 5 | 0 | 1 | 0 | 1 | 0 | 1 | 0 | 0 | 2 | 1 | 0 |
| 12 | 0 | 5 | 1 | 0 | 0 | 1 | 0 | 1 | 0 | 0 | 2 | 1 | 0 |
| 13 | 4 | 0 | 1 | 1 | 0 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 0 |
| 16 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 19 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 1 |
| 20 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 21 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 23 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 24 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 26 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 27 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 28 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 30 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 31 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 32 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 33 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 34 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 35 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | 0 | 0 | 1 | 0 |
| 37 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 38 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 39 | 0 | 0 | 1 | 1 | 0 | 0 | 1 | 0 | 0 | -1 | 0 | 1 | 0 |
| 40 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 1 | 0 | -1 | 0 | 1 | 0 |
| 41 | 0 | 5 | 1 | 1 | 0 | 1 | 1 | 1 | 0 | -1 | 0 | 1 | 0 |
| 43 | 0 | 5 | 1 | 1 | 0 | 1 | 1 | 1 | 0 | -1 | 0 | 1 | 0 |
| 44 | 0 | 5 | 1 | 1 | 0 | 0 | 1 | 1 | 0 | -1 | 0 | 1 | 0 |
)TAB";

const char* const boxListe = R"TAB(
- 2 (Kanal): "Paßlänge"
- 4 (Raum): "Schallquelle in Raummitte|Wand-,Boden oder Deckenmitte|Mitte einer Raumkante|Raumecke"
- 7 (delta p): "Einbauteil|Filter|Erhitzer|Kühler"
- 8 (Zetawert): "Zetawert|Filter"
- 9 (Außenluftgitter): "Strömen in Kanal|scharfkantiger Eintritt in Kanal|Einströmkonus|Wetterschutzgitter"
- 10 (Zuluftauslass): "Zuluftauslass, normal|scharfkantiger Austritt|Gitter mit vertikalen Leitblechen|Gitter mit horizontalen Leitblechen|Trox-Dralldurchlaß|Trox-Lüftungsgitter|Tellerventil|BS Tellerventil|Revisionsöffnung, geschlossen"
- 11 (Fortluftgitter): "normales Gitter|scharfkantiger Austritt|Gitter mit vertikalen Leitblechen|Gitter mit horizontalen Leitblechen|Wetterschutzgitter"
- 12 (Abluftgitter): "Strömen in Kanal|scharfkantiger Eintritt in Kanal|Einströmkonus|Trox-Dralldurchlaß|Trox-Lüftungsgitter|Tellerventil|BS Tellerventil|Revisionsöffnung, geschlossen"
- 13 (Ventilator): "Radialventilator, rück|Trommelläufer, vor|Axialventilator mit Leitrad"
- 16 (Querschnittsänderung): "stetig|stetig mit Leitschaufeln"
- 19 (Kanalpunkt): "Paßlänge"
- 20 (Übergangsbogen): "Umlenkwinkel 90°|60°|45°|30°|15°"
- 21 (Bogen): "Umlenkwinkel 90°|60°|45°|30°|15°"
- 23 (Segmentkrümmer): "Umlenkwinkel 25°|30°|45°|60°|90°"
- 26 (Kanal->Rohr): "ohne Leitschaufeln|mit Leitschaufeln|Stutzen an Kanal"
- 27 (Rohr->Kanal): "ohne Leitschaufeln|mit Leitschaufeln"
- 32 (Abzweigstück <90°): "Abzweigwinkel 15°|30°|45°|60°"
- 33 (Abzweigreduzierstück <90°): "Abzweigwinkel 15°|30°|45°|60°"
- 35 (Hosenstück): "15° (Gerade&Abzweig)|30°|45°|60°"
- 39 (Abzweigstück 90°, rund): "scharfkantig|gerundet"
- 41 (Schalldämpfer): "Telefonie-Schalldämpfer|Rohr-Schalldämpfer|Kanal-Schalldämpter"
- 43 (Brandschutzklappe): "Brandschutzklappe|Brandschutzklappe - freier Querschnitt|Brandschott 18017"
)TAB";

const char* const slotTabelle = R"TAB(
| 0 | 1: – / "Dichte" min -4 |
| 1 | 1: – / "Dichte" min -4 |
| 2 | 0: – / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 5: – / "Länge" "mm" min -1 |
| 3 | 0: "Durchmesser" / – min -3; 5: "Länge" / – min -1 |
| 4 | 0: – / "Raumvolumen" "m³" min -1; 1: – / "Raumdruck" "Pa" min -1; 2: – / "Kennung" min -2, text; 3: – / "Schallpegel" "dB" min 10; 4: – / "mittlere Nachhallzeit" "msek" min -1; 5: – / "kleinster Abstand" "m" min -1, 1 decimal |
| 5 | none |
| 6 | 0: – / "Volumenstrom" "m³/h" min 1 |
| 7 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3 |
| 8 | none |
| 9 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 3: "Volumenstrom" / "Volumenstrom" "m³/h" min 0 |
| 10 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 3: "Volumenstrom alle" / "Volumenstrom alle" "m³/h" min 0; 4: "Anzahl im Raum" / "Anzahl im Raum" "Stk" min 1 |
| 11 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 3: "Volumenstrom" / "Volumenstrom" "m³/h" min 1 |
| 12 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 3: "Volumenstrom alle" / "Volumenstrom alle" "m³/h" min 0; 4: "Anzahl im Raum" / "Anzahl im Raum" "Stk" min 1 |
| 13 | 0: – / "Volumenstrom,opt" "m³/h" min 1; 1: – / "Drehzahl bei opt" "1/min" min 1 |
| 16 | 0: "Eintritt Durchmesser" / "Eintritt Breite" "mm" min -3; 1: – / "Eintritt Höhe" "mm" min -3; 2: "Austritt Durchmesser" / "Austritt Breite" "mm" min -3; 3: – / "Austritt Höhe" "mm" min -3; 5: "Länge" / "Länge" "mm" min -3 |
| 19 | 0: – / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 5: – / "Länge" "mm" min -1 |
| 20 | 0: – / "Breite ein" "mm" min -3; 1: – / "Höhe ein" "mm" min -3; 2: – / "Breite aus" "mm" min -3; 3: – / "Höhe aus" "mm" min -3 |
| 21 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3 |
| 23 | 0: "Durchmesser" / – min -3; 4: "Radius" / – min -1 |
| 24 | 0: "Durchmesser" / "Breite ein" "mm" min -3; 1: – / "Höhe ein" "mm" min -3; 2: – / "Breite aus" "mm" min -3; 3: – / "Höhe aus" "mm" min -3; 4: "Höhensprung" / "Höhensprung" "mm" min -1; 5: "Länge" / "Länge" "mm" min -1 |
| 26 | 0: – / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 2: – / "Durchmesser" "mm" min -3; 5: – / "Länge" "mm" min -3 |
| 27 | 0: "Breite" / – min -3; 1: "Höhe" / – min -3; 2: "Durchmesser" / – min -3; 5: "Länge" / – min -3 |
| 28 | 0: – / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3 |
| 30 | 0: "Haupt.  Durchmesser" / "Haupt. Breite" "mm" min -3; 1: – / "Haupt. Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3 |
| 31 | 0: "Haupt.  Durchmesser" / "Haupt.  Breite" "mm" min -3; 1: – / "Haupt.  Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3; 4: "Reduz.  Durchmesser" / "Reduz.  Breite" "mm" min -3; 5: – / "Reduz.  Höhe" "mm" min -3; 6: "Reduzierlänge" / "Reduzierlänge" "mm" min -3 |
| 32 | 0: "Haupt.  Durchmesser" / – min -3; 2: "Abzweig Durchmesser" / – min -3 |
| 33 | 0: "Haupt.  Durchmesser" / – min -3; 2: "Abzweig Durchmesser" / – min -3; 4: "Reduz.  Durchmesser" / – min -3; 6: "Reduzierlänge" / – min -3 |
| 34 | 0: "Haupt.  Durchmesser" / "Haupt. Breite" "mm" min -3; 1: – / "Haupt. Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3 |
| 35 | 0: "Haupt.  Durchmesser" / "Haupt.  Breite" "mm" min -3; 1: – / "Haupt.  Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3 |
| 37 | 0: "Haupt.  Durchmesser" / "Haupt. Breite" "mm" min -3; 1: – / "Haupt. Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3 |
| 38 | 0: "Haupt.  Durchmesser" / "Haupt. Breite" "mm" min -3; 1: – / "Haupt. Höhe" "mm" min -3; 2: "Abzweig Durchmesser" / "Abzweig Breite" "mm" min -3; 3: – / "Abzweig Höhe" "mm" min -3 |
| 39 | 0: – / "Haupt. Breite" "mm" min -3; 1: – / "Haupt. Höhe" "mm" min -3; 2: – / "Abzweig Durchmesser" "mm" min -3 |
| 40 | 0: "Durchmesser" / – min -3; 2: "Winkel" / – min -1 |
| 41 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3; 5: "Länge" / "Länge" min -1 |
| 43 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3 |
| 44 | 0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3 |
)TAB";

QStringList zellen(const QString& zeile) {
    QString z = zeile.trimmed();
    z = z.mid(1, z.size() - 2); // outer "|"
    QStringList c = z.split(QLatin1Char('|'));
    for (QString& s : c) s = s.trimmed();
    return c;
}

std::map<int, QStringList> tabelle(const char* text) {
    std::map<int, QStringList> m;
    for (const QString& zeile : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (!zeile.startsWith(QLatin1Char('|'))) continue;
        const QStringList c = zellen(zeile);
        m[c[0].toInt()] = c;
    }
    return m;
}

std::map<int, QString> boxen() {
    std::map<int, QString> m;
    static const QRegularExpression re(QStringLiteral("^- (\\d+) \\(.*?\\): \"(.*)\"$"));
    for (const QString& zeile : QString::fromUtf8(boxListe).split(QLatin1Char('\n'))) {
        const auto t = re.match(zeile);
        if (t.hasMatch()) m[t.captured(1).toInt()] = t.captured(2);
    }
    return m;
}

// "0: "Durchmesser" / "Breite" "mm" min -3; 1: – / "Höhe" "mm" min -3" -> seven slots.
std::array<tDatSlot, 7> slotsAus(const QString& text) {
    std::array<tDatSlot, 7> s;
    for (tDatSlot& d : s) {
        d.min = -1;
        d.max = -1;
    }
    if (text == QStringLiteral("none")) return s;
    static const QRegularExpression re(
        QStringLiteral("^(\\d): (–|\"[^\"]*\") / (–|\"[^\"]*\")(?: \"([^\"]*)\")? min (-?\\d+)"
                       "(, 1 decimal)?(, text)?$"));
    for (const QString& teil : text.split(QStringLiteral("; "))) {
        const auto t = re.match(teil);
        EXPECT_TRUE(t.hasMatch()) << teil.toStdString();
        if (!t.hasMatch()) continue;
        tDatSlot& d = s[t.captured(1).toInt()];
        auto caption = [](const QString& c) {
            return c == QStringLiteral("–") ? QString() : c.mid(1, c.size() - 2);
        };
        d.textrund = caption(t.captured(2));
        d.texteckig = caption(t.captured(3));
        d.einheit = t.captured(4);
        d.min = t.captured(5).toInt();
        d.nastellen = t.captured(6).isEmpty() ? 0 : 1;
        d.text = !t.captured(7).isEmpty();
    }
    return s;
}

QString slotText(const tDatSlot& s) {
    return QStringLiteral("[%1|%2|%3|min %4|max %5|st %6|text %7]")
        .arg(s.textrund, s.texteckig, s.einheit)
        .arg(s.min)
        .arg(s.max)
        .arg(s.nastellen)
        .arg(s.text);
}

struct Knoten {
    int level;
    const char* titel;
    int typ;
};

// The carried catalogue's tree in file order.
const Knoten erwarteterBaum[] = {
    {0, "Lüftung", -1},
    {1, "Abzweig", -1},
    {2, "Hosenstück", 35},
    {2, "Sattelstutzen 90°", 34},
    {2, "Abzweigstück 90°, rund", 39},
    {2, "Abzweigreduzierstück <90°", 33},
    {2, "Abzweigstück <90°", 32},
    {2, "Abzweigreduzierstück 90°", 31},
    {2, "Abzweigstück 90°", 30},
    {2, "Kreuzstück", 37},
    {2, "Aufteilstück", 38},
    {1, "Einbauteil", -1},
    {2, "Abluftgitter", 12},
    {2, "Fortluftgitter", 11},
    {2, "Zuluftauslass", 10},
    {2, "Außenluftgitter", 9},
    {2, "Ventilator", 13},
    {2, "Volumenstrom", 6},
    {2, "Zetawert", 8},
    {2, "delta p", 7},
    {2, "Drosselklappe", 40},
    {2, "Schalldämpfer", 41},
    {2, "Volumenstromregler", 44},
    {2, "Brandschutzklappe", 43},
    {2, "Kanalpunkt", 19},
    {1, "Formstück", -1},
    {2, "Rohr->Kanal", 27},
    {2, "Kanal->Rohr", 26},
    {2, "Übergang", -1},
    {2, "Querschnittsänderung", 16},
    {2, "Etage", 24},
    {2, "Segmentkrümmer", 23},
    {2, "Knie", 28},
    {2, "Übergangsbogen", 20},
    {2, "Bogen", 21},
    {1, "Abzweig", 5},
    {1, "Zuluft", 0},
    {1, "Auslass", -1},
    {1, "Stranganfang", -1},
    {1, "Abluft", 1},
    {1, "Kanal", 2},
    {1, "Rohr", 3},
    {1, "Raum", 4},
    {0, "Kälte", -1},
    {1, "Teile", 100},
    {2, "Pumpe", 100},
    {2, "Kühler", 120},
    {2, "Wärmetauscher", 121},
    {2, "Druckausdehnungsgefäß", 113},
    {2, "Sicherheitsventil", 112},
    {2, "Differenzdruckventil", 111},
    {2, "Ventil", 110},
    {2, "T-Stück 2", 117},
    {2, "T-Stück", 116},
    {2, "Bogen 2", 119},
    {2, "Bogen", 118},
    {2, "Redustück", 123},
    {2, "Redustück 2", 122},
    {2, "Rohr 2", 102},
    {2, "Rohr", 101},
    {2, "Rohr2 P", 115},
    {2, "Rohr P", 114},
    {0, "Heizung", -1},
    {1, "Rohr", 101},
    {1, "Ventil", 110},
    {1, "RohrVR", 102},
    {1, "Pumpe", 100},
    {1, "Heizkörper", 100},
    {1, "Heizregister", 100},
    {1, "Differenzdruckventil", 111},
    {0, "-", -1},
};

class Standardkatalog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(katalog.ladenStandard()) << katalog.fehler().toStdString();
    }
    Bauteilkatalog katalog;
    TBasisDatenTabelle tab;
};

TEST_F(Standardkatalog, TreeHasTheEntriesInFileOrder) {
    ASSERT_EQ(katalog.count(), 71);
    int i = 0;
    for (tmylistitem* n = katalog.baum().topitem(); n; n = n->getNext(), ++i) {
        ASSERT_LT(i, 71);
        const Knoten& k = erwarteterBaum[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(n->Level(), k.level);
        EXPECT_EQ(n->caption(), QString::fromUtf8(k.titel));
        EXPECT_EQ(n->text(1), QString::number(k.typ));
        const tBasisDaten_* e = Bauteilkatalog::eintrag(n);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->typ, k.typ);
        EXPECT_EQ(e->gruppe, 0);
        EXPECT_EQ(n->imageIndex, e->bildnr + 16);
    }
}

TEST_F(Standardkatalog, AirNetworkEntriesMatchTheTablesValueByValue) {
    katalog.tabelleFuellen(tab);
    const auto struktur = tabelle(strukturTabelle);
    const auto flags = tabelle(flagTabelle);
    const auto slotTab = tabelle(slotTabelle);
    const auto box = boxen();
    ASSERT_EQ(struktur.size(), 36u);
    ASSERT_EQ(flags.size(), 36u);
    ASSERT_EQ(slotTab.size(), 36u);
    ASSERT_EQ(box.size(), 22u);
    for (const auto& [typ, s] : struktur) {
        SCOPED_TRACE(typ);
        const tBasisDaten_* e = tab[typ];
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->typ, typ);
        EXPECT_EQ(e->titel, s[1]);
        EXPECT_EQ(e->bildnr, s[2].toInt());
        EXPECT_EQ(e->enden, s[3].toInt());
        EXPECT_EQ(e->eckig, s[4].toInt());
        EXPECT_EQ(e->mitmasse, s[5] == QStringLiteral("1"));
        EXPECT_EQ(e->Massenauszug, s[6] == QStringLiteral("1"));
        EXPECT_EQ(e->eckigwechsel, s[7] == QStringLiteral("1"));
        EXPECT_EQ(QStringLiteral("%1, %2").arg(e->eina).arg(e->einb), s[8]);
        EXPECT_EQ(QStringLiteral("%1, %2").arg(e->ausa).arg(e->ausb), s[9]);
        EXPECT_EQ(QStringLiteral("%1, %2").arg(e->abza).arg(e->abzb), s[10]);

        const QStringList& f = flags.at(typ);
        EXPECT_EQ(e->vorgabe, f[1].toInt());
        EXPECT_EQ(e->vorgabe2, f[2].toInt());
        EXPECT_EQ(e->davorchk, f[3] == QStringLiteral("1"));
        EXPECT_EQ(e->danachchk, f[4] == QStringLiteral("1"));
        EXPECT_EQ(e->titeladd, f[5] == QStringLiteral("1"));
        EXPECT_EQ(e->titelIsFormbox, f[6] == QStringLiteral("1"));
        EXPECT_EQ(e->delpossible, f[7] == QStringLiteral("1"));
        EXPECT_EQ(e->schall, f[8] == QStringLiteral("1"));
        EXPECT_EQ(e->Nachhallzeit, f[9] == QStringLiteral("1"));
        EXPECT_EQ(e->defaultindex, f[10].toInt());
        EXPECT_EQ(e->strangtypok, f[11].toInt());
        EXPECT_EQ(e->planung, f[12] == QStringLiteral("1"));
        EXPECT_EQ(e->planbauteil, f[13] == QStringLiteral("1"));

        EXPECT_EQ(e->box1, box.count(typ) ? box.at(typ) : QString());

        const auto erwartet = slotsAus(slotTab.at(typ)[1]);
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(slotText(e->dat[k]), slotText(erwartet[k])) << "slot " << k;
    }
}

TEST_F(Standardkatalog, SpotChecksOfTranscription) {
    katalog.tabelleFuellen(tab);
    // Captions with two blanks and units that differ by shape must survive exactly.
    EXPECT_EQ(tab[31]->dat[0].textrund, QStringLiteral("Haupt.  Durchmesser"));
    EXPECT_EQ(tab[30]->dat[0].texteckig, QStringLiteral("Haupt. Breite"));
    EXPECT_EQ(tab[4]->dat[5].texteckig, QStringLiteral("kleinster Abstand"));
    EXPECT_EQ(tab[4]->dat[5].nastellen, 1);
    EXPECT_TRUE(tab[4]->dat[2].text);
    EXPECT_EQ(tab[4]->dat[2].min, -2);
    EXPECT_EQ(tab[4]->dat[3].min, 10);
    EXPECT_EQ(tab[41]->box1,
              QStringLiteral("Telefonie-Schalldämpfer|Rohr-Schalldämpfer|Kanal-Schalldämpter"));
    EXPECT_EQ(tab[41]->dat[5].einheit, QString());
    EXPECT_EQ(tab[13]->bildnr, 18);
    EXPECT_EQ(tab[35]->bildnr, 36);
    EXPECT_EQ(tab[37]->enden, 4);
    EXPECT_EQ(tab[35]->boxText(0), QStringLiteral("15° (Gerade&Abzweig)"));
    EXPECT_EQ(tab[35]->boxText(4), QString());
    EXPECT_EQ(tab[10]->boxEintraege().size(), 9);
}

TEST_F(Standardkatalog, LaterEntriesWinAndOnlyCodesZeroTo130Enter) {
    katalog.tabelleFuellen(tab);
    EXPECT_EQ(tab.belegt(), 36 + 17);
    EXPECT_TRUE(tab.gefuellt());
    EXPECT_EQ(tab[100]->titel, QStringLiteral("Heizregister"));
    EXPECT_EQ(tab[100]->titelint, QStringLiteral("HEIZUNG#HEIZREGISTER"));
    EXPECT_EQ(tab[101]->titelint, QStringLiteral("HEIZUNG#ROHR"));
    EXPECT_EQ(tab[102]->titel, QStringLiteral("RohrVR"));
    EXPECT_EQ(tab[110]->titelint, QStringLiteral("HEIZUNG#VENTIL"));
    EXPECT_EQ(tab[111]->titelint, QStringLiteral("HEIZUNG#DIFFERENZDRUCKVENTIL"));
    EXPECT_EQ(tab[120]->titelint, QStringLiteral("KAELTE#TEILE#KUEHLER"));
    // Level-1 entries with a code enter the table.
    EXPECT_EQ(tab[2]->titelint, QStringLiteral("LUEFTUNG#KANAL"));
    EXPECT_EQ(tab[5]->titelint, QStringLiteral("LUEFTUNG#ABZWEIG"));
    for (int frei : {14, 15, 17, 18, 22, 25, 29, 36, 42, 45, 99, 103, 124, 130})
        EXPECT_EQ(tab[frei], nullptr) << frei;
    EXPECT_EQ(tab[-1], nullptr);
    EXPECT_EQ(tab[131], nullptr);
    EXPECT_EQ(tab.shared(131), nullptr);
}

TEST_F(Standardkatalog, HeatingAndCoolingEntriesAreRoundPlannablePipes) {
    katalog.tabelleFuellen(tab);
    for (int typ :
         {100, 101, 102, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123}) {
        SCOPED_TRACE(typ);
        ASSERT_NE(tab[typ], nullptr);
        EXPECT_EQ(tab[typ]->eckig, 0);
        EXPECT_TRUE(tab[typ]->planung);
        EXPECT_EQ(tab[typ]->dat[0].min, -3);
        EXPECT_EQ(tab[typ]->dat[0].max, 0);
    }
    EXPECT_EQ(tab[101]->dat[0].textrund, QStringLiteral("Durchmesser"));
    EXPECT_EQ(slotText(tab[101]->dat[2]), QStringLiteral("[Länge|||min 0|max 0|st 0|text 0]"));
    EXPECT_EQ(tab[120]->dat[1].textrund, QStringLiteral("°.m °,soll"));
    EXPECT_EQ(tab[120]->dat[1].min, -3);
    EXPECT_EQ(slotText(tab[120]->dat[2]), QStringLiteral("[t°,ein|||min 0|max 0|st 0|text 0]"));
    EXPECT_EQ(slotText(tab[120]->dat[3]), QStringLiteral("[t°,aus|||min 0|max 0|st 0|text 0]"));
    for (int t : {116, 117}) {
        EXPECT_EQ(tab[t]->enden, 3);
        EXPECT_EQ(tab[t]->dat[1].textrund, QStringLiteral("Durchmesserdurchgang"));
        EXPECT_EQ(tab[t]->dat[2].textrund, QStringLiteral("Durchmesserabzweig"));
        EXPECT_EQ(tab[t]->dat[2].min, -3);
    }
    for (int t : {122, 123}) {
        EXPECT_EQ(tab[t]->dat[0].textrund, QStringLiteral("Durchmesser 1"));
        EXPECT_EQ(slotText(tab[t]->dat[1]),
                  QStringLiteral("[Durchmesser 2|||min 0|max 0|st 0|text 0]"));
    }
    for (int t : {118, 119}) {
        EXPECT_EQ(tab[t]->dat[0].textrund, QStringLiteral("Durchmesser"));
        EXPECT_EQ(tab[t]->dat[1].textrund, QString());
        EXPECT_EQ(tab[t]->dat[2].textrund, QString());
    }
}

TEST_F(Standardkatalog, PathKeysAreUpperCasedAndTransliterated) {
    const tmylistitem* hosen =
        katalog.baum().suchPfad(QStringLiteral("Lüftung\\Abzweig\\Hosenstück"));
    ASSERT_NE(hosen, nullptr);
    EXPECT_EQ(Bauteilkatalog::eintrag(hosen)->titelint,
              QStringLiteral("LUEFTUNG#ABZWEIG#HOSENSTUECK"));
    const tmylistitem* aussen =
        katalog.baum().suchPfad(QStringLiteral("Lüftung\\Einbauteil\\Außenluftgitter"));
    ASSERT_NE(aussen, nullptr);
    EXPECT_EQ(Bauteilkatalog::eintrag(aussen)->titelint,
              QStringLiteral("LUEFTUNG#EINBAUTEIL#AUssENLUFTGITTER"));
    // A top-level entry keeps its title as it is.
    EXPECT_EQ(Bauteilkatalog::eintrag(katalog.baum().topitem())->titelint,
              QStringLiteral("Lüftung"));
    EXPECT_EQ(Bauteilkatalog::transliterieren(QStringLiteral("Größe süß äöü")),
              QStringLiteral("GROEssE SUEss AEOEUE"));
}

TEST_F(Standardkatalog, SaveAndReadBackReproducesEveryField) {
    TIniFile2 ini;
    EXPECT_EQ(katalog.sichern(ini), 0);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("List"), QStringLiteral("Count"), 0), 71);
    Bauteilkatalog zweiter;
    ASSERT_TRUE(zweiter.laden(ini)) << zweiter.fehler().toStdString();
    ASSERT_EQ(zweiter.count(), 71);
    tmylistitem* b = zweiter.baum().topitem();
    for (tmylistitem* a = katalog.baum().topitem(); a; a = a->getNext(), b = b->getNext()) {
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(a->Level(), b->Level());
        EXPECT_EQ(a->caption(), b->caption());
        EXPECT_TRUE(*Bauteilkatalog::eintrag(a) == *Bauteilkatalog::eintrag(b))
            << a->caption().toStdString();
    }

    // The carried file is laid out exactly as the catalogue is saved.
    QFile f(QStringLiteral(ZEPHAN_SOURCE_DATA "/Bauteil.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    TIniFile2 carried;
    ASSERT_TRUE(carried.addtext(QString::fromUtf8(f.readAll())));
    for (int i = 0; i < 71; ++i) {
        const QString s = QString::number(i);
        ASSERT_EQ(ini.ReadSection(s), carried.ReadSection(s)) << i;
        for (const QString& k : ini.ReadSection(s))
            EXPECT_EQ(ini.ReadString(s, k), carried.ReadString(s, k))
                << i << " " << k.toStdString();
    }
}

// --- a single entry -----------------------------------------------------------------------------

TEST(Katalogeintrag, NewEntryHasCodeMinusOneAndEverythingElseEmpty) {
    tBasisDaten_ e;
    EXPECT_EQ(e.typ, -1);
    EXPECT_EQ(e.bildnr, 0);
    EXPECT_EQ(e.vorgabe2, 0);
    EXPECT_EQ(e.eina, 0);
    EXPECT_FALSE(e.davorchk);
    EXPECT_FALSE(e.delpossible);
    EXPECT_TRUE(e.titel.isEmpty());
    EXPECT_EQ(e.dat[6].min, 0);
}

TEST(Katalogeintrag, KeysAreWrittenInFileOrder) {
    tBasisDaten_ e;
    e.typ = 7;
    e.titel = QStringLiteral("delta p");
    e.bildnr = 7;
    e.dat[0].textrund = QStringLiteral("Durchmesser");
    TIniFile2 ini;
    e.save(ini, QStringLiteral("3"));
    QStringList erwartet = {
        "Typ",          "Name",           "Bild",         "Abzweige", "Gruppe",
        "titel",        "Box1",           "Bildnr",       "eckig",    "MitMasse",
        "Massenauszug", "Vorgabe",        "Vorgabe2",     "Davorchk", "Danachchk",
        "TitelAdd",     "titelIsFormbox", "DelPossible",  "Schall",   "Nachhallzeit",
        "Defindex",     "StrangTypOk",    "EckigWechsel", "Planung",  "Planbauteil"};
    for (int k = 0; k < 7; ++k)
        for (const char* s :
             {"textrund", "texteckig", "einheit", "min", "text", "max", "nastellen"})
            erwartet.append(QStringLiteral("dat%1_%2").arg(k).arg(QLatin1String(s)));
    erwartet << "eina"
             << "einb"
             << "ausa"
             << "ausb"
             << "abza"
             << "abzb";
    EXPECT_EQ(ini.ReadSection(QStringLiteral("3")), erwartet);
    EXPECT_EQ(ini.ReadString("3", "Name"), QStringLiteral("delta p"));
    EXPECT_EQ(ini.ReadString("3", "titel"), QStringLiteral("delta p"));
    EXPECT_EQ(ini.ReadString("3", "Bild"), QStringLiteral("7"));
    EXPECT_EQ(ini.ReadString("3", "Bildnr"), QStringLiteral("7"));
    EXPECT_EQ(ini.ReadString("3", "dat0_textrund"), QStringLiteral("Durchmesser"));
    EXPECT_EQ(ini.ReadString("3", "Davorchk"), QStringLiteral("0"));
}

TEST(Katalogeintrag, AbsentKeysGiveTheirDefaults) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(QStringLiteral("[5]\r\nName=Nur Name\r\nBild=12\r\nUnbekannt=3\r\n")));
    tBasisDaten_ e;
    e.load(ini, QStringLiteral("5"));
    // "titel" and "Bildnr" decide, with their own defaults.
    EXPECT_EQ(e.titel, QString());
    EXPECT_EQ(e.bildnr, -1);
    EXPECT_EQ(e.typ, -1);
    EXPECT_EQ(e.enden, 0);
    EXPECT_EQ(e.eckig, -1);
    EXPECT_EQ(e.vorgabe, -1);
    EXPECT_EQ(e.vorgabe2, 5);
    EXPECT_TRUE(e.davorchk);
    EXPECT_TRUE(e.danachchk);
    EXPECT_TRUE(e.delpossible);
    EXPECT_FALSE(e.schall);
    EXPECT_EQ(e.defaultindex, -1);
    EXPECT_EQ(e.eina, -1);
    EXPECT_EQ(e.abzb, -1);
    for (const tDatSlot& s : e.dat)
        EXPECT_EQ(slotText(s), QStringLiteral("[|||min -1|max -1|st 0|text 0]"));

    tBasisDaten_ f;
    f.load(ini, QStringLiteral("fehlt"));
    EXPECT_EQ(f.titel, QString());
    EXPECT_EQ(f.typ, -1);
}

TEST(Katalogeintrag, LaterKeyOfEachPairDecides) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(QStringLiteral(
        "[0]\r\nName=Alt\r\nBild=3\r\ntitel=Neu\r\nBildnr=9\r\ndat2_nastellen=500\r\n")));
    tBasisDaten_ e;
    e.load(ini, QStringLiteral("0"));
    EXPECT_EQ(e.titel, QStringLiteral("Neu"));
    EXPECT_EQ(e.bildnr, 9);
    // Absurd decimals are kept within what a number field can show.
    EXPECT_EQ(e.dat[2].nastellen, 10);
}

// --- loading rules ------------------------------------------------------------------------------

QString katalogText(const QStringList& eintraege) {
    // eintraege: "level;typ;titel"
    QString t = QStringLiteral("[List]\r\nCount=%1\r\n").arg(eintraege.size());
    for (int i = 0; i < eintraege.size(); ++i) {
        const QStringList c = eintraege[i].split(QLatin1Char(';'));
        t +=
            QStringLiteral("\r\n[%1]\r\nLevel=%2\r\nTyp=%3\r\nName=%4\r\ntitel=%4\r\nBildnr=%5\r\n")
                .arg(i)
                .arg(c[0], c[1], c[2])
                .arg(i);
    }
    return t;
}

TEST(Katalogladen, TopLevelCodesAndCodesOutsideTheTableStayOut) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(katalogText({"0;2;Oben mit Code", "1;3;Erstes Rohr", "1;-1;Gruppe",
                                         "2;3;Zweites Rohr", "2;131;Zu gross", "2;-5;Negativ"})));
    Bauteilkatalog k;
    ASSERT_TRUE(k.laden(ini));
    EXPECT_EQ(k.count(), 6);
    TBasisDatenTabelle tab;
    k.tabelleFuellen(tab);
    EXPECT_EQ(tab.belegt(), 1);
    EXPECT_EQ(tab[2], nullptr);
    ASSERT_NE(tab[3], nullptr);
    EXPECT_EQ(tab[3]->titel, QStringLiteral("Zweites Rohr"));
    EXPECT_EQ(tab[3]->titelint, QStringLiteral("OBEN MIT CODE#GRUPPE#ZWEITES ROHR"));
    // Shown in the tree all the same.
    EXPECT_EQ(k.baum().item(4)->caption(), QStringLiteral("Zu gross"));
    EXPECT_EQ(k.baum().item(4)->text(1), QStringLiteral("131"));
    EXPECT_EQ(k.baum().item(4)->imageIndex, 4 + 16);
}

TEST(Katalogladen, MissingSectionGivesTopLevelEntryWithoutTitle) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(katalogText({"0;-1;Lüftung", "1;2;Kanal", "0;-1;Heizung"})));
    ini.eraseSection(QStringLiteral("1"));
    Bauteilkatalog k;
    ASSERT_TRUE(k.laden(ini)) << k.fehler().toStdString();
    ASSERT_EQ(k.count(), 3);
    EXPECT_EQ(k.baum().item(1)->Level(), 0);
    EXPECT_EQ(k.baum().item(1)->caption(), QString());
    EXPECT_EQ(Bauteilkatalog::eintrag(k.baum().item(1))->typ, -1);
    // The caller's store is not changed by reading.
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("1")));
}

TEST(Katalogladen, SectionsBeyondCountAreIgnored) {
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(katalogText({"0;-1;Lüftung", "1;2;Kanal", "1;3;Rohr"})));
    ini.WriteInteger(QStringLiteral("List"), QStringLiteral("Count"), 2);
    Bauteilkatalog k;
    ASSERT_TRUE(k.laden(ini));
    EXPECT_EQ(k.count(), 2);
}

TEST(Katalogladen, BrokenTreeLeavesTheCatalogueAsItWas) {
    Bauteilkatalog k;
    ASSERT_TRUE(k.ladenStandard());
    TIniFile2 ini;
    ASSERT_TRUE(ini.addtext(katalogText({"0;-1;Lüftung", "2;2;Kanal"})));
    EXPECT_FALSE(k.laden(ini));
    EXPECT_FALSE(k.fehler().isEmpty());
    EXPECT_EQ(k.count(), 71);
}

class Datenordner : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void schreiben(const QString& name, const QByteArray& inhalt) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }
    QTemporaryDir dir;
};

TEST_F(Datenordner, FileNameIsMatchedWithoutCase) {
    schreiben(QStringLiteral("bauteil.INI"),
              katalogText({"0;-1;Lüftung", "1;2;Mein Kanal"}).toUtf8());
    Bauteilkatalog k;
    TraceLog::instance().clear();
    const QString datei = k.startLaden(dir.path());
    EXPECT_EQ(datei, dir.filePath(QStringLiteral("bauteil.INI")));
    EXPECT_EQ(k.count(), 2);
    EXPECT_EQ(k.baum().item(1)->caption(), QStringLiteral("Mein Kanal"));
    EXPECT_TRUE(TraceLog::instance().lines().contains(QStringLiteral("load")));
    EXPECT_FALSE(TraceLog::instance().lines().contains(QStringLiteral("add data")));
}

TEST_F(Datenordner, WithoutFileTheCarriedCatalogueIsUsedSilently) {
    Bauteilkatalog k;
    RecordingSeam seam;
    TraceLog::instance().clear();
    EXPECT_EQ(k.startLaden(dir.path(), &seam), QString());
    EXPECT_EQ(k.count(), 71);
    EXPECT_TRUE(seam.fragen.isEmpty());
    const QStringList log = TraceLog::instance().lines();
    EXPECT_TRUE(log.contains(QStringLiteral("Bauteile")));
    EXPECT_TRUE(log.contains(QStringLiteral("add data")));
    EXPECT_TRUE(log.contains(QStringLiteral("tree:71")));
}

TEST_F(Datenordner, DamagedFileIsReportedAndTheCarriedCatalogueUsed) {
    schreiben(QStringLiteral("Bauteil.ini"),
              "[List]\r\nCount=2\r\n[0]\r\nLevel=0\r\n[1]\r\nLevel=3\r\n");
    Bauteilkatalog k;
    RecordingSeam seam;
    EXPECT_EQ(k.startLaden(dir.path(), &seam), QString());
    EXPECT_EQ(k.count(), 71);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_TRUE(seam.fragen[0].startsWith(dir.filePath(QStringLiteral("Bauteil.ini")) +
                                          QStringLiteral(": ")))
        << seam.fragen[0].toStdString();
    EXPECT_TRUE(seam.fragen[0].endsWith(
        QStringLiteral(" Der mitgelieferte Bauteilkatalog wird verwendet. [o]")));
}

TEST_F(Datenordner, FileWithoutEntriesIsNotACatalogue) {
    schreiben(QStringLiteral("Bauteil.ini"), "[List]\r\nCount=0\r\n");
    Bauteilkatalog k;
    RecordingSeam seam;
    EXPECT_EQ(k.startLaden(dir.path(), &seam), QString());
    EXPECT_EQ(k.count(), 71);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], QStringLiteral("Die Datei %1 enthält keinen Bauteilkatalog. Der "
                                             "mitgelieferte Bauteilkatalog wird verwendet. [o]")
                                  .arg(dir.filePath(QStringLiteral("Bauteil.ini"))));
    EXPECT_FALSE(k.ladenDatei(dir.filePath(QStringLiteral("fehlt.ini"))));
    EXPECT_EQ(k.fehler(), QStringLiteral("Die Datei %1 existiert nicht.")
                              .arg(dir.filePath(QStringLiteral("fehlt.ini"))));
    EXPECT_FALSE(k.ladenDatei(dir.path()));
    EXPECT_EQ(k.fehler(),
              QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(dir.path()));
    EXPECT_EQ(k.count(), 71);
}

TEST_F(Datenordner, ProgramCatalogueIsSavedIntoTheDataFolderAndReadAtNextStart) {
    setzeDatenOrdner(dir.path());
    EXPECT_EQ(katalogStart(dir.path()), QString());
    tmylistitem* bogen =
        bauteilkatalog().baum().suchPfad(QStringLiteral("Lüftung\\Formstück\\Bogen"));
    ASSERT_NE(bogen, nullptr);
    tBasisDaten_ felder = Bauteilkatalog::felderAus(bogen);
    felder.box1 = QStringLiteral("Umlenkwinkel 90°|45°");
    bauteilkatalog().update(bogen, felder, false);
    QString fehler;
    ASSERT_TRUE(katalogSichern(nullptr, &fehler)) << fehler.toStdString();
    // Until the next start the type table keeps what it read.
    EXPECT_EQ(basisDaten(21)->boxEintraege().size(), 5);
    EXPECT_EQ(katalogStart(dir.path()), dir.filePath(QStringLiteral("Bauteil.ini")));
    EXPECT_EQ(basisDaten(21)->box1, QStringLiteral("Umlenkwinkel 90°|45°"));
    EXPECT_EQ(basisDaten(21)->titelint, QStringLiteral("LUEFTUNG#FORMSTUECK#BOGEN"));
    // Back to the carried catalogue for the other tests.
    setzeDatenOrdner(QString());
    katalogStart(QString());
    EXPECT_EQ(basisDaten(21)->boxEintraege().size(), 5);
}

TEST_F(Datenordner, SavingKeepsSectionsBeyondTheTree) {
    schreiben(QStringLiteral("Bauteil.ini"),
              katalogText({"0;-1;A", "1;2;B", "1;3;C", "1;4;D", "1;5;E"}).toUtf8());
    Bauteilkatalog k;
    ASSERT_TRUE(k.ladenDatei(dir.filePath(QStringLiteral("Bauteil.ini"))));
    k.loeschen(k.baum().item(4));
    k.loeschen(k.baum().item(3));
    // A section beyond the stored count is left over from some older file.
    {
        TIniFile2 ini(dir.filePath(QStringLiteral("Bauteil.ini")));
        ini.WriteInteger(QStringLiteral("7"), QStringLiteral("Level"), 0);
    }
    QString fehler;
    ASSERT_TRUE(k.sichernDatei(Bauteilkatalog::dateiImOrdner(dir.path()), nullptr, &fehler))
        << fehler.toStdString();
    TIniFile2 ini(dir.filePath(QStringLiteral("Bauteil.ini")));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("List"), QStringLiteral("Count"), 0), 3);
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("2")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("3")));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("4")));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("7")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("2"), QStringLiteral("titel")), QStringLiteral("C"));
}

// --- editor operations --------------------------------------------------------------------------

class Editor : public Standardkatalog {
protected:
    tmylistitem* knoten(const char* pfad) {
        return katalog.baum().suchPfad(QString::fromUtf8(pfad));
    }
};

TEST_F(Editor, UpdateWithSameTitleReplacesTheEntryInPlace) {
    katalog.tabelleFuellen(tab);
    tmylistitem* knie = knoten("Lüftung\\Formstück\\Knie");
    ASSERT_NE(knie, nullptr);
    const int index = knie->Index();
    tBasisDaten_ felder = Bauteilkatalog::felderAus(knie);
    felder.bildnr = 41;
    felder.gruppe = 7;
    felder.dat[0].max = 3000;
    RecordingSeam seam;
    tmylistitem* ziel = katalog.update(knie, felder, seam);
    EXPECT_EQ(ziel, knie);
    EXPECT_TRUE(seam.fragen.isEmpty());
    EXPECT_EQ(knie->Index(), index);
    EXPECT_EQ(katalog.count(), 71);
    const tBasisDaten_* neu = Bauteilkatalog::eintrag(knie);
    EXPECT_EQ(neu->bildnr, 41);
    EXPECT_EQ(neu->gruppe, 0);
    EXPECT_EQ(neu->dat[0].max, 3000);
    EXPECT_EQ(neu->titelint, QStringLiteral("LUEFTUNG#FORMSTUECK#KNIE"));
    EXPECT_EQ(knie->imageIndex, 57);
    // The type table keeps the entry it was filled with until it is filled again.
    ASSERT_NE(tab[28], nullptr);
    EXPECT_EQ(tab[28]->bildnr, 40);
    EXPECT_NE(tab[28], neu);
    katalog.tabelleFuellen(tab);
    EXPECT_EQ(tab[28], neu);
}

TEST_F(Editor, ChangedTitleAsksAndYesInsertsBeforeTheSelectedEntry) {
    tmylistitem* knie = knoten("Lüftung\\Formstück\\Knie");
    const int index = knie->Index();
    tBasisDaten_ felder = Bauteilkatalog::felderAus(knie);
    felder.titel = QStringLiteral("Knie 45°");
    felder.typ = 29;
    RecordingSeam seam;
    seam.antworten = {0};
    tmylistitem* neu = katalog.update(knie, felder, seam);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0],
              QStringLiteral(
                  "Name unterschiedlich. Umbenennen oder anlegen möglich. Neu anlegen? [j|n]"));
    ASSERT_NE(neu, knie);
    EXPECT_EQ(katalog.count(), 72);
    EXPECT_EQ(neu->Index(), index);
    EXPECT_EQ(knie->Index(), index + 1);
    EXPECT_EQ(neu->parent(), knie->parent());
    EXPECT_EQ(neu->caption(), QStringLiteral("Knie 45°"));
    EXPECT_EQ(neu->text(1), QStringLiteral("29"));
    EXPECT_EQ(Bauteilkatalog::eintrag(neu)->titelint,
              QStringLiteral("LUEFTUNG#FORMSTUECK#KNIE 45°"));
    EXPECT_EQ(Bauteilkatalog::eintrag(knie)->titel, QStringLiteral("Knie"));
    EXPECT_EQ(Bauteilkatalog::eintrag(knie)->typ, 28);
}

TEST_F(Editor, ChangedTitleAndNoRenamesAndUpdatesPathKeysBelow) {
    tmylistitem* gruppe = knoten("Lüftung\\Abzweig");
    tBasisDaten_ felder = Bauteilkatalog::felderAus(gruppe);
    felder.titel = QStringLiteral("Abzweigstücke");
    RecordingSeam seam;
    seam.antworten = {1};
    EXPECT_EQ(katalog.update(gruppe, felder, seam), gruppe);
    EXPECT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(katalog.count(), 71);
    EXPECT_EQ(gruppe->caption(), QStringLiteral("Abzweigstücke"));
    EXPECT_EQ(Bauteilkatalog::eintrag(gruppe->getChild())->titelint,
              QStringLiteral("LUEFTUNG#ABZWEIGSTUECKE#HOSENSTUECK"));
}

TEST_F(Editor, NothingHappensWithoutSelectedEntry) {
    RecordingSeam seam;
    EXPECT_EQ(katalog.update(nullptr, tBasisDaten_{}, seam), nullptr);
    EXPECT_FALSE(katalog.loeschen(nullptr));
    EXPECT_EQ(katalog.count(), 71);
    EXPECT_TRUE(seam.fragen.isEmpty());
}

TEST_F(Editor, DeleteRemovesTheEntryAndEverythingBelow) {
    katalog.tabelleFuellen(tab);
    const tBasisDaten_* hosen = tab[35];
    EXPECT_TRUE(katalog.loeschen(knoten("Lüftung\\Abzweig")));
    EXPECT_EQ(katalog.count(), 61);
    EXPECT_EQ(knoten("Lüftung\\Abzweig\\Hosenstück"), nullptr);
    // The table still holds a valid entry for the deleted type.
    EXPECT_EQ(tab[35], hosen);
    EXPECT_EQ(tab[35]->titel, QStringLiteral("Hosenstück"));
    katalog.tabelleFuellen(tab);
    EXPECT_EQ(tab[35], nullptr);
}

TEST_F(Editor, PictureNumberChangesAtOnceOnlyForTheSameTitle) {
    tmylistitem* bogen = knoten("Lüftung\\Formstück\\Bogen");
    EXPECT_FALSE(katalog.bildnrAendern(bogen, QStringLiteral("Knie"), 5));
    EXPECT_EQ(Bauteilkatalog::eintrag(bogen)->bildnr, 21);
    EXPECT_TRUE(katalog.bildnrAendern(bogen, QStringLiteral("Bogen"), 5));
    EXPECT_EQ(Bauteilkatalog::eintrag(bogen)->bildnr, 5);
    EXPECT_EQ(bogen->imageIndex, 21);
}

TEST_F(Editor, ClearEmptiesTheFieldsButKeepsCodePictureAndSomeFlags) {
    tmylistitem* raum = knoten("Lüftung\\Raum");
    tBasisDaten_ f = Bauteilkatalog::felderAus(raum);
    f.planbauteil = true;
    f.Massenauszug = true;
    f.dat[3].text = true;
    Bauteilkatalog::felderLeeren(f);
    EXPECT_EQ(f.typ, 4);
    EXPECT_EQ(f.bildnr, 4);
    EXPECT_TRUE(f.planbauteil);
    EXPECT_TRUE(f.Massenauszug);
    EXPECT_TRUE(f.dat[2].text);
    EXPECT_TRUE(f.dat[3].text);
    EXPECT_EQ(f.titel, QString());
    EXPECT_EQ(f.box1, QString());
    EXPECT_EQ(f.eina, -1);
    EXPECT_EQ(f.einb, -1);
    EXPECT_EQ(slotText(f.dat[0]), QStringLiteral("[|||min -1|max -1|st 0|text 0]"));
    EXPECT_EQ(f.dat[5].nastellen, 0);
    EXPECT_EQ(f.enden, 0);
    EXPECT_EQ(f.eckig, -1);
    EXPECT_FALSE(f.mitmasse);
    EXPECT_EQ(f.vorgabe, -1);
    EXPECT_EQ(f.vorgabe2, -1);
    EXPECT_TRUE(f.davorchk);
    EXPECT_TRUE(f.danachchk);
    EXPECT_TRUE(f.delpossible);
    EXPECT_FALSE(f.titeladd);
    EXPECT_FALSE(f.Nachhallzeit);
    EXPECT_EQ(f.defaultindex, -1);
    EXPECT_EQ(f.strangtypok, 0);
}

TEST_F(Editor, SavingANodeWithoutEntryNamesItsPathAndSavesTheOthers) {
    tmylistitem* kanal = knoten("Lüftung\\Kanal");
    kanal->Data.reset();
    RecordingSeam seam;
    TIniFile2 ini;
    EXPECT_EQ(katalog.sichern(ini, &seam), 1);
    ASSERT_EQ(seam.fragen.size(), 1);
    EXPECT_EQ(seam.fragen[0], QStringLiteral("Fehler bei: Lüftung\\Kanal [o]"));
    EXPECT_EQ(ini.ReadInteger("List", "Count", 0), 71);
    const QString s = QString::number(kanal->Index());
    EXPECT_FALSE(ini.ValueExists(s, QStringLiteral("Typ")));
    EXPECT_EQ(ini.ReadString(QString::number(kanal->Index() + 1), QStringLiteral("titel")),
              QStringLiteral("Rohr"));
}

TEST(Typtabelle, ProgramTableIsFilledFromTheCarriedCatalogueOnFirstUse) {
    ASSERT_NE(basisDaten(35), nullptr);
    EXPECT_EQ(basisDaten(35)->titelint, QStringLiteral("LUEFTUNG#ABZWEIG#HOSENSTUECK"));
    EXPECT_EQ(basisDaten(100)->titel, QStringLiteral("Heizregister"));
    EXPECT_EQ(basisDaten(14), nullptr);
    EXPECT_EQ(basisDaten(-1), nullptr);
    EXPECT_EQ(basisDaten(1000), nullptr);
}

} // namespace
