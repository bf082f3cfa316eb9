#include "app/main_window.h"

#include <QDir>
#include <QFileInfo>

namespace zephan {

namespace {

bool dieselbe(const QString& a, const QString& b) {
    return !a.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

bool Tk_DVform::sperreFuerLaden(const QString& datei, ProjektSperre& neu, bool& nurLesen) {
    nurLesen = false;
    // Opened again in this window: the lock held stays.
    if (dieselbe(sperre_.projektDatei(), datei)) return true;
    switch (neu.nehmen(datei)) {
    case ProjektSperre::Ergebnis::Gesperrt:
    case ProjektSperre::Ergebnis::NichtMoeglich: // a folder without write access: saving fails
        return true;                             // with its own message
    case ProjektSperre::Ergebnis::Belegt:
        break;
    }
    if (seam_.frage(belegtFrage(datei, neu.halter()), QString::fromUtf8(belegtAntworten),
                    UserSeam::Kind::Warnung) != 0)
        return false;
    nurLesen = true;
    return true;
}

bool Tk_DVform::sperreFuerSichern(const QString& datei, ProjektSperre& neu) {
    const QString ziel = session_->projekt().zielDatei(datei);
    if (dieselbe(sperre_.projektDatei(), ziel)) return true;
    if (neu.nehmen(ziel) != ProjektSperre::Ergebnis::Belegt) return true;
    seam_.meldung(QStringLiteral("Nicht gesichert: Die Datei %1 ist bereits geöffnet: %2.")
                      .arg(QDir::toNativeSeparators(ziel), halterText(neu.halter())),
                  UserSeam::Kind::Fehler);
    return false;
}

void Tk_DVform::sperreUebernehmen(ProjektSperre& neu, bool nurLesen) {
    if (neu.haelt())
        sperre_ = std::move(neu);
    else if (!dieselbe(sperre_.projektDatei(), session_->projekt().dateiname()))
        sperre_.freigeben();
    session_->projekt().setNurLesen(nurLesen);
}

} // namespace zephan
