#include "editing/edit_script.h"

#include "editing/edit_session.h"
#include "editing/machine_number.h"
#include "editing/page_check.h"
#include "network/catalogue.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
#include "quantities/ueberschreiben.h"
#include "store/number_format.h"

#include <QRegularExpression>

namespace zephan {

// --- the seam -----------------------------------------------------------------------------------

void SkriptSeam::zeile(const QString& text) {
    if (stumm && aussen) {
        aussen->meldung(text, Kind::Information);
    } else if (stumm) {
        if (fehlerAusgabe) fehlerAusgabe(text);
    } else if (ausgabe) {
        ausgabe(text);
    }
}

int SkriptSeam::frage(const QString& text, const QString& buttons, Kind kind) {
    if (stumm) {
        // Around the script the caller decides; without one nobody answers, as when the
        // dialog is closed.
        if (aussen) return aussen->frage(text, buttons, kind);
        zeile(QStringLiteral("Frage ohne Antwort: ") + text + QStringLiteral(" [") + buttons +
              QLatin1Char(']'));
        return -1;
    }
    const int antwort = antworten.isEmpty() ? 0 : antworten.takeFirst();
    zeile(QStringLiteral("Frage: ") + text + QStringLiteral(" [") + buttons +
          QStringLiteral("] -> ") + QString::number(antwort));
    return antwort;
}

void SkriptSeam::meldung(const QString& text, Kind kind) {
    if (stumm && aussen) return aussen->meldung(text, kind);
    zeile(QStringLiteral("Meldung: ") + text);
}

void SkriptSeam::status(int panel, const QString& text) {
    // Only the message panel; position, caption and flow follow every click.
    if (panel == 3 && !text.isEmpty() && !stumm) zeile(QStringLiteral("Status: ") + text);
}

// --- the steps ----------------------------------------------------------------------------------

namespace {

struct Lauf {
    EditSession& s;
    SkriptSeam& seam;
    QString fehler;

    bool nein(const QString& text) {
        fehler = text;
        return false;
    }

    bool zahl(const QString& text, double& wert) {
        if (text.trimmed() == QStringLiteral("-")) {
            wert = -1; // the empty field, said explicitly
            return true;
        }
        QString grund;
        return maschinenZahl(text, wert, &grund) || nein(grund);
    }

    bool ganz(const QString& text, int& wert) {
        bool ok = false;
        wert = text.trimmed().toInt(&ok);
        return ok || nein(zitat(text.trimmed()) + QStringLiteral(" ist keine ganze Zahl."));
    }

    bool knoten(const QString& pos, tmylistitem*& n) {
        n = knotenAnPosition(s.baum(), pos);
        return n || nein(QStringLiteral("Position ") + gekuerzt(pos.trimmed()) +
                         QStringLiteral(" gibt es nicht."));
    }

