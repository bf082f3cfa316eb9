#include "store/output_target.h"

#include "store/write_reason.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace zephan {

namespace {

// Links pointing at links: more than this is a loop.
constexpr int maxVerweise = 40;

// What a file that is no regular file is, for the message.
QString dateiArt(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    // A folder cannot be replaced by a file: every writer fails on it with its own message.
    if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return {};
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return QStringLiteral("eine Gerätedatei");
    if (S_ISFIFO(st.st_mode)) return QStringLiteral("eine benannte Pipe (FIFO)");
    if (S_ISSOCK(st.st_mode)) return QStringLiteral("ein Socket");
    return QStringLiteral("keine gewöhnliche Datei");
}

} // namespace

bool schreibZiel(const QString& path, QString& ziel, QString& grund) {
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        grund = QStringLiteral("Kein Dateiname zum Speichern.");
        return false;
    }
    QString p = path;
    int verweise = 0;
    for (QFileInfo fi(p); fi.isSymLink(); fi.setFile(p)) {
        if (++verweise > maxVerweise) {
            grund = QStringLiteral("Die Datei %1 kann nicht geschrieben werden: Die symbolischen "
                                   "Verknüpfungen bilden eine Schleife.")
                        .arg(shown);
            return false;
        }
        // A relative link target is relative to the link's folder.
        const QString verweis = fi.symLinkTarget();
        p = QDir(fi.absolutePath()).absoluteFilePath(verweis);
    }
    const QString art = dateiArt(p);
    if (!art.isEmpty()) {
        // Through a link the message names where it leads.
        const QString wohin =
            p == path ? QString() : QLatin1Char(' ') + QDir::toNativeSeparators(p);
        grund = QStringLiteral("Die Datei %1 wird nicht geschrieben: Das Ziel%2 ist %3, keine "
                               "gewöhnliche Datei.")
                    .arg(shown, wohin, art);
        return false;
    }
    ziel = p;
    return true;
}

bool dateiSchreiben(const QString& path, const QByteArray& bytes, QString& grund) {
    QString ziel;
    if (!schreibZiel(path, ziel, grund)) return false;
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile f(ziel);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly)) {
        grund = QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                    .arg(shown, schreibGrund(ziel, f.errorString(), errno));
        return false;
    }
    errno = 0;
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        const int fehlerNr = errno;
        const QString why = schreibGrund(ziel, f.errorString(), fehlerNr);
        f.cancelWriting();
        grund = QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(shown, why);
        return false;
    }
    return true;
}

} // namespace zephan
