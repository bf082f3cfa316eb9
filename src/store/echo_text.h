#pragma once

#include <QString>
#include <QStringView>

namespace zephan {

// Input quoted back in a message: at most `max` characters (then "…"), control characters
// shown as "<NUL>" or "<0x1B>", so a damaged file cannot fill a message box with a
// megabyte line or hide text behind a terminator.
QString eingabeZeigen(QStringView text, qsizetype max = 60);

} // namespace zephan
