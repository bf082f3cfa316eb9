#pragma once

#include <QDialog>

class QDialogButtonBox;
class QTextBrowser;

namespace zephan {

// Hilfe → "Anleitung": the user manual carried in the program (Markdown with its pictures),
// shown in a window beside the main window.
class AnleitungFenster : public QDialog {
    Q_OBJECT

public:
    explicit AnleitungFenster(QWidget* parent = nullptr);

    QTextBrowser* text() const { return text_; }
    QDialogButtonBox* knoepfe() const { return knoepfe_; }

    // Where the manual lies among the program's resources.
    static QString quelle();

private:
    QTextBrowser* text_ = nullptr;
    QDialogButtonBox* knoepfe_ = nullptr;
};

} // namespace zephan
