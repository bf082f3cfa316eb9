#include "render/report_layout.h"

#include "render/diagram.h"
#include "render/masse.h"
#include "render/page_target.h"
#include "render/table_design.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace zephan {

namespace {
const QChar marke(0x00B0);
const QChar umbruchZeichen(0x00FE);

bool beginntMit(const QString& s, const char* prefix) {
    // prefix is given without the marker
    const qsizetype n = static_cast<qsizetype>(std::strlen(prefix));
    if (s.size() < n + 1 || s[0] != marke) return false;
    for (qsizetype k = 0; k < n; ++k)
        if (s[k + 1] != QLatin1Char(prefix[k])) return false;
    return true;
}

// Marks a pass as running for as long as it runs.
struct Beschaeftigt {
    bool& b;
    explicit Beschaeftigt(bool& x) : b(x) { b = true; }
    ~Beschaeftigt() { b = false; }
};

// A number argument with "," or "." as decimal point; -1 when it is none.
double zahl(QStringView s) {
    QString t = s.trimmed().toString();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? v : -1;
}
} // namespace

TDruckLayout::TDruckLayout(TDruck& doc, TLayoutEinstellungen e) : doc_(doc), e_(std::move(e)) {}

TDruckLayout::~TDruckLayout() = default;

int TDruckLayout::dokumentZeile(int arbeitsZeile) const {
    if (arbeitsZeile < 0 || arbeitsZeile >= herkunft_.size()) return arbeitsZeile;
    return herkunft_[arbeitsZeile];
}

void TDruckLayout::melden(const QString& text) {
    if (zeichnen_) return; // each message once, from the measuring pass
    meldungen_.append(text);
    trace(text);
    if (e_.seam) e_.seam->meldung(text, UserSeam::Kind::Warnung);
}

// The working list in one pass: trailing empty, "°X" and "°U" lines dropped, a "°XB" directly
// followed by another dropped, a short line of only "|" made a blank; the origin of every
// line is kept so pages can name the line of the document they begin with.
void TDruckLayout::vorbereiten() {
    doc_.wiederherstellen();
    const QStringList& quelle = doc_.m;
    qsizetype ende = quelle.size();
    while (ende > 0) {
        const QString& z = quelle[ende - 1];
        if (z.isEmpty() || beginntMit(z, "X") || beginntMit(z, "U"))
            --ende;
        else
            break;
    }
    m_.clear();
    herkunft_.clear();
    m_.reserve(ende);
    herkunft_.reserve(ende);
    const QString block = QString(marke) + QStringLiteral("XB");
    for (qsizetype i = 0; i < ende; ++i) {
        const QString& z = quelle[i];
        if (z == block && i + 1 < ende && quelle[i + 1] == block) continue;
        if (!z.isEmpty() && z.size() < 200 && z.count(QLatin1Char('|')) == z.size())
            m_.append(QStringLiteral(" "));
        else
            m_.append(z);
        herkunft_.append(static_cast<int>(i));
    }
    doc_.m = m_;
}

bool TDruckLayout::messen() {
    vorbereiten();
    meldungen_.clear();
    seiten_.clear();
    starts_.clear();
    const bool ok = lauf(false);
    grafikenGemessen_ = doc_.grafiken;
    // "[seiten]": the pages of each numbering run.
    int start = 0;
    for (int p = 0; p <= seiten_.size(); ++p) {
        if (p == seiten_.size() || (p > 0 && seiten_[p].seitenNummer == 1)) {
            for (int k = start; k < p; ++k) seiten_[k].seitenGesamt = p - start;
            start = p;
        }
    }
    return ok;
}

bool TDruckLayout::zeichnen(TSeitenZiel& ziel) {
    if (seiten_.isEmpty()) return false;
    fehler_.clear();
    ziel_ = &ziel;
    vonSeite_ = 0;
    bisSeite_ = std::numeric_limits<int>::max();
    const bool ok = lauf(true);
    ziel_ = nullptr;
    return ziel.abschliessen() && ok;
}

