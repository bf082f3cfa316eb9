#include "app/main_window.h"

#include "app/about_window.h"
#include "app/catalogue_editor.h"
#include "app/druck_fenster.h"
#include "app/icons.h"
#include "app/message_dialog.h"
#include "app/panel_store.h"
#include "app/settings_dialog.h"
#include "app/tree_delegate.h"
#include "editing/page_check.h"
#include "network/model_queries.h"
#include "network/network_tree.h"
#include "network/settings.h"
#include "network/tree_item_model.h"
#include "store/folders.h"
#include "store/ini_file.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zephan {

namespace {
const QString nochNicht = QStringLiteral("noch nicht verfügbar");
} // namespace

void ShiftKnopf::mousePressEvent(QMouseEvent* e) {
    shift = e->modifiers().testFlag(Qt::ShiftModifier);
    QPushButton::mousePressEvent(e);
}

void ShiftKnopf::keyPressEvent(QKeyEvent* e) {
    shift = e->modifiers().testFlag(Qt::ShiftModifier);
    QPushButton::keyPressEvent(e);
}

Tk_DVform::Tk_DVform(QWidget* parent) : QMainWindow(parent), seam_(this) {
    setObjectName(QStringLiteral("k_DVform"));
    session_ = std::make_unique<EditSession>(seam_);
    session_->baum().pfadZeichen = QLatin1Char('\\');
    druck_.seam = &seam_;
    setWindowTitle(QStringLiteral("Kanalnetz"));
    bauen();
    menuBauen();

    // Start-up, step 3: divider and tree width from the settings.
    {
        TIniFile2 ini = einstellungenLesen(&seam_);
        const int breite = static_cast<int>(
            ini.ReadInteger(QStringLiteral("ProgrammDV"), QStringLiteral("TreeBreite"), 320));
        const int teiler = static_cast<int>(
            ini.ReadInteger(QStringLiteral("Settings"), QStringLiteral("Splitter"), breite));
        splitter_->setSizes({qMax(120, teiler), 700});
        formsize_load(this, ini);
    }

    savetimer_ = new QTimer(this);
    savetimer_->setInterval(AutoSave::intervallSekunden * 1000);
    connect(savetimer_, &QTimer::timeout, this, [this] { SavetimerTimer(); });

    // The other windows live as long as the main window.
    einstellform_ = new Tk_Einstellform(this);
    bauteilform_ = new TBauteilForm_(this);

    druckFenster_ = new TDruckFenster(druck_, seam_, this);
    // Reports are shown modally; the document stays until the next report clears it.
    berichtZeigen = [this](TDruck&) {
        savetimer_->stop();
        druckFenster_->showmodal_();
        timerNachDialog();
    };
    dateiOeffnenFragen = [this](const QString& titel) {
        return QFileDialog::getOpenFileName(this, titel, QString(),
                                            QStringLiteral("Projekt (*.pro)"));
    };
    dateiSichernFragen = [this](const QString& titel) {
        return QFileDialog::getSaveFileName(this, titel, session_->projekt().dateiname(),
                                            QStringLiteral("Projekt (*.pro)"));
    };
    session_->projekt().setAutomatischSichern([] { return einstellungen().autoSave(); });
    initNode(session_->editDaten());
    zustandZeigen();
}

Tk_DVform::~Tk_DVform() {
    // The report window holds the report document and the seam, which go with this object
    // before Qt deletes the child windows: it goes first.
    delete druckFenster_;
    druckFenster_ = nullptr;
    // Hiding the window takes the focus from the field being edited, whose exit action would
    // then work on the session already gone: the fields stop talking to the window first.
    if (seiten_)
        for (QLineEdit* f : seiten_->findChildren<QLineEdit*>()) f->disconnect(this);
    // The model listens to the session's tree: it goes before the session.
    baum_->setModel(nullptr);
    delete modell_;
    modell_ = nullptr;
}

