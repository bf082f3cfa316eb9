#include "app/app_start.h"

#include "app/main_window.h"
#include "app/message_dialog.h"
#include "editing/startup.h"
#include "network/project_file.h"
#include "network/tree_item_model.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>
#include <QTreeView>

namespace zephan {
namespace {

void germanTranslations(QApplication& app) {
    // Standard buttons and dialogs in German.
    auto* t = new QTranslator(&app);
    if (t->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(t);
}

int bildschirmfoto(Tk_DVform& fenster, const QString& ziel, const QString& datei) {
    fenster.resize(1200, 760);
    fenster.show();
    fenster.start(datei.isEmpty() ? beispielAnlegen() : datei);
    if (tmylistitem* erster = fenster.session().baum().topitem()) {
        fenster.baumAnsicht()->expandAll();
        fenster.knotenAuswaehlen(erster);
    }
    QApplication::processEvents();
    const bool ok = fenster.grab().save(ziel, "PNG");
    if (!ok) QTextStream(stderr) << "Bild nicht geschrieben: " << ziel << '\n';
    fenster.session().projekt().setGeaendert(false);
    return ok ? 0 : 1;
}

} // namespace

int programmAusfuehren(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(programmName);
    germanTranslations(app);

    QStringList args = QApplication::arguments().mid(1);
    QString foto;
    const int s = static_cast<int>(args.indexOf(QStringLiteral("--screenshot")));
    if (s >= 0) {
        if (s + 1 >= args.size()) {
            QTextStream(stderr) << "zephan --screenshot AUSGABE.png [DATEI]\n";
            return 2;
        }
        foto = args[s + 1];
        args.remove(s, 2);
        // Nobody answers dialogs in a screenshot run.
        setzeAntwortgeber([](const QString& text, const QString&) {
            QTextStream(stderr) << text << '\n';
            return 1;
        });
    }
    const QString datei =
        args.isEmpty() ? QString() : QDir::current().absoluteFilePath(args.front());

    FensterSeam startSeam;
    const StartErgebnis start = programmStart({}, &startSeam);
    if (!start.ok) {
        startSeam.meldung(start.fehler, UserSeam::Kind::Fehler);
        return 1;
    }
    Tk_DVform fenster;
    if (!foto.isEmpty()) return bildschirmfoto(fenster, foto, datei);
    fenster.show();
    fenster.start(datei);
    return QApplication::exec();
}

} // namespace zephan
