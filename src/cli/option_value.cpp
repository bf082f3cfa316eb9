#include "cli/command.h"

namespace zephan::cli {

bool wertNehmen(QStringList& args, const QString& name, QString& wert) {
    const qsizetype k = args.indexOf(name);
    if (k < 0) return true;
    if (k + 1 >= args.size() || args.lastIndexOf(name) != k) return false;
    wert = args[k + 1];
    args.remove(k, 2);
    return !wert.isEmpty();
}

int keinePosition(const QString& position) {
    return fehler(QStringLiteral("Keine Position ") + position + QStringLiteral(" im Projekt."));
}

bool seiteNehmen(QStringList& args, int& seite) {
    QString wert;
    const bool da = args.contains(QStringLiteral("--side"));
    if (!wertNehmen(args, QStringLiteral("--side"), wert)) return false;
    if (!da) return true;
    bool ok = false;
    const int s = wert.toInt(&ok);
    if (!ok || s < 0 || s > 2) return false;
    seite = s;
    return true;
}

} // namespace zephan::cli
