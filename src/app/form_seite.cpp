#include "app/form_seite.h"

#include "app/icons.h"
#include "app/number_field.h"
#include "app/page_fields.h"
#include "editing/edit_session.h"
#include "editing/page_check.h"
#include "network/catalogue.h"
#include "network/type_codes.h"
#include "pressure/interactive_component.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zephan {

namespace {
// An option list as high as its entries (17 pixels each plus 32) and as wide as the longest.
void listeFuellen(QListWidget* l, const QStringList& eintraege, int gewaehlt) {
    l->clear();
    l->addItems(eintraege);
    l->setFixedHeight(17 * static_cast<int>(eintraege.size()) + 32);
    l->setMinimumWidth(qMax(160, l->sizeHintForColumn(0) + 32));
    l->setCurrentRow(gewaehlt >= 0 && gewaehlt < eintraege.size() ? gewaehlt : -1);
}
} // namespace

FormSeite::FormSeite(EditSession& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("FormSeite"));
    bauen();
}

void FormSeite::bauen() {
    auto* h = new QHBoxLayout(this);
    h->addWidget(typListeBauen());

    auto* rechts = new QWidget(this);
    auto* v = new QVBoxLayout(rechts);
    v->setContentsMargins(0, 0, 0, 0);
    box1_ = benannt<QListWidget>(rechts, QStringLiteral("FormBox1"));
    box2_ = benannt<QListWidget>(rechts, QStringLiteral("FormBox2"));
    auto* listen = new QHBoxLayout;
    listen->addWidget(box1_, 0, Qt::AlignTop);
    listen->addWidget(box2_, 0, Qt::AlignTop);
    listen->addStretch();
    v->addLayout(listen);
    connect(box1_, &QListWidget::currentRowChanged, this, [this] { optionenGeaendert(); });
    connect(box2_, &QListWidget::currentRowChanged, this, [this] { optionenGeaendert(); });

    auto* checks = new QHBoxLayout;
    const auto check = [&](const char* name, const char* text) {
        auto* c = benannt<QCheckBox>(rechts, QLatin1String(name));
        c->setText(QString::fromUtf8(text));
        connect(c, &QCheckBox::clicked, this, [this] { optionenGeaendert(); });
        checks->addWidget(c);
        return c;
    };
    eintrittEckig_ = check("EintrittEckig", "Eintritt eckig");
    planung_ = check("FormPlanung", "Planung");
    vorgeben_ = check("WerteVorgeben", "Werte vorgeben");
    zetaCheck_ = check("ZetaCheck", "Zeta");
    checks->addStretch();
    v->addLayout(checks);
    v->addWidget(wertePanelBauen());

    auto* schall = new QHBoxLayout;
    schall_ = benannt<QCheckBox>(rechts, QStringLiteral("SchallCheck"));
    schall_->setText(QStringLiteral("Schallvorgabe"));
    schall_->setToolTip(QStringLiteral("Schall vorgeben"));
    schallKnopf_ = benannt<QPushButton>(rechts, QStringLiteral("SchallBtn"));
    schallKnopf_->setText(QStringLiteral("Schall"));
    schallKnopf_->setToolTip(QStringLiteral("Schall vorgeben"));
    // The box shows whether a preset is in force; a click on it opens the window as the
    // button does, and the window's answer sets it.
    connect(schall_, &QCheckBox::clicked, this, [this] {
        if (!setzen_) emit schallGewuenscht();
    });
    connect(schallKnopf_, &QPushButton::clicked, this, [this] {
        if (!setzen_) emit schallGewuenscht();
    });
    schall->addWidget(schall_);
    schall->addWidget(schallKnopf_);
    schall->addStretch();
    v->addLayout(schall);

    auto* unten = new QFormLayout;
    gruppe_ = benannt<QComboBox>(rechts, QStringLiteral("FormGruppe"));
    gruppe_->setMinimumContentsLength(16);
    gruppeText_ = benannt<QLabel>(rechts, QStringLiteral("FormGruppeText"));
    gruppeText_->setText(QStringLiteral("Gruppe"));
    unten->addRow(gruppeText_, gruppe_);
    bemerkung_ = benannt<QLineEdit>(rechts, QStringLiteral("FormBemerkung"));
    unten->addRow(QStringLiteral("Bemerkung"), bemerkung_);
    v->addLayout(unten);
    v->addStretch(1);
    connect(gruppe_, &QComboBox::activated, this, [this] { optionenGeaendert(); });
    connect(bemerkung_, &QLineEdit::textEdited, this, [this] { optionenGeaendert(); });
    beimVerlassen(bemerkung_, this, {}, [this] { emit uebernehmenGewuenscht(); });
    h->addWidget(rechts, 1);
}

