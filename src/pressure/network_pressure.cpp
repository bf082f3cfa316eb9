#include "pressure/network_pressure.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/project_data.h"
#include "pressure/air_density.h"
#include "pressure/calc_context.h"
#include "pressure/component_pressure.h"
#include "pressure/duct_hydraulics.h"
#include "pressure/neighbour_check.h"
#include "pressure/network_row.h"
#include "pressure/project_head.h"
#include "report/report_document.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <QStringBuilder>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace zephan {

namespace {

// One row of a path: a component's passage or a text line of the report.
struct Zeile {
    int vorher = -1;                     // the row before it on its path
    const tmylistitem* knoten = nullptr; // null: a text row
    bool abzweig = false;
    QString v, zeta; // velocity and zeta texts of the passage; a text row's text in v
    double dp = 0;
    double dpExt = 0;
};

// Node positions ("1.5.2"), each made from its parent's: in a deep tree every row would
// otherwise walk up to the top and write every number again.
class Positionen {
public:
    const QString& von(const tmylistitem* n) {
        std::vector<const tmylistitem*> offen;
        const QString* oben = nullptr;
        for (const tmylistitem* k = n; k; k = k->parent()) {
            const auto it = cache_.find(k);
            if (it != cache_.end()) {
                oben = &it->second;
                break;
            }
            offen.push_back(k);
        }
        for (auto it = offen.rbegin(); it != offen.rend(); ++it) {
            const QString nummer = QString::number((*it)->IndexInLevel() + 1);
            QString p = oben ? *oben % QLatin1Char('.') % nummer : nummer;
            oben = &cache_.emplace(*it, std::move(p)).first->second;
        }
        return *oben;
    }

private:
    std::unordered_map<const tmylistitem*, QString> cache_;
};

// The path rows. Rows are never moved or copied: a path is the index of its last row and
// every row names the one before it, so pushing, cutting back and keeping a path (the worst
// one, a balancing block) cost the same however long the path is.
class Pfadzeilen {
public:
    int oben = -1; // last row of the current path; -1 empty

    int push(Zeile z) {
        z.vorher = oben;
        zeilen_.push_back(std::move(z));
        oben = static_cast<int>(zeilen_.size()) - 1;
        return oben;
    }
    int text(const QString& s) {
        Zeile z;
        z.v = s;
        return push(std::move(z));
    }
    void pop() {
        if (oben >= 0) oben = zeilen_[static_cast<size_t>(oben)].vorher;
    }
    void leeren() {
        zeilen_.clear();
        texte_.clear();
        oben = -1;
    }
    const Zeile& operator[](int k) const { return zeilen_[static_cast<size_t>(k)]; }

    // The rows of the path ending at `letzte`, first row first.
    std::vector<int> folge(int letzte) const {
        std::vector<int> f;
        for (int k = letzte; k >= 0; k = zeilen_[static_cast<size_t>(k)].vorher) f.push_back(k);
        return {f.rbegin(), f.rend()};
    }

    // The report text of a row, made once however many blocks show it.
    const QString& bericht(int k, const Volumenstroeme& stroeme) {
        if (texte_.size() < zeilen_.size()) texte_.resize(zeilen_.size());
        std::optional<QString>& t = texte_[static_cast<size_t>(k)];
        if (!t) {
            const Zeile& z = zeilen_[static_cast<size_t>(k)];
            if (!z.knoten) {
                t = z.v;
            } else {
                const DVdata& d = *nodeDaten(z.knoten);
                StrangzeilenDaten sd;
                sd.knoten = z.knoten;
                sd.rec = &d;
                sd.v = &z.v;
                sd.zeta = &z.zeta;
                sd.position = &positionen.von(z.knoten);
                sd.kat = basisDaten(d.typ);
                sd.volumenstrom = stroeme[z.knoten];
                sd.dp = z.dp;
                sd.dpExt = z.dpExt;
                sd.abzweig = z.abzweig;
                t = strangzeile(sd);
            }
        }
        return *t;
    }