    bool setzen(const QString& rest) {
        const int leer = rest.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString feld = (leer < 0 ? rest : rest.left(leer)).toLower();
        const QString wert = leer < 0 ? QString() : rest.mid(leer + 1).trimmed();
        DVdata& d = s.editDaten();
        static const QRegularExpression iFeld(QStringLiteral("^i([0-6])$"));
        static const QRegularExpression pFeld(QStringLiteral("^p([0-2])$"));
        if (const auto m = iFeld.match(feld); m.hasMatch()) {
            double v = 0;
            if (!zahl(wert, v)) return false;
            d.i[static_cast<size_t>(m.captured(1).toInt())] = v;
        } else if (const auto m2 = pFeld.match(feld); m2.hasMatch()) {
            d.p[static_cast<size_t>(m2.captured(1).toInt())] = wert;
        } else if (feld == QStringLiteral("tag1") || feld == QStringLiteral("tag2") ||
                   feld == QStringLiteral("vorgabe")) {
            int v = 0;
            if (!ganz(wert, v)) return false;
            (feld == QStringLiteral("tag1")   ? d.tag1
             : feld == QStringLiteral("tag2") ? d.tag2
                                              : d.vorgabe) = v;
        } else if (feld == QStringLiteral("planung") || feld == QStringLiteral("eckig")) {
            int v = 0;
            if (!ganz(wert, v)) return false;
            (feld == QStringLiteral("planung") ? d.planung : d.eckig) = v != 0;
        } else if (feld == QStringLiteral("text")) {
            QString t = wert;
            // The remark field keeps one line; a line head's description may hold breaks.
            if (!istStrangTyp(d.typ)) t.replace(QLatin1Char('|'), QLatin1Char('-'));
            d.Text = t;
        } else if (feld == QStringLiteral("gruppe")) {
            d.Gruppe = wert;
        } else if (feld == QStringLiteral("dichte")) {
            double rho = 0;
            if (!zahl(wert, rho)) return false;
            if (!(rho >= dichteMinimum && rho <= dichteMaximum))
                return nein(QStringLiteral("Die Dichte muss zwischen 0,5 und 2 kg/m³ liegen."));
            d.p[1] = formatZahlOhneGruppen(rho, 3);
        } else if (feld == QStringLiteral("kennung")) {
            d.p[2] = wert;
        } else {
            return nein(QStringLiteral("unbekanntes Feld ") + zitat(feld) + QLatin1Char('.'));
        }
        return true;
    }

    // One of the words of a choice; its position in `woerter`.
    bool wahl(const QString& feld, const QString& wert, const QStringList& woerter, int& index) {
        index = static_cast<int>(woerter.indexOf(wert.toLower()));
        return index >= 0 ||
               nein(feld + QStringLiteral(" muss ") + woerter.join(QStringLiteral(" oder ")) +
                    QStringLiteral(" sein."));
    }

    bool ueberschreibFeld(UeberschreibOptionen& o, const QString& feld, const QString& wert) {
        static const QRegularExpression iFeld(QStringLiteral("^i([0-6])$"));
        const tBasisDaten_* k = basisDaten(o.typ);
        int w = 0;
        if (const auto m = iFeld.match(feld); m.hasMatch()) {
            const auto z = static_cast<size_t>(m.captured(1).toInt());
            if (!k || (k->dat[z].textrund.isEmpty() && k->dat[z].texteckig.isEmpty()))
                return nein(QStringLiteral("Der Typ hat keinen Wert ") + feld + QLatin1Char('.'));
            o.setzen[z] = true;
            if (k->dat[z].text) {
                o.werte[z] = wert;
            } else {
                double x = 0;
                if (!zahl(wert, x)) return false;
                // The window reads the whole number before the comma, so the decimals go along.
                o.werte[z] = x == -1 ? QString() : formatZahlOhneGruppen(x, -6);
            }
        } else if (feld == QStringLiteral("ersetzen")) {
            o.ersetzen = wert;
        } else if (feld == QStringLiteral("vorgabe")) {
            if (!wahl(feld, wert,
                      {QStringLiteral("keine"), QStringLiteral("druck"), QStringLiteral("zeta")},
                      w))
                return false;
            o.vorgabe = w;
        } else if (feld == QStringLiteral("dp") || feld == QStringLiteral("v") ||
                   feld == QStringLiteral("zeta")) {
            double x = 0;
            if (!zahl(wert, x)) return false;
            if (feld == QStringLiteral("dp")) o.druck = formatZahlOhneGruppen(x, 0);
            if (feld == QStringLiteral("v")) o.geschw = formatZahlOhneGruppen(x, 1);
            if (feld == QStringLiteral("zeta")) o.zeta = formatZahlOhneGruppen(x, 2);
        } else if (feld == QStringLiteral("planung")) {
            if (!wahl(feld, wert, {QStringLiteral("ja"), QStringLiteral("nein")}, w)) return false;
            o.planungErgebnis = w + 1;
        } else if (feld == QStringLiteral("form")) {
            if (!wahl(feld, wert, {QStringLiteral("eckig"), QStringLiteral("rund")}, w))
                return false;
            o.formErgebnis = w + 1;
        } else if (feld == QStringLiteral("wenn-planung")) {
            if (!wahl(feld, wert, {QStringLiteral("ja"), QStringLiteral("nein")}, w)) return false;
            o.planungFilter = w + 1;
        } else if (feld == QStringLiteral("wenn-form")) {
            if (!wahl(feld, wert, {QStringLiteral("eckig"), QStringLiteral("rund")}, w))
                return false;
            o.formFilter = w + 1;
        } else if (feld == QStringLiteral("wenn-vorgabe")) {
            if (!wahl(feld, wert, {QStringLiteral("nein"), QStringLiteral("ja")}, w)) return false;
            o.vorgabeFilter = w + 1;
        } else if (feld == QStringLiteral("ort")) {
            o.ort = {false, false, false};
            for (const QString& teil : wert.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (!wahl(feld, teil,
                          {QStringLiteral("hauptstrang"), QStringLiteral("verzweigung"),
                           QStringLiteral("abzweig")},
                          w))
                    return false;
                o.ort[static_cast<size_t>(w)] = true;
            }
        } else {
            return nein(QStringLiteral("unbekanntes Feld ") + zitat(feld) + QLatin1Char('.'));
        }
        return true;
    }

