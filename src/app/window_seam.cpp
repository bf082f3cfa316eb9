#include "app/window_seam.h"

#include "app/druck_fenster.h"
#include "app/message_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressDialog>

namespace zephan {

namespace {
const QString projektFilter = QStringLiteral("Projekt (*.pro)");
constexpr qint64 rundeMs = 50;
} // namespace

FensterSeam::~FensterSeam() {
    fortschrittEnde();
}

int FensterSeam::frage(const QString& text, const QString& buttons, Kind kind) {
    fortschrittEnde();
    if (vorMeldung) vorMeldung();
    return meldungsDialog(fenster_, text, buttons, kind);
}

void FensterSeam::status(int panel, const QString& text) {
    if (panel < 0 || panel > 3 || !panels_[static_cast<size_t>(panel)]) return;
    panels_[static_cast<size_t>(panel)]->setText(text);
}

QString FensterSeam::dateinameFragen(const QString& text, const QString& vorschlag) {
    if (hatAntwortgeber()) return QString();
    return dateiSichern(text, vorschlag);
}

bool FensterSeam::fortschritt(int done, int total) {
    bool runde = false;
    if (!fortschritt_) {
        fortschritt_ = new QProgressDialog(
            fortschrittText_.isEmpty() ? QStringLiteral("Berechne...") : fortschrittText_,
            QStringLiteral("Abbrechen"), 0, total, fenster_);
        fortschritt_->setObjectName(QStringLiteral("Fortschritt"));
        fortschritt_->setWindowTitle(QStringLiteral("Fortschritt"));
        // Modal from the start: no click reaches the window while a calculation holds nodes.
        fortschritt_->setWindowModality(Qt::ApplicationModal);
        fortschritt_->setMinimumDuration(0);
        fortschritt_->setAutoClose(false);
        fortschritt_->setAutoReset(false);
        fortschritt_->show();
        letzteRunde_.start();
        runde = true;
    }
    // A modal progress dialog runs the event loop in every setValue: the value is set only
    // when the window gets its turn, at most every rundeMs.
    if (runde || letzteRunde_.elapsed() >= rundeMs) {
        fortschritt_->setMaximum(total);
        fortschritt_->setValue(qMin(done, total));
        QApplication::processEvents();
        letzteRunde_.restart();
    }
    // A handler run by the event loop may have closed the window already.
    const bool weiter = fortschritt_ && !fortschritt_->wasCanceled();
    if (!weiter || done >= total) fortschrittEnde();
    return weiter;
}

void FensterSeam::setFortschrittText(const QString& text) {
    fortschrittText_ = text;
    if (fortschritt_) fortschritt_->setLabelText(text);
}

void FensterSeam::fortschrittEnde() {
    fortschrittText_.clear();
    if (!fortschritt_) return;
    QProgressDialog* f = fortschritt_;
    fortschritt_ = nullptr;
    f->hide();
    delete f;
    // The window the progress covered takes the keys again (F7 once more, Ctrl+Z ...).
    if (fenster_ && fenster_->isVisible()) {
        fenster_->activateWindow();
        // Platforms that activate later (offscreen, some window managers) get it at once.
        if (!QApplication::activeWindow()) QApplication::setActiveWindow(fenster_);
    }
}

void FensterSeam::berichtZeigen(TDruck&) {
    if (berichtFenster_) berichtFenster_->showmodal_();
}

QString FensterSeam::dateiOeffnen(const QString& titel) {
    return QFileDialog::getOpenFileName(fenster_, titel, QString(), projektFilter);
}

QString FensterSeam::dateiSichern(const QString& titel, const QString& vorschlag) {
    return QFileDialog::getSaveFileName(fenster_, titel, vorschlag,
                                        filter_.isEmpty() ? projektFilter : filter_);
}

QString FensterSeam::dateiSichernMitFilter(const QString& titel, const QString& vorschlag,
                                           const QString& filter) {
    filter_ = filter;
    const QString name = dateiSichern(titel, vorschlag);
    filter_.clear();
    return name;
}

} // namespace zephan
