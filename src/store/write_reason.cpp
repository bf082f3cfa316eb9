#include "store/write_reason.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace zephan {

QString schreibGrund(const QString& path, const QString& qtGrund, int fehlerNr) {
    if (fehlerNr == ENOSPC) return QStringLiteral("Kein Platz mehr auf dem Datenträger.");
    if (fehlerNr == EDQUOT) return QStringLiteral("Das Speicherkontingent ist erschöpft.");
    if (fehlerNr == EROFS) return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    if (fehlerNr == EACCES || fehlerNr == EPERM) {
        const QString ordner = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
            return QStringLiteral("Keine Schreibberechtigung im Ordner %1.").arg(ordner);
        return QStringLiteral("Keine Schreibberechtigung (%1).").arg(qtGrund);
    }
    if (fehlerNr != 0 && (qtGrund.isEmpty() || qtGrund == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(fehlerNr));
    if (qtGrund.isEmpty() || qtGrund == QLatin1String("Unknown error"))
        return QStringLiteral("Fehler beim Schreiben (Grund vom System nicht gemeldet).");
    return qtGrund;
}

} // namespace zephan
