#include "app/schall2_fenster.h"

#include "acoustics/daempfung_strecke.h"
#include "editing/edit_session.h"
#include "editing/program_context.h"
#include "network/network_tree.h"
#include "network/type_codes.h"
#include "pressure/calc_context.h"
#include "report/report_document.h"
#include "store/user_seam.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zephan {

namespace {

// A line head shows its caption, a component its path and caption.
QString knotenText(const tmylistitem* n) {
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

    wahl_ = new PunkteWahl(session_, knotenText, this);
    connect(wahl_, &PunkteWahl::wahlGeaendert, this, &Tk_schall2form::knopfFolgen);
    v->addWidget(wahl_);

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
    setMinimumWidth(420);
}

Tk_schall2form::~Tk_schall2form() = default;

void Tk_schall2form::zeigen() {
    Setstartnode(session_.selektiert());
    Setzielnode(nullptr);
    wahl_->zielRadio()->setChecked(true);
    show();
    raise();
}

void Tk_schall2form::Setstartnode(tmylistitem* n) {
    wahl_->setStart(n);
}

void Tk_schall2form::Setzielnode(tmylistitem* n) {
    wahl_->setZiel(n);
}

void Tk_schall2form::knopfFolgen() {
    okbutton1_->setEnabled(startnode() && zielnode());
}

void Tk_schall2form::knotenGeklickt(tmylistitem* n) {
    wahl_->knotenGeklickt(n);
}

bool Tk_schall2form::Okbutton1Click() {
    if (!startnode() || !zielnode()) return false;
    Rechenkontext k = programmKontext();
    k.druck = &druck_;
    k.fortschritt = &seam_;
    druck_.drucken = true;
    const Streckendaempfung s = daempfungZwischen(startnode(), zielnode(), k, hinweis_->isChecked(),
                                                  &session_.projekt().daten());
    if (!s.ok) {
        seam_.meldung(s.meldung, UserSeam::Kind::Warnung);
        return false;
    }
    emit berechnet();
    return true;
}

} // namespace zephan
