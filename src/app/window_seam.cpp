#include "app/window_seam.h"

#include "app/message_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressDialog>

namespace zephan {

int FensterSeam::frage(const QString& text, const QString& buttons, Kind kind) {
    return meldungsDialog(fenster_, text, buttons, kind);
}

void FensterSeam::status(int panel, const QString& text) {
    if (panel < 0 || panel > 3 || !panels_[static_cast<size_t>(panel)]) return;
    panels_[static_cast<size_t>(panel)]->setText(text);
}

QString FensterSeam::dateinameFragen(const QString& text, const QString& vorschlag) {
    if (hatAntwortgeber()) return QString();
    return QFileDialog::getSaveFileName(fenster_, text, vorschlag,
                                        QStringLiteral("Projekt (*.pro)"));
}

bool FensterSeam::fortschritt(int done, int total) {
    if (!fortschritt_) {
        fortschritt_ = new QProgressDialog(QStringLiteral("Berechne..."),
                                           QStringLiteral("Abbrechen"), 0, total, fenster_);
        fortschritt_->setWindowTitle(QStringLiteral("Fortschritt"));
        fortschritt_->setWindowModality(Qt::WindowModal);
        fortschritt_->setMinimumDuration(300);
    }
    fortschritt_->setMaximum(total);
    fortschritt_->setValue(done);
    QApplication::processEvents();
    const bool weiter = !fortschritt_->wasCanceled();
    if (!weiter || done >= total) fortschrittEnde();
    return weiter;
}

void FensterSeam::fortschrittEnde() {
    if (!fortschritt_) return;
    fortschritt_->deleteLater();
    fortschritt_ = nullptr;
}

} // namespace zephan