bool TDruckLayout::seitenZeichnen(TSeitenZiel& ziel, int von, int bis) {
    const int n = static_cast<int>(seiten_.size());
    von = std::max(1, von);
    bis = std::min(bis, n);
    if (von > bis || starts_.size() != n || beschaeftigt_) return false;
    const Beschaeftigt laeuft(beschaeftigt_);
    // A page that begins inside a paragraph is reached from the last clean page start before
    // it; the pages in between are followed without drawing.
    int q = von - 1;
    while (q > 0 && starts_[q].zeile < 0) --q;
    const TSeitenStart& st = starts_[q];
    fehler_.clear();
    zeichnen_ = true;
    ziel_ = &ziel;
    vonSeite_ = von - 1;
    bisSeite_ = bis - 1;
    z_ = st.z;
    canvas_ = st.canvas;
    canvas_.painter = nullptr;
    canvas_.painterGewechselt();
    doc_.grafiken = grafikenGemessen_.mid(0, st.grafiken);
    keepZeile_ = -1;
    neuNummern_ = false;
    seite_ = q - 1;
    fortschrittText_ = QStringLiteral("Ausgabe");
    neueSeite(st.zeile, st.zeile);
    const bool ok = schleife(st.zeile);
    ziel_ = nullptr;
    return ok && !ziel.abgebrochen();
}

int TDruckLayout::grenze() const {
    return z_.druckh - z_.unten - 40 - (z_.uebertrag.isEmpty() ? 0 : 40);
}

void TDruckLayout::keepSetzen(int zeile) {
    keepZeile_ = zeile;
    keepY_ = z_.y;
    keepZustand_ = z_;
    keepZustand_.schrift = canvas_.font;
    keepZustand_.grafikAnzahl = static_cast<int>(doc_.grafiken.size());
}

bool TDruckLayout::lauf(bool zeichnen) {
    if (beschaeftigt_) return false;
    const Beschaeftigt laeuft(beschaeftigt_);
    zeichnen_ = zeichnen;
    z_ = TZustand{};
    z_.kop1 = doc_.kop1;
    z_.kop2 = doc_.kop2;
    z_.obenspin = doc_.obenspin;
    z_.untenspin = doc_.untenspin;
    z_.Alinks = doc_.Alinks;
    z_.Arechts = doc_.Arechts;
    z_.Akopf = doc_.Akopf;
    z_.Afuss = doc_.Afuss;
    z_.quer = doc_.quer;
    z_.druckb = z_.quer ? e_.papierHoehe : e_.papierBreite;
    z_.druckh = z_.quer ? e_.papierBreite : e_.papierHoehe;
    canvas_ = TmyCanvas{};
    canvas_.grau = e_.grau;
    canvas_.heute = e_.heute.toString(QStringLiteral("dd.MM.yyyy"));
    z_.unten = z_.untenspin + hoehe();
    doc_.grafiken.clear();
    bilder_.clear();
    keepZeile_ = -1;
    seite_ = -1;
    neuNummern_ = false;
    fortschrittText_ =
        zeichnen ? QStringLiteral("Ausgabe") : QStringLiteral("Ausrichtung der Daten...");
    neueSeite(0, 0);
    return schleife(0);
}

bool TDruckLayout::schleife(int i) {
    const int n = static_cast<int>(m_.size());
    // Every line is processed at most a few times (the keep rule moves a block once), so a
    // bound far above that stops any loop a damaged document might cause.
    const qint64 schrittGrenze = 8LL * n + 1000;
    qint64 schritte = 0;
    bool ok = true;
    while (i < n) {
        if (++schritte > schrittGrenze) {
            fehler_.append(QStringLiteral("Seitenverarbeitungsfehler"));
            ok = false;
            break;
        }
        if (zeichnen_ && seite_ + 1 < seiten_.size() && seiten_[seite_ + 1].startZeile == i)
            neueSeite(i, i);
        if (zeichnen_ && seite_ > bisSeite_) break;
        aktuelleZeile_ = i;
        int naechste = zeile(i);
        if (!zeichnen_ && naechste == i + 1 && naechste < n && z_.y >= grenze())
            naechste = umbruch(naechste, false);
        i = naechste;
        if (e_.fortschritt && (i & 63) == 0 && !e_.fortschritt(fortschrittText_, i, n)) {
            ok = false;
            break;
        }
        if (zeichnen_ && ziel_ && ziel_->abgebrochen()) {
            ok = false;
            break;
        }
    }
    if (zeichnen_ && ziel_ && zielSeiteOffen_) ziel_->seiteBeenden();
    zielSeiteOffen_ = false;
    return ok;
}

