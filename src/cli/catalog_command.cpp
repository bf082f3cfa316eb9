#include "cli/command.h"
#include "network/catalogue_tree.h"

#include <QDir>
#include <QFileInfo>

namespace zephan::cli {
namespace {

// One line per filled slot of the type table: code, title, connections, shape, picture and
// path key, separated by tabs.
const Command catalog("catalog", "catalog [FILE]", [](const QStringList& args) {
    if (args.size() > 1) return usage("catalog");
    Bauteilkatalog katalog;
    if (args.isEmpty()) {
        if (!katalog.ladenStandard()) return fehler(katalog.fehler());
    } else {
        const QString name = QDir::toNativeSeparators(args[0]);
        if (!QFileInfo::exists(args[0]))
            return fehler(QStringLiteral("Die Datei %1 existiert nicht.").arg(name));
        if (!katalog.ladenDatei(args[0])) return fehler(katalog.fehler());
    }
    TBasisDatenTabelle tabelle;
    katalog.tabelleFuellen(tabelle);
    QString text;
    for (int typ = 0; typ < TBasisDatenTabelle::anzahl; ++typ) {
        const tBasisDaten_* e = tabelle[typ];
        if (!e) continue;
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                    .arg(typ)
                    .arg(e->titel)
                    .arg(e->enden)
                    .arg(e->eckig)
                    .arg(e->bildnr)
                    .arg(e->titelint);
    }
    out(text);
    return exitOk;
});

} // namespace
} // namespace zephan::cli
