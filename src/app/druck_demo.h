#pragma once

#include <QStringList>

namespace zephan {

// The document "Sonderzeichen anzeigen" lays out: every kind of markup once, each with the
// line that makes it, so a user writing report texts can look them up.
QStringList sonderzeichenDemo();

} // namespace zephan
