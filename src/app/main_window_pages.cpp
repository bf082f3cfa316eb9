// The five edit pages of the main window: building them, showing the edit buffer on them and
// writing every field change back into the buffer.
#include "app/icons.h"
#include "app/main_window.h"
#include "app/number_field.h"
#include "editing/page_check.h"
#include "network/catalogue.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "pressure/air_density.h"
#include "pressure/duct_hydraulics.h"
#include "sizing/duct_page.h"
#include "sizing/vorschlag.h"
#include "store/number_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

namespace zephan {
namespace {

template <class T> T* neu(QWidget* eltern, const QString& name) {
    auto* w = new T(eltern);
    w->setObjectName(name);
    return w;
}

Zahlenfeld* zahl(QWidget* eltern, const QString& name, int stellen = 0) {
    auto* z = new Zahlenfeld(stellen, eltern);
    z->setObjectName(name);
    return z;
}

// The material list of a page: rows of the fixed material table with their roughness.
QTreeWidget* materialListe(QWidget* eltern, const QString& name, std::initializer_list<int> rows) {
    auto* l = neu<QTreeWidget>(eltern, name);
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
    l->setMaximumHeight(150);
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
        b->setFixedWidth(26);
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QPushButton::clicked, w, [setzen, m] { setzen(m); });
        g->addWidget(b, (m - 1) / 8, (m - 1) % 8);
    }
    return w;
}

QString materialName(QTreeWidget* l) {
    QTreeWidgetItem* it = l->currentItem();
    return it ? it->text(0) : QString();
}

QLabel* einheit(QWidget* eltern, const QString& text) {
    return new QLabel(text, eltern);
}

// A result row of the sizing controls ("berechnet:", "Vorschlag:"): caption and three texts
// named prefix + "Mass", "Flaeche" and "Wert".
void ergebnisZeile(QGridLayout* f, int r, QWidget* eltern, const QString& text,
                   const QString& prefix) {
    f->addWidget(new QLabel(text, eltern), r, 0);
    f->addWidget(neu<QLabel>(eltern, prefix + QStringLiteral("Mass")), r, 1);
    f->addWidget(neu<QLabel>(eltern, prefix + QStringLiteral("Flaeche")), r, 2);
    f->addWidget(neu<QLabel>(eltern, prefix + QStringLiteral("Wert")), r, 3);
}

void zeigen(QWidget* w, const char* name, const QString& text) {
    w->findChild<QLabel*>(QLatin1String(name))->setText(text);
}

QString mm(double x) {
    return QString::number(static_cast<long long>(x)) + QStringLiteral(" [mm]");
}

QString qm(double a, int stellen) {
    return formatZahl(a, stellen) + QStringLiteral(" [m²]");
}

// A limit field: values below 10 mean no limit.
double grenze(const Zahlenfeld* f) {
    const double w = f->wert();
    return w < 10 ? -1 : w;
}

// The results of the last sizing ("berechnet:", "Vorschlag:", area) belong to the node that
// was sized.
void ergebnisseLeeren(QWidget* w, const char* seite) {
    for (const char* n : {"BerechnetMass", "BerechnetFlaeche", "BerechnetWert", "VorschlagMass",
                          "VorschlagFlaeche", "VorschlagWert", "Flaeche"})
        w->findChild<QLabel*>(QLatin1String(seite) + QLatin1String(n))->clear();
}

} // namespace

// --- building ---------------------------------------------------------------------------------

