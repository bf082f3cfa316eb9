#include "cli/command.h"
#include "network/project_file.h"

namespace zephan::cli {
namespace {

const Command example("example", "example OUT", [](const QStringList& args) {
    if (args.size() != 1) return usage("example");
    QString grund;
    if (!beispielSchreiben(args[0], &grund))
        return fehler(QStringLiteral("Das Beispielprojekt wurde nicht geschrieben: ") + grund);
    return exitOk;
});

} // namespace
} // namespace zephan::cli
