#include "app/catalogue_editor.h"

#include "app/number_field.h"
#include "app/panel_store.h"
#include "app/tree_delegate.h"
#include "app/window_seam.h"
#include "network/catalogue_tree.h"
#include "network/tree_item_model.h"
#include "store/folders.h"
#include "store/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace zephan {
namespace {

// The flags in the order of the editor's check boxes, with their captions.
struct Flag {
    const char* text;
    bool tBasisDaten_::*feld;
};
const Flag flagListe[11] = {{"DavorCheck", &tBasisDaten_::davorchk},
                            {"Danachcheck", &tBasisDaten_::danachchk},
                            {".p[2] anfügen", &tBasisDaten_::titeladd},
                            {"Text ist Formbox1", &tBasisDaten_::titelIsFormbox},
                            {"löschen möglich", &tBasisDaten_::delpossible},
                            {"Übergangswechsel", &tBasisDaten_::eckigwechsel},
                            {"Planung möglich?", &tBasisDaten_::planung},
                            {"Planbauteil", &tBasisDaten_::planbauteil},
                            {"Schallvorgabe möglich", &tBasisDaten_::schall},
                            {"Nachhallzeit möglich", &tBasisDaten_::Nachhallzeit},
                            {"Massenauszug", &tBasisDaten_::Massenauszug}};

QSpinBox* spin(QWidget* p, int min, int max, const QString& name) {
    auto* s = new QSpinBox(p);
    s->setRange(min, max);
    s->setObjectName(name);
    return s;
}

// The catalogue tree with its two columns "Bauteile" (caption and picture) and "TypNr".
class KatalogModell : public BaumModell {
public:
    using BaumModell::BaumModell;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
        if (column != 1) return BaumModell::index(row, column, parent);
        const QModelIndex erste = BaumModell::index(row, 0, parent);
        return erste.isValid() ? createIndex(row, 1, erste.internalPointer()) : QModelIndex();
    }
    int columnCount(const QModelIndex& = {}) const override { return 2; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (i.column() != 1) return BaumModell::data(i, role);
        if (role == Qt::DisplayRole) return knoten(i)->text(1);
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return section == 0 ? QStringLiteral("Bauteile") : QStringLiteral("TypNr");
    }
};

QComboBox* combo(QWidget* p, const QStringList& items, const QString& name) {
    auto* c = new QComboBox(p);
    c->addItems(items);
    c->setObjectName(name);
    return c;
}

} // namespace

