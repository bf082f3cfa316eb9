#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

namespace zephan {

class TIniFile2;

// One value slot of a catalogue entry: slot k describes node value i[k].
struct tDatSlot {
    QString textrund;      // caption for a round node; empty: slot unused for round nodes
    QString texteckig;     // caption for a rectangular node; empty: unused for rectangular nodes
    QString einheit;       // unit beside the field
    int32_t nastellen = 0; // decimals of the number field
    // >= 0 minimum; -1 must be given; -3 dimension sizing may choose (hidden while planning,
    // required otherwise); -2 and -4 no requirement
    int32_t min = 0;
    int32_t max = 0;   // >= 0 maximum; -1 none
    bool text = false; // the slot is the text field p2 instead of a number

    bool operator==(const tDatSlot&) const = default;
};

constexpr int anzahlDatSlots = 7;

// Shape codes of `eckig`.
constexpr int32_t formRund = 0;
constexpr int32_t formEckig = 1;
constexpr int32_t formBeides = 2;
constexpr int32_t formUnwichtig = 3;

// A catalogue entry: what a component type code is called, how it looks, which values it
// holds and where it may stand. A new entry has typ -1 and everything else 0, false or empty.
struct tBasisDaten_ {
    int32_t typ = -1;
    int32_t gruppe = 0;
    QString titelint; // path key, computed when the catalogue is read; never stored
    QString titel;
    bool davorchk = false;
    bool danachchk = false;
    bool delpossible = false;
    bool schall = false;
    bool Nachhallzeit = false;
    bool planbauteil = false;
    bool planung = false;
    bool eckigwechsel = false;
    bool titeladd = false;
    bool titelIsFormbox = false;
    int32_t eckig = 0;          // formRund ... formUnwichtig, -1 unset
    int32_t bildnr = 0;         // picture number; picture list index is bildnr + 16
    int32_t defaultindex = 0;   // option preselected for a node without choice, -1 none
    int32_t strangtypok = 0;    // 0 anywhere, 1 supply lines only, 2 extract lines only
    int32_t enden = 0;          // connections: 0 group, 1 end, 2 inline, 3 one branch, 4 two
    int32_t eina = 0, einb = 0; // value slots of the inlet dimensions, -1 none
    int32_t ausa = 0, ausb = 0; // outlet
    int32_t abza = 0, abzb = 0; // branch
    bool mitmasse = false;
    bool Massenauszug = false;
    int32_t vorgabe = 0;  // normal preset mode 0 ... 5
    int32_t vorgabe2 = 0; // manual preset mode 0 ... 5
    QString box1;         // option list, entries separated by "|"
    std::array<tDatSlot, anzahlDatSlots> dat;

    bool operator==(const tBasisDaten_&) const = default;

    // Reads or writes the entry's keys in one section, in the order of the catalogue file.
    // Absent keys give their defaults when reading. `titelint` is not touched.
    void loadsave(TIniFile2& ini, const QString& section, bool lesen);
    void load(TIniFile2& ini, const QString& section) { loadsave(ini, section, true); }
    void save(TIniFile2& ini, const QString& section) const;

    // The option list as entries; empty list for an empty `box1`.
    QStringList boxEintraege() const;
    // Entry `index` of the option list, empty when there is none.
    QString boxText(int index) const;
};

// Picture list index of a catalogue picture number.
constexpr int bildIndexVersatz = 16;

// The type table `basisDaten`: one slot per type code 0 ... 130, each empty or holding an
// entry. The table shares ownership of its entries with the catalogue tree: it is a snapshot
// of the catalogue as last read, so an entry the editor replaces or deletes stays valid here
// until the table is filled again (at the next start, or by `fuellen`).
class TBasisDatenTabelle {
public:
    static constexpr int anzahl = 131;

    // The entry of a code, nullptr outside 0 ... 130 or for an empty slot.
    const tBasisDaten_* operator[](int typ) const { return get(typ); }
    const tBasisDaten_* get(int typ) const;
    std::shared_ptr<const tBasisDaten_> shared(int typ) const;
    // Puts an entry into its slot `typ`; codes outside 0 ... 130 are ignored (false).
    bool setzen(int typ, std::shared_ptr<const tBasisDaten_> eintrag);
    void clear();
    // Number of filled slots.
    int belegt() const;
    // True once the table was filled from a catalogue.
    bool gefuellt() const { return gefuellt_; }
    void setGefuellt(bool g) { gefuellt_ = g; }

private:
    std::array<std::shared_ptr<const tBasisDaten_>, anzahl> slots_;
    bool gefuellt_ = false;
};

// The program's one type table. When nothing has filled it yet, the first call fills it from
// the catalogue carried in the program, so no node is ever titled against an empty table.
TBasisDatenTabelle& basisDatenTabelle();
// Shorthand for basisDatenTabelle().get(typ).
const tBasisDaten_* basisDaten(int typ);

} // namespace zephan