int TDruckLayout::umbruch(int naechste, bool inAbsatz) {
    int start = naechste;
    const int seitenStart = seiten_.isEmpty() ? 0 : seiten_.last().ersteZeile;
    bool bewegt = false;
    if (keepZeile_ >= 0 && keepY_ != z_.oben && keepZeile_ > seitenStart) {
        // The block moves to the next page as a whole: everything it changed is undone.
        z_ = keepZustand_;
        canvas_.font = z_.schrift;
        while (doc_.grafiken.size() > z_.grafikAnzahl) doc_.grafiken.removeLast();
        start = keepZeile_;
        bewegt = true;
    }
    bewegt_ = bewegt;
    keepZeile_ = -1;
    neueSeite(inAbsatz && !bewegt ? -1 : start, bewegt ? start : aktuelleZeile_);
    if (!inAbsatz && !bewegt) seiten_.last().ersteZeile = start;
    bewegt_ = bewegt;
    return start;
}

void TDruckLayout::neueSeite(int startZeile, int ersteZeile) {
    if (seite_ >= 0 && zeichnen_) {
        uebertragZeichnen();
        if (ziel_ && zielSeiteOffen_) ziel_->seiteBeenden();
        zielSeiteOffen_ = false;
    }
    if (!zeichnen_) {
        // What a drawing of this page alone starts from.
        TSeitenStart st;
        st.zeile = startZeile;
        if (startZeile >= 0) {
            st.z = z_;
            st.canvas = canvas_;
            st.canvas.painter = nullptr;
            st.grafiken = static_cast<int>(doc_.grafiken.size());
        }
        starts_.append(std::move(st));
    }
    ++seite_;
    kopfVorlauf(startZeile < 0 ? ersteZeile + 1 : startZeile);
    z_.oben = z_.obenspin + (z_.kop1.k[1].isEmpty() ? 0 : 60) + (z_.kop1.k[2].isEmpty() ? 0 : 40);
    if (!zeichnen_) {
        TSeitenEintrag s;
        s.startZeile = startZeile;
        s.ersteZeile = ersteZeile;
        s.druckb = z_.druckb;
        s.druckh = z_.druckh;
        s.quer = z_.quer;
        s.seitenNummer = (seiten_.isEmpty() || neuNummern_) ? 1 : seiten_.last().seitenNummer + 1;
        neuNummern_ = false;
        s.ausrichtung = static_cast<quint8>(z_.ausrichtung);
        s.listenZaehler = z_.listenZaehler;
        s.schriftGroesse = canvas_.font.groesse;
        s.schriftStil = canvas_.font.stil();
        s.oben = z_.oben;
        s.logo = z_.logo;
        s.bild2 = z_.bild2;
        seiten_.append(s);
    } else {
        if (seite_ >= seiten_.size()) {
            // More pages than measured: keep using the last entry.
            fehler_.append(QStringLiteral("Seitenverarbeitungsfehler"));
            trace(QStringLiteral("Seitenverarbeitungsfehler"));
        }
        const TSeitenEintrag& s = seiten_[std::min<int>(seite_, seiten_.size() - 1)];
        z_.quer = s.quer;
        z_.druckb = s.druckb;
        z_.druckh = s.druckh;
        const bool gewuenscht = seite_ >= vonSeite_ && seite_ <= bisSeite_;
        canvas_.painter = ziel_ && gewuenscht
                              ? ziel_->seiteBeginnen(seite_ + 1, s.druckb, s.druckh, s.quer)
                              : nullptr;
        zielSeiteOffen_ = ziel_ && gewuenscht;
        canvas_.painterGewechselt();
        if (canvas_.painter && !canvas_.grau)
            canvas_.fuellen(0, 0, s.druckb, s.druckh, Qt::white);
        else if (canvas_.painter)
            canvas_.fuellen(0, 0, s.druckb, s.druckh, Qt::white);
    }
    if (z_.tab.offen && z_.tab.koepfe > 0 && z_.tab.kopfStatus == 0 && !z_.tab.kopfZuHoch)
        z_.tab.kopfStatus = 2;
    z_.y = z_.oben;
    if (zeichnen_) kopfUndFuss();
}

// Head lines written at the top of a page (as every report begins) count for that page:
// they are applied before its head is drawn and before its text area is set.
void TDruckLayout::kopfVorlauf(int start) {
    for (int k = std::max(0, start); k < m_.size(); ++k) {
        const QString& s = m_[k];
        if (s.size() < 2 || s[0] != marke) return;
        const QChar c = s[1];
        if (c == QLatin1Char('K')) {
            if (s.size() >= 3 &&
                (s[2] == QLatin1Char('L') || s[2] == QLatin1Char('F') || s[2] == QLatin1Char('O')))
                continue;
            kopfBefehl(k, s);
        } else if (c == QLatin1Char('T') || c == QChar(0x00DC) || c == QLatin1Char('G') ||
                   c == QLatin1Char('D') || c == QLatin1Char('X') || c == QLatin1Char('Q') ||
                   c == QLatin1Char('N')) {
            return;
        }
    }
}

