#include "network/tree_position.h"

#include "network/tree_container.h"

#include <QStringList>

namespace zephan {

tmylistitem* knotenAnPosition(const tMylistviewBase& baum, const QString& position) {
    const QStringList teile = position.trimmed().split(QLatin1Char('.'));
    tmylistitem* n = nullptr;
    for (qsizetype k = 0; k < teile.size(); ++k) {
        bool ok = false;
        const int nr = teile[k].toInt(&ok);
        if (!ok || nr < 1) return nullptr;
        if (k == 0)
            n = nr <= baum.topCount() ? baum.topLevel(nr - 1) : nullptr;
        else
            n = nr <= n->childCount() ? n->child(nr - 1) : nullptr;
        if (!n) return nullptr;
    }
    return n;
}

} // namespace zephan
