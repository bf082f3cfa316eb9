#pragma once

#include <QDialog>

class QDoubleSpinBox;

namespace zephan {

// "Dichte berechnen": air temperature and relative humidity, shown and typed with the decimal
// comma, give the air density.
class DichteDialog : public QDialog {
    Q_OBJECT

public:
    explicit DichteDialog(QWidget* parent = nullptr);

    QDoubleSpinBox* temperatur() const { return temperatur_; }
    QDoubleSpinBox* feuchte() const { return feuchte_; }
    // The air density [kg/m³] of the values entered.
    double dichte() const;

private:
    QDoubleSpinBox* temperatur_ = nullptr;
    QDoubleSpinBox* feuchte_ = nullptr;
};

} // namespace zephan