QWidget* Tk_DVform::kanalSeiteBauen() {
    auto* s = new QWidget;
    auto* f = new QGridLayout(s);
    int r = 0;
    const auto zeile = [&](const QString& text, QWidget* w, const QString& e = QString()) {
        f->addWidget(new QLabel(text, s), r, 0);
        f->addWidget(w, r, 1);
        if (!e.isEmpty()) f->addWidget(einheit(s, e), r, 2);
        ++r;
    };
    auto* q = zahl(s, QStringLiteral("KanalVolumenstrom"));
    q->setReadOnly(true);
    zeile(QStringLiteral("Volumenstrom"), q, QStringLiteral("[m³/h]"));
    zeile(QStringLiteral("Breite"), zahl(s, QStringLiteral("KanalBreite")), QStringLiteral("[mm]"));
    zeile(QStringLiteral("Höhe"), zahl(s, QStringLiteral("KanalHoehe")), QStringLiteral("[mm]"));
    zeile(QStringLiteral("Max. Breite"), zahl(s, QStringLiteral("KanalMaxBreite")),
          QStringLiteral("[mm]"));
    zeile(QStringLiteral("Max. Höhe"), zahl(s, QStringLiteral("KanalMaxHoehe")),
          QStringLiteral("[mm]"));
    zeile(QStringLiteral("Länge"), zahl(s, QStringLiteral("KanalLaenge")), QStringLiteral("[mm]"));
    f->addWidget(laengenKnoepfe(s, QStringLiteral("KanalL"), [this](int m) { laengeSetzen(m); }),
                 r++, 1, 1, 2);
    auto* auslegungText = neu<QLabel>(s, QStringLiteral("KanalAuslegungText"));
    auslegungText->setText(QStringLiteral("Geschwindigkeit"));
    f->addWidget(auslegungText, r, 0);
    f->addWidget(zahl(s, QStringLiteral("KanalAuslegung"), 2), r, 1);
    auto* auslegungEinheit = neu<QLabel>(s, QStringLiteral("KanalAuslegungEinheit"));
    auslegungEinheit->setText(QStringLiteral("[m/s]"));
    f->addWidget(auslegungEinheit, r, 2);
    auto* kanalV = neu<QPushButton>(s, QStringLiteral("KanalVAnpassen"));
    kanalV->setText(QStringLiteral("v anpassen"));
    f->addWidget(kanalV, r++, 3);
    ergebnisZeile(f, r++, s, QStringLiteral("berechnet:"), QStringLiteral("KanalBerechnet"));
    ergebnisZeile(f, r++, s, QStringLiteral("Vorschlag:"), QStringLiteral("KanalVorschlag"));
    zeile(QStringLiteral("v"), neu<QLabel>(s, QStringLiteral("KanalGeschwindigkeit")),
          QStringLiteral("[m/s]"));
    f->addWidget(neu<QLabel>(s, QStringLiteral("KanalFlaeche")), r - 1, 3);
    f->addWidget(materialListe(s, QStringLiteral("KanalBox"), {0, 1, 3, 5, 6, 7, 8}), r++, 0, 1, 3);
    zeile(QStringLiteral("Gruppe"), neu<QComboBox>(s, QStringLiteral("KanalGruppe")));
    f->itemAtPosition(r - 1, 0)->widget()->setObjectName(QStringLiteral("KanalGruppeText"));
    auto* planung = neu<QCheckBox>(s, QStringLiteral("KanalPlanung"));
    planung->setText(QStringLiteral("Planung"));
    f->addWidget(planung, r++, 1);
    zeile(QStringLiteral("Bemerkung"), neu<QLineEdit>(s, QStringLiteral("KanalBemerkung")));
    f->setRowStretch(r, 1);

    for (const char* n : {"KanalBreite", "KanalHoehe", "KanalMaxBreite", "KanalMaxHoehe",
                          "KanalLaenge", "KanalAuslegung", "KanalBemerkung"})
        connect(s->findChild<QLineEdit*>(QLatin1String(n)), &QLineEdit::textEdited, this,
                [this] { kanalGeaendert(); });
    connect(s->findChild<QTreeWidget*>(QStringLiteral("KanalBox")),
            &QTreeWidget::currentItemChanged, this, [this] { kanalGeaendert(); });
    connect(s->findChild<QComboBox*>(QStringLiteral("KanalGruppe")), &QComboBox::activated, this,
            [this] { kanalGeaendert(); });
    connect(planung, &QCheckBox::clicked, this, [this] { kanalGeaendert(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("KanalAuslegung")), &QLineEdit::editingFinished,
            this, [this] { kanalAuslegungVerlassen(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("KanalBreite")), &QLineEdit::editingFinished,
            this, [this] { kanalMassGeaendert(true); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("KanalHoehe")), &QLineEdit::editingFinished,
            this, [this] { kanalMassGeaendert(false); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("KanalLaenge")), &QLineEdit::editingFinished,
            this, [this] { laengeVerlassen(); });
    connect(kanalV, &QPushButton::clicked, this, [this] { vAnpassenClick(); });
    return s;
}

QWidget* Tk_DVform::rohrSeiteBauen() {
    auto* s = new QWidget;
    auto* f = new QGridLayout(s);
    int r = 0;
    const auto zeile = [&](const QString& text, QWidget* w, const QString& e = QString()) {
        f->addWidget(new QLabel(text, s), r, 0);
        f->addWidget(w, r, 1);
        if (!e.isEmpty()) f->addWidget(einheit(s, e), r, 2);
        ++r;
    };
    auto* q = zahl(s, QStringLiteral("RohrVolumenstrom"));
    q->setReadOnly(true);
    zeile(QStringLiteral("Volumenstrom"), q, QStringLiteral("[m³/h]"));
    zeile(QStringLiteral("Durchmesser"), zahl(s, QStringLiteral("RohrDurchmesser")),
          QStringLiteral("[mm]"));
    // The next smaller and larger standard diameter with the velocity each would give.
    auto* ab = neu<QPushButton>(s, QStringLiteral("RohrDown"));
    auto* auf = neu<QPushButton>(s, QStringLiteral("RohrUp"));
    for (QPushButton* b : {ab, auf}) {
        b->setText(QStringLiteral("-"));
        b->setFocusPolicy(Qt::NoFocus);
    }
    f->addWidget(ab, r - 1, 3);
    f->addWidget(auf, r - 1, 4);
    zeile(QStringLiteral("Länge"), zahl(s, QStringLiteral("RohrLaenge")), QStringLiteral("[mm]"));
    f->addWidget(laengenKnoepfe(s, QStringLiteral("RohrL"), [this](int m) { laengeSetzen(m); }),
                 r++, 1, 1, 2);
    zeile(QStringLiteral("Geschwindigkeit"), zahl(s, QStringLiteral("RohrAuslegung"), 2),
          QStringLiteral("[m/s]"));
    auto* rohrV = neu<QPushButton>(s, QStringLiteral("RohrVAnpassen"));
    rohrV->setText(QStringLiteral("v anpassen"));
    f->addWidget(rohrV, r - 1, 3);
    ergebnisZeile(f, r++, s, QStringLiteral("berechnet:"), QStringLiteral("RohrBerechnet"));
    ergebnisZeile(f, r++, s, QStringLiteral("Vorschlag:"), QStringLiteral("RohrVorschlag"));
    zeile(QStringLiteral("v"), neu<QLabel>(s, QStringLiteral("RohrGeschwindigkeit")),
          QStringLiteral("[m/s]"));
    f->addWidget(neu<QLabel>(s, QStringLiteral("RohrFlaeche")), r - 1, 3);
    f->addWidget(materialListe(s, QStringLiteral("RohrBox"), {0, 1, 2, 4}), r++, 0, 1, 3);
    zeile(QStringLiteral("Gruppe"), neu<QComboBox>(s, QStringLiteral("RohrGruppe")));
    f->itemAtPosition(r - 1, 0)->widget()->setObjectName(QStringLiteral("RohrGruppeText"));
    auto* planung = neu<QCheckBox>(s, QStringLiteral("RohrPlanung"));
    planung->setText(QStringLiteral("Planung"));
    f->addWidget(planung, r++, 1);
    zeile(QStringLiteral("Bemerkung"), neu<QLineEdit>(s, QStringLiteral("RohrBemerkung")));
    f->setRowStretch(r, 1);

    for (const char* n : {"RohrLaenge", "RohrAuslegung", "RohrBemerkung"})
        connect(s->findChild<QLineEdit*>(QLatin1String(n)), &QLineEdit::textEdited, this,
                [this] { rohrGeaendert(); });
    connect(s->findChild<QTreeWidget*>(QStringLiteral("RohrBox")), &QTreeWidget::currentItemChanged,
            this, [this] { rohrGeaendert(); });
    connect(s->findChild<QComboBox*>(QStringLiteral("RohrGruppe")), &QComboBox::activated, this,
            [this] { rohrGeaendert(); });
    connect(planung, &QCheckBox::clicked, this, [this] { rohrGeaendert(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("RohrAuslegung")), &QLineEdit::editingFinished,
            this, [this] { rohrAuslegungVerlassen(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("RohrDurchmesser")), &QLineEdit::textEdited,
            this, [this] { rohrDurchmesserGeaendert(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("RohrLaenge")), &QLineEdit::editingFinished,
            this, [this] { laengeVerlassen(); });
    connect(ab, &QPushButton::clicked, this, [this] { rohrNachbarClick(false); });
    connect(auf, &QPushButton::clicked, this, [this] { rohrNachbarClick(true); });
    connect(rohrV, &QPushButton::clicked, this, [this] { vAnpassenClick(); });
    return s;
}

QWidget* Tk_DVform::formSeiteBauen() {
    auto* s = new QWidget;
    auto* h = new QHBoxLayout(s);
    // The fixed type list: groups and entries with the catalogue's pictures.
    auto* typen = neu<QTreeWidget>(s, QStringLiteral("treeform"));
    typen->setHeaderHidden(true);
    typen->setColumnCount(1);
    typen->setMinimumWidth(200);
    for (const TypListenGruppe& g : typListe()) {
        auto* gruppe = new QTreeWidgetItem(typen, {g.titel});
        for (const QString& e : g.eintraege) {
            auto* it = new QTreeWidgetItem(gruppe, {e});
            const int typ = typAusListe(e);
            if (const tBasisDaten_* k = basisDaten(typ))
                it->setIcon(0, bildIcon(k->bildnr + bildIndexVersatz));
        }
    }
    typen->expandAll();
    typen->setProperty("tag", -1);
    connect(typen, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* it) {
        if (!fsetzen_ && it) typListeGewaehlt(it->text(0));
    });
    h->addWidget(typen);

    auto* rechts = new QWidget(s);
    auto* v = new QVBoxLayout(rechts);
    v->setContentsMargins(0, 0, 0, 0);
    auto* box1 = neu<QListWidget>(rechts, QStringLiteral("FormBox1"));
    auto* box2 = neu<QListWidget>(rechts, QStringLiteral("FormBox2"));
    v->addWidget(box1);
    v->addWidget(box2);
    connect(box1, &QListWidget::currentRowChanged, this, [this] { formOptionenGeaendert(); });
    connect(box2, &QListWidget::currentRowChanged, this, [this] { formOptionenGeaendert(); });

    auto* checks = new QHBoxLayout;
    for (const auto& [name, text] :
         {std::pair{"EintrittEckig", "Eintritt eckig"}, std::pair{"FormPlanung", "Planung"},
          std::pair{"WerteVorgeben", "Werte vorgeben"}, std::pair{"ZetaCheck", "Zeta"}}) {
        auto* c = neu<QCheckBox>(rechts, QLatin1String(name));
        c->setText(QString::fromUtf8(text));
        connect(c, &QCheckBox::clicked, this, [this] { formOptionenGeaendert(); });
        checks->addWidget(c);
    }
    v->addLayout(checks);

    // The seven value fields "Formt0" ... "Formt6": caption, number or text field, unit.
    auto* werte = neu<QWidget>(rechts, QStringLiteral("Wertepanel"));
    auto* g = new QGridLayout(werte);
    g->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < 7; ++k) {
        auto* l = neu<QLabel>(werte, QStringLiteral("FormtText%1").arg(k));
        auto* z = zahl(werte, QStringLiteral("Formt%1").arg(k));
        auto* t = neu<QLineEdit>(werte, QStringLiteral("FormtP%1").arg(k));
        auto* e = neu<QLabel>(werte, QStringLiteral("FormtEinheit%1").arg(k));
        g->addWidget(l, k, 0);
        g->addWidget(z, k, 1);
        g->addWidget(t, k, 1);
        g->addWidget(e, k, 2);
        if (k == 3 || k == 4) {
            // Room spectrum and reverberation per band: windows of the sound part.
            auto* b = neu<QPushButton>(werte, QStringLiteral("Spektrum%1").arg(k));
            b->setText(QStringLiteral("Spektrum"));
            b->setEnabled(false);
            b->setToolTip(QStringLiteral("noch nicht verfügbar"));
            g->addWidget(b, k, 3);
        }
        connect(z, &QLineEdit::textEdited, this, [this, k] { wertGeaendert(k); });
        connect(t, &QLineEdit::textEdited, this, [this, k] { wertGeaendert(k); });
    }
    v->addWidget(werte);

    auto* vorgaben = new QGridLayout;
    auto* gl = neu<QLabel>(rechts, QStringLiteral("FormGeschwText"));
    gl->setText(QStringLiteral("Geschwindigkeit"));
    vorgaben->addWidget(gl, 0, 0);
    auto* gf = zahl(rechts, QStringLiteral("FormGeschwindigkeit"), 2);
    vorgaben->addWidget(gf, 0, 1);
    auto* ge = neu<QLabel>(rechts, QStringLiteral("FormGeschwEinheit"));
    ge->setText(QStringLiteral("[m/s]"));
    vorgaben->addWidget(ge, 0, 2);
    auto* zl = neu<QLabel>(rechts, QStringLiteral("FormZetaText"));
    zl->setText(QStringLiteral("Zeta"));
    vorgaben->addWidget(zl, 1, 0);
    auto* zf = zahl(rechts, QStringLiteral("FormZeta"), 2);
    vorgaben->addWidget(zf, 1, 1);
    v->addLayout(vorgaben);
    connect(gf, &QLineEdit::textEdited, this, [this] { wertGeaendert(7); });
    connect(zf, &QLineEdit::textEdited, this, [this] { wertGeaendert(8); });

    auto* schall = new QHBoxLayout;
    auto* sc = neu<QCheckBox>(rechts, QStringLiteral("SchallCheck"));
    sc->setText(QStringLiteral("Schallvorgabe"));
    sc->setEnabled(false);
    sc->setToolTip(QStringLiteral("noch nicht verfügbar"));
    auto* sb = neu<QPushButton>(rechts, QStringLiteral("SchallBtn"));
    sb->setText(QStringLiteral("Schall"));
    sb->setEnabled(false);
    sb->setToolTip(QStringLiteral("noch nicht verfügbar"));
    schall->addWidget(sc);
    schall->addWidget(sb);
    schall->addStretch();
    v->addLayout(schall);

    auto* unten = new QFormLayout;
    auto* gruppe = neu<QComboBox>(rechts, QStringLiteral("FormGruppe"));
    auto* gruppeText = neu<QLabel>(rechts, QStringLiteral("FormGruppeText"));
    gruppeText->setText(QStringLiteral("Gruppe"));
    unten->addRow(gruppeText, gruppe);
    auto* bem = neu<QLineEdit>(rechts, QStringLiteral("FormBemerkung"));
    unten->addRow(QStringLiteral("Bemerkung"), bem);
    v->addLayout(unten);
    v->addStretch();
    connect(gruppe, &QComboBox::activated, this, [this] { formOptionenGeaendert(); });
    connect(bem, &QLineEdit::textEdited, this, [this] { formOptionenGeaendert(); });
    h->addWidget(rechts, 1);
    return s;
}

QWidget* Tk_DVform::strangSeiteBauen() {
    auto* s = new QWidget;
    auto* f = new QGridLayout(s);
    auto* art = neu<QComboBox>(s, QStringLiteral("StrangArt"));
    art->addItems({QStringLiteral("Zuluft"), QStringLiteral("Abluft")});
    art->setCurrentIndex(-1);
    f->addWidget(new QLabel(QStringLiteral("Strangart"), s), 0, 0);
    f->addWidget(art, 0, 1);
    f->addWidget(new QLabel(QStringLiteral("Dichte"), s), 1, 0);
    f->addWidget(neu<QLineEdit>(s, QStringLiteral("Dichte")), 1, 1);
    f->addWidget(einheit(s, QStringLiteral("[kg/m³]")), 1, 2);
    auto* dichteKnopf = neu<QPushButton>(s, QStringLiteral("DichteBtn"));
    dichteKnopf->setText(QStringLiteral("..."));
    dichteKnopf->setToolTip(QStringLiteral("Dichte berechnen"));
    f->addWidget(dichteKnopf, 1, 3);
    f->addWidget(new QLabel(QStringLiteral("Kennung"), s), 2, 0);
    f->addWidget(neu<QLineEdit>(s, QStringLiteral("Kennung")), 2, 1);
    f->addWidget(new QLabel(QStringLiteral("Beschreibung"), s), 3, 0);
    f->addWidget(neu<QPlainTextEdit>(s, QStringLiteral("Beschreibung")), 3, 1, 1, 3);
    f->addWidget(new QLabel(QStringLiteral("Bauteile Strang"), s), 4, 0);
    f->addWidget(neu<QLabel>(s, QStringLiteral("BauteileStrang")), 4, 1);
    f->setRowStretch(5, 1);
    connect(art, &QComboBox::activated, this, [this] { strangGeaendert(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("Dichte")), &QLineEdit::textEdited, this,
            [this] { strangGeaendert(); });
    connect(s->findChild<QLineEdit*>(QStringLiteral("Kennung")), &QLineEdit::textEdited, this,
            [this] { strangGeaendert(); });
    connect(s->findChild<QPlainTextEdit*>(QStringLiteral("Beschreibung")),
            &QPlainTextEdit::textChanged, this, [this] { strangGeaendert(); });
    connect(dichteKnopf, &QPushButton::clicked, this, [this] { dichteBerechnen(); });
    return s;
}

QWidget* Tk_DVform::projektSeiteBauen() {
    auto* s = new QWidget;
    auto* f = new QFormLayout(s);
    const std::pair<const char*, const char*> felder[] = {{"firma", "Firma"},
                                                          {"Bearbeiter", "Bearbeiter"},
                                                          {"strasse", "Straße"},
                                                          {"ort", "Ort"},
                                                          {"firma2", "Firma 2"},
                                                          {"pnrtxt", "Projektnummer"},
                                                          {"Bau_Vorhaben", "Bauvorhaben"},
                                                          {"Bau_Ort", "Ort"},
                                                          {"Bau_Strasse", "Straße"}};
    for (const auto& [name, text] : felder) {
        auto* e = neu<QLineEdit>(s, QLatin1String(name));
        f->addRow(QString::fromUtf8(text), e);
        connect(e, &QLineEdit::textEdited, this, [this] { projektGeaendert(); });
    }
    auto* gruppen = neu<QPlainTextEdit>(s, QStringLiteral("Gruppen"));
    gruppen->setMaximumHeight(80);
    f->addRow(QStringLiteral("Gruppen"), gruppen);
    auto* memo = neu<QPlainTextEdit>(s, QStringLiteral("Memo"));
    f->addRow(QStringLiteral("Notizen"), memo);
    auto* mg = neu<QCheckBox>(s, QStringLiteral("MassenauszugMitGruppen"));
    mg->setText(QStringLiteral("Massenauszug mit Gruppen"));
    f->addRow(QString(), mg);
    f->addRow(QStringLiteral("Bauteile im Projekt"),
              neu<QLabel>(s, QStringLiteral("BauteileProjekt")));
    connect(gruppen, &QPlainTextEdit::textChanged, this, [this] { projektGeaendert(); });
    connect(memo, &QPlainTextEdit::textChanged, this, [this] { projektGeaendert(); });
    connect(mg, &QCheckBox::clicked, this, [this] { projektGeaendert(); });
    return s;
}

QWidget* Tk_DVform::fussBauen() {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    auto* nachbarn = new QHBoxLayout;
    nachbarn->addWidget(new QLabel(QStringLiteral("Davor:"), w));
    auto* davor = neu<QLabel>(w, QStringLiteral("DavorLabel"));
    davor->setText(QStringLiteral("nichts"));
    nachbarn->addWidget(davor, 1);
    nachbarn->addWidget(new QLabel(QStringLiteral("Danach:"), w));
    auto* danach = neu<QLabel>(w, QStringLiteral("DanachLabel"));
    danach->setText(QStringLiteral("nichts"));
    nachbarn->addWidget(danach, 1);
    v->addLayout(nachbarn);

    auto* knoepfe = new QHBoxLayout;
    const auto knopf = [&](const QString& text, const QString& name, auto f) {
        auto* b = new QPushButton(text, w);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, f);
        knoepfe->addWidget(b);
        return b;
    };
    knopf(QStringLiteral("&Einfügen"), QStringLiteral("EinfuegenBtn"),
          [this] { einfuegenClick(); });
    knopf(QStringLiteral("Über&nehmen"), QStringLiteral("UebernehmenBtn"),
          [this] { uebernehmenClick(); });
    knopf(QStringLiteral("&Löschen"), QStringLiteral("LoeschenBtn"), [this] { loeschenClick(); });
    knopf(QStringLiteral("&Berechnen"), QStringLiteral("BerechnenBtn"),
          [this] { berechnenClick(); });
    auto* sKnopf = new QPushButton(QStringLiteral("s"), w);
    sKnopf->setObjectName(QStringLiteral("SBtn"));
    sKnopf->setEnabled(false);
    sKnopf->setToolTip(QStringLiteral("noch nicht verfügbar"));
    knoepfe->addWidget(sKnopf);
    knopf(QStringLiteral("&Planen"), QStringLiteral("PlanenBtn"), [this] { planenClick(); });
    knopf(QStringLiteral("p"), QStringLiteral("PBtn"), [this] { allesPlanenClick(); });
    auto* ergebnis = neu<QLabel>(w, QStringLiteral("ErgebnisLabel"));
    ergebnis->setMinimumWidth(160);
    ergebnis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    knoepfe->addStretch();
    knoepfe->addWidget(ergebnis);
    v->addLayout(knoepfe);
    return w;
}

// --- showing the buffer -------------------------------------------------------------------------

void Tk_DVform::seiteZeigen(int seite) {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    seiten_->setCurrentIndex(seite);
    fsetzen_ = vorher;
}

void Tk_DVform::gruppenFuellen() {
    const QStringList liste = session_->projekt().daten().gruppenListe();
    for (const char* n : {"KanalGruppe", "RohrGruppe", "FormGruppe"}) {
        auto* c = findChild<QComboBox*>(QLatin1String(n));
        const QString vorher = c->currentText();
        c->clear();
        c->addItems(liste);
        const int i = liste.indexOf(vorher);
        c->setCurrentIndex(i < 0 ? 0 : i);
        // The choice is shown only when the project names groups.
        c->setVisible(liste.size() > 1);
        if (auto* text = findChild<QLabel*>(QLatin1String(n) + QStringLiteral("Text")))
            text->setVisible(liste.size() > 1);
    }
}

namespace {
void gruppeZeigen(QComboBox* c, const QString& gruppe) {
    const int i = gruppe.isEmpty() ? 0 : c->findText(gruppe);
    c->setCurrentIndex(i < 0 ? 0 : i);
}
QString gruppeLesen(QComboBox* c) {
    return c->currentIndex() <= 0 ? QString() : c->currentText();
}
// A remark is stored on one line: "|" separates the stored fields.
QString bemerkungLesen(QLineEdit* feld) {
    return feld->text().trimmed().replace(QLatin1Char('|'), QLatin1Char('-'));
}
} // namespace

void Tk_DVform::materialWaehlen(QTreeWidget* liste, const QString& name) {
    const QList<QTreeWidgetItem*> treffer = liste->findItems(name, Qt::MatchExactly, 0);
    if (!treffer.isEmpty()) {
        liste->setCurrentItem(treffer.front());
        return;
    }
    if (!name.isEmpty())
        seam_.meldung(QStringLiteral("Material \"%1\" nicht gefunden.|").arg(name),
                      UserSeam::Kind::Warnung);
    liste->setCurrentItem(nullptr);
}

void Tk_DVform::pufferZeigen() {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    const DVdata& d = session_->editDaten();
    gruppenFuellen();
    if (istStrangTyp(d.typ)) {
        seiteZeigen(SeiteStrang);
        strangZeigen();
    } else if (d.typ == typKanal) {
        seiteZeigen(SeiteKanal);
        kanalZeigen();
    } else if (d.typ == typRohr) {
        seiteZeigen(SeiteRohr);
        rohrZeigen();
    } else if (d.typ >= 0) {
        seiteZeigen(SeiteFormstueck);
        komponentenSeiteZeigen(true);
    }
    fsetzen_ = vorher;
    nachbarnZeigen();
    pruefen();
}

void Tk_DVform::kanalZeigen() {
    const DVdata& d = session_->editDaten();
    findChild<Zahlenfeld*>(QStringLiteral("KanalVolumenstrom"))
        ->setWert(seitenVolumenstrom(session_->selektiert()));
    findChild<Zahlenfeld*>(QStringLiteral("KanalMaxBreite"))->setWert(d.i[2]);
    findChild<Zahlenfeld*>(QStringLiteral("KanalMaxHoehe"))->setWert(d.i[3]);
    findChild<Zahlenfeld*>(QStringLiteral("KanalLaenge"))->setWert(d.i[5]);
    const bool gefaelle = einstellungen().nachGefaelle();
    findChild<QLabel*>(QStringLiteral("KanalAuslegungText"))
        ->setText(gefaelle ? QStringLiteral("Rohrreibungsgefälle")
                           : QStringLiteral("Geschwindigkeit"));
    findChild<QLabel*>(QStringLiteral("KanalAuslegungEinheit"))
        ->setText(gefaelle ? QStringLiteral("[Pa/m]") : QStringLiteral("[m/s]"));
    findChild<Zahlenfeld*>(QStringLiteral("KanalAuslegung"))
        ->setWert(d.i[4] == -1 ? -1 : (gefaelle ? d.i[4] / 100 : d.i[4]));
    gruppeZeigen(findChild<QComboBox*>(QStringLiteral("KanalGruppe")), d.Gruppe);
    findChild<QCheckBox*>(QStringLiteral("KanalPlanung"))->setChecked(d.planung);
    findChild<QLineEdit*>(QStringLiteral("KanalBemerkung"))->setText(d.Text);
    findChild<Zahlenfeld*>(QStringLiteral("KanalBreite"))->setWert(d.i[0]);
    findChild<Zahlenfeld*>(QStringLiteral("KanalHoehe"))->setWert(d.i[1]);
    auto* box = findChild<QTreeWidget*>(QStringLiteral("KanalBox"));
    if (d.i[0] > -1 || !d.p[2].isEmpty())
        materialWaehlen(box, d.p[2]);
    else if (!box->currentItem())
        box->setCurrentItem(box->topLevelItem(0));
    findChild<QLabel*>(QStringLiteral("KanalGeschwindigkeit"))->setText(d.p[0]);
    ergebnisseLeeren(this, "Kanal");
    if (d.i[0] > 0 && d.i[1] > 0) zeigen(this, "KanalFlaeche", qm(d.i[0] * d.i[1] / 1e6, 3));
}

void Tk_DVform::rohrZeigen() {
    const DVdata& d = session_->editDaten();
    findChild<Zahlenfeld*>(QStringLiteral("RohrVolumenstrom"))
        ->setWert(seitenVolumenstrom(session_->selektiert()));
    findChild<QLineEdit*>(QStringLiteral("RohrBemerkung"))->setText(d.Text);
    findChild<Zahlenfeld*>(QStringLiteral("RohrAuslegung"))->setWert(d.planung ? d.i[4] : -1);
    findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->setWert(d.i[0]);
    findChild<Zahlenfeld*>(QStringLiteral("RohrLaenge"))->setWert(d.i[5]);
    auto* box = findChild<QTreeWidget*>(QStringLiteral("RohrBox"));
    if (d.i[0] > -1 || !d.p[2].isEmpty())
        materialWaehlen(box, d.p[2]);
    else if (!box->currentItem())
        box->setCurrentItem(box->topLevelItem(0));
    findChild<QCheckBox*>(QStringLiteral("RohrPlanung"))->setChecked(d.planung);
    gruppeZeigen(findChild<QComboBox*>(QStringLiteral("RohrGruppe")), d.Gruppe);
    findChild<QLabel*>(QStringLiteral("RohrGeschwindigkeit"))->setText(d.p[0]);
    ergebnisseLeeren(this, "Rohr");
    if (d.i[0] > 0) zeigen(this, "RohrFlaeche", qm(flaeche_rund(d.i[0]), 3));
    rohrNachbarnZeigen();
}

void Tk_DVform::strangZeigen() {
    const DVdata& d = session_->editDaten();
    auto* art = findChild<QComboBox*>(QStringLiteral("StrangArt"));
    art->setCurrentIndex(d.typ == typZuluft ? 0 : d.typ == typAbluft ? 1 : -1);
    findChild<QLineEdit*>(QStringLiteral("Dichte"))->setText(d.p[1]);
    findChild<QLineEdit*>(QStringLiteral("Kennung"))->setText(d.p[2]);
    findChild<QPlainTextEdit*>(QStringLiteral("Beschreibung"))
        ->setPlainText(QString(d.Text).replace(QChar(0xFE), QLatin1Char('\n')));
    tmylistitem* sel = session_->selektiert();
    findChild<QLabel*>(QStringLiteral("BauteileStrang"))
        ->setText(sel ? QString::number(bauteilAnzahl(sel)) : QString());
}

void Tk_DVform::projektZeigen() {
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    const ProjektDaten& p = session_->projekt().daten();
    const std::pair<const char*, const QString*> felder[] = {{"firma", &p.firma},
                                                             {"Bearbeiter", &p.Bearbeiter},
                                                             {"strasse", &p.strasse},
                                                             {"ort", &p.ort},
                                                             {"firma2", &p.firma2},
                                                             {"pnrtxt", &p.pnrtxt},
                                                             {"Bau_Vorhaben", &p.Bau_Vorhaben},
                                                             {"Bau_Ort", &p.Bau_Ort},
                                                             {"Bau_Strasse", &p.Bau_Strasse}};
    for (const auto& [name, wert] : felder)
        findChild<QLineEdit*>(QLatin1String(name))->setText(*wert);
    findChild<QPlainTextEdit*>(QStringLiteral("Gruppen"))->setPlainText(p.Gruppen);
    findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->setPlainText(p.Memo);
    findChild<QCheckBox*>(QStringLiteral("MassenauszugMitGruppen"))
        ->setChecked(p.MassenauszugMitGruppen);
    findChild<QLabel*>(QStringLiteral("BauteileProjekt"))
        ->setText(QString::number(bauteilAnzahl(session_->baum())));
    fsetzen_ = vorher;
}

void Tk_DVform::komponentenSeiteZeigen(bool typGewechselt) {
    DVdata& d = session_->editDaten();
    const tBasisDaten_* k = basisDaten(d.typ);
    const bool vorher = fsetzen_;
    fsetzen_ = true;
    auto* typen = findChild<QTreeWidget*>(QStringLiteral("treeform"));
    auto* box1 = findChild<QListWidget*>(QStringLiteral("FormBox1"));
    auto* box2 = findChild<QListWidget*>(QStringLiteral("FormBox2"));
    if (typGewechselt || d.typ != letzterTyp_) {
        // The type list shows the buffer's type.
        typen->setCurrentItem(nullptr);
        typen->setProperty("tag", -1);
        if (k) {
            const QList<QTreeWidgetItem*> t =
                typen->findItems(k->titel, Qt::MatchExactly | Qt::MatchRecursive, 0);
            for (QTreeWidgetItem* it : t)
                if (it->parent()) {
                    typen->setCurrentItem(it);
                    typen->setProperty("tag", d.typ);
                    break;
                }
        }
        letzterTyp_ = d.typ;
        formbox2Typ_ = -2;
    }
    komponentenSeite(d);

    auto* eckig = findChild<QCheckBox*>(QStringLiteral("EintrittEckig"));
    auto* planung = findChild<QCheckBox*>(QStringLiteral("FormPlanung"));
    planung->setVisible(k && k->planung);
    planung->setChecked(d.planung);
    eckig->setVisible(k && k->eckig == formBeides && !d.planung);
    eckig->setChecked(d.eckig);

    // Option lists.
    const QStringList eintraege = k ? k->boxEintraege() : QStringList();
    box1->clear();
    box1->addItems(eintraege);
    box1->setVisible(!eintraege.isEmpty());
    box1->setFixedHeight(17 * static_cast<int>(eintraege.size()) + 32);
    box1->setCurrentRow(d.tag1 >= 0 && d.tag1 < eintraege.size() ? d.tag1 : -1);
    const QString zweite = zweiteOptionsliste(d.typ, d.tag1);
    QStringList zweiteListe = zweite.split(QLatin1Char('|'));
    while (!zweiteListe.isEmpty() && zweiteListe.back().isEmpty()) zweiteListe.removeLast();
    box2->clear();
    box2->addItems(zweiteListe);
    box2->setVisible(d.tag1 >= 0 && !zweiteListe.isEmpty());
    box2->setFixedHeight(17 * static_cast<int>(zweiteListe.size()) + 32);
    box2->setCurrentRow(d.tag2 >= 0 && d.tag2 < zweiteListe.size() ? d.tag2 : -1);
    formbox2Typ_ = d.typ;

    // Value fields.
    for (int s = 0; s < 7; ++s) {
        auto* l = findChild<QLabel*>(QStringLiteral("FormtText%1").arg(s));
        auto* z = findChild<Zahlenfeld*>(QStringLiteral("Formt%1").arg(s));
        auto* t = findChild<QLineEdit*>(QStringLiteral("FormtP%1").arg(s));
        auto* e = findChild<QLabel*>(QStringLiteral("FormtEinheit%1").arg(s));
        const tDatSlot* slot = k ? &k->dat[static_cast<size_t>(s)] : nullptr;
        const QString caption = slot ? (d.eckig ? slot->texteckig : slot->textrund) : QString();
        const bool zeigen = slot && !caption.isEmpty() && !(slot->min == -3 && d.planung);
        l->setVisible(zeigen);
        e->setVisible(zeigen);
        z->setVisible(zeigen && !slot->text);
        t->setVisible(zeigen && slot->text);
        if (!zeigen) continue;
        l->setText(caption);
        e->setText(slot->einheit.isEmpty()
                       ? QString()
                       : QStringLiteral("[") + slot->einheit + QStringLiteral("]"));
        if (slot->text) {
            t->setText(d.p[2]);
        } else {
            z->setNachkommastellen(slot->nastellen);
            z->setWert(d.i[static_cast<size_t>(s)]);
        }
        z->setEnabled(!(k->Nachhallzeit &&
                        ((s == 3 && d.raumSpektrumangabe) || (s == 4 && d.nachhallzeitangabe))));
    }
    for (int s : {3, 4}) {
        const tDatSlot* slot = k ? &k->dat[static_cast<size_t>(s)] : nullptr;
        const QString caption = slot ? (d.eckig ? slot->texteckig : slot->textrund) : QString();
        findChild<QPushButton*>(QStringLiteral("Spektrum%1").arg(s))
            ->setVisible(k && k->Nachhallzeit && !caption.isEmpty());
    }

    // Presets.
    auto* vorgeben = findChild<QCheckBox*>(QStringLiteral("WerteVorgeben"));
    auto* zetaCheck = findChild<QCheckBox*>(QStringLiteral("ZetaCheck"));
    const int modus = k ? k->vorgabe : 0;
    const int manuell = k ? k->vorgabe2 : 0;
    vorgeben->setVisible(manuell > 0);
    vorgeben->setChecked(modus == 5 || d.vorgabe != 0);
    zetaCheck->setVisible(vorgeben->isChecked() &&
                          (manuell == 1 || manuell == 2 || manuell == 3 || manuell == 5));
    zetaCheck->setChecked(d.vorgabe == -1);
    auto* gText = findChild<QLabel*>(QStringLiteral("FormGeschwText"));
    auto* gEinheit = findChild<QLabel*>(QStringLiteral("FormGeschwEinheit"));
    auto* gFeld = findChild<Zahlenfeld*>(QStringLiteral("FormGeschwindigkeit"));
    auto* zText = findChild<QLabel*>(QStringLiteral("FormZetaText"));
    auto* zFeld = findChild<Zahlenfeld*>(QStringLiteral("FormZeta"));
    const bool zetaModus =
        d.vorgabe == -1 ||
        (d.vorgabe == 0 && (modus == 0 || modus == 1 || modus == 2 || modus == 3 || modus == 5));
    const bool druckModus = d.vorgabe == 1 || (d.vorgabe == 0 && modus == 4);
    if (druckModus) {
        gText->setText(QStringLiteral("Druckverlust"));
        gEinheit->setText(QStringLiteral("[Pa]"));
        gFeld->setNachkommastellen(0);
        gFeld->setWert(d.i[6]);
        gFeld->setEnabled(true);
        zText->hide();
        zFeld->hide();
    } else {
        gText->setText(QStringLiteral("Geschwindigkeit"));
        gEinheit->setText(QStringLiteral("[m/s]"));
        gFeld->setText(d.p[0]);
        zFeld->setText(d.p[1]);
        zText->show();
        zFeld->show();
        gFeld->setEnabled(zetaModus &&
                          ((d.vorgabe == 0 && modus >= 2 && modus <= 5) ||
                           (d.vorgabe == -1 && (manuell == 2 || manuell == 3 || manuell == 5))));
        zFeld->setEnabled(zetaModus &&
                          ((d.vorgabe == 0 && (modus == 1 || modus == 3 || modus == 5)) ||
                           (d.vorgabe == -1 && (manuell == 1 || manuell == 3 || manuell == 5))));
    }

    auto* schall = findChild<QCheckBox*>(QStringLiteral("SchallCheck"));
    const bool schallZeigen = k && k->enden < 3 && k->schall;
    schall->setVisible(schallZeigen);
    schall->setChecked(d.schall > 0);
    findChild<QPushButton*>(QStringLiteral("SchallBtn"))->setVisible(schallZeigen);
    gruppeZeigen(findChild<QComboBox*>(QStringLiteral("FormGruppe")), d.Gruppe);
    findChild<QLineEdit*>(QStringLiteral("FormBemerkung"))->setText(d.Text);
    fsetzen_ = vorher;
}

void Tk_DVform::nachbarnZeigen() {
    tmylistitem* sel = session_->selektiert();
    auto* davor = findChild<QLabel*>(QStringLiteral("DavorLabel"));
    auto* danach = findChild<QLabel*>(QStringLiteral("DanachLabel"));
    if (!sel) {
        davor->setText(QStringLiteral("nichts"));
        danach->setText(QStringLiteral("nichts"));
        return;
    }
    const tmylistitem* vor = sel->Level() == 0       ? nullptr
                             : sel->getPrevSibling() ? sel->getPrevSibling()
                                                     : sel->parent();
    const tmylistitem* nach = sel->Level() == 0 ? sel->getChild() : sel->getNextSibling();
    davor->setText(nodeInfo(vor, 0));
    danach->setText(nodeInfo(nach, 0));
}

void Tk_DVform::pruefen() {
    const SeitenZustand z = seitenPruefung(*session_);
    const auto setzen = [this](const char* name, bool an) {
        if (auto* b = findChild<QPushButton*>(QLatin1String(name))) b->setEnabled(an);
    };
    setzen("EinfuegenBtn", z.einfuegen);
    setzen("UebernehmenBtn", z.uebernehmen);
    setzen("LoeschenBtn", z.loeschen);
    setzen("BerechnenBtn", z.berechnen);
    findChild<QLabel*>(QStringLiteral("ErgebnisLabel"))->setText(z.ergebnis);
    for (int s : {SeiteKanal, SeiteRohr, SeiteFormstueck})
        seiten_->setTabEnabled(s, !z.nurStrangSeiten);
    if (!z.meldung.isEmpty()) session_->statusMeldung(z.meldung);
    // The duct and pipe pages show the velocity the check computed.
    const DVdata& d = session_->editDaten();
    if (d.typ == typKanal)
        findChild<QLabel*>(QStringLiteral("KanalGeschwindigkeit"))->setText(d.p[0]);
    if (d.typ == typRohr)
        findChild<QLabel*>(QStringLiteral("RohrGeschwindigkeit"))->setText(d.p[0]);
}

// --- field handlers -----------------------------------------------------------------------------

void Tk_DVform::kanalGeaendert() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    if (d.typ != typKanal) return;
    d.i[0] = findChild<Zahlenfeld*>(QStringLiteral("KanalBreite"))->wert();
    d.i[1] = findChild<Zahlenfeld*>(QStringLiteral("KanalHoehe"))->wert();
    d.i[2] = findChild<Zahlenfeld*>(QStringLiteral("KanalMaxBreite"))->wert();
    d.i[3] = findChild<Zahlenfeld*>(QStringLiteral("KanalMaxHoehe"))->wert();
    d.i[5] = findChild<Zahlenfeld*>(QStringLiteral("KanalLaenge"))->wert();
    const double a = findChild<Zahlenfeld*>(QStringLiteral("KanalAuslegung"))->wert();
    // The design value is kept in whole m/s, or as the gradient × 100.
    d.i[4] = a == -1 ? -1 : einstellungen().nachGefaelle() ? std::trunc(a * 100) : std::round(a);
    d.p[2] = materialName(findChild<QTreeWidget*>(QStringLiteral("KanalBox")));
    d.Gruppe = gruppeLesen(findChild<QComboBox*>(QStringLiteral("KanalGruppe")));
    const bool planung = findChild<QCheckBox*>(QStringLiteral("KanalPlanung"))->isChecked();
    if (planung != d.planung) {
        // Leaving planning may take sizes from the neighbours: the page shows them.
        session_->planungSetzen(planung);
        fsetzen_ = true;
        kanalZeigen();
        fsetzen_ = false;
    }
    d.Text = bemerkungLesen(findChild<QLineEdit*>(QStringLiteral("KanalBemerkung")));
    pruefen();
}

void Tk_DVform::rohrGeaendert() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    if (d.typ != typRohr) return;
    // A diameter below 20 mm is a number still being typed: the last one stays.
    const double durchmesser = findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->wert();
    if (durchmesser == -1 || durchmesser >= 20) d.i[0] = durchmesser;
    d.i[5] = findChild<Zahlenfeld*>(QStringLiteral("RohrLaenge"))->wert();
    const double a = findChild<Zahlenfeld*>(QStringLiteral("RohrAuslegung"))->wert();
    d.i[4] = a == -1 ? -1 : std::round(a);
    d.p[2] = materialName(findChild<QTreeWidget*>(QStringLiteral("RohrBox")));
    d.Gruppe = gruppeLesen(findChild<QComboBox*>(QStringLiteral("RohrGruppe")));
    const bool planung = findChild<QCheckBox*>(QStringLiteral("RohrPlanung"))->isChecked();
    if (planung != d.planung) {
        // Leaving planning may take sizes from the neighbours: the page shows them.
        session_->planungSetzen(planung);
        fsetzen_ = true;
        rohrZeigen();
        fsetzen_ = false;
    }
    d.Text = bemerkungLesen(findChild<QLineEdit*>(QStringLiteral("RohrBemerkung")));
    pruefen();
}

void Tk_DVform::wertGeaendert(int k) {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    const tBasisDaten_* kat = basisDaten(d.typ);
    if (!kat) return;
    if (k < 7) {
        if (kat->dat[static_cast<size_t>(k)].text)
            d.p[2] = findChild<QLineEdit*>(QStringLiteral("FormtP%1").arg(k))->text();
        else
            d.i[static_cast<size_t>(k)] =
                findChild<Zahlenfeld*>(QStringLiteral("Formt%1").arg(k))->wert();
    } else if (k == 7) {
        auto* g = findChild<Zahlenfeld*>(QStringLiteral("FormGeschwindigkeit"));
        const bool druckModus = d.vorgabe == 1 || (d.vorgabe == 0 && kat->vorgabe == 4);
        if (druckModus)
            d.i[6] = g->wert();
        else
            d.p[0] = g->text();
    } else {
        d.p[1] = findChild<Zahlenfeld*>(QStringLiteral("FormZeta"))->text();
    }
    pruefen();
}

void Tk_DVform::formOptionenGeaendert() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    const int tag1Vorher = d.tag1;
    const bool eckigVorher = d.eckig;
    const bool planungVorher = d.planung;
    const int vorgabeVorher = d.vorgabe;
    auto* box1 = findChild<QListWidget*>(QStringLiteral("FormBox1"));
    auto* box2 = findChild<QListWidget*>(QStringLiteral("FormBox2"));
    if (box1->isVisible() || box1->count() > 0) d.tag1 = box1->currentRow();
    if (box2->count() > 0) d.tag2 = box2->currentRow();
    auto* vorgeben = findChild<QCheckBox*>(QStringLiteral("WerteVorgeben"));
    auto* zeta = findChild<QCheckBox*>(QStringLiteral("ZetaCheck"));
    const tBasisDaten_* k = basisDaten(d.typ);
    const bool zetaSichtbar =
        vorgeben->isChecked() && k &&
        (k->vorgabe2 == 1 || k->vorgabe2 == 2 || k->vorgabe2 == 3 || k->vorgabe2 == 5);
    d.vorgabe = !vorgeben->isChecked() ? 0 : (zetaSichtbar && zeta->isChecked()) ? -1 : 1;
    if (k && k->vorgabe == 5 && d.vorgabe == 0) d.vorgabe = -1;
    auto* eckig = findChild<QCheckBox*>(QStringLiteral("EintrittEckig"));
    if (eckig->isVisible()) d.eckig = eckig->isChecked();
    const bool planung = findChild<QCheckBox*>(QStringLiteral("FormPlanung"))->isChecked();
    if (planung != d.planung) session_->planungSetzen(planung);
    d.Gruppe = gruppeLesen(findChild<QComboBox*>(QStringLiteral("FormGruppe")));
    d.Text = bemerkungLesen(findChild<QLineEdit*>(QStringLiteral("FormBemerkung")));
    // A change that alters what the page shows rebuilds it.
    if (d.tag1 != tag1Vorher || d.eckig != eckigVorher || d.planung != planungVorher ||
        d.vorgabe != vorgabeVorher)
        komponentenSeiteZeigen(false);
    pruefen();
}

