#include "network/project_file.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/settings.h"
#include "store/carried_data.h"
#include "store/echo_text.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/number_format.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

namespace zephan {

namespace {

const QString kTyp = QStringLiteral("Typ");
const QString kFehler = QStringLiteral("fehler");
const QString kTag1 = QStringLiteral("Tag1");
const QString kTag2 = QStringLiteral("Tag2");
const QString kEckig = QStringLiteral("eckig");
const QString kVor = QStringLiteral("Vor");
const QString kText = QStringLiteral("Text");
const QString kPlanung = QStringLiteral("Planung");
const QString kGruppe = QStringLiteral("Gruppe");
const QString kSchall = QStringLiteral("Schall");
const QString kNhzAngabe = QStringLiteral("NachHallzeitangabe");
const QString kNhz = QStringLiteral("NachHallzeit");
const QString kRsAngabe = QStringLiteral("RaumSpektrumangabe");
const QString kRs = QStringLiteral("RaumSpektrum");

QString key(const char* name, int k) {
    return QString::fromLatin1(name) + QString::number(k);
}

// formatZahlOhneGruppen without its intermediate copies for the usual whole values.
QString zahlText(double v, int decimals) {
    constexpr int maxNachkomma = 20;
    if (decimals > maxNachkomma || !(std::fabs(v) < 1e15) || v != std::trunc(v))
        return formatZahlOhneGruppen(v, decimals);
    char buf[24 + maxNachkomma];
    char* e = std::to_chars(buf, buf + 24, static_cast<long long>(v)).ptr;
    if (decimals > 0) {
        *e++ = ',';
        for (int i = 0; i < decimals; ++i) *e++ = '0';
    }
    return QString::fromLatin1(buf, e - buf);
}

// WriteSingle with the default 0: the key stays away when the value stores as 0.
void einzelSchreiben(TIniFile2& ini, const QString& section, const QString& k, int decimals,
                     double v) {
    const QString text = zahlText(v, decimals);
    if (text.startsWith(QLatin1Char('0')) && text == zahlText(0, decimals))
        ini.DeleteKey(section, k);
    else
        ini.WriteString(section, k, text);
}

// A band written in full: one decimal, also when it is 0 or -1, so it comes back as saved.
void bandSchreiben(TIniFile2& ini, const QString& section, const QString& k, double v) {
    ini.WriteString(section, k, zahlText(v, 1));
}

bool istProDatei(const QString& name) {
    return name.endsWith(QStringLiteral(".pro"), Qt::CaseInsensitive);
}

} // namespace

// --- records --------------------------------------------------------------------------------

namespace {

// The node keys, built once: a project has a hundred thousand node sections.
enum Schluessel : int {
    sTyp,
    sFehler,
    sTag1,
    sTag2,
    sEckig,
    sVor,
    sText,
    sPlanung,
    sGruppe,
    sI0,
    sP0 = sI0 + 7,
    sSchall = sP0 + 3,
    sSG0,
    sSD0 = sSG0 + 7,
    sNhzAngabe = sSD0 + 7,
    sNhz0,
    sRsAngabe = sNhz0 + 7,
    sRs0,
    sAnzahl = sRs0 + 7
};

struct SchluesselTabelle {
    QString name[sAnzahl];
    QString klein[sAnzahl];        // lower case
    QHash<QString, int> nachKlein; // lower-case key -> Schluessel

    SchluesselTabelle() {
        const auto setze = [&](int k, const QString& n) {
            name[k] = n;
            klein[k] = n.toLower();
            nachKlein.insert(klein[k], k);
        };
        setze(sTyp, kTyp);
        setze(sFehler, kFehler);
        setze(sTag1, kTag1);
        setze(sTag2, kTag2);
        setze(sEckig, kEckig);
        setze(sVor, kVor);
        setze(sText, kText);
        setze(sPlanung, kPlanung);
        setze(sGruppe, kGruppe);
        for (int k = 0; k < 7; ++k) setze(sI0 + k, key("I", k));
        for (int k = 0; k < 3; ++k) setze(sP0 + k, key("P", k));
        setze(sSchall, kSchall);
        for (int k = 0; k < 7; ++k) setze(sSG0 + k, key("SG", k));
        for (int k = 0; k < 7; ++k) setze(sSD0 + k, key("SD", k));
        setze(sNhzAngabe, kNhzAngabe);
        for (int k = 0; k < 7; ++k) setze(sNhz0 + k, key("NachHallzeit", k));
        setze(sRsAngabe, kRsAngabe);
        for (int k = 0; k < 7; ++k) setze(sRs0 + k, key("RaumSpektrum", k));
    }
};

// A whole number too long for any integer still is a number: it does not fit its field.
bool nurZiffern(QStringView t) {
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) t = t.mid(1);
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (!c.isDigit()) return false;
    return true;
}

// The stored numbers as the program writes them ("-1", "800", "1,500") read without the
// general reader's copy: digits with an optional sign and decimal comma, converted with the
// same correct rounding. Anything else (blanks, groups, "+") is left to leseZahl.
bool schlichteZahl(QStringView t, double& x) {
    constexpr qsizetype maxLaenge = 40;
    if (t.isEmpty() || t.size() > maxLaenge) return false;
    char buf[maxLaenge];
    // -?d+(,d+)?: a digit on both sides of the comma, so no reader can take it otherwise
    int vorKomma = 0, nachKomma = 0;
    bool komma = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++(komma ? nachKomma : vorKomma);
            buf[i] = static_cast<char>(c);
        } else if (c == u'-' && i == 0) {
            buf[i] = '-';
        } else if (c == u',' && !komma && vorKomma > 0) {
            komma = true;
            buf[i] = '.';
        } else {
            return false;
        }
    }
    if (vorKomma == 0 || (komma && nachKomma == 0)) return false;
    const auto r = std::from_chars(buf, buf + t.size(), x);
    return r.ec == std::errc() && r.ptr == buf + t.size() && std::isfinite(x);
}

