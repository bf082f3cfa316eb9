// The bill of quantities and the component overwrite from the main window.
#include "app/main_window.h"
#include "app/ueberschreib_fenster.h"
#include "network/catalogue.h"
#include "quantities/massen_csv.h"
#include "quantities/massenauszug.h"
#include "store/output_target.h"

#include <QFileInfo>

namespace zephan {

void Tk_DVform::massenauszugMenu() {
    if (massenauszug(basisDatenTabelle(), session_->baum(), session_->projekt().daten(), druck_,
                     &seam_))
        berichtZeigen();
}

bool Tk_DVform::massenauszugCsvMenu() {
    if (session_->baum().count() == 0) {
        seam_.meldung(keinStrang);
        return false;
    }
    const QString projekt = session_->projekt().dateiname();
    const QString vorschlag = projekt.isEmpty() ? QStringLiteral("Massenauszug.csv")
                                                : QFileInfo(projekt).path() + QLatin1Char('/') +
                                                      QFileInfo(projekt).completeBaseName() +
                                                      QStringLiteral(" Massenauszug.csv");
    QString datei = seam_.dateiSichernMitFilter(QStringLiteral("Massenauszug als CSV sichern"),
                                                vorschlag, QStringLiteral("CSV (*.csv)"));
    if (datei.isEmpty()) return false;
    const ProjektDaten& p = session_->projekt().daten();
    QString ziel, grund;
    if (!schreibZiel(datei, ziel, grund) ||
        !dateiSchreiben(ziel,
                        massenCsv(massenauszugBerechnen(basisDatenTabelle(), session_->baum(),
                                                        p.Gruppen, p.MassenauszugMitGruppen)),
                        grund)) {
        seam_.meldung(grund, UserSeam::Kind::Fehler);
        return false;
    }
    session_->statusMeldung(QStringLiteral("Massenauszug gesichert: ") + datei);
    return true;
}

void Tk_DVform::Allesetzen1Click() {
    if (session_->baum().count() == 0 || !session_->selektiert()) return;
    allsetform_->FormShow();
    allsetform_->show();
    allsetform_->raise();
    allsetform_->activateWindow();
}

} // namespace zephan
