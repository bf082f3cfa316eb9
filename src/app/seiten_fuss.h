#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zephan {

class KurzLabel;

// The footer below the edit pages: the neighbours "Davor:" and "Danach:" (long captions
// shortened, whole in their tooltips), the edit buttons and the result caption.
class SeitenFuss : public QWidget {
    Q_OBJECT

public:
    explicit SeitenFuss(QWidget* parent = nullptr);

    KurzLabel* davor = nullptr;
    KurzLabel* danach = nullptr;
    QPushButton* einfuegen = nullptr;
    QPushButton* uebernehmen = nullptr;
    QPushButton* loeschen = nullptr;
    QPushButton* berechnen = nullptr;
    QPushButton* s = nullptr;
    QPushButton* planen = nullptr;
    QPushButton* p = nullptr;
    QLabel* ergebnis = nullptr;
};

} // namespace zephan