// The fixed type list: groups and entries with the catalogue's pictures, wide enough for
// every entry.
QWidget* FormSeite::typListeBauen() {
    typen_ = benannt<QTreeWidget>(this, QStringLiteral("treeform"));
    typen_->setHeaderHidden(true);
    typen_->setColumnCount(1);
    for (const TypListenGruppe& g : typListe()) {
        auto* gruppe = new QTreeWidgetItem(typen_, {g.titel});
        for (const QString& e : g.eintraege) {
            auto* it = new QTreeWidgetItem(gruppe, {e});
            const int typ = typAusListe(e);
            if (const tBasisDaten_* k = basisDaten(typ))
                it->setIcon(0, bildIcon(k->bildnr + bildIndexVersatz));
        }
    }
    typen_->expandAll();
    typen_->setProperty("tag", -1);
    typen_->resizeColumnToContents(0);
    typen_->setMinimumWidth(typen_->columnWidth(0) + 24);
    typen_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    connect(typen_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* it) {
        if (!setzen_ && it) emit typGewaehlt(it->text(0));
    });
    return typen_;
}

// The seven value slots "Formt0" ... "Formt6" and the preset inputs below them in one grid,
// so captions, fields and units line up.
QWidget* FormSeite::wertePanelBauen() {
    wertePanel_ = benannt<QWidget>(this, QStringLiteral("Wertepanel"));
    wertePanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* g = new QGridLayout(wertePanel_);
    g->setContentsMargins(0, 0, 0, 0);
    g->setColumnStretch(4, 1);
    const auto nachReturn = [this] { emit uebernehmenGewuenscht(); };
    for (int k = 0; k < 7; ++k) {
        Slot& s = slots_[static_cast<size_t>(k)];
        s.text = benannt<QLabel>(wertePanel_, QStringLiteral("FormtText%1").arg(k));
        s.zahl = zahlFeld(wertePanel_, QStringLiteral("Formt%1").arg(k), 0, Bereich{});
        s.textFeld = benannt<QLineEdit>(wertePanel_, QStringLiteral("FormtP%1").arg(k));
        s.textFeld->setMinimumWidth(s.zahl->sizeHint().width());
        s.einheit = benannt<QLabel>(wertePanel_, QStringLiteral("FormtEinheit%1").arg(k));
        g->addWidget(s.text, k, 0);
        g->addWidget(s.zahl, k, 1, Qt::AlignLeft);
        g->addWidget(s.textFeld, k, 1, 1, 3);
        g->addWidget(s.einheit, k, 2);
        if (k == 3 || k == 4) {
            // Room spectrum and reverberation per band: windows of the sound part.
            s.spektrum = benannt<QPushButton>(wertePanel_, QStringLiteral("Spektrum%1").arg(k));
            s.spektrum->setText(QStringLiteral("Spektrum"));
            s.spektrum->setToolTip(QStringLiteral("Spektrum angeben"));
            g->addWidget(s.spektrum, k, 3);
            connect(s.spektrum, &QPushButton::clicked, this, [this, k] {
                if (!setzen_) emit spektrumGewuenscht(k);
            });
        }
        connect(s.zahl, &QLineEdit::textEdited, this, [this, k] { wertGeaendert(k); });
        connect(s.textFeld, &QLineEdit::textEdited, this, [this, k] { wertGeaendert(k); });
        beimVerlassen(s.zahl, this, {}, nachReturn);
        beimVerlassen(s.textFeld, this, {}, nachReturn);
    }
    geschwText_ = benannt<QLabel>(wertePanel_, QStringLiteral("FormGeschwText"));
    geschwText_->setText(QStringLiteral("Geschwindigkeit"));
    geschwindigkeit_ = zahlFeld(wertePanel_, QStringLiteral("FormGeschwindigkeit"), 2,
                                bereiche::geschwindigkeit());
    geschwEinheit_ = benannt<QLabel>(wertePanel_, QStringLiteral("FormGeschwEinheit"));
    geschwEinheit_->setText(QStringLiteral("[m/s]"));
    zetaText_ = benannt<QLabel>(wertePanel_, QStringLiteral("FormZetaText"));
    zetaText_->setText(QStringLiteral("Zeta"));
    zeta_ = zahlFeld(wertePanel_, QStringLiteral("FormZeta"), 2, bereiche::zeta());
    g->addWidget(geschwText_, 7, 0);
    g->addWidget(geschwindigkeit_, 7, 1, Qt::AlignLeft);
    g->addWidget(geschwEinheit_, 7, 2);
    g->addWidget(zetaText_, 8, 0);
    g->addWidget(zeta_, 8, 1, Qt::AlignLeft);
    connect(geschwindigkeit_, &QLineEdit::textEdited, this, [this] { wertGeaendert(7); });
    connect(zeta_, &QLineEdit::textEdited, this, [this] { wertGeaendert(8); });
    beimVerlassen(geschwindigkeit_, this, {}, nachReturn);
    beimVerlassen(zeta_, this, {}, nachReturn);
    return wertePanel_;
}

