#include "app/anleitung_fenster.h"

#include "app/icons.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zephan {

QString AnleitungFenster::quelle() {
    return QStringLiteral("qrc:/handbuch/handbuch.md");
}

AnleitungFenster::AnleitungFenster(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Anleitung"));
    setWindowTitle(QStringLiteral("Anleitung"));
    setWindowIcon(programmIcon());
    setModal(false);
    resize(900, 760);
    auto* v = new QVBoxLayout(this);
    text_ = new QTextBrowser(this);
    text_->setOpenExternalLinks(true);
    // The pictures lie beside the text; their names are relative to it.
    text_->setSource(QUrl(quelle()), QTextDocument::MarkdownResource);
    v->addWidget(text_, 1);
    knoepfe_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(knoepfe_, &QDialogButtonBox::rejected, this, &QDialog::close);
    v->addWidget(knoepfe_);
}

} // namespace zephan
