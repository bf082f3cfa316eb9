#include "quantities/massenauszug.h"

#include "network/catalogue.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "pressure/project_head.h"
#include "quantities/massen_gruppen.h"
#include "quantities/massen_liste.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <array>

namespace zephan {

QString abschnittTitel(MassenAbschnitt a) {
    switch (a) {
    case MassenAbschnitt::Kanal:
        return QStringLiteral("Kanallängen");
    case MassenAbschnitt::Rohr:
        return QStringLiteral("Rohrlängen");
    case MassenAbschnitt::Formstueck:
        break;
    }
    return QStringLiteral("Formstücke / Einzelbauteile");
}

MassenAbschnitt abschnittVon(int kategorie) {
    if (kategorie == typKanal) return MassenAbschnitt::Kanal;
    if (kategorie == typRohr) return MassenAbschnitt::Rohr;
    return MassenAbschnitt::Formstueck;
}

Massenauszug massenauszugBerechnen(const TBasisDatenTabelle& kat, const tMylistviewBase& baum,
                                   const QString& gruppenMemo, bool mitGruppen) {
    const MassenGruppen gruppen(gruppenMemo, mitGruppen);
    std::vector<MassenListe> listen(static_cast<size_t>(gruppen.namen().size()));
    // The catalogue flag per type code, looked up once.
    std::array<bool, TBasisDatenTabelle::anzahl> gezaehlt{};
    for (int t = 0; t < TBasisDatenTabelle::anzahl; ++t) {
        const tBasisDaten_* k = kat.get(t);
        gezaehlt[static_cast<size_t>(t)] = k && k->Massenauszug;
    }
    // Display order is the depth-first order: node, its children, its next sibling.
    for (const tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        const DVdata* d = nodeDaten(n);
        if (!d || d->typ < 0 || d->typ >= TBasisDatenTabelle::anzahl ||
            !gezaehlt[static_cast<size_t>(d->typ)])
            continue;
        const int pass = gruppen.pass(d->Gruppe);
        if (pass < 0) continue;
        listen[static_cast<size_t>(pass)].hinzufuegen(kat, *d);
    }
    Massenauszug m;
    m.mitGruppen = mitGruppen;
    for (size_t k = 0; k < listen.size(); ++k) {
        listen[k].sortieren();
        m.gruppen.push_back(
            MassenGruppe{gruppen.namen()[static_cast<qsizetype>(k)], listen[k].posten()});
    }
    return m;
}

std::vector<MassenZeile> massenZeilen(const Massenauszug& m) {
    std::vector<MassenZeile> zeilen;
    for (const MassenGruppe& g : m.gruppen) {
        for (int a = 0; a < 3; ++a) {
            const auto abschnitt = static_cast<MassenAbschnitt>(a);
            for (const TMassen& p : g.posten) {
                if (abschnittVon(p.typ) != abschnitt) continue;
                MassenZeile z;
                z.gruppe = m.mitGruppen ? g.name : QString();
                z.abschnitt = abschnitt;
                z.text = p.titel_mit_size;
                const bool laenge = alsLaenge(p.typ);
                z.menge = laenge ? p.anz / 1000 : p.anz;
                z.einheit = laenge ? QStringLiteral("m") : QStringLiteral("Stk");
                z.stellen = laenge ? 1 : 0;
                zeilen.push_back(std::move(z));
            }
        }
    }
    return zeilen;
}

void massenauszugSchreiben(const Massenauszug& m, TDruck& druck, const ProjektDaten& projekt) {
    druck.drucken = true;
    druck.clear();
    druckkopf(druck, projekt);
    bool ersteGruppe = true;
    QString gruppe;
    bool gruppeBegonnen = false;
    int abschnitt = -1;
    for (const MassenZeile& z : massenZeilen(m)) {
        if (!gruppeBegonnen || z.gruppe != gruppe) {
            gruppe = z.gruppe;
            gruppeBegonnen = true;
            abschnitt = -1;
            if (m.mitGruppen) {
                if (!ersteGruppe)
                    for (int k = 0; k < 3; ++k) druck.leer();
                ersteGruppe = false;
                druck.Absatz();
                druck.headline(QStringLiteral("Gruppe: ") + z.gruppe);
            }
        }
        if (static_cast<int>(z.abschnitt) != abschnitt) {
            abschnitt = static_cast<int>(z.abschnitt);
            // The empty line also closes the table before it.
            druck.leer();
            druck.headline(abschnittTitel(z.abschnitt));
            druck.tabelleK(0, QStringLiteral("1,80,-15"));
        }
        druck.add(z.text + QLatin1Char('|') + formatZahl(z.menge, z.stellen) + QLatin1Char(' ') +
                  z.einheit);
    }
}

bool massenauszug(const TBasisDatenTabelle& kat, const tMylistviewBase& baum,
                  const ProjektDaten& projekt, TDruck& druck, UserSeam* seam) {
    if (baum.count() == 0) {
        if (seam) seam->meldung(keinStrang, UserSeam::Kind::Information);
        return false;
    }
    massenauszugSchreiben(
        massenauszugBerechnen(kat, baum, projekt.Gruppen, projekt.MassenauszugMitGruppen), druck,
        projekt);
    return true;
}

} // namespace zephan
