#include "app/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>

namespace zephan {

TDesktop::Lauf TSystemDesktop::ausfuehren(const QString& programm, const QStringList& argumente) {
    Lauf l;
    // Owned by the application: a mail client that keeps running is not killed when the wait
    // ends.
    auto* p = new QProcess(QCoreApplication::instance());
    p->start(programm, argumente);
    if (!p->waitForStarted(10000)) {
        delete p;
        return l;
    }
    l.gestartet = true;
    if (p->waitForFinished(20000)) {
        l.exitCode = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
        l.ausgabe = QString::fromLocal8Bit(p->readAllStandardOutput());
        p->deleteLater();
    } else {
        l.exitCode = 0; // still open: the client has the message
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    }
    return l;
}

bool TSystemDesktop::oeffnen(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace zephan
