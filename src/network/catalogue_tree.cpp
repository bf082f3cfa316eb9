#include "network/catalogue_tree.h"

#include "store/carried_data.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/trace_log.h"
#include "store/user_seam.h"

#include <QDir>
#include <QFileInfo>

namespace zephan {

namespace {

const QString dateiName = QStringLiteral("Bauteil.ini");

// More node sections than this are no catalogue; holes are not filled in then.
constexpr qint64 maxEintraege = 100000;

} // namespace

Bauteilkatalog::Bauteilkatalog() {
    baum_.OnItemAdd = [](tmylistitem* n) { n->Data = std::make_shared<tBasisDaten_>(); };
    baum_.OnItemSave = [](TIniFile2& ini, const QString& section, tmylistitem* n) {
        if (const tBasisDaten_* e = eintrag(n)) e->save(ini, section);
    };
    baum_.OnItemLoad = [this](TIniFile2& ini, const QString& section, tmylistitem* n) {
        auto e = std::make_shared<tBasisDaten_>();
        e->load(ini, section);
        n->Data = e;
        anzeigen(n);
    };
}

tBasisDaten_* Bauteilkatalog::eintrag(const tmylistitem* node) {
    return node ? node->dataAs<tBasisDaten_>() : nullptr;
}

std::shared_ptr<tBasisDaten_> Bauteilkatalog::eintragShared(const tmylistitem* node) {
    if (!node) return nullptr;
    return std::static_pointer_cast<tBasisDaten_>(node->Data);
}

void Bauteilkatalog::anzeigen(tmylistitem* node) const {
    const tBasisDaten_* e = eintrag(node);
    if (!e) return;
    node->setCaption(e->titel);
    node->setText(1, QString::number(e->typ));
    node->imageIndex = e->bildnr + bildIndexVersatz;
}

QString Bauteilkatalog::transliterieren(const QString& text) {
    QString s;
    s.reserve(text.size());
    // Character by character, so "ß" keeps its form instead of turning into "SS".
    for (QChar c : text) s.append(c == QChar(0x00DF) ? c : c.toUpper());
    s.replace(QStringLiteral("Ä"), QStringLiteral("AE"));
    s.replace(QStringLiteral("Ö"), QStringLiteral("OE"));
    s.replace(QStringLiteral("Ü"), QStringLiteral("UE"));
    s.replace(QStringLiteral("ß"), QStringLiteral("ss"));
    s.replace(QStringLiteral("ä"), QStringLiteral("ae"));
    s.replace(QStringLiteral("ö"), QStringLiteral("oe"));
    s.replace(QStringLiteral("ü"), QStringLiteral("ue"));
    return s;
}

QString Bauteilkatalog::titelint(const tmylistitem* node) {
    if (!node) return QString();
    if (node->Level() == 0) {
        const tBasisDaten_* e = eintrag(node);
        return e ? e->titel : node->caption();
    }
    QString s = node->caption();
    for (const tmylistitem* p = node->parent(); p; p = p->parent())
        s = p->caption() + QLatin1Char('#') + s;
    return transliterieren(s);
}

void Bauteilkatalog::titelintAlle() {
    for (tmylistitem* n = baum_.topitem(); n; n = n->getNext())
        if (tBasisDaten_* e = eintrag(n)) e->titelint = titelint(n);
}

bool Bauteilkatalog::laden(TIniFile2& ini) {
    fehler_.clear();
    const qint64 anzahl = ini.ReadInteger(QStringLiteral("List"), QStringLiteral("Count"), 0);
    bool luecken = false;
    // Holes are filled only for a count that fits the file: a tiny file claiming a huge
    // count is damaged, not a catalogue of empty entries.
    if (anzahl > 0 && anzahl <= maxEintraege && anzahl <= 2 * ini.sectionCount() + 16)
        for (qint64 i = 0; i < anzahl && !luecken; ++i)
            luecken = !ini.SectionExists(QString::number(i));

    bool ok;
    if (luecken) {
        // A missing node section reads as a top-level entry without title and code. The
        // caller's store is not touched: the holes are filled in a copy.
        TIniFile2 kopie;
        kopie.addtext(ini.text());
        for (qint64 i = 0; i < anzahl; ++i) {
            const QString s = QString::number(i);
            if (!kopie.SectionExists(s)) kopie.WriteInteger(s, QStringLiteral("Level"), 0);
        }
        ok = baum_.LoadFromIniFile(kopie);
    } else {
        ok = baum_.LoadFromIniFile(ini);
    }
    if (!ok) {
        fehler_ = baum_.lastError();
        return false;
    }
    titelintAlle();
    return true;
}

bool Bauteilkatalog::ladenStandard() {
    const QByteArray daten = carriedData(dateiName);
    if (daten.isEmpty()) {
        fehler_ = QStringLiteral("Der mitgelieferte Bauteilkatalog fehlt.");
        return false;
    }
    TIniFile2 ini;
    if (!ini.addtext(QString::fromUtf8(daten))) {
        fehler_ = ini.lastError();
        return false;
    }
    return laden(ini);
}

bool Bauteilkatalog::ladenDatei(const QString& datei) {
    fehler_.clear();
    const QString name = QDir::toNativeSeparators(datei);
    const QFileInfo info(datei);
    if (!info.exists()) {
        fehler_ = QStringLiteral("Die Datei %1 existiert nicht.").arg(name);
        return false;
    }
    if (!info.isFile()) {
        fehler_ = QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(name);
        return false;
    }
    TIniFile2 ini;
    if (!ini.loadFromFile(datei)) {
        fehler_ = name + QStringLiteral(": ") + ini.lastError();
        return false;
    }
    // Reading never writes the file back.
    ini.setFilename(QString());
    // A file without entries would leave every node without its type.
    if (ini.ReadInteger(QStringLiteral("List"), QStringLiteral("Count"), 0) <= 0) {
        fehler_ = QStringLiteral("Die Datei %1 enthält keinen Bauteilkatalog.").arg(name);
        return false;
    }
    if (!laden(ini)) {
        fehler_ = name + QStringLiteral(": ") + fehler_;
        return false;
    }
    return true;
}

QString Bauteilkatalog::dateiImOrdner(const QString& ordner) {
    const QDir dir(ordner);
    const QStringList namen = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& n : namen)
        if (n.compare(dateiName, Qt::CaseInsensitive) == 0) return dir.filePath(n);
    return dir.filePath(dateiName);
}

