#include "app/projekt_seite.h"

#include "app/page_fields.h"
#include "editing/edit_session.h"
#include "network/model_queries.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zephan {

namespace {
struct Feld {
    const char* name;
    const char* text;
    QString ProjektDaten::*wert;
};
// The office first, then the building project.
const std::array<Feld, 9> projektFelder{
    {{"firma", "Firma", &ProjektDaten::firma},
     {"Bearbeiter", "Bearbeiter", &ProjektDaten::Bearbeiter},
     {"strasse", "Straße", &ProjektDaten::strasse},
     {"ort", "Ort", &ProjektDaten::ort},
     {"firma2", "Firma 2", &ProjektDaten::firma2},
     {"pnrtxt", "Projektnummer", &ProjektDaten::pnrtxt},
     {"Bau_Vorhaben", "Bauvorhaben", &ProjektDaten::Bau_Vorhaben},
     {"Bau_Ort", "Ort", &ProjektDaten::Bau_Ort},
     {"Bau_Strasse", "Straße", &ProjektDaten::Bau_Strasse}}};
} // namespace

ProjektSeite::ProjektSeite(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("ProjektSeite"));
    auto* v = new QVBoxLayout(this);
    auto* buero = new QGroupBox(QStringLiteral("Firma"), this);
    auto* bau = new QGroupBox(QStringLiteral("Bauvorhaben"), this);
    auto* fb = new QFormLayout(buero);
    auto* fv = new QFormLayout(bau);
    for (size_t k = 0; k < projektFelder.size(); ++k) {
        const Feld& f = projektFelder[k];
        QGroupBox* box = k < 6 ? buero : bau;
        auto* e = benannt<QLineEdit>(box, QLatin1String(f.name));
        (k < 6 ? fb : fv)->addRow(QString::fromUtf8(f.text), e);
        felder_[k] = e;
        connect(e, &QLineEdit::textEdited, this, [this] { feldGeaendert(); });
    }
    v->addWidget(buero);
    v->addWidget(bau);
    auto* f = new QFormLayout;
    gruppen_ = benannt<QPlainTextEdit>(this, QStringLiteral("Gruppen"));
    gruppen_->setMaximumHeight(80);
    gruppen_->setToolTip(QStringLiteral("eine Gruppe je Zeile"));
    f->addRow(QStringLiteral("Gruppen (ein Eintrag pro Zeile, Projektbezogen)"), gruppen_);
    memo_ = benannt<QPlainTextEdit>(this, QStringLiteral("Memo"));
    f->addRow(QStringLiteral("Notizen"), memo_);
    mitGruppen_ = benannt<QCheckBox>(this, QStringLiteral("MassenauszugMitGruppen"));
    mitGruppen_->setText(QStringLiteral("Gruppen bei Massenauszug berücksichtigen"));
    f->addRow(QString(), mitGruppen_);
    bauteile_ = benannt<QLabel>(this, QStringLiteral("BauteileProjekt"));
    f->addRow(QStringLiteral("Bauteile im Projekt"), bauteile_);
    v->addLayout(f, 1);
    connect(gruppen_, &QPlainTextEdit::textChanged, this, [this] { feldGeaendert(); });
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] { feldGeaendert(); });
    connect(mitGruppen_, &QCheckBox::clicked, this, [this] { feldGeaendert(); });
}

void ProjektSeite::zeigen() {
    const bool vorher = setzen_;
    setzen_ = true;
    const ProjektDaten& p = session_.projekt().daten();
    for (size_t k = 0; k < projektFelder.size(); ++k)
        felder_[k]->setText(p.*(projektFelder[k].wert));
    gruppen_->setPlainText(p.Gruppen);
    memo_->setPlainText(p.Memo);
    mitGruppen_->setChecked(p.MassenauszugMitGruppen);
    bauteile_->setText(QString::number(bauteilAnzahl(session_.baum())));
    setzen_ = vorher;
}

void ProjektSeite::feldGeaendert() {
    if (setzen_) return;
    ProjektDaten& p = session_.projekt().daten();
    for (size_t k = 0; k < projektFelder.size(); ++k)
        p.*(projektFelder[k].wert) = felder_[k]->text();
    p.Gruppen = gruppen_->toPlainText();
    p.Memo = memo_->toPlainText();
    p.MassenauszugMitGruppen = mitGruppen_->isChecked();
    session_.markiereGeaendert();
    emit geaendert();
}

} // namespace zephan