// --- showing ------------------------------------------------------------------------------------

void FormSeite::zeigen(bool typGewechselt) {
    DVdata& d = session_.editDaten();
    const bool vorher = setzen_;
    setzen_ = true;
    if (typGewechselt || d.typ != letzterTyp_) {
        typListeZeigen();
        letzterTyp_ = d.typ;
        formbox2Typ_ = -2;
    }
    komponentenSeite(d);
    const KomponentenAnsicht a = komponentenAnsicht(d);
    checksZeigen(a);
    optionslistenZeigen(a);
    werteZeigen(a);
    vorgabenZeigen(a);
    schall_->setVisible(a.schallSichtbar);
    schall_->setChecked(d.schall > 0);
    schallKnopf_->setVisible(a.schallSichtbar);
    const int g = d.Gruppe.isEmpty() ? 0 : gruppe_->findText(d.Gruppe);
    gruppe_->setCurrentIndex(g < 0 ? 0 : g);
    bemerkung_->setText(d.Text);
    // The slots shown changed: the column takes its new height now, not the old one.
    wertePanel_->layout()->activate();
    wertePanel_->updateGeometry();
    if (QLayout* l = wertePanel_->parentWidget()->layout()) l->activate();
    setzen_ = vorher;
}

// The type list shows the buffer's type.
void FormSeite::typListeZeigen() {
    const DVdata& d = session_.editDaten();
    typen_->setCurrentItem(nullptr);
    typen_->setProperty("tag", -1);
    const tBasisDaten_* k = basisDaten(d.typ);
    if (!k) return;
    for (QTreeWidgetItem* it :
         typen_->findItems(k->titel, Qt::MatchExactly | Qt::MatchRecursive, 0))
        if (it->parent()) {
            typen_->setCurrentItem(it);
            typen_->setProperty("tag", d.typ);
            return;
        }
}

void FormSeite::setGewaehlterTyp(int typ) {
    typen_->setProperty("tag", typ);
}

void FormSeite::checksZeigen(const KomponentenAnsicht& a) {
    const DVdata& d = session_.editDaten();
    planung_->setVisible(a.planungSichtbar);
    planung_->setChecked(d.planung);
    eintrittEckig_->setVisible(a.eintrittEckigSichtbar);
    eintrittEckig_->setChecked(d.eckig);
}

void FormSeite::optionslistenZeigen(const KomponentenAnsicht& a) {
    const DVdata& d = session_.editDaten();
    listeFuellen(box1_, a.box1, d.tag1);
    box1_->setVisible(!a.box1.isEmpty());
    listeFuellen(box2_, a.box2, d.tag2);
    box2_->setVisible(a.box2Sichtbar);
    formbox2Typ_ = d.typ;
}

void FormSeite::werteZeigen(const KomponentenAnsicht& a) {
    for (size_t s = 0; s < slots_.size(); ++s) {
        const Slot& w = slots_[s];
        const WertSlotAnsicht& v = a.werte[s];
        w.text->setVisible(v.sichtbar);
        w.einheit->setVisible(v.sichtbar);
        w.zahl->setVisible(v.sichtbar && !v.text);
        w.textFeld->setVisible(v.sichtbar && v.text);
        if (w.spektrum) w.spektrum->setVisible(v.spektrum);
        if (!v.sichtbar) continue;
        w.text->setText(v.caption);
        w.einheit->setText(v.einheit);
        if (v.text) {
            w.textFeld->setText(v.textWert);
        } else {
            w.zahl->setNachkommastellen(v.stellen);
            w.zahl->setBereich(v.bereich);
            w.zahl->setWert(v.wert);
        }
        w.zahl->setEnabled(v.aktiv);
    }
}

