#include "network/settings.h"

#include "store/folders.h"
#include "store/ini_file.h"
#include "store/number_format.h"

#include <QFileInfo>
#include <algorithm>

namespace zephan {

namespace {

const QString abmessung = QStringLiteral("Abmessung");
const QString programmDV = QStringLiteral("ProgrammDV");
const QString isolierungSection = QStringLiteral("Isolierung");

const QString standardKanal =
    QStringLiteral("100|150|200|250|300|400|500|600|800|1000|1200|1400|1600|1800|2000|2500|2800");
const QString standardRohr =
    QStringLiteral("40|50|63|80|100|125|130|150|160|180|200|230|255|300|315|355|400|450|500|"
                   "550|630|710|800|900|1000|1120|1250|1300|1400|1500|1750|2250|2500|2800");
const QString standardPaProM = QStringLiteral("0,5");
const QString standardRdh = QStringLiteral("1");
const QString standardSchall = QStringLiteral("125,250,1K,2K");

constexpr int massMin = 10;
constexpr int massMax = 100000;
// An insulation count beyond this is a damaged file, not a list anyone keeps.
constexpr qint64 maxIsolierungen = 1000;

const char* const tokens[anzahlSchallBaender] = {"63", "125", "250", "500", "1K", "2K", "4K"};

QList<int> masseAus(const QString& text) {
    QList<int> l;
    for (const QString& teil : text.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const int v = leseGanzzahl(teil);
        if (v > 0) l.append(v);
    }
    return l;
}

int begrenzt(qint64 v, int lo, int hi) {
    return static_cast<int>(std::clamp<qint64>(v, lo, hi));
}

// A decimal text that is a number within lo ... hi.
bool zahlImBereich(const QString& t, double lo, double hi) {
    bool ok = false;
    const double v = leseZahl(t, &ok);
    return ok && v >= lo && v <= hi;
}

} // namespace

QString bandToken(int k) {
    if (k < 0 || k >= anzahlSchallBaender) return QString();
    return QString::fromLatin1(tokens[k]);
}

Einstellungen::Einstellungen()
    : kanal_(masseAus(standardKanal)), rohr_(masseAus(standardRohr)), paProM_(standardPaProM),
      rohrRdh_(standardRdh), kanalRdh_(standardRdh), isolierung_(standardIsolierung()) {
    setSchallText(standardSchall);
}

// --- standard sizes ------------------------------------------------------------------------

int Einstellungen::massHinzufuegen(MassListe l, int mm) {
    if (mm < massMin || mm > massMax) return -1;
    QList<int>& liste = (l == MassListe::Kanal) ? kanal_ : rohr_;
    if (!liste.contains(mm)) {
        liste.append(mm);
        std::stable_sort(liste.begin(), liste.end());
    }
    return static_cast<int>(liste.indexOf(mm));
}

int Einstellungen::masseLoeschen(MassListe l, const QList<int>& positionen) {
    QList<int>& liste = (l == MassListe::Kanal) ? kanal_ : rohr_;
    QList<int> pos;
    for (int p : positionen)
        if (p >= 0 && p < liste.size() && !pos.contains(p)) pos.append(p);
    std::sort(pos.begin(), pos.end(), std::greater<int>());
    int entfernt = 0;
    for (int p : pos) {
        // Sizing and the page checks need a first entry, so the last one stays.
        if (liste.size() <= 1) break;
        liste.removeAt(p);
        ++entfernt;
    }
    return entfernt;
}

bool Einstellungen::setMasseText(MassListe l, const QString& text) {
    const QList<int> neu = masseAus(text);
    if (neu.isEmpty()) return false;
    ((l == MassListe::Kanal) ? kanal_ : rohr_) = neu;
    return true;
}

QString Einstellungen::masseText(MassListe l) const {
    QString s;
    for (int v : masse(l)) s += QString::number(v) + QLatin1Char('|');
    return s;
}

// --- sizing and presets ----------------------------------------------------------------------

void Einstellungen::setSpeedHaupt(int v) {
    speedHaupt_ = std::clamp(v, 1, 20);
}
void Einstellungen::setSpeedVerz(int v) {
    speedVerz_ = std::clamp(v, 1, 20);
}
void Einstellungen::setSpeedAbz(int v) {
    speedAbz_ = std::clamp(v, 1, 20);
}

int Einstellungen::designGeschwindigkeit(int abschnittKlasse) const {
    switch (abschnittKlasse) {
    case 0:
        return speedHaupt_;
    case 1:
        return speedVerz_;
    default:
        return speedAbz_;
    }
}

double Einstellungen::paProM() const {
    bool ok = false;
    const double v = leseZahl(paProM_, &ok);
    return ok ? v : 0.0;
}

void Einstellungen::setNachhallzeit(int ms) {
    nachhallzeit_ = std::clamp(ms, 0, 10000);
}
void Einstellungen::setAbstand(int m) {
    abstand_ = std::clamp(m, 0, 100);
}
void Einstellungen::setRaumdB(int db) {
    raumdB_ = std::clamp(db, 0, 90);
}

double Einstellungen::rohrRdh() const {
    return leseZahl(rohrRdh_, nullptr, 1.0);
}
double Einstellungen::kanalRdh() const {
    return leseZahl(kanalRdh_, nullptr, 1.0);
}

bool Einstellungen::setRohrRdhText(const QString& t) {
    if (!zahlImBereich(t, 0, 100)) return false;
    rohrRdh_ = t.trimmed();
    return true;
}

bool Einstellungen::setKanalRdhText(const QString& t) {
    if (!zahlImBereich(t, 0, 100)) return false;
    kanalRdh_ = t.trimmed();
    return true;
}

// --- hidden page -----------------------------------------------------------------------------

void Einstellungen::setMin1qm(int i) {
    min1qm_ = (i >= 0 && i <= 2) ? i : 1;
}

bool Einstellungen::isolierungEntfernen(int position) {
    if (position < 0 || position >= isolierung_.size()) return false;
    isolierung_.removeAt(position);
    return true;
}

QString Einstellungen::isolierungZeile(const Isolierung& i) {
    return i.material + QStringLiteral(", ") + QString::number(i.dicke) + QStringLiteral("mm");
}

Isolierung Einstellungen::isolierungAusZeile(const QString& zeile) {
    Isolierung i;
    const qsizetype komma = zeile.indexOf(QLatin1Char(','));
    if (komma < 0) {
        i.material = zeile;
        return i;
    }
    i.material = zeile.left(komma);
    QString rest = zeile.mid(komma + 1);
    if (rest.startsWith(QLatin1Char(' '))) rest.remove(0, 1);
    if (rest.endsWith(QStringLiteral("mm"))) rest.chop(2);
    const int d = leseGanzzahl(rest);
    i.dicke = d < 0 ? 0 : d;
    return i;
}

QList<Isolierung> Einstellungen::standardIsolierung() {
    return {{QStringLiteral("keine"), 0},
            {QStringLiteral("Mineralwolle"), 30},
            {QStringLiteral("Amaflex"), 20},
            {QStringLiteral("Blech mit Dämmung"), 50},
            {QStringLiteral("Promat L90"), 100}};
}

// --- sound -----------------------------------------------------------------------------------

void Einstellungen::setBand(int k, bool an) {
    if (k >= 0 && k < anzahlSchallBaender) baender_[k] = an;
}

QString Einstellungen::schallText() const {
    QString s;
    for (int k = 0; k < anzahlSchallBaender; ++k)
        if (baender_[k]) s += bandToken(k) + QLatin1Char(',');
    return s;
}

void Einstellungen::setSchallText(const QString& text) {
    // No token is part of another, so looking for each one in the text is exact.
    for (int k = 0; k < anzahlSchallBaender; ++k)
        baender_[k] = text.contains(bandToken(k), Qt::CaseInsensitive);
}

// --- the settings file -----------------------------------------------------------------------

void Einstellungen::lesen(TIniFile2& ini) {
    *this = Einstellungen();
    setMasseText(MassListe::Kanal,
                 ini.ReadString(abmessung, QStringLiteral("Kanal"), standardKanal));
    setMasseText(MassListe::Rohr, ini.ReadString(abmessung, QStringLiteral("Rohr"), standardRohr));
    const qint64 a = ini.ReadInteger(abmessung, QStringLiteral("Auslegung"), 0);
    auslegung_ = (a == 1) ? 1 : 0;
    speedHaupt_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SpeedHaupt"), 8), 1, 20);
    speedVerz_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SpeedVerz"), 5), 1, 20);
    speedAbz_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SpeedAbz"), 3), 1, 20);
    const QString pa = ini.ReadString(abmessung, QStringLiteral("PaProM"), standardPaProM);
    // A gradient that is no positive number would make sizing by gradient impossible.
    bool paOk = false;
    const double paWert = leseZahl(pa, &paOk);
    paProM_ = (paOk && paWert > 0) ? pa.trimmed() : standardPaProM;
    nachhallzeit_ =
        begrenzt(ini.ReadInteger(abmessung, QStringLiteral("Nachhallzeit"), 1000), 0, 10000);
    abstand_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("Abstand"), 3), 0, 100);
    raumdB_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("RaumdB"), 30), 0, 90);
    setRohrRdhText(ini.ReadString(abmessung, QStringLiteral("RohrRdh"), standardRdh));
    setKanalRdhText(ini.ReadString(abmessung, QStringLiteral("KanalRdh"), standardRdh));
    immerPlanen_ = ini.ReadBool(abmessung, QStringLiteral("ImmerPlanen"), true);
    bauteilUnter_ = ini.ReadBool(abmessung, QStringLiteral("BauteilUnter"), true);
    // "Abweichung" is written but never read back: the tolerance is 2 mm in every run.
    setMin1qm(begrenzt(ini.ReadInteger(abmessung, QStringLiteral("Min1qm"), 1), -1, 3));
    vierkantrund_ = ini.ReadBool(abmessung, QStringLiteral("Vierkantrund"), false);
    sb30ab_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SB30ab"), 1000), 0, massMax);
    sb40ab_ = begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SB40ab"), 2500), 0, massMax);
    setSbmin(begrenzt(ini.ReadInteger(abmessung, QStringLiteral("SBmin"), 1), -1, 3));

    setSchallText(ini.ReadString(programmDV, QStringLiteral("Schall"), standardSchall));
    const qint64 m = ini.ReadInteger(programmDV, QStringLiteral("Schallmethode"), 1);
    schallmethode_ = (m == 0) ? 0 : 1;
    schallAuslass_ = ini.ReadBool(programmDV, QStringLiteral("SchallAuslass"), false);
    autoSave_ = ini.ReadBool(programmDV, QStringLiteral("AutoSave"), true);

    const qint64 n = ini.ReadInteger(isolierungSection, QStringLiteral("Anzahl"), 0);
    if (n > 0) {
        isolierung_.clear();
        for (qint64 i = 0; i < std::min(n, maxIsolierungen); ++i) {
            const QString nr = QString::number(i);
            Isolierung iso;
            iso.material = ini.ReadString(isolierungSection, QStringLiteral("Material") + nr,
                                          QStringLiteral("-"));
            iso.dicke = begrenzt(
                ini.ReadInteger(isolierungSection, QStringLiteral("Dicke") + nr, 0), 0, massMax);
            isolierung_.append(iso);
        }
    }
}

