#include "pressure/interactive_component.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "pressure/component_pressure.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

namespace {

constexpr double zuGross = 9999;

QString paText(double dp) {
    return formatZahl(dp, 2) + QStringLiteral(" [Pa]");
}

// A line that began with the escape "°(" would be read as a command and never printed.
QString deltaPZeile(double dp) {
    return QStringLiteral("Druckverlust °(delta p = ") + paText(dp);
}

QString volumenText(const TBasisDatenTabelle& kat, const tmylistitem* node) {
    return formatVolumenstrom(volumenstrom(kat, node)) + QStringLiteral(" [m³/h]");
}

void zetaFelderZeigen(BauteilAnzeige& a, const DVdata& d) {
    a.zetaFelder = BauteilAnzeige::Feld::Zeigen;
    a.geschwindigkeit = d.p[0];
    a.zeta = d.p[1];
}

// The node calculated in place with the buffer's values.
void amKnoten(BauteilAnzeige& a, DVdata& editDaten, tmylistitem* node, DVdata& knoten,
              TDruck& druck, const Rechenkontext& u, int enden) {
    const TBasisDatenTabelle& kat = u.kat();
    if (druck.drucken) {
        druck.headline(nodeTitel(kat, editDaten) + QStringLiteral(";  Volumenstrom: ") +
                       volumenText(kat, node));
        if (!editDaten.Text.isEmpty()) druck.add(QStringLiteral("Beschreibung: ") + editDaten.Text);
    }
    if (editDaten.planung) {
        a.ergebnisLabel = QStringLiteral("in Planung");
        druck.add(QStringLiteral("Es fehlen noch Angaben zu dem Bauteil. Berechnung nur von "
                                 "vollständigen Bauteilen möglich."));
        return;
    }
    const DVdata gesichert = knoten;
    knoten = editDaten;
    const double dp = bauteildruck(modusDurchgang, node, editDaten, 0, u);
    a.ergebnis = dp;
    if (dp > zuGross) {
        a.ergebnisLabel = QStringLiteral("zu groß!");
        editDaten.fehler = fehlerVolumenstrom;
        druck.drucken = false;
    } else if (dp > -999) {
        druck.add(deltaPZeile(dp));
        a.ergebnisLabel = paText(dp);
        if (druck.drucken && enden > 2) {
            // The branches are calculated on a work copy: the buffer keeps the velocity and
            // zeta of the main passage, which its fields show.
            DVdata arbeit;
            const tmylistitem* kind = node->getChild();
            druck.leer();
            if (enden == 4) {
                const tmylistitem* zweig2 = kind ? kind->getNextSibling() : nullptr;
                druck.headline(QStringLiteral("Abzweig 1;   Volumenstrom: ") +
                               volumenText(kat, kind ? kind->getChild() : nullptr));
                druck.add(deltaPZeile(bauteildruck(modusAbzweig1, node, arbeit, 0, u)));
                druck.leer();
                druck.headline(QStringLiteral("Abzweig 2;   Volumenstrom: ") +
                               volumenText(kat, zweig2 ? zweig2->getChild() : nullptr));
                druck.add(deltaPZeile(bauteildruck(modusAbzweig2, node, arbeit, 0, u)));
            } else {
                druck.headline(QStringLiteral("Abzweig;   Volumenstrom: ") +
                               volumenText(kat, kind));
                druck.add(deltaPZeile(bauteildruck(modusAbzweig1, node, arbeit, 0, u)));
            }
        }
        const tBasisDaten_* t = kat.get(editDaten.typ);
        const int katVorgabe = t ? t->vorgabe : 0;
        if (editDaten.vorgabe == 1 && editDaten.i[6] == -1)
            a.wertFeld = BauteilAnzeige::Feld::Leeren;
        // The preset modes run 0 ... 5; the fields of a zeta calculation belong to the
        // catalogue modes below 4 and to mode 5.
        if (editDaten.vorgabe == -1 ||
            (editDaten.vorgabe == 0 && (katVorgabe < 4 || katVorgabe == 5)))
            zetaFelderZeigen(a, editDaten);
    } else {
        editDaten.fehler = fehlerVolumenstrom;
        druck.add(QStringLiteral("Fehler"));
        a.ergebnisLabel = QStringLiteral("Fehler. Prüfen");
    }
    knoten = gesichert;
}

// The buffer alone with the flow of the selected node.
void ohneKnoten(BauteilAnzeige& a, DVdata& editDaten, tmylistitem* node, const Rechenkontext& u) {
    double Q = volumenstrom(u.kat(), node);
    if (!istZuluft(node)) Q = -Q;
    Q = std::trunc(Q);
    const double dp = bauteildruck(modusDatensatz, node, editDaten, Q, u);
    a.ergebnis = dp;
    if (dp > zuGross) {
        a.ergebnisLabel = QStringLiteral("zu groß!");
        editDaten.fehler = fehlerVolumenstrom;
    } else if (dp > -999) {
        a.ergebnisLabel = paText(dp);
    } else {
        a.ergebnisLabel = QStringLiteral("Fehler");
    }
    if (editDaten.vorgabe == 1) {
        a.wertFeld =
            editDaten.i[6] == -1 ? BauteilAnzeige::Feld::Leeren : BauteilAnzeige::Feld::Zeigen;
        a.wert = editDaten.i[6];
    } else if (editDaten.vorgabe == -1) {
        zetaFelderZeigen(a, editDaten);
    }
}

} // namespace

BauteilAnzeige berechne1Bauteil(const Rechenkontext& kontext, DVdata& editDaten, tmylistitem* node,
                                TDruck& druck, bool drucken, double rho) {
    druck.drucken = drucken;
    BauteilAnzeige a;
    Rechenkontext u = kontext;
    u.druck = &druck;
    u.rho = rho;
    const tBasisDaten_* t = u.typ(editDaten.typ);
    const int enden = t ? t->enden : 0;
    DVdata* knoten = nodeDaten(node);
    if (knoten && knoten->typ == editDaten.typ)
        amKnoten(a, editDaten, node, *knoten, druck, u, enden);
    else if (!knoten || enden > 1 || editDaten.planung)
        a.ergebnisLabel = QStringLiteral("-");
    else
        ohneKnoten(a, editDaten, node, u);
    druck.drucken = false;
    return a;
}

} // namespace zephan