const SchluesselTabelle& schluessel() {
    static const SchluesselTabelle t;
    return t;
}

// The values of one node section, collected in a single pass over its lines (the first line
// of a key counts) and read with the store's rules for integers, decimals and booleans.
class Leser {
public:
    Leser(const TSection* sec, const QString& section, FremdeSchluessel* fremde = nullptr)
        : s_(section) {
        if (!sec) return;
        const SchluesselTabelle& tab = schluessel();
        // Node sections list their keys in much the same order: the key that followed the
        // one before last time is compared first, the table is asked only when it differs.
        thread_local std::array<int, sAnzahl + 1> folgt = [] {
            std::array<int, sAnzahl + 1> f;
            f.fill(-1);
            return f;
        }();
        int vorher = sAnzahl; // the start of a section
        for (const TData& z : sec->list) {
            if (z.comment) continue;
            int k = folgt[static_cast<size_t>(vorher)];
            if (k < 0 || z.ident_small != tab.klein[k]) {
                const auto it = tab.nachKlein.constFind(z.ident_small);
                if (it == tab.nachKlein.cend()) {
                    // The tree's own key is not the record's, anything else is kept as it is.
                    if (fremde && z.ident_small != QLatin1String("level"))
                        fremde->emplace_back(z.ident, z.value);
                    continue;
                }
                k = *it;
                folgt[static_cast<size_t>(vorher)] = k;
            }
            vorher = k;
            if (!wert_[k]) wert_[k] = &z.value;
        }
    }

    int32_t ganz(int k, int32_t def) {
        const QString* v = wert_[k];
        if (!v) return def;
        const qsizetype komma = v->indexOf(QLatin1Char(','));
        const QStringView ziffern = QStringView(*v).left(komma < 0 ? v->size() : komma).trimmed();
        bool ok = false;
        const qint64 n = ziffern.toLongLong(&ok);
        if (!ok && !nurZiffern(ziffern)) return -1; // no number: the store reads -1
        if (!ok || n < std::numeric_limits<int32_t>::min() ||
            n > std::numeric_limits<int32_t>::max()) {
            if (fehler_.isEmpty())
                fehler_ = QStringLiteral("Ungültiger Wert im Abschnitt %1: %2=%3")
                              .arg(s_, schluessel().name[k], *v);
            return def;
        }
        return static_cast<int32_t>(n);
    }
    double zahl(int k, double def) const {
        const QString* v = wert_[k];
        if (!v) return def;
        double x = 0;
        return schlichteZahl(*v, x) ? x : leseZahl(*v, nullptr, 0);
    }
    QString text(int k) const { return wert_[k] ? *wert_[k] : QString(); }
    bool wahr(int k, bool def) const {
        const QString* v = wert_[k];
        return v ? v->trimmed() != QLatin1String("0") : def;
    }
    const QString& fehler() const { return fehler_; }

private:
    const QString& s_;
    const QString* wert_[sAnzahl] = {};
    QString fehler_;
};

} // namespace

