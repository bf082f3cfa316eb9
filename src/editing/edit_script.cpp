#include "editing/edit_script.h"

#include "editing/edit_session.h"
#include "editing/machine_number.h"
#include "editing/page_check.h"
#include "network/network_tree.h"
#include "pressure/air_density.h"
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