    Positionen positionen; // kept across passes

private:
    std::vector<Zeile> zeilen_;
    std::vector<std::optional<QString>> texte_;
};

QString endName(const DVdata& d) {
    if (!d.p[2].isEmpty()) return d.p[2];
    const tBasisDaten_* t = basisDaten(d.typ);
    return t ? t->titel : QString();
}

// The walk of one line in one pass. Iterative, so a deep tree cannot exhaust the stack.
class Lauf {
public:
    Lauf(ProjektBaum& baum, const Rechenkontext& k, UserSeam* seam, int& schritt, int gesamt)
        : baum_(baum), k_(k), seam_(seam), schritt_(schritt), gesamt_(gesamt) {}

    NetzStatus status = NetzStatus::Fertig;
    QString meldung;
    tmylistitem* stoppKnoten = nullptr;

    Pfadzeilen pfade;
    std::vector<int> bloecke; // pass 2: last row of each balancing block
    int schlechtester = -1;   // pass 1: last row of the worst path

    // Walks the line from its first component; false on a stop or cancel.
    bool gehen(int durchgang, StrangErgebnis& e) {
        durchgang_ = durchgang;
        e_ = &e;
        pfade.leeren();
        bloecke.clear();
        schlechtester = -1;
        abgleichKopf_ = false;
        return kette(e.kopf->getChild());
    }

private:
    struct Rahmen {
        tmylistitem* knoten;
        double dpExt;
        int eintritt;         // path row on entry to the chain
        int zweig = 0;        // branches of the current node dealt with
        int enden = 0;        // connections of the current node
        bool zurueck = false; // a branch walk of the current node just returned
        bool unvollstaendig;  // a branch passage on the way had no result
    };

    bool kette(tmylistitem* erster) {
        if (!erster) return true;
        std::vector<Rahmen> st;
        st.push_back({erster, 0, pfade.oben, 0, 0, false, false});
        while (!st.empty()) {
            const size_t i = st.size() - 1;
            tmylistitem* n = st[i].knoten;
            if (st[i].zweig == 0 && !st[i].zurueck) {
                if (!beginnen(n, st[i].enden)) return false;
            }
            if (st[i].zurueck) {
                st[i].zurueck = false;
                pfade.pop();    // the branch passage's row
                if (e_->ziel) { // the target's branch was walked: this chain ends here
                    pfade.oben = st[i].eintritt;
                    st.pop_back();
                    if (!st.empty()) st.back().zurueck = true;
                    continue;
                }
            }
            if (std::optional<Rahmen> kind = abzweig(st[i])) {
                st[i].zurueck = true;
                st.push_back(*kind);
                continue;
            }
            if (!durchgang(st[i])) return false;
            tmylistitem* naechster = n->getNextSibling();
            if (naechster) {
                st[i].knoten = naechster;
                st[i].zweig = 0;
                continue;
            }
            kettenende(n, st[i].dpExt, st[i].unvollstaendig);
            pfade.oben = st[i].eintritt;
            st.pop_back();
            if (!st.empty()) st.back().zurueck = true;
        }
        return true;
    }

    // Progress, the neighbour check, the stop conditions; false on a stop or cancel.
    bool beginnen(tmylistitem* n, int& enden) {
        if (!k_.weiter(++schritt_, gesamt_)) {
            status = NetzStatus::Abgebrochen;
            return false;
        }
        nachbarpruefung(n, k_);
        arbeit_ = *nodeDaten(n);
        const tBasisDaten_* kat = k_.typ(arbeit_.typ);
        enden = kat ? kat->enden : 0;
        if (enden >= 3) {
            e_->hatAbzweige = true;
            if (durchgang_ == 2 && !abgleichKopf_) {
                abgleichKopf_ = true;
                pfade.oben = -1;
                pfade.text(QStringLiteral("°XB"));
                pfade.text(QStringLiteral("°ÜErforderliche Korrektur für Abgleich"));
                pfade.text(QStringLiteral("°T") + strangtabelle::format);
                pfade.text(strangtabelle::kopfAbgleich);
                pfade.text(strangtabelle::einheiten);
            }
        }
        if (arbeit_.planung) return stopp(n, netztext::planung);
        if (arbeit_.typ != typRaum) {
            if (arbeit_.fehler == fehlerUnvollstaendig) return stopp(n, netztext::unvollstaendig);
            if (arbeit_.fehler == fehlerVolumenstrom) return stopp(n, netztext::allgemein);
        }
        return true;
    }

