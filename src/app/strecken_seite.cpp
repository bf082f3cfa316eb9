#include "app/strecken_seite.h"

#include "app/number_field.h"
#include "app/page_fields.h"
#include "editing/edit_session.h"
#include "editing/page_check.h"
#include "network/model_queries.h"
#include "network/settings.h"
#include "network/type_codes.h"
#include "pressure/air_density.h"
#include "pressure/duct_hydraulics.h"
#include "store/number_format.h"
#include "store/user_seam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zephan {

namespace {

// The material list of a page: rows of the fixed material table with their roughness.
QTreeWidget* materialListe(QWidget* eltern, const QString& name, std::initializer_list<int> rows) {
    auto* l = benannt<QTreeWidget>(eltern, name);
    l->setColumnCount(2);
    l->setHeaderLabels({QStringLiteral("Material"), QStringLiteral("ks")});
    l->setRootIsDecorated(false);
    const auto& tabelle = Materialtabelle();
    for (int r : rows) {
        const Material& m = tabelle[static_cast<size_t>(r)];
        auto* it =
            new QTreeWidgetItem(l, {QString::fromUtf8(m.name), formatZahlOhneGruppen(m.ks, 2)});
        it->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Every name readable ("flexibler Schlauch"), the list as wide as its columns and no
    // higher than its rows.
    const QFontMetrics fm = l->fontMetrics();
    int breite = fm.horizontalAdvance(QStringLiteral("Material"));
    for (int r = 0; r < l->topLevelItemCount(); ++r)
        breite = qMax(breite, fm.horizontalAdvance(l->topLevelItem(r)->text(0)));
    l->header()->setStretchLastSection(false);
    l->header()->setSectionResizeMode(QHeaderView::Fixed);
    l->setColumnWidth(0, breite + 20);
    l->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("00,00")) + 16);
    l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int zeile = fm.height() + 4;
    l->setFixedHeight(l->header()->sizeHint().height() + zeile * l->topLevelItemCount() +
                      2 * l->frameWidth() + 4);
    l->setFixedWidth(l->columnWidth(0) + l->columnWidth(1) + 2 * l->frameWidth() + 2);
    return l;
}

// The length buttons "1" to "15": the caption followed by "000" mm.
QWidget* laengenKnoepfe(QWidget* eltern, const QString& prefix,
                        const std::function<void(int)>& setzen) {
    auto* w = new QWidget(eltern);
    auto* g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setSpacing(1);
    for (int m = 1; m <= 15; ++m) {
        auto* b = new QPushButton(QString::number(m), w);
        b->setObjectName(prefix + QString::number(m));
        b->setFixedWidth(28);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(QStringLiteral("Länge %1 m").arg(m));
        QObject::connect(b, &QPushButton::clicked, w, [setzen, m] { setzen(m); });
        g->addWidget(b, (m - 1) / 8, (m - 1) % 8);
    }
    g->setColumnStretch(8, 1);
    return w;
}

} // namespace

StreckenSeite::StreckenSeite(bool rund, EditSession& session, UserSeam& seam, QWidget* parent)
    : QWidget(parent), modell_(rund, einstellungen()), session_(session), seam_(seam) {
    setObjectName(name("Seite"));
    bauen();
}

int StreckenSeite::captionBreite() const {
    return fontMetrics().horizontalAdvance(QStringLiteral("Rohrreibungsgefälle")) + 8;
}

QString StreckenSeite::name(const char* teil) const {
    return (rund() ? QStringLiteral("Rohr") : QStringLiteral("Kanal")) + QLatin1String(teil);
}