void Tk_DVform::strangGeaendert() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    const int art = findChild<QComboBox*>(QStringLiteral("StrangArt"))->currentIndex();
    d.typ = art == 0 ? typZuluft : art == 1 ? typAbluft : typKeiner;
    d.p[1] = findChild<QLineEdit*>(QStringLiteral("Dichte"))->text();
    d.p[2] = findChild<QLineEdit*>(QStringLiteral("Kennung"))->text();
    d.Text = findChild<QPlainTextEdit*>(QStringLiteral("Beschreibung"))
                 ->toPlainText()
                 .replace(QLatin1Char('\n'), QChar(0xFE));
    pruefen();
}

void Tk_DVform::projektGeaendert() {
    if (fsetzen_) return;
    ProjektDaten& p = session_->projekt().daten();
    const std::pair<const char*, QString*> felder[] = {{"firma", &p.firma},
                                                       {"Bearbeiter", &p.Bearbeiter},
                                                       {"strasse", &p.strasse},
                                                       {"ort", &p.ort},
                                                       {"firma2", &p.firma2},
                                                       {"pnrtxt", &p.pnrtxt},
                                                       {"Bau_Vorhaben", &p.Bau_Vorhaben},
                                                       {"Bau_Ort", &p.Bau_Ort},
                                                       {"Bau_Strasse", &p.Bau_Strasse}};
    for (const auto& [name, wert] : felder)
        *wert = findChild<QLineEdit*>(QLatin1String(name))->text();
    p.Gruppen = findChild<QPlainTextEdit*>(QStringLiteral("Gruppen"))->toPlainText();
    p.Memo = findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->toPlainText();
    p.MassenauszugMitGruppen =
        findChild<QCheckBox*>(QStringLiteral("MassenauszugMitGruppen"))->isChecked();
    session_->markiereGeaendert();
    zustandZeigen();
}

