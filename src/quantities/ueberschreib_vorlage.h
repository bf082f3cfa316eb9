#pragma once

#include <QString>
#include <array>

namespace zephan {

class TBasisDatenTabelle;
struct DVdata;

// What the window "Komponenten überschreiben" shows when it opens, taken from the edit buffer.
struct UeberschreibVorlage {
    int typ = -1;                             // the type to overwrite; -1 when the buffer has none
    QString komponente = QStringLiteral("-"); // the catalogue title of the type
    bool formWichtig = false;                 // the "Form" filter and result are enabled
    int planungErgebnis = 0;                  // 1 "auf Planung setzen" when the buffer plans
    int vorgabe = 0;                          // UeberschreibOptionen::Vorgabe preselected
    QString druck = QStringLiteral("0");
    QString geschw = QStringLiteral("0,0");
    QString zeta = QStringLiteral("0,00");

    struct Zeile {
        QString text;         // the check box caption: the catalogue's text for the value
        bool aktiv = false;   // a row without caption is disabled
        bool istText = false; // the slot is the text p2 (shown right-aligned)
        QString wert;         // the buffer's value without decimals, or p2
    };
    std::array<Zeile, 7> zeilen;
};

UeberschreibVorlage ueberschreibVorlage(const TBasisDatenTabelle& kat, const DVdata& puffer);

} // namespace zephan
