#include "render/pdf_output.h"

#include "render/page_target.h"

#include <QFile>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>

namespace zephan {

QString programmKennung() {
    return QStringLiteral("Zephan");
}

TPdfInfo pdfInfoFuer(const TDruck& doc) {
    TPdfInfo i;
    i.ersteller = programmKennung();
    i.autor = doc.anErsteller;
    i.betreff = doc.anBetreff;
    return i;
}

namespace {
QString xml(QString s) {
    s.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    s.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return s;
}
} // namespace

QByteArray xmpMetadaten(const TPdfInfo& info) {
    QString x;
    x += QStringLiteral("<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
                        "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
                        "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
                        "<rdf:Description rdf:about=''"
                        " xmlns:dc='http://purl.org/dc/elements/1.1/'"
                        " xmlns:xmp='http://ns.adobe.com/xap/1.0/'"
                        " xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>\n");
    x += QStringLiteral("<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>") + xml(info.titel) +
         QStringLiteral("</rdf:li></rdf:Alt></dc:title>\n");
    x += QStringLiteral("<dc:creator><rdf:Seq><rdf:li>") + xml(info.autor) +
         QStringLiteral("</rdf:li></rdf:Seq></dc:creator>\n");
    x += QStringLiteral("<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>") +
         xml(info.betreff) + QStringLiteral("</rdf:li></rdf:Alt></dc:description>\n");
    x += QStringLiteral("<xmp:CreatorTool>") + xml(info.ersteller) +
         QStringLiteral("</xmp:CreatorTool>\n");
    x += QStringLiteral("<pdf:Producer>") + xml(info.ersteller) +
         QStringLiteral("</pdf:Producer>\n");
    x += QStringLiteral("</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>");
    return x.toUtf8();
}

namespace {
void pdfEinrichten(QPdfWriter& pdf, const TPdfInfo& info) {
    pdf.setResolution(1200);
    pdf.setTitle(info.titel);
    pdf.setCreator(info.ersteller);
    pdf.setDocumentXmpMetadata(xmpMetadaten(info));
}

// Written beside the target and renamed over it, so a failed run leaves no half file.
bool sicherSchreiben(const QString& datei, QString* fehler,
                     const std::function<bool(QIODevice*)>& schreiben) {
    QSaveFile f(datei);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) ok = schreiben(&f);
    if (ok)
        ok = f.commit();
    else
        f.cancelWriting();
    if (!ok && fehler)
        *fehler = QStringLiteral("Fehler beim Erstellen oder Speichern der Datei ") + datei;
    return ok;
}
} // namespace

bool pdfAusgeben(TDruckLayout& layout, QIODevice* ziel, const TPdfInfo& info) {
    QPdfWriter pdf(ziel);
    pdfEinrichten(pdf, info);
    TGeraeteZiel geraet(&pdf);
    return layout.zeichnen(geraet);
}

bool pdfAusgeben(TDruckLayout& layout, const QString& datei, const TPdfInfo& info,
                 QString* fehler) {
    return sicherSchreiben(datei, fehler,
                           [&](QIODevice* f) { return pdfAusgeben(layout, f, info); });
}

bool pdfAusBildern(const QList<TSeitenBild>& seiten, QIODevice* ziel, const TPdfInfo& info) {
    if (seiten.isEmpty()) return false;
    QPdfWriter pdf(ziel);
    pdfEinrichten(pdf, info);
    return seitenAusgeben(seiten, &pdf);
}

bool pdfAusBildern(const QList<TSeitenBild>& seiten, const QString& datei, const TPdfInfo& info,
                   QString* fehler) {
    return sicherSchreiben(datei, fehler,
                           [&](QIODevice* f) { return pdfAusBildern(seiten, f, info); });
}

bool berichtAlsPdf(TDruck& doc, const QString& datei, const TLayoutEinstellungen& e,
                   QString* fehler, int* seiten) {
    doc.sichern();
    TDruckLayout layout(doc, e);
    layout.messen();
    if (seiten) *seiten = layout.AnzahlSeiten();
    return pdfAusgeben(layout, datei, pdfInfoFuer(doc), fehler);
}

} // namespace zephan