TBauteilForm_::TBauteilForm_(QWidget* parent, Bauteilkatalog* katalog)
    : QDialog(parent), katalog_(katalog ? katalog : &bauteilkatalog()),
      seam_(std::make_unique<FensterSeam>(this)) {
    setObjectName(QStringLiteral("Bauteilform"));
    setWindowTitle(QStringLiteral("Bauteilform"));
    auto* h = new QHBoxLayout(this);
    baum_ = new QTreeView(this);
    baum_->setObjectName(QStringLiteral("Baum"));
    baum_->setUniformRowHeights(true);
    baum_->setMinimumWidth(330);
    baum_->setItemDelegate(new BaumDelegate(baum_));
    modell_ = new KatalogModell(katalog_->baum());
    baum_->setModel(modell_);
    baum_->setColumnWidth(0, 235);
    connect(baum_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) { eintragWaehlen(BaumModell::knoten(i)); });
    h->addWidget(baum_);

    auto* rechts = new QWidget(this);
    auto* v = new QVBoxLayout(rechts);
    auto* kopf = new QGridLayout;
    titel_ = new QLineEdit(rechts);
    titel_->setObjectName(QStringLiteral("Titel"));
    typ_ = spin(rechts, -1, 130, QStringLiteral("TypNr"));
    bild_ = spin(rechts, -1, 999, QStringLiteral("BildNr"));
    titelint_ = new QLabel(rechts);
    titelint_->setObjectName(QStringLiteral("Titelint"));
    kopf->addWidget(new QLabel(QStringLiteral("Titel"), rechts), 0, 0);
    kopf->addWidget(titel_, 0, 1);
    kopf->addWidget(new QLabel(QStringLiteral("TypNr."), rechts), 0, 2);
    kopf->addWidget(typ_, 0, 3);
    kopf->addWidget(new QLabel(QStringLiteral("BildNr."), rechts), 0, 4);
    kopf->addWidget(bild_, 0, 5);
    kopf->addWidget(titelint_, 1, 0, 1, 6);
    v->addLayout(kopf);
    connect(bild_, &QSpinBox::valueChanged, this, [this](int nr) {
        if (!fsetzen_) katalog_->bildnrAendern(ausgewaehlt(), titel_->text(), nr);
    });

    auto* mitte = new QHBoxLayout;
    auto* f = new QFormLayout;
    abzweige_ = spin(rechts, 0, 4, QStringLiteral("Abzweige"));
    f->addRow(QStringLiteral("Abzweige (Eingänge+Ausgänge!)"), abzweige_);
    eckig_ = combo(rechts,
                   {QStringLiteral("rund"), QStringLiteral("eckig"),
                    QStringLiteral("beides möglich"), QStringLiteral("unwichtig")},
                   QStringLiteral("BauteilIst"));
    f->addRow(QStringLiteral("Bauteil ist"), eckig_);
    masse_ = combo(rechts, {QStringLiteral("ohne"), QStringLiteral("mit")},
                   QStringLiteral("Abmessungen"));
    f->addRow(QStringLiteral("Abmessungen"), masse_);
    vorgabe_ = combo(rechts,
                     {QStringLiteral("keine Vorgabe möglich"), QStringLiteral("Zeta edit"),
                      QStringLiteral("c edit"), QStringLiteral("Zeta und c edit"),
                      QStringLiteral("Pascal edit"), QStringLiteral("Manuell Zeta,c,Pascal")},
                     QStringLiteral("VorgabeNormal"));
    f->addRow(QStringLiteral("Vorgabe normal"), vorgabe_);
    vorgabe2_ =
        combo(rechts,
              {QStringLiteral("nichts"), QStringLiteral("Zeta"), QStringLiteral("Gesch."),
               QStringLiteral("Zeta+c"), QStringLiteral("Pascal"), QStringLiteral("Zeta,c,Pascal")},
              QStringLiteral("Manuell"));
    f->addRow(QStringLiteral("Manuell"), vorgabe2_);
    defindex_ = spin(rechts, -1, 10, QStringLiteral("DefaultBoxIndex"));
    f->addRow(QStringLiteral("Default BoxIndex"), defindex_);
    ort_ =
        combo(rechts,
              {QStringLiteral("egal"), QStringLiteral("nur Zuluft"), QStringLiteral("nur Abluft")},
              QStringLiteral("OrtImStrang"));
    f->addRow(QStringLiteral("Ort im Strang"), ort_);
    box1_ = new QLineEdit(rechts);
    box1_->setObjectName(QStringLiteral("Formbox1"));
    f->addRow(QStringLiteral("Formbox1"), box1_);
    mitte->addLayout(f);
    auto* flags = new QVBoxLayout;
    for (size_t k = 0; k < flags_.size(); ++k) {
        flags_[k] = new QCheckBox(QString::fromUtf8(flagListe[k].text), rechts);
        flags_[k]->setObjectName(QString::fromUtf8(flagListe[k].text));
        flags->addWidget(flags_[k]);
    }
    flags_[8]->setToolTip(QStringLiteral("nur wenn Abzweige = 0"));
    // The joint slots in pairs under the flags, each label beside its field.
    auto* joints = new QGridLayout;
    const char* jointNamen[6] = {"EinA", "EinB", "AusA", "AusB", "AbzweigA", "AbzweigB"};
    for (size_t k = 0; k < joints_.size(); ++k) {
        joints_[k] = new Zahlenfeld(0, rechts);
        joints_[k]->setObjectName(QLatin1String(jointNamen[k]));
        joints_[k]->setFixedWidth(
            joints_[k]->fontMetrics().horizontalAdvance(QStringLiteral("-000")) + 16);
        const int zeile = static_cast<int>(k / 2);
        const int spalte = static_cast<int>(k % 2) * 2;
        jointTexte_[k] = new QLabel(QLatin1String(jointNamen[k]), rechts);
        jointTexte_[k]->setObjectName(QLatin1String(jointNamen[k]) + QStringLiteral("Text"));
        joints->addWidget(jointTexte_[k], zeile, spalte);
        joints->addWidget(joints_[k], zeile, spalte + 1);
    }
    flags->addLayout(joints);
    flags->addStretch();
    mitte->addLayout(flags);
    v->addLayout(mitte);

    // Seven slot rows.
    auto* g = new QGridLayout;
    const QStringList koepfe = {QStringLiteral("Beschreibung Eckig"),
                                QStringLiteral("Einheit"),
                                QStringLiteral("Beschreibung Rund"),
                                QStringLiteral("Min"),
                                QStringLiteral("Max"),
                                QStringLiteral("Text"),
                                QStringLiteral("Stellen")};
    for (int c = 0; c < koepfe.size(); ++c) g->addWidget(new QLabel(koepfe[c], rechts), 0, c + 1);
    for (int k = 0; k < anzahlDatSlots; ++k) {
        SlotZeile& z = slots_[static_cast<size_t>(k)];
        g->addWidget(new QLabel(QStringLiteral("Nr. %1").arg(k), rechts), k + 1, 0);
        z.eckig = new QLineEdit(rechts);
        z.einheit = new QLineEdit(rechts);
        z.rund = new QLineEdit(rechts);
        z.min = spin(rechts, -4, 1000000, QStringLiteral("Min%1").arg(k));
        z.max = spin(rechts, -1, 1000000, QStringLiteral("Max%1").arg(k));
        z.text = new QCheckBox(rechts);
        z.stellen = spin(rechts, 0, 9, QStringLiteral("Stellen%1").arg(k));
        z.eckig->setObjectName(QStringLiteral("Eckig%1").arg(k));
        z.einheit->setObjectName(QStringLiteral("Einheit%1").arg(k));
        z.rund->setObjectName(QStringLiteral("Rund%1").arg(k));
        z.text->setObjectName(QStringLiteral("Text%1").arg(k));
        QWidget* zeile[7] = {z.eckig, z.einheit, z.rund, z.min, z.max, z.text, z.stellen};
        for (int c = 0; c < 7; ++c) g->addWidget(zeile[c], k + 1, c + 1);
    }
    v->addLayout(g);
    v->addWidget(new QLabel(QStringLiteral("Min: >=0 Mindestwert,    -1 Ganzezahl    -2 Text, "
                                           "-3 Planbar,-4 hidden"),
                            rechts));

    auto* knoepfe = new QHBoxLayout;
    const auto knopf = [&](const QString& text, const QString& name, auto fn) {
        auto* b = new QPushButton(text, rechts);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, fn);
        knoepfe->addWidget(b);
    };
    knopf(QStringLiteral("Hinzufügen / Update"), QStringLiteral("UpdateBtn"),
          [this] { updateClick(); });
    knopf(QStringLiteral("löschen"), QStringLiteral("LoeschenBtn"), [this] { loeschenClick(); });
    knopf(QStringLiteral("sichern"), QStringLiteral("SichernBtn"), [this] { sichernClick(); });
    knopf(QStringLiteral("Clear"), QStringLiteral("ClearBtn"), [this] { clearClick(); });
    knoepfe->addStretch();
    v->addLayout(knoepfe);
    h->addWidget(rechts, 1);
    connect(eckig_, &QComboBox::currentIndexChanged, this, [this] { formAnpassen(); });
    connect(masse_, &QComboBox::currentIndexChanged, this, [this] { formAnpassen(); });
}

