#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zephan {

class EditSession;

// The project page ("Projekt"): the office and the building project, the group list, the
// notes and the project's component count. Its fields write the project data at once.
class ProjektSeite : public QWidget {
    Q_OBJECT

public:
    ProjektSeite(EditSession& session, QWidget* parent = nullptr);

    void zeigen();

signals:
    // The project data changed (and is marked changed).
    void geaendert();

private:
    void feldGeaendert();

    EditSession& session_;
    bool setzen_ = false;
    std::array<QLineEdit*, 9> felder_{};
    QPlainTextEdit* gruppen_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QCheckBox* mitGruppen_ = nullptr;
    QLabel* bauteile_ = nullptr;
};

} // namespace zephan
