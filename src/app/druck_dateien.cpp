#include "app/druck_dateien.h"

#include "store/output_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zephan {

QString dateinameSicher(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 32 || QStringView(u"\\/:*?\"<>|").contains(c)) c = QLatin1Char('_');
    return text;
}

QString mitPdfEndung(QString name) {
    if (name.endsWith(QLatin1Char('.')))
        name += QStringLiteral("pdf");
    else if (!name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    return name;
}

QString pdfVorschlag(const QString& letzteDatei, const QString& betreff) {
    const QFileInfo info(letzteDatei);
    QString ordner = letzteDatei;
    if (!info.isDir() && !letzteDatei.endsWith(QLatin1Char('/'))) ordner = info.path();
    const QString b = betreff.trimmed();
    if (b.isEmpty()) return ordner;
    return QDir(ordner).filePath(dateinameSicher(b) + QStringLiteral(".pdf"));
}

namespace {
QString ohnePunkteAmEnde(QString s) {
    while (s.endsWith(QLatin1Char('.'))) s.chop(1);
    return s;
}
} // namespace

QString anhangVorschlag(const QString& betreff) {
    QString b = betreff.trimmed();
    if (b.isEmpty()) return QStringLiteral("brief.pdf");
    b.replace(QLatin1Char(':'), QLatin1Char('-'));
    b = dateinameSicher(b);
    if (b.endsWith(QLatin1Char('.'))) b.chop(1);
    return b + QStringLiteral(".pdf");
}

QString anhangName(QString eingabe) {
    eingabe = ohnePunkteAmEnde(eingabe.left(255).trimmed());
    if (eingabe.isEmpty()) return QString();
    // The name is used inside the mail folder only: no path parts.
    eingabe = dateinameSicher(eingabe);
    if (!eingabe.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        eingabe += QStringLiteral(".pdf");
    return eingabe;
}

bool dokumentLaden(const QString& datei, QStringList& zeilen) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QString text = QString::fromUtf8(bytes);
    text.remove(QLatin1Char('\r'));
    QStringList z = text.split(QLatin1Char('\n'));
    if (!z.isEmpty() && z.last().isEmpty()) z.removeLast();
    zeilen = z;
    return true;
}

bool dokumentSichern(const QString& datei, const QStringList& zeilen, QString* fehler) {
    QByteArray bytes;
    for (const QString& z : zeilen) {
        bytes += z.toUtf8();
        bytes += '\n';
    }
    // Through the temporary file beside the target; a device or FIFO is refused, a link is
    // written through.
    QString ziel, grund;
    if (!schreibZiel(datei, ziel, grund)) {
        if (fehler) *fehler = grund;
        return false;
    }
    const bool ok = dateiSchreiben(ziel, bytes, grund);
    if (!ok && fehler)
        *fehler = QStringLiteral("Fehler beim Erstellen oder Speichern der Datei ") + datei;
    return ok;
}

} // namespace zephan
