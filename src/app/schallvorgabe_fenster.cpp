#include "app/schallvorgabe_fenster.h"

#include "app/number_field.h"
#include "app/spektrum_balken.h"
#include "store/user_seam.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephan {

Tk_Schallvorgabeform::Tk_Schallvorgabeform(UserSeam& seam, QWidget* parent)
    : QDialog(parent), seam_(seam) {
    setObjectName(QStringLiteral("k_Schallvorgabeform"));
    setWindowTitle(QStringLiteral("Schallwerte vorgeben"));
    auto* v = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    auto* tabelle = new QWidget(this);
    auto* g = new QGridLayout(tabelle);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    myLabel1_ = new QLabel(QStringLiteral("f<sub>m,okt</sub> in Hz"), tabelle);
    myLabel1_->setObjectName(QStringLiteral("MyLabel1"));
    myLabel1_->setTextFormat(Qt::RichText);
    g->addWidget(myLabel1_, 0, 0);
    bandKoepfe(tabelle, g, 0, 1);
    checkG_ = new QCheckBox(QStringLiteral("&Geräusch"), tabelle);
    checkG_->setObjectName(QStringLiteral("checkG"));
    checkD_ = new QCheckBox(QStringLiteral("&Dämpfung"), tabelle);
    checkD_->setObjectName(QStringLiteral("checkD"));
    g->addWidget(checkG_, 1, 0);
    g->addWidget(checkD_, 2, 0);
    peg_ = bandFelder(tabelle, g, 1, 1, QStringLiteral("peg"), 1, bereiche::schallGeraeusch());
    ped_ = bandFelder(tabelle, g, 2, 1, QStringLiteral("ped"), 1, bereiche::schallDaempfung());
    g->addWidget(new QLabel(QStringLiteral("[dB]"), tabelle), 1, 8);
    g->addWidget(new QLabel(QStringLiteral("[dB]"), tabelle), 2, 8);
    g->setRowStretch(3, 1);
    oben->addWidget(tabelle, 0, Qt::AlignTop);

    balken_ = new SpektrumBalken(this);
    reiheG_ = balken_->reiheHinzufuegen(QColor(0x2b, 0x6c, 0xb0));
    reiheD_ = balken_->reiheHinzufuegen(QColor(0x3a, 0x9a, 0x4a));
    balken_->setSkala(-20, 120, QStringLiteral("dB"));
    balken_->setToolTip(QStringLiteral("blau: Geräusch, grün: Dämpfung"));
    oben->addWidget(balken_, 1);
    v->addLayout(oben, 1);

    knoepfe_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Okbutton"));
    knoepfe_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Abbruchbutton"));
    v->addWidget(knoepfe_);
    connect(knoepfe_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Tab goes along a row: "Geräusch", its seven bands, "Dämpfung", its bands.
    QWidget* vorher = checkG_;
    for (QWidget* w : std::initializer_list<QWidget*>{
             peg_[0], peg_[1], peg_[2], peg_[3], peg_[4], peg_[5], peg_[6], checkD_, ped_[0],
             ped_[1], ped_[2], ped_[3], ped_[4], ped_[5], ped_[6]}) {
        setTabOrder(vorher, w);
        vorher = w;
    }

    connect(checkG_, &QCheckBox::toggled, this, [this] { auffrischen(); });
    connect(checkD_, &QCheckBox::toggled, this, [this] { auffrischen(); });
    for (const BandFelder* reihe : {&peg_, &ped_})
        for (Zahlenfeld* z : *reihe)
            connect(z, &QLineEdit::textChanged, this, [this] { auffrischen(); });
}

void Tk_Schallvorgabeform::zeigen(const DVdata& d) {
    const SchallVorgabe v = schallVorgabeAnsicht(d);
    bandWerteZeigen(peg_, v.geraeusch);
    bandWerteZeigen(ped_, v.daempfung);
    checkG_->setChecked(v.geraeuschAn);
    checkD_->setChecked(v.daempfungAn);
    checkG_->setFocus();
    auffrischen();
}

SchallVorgabe Tk_Schallvorgabeform::eingabe() const {
    SchallVorgabe v;
    v.geraeusch = bandWerte(peg_);
    v.daempfung = bandWerte(ped_);
    v.geraeuschAn = checkG_->isChecked();
    v.daempfungAn = checkD_->isChecked();
    return v;
}

void Tk_Schallvorgabeform::auffrischen() {
    for (Zahlenfeld* z : peg_) z->setEnabled(checkG_->isChecked());
    for (Zahlenfeld* z : ped_) z->setEnabled(checkD_->isChecked());
    balken_->setWerte(reiheG_, bandWerte(peg_));
    balken_->setWerte(reiheD_, bandWerte(ped_));
    balken_->setAktiv(reiheG_, checkG_->isChecked());
    balken_->setAktiv(reiheD_, checkD_->isChecked());
}

QString Tk_Schallvorgabeform::fehler() const {
    if (checkG_->isChecked())
        if (const int k = unlesbaresBandFeld(peg_); k >= 0)
            return unlesbarMeldung(QStringLiteral("Geräusch ") + bandName(k));
    if (checkD_->isChecked())
        if (const int k = unlesbaresBandFeld(ped_); k >= 0)
            return unlesbarMeldung(QStringLiteral("Dämpfung ") + bandName(k));
    return schallVorgabeFehler(eingabe());
}

void Tk_Schallvorgabeform::accept() {
    const QString f = fehler();
    if (!f.isEmpty()) {
        seam_.meldung(f, UserSeam::Kind::Warnung);
        return;
    }
    QDialog::accept();
}

} // namespace zephan