QString TDruckLayout::platzhalter(QString text) const {
    const TSeitenEintrag& s = seiten_[std::min<int>(std::max(seite_, 0), seiten_.size() - 1)];
    text.replace(QLatin1String("[seite]"), QString::number(s.seitenNummer));
    text.replace(QLatin1String("[seiten]"), QString::number(s.seitenGesamt));
    QString datum = z_.datumText.isEmpty() ? doc_.datum : z_.datumText;
    if (datum.isEmpty()) datum = e_.heute.toString(QStringLiteral("dd.MM.yyyy"));
    text.replace(QLatin1String("[datum]"), datum);
    return text;
}

void TDruckLayout::kopfZeile(const QString& text, int y) {
    if (text.isEmpty()) return;
    if (text == QLatin1String("-")) {
        canvas_.penBreite = 1;
        canvas_.penFarbe = Qt::black;
        canvas_.linie(z_.Alinks, y + 10, z_.druckb - z_.Arechts, y + 10);
        return;
    }
    const QStringList teile = platzhalter(text).split(QLatin1Char('|'));
    const TSchrift alt = canvas_.font;
    for (int k = 0; k < std::min<int>(3, teile.size()); ++k) {
        if (teile[k].isEmpty()) continue;
        const int w = canvas_.mytextwidth(teile[k]);
        const int x = k == 0   ? z_.Alinks
                      : k == 1 ? (z_.druckb - w) / 2
                               : z_.druckb - z_.Arechts - w;
        canvas_.mytextout(x, y, teile[k]);
        canvas_.font = alt;
    }
}

void TDruckLayout::kopfUndFuss() {
    if (!canvas_.painter) return;
    if (doc_.falzmarken_) {
        canvas_.penBreite = 1;
        canvas_.penFarbe = Qt::black;
        canvas_.linie(0, 1050, 20, 1050);
        canvas_.linie(0, 1980, 20, 1980);
    }
    const TSchrift gespeichert = canvas_.font;
    const int yGespeichert = z_.y;
    canvas_.font = TSchrift{};
    if (!z_.logo.isEmpty()) bildZeile(-1, z_.logo, true);
    if (!z_.bild2.isEmpty()) bildZeile(-1, z_.bild2, true);
    const tkopfzeilen& set = (seite_ > 0 && z_.kop2.k[0] != QLatin1String("-")) ? z_.kop2 : z_.kop1;
    const int h = canvas_.h();
    for (int k = 0; k < 3; ++k) kopfZeile(set.k[k], z_.Akopf + 40 * k);
    QString fuss = set.fuss;
    if (fuss == QLatin1String("-")) fuss = z_.kop1.fuss;
    if (fuss == QString(marke)) fuss = QStringLiteral("[datum]||Seite [seite]/[seiten]");
    kopfZeile(fuss, z_.druckh - z_.Afuss - h);
    // A full head gets a rule beneath it, between head and text.
    if (!set.k[2].isEmpty() && set.k[2] != QLatin1String("-"))
        canvas_.linie(z_.Alinks, z_.Akopf + 80 + 40 + 10, z_.druckb - z_.Arechts,
                      z_.Akopf + 80 + 40 + 10);
    canvas_.font = gespeichert;
    z_.y = yGespeichert;
    if (!doc_.wasserzeichen_.isEmpty()) {
        TSchrift w = gespeichert;
        w.setStil(0);
        w.index = 0;
        const TSchrift alt = canvas_.font;
        canvas_.font = w;
        canvas_.font.farbe = 0xFFC0C0C0;
        // 30 mm high: the size in points whose height is 300.
        canvas_.font.groesse = 85;
        const int breite = canvas_.textwidth(doc_.wasserzeichen_);
        const int x = (z_.druckb - static_cast<int>(std::lround((breite + 300) * 0.7))) / 2;
        const int y = static_cast<int>(std::lround((z_.druckh + breite / 2.0) / 2));
        canvas_.textGedreht(x, y, doc_.wasserzeichen_, 45);
        canvas_.font = alt;
    }
}