    // The next branch of the current node to walk, after its passage row is pushed.
    std::optional<Rahmen> abzweig(Rahmen& f) {
        const int zweige = f.enden == 3 ? 1 : f.enden == 4 ? 2 : 0;
        tmylistitem* n = f.knoten;
        while (f.zweig < zweige) {
            const int k = ++f.zweig;
            // A cross holds its branch chains in two containers; a branch piece directly.
            tmylistitem* behaelter = f.enden == 3 ? n : n->child(k - 1);
            if (e_->ziel && !(behaelter && behaelter->isAncestorOf(e_->ziel))) continue;
            tmylistitem* erster = behaelter ? behaelter->getChild() : nullptr;
            double dpA = bauteildruck(k == 1 ? modusAbzweig1 : modusAbzweig2, n, arbeit_, 0, k_);
            if (!std::isfinite(dpA)) dpA = keinErgebnis;
            const bool fehlt = dpA < -999;
            Zeile z;
            z.knoten = n;
            z.abzweig = true;
            z.v = arbeit_.p[0];
            z.zeta = arbeit_.p[1];
            z.dp = dpA;
            z.dpExt = f.dpExt + dpA;
            pfade.push(std::move(z));
            const double weiter = f.dpExt + (fehlt ? 0 : dpA);
            if (!erster) {
                pfade.pop();
                if (e_->ziel) return std::nullopt;
                continue;
            }
            return Rahmen{erster, weiter, pfade.oben, 0, 0, false, f.unvollstaendig || fehlt};
        }
        return std::nullopt;
    }

    // The main passage; false on a calculation error.
    bool durchgang(Rahmen& f) {
        tmylistitem* n = f.knoten;
        double dp = bauteildruck(modusDurchgang, n, arbeit_, 0, k_);
        if (!std::isfinite(dp)) dp = keinErgebnis;
        if (arbeit_.typ == typVentilator && dp > -999) {
            // The fan's own loss is no part of the path: it is printed in the fan summary.
            e_->mitVentilator = true;
            e_->ventilatorVerlust = arbeit_.i[6] != 0 ? dp : 0;
            e_->ventilatorStrom = (*k_.stroeme)[n];
            dp = 0;
        }
        Zeile z;
        z.knoten = n;
        z.v = arbeit_.p[0];
        z.zeta = arbeit_.p[1];
        z.dp = dp;
        z.dpExt = f.dpExt + dp;
        pfade.push(std::move(z));
        if (dp < -999) {
            const DVdata& d = *nodeDaten(n);
            const QString& text = d.planung                          ? netztext::planung
                                  : d.fehler == fehlerUnvollstaendig ? netztext::unvollstaendig
                                                                     : netztext::bauteilFehler;
            halt(n, text);
            return false;
        }
        f.dpExt += dp;
        return true;
    }

