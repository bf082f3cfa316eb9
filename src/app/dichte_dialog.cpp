#include "app/dichte_dialog.h"

#include "pressure/air_density.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLocale>

namespace zephan {

DichteDialog::DichteDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DichteDialog"));
    setWindowTitle(QStringLiteral("Dichte berechnen"));
    // Numbers are shown and typed with the decimal comma, whatever the machine's locale.
    QLocale deutsch(QLocale::German, QLocale::Germany);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(deutsch);
    auto* f = new QFormLayout(this);
    temperatur_ = new QDoubleSpinBox(this);
    temperatur_->setObjectName(QStringLiteral("Temperatur"));
    temperatur_->setRange(-50, 50);
    temperatur_->setValue(20);
    feuchte_ = new QDoubleSpinBox(this);
    feuchte_->setObjectName(QStringLiteral("Feuchte"));
    feuchte_->setRange(0, 100);
    feuchte_->setValue(80);
    for (QDoubleSpinBox* s : {temperatur_, feuchte_}) {
        s->setLocale(deutsch);
        s->setAlignment(Qt::AlignRight);
    }
    f->addRow(QStringLiteral("1. Lufttemperatur [°C]"), temperatur_);
    f->addRow(QStringLiteral("2. relative Luftfeuchte φ [%]"), feuchte_);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    f->addRow(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

double DichteDialog::dichte() const {
    return luftdichte(feuchte_->value(), temperatur_->value());
}

} // namespace zephan