QWidget* StreckenSeite::bauen() {
    auto* g = new QGridLayout(this);
    g->setColumnStretch(4, 1);
    g->setColumnMinimumWidth(0, captionBreite());
    int r = 0;
    volumenstrom_ = zahlFeld(this, name("Volumenstrom"), 0, bereiche::volumenstrom());
    volumenstrom_->setReadOnly(true);
    feldZeile(g, r++, QStringLiteral("Volumenstrom"), volumenstrom_, QStringLiteral("[m³/h]"));
    if (!rund()) {
        maxBreite_ = zahlFeld(this, name("MaxBreite"), 0, bereiche::grenze());
        maxHoehe_ = zahlFeld(this, name("MaxHoehe"), 0, bereiche::grenze());
        maxBreite_->setToolTip(QStringLiteral("unter 10: keine Grenze"));
        feldZeile(g, r++, QStringLiteral("Max. Breite"), maxBreite_, QStringLiteral("[mm]"));
        feldZeile(g, r++, QStringLiteral("Max. Höhe"), maxHoehe_, QStringLiteral("[mm]"));
    }
    laenge_ = zahlFeld(this, name("Laenge"), 0, bereiche::laenge());
    laenge_->setToolTip(QStringLiteral("in mm; unter 100 in m"));
    feldZeile(g, r++, QStringLiteral("Länge"), laenge_, QStringLiteral("[mm]"));
    g->addWidget(laengenKnoepfe(this, name("L"), [this](int m) { laengeSetzen(m); }), r++, 1, 1, 4);

    auslegungText_ = benannt<QLabel>(this, name("AuslegungText"));
    auslegungText_->setText(modell_.auslegungText());
    auslegung_ = zahlFeld(this, name("Auslegung"), 2, modell_.auslegungBereich());
    auslegungEinheit_ = benannt<QLabel>(this, name("AuslegungEinheit"));
    auslegungEinheit_->setText(modell_.auslegungEinheit());
    g->addWidget(auslegungText_, r, 0);
    g->addWidget(auslegung_, r, 1);
    g->addWidget(auslegungEinheit_, r++, 2);

    g->addWidget(wertePanelBauen(), r++, 0, 1, 5);

    material_ = materialListe(this, name("Box"),
                              rund() ? std::initializer_list<int>{0, 1, 2, 4}
                                     : std::initializer_list<int>{0, 1, 3, 5, 6, 7, 8});
    g->addWidget(new QLabel(QStringLiteral("Material"), this), r, 0, Qt::AlignTop);
    g->addWidget(material_, r++, 1, 1, 4, Qt::AlignLeft);
    gruppeText_ = benannt<QLabel>(this, name("GruppeText"));
    gruppeText_->setText(QStringLiteral("Gruppe"));
    gruppe_ = benannt<QComboBox>(this, name("Gruppe"));
    gruppe_->setMinimumContentsLength(16);
    g->addWidget(gruppeText_, r, 0);
    g->addWidget(gruppe_, r++, 1, 1, 3, Qt::AlignLeft);
    planung_ = benannt<QCheckBox>(this, name("Planung"));
    planung_->setText(QStringLiteral("Planung"));
    g->addWidget(planung_, r++, 1, 1, 3);
    bemerkung_ = benannt<QLineEdit>(this, name("Bemerkung"));
    g->addWidget(new QLabel(QStringLiteral("Bemerkung"), this), r, 0);
    g->addWidget(bemerkung_, r++, 1, 1, 4);
    g->setRowStretch(r, 1);

    const auto nachReturn = [this] { emit uebernehmenGewuenscht(); };
    for (QLineEdit* f :
         {static_cast<QLineEdit*>(laenge_), static_cast<QLineEdit*>(auslegung_), bemerkung_})
        connect(f, &QLineEdit::textEdited, this, [this] { feldGeaendert(); });
    if (!rund()) {
        for (Zahlenfeld* f : {breite_, hoehe_, maxBreite_, maxHoehe_})
            connect(f, &QLineEdit::textEdited, this, [this] { feldGeaendert(); });
        beimVerlassen(
            breite_, this, [this] { massGeaendert(true); }, nachReturn);
        beimVerlassen(
            hoehe_, this, [this] { massGeaendert(false); }, nachReturn);
        beimVerlassen(maxBreite_, this, {}, nachReturn);
        beimVerlassen(maxHoehe_, this, {}, nachReturn);
    } else {
        connect(breite_, &QLineEdit::textEdited, this, [this] { durchmesserGeaendert(); });
        beimVerlassen(breite_, this, {}, nachReturn);
        connect(kleiner_, &QPushButton::clicked, this, [this] { nachbarClick(false); });
        connect(groesser_, &QPushButton::clicked, this, [this] { nachbarClick(true); });
    }
    beimVerlassen(
        auslegung_, this, [this] { auslegungVerlassen(); }, nachReturn);
    beimVerlassen(
        laenge_, this, [this] { laengeVerlassen(); }, nachReturn);
    beimVerlassen(bemerkung_, this, {}, nachReturn);
    connect(material_, &QTreeWidget::currentItemChanged, this, [this] { feldGeaendert(); });
    connect(gruppe_, &QComboBox::activated, this, [this] { feldGeaendert(); });
    connect(planung_, &QCheckBox::clicked, this, [this] { feldGeaendert(); });
    connect(vAnpassen_, &QPushButton::clicked, this, [this] { vAnpassenClick(); });
    return this;
}