TBauteilForm_::~TBauteilForm_() {
    baum_->setModel(nullptr);
    delete modell_;
}

void TBauteilForm_::showEvent(QShowEvent* e) {
    formsize_load(this, einstellungenLesen());
    if (katalog_->count() > 0) baum_->expandAll();
    QDialog::showEvent(e);
}

void TBauteilForm_::done(int r) {
    TIniFile2 ini = einstellungenSchreiben();
    formsize_save(this, ini);
    ini.save();
    QDialog::done(r);
}

tmylistitem* TBauteilForm_::ausgewaehlt() const {
    return BaumModell::knoten(baum_->currentIndex());
}

void TBauteilForm_::eintragWaehlen(tmylistitem* node) {
    if (!node) return;
    felderZeigen(Bauteilkatalog::felderAus(node));
    titelint_->setText(Bauteilkatalog::titelint(node));
}

void TBauteilForm_::formAnpassen() {
    // "Bauteil ist" decides which caption columns apply; "Abmessungen" shows the joints.
    const int form = eckig_->currentIndex();
    const bool rund = form == formRund || form == formBeides;
    const bool eckig = form == formEckig || form == formBeides || form == formUnwichtig;
    for (SlotZeile& z : slots_) {
        z.rund->setEnabled(rund);
        z.eckig->setEnabled(eckig);
        z.einheit->setEnabled(eckig);
    }
    // The joint slots mean something only for entries with dimensions: label and field go
    // together.
    const bool mitMassen = masse_->currentIndex() == 1;
    for (Zahlenfeld* j : joints_) j->setVisible(mitMassen);
    for (QLabel* t : jointTexte_) t->setVisible(mitMassen);
}

