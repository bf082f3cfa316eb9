#include "cli/load_options.h"

#include "network/project_file.h"

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

int starten(const Ladeoptionen& o, UserSeam& seam) {
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

} // namespace zephan::cli