void Tk_DVform::bauen() {
    auto* zentrum = new QWidget(this);
    auto* lay = new QVBoxLayout(zentrum);
    lay->setContentsMargins(4, 4, 4, 4);

    // The button bar.
    auto* leiste = new QWidget(zentrum);
    leiste->setObjectName(QStringLiteral("Knopfleiste"));
    leiste->installEventFilter(this);
    auto* ll = new QHBoxLayout(leiste);
    ll->setContentsMargins(0, 0, 0, 0);
    druckverlustKnopf_ = new ShiftKnopf(QStringLiteral("Druck&verlustberechnung"), leiste);
    druckverlustKnopf_->setObjectName(QStringLiteral("DruckverlustBtn"));
    druckverlustKnopf_->setToolTip(
        QStringLiteral("Druckverlustberechnung (F7); mit Umschalt nur der ausgewählte Strang"));
    connect(druckverlustKnopf_, &QPushButton::clicked, this, [this] {
        const bool shift = druckverlustKnopf_->shift;
        druckverlustKnopf_->shift = false;
        druckverlustberechnung(shift);
    });
    ll->addWidget(druckverlustKnopf_);
    const auto knopf = [&](const QString& text, const QString& name, bool aktiv) {
        auto* b = new QPushButton(text, leiste);
        b->setObjectName(name);
        if (!aktiv) {
            b->setEnabled(false);
            b->setToolTip(nochNicht);
        }
        ll->addWidget(b);
        return b;
    };
    knopf(QStringLiteral("&Schallnetzberechnung"), QStringLiteral("SchallnetzBtn"), false);
    knopf(QStringLiteral("&Grafik"), QStringLiteral("GrafikBtn"), false);
    connect(knopf(QStringLiteral("&drucken"), QStringLiteral("DruckenBtn"), true),
            &QPushButton::clicked, this, [this] { druckenClick(); });
    QPushButton* such = knopf(QStringLiteral("Suchen"), QStringLiteral("SuchenBtn"), true);
    such->setToolTip(QStringLiteral("ausgewähltes Bauteil im Strang suchen (F3)"));
    connect(such, &QPushButton::clicked, this, [this] { suchen(); });
    QPushButton* bauteil = knopf(QStringLiteral("Bauteil"), QStringLiteral("BauteilBtn"), true);
    connect(bauteil, &QPushButton::clicked, this, [this] { bauteilMenu(); });
    bauteil->hide();
    // "&Aufmaß" is part of the bar but has no function: hidden for good.
    knopf(QStringLiteral("&Aufmaß"), QStringLiteral("AufmassBtn"), false)->hide();
    ll->addStretch();
    lay->addWidget(leiste);

    splitter_ = new QSplitter(Qt::Horizontal, zentrum);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    auto* links = new QWidget(splitter_);
    auto* linksLay = new QVBoxLayout(links);
    linksLay->setContentsMargins(0, 0, 0, 0);
    linksLay->addWidget(new QLabel(QStringLiteral("Aufbau"), links));
    baum_ = new QTreeView(links);
    linksLay->addWidget(baum_, 1);
    baum_->setObjectName(QStringLiteral("Baum"));
    baum_->setUniformRowHeights(true);
    baum_->setHeaderHidden(true);
    baum_->setItemDelegate(new BaumDelegate(baum_));
    modell_ = new BaumModell(session_->baum());
    baum_->setModel(modell_);
    connect(baum_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (fsetzen_) return;
                knotenAuswaehlen(BaumModell::knoten(i));
            });

    auto* rechts = new QWidget(splitter_);
    auto* rl = new QVBoxLayout(rechts);
    rl->setContentsMargins(0, 0, 0, 0);
    seiten_ = new QTabWidget(rechts);
    seiten_->setObjectName(QStringLiteral("Seiten"));
    seiten_->addTab(kanalSeiteBauen(), QStringLiteral("Kanal"));
    seiten_->addTab(rohrSeiteBauen(), QStringLiteral("Rohr"));
    seiten_->addTab(formSeiteBauen(), QStringLiteral("Formstück"));
    seiten_->addTab(strangSeiteBauen(), QStringLiteral("Strang"));
    seiten_->addTab(projektSeiteBauen(), QStringLiteral("Projekt"));
    connect(seiten_, &QTabWidget::currentChanged, this, [this](int s) {
        if (!fsetzen_) seiteGewaehlt(s);
    });
    rl->addWidget(seiten_, 1);
    rl->addWidget(fussBauen());
    splitter_->addWidget(links);
    splitter_->addWidget(rechts);
    splitter_->setStretchFactor(1, 1);
    lay->addWidget(splitter_, 1);
    setCentralWidget(zentrum);

    // Four panels: position, component, volume flow (right-aligned), message.
    const int breiten[4] = {100, 200, 120, 402};
    for (int k = 0; k < 4; ++k) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("Panel%1").arg(k));
        l->setMinimumWidth(breiten[k]);
        if (k == 2) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        statusBar()->addWidget(l, k == 3 ? 1 : 0);
        panels_[static_cast<size_t>(k)] = l;
    }
    seam_.setPanels(panels_);
    setWindowIcon(programmIcon());
    resize(1100, 720);
}

