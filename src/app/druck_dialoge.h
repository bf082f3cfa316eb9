#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace zephan {

// The dialogs the report window asks: file names, the attachment name, the print and printer
// set-up dialogs, the hint with its check box. The window uses the real dialogs; tests answer
// in their place.
class TDruckDialoge {
public:
    virtual ~TDruckDialoge() = default;
    virtual bool druckerVorhanden();
    // Empty when cancelled.
    virtual QString pdfSpeichernUnter(QWidget* parent, const QString& vorschlag);
    virtual QString dateiOeffnen(QWidget* parent, const QString& titel, const QString& ordner);
    virtual QString dateiSichernUnter(QWidget* parent, const QString& titel,
                                      const QString& vorschlag);
    // One-line input with at most `maxLaenge` characters; false when cancelled.
    virtual bool textEingabe(QWidget* parent, const QString& titel, const QString& frage,
                             QString& text, int maxLaenge);
    // The print dialog for pages 1 ... seiten with the current page; the choice (range,
    // copies, printer) is left in the printer. False when cancelled.
    virtual bool druckDialog(QWidget* parent, QPrinter& printer, int seiten, int aktuell);
    virtual bool druckerEinrichten(QWidget* parent, QPrinter& printer);
    // A hint with one check box; returns whether the box was checked.
    virtual bool hinweisMitHaken(QWidget* parent, const QString& text, const QString& haken);
};

} // namespace zephan