namespace {

bool satzLesen(const TSection* sec, const QString& section, DVdata& d, QString* fehler,
               FremdeSchluessel* fremde) {
    Leser r(sec, section, fremde);
    DVdata n;
    initNode(n, false);
    n.typ = r.ganz(sTyp, -1);
    n.fehler = r.ganz(sFehler, 0);
    n.tag1 = r.ganz(sTag1, -1);
    n.tag2 = r.ganz(sTag2, -1);
    n.eckig = r.wahr(sEckig, true);
    n.vorgabe = r.ganz(sVor, 0);
    n.Text = r.text(sText);
    n.planung = r.wahr(sPlanung, false);
    n.Gruppe = r.text(sGruppe);
    for (int k = 0; k < 7; ++k) n.i[static_cast<size_t>(k)] = r.zahl(sI0 + k, 0);
    for (int k = 0; k < 3; ++k) n.p[static_cast<size_t>(k)] = r.text(sP0 + k);
    n.schall = r.ganz(sSchall, 0);
    if (n.schall & 1)
        for (int k = 0; k < 7; ++k) n.sg[static_cast<size_t>(k)] = r.zahl(sSG0 + k, 0);
    if (n.schall & 2)
        for (int k = 0; k < 7; ++k) n.sd[static_cast<size_t>(k)] = r.zahl(sSD0 + k, 0);
    n.nachhallzeitangabe = r.wahr(sNhzAngabe, false);
    for (int k = 0; k < 7; ++k) n.nachhallzeit[static_cast<size_t>(k)] = r.ganz(sNhz0 + k, -1);
    n.raumSpektrumangabe = r.wahr(sRsAngabe, false);
    for (int k = 0; k < 7; ++k) n.RaumSpektrum[static_cast<size_t>(k)] = r.zahl(sRs0 + k, -1);

    QString f = r.fehler();
    // -1 is a node that never got a type (inserted, not yet applied).
    if (f.isEmpty() && (n.typ < typKeiner || n.typ > typHoechster))
        f = QStringLiteral("Ungültiger Bauteiltyp im Abschnitt %1: %2").arg(section).arg(n.typ);
    if (!f.isEmpty()) {
        if (fehler) *fehler = f;
        return false;
    }
    recordKonvertieren(n);
    d = std::move(n);
    return true;
}

} // namespace

bool recordLesen(const TIniFile2& ini, const QString& section, DVdata& d, QString* fehler,
                 FremdeSchluessel* fremde) {
    return satzLesen(ini.getSection(section), section, d, fehler, fremde);
}

bool recordLesen(const TSection& section, DVdata& d, QString* fehler, FremdeSchluessel* fremde) {
    return satzLesen(&section, section.name_, d, fehler, fremde);
}

void recordSchreiben(TIniFile2& ini, const QString& s, const DVdata& d) {
    const auto& n = schluessel().name;
    ini.WriteInteger(s, n[sTyp], d.typ);
    if (d.fehler != 0) ini.WriteInteger(s, n[sFehler], d.fehler);
    if (d.tag1 != -1) ini.WriteInteger(s, n[sTag1], d.tag1);
    if (d.tag2 != -1) ini.WriteInteger(s, n[sTag2], d.tag2);
    if (!d.eckig) ini.WriteString(s, n[sEckig], QStringLiteral("0"));
    if (d.vorgabe != 0) ini.WriteInteger(s, n[sVor], d.vorgabe);
    ini.WriteString(s, n[sText], d.Text);
    if (d.planung) ini.WriteString(s, n[sPlanung], QStringLiteral("1"));
    if (!d.Gruppe.isEmpty()) ini.WriteString(s, n[sGruppe], d.Gruppe);
    const tBasisDaten_* t = basisDaten(d.typ);
    for (int k = 0; k < 7; ++k) {
        const double v = d.i[static_cast<size_t>(k)];
        // Each value with the decimals of its catalogue slot.
        if (v != 0)
            einzelSchreiben(ini, s, n[sI0 + k], t ? t->dat[static_cast<size_t>(k)].nastellen : 0,
                            v);
    }
    for (int k = 0; k < 3; ++k)
        if (!d.p[static_cast<size_t>(k)].isEmpty())
            ini.WriteString(s, n[sP0 + k], d.p[static_cast<size_t>(k)]);
    if (d.schall > 0) ini.WriteInteger(s, n[sSchall], d.schall);
    if (d.schall > 0 && (d.schall & 1))
        for (int k = 0; k < 7; ++k)
            bandSchreiben(ini, s, n[sSG0 + k], d.sg[static_cast<size_t>(k)]);
    if (d.schall > 0 && (d.schall & 2))
        for (int k = 0; k < 7; ++k)
            bandSchreiben(ini, s, n[sSD0 + k], d.sd[static_cast<size_t>(k)]);
    if (d.typ == typRaum) {
        ini.WriteBool(s, n[sNhzAngabe], d.nachhallzeitangabe);
        for (int k = 0; k < 7; ++k)
            ini.WriteInteger(s, n[sNhz0 + k], d.nachhallzeit[static_cast<size_t>(k)]);
        ini.WriteBool(s, n[sRsAngabe], d.raumSpektrumangabe);
        for (int k = 0; k < 7; ++k)
            bandSchreiben(ini, s, n[sRs0 + k], d.RaumSpektrum[static_cast<size_t>(k)]);
    }
}

