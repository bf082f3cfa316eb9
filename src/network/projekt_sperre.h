#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace zephan {

// Who holds the lock of a project file.
struct SperrHalter {
    qint64 pid = 0;
    QString rechner;  // host name
    QString programm; // application name
    QString benutzer; // owner of the lock file
};

// The lock beside an open project file, so two running programs never save over each other.
// It is the file ".NAME.lock" in the project's folder (a QLockFile: process id, program and host
// inside). A lock whose process no longer runs on this host is stale and taken over; a lock
// from another host is never taken over, however old.
class ProjektSperre {
public:
    enum class Ergebnis {
        Gesperrt,     // this object holds the lock now
        Belegt,       // another running program holds it (see halter())
        NichtMoeglich // no lock can be made (folder without write access, ...): nothing is held
    };

    ProjektSperre() = default;
    ~ProjektSperre();
    ProjektSperre(const ProjektSperre&) = delete;
    ProjektSperre& operator=(const ProjektSperre&) = delete;
    ProjektSperre(ProjektSperre&&) noexcept;
    ProjektSperre& operator=(ProjektSperre&&) noexcept;

    static QString sperrDatei(const QString& projektDatei);

    // Locks `projektDatei`, first releasing what this object held.
    Ergebnis nehmen(const QString& projektDatei);
    void freigeben();

    bool haelt() const { return lock_ != nullptr; }
    // The project file held (empty when none).
    QString projektDatei() const { return haelt() ? projekt_ : QString(); }
    // After Belegt: who holds the lock.
    const SperrHalter& halter() const { return halter_; }

private:
    std::unique_ptr<QLockFile> lock_;
    QString projekt_;
    SperrHalter halter_;
};

// "von BENUTZER auf dem Rechner HOST (PROGRAMM, Prozess PID)": the holder as a message names it.
QString halterText(const SperrHalter& h);

// The question when a project is held by another program: the answers
// "schreibgeschützt öffnen|abbrechen".
QString belegtFrage(const QString& projektDatei, const SperrHalter& h);
inline constexpr char belegtAntworten[] = "schreibgeschützt öffnen|abbrechen";

} // namespace zephan
