#include "editing/sound_report.h"

#include "acoustics/pegelsenkung.h"
#include "acoustics/schallnetz.h"
#include "acoustics/stroemungsgeraeusch.h"
#include "bands/pegel.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/project_head.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <cmath>

namespace zephan {

bool aBewerteterPegel(const double (&baender)[7], double& la) {
    TPegel a = pegel(0);
    for (int k = 0; k < bandAnzahl; ++k) {
        const double x = baender[k];
        if (!std::isfinite(x) || x <= pegelAbgebrochen + 0.5) return false;
        a[static_cast<size_t>(k)] = x + aBewertung[static_cast<size_t>(k)];
    }
    la = gesamtpegel(a);
    return std::isfinite(la);
}

namespace {

// The room's attenuation with its derivation, then the level the network brings into it.
GeraeuschBerichtErgebnis raumBericht(ProjektBaum& baum, tmylistitem* raum, TDruck& druck,
                                     const ProjektDaten& projekt, UserSeam* seam) {
    druck.drucken = true;
    druck.clear();
    druckkopf(druck, projekt);
    druck.headline(raum->position() + QLatin1Char(' ') + raum->caption());
    Rechenkontext k = programmKontext();
    k.druck = &druck;
    k.rho = strangDichte(raum);
    k.fortschritt = seam;
    pegelsenkung(raum, 0, k);
    druck.leer();

    SchallnetzOptionen o;
    o.ganzerStrang = false;
    o.auswahl = raum;
    o.anhaengen = true;
    o.nurRaumteil = true;
    o.seam = seam;
    const SchallnetzErgebnis e = schallnetzberechnung(baum, k, o);
    if (e.ok) return {true, QString()};
    // The attenuation stands on its own; the report says why the level is missing.
    QString grund = e.meldung.isEmpty() ? QStringLiteral("abgebrochen") : e.meldung;
    if (e.halt) grund += QStringLiteral(" (") + e.halt->position() + QLatin1Char(')');
    const QString text = QStringLiteral("Schallpegel im Raum nicht berechnet: ") + grund;
    druck.add(text);
    return {true, text};
}

} // namespace

GeraeuschBerichtErgebnis geraeuschBericht(ProjektBaum& baum, tmylistitem* node, TDruck& druck,
                                          const ProjektDaten& projekt, UserSeam* seam) {
    const DVdata* d = nodeDaten(node);
    if (!d) return {false, QStringLiteral("Kein Bauteil ausgewählt.")};
    if (d->planung) return {false, QStringLiteral("Das Bauteil ist noch in Planung.")};
    if (d->typ == typRaum) return raumBericht(baum, node, druck, projekt, seam);
    if (istStrangTyp(d->typ) || (!hatStroemungsgeraeusch(d->typ) && !(d->schall & 1)))
        return {false, QStringLiteral("Für dieses Bauteil wird kein Strömungsgeräusch berechnet.")};

    druck.drucken = true;
    druck.clear();
    druckkopf(druck, projekt);
    druck.headline(QStringLiteral("Strömungsgeräusch: ") + node->position() + QLatin1Char(' ') +
                   node->caption());
    druck.leer();

    Rechenkontext k = programmKontext();
    k.druck = &druck;
    k.rho = strangDichte(node);
    k.fortschritt = seam;
    const int enden = endenVon(basisDatenTabelle(), d->typ);
    const int seiten = enden >= 4 ? 3 : enden == 3 ? 2 : 1;
    for (int seite = 0; seite < seiten; ++seite) {
        if (seiten > 1)
            druck.add(seite == 0    ? QStringLiteral("Durchgang")
                      : seiten == 2 ? QStringLiteral("Abzweig")
                                    : QStringLiteral("Abzweig ") + QString::number(seite));
        const TPegel p = stroemungsgeraeusch(node, seite, k);
        double baender[7];
        for (int b = 0; b < bandAnzahl; ++b) baender[b] = p[static_cast<size_t>(b)];
        double la = 0;
        if (aBewerteterPegel(baender, la))
            druck.add(QStringLiteral("A-bewerteter Schallleistungspegel L°(sub WA°(-sub  = ") +
                      formatZahl(la, 1) + QStringLiteral(" dB(A)"));
        else
            druck.add(QStringLiteral("Kein Strömungsgeräusch berechnet."));
        druck.leer();
        pegelsenkung(node, seite, k);
    }
    return {true, QString()};
}

} // namespace zephan