// The sizes and the results of sizing: hidden while the section is in planning, whose sizes
// are still open.
QWidget* StreckenSeite::wertePanelBauen() {
    wertePanel_ = benannt<QWidget>(this, name("Wertepanel"));
    auto* g = new QGridLayout(wertePanel_);
    g->setContentsMargins(0, 0, 0, 0);
    g->setColumnStretch(4, 1);
    // The same caption column as the page, so the fields line up.
    g->setColumnMinimumWidth(0, captionBreite());
    int r = 0;
    if (rund()) {
        breite_ = zahlFeld(wertePanel_, name("Durchmesser"), 0, bereiche::abmessung());
        feldZeile(g, r, QStringLiteral("Durchmesser"), breite_, QStringLiteral("[mm]"));
        // The next smaller and larger standard diameter with the velocity each would give.
        auto* knoepfe = new QHBoxLayout;
        kleiner_ = benannt<QPushButton>(wertePanel_, name("Down"));
        groesser_ = benannt<QPushButton>(wertePanel_, name("Up"));
        for (QPushButton* b : {kleiner_, groesser_}) {
            b->setText(QStringLiteral("-"));
            b->setFocusPolicy(Qt::NoFocus);
            b->setFixedWidth(64);
            knoepfe->addWidget(b);
        }
        knoepfe->addStretch();
        g->addLayout(knoepfe, r++, 3);
    } else {
        breite_ = zahlFeld(wertePanel_, name("Breite"), 0, bereiche::abmessung());
        hoehe_ = zahlFeld(wertePanel_, name("Hoehe"), 0, bereiche::abmessung());
        feldZeile(g, r++, QStringLiteral("Breite"), breite_, QStringLiteral("[mm]"));
        feldZeile(g, r++, QStringLiteral("Höhe"), hoehe_, QStringLiteral("[mm]"));
    }
    const auto ergebnisZeile = [&](const QString& text, const char* prefix,
                                   std::array<QLabel*, 3>& labels) {
        g->addWidget(new QLabel(text, wertePanel_), r, 0);
        const char* teile[] = {"Mass", "Flaeche", "Wert"};
        for (int k = 0; k < 3; ++k) {
            labels[static_cast<size_t>(k)] =
                benannt<QLabel>(wertePanel_, name(prefix) + QLatin1String(teile[k]));
            g->addWidget(labels[static_cast<size_t>(k)], r, k + 1);
        }
        ++r;
    };
    ergebnisZeile(QStringLiteral("berechnet:"), "Berechnet", berechnet_);
    ergebnisZeile(QStringLiteral("Vorschlag:"), "Vorschlag", vorschlag_);
    geschwindigkeit_ = benannt<QLabel>(wertePanel_, name("Geschwindigkeit"));
    geschwindigkeit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    flaeche_ = benannt<QLabel>(wertePanel_, name("Flaeche"));
    vAnpassen_ = benannt<QPushButton>(wertePanel_, name("VAnpassen"));
    vAnpassen_->setText(QStringLiteral("v anpassen"));
    vAnpassen_->setToolTip(QStringLiteral("Auslegungsgeschwindigkeit auf v + 1 m/s setzen"));
    feldZeile(g, r, QStringLiteral("v"), geschwindigkeit_, QStringLiteral("[m/s]"));
    g->addWidget(flaeche_, r, 3);
    g->addWidget(vAnpassen_, r++, 4, Qt::AlignLeft);
    return wertePanel_;
}

// --- showing ------------------------------------------------------------------------------------

