#include "app/main_window.h"

#include "app/about_window.h"
#include "app/catalogue_editor.h"
#include "app/druck_fenster.h"
#include "app/icons.h"
#include "app/kopier_fenster.h"
#include "app/message_dialog.h"
#include "app/panel_store.h"
#include "app/problem_list.h"
#include "app/raum_fenster.h"
#include "app/raumband_fenster.h"
#include "app/schall2_fenster.h"
#include "app/schallvorgabe_fenster.h"
#include "app/settings_dialog.h"
#include "app/tree_columns.h"
#include "app/tree_delegate.h"
#include "app/ueberschreib_fenster.h"
#include "app/verlauf_fenster.h"
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
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
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

Tk_DVform::Tk_DVform(QWidget* parent, std::unique_ptr<FensterSeam> seam)
    : QMainWindow(parent), eigeneSeam_(seam ? std::move(seam) : std::make_unique<FensterSeam>()),
      seam_(*eigeneSeam_) {
    setObjectName(QStringLiteral("k_DVform"));
    seam_.setFenster(this);
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
            ini.ReadInteger(QStringLiteral("ProgrammDV"), QStringLiteral("TreeBreite"), 500));
        const int teiler = static_cast<int>(
            ini.ReadInteger(QStringLiteral("Settings"), QStringLiteral("Splitter"), breite));
        splitter_->setSizes({qMax(120, teiler), 700});
        const QList<int> spalten = spaltenLesen(ini);
        const int standard[] = {158, 68, 54, 40, 46, 42};
        for (int c = 0; c < modell_->columnCount(); ++c) {
            const int b = c < spalten.size() && spalten[c] >= 0 ? spalten[c] : standard[c];
            if (b == 0 && c > 0)
                baum_->header()->setSectionHidden(c, true);
            else
                baum_->header()->resizeSection(c, qMax(30, b));
        }
        formsize_load(this, ini);
    }

    savetimer_ = new QTimer(this);
    savetimer_->setInterval(AutoSave::intervallSekunden * 1000);
    connect(savetimer_, &QTimer::timeout, this, [this] { SavetimerTimer(); });

    // The other windows live as long as the main window.
    einstellform_ = new Tk_Einstellform(this);
    bauteilform_ = new TBauteilForm_(this);
    allsetform_ = new Tk_AllSetform(*session_, this);
    schallvorgabeform_ = new Tk_Schallvorgabeform(seam_, this);
    raumSpektrumform_ = new Tk_RaumBandform(RaumBandArt::Spektrum, seam_, this);
    nachhallzeitform_ = new Tk_RaumBandform(RaumBandArt::Nachhallzeit, seam_, this);
    raumform_ = new Tk_Raumform(*session_, this);
    connect(raumform_, &Tk_Raumform::raumGewaehlt, this,
            [this](tmylistitem* raum) { knotenAuswaehlen(raum); });
    connect(raumform_, &Tk_Raumform::geaendert, this, [this] {
        // The edit may have changed the selected node: its page shows the new value.
        pufferZeigen();
        zustandZeigen();
    });

    verlaufform_ = new Tk_DVVerlaufform(*session_, druck_, seam_, this);
    verlaufform_->berichtZeigen = [this] { berichtZeigen(); };
    kopierform_ = new Tk_Kopierform(*session_, seam_, this);
    connect(kopierform_, &Tk_Kopierform::kopiert, this, [this] { nachBefehl(); });
    schall2form_ = new Tk_schall2form(*session_, druck_, seam_, this);
    connect(schall2form_, &Tk_schall2form::berechnet, this, [this] { berichtZeigen(); });

    druckFenster_ = new TDruckFenster(druck_, seam_, this);
    seam_.setBerichtFenster(druckFenster_);
    seam_.vorMeldung = [this] { session_->auswahlFolgen(); };
    session_->projekt().setAutomatischSichern([] { return einstellungen().autoSave(); });
    initNode(session_->editDaten());

    // The window follows the session: whatever command, rule or calculation changed the
    // selection, the buffer, the changed mark or the undo history, the view shows it.
    connect(session_.get(), &EditSession::auswahlGeaendert, this, [this](tmylistitem* node) {
        if (fsetzen_) return;
        ansichtAuswahlFolgen();
        if (node) pufferZeigen();
        session_->pufferAlsGezeigt();
    });
    connect(session_.get(), &EditSession::pufferGeaendert, this, [this] {
        pufferZeigen();
        session_->pufferAlsGezeigt();
    });
    connect(session_.get(), &EditSession::zustandGeaendert, this, [this] {
        zustandZeigen();
        probleme_->aktualisieren(session_->baum());
    });
    connect(session_.get(), &EditSession::rechnungLaeuftGeaendert, this,
            [this](bool laeuft) { rechnungLaeuftZeigen(laeuft); });
    zustandZeigen();
}

