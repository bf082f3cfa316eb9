#include "app/druck_fenster.h"

#include "app/desktop.h"
#include "app/druck_dateien.h"
#include "app/druck_demo.h"
#include "app/druck_dialoge.h"
#include "app/druck_fortschritt.h"
#include "app/pdf_mail.h"
#include "app/seiten_vorschau.h"
#include "render/page_cache.h"
#include "render/pdf_output.h"
#include "report/report_document.h"
#include "store/folders.h"
#include "store/ini_file.h"
#include "store/user_seam.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zephan {

namespace {
// The printable area of a printer on its paper, in 0.1 mm and portrait.
QRect druckbereichVon(const QPrinter& p) {
    QPageLayout l = p.pageLayout();
    l.setOrientation(QPageLayout::Portrait);
    const QRectF r = l.paintRect(QPageLayout::Millimeter);
    return QRect(qRound(r.x() * 10), qRound(r.y() * 10), qRound(r.width() * 10),
                 qRound(r.height() * 10));
}
} // namespace

TDruckFenster::TDruckFenster(TDruck& doc, UserSeam& seam, QWidget* parent)
    : QDialog(parent), doc_(doc), seam_(seam), printer_(QPrinter::HighResolution) {
    eigeneDialoge_ = std::make_unique<TDruckDialoge>();
    eigenerDesktop_ = std::make_unique<TSystemDesktop>();
    dialoge_ = eigeneDialoge_.get();
    desktop_ = eigenerDesktop_.get();
    setObjectName(QStringLiteral("Druckvorschau"));
    printer_.setDocName(programmKennung());
    fortschritt_ = new TDruckFortschritt(this);
    fortschrittSeam_ = std::make_unique<TFortschrittSeam>(seam_, *fortschritt_);
    aufbauen();
    setWindowTitle(titel());
    groesseAnpassen();
}

void TDruckFenster::groesseAnpassen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    setGeometry(druckFensterGeometrie(QSize(e_.breite, e_.hoehe), s->availableGeometry()));
}

TDruckFenster::~TDruckFenster() = default;

void TDruckFenster::setDialoge(TDruckDialoge* d) {
    dialoge_ = d ? d : eigeneDialoge_.get();
}

void TDruckFenster::setDesktop(TDesktop* d) {
    desktop_ = d ? d : eigenerDesktop_.get();
}

QString TDruckFenster::titel() const {
    QString t = programmKennung() + QStringLiteral(" - Luftkanalnetzberechnung - Druckvorschau");
    if (!doc_.anBetreff.isEmpty()) t += QStringLiteral("  ") + doc_.anBetreff;
    return t;
}

