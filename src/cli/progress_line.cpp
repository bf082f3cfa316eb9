#include "cli/progress_line.h"

#include "cli/command.h"
#include "cli/text_table.h"

namespace zephan::cli {

Fortschrittszeile::Fortschrittszeile(QString text)
    : text_(std::move(text)), aktiv_(fehlerausgabeIstTerminal()) {}

Fortschrittszeile::~Fortschrittszeile() {
    beenden();
}

bool Fortschrittszeile::zeigen(const QString& text, int done, int total) {
    if (!aktiv_ || total <= 0) return true;
    const int prozent = static_cast<int>(qBound(0LL, 100LL * done / total, 100LL));
    const bool neuerText = !text.isEmpty() && text != text_;
    if (neuerText) text_ = text;
    if (prozent == prozent_ && !neuerText) return true;
    prozent_ = prozent;
    const QString zeile =
        text_ + QLatin1Char(' ') + QString::number(prozent) + QStringLiteral(" %");
    // Blanks over a longer line written before.
    const int rest = qMax(0, breite_ - static_cast<int>(zeile.size()));
    err(QLatin1Char('\r') + zeile + QString(rest, QLatin1Char(' ')));
    breite_ = static_cast<int>(zeile.size());
    return true;
}

void Fortschrittszeile::beenden() {
    if (!aktiv_ || breite_ == 0) return;
    err(QLatin1Char('\r') + QString(breite_, QLatin1Char(' ')) + QLatin1Char('\r'));
    breite_ = 0;
    prozent_ = -1;
}

} // namespace zephan::cli