QAction* Tk_DVform::aktion(const QString& name) const {
    return aktionen_.value(name, nullptr);
}

void Tk_DVform::menuBauen() {
    const auto neu = [this](QMenu* m, const QString& text, auto f, const QKeySequence& taste = {}) {
        QAction* a = m->addAction(text);
        a->setObjectName(text);
        if (!taste.isEmpty()) a->setShortcut(taste);
        connect(a, &QAction::triggered, this, f);
        aktionen_.insert(text, a);
        return a;
    };
    const auto spaeter = [this](QMenu* m, const QString& text, const QKeySequence& taste = {}) {
        QAction* a = m->addAction(text);
        a->setObjectName(text);
        if (!taste.isEmpty()) a->setShortcut(taste);
        a->setEnabled(false);
        a->setToolTip(nochNicht);
        a->setStatusTip(nochNicht);
        aktionen_.insert(text, a);
        return a;
    };

    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setToolTipsVisible(true);
    neu(datei, QStringLiteral("Neu..."), [this] { neuMenu(); });
    neu(datei, QStringLiteral("Laden..."), [this] { ladenMenu(); });
    neu(datei, QStringLiteral("Hinzufügen..."), [this] { hinzufuegenMenu(); });
    neu(
        datei, QStringLiteral("Sichern"), [this] { sichernMenu(); }, QKeySequence::Save);
    neu(datei, QStringLiteral("Sichern als ..."), [this] { sichernAlsMenu(); });
    datei->addSeparator();
    neu(datei, QStringLiteral("Einstellungen..."), [this] { einstellungenMenu(); });
    datei->addSeparator();
    neu(
        datei, QStringLiteral("Ende"), [this] { close(); }, QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setToolTipsVisible(true);
    neu(
        bearbeiten, QStringLiteral("Rückgängig"), [this] { rueckgaengig(); },
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    neu(
        bearbeiten, QStringLiteral("Wiederholen"), [this] { wiederholen(); },
        QKeySequence(Qt::CTRL | Qt::Key_Y));
    bearbeiten->addSeparator();
    neu(
        bearbeiten, QStringLiteral("ausgewähltes Bauteil im Strang suchen"), [this] { suchen(); },
        QKeySequence(Qt::Key_F3));
    spaeter(bearbeiten, QStringLiteral("Kopieren..."));
    spaeter(bearbeiten, QStringLiteral("Komponenten überschreiben..."))->setVisible(false);
    spaeter(bearbeiten, QStringLiteral("Raumübersicht..."));

    QMenu* rechnen = menuBar()->addMenu(QStringLiteral("B&erechnen"));
    rechnen->setToolTipsVisible(true);
    neu(rechnen, QStringLiteral("Strangverlauf"), [this] { strangverlaufMenu(); });
    neu(
        rechnen, QStringLiteral("Druckverlustberechnung"),
        [this] { druckverlustberechnung(false); }, QKeySequence(Qt::Key_F7));
    neu(
        rechnen, QStringLiteral("Druckverlustberechnung nur vom ausgewählten Strang"),
        [this] { druckverlustberechnung(true); }, QKeySequence(Qt::Key_F8));
    rechnen->addSeparator();
    spaeter(rechnen, QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil"),
            QKeySequence(Qt::Key_F9));
    spaeter(rechnen, QStringLiteral("Schallnetzberechnung"), QKeySequence(Qt::Key_F10));
    spaeter(rechnen, QStringLiteral("Schallpegelberechnung nur vom ausgewählten Strang"),
            QKeySequence(Qt::Key_F11));
    rechnen->addSeparator();
    neu(rechnen, QStringLiteral("Zusammenfassung"), [this] { zusammenfassungMenu(); });
    spaeter(rechnen, QStringLiteral("Druck und Schall berechnen"));
    QAction* schall = rechnen->addAction(QStringLiteral("Schall hinzufügen"));
    schall->setObjectName(schall->text());
    schall->setCheckable(true);
    aktionen_.insert(schall->text(), schall);
    neu(rechnen, QStringLiteral("für ein Bauteil zusammenstellen"),
        [this] { bauteilZusammenstellenMenu(); });
    rechnen->addSeparator();
    spaeter(rechnen, QStringLiteral("Schalldämpfung zwischen 2 Bauteilen..."));
    spaeter(rechnen, QStringLiteral("Welcher Volumenstrom stellt sich ein..."));
    spaeter(rechnen, QStringLiteral("Massenauszug"));

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    neu(hilfe, QStringLiteral("Über"), [this] { ueberMenu(); });
}

QString Tk_DVform::statusText(int panel) const {
    if (panel < 0 || panel > 3) return QString();
    return panels_[static_cast<size_t>(panel)]->text();
}

bool Tk_DVform::eventFilter(QObject* o, QEvent* e) {
    // Ctrl + right click on the button bar reveals the hidden commands.
    if (e->type() == QEvent::MouseButtonPress && o->objectName() == QLatin1String("Knopfleiste")) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton && m->modifiers().testFlag(Qt::ControlModifier)) {
            versteckteZeigen();
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void Tk_DVform::versteckteZeigen() {
    if (auto* b = findChild<QPushButton*>(QStringLiteral("BauteilBtn"))) b->show();
    if (QAction* a = aktion(QStringLiteral("Komponenten überschreiben..."))) a->setVisible(true);
}

// --- changed mark, timer, caption ----------------------------------------------------------

void Tk_DVform::zustandZeigen() {
    Projekt& p = session_->projekt();
    QString titel = QStringLiteral("%1 %2 - Luftkanalnetzberechnung")
                        .arg(programmName, QStringLiteral(ZEPHAN_VERSION_TEXT));
    if (!p.dateiname().isEmpty()) titel += QStringLiteral(" - ") + p.dateiname();
    if (p.geaendert()) titel += QStringLiteral(" *");
    setWindowTitle(titel);
    if (QAction* a = aktion(QStringLiteral("Sichern"))) {
        a->setText(p.autoSave().menuText());
        a->setEnabled(p.autoSave().menuAktiv(p.geaendert()));
    }
    if (QAction* a = aktion(QStringLiteral("Rückgängig")))
        a->setEnabled(session_->kannRueckgaengig());
    if (QAction* a = aktion(QStringLiteral("Wiederholen")))
        a->setEnabled(session_->kannWiederholen());
    // The window's timer follows the project's countdown.
    if (savetimer_) {
        if (p.autoSave().laeuft() && !savetimer_->isActive()) savetimer_->start();
        if (!p.autoSave().laeuft() && savetimer_->isActive()) savetimer_->stop();
    }
}

void Tk_DVform::SavetimerTimer() {
    session_->autoSaveTick();
    zustandZeigen();
}

void Tk_DVform::timerNachDialog() {
    // After a dialog the countdown starts afresh when there is something to save.
    Projekt& p = session_->projekt();
    p.autoSave().neuStarten();
    if (p.geaendert() && einstellungen().autoSave())
        p.autoSave().start();
    else
        p.autoSave().stop();
    zustandZeigen();
}

bool Tk_DVform::veraendertFragen() {
    if (!session_->geaendert()) return true;
    const int a = seam_.frage(QStringLiteral("Das Projekt wurde verändert."),
                              QStringLiteral("speichern|nicht speichern|A"));
    if (a == 0) return sichernMenu();
    return a == 1;
}

void Tk_DVform::fensterEinstellungenSichern() {
    TIniFile2 ini = einstellungenSchreiben(&seam_);
    ini.WriteInteger(QStringLiteral("ProgrammDV"), QStringLiteral("TreeBreite"), baum_->width());
    ini.WriteString(QStringLiteral("ProgrammDV"), QStringLiteral("Lastpro"),
                    session_->projekt().dateiname());
    const QList<int> s = splitter_->sizes();
    ini.WriteInteger(QStringLiteral("Settings"), QStringLiteral("Splitter"),
                     s.isEmpty() ? 0 : s.front());
    formsize_save(this, ini);
    ini.save();
}

void Tk_DVform::closeEvent(QCloseEvent* e) {
    if (!veraendertFragen()) {
        e->ignore();
        return;
    }
    fensterEinstellungenSichern();
    savetimer_->stop();
    e->accept();
}

} // namespace zephan
