#include "app/druck_dialoge.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace zephan {

bool TDruckDialoge::druckerVorhanden() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString TDruckDialoge::pdfSpeichernUnter(QWidget* parent, const QString& vorschlag) {
    QFileDialog d(parent, QString(), vorschlag, QStringLiteral("PDF-Datei (*.pdf)"));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix(QStringLiteral("pdf"));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return QString();
    return d.selectedFiles().first();
}

QString TDruckDialoge::dateiOeffnen(QWidget* parent, const QString& titel, const QString& ordner) {
    return QFileDialog::getOpenFileName(parent, titel, ordner,
                                        QStringLiteral("Textdatei (*.txt);;Alle Dateien (*)"));
}

QString TDruckDialoge::dateiSichernUnter(QWidget* parent, const QString& titel,
                                         const QString& vorschlag) {
    return QFileDialog::getSaveFileName(parent, titel, vorschlag,
                                        QStringLiteral("Textdatei (*.txt);;Alle Dateien (*)"));
}

bool TDruckDialoge::textEingabe(QWidget* parent, const QString& titel, const QString& frage,
                                QString& text, int maxLaenge) {
    QInputDialog d(parent);
    d.setWindowTitle(titel);
    d.setLabelText(frage);
    d.setTextValue(text);
    if (auto* feld = d.findChild<QLineEdit*>()) feld->setMaxLength(maxLaenge);
    if (d.exec() != QDialog::Accepted) return false;
    text = d.textValue();
    return true;
}

bool TDruckDialoge::druckDialog(QWidget* parent, QPrinter& printer, int seiten, int aktuell) {
    QPrintDialog d(&printer, parent);
    d.setMinMax(1, seiten);
    d.setFromTo(1, seiten);
    d.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                 QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintToFile |
                 QAbstractPrintDialog::PrintShowPageSize);
    (void)aktuell;
    return d.exec() == QDialog::Accepted;
}

bool TDruckDialoge::druckerEinrichten(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog d(&printer, parent);
    return d.exec() == QDialog::Accepted;
}

bool TDruckDialoge::hinweisMitHaken(QWidget* parent, const QString& text, const QString& haken) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    parent);
    auto* c = new QCheckBox(haken);
    box.setCheckBox(c);
    box.exec();
    return c->isChecked();
}

} // namespace zephan