void Tk_DVform::laengeSetzen(int meter) {
    DVdata& d = session_->editDaten();
    const char* feld = d.typ == typKanal  ? "KanalLaenge"
                       : d.typ == typRohr ? "RohrLaenge"
                                          : nullptr;
    if (!feld) return;
    findChild<Zahlenfeld*>(QLatin1String(feld))
        ->setText(QString::number(meter) + QStringLiteral("000"));
    if (d.typ == typKanal)
        kanalGeaendert();
    else
        rohrGeaendert();
}

// --- sizing controls of the duct and pipe pages ------------------------------------------------

void Tk_DVform::kanalAuslegungVerlassen() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    if (d.typ != typKanal) return;
    const double Q = findChild<Zahlenfeld*>(QStringLiteral("KanalVolumenstrom"))->wert();
    if (Q < 0) {
        session_->statusMeldung(QStringLiteral("Bitte Position im Strang auswählen"));
        return;
    }
    d.i[5] = findChild<Zahlenfeld*>(QStringLiteral("KanalLaenge"))->wert();
    if (d.planung) {
        kanalGeaendert();
        return;
    }
    const double W = grenze(findChild<Zahlenfeld*>(QStringLiteral("KanalMaxBreite")));
    const double H = grenze(findChild<Zahlenfeld*>(QStringLiteral("KanalMaxHoehe")));
    const double x = findChild<Zahlenfeld*>(QStringLiteral("KanalAuslegung"))->wert();
    const Einstellungen& e = einstellungen();
    const bool gefaelle = e.nachGefaelle();
    const Vorschlag v = vorschlag(Q, gefaelle, true, gefaelle ? x : std::trunc(x), W, H, e,
                                  strangDichte(session_->selektiert()));
    if (!v.ok) {
        session_->statusMeldung(QString::fromUtf8(auslegungswertFehlt));
        return;
    }
    d.i[2] = W;
    d.i[3] = H;
    ergebnisseLeeren(this, "Kanal");
    if (gefaelle) {
        d.i[4] = std::trunc(x * 100);
    } else {
        d.i[4] = std::round(x);
        d.p[0] = formatZahl(d.i[4], 2);
        const double A = Q / x / 3600;
        zeigen(this, "KanalBerechnetMass", mm(std::round(1000 * std::sqrt(A))));
        zeigen(this, "KanalBerechnetFlaeche", qm(A, 2));
        zeigen(this, "KanalBerechnetWert", QStringLiteral("-"));
        const double quadrat = v.W * v.W / 1e6;
        zeigen(this, "KanalVorschlagMass", mm(v.W));
        zeigen(this, "KanalVorschlagFlaeche", qm(quadrat, 2));
        zeigen(this, "KanalVorschlagWert",
               formatZahl(Q / 3600 / quadrat, 1) + QStringLiteral(" [m/s]"));
    }
    fsetzen_ = true;
    findChild<Zahlenfeld*>(QStringLiteral("KanalMaxBreite"))->setWert(W);
    findChild<Zahlenfeld*>(QStringLiteral("KanalMaxHoehe"))->setWert(H);
    findChild<Zahlenfeld*>(QStringLiteral("KanalBreite"))->setWert(v.W);
    findChild<Zahlenfeld*>(QStringLiteral("KanalHoehe"))->setWert(v.H);
    fsetzen_ = false;
    // The width/height action shows the area and the velocity and takes the page over.
    kanalMassGeaendert(false);
}