void recordKonvertieren(DVdata& d) {
    switch (d.typ) {
    case typZuluft:
    case typAbluft: {
        const double dichte = leseZahl(d.p[1], nullptr, 0);
        if (dichte < 0.5 || dichte > 2) d.p[1] = QStringLiteral("1,2");
        break;
    }
    case typDeltaP:
    case typZetawert:
        // Older files kept the remark in p2; a remark of its own is kept in front.
        if (!d.p[2].isEmpty()) {
            d.Text = d.Text.isEmpty() ? d.p[2] : d.Text + QLatin1Char(' ') + d.p[2];
            d.p[2].clear();
        }
        break;
    case typZuluftauslass:
    case typAbluftgitter:
        d.i[2] = std::max(d.i[2], 1.0);
        d.i[4] = std::max(d.i[4], 1.0);
        break;
    case typAltVentilator:
        d.typ = typVentilator;
        break;
    case typAltUebergang:
    case typAltUebergangRund:
        d.typ = typQuerschnittsaenderung;
        d.tag1 = 0;
        break;
    case typAltBogenRund:
        d.typ = typBogen;
        d.eckig = false;
        break;
    case typAltEtageRund:
        d.typ = typEtage;
        d.eckig = false;
        break;
    case typSattelstutzen90:
        d.eckig = d.i[1] > -1;
        break;
    case typAltSattelstutzenEckig:
        d.typ = typSattelstutzen90;
        d.eckig = true;
        break;
    case typAbzweigstueck90Rund:
        d.eckig = true;
        if (d.tag1 == -1) d.tag1 = 0;
        break;
    case typBrandschutzklappe:
        if (d.tag1 < 0) d.tag1 = 0;
        break;
    default:
        break;
    }
}

void treeItemSave(TIniFile2& ini, const QString& section, tmylistitem* node, UserSeam* seam) {
    const DVdata* d = nodeDaten(node);
    if (!d) {
        const QString text = QStringLiteral("Fehler bei: ") + (node ? node->position() : QString());
        trace(text);
        if (seam) seam->meldung(text, UserSeam::Kind::Fehler);
        return;
    }
    recordSchreiben(ini, section, *d);
    if (const FremdeSchluessel* fremde = fremdeSchluessel(node))
        for (const auto& [k, v] : *fremde)
            if (!ini.ValueExists(section, k)) ini.WriteString(section, k, v);
}

bool treeItemLoad(TIniFile2& ini, const QString& section, tmylistitem* node, QString* fehler) {
    DVdata* d = nodeDaten(node);
    if (!d) {
        if (fehler)
            *fehler = QStringLiteral("Fehler bei: ") + (node ? node->position() : QString());
        return false;
    }
    // The record changes only when the whole section could be read.
    if (!recordLesen(ini, section, *d, fehler)) return false;
    nodeRefresh(basisDatenTabelle(), node);
    return true;
}

namespace {

// A record together with the unknown keys of its section. The node's Data points at the
// record, so everything that reads records sees a plain DVdata; the keys are found again
// through the deleter, which only such records carry.
struct Knotensatz {
    DVdata daten;
    FremdeSchluessel fremde;
};

struct KnotensatzFrei {
    Knotensatz* satz;
    void operator()(Knotensatz* p) const { delete p; }
};

// A node's Data for a record read from its section; the unknown keys ride along when there
// are any.
std::shared_ptr<void> knotenDaten(DVdata&& daten, FremdeSchluessel&& fremde) {
    if (fremde.empty()) return std::make_shared<DVdata>(std::move(daten));
    auto* roh = new Knotensatz{std::move(daten), std::move(fremde)};
    std::shared_ptr<Knotensatz> satz(roh, KnotensatzFrei{roh});
    return std::shared_ptr<void>(satz, &roh->daten);
}

// The sections the project file consists of: everything else is kept as it is.
bool bekannterAbschnitt(const QString& name, qint64 anzahl) {
    static const QStringList namen = {QStringLiteral("Info"), QStringLiteral("Tree"),
                                      QStringLiteral("Eigenschaften"), QStringLiteral("List")};
    if (name.isEmpty()) return true; // lines before the first section cannot be placed again
    for (const QString& n : namen)
        if (name.compare(n, Qt::CaseInsensitive) == 0) return true;
    bool ok = false;
    const qint64 i = name.toLongLong(&ok);
    return ok && i >= 0 && i < anzahl && name == QString::number(i);
}

} // namespace

const FremdeSchluessel* fremdeSchluessel(const tmylistitem* node) {
    if (!node || !node->Data) return nullptr;
    const auto* frei = std::get_deleter<KnotensatzFrei>(node->Data);
    return frei ? &frei->satz->fremde : nullptr;
}

void knotenUebertragen(ProjektBaum& von, ProjektBaum& nach) {
    std::vector<tmylistitem*> letzter; // last node appended per level
    for (tmylistitem* n = von.topitem(); n; n = n->getNext()) {
        const int level = n->Level();
        tmylistitem* neu =
            level == 0 ? nach.Add(n->caption())
                       : nach.AddChild(letzter[static_cast<size_t>(level - 1)], n->caption());
        neu->Data = std::move(n->Data);
        neu->imageIndex = n->imageIndex;
        neu->stateIndex = n->stateIndex;
        neu->expanded = n->expanded;
        letzter.resize(static_cast<size_t>(level) + 1);
        letzter[static_cast<size_t>(level)] = neu;
    }
}

