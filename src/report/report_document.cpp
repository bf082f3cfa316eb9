#include "report/report_document.h"

#include "report/qr_code.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

namespace zephan {

namespace {
const QChar umbruch(0x00FE); // "þ", the break inside one line

QString zahl(int i) {
    return QString::number(i);
}

// Splits memo text into its lines: CR LF, CR and LF each end a line; a final break does not
// open another, empty line.
QStringList memoZeilen(const QString& memo) {
    QStringList zeilen;
    QString aktuell;
    const qsizetype n = memo.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = memo[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && memo[i + 1] == QLatin1Char('\n')) ++i;
            zeilen.append(aktuell);
            aktuell.clear();
        } else {
            aktuell += c;
        }
    }
    if (!aktuell.isEmpty()) zeilen.append(aktuell);
    return zeilen;
}

// Every line break of a memo (CR LF, CR, LF) as "þ".
QString memoEinzeilig(const QString& memo) {
    QString s = memo;
    s.replace(QLatin1String("\r\n"), QString(umbruch));
    s.replace(QLatin1Char('\r'), umbruch);
    s.replace(QLatin1Char('\n'), umbruch);
    return s;
}
} // namespace

TDruck::TDruck() {
    clear();
}

void TDruck::clear() {
    m.clear();
    mbackup.clear();
    grafikDirekt.clear();
    grafiken.clear();
    kop1 = tkopfzeilen{};
    kop1.fuss = QStringLiteral("°");
    kop2 = tkopfzeilen{};
    kop2.k[0] = QStringLiteral("-");
    kop2.fuss = QStringLiteral("-");
    anBetreff.clear();
    anErsteller.clear();
    anEMail.clear();
    wasserzeichen_.clear();
    falzmarken_ = false;
    quer = false;
    obenspin = 200;
    untenspin = 200;
    Alinks = 200;
    Arechts = 200;
    Akopf = 100;
    Afuss = 150;
    gedruckt_ = false;
    geMailt_ = false;
    ++generation_;
}

void TDruck::zeile(const QString& s) {
    if (drucken) m.append(s);
}

void TDruck::meldeFehler(const QString& text) const {
    trace(text);
    if (seam) seam->meldung(text, UserSeam::Kind::Fehler);
}

void TDruck::add(const QString& s) {
    if (!drucken) return;
    // Most lines hold no carriage return: they are kept as they are, without a copy.
    if (!s.contains(QLatin1Char('\r'))) {
        m.append(s);
        return;
    }
    QString t = s;
    t.replace(QLatin1String("\r\n"), QString(umbruch));
    t.replace(QLatin1Char('\r'), umbruch);
    m.append(t);
}

void TDruck::add(const QString& caption, const QString& s) {
    add(caption + QLatin1Char('|') + s);
}

void TDruck::addW(const QString& s) {
    zeile(s);
}

void TDruck::addStrings(const QStringList& s) {
    for (const QString& z : s) add(z);
}

void TDruck::addMemo(const QString& memo, bool danach1xLeer) {
    if (!drucken) return;
    m.append(memoZeilen(memo));
    if (danach1xLeer) m.append(QString());
}

void TDruck::addMemo2(const QString& inhaltenSpaltendavor, const QString& memo, bool danach1xLeer) {
    if (!drucken) return;
    if (inhaltenSpaltendavor.isEmpty()) {
        addMemo(memo, danach1xLeer);
        return;
    }
    QString s = inhaltenSpaltendavor;
    if (!s.endsWith(QLatin1Char('|'))) s += QLatin1Char('|');
    m.append(s + memoEinzeilig(memo));
}

void TDruck::leer() {
    zeile(QString());
}

void TDruck::headline(const QString& s) {
    // A caption or room name with a line break breaks the heading as `add` breaks its lines.
    add(QStringLiteral("°Ü") + (uebersetzen ? uebersetzen(s) : s));
}

void TDruck::tabelle(const QString& format) {
    zeile(QStringLiteral("°TK1|") + format);
}

void TDruck::tabelleK(int kopfzeilen, const QString& format) {
    zeile(QStringLiteral("°TK") + zahl(kopfzeilen) + QLatin1Char('|') + format);
}

void TDruck::design(const QString& s) {
    zeile(QStringLiteral("°Z") + s);
}

void TDruck::size(int i) {
    zeile(QStringLiteral("°H") + zahl(i < 1 ? 10 : i));
}

void TDruck::Schrift(const QString& s) {
    zeile(QStringLiteral("°F") + s);
}

void TDruck::links() {
    zeile(QStringLiteral("°XC0"));
}
void TDruck::rechts() {
    zeile(QStringLiteral("°XC1"));
}
void TDruck::center() {
    zeile(QStringLiteral("°XC2"));
}
void TDruck::linksblock() {
    zeile(QStringLiteral("°XC3"));
}

void TDruck::listitem(const QString& typ_1_A_a_punkt) {
    zeile(QStringLiteral("°N") + typ_1_A_a_punkt);
}

