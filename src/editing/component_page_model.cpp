#include "editing/component_page_model.h"

#include "editing/duct_page_model.h"
#include "editing/page_check.h"
#include "network/catalogue.h"

namespace zephan {

namespace {
bool einerVon(int x, std::initializer_list<int> werte) {
    for (int w : werte)
        if (x == w) return true;
    return false;
}
} // namespace

QStringList optionsEintraege(const QString& liste) {
    QStringList r = liste.split(QLatin1Char('|'));
    while (!r.isEmpty() && r.back().isEmpty()) r.removeLast();
    return r;
}

bool druckModus(const DVdata& d, const tBasisDaten_* k) {
    return d.vorgabe == 1 || (d.vorgabe == 0 && k && k->vorgabe == 4);
}

WertSlotAnsicht wertSlotAnsicht(const DVdata& d, const tBasisDaten_* k, int s) {
    WertSlotAnsicht w;
    if (!k) return w;
    const tDatSlot& slot = k->dat[static_cast<size_t>(s)];
    const QString caption = d.eckig ? slot.texteckig : slot.textrund;
    // A dimension sizing chooses is open while the node is in planning.
    w.sichtbar = !caption.isEmpty() && !(slot.min == -3 && d.planung);
    w.spektrum = (s == 3 || s == 4) && k->Nachhallzeit && !caption.isEmpty();
    if (!w.sichtbar) return w;
    w.caption = caption;
    w.einheit =
        slot.einheit.isEmpty() ? QString() : QStringLiteral("[") + slot.einheit + QLatin1Char(']');
    w.text = slot.text;
    w.stellen = slot.nastellen;
    w.wert = d.i[static_cast<size_t>(s)];
    w.textWert = d.p[2];
    w.aktiv = !(k->Nachhallzeit &&
                ((s == 3 && d.raumSpektrumangabe) || (s == 4 && d.nachhallzeitangabe)));
    w.bereich = bereiche::wertSlot(caption, slot.einheit, slot.min, slot.max);
    return w;
}

VorgabeAnsicht vorgabeAnsicht(const DVdata& d, const tBasisDaten_* k) {
    VorgabeAnsicht v;
    const int modus = k ? k->vorgabe : 0;
    const int manuell = k ? k->vorgabe2 : 0;
    v.vorgebenSichtbar = manuell > 0;
    v.vorgebenGesetzt = modus == 5 || d.vorgabe != 0;
    v.zetaSichtbar = v.vorgebenGesetzt && einerVon(manuell, {1, 2, 3, 5});
    v.zetaGesetzt = d.vorgabe == -1;
    v.druckModus = druckModus(d, k);
    if (v.druckModus) {
        v.geschwindigkeitAktiv = true;
        return v;
    }
    const bool zetaModus = d.vorgabe == -1 || (d.vorgabe == 0 && einerVon(modus, {0, 1, 2, 3, 5}));
    v.geschwindigkeitAktiv = zetaModus && ((d.vorgabe == 0 && modus >= 2 && modus <= 5) ||
                                           (d.vorgabe == -1 && einerVon(manuell, {2, 3, 5})));
    v.zetaAktiv = zetaModus && ((d.vorgabe == 0 && einerVon(modus, {1, 3, 5})) ||
                                (d.vorgabe == -1 && einerVon(manuell, {1, 3, 5})));
    return v;
}

KomponentenAnsicht komponentenAnsicht(const DVdata& d) {
    KomponentenAnsicht a;
    const tBasisDaten_* k = basisDaten(d.typ);
    a.planungSichtbar = k && k->planung;
    a.eintrittEckigSichtbar = k && k->eckig == formBeides && !d.planung;
    a.box1 = k ? k->boxEintraege() : QStringList();
    a.box2 = optionsEintraege(zweiteOptionsliste(d.typ, d.tag1));
    a.box2Sichtbar = d.tag1 >= 0 && !a.box2.isEmpty();
    for (int s = 0; s < 7; ++s) a.werte[static_cast<size_t>(s)] = wertSlotAnsicht(d, k, s);
    a.vorgabe = vorgabeAnsicht(d, k);
    a.schallSichtbar = k && k->enden < 3 && k->schall;
    return a;
}

int vorgabeAusChecks(bool vorgeben, bool zeta, const tBasisDaten_* k) {
    const bool zetaSichtbar = vorgeben && k && einerVon(k->vorgabe2, {1, 2, 3, 5});
    int v = !vorgeben ? 0 : (zetaSichtbar && zeta) ? -1 : 1;
    if (k && k->vorgabe == 5 && v == 0) v = -1;
    return v;
}

bool optionenInPuffer(const KomponentenOptionen& o, DVdata& d) {
    const int tag1Vorher = d.tag1;
    const bool eckigVorher = d.eckig;
    const int vorgabeVorher = d.vorgabe;
    if (o.box1Gezeigt) d.tag1 = o.tag1;
    if (o.box2Gezeigt) d.tag2 = o.tag2;
    d.vorgabe = vorgabeAusChecks(o.vorgeben, o.zeta, basisDaten(d.typ));
    if (o.eckigGezeigt) d.eckig = o.eckig;
    d.Gruppe = o.gruppe;
    d.Text = StreckenSeitenModell::bemerkung(o.bemerkung);
    return d.tag1 != tag1Vorher || d.eckig != eckigVorher || d.vorgabe != vorgabeVorher;
}

void wertInPuffer(int k, double zahl, const QString& text, DVdata& d) {
    const tBasisDaten_* kat = basisDaten(d.typ);
    if (!kat) return;
    if (k >= 0 && k < 7) {
        if (kat->dat[static_cast<size_t>(k)].text)
            d.p[2] = text;
        else
            d.i[static_cast<size_t>(k)] = zahl;
    } else if (k == 7) {
        if (druckModus(d, kat))
            d.i[6] = zahl;
        else
            d.p[0] = text;
    } else if (k == 8) {
        d.p[1] = text;
    }
}

} // namespace zephan
