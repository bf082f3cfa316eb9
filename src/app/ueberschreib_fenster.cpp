#include "app/ueberschreib_fenster.h"

#include "app/number_field.h"
#include "app/page_fields.h"
#include "editing/edit_session.h"
#include "editing/field_range.h"
#include "network/catalogue.h"
#include "quantities/ueberschreib_vorlage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zephan {

namespace {

QComboBox* auswahl(QWidget* eltern, const QString& name, const QStringList& eintraege) {
    auto* c = benannt<QComboBox>(eltern, name);
    c->addItems(eintraege);
    return c;
}

} // namespace

Tk_AllSetform::Tk_AllSetform(EditSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("k_AllSetform"));
    setWindowTitle(QStringLiteral("Komponenten überschreiben"));
    setModal(false);
    auto* haupt = new QVBoxLayout(this);

    auto* kopf = new QFormLayout;
    komponente_ = benannt<QLabel>(this, QStringLiteral("Komponente"));
    komponente_->setText(QStringLiteral("-"));
    kopf->addRow(QStringLiteral("Komponente"), komponente_);
    haupt->addLayout(kopf);

    auto* spalten = new QHBoxLayout;
    haupt->addLayout(spalten);
    auto* links = new QVBoxLayout;
    auto* rechts = new QVBoxLayout;
    spalten->addLayout(links);
    spalten->addLayout(rechts);

    // Which components are overwritten.
    auto* filter = new QGroupBox(QStringLiteral("Nur überschreiben"), this);
    auto* ff = new QFormLayout(filter);
    planungFilter_ = auswahl(filter, QStringLiteral("PlanungFilter"),
                             {QStringLiteral("egal"), QStringLiteral("nur wenn in Planung"),
                              QStringLiteral("wenn nicht in Planung")});
    ff->addRow(QStringLiteral("Planung"), planungFilter_);
    formFilter_ = auswahl(filter, QStringLiteral("FormFilter"),
                          {QStringLiteral("egal"), QStringLiteral("nur wenn eckig"),
                           QStringLiteral("nur wenn rund")});
    ff->addRow(QStringLiteral("Form"), formFilter_);
    vorgabeFilter_ = auswahl(filter, QStringLiteral("DruckverlustFilter"),
                             {QStringLiteral("egal"), QStringLiteral("wenn keine Vorgabe"),
                              QStringLiteral("wenn Vorgabe")});
    ff->addRow(QStringLiteral("Druckverlust"), vorgabeFilter_);
    links->addWidget(filter);

    auto* ort = new QGroupBox(QStringLiteral("Ort des Bauteils"), this);
    auto* ol = new QHBoxLayout(ort);
    const char* const orte[] = {"Hauptstrang", "Verzweigung", "Abzweig"};
    for (size_t k = 0; k < ort_.size(); ++k) {
        ort_[k] = benannt<QCheckBox>(ort, QString::fromLatin1(orte[k]));
        ort_[k]->setText(QString::fromLatin1(orte[k]));
        ort_[k]->setChecked(true);
        ol->addWidget(ort_[k]);
    }
    links->addWidget(ort);

    nachfragen_ = benannt<QCheckBox>(this, QStringLiteral("Nachfragen"));
    nachfragen_->setText(QStringLiteral("vorher nachfragen"));
    nachfragen_->setChecked(true);
    links->addWidget(nachfragen_);

    // What they become.
    auto* ergebnis = new QGroupBox(QStringLiteral("Setzen"), this);
    auto* ef = new QFormLayout(ergebnis);
    planungErgebnis_ =
        auswahl(ergebnis, QStringLiteral("PlanungErgebnis"),
                {QStringLiteral("unverändert lassen"), QStringLiteral("auf Planung setzen"),
                 QStringLiteral("auf geplant setzen")});
    ef->addRow(QStringLiteral("Planung"), planungErgebnis_);
    formErgebnis_ = auswahl(ergebnis, QStringLiteral("FormErgebnis"),
                            {QStringLiteral("egal"), QStringLiteral("auf eckig setzen"),
                             QStringLiteral("auf rund setzen")});
    ef->addRow(QStringLiteral("Form"), formErgebnis_);
    links->addWidget(ergebnis);

    auto* vorgabe = new QGroupBox(QStringLiteral("Vorgabe Druckverlust"), this);
    auto* vg = new QGridLayout(vorgabe);
    auto* gruppe = new QButtonGroup(this);
    const char* const namen[] = {"KeineVorgabe", "VorgabeDruckverlust", "VorgabeZeta",
                                 "VorgabeUnveraendert"};
    const QString texte[] = {QStringLiteral("keine Vorgabe (berechnen)"),
                             QStringLiteral("Druckverlust"), QStringLiteral("Widerstandsbeiwert"),
                             QStringLiteral("nicht verändern")};
    for (size_t k = 0; k < vorgabe_.size(); ++k) {
        vorgabe_[k] = benannt<QRadioButton>(vorgabe, QString::fromLatin1(namen[k]));
        vorgabe_[k]->setText(texte[k]);
        gruppe->addButton(vorgabe_[k], static_cast<int>(k));
        connect(vorgabe_[k], &QRadioButton::toggled, this, [this] { vorgabeFolgen(); });
    }
    druck_ = zahlFeld(vorgabe, QStringLiteral("VorgabeDruck"), 0, bereiche::druck());
    geschw_ = zahlFeld(vorgabe, QStringLiteral("VorgabeGeschw"), 1, bereiche::geschwindigkeit());
    zeta_ = zahlFeld(vorgabe, QStringLiteral("VorgabeZetaWert"), 2, bereiche::zeta());
    vg->addWidget(vorgabe_[0], 0, 0, 1, 3);
    vg->addWidget(vorgabe_[1], 1, 0);
    vg->addWidget(druck_, 1, 1);
    vg->addWidget(new QLabel(QStringLiteral("Pa"), vorgabe), 1, 2);
    vg->addWidget(vorgabe_[2], 2, 0);
    vg->addWidget(new QLabel(QStringLiteral("Geschw."), vorgabe), 3, 0, Qt::AlignRight);
    vg->addWidget(geschw_, 3, 1);
    vg->addWidget(new QLabel(QStringLiteral("m/s"), vorgabe), 3, 2);
    vg->addWidget(new QLabel(QStringLiteral("Zeta"), vorgabe), 4, 0, Qt::AlignRight);
    vg->addWidget(zeta_, 4, 1);
    vg->addWidget(new QLabel(QStringLiteral("-"), vorgabe), 4, 2);
    vg->addWidget(vorgabe_[3], 5, 0, 1, 3);
    rechts->addWidget(vorgabe);

    // One row per value i0 ... i6: check box with the catalogue's caption, and the value.
    auto* parameter = new QGroupBox(QStringLiteral("Werte"), this);
    auto* pg = new QGridLayout(parameter);
    for (size_t k = 0; k < zeilen_.size(); ++k) {
        zeilen_[k] = benannt<QCheckBox>(parameter, QStringLiteral("Zeile%1").arg(k));
        werte_[k] = benannt<QLineEdit>(parameter, QStringLiteral("Wert%1").arg(k));
        werte_[k]->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
        connect(zeilen_[k], &QCheckBox::toggled, werte_[k], &QWidget::setEnabled);
        pg->addWidget(zeilen_[k], static_cast<int>(k), 0);
        pg->addWidget(werte_[k], static_cast<int>(k), 1);
    }
    ersetzen_ = benannt<QLineEdit>(parameter, QStringLiteral("Ersetzen"));
    ersetzen_->setToolTip(
        QStringLiteral("ersetzt im Text das erste \"?\" der Zeile im vorhandenen Text"));
    pg->addWidget(new QLabel(QStringLiteral("? ersetzen"), parameter), 7, 0);
    pg->addWidget(ersetzen_, 7, 1);
    rechts->addWidget(parameter);
    rechts->addStretch();
    links->addStretch();

    auto* knoepfe = new QDialogButtonBox(this);
    setzen_ = knoepfe->addButton(QStringLiteral("Setzen"), QDialogButtonBox::ApplyRole);
    setzen_->setObjectName(QStringLiteral("Setzen"));
    setzen_->setDefault(true);
    QPushButton* abbruch =
        knoepfe->addButton(QStringLiteral("&Abbruch"), QDialogButtonBox::RejectRole);
    abbruch->setObjectName(QStringLiteral("Abbruch"));
    connect(setzen_, &QPushButton::clicked, this, [this] { Okbutton1Click(); });
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    haupt->addWidget(knoepfe);
    vorgabe_[0]->setChecked(true);
    FormShow();
    hide();
}

