#include "app/verlauf_fenster.h"

#include "app/panel_store.h"
#include "app/window_seam.h"
#include "editing/edit_session.h"
#include "editing/program_context.h"
#include "network/project_file.h"
#include "pressure/calc_context.h"
#include "pressure/druckverlauf_bericht.h"
#include "pressure/network_pressure_core.h"
#include "pressure/project_head.h"
#include "render/verlauf_bild.h"
#include "report/report_document.h"
#include "store/folders.h"
#include "store/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zephan {

MarkupLabel::MarkupLabel(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(20);
}

void MarkupLabel::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

QSize MarkupLabel::sizeHint() const {
    return {qMax(120, markupBreite(text_, 9) + 6), 20};
}

void MarkupLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    markupZeichnen(p, 2, 2, text_, 9);
}

VerlaufBild::VerlaufBild(Druckverlauf& verlauf, const bool& vereinfacht, const bool& pd,
                         QWidget* parent)
    : QWidget(parent), verlauf_(verlauf), vereinfacht_(vereinfacht), pd_(pd) {
    setObjectName(QStringLiteral("Image"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VerlaufBild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    VerlaufAnsicht o;
    o.vereinfacht = vereinfacht_;
    o.pdAnzeigen = pd_;
    verlaufZeichnen(p, width(), height(), verlauf_, o);
}

void VerlaufBild::mouseMoveEvent(QMouseEvent* e) {
    mausX_ = e->position().toPoint().x();
    emit mausBewegt(mausX_);
}

void VerlaufBild::leaveEvent(QEvent*) {
    mausX_ = -1;
    emit mausBewegt(mausX_);
}

Tk_DVVerlaufform::Tk_DVVerlaufform(EditSession& session, TDruck& druck, FensterSeam& seam,
                                   QWidget* parent)
    : QDialog(parent), session_(session), druck_(druck), seam_(seam) {
    setObjectName(QStringLiteral("k_DVVerlaufform"));
    setWindowTitle(QStringLiteral("%1 %2 - Druckverlustverlauf")
                       .arg(programmName, QStringLiteral(ZEPHAN_VERSION_TEXT)));
    setMinimumSize(300, 300);
    setSizeGripEnabled(true);
    auto* v = new QVBoxLayout(this);

    flaeche_ = new QScrollArea(this);
    flaeche_->setWidgetResizable(true);
    flaeche_->setFrameShape(QFrame::NoFrame);
    bild_ = new VerlaufBild(verlauf_, vereinfacht_, pd_, flaeche_);
    flaeche_->setWidget(bild_);
    v->addWidget(flaeche_, 1);
    connect(bild_, &VerlaufBild::mausBewegt, this, [this](int x) { ImageMouseMove(x); });

    auto* unten = new QHBoxLayout;
    stranglabel_ = new QLabel(this);
    stranglabel_->setObjectName(QStringLiteral("Stranglabel"));
    unten->addWidget(stranglabel_);
    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("Combo"));
    combo_->setEditable(false);
    combo_->setMinimumContentsLength(18);
    combo_->setToolTip(QStringLiteral("Kettenende"));
    unten->addWidget(combo_);
    connect(combo_, &QComboBox::activated, this, [this](int) { ComboChange(); });
    wertecpt_ = new QLabel(QStringLiteral("-"), this);
    wertecpt_->setObjectName(QStringLiteral("Wertecpt"));
    wertecpt_->setMinimumWidth(120);
    unten->addWidget(wertecpt_);
    label1_ = new MarkupLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setText(QStringLiteral("-"));
    unten->addWidget(label1_, 1);
    einfachchk_ = new QCheckBox(QStringLiteral("vereinfacht"), this);
    einfachchk_->setObjectName(QStringLiteral("einfachchk"));
    unten->addWidget(einfachchk_);
    pdcheck_ = new QCheckBox(QStringLiteral("p,dyn anzeigen"), this);
    pdcheck_->setObjectName(QStringLiteral("pdcheck"));
    unten->addWidget(pdcheck_);
    connect(einfachchk_, &QCheckBox::toggled, this, [this](bool an) {
        vereinfacht_ = an;
        anzeigen();
    });
    connect(pdcheck_, &QCheckBox::toggled, this, [this](bool an) {
        pd_ = an;
        anzeigen();
    });
    druckenbtn_ = new QPushButton(QStringLiteral("&drucken"), this);
    druckenbtn_->setObjectName(QStringLiteral("Druckenbtn"));
    druckenbtn_->setAutoDefault(false);
    unten->addWidget(druckenbtn_);
    connect(druckenbtn_, &QPushButton::clicked, this, [this] { DruckenClick(); });
    okbutton1_ = new QPushButton(QStringLiteral("&Ok"), this);
    okbutton1_->setObjectName(QStringLiteral("Okbutton1"));
    okbutton1_->setDefault(true);
    unten->addWidget(okbutton1_);
    connect(okbutton1_, &QPushButton::clicked, this, &QDialog::accept);
    v->addLayout(unten);
    hinweis_ = new QLabel(this);
    hinweis_->setObjectName(QStringLiteral("Hinweis"));
    hinweis_->setWordWrap(true);
    hinweis_->hide();
    v->addWidget(hinweis_);
    resize(760, 480);
}

void Tk_DVVerlaufform::fuellen(tmylistitem* kopf) {
    kopf_ = kopf;
    verlauf_ = Druckverlauf{};
    combo_->clear();
    stranglabel_->setText(kopf ? kopf->caption() : QString());
    enden_ = kettenEnden(kopf, programmKontext());
    for (const tmylistitem* n : enden_)
        combo_->addItem(n->position() + QLatin1Char(' ') + n->caption());
    if (combo_->count() > 0) combo_->setCurrentIndex(0);
    wertecpt_->setText(QStringLiteral("-"));
    label1_->setText(QStringLiteral("-"));
    ComboChange();
}

void Tk_DVVerlaufform::zeigen(tmylistitem* kopf) {
    fuellen(kopf);
    exec();
}

void Tk_DVVerlaufform::showEvent(QShowEvent* e) {
    formsize_load(this, einstellungenLesen(&seam_));
    combo_->setFocus();
    QDialog::showEvent(e);
}

void Tk_DVVerlaufform::done(int r) {
    TIniFile2 ini = einstellungenSchreiben(&seam_);
    formsize_save(this, ini);
    ini.save();
    QDialog::done(r);
    // The points and the chain ends hold nodes: they do not outlive the showing.
    kopf_ = nullptr;
    enden_.clear();
    verlauf_ = Druckverlauf{};
    combo_->clear();
}

void Tk_DVVerlaufform::ComboChange() {
    const int k = combo_->currentIndex();
    const tmylistitem* ziel =
        k >= 0 && k < static_cast<int>(enden_.size()) ? enden_[static_cast<size_t>(k)] : nullptr;
    Rechenlauf lauf;
    if (!lauf.gestartet()) {
        seam_.meldung(netztext::laeuftSchon, UserSeam::Kind::Warnung);
        return;
    }
    VerlaufErgebnis e = verlaufSammeln(lauf, kopf_, ziel, programmKontext());
    if (!e.ok) {
        // The drawing of the chain end before stays.
        seam_.meldung(e.meldung, UserSeam::Kind::Warnung);
        return;
    }
    verlauf_ = std::move(e.verlauf);
    hinweis_->setText(e.meldung);
    hinweis_->setVisible(!e.meldung.isEmpty());
    anzeigen();
}

void Tk_DVVerlaufform::anzeigen() {
    bild_->setMinimumWidth(verlaufBreite(verlauf_));
    bild_->update();
    ImageMouseMove(bild_->mausX());
}

void Tk_DVVerlaufform::ImageMouseMove(int x) {
    const int k = x < 0 ? -1 : verlaufPunktBei(verlauf_, x);
    if (k < 0) {
        wertecpt_->setText(QStringLiteral("-"));
        label1_->setText(QStringLiteral("-"));
        return;
    }
    const TDaten& p = verlauf_.a[static_cast<size_t>(k)];
    wertecpt_->setText(p.titel);
    label1_->setText(verlaufAnzeige(p));
}

void Tk_DVVerlaufform::DruckenClick() {
    if (verlauf_.a.empty()) return;
    druck_.clear();
    druck_.drucken = true;
    druckkopf(druck_, session_.projekt().daten());
    verlaufBericht(druck_, verlauf_);
    if (berichtZeigen)
        berichtZeigen();
    else
        seam_.berichtZeigen(druck_);
}

} // namespace zephan
