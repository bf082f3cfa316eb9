#include "network/catalogue.h"

#include "store/ini_file.h"

#include <algorithm>

namespace zephan {

namespace {

// Decimals beyond this make no sense in a number field and only slow formatting down.
constexpr int maxStellen = 10;

void zahl(TIniFile2& ini, const QString& section, const QString& key, int def, int32_t& var) {
    int v = var;
    ini.int_(section, key, def, v);
    var = v;
}

} // namespace

void tBasisDaten_::loadsave(TIniFile2& ini, const QString& section, bool lesen) {
    const bool vorher = ini.lesen();
    ini.setLesen(lesen);

    zahl(ini, section, QStringLiteral("Typ"), -1, typ);
    // "Name"/"titel" and "Bild"/"Bildnr" hold the same value; the later key of each pair
    // decides when reading.
    ini.str(section, QStringLiteral("Name"), QStringLiteral("-"), titel);
    zahl(ini, section, QStringLiteral("Bild"), 0, bildnr);
    zahl(ini, section, QStringLiteral("Abzweige"), 0, enden);
    zahl(ini, section, QStringLiteral("Gruppe"), 0, gruppe);
    ini.str(section, QStringLiteral("titel"), QString(), titel);
    ini.str(section, QStringLiteral("Box1"), QString(), box1);
    zahl(ini, section, QStringLiteral("Bildnr"), -1, bildnr);
    zahl(ini, section, QStringLiteral("eckig"), -1, eckig);
    ini.bool_(section, QStringLiteral("MitMasse"), false, mitmasse);
    ini.bool_(section, QStringLiteral("Massenauszug"), false, Massenauszug);
    zahl(ini, section, QStringLiteral("Vorgabe"), -1, vorgabe);
    zahl(ini, section, QStringLiteral("Vorgabe2"), 5, vorgabe2);
    ini.bool_(section, QStringLiteral("Davorchk"), true, davorchk);
    ini.bool_(section, QStringLiteral("Danachchk"), true, danachchk);
    ini.bool_(section, QStringLiteral("TitelAdd"), false, titeladd);
    ini.bool_(section, QStringLiteral("titelIsFormbox"), false, titelIsFormbox);
    ini.bool_(section, QStringLiteral("DelPossible"), true, delpossible);
    ini.bool_(section, QStringLiteral("Schall"), false, schall);
    ini.bool_(section, QStringLiteral("Nachhallzeit"), false, Nachhallzeit);
    zahl(ini, section, QStringLiteral("Defindex"), -1, defaultindex);
    zahl(ini, section, QStringLiteral("StrangTypOk"), 0, strangtypok);
    ini.bool_(section, QStringLiteral("EckigWechsel"), false, eckigwechsel);
    ini.bool_(section, QStringLiteral("Planung"), false, planung);
    ini.bool_(section, QStringLiteral("Planbauteil"), false, planbauteil);
    for (int k = 0; k < anzahlDatSlots; ++k) {
        tDatSlot& s = dat[k];
        const QString p = QStringLiteral("dat") + QString::number(k) + QLatin1Char('_');
        ini.str(section, p + QStringLiteral("textrund"), QString(), s.textrund);
        ini.str(section, p + QStringLiteral("texteckig"), QString(), s.texteckig);
        ini.str(section, p + QStringLiteral("einheit"), QString(), s.einheit);
        zahl(ini, section, p + QStringLiteral("min"), -1, s.min);
        ini.bool_(section, p + QStringLiteral("text"), false, s.text);
        zahl(ini, section, p + QStringLiteral("max"), -1, s.max);
        zahl(ini, section, p + QStringLiteral("nastellen"), 0, s.nastellen);
        if (lesen) s.nastellen = std::clamp<int32_t>(s.nastellen, -maxStellen, maxStellen);
    }
    zahl(ini, section, QStringLiteral("eina"), -1, eina);
    zahl(ini, section, QStringLiteral("einb"), -1, einb);
    zahl(ini, section, QStringLiteral("ausa"), -1, ausa);
    zahl(ini, section, QStringLiteral("ausb"), -1, ausb);
    zahl(ini, section, QStringLiteral("abza"), -1, abza);
    zahl(ini, section, QStringLiteral("abzb"), -1, abzb);

    ini.setLesen(vorher);
}

void tBasisDaten_::save(TIniFile2& ini, const QString& section) const {
    // The two-way routine takes its fields by reference; a copy keeps this entry untouched.
    tBasisDaten_ kopie = *this;
    kopie.loadsave(ini, section, false);
}

QStringList tBasisDaten_::boxEintraege() const {
    if (box1.isEmpty()) return {};
    return box1.split(QLatin1Char('|'));
}

QString tBasisDaten_::boxText(int index) const {
    const QStringList e = boxEintraege();
    if (index < 0 || index >= e.size()) return QString();
    return e[index];
}

const tBasisDaten_* TBasisDatenTabelle::get(int typ) const {
    if (typ < 0 || typ >= anzahl) return nullptr;
    return slots_[typ].get();
}

std::shared_ptr<const tBasisDaten_> TBasisDatenTabelle::shared(int typ) const {
    if (typ < 0 || typ >= anzahl) return nullptr;
    return slots_[typ];
}

bool TBasisDatenTabelle::setzen(int typ, std::shared_ptr<const tBasisDaten_> eintrag) {
    if (typ < 0 || typ >= anzahl) return false;
    slots_[typ] = std::move(eintrag);
    return true;
}

void TBasisDatenTabelle::clear() {
    for (auto& s : slots_) s.reset();
    gefuellt_ = false;
}

int TBasisDatenTabelle::belegt() const {
    return static_cast<int>(
        std::count_if(slots_.begin(), slots_.end(), [](const auto& s) { return s != nullptr; }));
}

const tBasisDaten_* basisDaten(int typ) {
    return basisDatenTabelle().get(typ);
}

} // namespace zephan
