#include "network/projekt_sperre.h"

#include <QDir>
#include <QFileInfo>

namespace zephan {

ProjektSperre::~ProjektSperre() {
    freigeben();
}

ProjektSperre::ProjektSperre(ProjektSperre&&) noexcept = default;

ProjektSperre& ProjektSperre::operator=(ProjektSperre&& o) noexcept {
    if (this != &o) {
        freigeben();
        lock_ = std::move(o.lock_);
        projekt_ = std::move(o.projekt_);
        halter_ = std::move(o.halter_);
    }
    return *this;
}

QString ProjektSperre::sperrDatei(const QString& projektDatei) {
    const QFileInfo fi(projektDatei);
    return fi.absoluteDir().filePath(QLatin1Char('.') + fi.fileName() + QStringLiteral(".lock"));
}

ProjektSperre::Ergebnis ProjektSperre::nehmen(const QString& projektDatei) {
    freigeben();
    halter_ = {};
    auto lock = std::make_unique<QLockFile>(sperrDatei(projektDatei));
    // A project stays open for hours: only a dead process makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        projekt_ = QFileInfo(projektDatei).absoluteFilePath();
        return Ergebnis::Gesperrt;
    }
    if (lock->error() != QLockFile::LockFailedError) return Ergebnis::NichtMoeglich;
    if (!lock->getLockInfo(&halter_.pid, &halter_.rechner, &halter_.programm)) {
        // Held, but unreadable (being written this moment, or damaged): still held.
        halter_ = {};
    }
    halter_.benutzer = QFileInfo(sperrDatei(projektDatei)).owner();
    return Ergebnis::Belegt;
}

void ProjektSperre::freigeben() {
    if (lock_) lock_->unlock();
    lock_.reset();
    projekt_.clear();
}

QString halterText(const SperrHalter& h) {
    const QString wer =
        h.benutzer.isEmpty() ? QStringLiteral("einem anderen Benutzer") : h.benutzer;
    const QString wo = h.rechner.isEmpty() ? QStringLiteral("einem unbekannten Rechner")
                                           : QStringLiteral("dem Rechner ") + h.rechner;
    QString was = h.programm.isEmpty() ? QStringLiteral("unbekanntes Programm") : h.programm;
    if (h.pid > 0) was += QStringLiteral(", Prozess ") + QString::number(h.pid);
    return QStringLiteral("von %1 auf %2 (%3)").arg(wer, wo, was);
}

QString belegtFrage(const QString& projektDatei, const SperrHalter& h) {
    return QStringLiteral("Das Projekt %1 ist bereits geöffnet: %2.\n\nEs kann nur "
                          "schreibgeschützt geöffnet werden; Änderungen lassen sich dann nur "
                          "unter einem anderen Namen sichern.")
        .arg(QDir::toNativeSeparators(projektDatei), halterText(h));
}

} // namespace zephan
