#include "cli/command.h"

namespace zephan::cli {
namespace {
const Command version("version", "version", [](const QStringList&) {
    out(QStringLiteral("Zephan 0.1\n"));
    return exitOk;
});
} // namespace
} // namespace zephan::cli
