#include "app/schall2_fenster.h"

#include "acoustics/daempfung_strecke.h"
#include "editing/edit_session.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "report/report_document.h"
#include "store/user_seam.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zephan {

namespace {

// A line head shows its caption, a component its path and caption.
QString knotenText(const tmylistitem* n) {
    if (!n) return QStringLiteral("-");
    if (n->Level() == 0) return n->caption();
    return n->pfad() + QLatin1Char(' ') + n->caption();
}

} // namespace

Tk_schall2form::Tk_schall2form(EditSession& session, TDruck& druck, UserSeam& seam, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), session_(session), druck_(druck),
      seam_(seam) {
    setObjectName(QStringLiteral("k_schall2form"));
    setWindowTitle(QStringLiteral("Schalldämpfung zwischen 2 Bauteilen"));
    setModal(false);
    auto* v = new QVBoxLayout(this);

    radioGroup1_ = new QGroupBox(QStringLiteral("Bitte Start- und Zielpunkt wählen"), this);
    auto* g = new QFormLayout(radioGroup1_);
    startRadio_ = new QRadioButton(QStringLiteral("Startpunkt"), radioGroup1_);
    zielRadio_ = new QRadioButton(QStringLiteral("Zielpunkt"), radioGroup1_);
    starttxt_ = new QLineEdit(QStringLiteral("-"), radioGroup1_);
    starttxt_->setReadOnly(true);
    zieltxt_ = new QLineEdit(QStringLiteral("-"), radioGroup1_);
    zieltxt_->setReadOnly(true);
    g->addRow(startRadio_, starttxt_);
    g->addRow(zielRadio_, zieltxt_);
    startRadio_->setChecked(true);
    v->addWidget(radioGroup1_);

    hinweis_ = new QCheckBox(
        QStringLiteral("Hinweis ausdrucken, dass die Berechnung nicht nach Norm ist"), this);
    hinweis_->setChecked(true);
    v->addWidget(hinweis_);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    okbutton1_ = new QPushButton(QStringLiteral("Berechnen"), this);
    okbutton1_->setEnabled(false);
    okbutton1_->setAutoDefault(false);
    knoepfe->addWidget(okbutton1_);
    abbruch_ = new QPushButton(QStringLiteral("&Abbruch"), this);
    abbruch_->setAutoDefault(false);
    knoepfe->addWidget(abbruch_);
    v->addLayout(knoepfe);
    connect(okbutton1_, &QPushButton::clicked, this, [this] { Okbutton1Click(); });
    connect(abbruch_, &QPushButton::clicked, this, &QDialog::reject);

    // While the window is open, the node chosen in the tree becomes start or target.
    connect(&session_, &EditSession::auswahlGeaendert, this, [this](tmylistitem* n) {
        if (isVisible() && n) knotenGeklickt(n);
    });
    session_.baum().beobachterHinzufuegen(this);
    setMinimumWidth(420);
}

Tk_schall2form::~Tk_schall2form() {
    session_.baum().beobachterEntfernen(this);
}

void Tk_schall2form::zeigen() {
    Setstartnode(session_.selektiert());
    Setzielnode(nullptr);
    zielRadio_->setChecked(true);
    show();
    raise();
}

void Tk_schall2form::Setstartnode(tmylistitem* n) {
    startnode_ = n;
    starttxt_->setText(knotenText(n));
    knopfFolgen();
}

void Tk_schall2form::Setzielnode(tmylistitem* n) {
    zielnode_ = n;
    zieltxt_->setText(knotenText(n));
    knopfFolgen();
}

void Tk_schall2form::knopfFolgen() {
    okbutton1_->setEnabled(startnode_ && zielnode_);
}

void Tk_schall2form::knotenGeklickt(tmylistitem* n) {
    if (startRadio_->isChecked())
        Setstartnode(n);
    else
        Setzielnode(n);
}

bool Tk_schall2form::Okbutton1Click() {
    if (!startnode_ || !zielnode_) return false;
    Rechenkontext k;
    k.druck = &druck_;
    k.fortschritt = &seam_;
    druck_.drucken = true;
    const Streckendaempfung s = daempfungZwischen(startnode_, zielnode_, k, hinweis_->isChecked(),
                                                  &session_.projekt().daten());
    if (!s.ok) {
        seam_.meldung(s.meldung, UserSeam::Kind::Warnung);
        return false;
    }
    emit berechnet();
    return true;
}

void Tk_schall2form::vorEntfernen(tmylistitem* node) {
    const auto weg = [node](const tmylistitem* n) {
        return n && (n == node || node->isAncestorOf(n));
    };
    if (weg(startnode_)) Setstartnode(nullptr);
    if (weg(zielnode_)) Setzielnode(nullptr);
}

void Tk_schall2form::vorZuruecksetzen() {
    Setstartnode(nullptr);
    Setzielnode(nullptr);
}

} // namespace zephan