void TDruckLayout::uebertragZeichnen() {
    if (z_.uebertrag.isEmpty() || !canvas_.painter) return;
    const TSchrift alt = canvas_.font;
    const int w = canvas_.mytextwidth(z_.uebertrag);
    const int y = z_.druckh - z_.Afuss - 2 * canvas_.h();
    canvas_.mytextout(z_.druckb - z_.Arechts - w, y, z_.uebertrag);
    canvas_.font = alt;
}

int TDruckLayout::zeile(int i) {
    const QString& s = m_[i];
    if (s.isEmpty()) return leerzeile(i);
    if (s.size() >= 2 && s[0] == marke) return befehl(i);
    if (z_.tab.offen) return tabellenZeile(i);
    return textzeile(i);
}

int TDruckLayout::leerzeile(int i) {
    if (z_.tab.offen) {
        tabelleSchliessen();
        z_.y += kuerze(hoehe() * 1.1) / 2;
        return i + 1;
    }
    if (z_.liste != nsNone) {
        z_.liste = nsNone;
        return i + 1;
    }
    z_.y += hoehe();
    return i + 1;
}

void TDruckLayout::tabelleSchliessen() {
    z_.tab = TTabZustand{};
    keepZeile_ = -1;
}

int TDruckLayout::befehl(int i) {
    const QString& s = m_[i];
    const QChar c = s[1];
    switch (c.unicode()) {
    case 'T':
        return tabelleOeffnen(i);
    case 'Z': {
        const QStringList felder = s.mid(2).split(QLatin1Char('|'));
        TTabZustand& t = z_.tab;
        if (!t.offen) return i + 1;
        QStringList* ziel = t.kopfGelesen < t.koepfe ? &t.kdesign[t.kopfGelesen] : &t.zf;
        int spalte = 0;
        for (const QString& feld : felder) {
            if (spalte >= t.spalten) break;
            if (feld.contains(QLatin1Char('A'))) {
                QString f = feld;
                f.remove(QLatin1Char('A'));
                for (int k = 0; k < t.spalten; ++k) (*ziel)[k] = designAnwenden((*ziel)[k], f);
                break;
            }
            (*ziel)[spalte] = designAnwenden((*ziel)[spalte], feld);
            spalte += std::max(1, designSpalten((*ziel)[spalte]));
        }
        return i + 1;
    }
    case 0x00DC: // "Ü"
        return ueberschrift(i);
    case 'H': {
        const double n = zahl(QStringView(s).mid(2));
        // A size of 0 or below has no height: it is ignored rather than stopping the page.
        if (n >= 0.5 && n <= 500)
            canvas_.font.groesse = static_cast<int>(std::lround(n));
        else
            melden(QStringLiteral("Schriftgröße ungültig: ") + s.mid(2));
        return i + 1;
    }
    case 'F': {
        const QString name = s.mid(2).trimmed();
        if (name.startsWith(QLatin1Char('A')))
            canvas_.font.name = QStringLiteral("Arial");
        else if (name.startsWith(QLatin1Char('C')))
            canvas_.font.name = QStringLiteral("Courier New");
        else if (!name.isEmpty())
            canvas_.font.name = name;
        return i + 1;
    }
    case 'L': {
        const double n = zahl(QStringView(s).mid(2));
        // An indent wider than the text leaves it at the right margin rather than off the page.
        z_.einzug = n > 0 ? std::min(massRund(n * 127), std::max(0, textBreite())) : 0;
        return i + 1;
    }
    case 'N': {
        const QString arg = s.mid(2).trimmed();
        if (arg.isEmpty()) {
            z_.liste = nsNone;
            return i + 1;
        }
        const QStringList teile = arg.split(QLatin1Char(','));
        const QString typ = teile[0].trimmed();
        int start = 1;
        bool mitStart = false;
        if (teile.size() > 1) {
            bool ok = false;
            start = teile[1].trimmed().toInt(&ok);
            if (!ok) start = 1;
            mitStart = ok;
        }
        if (typ == QLatin1String("dec") || typ == QLatin1String("1"))
            z_.liste = nsNumber;
        else if (typ == QLatin1String("lcltr") || typ == QLatin1String("a"))
            z_.liste = nsLowerCase;
        else if (typ == QLatin1String("ucltr") || typ == QLatin1String("A"))
            z_.liste = nsUpperCase;
        else if (typ == QLatin1String("lvlblt") || typ == QLatin1String("bullet") ||
                 typ == QLatin1String("."))
            z_.liste = nsBullet;
        else
            z_.liste = nsNone;
        if (z_.liste != nsNumber && start < 1) start = 1;
        (void)mitStart;
        z_.listenZaehler = start;
        if (z_.liste != nsNone) z_.ausrichtung = tmLeft;
        return i + 1;
    }
    case 'X': {
        if (s.size() < 3) {
            melden(QStringLiteral("druck.X: Parameter fehlt"));
            return i + 1;
        }
        const QChar x = s[2];
        if (x == QLatin1Char('C')) {
            if (z_.liste != nsNone) return i + 1;
            const QString arg = s.mid(3).trimmed();
            const int a = arg.isEmpty() ? 0 : arg.toInt();
            z_.ausrichtung = a < 0 ? tmLeft : std::min(a, 3);
        } else if (x == QLatin1Char('A')) {
            const bool null = s.mid(3).startsWith(QLatin1Char('0'));
            if (null) {
                canvas_.font = TSchrift{};
                z_.unten = z_.untenspin + hoehe();
            }
            keepZeile_ = -1;
            if (!seiteLeer()) {
                if (null) neuNummern_ = true;
                if (!zeichnen_ && i + 1 < m_.size()) return umbruch(i + 1, false);
            } else if (null && !zeichnen_ && !seiten_.isEmpty()) {
                seiten_.last().seitenNummer = 1;
            }
        } else if (x == QLatin1Char('B')) {
            if (s.mid(3).startsWith(QLatin1Char('-'))) {
                keepZeile_ = -1;
                if (z_.tab.offen) tabelleSchliessen();
            } else if (!seiteLeer() && !zeichnen_) {
                keepSetzen(i + 1);
            }
        } else if (x == QLatin1Char('T')) {
            const QString t = s.mid(3);
            z_.datumText = (t.isEmpty() || t.startsWith(QLatin1Char('-'))) ? QString() : t;
        }
        return i + 1;
    }
    case 'Q': {
        const bool quer = s.mid(2) == QLatin1String("1");
        if (quer == z_.quer) return i + 1;
        z_.quer = quer;
        std::swap(z_.druckb, z_.druckh);
        if (!zeichnen_) {
            if (seiteLeer()) {
                seiten_.last().quer = quer;
                seiten_.last().druckb = z_.druckb;
                seiten_.last().druckh = z_.druckh;
            } else if (i + 1 < m_.size()) {
                return umbruch(i + 1, false);
            }
        }
        return i + 1;
    }
    case 'U':
        z_.uebertrag = s.mid(2);
        return i + 1;
    case 'K':
        return kopfBefehl(i, s);
    case 'G':
        if (s.size() >= 3 && s[2] == QLatin1Char('X')) {
            doc_.grafiken.append(grafikDefinitionLesen(QStringView(s).mid(3)));
            return i + 1;
        }
        if (s.size() >= 3 && s[2] == QLatin1Char('N'))
            return bildZeile(i, QStringView(s).mid(3), false);
        return i + 1;
    case 'D':
        if (s.size() >= 3 && s[2] == QLatin1Char('c')) return diagrammBlock(i);
        return i + 1;
    default:
        return i + 1;
    }
}

