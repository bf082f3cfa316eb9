#include "editing/startup.h"

#include "network/catalogue_tree.h"
#include "network/settings.h"
#include "pressure/titelzahl.h"
#include "store/folders.h"
#include "store/user_seam.h"

#include <QDir>
#include <QFileInfo>

namespace zephan {

namespace {

// A named file: it must exist and be a file.
bool vorhanden(const QString& datei, QString& fehler) {
    const QString name = QDir::toNativeSeparators(datei);
    const QFileInfo info(datei);
    if (!info.exists())
        fehler = QStringLiteral("Die Datei %1 existiert nicht.").arg(name);
    else if (!info.isFile())
        fehler = QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(name);
    return fehler.isEmpty();
}

} // namespace

StartErgebnis programmStart(const StartQuellen& quellen, UserSeam* seam) {
    StartErgebnis r;
    const auto scheitern = [&r](const QString& text) {
        r.ok = false;
        r.fehler = text;
        return r;
    };

    // The named files are read before anything takes effect, so a bad one changes nothing.
    Einstellungen e;
    if (!quellen.einstellungen.isEmpty()) {
        QString f;
        if (!vorhanden(quellen.einstellungen, f)) return scheitern(f);
        if (!einstellungenLaden(e, quellen.einstellungen))
            return scheitern(QStringLiteral("Die Einstellungen in %1 können nicht gelesen werden.")
                                 .arg(QDir::toNativeSeparators(quellen.einstellungen)));
    }
    if (!quellen.katalog.isEmpty()) {
        QString f;
        if (!vorhanden(quellen.katalog, f)) return scheitern(f);
        // A failed read leaves the catalogue as it was.
        if (!bauteilkatalog().ladenDatei(quellen.katalog))
            return scheitern(bauteilkatalog().fehler());
    }

    titelzahlen();

    if (quellen.einstellungen.isEmpty()) {
        r.einstellungsDatei = einstellungsDatei();
        if (!einstellungenLaden() && seam)
            seam->meldung(QStringLiteral("Die Einstellungen in %1 können nicht gelesen werden. Es "
                                         "gelten die Vorgaben.")
                              .arg(QDir::toNativeSeparators(r.einstellungsDatei)),
                          UserSeam::Kind::Warnung);
    } else {
        r.einstellungsDatei = quellen.einstellungen;
        einstellungen() = e;
    }

    if (quellen.katalog.isEmpty()) {
        r.katalogDatei = katalogStart(datenOrdner(), seam);
    } else {
        bauteilkatalog().tabelleFuellen(basisDatenTabelle());
        r.katalogDatei = quellen.katalog;
    }
    return r;
}

} // namespace zephan
