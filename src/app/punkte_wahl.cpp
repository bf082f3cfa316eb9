#include "app/punkte_wahl.h"

#include "editing/edit_session.h"
#include "network/network_tree.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace zephan {

PunkteWahl::PunkteWahl(EditSession& session, std::function<QString(const tmylistitem*)> text,
                       QWidget* parent)
    : QGroupBox(QStringLiteral("Bitte Start- und Zielpunkt wählen"), parent), session_(session),
      text_(std::move(text)) {
    setObjectName(QStringLiteral("RadioGroup1"));
    auto* g = new QFormLayout(this);
    startRadio_ = new QRadioButton(QStringLiteral("Startpunkt"), this);
    startRadio_->setObjectName(QStringLiteral("Startpunkt"));
    zielRadio_ = new QRadioButton(QStringLiteral("Zielpunkt"), this);
    zielRadio_->setObjectName(QStringLiteral("Zielpunkt"));
    starttxt_ = new QLineEdit(QStringLiteral("-"), this);
    starttxt_->setObjectName(QStringLiteral("starttxt"));
    starttxt_->setReadOnly(true);
    zieltxt_ = new QLineEdit(QStringLiteral("-"), this);
    zieltxt_->setObjectName(QStringLiteral("zieltxt"));
    zieltxt_->setReadOnly(true);
    g->addRow(startRadio_, starttxt_);
    g->addRow(zielRadio_, zieltxt_);
    startRadio_->setChecked(true);

    connect(&session_, &EditSession::auswahlGeaendert, this, [this](tmylistitem* n) {
        if (window()->isVisible() && n) knotenGeklickt(n);
    });
    session_.baum().beobachterHinzufuegen(this);
}

PunkteWahl::~PunkteWahl() {
    session_.baum().beobachterEntfernen(this);
}

void PunkteWahl::setStart(tmylistitem* n) {
    start_ = n;
    starttxt_->setText(n ? text_(n) : QStringLiteral("-"));
    emit wahlGeaendert();
}

void PunkteWahl::setZiel(tmylistitem* n) {
    ziel_ = n;
    zieltxt_->setText(n ? text_(n) : QStringLiteral("-"));
    emit wahlGeaendert();
}

void PunkteWahl::knotenGeklickt(tmylistitem* n) {
    if (startRadio_->isChecked())
        setStart(n);
    else
        setZiel(n);
}

void PunkteWahl::vorEntfernen(tmylistitem* node) {
    const auto weg = [node](const tmylistitem* n) {
        return n && (n == node || node->isAncestorOf(n));
    };
    if (weg(start_)) setStart(nullptr);
    if (weg(ziel_)) setZiel(nullptr);
}

void PunkteWahl::vorZuruecksetzen() {
    setStart(nullptr);
    setZiel(nullptr);
}

} // namespace zephan