void TDruckFenster::aufbauen() {
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    leiste_ = new QToolBar(this);
    haupt->addWidget(leiste_);

    auto knopf = [&](const char* name, const QString& text, const QString& hinweis, auto slot) {
        auto* b = new QToolButton(leiste_);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hinweis);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(b, &QToolButton::clicked, this, slot);
        leiste_->addWidget(b);
        return b;
    };
    menubtn_ = new QToolButton(leiste_);
    menubtn_->setObjectName(QStringLiteral("menubtn"));
    menubtn_->setText(QStringLiteral("&Menü"));
    menubtn_->setPopupMode(QToolButton::InstantPopup);
    leiste_->addWidget(menubtn_);
    druckenbtn_ = knopf("Druckenbtn", QStringLiteral("&drucken"),
                        QStringLiteral("Seiten drucken..."), &TDruckFenster::drucken);
    faxbtn_ = knopf("faxbtn", QStringLiteral("Fax"), QStringLiteral("Seiten faxen..."),
                    &TDruckFenster::drucken);
    faxbtn_->setVisible(false);
    leiste_->actions().last()->setVisible(false); // canFax is never set
    mailbtn_ = knopf("mailbtn", QStringLiteral("E-Mail"),
                     QStringLiteral("Seiten als PDF-Mail verschicken..."), &TDruckFenster::mailen);
    pdfbtn_ = knopf("SavePDFButton", QStringLiteral("PDF"),
                    QStringLiteral("Seiten als PDF-Datei sichern..."), &TDruckFenster::pdfSichern);
    leiste_->addSeparator();
    zurueckbtn_ = knopf("PageBackbtn", QStringLiteral("◀"), QStringLiteral("Zurück"),
                        [this] { setSeite(aktuelleSeite() - 1); });
    vorbtn_ = knopf("PageVorbtn", QStringLiteral("▶"), QStringLiteral("Vor"),
                    [this] { setSeite(aktuelleSeite() + 1); });
    leiste_->addSeparator();
    zoomInbtn_ = knopf("Zoominbtn", QStringLiteral("+"), QStringLiteral("vergrößern"),
                       [this] { vorschau_->zoomIn(); });
    zoomOutbtn_ = knopf("ZoomOutBtn", QStringLiteral("−"), QStringLiteral("verkleinern"),
                        [this] { vorschau_->zoomOut(); });
    zoom100btn_ = knopf("zoomOriginalbtn", QStringLiteral("100 %"), QStringLiteral("100 %"),
                        [this] { vorschau_->setZoom(100); });
    zoomHoehebtn_ = knopf("zoomHeightbtn", QStringLiteral("Höhe"), QStringLiteral("Seitenhöhe"),
                          [this] { vorschau_->setZoomArt(TSeitenVorschau::hoehe); });
    zoomBreitebtn_ = knopf("zoomWidthbtn", QStringLiteral("Breite"), QStringLiteral("Seitenbreite"),
                           [this] { vorschau_->setZoomArt(TSeitenVorschau::breite); });
    zoomGanzbtn_ = knopf("zoomFitbtn", QStringLiteral("Seite"), QStringLiteral("ganze Seite"),
                         [this] { vorschau_->setZoomArt(TSeitenVorschau::ganzeSeite); });
    leiste_->addSeparator();
    previewchk_ = new QCheckBox(QStringLiteral("Preview"), leiste_);
    previewchk_->setObjectName(QStringLiteral("Previewchk"));
    previewchk_->setChecked(true);
    connect(previewchk_, &QCheckBox::toggled, this, &TDruckFenster::setVorschau);
    leiste_->addWidget(previewchk_);

    auto* menu = new QMenu(menubtn_);
    menu->addAction(QStringLiteral("Drucker einrichten..."), this,
                    &TDruckFenster::druckerEinrichten);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Datei laden..."), this, &TDruckFenster::dateiLaden);
    menu->addAction(QStringLiteral("Datei sichern..."), this, &TDruckFenster::dateiSichern);
    menu->addSeparator();
    auto schalter = [&](const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setCheckable(true);
        connect(a, &QAction::toggled, this, slot);
        return a;
    };
    autoOpenAct_ = schalter(QStringLiteral("PDF Datei nach Erstellung anzeigen"),
                            [this](bool an) { e_.autoOpen = an; });
    farbigAct_ =
        schalter(QStringLiteral("Ansicht und Druck farbig"), [this](bool an) { setFarbig(an); });
    grenzenAct_ = schalter(QStringLiteral("Druckgrenzen anzeigen"), [this](bool an) {
        e_.druckgrenze = an;
        vorschau_->setDruckbereichZeigen(an);
    });
    menu->addAction(QStringLiteral("Sonderzeichen anzeigen"), this, &TDruckFenster::sonderzeichen);
    grossAct_ = schalter(QStringLiteral("große Symbole"), [this](bool an) {
        e_.bigIcons = an;
        symbolGroesse();
    });
    mehrfachAct_ =
        schalter(QStringLiteral("bei Ausdruck von mehreren Exemplaren interne Routine verwenden"),
                 [this](bool an) { e_.mehrfachIntern = an; });
    menubtn_->setMenu(menu);

    stapel_ = new QStackedWidget(this);
    auto* teiler = new QSplitter(Qt::Horizontal, stapel_);
    miniaturListe_ = new QListView(teiler);
    miniaturListe_->setObjectName(QStringLiteral("Miniaturen"));
    miniaturListe_->setViewMode(QListView::IconMode);
    miniaturListe_->setFlow(QListView::TopToBottom);
    miniaturListe_->setWrapping(false);
    miniaturListe_->setMovement(QListView::Static);
    miniaturListe_->setUniformItemSizes(true);
    miniaturListe_->setIconSize(QSize(TMiniaturen::breitePx, TMiniaturen::breitePx));
    miniaturListe_->setSpacing(4);
    miniaturListe_->setFixedWidth(TMiniaturen::breitePx + 40);
    miniaturen_ = new TMiniaturen;
    miniaturen_->setParent(this);
    miniaturListe_->setModel(miniaturen_);
    vorschau_ = new TSeitenVorschau(teiler);
    vorschau_->setObjectName(QStringLiteral("Vorschau"));
    teiler->addWidget(miniaturListe_);
    teiler->addWidget(vorschau_);
    teiler->setStretchFactor(0, 0);
    teiler->setStretchFactor(1, 1);
    // The thumbnails take only their own width; the rest is the page's.
    teiler->setSizes({TMiniaturen::breitePx + 40, 100000});
    stapel_->addWidget(teiler);
    rohtext_ = new QPlainTextEdit(stapel_);
    rohtext_->setObjectName(QStringLiteral("Rohtext"));
    rohtext_->setReadOnly(true);
    rohtext_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rohtext_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    QFont mono(SchriftMetrik::familie(QStringLiteral("Courier New")));
    mono.setPointSize(10);
    rohtext_->setFont(mono);
    stapel_->addWidget(rohtext_);
    haupt->addWidget(stapel_, 1);

    // Page and zoom in a status line of their own: a narrow window may fold the tool bar, but
    // these stay in view, with room between them.
    auto* status = new QWidget(this);
    status->setObjectName(QStringLiteral("Statuszeile"));
    auto* statusZeile = new QHBoxLayout(status);
    statusZeile->setContentsMargins(8, 2, 8, 2);
    statusZeile->setSpacing(0);
    labelSeite_ = new QLabel(status);
    labelSeite_->setObjectName(QStringLiteral("Labelseite"));
    labelSeite_->setContentsMargins(0, 0, 12, 0);
    auto* trenner = new QFrame(status);
    trenner->setFrameShape(QFrame::VLine);
    trenner->setFrameShadow(QFrame::Sunken);
    labelZoom_ = new QLabel(status);
    labelZoom_->setObjectName(QStringLiteral("labelzoom"));
    labelZoom_->setContentsMargins(12, 0, 0, 0);
    statusZeile->addWidget(labelSeite_);
    statusZeile->addWidget(trenner);
    statusZeile->addWidget(labelZoom_);
    statusZeile->addStretch(1);
    haupt->addWidget(status);

    vorschau_->geaendert = [this] { anzeigen(); };
    connect(miniaturListe_, &QListView::clicked, this,
            [this](const QModelIndex& i) { setSeite(i.row()); });
    symbolGroesse();
    anzeigen();
}