int TDruckLayout::kopfBefehl(int i, const QString& s) {
    const qsizetype ko = s.indexOf(QStringLiteral("°KO"));
    if (ko >= 0) {
        const QStringList w = s.mid(ko + 3).split(QLatin1Char(','));
        int* felder[] = {&z_.obenspin, &z_.untenspin, &z_.Alinks,
                         &z_.Arechts,  &z_.Akopf,     &z_.Afuss};
        const int obenAlt = z_.obenspin;
        for (int k = 0; k < 6 && k < w.size(); ++k) {
            if (w[k].trimmed().isEmpty()) continue;
            const double v = zahl(w[k]);
            if (v >= 0 && v < 1000) *felder[k] = static_cast<int>(std::lround(v * 10));
        }
        z_.unten = z_.untenspin + hoehe();
        if (z_.obenspin != obenAlt) {
            if (seiteLeer()) {
                z_.oben = z_.obenspin + (z_.kop1.k[1].isEmpty() ? 0 : 60) +
                          (z_.kop1.k[2].isEmpty() ? 0 : 40);
                z_.y = z_.oben;
                if (!zeichnen_ && !seiten_.isEmpty()) seiten_.last().oben = z_.oben;
            } else if (!zeichnen_ && i >= 0 && i + 1 < m_.size()) {
                return umbruch(i + 1, false);
            }
        }
        return i + 1;
    }
    if (s.size() < 3) return i + 1;
    const QChar c = s[2];
    if (c == QLatin1Char('S')) {
        // "°KS" + set + "_" + line + "_" + text
        const qsizetype a = s.indexOf(QLatin1Char('_'), 3);
        if (a < 0) return i + 1;
        const qsizetype b = s.indexOf(QLatin1Char('_'), a + 1);
        if (b < 0) return i + 1;
        tkopfzeilen& set = s.mid(3, a - 3) == QLatin1String("2") ? z_.kop2 : z_.kop1;
        const QString zeile = s.mid(a + 1, b - a - 1);
        const QString text = s.mid(b + 1);
        if (zeile == QLatin1String("0") || zeile == QLatin1String("1") ||
            zeile == QLatin1String("2"))
            set.k[zeile.toInt()] = text;
        else if (zeile.startsWith(QLatin1Char('U')))
            set.fuss = text;
    } else if (c == QLatin1Char('0') || c == QLatin1Char('1') || c == QLatin1Char('2')) {
        z_.kop1.k[c.digitValue()] = s.mid(3);
    } else if (c == QLatin1Char('-')) {
        z_.kop1.fuss = s.mid(3);
    } else if (c == QLatin1Char('C')) {
        z_.kop1.k = {};
        z_.kop2.k = {QStringLiteral("-"), QString(), QString()};
        z_.kop2.fuss = QStringLiteral("-");
    } else if (c == QLatin1Char('L')) {
        z_.logo = s.mid(3);
    } else if (c == QLatin1Char('F')) {
        z_.bild2 = s.mid(3);
    }
    return i + 1;
}