void StreckenSeite::zeigen() {
    const bool vorher = setzen_;
    setzen_ = true;
    const DVdata& d = session_.editDaten();
    volumenstrom_->setWert(seitenVolumenstrom(session_.selektiert()));
    if (!rund()) {
        maxBreite_->setWert(d.i[2]);
        maxHoehe_->setWert(d.i[3]);
        hoehe_->setWert(d.i[1]);
    }
    breite_->setWert(d.i[0]);
    laenge_->setWert(d.i[5]);
    auslegungText_->setText(modell_.auslegungText());
    auslegungEinheit_->setText(modell_.auslegungEinheit());
    auslegung_->setBereich(modell_.auslegungBereich());
    auslegung_->setWert(modell_.auslegungAnzeige(d));
    const int g = d.Gruppe.isEmpty() ? 0 : gruppe_->findText(d.Gruppe);
    gruppe_->setCurrentIndex(g < 0 ? 0 : g);
    planung_->setChecked(d.planung);
    bemerkung_->setText(d.Text);
    materialZeigen();
    geschwindigkeit_->setText(d.p[0]);
    // The results of the last sizing belong to the node that was sized.
    if (session_.selektiert() != ergebnisKnoten_) {
        ergebnisseZeigen({});
        ergebnisKnoten_ = nullptr;
    }
    flaeche_->setText(modell_.flaecheText(d));
    if (rund()) nachbarnZeigen();
    wertePanelFolgen();
    setzen_ = vorher;
}

void StreckenSeite::materialZeigen() {
    const DVdata& d = session_.editDaten();
    if (!StreckenSeitenModell::materialWaehlen(d)) {
        if (!material_->currentItem()) material_->setCurrentItem(material_->topLevelItem(0));
        return;
    }
    const QList<QTreeWidgetItem*> treffer = material_->findItems(d.p[2], Qt::MatchExactly, 0);
    if (!treffer.isEmpty()) {
        material_->setCurrentItem(treffer.front());
        return;
    }
    if (!d.p[2].isEmpty())
        seam_.meldung(QStringLiteral("Material \"%1\" nicht gefunden.|").arg(d.p[2]),
                      UserSeam::Kind::Warnung);
    material_->setCurrentItem(nullptr);
}

void StreckenSeite::ergebnisseZeigen(const AuslegungsZeilen& z) {
    berechnet_[0]->setText(z.berechnetMass);
    berechnet_[1]->setText(z.berechnetFlaeche);
    berechnet_[2]->setText(z.berechnetWert);
    vorschlag_[0]->setText(z.vorschlagMass);
    vorschlag_[1]->setText(z.vorschlagFlaeche);
    vorschlag_[2]->setText(z.vorschlagWert);
}

void StreckenSeite::wertePanelFolgen() {
    wertePanel_->setVisible(!planung_->isChecked());
}

void StreckenSeite::zuruecksetzen() {
    modell_.seiteZuruecksetzen(session_.editDaten());
    zeigen();
}

void StreckenSeite::geschwindigkeitZeigen() {
    const DVdata& d = session_.editDaten();
    if (d.typ == modell_.typ()) geschwindigkeit_->setText(d.p[0]);
}

void StreckenSeite::gruppenFuellen(const QStringList& liste) {
    gruppenWahlFuellen(gruppe_, gruppeText_, liste);
}

QString StreckenSeite::ungueltigesFeld() const {
    return ungueltigMeldung(
        {{breite_, rund() ? QStringLiteral("Durchmesser") : QStringLiteral("Breite")},
         {hoehe_, QStringLiteral("Höhe")},
         {maxBreite_, QStringLiteral("Max. Breite")},
         {maxHoehe_, QStringLiteral("Max. Höhe")},
         {laenge_, QStringLiteral("Länge")},
         {auslegung_, auslegungText_->text()}});
}

// --- field actions ------------------------------------------------------------------------------

StreckenFelder StreckenSeite::felder() const {
    StreckenFelder f;
    f.volumenstrom = volumenstrom_->wert();
    f.breite = breite_->wert();
    if (!rund()) {
        f.hoehe = hoehe_->wert();
        f.maxBreite = maxBreite_->wert();
        f.maxHoehe = maxHoehe_->wert();
    }
    f.laenge = laenge_->wert();
    f.auslegung = auslegung_->wert();
    if (const QTreeWidgetItem* it = material_->currentItem()) f.material = it->text(0);
    f.gruppe = gruppe_->currentIndex() <= 0 ? QString() : gruppe_->currentText();
    f.bemerkung = bemerkung_->text();
    return f;
}

void StreckenSeite::feldGeaendert() {
    if (setzen_) return;
    DVdata& d = session_.editDaten();
    if (d.typ != modell_.typ()) return;
    modell_.felderInPuffer(felder(), d);
    const bool planung = planung_->isChecked();
    if (planung != d.planung) {
        // Leaving planning may take sizes from the neighbours: the page shows them.
        session_.planungSetzen(planung);
        zeigen();
    }
    emit geaendert();
}

