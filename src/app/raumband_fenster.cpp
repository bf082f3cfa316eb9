#include "app/raumband_fenster.h"

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

Tk_RaumBandform::Tk_RaumBandform(RaumBandArt art, UserSeam& seam, QWidget* parent)
    : QDialog(parent), art_(art), seam_(seam) {
    const RaumBandText t = raumBandText(art);
    setObjectName(art == RaumBandArt::Spektrum ? QStringLiteral("k_SchallRaumSpektrumform")
                                               : QStringLiteral("k_NachHallzeitvorgabeform"));
    setWindowTitle(t.titel);
    auto* v = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    auto* tabelle = new QWidget(this);
    auto* g = new QGridLayout(tabelle);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    auto* f = new QLabel(QStringLiteral("f<sub>m,okt</sub> in Hz"), tabelle);
    f->setTextFormat(Qt::RichText);
    g->addWidget(f, 0, 0);
    bandKoepfe(tabelle, g, 0, 1);
    checkG_ = new QCheckBox(t.check, tabelle);
    checkG_->setObjectName(QStringLiteral("checkG"));
    g->addWidget(checkG_, 1, 0);
    const bool spektrum = art == RaumBandArt::Spektrum;
    peg_ = bandFelder(tabelle, g, 1, 1, QStringLiteral("peg"), 0, bereiche::raumBand(art));
    g->addWidget(new QLabel(spektrum ? QStringLiteral("[dB]") : QStringLiteral("[msek]"), tabelle),
                 1, 8);
    g->setColumnMinimumWidth(9, 12);
    auto* mitteText = new QLabel(t.mitte, tabelle);
    g->addWidget(mitteText, 0, 10, Qt::AlignLeft | Qt::AlignBottom);
    mittetxt_ = new Zahlenfeld(0, tabelle);
    mittetxt_->setObjectName(QStringLiteral("mittetxt"));
    mittetxt_->setBereich(bereiche::raumMitte(art));
    mitteText->setBuddy(mittetxt_);
    g->addWidget(mittetxt_, 1, 10);
    g->addWidget(new QLabel(t.einheit, tabelle), 1, 11);
    g->setRowStretch(2, 1);
    oben->addWidget(tabelle, 0, Qt::AlignTop);

    balken_ = new SpektrumBalken(this);
    balken_->reiheHinzufuegen(QColor(0x2b, 0x6c, 0xb0));
    balken_->setSkala(0, spektrum ? 100 : 3000,
                      spektrum ? QStringLiteral("dB") : QStringLiteral("ms"));
    oben->addWidget(balken_, 1);
    v->addLayout(oben, 1);

    knoepfe_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Okbutton"));
    knoepfe_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Abbruchbutton"));
    v->addWidget(knoepfe_);
    connect(knoepfe_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(checkG_, &QCheckBox::toggled, this, [this] { auffrischen(); });
    for (Zahlenfeld* z : peg_) connect(z, &QLineEdit::textChanged, this, [this] { auffrischen(); });
    connect(mittetxt_, &QLineEdit::textChanged, this, [this] { auffrischen(); });
}

void Tk_RaumBandform::zeigen(const DVdata& d) {
    const RaumBandVorgabe v = raumBandAnsicht(d, art_);
    setzen_ = true;
    bandWerteZeigen(peg_, v.baender);
    mittetxt_->setWert(v.mitte);
    checkG_->setChecked(v.genau);
    setzen_ = false;
    checkG_->setFocus();
    auffrischen();
}

RaumBandVorgabe Tk_RaumBandform::eingabe() const {
    RaumBandVorgabe v;
    v.baender = bandWerte(peg_);
    v.genau = checkG_->isChecked();
    v.mitte = mittetxt_->wert();
    return v;
}

void Tk_RaumBandform::auffrischen() {
    if (setzen_) return;
    const bool genau = checkG_->isChecked();
    mittetxt_->setEnabled(!genau);
    for (Zahlenfeld* z : peg_) z->setEnabled(genau);
    const BandWerte w = bandWerte(peg_);
    balken_->setWerte(0, w);
    balken_->setAktiv(0, genau);
    if (!genau || unlesbaresBandFeld(peg_) >= 0) return;
    const double mitte = raumBandMitte(art_, w);
    if (mitte == -1) return;
    setzen_ = true;
    mittetxt_->setText(raumBandMitteText(art_, mitte));
    setzen_ = false;
}

QString Tk_RaumBandform::fehler() const {
    const RaumBandText t = raumBandText(art_);
    if (checkG_->isChecked())
        if (const int k = unlesbaresBandFeld(peg_); k >= 0)
            return unlesbarMeldung(t.bandFeld + QLatin1Char(' ') + bandName(k));
    if (!mittetxt_->text().trimmed().isEmpty() && !mittetxt_->gueltig() && mittetxt_->wert() == -1)
        return unlesbarMeldung(t.mitte);
    return raumBandFehler(art_, eingabe());
}

void Tk_RaumBandform::accept() {
    const QString f = fehler();
    if (!f.isEmpty()) {
        seam_.meldung(f, UserSeam::Kind::Warnung);
        return;
    }
    QDialog::accept();
}

} // namespace zephan