void Tk_DVform::kanalMassGeaendert(bool breite) {
    if (fsetzen_) return;
    const DVdata& d = session_->editDaten();
    if (d.typ != typKanal) return;
    const Einstellungen& e = einstellungen();
    const int kleinste = e.kanalMasse().isEmpty() ? 0 : e.kanalMasse().first();
    auto* bf = findChild<Zahlenfeld*>(QStringLiteral("KanalBreite"));
    auto* hf = findChild<Zahlenfeld*>(QStringLiteral("KanalHoehe"));
    const double Q = findChild<Zahlenfeld*>(QStringLiteral("KanalVolumenstrom"))->wert();
    if (breite && bf->wert() >= kleinste && hf->wert() < kleinste) {
        // A width alone: the height that reaches the design velocity.
        const double v = e.nachGefaelle()
                             ? e.designGeschwindigkeit(abschnitt(session_->selektiert()))
                             : findChild<Zahlenfeld*>(QStringLiteral("KanalAuslegung"))->wert();
        const int h = hoeheZurBreite(e.kanalMasse(), bf->wert(), Q, v);
        if (h > 0) hf->setWert(h);
    }
    kanalGeaendert();
    const double A =
        std::max(0.0, session_->editDaten().i[0]) * std::max(0.0, session_->editDaten().i[1]) / 1e6;
    zeigen(this, "KanalFlaeche", qm(A, 3));
}