void TDruckFenster::symbolGroesse() {
    // "große Symbole": a taller tool bar with taller buttons.
    const bool gross = e_.bigIcons;
    leiste_->setFixedHeight(gross ? 50 : 36);
    for (QToolButton* b : leiste_->findChildren<QToolButton*>())
        b->setMinimumHeight(gross ? 40 : 30);
    QFont f = leiste_->font();
    f.setPointSize(gross ? 11 : 9);
    leiste_->setFont(f);
}

bool TDruckFenster::vorschauAktiv() const {
    return stapel_->currentIndex() == 0;
}

int TDruckFenster::aktuelleSeite() const {
    return vorschau_->seite();
}

void TDruckFenster::setSeite(int s) {
    vorschau_->setSeite(s);
}

int TDruckFenster::AnzahlSeiten() const {
    return speicher_ ? speicher_->anzahl() : 0;
}

void TDruckFenster::anzeigen() {
    const int n = AnzahlSeiten();
    const int s = vorschau_->seite();
    labelSeite_->setText(QStringLiteral("Seite %1/%2").arg(s + 1).arg(n));
    labelZoom_->setText(QStringLiteral("Zoom: %1%").arg(vorschau_->zoom()));
    const bool bereit = vorschauAktiv() && !ausgeben_ && n > 0;
    zurueckbtn_->setEnabled(bereit && s > 0);
    vorbtn_->setEnabled(bereit && s + 1 < n);
    zoomInbtn_->setEnabled(bereit && vorschau_->zoom() < TSeitenVorschau::zoomMax);
    zoomOutbtn_->setEnabled(bereit && vorschau_->zoom() > TSeitenVorschau::zoomMin);
    for (QToolButton* b :
         {druckenbtn_, mailbtn_, pdfbtn_, zoom100btn_, zoomHoehebtn_, zoomBreitebtn_, zoomGanzbtn_})
        b->setEnabled(bereit);
    if (s >= 0 && s < miniaturen_->rowCount())
        miniaturListe_->setCurrentIndex(miniaturen_->index(s, 0));
    lastseite_ = s;
}

