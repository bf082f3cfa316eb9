#include "cli/command.h"
#include "report/report_document.h"
#include "store/output_target.h"

namespace zephan::cli {

bool ausgabeDatei(QString& pfad) {
    QString ziel, grund;
    if (!schreibZiel(pfad, ziel, grund)) {
        fehler(grund);
        return false;
    }
    pfad = ziel;
    return true;
}

bool markupSchreiben(const TDruck& doc, const QString& datei, QString& grund) {
    QString text;
    for (const QString& z : doc.m) text += z + QLatin1Char('\n');
    return dateiSchreiben(datei, text.toUtf8(), grund);
}

} // namespace zephan::cli
