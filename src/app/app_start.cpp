#include "app/app_start.h"

#include "app/druck_fenster.h"
#include "app/main_window.h"
#include "app/message_dialog.h"
#include "app/qt_texte.h"
#include "editing/startup.h"
#include "network/project_file.h"
#include "network/tree_item_model.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <QTreeView>

namespace zephan {
namespace {

// Catches the report window after F7 as a picture instead of showing it modally.
class FotoSeam : public FensterSeam {
public:
    void berichtZeigen(TDruck&) override {
        TDruckFenster* w = berichtFenster();
        if (!w) return;
        w->resize(1150, 1000);
        w->show();
        for (int k = 0; k < 5; ++k) QApplication::processEvents();
        bild = w->grab();
        w->hide();
    }
    QPixmap bild;
};

// The picture of the main window with the first line selected, or (with `bericht`) of the
// report window after F7.
int bildschirmfoto(const QString& ziel, const QString& datei, bool bericht) {
    auto seam = std::make_unique<FotoSeam>();
    FotoSeam& foto = *seam;
    Tk_DVform fenster(nullptr, std::move(seam));
    fenster.resize(1200, 760);
    fenster.show();
    fenster.start(datei.isEmpty() ? beispielAnlegen() : datei);
    fenster.baumAnsicht()->expandAll();
    if (tmylistitem* erster = fenster.session().baum().topitem()) fenster.knotenAuswaehlen(erster);
    QApplication::processEvents();
    QPixmap bild = fenster.grab();
    if (bericht) {
        fenster.druckverlustberechnung(false);
        bild = foto.bild;
    }
    const bool ok = !bild.isNull() && bild.save(ziel, "PNG");
    if (!ok) QTextStream(stderr) << "Bild nicht geschrieben: " << ziel << '\n';
    fenster.session().projekt().setGeaendert(false);
    return ok ? 0 : 1;
}

} // namespace

int programmAusfuehren(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(programmName);
    deutscheQtTexteLaden(app);

    QStringList args = QApplication::arguments().mid(1);
    QString foto;
    bool bericht = false;
    int s = static_cast<int>(args.indexOf(QStringLiteral("--screenshot")));
    if (s < 0) {
        s = static_cast<int>(args.indexOf(QStringLiteral("--report-screenshot")));
        bericht = s >= 0;
    }
    if (s >= 0) {
        if (s + 1 >= args.size()) {
            QTextStream(stderr) << "zephan --screenshot AUSGABE.png [DATEI]\n"
                                   "zephan --report-screenshot AUSGABE.png [DATEI]\n";
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
    if (!foto.isEmpty()) return bildschirmfoto(foto, datei, bericht);
    Tk_DVform fenster;
    fenster.show();
    fenster.start(datei);
    return QApplication::exec();
}

} // namespace zephan
