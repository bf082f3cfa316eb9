#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace zephan {

// What the report window hands to the desktop: programs it runs (the mail hand-over) and
// files or folders it opens with their associated program. Replaceable, so tests can see
// every call without starting anything.
class TDesktop {
public:
    struct Lauf {
        bool gestartet = false; // the program could be started
        int exitCode = -1;      // its exit code; 0 while it still runs after the wait
        QString ausgabe;        // what it wrote to standard output
    };
    virtual ~TDesktop() = default;
    virtual Lauf ausfuehren(const QString& programm, const QStringList& argumente) = 0;
    virtual bool oeffnen(const QUrl& url) = 0;
};

// The real desktop: programs through QProcess (waiting a while for their answer), files
// through QDesktopServices.
class TSystemDesktop : public TDesktop {
public:
    Lauf ausfuehren(const QString& programm, const QStringList& argumente) override;
    bool oeffnen(const QUrl& url) override;
};

} // namespace zephan
