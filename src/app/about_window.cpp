#include "app/about_window.h"

#include "app/icons.h"
#include "network/project_file.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zephan {

UeberFenster::UeberFenster(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ueberform"));
    setWindowTitle(QStringLiteral("Über"));
    auto* v = new QVBoxLayout(this);
    auto* h = new QHBoxLayout;
    auto* bild = new QLabel(this);
    bild->setPixmap(programmIcon().pixmap(64, 64));
    h->addWidget(bild);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("UeberText"));
    text->setText(QStringLiteral("<b>%1 %2</b><br>Luftkanalnetzberechnung<br><br>"
                                 "Druckverlust, Auslegung und Schall von Lüftungsnetzen.")
                      .arg(programmName, QStringLiteral(ZEPHAN_VERSION_TEXT)));
    h->addWidget(text, 1);
    v->addLayout(h);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(knoepfe);
}

} // namespace zephan
