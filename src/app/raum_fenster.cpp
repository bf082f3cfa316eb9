#include "app/raum_fenster.h"

#include "app/icons.h"
#include "app/panel_store.h"
#include "editing/edit_session.h"
#include "store/folders.h"
#include "store/ini_file.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zephan {

namespace {
const char* const zellenNamen[] = {"name", "volzu", "volab", "dbzu", "dbab"};
} // namespace

Tk_Raumform::Tk_Raumform(EditSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("k_Raumform"));
    setWindowTitle(QStringLiteral("Raumübersicht"));
    setMinimumSize(480, 100);
    setSizeGripEnabled(true);
    auto* v = new QVBoxLayout(this);

    view_ = new QTreeWidget(this);
    view_->setObjectName(QStringLiteral("view"));
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setColumnCount(raumSpaltenAnzahl);
    QStringList koepfe;
    for (int c = 0; c < raumSpaltenAnzahl; ++c)
        koepfe << raumSpaltenTitel(static_cast<RaumSpalte>(c));
    view_->setHeaderLabels(koepfe);
    for (int c = 1; c < raumSpaltenAnzahl; ++c) {
        view_->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        view_->setColumnWidth(c, 80);
    }
    view_->setColumnWidth(0, 278);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->addWidget(view_, 1);
    connect(view_, &QTreeWidget::itemSelectionChanged, this, [this] { auswahlGeaendert(); });
    connect(view_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* it, int c) {
        const int zeile = view_->indexOfTopLevelItem(it);
        if (zeile >= 0 && c >= 0 && c < raumSpaltenAnzahl)
            zelleBearbeiten(zeile, static_cast<RaumSpalte>(c));
    });

    auto* unten = new QHBoxLayout;
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    unten->addWidget(label1_);
    unten->addStretch();
    const auto knopf = [&](const QString& text, const char* name, const QString& hinweis) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hinweis);
        b->setAutoDefault(false);
        unten->addWidget(b);
        return b;
    };
    btnZu_ = knopf(QStringLiteral("Raum ZU"), "btnZu", QStringLiteral("zum Raum springen"));
    btnAb_ = knopf(QStringLiteral("Raum AB"), "btnAb", QStringLiteral("zum Raum springen"));
    reloadbtn_ = knopf(QString(), "reloadbtn", QStringLiteral("Raumliste neu einlesen"));
    reloadbtn_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    okbutton1_ = knopf(QStringLiteral("&Ok"), "Okbutton1", QStringLiteral("Fenster schließen"));
    okbutton1_->setDefault(true);
    v->addLayout(unten);
    connect(btnZu_, &QPushButton::clicked, this, [this] { springen(true); });
    connect(btnAb_, &QPushButton::clicked, this, [this] { springen(false); });
    connect(reloadbtn_, &QPushButton::clicked, this, [this] { laden(); });
    // "&Ok" is also the window's cancel key (Escape).
    connect(okbutton1_, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 360);
}

void Tk_Raumform::showEvent(QShowEvent* e) {
    formsize_load(this, einstellungenLesen(&session_.seam()));
    laden();
    QDialog::showEvent(e);
}

void Tk_Raumform::done(int r) {
    TIniFile2 ini = einstellungenSchreiben(&session_.seam());
    formsize_save(this, ini);
    ini.save();
    // The rows hold node pointers: they do not outlive the showing.
    view_->clear();
    zeilen_.clear();
    QDialog::done(r);
}

void Tk_Raumform::laden() {
    view_->clear();
    zeilen_ = raumListe(session_.baum());
    for (size_t k = 0; k < zeilen_.size(); ++k) {
        auto* it = new QTreeWidgetItem(view_);
        it->setIcon(0, bildIcon(20));
        for (int c = 1; c < raumSpaltenAnzahl; ++c)
            it->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        zeileZeigen(static_cast<int>(k));
    }
    label1_->setText(QStringLiteral("Räume: ") + QString::number(zeilen_.size()));
    auswahlGeaendert();
}

void Tk_Raumform::zeileZeigen(int zeile) {
    QTreeWidgetItem* it = view_->topLevelItem(zeile);
    if (!it || zeile >= static_cast<int>(zeilen_.size())) return;
    const RaumZeile& z = zeilen_[static_cast<size_t>(zeile)];
    for (int c = 0; c < raumSpaltenAnzahl; ++c) {
        const auto s = static_cast<RaumSpalte>(c);
        it->setText(c, raumZellenText(z, s));
        it->setData(c, Qt::UserRole, QLatin1String(zellenNamen[c]));
        // A cell without its node (no room on that side, no outlet before the room) is
        // read-only; its hint says why.
        QString hinweis;
        if (!raumZelleBearbeitbar(z, s))
            hinweis = (s == RaumSpalte::VolZu && z.zu) || (s == RaumSpalte::VolAb && z.ab)
                          ? QStringLiteral("kein Luftauslass vor dem Raum")
                          : QString();
        it->setToolTip(c, hinweis);
    }
}

void Tk_Raumform::auswahlGeaendert() {
    const int zeile = view_->indexOfTopLevelItem(view_->currentItem());
    const bool ok =
        zeile >= 0 && zeile < static_cast<int>(zeilen_.size()) && !view_->selectedItems().isEmpty();
    btnZu_->setEnabled(ok && zeilen_[static_cast<size_t>(zeile)].zu);
    btnAb_->setEnabled(ok && zeilen_[static_cast<size_t>(zeile)].ab);
}

bool Tk_Raumform::zelleBearbeiten(int zeile, RaumSpalte spalte) {
    if (zeile < 0 || zeile >= static_cast<int>(zeilen_.size())) return false;
    RaumZeile& z = zeilen_[static_cast<size_t>(zeile)];
    if (!raumZelleBearbeitbar(z, spalte)) return false;
    const RaumEingabe e = raumEingabe(spalte);
    QInputDialog d(this);
    d.setObjectName(QStringLiteral("Raumeingabe"));
    d.setWindowTitle(e.titel);
    d.setLabelText(e.prompt);
    if (spalte == RaumSpalte::Name) {
        d.setInputMode(QInputDialog::TextInput);
        d.setTextValue(z.name);
    } else {
        d.setInputMode(QInputDialog::IntInput);
        d.setIntRange(static_cast<int>(e.bereich.min), static_cast<int>(e.bereich.max));
        const double w = raumZellenWert(z, spalte);
        d.setIntValue(w < e.bereich.min ? static_cast<int>(e.bereich.min) : static_cast<int>(w));
    }
    if (d.exec() != QDialog::Accepted) return false;
    const bool ok = spalte == RaumSpalte::Name ? session_.raumNameSetzen(z, d.textValue())
                                               : session_.raumWertSetzen(z, spalte, d.intValue());
    zeileZeigen(zeile);
    if (ok) emit geaendert();
    return ok;
}

void Tk_Raumform::springen(bool zuluft) {
    const int zeile = view_->indexOfTopLevelItem(view_->currentItem());
    if (zeile < 0 || zeile >= static_cast<int>(zeilen_.size())) return;
    const RaumZeile& z = zeilen_[static_cast<size_t>(zeile)];
    if (tmylistitem* raum = zuluft ? z.zu : z.ab) emit raumGewaehlt(raum);
}

} // namespace zephan
