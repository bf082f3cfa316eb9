#include "app/kopier_fenster.h"

#include "editing/edit_session.h"
#include "editing/kette_kopieren.h"
#include "network/network_tree.h"
#include "store/user_seam.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zephan {

namespace {

QString knotenText(const tmylistitem* n) {
    return n->position() + QLatin1Char(' ') + n->caption();
}

} // namespace

Tk_Kopierform::Tk_Kopierform(EditSession& session, UserSeam& seam, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), session_(session), seam_(seam) {
    setObjectName(QStringLiteral("k_Kopierform"));
    setWindowTitle(QStringLiteral("Strang kopieren"));
    setModal(false);
    auto* v = new QVBoxLayout(this);

    wahl_ = new PunkteWahl(session_, knotenText, this);
    connect(wahl_, &PunkteWahl::wahlGeaendert, this, &Tk_Kopierform::knopfFolgen);
    v->addWidget(wahl_);

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
    setMinimumWidth(360);
}

Tk_Kopierform::~Tk_Kopierform() = default;

void Tk_Kopierform::zeigen() {
    Setstartnode(nullptr);
    Setzielnode(nullptr);
    wahl_->startRadio()->setChecked(true);
    if (tmylistitem* n = session_.selektiert()) {
        Setstartnode(n);
        wahl_->zielRadio()->setChecked(true);
    }
    show();
    raise();
}

void Tk_Kopierform::Setstartnode(tmylistitem* n) {
    wahl_->setStart(n);
}

void Tk_Kopierform::Setzielnode(tmylistitem* n) {
    wahl_->setZiel(n);
}

void Tk_Kopierform::knopfFolgen() {
    okbtn_->setEnabled(startnode() && zielnode());
}

void Tk_Kopierform::knotenGeklickt(tmylistitem* n) {
    wahl_->knotenGeklickt(n);
}

bool Tk_Kopierform::okbtnClick() {
    tmylistitem* start = startnode();
    if (!start || !zielnode()) return false;
    const KopierPlan plan = kopierPruefen(start, zielnode());
    // A room or outlet stands for the node before it: the window shows the target it took.
    if (plan.ziel && plan.ziel != zielnode()) Setzielnode(plan.ziel);
    if (!plan.ok()) {
        if (!plan.meldung.isEmpty()) seam_.meldung(plan.meldung, UserSeam::Kind::Warnung);
        return false;
    }
    if (!session_.kopieren(start, plan)) return false;
    emit kopiert();
    accept();
    return true;
}

} // namespace zephan
