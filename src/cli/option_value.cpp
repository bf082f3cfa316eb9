#include "cli/command.h"
#include "network/catalogue.h"

#include "network/network_tree.h"
#include "network/tree_position.h"
#include "network/type_codes.h"

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

tmylistitem* schallBauteil(ProjektBaum& baum, const QString& position, int seite,
                           bool raumErlaubt) {
    tmylistitem* n = knotenAnPosition(baum, position);
    if (!n) {
        keinePosition(position);
        return nullptr;
    }
    const DVdata* d = nodeDaten(n);
    if (!d || istStrangTyp(d->typ) || (!raumErlaubt && d->typ == typRaum)) {
        fehler(QStringLiteral("An Position ") + position + QStringLiteral(" steht kein Bauteil."));
        return nullptr;
    }
    if (seite > 0 && endenVon(basisDatenTabelle(), n) < 3 + (seite == 2 ? 1 : 0)) {
        fehler(QStringLiteral("Das Bauteil an Position ") + position +
               QStringLiteral(" hat keinen Abzweig ") + QString::number(seite) + QLatin1Char('.'));
        return nullptr;
    }
    return n;
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
