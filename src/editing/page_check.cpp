#include "editing/page_check.h"

#include "editing/edit_session.h"
#include "editing/program_context.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/air_density.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/interactive_component.h"
#include "report/report_document.h"
#include "store/number_format.h"

#include <initializer_list>

namespace zephan {

namespace {

// A text field a mode requires: a number (the velocity above 0).
bool zahlGegeben(const QString& text, bool positiv) {
    bool ok = false;
    const double v = leseZahl(text, &ok);
    return ok && (positiv ? v > 0 : v >= 0);
}

QString fehlt(const QString& feld) {
    return feld + QStringLiteral(" fehlt");
}

// The preset inputs the buffer's mode requires; empty when all are there.
QString vorgabeFehlt(const DVdata& d, const tBasisDaten_& k) {
    const bool druckModus = d.vorgabe == 1 || (d.vorgabe == 0 && k.vorgabe == 4);
    if (druckModus) return d.i[6] >= 0 ? QString() : fehlt(QStringLiteral("Druckverlust"));
    bool mitV = false, mitZeta = false;
    if (d.vorgabe == -1) {
        mitV = istTyp(k.vorgabe2, {typKanal, typRohr, typAbzweig});
        mitZeta = istTyp(k.vorgabe2, {typAbluft, typRohr, typAbzweig});
    } else if (d.vorgabe == 0) {
        mitV = istTyp(k.vorgabe, {typKanal, typRohr, typAbzweig});
        mitZeta = istTyp(k.vorgabe, {typAbluft, typRohr, typAbzweig});
    }
    if (mitV && !zahlGegeben(d.p[0], true)) return fehlt(QStringLiteral("Geschwindigkeit"));
    if (mitZeta && !zahlGegeben(d.p[1], false)) return fehlt(QStringLiteral("Zeta"));
    return {};
}

bool strangVorhanden(const ProjektBaum& baum, const QString& schluessel) {
    for (int k = 0; k < baum.topCount(); ++k)
        if (baum.topLevel(k)->caption().compare(schluessel, Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

// --- type rules ---------------------------------------------------------------------------------

bool einfuegbarerTyp(int typ) {
    return istTyp(typ, {typKanal, typRohr, typVolumenstrom, typDeltaP, typZetawert}) ||
           (typ >= typErsteFormstueck && typ <= typLetzteKomponente);
}

bool typWechselErlaubt(int alt, int neu) {
    if (alt < 0 || neu < 0) return false;
    if (alt == neu) return true;
    for (const auto& gruppe : {std::initializer_list<int>{7, 8}, std::initializer_list<int>{19, 20},
                               std::initializer_list<int>{20, 21, 28}})
        if (istTyp(alt, gruppe) && istTyp(neu, gruppe)) return true;
    // A branch container belongs to its cross and never changes.
    return alt != 5 && neu != 5 && endenVon(basisDatenTabelle(), alt) == 3 &&
           endenVon(basisDatenTabelle(), neu) == 3;
}

QString strangtypMeldung(int typ, const tmylistitem* node) {
    const tBasisDaten_* k = basisDaten(typ);
    if (!k || !node || (k->strangtypok != 1 && k->strangtypok != 2)) return {};
    const bool zuluft = istZuluft(node);
    if (k->strangtypok == 1 && zuluft) return {};
    if (k->strangtypok == 2 && !zuluft) return {};
    const int kopfTyp = k->strangtypok == 1 ? typZuluft : typAbluft;
    const tBasisDaten_* kopf = basisDaten(kopfTyp);
    const QString titel =
        kopf ? kopf->titel
             : (kopfTyp == typZuluft ? QStringLiteral("Zuluft") : QStringLiteral("Abluft"));
    return QStringLiteral("Bauteil kann nur im ") + titel + QStringLiteral(" eingebaut werden.");
}

// --- the type list ------------------------------------------------------------------------------

const std::vector<TypListenGruppe>& typListe() {
    static const std::vector<TypListenGruppe> liste{
        {QStringLiteral("Formstück"),
         {QStringLiteral("Bogen"), QStringLiteral("Übergangsbogen"),
          QStringLiteral("Querschnittsänderung"), QStringLiteral("Kanal->Rohr"),
          QStringLiteral("Rohr->Kanal"), QStringLiteral("Etage"), QStringLiteral("Knie")}},
        {QStringLiteral("Verzweigung"),
         {QStringLiteral("Abzweigstück 90°"), QStringLiteral("Abzweigstück 90°, rund"),
          QStringLiteral("Abzweigstück <90°"), QStringLiteral("Abzweigreduzierstück 90°"),
          QStringLiteral("Abzweigreduzierstück <90°"), QStringLiteral("Sattelstutzen 90°"),
          QStringLiteral("Hosenstück"), QStringLiteral("Aufteilstück"),
          QStringLiteral("Kreuzstück")}},
        {QStringLiteral("Sonstige"),
         {QStringLiteral("Volumenstromregler"), QStringLiteral("Drosselklappe"),
          QStringLiteral("Brandschutzklappe"), QStringLiteral("Schalldämpfer"),
          QStringLiteral("Volumenstrom"), QStringLiteral("delta p"), QStringLiteral("Raum"),
          QStringLiteral("Außenluftgitter"), QStringLiteral("Zuluftauslass"),
          QStringLiteral("Fortluftgitter"), QStringLiteral("Abluftgitter"),
          QStringLiteral("Ventilator")}},
    };
    return liste;
}

int typAusListe(const QString& eintrag) {
    for (const TypListenGruppe& g : typListe())
        if (g.titel == eintrag) return -1;
    for (int typ = typZuluft; typ <= typLetzteKomponente; ++typ) {
        const tBasisDaten_* k = basisDaten(typ);
        if (k && k->titel == eintrag) return typ;
    }
    return -1;
}

// --- the edit pages -----------------------------------------------------------------------------

QString zweiteOptionsliste(int typ, int tag1) {
    switch (typ) {
    case typRaum:
        return QStringLiteral("Abstrahlwinkel 0°|Abstrahlwinkel 45°");
    case typAussenluftgitter:
    case typAbluftgitter:
        if (tag1 == 0) return QStringLiteral("scharf|gebrochen|gerundet|stark gerundet");
        if (tag1 == 2) return QStringLiteral("15°|30°|45°|60°");
        return {};
    case typZuluftauslass:
        if (tag1 == 4)
            return QStringLiteral(
                "Serie FD-300-H|-400|-500|-600|-625|Serie FD-300-V|-400|-500|-600|-625");
        if (tag1 == 5) return QStringLiteral("Serie TR-AG oder -DG");
        return {};
    case typBogen:
        return QStringLiteral("links/rechts|hoch/runter");
    case typSegmentkruemmer:
        if (tag1 == 0) return QStringLiteral("1 Segment");
        if (tag1 == 1) return QStringLiteral("1 Segment|2 Segmente");
        if (tag1 == 2) return QStringLiteral("1 Segment|2 Segmente|3 Segmente");
        if (tag1 == 3 || tag1 == 4)
            return QStringLiteral("1 Segment|2 Segmente|3 Segmente|4 Segmente|5-8 Segmente");
        return {};
    case typSchalldaempfer:
        if (tag1 == 0)
            return QStringLiteral("SLF-A25 Isolierstärke 25mm|SLF-A50 Isolierstärke 50mm|");
        return {};
    default:
        return {};
    }
}

void komponentenSeite(DVdata& d) {
    const tBasisDaten_* k = basisDaten(d.typ);
    if (!k) return;
    if (k->eckig == formUnwichtig || k->eckig == formEckig) d.eckig = true;
    if (k->eckig == formRund) d.eckig = false;
    const QStringList eintraege = k->boxEintraege();
    if (eintraege.size() == 1)
        d.tag1 = 0;
    else if (!eintraege.isEmpty() && d.tag1 == -1 && k->defaultindex < eintraege.size())
        d.tag1 = k->defaultindex;
    if (d.typ == typBogen && d.tag2 == -1) d.tag2 = 0;
    if (k->vorgabe == 5 && d.vorgabe == 0) d.vorgabe = -1;
}

QString dichteText(const QString& text) {
    bool ok = false;
    const double rho = leseZahl(text, &ok);
    return ok ? formatZahlOhneGruppen(rho, 3) : text;
}

QString strangSchluessel(const DVdata& d) {
    if (!istStrangTyp(d.typ)) return {};
    const tBasisDaten_* k = basisDaten(d.typ);
    const QString titel =
        k ? k->titel : (d.typ == typZuluft ? QStringLiteral("Zuluft") : QStringLiteral("Abluft"));
    return titel + QStringLiteral(": ") + d.p[2].trimmed();
}

QString streckenGeschwindigkeit(const DVdata& d, double q) {
    double a = 0;
    if (d.typ == typKanal && d.i[0] > 0 && d.i[1] > 0) a = flaeche_eckig(d.i[0], d.i[1]);
    if (d.typ == typRohr && d.i[0] > 0) a = flaeche_rund(d.i[0]);
    if (!(a > 0) || !(q > 0)) return {};
    return formatZahlOhneGruppen(q / 3600 / a, 2);
}

// With "Bauteile dadrunter einfügen" on and a branch piece selected, the flow is that of its
// next sibling, where the new piece would go.
int seitenVolumenstrom(const tmylistitem* node) {
    if (!node) return -1;
    if (einstellungen().bauteilUnter() && endenVon(basisDatenTabelle(), typVon(node)) >= 3)
        if (const tmylistitem* n = node->getNextSibling())
            return volumenstrom(basisDatenTabelle(), n);
    return volumenstrom(basisDatenTabelle(), node);
}

void streckenSeite(DVdata& d, const tmylistitem* selektiert) {
    if (!istStrecke(d.typ) || d.planung) return;
    const QString v = streckenGeschwindigkeit(d, seitenVolumenstrom(selektiert));
    if (!v.isEmpty()) d.p[0] = v;
}

PufferStand pufferPruefen(DVdata& d) {
    PufferStand r;
    r.meldung = editText::fehlendeInformationen;
    if (istStrangTyp(d.typ)) {
        r.vollstaendig = !d.p[2].trimmed().isEmpty() && leseZahl(d.p[1]) > 0;
        r.meldung = r.vollstaendig ? QString() : editText::strangUnvollstaendig;
        return r;
    }
    const tBasisDaten_* k = basisDaten(d.typ);
    if (!k) {
        d.fehler = fehlerUnvollstaendig;
        return r;
    }
    bool ok = vollstaendig(basisDatenTabelle(), d);
    const Einstellungen& e = einstellungen();
    if (d.typ == typKanal) {
        const int kleinste = e.kanalMasse().first();
        ok = ok && !d.p[2].isEmpty() && d.i[5] > 0;
        if (!d.planung) ok = ok && !d.p[0].isEmpty() && d.i[0] >= kleinste && d.i[1] >= kleinste;
    } else if (d.typ == typRohr) {
        ok = ok && !d.p[2].isEmpty() && d.i[5] > 9;
        if (!d.planung) {
            ok = ok && d.i[0] >= e.rohrMasse().first();
            if (ok && !zahlGegeben(d.p[0], true)) {
                r.meldung = fehlt(QStringLiteral("Geschwindigkeit"));
                return r;
            }
        }
    } else if (istKomponente(d.typ)) {
        const QString zweite = zweiteOptionsliste(d.typ, d.tag1);
        if (ok && d.tag1 >= 0 && !zweite.isEmpty() && d.tag2 < 0) ok = false;
        if (ok) {
            const QString fehlend = vorgabeFehlt(d, *k);
            if (!fehlend.isEmpty()) {
                r.meldung = fehlend;
                return r;
            }
        }
    }
    r.vollstaendig = ok;
    if (ok) r.meldung.clear();
    return r;
}

EinfuegenStand bauteilEinfuegenPruefen(const DVdata& puffer, const PufferStand& stand,
                                       const tmylistitem* fokus) {
    EinfuegenStand r;
    const auto nein = [&r](const QString& text) {
        r.meldung = text;
        return r;
    };
    if (!einfuegbarerTyp(puffer.typ)) return nein(editText::nurAutomatisch);
    if (!stand.vollstaendig)
        return nein(stand.meldung.isEmpty() ? editText::fehlendeInformationen : stand.meldung);
    const DVdata* f = nodeDaten(fokus);
    if (!f) return nein(editText::keineDaten);
    if (fokus->Level() == 0 || istStrangTyp(f->typ) || f->typ == typAbzweig)
        return nein(editText::nichtDenStrang);

    if (fokus->Level() == 1) {
        // Before the fan the flow comes from the grille: an unfinished piece there leaves
        // every component after it without flow.
        for (const tmylistitem* n = fokus->parent()->getChild(); n; n = n->getNextSibling()) {
            const int t = typVon(n);
            if (t == 13 || t == 14) break;
            const DVdata* d = nodeDaten(n);
            if (d && d->fehler == fehlerUnvollstaendig)
                return nein(editText::erstVervollstaendigen);
        }
    }

    const bool unter = einstellungen().bauteilUnter();
    const int ft = f->typ;
    if (unter) {
        if (ft == 4 || (istAuslass(ft) && fokus->getPrevSibling()))
            return nein(editText::nichtDadrunter);
    } else if (ft == 9 || ft == 11 || ft == 4) {
        // Above a room the new piece would stand between the outlet and its room.
        return nein(editText::nichtDarueber);
    }

    if (endenVon(basisDatenTabelle(), puffer.typ) >= 3 &&
        vorVentilator(basisDatenTabelle(), fokus) &&
        !((ft == typVentilator || ft == typAltVentilator) && unter))
        return nein(editText::nichtVorVentilator);

    const QString linie = strangtypMeldung(puffer.typ, fokus);
    if (!linie.isEmpty()) {
        r.typLoeschen = true;
        return nein(linie);
    }
    r.erlaubt = true;
    return r;
}

// --- the page check -----------------------------------------------------------------------------

SeitenZustand seitenPruefung(EditSession& s) {
    SeitenZustand z;
    DVdata& b = s.editDaten();
    tmylistitem* fokus = s.fokussiert();
    tmylistitem* sel = s.selektiert();
    const DVdata* f = nodeDaten(fokus);
    const tBasisDaten_* fk = nodeKatalog(basisDatenTabelle(), fokus);
    z.nurStrangSeiten = s.baum().count() == 0;
    z.loeschen = f && (!fk || fk->delpossible);

    if (istStrangTyp(b.typ)) {
        b.p[1] = dichteText(b.p[1]);
        b.p[2] = b.p[2].trimmed();
        const PufferStand p = pufferPruefen(b);
        z.vollstaendig = p.vollstaendig;
        z.einfuegen = p.vollstaendig && !strangVorhanden(s.baum(), strangSchluessel(b));
        z.uebernehmen = p.vollstaendig && f && f->typ == b.typ;
        z.meldung = p.meldung;
        return z;
    }
    if (z.nurStrangSeiten || b.typ < typZuluft) return z;

    streckenSeite(b, sel);
    const PufferStand p = pufferPruefen(b);
    z.vollstaendig = p.vollstaendig;
    z.berechnen = p.vollstaendig && !b.planung;
    if (!p.vollstaendig) {
        z.ergebnis = p.meldung;
    } else if (sel) {
        TDruck druck;
        druck.drucken = false;
        if (istStrecke(b.typ)) {
            z.ergebnis = berechne1Strecke(basisDatenTabelle(), sel, b, druck, false).ergebnisLabel;
        } else if (istKomponente(b.typ)) {
            z.anzeige =
                berechne1Bauteil(programmKontext(), b, sel, druck, false, strangDichte(sel));
            z.ergebnis = z.anzeige.ergebnisLabel;
        }
    }
    z.uebernehmen =
        f && (fokus->caption() == QStringLiteral("leer") || typWechselErlaubt(f->typ, b.typ));
    const EinfuegenStand e = bauteilEinfuegenPruefen(b, p, fokus);
    z.einfuegen = e.erlaubt;
    // An incomplete buffer already shows in the result caption, and a type that only arises
    // automatically (a room chosen to be edited) is no mistake.
    if (p.vollstaendig && einfuegbarerTyp(b.typ)) z.meldung = e.meldung;
    return z;
}

} // namespace zephan
