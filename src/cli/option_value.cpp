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

} // namespace zephan::cli
