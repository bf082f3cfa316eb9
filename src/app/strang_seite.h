#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zephan {

class EditSession;
class Zahlenfeld;

// The line page ("Strang"): line kind, density with its "Dichte berechnen" dialog,
// identifier, description and the line's component count.
class StrangSeite : public QWidget {
    Q_OBJECT

public:
    StrangSeite(EditSession& session, QWidget* parent = nullptr);

    void zeigen();
    // The page chosen by its tab: a new line head at the standard density, no kind chosen.
    void zuruecksetzen();
    // "Dichte berechnen": temperature and humidity asked, the air density entered.
    void dichteBerechnen();
    QComboBox* strangArt() const { return art_; }
    QString ungueltigesFeld() const;

signals:
    void geaendert();

private:
    void feldGeaendert();

    EditSession& session_;
    bool setzen_ = false;
    QComboBox* art_ = nullptr;
    Zahlenfeld* dichte_ = nullptr;
    QPushButton* dichteKnopf_ = nullptr;
    QLineEdit* kennung_ = nullptr;
    QPlainTextEdit* beschreibung_ = nullptr;
    QLabel* bauteile_ = nullptr;
};

} // namespace zephan