void Tk_DVform::rohrAuslegungVerlassen() {
    if (fsetzen_) return;
    DVdata& d = session_->editDaten();
    if (d.typ != typRohr) return;
    const double Q = findChild<Zahlenfeld*>(QStringLiteral("RohrVolumenstrom"))->wert();
    const double x = findChild<Zahlenfeld*>(QStringLiteral("RohrAuslegung"))->wert();
    if (Q < 0) {
        session_->statusMeldung(QStringLiteral("Bitte Position im Strang auswählen"));
        return;
    }
    d.i[5] = findChild<Zahlenfeld*>(QStringLiteral("RohrLaenge"))->wert();
    if (d.planung) {
        rohrGeaendert();
        return;
    }
    const Einstellungen& e = einstellungen();
    const Vorschlag v = vorschlag(Q, e.nachGefaelle(), false, std::trunc(x), -1, -1, e,
                                  strangDichte(session_->selektiert()));
    if (x <= 0 || !v.ok) {
        session_->statusMeldung(QString::fromUtf8(auslegungswertFehlt));
        return;
    }
    d.i[4] = std::round(x);
    const double A = Q / x / 3600;
    zeigen(this, "RohrBerechnetFlaeche", qm(A, 3));
    zeigen(this, "RohrBerechnetMass", mm(std::trunc(1000 * std::sqrt(4 * A / std::numbers::pi))));
    d.i[0] = v.H;
    fsetzen_ = true;
    findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->setWert(v.H);
    fsetzen_ = false;
    zeigen(this, "RohrVorschlagMass", mm(v.H));
    zeigen(this, "RohrVorschlagFlaeche", qm(flaeche_rund(v.H), 3));
    zeigen(this, "RohrVorschlagWert", v.geschwindigkeit + QStringLiteral(" [m/s]"));
    rohrDurchmesserGeaendert();
}

