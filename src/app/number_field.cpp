#include "app/number_field.h"

#include "store/number_format.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace zephan {

namespace {
const QString vorzeichen = QStringLiteral("[-+]?[0-9.]*,?[0-9]*");
const QString ohneVorzeichen = QStringLiteral("[+]?[0-9.]*,?[0-9]*");
// About ten digits and the frame: wide enough for 1.000.000,00, narrow enough to read.
constexpr int ziffern = 11;
} // namespace

Zahlenfeld::Zahlenfeld(int nachkommastellen, QWidget* parent)
    : QLineEdit(parent), stellen_(nachkommastellen) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits, the decimal comma and "." groups; a sign for fields that accept negatives.
    setValidator(new QRegularExpressionValidator(QRegularExpression(vorzeichen), this));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QLineEdit::textChanged, this, [this] { markieren(); });
}

double Zahlenfeld::wert() const {
    if (text().trimmed().isEmpty()) return -1;
    return leseZahl(text());
}

void Zahlenfeld::setWert(double w) {
    setText(w == -1 ? QString() : formatZahlOhneGruppen(w, stellen_));
}

void Zahlenfeld::setBereich(const Bereich& b) {
    bereich_ = b;
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(b.negativErlaubt() ? vorzeichen : ohneVorzeichen), this));
    markieren();
}

bool Zahlenfeld::gueltig() const {
    if (text().trimmed().isEmpty()) return true;
    bool ok = false;
    const double w = leseZahl(text(), &ok);
    return ok && w >= bereich_.min && w <= bereich_.max;
}

void Zahlenfeld::markieren() {
    const bool ok = gueltig();
    if (property("ungueltig").toBool() == !ok) return;
    setProperty("ungueltig", !ok);
    setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { background: #ffc8c8; }"));
    // The range replaces the field's own hint while the value is outside.
    if (!ok) grundTip_ = toolTip();
    setToolTip(ok ? grundTip_ : bereich_.hinweis());
}

QSize Zahlenfeld::sizeHint() const {
    QSize s = QLineEdit::sizeHint();
    s.setWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * ziffern + 12);
    return s;
}

QSize Zahlenfeld::minimumSizeHint() const {
    return sizeHint();
}

void Zahlenfeld::focusInEvent(QFocusEvent* e) {
    klickFokus_ = e->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(e);
}

void Zahlenfeld::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    // The click that brings the focus puts the cursor behind the number; later clicks place it.
    if (klickFokus_) {
        klickFokus_ = false;
        end(false);
    }
}

} // namespace zephan