void TBauteilForm_::felderZeigen(const tBasisDaten_& e) {
    fsetzen_ = true;
    typ_->setValue(e.typ);
    titel_->setText(e.titel);
    bild_->setValue(e.bildnr);
    abzweige_->setValue(e.enden);
    eckig_->setCurrentIndex(e.eckig);
    masse_->setCurrentIndex(e.mitmasse ? 1 : 0);
    vorgabe_->setCurrentIndex(e.vorgabe);
    vorgabe2_->setCurrentIndex(e.vorgabe2);
    defindex_->setValue(e.defaultindex);
    ort_->setCurrentIndex(e.strangtypok);
    box1_->setText(e.box1);
    for (size_t k = 0; k < flags_.size(); ++k) flags_[k]->setChecked(e.*(flagListe[k].feld));
    const int32_t j[6] = {e.eina, e.einb, e.ausa, e.ausb, e.abza, e.abzb};
    for (size_t k = 0; k < joints_.size(); ++k) joints_[k]->setWert(j[k]);
    for (size_t k = 0; k < slots_.size(); ++k) {
        const tDatSlot& s = e.dat[k];
        slots_[k].eckig->setText(s.texteckig);
        slots_[k].einheit->setText(s.einheit);
        slots_[k].rund->setText(s.textrund);
        slots_[k].min->setValue(s.min);
        slots_[k].max->setValue(s.max);
        slots_[k].text->setChecked(s.text);
        slots_[k].stellen->setValue(s.nastellen);
    }
    formAnpassen();
    fsetzen_ = false;
}

tBasisDaten_ TBauteilForm_::felder() const {
    tBasisDaten_ e;
    e.typ = typ_->value();
    e.gruppe = 0;
    e.titel = titel_->text();
    e.bildnr = bild_->value();
    e.enden = abzweige_->value();
    e.eckig = eckig_->currentIndex();
    e.mitmasse = masse_->currentIndex() == 1;
    e.vorgabe = vorgabe_->currentIndex();
    e.vorgabe2 = vorgabe2_->currentIndex();
    e.defaultindex = defindex_->value();
    e.strangtypok = ort_->currentIndex();
    e.box1 = box1_->text();
    for (size_t k = 0; k < flags_.size(); ++k) e.*(flagListe[k].feld) = flags_[k]->isChecked();
    int32_t* j[6] = {&e.eina, &e.einb, &e.ausa, &e.ausb, &e.abza, &e.abzb};
    for (size_t k = 0; k < joints_.size(); ++k) {
        // An empty joint field is -1; a non-empty one is read as a whole number.
        const QString t = joints_[k]->text().trimmed();
        *j[k] = t.isEmpty() ? -1 : static_cast<int32_t>(joints_[k]->wert());
    }
    for (size_t k = 0; k < slots_.size(); ++k) {
        tDatSlot& s = e.dat[k];
        s.texteckig = slots_[k].eckig->text();
        s.einheit = slots_[k].einheit->text();
        s.textrund = slots_[k].rund->text();
        s.min = slots_[k].min->value();
        s.max = slots_[k].max->value();
        s.text = slots_[k].text->isChecked();
        s.nastellen = slots_[k].stellen->value();
    }
    return e;
}

void TBauteilForm_::updateClick() {
    tmylistitem* node = ausgewaehlt();
    if (!node) return;
    tmylistitem* neu = katalog_->update(node, felder(), *seam_);
    if (neu) {
        baum_->viewport()->update();
        baum_->setCurrentIndex(modell_->indexVon(neu));
        titelint_->setText(Bauteilkatalog::titelint(neu));
    }
}

void TBauteilForm_::loeschenClick() {
    katalog_->loeschen(ausgewaehlt());
}

bool TBauteilForm_::sichernClick() {
    QString fehler;
    if (katalog_ == &bauteilkatalog()) return katalogSichern(seam_.get(), &fehler);
    return false;
}

void TBauteilForm_::clearClick() {
    tBasisDaten_ e = felder();
    Bauteilkatalog::felderLeeren(e);
    felderZeigen(e);
}

} // namespace zephan