void TDruck::linksLeer(int i) {
    zeile(QStringLiteral("°L") + zahl(i));
}

void TDruck::NeueSeite() {
    zeile(QStringLiteral("°XA"));
}
void TDruck::NeueSeiteNull() {
    zeile(QStringLiteral("°XA0"));
}
void TDruck::Absatz() {
    zeile(QStringLiteral("°XB"));
}

void TDruck::Uebertrag(const QString& s) {
    zeile(QStringLiteral("°U") + s);
}

void TDruck::Seitenzahlen(bool ein) {
    zeile(ein ? QStringLiteral("°XD1") : QStringLiteral("°XD0"));
}

void TDruck::SeiteQuer(bool ein) {
    zeile(ein ? QStringLiteral("°Q1") : QStringLiteral("°Q"));
}

void TDruck::dreh(bool drehen) {
    zeile(drehen ? QStringLiteral("°XQ") : QStringLiteral("°XQ-"));
}

void TDruck::kopf(const QString& kopf1, const QString& kopf2, const QString& kopf3,
                  const QString& fuss) {
    if (!drucken) return;
    m.append(QStringLiteral("°KS1_0_") + kopf1);
    m.append(QStringLiteral("°KS1_1_") + kopf2);
    m.append(QStringLiteral("°KS1_2_") + kopf3);
    kop1.k = {kopf1, kopf2, kopf3};
    if (fuss != QLatin1String("???")) kop1.fuss = fuss;
}

void TDruck::kopf2(const QString& kopf1, const QString& kopf2, const QString& kopf3,
                   const QString& fuss) {
    if (!drucken) return;
    m.append(QStringLiteral("°KS2_0_") + kopf1);
    m.append(QStringLiteral("°KS2_1_") + kopf2);
    m.append(QStringLiteral("°KS2_2_") + kopf3);
    kop2.k = {kopf1, kopf2, kopf3};
    if (fuss != QLatin1String("???")) {
        m.append(QStringLiteral("°KS2_U0_") + fuss);
        kop2.fuss = fuss;
    }
}

void TDruck::kopf_clear() {
    zeile(QStringLiteral("°KC"));
}

void TDruck::kopflogoDef(const QString& name, int breiteMM, int vonLinksMM, int vonObenMM,
                         const TBild& gra) {
    if (!drucken) return;
    const QString n = grafikName(name);
    if (n.isEmpty()) {
        m.append(QStringLiteral("°KL"));
        return;
    }
    m.append(QStringLiteral("°KL") + n + QStringLiteral(",B") + zahl(breiteMM) +
             QStringLiteral(",L") + zahl(vonLinksMM) + QStringLiteral(",O") + zahl(vonObenMM));
    grafikDef(n, gra);
}

void TDruck::obenunten(int abstandoben, int abstandunten, int links, int rechts, int kOben,
                       int kFuss) {
    const QChar k(QLatin1Char(','));
    zeile(QStringLiteral("°KO") + zahl(abstandoben) + k + zahl(abstandunten) + k + zahl(links) + k +
          zahl(rechts) + k + zahl(kOben) + k + zahl(kFuss));
}

void TDruck::grafik(const QString& titel, int breitemm, int linksMM, int obenMM) {
    QString s = QStringLiteral("°GN") + grafikName(titel);
    if (breitemm >= 0) s += QStringLiteral(",B") + zahl(breitemm);
    if (linksMM != -1) s += QStringLiteral(",L") + zahl(linksMM);
    if (obenMM >= 0) s += QStringLiteral(",O") + zahl(obenMM);
    zeile(s);
}

void TDruck::grafikPro(const QString& titel, int breiteprozent, bool zentriert) {
    QString s = QStringLiteral("°GN") + grafikName(titel);
    if (breiteprozent >= 0) s += QStringLiteral(",B") + zahl(breiteprozent) + QLatin1Char('%');
    if (zentriert) s += QStringLiteral(",Z1");
    zeile(s);
}

void TDruck::grafikDef(const QString& titel, const TBild& gra) {
    if (!drucken) return;
    if (gra.leer()) {
        meldeFehler(QStringLiteral("Bild ") + titel + QStringLiteral(" ist leer"));
        return;
    }
    // A picture of unknown kind cannot be shown either; it is empty for the report.
    const QString art = gra.art.isEmpty() ? grafikArt(gra.daten) : gra.art;
    if (art != QLatin1String("JPG") && art != QLatin1String("BMP")) {
        meldeFehler(QStringLiteral("Bild ") + titel + QStringLiteral(" ist leer"));
        return;
    }
    m.append(QStringLiteral("°GX") + grafikName(titel) + QLatin1Char('|') + art + QLatin1Char('|') +
             grafikDatenSchreiben(gra.daten));
}

void TDruck::grafikDefstream(const QString& titel, const QByteArray& stream) {
    zeile(QStringLiteral("°GX") + grafikName(titel) + QLatin1Char('|') + grafikArt(stream) +
          QLatin1Char('|') + grafikDatenSchreiben(stream));
}

