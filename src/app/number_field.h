#pragma once

#include "editing/field_range.h"

#include <QLineEdit>

namespace zephan {

// A number field with the decimal comma: shows a value with its decimals, an empty field
// reads and writes -1 (the "not given" of node values and catalogue slots). It keeps to a
// plausible range: a value outside is marked (red, with the range as tooltip) and `gueltig`
// says so; a field that takes no negatives accepts no sign. A click into the field puts the
// cursor behind the number, so typing appends instead of prepending digits. The field is as
// wide as about ten digits.
class Zahlenfeld : public QLineEdit {
public:
    explicit Zahlenfeld(int nachkommastellen = 0, QWidget* parent = nullptr);

    int nachkommastellen() const { return stellen_; }
    void setNachkommastellen(int n) { stellen_ = n; }
    // -1 for an empty field or a text that is no number.
    double wert() const;
    // -1 empties the field.
    void setWert(double w);

    const Bereich& bereich() const { return bereich_; }
    void setBereich(const Bereich& b);
    // Empty, or a number inside the range.
    bool gueltig() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void markieren();

    int stellen_;
    Bereich bereich_{-1e12, 1e12, QString()};
    bool klickFokus_ = false;
    QString grundTip_;
};

} // namespace zephan