void Tk_DVform::berichtZeigen() {
    // Reports are shown modally; the document stays until the next report clears it.
    savetimer_->stop();
    seam_.berichtZeigen(druck_);
    timerNachDialog();
}

void Tk_DVform::rechnungLaeuftZeigen(bool laeuft) {
    // Every command but the report's own waits for the calculation; the progress window's
    // "Abbrechen" stays the way out.
    centralWidget()->setEnabled(!laeuft);
    for (QAction* a : std::as_const(aktionen_)) {
        if (laeuft) {
            a->setProperty("vorRechnung", a->isEnabled());
            a->setEnabled(false);
        } else if (a->property("vorRechnung").isValid()) {
            a->setEnabled(a->property("vorRechnung").toBool());
            a->setProperty("vorRechnung", QVariant());
        }
    }
    if (!laeuft) zustandZeigen();
}

Tk_DVform::~Tk_DVform() {
    seam_.vorMeldung = nullptr;
    // The report window holds the report document and the seam, which go with this object
    // before Qt deletes the child windows: it goes first.
    delete druckFenster_;
    druckFenster_ = nullptr;
    // Hiding the window takes the focus from the field being edited, whose exit action would
    // then work on the session already gone: the fields stop talking to the window first.
    if (seiten_)
        for (QLineEdit* f : seiten_->findChildren<QLineEdit*>()) f->disconnect(this);
    // The model and the copy window listen to the session's tree: they go before the session.
    delete kopierform_;
    kopierform_ = nullptr;
    delete schall2form_;
    schall2form_ = nullptr;
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
    knopfleiste_ = leiste;
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
    auto* schallKnopf = new ShiftKnopf(QStringLiteral("&Schallnetzberechnung"), leiste);
    schallKnopf->setObjectName(QStringLiteral("SchallnetzBtn"));
    schallKnopf->setToolTip(
        QStringLiteral("Schallnetzberechnung (F10); mit Umschalt nur der ausgewählte Strang"));
    connect(schallKnopf, &QPushButton::clicked, this, [this, schallKnopf] {
        const bool shift = schallKnopf->shift;
        schallKnopf->shift = false;
        schallnetzMenu(shift);
    });
    ll->addWidget(schallKnopf);
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
    connect(knopf(QStringLiteral("&Grafik"), QStringLiteral("GrafikBtn"), true),
            &QPushButton::clicked, this, [this] { GrafikbtnClick(); });
    connect(knopf(QStringLiteral("&drucken"), QStringLiteral("DruckenBtn"), true),
            &QPushButton::clicked, this, [this] { druckenClick(); });
    QPushButton* such = knopf(QStringLiteral("Suchen"), QStringLiteral("SuchenBtn"), true);
    such->setToolTip(QStringLiteral("ausgewähltes Bauteil im Strang suchen (F3)"));
    connect(such, &QPushButton::clicked, this, [this] { suchen(); });
    bauteilKnopf_ = knopf(QStringLiteral("Bauteil"), QStringLiteral("BauteilBtn"), true);
    connect(bauteilKnopf_, &QPushButton::clicked, this, [this] { bauteilMenu(); });
    bauteilKnopf_->hide();
    // "&Aufmaß" is part of the bar but has no function: hidden for good.
    knopf(QStringLiteral("&Aufmaß"), QStringLiteral("AufmassBtn"), false)->hide();
    ll->addStretch();
    lay->addWidget(leiste);

    splitter_ = new QSplitter(Qt::Horizontal, zentrum);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    auto* links = new QWidget(splitter_);
    auto* linksLay = new QVBoxLayout(links);
    linksLay->setContentsMargins(0, 0, 0, 0);
    baum_ = new QTreeView(links);
    linksLay->addWidget(baum_, 1);
    baum_->setObjectName(QStringLiteral("Baum"));
    baum_->setUniformRowHeights(true);
    baum_->setItemDelegate(new BaumDelegate(baum_));
    modell_ = new BaumSpalten(session_->baum());
    baum_->setModel(modell_);
    // Each column but the tree itself can be hidden from the header's menu.
    QHeaderView* kopf = baum_->header();
    kopf->setStretchLastSection(false);
    kopf->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(kopf, &QHeaderView::customContextMenuRequested, this, [this, kopf](const QPoint& p) {
        QMenu menu(this);
        for (int c = 1; c < modell_->columnCount(); ++c) {
            QAction* a = menu.addAction(modell_->headerData(c, Qt::Horizontal).toString());
            a->setCheckable(true);
            a->setChecked(!kopf->isSectionHidden(c));
            connect(a, &QAction::toggled, kopf, [kopf, c](bool an) {
                kopf->setSectionHidden(c, !an);
                if (an && kopf->sectionSize(c) < 30) kopf->resizeSection(c, 70);
            });
        }
        menu.exec(kopf->mapToGlobal(p));
    });
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
    probleme_ = new ProblemListe(this);
    addDockWidget(Qt::BottomDockWidgetArea, probleme_);
    probleme_->hide();
    connect(probleme_, &ProblemListe::knotenGewaehlt, this,
            [this](tmylistitem* n) { knotenAuswaehlen(n); });
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
    // At the first start the window takes most of the screen; a stored size that fits wins.
    QSize groesse(1280, 860);
    if (QScreen* sc = QGuiApplication::primaryScreen())
        groesse = groesse.boundedTo(sc->availableGeometry().size() * 0.94);
    resize(groesse);
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
    neu(bearbeiten, QStringLiteral("Kopieren..."), [this] { Kopieren1Click(); });
    neu(bearbeiten, QStringLiteral("Komponenten überschreiben..."), [this] {
        Allesetzen1Click();
    })->setVisible(false);
    neu(bearbeiten, QStringLiteral("Raumübersicht..."), [this] { raumuebersichtMenu(); });
    bearbeiten->addSeparator();
    QAction* probleme = probleme_->toggleViewAction();
    probleme->setText(QStringLiteral("Probleme"));
    probleme->setObjectName(QStringLiteral("Probleme"));
    bearbeiten->addAction(probleme);

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
    neu(
        rechnen, QStringLiteral("Schallpegelberechnung für ausgewähltes Bauteil"),
        [this] { schallBauteilClick(); }, QKeySequence(Qt::Key_F9));
    neu(
        rechnen, QStringLiteral("Schallnetzberechnung"), [this] { schallnetzMenu(false); },
        QKeySequence(Qt::Key_F10));
    neu(
        rechnen, QStringLiteral("Schallpegelberechnung nur vom ausgewählten Strang"),
        [this] { schallnetzMenu(true); }, QKeySequence(Qt::Key_F11));
    rechnen->addSeparator();
    neu(rechnen, QStringLiteral("Zusammenfassung"), [this] { zusammenfassungMenu(); });
    neu(rechnen, QStringLiteral("Druck und Schall berechnen"), [this] { druckUndSchallMenu(); });
    QAction* schall = rechnen->addAction(QStringLiteral("Schall hinzufügen"));
    schall->setObjectName(schall->text());
    schall->setCheckable(true);
    aktionen_.insert(schall->text(), schall);
    neu(rechnen, QStringLiteral("für ein Bauteil zusammenstellen"),
        [this] { bauteilZusammenstellenMenu(); });
    rechnen->addSeparator();
    neu(rechnen, QStringLiteral("Schalldämpfung zwischen 2 Bauteilen..."), [this] {
        if (session_->baum().topitem()) schall2form_->zeigen();
    });
    neu(rechnen, QStringLiteral("Welcher Volumenstrom stellt sich ein..."),
        [this] { WelcherVbtnClick(); });
    neu(rechnen, QStringLiteral("Massenauszug"), [this] { massenauszugMenu(); });
    neu(rechnen, QStringLiteral("Massenauszug als CSV..."), [this] { massenauszugCsvMenu(); });

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    neu(
        hilfe, QStringLiteral("Anleitung"), [this] { anleitungMenu(); }, QKeySequence(Qt::Key_F1));
    neu(hilfe, QStringLiteral("Über"), [this] { ueberMenu(); });
}

