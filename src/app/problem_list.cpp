#include "app/problem_list.h"

#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/tree_container.h"
#include "network/tree_position.h"

#include <QListWidget>

namespace zephan {

namespace {
constexpr int knotenRolle = Qt::UserRole + 1;
} // namespace

ProblemListe::ProblemListe(QWidget* parent)
    : QDockWidget(QStringLiteral("Probleme"), parent), liste_(new QListWidget(this)) {
    setObjectName(QStringLiteral("Probleme"));
    liste_->setObjectName(QStringLiteral("ProblemListe"));
    setWidget(liste_);
    // Items keep the position, not the node: a list not refreshed yet never reaches a node
    // that is gone.
    connect(liste_, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        if (!baum_) return;
        if (tmylistitem* n = knotenAnPosition(*baum_, it->data(knotenRolle).toString()))
            emit knotenGewaehlt(n);
    });
    connect(liste_, &QListWidget::itemClicked, liste_, &QListWidget::itemActivated);
}

void ProblemListe::aktualisieren(tMylistviewBase& baum) {
    baum_ = &baum;
    if (!isVisible()) {
        veraltet_ = true;
        return;
    }
    veraltet_ = false;
    liste_->clear();
    for (tmylistitem* n = baum.topitem(); n; n = n->getNext()) {
        const QString problem = nodeProblem(basisDatenTabelle(), n);
        if (problem.isEmpty()) continue;
        auto* it = new QListWidgetItem(n->position() + QStringLiteral("  ") + n->caption() +
                                           QStringLiteral(": ") + problem,
                                       liste_);
        it->setData(knotenRolle, n->position());
    }
    setWindowTitle(liste_->count() ? QStringLiteral("Probleme (%1)").arg(liste_->count())
                                   : QStringLiteral("Probleme"));
}

int ProblemListe::anzahl() const {
    return liste_->count();
}

void ProblemListe::showEvent(QShowEvent* e) {
    QDockWidget::showEvent(e);
    if (veraltet_ && baum_) aktualisieren(*baum_);
}

} // namespace zephan