void Tk_AllSetform::vorgabeFolgen() {
    druck_->setEnabled(vorgabe_[1]->isChecked());
    geschw_->setEnabled(vorgabe_[2]->isChecked());
    zeta_->setEnabled(vorgabe_[2]->isChecked());
}

void Tk_AllSetform::FormShow() {
    const UeberschreibVorlage v = ueberschreibVorlage(basisDatenTabelle(), session_.editDaten());
    typ_ = v.typ;
    komponente_->setText(v.komponente);
    formFilter_->setCurrentIndex(0);
    formErgebnis_->setCurrentIndex(0);
    formFilter_->setEnabled(v.formWichtig);
    formErgebnis_->setEnabled(v.formWichtig);
    planungErgebnis_->setCurrentIndex(v.planungErgebnis);
    druck_->setText(v.druck);
    geschw_->setText(v.geschw);
    zeta_->setText(v.zeta);
    vorgabe_[static_cast<size_t>(v.vorgabe)]->setChecked(true);
    vorgabeFolgen();
    for (size_t k = 0; k < zeilen_.size(); ++k) {
        const UeberschreibVorlage::Zeile& z = v.zeilen[k];
        zeilen_[k]->setText(z.text);
        zeilen_[k]->setChecked(false);
        zeilen_[k]->setEnabled(z.aktiv);
        werte_[k]->setText(z.wert);
        werte_[k]->setEnabled(false);
        werte_[k]->setAlignment(z.istText ? Qt::AlignRight : Qt::AlignLeft);
    }
    setzen_->setEnabled(typ_ >= 0);
}

