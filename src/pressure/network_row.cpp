#include "pressure/network_row.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/tree_container.h"
#include "store/number_format.h"

#include <QStringBuilder>

namespace zephan {

namespace {

const QChar trenner = QLatin1Char('|');

// A stored number text written with d decimals; empty when the text holds no number.
QString textZahl(const QString& text, int d) {
    return formatZahltext(text, d);
}

bool vorgabeVerlust(const DVdata& d, const tBasisDaten_* kat) {
    const int katVorgabe = kat ? kat->vorgabe : 0;
    return d.typ == typDeltaP || d.vorgabe == 1 || (d.vorgabe == 0 && katVorgabe == 4);
}

// The inlet dimension of slot `slot`, or "-" when the node's shape has no caption there.
QString mass(const DVdata& d, const tBasisDaten_& kat, int slot) {
    if (slot < 0 || slot >= anzahlDatSlots) return QStringLiteral("-");
    const tDatSlot& s = kat.dat[static_cast<size_t>(slot)];
    const QString& caption = d.eckig ? s.texteckig : s.textrund;
    if (caption.isEmpty()) return QStringLiteral("-");
    return formatZahl(d.i[static_cast<size_t>(slot)], 0);
}

} // namespace

StrangZellen strangZellen(const DVdata& d, const tBasisDaten_* kat) {
    if (d.typ == typRaum || d.typ == typVolumenstrom || istStrangTyp(d.typ)) return {false, false};
    if (d.typ == typVentilator) return {true, false};
    if (vorgabeVerlust(d, kat)) return {false, false};
    if (istStrecke(d.typ)) return {true, false};
    const int katVorgabe = kat ? kat->vorgabe : 0;
    const bool zeta = d.typ == typZetawert ||
                      ((d.vorgabe == 0 || d.vorgabe == -1) && (katVorgabe < 4 || katVorgabe == 5));
    return {true, zeta};
}

QString strangTitel(const TBasisDatenTabelle& katalog, const DVdata& d) {
    const tBasisDaten_* kat = katalog.get(d.typ);
    QString s = nodeTitel(katalog, d);
    if (istStrecke(d.typ))
        s += QStringLiteral(",  ") + formatZahl(d.i[5], 0) + QStringLiteral(" mm");
    // The remark once more after a colon where the catalogue asks for it; an empty remark adds
    // nothing (no dangling colon).
    if (!d.Text.isEmpty() && ((kat && kat->titeladd) || d.typ == typDeltaP || d.typ == typZetawert))
        s += QStringLiteral(": ") + d.Text;
    return s;
}

QString strangzeile(const StrangzeilenDaten& z) {
    static const DVdata leer;
    const DVdata& d = z.rec ? *z.rec : leer;
    const QString titel = strangTitel(*z.katalog, d);
    const tBasisDaten_* kat = z.katalog->get(d.typ);
    if (istStrangTyp(d.typ)) return titel;
    const QString& vText = z.v ? *z.v : d.p[0];
    const QString& zetaText = z.zeta ? *z.zeta : d.p[1];
    QString pos = z.position ? *z.position : z.knoten ? z.knoten->position() : QString();
    if (z.abzweig) pos.prepend(QStringLiteral("->"));
    // The rows are joined with QStringBuilder (%): one allocation per row, not one per cell.
    if (z.dp < -998) return pos % trenner % titel % QStringLiteral(" Fehler");
    const QString ext = formatZahl(z.dpExt, 0);
    if (d.typ == typRaum)
        return pos % trenner % titel % QStringLiteral("||||||") % formatZahl(d.i[1], 0) %
               QStringLiteral(",0") % trenner % ext;
    if (d.typ == typVolumenstrom) return pos % trenner % titel % trenner % formatZahl(d.i[0], 0);
    const QString strom = formatVolumenstrom(z.volumenstrom);
    if (d.typ == typVentilator)
        return pos % trenner % titel % trenner % strom % QStringLiteral("|||") %
               textZahl(vText, 1) % QStringLiteral("||") % formatZahl(z.dp, 1) % trenner % ext;

    QString a, b;
    if (kat && kat->mitmasse) {
        a = mass(d, *kat, kat->eina);
        b = mass(d, *kat, kat->einb);
    }
    const QString verlust = vorgabeVerlust(d, kat)
                                ? QString(formatZahl(d.i[6], 0) % QStringLiteral(",0"))
                                : formatZahl(z.dp, 1);
    const StrangZellen zellen = strangZellen(d, kat);
    const QString v = zellen.v ? textZahl(vText, 1) : QString();
    const QString zeta = zellen.zeta ? textZahl(zetaText, 2) : QString();
    return pos % trenner % titel % trenner % strom % trenner % a % trenner % b % trenner % v %
           trenner % zeta % trenner % verlust % trenner % ext;
}

} // namespace zephan
