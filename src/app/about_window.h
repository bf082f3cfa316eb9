#pragma once

#include <QDialog>

namespace zephan {

// "Über": program name, version and what the program is for.
class UeberFenster : public QDialog {
public:
    explicit UeberFenster(QWidget* parent = nullptr);
};

} // namespace zephan
