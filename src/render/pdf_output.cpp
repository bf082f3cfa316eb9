#include "render/pdf_output.h"

#include "render/page_target.h"
#include "store/output_target.h"

#include <QFile>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>

namespace zephan {

QString programmKennung() {
    return QStringLiteral("Zephan");
}

namespace {
// The text a line shows, without its inline escapes: style words vanish, symbol words become
// their character, other words and dotted letters stay as text.
QString ohneMarkup(QStringView s) {
    const QChar marke(0x00B0);
    QString r;
    qsizetype pos = 0;
    const qsizetype n = s.size();
    while (pos < n) {
        const bool escape = s[pos] == marke && pos + 1 < n &&
                            (s[pos + 1] == QLatin1Char('(') || s[pos + 1] == QLatin1Char('.'));
        if (!escape) {
            r += s[pos++];
            continue;
        }
        if (s[pos + 1] == QLatin1Char('.')) {
            pos += 2;
            while (pos < n && s[pos] != QLatin1Char(' ') && s[pos] != marke) r += s[pos++];
            if (pos < n && s[pos] == QLatin1Char(' ')) ++pos;
            continue;
        }
        const qsizetype a = pos + 2;
        const qsizetype e = s.indexOf(QLatin1Char(' '), a);
        const QStringView roh = e < 0 ? s.mid(a) : s.mid(a, e - a);
        pos = e < 0 ? n : e + 1;
        const QString wort = roh.toString().toLower();
        if (wort.startsWith(QLatin1String("col")) || wort == QLatin1String("sub") ||
            wort == QLatin1String("super") || wort == QLatin1String("-sub") ||
            wort == QLatin1String("-super") || wort == QLatin1String("date"))
            continue;
        const QChar sym = symbolZeichen(wort);
        r += sym.isNull() ? roh.toString() : QString(sym);
    }
    return r.simplified();
}
} // namespace

QString berichtTitel(const TDruck& doc) {
    const QString ueberschrift = QStringLiteral("°Ü");
    for (const QString& z : doc.m)
        if (z.startsWith(ueberschrift)) {
            const QString t = ohneMarkup(QStringView(z).mid(2));
            if (!t.isEmpty()) return t;
        }
    return QStringLiteral("Zephan-Bericht");
}

TPdfInfo pdfInfoFuer(const TDruck& doc) {
    TPdfInfo i;
    i.titel = berichtTitel(doc);
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
    // A device, FIFO or socket is refused (replacing /dev/null would destroy it); a link is
    // written through and stays a link.
    QString ziel, grund;
    if (!schreibZiel(datei, ziel, grund)) {
        if (fehler) *fehler = grund;
        return false;
    }
    QSaveFile f(ziel);
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

bool pdfAusgeben(TDruckLayout& layout, QIODevice* ziel, const TPdfInfo& info,
                 const std::function<bool(int)>& nachSeite) {
    QPdfWriter pdf(ziel);
    pdfEinrichten(pdf, info);
    TGeraeteZiel geraet(&pdf);
    geraet.nachSeite = nachSeite;
    return layout.zeichnen(geraet);
}

bool pdfAusgeben(TDruckLayout& layout, const QString& datei, const TPdfInfo& info, QString* fehler,
                 const std::function<bool(int)>& nachSeite) {
    return sicherSchreiben(datei, fehler,
                           [&](QIODevice* f) { return pdfAusgeben(layout, f, info, nachSeite); });
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