void TDruckFenster::einstellungenLesen() {
    TIniFile2 ini = zephan::einstellungenLesen(&seam_);
    e_.lesen(ini);
    const QSignalBlocker b1(autoOpenAct_), b2(farbigAct_), b3(grenzenAct_), b4(grossAct_),
        b5(mehrfachAct_);
    autoOpenAct_->setChecked(e_.autoOpen);
    farbigAct_->setChecked(!e_.diaSW);
    grenzenAct_->setChecked(e_.druckgrenze);
    grossAct_->setChecked(e_.bigIcons);
    mehrfachAct_->setChecked(e_.mehrfachIntern);
    symbolGroesse();
    vorschau_->setDruckbereichZeigen(e_.druckgrenze);
    if (e_.zoomState == 0)
        vorschau_->setZoom(qRound(e_.zoom * 100));
    else
        vorschau_->setZoomArt(static_cast<TSeitenVorschau::ZoomArt>(e_.zoomState));
}

void TDruckFenster::einstellungenSchreiben() {
    e_.zoomState = vorschau_->zoomArt();
    if (e_.zoomState == 0) e_.zoom = vorschau_->zoom() / 100.0;
    e_.breite = width();
    e_.hoehe = height();
    TIniFile2 ini = zephan::einstellungenSchreiben(&seam_);
    e_.schreiben(ini);
    ini.save();
}

void TDruckFenster::druckbereichSetzen() {
    vorschau_->setDruckbereich(dialoge_->druckerVorhanden() ? druckbereichVon(printer_) : QRect());
}

void TDruckFenster::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    doc_.sichern();
    setWindowTitle(titel());
    lastseite_ = -1;
    einstellungenLesen();
    groesseAnpassen();
    previewchk_->setChecked(true);
    druckbereichSetzen();
    SeiteAufbauen();
    // A free zoom kept from an earlier report that would cut the page off at the sides gives
    // way to the page width.
    if (vorschau_->zoomArt() == TSeitenVorschau::frei && AnzahlSeiten() > 0) {
        const double pxProZehntel = vorschau_->logicalDpiX() / 254.0;
        const double seite = layout_->seiten()[0].druckb * pxProZehntel * vorschau_->zoom() / 100;
        if (seite + 24 > vorschau_->viewport()->width())
            vorschau_->setZoomArt(TSeitenVorschau::breite);
    }
}

void TDruckFenster::done(int r) {
    if (isVisible()) einstellungenSchreiben();
    vorschau_->setSeiten(nullptr);
    miniaturen_->setSeiten(nullptr);
    speicher_.reset();
    layout_.reset();
    QDialog::done(r);
}

int TDruckFenster::showmodal_() {
    return exec();
}

