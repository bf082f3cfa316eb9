#include "cli/command.h"
#include "store/output_target.h"

namespace zephan::cli {

bool ausgabeDatei(QString& pfad) {
    QString ziel, grund;
    if (!schreibZiel(pfad, ziel, grund)) {
        fehler(grund);
        return false;
    }
    pfad = ziel;
    return true;
}

} // namespace zephan::cli