QString Tk_DVform::statusText(int panel) const {
    if (panel < 0 || panel > 3) return QString();
    return panels_[static_cast<size_t>(panel)]->text();
}

bool Tk_DVform::eventFilter(QObject* o, QEvent* e) {
    // Ctrl + right click on the button bar reveals the hidden commands.
    if (e->type() == QEvent::MouseButtonPress && o == knopfleiste_) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton && m->modifiers().testFlag(Qt::ControlModifier)) {
            versteckteZeigen();
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void Tk_DVform::versteckteZeigen() {
    bauteilKnopf_->show();
    if (QAction* a = aktion(QStringLiteral("Komponenten überschreiben..."))) a->setVisible(true);
}

// --- changed mark, timer, caption ----------------------------------------------------------

void Tk_DVform::zustandZeigen() {
    if (session_->rechnungLaeuft()) return; // the commands wait for the calculation
    Projekt& p = session_->projekt();
    QString titel = QStringLiteral("%1 %2 - Luftkanalnetzberechnung")
                        .arg(programmName, QStringLiteral(ZEPHAN_VERSION_TEXT));
    if (!p.dateiname().isEmpty()) titel += QStringLiteral(" - ") + p.dateiname();
    if (p.nurLesen()) titel += QStringLiteral(" (schreibgeschützt)");
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
    QList<int> spalten;
    for (int c = 0; c < modell_->columnCount(); ++c)
        spalten << (baum_->header()->isSectionHidden(c) ? 0 : baum_->header()->sectionSize(c));
    spaltenSchreiben(ini, spalten);
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
    sperre_.freigeben();
    e->accept();
}

} // namespace zephan
