// zephan-druck DOC: opens a report document (one markup line per line, UTF-8) in the report
// window, for looking at reports and trying markup without the main program.
#include "app/druck_dateien.h"
#include "app/druck_fenster.h"
#include "app/qt_texte.h"
#include "report/report_document.h"
#include "store/user_seam.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

// Messages as plain message boxes over the report window.
class BoxSeam : public zephan::UserSeam {
public:
    int frage(const QString& text, const QString& buttons, Kind kind) override {
        const bool jaNein = buttons.startsWith(QLatin1Char('j'));
        const auto knopf = jaNein ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
        const auto icon = kind == Kind::Fehler    ? QMessageBox::Critical
                          : kind == Kind::Warnung ? QMessageBox::Warning
                                                  : QMessageBox::Information;
        QMessageBox box(icon, QStringLiteral("Druckvorschau"), text, knopf,
                        QApplication::activeWindow());
        return box.exec() == QMessageBox::No ? 1 : 0;
    }
    void status(int, const QString&) override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zephan::deutscheQtTexteLaden(app);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fputs("Aufruf: zephan-druck DOKUMENT\n", stderr);
        return 2;
    }
    zephan::TDruck doc;
    if (!zephan::dokumentLaden(args[1], doc.m)) {
        std::fprintf(stderr, "Datei kann nicht gelesen werden: %s\n", qPrintable(args[1]));
        return 1;
    }
    BoxSeam seam;
    doc.seam = &seam;
    zephan::TDruckFenster fenster(doc, seam);
    fenster.showmodal_();
    return 0;
}
