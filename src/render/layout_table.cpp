#include "render/masse.h"
#include "render/report_layout.h"
#include "render/table_design.h"

#include <cmath>

namespace zephan {

namespace {
constexpr int innen = 10; // inner margin of a cell, 1 mm
const QChar umbruchZeichen(0x00FE);

// The lines a cell text takes at a width: "þ" breaks, words wrap at blanks, at least one word
// per line however narrow the cell.
QStringList umbrechen(TmyCanvas& c, const QString& text, int breite) {
    // Most cells hold one short line, or one word that stays whole however narrow the cell.
    if (!text.contains(umbruchZeichen) &&
        (!text.contains(QLatin1Char(' ')) || c.passtSicher(text, breite)))
        return {text};
    QStringList zeilen;
    const QStringList absaetze = text.split(umbruchZeichen);
    for (const QString& a : absaetze) {
        if (a.isEmpty() || c.passtSicher(a, breite) || c.mytextwidth(a) <= breite) {
            zeilen.append(a);
            continue;
        }
        const QStringList woerter = a.split(QLatin1Char(' '));
        QString zeile;
        for (const QString& w : woerter) {
            if (zeile.isEmpty()) {
                zeile = w;
                continue;
            }
            const QString probe = zeile + QLatin1Char(' ') + w;
            if (c.passtSicher(probe, breite) || c.mytextwidth(probe) <= breite) {
                zeile = probe;
            } else {
                zeilen.append(zeile);
                zeile = w;
            }
        }
        zeilen.append(zeile);
    }
    return zeilen;
}
} // namespace

int TDruckLayout::tabelleOeffnen(int i) {
    if (z_.tab.offen) tabelleSchliessen();
    if (!zeichnen_ && keepZeile_ < 0 && z_.y > z_.druckh * 2 / 3) keepSetzen(i);
    const TTabellenDefinition def = tabellenDefinitionLesen(QStringView(m_[i]).mid(2));
    if (def.zuVieleSpalten)
        melden(QStringLiteral("Tabelle mit mehr als 101 Spalten: die übrigen Spalten fehlen"));
    TTabZustand t;
    t.offen = true;
    t.koepfe = def.koepfe;
    t.stil = def.stil;
    t.spalten = static_cast<int>(def.breiten.size());
    t.breiteFeld = def.breiten;
    t.zf.resize(t.spalten);
    QStringList kopf(t.spalten);
    for (int k = 0; k < t.spalten; ++k) {
        t.zf[k] = rumpfDesignFuerStil(def.stil, k, def.koepfe > 0);
        kopf[k] = kopfDesignFuerStil(def.stil);
        const QString f = def.breiten[k].trimmed();
        if (f.startsWith(QLatin1Char('-'))) {
            t.zf[k] += QLatin1Char('r');
            kopf[k] += QLatin1Char('r');
        }
        if (f.isEmpty() || f == QLatin1String("B")) {
            kopf[k] += QLatin1Char('B');
            t.breitenOffen = true;
        }
    }
    for (int k = 0; k < t.koepfe; ++k) {
        t.kdesign.append(kopf);
        t.kinhalt.append(QStringList(t.spalten));
    }
    t.kopfStatus = 1;
    z_.tab = t;
    spaltenBreiten();
    return i + 1;
}

void TDruckLayout::spaltenBreiten() {
    TTabZustand& t = z_.tab;
    const int textbreite = textBreite();
    t.breite = QList<int>(t.spalten, 0);
    QList<int> sterne;
    int summe = 0;
    for (int k = 0; k < t.spalten; ++k) {
        const QString f = t.breiteFeld[k].trimmed();
        if (f == QLatin1String("*") || f == QLatin1String("-*")) {
            sterne.append(k);
            continue;
        }
        if (f.isEmpty() || f == QLatin1String("B")) {
            int w = 1;
            if (t.kopfGelesen > 0 && k < t.kinhalt[0].size()) {
                const TSchrift alt = canvas_.font;
                canvas_.font.fett = designLesen(t.kdesign[0][k]).fett;
                w = std::clamp(massSumme(canvas_.mytextwidth(t.kinhalt[0][k]), 2 * innen + 2), 1,
                               std::max(1, z_.druckb));
                canvas_.font = alt;
            }
            t.breite[k] = w;
            summe += w;
            continue;
        }
        QString zahlText = f;
        zahlText.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        double p = zahlText.toDouble(&ok);
        if (!ok || !std::isfinite(p)) p = -1;
        // No column is wider than the paper, however many percent it asks for.
        const int w = std::min(mass(std::fabs(p) * textbreite / 100), z_.druckb);
        t.breite[k] = w;
        summe += w;
    }
    if (!sterne.isEmpty()) {
        const int rest = textbreite - summe;
        if (rest < 0 && !zeichnen_) melden(QStringLiteral("Tabellenbreite * negativ!"));
        for (int k : sterne) t.breite[k] = rest;
    }
}

int TDruckLayout::tabellenZeile(int i) {
    TTabZustand& t = z_.tab;
    const QStringList zellen = m_[i].split(QLatin1Char('|'));
    if (t.kopfGelesen < t.koepfe) {
        t.kinhalt[t.kopfGelesen] = zellen;
        ++t.kopfGelesen;
        if (t.kopfGelesen == 1 && t.breitenOffen) spaltenBreiten();
        return i + 1;
    }
    // Height of what goes onto the page now: pending head rows and the row itself. The
    // wrapped cell lines are kept for drawing, so a row is not wrapped twice.
    const int f = tabLinie();
    QList<QStringList> umbrochen;
    const int zeilen = zeilenAnzahl(zellen, t.zf, &umbrochen);
    const long long rowH = static_cast<long long>(zeilen) * f;
    long long kopfH = 0;
    QList<int> kopfZeilen;
    QList<QList<QStringList>> kopfUmbrochen(t.kopfStatus != 0 ? t.koepfe : 0);
    if (t.kopfStatus != 0)
        for (int k = 0; k < t.koepfe; ++k) {
            kopfZeilen.append(zeilenAnzahl(t.kinhalt[k], t.kdesign[k], &kopfUmbrochen[k]));
            kopfH += static_cast<long long>(kopfZeilen.last()) * f;
        }
    const int luecke = t.kopfStatus == 1 ? 10 : 0;
    // A row that does not fit even on an empty page breaks inside its cells; its heads are
    // repeated on every page it continues on.
    if (zeilen > 1 && zuHochFuerSeite(rowH, kopfH, luecke))
        return zeileTeilen(i, zellen, zeilen, umbrochen);
    // A row taller than one line, or a row that brings its head rows, does not start in the
    // foot zone: it goes to the next page whole.
    if (!zeichnen_ && !seiteLeer() && rowH + kopfH > f &&
        z_.y + luecke + kopfH + rowH > grenze() + f) {
        const int weiter = umbruch(i, false);
        if (bewegt_) return weiter;
    }
    if (t.kopfStatus != 0) {
        z_.y += t.kopfStatus == 1 ? luecke : 0;
        for (int k = 0; k < t.koepfe; ++k) {
            // Heads that a page break just made pending were not measured above.
            const bool gemessen = k < kopfZeilen.size();
            QList<QStringList> neu;
            const int n = gemessen ? kopfZeilen[k] : zeilenAnzahl(t.kinhalt[k], t.kdesign[k], &neu);
            tabellenZeileZeichnen(t.kinhalt[k], t.kdesign[k], n * f,
                                  gemessen ? kopfUmbrochen[k] : neu);
            z_.y += n * f;
        }
        t.kopfStatus = 0;
    }
    tabellenZeileZeichnen(zellen, t.zf, static_cast<int>(rowH), umbrochen);
    z_.y += static_cast<int>(rowH);
    return i + 1;
}

bool TDruckLayout::zuHochFuerSeite(long long rowH, long long kopfH, int luecke) {
    const TTabZustand& t = z_.tab;
    // On a new page the heads come again (unless they are too high to repeat).
    if (t.kopfStatus == 0 && t.koepfe > 0 && !t.kopfZuHoch) kopfH += kopfHoehe();
    return luecke + kopfH + rowH > seitenPlatz();
}

long long TDruckLayout::kopfHoehe() {
    TTabZustand& t = z_.tab;
    // The heads are fixed once read; only the font can change how they wrap.
    if (t.kopfHoehe < 0 || !(t.kopfHoeheSchrift == canvas_.font)) {
        t.kopfHoehe = 0;
        for (int k = 0; k < t.koepfe; ++k)
            t.kopfHoehe +=
                static_cast<long long>(zeilenAnzahl(t.kinhalt[k], t.kdesign[k])) * tabLinie();
        t.kopfHoeheSchrift = canvas_.font;
    }
    return t.kopfHoehe;
}

int TDruckLayout::kopfZeilenZeichnen(int i) {
    TTabZustand& t = z_.tab;
    // A page break inside a head row does not draw the heads once more.
    if (t.kopfStatus == 0 || kopfLaeuft_) return -1;
    const int f = tabLinie();
    if (t.kopfStatus == 1) z_.y += 10;
    // Head rows higher than half a page are drawn once and not repeated, so a row that goes
    // on over many pages still shows its text on each.
    long long summe = 0;
    QList<int> anzahl;
    QList<QList<QStringList>> umbrochen(t.koepfe);
    for (int k = 0; k < t.koepfe; ++k) {
        anzahl.append(zeilenAnzahl(t.kinhalt[k], t.kdesign[k], &umbrochen[k]));
        summe += static_cast<long long>(anzahl.last()) * f;
    }
    if (2 * summe > seitenPlatz()) t.kopfZuHoch = true;
    kopfLaeuft_ = true;
    for (int k = 0; k < z_.tab.koepfe; ++k) {
        // A copy: a kept block that moves replaces the table state.
        const QStringList inhalt = z_.tab.kinhalt[k], design = z_.tab.kdesign[k];
        const int weiter = zeileSetzen(i, inhalt, design, anzahl[k], umbrochen[k]);
        if (weiter >= 0) {
            kopfLaeuft_ = false;
            return weiter;
        }
    }
    kopfLaeuft_ = false;
    z_.tab.kopfStatus = 0;
    return -1;
}

int TDruckLayout::zeileTeilen(int i, const QStringList& zellen, int zeilen,
                              const QList<QStringList>& umbrochen) {
    const int f = tabLinie();
    const TTabZustand& t = z_.tab;
    // Not even the heads and one line fit below: the row begins on the next page.
    if (!zeichnen_ && !seiteLeer()) {
        const long long kopfH =
            (t.kopfStatus == 1 ? 10 : 0) + (t.kopfStatus != 0 ? kopfHoehe() : 0);
        if (z_.y + kopfH + f > grenze() + f) {
            const int weiter = umbruch(i, false);
            if (bewegt_) return weiter;
        }
    }
    const int weiter = kopfZeilenZeichnen(i);
    if (weiter >= 0) return weiter;
    const int ende = zeileSetzen(i, zellen, z_.tab.zf, zeilen, umbrochen);
    return ende >= 0 ? ende : i + 1;
}

int TDruckLayout::zeileSetzen(int i, const QStringList& texte, const QStringList& designs,
                              int zeilen, const QList<QStringList>& umbrochen) {
    const int f = tabLinie();
    const TSchrift alt = canvas_.font;
    QList<TSchrift> zellSchrift;
    int von = 0;
    while (true) {
        // Lines fit while they end above the foot zone's first line, as whole rows do; at
        // least one line goes on every page.
        const int passt = static_cast<int>(std::clamp<long long>(
            (static_cast<long long>(grenze()) + f - z_.y) / f, 1, zeilen - von));
        TZeilenTeil teil;
        teil.von = von;
        teil.anzahl = passt;
        teil.erster = von == 0;
        teil.letzter = von + passt == zeilen;
        teil.schrift = &zellSchrift;
        teilZeichnen(texte, designs, umbrochen, teil);
        z_.y += passt * f;
        von += passt;
        if (von >= zeilen) break;
        if (!zeichnen_) {
            const int weiter = umbruch(i, true);
            if (bewegt_) return weiter;
        } else if (seite_ + 1 < seiten_.size() && seiten_[seite_ + 1].startZeile < 0) {
            neueSeite(-1, i);
            if (seite_ > bisSeite_) break; // the pages wanted are drawn
        } else {
            continue; // the measuring pass made no page here: the rest follows on this one
        }
        // The heads repeated on the new page come before the rest of the row.
        const int weiter = kopfZeilenZeichnen(i);
        if (weiter >= 0) return weiter;
    }
    canvas_.font = alt;
    stilNachZeile(texte);
    return -1;
}

namespace {
struct Zelle {
    int x = 0;
    int breite = 0;
    TZellDesign d;
    QString text;
};

QList<Zelle> zellenLegen(const QStringList& texte, const QStringList& designs,
                         const QList<int>& breiten, int x0) {
    // The rows of a table share their designs and widths: the cells are laid once for them.
    struct Gelegt {
        QStringList designs;
        QList<int> breiten;
        int x0 = 0;
        QList<Zelle> zellen;
    };
    static thread_local Gelegt zuletzt;
    if (zuletzt.x0 != x0 || zuletzt.designs != designs || zuletzt.breiten != breiten) {
        QList<Zelle> z;
        const int spalten = static_cast<int>(breiten.size());
        int spalte = 0, x = x0;
        while (spalte < spalten) {
            Zelle c;
            c.d = designLesen(spalte < designs.size() ? designs[spalte] : QString());
            // A span past the last column ends at the last column.
            const int span = std::clamp(c.d.spalten, 1, spalten - spalte);
            c.x = x;
            for (int j = 0; j < span; ++j) c.breite += breiten[spalte + j];
            z.append(c);
            x += c.breite;
            spalte += span;
        }
        zuletzt = {designs, breiten, x0, std::move(z)};
    }
    QList<Zelle> z = zuletzt.zellen;
    for (int k = 0; k < z.size(); ++k) z[k].text = k < texte.size() ? texte[k] : QString();
    return z;
}

void zellRegeln(TmyCanvas& canvas, const QList<Zelle>& zellen, int k, int oben, int hoehe,
                bool mitOben, bool mitUnten) {
    const Zelle& c = zellen[k];
    canvas.penFarbe = Qt::black;
    canvas.penStil = Qt::SolidLine;
    auto regel = [&](int breite, int x1, int y1, int x2, int y2) {
        canvas.penBreite = breite;
        canvas.linie(x1, y1, x2, y2);
    };
    const bool vorherRechts = k > 0 && zellen[k - 1].d.rechts > 0;
    if (c.d.links && !vorherRechts) regel(c.d.links, c.x, oben, c.x, oben + hoehe);
    if (c.d.oben && mitOben) regel(c.d.oben, c.x, oben, c.x + c.breite, oben);
    if (c.d.unten && mitUnten) regel(c.d.unten, c.x, oben + hoehe, c.x + c.breite, oben + hoehe);
    if (c.d.rechts) regel(c.d.rechts, c.x + c.breite, oben, c.x + c.breite, oben + hoehe);
}
} // namespace

int TDruckLayout::zeilenAnzahl(const QStringList& texte, const QStringList& designs,
                               QList<QStringList>* umbrochen) {
    const int h = hoehe();
    const int f = tabLinie();
    const QList<Zelle> zellen = zellenLegen(texte, designs, z_.tab.breite, z_.Alinks);
    int zeilen = zellen.isEmpty() ? 1 : zellen[0].d.zeilen;
    int querMax = 0;
    const TSchrift alt = canvas_.font;
    if (umbrochen) *umbrochen = QList<QStringList>(zellen.size());
    for (int k = 0; k < zellen.size(); ++k) {
        const Zelle& c = zellen[k];
        canvas_.font.fett = alt.fett || c.d.fett;
        if (c.d.quer) {
            if (k < 4) querMax = std::max(querMax, canvas_.mytextwidth(c.text));
            continue;
        }
        if (c.text.isEmpty()) continue;
        QStringList z = umbrechen(canvas_, c.text, c.breite - 2 * innen - 1);
        zeilen = std::max(zeilen, static_cast<int>(z.size()));
        if (umbrochen) (*umbrochen)[k] = std::move(z);
    }
    canvas_.font = alt;
    // Turned text cannot break: it makes its row at most one page high.
    if (querMax > 0)
        zeilen = std::max(zeilen, std::min((querMax + h / 2 + f - 1) / f,
                                           static_cast<int>(std::max(1LL, seitenPlatz() / f))));
    return zeilen;
}

int TDruckLayout::tabLinie() const {
    return std::max(1, static_cast<int>(hoehe() * 1.5));
}

long long TDruckLayout::seitenPlatz() const {
    return static_cast<long long>(grenze()) + tabLinie() - z_.oben;
}

// Colours and sizes the cells' escapes set persist after the row, the style does not; both
// passes follow the texts the same way whether they draw or not.
void TDruckLayout::stilNachZeile(const QStringList& texte) {
    for (const QString& t : texte)
        if (t.contains(QStringLiteral("°("))) canvas_.lauf(0, 0, t, false);
    canvas_.font.setStil(0);
    canvas_.penBreite = 1;
}

// One page's part of a row that breaks inside its cells: the lines von .. von + anzahl of
// every cell, set from the top. Turned text and the top rule belong to the first part; each
// part is closed by the bottom rule, so the table ends cleanly at the page foot.
void TDruckLayout::teilZeichnen(const QStringList& texte, const QStringList& designs,
                                const QList<QStringList>& umbrochen, const TZeilenTeil& teil) {
    const QList<Zelle> zellen = zellenLegen(texte, designs, z_.tab.breite, z_.Alinks);
    QList<TSchrift>& schrift = *teil.schrift;
    if (schrift.size() != zellen.size()) schrift = QList<TSchrift>(zellen.size(), canvas_.font);
    if (!zeichnen_) return;
    const int h = hoehe();
    const int f = tabLinie();
    const int oben = z_.y;
    const int hoeheTeil = teil.anzahl * f;
    const int ausgleich = (f - static_cast<int>(h * 1.1)) / 2;
    for (int k = 0; k < zellen.size(); ++k) {
        const Zelle& c = zellen[k];
        // Each cell goes on in the style its text had reached on the page before.
        if (!teil.erster) canvas_.font = schrift[k];
        const TSchrift zellStil = canvas_.font;
        canvas_.font.fett = zellStil.fett || c.d.fett;
        if (c.d.quer) {
            if (teil.erster)
                canvas_.textGedreht(c.x + (c.breite - h) / 2, oben + hoeheTeil - 3, c.text, 90);
        } else if (k < umbrochen.size()) {
            const QStringList& zeilen = umbrochen[k];
            int y = oben;
            const int bis = std::min<int>(teil.von + teil.anzahl, zeilen.size());
            for (int z = teil.von; z < bis; ++z) {
                const TSchrift vorher = canvas_.font;
                const int w = canvas_.mytextwidth(zeilen[z]);
                int x = c.x + innen;
                if (c.d.horizontal == 'z') x = c.x + (c.breite - w) / 2;
                if (c.d.horizontal == 'r') x = c.x + c.breite - w - innen - 1;
                canvas_.font = vorher;
                canvas_.mytextout(x, y + ausgleich, zeilen[z]);
                y += f;
            }
        }
        canvas_.font.fett = zellStil.fett && canvas_.font.fett;
        schrift[k] = canvas_.font;
        zellRegeln(canvas_, zellen, k, oben, hoeheTeil, teil.erster, true);
    }
}

void TDruckLayout::tabellenZeileZeichnen(const QStringList& texte, const QStringList& designs,
                                         int hoehe, const QList<QStringList>& umbrochen) {
    const TSchrift alt = canvas_.font;
    auto stilDanach = [&] {
        canvas_.font = alt;
        stilNachZeile(texte);
    };
    if (!zeichnen_ || !canvas_.painter) {
        stilDanach();
        return;
    }
    const int h = this->hoehe();
    const int f = std::max(1, static_cast<int>(h * 1.5));
    const int oben = z_.y;
    const QList<Zelle> zellen = zellenLegen(texte, designs, z_.tab.breite, z_.Alinks);
    const int ausgleich = (f - static_cast<int>(h * 1.1)) / 2;
    for (int k = 0; k < zellen.size(); ++k) {
        const Zelle& c = zellen[k];
        const TSchrift zellStil = canvas_.font;
        canvas_.font.fett = zellStil.fett || c.d.fett;
        if (c.d.quer) {
            canvas_.textGedreht(c.x + (c.breite - h) / 2, oben + hoehe - 3, c.text, 90);
        } else if (!c.text.isEmpty()) {
            const QStringList zeilen = k < umbrochen.size()
                                           ? umbrochen[k]
                                           : umbrechen(canvas_, c.text, c.breite - 2 * innen - 1);
            const int belegt = static_cast<int>(zeilen.size()) * f;
            int y = oben;
            if (c.d.vertikal == 'm') y = oben + (hoehe - belegt) / 2;
            if (c.d.vertikal == 'u') y = oben + hoehe - belegt;
            for (const QString& z : zeilen) {
                const TSchrift vorher = canvas_.font;
                const int w = canvas_.mytextwidth(z);
                int x = c.x + innen;
                if (c.d.horizontal == 'z') x = c.x + (c.breite - w) / 2;
                if (c.d.horizontal == 'r') x = c.x + c.breite - w - innen - 1;
                canvas_.font = vorher;
                canvas_.mytextout(x, y + ausgleich, z);
                y += f;
            }
        }
        canvas_.font.fett = zellStil.fett && canvas_.font.fett;
        zellRegeln(canvas_, zellen, k, oben, hoehe, true, true);
    }
    stilDanach();
}

} // namespace zephan
