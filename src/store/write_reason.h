#pragma once

#include <QString>

namespace zephan {

// The reason shown when writing `path` failed, from Qt's text and the system's error number.
// Qt reports a full disk on commit as "Unknown error" and a refused temporary file as a bare
// "Permission denied"; this says what they mean.
QString schreibGrund(const QString& path, const QString& qtGrund, int fehlerNr);

} // namespace zephan