// --- the open project ---------------------------------------------------------------------------

Projekt::Projekt(UserSeam& seam) : seam_(seam) {}

void Projekt::melden(const QString& text, int art) {
    fehler_ = text;
    trace(text);
    seam_.meldung(text, static_cast<UserSeam::Kind>(art));
}

void Projekt::setGeaendert(bool g) {
    const bool war = geaendert_;
    geaendert_ = g;
    if (g)
        autoSave_.geaendert(!war, automatisch_ ? automatisch_() : einstellungen().autoSave());
    else
        autoSave_.stop();
}

QString Projekt::zielDatei(const QString& name) const {
    return nameGenau_ || istProDatei(name) ? name : name + QStringLiteral(".pro");
}

bool Projekt::autoSaveTick() {
    if (nurLesen_) return false;
    if (!autoSave_.tick()) return false;
    autoSave_.stop();
    const bool ok = sichern(true);
    if (geaendert_ && (automatisch_ ? automatisch_() : einstellungen().autoSave()))
        autoSave_.start();
    return ok;
}

QString Projekt::wiederherstellungsDatei() const {
    const QString ordner = wiederherstellung_.isEmpty() ? datenOrdner() : wiederherstellung_;
    return QDir(ordner).filePath(QStringLiteral("unbenannt.protmp"));
}

QString Projekt::tempDatei() const {
    if (dateiname_.isEmpty()) return wiederherstellungsDatei();
    return dateiname_ + QStringLiteral("tmp");
}

bool Projekt::schreiben(const QString& datei) {
    TIniFile2 ini;
    ini.setFilename(datei);
    ini.setCompressed(true);
    ini.setFastsave(true);
    ini.WriteString(QStringLiteral("Info"), QStringLiteral("Prog"), programmName);
    ini.WriteString(QStringLiteral("Info"), QStringLiteral("www"), programmWww);
    ini.WriteInteger(QStringLiteral("Tree"), QStringLiteral("Version"), projektVersion);
    if (baum_.count() < 1000) ini.WriteInteger(QStringLiteral("Tree"), QStringLiteral("ID"), 0);
    daten_.sichern(ini);
    baum_.OnItemSave = [this](TIniFile2& f, const QString& section, tmylistitem* node) {
        treeItemSave(f, section, node, &seam_);
    };
    baum_.SaveToInifile(ini);
    baum_.OnItemSave = nullptr;
    for (const TSection& f : fremde_) ini.abschnittAnhaengen(f);
    const bool ok = ini.save();
    if (!ok) {
        QString grund = ini.lastError();
        if (grund.isEmpty())
            grund = QStringLiteral("Die Datei %1 konnte nicht gespeichert werden.").arg(datei);
        melden(grund, static_cast<int>(UserSeam::Kind::Fehler));
        ini.setChanged(false); // the store must not try again when it goes
    }
    return ok;
}