    void kettenende(const tmylistitem* n, double dpExt, bool unvollstaendig) {
        const DVdata& d = *nodeDaten(n);
        if (durchgang_ == 1) {
            StrangEnde ende;
            ende.knoten = n;
            ende.position = pfade.positionen.von(n);
            ende.name = endName(d);
            ende.dpExt = dpExt;
            ende.unvollstaendig = unvollstaendig;
            e_->enden.push_back(std::move(ende));
            // Only a strictly larger loss replaces the worst end, so of equal ends the first
            // stays; the first end is kept even when its loss is not above 0.
            if (dpExt > e_->maximum || schlechtester < 0) {
                if (dpExt > e_->maximum) e_->maximum = dpExt;
                e_->unguenstigstes = static_cast<int>(e_->enden.size()) - 1;
                schlechtester = pfade.text(QString());
            }
        } else {
            if (e_->maximum - dpExt > 0) {
                const tBasisDaten_* kopfKat = basisDaten(typVon(e_->kopf));
                pfade.text(QString());
                pfade.text((kopfKat ? kopfKat->titel : QString()) + QStringLiteral(". ") +
                           endName(d) + QStringLiteral(", Summe °(delta p°(colsub ext°(col-sub :") +
                           formatZahl(dpExt, 0) + QStringLiteral(" [Pa]. Zuwenig: ") +
                           formatZahl(e_->maximum - dpExt, 0) + QStringLiteral(" [Pa]"));
                bloecke.push_back(pfade.text(QString()));
            }
        }
    }

    // A node that cannot be calculated: its row with no result, the message, the node
    // selected.
    bool stopp(tmylistitem* n, const QString& text) {
        Zeile z;
        z.knoten = n;
        z.dp = keinErgebnis;
        pfade.push(std::move(z));
        halt(n, text);
        return false;
    }

    void halt(tmylistitem* n, const QString& text) {
        status = NetzStatus::Stopp;
        meldung = text;
        stoppKnoten = n;
        baum_.setSelected(n);
        if (seam_) seam_->meldung(mitPosition(text, n), UserSeam::Kind::Fehler);
    }

    ProjektBaum& baum_;
    const Rechenkontext& k_;
    UserSeam* seam_;
    int& schritt_;
    int gesamt_;
    int durchgang_ = 1;
    StrangErgebnis* e_ = nullptr;
    bool abgleichKopf_ = false;
    DVdata arbeit_;
};

void zeilenAusgeben(TDruck& doc, Pfadzeilen& pfade, int letzte, const Volumenstroeme& stroeme) {
    for (int k : pfade.folge(letzte)) doc.addW(pfade.bericht(k, stroeme));
}

std::vector<PfadKnoten> pfadKnoten(const Pfadzeilen& pfade, int letzte,
                                   const Volumenstroeme& stroeme) {
    std::vector<PfadKnoten> p;
    for (int k : pfade.folge(letzte)) {
        const Zeile& z = pfade[k];
        if (!z.knoten) continue;
        p.push_back({z.knoten, z.abzweig, stroeme[z.knoten], z.v, z.zeta, z.dp, z.dpExt});
    }
    return p;
}

// The first fan of the line head's own chain.
tmylistitem* ersterVentilator(const tmylistitem* kopf) {
    for (tmylistitem* n = kopf->getChild(); n; n = n->getNextSibling())
        if (typVon(n) == typVentilator) return n;
    return nullptr;
}

void zusammenfassungSchreiben(TDruck& doc, const StrangErgebnis& e) {
    doc.headline(QStringLiteral("Zusammenfassung"));
    doc.tabelle(QStringLiteral("0,35,*,-20,-12"));
    doc.add(QStringLiteral("Position|Raum|°(delta p°(colsub ext°(col-sub|Differenz"));
    for (const StrangEnde& ende : e.enden) {
        const double diff = e.zuwenig(ende);
        QString name = ende.name;
        if (ende.unvollstaendig) name += QStringLiteral(" (unvollständig)");
        doc.add(ende.position + QLatin1Char('|') + name + QLatin1Char('|') +
                formatZahl(ende.dpExt, 0) + QLatin1Char('|') +
                (diff >= 0.5 ? formatZahl(diff, 0) : QStringLiteral("-")));
    }
}

void ventilatorSchreiben(TDruck& doc, const StrangErgebnis& e) {
    doc.leer();
    if (e.ventilatorVerlust != 0) {
        doc.tabelle(QStringLiteral("0,35,-10,30"));
        doc.design(QStringLiteral("l|r"));
        doc.add(QStringLiteral("interner Druckverlust Gerät|") +
                formatZahl(e.ventilatorVerlust, 0) + QStringLiteral(" Pa"));
        doc.design(QStringLiteral("+U|+U|+U"));
        doc.add(QStringLiteral("externer Druckverlust °(delta p°(colsub ext°(col-sub|") +
                formatZahl(e.maximum, 0) + QStringLiteral(" Pa"));
        doc.design(QStringLiteral("l|r|l"));
        doc.add(QStringLiteral("erf. Totaldruckerhöhung °(delta p°(colsub gesamt°(col-sub |") +
                formatZahl(e.gesamt(), 0) + QStringLiteral(" Pa| bei ") +
                formatZahl(e.ventilatorStrom, 0) + QStringLiteral(" m³/h"));
        doc.leer();
    } else {
        doc.add(QStringLiteral("externer Druckverlust: ") + formatZahl(e.maximum, 0) +
                QStringLiteral(" Pa"));
        doc.leer();
    }
    doc.Absatz();
}

void tabellenKopf(TDruck& doc) {
    doc.tabelle(strangtabelle::format);
    doc.add(strangtabelle::kopf);
    doc.add(strangtabelle::einheiten);
}

// The end of the selected node's chain when the calculation is restricted to its path; null
// for the whole line (a node on the main line before the fan, or a line head).
const tmylistitem* zielVon(const tmylistitem* auswahl) {
    if (!auswahl || vorVentilator(auswahl)) return nullptr;
    const tmylistitem* z = auswahl;
    while (const tmylistitem* n = z->getNextSibling()) z = n;
    return z;
}

} // namespace