QString Bauteilkatalog::startLaden(const QString& datenordner, UserSeam* seam) {
    trace(QStringLiteral("Bauteile"));
    const QString datei = dateiImOrdner(datenordner);
    if (!datenordner.isEmpty() && QFileInfo(datei).isFile()) {
        trace(QStringLiteral("load"));
        if (ladenDatei(datei)) {
            trace(QStringLiteral("tree:") + QString::number(count()));
            return datei;
        }
        // A damaged catalogue must not leave the program without types.
        const QString meldung = fehler_ + QStringLiteral(" Der mitgelieferte Bauteilkatalog "
                                                         "wird verwendet.");
        trace(meldung);
        if (seam) seam->meldung(meldung, UserSeam::Kind::Fehler);
    }
    trace(QStringLiteral("add data"));
    if (!ladenStandard()) trace(fehler_);
    trace(QStringLiteral("tree:") + QString::number(count()));
    return QString();
}

void Bauteilkatalog::tabelleFuellen(TBasisDatenTabelle& tabelle) const {
    tabelle.clear();
    for (tmylistitem* n = baum_.topitem(); n; n = n->getNext()) {
        if (n->Level() == 0) continue;
        auto e = eintragShared(n);
        if (e && e->typ >= 0 && e->typ < TBasisDatenTabelle::anzahl) tabelle.setzen(e->typ, e);
    }
    tabelle.setGefuellt(true);
}

int Bauteilkatalog::sichern(TIniFile2& ini, UserSeam* seam) const {
    int fehlend = 0;
    for (tmylistitem* n = baum_.topitem(); n; n = n->getNext()) {
        if (eintrag(n)) continue;
        ++fehlend;
        const QString meldung = QStringLiteral("Fehler bei: ") + n->pfad();
        trace(meldung);
        if (seam) seam->meldung(meldung, UserSeam::Kind::Fehler);
    }
    // The list storage is not const, but writing leaves the tree as it is.
    const_cast<Tmylistview&>(baum_).SaveToInifile(ini);
    return fehlend;
}

bool Bauteilkatalog::sichernDatei(const QString& datei, UserSeam* seam, QString* fehler) {
    TIniFile2 ini(QString(), ffAnsi, seam);
    // Sections beyond the tree (left from an older file) stay where they are.
    if (QFileInfo(datei).isFile() && !ini.loadFromFile(datei)) ini.clear();
    ini.setFilename(datei);
    ini.setCompressed(false);
    sichern(ini, seam);
    const bool ok = ini.save();
    if (!ok && fehler) *fehler = ini.lastError();
    // Nothing left to write when the store goes out of scope.
    ini.setChanged(false);
    return ok;
}