void FormSeite::vorgabenZeigen(const KomponentenAnsicht& a) {
    const DVdata& d = session_.editDaten();
    const VorgabeAnsicht& v = a.vorgabe;
    vorgeben_->setVisible(v.vorgebenSichtbar);
    vorgeben_->setChecked(v.vorgebenGesetzt);
    zetaCheck_->setVisible(v.zetaSichtbar);
    zetaCheck_->setChecked(v.zetaGesetzt);
    geschwindigkeit_->setEnabled(v.geschwindigkeitAktiv);
    if (v.druckModus) {
        geschwText_->setText(QStringLiteral("Druckverlust"));
        geschwEinheit_->setText(QStringLiteral("[Pa]"));
        geschwindigkeit_->setNachkommastellen(0);
        geschwindigkeit_->setBereich(bereiche::druck());
        geschwindigkeit_->setWert(d.i[6]);
        zetaText_->hide();
        zeta_->hide();
        return;
    }
    geschwText_->setText(QStringLiteral("Geschwindigkeit"));
    geschwEinheit_->setText(QStringLiteral("[m/s]"));
    geschwindigkeit_->setNachkommastellen(2);
    geschwindigkeit_->setBereich(bereiche::geschwindigkeit());
    geschwindigkeit_->setText(d.p[0]);
    zeta_->setText(d.p[1]);
    zetaText_->show();
    zeta_->show();
    zeta_->setEnabled(v.zetaAktiv);
}

void FormSeite::rechnungZeigen(const BauteilAnzeige& a) {
    const bool vorher = setzen_;
    setzen_ = true;
    // A field the user types into keeps the text; the computed ones show the result.
    using Feld = BauteilAnzeige::Feld;
    const DVdata& d = session_.editDaten();
    const bool druck = druckModus(d, basisDaten(d.typ));
    if (a.zetaFelder == Feld::Zeigen && !druck) {
        if (!geschwindigkeit_->isEnabled()) geschwindigkeit_->setText(a.geschwindigkeit);
        if (!zeta_->isEnabled()) zeta_->setText(a.zeta);
    } else if (a.zetaFelder == Feld::Leeren && !druck) {
        if (!geschwindigkeit_->isEnabled()) geschwindigkeit_->clear();
        if (!zeta_->isEnabled()) zeta_->clear();
    }
    setzen_ = vorher;
}

void FormSeite::zuruecksetzen() {
    DVdata& d = session_.editDaten();
    initNode(d);
    d.typ = typZetawert;
    komponentenSeite(d);
    zeigen(true);
}

void FormSeite::gruppenFuellen(const QStringList& liste) {
    gruppenWahlFuellen(gruppe_, gruppeText_, liste);
}

QString FormSeite::ungueltigesFeld() const {
    for (const Slot& s : slots_) {
        const QString m = ungueltigMeldung({s.zahl, s.text->text()});
        if (!m.isEmpty()) return m;
    }
    return ungueltigMeldung({{geschwindigkeit_, geschwText_->text()}, {zeta_, zetaText_->text()}});
}

// --- field actions ------------------------------------------------------------------------------

void FormSeite::wertGeaendert(int k) {
    if (setzen_) return;
    const Zahlenfeld* zahl = k < 7    ? slots_[static_cast<size_t>(k)].zahl
                             : k == 7 ? geschwindigkeit_
                                      : zeta_;
    const QString text = k < 7 ? slots_[static_cast<size_t>(k)].textFeld->text() : zahl->text();
    wertInPuffer(k, zahl->wert(), text, session_.editDaten());
    emit geaendert();
}

void FormSeite::optionenGeaendert() {
    if (setzen_) return;
    DVdata& d = session_.editDaten();
    KomponentenOptionen o;
    o.box1Gezeigt = box1_->isVisible() || box1_->count() > 0;
    o.tag1 = box1_->currentRow();
    o.box2Gezeigt = box2_->count() > 0;
    o.tag2 = box2_->currentRow();
    o.vorgeben = vorgeben_->isChecked();
    o.zeta = zetaCheck_->isChecked();
    o.eckigGezeigt = eintrittEckig_->isVisible();
    o.eckig = eintrittEckig_->isChecked();
    o.gruppe = gruppe_->currentIndex() <= 0 ? QString() : gruppe_->currentText();
    o.bemerkung = bemerkung_->text();
    const bool planungVorher = d.planung;
    bool neuBauen = optionenInPuffer(o, d);
    if (planung_->isChecked() != d.planung) session_.planungSetzen(planung_->isChecked());
    neuBauen = neuBauen || d.planung != planungVorher;
    // A change that alters what the page shows rebuilds it.
    if (neuBauen) zeigen(false);
    emit geaendert();
}

} // namespace zephan
