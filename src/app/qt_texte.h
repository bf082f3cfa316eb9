#pragma once

class QCoreApplication;

namespace zephan {

// Loads Qt's own German texts (qtbase_de.qm), so standard buttons and the print and file
// dialogs speak German. Every program with windows calls it once after creating the
// application. False when the translation was not found; the English texts then stay.
bool deutscheQtTexteLaden(QCoreApplication& app);

} // namespace zephan