tmylistitem* Bauteilkatalog::update(tmylistitem* node, const tBasisDaten_& felder, UserSeam& seam) {
    if (!node) return nullptr;
    bool neu = false;
    if (felder.titel != node->caption())
        neu = seam.frage(neuAnlegenFrage, QStringLiteral("j|n"), UserSeam::Kind::Bestaetigen) == 0;
    return update(node, felder, neu);
}

tmylistitem* Bauteilkatalog::update(tmylistitem* node, const tBasisDaten_& felder,
                                    bool neuAnlegen) {
    if (!node || node->owner() != &baum_) return nullptr;
    auto e = std::make_shared<tBasisDaten_>(felder);
    e->gruppe = 0;
    tmylistitem* ziel = node;
    if (felder.titel != node->caption() && neuAnlegen) ziel = baum_.Insert(node->Index(), e->titel);
    // A fresh entry rather than a change in place: a type table holding the old one keeps it.
    ziel->Data = e;
    anzeigen(ziel);
    e->titelint = titelint(ziel);
    // A renamed group changes the path keys below it.
    for (tmylistitem* n = ziel->getNext(); n && ziel->isAncestorOf(n); n = n->getNext())
        if (tBasisDaten_* k = eintrag(n)) {
            auto kopie = std::make_shared<tBasisDaten_>(*k);
            kopie->titelint = titelint(n);
            n->Data = kopie;
        }
    return ziel;
}

bool Bauteilkatalog::loeschen(tmylistitem* node) {
    if (!node || node->owner() != &baum_) return false;
    baum_.Delete(node);
    return true;
}

bool Bauteilkatalog::bildnrAendern(tmylistitem* node, const QString& titelFeld, int bildnr) {
    if (!node || node->owner() != &baum_ || titelFeld != node->caption()) return false;
    const tBasisDaten_* alt = eintrag(node);
    auto e = alt ? std::make_shared<tBasisDaten_>(*alt) : std::make_shared<tBasisDaten_>();
    e->bildnr = bildnr;
    node->Data = e;
    node->imageIndex = bildnr + bildIndexVersatz;
    return true;
}

tBasisDaten_ Bauteilkatalog::felderAus(const tmylistitem* node) {
    const tBasisDaten_* e = eintrag(node);
    return e ? *e : tBasisDaten_{};
}

void Bauteilkatalog::felderLeeren(tBasisDaten_& f) {
    f.titel.clear();
    f.titelint.clear();
    f.box1.clear();
    f.eina = f.einb = f.ausa = f.ausb = f.abza = f.abzb = -1;
    for (tDatSlot& s : f.dat) {
        s.textrund.clear();
        s.texteckig.clear();
        s.einheit.clear();
        s.min = -1;
        s.max = -1;
        s.nastellen = 0;
    }
    f.enden = 0;
    f.eckig = -1;
    f.mitmasse = false;
    f.vorgabe = -1;
    f.vorgabe2 = -1;
    f.davorchk = true;
    f.danachchk = true;
    f.delpossible = true;
    f.planung = false;
    f.titeladd = false;
    f.titelIsFormbox = false;
    f.eckigwechsel = false;
    f.schall = false;
    f.Nachhallzeit = false;
    f.defaultindex = -1;
    f.strangtypok = 0;
}

Bauteilkatalog& bauteilkatalog() {
    static Bauteilkatalog k;
    return k;
}

namespace {
TBasisDatenTabelle& programmTabelle() {
    static TBasisDatenTabelle tabelle;
    return tabelle;
}
} // namespace

QString katalogStart(const QString& datenordner, UserSeam* seam) {
    const QString datei = bauteilkatalog().startLaden(datenordner, seam);
    bauteilkatalog().tabelleFuellen(programmTabelle());
    return datei;
}

bool katalogSichern(UserSeam* seam, QString* fehler) {
    return bauteilkatalog().sichernDatei(Bauteilkatalog::dateiImOrdner(datenOrdner()), seam,
                                         fehler);
}

TBasisDatenTabelle& basisDatenTabelle() {
    TBasisDatenTabelle& tabelle = programmTabelle();
    static bool versucht = false;
    if (!tabelle.gefuellt() && !versucht) {
        // Something asks for a type before start-up read the catalogue: use the carried one.
        versucht = true;
        Bauteilkatalog k;
        if (k.ladenStandard()) k.tabelleFuellen(tabelle);
    }
    return tabelle;
}

} // namespace zephan
