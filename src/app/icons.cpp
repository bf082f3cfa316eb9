#include "app/icons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace zephan {
namespace {

constexpr int groesse = 32;

QPixmap zeichnen(const QString& datei) {
    QPixmap bild(groesse, groesse);
    bild.fill(Qt::transparent);
    QSvgRenderer r(datei);
    if (!r.isValid()) return bild;
    QPainter p(&bild);
    r.render(&p);
    return bild;
}

QString bildDatei(int bildIndex) {
    const int nr = bildIndex - 16;
    const QString datei = QStringLiteral(":/icons/bild_%1.svg").arg(nr, 2, 10, QLatin1Char('0'));
    // A picture number without pictogram (or a type without catalogue entry) shows the
    // question mark.
    return (nr >= 0 && QFile::exists(datei)) ? datei : QStringLiteral(":/icons/bild_15.svg");
}

} // namespace

QIcon bildIcon(int bildIndex) {
    // Kept until the end of the process: pixmaps must not outlive the application object.
    static auto& cache = *new QHash<int, QIcon>;
    auto it = cache.find(bildIndex);
    if (it == cache.end()) it = cache.insert(bildIndex, QIcon(zeichnen(bildDatei(bildIndex))));
    return *it;
}

QIcon zustandIcon(int zustand) {
    static auto& cache = *new QHash<int, QIcon>;
    auto it = cache.find(zustand);
    if (it == cache.end()) {
        const QString datei = QStringLiteral(":/icons/zustand_%1.svg").arg(zustand);
        it = cache.insert(zustand, QFile::exists(datei) ? QIcon(zeichnen(datei)) : QIcon());
    }
    return *it;
}

QIcon baumIcon(int bildIndex, int zustand) {
    static auto& cache = *new QHash<qint64, QIcon>;
    const qint64 key = (static_cast<qint64>(bildIndex) << 32) | static_cast<quint32>(zustand);
    auto it = cache.find(key);
    if (it != cache.end()) return *it;
    QPixmap bild = zeichnen(bildDatei(bildIndex));
    if (zustand >= 0) {
        const QPixmap z = zustandIcon(zustand).pixmap(groesse / 2, groesse / 2);
        if (!z.isNull()) {
            QPainter p(&bild);
            p.drawPixmap(groesse / 2, groesse / 2, z);
        }
    }
    return *cache.insert(key, QIcon(bild));
}

QIcon programmIcon() {
    static const QIcon& icon = *new QIcon(zeichnen(QStringLiteral(":/icons/zephan.svg")));
    return icon;
}

} // namespace zephan
