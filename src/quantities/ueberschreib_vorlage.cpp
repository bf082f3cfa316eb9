#include "quantities/ueberschreib_vorlage.h"

#include "network/catalogue.h"
#include "network/dvdata.h"
#include "quantities/ueberschreiben.h"
#include "store/number_format.h"

namespace zephan {

UeberschreibVorlage ueberschreibVorlage(const TBasisDatenTabelle& kat, const DVdata& puffer) {
    UeberschreibVorlage v;
    if (puffer.typ < 0) return v;
    const tBasisDaten_* k = kat.get(puffer.typ);
    v.typ = puffer.typ;
    if (k) v.komponente = k->titel;
    v.formWichtig = k && k->eckig < formUnwichtig;
    v.planungErgebnis = puffer.planung ? 1 : 0;
    if (puffer.vorgabe == 1) {
        v.vorgabe = UeberschreibOptionen::druckverlust;
        v.druck = formatZahlOhneGruppen(puffer.i[6], 0);
    } else if (puffer.vorgabe == -1) {
        v.vorgabe = UeberschreibOptionen::widerstandsbeiwert;
        v.geschw = puffer.p[0];
        v.zeta = puffer.p[1];
    } else {
        v.vorgabe = UeberschreibOptionen::keineVorgabe;
    }
    if (!k) return v;
    const bool eckigerText = puffer.eckig || k->eckig == formUnwichtig;
    for (size_t z = 0; z < v.zeilen.size(); ++z) {
        const tDatSlot& slot = k->dat[z];
        UeberschreibVorlage::Zeile& zeile = v.zeilen[z];
        zeile.text = eckigerText ? slot.texteckig : slot.textrund;
        zeile.aktiv = !zeile.text.isEmpty();
        zeile.istText = slot.text;
        // A row without caption shows nothing; a value that is not given stays an empty field
        // (which writes "not given" back).
        zeile.wert = !zeile.aktiv        ? QString()
                     : slot.text         ? puffer.p[2]
                     : puffer.i[z] == -1 ? QString()
                                         : formatZahlOhneGruppen(puffer.i[z], 0);
    }
    return v;
}

} // namespace zephan