void TDruckFenster::SeiteAufbauen() {
    if (ausgeben_) return;
    ausgeben_ = true;
    const int vorher = std::max(0, vorschau_->seite());
    vorschau_->setSeiten(nullptr);
    miniaturen_->setSeiten(nullptr);
    speicher_.reset();
    layout_.reset();

    TLayoutEinstellungen e;
    // The paper of the printer; A4 without one.
    if (dialoge_->druckerVorhanden()) {
        const QSizeF mm = printer_.pageLayout().pageSize().size(QPageSize::Millimeter);
        if (mm.width() > 10 && mm.height() > 10) {
            e.papierBreite = qRound(std::min(mm.width(), mm.height()) * 10);
            e.papierHoehe = qRound(std::max(mm.width(), mm.height()) * 10);
        }
    }
    e.grau = e_.diaSW;
    // Messages of the markup come up with the progress window out of their way.
    e.seam = fortschrittSeam_.get();
    layout_ = std::make_unique<TDruckLayout>(doc_, e);
    {
        // Only the page breaks are decided here; pages are drawn when they are shown. A
        // cancelled or failing run keeps the pages measured so far.
        const TFortschrittLauf lauf(*fortschritt_, QStringLiteral("Ausrichtung der Daten..."),
                                    static_cast<int>(doc_.mbackup.size()));
        layout_->setFortschritt(
            [this](const QString& t, int f, int g) { return fortschritt_->weiter(f, g, t); });
        layout_->messen();
        layout_->setFortschritt({});
    }
    speicher_ = std::make_unique<TSeitenSpeicher>(*layout_);
    vorschau_->setSeiten(speicher_.get());
    miniaturen_->setSeiten(speicher_.get());
    vorschau_->setSeite(std::min(vorher, AnzahlSeiten() - 1));
    // The markup view is filled when it is shown.
    rohtext_->clear();
    ausgeben_ = false;
    anzeigen();
}

void TDruckFenster::setVorschau(bool an) {
    if (previewchk_->isChecked() != an) {
        previewchk_->setChecked(an); // comes back here through the signal
        return;
    }
    if (an) {
        stapel_->setCurrentIndex(0);
        SeiteAufbauen();
    } else {
        rohtext_->setPlainText(doc_.m.join(QLatin1Char('\n')));
        stapel_->setCurrentIndex(1);
        rohtext_->setFocus();
    }
    anzeigen();
}

void TDruckFenster::setFarbig(bool farbig) {
    if (farbigAct_->isChecked() != farbig) {
        farbigAct_->setChecked(farbig);
        return;
    }
    e_.diaSW = !farbig;
    SeiteAufbauen();
}