void StreckenSeite::auslegungVerlassen() {
    if (setzen_) return;
    DVdata& d = session_.editDaten();
    if (d.typ != modell_.typ()) return;
    const StreckenSeitenModell::AuslegungsErgebnis r =
        modell_.auslegen(felder(), strangDichte(session_.selektiert()), d);
    switch (r.art) {
    case StreckenSeitenModell::Auslegung::KeinVolumenstrom:
    case StreckenSeitenModell::Auslegung::Abgelehnt:
        session_.statusMeldung(r.meldung);
        return;
    case StreckenSeitenModell::Auslegung::Planung:
        feldGeaendert();
        return;
    case StreckenSeitenModell::Auslegung::Ausgelegt:
        break;
    }
    ergebnisseZeigen(r.zeilen);
    ergebnisKnoten_ = session_.selektiert();
    setzen_ = true;
    if (!rund()) {
        maxBreite_->setWert(r.maxBreite);
        maxHoehe_->setWert(r.maxHoehe);
        hoehe_->setWert(r.hoehe);
    }
    breite_->setWert(r.breite);
    setzen_ = false;
    // The dimension's own action shows the area and the velocity and takes the page over.
    if (rund())
        durchmesserGeaendert();
    else
        massGeaendert(false);
}

void StreckenSeite::massGeaendert(bool breite) {
    if (setzen_ || session_.editDaten().typ != typKanal) return;
    const Einstellungen& e = einstellungen();
    const double vAbschnitt =
        e.nachGefaelle() ? e.designGeschwindigkeit(abschnitt(session_.selektiert())) : -1;
    const double h = modell_.hoeheZurBreite(felder(), breite, vAbschnitt);
    if (h > 0) hoehe_->setWert(h);
    feldGeaendert();
    const bool gueltig = breite_->gueltig() && hoehe_->gueltig();
    flaeche_->setText(gueltig ? modell_.flaecheText(session_.editDaten()) : QString());
}

void StreckenSeite::durchmesserGeaendert() {
    if (setzen_ || session_.editDaten().typ != typRohr) return;
    const double d = breite_->wert();
    feldGeaendert();
    if (StreckenSeitenModell::durchmesserUnfertig(d)) return;
    // A diameter out of range is a slip: no area or neighbours of it.
    const bool gueltig = breite_->gueltig();
    flaeche_->setText(gueltig ? StreckenSeitenModell::rohrFlaecheText(d) : QString());
    nachbarnZeigen();
}

void StreckenSeite::nachbarnZeigen() {
    for (bool groesser : {false, true}) {
        QPushButton* b = groesser ? groesser_ : kleiner_;
        const double d = breite_->gueltig() ? breite_->wert() : -1;
        const RohrNachbar n = modell_.nachbar(d, volumenstrom_->wert(), groesser);
        b->setText(n.text);
        b->setProperty("durchmesser", n.durchmesser);
        b->setToolTip(n.durchmesser > 0 ? mmText(n.durchmesser) : QString());
    }
}

void StreckenSeite::nachbarClick(bool groesser) {
    const int n = (groesser ? groesser_ : kleiner_)->property("durchmesser").toInt();
    if (n <= 0 || session_.editDaten().typ != typRohr) return;
    breite_->setWert(n);
    durchmesserGeaendert();
}

void StreckenSeite::laengeVerlassen() {
    if (setzen_ || session_.editDaten().typ != modell_.typ()) return;
    const double w = laenge_->wert();
    if (w >= 0) laenge_->setWert(StreckenSeitenModell::laenge(w));
    feldGeaendert();
}

void StreckenSeite::laengeSetzen(int meter) {
    if (session_.editDaten().typ != modell_.typ()) return;
    laenge_->setText(QString::number(meter) + QStringLiteral("000"));
    feldGeaendert();
}

void StreckenSeite::vAnpassenClick() {
    const DVdata& d = session_.editDaten();
    if (d.typ != modell_.typ()) return;
    const int v = vAnpassen(d.p[0]);
    if (v < 0) return;
    // Only the field: the suggestion runs when the user leaves it.
    auslegung_->setWert(v);
    feldGeaendert();
}

} // namespace zephan
