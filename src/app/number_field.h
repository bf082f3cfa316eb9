#pragma once

#include <QLineEdit>

namespace zephan {

// A number field with the decimal comma: shows a value with its decimals, an empty field
// reads and writes -1 (the "not given" of node values and catalogue slots).
class Zahlenfeld : public QLineEdit {
public:
    explicit Zahlenfeld(int nachkommastellen = 0, QWidget* parent = nullptr);

    int nachkommastellen() const { return stellen_; }
    void setNachkommastellen(int n) { stellen_ = n; }
    // -1 for an empty field or a text that is no number.
    double wert() const;
    // -1 empties the field.
    void setWert(double w);

private:
    int stellen_;
};

} // namespace zephan