namespace {

bool dieselbeDatei(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

} // namespace

bool Projekt::sichernAls(const QString& datei) {
    const bool war = geaendert_;
    dateiname_ = datei;
    geaendert_ = true;
    const bool ok = sichern();
    if (!ok) geaendert_ = war;
    return ok;
}

bool Projekt::sichern(bool temp) {
    if (!geaendert_) return true;
    // A save that fails or is refused leaves the project with the file it came from, so a
    // bad "Sichern als" target cannot block the saves after it.
    const auto misslungen = [this, temp] {
        if (!temp && !gesichert_.isEmpty()) dateiname_ = gesichert_;
        return false;
    };
    if (!temp && crcFehler_ && !dateiname_.isEmpty() &&
        (dieselbeDatei(dateiname_, gesichert_) ||
         dieselbeDatei(dateiname_ + QStringLiteral(".pro"), gesichert_))) {
        // The file did not match its check sum: what was read may be garbage, and the file may
        // still hold more than that. It is not overwritten.
        const QString frage =
            QStringLiteral("Das Projekt wurde trotz CRC-Fehler aus %1 geladen und wird nicht "
                           "darüber gesichert. Bitte einen neuen Dateinamen wählen.")
                .arg(QDir::toNativeSeparators(gesichert_));
        const QString neu = seam_.dateinameFragen(frage, gesichert_);
        if (neu.isEmpty() || dieselbeDatei(neu, gesichert_)) {
            melden(QStringLiteral("Nicht gesichert: Die Datei %1 wurde trotz CRC-Fehler geladen "
                                  "und wird nicht überschrieben.")
                       .arg(QDir::toNativeSeparators(gesichert_)),
                   static_cast<int>(UserSeam::Kind::Fehler));
            return misslungen();
        }
        dateiname_ = neu;
    } else if (!temp && nurLesen_ && !dateiname_.isEmpty() &&
               (dieselbeDatei(dateiname_, gesichert_) ||
                dieselbeDatei(dateiname_ + QStringLiteral(".pro"), gesichert_))) {
        // Another program has the file open and will save it itself.
        const QString frage =
            QStringLiteral("Das Projekt wurde schreibgeschützt aus %1 geöffnet und wird nicht "
                           "darüber gesichert. Bitte einen neuen Dateinamen wählen.")
                .arg(QDir::toNativeSeparators(gesichert_));
        const QString neu = seam_.dateinameFragen(frage, gesichert_);
        if (neu.isEmpty() || dieselbeDatei(neu, gesichert_)) {
            melden(QStringLiteral("Nicht gesichert: Die Datei %1 ist schreibgeschützt geöffnet und "
                                  "wird nicht überschrieben.")
                       .arg(QDir::toNativeSeparators(gesichert_)),
                   static_cast<int>(UserSeam::Kind::Fehler));
            return misslungen();
        }
        dateiname_ = neu;
    }
    // The temporary copy beside a file held by another program is that program's.
    if (temp && nurLesen_) return true;
    QElapsedTimer uhr;
    uhr.start();
    QString datei;
    if (temp) {
        datei = tempDatei();
        QDir().mkpath(QFileInfo(datei).absolutePath());
    } else {
        if (dateiname_.isEmpty()) {
            melden(QStringLiteral("Das Projekt hat noch keinen Dateinamen."),
                   static_cast<int>(UserSeam::Kind::Fehler));
            return misslungen();
        }
        datei = zielDatei(dateiname_);
    }
    if (QFileInfo(datei).fileName().compare(QStringLiteral("beispiel.pro"), Qt::CaseInsensitive) ==
        0) {
        melden(QStringLiteral("Datei darf nicht als Beispiel gespeichert werden."),
               static_cast<int>(UserSeam::Kind::Warnung));
        return misslungen();
    }
    seam_.status(3, QStringLiteral("Sichere Daten..."));
    if (!schreiben(datei)) return misslungen();
    seam_.status(3, QStringLiteral("Datei ") + datei + QStringLiteral(" gesichert.  ") +
                        QString::number(uhr.elapsed()) + QStringLiteral(" msek"));
    trace(QStringLiteral("Datei ") + datei + QStringLiteral(" gesichert"));
    if (temp) {
        if (!verwerfbar_.contains(datei)) verwerfbar_.append(datei);
    } else {
        // Only now the project is in its file: the temporary copies are no longer needed.
        const bool warUnbenannt = dateiname_.isEmpty();
        const auto verwerfen = [this](const QString& kopie) {
            if (verwerfbar_.removeAll(kopie) > 0) QFile::remove(kopie);
        };
        verwerfen(dateiname_ + QStringLiteral("tmp"));
        if (warUnbenannt) verwerfen(wiederherstellungsDatei());
        dateiname_ = datei;
        gesichert_ = datei;
        crcFehler_ = false; // saved under another name: that file is sound
        nurLesen_ = false;
        verwerfen(dateiname_ + QStringLiteral("tmp"));
        setGeaendert(false);
    }
    autoSave_.neuStarten();
    fehler_.clear();
    return true;
}

bool Projekt::laden(const QString& hinzu) {
    const bool hinzufuegen = !hinzu.isEmpty();
    const QString datei = hinzufuegen ? hinzu : dateiname_;
    QElapsedTimer uhr;
    uhr.start();
    const QFileInfo info(datei);
    if (datei.isEmpty() || !info.exists()) {
        melden(QStringLiteral("Die Datei %a existiert nicht.").replace(QStringLiteral("%a"), datei),
               static_cast<int>(UserSeam::Kind::Fehler));
        return false;
    }
    if (!info.isFile()) {
        melden((info.isDir() ? QStringLiteral("%1 ist ein Ordner, keine Projektdatei.")
                             : QStringLiteral("%1 ist keine gewöhnliche Datei."))
                   .arg(datei),
               static_cast<int>(UserSeam::Kind::Fehler));
        return false;
    }
    QString quelle = datei;
    bool ausTemp = false;
    bool angeboten = false;
    const QFileInfo tempInfo(datei + QStringLiteral("tmp"));
    if (tempInfo.isFile() && tempInfo.lastModified() > QFileInfo(datei).lastModified()) {
        const int antwort = seam_.frage(zwischenspeicherFrage, QStringLiteral("j|n|a"),
                                        UserSeam::Kind::Bestaetigen);
        if (antwort == 0) {
            quelle = tempInfo.filePath();
            ausTemp = true;
        } else if (antwort != 1) {
            return false;
        }
        angeboten = true;
    }

    const bool warAn = autoSave_.laeuft();
    autoSave_.stop();
    const auto abbrechen = [&](const QString& text, UserSeam::Kind art) {
        melden(text, static_cast<int>(art));
        if (warAn) autoSave_.start();
        return false;
    };

    crcAbgelehnt_ = false;
    TIniFile2 ini;
    ini.setFastread(true);
    // The node records are read while the file is parsed: each node section, once read,
    // keeps only its level for the tree, so the file's lines and the records are not in
    // memory side by side. Only sections in the order the program writes them (0, 1, 2 ...)
    // are taken; any other is read from the store below. A bad value is kept for its turn,
    // so the messages come in the same order as for sections read afterwards.
    std::vector<std::shared_ptr<void>> saetze;
    qint64 satzFehlerBei = -1;
    QString satzFehler;
    const QString level = QStringLiteral("level");
    ini.abschnittGelesen = [&](TSection& sec) {
        if (sec.name_ != QString::number(saetze.size())) return;
        DVdata d;
        FremdeSchluessel rest;
        QString f;
        if (recordLesen(sec, d, &f, &rest)) {
            saetze.push_back(knotenDaten(std::move(d), std::move(rest)));
        } else {
            if (satzFehlerBei < 0) {
                satzFehlerBei = static_cast<qint64>(saetze.size());
                satzFehler = f;
            }
            saetze.emplace_back();
        }
        sec.nurSchluesselBehalten(level);
    };
    const QString crcText =
        QStringLiteral("CRC-Fehler in der Datei %1: Die Datei ist beschädigt.").arg(quelle);
    if (!ini.loadFromFile(quelle)) {
        if (ini.crcMismatch()) return abbrechen(crcText, UserSeam::Kind::Fehler);
        const QString grund = ini.lastError();
        if (grund.startsWith(QStringLiteral("Die Datei ")))
            return abbrechen(grund, UserSeam::Kind::Fehler);
        return abbrechen(
            QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                .arg(quelle, grund.isEmpty() ? QStringLiteral("unbekannter Fehler") : grund),
            UserSeam::Kind::Fehler);
    }
    ini.setChanged(false);
    const bool crc = ini.crcMismatch();
    const QString tree = QStringLiteral("Tree");
    const QString list = QStringLiteral("List");
    if (!ini.SectionExists(tree) && !ini.SectionExists(list)) {
        // Empty, random or foreign bytes: nothing of a project in them.
        if (crc) return abbrechen(crcText, UserSeam::Kind::Fehler);
        return abbrechen(QStringLiteral("Die Datei %1 ist keine Projektdatei.").arg(quelle),
                         UserSeam::Kind::Fehler);
    }
    const qint64 version = ini.ReadInteger(tree, QStringLiteral("Version"), 1);
    if (version != projektVersion) {
        if (crc) return abbrechen(crcText, UserSeam::Kind::Fehler);
        return abbrechen(QStringLiteral("Ungültige Version:") + QString::number(version),
                         UserSeam::Kind::Fehler);
    }
    if (crc && crcAblehnen_) {
        crcAbgelehnt_ = true;
        return abbrechen(crcText + QStringLiteral(" Sie wurde nicht geladen."),
                         UserSeam::Kind::Fehler);
    }
    const auto lesefehler = [&](const QString& grund) {
        const QString text =
            QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(quelle, grund);
        return abbrechen(crc ? crcText + QLatin1Char(' ') + text : text, UserSeam::Kind::Fehler);
    };
    // A file without its list would load as an empty project and lose every node.
    if (!ini.SectionExists(list))
        return lesefehler(QStringLiteral("Baum nicht geladen: Abschnitt List fehlt."));

    ProjektDaten daten = daten_;
    if (!hinzufuegen) daten.laden(ini);

    // The records are read first, so a bad value stops the load before the open project
    // changes; the tree is then built once, straight into the project, each node taking its
    // record without a copy.
    // The tree load judges a missing or malformed count before anything changes.
    const qint64 anzahl = ini.ReadInteger(list, QStringLiteral("Count"), 0);
    // A node section right behind the count means the count was damaged ("010" for 19):
    // reading only the first nodes would silently drop the rest. Compared as numbers.
    const QString countText = ini.ReadString(list, QStringLiteral("Count")).trimmed();
    const bool nurZiffernCount =
        !countText.isEmpty() && std::all_of(countText.cbegin(), countText.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    if (nurZiffernCount && anzahl >= 0 && ini.SectionExists(QString::number(anzahl)))
        return lesefehler(QStringLiteral("Baum nicht geladen: \"Count\" in Abschnitt List ist "
                                         "%1, die Datei enthält aber auch Abschnitt %2.")
                              .arg(eingabeZeigen(countText))
                              .arg(anzahl));
    std::vector<TSection> fremdeAbschnitte;
    try {
        if (anzahl > 0 && anzahl <= ini.sectionCount()) {
            for (qint64 i = 0; i < anzahl; ++i) {
                if (i == satzFehlerBei) return lesefehler(satzFehler);
                if (i < static_cast<qint64>(saetze.size())) continue; // read while parsing
                const QString section = QString::number(i);
                if (!ini.SectionExists(section)) break; // the tree load names it
                DVdata d;
                FremdeSchluessel rest;
                QString f;
                if (!recordLesen(ini, section, d, &f, &rest)) return lesefehler(f);
                saetze.push_back(knotenDaten(std::move(d), std::move(rest)));
            }
        }
        if (!hinzufuegen) {
            for (const QString& name : ini.ReadSections()) {
                if (bekannterAbschnitt(name, anzahl)) continue;
                if (const TSection* sec = ini.getSection(name)) fremdeAbschnitte.push_back(*sec);
            }
        }
    } catch (const std::bad_alloc&) {
        return lesefehler(QStringLiteral("Nicht genug Speicher."));
    }

    std::size_t k = 0;
    baum_.OnItemLoad = [&](TIniFile2&, const QString&, tmylistitem* node) {
        const std::size_t i = k++;
        if (i >= saetze.size() || !saetze[i]) return;
        node->Data = std::move(saetze[i]);
        nodeRefresh(basisDatenTabelle(), node);
    };
    bool baumOk = false;
    try {
        baumOk = baum_.LoadFromIniFile(ini, QString(), hinzufuegen);
    } catch (const std::bad_alloc&) {
        baum_.OnItemLoad = nullptr;
        baum_.Clear();
        return lesefehler(QStringLiteral("Nicht genug Speicher."));
    }
    baum_.OnItemLoad = nullptr;
    if (!baumOk) return lesefehler(baum_.lastError());
    if (crc)
        melden(QStringLiteral("CRC-Fehler in der Datei %1. Die Daten wurden trotzdem geladen.")
                   .arg(quelle),
               static_cast<int>(UserSeam::Kind::Warnung));

    if (!hinzufuegen) {
        daten_ = daten;
        fremde_ = std::move(fremdeAbschnitte);
        gesichert_ = datei;
        crcFehler_ = crc;
        nurLesen_ = false;
    } else if (crc) {
        crcFehler_ = true;
    }
    if (tmylistitem* erster = baum_.topitem()) {
        baum_.setSelected(erster);
        baum_.setItemFocused(erster);
        if (baum_.topCount() == 1) erster->expanded = true;
    }
    seam_.status(3, QStringLiteral("Datei ") + datei + QStringLiteral(" geladen. ") +
                        QString::number(uhr.elapsed()) + QStringLiteral(" msek"));
    trace(QStringLiteral("Datei ") + quelle + QStringLiteral(" geladen"));
    // Added lines and a temporary copy's content are not yet in the project's own file.
    geaendert_ = false;
    autoSave_.stop();
    autoSave_.neuStarten();
    if (hinzufuegen || ausTemp) setGeaendert(true);
    // Offered and answered: once the project is saved the copy has served its purpose.
    const QString kopie = datei + QStringLiteral("tmp");
    if (angeboten && !hinzufuegen && !verwerfbar_.contains(kopie)) verwerfbar_.append(kopie);
    if (!crc) fehler_.clear();
    return true;
}

void Projekt::neu() {
    baum_.Clear();
    dateiname_.clear();
    gesichert_.clear();
    crcFehler_ = false;
    nurLesen_ = false;
    fremde_.clear();
    daten_.neuesProjekt();
    setGeaendert(true);
}

// --- the example project ------------------------------------------------------------------------

QByteArray beispielProjekt() {
    TIniFile2 ini;
    ini.loadFromBytes(carriedData(QStringLiteral("Beispiel.pro.txt")));
    ini.setCompressed(true);
    return ini.toBytes();
}

bool beispielSchreiben(const QString& datei, QString* fehler) {
    TIniFile2 ini;
    if (!ini.loadFromBytes(carriedData(QStringLiteral("Beispiel.pro.txt"))) || ini.leer()) {
        if (fehler) *fehler = QStringLiteral("Das Beispielprojekt fehlt im Programm.");
        return false;
    }
    ini.setCompressed(true);
    if (!ini.saveToFile(datei)) {
        if (fehler) *fehler = ini.lastError();
        return false;
    }
    return true;
}

QString dateiOhneFall(const QString& ordner, const QString& name) {
    const QDir dir(ordner);
    if (!dir.exists()) return {};
    const QStringList eintraege = dir.entryList(QDir::Files);
    for (const QString& e : eintraege)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(e);
    return {};
}

QString beispielAnlegen(const QString& ordner) {
    const QString da = dateiOhneFall(ordner, QStringLiteral("Beispiel.pro"));
    if (!da.isEmpty()) return da;
    if (!QDir().mkpath(ordner)) return {};
    const QString datei = QDir(ordner).filePath(QStringLiteral("Beispiel.pro"));
    return beispielSchreiben(datei) ? datei : QString();
}

QString beispielAnlegen() {
    return beispielAnlegen(anwendungsdatenOrdner());
}

} // namespace zephan