void TDruckFenster::keyPressEvent(QKeyEvent* e) {
    if (!vorschauAktiv()) {
        // The raw view keeps its keys; Esc does not close from there.
        if (e->key() == Qt::Key_Escape) return;
        QDialog::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Escape:
        reject();
        return;
    case Qt::Key_Plus:
        if (zoomInbtn_->isEnabled()) vorschau_->zoomIn();
        return;
    case Qt::Key_Minus:
        if (zoomOutbtn_->isEnabled()) vorschau_->zoomOut();
        return;
    case Qt::Key_Home:
        setSeite(0);
        return;
    case Qt::Key_End:
        setSeite(AnzahlSeiten() - 1);
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

void TDruckFenster::melden(const QString& text, bool fehler) {
    seam_.meldung(text, fehler ? UserSeam::Kind::Fehler : UserSeam::Kind::Information);
}

void TDruckFenster::drucken() {
    if (!dialoge_->druckerVorhanden()) {
        melden(QStringLiteral("Auf diesem PC ist bisher kein Drucker verfügbar."), false);
        return;
    }
    if (!vorschauAktiv() || ausgeben_ || AnzahlSeiten() == 0) return;
    const int n = AnzahlSeiten();
    printer_.setCopyCount(1);
    printer_.setCollateCopies(true);
    printer_.setPrintRange(QPrinter::AllPages);
    printer_.setFromTo(1, n);
    if (!dialoge_->druckDialog(this, printer_, n, aktuelleSeite())) return;
    int von = 1, bis = n;
    if (printer_.printRange() == QPrinter::PageRange) {
        von = std::max(1, printer_.fromPage());
        bis = printer_.toPage() > 0 ? std::min(n, printer_.toPage()) : n;
    } else if (printer_.printRange() == QPrinter::CurrentPage) {
        von = bis = aktuelleSeite() + 1;
    }
    const int kopien = std::max(1, printer_.copyCount());
    int durchlaeufe = 1;
    if (e_.mehrfachIntern) {
        // The copies are made here, page range after page range; the driver prints one.
        durchlaeufe = kopien;
        printer_.setCopyCount(1);
    }
    printer_.setDocName(programmKennung());
    const bool ok = seitenDrucken(printer_, von, bis, durchlaeufe);
    doc_.setGedruckt(ok);
    if (ok && kopien > 1 && !e_.mehrfachHintShown) {
        const QString text =
            QStringLiteral("Sie wollten mehrere Seiten drucken. Stimmt die Anzahl der Seiten?") +
            QLatin1Char('\n') +
            QStringLiteral(
                "(Falls nicht, kann die interne Methode im Druckmenü verändert werden).");
        if (dialoge_->hinweisMitHaken(this, text,
                                      QStringLiteral("Diesen Hinweis nicht mehr anzeigen.")))
            e_.mehrfachHintShown = true;
    }
}

bool TDruckFenster::seitenDrucken(QPrinter& printer, int von, int bis, int durchlaeufe) {
    if (!layout_ || AnzahlSeiten() == 0) return false;
    printer.setFullPage(true);
    von = std::max(1, von);
    if (bis < 1 || bis > AnzahlSeiten()) bis = AnzahlSeiten();
    if (von > bis) return false;
    const int gesamt = (bis - von + 1) * std::max(1, durchlaeufe);
    const bool warAus = ausgeben_;
    ausgeben_ = true;
    bool ok = true;
    {
        const TFortschrittLauf lauf(*fortschritt_, QStringLiteral("Seiten werden gedruckt..."),
                                    gesamt);
        TGeraeteZiel ziel(&printer);
        ziel.nachSeite = [&](int fertig) {
            if (fortschritt_->weiter(fertig)) return true;
            printer.abort();
            return false;
        };
        for (int d = 0; d < std::max(1, durchlaeufe) && ok; ++d)
            ok = layout_->seitenZeichnen(ziel, von, bis);
        ok = ziel.abschliessen() && ok;
    }
    ausgeben_ = warAus;
    anzeigen();
    return ok && printer.printerState() != QPrinter::Aborted &&
           printer.printerState() != QPrinter::Error;
}

bool TDruckFenster::pdfSchreiben(const QString& datei, QString* fehler) {
    if (fehler) fehler->clear();
    if (!layout_ || AnzahlSeiten() == 0) return false;
    const bool warAus = ausgeben_;
    ausgeben_ = true;
    bool ok = false;
    bool abbruch = false;
    QString f;
    {
        const TFortschrittLauf lauf(*fortschritt_, QStringLiteral("Ausgabe"), AnzahlSeiten());
        ok = pdfAusgeben(*layout_, datei, pdfInfoFuer(doc_), &f, [&](int fertig) {
            abbruch = !fortschritt_->weiter(fertig);
            return !abbruch;
        });
    }
    ausgeben_ = warAus;
    anzeigen();
    if (!ok && !abbruch && fehler) *fehler = f;
    return ok;
}

void TDruckFenster::pdfSichern() {
    if (AnzahlSeiten() == 0 || ausgeben_) return;
    QString name = dialoge_->pdfSpeichernUnter(this, pdfVorschlag(e_.filename, doc_.anBetreff));
    if (name.isEmpty()) return;
    name = mitPdfEndung(name);
    QString fehler;
    if (!pdfSchreiben(name, &fehler)) {
        if (!fehler.isEmpty()) melden(fehler, true); // cancelled: nothing to say
        return;
    }
    e_.filename = name;
    if (e_.autoOpen) desktop_->oeffnen(QUrl::fromLocalFile(name));
}

bool TDruckFenster::exporttoPDF(QByteArray& pdf) {
    pdf.clear();
    if (!layout_ || AnzahlSeiten() == 0 || layout_->beschaeftigt()) return false;
    QBuffer puffer(&pdf);
    puffer.open(QIODevice::WriteOnly);
    return pdfAusgeben(*layout_, &puffer, pdfInfoFuer(doc_));
}

void TDruckFenster::mailen() {
    if (AnzahlSeiten() == 0 || ausgeben_) return;
    QString name = anhangVorschlag(doc_.anBetreff);
    if (!dialoge_->textEingabe(this, QStringLiteral("Dateiname für den E-Mail-Anhang"),
                               QStringLiteral("Dateiname:"), name, 255))
        return;
    name = anhangName(name);
    if (name.isEmpty()) return;
    // A fresh folder per mail: the attachment keeps the confirmed name and no earlier file
    // of that name is overwritten while a mail client may still hold it.
    QTemporaryDir ordner(QDir::temp().filePath(QStringLiteral("zephan-mail-XXXXXX")));
    ordner.setAutoRemove(false);
    const QString datei = ordner.isValid() ? ordner.filePath(name) : QString();
    QString fehler = QStringLiteral("Fehler beim Erstellen oder Speichern der Datei ") + name;
    if (datei.isEmpty()) {
        melden(fehler, true);
        return;
    }
    if (!pdfSchreiben(datei, &fehler)) {
        if (!fehler.isEmpty()) melden(fehler, true); // cancelled: nothing to say
        return;
    }
    mailDatei_ = datei;
    const TMailErgebnis r =
        mailUebergeben(*desktop_, datei, doc_.anEMail, doc_.anBetreff.trimmed());
    doc_.setGeMailt(r.uebergeben);
    if (!r.uebergeben) melden(r.meldung, false);
}

void TDruckFenster::dateiLaden() {
    const QString name = dialoge_->dateiOeffnen(this, QStringLiteral("Datei laden"), datenOrdner());
    if (name.isEmpty()) return;
    QStringList zeilen;
    if (!dokumentLaden(name, zeilen)) {
        melden(QStringLiteral("Die Datei kann nicht gelesen werden: ") + name, true);
        return;
    }
    doc_.m = zeilen;
    doc_.sichern();
    SeiteAufbauen();
}

void TDruckFenster::dateiSichern() {
    const QString name = dialoge_->dateiSichernUnter(this, QStringLiteral("Datei sichern"),
                                                     QDir(datenOrdner()).filePath("druck.txt"));
    if (name.isEmpty()) return;
    QString fehler;
    if (!dokumentSichern(name, doc_.m, &fehler)) {
        melden(fehler, true);
        return;
    }
    melden(QStringLiteral("Datei gespeichert:") + name, false);
}

void TDruckFenster::sonderzeichen() {
    doc_.m = sonderzeichenDemo();
    doc_.sichern();
    SeiteAufbauen();
}

void TDruckFenster::druckerEinrichten() {
    if (!dialoge_->druckerVorhanden()) {
        melden(QStringLiteral("Auf diesem PC ist bisher kein Drucker verfügbar."), false);
        return;
    }
    if (!dialoge_->druckerEinrichten(this, printer_)) return;
    druckbereichSetzen();
    SeiteAufbauen();
}

bool TDruckFenster::setPrinter(const QString& drucker) {
    const QStringList namen = QPrinterInfo::availablePrinterNames();
    if (namen.isEmpty()) return false;
    const QString name = drucker.isEmpty() ? namen.first() : drucker;
    if (!namen.contains(name)) return false;
    printer_.setPrinterName(name);
    druckbereichSetzen();
    return true;
}

QString TDruckFenster::GetPaperSizes() const {
    QString s;
    for (const QPageSize& p : QPrinterInfo(printer_).supportedPageSizes())
        s += p.name() + QLatin1Char('|');
    return s;
}

namespace {
// The bins a printer may offer; CUPS names none, so every printer lists the common ones.
struct Schacht {
    QPrinter::PaperSource quelle;
    const char* name;
};
constexpr Schacht schaechte[] = {
    {QPrinter::Auto, "Automatisch"},       {QPrinter::Upper, "Oberer Schacht"},
    {QPrinter::Lower, "Unterer Schacht"},  {QPrinter::Middle, "Mittlerer Schacht"},
    {QPrinter::Manual, "Manuelle Zufuhr"}, {QPrinter::Envelope, "Umschlag"},
};
} // namespace

QString TDruckFenster::GetPaperSources() const {
    QString s;
    for (const Schacht& q : schaechte) s += QString::fromUtf8(q.name) + QLatin1Char('|');
    return s;
}

void TDruckFenster::SetPaperSourceIndex(int value) {
    if (value >= 0 && value < static_cast<int>(std::size(schaechte)))
        printer_.setPaperSource(schaechte[value].quelle);
}

} // namespace zephan
