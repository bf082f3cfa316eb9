#include "app/druck_fortschritt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephan {

TDruckFortschritt::TDruckFortschritt(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Fortschritt"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(360);
    auto* l = new QVBoxLayout(this);
    text_ = new QLabel(this);
    balken_ = new QProgressBar(this);
    abbrechen_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    abbrechen_->setObjectName(QStringLiteral("Abbrechen"));
    l->addWidget(text_);
    l->addWidget(balken_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(abbrechen_);
    l->addLayout(knoepfe);
    connect(abbrechen_, &QPushButton::clicked, this, [this] { abgebrochen_ = true; });
    uhr = [] {
        static QElapsedTimer t;
        if (!t.isValid()) t.start();
        return t.elapsed();
    };
}

void TDruckFortschritt::beginnen(const QString& text, int gesamt) {
    laeuft_ = true;
    abgebrochen_ = false;
    uebergaben_ = 0;
    text_->setText(text);
    balken_->setRange(0, std::max(1, gesamt));
    balken_->setValue(0);
    // Shown and modal at once: a delayed window would let clicks through meanwhile.
    show();
    raise();
    uebergeben();
}

bool TDruckFortschritt::weiter(int fertig, int gesamt, const QString& text) {
    // The text and the bar change only when the window is given its turn: setting them for
    // every line would make each step ask the style for the bar's geometry.
    const bool runde = uhr() - zuletzt_ >= abstandMs;
    // The last step is shown whatever the clock says.
    if (runde || fertig >= (gesamt >= 0 ? gesamt : balken_->maximum())) {
        if (!text.isEmpty() && text != text_->text()) text_->setText(text);
        if (gesamt >= 0) balken_->setMaximum(std::max(1, gesamt));
        balken_->setValue(std::clamp(fertig, 0, balken_->maximum()));
    }
    if (runde) uebergeben();
    return !abgebrochen_;
}

void TDruckFortschritt::uebergeben() {
    zuletzt_ = uhr();
    ++uebergaben_;
    QCoreApplication::processEvents();
}

void TDruckFortschritt::beenden() {
    laeuft_ = false;
    hide();
}

void TDruckFortschritt::reject() {
    if (laeuft_)
        abgebrochen_ = true;
    else
        QDialog::reject();
}

QString TDruckFortschritt::text() const {
    return text_->text();
}

int TDruckFortschritt::wert() const {
    return balken_->value();
}

int TFortschrittSeam::frage(const QString& text, const QString& buttons, Kind kind) {
    const bool offen = f_.isVisible();
    if (offen) f_.hide();
    const int r = ziel_.frage(text, buttons, kind);
    if (offen && f_.laeuft()) f_.show();
    return r;
}

void TFortschrittSeam::meldung(const QString& text, Kind kind) {
    const bool offen = f_.isVisible();
    if (offen) f_.hide();
    ziel_.meldung(text, kind);
    if (offen && f_.laeuft()) f_.show();
}

} // namespace zephan
