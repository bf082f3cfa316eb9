#include "store/carried_data.h"

#include <QFile>

namespace zephan {

QByteArray carriedData(const QString& name) {
    QFile f(QStringLiteral(":/data/") + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

} // namespace zephan
