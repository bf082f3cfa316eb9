#pragma once

#include "render/page_target.h"
#include "render/report_layout.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

namespace zephan {

// Document information written into a report's PDF.
struct TPdfInfo {
    QString titel;
    QString ersteller; // creator: the program
    QString autor;     // anErsteller of the document
    QString betreff;   // anBetreff of the document
};

// The program identification used as PDF creator, print job title and window caption part.
QString programmKennung();

// The title of a report: the text of its first heading without markup, or "Zephan-Bericht"
// for a report without one.
QString berichtTitel(const TDruck& doc);

// The information the report window writes: title the report's title, creator the program,
// author and subject from the document.
TPdfInfo pdfInfoFuer(const TDruck& doc);

// XMP metadata carrying title, author, subject and creator (QPdfWriter has setters only for
// title and creator).
QByteArray xmpMetadaten(const TPdfInfo& info);

// Draws the pages of a measured layout straight into a PDF writer on a device. nachSeite is
// called after each page with the pages written; false cancels. False when writing failed or
// was cancelled.
bool pdfAusgeben(TDruckLayout& layout, QIODevice* ziel, const TPdfInfo& info,
                 const std::function<bool(int)>& nachSeite = {});
bool pdfAusgeben(TDruckLayout& layout, const QString& datei, const TPdfInfo& info,
                 QString* fehler = nullptr, const std::function<bool(int)>& nachSeite = {});

// Writes recorded pages (the preview's pictures) as PDF: what the report window saves and
// mails, without laying the document out again.
bool pdfAusBildern(const QList<TSeitenBild>& seiten, QIODevice* ziel, const TPdfInfo& info);
bool pdfAusBildern(const QList<TSeitenBild>& seiten, const QString& datei, const TPdfInfo& info,
                   QString* fehler = nullptr);

// Lays a document out (its current lines) and writes it as PDF: the whole road for callers
// without a window. The message on failure is "Fehler beim Erstellen oder Speichern der
// Datei " + name.
bool berichtAlsPdf(TDruck& doc, const QString& datei, const TLayoutEinstellungen& e,
                   QString* fehler = nullptr, int* seiten = nullptr);

} // namespace zephan