NetzErgebnis netzberechnen(ProjektBaum& baum, const Rechenkontext& kontext, const NetzOptionen& o) {
    NetzErgebnis ergebnis;
    UserSeam* seam = o.seam ? o.seam : kontext.fortschritt;
    auto refuse = [&](NetzStatus s, const QString& text) {
        ergebnis.status = s;
        ergebnis.meldung = text;
        if (seam) seam->meldung(text, UserSeam::Kind::Warnung);
        return ergebnis;
    };
    if (!baum.topitem()) return refuse(NetzStatus::KeinStrang, netztext::keinStrang);
    tmylistitem* auswahl = o.auswahl ? o.auswahl : baum.Selected();
    if (!o.ganzerStrang && !auswahl)
        return refuse(NetzStatus::KeineAuswahl, netztext::keineAuswahl);
    const Rechenlauf lauf;
    if (!lauf.gestartet()) return refuse(NetzStatus::LaeuftSchon, netztext::laeuftSchon);

    // The lines in order, each with the chain end it is restricted to.
    std::vector<std::pair<tmylistitem*, const tmylistitem*>> straenge;
    int gesamt = 0;
    if (o.ganzerStrang && o.nurStrang) {
        tmylistitem* kopf = strangKopf(o.nurStrang);
        if (kopf && istStrangTyp(typVon(kopf))) {
            straenge.emplace_back(kopf, nullptr);
            gesamt = kopf->CountAlle() + 1;
        }
    } else if (o.ganzerStrang) {
        for (tmylistitem* k = baum.topitem(); k; k = k->getNextSibling())
            if (istStrangTyp(typVon(k))) straenge.emplace_back(k, nullptr);
        gesamt = baum.count();
    } else {
        tmylistitem* kopf = strangKopf(auswahl);
        if (kopf && istStrangTyp(typVon(kopf))) {
            straenge.emplace_back(kopf, zielVon(auswahl));
            gesamt = kopf->CountAlle() + 1;
        }
    }
    if (straenge.empty()) return refuse(NetzStatus::KeinStrang, netztext::keinStrang);
    gesamt *= 2; // two passes at most

    if (o.anfang) o.anfang();
    if (seam) seam->status(0, netztext::berechne);
    // The report is made aside and replaces the document only when every line is done, so a
    // cancel or a stop leaves no half report.
    TDruck bericht;
    TDruck still;
    still.drucken = false;
    int schritt = 0;
    for (const auto& [kopf, ziel] : straenge) {
        const Volumenstroeme stroeme(kopf);
        Rechenkontext k = kontext;
        k.rho = strangDichte(kopf);
        k.stroeme = &stroeme;
        k.druck = &still;

        StrangErgebnis e;
        e.kopf = kopf;
        e.rho = k.rho;
        e.ziel = ziel;
        const DVdata* kopfDaten = nodeDaten(kopf);
        bericht.headline(QStringLiteral("Druckverlustberechnung von ") + kopf->caption());
        if (kopfDaten && !kopfDaten->Text.isEmpty())
            bericht.add(QStringLiteral("Beschreibung: ") + kopfDaten->Text);

        Lauf l(baum, k, seam, schritt, gesamt);
        if (!l.gehen(1, e)) {
            ergebnis.status = l.status;
            ergebnis.meldung = l.meldung;
            ergebnis.knoten = l.stoppKnoten;
            if (o.ende) o.ende();
            return ergebnis;
        }
        if (e.unguenstigstes >= 0) e.pfad = pfadKnoten(l.pfade, l.schlechtester, stroeme);

        if (!ziel || !e.hatAbzweige) {
            if (e.hatAbzweige) zusammenfassungSchreiben(bericht, e);
            ventilatorSchreiben(bericht, e);
            if (!ziel)
                bericht.headline(kopf->caption() + QStringLiteral(" : Ungünstigster Strang"));
            tabellenKopf(bericht);
            zeilenAusgeben(bericht, l.pfade, l.schlechtester, stroeme);
            if (e.hatAbzweige) {
                if (!l.gehen(2, e)) {
                    ergebnis.status = l.status;
                    ergebnis.meldung = l.meldung;
                    ergebnis.knoten = l.stoppKnoten;
                    if (o.ende) o.ende();
                    return ergebnis;
                }
                if (!o.zusammenfassung) {
                    for (int b : l.bloecke) zeilenAusgeben(bericht, l.pfade, b, stroeme);
                    bericht.Absatz();
                }
            }
            // The fan is told the external pressure it has to deliver; the flow noise of the
            // fan reads it. Written after both passes, so no pass can overwrite it.
            if (tmylistitem* v = ersterVentilator(kopf))
                nodeDaten(v)->i[4] = static_cast<double>(kuerzen(e.maximum));
        } else {
            const DVdata* zd = nodeDaten(ziel);
            bericht.headline(QStringLiteral("bis Raum ") + (zd ? zd->p[2] : QString()));
            tabellenKopf(bericht);
            zeilenAusgeben(bericht, l.pfade, l.schlechtester, stroeme);
        }
        ergebnis.straenge.push_back(std::move(e));
    }

    if (kontext.druck) {
        TDruck& doc = *kontext.druck;
        doc.clear();
        if (o.projekt)
            druckkopf(doc, *o.projekt);
        else
            druckkopf(doc, ProjektDaten{});
        doc.m.append(bericht.m);
    }
    if (seam) seam->status(0, netztext::beendet);
    if (o.ende) o.ende();
    return ergebnis;
}

NetzErgebnis zusammenfassung(ProjektBaum& baum, const Rechenkontext& kontext, NetzOptionen o,
                             const std::function<void(TDruck&)>& schall) {
    o.zusammenfassung = true;
    NetzErgebnis e = netzberechnen(baum, kontext, o);
    if (e.ok() && schall && kontext.druck) {
        kontext.druck->NeueSeite();
        schall(*kontext.druck);
    }
    return e;
}

} // namespace zephan