int TDruckLayout::ueberschrift(int i) {
    if (z_.tab.offen) tabelleSchliessen();
    z_.einzug = 0;
    if (!zeichnen_ && z_.y > z_.druckh / 2) keepSetzen(i);
    canvas_.font.groesse = 12;
    const int h = hoehe();
    const QString text = m_[i].mid(2);
    canvas_.hoeheMax = 0;
    if (zeichnen_) {
        const TSchrift vorher = canvas_.font;
        const int w = canvas_.mytextwidth(text);
        const int x =
            z_.ausrichtung == tmCenter ? (z_.druckb + z_.Alinks - z_.Arechts - w) / 2 : z_.Alinks;
        canvas_.font = vorher;
        canvas_.mytextout(x, z_.y, text);
    } else {
        canvas_.lauf(0, 0, text, false);
    }
    z_.y += kuerze(h * 1.5);
    canvas_.font.groesse = 10;
    return i + 1;
}

namespace {
QString buchstabenMarke(qint64 k, bool gross) {
    // a) ... z), then aa), ab) ...: lists longer than the alphabet keep counting.
    if (k < 1) k = 1;
    QString s;
    while (k > 0) {
        --k;
        s.prepend(QChar(static_cast<char16_t>((gross ? u'A' : u'a') + k % 26)));
        k /= 26;
    }
    return s;
}
} // namespace

int TDruckLayout::textzeile(int i) {
    const QString& s = m_[i];
    int links = z_.Alinks + z_.einzug;
    int markerBreite = 0;
    if (z_.liste != nsNone) {
        QString marker;
        switch (z_.liste) {
        case nsNumber:
            marker = QString::number(z_.listenZaehler) + QLatin1Char(')');
            break;
        case nsLowerCase:
            marker = buchstabenMarke(z_.listenZaehler, false) + QLatin1Char(')');
            break;
        case nsUpperCase:
            marker = buchstabenMarke(z_.listenZaehler, true) + QLatin1Char(')');
            break;
        default:
            marker = QStringLiteral("\u2022");
            break;
        }
        const int h = hoehe();
        markerBreite = canvas_.textwidth(QString(marker.size() + 2, QLatin1Char('A')));
        if (zeichnen_) {
            const TSchrift alt = canvas_.font;
            canvas_.font.index = 0;
            canvas_.textout(links + h, z_.y, marker);
            canvas_.font = alt;
        }
        const int weiter = absatz(i, s, links, textBreite() - z_.einzug, markerBreite);
        if (weiter != i + 1) return weiter;
        ++z_.listenZaehler;
        if (z_.liste != nsBullet) z_.y += hoehe();
        return i + 1;
    }
    return absatz(i, s, links, textBreite() - z_.einzug, 0);
}

