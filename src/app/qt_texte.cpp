#include "app/qt_texte.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zephan {

bool deutscheQtTexteLaden(QCoreApplication& app) {
    auto* t = new QTranslator(&app);
    if (!t->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    return QCoreApplication::installTranslator(t);
}

} // namespace zephan
