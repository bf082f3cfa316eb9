#include "network/auto_save.h"

namespace zephan {

bool AutoSave::tick() {
    if (!laeuft_) return false;
    budget_ -= intervallSekunden;
    if (budget_ > 0) return false;
    budget_ = budgetSekunden;
    return true;
}

void AutoSave::geaendert(bool warUnveraendert, bool automatischAn) {
    if (!warUnveraendert) return;
    budget_ = budgetSekunden;
    if (automatischAn) laeuft_ = true;
}

QString AutoSave::menuText() const {
    if (!laeuft_) return QStringLiteral("Sichern (-)");
    return QStringLiteral("Sichern (") + QString::number(budget_ / 60) + QStringLiteral(" Min.)");
}

} // namespace zephan