    bool ueberschreiben(const QString& rest) {
        const QStringList t =
            rest.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (t.isEmpty()) return nein(QStringLiteral("overwrite braucht einen Typ."));
        UeberschreibOptionen o;
        o.nachfragen = true;
        bool zahlOk = false;
        o.typ = t[0].toInt(&zahlOk);
        if (!zahlOk) o.typ = typAusListe(t[0]);
        if (o.typ < 0 || o.typ > typHoechster || !basisDaten(o.typ))
            return nein(QStringLiteral("unbekannter Typ ") + zitat(t[0]) + QLatin1Char('.'));
        tmylistitem* start = nullptr;
        for (qsizetype k = 1; k < t.size(); ++k) {
            if (t[k] == QStringLiteral("--line") || t[k] == QStringLiteral("--ask")) {
                if (k + 1 >= t.size()) return nein(t[k] + QStringLiteral(" braucht einen Wert."));
                const QString wert = t[++k];
                if (t[k - 1] == QStringLiteral("--ask")) {
                    if (wert != QStringLiteral("no") && wert != QStringLiteral("yes"))
                        return nein(QStringLiteral("--ask muss no oder yes sein."));
                    o.nachfragen = wert == QStringLiteral("yes");
                } else if (!knoten(wert, start)) {
                    return false;
                }
                continue;
            }
            const qsizetype gleich = t[k].indexOf(QLatin1Char('='));
            if (gleich <= 0) return nein(zitat(t[k]) + QStringLiteral(" ist kein FELD=WERT."));
            if (!ueberschreibFeld(o, t[k].left(gleich).toLower(), t[k].mid(gleich + 1)))
                return false;
        }
        if (start) s.auswaehlen(start);
        if (!s.selektiert()) return nein(QStringLiteral("Kein Bauteil ausgewählt."));
        s.ueberschreiben(o);
        return true;
    }