void TDruck::grafikDefDirekt(const QString& titel, const TBild& gra) {
    const QString n = grafikName(titel);
    for (auto& [name, bild] : grafikDirekt) {
        if (name == n) {
            bild = gra;
            return;
        }
    }
    grafikDirekt.append({n, gra});
}

void TDruck::grafikDefDirekt(const QString& titel, const QByteArray& stream) {
    grafikDefDirekt(titel, TBild::ausDaten(stream));
}

void TDruck::qrDef(const QString& titel, const QString& inhalt, bool utf8) {
    if (!drucken) return;
    const QrModule qr = qrKodieren(inhalt, utf8);
    if (!qr.ok()) {
        meldeFehler(QStringLiteral("QR-Code ") + titel +
                    QStringLiteral(" kann nicht erzeugt werden: ") + qr.fehler);
        return;
    }
    m.append(QStringLiteral("°GX") + grafikName(titel) + QStringLiteral("|QRDATA|") +
             qr.alsQrData());
}

void TDruck::grafikdef_QRCODE(const QString& titel, const QString& inhalt) {
    qrDef(titel, inhalt, false);
}

void TDruck::grafikdef_QRCODE_UTF8(const QString& titel, const QString& inhalt) {
    qrDef(titel, inhalt, true);
}

void TDruck::Diagramm(int typ, int links, int breite, int hoehe, const QString& headline) {
    zeile(QStringLiteral("°Dctyp:") + zahl(typ) + QStringLiteral("|links:") + zahl(links) +
          QStringLiteral("|breite:") + zahl(breite) + QStringLiteral("|hoehe:") + zahl(hoehe) +
          QStringLiteral("|text:") + headline);
}

void TDruck::Diagramm(int typ, int links, int breite, int hoehe, const QString& headline,
                      bool hilfsliniex, bool hilfsliniey) {
    QString s = QStringLiteral("°Dctyp:") + zahl(typ) + QStringLiteral("|links:") + zahl(links) +
                QStringLiteral("|breite:") + zahl(breite) + QStringLiteral("|hoehe:") +
                zahl(hoehe) + QStringLiteral("|text:") + headline;
    if (hilfsliniex) s += QStringLiteral("|hliniex:1");
    if (hilfsliniey) s += QStringLiteral("|hliniey:1");
    zeile(s);
}

void TDruck::DiaNeueReihe(const QString& text, int Nachkommastellen, int typ, int farbe) {
    QString s = QStringLiteral("°DNtext:") + text + QStringLiteral("|nach:") +
                zahl(Nachkommastellen) + QStringLiteral("|typ:") + zahl(typ);
    // "#RRGGBB" is the one colour form the diagram reads back for every colour.
    if (farbe != -1)
        s += QStringLiteral("|farbe:#") +
             QStringLiteral("%1")
                 .arg(static_cast<uint>(farbe) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
                 .toUpper();
    zeile(s);
}

void TDruck::DiaSetachse(const QString& xachse, const QString& von, const QString& bis,
                         const QString& step, const QString& text, int typ) {
    QString s = QStringLiteral("°D") + xachse + QStringLiteral("von:") + von +
                QStringLiteral("|bis:") + bis + QStringLiteral("|step:") + step +
                QStringLiteral("|text:") + text;
    if (typ != 0) s += QStringLiteral("|typ:") + zahl(typ);
    zeile(s);
}

const TBild* TDruck::direkteGrafik(const QString& titel) const {
    const QString n = grafikName(titel);
    for (const auto& [name, bild] : grafikDirekt)
        if (name == n) return &bild;
    return nullptr;
}

const TGrafikDefinition* TDruck::definierteGrafik(const QString& titel) const {
    const QString n = grafikName(titel);
    for (qsizetype i = grafiken.size() - 1; i >= 0; --i)
        if (grafiken[i].name == n) return &grafiken[i];
    return nullptr;
}

Zeilenart zeilenart(QStringView zeile) {
    if (zeile.isEmpty()) return Zeilenart::Leer;
    if (zeile.size() >= 2 && zeile[0] == QChar(druckMarke)) return Zeilenart::Befehl;
    return Zeilenart::Text;
}

void dokumentVorbereiten(QStringList& m) {
    const QString x = QString(QChar(druckMarke)) + QLatin1Char('X');
    const QString u = QString(QChar(druckMarke)) + QLatin1Char('U');
    while (!m.isEmpty() && (m.last().isEmpty() || m.last().startsWith(x) || m.last().startsWith(u)))
        m.removeLast();
    const QString block = x + QLatin1Char('B');
    QStringList bereit;
    bereit.reserve(m.size());
    for (qsizetype i = 0; i < m.size(); ++i) {
        const QString& z = m[i];
        if (z == block && i + 1 < m.size() && m[i + 1] == block) continue;
        if (!z.isEmpty() && z.size() < 200 && z.count(QLatin1Char('|')) == z.size())
            bereit.append(QStringLiteral(" "));
        else
            bereit.append(z);
    }
    m = std::move(bereit);
}

} // namespace zephan