// Sets a paragraph into lines of the available width. Returns the next line to process: i + 1,
// or the start of a kept block that moved to the next page.
int TDruckLayout::absatz(int i, QStringView text, int links, int breite, int markerBreite) {
    const int verfuegbar = breite - markerBreite;
    const int x0 = links + markerBreite;
    struct Wort {
        QStringView text;
        int breite = 0;
        int hoehe = 0;
        int leer = 0; // width of the blank after it (0 when an escape consumed it)
        bool escape = false;
        TSchrift vorher;
    };
    // "þ" breaks the paragraph into segments that each start a new line.
    qsizetype segStart = 0;
    const qsizetype n = text.size();
    bool ersteZeile = true;
    while (segStart <= n) {
        qsizetype segEnde = text.indexOf(umbruchZeichen, segStart);
        if (segEnde < 0) segEnde = n;
        const QStringView seg = text.mid(segStart, segEnde - segStart);
        QList<Wort> woerter;
        qsizetype a = 0;
        // Tab stops count from where the text begins, so a segment with tabs is set whole
        // rather than word by word. Asked once: asking per word made long paragraphs quadratic.
        const bool mitTab = seg.contains(QLatin1Char('\t'));
        while (a <= seg.size()) {
            qsizetype b = mitTab ? -1 : seg.indexOf(QLatin1Char(' '), a);
            if (b < 0) b = seg.size();
            Wort w;
            w.text = seg.mid(a, b - a);
            w.vorher = canvas_.font;
            canvas_.hoeheMax = 0;
            w.breite = canvas_.lauf(0, 0, w.text, false);
            w.hoehe = canvas_.hoeheMax;
            w.escape = w.text.startsWith(QStringLiteral("°("));
            w.leer = canvas_.leerVerbraucht ? 0 : canvas_.textwidth(u" ");
            woerter.append(w);
            a = b + 1;
        }
        const TSchrift danach = canvas_.font;
        int k = 0;
        const int anzahl = static_cast<int>(woerter.size());
        while (k < anzahl) {
            if (!ersteZeile) {
                if (!zeichnen_ && z_.y >= grenze()) {
                    const int weiter = umbruch(i, true);
                    if (bewegt_) return weiter;
                } else if (zeichnen_ && z_.y >= grenze() && seite_ + 1 < seiten_.size() &&
                           seiten_[seite_ + 1].startZeile < 0) {
                    neueSeite(-1, i);
                }
            }
            ersteZeile = false;
            // At least one word per line, however narrow the line.
            int ende = k + 1;
            int w = woerter[k].breite;
            while (ende < anzahl &&
                   w + woerter[ende - 1].leer + woerter[ende].breite <= verfuegbar) {
                w += woerter[ende - 1].leer + woerter[ende].breite;
                ++ende;
            }
            const int h = std::max(1, woerter[k].vorher.hoehe());
            int zeilenHoehe = kuerze(h * 1.1);
            for (int j = k; j < ende; ++j) zeilenHoehe = std::max(zeilenHoehe, woerter[j].hoehe);
            if (zeichnen_ && canvas_.painter) {
                int x = x0;
                double extra = 0;
                const bool letzte = ende == anzahl;
                if (z_.ausrichtung == tmRight)
                    x = x0 + verfuegbar - w;
                else if (z_.ausrichtung == tmCenter)
                    x = (z_.druckb + z_.Alinks - z_.Arechts - w) / 2;
                else if (z_.ausrichtung == tmBlock && !letzte) {
                    int luecken = 0;
                    for (int j = k + 1; j < ende; ++j)
                        if (!woerter[j].escape) ++luecken;
                    if (luecken > 0) extra = static_cast<double>(verfuegbar - w) / luecken;
                }
                double rest = 0;
                for (int j = k; j < ende; ++j) {
                    canvas_.font = woerter[j].vorher;
                    canvas_.lauf(x, z_.y, woerter[j].text, true);
                    x += woerter[j].breite;
                    if (j + 1 < ende) {
                        x += woerter[j].leer;
                        if (extra > 0 && !woerter[j + 1].escape) {
                            rest += extra;
                            const int ganz = static_cast<int>(rest);
                            x += ganz;
                            rest -= ganz;
                        }
                    }
                }
            }
            z_.y += zeilenHoehe;
            k = ende;
        }
        canvas_.font = danach;
        segStart = segEnde + 1;
    }
    return i + 1;
}

} // namespace zephan
