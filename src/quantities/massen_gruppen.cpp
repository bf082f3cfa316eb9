#include "quantities/massen_gruppen.h"

#include <QRegularExpression>

namespace zephan {

MassenGruppen::MassenGruppen(const QString& memo, bool mitGruppen) : mitGruppen_(mitGruppen) {
    namen_.append(gruppeUnbekannt);
    if (!mitGruppen) return;
    static const QRegularExpression umbruch(QStringLiteral("\r\n|\r|\n"));
    for (const QString& zeile : memo.split(umbruch)) {
        const QString name = zeile.trimmed();
        if (name.isEmpty() || genau_.contains(name)) continue;
        // A memo line "unbekannt" names the first pass; a second pass would count twice.
        const int k = name == gruppeUnbekannt ? 0 : static_cast<int>(namen_.size());
        if (k > 0) namen_.append(name);
        genau_.insert(name, k);
        if (!gross_.contains(name.toUpper())) gross_.insert(name.toUpper(), k);
    }
}

QString MassenGruppen::normalisiert(const QString& gruppe) const {
    if (gruppe.isEmpty()) return QString();
    if (genau_.contains(gruppe)) return gruppe;
    const auto it = gross_.constFind(gruppe.toUpper());
    if (it != gross_.constEnd()) return namen_[*it];
    return QString();
}

int MassenGruppen::pass(const QString& gruppe) const {
    if (!mitGruppen_) return 0;
    if (gruppe.isEmpty()) return 0;
    const auto it = genau_.constFind(gruppe);
    if (it != genau_.constEnd()) return *it;
    const auto g = gross_.constFind(gruppe.toUpper());
    return g != gross_.constEnd() ? *g : 0;
}

} // namespace zephan
