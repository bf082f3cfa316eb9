#pragma once

#include <cstdint>
#include <initializer_list>

namespace zephan {

class TBasisDatenTabelle;
class tmylistitem;
struct DVdata;

// The component type codes of the catalogue, by the catalogue's names. Plain enumerators, so
// a record's `typ` (a stored int) compares with them directly.
enum Bauteiltyp : int32_t {
    typKeiner = -1, // no type chosen yet
    typZuluft = 0,  // line heads
    typAbluft = 1,
    typKanal = 2,
    typRohr = 3,
    typRaum = 4,
    typAbzweig = 5,
    typVolumenstrom = 6,
    typDeltaP = 7,
    typZetawert = 8,
    typAussenluftgitter = 9,
    typZuluftauslass = 10,
    typFortluftgitter = 11,
    typAbluftgitter = 12,
    typVentilator = 13,
    typQuerschnittsaenderung = 16,
    typKanalpunkt = 19,
    typUebergangsbogen = 20,
    typBogen = 21,
    typSegmentkruemmer = 23,
    typEtage = 24,
    typKanalRohr = 26,
    typRohrKanal = 27,
    typKnie = 28,
    typAbzweigstueck90 = 30,
    typAbzweigreduzierstueck90 = 31,
    typAbzweigstueckSchraeg = 32,         // "Abzweigstück <90°"
    typAbzweigreduzierstueckSchraeg = 33, // "Abzweigreduzierstück <90°"
    typSattelstutzen90 = 34,
    typHosenstueck = 35,
    typKreuzstueck = 37,
    typAufteilstueck = 38,
    typAbzweigstueck90Rund = 39,
    typDrosselklappe = 40,
    typSchalldaempfer = 41,
    typBrandschutzklappe = 43,
    typVolumenstromregler = 44,
    // Codes of older project files, converted when a file is read.
    typAltVentilator = 14,         // now a fan
    typAltUebergang = 17,          // now a cross-section change
    typAltUebergangRund = 18,      // now a cross-section change
    typAltBogenRund = 22,          // now a round bend
    typAltEtageRund = 25,          // now a round offset
    typAltSattelstutzenEckig = 36, // now a rectangular saddle connection
    typErsteFormstueck = 15,       // fittings and devices of an air line start here
    typLetzteKomponente = 50,      // and end here
    typHoechster = 130,            // the catalogue has slots 0 ... 130
};

// True when `typ` is one of the listed type codes.
inline bool istTyp(int typ, std::initializer_list<int> liste) {
    for (int t : liste)
        if (t == typ) return true;
    return false;
}

// A line head: supply or extract.
inline bool istStrangTyp(int typ) {
    return typ == typZuluft || typ == typAbluft;
}
// An outlet that a room follows: supply outlet or extract grille.
inline bool istAuslass(int typ) {
    return typ == typZuluftauslass || typ == typAbluftgitter;
}
// A straight run: duct or pipe.
inline bool istStrecke(int typ) {
    return typ == typKanal || typ == typRohr;
}
// A component of an air line's page: the room, the volume-flow point and every fitting and
// device.
inline bool istKomponente(int typ) {
    return typ == typRaum || (typ >= typVolumenstrom && typ <= typLetzteKomponente);
}
// The grilles and outlets at the two ends of a line.
inline bool istGitter(int typ) {
    return typ >= typAussenluftgitter && typ <= typAbluftgitter;
}

// The type code of a node's record; typKeiner for no node or no record.
int typVon(const tmylistitem* node);
// The catalogue's connection count of a type (0 group, 1 end, 2 inline, 3 one branch, 4 two
// branches); 0 for a code without entry.
int endenVon(const TBasisDatenTabelle& kat, int typ);
// The same for a node's type.
int endenVon(const TBasisDatenTabelle& kat, const tmylistitem* node);
// i[slot] for a catalogue slot number; -1 (not given) for an undefined slot.
double wertSlot(const DVdata& d, int slot);

} // namespace zephan
