#pragma once

#include <QDockWidget>

class QListWidget;

namespace zephan {

class tMylistviewBase;
class tmylistitem;

// The dockable list "Probleme": every node that keeps a calculation from running (state code,
// planning, missing values) with its position and problem; a click selects the node.
class ProblemListe : public QDockWidget {
    Q_OBJECT

public:
    explicit ProblemListe(QWidget* parent = nullptr);

    // Lists the problems of the tree afresh (only while the list is shown; it catches up when
    // it is shown again).
    void aktualisieren(tMylistviewBase& baum);
    int anzahl() const;
    QListWidget* liste() const { return liste_; }

signals:
    void knotenGewaehlt(tmylistitem* node);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QListWidget* liste_ = nullptr;
    tMylistviewBase* baum_ = nullptr;
    bool veraltet_ = true;
};

} // namespace zephan
