#pragma once

#include "network/type_codes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace zephan {

// Eight octave bands 63 Hz ... 8 kHz as stored in a node record. The band calculations work
// on their own spectrum type; the record keeps plain values so the network library stays below
// the acoustics.
using PegelWerte = std::array<double, 8>;

// The record of every tree node. Field order and names follow the project file.
struct DVdata {
    int32_t typ = -1;     // component type code 0..130, -1 = no type yet
    int32_t vorgabe = 0;  // preset mode: 0 catalogue mode, 1 pressure loss in i[6], -1 zeta in p[1]
    bool planung = false; // dimensions still to be chosen by sizing
    bool eckig = false;   // rectangular (inlet shape for shape-changing fittings)
    bool nachhallzeitangabe = false; // room: reverberation time given per band
    bool raumSpektrumangabe = false; // room: room spectrum given
    int32_t schall = 0; // bit 1: sound power preset in sg, bit 2: attenuation preset in sd
    // state code: 0 ok, 1 incomplete, 5 no flow or calculation, 6 shape, 7 size, 8 speed
    int32_t fehler = 0;
    int32_t tag1 = -1; // chosen entry of the first option list; type 5: branch number
    int32_t tag2 = -1; // chosen entry of the second option list
    QString Text;      // remark; line head: description with "þ" for line breaks
    QString Gruppe;    // quantity group, empty = "unbekannt"
    std::array<double, 7> i{-1, -1, -1, -1, -1, -1, -1}; // the seven values, -1 = not given
    std::array<QString, 3> p; // p0 velocity text, p1 zeta / density text, p2 material / identifier
    PegelWerte sg{-1, -1, -1, -1, -1, -1, -1, -1};                   // sound power preset
    PegelWerte sd{-1, -1, -1, -1, -1, -1, -1, -1};                   // attenuation preset
    PegelWerte RaumSpektrum{-1, -1, -1, -1, -1, -1, -1, 0};          // room spectrum
    std::array<int32_t, 7> nachhallzeit{-1, -1, -1, -1, -1, -1, -1}; // ms per band, -1 = not given
    int32_t r0 = -1, r1 = -1, r2 = -1, r3 = -1;                      // reserved, never stored

    bool operator==(const DVdata&) const = default;
};

// State codes of `fehler`.
constexpr int32_t fehlerOk = 0;
constexpr int32_t fehlerUnvollstaendig = 1;
constexpr int32_t fehlerVolumenstrom = 5;
constexpr int32_t fehlerEckigRund = 6;
constexpr int32_t fehlerMasse = 7;
constexpr int32_t fehlerGeschwindigkeit = 8;

// Resets a record for a new node. `eckig` keeps its value.
void initNode(DVdata& d, bool planung);
// The same with `planung` from the setting "Status planen für neue Bauteile".
void initNode(DVdata& d);

} // namespace zephan