    bool schritt(const QString& befehl, const QString& rest) {
        tmylistitem* n = nullptr;
        if (befehl == QStringLiteral("select")) {
            if (!knoten(rest, n)) return false;
            s.auswaehlen(n);
        } else if (befehl == QStringLiteral("focus")) {
            if (!knoten(rest, n)) return false;
            s.fokussieren(n);
        } else if (befehl == QStringLiteral("type")) {
            bool zahlOk = false;
            int typ = rest.toInt(&zahlOk);
            if (!zahlOk) typ = typAusListe(rest);
            if (typ < 0 || typ > typHoechster)
                return nein(QStringLiteral("unbekannter Typ ") + zitat(rest) + QLatin1Char('.'));
            if (!s.typWaehlen(typ))
                return nein(QStringLiteral("Typ ") + gekuerzt(rest) +
                            QStringLiteral(" nicht gewählt."));
        } else if (befehl == QStringLiteral("set")) {
            if (!setzen(rest)) return false;
        } else if (befehl == QStringLiteral("insert")) {
            if (!s.einfuegen()) return nein(QStringLiteral("Einfügen nicht möglich."));
        } else if (befehl == QStringLiteral("apply")) {
            if (!s.uebernehmen()) return nein(QStringLiteral("Übernehmen nicht möglich."));
        } else if (befehl == QStringLiteral("delete")) {
            if (!s.knotenLoeschen()) return nein(QStringLiteral("Löschen nicht möglich."));
        } else if (befehl == QStringLiteral("newline")) {
            const QStringList t =
                rest.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            int typ = -1;
            if (!t.isEmpty() && (t[0] == QStringLiteral("Zuluft") || t[0] == QStringLiteral("0")))
                typ = typZuluft;
            if (!t.isEmpty() && (t[0] == QStringLiteral("Abluft") || t[0] == QStringLiteral("1")))
                typ = typAbluft;
            if (typ < 0 || t.size() < 2)
                return nein(QStringLiteral("newline braucht Zuluft oder Abluft und eine Kennung."));
            s.strangSeite(typ, t.mid(1).join(QLatin1Char(' ')));
            if (!s.strangEinfuegen()) return nein(QStringLiteral("Einfügen nicht möglich."));
        } else if (befehl == QStringLiteral("answer")) {
            int a = 0;
            if (!ganz(rest, a)) return false;
            seam.antworten.append(a);
        } else if (befehl == QStringLiteral("undo")) {
            if (!s.rueckgaengig()) return nein(QStringLiteral("Nichts rückgängig zu machen."));
        } else if (befehl == QStringLiteral("redo")) {
            if (!s.wiederholen()) return nein(QStringLiteral("Nichts zu wiederholen."));
        } else if (befehl == QStringLiteral("new")) {
            s.neu();
        } else if (befehl == QStringLiteral("plan")) {
            if (!s.planen()) return nein(QStringLiteral("Planung nicht abgeschlossen."));
        } else if (befehl == QStringLiteral("allplan")) {
            if (!s.allesPlanen()) return nein(QStringLiteral("Nichts auf planen gesetzt."));
        } else if (befehl == QStringLiteral("overwrite")) {
            if (!ueberschreiben(rest)) return false;
        } else {
            return nein(QStringLiteral("unbekannter Schritt ") + zitat(befehl) + QLatin1Char('.'));
        }
        // The window checks its page after every change.
        seitenPruefung(s);
        return true;
    }
};

} // namespace

SkriptErgebnis skriptAusfuehren(EditSession& session, SkriptSeam& seam, const QStringList& zeilen) {
    SkriptErgebnis r;
    Lauf lauf{session, seam, {}};
    for (int k = 0; k < zeilen.size(); ++k) {
        const QString z = zeilen[k].trimmed();
        if (z.isEmpty() || z.startsWith(QLatin1Char('#'))) continue;
        const int leer = z.indexOf(QRegularExpression(QStringLiteral("\\s")));
        const QString befehl = leer < 0 ? z : z.left(leer);
        const QString rest = leer < 0 ? QString() : z.mid(leer + 1).trimmed();
        if (!lauf.schritt(befehl, rest)) {
            r.ok = false;
            r.zeile = k + 1;
            r.fehler = QStringLiteral("Zeile ") + QString::number(k + 1) + QStringLiteral(": ") +
                       lauf.fehler;
            return r;
        }
    }
    return r;
}

} // namespace zephan
