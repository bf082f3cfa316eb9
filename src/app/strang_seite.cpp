#include "app/strang_seite.h"

#include "app/dichte_dialog.h"
#include "app/number_field.h"
#include "app/page_fields.h"
#include "editing/edit_session.h"
#include "network/model_queries.h"
#include "network/type_codes.h"
#include "store/number_format.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zephan {

StrangSeite::StrangSeite(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("StrangSeite"));
    auto* g = new QGridLayout(this);
    g->setColumnStretch(4, 1);
    art_ = benannt<QComboBox>(this, QStringLiteral("StrangArt"));
    art_->addItems({QStringLiteral("Zuluft"), QStringLiteral("Abluft")});
    art_->setCurrentIndex(-1);
    g->addWidget(new QLabel(QStringLiteral("Strangart"), this), 0, 0);
    g->addWidget(art_, 0, 1);
    dichte_ = zahlFeld(this, QStringLiteral("Dichte"), 3, bereiche::dichte());
    feldZeile(g, 1, QStringLiteral("Dichte"), dichte_, QStringLiteral("[kg/m³]"));
    dichteKnopf_ = benannt<QPushButton>(this, QStringLiteral("DichteBtn"));
    dichteKnopf_->setText(QStringLiteral("..."));
    dichteKnopf_->setToolTip(QStringLiteral("Dichte berechnen"));
    g->addWidget(dichteKnopf_, 1, 3, Qt::AlignLeft);
    kennung_ = benannt<QLineEdit>(this, QStringLiteral("Kennung"));
    kennung_->setMaxLength(80);
    g->addWidget(new QLabel(QStringLiteral("Kennung"), this), 2, 0);
    g->addWidget(kennung_, 2, 1, 1, 3);
    beschreibung_ = benannt<QPlainTextEdit>(this, QStringLiteral("Beschreibung"));
    g->addWidget(new QLabel(QStringLiteral("Beschreibung"), this), 3, 0, Qt::AlignTop);
    g->addWidget(beschreibung_, 3, 1, 1, 4);
    bauteile_ = benannt<QLabel>(this, QStringLiteral("BauteileStrang"));
    g->addWidget(new QLabel(QStringLiteral("Bauteile Strang"), this), 4, 0);
    g->addWidget(bauteile_, 4, 1);
    g->setRowStretch(5, 1);
    connect(art_, &QComboBox::activated, this, [this] { feldGeaendert(); });
    connect(dichte_, &QLineEdit::textEdited, this, [this] { feldGeaendert(); });
    connect(kennung_, &QLineEdit::textEdited, this, [this] { feldGeaendert(); });
    connect(beschreibung_, &QPlainTextEdit::textChanged, this, [this] { feldGeaendert(); });
    connect(dichteKnopf_, &QPushButton::clicked, this, [this] { dichteBerechnen(); });
}

void StrangSeite::zeigen() {
    const bool vorher = setzen_;
    setzen_ = true;
    const DVdata& d = session_.editDaten();
    art_->setCurrentIndex(d.typ == typZuluft ? 0 : d.typ == typAbluft ? 1 : -1);
    dichte_->setText(d.p[1]);
    kennung_->setText(d.p[2]);
    beschreibung_->setPlainText(QString(d.Text).replace(QChar(0xFE), QLatin1Char('\n')));
    tmylistitem* sel = session_.selektiert();
    bauteile_->setText(sel ? QString::number(bauteilAnzahl(sel)) : QString());
    setzen_ = vorher;
}

void StrangSeite::zuruecksetzen() {
    DVdata& d = session_.editDaten();
    // A new line starts at the standard density.
    session_.strangSeite(typZuluft, QString());
    d.Text.clear();
    zeigen();
    art_->setCurrentIndex(-1);
    d.typ = typKeiner;
}

void StrangSeite::feldGeaendert() {
    if (setzen_) return;
    DVdata& d = session_.editDaten();
    const int art = art_->currentIndex();
    d.typ = art == 0 ? typZuluft : art == 1 ? typAbluft : typKeiner;
    d.p[1] = dichte_->text();
    d.p[2] = kennung_->text();
    d.Text = beschreibung_->toPlainText().replace(QLatin1Char('\n'), QChar(0xFE));
    emit geaendert();
}

void StrangSeite::dichteBerechnen() {
    DichteDialog dlg(this);
    if (dlg.exec() != QDialog::Accepted) return;
    dichte_->setText(formatZahlOhneGruppen(dlg.dichte(), 3));
    feldGeaendert();
}

QString StrangSeite::ungueltigesFeld() const {
    return ungueltigMeldung({dichte_, QStringLiteral("Dichte")});
}

} // namespace zephan
