#include "app/number_field.h"

#include "store/number_format.h"

#include <QRegularExpressionValidator>

namespace zephan {

Zahlenfeld::Zahlenfeld(int nachkommastellen, QWidget* parent)
    : QLineEdit(parent), stellen_(nachkommastellen) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits, the decimal comma and "." groups; a sign for fields that accept negatives.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-+]?[0-9.]*,?[0-9]*")), this));
}

double Zahlenfeld::wert() const {
    if (text().trimmed().isEmpty()) return -1;
    return leseZahl(text());
}

void Zahlenfeld::setWert(double w) {
    setText(w == -1 ? QString() : formatZahlOhneGruppen(w, stellen_));
}

} // namespace zephan