void Tk_DVform::rohrDurchmesserGeaendert() {
    if (fsetzen_) return;
    if (session_->editDaten().typ != typRohr) return;
    const double d = findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->wert();
    rohrGeaendert();
    if (d != -1 && d < 20) return; // still being typed
    zeigen(this, "RohrFlaeche", d > 0 ? qm(flaeche_rund(d), 3) : QString());
    rohrNachbarnZeigen();
}

void Tk_DVform::rohrNachbarnZeigen() {
    const double Q = findChild<Zahlenfeld*>(QStringLiteral("RohrVolumenstrom"))->wert();
    const double d = findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->wert();
    for (bool groesser : {false, true}) {
        auto* b = findChild<QPushButton*>(groesser ? QStringLiteral("RohrUp")
                                                   : QStringLiteral("RohrDown"));
        const RohrNachbar n =
            d > 0 ? rohrNachbar(einstellungen().rohrMasse(), d, Q, groesser) : RohrNachbar{};
        b->setText(d > 0 ? n.text : QStringLiteral("-"));
        b->setProperty("durchmesser", n.durchmesser);
        b->setToolTip(n.durchmesser > 0 ? mm(n.durchmesser) : QString());
    }
}

void Tk_DVform::rohrNachbarClick(bool groesser) {
    const int n =
        findChild<QPushButton*>(groesser ? QStringLiteral("RohrUp") : QStringLiteral("RohrDown"))
            ->property("durchmesser")
            .toInt();
    if (n <= 0 || session_->editDaten().typ != typRohr) return;
    findChild<Zahlenfeld*>(QStringLiteral("RohrDurchmesser"))->setWert(n);
    rohrDurchmesserGeaendert();
}

void Tk_DVform::laengeVerlassen() {
    if (fsetzen_) return;
    const int typ = session_->editDaten().typ;
    if (typ != typKanal && typ != typRohr) return;
    auto* f = findChild<Zahlenfeld*>(typ == typKanal ? QStringLiteral("KanalLaenge")
                                                     : QStringLiteral("RohrLaenge"));
    const double w = f->wert();
    if (w >= 0) f->setWert(laengeAusFeld(w));
    if (typ == typKanal)
        kanalGeaendert();
    else
        rohrGeaendert();
}

void Tk_DVform::vAnpassenClick() {
    const DVdata& d = session_->editDaten();
    if (d.typ != typKanal && d.typ != typRohr) return;
    const int v = vAnpassen(d.p[0]);
    if (v < 0) return;
    // Only the field: the suggestion runs when the user leaves it.
    findChild<Zahlenfeld*>(d.typ == typKanal ? QStringLiteral("KanalAuslegung")
                                             : QStringLiteral("RohrAuslegung"))
        ->setWert(v);
    if (d.typ == typKanal)
        kanalGeaendert();
    else
        rohrGeaendert();
}

} // namespace zephan
