#include "app/settings_dialog.h"

#include "app/message_dialog.h"
#include "app/number_field.h"
#include "app/panel_store.h"
#include "network/settings.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/number_format.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zephan {
namespace {

QSpinBox* spin(QWidget* eltern, const QString& name, int min, int max) {
    auto* s = new QSpinBox(eltern);
    s->setObjectName(name);
    s->setRange(min, max);
    return s;
}

template <class T> T* benannt(T* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

} // namespace

Tk_Einstellform::Tk_Einstellform(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("k_Einstellform"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    auto* v = new QVBoxLayout(this);
    seiten_ = benannt(new QTabWidget(this), QStringLiteral("Seiten"));
    v->addWidget(seiten_);

    seiten_->addTab(auslegungSeite(), QStringLiteral("Auslegung und Vorgaben"));
    seiten_->addTab(schallSeite(), QStringLiteral("Schallpegelberechnung"));
    seiten_->addTab(sonstigesSeite(), QStringLiteral("Sonstiges"));
    // "Aufmaß" keeps its values but is never shown.
    seiten_->addTab(aufmassSeite(), QStringLiteral("Aufmaß"));
    seiten_->setTabVisible(3, false);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    benannt(knoepfe->button(QDialogButtonBox::Ok), QStringLiteral("OkBtn"));
    benannt(knoepfe->button(QDialogButtonBox::Cancel), QStringLiteral("AbbrechenBtn"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(knoepfe);
    zeigen();
}

// The page "Auslegung und Vorgaben".
QWidget* Tk_Einstellform::auslegungSeite() {
    auto* s1 = new QWidget;
    auto* g1 = new QGridLayout(s1);
    auto* masse = new QGroupBox(QStringLiteral("erlaubte (Vorschlag-) Maße"), s1);
    auto* gm = new QGridLayout(masse);
    const QString namen[2] = {QStringLiteral("Kanal"), QStringLiteral("Rohr")};
    for (int l = 0; l < 2; ++l) {
        gm->addWidget(new QLabel(namen[l] + QStringLiteral(" [mm]"), masse), 0, l);
        listen_[l] = benannt(new QListWidget(masse), namen[l] + QStringLiteral("Liste"));
        listen_[l]->setSelectionMode(QAbstractItemView::ExtendedSelection);
        gm->addWidget(listen_[l], 1, l);
        auto* hinzu = benannt(new QPushButton(QStringLiteral("Hinzufügen"), masse),
                              namen[l] + QStringLiteral("Hinzu"));
        auto* weg = benannt(new QPushButton(QStringLiteral("löschen"), masse),
                            namen[l] + QStringLiteral("Loeschen"));
        gm->addWidget(hinzu, 2, l);
        gm->addWidget(weg, 3, l);
        connect(hinzu, &QPushButton::clicked, this, [this, l] { massHinzufuegen(l); });
        connect(weg, &QPushButton::clicked, this, [this, l] { masseLoeschen(l); });
    }
    mass_ = benannt(new Zahlenfeld(0, masse), QStringLiteral("Mass"));
    gm->addWidget(new QLabel(QStringLiteral("Maß"), masse), 4, 0);
    gm->addWidget(mass_, 4, 1);
    g1->addWidget(masse, 0, 0, 3, 1);

    auto* auslegung = new QGroupBox(QStringLiteral("Auslegung nach"), s1);
    auto* ga = new QGridLayout(auslegung);
    nachSpeed_ = benannt(new QRadioButton(QStringLiteral("max. Geschwindigkeit [m/s]"), auslegung),
                         QStringLiteral("NachGeschwindigkeit"));
    nachGefaelle_ = benannt(new QRadioButton(QStringLiteral("Rohrreibungsgefälle"), auslegung),
                            QStringLiteral("NachGefaelle"));
    ga->addWidget(nachSpeed_, 0, 0, 1, 2);
    const QString speedText[3] = {QStringLiteral("Hauptkanal"), QStringLiteral("Verzweigung"),
                                  QStringLiteral("Abzweigkanal")};
    const QString speedName[3] = {QStringLiteral("SpeedHaupt"), QStringLiteral("SpeedVerz"),
                                  QStringLiteral("SpeedAbz")};
    for (int k = 0; k < 3; ++k) {
        ga->addWidget(new QLabel(speedText[k], auslegung), k + 1, 0);
        speed_[k] = spin(auslegung, speedName[k], 1, 20);
        ga->addWidget(speed_[k], k + 1, 1);
    }
    ga->addWidget(nachGefaelle_, 4, 0);
    paProM_ = benannt(new QLineEdit(auslegung), QStringLiteral("PaProM"));
    ga->addWidget(paProM_, 4, 1);
    ga->addWidget(new QLabel(QStringLiteral("[Pa/m]"), auslegung), 4, 2);
    g1->addWidget(auslegung, 0, 1);
    // The sizing rule takes effect at once for the readers.
    connect(nachGefaelle_, &QRadioButton::toggled, this,
            [](bool an) { einstellungen().setAuslegung(an ? 1 : 0); });

    auto* raum = new QGroupBox(QStringLiteral("Raumvorgabe"), s1);
    auto* fr = new QFormLayout(raum);
    nachhall_ = spin(raum, QStringLiteral("Nachhallzeit"), 0, 10000);
    abstand_ = spin(raum, QStringLiteral("Abstand"), 0, 100);
    raumdB_ = spin(raum, QStringLiteral("RaumdB"), 0, 90);
    fr->addRow(QStringLiteral("Nachhallzeit [msec]"), nachhall_);
    fr->addRow(QStringLiteral("kleinster Abstand [m]"), abstand_);
    fr->addRow(QStringLiteral("A-Schallpegel [dB]"), raumdB_);
    g1->addWidget(raum, 1, 1);

    auto* radien = new QGroupBox(QStringLiteral("Radiusvorgaben"), s1);
    radien->setToolTip(QStringLiteral("Verhältnis Radius zum hydraulischen Durchmesser"));
    auto* frr = new QFormLayout(radien);
    rohrRdh_ = benannt(new QLineEdit(radien), QStringLiteral("RohrRdh"));
    kanalRdh_ = benannt(new QLineEdit(radien), QStringLiteral("KanalRdh"));
    frr->addRow(QStringLiteral("Rohrbogen R/d"), rohrRdh_);
    frr->addRow(QStringLiteral("Kanalbogen R/dh"), kanalRdh_);
    g1->addWidget(radien, 2, 1);
    planen_ = benannt(new QCheckBox(QStringLiteral("Status planen für neue Bauteile"), s1),
                      QStringLiteral("ImmerPlanen"));
    g1->addWidget(planen_, 3, 0, 1, 2);
    return s1;
}

// The page "Schallpegelberechnung".
QWidget* Tk_Einstellform::schallSeite() {
    auto* s2 = new QWidget;
    auto* v2 = new QVBoxLayout(s2);
    auto* okt = new QGroupBox(QStringLiteral("Oktavfrequenzen Hz"), s2);
    auto* ho = new QHBoxLayout(okt);
    const char* hz[7] = {"63", "125", "250", "500", "1000", "2000", "4000"};
    for (int k = 0; k < 7; ++k) {
        baender_[k] =
            benannt(new QCheckBox(QLatin1String(hz[k]), okt), QStringLiteral("Band%1").arg(hz[k]));
        ho->addWidget(baender_[k]);
    }
    v2->addWidget(okt);
    v2->addWidget(new QLabel(QStringLiteral("Berechnungsmethode der Anlage"), s2));
    methode_ = benannt(new QComboBox(s2), QStringLiteral("Schallmethode"));
    methode_->addItems({QStringLiteral("VDI 2081 1983  (Aufstellung vom Raum zum Ventilator)"),
                        QStringLiteral("VDI 2081 Blatt 2, Mai 2005 (Aufstellung vom Ventilator "
                                       "zum Raum)")});
    v2->addWidget(methode_);
    auslass_ =
        benannt(new QCheckBox(QStringLiteral("zusätzlich Schallpegel am Auslass ausgeben"), s2),
                QStringLiteral("SchallAuslass"));
    v2->addWidget(auslass_);
    v2->addStretch();
    return s2;
}

// The page "Sonstiges".
QWidget* Tk_Einstellform::sonstigesSeite() {
    auto* s3 = new QWidget;
    auto* v3 = new QVBoxLayout(s3);
    auto* prog = new QGroupBox(QStringLiteral("Programm"), s3);
    auto* vp = new QVBoxLayout(prog);
    autoSave_ = benannt(new QCheckBox(QStringLiteral("automatisch alle 5 Minuten sichern"), prog),
                        QStringLiteral("AutoSave"));
    vp->addWidget(autoSave_);
    v3->addWidget(prog);
    auto* sonst = new QGroupBox(QStringLiteral("Sonstiges"), s3);
    auto* vs = new QVBoxLayout(sonst);
    unter_ = benannt(new QCheckBox(QStringLiteral("Bauteile dadrunter einfügen"), sonst),
                     QStringLiteral("BauteilUnter"));
    vs->addWidget(unter_);
    v3->addWidget(sonst);
    v3->addStretch();
    return s3;
}

// The page "Aufmaß": kept with its values, never shown.
QWidget* Tk_Einstellform::aufmassSeite() {
    auto* s4 = new QWidget;
    auto* f4 = new QFormLayout(s4);
    abweichung_ = spin(s4, QStringLiteral("Abweichung"), 0, 10);
    f4->addRow(QStringLiteral("Abweichung ±[mm]"), abweichung_);
    min1qm_ = benannt(new QComboBox(s4), QStringLiteral("Min1qm"));
    min1qm_->addItems({QStringLiteral("reale Fläche berechnen"),
                       QStringLiteral("Formstücke min. 1m² (DIN 18379)"),
                       QStringLiteral("alle Flächen mindestens 1m²")});
    f4->addRow(QStringLiteral("Berechnungsart"), min1qm_);
    vierkant_ = benannt(new QCheckBox(QStringLiteral("Vierkantrund extra aufführen"), s4),
                        QStringLiteral("Vierkantrund"));
    f4->addRow(vierkant_);
    sbmin_ = benannt(new QComboBox(s4), QStringLiteral("SBmin"));
    sbmin_->addItems({QStringLiteral("SB 20"), QStringLiteral("SB 30"), QStringLiteral("SB 40")});
    f4->addRow(QStringLiteral("Formstücke mindestens"), sbmin_);
    sb30_ = spin(s4, QStringLiteral("SB30ab"), 0, 100000);
    sb40_ = spin(s4, QStringLiteral("SB40ab"), 0, 100000);
    f4->addRow(QStringLiteral("SB 30 ab [mm]"), sb30_);
    f4->addRow(QStringLiteral("SB 40 ab [mm]"), sb40_);
    isolierung_ = benannt(new QListWidget(s4), QStringLiteral("Isolierung"));
    isolierung_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* iHinzu = new QAction(QStringLiteral("Hinzufügen"), isolierung_);
    auto* iWeg = new QAction(QStringLiteral("Entfernen"), isolierung_);
    isolierung_->addAction(iHinzu);
    isolierung_->addAction(iWeg);
    connect(iHinzu, &QAction::triggered, this, [this] { isolierungHinzufuegen(); });
    connect(iWeg, &QAction::triggered, this, [this] { delete isolierung_->currentItem(); });
    f4->addRow(QStringLiteral("Material, Stärke [mm]"), isolierung_);
    return s4;
}

void Tk_Einstellform::showEvent(QShowEvent* e) {
    vorher_ = einstellungen();
    formsize_load(this, einstellungenLesen());
    zeigen();
    QDialog::showEvent(e);
}

void Tk_Einstellform::listeZeigen(int l) {
    const QList<int>& m = einstellungen().masse(l == 0 ? MassListe::Kanal : MassListe::Rohr);
    listen_[l]->clear();
    for (int x : m) listen_[l]->addItem(QString::number(x));
}

void Tk_Einstellform::zeigen() {
    const Einstellungen& e = einstellungen();
    listeZeigen(0);
    listeZeigen(1);
    nachGefaelle_->setChecked(e.nachGefaelle());
    nachSpeed_->setChecked(!e.nachGefaelle());
    speed_[0]->setValue(e.speedHaupt());
    speed_[1]->setValue(e.speedVerz());
    speed_[2]->setValue(e.speedAbz());
    paProM_->setText(e.paProMText());
    nachhall_->setValue(e.nachhallzeit());
    abstand_->setValue(e.abstand());
    raumdB_->setValue(e.raumdB());
    rohrRdh_->setText(e.rohrRdhText());
    kanalRdh_->setText(e.kanalRdhText());
    planen_->setChecked(e.immerPlanen());
    for (int k = 0; k < 7; ++k) baender_[k]->setChecked(e.band(k));
    methode_->setCurrentIndex(e.schallmethode());
    auslass_->setChecked(e.schallAuslass());
    autoSave_->setChecked(e.autoSave());
    unter_->setChecked(e.bauteilUnter());
    abweichung_->setValue(e.abweichung());
    min1qm_->setCurrentIndex(e.min1qm());
    vierkant_->setChecked(e.vierkantrund());
    sbmin_->setCurrentIndex(e.sbmin());
    sb30_->setValue(e.sb30ab());
    sb40_->setValue(e.sb40ab());
    isolierung_->clear();
    for (const Isolierung& i : e.isolierung())
        isolierung_->addItem(Einstellungen::isolierungZeile(i));
}

void Tk_Einstellform::massHinzufuegen(int l) {
    const double w = mass_->wert();
    if (w <= 0) return;
    const int mm = static_cast<int>(w);
    if (mm < 10 || mm > 100000) return;
    const int pos =
        einstellungen().massHinzufuegen(l == 0 ? MassListe::Kanal : MassListe::Rohr, mm);
    listeZeigen(l);
    const QList<QListWidgetItem*> t = listen_[l]->findItems(QString::number(mm), Qt::MatchExactly);
    if (pos >= 0 && !t.isEmpty()) listen_[l]->setCurrentItem(t.front());
}

void Tk_Einstellform::masseLoeschen(int l) {
    QList<int> pos;
    for (QListWidgetItem* it : listen_[l]->selectedItems()) pos << listen_[l]->row(it);
    einstellungen().masseLoeschen(l == 0 ? MassListe::Kanal : MassListe::Rohr, pos);
    listeZeigen(l);
}

void Tk_Einstellform::isolierungHinzufuegen() {
    bool ok = false;
    const QString material = QInputDialog::getText(this, QStringLiteral("Material hinzufügen"),
                                                   QStringLiteral("Welches Material?"),
                                                   QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    const QString staerke = QInputDialog::getText(this, QStringLiteral("Material hinzufügen"),
                                                  QStringLiteral("Welches Stärke [mm]?"),
                                                  QLineEdit::Normal, QStringLiteral("40"), &ok);
    if (!ok) return;
    const int mm = leseGanzzahl(staerke);
    isolierung_->addItem(Einstellungen::isolierungZeile({material, mm < 0 ? 0 : mm}));
}

bool Tk_Einstellform::uebernehmen() {
    Einstellungen& e = einstellungen();
    e.setImmerPlanen(planen_->isChecked());
    e.setAuslegung(nachGefaelle_->isChecked() ? 1 : 0);
    e.setSpeedHaupt(speed_[0]->value());
    e.setSpeedVerz(speed_[1]->value());
    e.setSpeedAbz(speed_[2]->value());
    e.setPaProMText(paProM_->text());
    e.setNachhallzeit(nachhall_->value());
    e.setAbstand(abstand_->value());
    e.setRaumdB(raumdB_->value());
    e.setRohrRdhText(rohrRdh_->text());
    e.setKanalRdhText(kanalRdh_->text());
    for (int k = 0; k < 7; ++k) e.setBand(k, baender_[k]->isChecked());
    e.setSchallmethode(methode_->currentIndex());
    e.setSchallAuslass(auslass_->isChecked());
    e.setAutoSave(autoSave_->isChecked());
    e.setBauteilUnter(unter_->isChecked());
    e.setMin1qm(min1qm_->currentIndex());
    e.setVierkantrund(vierkant_->isChecked());
    e.setSbmin(sbmin_->currentIndex());
    e.setSb30ab(sb30_->value());
    e.setSb40ab(sb40_->value());
    QList<Isolierung> iso;
    for (int r = 0; r < isolierung_->count(); ++r)
        iso << Einstellungen::isolierungAusZeile(isolierung_->item(r)->text());
    e.setIsolierung(iso);
    QString fehler;
    if (!einstellungenSichern(&fehler)) {
        meldungsDialog(this, fehler, QStringLiteral("o"), UserSeam::Kind::Fehler);
        return false;
    }
    return true;
}

void Tk_Einstellform::done(int r) {
    {
        // The window position first: the settings are then written around it.
        TIniFile2 ini = einstellungenSchreiben();
        formsize_save(this, ini);
        ini.save();
    }
    if (r == QDialog::Accepted) {
        uebernehmen();
    } else {
        // "Abbrechen": also the sizes added or removed in the lists go back.
        einstellungen() = vorher_;
        zeigen();
    }
    QDialog::done(r);
}

} // namespace zephan
