#include "cli/load_options.h"

#include "editing/edit_session.h"
#include "network/project_file.h"
#include "store/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace zephan::cli {

bool ladeoptionenNehmen(QStringList& args, Ladeoptionen& o) {
    QStringList rest;
    bool einstellungen = false, katalog = false, temporaer = false;
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        const bool mitWert = a == QStringLiteral("--einstellungen") ||
                             a == QStringLiteral("--katalog") || a == QStringLiteral("--temporaer");
        if (mitWert && k + 1 >= args.size()) return false;
        if (a == QStringLiteral("--einstellungen")) {
            if (einstellungen) return false;
            einstellungen = true;
            o.start.einstellungen = args[++k];
        } else if (a == QStringLiteral("--katalog")) {
            if (katalog) return false;
            katalog = true;
            o.start.katalog = args[++k];
        } else if (a == QStringLiteral("--temporaer")) {
            if (temporaer) return false;
            temporaer = true;
            const QString& w = args[++k];
            if (w == QStringLiteral("laden"))
                o.zwischenspeicher = 0;
            else if (w == QStringLiteral("verwerfen"))
                o.zwischenspeicher = 1;
            else
                return false;
        } else if (a == QStringLiteral("--crc-ignorieren")) {
            o.crcIgnorieren = true;
        } else {
            rest.append(a);
        }
    }
    // An empty file name would quietly mean the program's own file.
    if ((einstellungen && o.start.einstellungen.isEmpty()) ||
        (katalog && o.start.katalog.isEmpty()))
        return false;
    args = rest;
    return true;
}

namespace {

// A file named for the settings or the catalogue must be one: random bytes read as settings
// quietly start with the defaults, and a project read as the catalogue makes its nodes the
// types. Empty, missing and unreadable files are left to the start-up's own messages.
bool startDateiPruefen(const QString& datei, bool katalog, QString& grund) {
    const QFileInfo info(datei);
    if (datei.isEmpty() || !info.isFile() || info.size() == 0) return true;
    const QString name = QDir::toNativeSeparators(datei);
    TIniFile2 ini;
    if (!ini.loadFromFile(datei)) return true; // the start-up names the damage
    ini.setFilename(QString());
    const bool projekt = ini.SectionExists(QStringLiteral("Tree"));
    if (katalog) {
        if (projekt)
            grund = QStringLiteral("Die Datei %1 ist eine Projektdatei, kein Bauteilkatalog.")
                        .arg(name);
        else if (!ini.ValueExists(QStringLiteral("List"), QStringLiteral("Count")))
            grund = QStringLiteral("Die Datei %1 ist kein Bauteilkatalog.").arg(name);
        return grund.isEmpty();
    }
    if (projekt || ini.SectionExists(QStringLiteral("List"))) {
        grund = QStringLiteral("Die Datei %1 ist %2, keine Einstellungsdatei.")
                    .arg(name, projekt ? QStringLiteral("eine Projektdatei")
                                       : QStringLiteral("ein Bauteilkatalog"));
        return false;
    }
    // Settings are sections of their own; window positions are kept beside them.
    static const QStringList bekannt = {QStringLiteral("Abmessung"), QStringLiteral("ProgrammDV"),
                                        QStringLiteral("Isolierung")};
    for (const QString& abschnitt : ini.ReadSections()) {
        if (abschnitt.startsWith(QStringLiteral("Fenster"), Qt::CaseInsensitive)) return true;
        for (const QString& b : bekannt)
            if (abschnitt.compare(b, Qt::CaseInsensitive) == 0) return true;
    }
    grund = QStringLiteral("Die Datei %1 ist keine Einstellungsdatei.").arg(name);
    return false;
}

} // namespace

int starten(const Ladeoptionen& o, UserSeam& seam) {
    QString grund;
    if (!startDateiPruefen(o.start.einstellungen, false, grund) ||
        !startDateiPruefen(o.start.katalog, true, grund))
        return fehler(grund);
    const StartErgebnis r = programmStart(o.start, &seam);
    return r.ok ? exitOk : fehler(r.fehler);
}

int ladenPruefen(bool geladen, const Projekt& projekt, const QString& datei, const Ladeoptionen& o,
                 const KonsolenSeam& seam, bool* crcFehler) {
    if (crcFehler) *crcFehler = false;
    if (!geladen) {
        if (seam.unbeantwortet == zwischenspeicherFrage)
            return fehler(QStringLiteral("Die Zwischenspeicherung %1 ist neuer als die Datei. "
                                         "Mit --temporaer laden oder --temporaer verwerfen "
                                         "entscheiden, welche gilt.")
                              .arg(QDir::toNativeSeparators(datei + QStringLiteral("tmp"))));
        if (projekt.crcAbgelehnt()) {
            err(QStringLiteral("Mit --crc-ignorieren wird sie trotzdem geladen.\n"));
            return exitCrc;
        }
        return exitFehler; // the loader's message is out
    }
    // Only reached with --crc-ignorieren: without it the loader refuses the file.
    if (crcFehler) *crcFehler = o.crcIgnorieren && projekt.crcFehler();
    return exitOk;
}

void ladeoptionenSetzen(Projekt& projekt, const Ladeoptionen& o, KonsolenSeam& seam) {
    seam.zwischenspeicher = o.zwischenspeicher;
    projekt.setCrcFehlerAblehnen(!o.crcIgnorieren);
}

bool dieselbeDatei(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists()) return fa == fb;
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

int projektOeffnen(Projekt& projekt, const QString& datei, const Ladeoptionen& o,
                   KonsolenSeam& seam) {
    ladeoptionenSetzen(projekt, o, seam);
    projekt.setAutomatischSichern([] { return false; });
    projekt.setDateiname(datei);
    return ladenPruefen(projekt.laden(), projekt, datei, o, seam);
}

int zielPruefen(const QString& ziel) {
    if (!QFileInfo(ziel).isDir()) return exitOk;
    return fehler(QStringLiteral("%1 ist ein Ordner, keine Projektdatei.")
                      .arg(QDir::toNativeSeparators(ziel)));
}

void sitzungVorbereiten(EditSession& session) {
    session.projekt().setAutomatischSichern([] { return false; });
    session.projekt().setNameGenau(true);
}

int sitzungOeffnen(EditSession& session, const QString& datei, const QString& ziel,
                   const Ladeoptionen& o, KonsolenSeam& seam) {
    ladeoptionenSetzen(session.projekt(), o, seam);
    bool crcFehler = false;
    if (const int rc =
            ladenPruefen(session.laden(datei), session.projekt(), datei, o, seam, &crcFehler))
        return rc;
    if (crcFehler && dieselbeDatei(datei, ziel)) {
        err(QStringLiteral("Das Projekt wurde trotz Prüfsummenfehler geladen und wird nicht "
                           "über %1 gespeichert. Mit --out eine andere Datei angeben.\n")
                .arg(QDir::toNativeSeparators(datei)));
        return exitCrc;
    }
    return exitOk;
}

} // namespace zephan::cli