void Einstellungen::schreiben(TIniFile2& ini) const {
    ini.WriteString(abmessung, QStringLiteral("Kanal"), masseText(MassListe::Kanal));
    ini.WriteString(abmessung, QStringLiteral("Rohr"), masseText(MassListe::Rohr));
    ini.WriteString(abmessung, QStringLiteral("KanalRdh"), kanalRdh_);
    ini.WriteString(abmessung, QStringLiteral("RohrRdh"), rohrRdh_);
    ini.WriteInteger(abmessung, QStringLiteral("Auslegung"), auslegung_);
    ini.WriteString(abmessung, QStringLiteral("PaProM"), paProM_);
    ini.WriteInteger(abmessung, QStringLiteral("SpeedHaupt"), speedHaupt_);
    ini.WriteInteger(abmessung, QStringLiteral("SpeedVerz"), speedVerz_);
    ini.WriteInteger(abmessung, QStringLiteral("SpeedAbz"), speedAbz_);
    ini.WriteInteger(abmessung, QStringLiteral("Nachhallzeit"), nachhallzeit_);
    ini.WriteInteger(abmessung, QStringLiteral("Abstand"), abstand_);
    ini.WriteInteger(abmessung, QStringLiteral("RaumdB"), raumdB_);
    ini.WriteBool(abmessung, QStringLiteral("Immerplanen"), immerPlanen_);
    ini.WriteBool(abmessung, QStringLiteral("BauteilUnter"), bauteilUnter_);
    ini.WriteInteger(abmessung, QStringLiteral("Abweichung"), abweichung_);
    ini.WriteInteger(abmessung, QStringLiteral("Min1qm"), min1qm_);
    ini.WriteBool(abmessung, QStringLiteral("Vierkantrund"), vierkantrund_);
    ini.WriteInteger(abmessung, QStringLiteral("SB30ab"), sb30ab_);
    ini.WriteInteger(abmessung, QStringLiteral("SB40ab"), sb40ab_);
    ini.WriteInteger(abmessung, QStringLiteral("SBmin"), sbmin_);

    ini.WriteString(programmDV, QStringLiteral("Schall"), schallText());
    ini.WriteInteger(programmDV, QStringLiteral("Schallmethode"), schallmethode_);
    ini.WriteBool(programmDV, QStringLiteral("SchallAuslass"), schallAuslass_);
    ini.WriteBool(programmDV, QStringLiteral("AutoSave"), autoSave_);

    // Entries of a longer earlier list would otherwise linger behind the new count.
    for (const QString& key : ini.ReadSection(isolierungSection)) {
        const QString k = key.toLower();
        const QString nr = k.startsWith(QStringLiteral("material")) ? k.mid(8)
                           : k.startsWith(QStringLiteral("dicke"))  ? k.mid(5)
                                                                    : QString();
        bool ok = false;
        const qint64 i = nr.toLongLong(&ok);
        if (ok && i >= isolierung_.size()) ini.DeleteKey(isolierungSection, key);
    }
    ini.WriteInteger(isolierungSection, QStringLiteral("Anzahl"), isolierung_.size());
    for (qsizetype i = 0; i < isolierung_.size(); ++i) {
        const QString nr = QString::number(i);
        ini.WriteString(isolierungSection, QStringLiteral("Material") + nr,
                        isolierung_[i].material);
        ini.WriteInteger(isolierungSection, QStringLiteral("Dicke") + nr, isolierung_[i].dicke);
    }
}