UeberschreibOptionen Tk_AllSetform::optionen() const {
    UeberschreibOptionen o;
    o.typ = typ_;
    o.planungFilter = planungFilter_->currentIndex();
    o.formFilter = formFilter_->isEnabled() ? formFilter_->currentIndex() : 0;
    o.vorgabeFilter = vorgabeFilter_->currentIndex();
    for (size_t k = 0; k < ort_.size(); ++k) o.ort[k] = ort_[k]->isChecked();
    o.nachfragen = nachfragen_->isChecked();
    for (size_t k = 0; k < zeilen_.size(); ++k) {
        o.setzen[k] = zeilen_[k]->isEnabled() && zeilen_[k]->isChecked();
        o.werte[k] = werte_[k]->text();
    }
    o.ersetzen = ersetzen_->text();
    for (size_t k = 0; k < vorgabe_.size(); ++k)
        if (vorgabe_[k]->isChecked()) o.vorgabe = static_cast<int>(k);
    o.druck = druck_->text();
    o.geschw = geschw_->text();
    o.zeta = zeta_->text();
    o.planungErgebnis = planungErgebnis_->currentIndex();
    o.formErgebnis = formErgebnis_->isEnabled() ? formErgebnis_->currentIndex() : 0;
    return o;
}

int Tk_AllSetform::Okbutton1Click() {
    if (typ_ < 0) return 0;
    return session_.ueberschreiben(optionen());
}

} // namespace zephan
