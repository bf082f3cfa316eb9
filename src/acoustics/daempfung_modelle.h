#pragma once

// The attenuation models behind pegelsenkung, one per family of components. Each model writes
// its derivation and sets `ergebnis`; it returns false when it ended without the closing empty
// line.

#include "bands/pegel.h"
#include "network/dvdata.h"

namespace zephan {

class Geraeuschbericht;
class tmylistitem;
struct Rechenkontext;
struct Schalldaten;

struct DaempfungEingabe {
    tmylistitem* knoten;
    const DVdata& rec; // copy of the node's record
    int seite;         // passage of a branch fitting
    const Rechenkontext& k;
    const Geraeuschbericht& b;
    const Schalldaten& daten;
};

bool daempfungKanal(const DaempfungEingabe& e, TPegel& ergebnis);          // duct, pipe, splitter
bool daempfungRaum(const DaempfungEingabe& e, TPegel& ergebnis);           // room attenuation
bool daempfungMuendung(const DaempfungEingabe& e, TPegel& ergebnis);       // end reflection
bool daempfungUmlenkung(const DaempfungEingabe& e, TPegel& ergebnis);      // bends and knees
bool daempfungVerzweigung(const DaempfungEingabe& e, TPegel& ergebnis);    // branch pieces
bool daempfungSattelstutzen(const DaempfungEingabe& e, TPegel& ergebnis);  // saddle piece
bool daempfungHosenstueck(const DaempfungEingabe& e, TPegel& ergebnis);    // trouser piece
bool daempfungSchalldaempfer(const DaempfungEingabe& e, TPegel& ergebnis); // listed silencer

} // namespace zephan