QStringList Einstellungen::alsZeilen() const {
    TIniFile2 ini;
    schreiben(ini);
    QStringList zeilen;
    for (const QString& s : ini.ReadSections())
        for (const QString& k : ini.ReadSection(s))
            zeilen.append(s + QLatin1Char('/') + k + QLatin1Char('=') + ini.ReadString(s, k));
    return zeilen;
}

// --- the program's settings ------------------------------------------------------------------

Einstellungen& einstellungen() {
    static Einstellungen e;
    return e;
}

bool einstellungenLaden() {
    TIniFile2 ini = einstellungenLesen();
    const bool ok = ini.lastError().isEmpty();
    einstellungen().lesen(ini);
    ini.setChanged(false);
    return ok;
}

bool einstellungenSichern(QString* fehler) {
    TIniFile2 ini = einstellungenSchreiben();
    if (!ini.lastError().isEmpty()) {
        // A file that could not be read is not replaced by one holding only these sections.
        if (fehler) *fehler = ini.lastError();
        ini.setChanged(false);
        return false;
    }
    einstellungen().schreiben(ini);
    const bool ok = ini.save();
    if (!ok && fehler) *fehler = ini.lastError();
    ini.setChanged(false);
    return ok;
}

bool einstellungenLaden(Einstellungen& e, const QString& datei) {
    e = Einstellungen();
    if (!QFileInfo(datei).isFile()) return true;
    TIniFile2 ini;
    if (!ini.loadFromFile(datei)) return false;
    ini.setFilename(QString()); // reading never writes the file back
    e.lesen(ini);
    return true;
}

bool einstellungenSichern(const Einstellungen& e, const QString& datei, QString* fehler) {
    TIniFile2 ini;
    // The file holds other sections too (window positions, last project): keep them.
    if (QFileInfo(datei).isFile() && !ini.loadFromFile(datei)) {
        if (fehler) *fehler = ini.lastError();
        return false;
    }
    ini.setFilename(datei);
    ini.setUseUtf8(true);
    e.schreiben(ini);
    const bool ok = ini.save();
    if (!ok && fehler) *fehler = ini.lastError();
    ini.setChanged(false);
    return ok;
}

} // namespace zephan
