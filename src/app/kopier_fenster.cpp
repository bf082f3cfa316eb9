#include "app/kopier_fenster.h"

#include "editing/edit_session.h"
#include "editing/kette_kopieren.h"
#include "network/network_tree.h"
#include "store/user_seam.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zephan {

namespace {

QString knotenText(const tmylistitem* n) {
    return n ? n->position() + QLatin1Char(' ') + n->caption() : QStringLiteral("-");
}

} // namespace

Tk_Kopierform::Tk_Kopierform(EditSession& session, UserSeam& seam, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), session_(session), seam_(seam) {
    setObjectName(QStringLiteral("k_Kopierform"));
    setWindowTitle(QStringLiteral("Strang kopieren"));
    setModal(false);
    auto* v = new QVBoxLayout(this);

    radioGroup1_ = new QGroupBox(QStringLiteral("Bitte Start- und Zielpunkt wählen"), this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    auto* g = new QFormLayout(radioGroup1_);
    startRadio_ = new QRadioButton(QStringLiteral("Startpunkt"), radioGroup1_);
    startRadio_->setObjectName(QStringLiteral("Startpunkt"));
    zielRadio_ = new QRadioButton(QStringLiteral("Zielpunkt"), radioGroup1_);
    zielRadio_->setObjectName(QStringLiteral("Zielpunkt"));
    starttxt_ = new QLineEdit(QStringLiteral("-"), radioGroup1_);
    starttxt_->setObjectName(QStringLiteral("starttxt"));
    starttxt_->setReadOnly(true);
    zieltxt_ = new QLineEdit(QStringLiteral("-"), radioGroup1_);
    zieltxt_->setObjectName(QStringLiteral("zieltxt"));
    zieltxt_->setReadOnly(true);
    g->addRow(startRadio_, starttxt_);
    g->addRow(zielRadio_, zieltxt_);
    startRadio_->setChecked(true);
    v->addWidget(radioGroup1_);

    label1_ = new QLabel(QStringLiteral("Hinter dem Zielpunkt wird alles erst entfernt."), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    v->addWidget(label1_);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    okbtn_ = new QPushButton(QStringLiteral("Kopieren"), this);
    okbtn_->setObjectName(QStringLiteral("okbtn"));
    okbtn_->setEnabled(false);
    okbtn_->setAutoDefault(false);
    knoepfe->addWidget(okbtn_);
    abbruchbutton1_ = new QPushButton(QStringLiteral("&Abbruch"), this);
    abbruchbutton1_->setObjectName(QStringLiteral("Abbruchbutton1"));
    abbruchbutton1_->setAutoDefault(false);
    knoepfe->addWidget(abbruchbutton1_);
    v->addLayout(knoepfe);
    connect(okbtn_, &QPushButton::clicked, this, [this] { okbtnClick(); });
    connect(abbruchbutton1_, &QPushButton::clicked, this, &QDialog::reject);

    // While the window is open, the node chosen in the tree becomes start or target.
    connect(&session_, &EditSession::auswahlGeaendert, this, [this](tmylistitem* n) {
        if (isVisible() && n) knotenGeklickt(n);
    });
    session_.baum().beobachterHinzufuegen(this);
    setMinimumWidth(360);
}

Tk_Kopierform::~Tk_Kopierform() {
    session_.baum().beobachterEntfernen(this);
}

void Tk_Kopierform::zeigen() {
    Setstartnode(nullptr);
    Setzielnode(nullptr);
    startRadio_->setChecked(true);
    if (tmylistitem* n = session_.selektiert()) {
        Setstartnode(n);
        zielRadio_->setChecked(true);
    }
    show();
    raise();
}

void Tk_Kopierform::Setstartnode(tmylistitem* n) {
    startnode_ = n;
    starttxt_->setText(knotenText(n));
    knopfFolgen();
}

void Tk_Kopierform::Setzielnode(tmylistitem* n) {
    zielnode_ = n;
    zieltxt_->setText(knotenText(n));
    knopfFolgen();
}

void Tk_Kopierform::knopfFolgen() {
    okbtn_->setEnabled(startnode_ && zielnode_);
}

void Tk_Kopierform::knotenGeklickt(tmylistitem* n) {
    if (startRadio_->isChecked())
        Setstartnode(n);
    else
        Setzielnode(n);
}

bool Tk_Kopierform::okbtnClick() {
    if (!startnode_ || !zielnode_) return false;
    const KopierPlan plan = kopierPruefen(startnode_, zielnode_);
    // A room or outlet stands for the node before it: the window shows the target it took.
    if (plan.ziel && plan.ziel != zielnode_) Setzielnode(plan.ziel);
    if (!plan.ok()) {
        if (!plan.meldung.isEmpty()) seam_.meldung(plan.meldung, UserSeam::Kind::Warnung);
        return false;
    }
    if (!session_.kopieren(startnode_, plan)) return false;
    emit kopiert();
    accept();
    return true;
}

void Tk_Kopierform::vorEntfernen(tmylistitem* node) {
    const auto weg = [node](const tmylistitem* n) {
        return n && (n == node || node->isAncestorOf(n));
    };
    if (weg(startnode_)) Setstartnode(nullptr);
    if (weg(zielnode_)) Setzielnode(nullptr);
}

void Tk_Kopierform::vorZuruecksetzen() {
    Setstartnode(nullptr);
    Setzielnode(nullptr);
}

} // namespace zephan
